#include "ui/DatePicker.h"

#include <QDateEdit>
#include <QtDebug>

#include "ui/ControlSupport.h"
#include "ui/FormDetail.h"

namespace ui {

// ---- DatePicker ------------------------------------------------------------------------------

DatePicker::DatePicker(Form* form, const QString& name, int index)
    : Control(form, name, index), customFormat_(QStringLiteral("dd-MM-yyyy")) {
    auto* edit = new QDateEdit(form);
    edit->setCalendarPopup(true);
    edit->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    edit->setDate(QDate::currentDate());
    QObject::connect(edit, &QDateEdit::dateChanged, edit, [this](const QDate&) {
        if (settingFromCode_) {
            return;
        }
        detail::dispatchFromQt([this] { fire(Change); });
    });
    attach(edit);
    applyFormat();
}

QDateEdit* DatePicker::dateEdit() const {
    return static_cast<QDateEdit*>(widget());
}

QDate DatePicker::Value() const {
    return dateEdit()->date();
}

void DatePicker::setValue(const QDate& date) {
    if (!date.isValid() || date < MinDate() || date > MaxDate()) {
        detail::invalidValue();
    }
    settingFromCode_ = true;
    dateEdit()->setDate(date);
    settingFromCode_ = false;
}

QString DatePicker::qtFormat() const {
    switch (format_) {
        case dtpLongDate:
            return QStringLiteral("dddd, d MMMM yyyy");
        case dtpTime:
            return QStringLiteral("HH:mm:ss");
        case dtpCustom:
            return customFormat_;
        default:
            return QStringLiteral("dd/MM/yyyy");
    }
}

void DatePicker::applyFormat() {
    dateEdit()->setDisplayFormat(qtFormat());
}

void DatePicker::setFormat(int format) {
    if (format < dtpLongDate || format > dtpCustom) {
        detail::invalidValue();
    }
    format_ = format;
    applyFormat();
}

void DatePicker::setCustomFormat(const QString& format) {
    customFormat_ = format;
    applyFormat();
}

QDate DatePicker::MinDate() const {
    return dateEdit()->minimumDate();
}

void DatePicker::setMinDate(const QDate& date) {
    if (!date.isValid() || date > MaxDate()) {
        detail::invalidValue();
    }
    settingFromCode_ = true;
    dateEdit()->setMinimumDate(date);
    settingFromCode_ = false;
}

QDate DatePicker::MaxDate() const {
    return dateEdit()->maximumDate();
}

void DatePicker::setMaxDate(const QDate& date) {
    if (!date.isValid() || date < MinDate()) {
        detail::invalidValue();
    }
    settingFromCode_ = true;
    dateEdit()->setMaximumDate(date);
    settingFromCode_ = false;
}

QString DatePicker::displayText() const {
    return dateEdit()->text();
}

bool DatePicker::setDate(const QDate& date) {
    if (!beginPerson()) {
        return false;
    }
    if (!date.isValid() || date < MinDate() || date > MaxDate()) {
        qWarning("ui: %s cannot show %s", qUtf8Printable(Name()),
                 qUtf8Printable(date.toString(Qt::ISODate)));
        return false;
    }
    if (date == Value()) {
        return true;
    }
    settingFromCode_ = true;
    dateEdit()->setDate(date);
    settingFromCode_ = false;
    fire(Change);
    return true;
}

bool DatePicker::type(const QString& text) {
    const QDate date = QDate::fromString(text.trimmed(), qtFormat());
    if (!date.isValid()) {
        if (canAct()) {
            qWarning("ui: %s does not take '%s'", qUtf8Printable(Name()), qUtf8Printable(text));
        }
        return false;
    }
    return setDate(date);
}

}  // namespace ui
