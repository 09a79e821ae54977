#include <QDir>
#include <QFileInfo>

#include "frame/core.h"
#include "listoutput/ExportButton.h"
#include "listoutput/ListOutputSupport.h"
#include "runtime/App.h"
#include "ui/Constants.h"

namespace {

using listoutput_test::fill;
using listoutput_test::ListForm;
using listoutput_test::readAll;

class ExportButtonTest : public listoutput_test::ListOutputTest {
  protected:
    ExportButtonTest() {
        fill(lvw(), {QStringLiteral("PREFIX"), QStringLiteral("NAME")},
             {{QStringLiteral("Mr."), QStringLiteral("Arun")}});
        core::OpenAnswer = 0;
    }

    // The Export button of a list window with the title "Members".
    void clickExport() {
        ListForm& form = ListForm::instance();
        listoutput::ExportToHtml(form.cdlg, form.LViews, QStringLiteral("Members"),
                                 QStringLiteral("User : Asha"));
    }
    static QString question(const QString& file) {
        return QStringLiteral("Do you want to open the file '") + file + QStringLiteral("' ?");
    }
    QStringList filesInProgramFolder() const {
        return QDir(programDir()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

TEST_F(ExportButtonTest, AsksForAnHtmlFileInAFolderOfThePerson) {
    auto dialog = host.expectSaveDialog();
    clickExport();
    ASSERT_TRUE(dialog.called());
    const ui::FileDialogRequest& request = dialog.request();
    EXPECT_EQ(request.Filter, QStringLiteral("HTML File (*.html)|*.html"));
    EXPECT_EQ(request.FilterIndex, 2);
    EXPECT_EQ(request.DefaultExt, QStringLiteral(".html"));
    EXPECT_NE(request.InitDir, rt::App::Path());
    EXPECT_TRUE(QFileInfo(request.InitDir).isDir() && QFileInfo(request.InitDir).isWritable())
        << request.InitDir.toStdString();
    EXPECT_EQ(request.Flags, 4);
}

TEST_F(ExportButtonTest, ACancelWritesNothingAndAsksNothing) {
    const QStringList before = filesInProgramFolder();
    host.expectSaveDialog().cancel();
    clickExport();
    EXPECT_EQ(filesInProgramFolder(), before);
    EXPECT_EQ(core::OpenAnswer, 0);

    // Also when the dialog still holds the file of an earlier export.
    const QString file = path(QStringLiteral("members.html"));
    host.expectSaveDialog().answer(file);
    host.expectMsgBox(question(file)).answer(ui::vbNo);
    clickExport();
    ASSERT_TRUE(QFile::remove(file));
    auto again = host.expectSaveDialog();
    clickExport();
    EXPECT_EQ(again.request().FileName, file);
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(ExportButtonTest, AnExportedFileIsOpenedWhenTheUserSaysYes) {
    // The dialog adds the extension to a name typed without one.
    host.expectSaveDialog().answer(path(QStringLiteral("members")));
    const QString file = path(QStringLiteral("members.html"));
    host.expectMsgBox(question(file), ui::vbYesNo | ui::vbQuestion, QStringLiteral("Kelvora"))
        .answer(ui::vbYes);
    host.expectOpenWithDesktop(file);
    clickExport();
    EXPECT_EQ(core::OpenAnswer, ui::vbYes);
    const QString page = QString::fromLatin1(readAll(file));
    EXPECT_TRUE(
        page.contains(QStringLiteral("\r\n<h1>\r\nMembers\r\n</h1>\r\n<p>\r\nUser : Asha\r\n")));
    EXPECT_TRUE(page.contains(QStringLiteral("\r\n<td>Arun</td>\r\n")));
}

TEST_F(ExportButtonTest, AnExportedFileStaysClosedWhenTheUserSaysNo) {
    const QString file = path(QStringLiteral("members.html"));
    host.expectSaveDialog().answer(file);
    host.expectMsgBox(question(file)).answer(ui::vbNo);
    clickExport();
    EXPECT_EQ(core::OpenAnswer, ui::vbNo);
    EXPECT_TRUE(QFileInfo::exists(file));
}

TEST_F(ExportButtonTest, AFailedExportSaysWhyAndOffersNothingToOpen) {
    const QString file = path(QStringLiteral("no such folder/members.html"));
    host.expectSaveDialog().answer(file);
    host.expectMsgBox(
        QStringLiteral("The file '%1' could not be written: No such file or directory").arg(file),
        std::nullopt, QStringLiteral("Kelvora"));
    clickExport();
    EXPECT_EQ(core::OpenAnswer, 0);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(logLines().size(), 4);
}

}  // namespace
