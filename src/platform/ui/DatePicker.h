#pragma once

#include <QDate>
#include <QString>
#include <functional>

#include "ui/Control.h"

class QDateEdit;

namespace ui {

// ---------------------------------------------------------------------------------------------
// A date picker. Change fires only when a person edits the date, never when code sets Value.
// A typed date that does not exist ("31-02-2026") is refused with a message once it is typed
// in full or the field is left, and the field keeps the date it had.
class DatePicker : public Control {
  public:
    DatePicker(Form* form, const QString& name, int index = -1);

    QDate Value() const;
    // Error 380 outside MinDate..MaxDate or for an invalid date.
    void setValue(const QDate& date);
    void setFormat(int format);
    // Day-first pictures: "dd-MM-yyyy", "dd/MM/yyyy" (d, dd, M, MM, MMM, yy, yyyy).
    void setCustomFormat(const QString& format);
    // The date as the picker shows it.
    QString displayText() const;

    std::function<void()> Change;

    // person: picks a date in the calendar, or types it in the shown format (typeKeys and
    // pressKey type into the field key by key, as on the screen). A text in the format that
    // names no day is refused as on the screen.
    bool setDate(const QDate& date);
    bool type(const QString& text);

    QDateEdit* dateEdit() const;

  protected:
    // The keys of the person-side calls (pressKey, typeKeys) go to the date field as Qt's keys.
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool handlesQtKey(int keyCode, int keyAscii) const override;
    void leaving() override;

  private:
    QDate MinDate() const;
    QDate MaxDate() const;
    // Refuses a typed text that names no day (true), the field back on its date.
    bool refuseNoDay();
    void tellNoDay(const QString& typed);
    void applyFormat();
    QString qtFormat() const;
    int format_ = dtpShortDate;
    QString customFormat_;
    bool settingFromCode_ = false;
};

}  // namespace ui
