#include <QList>
#include <tuple>

#include "MemberFixture.h"
#include "members/RdaGroup.h"
#include "runtime/Error.h"

namespace {

using members::ActivityRefusal;
using members::MemberProfile;
using members::RdaGroup;
using members_test::MemberTest;

struct Group {
    qint64 gid;
    int minage;
    int maxage;
    QString unit;
    QString sex;
    QString condition;
    QString type;
};

class RdaGroupTest : public MemberTest {
  protected:
    static QList<Group> groups() {
        QList<Group> list;
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM grpmst"), core::cn);
        while (!rs.EOF()) {
            list.append({rs["gid"].integerValue(), rs["minage"].toLong(), rs["maxage"].toLong(),
                         rs["ageunit"].text(), rs["sex"].text(), rs["condition"].text(),
                         rs["ActTyp"].text()});
            rs.MoveNext();
        }
        return list;
    }
};

// Every member the register lets through (ages 1 to 100 in years or months, a condition only
// for a woman of the ages at which the list opens and the checks allow it, an activity that
// suits the age) finds exactly one delivered group, and the rule picks that one.
TEST_F(RdaGroupTest, EveryMemberTheRegisterAcceptsFindsExactlyOneDeliveredGroup) {
    const QList<Group> all = groups();
    ASSERT_EQ(all.size(), 92);
    QList<std::pair<QString, QString>> activities;
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT activityname, ActivityType FROM usrcat"), core::cn);
    while (!rs.EOF()) {
        activities.append({rs[0].text(), rs[1].text()});
        rs.MoveNext();
    }
    int members = 0;
    for (int age = 1; age <= 100; ++age) {
        for (const QString& unit : {QStringLiteral("Y"), QStringLiteral("M")}) {
            using Person = std::pair<QString, QString>;
            QList<Person> people = {{"Male", "--"}, {"Female", "--"}};
            if (age >= 15 && age <= 45) {
                people.append(Person("Female", "Pregnant"));
            }
            if (age >= 8 && age <= 50) {
                people.append(Person("Female", "Lactation (0-6 Months)"));
                people.append(Person("Female", "Lactation (6-12 Months)"));
            }
            for (const auto& [sex, condition] : people) {
                for (const auto& [activity, type] : activities) {
                    if (!ActivityRefusal(age, type).isEmpty()) {
                        continue;
                    }
                    QList<qint64> fitting;
                    for (const Group& g : all) {
                        if (age >= g.minage && age <= g.maxage && g.unit == unit && g.sex == sex &&
                            g.condition == condition && g.type == type) {
                            fitting.append(g.gid);
                        }
                    }
                    const auto found =
                        RdaGroup::Find(core::cn, {age, unit, sex, condition, activity});
                    ASSERT_EQ(fitting.size(), 1)
                        << age << unit.toStdString() << ' ' << sex.toStdString() << ' '
                        << condition.toStdString() << ' ' << activity.toStdString();
                    ASSERT_EQ(found, fitting.first());
                    ++members;
                }
            }
        }
    }
    EXPECT_GT(members, 3000);
}

TEST_F(RdaGroupTest, BandsAreInclusiveAndUnitConditionAndActivityMustMatch) {
    auto find = [](int age, const char* unit, const char* sex, const char* condition,
                   const char* activity) {
        return RdaGroup::Find(core::cn,
                              {age, QString::fromLatin1(unit), QString::fromLatin1(sex),
                               QString::fromLatin1(condition), QString::fromLatin1(activity)});
    };
    EXPECT_EQ(find(4, "Y", "Male", "--", "Child"), 2);
    EXPECT_EQ(find(6, "Y", "Male", "--", "Child"), 2);
    EXPECT_EQ(find(6, "M", "Male", "--", "Child"), 54);
    EXPECT_EQ(find(30, "Y", "Female", "Pregnant", "Farm labourer"), 30);
    EXPECT_EQ(find(30, "Y", "Female", "--", "Farm labourer"), 22);
    // Letter case of the stored texts does not matter, as everywhere in the data file.
    EXPECT_EQ(find(30, "y", "female", "--", "farm labourer"), 22);
    EXPECT_EQ(find(30, "Y", "Male", "Pregnant", "Farm labourer"), std::nullopt);
    EXPECT_EQ(find(46, "Y", "Female", "Pregnant", "Teacher"), std::nullopt);
    EXPECT_EQ(find(30, "Y", "Male", "--", "Astronaut"), std::nullopt);
    EXPECT_EQ(find(30, "D", "Male", "--", "Teacher"), std::nullopt);
}

TEST_F(RdaGroupTest, OverlappingGroupsGiveTheLowestGidWhateverTheirOrder) {
    core::cn.Execute(
        QStringLiteral("INSERT INTO grpmst VALUES (400, 18, 60, 'Y', 'Male', '--', 'Sedentary'), "
                       "(0, 30, 40, 'Y', 'Male', '--', 'Sedentary')"));
    const MemberProfile man{35, QStringLiteral("Y"), QStringLiteral("Male"), QStringLiteral("--"),
                            QStringLiteral("Teacher")};
    EXPECT_EQ(RdaGroup::Find(core::cn, man), 0);
    core::cn.Execute(QStringLiteral("DELETE FROM grpmst WHERE gid = 0"));
    EXPECT_EQ(RdaGroup::Find(core::cn, man), 8);
    // An activity name stored twice takes the type of its first row.
    core::cn.Execute(QStringLiteral("INSERT INTO usrcat VALUES ('Teacher', 'Heavy')"));
    EXPECT_EQ(RdaGroup::Find(core::cn, man), 8);
}

TEST_F(RdaGroupTest, AssignWritesTheGroupOrNullAndNeedsTheMember) {
    const qint64 id = storeMember(QStringLiteral("Mr."), QStringLiteral("Arun"), 40);
    EXPECT_EQ(RdaGroup::Assign(core::cn, id), 8);
    EXPECT_EQ(value(QStringLiteral("SELECT gid FROM usr WHERE userid = ?"), {id}), db::Variant(8));
    core::cn.Execute(QStringLiteral("UPDATE usr SET Activity = 'Child' WHERE userid = ?"), {id});
    EXPECT_EQ(RdaGroup::Assign(core::cn, id), std::nullopt);
    EXPECT_TRUE(value(QStringLiteral("SELECT gid FROM usr WHERE userid = ?"), {id}).IsNull());
    try {
        RdaGroup::Assign(core::cn, id + 1);
        ADD_FAILURE() << "a member that does not exist got a group";
    } catch (const rt::Error& error) {
        EXPECT_EQ(error.Number(), rt::err::NoCurrentRecord);
    }
}

TEST(ActivityRuleTest, EachAgeHasItsActivities) {
    const QString child = QStringLiteral("Unemployed(Child)");
    const QString teen = QStringLiteral("Unemployed(TeenAge)");
    const QString adult = QStringLiteral("Sedentary");
    const QList<std::tuple<double, QString, QString>> cases = {
        {1, child, ""},
        {9, child, ""},
        {5, teen, "Please select a category for a child."},
        {5, adult, "Please select a category for a child."},
        {10, child, "Please select another activity for adult or teenager."},
        {0, child, "Please select another activity for adult or teenager."},
        {10, teen, ""},
        {18, teen, ""},
        {19, teen, "Please select another activity for adult or child."},
        {12, adult, "Please select a category for teenager"},
        {15, adult, "Please select a category for teenager"},
        {16, adult, ""},
        {18, adult, ""},
        {19, adult, ""},
        {100, adult, ""},
    };
    for (const auto& [age, type, refusal] : cases) {
        EXPECT_EQ(ActivityRefusal(age, type), refusal) << age << ' ' << type.toStdString();
    }
}

}  // namespace
