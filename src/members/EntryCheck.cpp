#include "members/EntryCheck.h"

#include <algorithm>

#include "runtime/Convert.h"
#include "runtime/Error.h"

namespace members {
namespace {

EntryRefusal warning(const QString& message, EntryField field = EntryField::None) {
    return {message, true, field};
}

EntryRefusal plain(const QString& message, EntryField field = EntryField::None) {
    return {message, false, field};
}

bool wholeNumberOutside(const QString& text, int low, int high) {
    const qint16 value = rt::CInt(text);
    return value < low || value > high;
}

std::optional<EntryRefusal> rules(const EntryValues& v, EntryWindow window,
                                  const std::function<QString()>& activityRefusal) {
    const QString phone = rt::Trim(v.phone);
    if (rt::Trim(v.name).isEmpty()) {
        return warning(QStringLiteral("Please enter a Name"), EntryField::Name);
    }
    if (v.age.isEmpty()) {
        return plain(QStringLiteral("Enter age"), EntryField::Age);
    }
    if (!rt::IsNumeric(v.age)) {
        return plain(QStringLiteral("Enter numbers only"), EntryField::Age);
    }
    if (wholeNumberOutside(v.age, 1, 100)) {
        return warning(QStringLiteral("Please enter Age between 1 and 100"), EntryField::Age);
    }
    const QString notNumbers = QStringLiteral("Please numbers only.");
    if (!phone.isEmpty() && !IsTelephone(phone)) {
        return warning(notNumbers, EntryField::Phone);
    }
    // Weight and height: asked for by the register, a number, within 1 and the highest value
    // (whole numbers, but for a height in the edit window).
    const bool registering = window == EntryWindow::Register;
    auto measure = [&](const QString& typed, EntryField field, const QString& missing, int highest,
                       bool fractions) -> std::optional<EntryRefusal> {
        const QString text = rt::Trim(typed);
        if (text.isEmpty()) {
            return registering ? std::optional(warning(missing, field)) : std::nullopt;
        }
        if (!rt::IsNumeric(text)) {
            return warning(notNumbers, field);
        }
        const bool outside = fractions ? rt::CDbl(text) <= 0 || rt::CDbl(text) > highest
                                       : wholeNumberOutside(text, 1, highest);
        if (outside) {
            return warning(
                QStringLiteral("Please enter numbers between 1 and %1 only.").arg(highest), field);
        }
        return std::nullopt;
    };
    if (auto refusal = measure(v.weight, EntryField::Weight, QStringLiteral("Please enter weight"),
                               130, false)) {
        return refusal;
    }
    if (auto refusal = measure(v.height, EntryField::Height, QStringLiteral("Please enter height"),
                               200, !registering)) {
        return refusal;
    }
    if (v.condition != QLatin1String("--") && v.sex == QLatin1String("Male")) {
        return warning(QStringLiteral("Please remove the condition for the Male users"));
    }
    if (v.sex == QLatin1String("Female") && v.condition == QLatin1String("Pregnant")) {
        const double years = rt::Val(v.age);
        if (years < 15 || years > 45) {
            return warning(
                QStringLiteral("Please enter age between 15 and 45 for Preganent lady."));
        }
    }
    if (activityRefusal) {
        if (const QString message = activityRefusal(); !message.isEmpty()) {
            return plain(message);
        }
    }
    const QChar apostrophe = QLatin1Char('\'');
    if (v.name.contains(apostrophe) || v.address.contains(apostrophe) ||
        v.email.contains(apostrophe)) {
        EntryRefusal refusal = plain(QStringLiteral("Do not enter '"));
        refusal.normalPointer = true;
        return refusal;
    }
    return std::nullopt;
}

}  // namespace

bool IsTelephone(const QString& text) {
    const QString digits = rt::Trim(text);
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

std::optional<EntryRefusal> CheckEntry(const EntryValues& values, EntryWindow window,
                                       const std::function<QString()>& activityRefusal) {
    try {
        return rules(values, window, activityRefusal);
    } catch (const rt::Error& error) {
        if (error.Number() != rt::err::Overflow) {
            throw;
        }
        return plain(QStringLiteral("Some field contain too big number, enter it again."));
    }
}

}  // namespace members
