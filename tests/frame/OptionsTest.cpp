#include <QFile>
#include <QUrl>

#include "frame/core.h"
#include "frame/frmAus.h"
#include "frame/frmMain.h"
#include "frame/frmOpt.h"
#include "frame/frmSpl.h"
#include "frame/frmStrt.h"
#include "runtime/Settings.h"
#include "support/ListReading.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

class OptionsTest : public ProgramTest, protected ListReading {
  protected:
    void SetUp() override {
        start();
        core::cn.Execute(
            QStringLiteral("INSERT INTO usr (Prefix, FirstN) VALUES "
                           "('Mr.', 'Vikram'), ('Mrs.', 'Asha'), ('Ms.', 'Meena')"));
    }
    frmOpt& open() {
        frmStrt::instance().Label11.click();
        return frmOpt::instance();
    }
    // Browses to a second good data file, then goes back to the lists.
    QString browseToSecondFile(frmOpt& f) {
        const QString good = programDir() + QStringLiteral("/second.vs_");
        installDeliveredDataFile(good);
        f.SSTab1.chooseTab(1);
        host.expectOpenDialog().answer(good);
        f.cmdBrowse.click();
        f.SSTab1.chooseTab(0);
        return good;
    }
};

TEST_F(OptionsTest, ListsStartWithTheStoredValueAndEndWithNoMember) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    setOption(QStringLiteral("ctb"), QStringLiteral("READY FOOD"));
    frmOpt& f = open();
    const QStringList languages = entries(f.cmbLang);
    ASSERT_EQ(languages.size(), 14);
    EXPECT_EQ(languages.first(), QStringLiteral("Hindi"));
    EXPECT_EQ(languages.mid(1, 3),
              (QStringList{QStringLiteral("Assamese"), QStringLiteral("Bengali"),
                           QStringLiteral("ENGLISH")}));
    EXPECT_EQ(f.cmbCat.Text(), QStringLiteral("READY FOOD"));
    EXPECT_EQ(entries(f.cmbCat).count(QStringLiteral("READY FOOD")), 1);
    EXPECT_EQ(entries(f.cmbUsr), (QStringList{QStringLiteral("-"), QStringLiteral("Asha"),
                                              QStringLiteral("Meena"), QStringLiteral("Vikram")}));
    EXPECT_EQ(f.txtPath.Text(), dataFile());
}

TEST_F(OptionsTest, AStoredMemberComesFirstAndNoMemberLast) {
    setOption(QStringLiteral("Defter"), QStringLiteral("Meena"));
    frmOpt& f = open();
    EXPECT_EQ(entries(f.cmbUsr), (QStringList{QStringLiteral("Meena"), QStringLiteral("Asha"),
                                              QStringLiteral("Vikram"), QStringLiteral("-")}));
}

TEST_F(OptionsTest, OfNamesakesTheOneTheStoredNameStandsForIsOffered) {
    core::cn.Execute(QStringLiteral("INSERT INTO usr (Prefix, FirstN) VALUES ('Miss', 'Asha')"));
    frmOpt& f = open();
    EXPECT_EQ(entries(f.cmbUsr), (QStringList{"-", "Asha (Mrs.)", "Meena", "Vikram"}));
    f.cmbUsr.choose(QStringLiteral("Asha (Mrs.)"));
    f.cmdOK.click();
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("Asha"));
}

TEST_F(OptionsTest, AStoredLanguageThatIsGoneIsStillShownFirst) {
    setOption(QStringLiteral("language"), QStringLiteral("Latin"));
    EXPECT_EQ(open().cmbLang.List(0), QStringLiteral("Latin"));
}

TEST_F(OptionsTest, RestoreDefaultThenCancelStoresNothing) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    frmOpt& f = open();
    f.cmdDefault.click();
    EXPECT_EQ(f.cmbLang.Text(), QStringLiteral("ENGLISH"));
    EXPECT_EQ(f.cmbCat.Text(), QStringLiteral("ALL FOODS"));
    EXPECT_EQ(f.cmbUsr.Text(), QStringLiteral("-"));
    EXPECT_EQ(entries(f.cmbUsr).count(QStringLiteral("-")), 1);
    EXPECT_EQ(f.txtPath.Text(), dataFile());
    f.cmdCancel.click();
    EXPECT_FALSE(frmOpt::isLoaded());
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("Hindi"));
}

TEST_F(OptionsTest, OkWithTheSamePathStoresTheFourValues) {
    frmOpt& f = open();
    f.cmbLang.choose(QStringLiteral("Tamili"));
    f.cmbCat.choose(QStringLiteral("READY FOOD"));
    f.cmbUsr.choose(QStringLiteral("Asha"));
    f.cmdOK.click();
    EXPECT_FALSE(frmOpt::isLoaded());
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("Tamili"));
    EXPECT_EQ(option(QStringLiteral("ctb")), QStringLiteral("READY FOOD"));
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("Asha"));
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
}

