#include "intake/RdaVsIntake.h"

#include <QHash>
#include <algorithm>
#include <cmath>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "intake/DiarySql.h"
#include "runtime/Convert.h"

namespace intake::RdaVsIntake {
namespace {

const QString kCents = QStringLiteral("###0.00");
const QString kNotAvailable = QStringLiteral("Not Available");

// A nutrient of the report while it is assembled: its total, and its name in the form the
// comparisons of names read.
struct Assembled {
    NutrientTotal total;
    QByteArray key;
};

unsigned char asciiLower(char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// Nutrient names compared as the data file compares them (NOCASE): the UTF-8 bytes, with the
// ASCII letters alone taken without regard to case.
int CompareNoCase(const QByteArray& a, const QByteArray& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char x = asciiLower(a[i]);
        const unsigned char y = asciiLower(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The scratch table of earlier versions is left empty by every run that succeeds; a file whose
// table is empty is not written to, so that a report takes no lock that keeps others from
// writing.
void ClearScratchTable(db::Connection& cn) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT 1 FROM SYSTABLE LIMIT 1"), cn);
    if (!rs.EOF()) {
        cn.Execute(QStringLiteral("DELETE FROM SYSTABLE"));
    }
}

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

// Whether some food holds more than none of the nutrient of real code `code`: one look through
// the index on the real code, which ends at the first such row.
bool SomeFoodHolds(db::Connection& cn, qint32 code) {
    namespace offset = foods::NutrientOffset;
    static const QString sql =
        QStringLiteral("SELECT 1 FROM foodN1 WHERE %1 = ? AND %2 > 0 LIMIT 1")
            .arg(offset::realCodeSql(), offset::valueSql());
    db::Recordset rs;
    rs.Open(sql, cn, {code});
    return !rs.EOF();
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
    std::vector<Assembled> rows;
    {
        QHash<QString, std::size_t> slot;
        db::Recordset rs;
        rs.Open(IntakeSql(), cn, {member, DiarySql::dayKey(from), DiarySql::dayKey(to)});
        if (rs.EOF()) {
            ClearScratchTable(cn);
            return std::nullopt;
        }
        const db::Field code = rs.Fields("code");
        const db::Field amount = rs.Fields("RdVal");
        while (!rs.EOF()) {
            const QString& name = names[code.Value().toLong()];
            const double value = amount.Value().toDouble();
            auto it = slot.constFind(name);
            if (it == slot.constEnd()) {
                slot.insert(name, rows.size());
                rows.push_back({{name, 0, Cents(value)}, name.toUtf8()});
            } else {
                double& total = rows[*it].total.intake;
                total = Cents(total + value);
            }
            rs.MoveNext();
        }
    }

    // The group's RDA, matched by name; where the group has two rows for a nutrient, the later
    // one stands, and a nutrient nobody ate follows the others with an intake of 0.
    {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT nutri.nname, RDA.nutri_val FROM nutri, RDA, usr "
                               "WHERE usr.userid = ? AND RDA.gid = usr.gid "
                               "AND nutri.nutri_cd = RDA.nutri_cd ORDER BY RDA.rowid"),
                cn, {member});
        while (!rs.EOF()) {
            const QString name = rs["nname"].toString();
            const QByteArray key = name.toUtf8();
            const double rda = Cents(rs["nutri_val"].toDouble());
            bool matched = false;
            for (Assembled& row : rows) {
                if (CompareNoCase(row.key, key) == 0) {
                    row.total.rda = rda;
                    matched = true;
                }
            }
            if (!matched) {
                rows.push_back({{name, rda, 0}, key});
            }
            rs.MoveNext();
        }
    }

    // Only a nutrient of which the member ate nothing can be one whose amounts nobody measured.
    for (Assembled& row : rows) {
        if (row.total.intake > 0) {
            continue;
        }
        bool known = false;
        for (auto it = names.cbegin(); it != names.cend() && !known; ++it) {
            known = CompareNoCase(it.value().toUtf8(), row.key) == 0 && SomeFoodHolds(cn, it.key());
        }
        row.total.known = known;
    }

    std::stable_sort(rows.begin(), rows.end(), [](const Assembled& a, const Assembled& b) {
        return CompareNoCase(a.key, b.key) < 0;
    });
    std::vector<NutrientTotal> report;
    report.reserve(rows.size());
    for (Assembled& row : rows) {
        row.total.unit = units.value(row.total.nutrient.toUpper());
        report.push_back(std::move(row.total));
    }
    ClearScratchTable(cn);
    return report;
}

ReportLine Present(const NutrientTotal& total, int days) {
    ReportLine line;
    const QString rda = rt::Format(total.rda * days, kCents);
    line.rda = rt::CDbl(rda) == 0 ? QStringLiteral("-") : rda;
    if (!total.known) {
        line.intake = kNotAvailable;
        line.difference = line.rda == QLatin1String("-") ? line.rda : kNotAvailable;
        line.percent = line.difference;
        line.balance = Balance::NotKnown;
        return line;
    }
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
