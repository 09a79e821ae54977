#include "intake/DiaryEntry.h"

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

namespace intake {
namespace {

const QString kGrams = QStringLiteral("Grams");

bool usableAmount(const QString& amount) {
    return !rt::Trim(amount).isEmpty() && rt::IsNumeric(amount) && rt::CDbl(amount) <= 30000 &&
           rt::CDbl(amount) >= 0;
}

// Whether the diary holds the row already; a failed read answers no, and the person hears the
// failure of the write itself.
bool stored(db::Connection& cn, qint32 member, const QString& day, const QString& food) {
    bool found = false;
    frame::passOver(QStringLiteral("intake::DiarySave::Save"), [&] {
        db::Recordset rs;
        rs.Open(
            QStringLiteral("SELECT uid FROM dayin WHERE uid = ? AND idate = ? AND foodname = ?"),
            cn, {member, day, food});
        found = !rs.EOF();
    });
    return found;
}

}  // namespace

DiarySave::Result DiarySave::Save(db::Connection& cn, const DiaryEntry& entry) {
    if (!entry.member) {
        return {Outcome::NoMember};
    }
    if (entry.food.contains(QLatin1Char('\''))) {
        return {Outcome::Apostrophe};
    }
    if (rt::Trim(entry.food).isEmpty() || !usableAmount(entry.quantity)) {
        return {Outcome::FieldsEmpty};
    }
    const qint32 member = *entry.member;
    const QString day = rt::DateText(entry.day);
    bool registered = false;
    try {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT userid FROM usr WHERE userid = ?"), cn, {member});
        if (rs.EOF()) {
            return {Outcome::UnknownMember};
        }
        registered = true;
        double grams = rt::CDbl(entry.quantity);
        if (entry.unit != kGrams) {
            rs.Close();
            rs.Open(QStringLiteral("SELECT UnitSizeinGrams FROM FoodUnit "
                                   "WHERE UnitName = ? AND food = ?"),
                    cn, {entry.unit, entry.food});
            if (rs.EOF()) {
                return {Outcome::UnknownUnit};
            }
            grams *= rs[QStringLiteral("UnitSizeinGrams")].toDouble();
        }
        cn.Execute(QStringLiteral("INSERT INTO dayin (uid, idate, foodname, quantity, unit) "
                                  "VALUES (?, ?, ?, ?, ?)"),
                   {member, day, entry.food, grams, kGrams});
    } catch (const rt::Error& error) {
        // The data file refuses a second row of a member, day and food as a provider failure.
        if (registered && error.Number() == rt::err::ProviderFailure &&
            stored(cn, member, day, entry.food)) {
            return {Outcome::Duplicate};
        }
        return {Outcome::Failed, error};
    }
    return {Outcome::Saved};
}

}  // namespace intake
