#include "db/Recordset.h"
#include "frame/core.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

const QString kTextA = QStringLiteral(
    "Some result may be different  because Kelvora registry has been corrupted or changed, Do "
    "you want to repair it ?");
const QString kTextB = QStringLiteral(
    "some result may be different  because Kelvora registry has been corrupted or changed, Do "
    "you want to repair it ?");

class CheckRegistryTest : public ProgramTest {
  protected:
    void SetUp() override {
        start();
        core::cn.Execute(
            QStringLiteral("INSERT INTO usr (Prefix, FirstN, Sex, Age, period) "
                           "VALUES ('Mrs.', 'Asha', 'Female', 30, 'Y')"));
    }
};

TEST_F(CheckRegistryTest, ValidValuesAskNothing) {
    setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    setOption(QStringLiteral("ctb"), QStringLiteral("READY FOOD"));
    core::CheckRegistry();
    EXPECT_TRUE(host.calls().filter(QStringLiteral("MsgBox")).isEmpty());
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("Asha"));
}

TEST_F(CheckRegistryTest, MissingKeysAreCheckedAsDefaultsAndNotWritten) {
    core::CheckRegistry();
    EXPECT_TRUE(host.calls().filter(QStringLiteral("MsgBox")).isEmpty());
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("<none>"));
    EXPECT_EQ(option(QStringLiteral("ctb")), QStringLiteral("<none>"));
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("<none>"));
}

TEST_F(CheckRegistryTest, DeletedDefaultMemberIsRepairedOnYes) {
    setOption(QStringLiteral("Defter"), QStringLiteral("Ravi"));
    host.expectMsgBox(kTextA, ui::vbYesNo | ui::vbCritical, QStringLiteral("Kelvora"))
        .answer(ui::vbYes);
    host.expectMsgBox(QStringLiteral("Repaired successfully"), ui::vbOKOnly,
                      QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    core::CheckRegistry();
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("-"));
}

TEST_F(CheckRegistryTest, OneQuestionRepairsEveryFailedCheck) {
    setOption(QStringLiteral("Defter"), QStringLiteral("Ravi"));
    setOption(QStringLiteral("ctb"), QStringLiteral("SWEETS"));
    host.expectMsgBox(kTextA).answer(ui::vbYes);
    host.expectMsgBox(QStringLiteral("Repaired successfully")).answer(ui::vbOK);
    core::CheckRegistry();
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("-"));
    EXPECT_EQ(option(QStringLiteral("ctb")), QStringLiteral("ALL FOODS"));
}

TEST_F(CheckRegistryTest, OnlyTheCategoryAsksWithTheLowerCaseText) {
    setOption(QStringLiteral("ctb"), QStringLiteral("SWEETS"));
    host.expectMsgBox(kTextB, ui::vbYesNo | ui::vbCritical, QStringLiteral("Kelvora"))
        .answer(ui::vbYes);
    host.expectMsgBox(QStringLiteral("Repaired successfully")).answer(ui::vbOK);
    core::CheckRegistry();
    EXPECT_EQ(option(QStringLiteral("ctb")), QStringLiteral("ALL FOODS"));
}

TEST_F(CheckRegistryTest, NoEndsTheProgramAndLaterValuesStay) {
    setOption(QStringLiteral("Defter"), QStringLiteral("Ravi"));
    setOption(QStringLiteral("language"), QStringLiteral("Klingon"));
    host.expectMsgBox(kTextA).answer(ui::vbNo);
    expectProgramEnds([] { core::CheckRegistry(); });
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("Ravi"));
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("Klingon"));
}

TEST_F(CheckRegistryTest, AValueWithAnApostropheIsCheckedLikeAnyOther) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi' OR '1'='1"));
    host.expectMsgBox(kTextA).answer(ui::vbYes);
    host.expectMsgBox(QStringLiteral("Repaired successfully")).answer(ui::vbOK);
    core::CheckRegistry();
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("ENGLISH"));
}

TEST_F(CheckRegistryTest, TheNameOfTheDefaultMemberIsComparedWithoutCase) {
    // The data file compares names without regard to case, as it always has.
    setOption(QStringLiteral("Defter"), QStringLiteral("ASHA"));
    core::CheckRegistry();
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("ASHA"));
}

TEST_F(CheckRegistryTest, ADamagedDataFileEndsTheCheckSilently) {
    setOption(QStringLiteral("language"), QStringLiteral("Klingon"));
    core::cn.Execute(QStringLiteral("DROP TABLE langcat"));
    core::CheckRegistry();
    EXPECT_TRUE(host.calls().filter(QStringLiteral("MsgBox")).isEmpty());
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("Klingon"));
}

}  // namespace
