#include "TenfoldData.h"

#include <QString>
#include <stdexcept>

#include "db/Connection.h"
#include "foods/ComposedFood.h"

namespace bench {

namespace {

constexpr int kCopies = 9;
constexpr int kChain = 20;

}  // namespace

// The stored form of a nutrient row does not depend on the food's id, so the copies keep it.
// The first dish of a chain holds 10 foods, every later one 9 and the dish before it. Names run
// against the chains, so that name order alone would reach a dish before the dishes it is made
// of.
TenfoldData::TenfoldData(int dishes) : dishes_(dishes) {
    db::Transaction transaction(cn_);
    for (int copy = 1; copy <= kCopies; ++copy) {
        const int offset = copy * kDeliveredFoods;
        const QString suffix = QStringLiteral(" %1").arg(copy);
        cn_.Execute(QStringLiteral("INSERT INTO food (foodid, cid, foodname, foodnote, Price, "
                                   "edible, stdweight, imp, LANG_NM, PrimeOrNot) "
                                   "SELECT foodid + ?, cid, foodname || ?, foodnote, Price, "
                                   "edible, stdweight, imp, LANG_NM, 'U' FROM food "
                                   "WHERE foodid BETWEEN 1 AND ?"),
                    {offset, suffix, kDeliveredFoods});
        cn_.Execute(QStringLiteral("INSERT INTO foodN1 SELECT foodid + ?, srl_no, nutri_cd, "
                                   "nutri_val, unit_cd, unit_tp, 0 FROM foodN1 "
                                   "WHERE foodid BETWEEN 1 AND ?"),
                    {offset, kDeliveredFoods});
        cn_.Execute(QStringLiteral("INSERT INTO lang SELECT foodid + ?, srl_no, langid, "
                                   "foodlangname || ? FROM lang WHERE foodid BETWEEN 1 AND ?"),
                    {offset, suffix, kDeliveredFoods});
    }
    for (int i = 0; i < dishes; ++i) {
        const int id = kFirstDish + i;
        cn_.Execute(QStringLiteral("INSERT INTO food (foodid, cid, foodname, foodnote, "
                                   "PrimeOrNot) VALUES (?, 21, ?, '', 'U')"),
                    {id, QStringLiteral("Chain dish %1").arg(dishes - i, 5, 10, QLatin1Char('0'))});
        for (int j = 0; j < kIngredients; ++j) {
            const int ingredient =
                j == 0 && i % kChain != 0 ? id - 1 : 1 + (i * 37 + j * 53) % kFoods;
            cn_.Execute(QStringLiteral("INSERT INTO item (itemid, srl_no, foodid, qty, unitid) "
                                       "VALUES (?, ?, ?, ?, 1)"),
                        {id, j + 1, ingredient, 10.0 + (i + j) % 90});
        }
    }
    foods::ComposedFoods(cn_).rebuildAll();
    transaction.Commit();
}

TenfoldData& Tenfold(int dishes) {
    static TenfoldData thousand(1000);
    if (dishes == 1000) {
        return thousand;
    }
    if (dishes != 2000) {
        throw std::invalid_argument("the tenfold data file comes with 1,000 or 2,000 dishes");
    }
    static TenfoldData twoThousand(2000);
    return twoThousand;
}

}  // namespace bench
