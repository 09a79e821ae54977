#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace db {
class Connection;
}

namespace members {

// What places a member in an RDA group.
struct MemberProfile {
    int age = 0;
    QString period;  // "Y" years or "M" months
    QString sex;
    QString condition;
    QString activity;  // a usrcat activity name
};

// The RDA group of a member: the group whose age band (both ends included) holds the age in
// the member's age unit, and whose sex, condition and activity type are the member's. The
// activity type is that of the activity's first usrcat row. When several groups fit, the lowest
// gid is taken, so the same member always lands in the same group; when none fits, there is
// none (and the RDA windows find no allowances for the member).
class RdaGroup {
  public:
    static std::optional<qint64> Find(db::Connection& cn, const MemberProfile& member);
    // Chooses the group of the stored member and writes it (Null when none fits) into usr.gid.
    // Raises when the member does not exist.
    static std::optional<qint64> Assign(db::Connection& cn, qint64 userid);
};

// Whether an activity of this type suits a member of this age, the age read as a bare number
// whatever its unit: children (1 to 9) need "Unemployed(Child)", teenagers (10 to 18)
// "Unemployed(TeenAge)", though 16 to 18 may also work; the two unemployed types belong to
// their ages only. The refusal's message, or an empty text when the activity suits.
QString ActivityRefusal(double age, const QString& activityType);

}  // namespace members
