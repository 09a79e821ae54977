#include "intake/RdaVsIntake.h"

#include <QHash>
#include <cmath>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "intake/DiarySql.h"
#include "runtime/Convert.h"

namespace intake::RdaVsIntake {
namespace {

const QString kCents = QStringLiteral("###0.00");

// Every diary entry of the range with each nutrient of its food: the nutrient's code and the
// amount eaten (grams times the value per 100 g, over 100).
QString IntakeSql() {
    namespace offset = foods::NutrientOffset;
    return QStringLiteral(
               "SELECT nutri.nutri_cd AS code, dayin.quantity * %1 / 100 AS RdVal "
               "FROM dayin, foodN1, nutri "
               "WHERE dayin.uid = ? "
               "AND %2 BETWEEN ? AND ? "
               "AND foodN1.foodid = %3 "
               "AND nutri.nutri_cd = %4")
        .arg(offset::valueSql(), DiarySql::dayKey(), DiarySql::foodOf(), offset::realCodeSql());
}

}  // namespace

int DayCount(const QDate& from, const QDate& to) {
    return static_cast<int>(from.daysTo(to)) + 1;
}

double Cents(double value) {
    // Away from a half cent the text form and plain rounding agree; at a half cent (and for
    // amounts too large for a cent to show in a double) the text form decides.
    const double cents = value * 100;
    if (std::fabs(cents) < 1e9) {
        const double fraction = std::fabs(cents - std::trunc(cents));
        if (std::fabs(fraction - 0.5) > 1e-4) {
            return std::round(cents) / 100 + 0.0;
        }
    }
    return rt::CDbl(rt::Format(value, kCents));
}

std::optional<std::vector<NutrientTotal>> Run(db::Connection& cn, qint64 member, const QDate& from,
                                              const QDate& to) {
    db::Transaction transaction(cn);
    cn.Execute(QStringLiteral("DELETE FROM SYSTABLE"));

    QHash<qint32, QString> names;
    // By upper-case name; where two nutrients share a name, the later one's unit stands.
    QHash<QString, QString> units;
    {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT nutri_cd, nname, file_nm FROM nutri"), cn);
        while (!rs.EOF()) {
            const QString name = rs["nname"].toString();
            names.insert(rs["nutri_cd"].toLong(), name);
            units.insert(rs["nname"].text().toUpper(), rs["file_nm"].text());
            rs.MoveNext();
        }
    }

    // The totals in the order the nutrients first appear; each addition rounded.
    std::vector<NutrientTotal> totals;
    QHash<QString, std::size_t> slot;
    {
        db::Recordset rs;
        rs.Open(IntakeSql(), cn, {member, DiarySql::dayKey(from), DiarySql::dayKey(to)});
        if (rs.EOF()) {
            transaction.Commit();
            return std::nullopt;
        }
        const db::Field code = rs.Fields("code");
        const db::Field amount = rs.Fields("RdVal");
        while (!rs.EOF()) {
            const QString& name = names[code.Value().toLong()];
            const double value = amount.Value().toDouble();
            auto it = slot.constFind(name);
            if (it == slot.constEnd()) {
                slot.insert(name, totals.size());
                totals.push_back({name, 0, Cents(value)});
            } else {
                double& total = totals[*it].intake;
                total = Cents(total + value);
            }
            rs.MoveNext();
        }
    }
    for (const NutrientTotal& total : totals) {
        cn.Execute(QStringLiteral("INSERT INTO SYSTABLE (NUTRIENTS, INTAKE) VALUES (?, ?)"),
                   {total.nutrient, total.intake});
    }

    // The group's RDA; where the group has two rows for a nutrient, the later one stands.
    {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT nutri.nname, RDA.nutri_val FROM nutri, RDA, usr "
                               "WHERE usr.userid = ? AND RDA.gid = usr.gid "
                               "AND nutri.nutri_cd = RDA.nutri_cd ORDER BY RDA.rowid"),
                cn, {member});
        while (!rs.EOF()) {
            const QString name = rs["nname"].toString();
            const double rda = Cents(rs["nutri_val"].toDouble());
            if (cn.Execute(QStringLiteral("UPDATE SYSTABLE SET RDA = ? WHERE NUTRIENTS = ?"),
                           {rda, name}) == 0) {
                cn.Execute(QStringLiteral(
                               "INSERT INTO SYSTABLE (NUTRIENTS, RDA, INTAKE) VALUES (?, ?, 0)"),
                           {name, rda});
            }
            rs.MoveNext();
        }
    }

    std::vector<NutrientTotal> report;
    {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM SYSTABLE ORDER BY NUTRIENTS ASC"), cn);
        while (!rs.EOF()) {
            const QString name = rs["NUTRIENTS"].toString();
            report.push_back(
                {name, rs["RDA"].toDouble(), rs["INTAKE"].toDouble(), units.value(name.toUpper())});
            rs.MoveNext();
        }
    }
    cn.Execute(QStringLiteral("DELETE FROM SYSTABLE"));
    transaction.Commit();
    return report;
}

ReportLine Present(const NutrientTotal& total, int days) {
    ReportLine line;
    const QString rda = rt::Format(total.rda * days, kCents);
    line.rda = rt::CDbl(rda) == 0 ? QStringLiteral("-") : rda;
    line.intake = rt::Format(total.intake, kCents);
    if (line.rda == QLatin1String("-")) {
        line.difference = QStringLiteral("-");
        line.percent = QStringLiteral("-");
        line.balance = Balance::NotInRda;
        return line;
    }
    // The difference is taken between the figures as shown.
    const double shownIntake = rt::CDbl(line.intake);
    const double shownRda = rt::CDbl(line.rda);
    line.difference = rt::Format(shownIntake - shownRda, kCents);
    line.percent = rt::Format((shownIntake - shownRda) * 100 / shownRda, kCents) + QLatin1Char('%');
    const double difference = rt::CDbl(line.difference);
    if (difference < 0) {
        line.balance = Balance::Deficiency;
    } else if (difference > 0) {
        line.balance = Balance::MoreThanRda;
    }
    return line;
}

}  // namespace intake::RdaVsIntake
