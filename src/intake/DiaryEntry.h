#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "runtime/Error.h"

namespace db {
class Connection;
}

namespace intake {

// One intake as the diary's entry holds it, before it is stored.
struct DiaryEntry {
    // The userid of the chosen member; none when the person chose no member ("-").
    std::optional<qint32> member;
    QDate day;
    // The food as the food list names it.
    QString food;
    // The amount as typed, in `unit`: a serving unit of the food, or "Grams".
    QString quantity;
    QString unit;
};

// Stores a diary entry as one row in grams, after the checks a person's entry needs.
class DiarySave {
  public:
    enum class Outcome {
        Saved,
        NoMember,
        // The food's name holds an apostrophe.
        Apostrophe,
        // No food, no amount, or an amount that is no number from 0 to 30000.
        FieldsEmpty,
        // The member is no longer in the register.
        UnknownMember,
        // The unit is not one of the food's serving units.
        UnknownUnit,
        // The member has this food on this day already.
        Duplicate,
        // The data file refused; `error` says why (not yet logged).
        Failed,
    };
    struct Result {
        Outcome outcome = Outcome::Saved;
        std::optional<rt::Error> error = {};
    };

    static Result Save(db::Connection& cn, const DiaryEntry& entry);
};

}  // namespace intake
