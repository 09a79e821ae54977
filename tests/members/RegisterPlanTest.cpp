#include <gmock/gmock.h>

#include "MemberFixture.h"
#include "members/frmUE.h"
#include "support/StatementPlans.h"

namespace {

using members_test::Entry;
using members_test::MemberTest;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// In a register of thousands, a Save, an Update and a Removal find their member and its
// namesakes through the indexes and read the whole register once, to list it again.
TEST_F(MemberTest, TheRegistersWritesFindTheirMemberThroughTheIndexesAndListOnce) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Ravi Kumar"), 40);
    const qint64 meena =
        storeMember(QStringLiteral("Mrs."), QStringLiteral("Meena"), 30, QStringLiteral("Female"));
    eat(meena, QDate(2024, 3, 1), QStringLiteral("Rice"), 100);
    frmUsr& f = openRegister();
    StatementPlans plans(core::cn.handle());

    Entry namesake;
    namesake.prefix = QStringLiteral("Dr.");
    save(f, namesake);
    const auto saved = plans.take();
    f.SSTab1.chooseTab(1);
    host.expectModal<frmUE>([](frmUE& e) {
        e.txtPhone.type(QStringLiteral("9876543210"));
        e.cmdUpdate.click();
    });
    const auto meenasRow = [&f] {
        return f.LViews.FindItem(QStringLiteral("Meena"), ui::lvwSubItem)->Index();
    };
    f.LViews.dblClickItem(meenasRow());
    const auto updated = plans.take();
    f.LViews.clickItem(meenasRow());
    plans.take();
    host.expectMsgBox(QStringLiteral("Do you want to remove user  'Mrs. Meena' ?"))
        .answer(ui::vbYes);
    f.cmdDelete.click();
    const auto removed = plans.take();
    ASSERT_EQ(f.LViews.ListItems.Count(), 2);

    for (const auto& statements : {saved, updated, removed}) {
        EXPECT_THAT(StatementPlans::stepsWith(statements, QStringLiteral("SCAN usr")), SizeIs(1));
        EXPECT_THAT(StatementPlans::stepsWith(statements, QStringLiteral("SCAN dayin")), IsEmpty());
    }
    // The name is refused where another member bears it with the same prefix.
    for (const auto& statements : {saved, updated}) {
        EXPECT_THAT(StatementPlans::stepsWith(statements,
                                              QStringLiteral("usr_FirstN (FirstN=? AND Prefix=?)")),
                    SizeIs(1));
    }
}

}  // namespace
