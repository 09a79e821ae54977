#include "members/MemberEntry.h"

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

ui::Control* control(const EntryFields& f, EntryField field) {
    switch (field) {
        case EntryField::Name:
            return &f.txtFirstN;
        case EntryField::Age:
            return &f.txtAge;
        case EntryField::Phone:
            return &f.txtPhone;
        case EntryField::Weight:
            return &f.txtWeight;
        case EntryField::Height:
            return &f.txtHeight;
        case EntryField::None:
            break;
    }
    return nullptr;
}

void noCondition(ui::ComboBox& condition, std::optional<int> none) {
    if (none && *none >= 0 && *none < condition.ListCount()) {
        condition.setListIndex(*none);
    }
    condition.setEnabled(false);
}

}  // namespace

void ConditionOnAge(const EntryFields& f, int lowest, int highest, std::optional<int> none) {
    if (rt::Trim(f.txtAge.Text()).isEmpty() || f.cmbSex.Text() != QLatin1String("Female")) {
        return;
    }
    bool offered = false;
    try {
        const qint16 age = rt::CInt(f.txtAge.Text());
        offered = age >= lowest && age <= highest;
    } catch (const rt::Error& error) {
        if (!frame::isConversionError(error)) {
            throw;
        }
    }
    if (offered) {
        f.txtCondition.setEnabled(true);
    } else {
        noCondition(f.txtCondition, none);
    }
}

void ConditionOnSex(const EntryFields& f, std::optional<int> none) {
    const QString sex = f.cmbSex.Text();
    if (sex == QLatin1String("Male")) {
        noCondition(f.txtCondition, none);
    } else if (sex == QLatin1String("Female")) {
        const double age = rt::Val(f.txtAge.Text());
        f.txtCondition.setEnabled(age >= 15 && age <= 45);
    }
}

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

bool RefuseEntry(const EntryFields& f, EntryWindow window,
                 const std::function<QString()>& activityRefusal) {
    for (ui::TextBox* box : {&f.txtAddress, &f.txtPhone, &f.txtEMail, &f.txtWeight, &f.txtHeight}) {
        TrimOnLeave(*box);
    }
    const EntryValues values = {.name = f.txtFirstN.Text(),
                                .address = f.txtAddress.Text(),
                                .phone = f.txtPhone.Text(),
                                .email = f.txtEMail.Text(),
                                .sex = f.cmbSex.Text(),
                                .age = f.txtAge.Text(),
                                .height = f.txtHeight.Text(),
                                .weight = f.txtWeight.Text(),
                                .condition = f.txtCondition.Text()};
    std::optional<EntryRefusal> refusal;
    try {
        refusal = CheckEntry(values, window, activityRefusal);
    } catch (const rt::Error& error) {
        // What cannot be checked is not stored.
        frame::logError(error, QStringLiteral("members::RefuseEntry"));
        refusal = EntryRefusal{error.Description()};
    }
    if (!refusal) {
        return false;
    }
    if (refusal->normalPointer) {
        ui::Screen::setMousePointer(ui::vbDefault);
    }
    ui::MsgBox(refusal->message, refusal->warning ? ui::vbOKOnly | ui::vbExclamation : ui::vbOKOnly,
               refusal->warning ? kTitle : QString());
    if (ui::Control* field = control(f, refusal->field)) {
        focusOn(*field);
    }
    return true;
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

}  // namespace members
