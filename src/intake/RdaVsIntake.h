#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace db {
class Connection;
}

// A member's intakes over a range of days against the RDA of the member's group for as many
// days, assembled in memory so that a report only reads the data file. Every amount is rounded
// to cents, the running intake total is rounded again at every addition, and nutrient names
// match and sort without regard to the case of ASCII letters (as SQLite's NOCASE), so that the
// figures and their order are those the report has always shown. The data file's scratch table
// SYSTABLE, where the report was once assembled, stays empty: rows left there are removed.
namespace intake::RdaVsIntake {

// One nutrient of the report: the RDA of one day (0 when the group has none) and the intake of
// the whole range; with the unit of the nutrient of that name (letter case aside), empty when
// there is none. A nutrient that no food of the data file holds a value above zero for has not
// been measured: what anyone ate of it is not known, which is not the same as none.
struct NutrientTotal {
    QString nutrient;
    double rda = 0;
    double intake = 0;
    QString unit = {};
    bool known = true;
};

// NotKnown: the intake is not known, and the row is neither coloured nor counted.
enum class Balance { Even, Deficiency, NotInRda, MoreThanRda, NotKnown };

// A nutrient's texts in the report's columns and the class of its row.
struct ReportLine {
    QString rda;
    QString intake;
    QString difference;
    QString percent;
    Balance balance = Balance::Even;
};

// Both ends count: a range of one day has a count of 1.
int DayCount(const QDate& from, const QDate& to);

// A number as the scratch table stores it: rounded to cents ("###0.00").
double Cents(double value);

// The totals of every nutrient the member (a userid) ate from `from` to `to` (both included),
// merged with the RDA of the member's group, by nutrient name, each told whether its intake is
// known (a nutrient the member ate some of always is). No value when the member ate
// nothing in the range (the RDA is then not read). A run writes to the data file only to empty
// a scratch table that holds rows; an error leaves the file as the run found it and reaches the
// caller.
std::optional<std::vector<NutrientTotal>> Run(db::Connection& cn, qint64 member, const QDate& from,
                                              const QDate& to);

// The report's texts for a nutrient over `days` days. An intake that is not known reads "Not
// Available", and so do the difference and the percentage where there is an RDA to compare.
ReportLine Present(const NutrientTotal& total, int days);

}  // namespace intake::RdaVsIntake
