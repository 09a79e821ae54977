#include <gmock/gmock.h>

#include "frame/frmStrt.h"
#include "intake/IntakeFixture.h"
#include "intake/frmDIn.h"
#include "intake/frmRda.h"
#include "intake/frmVRda.h"
#include "support/StatementPlans.h"

namespace {

using namespace intake_test;
using ::testing::Each;
using ::testing::IsEmpty;
using ::testing::Not;

// The first word of each statement that names the diary's table.
QStringList diaryStatements(const QList<StatementPlans::Statement>& statements) {
    QStringList verbs;
    for (const auto& statement : statements) {
        if (statement.sql.contains(QLatin1String("dayin"))) {
            verbs << statement.sql.section(QLatin1Char(' '), 0, 0);
        }
    }
    return verbs;
}

// A clinic's diary holds millions of rows and its register thousands of members: whatever the
// windows do for one member reads that member's rows through the indexes, however the SQL is
// spelt; opening reads the diary once, and a Save or a Delete reads it once more to list it.
TEST_F(IntakeTest, TheDiaryAndTheReportsReadOneMembersDaysThroughTheIndexes) {
    const qint32 asha = addMember(QStringLiteral("Asha"));
    addNamesake(QStringLiteral("Asha"), QStringLiteral("Miss"));
    addMember(QStringLiteral("Meena"));
    setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    eat(asha, QDate::currentDate(), QStringLiteral("Bajra"), 100);
    StatementPlans plans(core::cn.handle());

    frmStrt::instance().Label1.click();
    frmDIn& diary = frmDIn::instance();
    auto all = plans.take();
    // Opening reads the member's diary once.
    EXPECT_EQ(diaryStatements(all), QStringList{"SELECT"});
    diary.LView.clickItem(QStringLiteral("Ragi"));
    diary.txtQuan.type(QStringLiteral("10"));
    plans.take();
    diary.cmdAdd.click();
    auto step = plans.take();
    EXPECT_EQ(diaryStatements(step), (QStringList{"INSERT", "SELECT"}));
    all << step;
    diary.LstView.clickItem(1);
    host.expectMsgBox(QStringLiteral("Do you want to delete ?")).answer(ui::vbYes);
    diary.cmdDelete.click();
    step = plans.take();
    EXPECT_EQ(diaryStatements(step), (QStringList{"DELETE", "SELECT"}));
    all << step;
    diary.LstView.clickHeader(4);
    diary.cmbLang.choose(QStringLiteral("Hindi"));
    frmStrt::instance().Label3.click();
    frmVRda::instance().cmdGo.click();
    frmStrt::instance().Label2.click();
    frmRda::instance().cmbName.choose(QStringLiteral("Meena"));
    all << plans.take();

    EXPECT_THAT(StatementPlans::stepsWith(all, QStringLiteral("SCAN dayin")), IsEmpty());
    // Only the member lists, which show every member by name, read the whole register, and
    // then its name index alone; namesakes are counted through that index.
    EXPECT_THAT(StatementPlans::stepsWith(all, QStringLiteral("SCAN usr")),
                Each(QStringLiteral("SCAN usr USING COVERING INDEX usr_FirstN")));
    EXPECT_THAT(StatementPlans::stepsWith(
                    all, QStringLiteral("USING COVERING INDEX usr_FirstN (FirstN=? AND Prefix=?)")),
                Not(IsEmpty()));
    // The report takes the days of its range, the diary list the member's days.
    const QStringList range = StatementPlans::stepsWith(
        all, QStringLiteral("dayin USING INDEX dayin_uid_day (uid=? AND"));
    EXPECT_THAT(range, Not(IsEmpty()));
    EXPECT_THAT(range,
                Each(QStringLiteral(
                    "SEARCH dayin USING INDEX dayin_uid_day (uid=? AND <expr>>? AND <expr><?)")));
    EXPECT_THAT(
        StatementPlans::stepsWith(all, QStringLiteral("dayin USING INDEX dayin_uid_day (uid=?)")),
        Not(IsEmpty()));
    // Whether any food holds a nutrient nobody ate is asked of that nutrient's rows alone.
    EXPECT_THAT(StatementPlans::stepsWith(
                    all, QStringLiteral("SEARCH foodN1 USING INDEX foodN1_code (<expr>=?)")),
                Not(IsEmpty()));
}

}  // namespace
