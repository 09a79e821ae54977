#include "members/MemberEntry.h"

#include <QRegularExpression>

#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
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
    // A field the person cannot reach now leaves the focus where it is.
    frame::passOver(QStringLiteral("members::focusOn"), [&field] { field.SetFocus(); });
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
    if (!f.txtPhone.Text().isEmpty() && !IsTelephone(f.txtPhone.Text())) {
        return warn(notNumbers, &f.txtPhone);
    }
    // Weight and height: asked for by the register, a number, within 1 and the highest value
    // (whole numbers, but for a height in the edit window).
    const bool registering = window == EntryWindow::Register;
    auto measureRefused = [&](ui::TextBox& box, const QString& missing, int highest,
                              bool fractions) {
        const QString text = box.Text();
        if (text.isEmpty()) {
            return registering && warn(missing, &box);
        }
        if (!rt::IsNumeric(text)) {
            return warn(notNumbers, &box);
        }
        const bool outside = fractions ? rt::CDbl(text) <= 0 || rt::CDbl(text) > highest
                                       : wholeNumberOutside(text, 1, highest);
        return outside &&
               warn(QStringLiteral("Please enter numbers between 1 and %1 only.").arg(highest),
                    &box);
    };
    if (measureRefused(f.txtWeight, QStringLiteral("Please enter weight"), 130, false) ||
        measureRefused(f.txtHeight, QStringLiteral("Please enter height"), 200, !registering)) {
        return true;
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

void TidyOnLeave(const EntryFields& f, ui::CommandButton* save,
                 const std::function<void()>& saveCheck) {
    for (ui::TextBox* box : {&f.txtFirstN, &f.txtAddress, &f.txtEMail, &f.txtPhone}) {
        box->LostFocus = [box] { TrimOnLeave(*box); };
    }
    const QList<std::pair<ui::TextBox*, QString>> numbers = {{&f.txtAge, kAgeOverflow},
                                                             {&f.txtWeight, kWeightOverflow},
                                                             {&f.txtHeight, kHeightOverflow}};
    for (const auto& [box, warning] : numbers) {
        box->LostFocus = [box, warning, save, saveCheck] {
            // While a field loses the focus, the control taking it is already the active one.
            const bool leftForSave = save != nullptr && box->Parent().ActiveControl() == save;
            if (!WholeNumberOnLeave(*box, warning) && leftForSave && saveCheck) {
                saveCheck();
            }
        };
    }
}

void ListActivities(ui::ComboBox& list, const std::optional<QString>& first) {
    list.Clear();
    // A failed read leaves the activities read so far.
    const auto read = [&] {
        db::Params params;
        QString sql = QStringLiteral("Select activityname from usrcat order by activityname ASC");
        if (first) {
            list.AddItem(*first);
            sql = QStringLiteral(
                "Select activityname from usrcat where activityname <> ? order by "
                "activityname ASC");
            params.push_back(*first);
        }
        db::Recordset rs;
        rs.Open(sql, core::cn, params);
        while (!rs.EOF()) {
            const db::Variant name = rs[QStringLiteral("activityname")];
            if (!name.IsNull()) {
                list.AddItem(name.toString());
            }
            rs.MoveNext();
        }
    };
    frame::readOrTell(list.Parent(), QStringLiteral("The list of activities"),
                      QStringLiteral("members::ListActivities"), read);
    if (list.ListCount() > 0) {
        list.setListIndex(0);
    }
}

void TrimOnLeave(ui::TextBox& box) {
    box.setText(rt::Trim(box.Text()));
}

bool WholeNumberOnLeave(ui::TextBox& box, const QString& overflowWarning) {
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
            return false;
        }
    }
    return true;
}

bool IsTelephone(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\+?(\\([0-9]+\\)|[0-9]+)([ -]*(\\([0-9]+\\)|[0-9]+))*$"));
    return number.match(rt::Trim(text)).hasMatch();
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
        frame::logError(error, QStringLiteral("members::RefuseEntry"));
        return warn(error.Description());
    }
}

bool RefuseTakenName(const QString& prefix, const QString& name, qint64 self) {
    db::Recordset rs;
    rs.Open(
        QStringLiteral("SELECT userid FROM usr WHERE FirstN = ? AND Prefix = ? AND userid <> ?"),
        core::cn, {name, prefix, self});
    if (rs.EOF()) {
        return false;
    }
    ui::MsgBox(QStringLiteral("This name is already exist."), ui::vbInformation, kTitle);
    return true;
}

QString OrBlank(const QString& text) {
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

void ReportFailure(const QString& what, const rt::Error& error) {
    ui::MsgBox(what + QLatin1Char('\n') + error.Description(), ui::vbOKOnly | ui::vbExclamation,
               kTitle);
}

}  // namespace members
