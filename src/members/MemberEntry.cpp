#include "members/MemberEntry.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Host.h"

namespace members {
namespace {

const QString kTitle = QStringLiteral("Kelvora");

void focusOn(ui::Control& field) {
    try {
        field.SetFocus();
    } catch (const rt::Error&) {
        // A field the person cannot reach now leaves the focus where it is.
    }
}

// A refusal: the message, and the focus in the field to correct (none for the rules that
// concern several fields).
bool refuse(const QString& message, int buttons, ui::Control* focus = nullptr) {
    ui::MsgBox(message, buttons, buttons == ui::vbOKOnly ? QString() : kTitle);
    if (focus != nullptr) {
        focusOn(*focus);
    }
    return true;
}

bool warn(const QString& message, ui::Control* focus = nullptr) {
    return refuse(message, ui::vbOKOnly | ui::vbExclamation, focus);
}

bool plain(const QString& message, ui::Control* focus = nullptr) {
    return refuse(message, ui::vbOKOnly, focus);
}

bool wholeNumberOutside(const QString& text, int low, int high) {
    const qint16 value = rt::CInt(text);
    return value < low || value > high;
}

bool rules(const EntryFields& f, EntryWindow window, const std::function<bool()>& activityRefused) {
    for (ui::TextBox* box : {&f.txtAddress, &f.txtPhone, &f.txtEMail, &f.txtWeight, &f.txtHeight}) {
        box->setText(rt::Trim(box->Text()));
    }
    if (rt::Trim(f.txtFirstN.Text()).isEmpty()) {
        return warn(QStringLiteral("Please enter a Name"), &f.txtFirstN);
    }
    const QString age = f.txtAge.Text();
    if (age.isEmpty()) {
        return plain(QStringLiteral("Enter age"), &f.txtAge);
    }
    if (!rt::IsNumeric(age)) {
        return plain(QStringLiteral("Enter numbers only"), &f.txtAge);
    }
    if (wholeNumberOutside(age, 1, 100)) {
        return warn(QStringLiteral("Please enter Age between 1 and 100"), &f.txtAge);
    }
    const QString notNumbers = QStringLiteral("Please numbers only.");
    if (!f.txtPhone.Text().isEmpty() && !rt::IsNumeric(f.txtPhone.Text())) {
        return warn(notNumbers, &f.txtPhone);
    }
    const bool registering = window == EntryWindow::Register;
    const QString weight = f.txtWeight.Text();
    if (registering && weight.isEmpty()) {
        return warn(QStringLiteral("Please enter weight"), &f.txtWeight);
    }
    if (!weight.isEmpty()) {
        if (!rt::IsNumeric(weight)) {
            return warn(notNumbers, &f.txtWeight);
        }
        if (wholeNumberOutside(weight, 1, 130)) {
            return warn(QStringLiteral("Please enter numbers between 1 and 130 only."),
                        &f.txtWeight);
        }
    }
    const QString height = f.txtHeight.Text();
    if (registering && height.isEmpty()) {
        return warn(QStringLiteral("Please enter height"), &f.txtHeight);
    }
    if (!height.isEmpty()) {
        if (!rt::IsNumeric(height)) {
            return warn(notNumbers, &f.txtHeight);
        }
        const bool outside = registering ? wholeNumberOutside(height, 1, 200)
                                         : rt::CDbl(height) <= 0 || rt::CDbl(height) > 200;
        if (outside) {
            return warn(QStringLiteral("Please enter numbers between 1 and 200 only."),
                        &f.txtHeight);
        }
    }
    const QString sex = f.cmbSex.Text();
    const QString condition = f.txtCondition.Text();
    if (condition != QLatin1String("--") && sex == QLatin1String("Male")) {
        return warn(QStringLiteral("Please remove the condition for the Male users"));
    }
    if (sex == QLatin1String("Female") && condition == QLatin1String("Pregnant")) {
        const double years = rt::Val(age);
        if (years < 15 || years > 45) {
            return warn(QStringLiteral("Please enter age between 15 and 45 for Preganent lady."));
        }
    }
    if (activityRefused && activityRefused()) {
        return true;
    }
    const QChar apostrophe = QLatin1Char('\'');
    if (f.txtFirstN.Text().contains(apostrophe) || f.txtAddress.Text().contains(apostrophe) ||
        f.txtEMail.Text().contains(apostrophe)) {
        ui::Screen::setMousePointer(ui::vbDefault);
        return plain(QStringLiteral("Do not enter '"));
    }
    return false;
}

}  // namespace

void TrimOnLeave(ui::TextBox& box) {
    box.setText(rt::Trim(box.Text()));
}

void WholeNumberOnLeave(ui::TextBox& box, const QString& overflowWarning) {
    try {
        TrimOnLeave(box);
        const QString text = box.Text();
        if (!text.isEmpty() && rt::IsNumeric(text)) {
            box.setText(QString::number(rt::CInt(text)));
        }
    } catch (const rt::Error& error) {
        if (error.Number() == rt::err::Overflow) {
            ui::MsgBox(overflowWarning);
            focusOn(box);
        }
    }
}

bool RefuseEntry(const EntryFields& f, EntryWindow window,
                 const std::function<bool()>& activityRefused) {
    try {
        return rules(f, window, activityRefused);
    } catch (const rt::Error& error) {
        if (error.Number() == rt::err::Overflow) {
            return plain(QStringLiteral("Some field contain too big number, enter it again."));
        }
        // What cannot be checked is not stored.
        return warn(error.Description());
    }
}

QString OrBlank(const QString& text) {
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

void ReportFailure(const QString& what, const rt::Error& error) {
    ui::MsgBox(what + QLatin1Char('\n') + error.Description(), ui::vbOKOnly | ui::vbExclamation,
               kTitle);
}

}  // namespace members
