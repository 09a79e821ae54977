#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "members/EntryCheck.h"

namespace ui {
class ComboBox;
class CommandButton;
class Control;
class TextBox;
}  // namespace ui

// What the register's entry tab and the member edit window share: the lists they offer, the
// tidying of a field when it is left, and the full check before a member is stored.
namespace members {

inline const QStringList kPrefixes = {QStringLiteral("Mr."),  QStringLiteral("Mrs."),
                                      QStringLiteral("Miss"), QStringLiteral("Ms."),
                                      QStringLiteral("Dr."),  QStringLiteral("Er.")};
inline const QStringList kConditions = {QStringLiteral("--"), QStringLiteral("Pregnant"),
                                        QStringLiteral("Lactation (0-6 Months)"),
                                        QStringLiteral("Lactation (6-12 Months)")};

inline const QString kAgeOverflow = QStringLiteral("Too big number, enter between 1 and 100");
inline const QString kWeightOverflow = QStringLiteral("Too big number, enter between 0 and 130");
inline const QString kHeightOverflow = QStringLiteral("Too big number, enter between 0 and 200");

// The entry fields of a member, as both windows name them.
struct EntryFields {
    ui::ComboBox& cmbPrefix;
    ui::TextBox& txtFirstN;
    ui::TextBox& txtAddress;
    ui::TextBox& txtPhone;
    ui::TextBox& txtEMail;
    ui::ComboBox& cmbSex;
    ui::TextBox& txtAge;
    ui::TextBox& txtHeight;
    ui::TextBox& txtWeight;
    ui::ComboBox& txtCondition;
    ui::ComboBox& cmbActivity;
};

// Connects the fields' leave handlers: texts are trimmed, numbers made whole. A number too big
// for its field, left for `save`, gets the field's warning and then `saveCheck`: the warning
// takes the click away from the button, and the person still hears why nothing is stored.
void TidyOnLeave(const EntryFields& f, ui::CommandButton* save = nullptr,
                 const std::function<void()>& saveCheck = {});
// Leaving a field: its text without outer blanks.
void TrimOnLeave(ui::TextBox& box);
// Leaving a number field: trimmed, and a number becomes the nearest whole number ("7.6" gives
// "8", "007" gives "7"); one too big to hold gives the warning and the focus back (false).
bool WholeNumberOnLeave(ui::TextBox& box, const QString& overflowWarning);

// The check before a member is stored (CheckEntry) on the fields: their texts are trimmed as it
// judges them, and a refusal shows its message and puts the focus where the person corrects it
// (true). Any error on the way refuses the entry too.
bool RefuseEntry(const EntryFields& f, EntryWindow window,
                 const std::function<QString()>& activityRefusal = {});

// The condition list follows the sex and the age, each when it is changed: it opens for a
// woman whose age lies within the limits (by age the window's own, by sex 15 to 45) and
// otherwise goes back to "--", at `none` in the list when the window knows where, and closes.
// A man has no condition; an age that is no number, or too big a number, offers none.
void ConditionOnAge(const EntryFields& f, int lowest, int highest, std::optional<int> none);
void ConditionOnSex(const EntryFields& f, std::optional<int> none);

// Fills an activity list in ascending order and chooses its first entry; `first`, when given,
// stands first and the others follow without it.
void ListActivities(ui::ComboBox& list, const std::optional<QString>& first = std::nullopt);

// Refuses (true) a prefix and name that a member other than `self` bears already, with the
// register's message. A failed read reaches the caller.
bool RefuseTakenName(const QString& prefix, const QString& name, qint64 self = 0);

// Optional texts are stored as one blank when nothing was entered.
QString OrBlank(const QString& text);

}  // namespace members