TEST_F(OptionsTest, BrowseTakesOnlyAFileThatOpens) {
    const QString good = programDir() + QStringLiteral("/second.vs_");
    installDeliveredDataFile(good);
    const QString foreign = programDir() + QStringLiteral("/foreign.vs_");
    createDataFile(foreign, QStringLiteral("not ours"));
    frmOpt& f = open();
    f.SSTab1.chooseTab(1);

    host.expectOpenDialog().answer(foreign);
    host.expectMsgBox(QStringLiteral("Invalid data file. Data file path cannotbe changed"),
                      ui::vbOKOnly, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    f.cmdBrowse.click();
    EXPECT_EQ(f.txtPath.Text(), dataFile());

    host.expectOpenDialog().cancel();
    f.cmdBrowse.click();
    EXPECT_EQ(f.txtPath.Text(), dataFile());

    auto picker = host.expectOpenDialog().answer(good);
    f.cmdBrowse.click();
    EXPECT_EQ(f.txtPath.Text(), good);
    EXPECT_EQ(picker.request().Filter, QStringLiteral("Kelvora File (*.vs_)|*.vs_"));
}

// The template is never worked in: browsing to it names the person's own file, which is no
// change of path.
TEST_F(OptionsTest, BrowseToTheTemplateStandsForThePersonsOwnFile) {
    setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    frmOpt& f = open();
    f.SSTab1.chooseTab(1);
    host.expectOpenDialog().answer(deliveredFile());
    f.cmdBrowse.click();
    EXPECT_EQ(f.txtPath.Text(), dataFile());
    f.cmdOK.click();
    EXPECT_FALSE(frmOpt::isLoaded());
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("Asha"));
}

TEST_F(OptionsTest, AChangedPathAnsweredNoKeepsTheOldPathButStoresTheLists) {
    frmOpt& f = open();
    const QString good = browseToSecondFile(f);
    f.cmbLang.choose(QStringLiteral("Hindi"));
    f.cmbUsr.choose(QStringLiteral("Vikram"));
    host.expectMsgBox(
            QStringLiteral(
                "Data file path is changed. It will take effect after restarting Kelvora"),
            ui::vbYesNo | ui::vbInformation, QStringLiteral("Kelvora"))
        .answer(ui::vbNo);
    f.cmdOK.click();
    EXPECT_FALSE(frmOpt::isLoaded());
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("Hindi"));
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("Vikram"));
}

TEST_F(OptionsTest, AChangedPathAnsweredYesEndsAndTheNextStartUsesIt) {
    frmOpt& f = open();
    const QString good = browseToSecondFile(f);
    f.cmbUsr.choose(QStringLiteral("Vikram"));
    host
        .expectMsgBox(QStringLiteral(
            "Data file path is changed. It will take effect after restarting Kelvora"))
        .answer(ui::vbYes);
    expectProgramEnds([&] { f.cmdOK.click(); });
    EXPECT_EQ(option(QStringLiteral("data path")), good);
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("-"));

    restart();
    EXPECT_EQ(core::DataPath, good);
}

TEST_F(OptionsTest, EscapeClosesWithoutStoring) {
    frmOpt& f = open();
    f.cmbLang.choose(QStringLiteral("Hindi"));
    f.pressKey(ui::vbKeyEscape);
    EXPECT_FALSE(frmOpt::isLoaded());
    EXPECT_EQ(option(QStringLiteral("language")), QStringLiteral("<none>"));
}

using AboutTest = ProgramTest;

TEST_F(AboutTest, GetKeyValueReadsTextAndNumbers) {
    frmAus about;
    rt::SaveSetting(QStringLiteral("Kelvora"), QStringLiteral("Options"), QStringLiteral("name"),
                    QStringLiteral("abc"));
    rt::SaveSetting(QStringLiteral("Kelvora"), QStringLiteral("Options"), QStringLiteral("count"),
                    QStringLiteral("261"));
    rt::SaveSetting(QStringLiteral("Kelvora"), QStringLiteral("Options"), QStringLiteral("big"),
                    QStringLiteral("305419896"));
    QString out = QStringLiteral("untouched");
    EXPECT_TRUE(about.GetKeyValue(0, QStringLiteral("Options"), QStringLiteral("name"), out));
    EXPECT_EQ(out, QStringLiteral("abc"));
    EXPECT_TRUE(about.GetKeyValue(0, QStringLiteral("Options"), QStringLiteral("count"), out));
    EXPECT_EQ(out, QStringLiteral("&h000105"));
    EXPECT_TRUE(about.GetKeyValue(0, QStringLiteral("Options"), QStringLiteral("big"), out));
    EXPECT_EQ(out, QStringLiteral("&h12345678"));
    EXPECT_FALSE(about.GetKeyValue(0, QStringLiteral("Options"), QStringLiteral("none"), out));
    EXPECT_EQ(out, QString());
    out = QStringLiteral("untouched");
    EXPECT_FALSE(about.GetKeyValue(0, QStringLiteral("Nowhere"), QStringLiteral("name"), out));
    EXPECT_EQ(out, QString());
}

TEST_F(AboutTest, OpensFromTheHelpMenuAndLinksToTheProductPage) {
    start();
    host.expectModal<frmAus>([this](frmAus& f) {
        EXPECT_EQ(f.Caption(), QStringLiteral("About Morvanta"));
        // The link shows the address of the page it opens.
        const QString page = programDir() + QStringLiteral("/kelvora.html");
        EXPECT_EQ(f.Label3.Caption(), QUrl::fromLocalFile(page).toString());
        host.expectOpenWithDesktop(page).answer(true);
        f.Label3.click();
        host.expectOpenWithDesktop(page).answer(false);
        host.expectMsgBox(QStringLiteral("There is no program on this computer that can open ") +
                          page + QStringLiteral("."));
        f.Label3.click();
        f.Command1.click();
    });
    frmMain::instance().mnuAbout.click();
    EXPECT_FALSE(frmAus::isLoaded());
    // The splash window's link is the same.
    const frmSpl splash;
    EXPECT_EQ(splash.Label3.Caption(),
              QUrl::fromLocalFile(programDir() + QStringLiteral("/kelvora.html")).toString());
}

}  // namespace
