#pragma once

#include <QString>
#include <functional>
#include <optional>

// The check before a member is stored, over the texts of the entry fields: which rule refuses
// the entry, with the message the person gets and the field where it is corrected. The windows
// show the refusal; nothing here touches a window or the data file.
namespace members {

// The register insists on weight and height and whole numbers; the edit window lets a stored
// member keep an empty weight or height and a height with decimals.
enum class EntryWindow { Register, Edit };

// The texts of a member's entry fields as they stand.
struct EntryValues {
    QString name;
    QString address;
    QString phone;
    QString email;
    QString sex;
    QString age;
    QString height;
    QString weight;
    QString condition;
};

// The field that takes the focus after a refusal; None for the rules that concern several.
enum class EntryField { None, Name, Age, Phone, Weight, Height };

struct EntryRefusal {
    QString message;
    // A warning has the exclamation icon and the program's title; a plain message neither.
    bool warning = true;
    EntryField field = EntryField::None;
    // The pointer is set back to normal before the message.
    bool normalPointer = false;
    bool operator==(const EntryRefusal&) const = default;
};

// A telephone number is stored as its digits alone ("08023456789"); outer blanks do not count.
// A sign, a point, an exponent or a dash ("-5", "1e308", "12-34") makes it no telephone number.
bool IsTelephone(const QString& text);

// The rules in a fixed order; the first that fails refuses the entry. Address, telephone,
// e-mail, weight and height are judged without outer blanks. activityRefusal runs after the
// other rules (the register's activity check): the message of its refusal, plain, or an empty
// text when the activity suits. A number too big to hold refuses with its own message; any other
// error reaches the caller.
std::optional<EntryRefusal> CheckEntry(const EntryValues& values, EntryWindow window,
                                       const std::function<QString()>& activityRefusal = {});

}  // namespace members
