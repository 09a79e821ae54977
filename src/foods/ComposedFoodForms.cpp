#include "foods/ComposedFoodForms.h"

#include "db/Connection.h"
#include "db/Errors.h"
#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Host.h"

namespace foods {

bool WriteAtOnce(const QString& what, const QString& source,
                 const std::function<void(ComposedFoods& store)>& change,
                 const std::function<bool(const rt::Error&)>& tell) {
    try {
        ui::Hourglass wait;
        db::Transaction transaction(core::cn);
        ComposedFoods store(core::cn);
        change(store);
        transaction.Commit();
        if (!store.madeOfThemselves().isEmpty()) {
            ui::MsgBox(QStringLiteral("These composed foods are made of themselves through other "
                                      "foods, so their values cannot be exact: ") +
                           store.madeOfThemselves().join(QStringLiteral(", ")),
                       ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
        }
        return true;
    } catch (const rt::Error& error) {
        if (tell && !tell(error)) {
            frame::logError(error, source);
        } else if (error.Number() == rt::err::DataFileInUse || db::IsKeyViolation(error)) {
            frame::logError(error, source);
            ui::MsgBox(QStringLiteral("Data file is used by another user at this time."),
                       ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
        } else {
            frame::tellWriteFailure(what, error, source);
        }
        return false;
    }
}

int FoodIdByName(const QString& name, int except) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT foodid FROM food WHERE foodname = ? AND foodid <> ? "
                           "ORDER BY foodid LIMIT 1"),
            core::cn, {name, except});
    return rs.EOF() ? -1 : rs[0].toLong();
}

void AddFoodCategories(ui::ComboBox& combo) {
    // The categories found before an error stay.
    const auto read = [&] {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT cname FROM cat WHERE cname <> 'READY FOOD' AND "
                               "cname <> 'ALL FOODS' ORDER BY cname ASC"),
                core::cn);
        for (; !rs.EOF(); rs.MoveNext()) {
            combo.AddItem(rs[0].text());
        }
    };
    frame::readOrTell(combo.Parent(), QStringLiteral("The list of food categories"),
                      QStringLiteral("foods::AddFoodCategories"), read);
}

QString OwnerText(const QString& primeOrNot) {
    if (primeOrNot == QLatin1String("P")) {
        return QStringLiteral("System");
    }
    if (primeOrNot == QLatin1String("U")) {
        return QStringLiteral("User");
    }
    return {};
}

}  // namespace foods
