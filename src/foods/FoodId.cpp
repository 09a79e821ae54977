#include "foods/FoodId.h"

#include <limits>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "runtime/Error.h"

namespace foods {

qint16 FreshFoodId(db::Connection& cn) {
    // Each max() on its own is answered from the column's index.
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT max(id) FROM (SELECT max(foodid) AS id FROM food "
                           "UNION ALL SELECT max(itemid) FROM item "
                           "UNION ALL SELECT max(foodid) FROM item "
                           "UNION ALL SELECT max(foodid) FROM foodN1 "
                           "UNION ALL SELECT max(foodid) FROM lang)"),
            cn);
    if (rs[0].IsNull()) {
        return 0;
    }
    const auto last = static_cast<qint64>(rs[0].toDouble());
    if (last >= std::numeric_limits<qint16>::max()) {
        rt::raise(rt::err::Overflow,
                  QStringLiteral("No food id is left: the highest one, %1, is in use.").arg(last),
                  QStringLiteral("Foods"));
    }
    const auto next = static_cast<qint16>(last + 1);
    return next == 1 ? qint16{2} : next;
}

}  // namespace foods
