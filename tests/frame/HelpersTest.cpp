#include <QDir>
#include <QFile>

#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "runtime/Error.h"
#include "support/ProgramFixture.h"
#include "ui/Form.h"
#include "ui/ListView.h"

namespace {

class ListForm : public ui::FormOf<ListForm> {
  public:
    ui::ListView List{this, QStringLiteral("List")};
};

class HelpersTest : public ProgramTest {
  protected:
    void SetUp() override {
        auto& list = ListForm::instance().List;
        list.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("NAME"));
        for (const char* name : {"Rice", "0", "Ragi flour", "RICE", "Wheat"}) {
            list.ListItems.Add(QString::fromLatin1(name));
        }
    }
    ui::ListView& list() { return ListForm::instance().List; }
    QString selected() {
        return list().SelectedItem() ? list().SelectedItem()->Text() : QStringLiteral("<none>");
    }
};

TEST_F(HelpersTest, FindListItemSelectsTheFirstWholeMatchWithoutCase) {
    QString text = QStringLiteral("rice");
    int where = 0;
    core::FindListItem(list(), text, where);
    EXPECT_EQ(selected(), QStringLiteral("Rice"));
    EXPECT_EQ(list().SelectedItem()->Index(), 1);
}

TEST_F(HelpersTest, FindListItemIgnoresAPrefixMatch) {
    list().ListItems(5).setSelected(true);
    QString text = QStringLiteral("Rag");
    int where = 0;
    core::FindListItem(list(), text, where);
    EXPECT_EQ(selected(), QStringLiteral("Wheat"));
}

TEST_F(HelpersTest, FindListItemSearchesAnEmptyTextAsZero) {
    QString text;
    int where = 0;
    core::FindListItem(list(), text, where);
    EXPECT_EQ(text, QStringLiteral("0"));
    EXPECT_EQ(selected(), QStringLiteral("0"));
}

TEST_F(HelpersTest, CenterFormAllowsANegativePosition) {
    ListForm& child = ListForm::instance();
    child.setWidth(20000);
    child.setHeight(300);
    ListForm parentForm;
    parentForm.resize(400, 300);
    core::CenterForm(parentForm, child);
    EXPECT_LT(child.Left(), 0);
    EXPECT_NEAR(child.Left(), parentForm.ScaleWidth() / 2 - 10000, 15);
}

TEST_F(HelpersTest, ErrorRecordsAccumulateInTheLog) {
    const QString log = userDir() + QStringLiteral("/report.Log");
    {
        QFile file(log);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier\r\n");
    }
    ErrorHandler handler;
    QString source = QStringLiteral("CHTML::PrintLvw");
    QString extra;
    handler.handleError(rt::Error(75, QStringLiteral("Path/File access error")), source, extra);
    handler.handleError(
        rt::Error(-2147467259, QStringLiteral("Unspecified error"), QStringLiteral("Provider")),
        source, extra);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], QStringLiteral("earlier"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("An Error was raised on ")));
    EXPECT_EQ(lines[2], QStringLiteral("=====Error Number = 75"));
    EXPECT_EQ(lines[3], QStringLiteral("=====Error Desc = Path/File access error"));
    EXPECT_EQ(lines[4], QStringLiteral("=====Error Source = Kelvora"));
    EXPECT_EQ(lines[6], QStringLiteral("=====Error Number = -2147467259"));
    EXPECT_EQ(lines[8], QStringLiteral("=====Error Source = Provider"));
    EXPECT_EQ(lines[9], QString());
}

TEST_F(HelpersTest, AnUnwritableLogNeverRaises) {
    QDir(userDir()).mkdir(QStringLiteral("report.Log"));
    ErrorHandler handler;
    QString source;
    QString extra;
    EXPECT_NO_THROW(handler.handleError(rt::Error(5, QStringLiteral("x")), source, extra));
}

}  // namespace
