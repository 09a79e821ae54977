#include "members/RdaGroup.h"

#include "db/Connection.h"
#include "db/Recordset.h"

namespace members {

std::optional<qint64> RdaGroup::Find(db::Connection& cn, const MemberProfile& member) {
    db::Recordset rs;
    rs.Open(QStringLiteral(
                "SELECT gid FROM grpmst WHERE ? BETWEEN minage AND maxage AND ageunit = ? "
                "AND sex = ? AND condition = ? AND ActTyp = (SELECT ActivityType FROM usrcat "
                "WHERE activityname = ? ORDER BY rowid LIMIT 1) ORDER BY gid LIMIT 1"),
            cn, {member.age, member.period, member.sex, member.condition, member.activity});
    if (rs.EOF()) {
        return std::nullopt;
    }
    return rs[QStringLiteral("gid")].toLong();
}

std::optional<qint64> RdaGroup::Assign(db::Connection& cn, qint64 userid) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT Age, period, Sex, Cndition, Activity FROM usr WHERE userid = ?"),
            cn, {userid});
    rs.MoveFirst();  // no such member: error 3021
    MemberProfile member;
    const db::Variant age = rs[QStringLiteral("Age")];
    std::optional<qint64> gid;
    if (!age.IsNull()) {
        member.age = age.toLong();
        member.period = rs[QStringLiteral("period")].text();
        member.sex = rs[QStringLiteral("Sex")].text();
        member.condition = rs[QStringLiteral("Cndition")].text();
        member.activity = rs[QStringLiteral("Activity")].text();
        gid = Find(cn, member);
    }
    cn.Execute(QStringLiteral("UPDATE usr SET gid = ? WHERE userid = ?"),
               {gid ? db::Variant(*gid) : db::Variant(), userid});
    return gid;
}

QString ActivityRefusal(double age, const QString& activityType) {
    const bool child = activityType == QLatin1String("Unemployed(Child)");
    const bool teenager = activityType == QLatin1String("Unemployed(TeenAge)");
    if (age >= 1 && age <= 9 && !child) {
        return QStringLiteral("Please select a category for a child.");
    }
    if (child && (age < 1 || age > 9)) {
        return QStringLiteral("Please select another activity for adult or teenager.");
    }
    if (teenager && (age < 10 || age > 18)) {
        return QStringLiteral("Please select another activity for adult or child.");
    }
    if (age >= 10 && age <= 18 && !teenager && age != 16 && age != 17 && age != 18) {
        return QStringLiteral("Please select a category for teenager");
    }
    return {};
}

}  // namespace members
