#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace db {
class Connection;
}

// A member's intakes over a range of days against the RDA of the member's group for as many
// days. The sums are assembled in the scratch table SYSTABLE, which is empty before and after
// every run. Every stored amount is rounded to cents, and the running intake total is rounded
// again at every addition, so that the figures are those the report has always shown.
namespace intake::RdaVsIntake {

// One nutrient as the scratch table holds it at the end of a run: the RDA of one day (0 when
// the group has none) and the intake of the whole range; with the unit of the nutrient of that
// name (letter case aside), empty when there is none.
struct NutrientTotal {
    QString nutrient;
    double rda = 0;
    double intake = 0;
    QString unit = {};
};

enum class Balance { Even, Deficiency, NotInRda, MoreThanRda };

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
// merged with the RDA of the member's group, by nutrient name. No value when the member ate
// nothing in the range (the RDA is then not read). An error leaves SYSTABLE as the run found it
// and reaches the caller.
std::optional<std::vector<NutrientTotal>> Run(db::Connection& cn, qint64 member, const QDate& from,
                                              const QDate& to);

// The report's texts for a nutrient over `days` days.
ReportLine Present(const NutrientTotal& total, int days);

}  // namespace intake::RdaVsIntake
