#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "intake/IntakeFixture.h"
#include "intake/frmDIn.h"
#include "intake/frmRda.h"
#include "intake/frmVRda.h"

// The intake windows under Qt's own input: real clicks and keys on the widgets, offscreen. Each
// test leaves a picture of its window in the build's screenshots folder.
namespace {

using namespace intake_test;

class RealInputHost : public ScriptedHost {
  public:
    bool realInput() const override { return true; }
};

class RealHostTest : public IntakeTest {
  protected:
    void SetUp() override {
        IntakeTest::SetUp();
        asha = addMember(QStringLiteral("Asha"));
        addMember(QStringLiteral("Ravi"), QStringLiteral("Male"), 45, kManGroup,
                  QStringLiteral("170"), QStringLiteral("92"));
        setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
        frmMain::instance().resize(1120, 760);
    }
    static void click(QWidget* widget, QPoint at = {}) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
        QApplication::processEvents();
    }
    static void clickRow(ui::ListView& lvw, const QString& text) {
        QTreeWidget* tree = lvw.treeWidget();
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly, 0);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        tree->scrollToItem(found.first());
        click(tree->viewport(), tree->visualItemRect(found.first()).center());
    }
    static void clickHeader(ui::ListView& lvw, int column) {
        QHeaderView* header = lvw.treeWidget()->header();
        click(header->viewport(),
              QPoint(header->sectionViewportPosition(column) + 8, header->height() / 2));
    }
    static void screenshot(const QString& name) {
        QApplication::processEvents();
        const QString folder = QStringLiteral(KELVORA_PROGRAM_DIR "/../screenshots");
        QDir().mkpath(folder);
        EXPECT_TRUE(frmMain::instance().grab().save(folder + QLatin1Char('/') + name));
    }

    RealInputHost real;
    qint32 asha = 0;
};

TEST_F(RealHostTest, TheDiaryTakesAnIntakeFromClicksAndKeys) {
    const char* foods[] = {"Bajra", "Ragi", "Barley", "Wheat, semolina", "Amaranth seed, black"};
    for (int d = 1; d <= 7; ++d) {
        for (int k = 0; k < 3; ++k) {
            eat(asha, QDate::currentDate().addDays(-d), QString::fromLatin1(foods[(d + k) % 5]),
                40 + 20 * k + 5 * d);
        }
    }
    addUnit(QStringLiteral("Ragi"), QStringLiteral("Cup"), 120);
    click(frmStrt::instance().Label1.widget());
    ASSERT_TRUE(frmDIn::isLoaded());
    frmDIn& f = frmDIn::instance();
    EXPECT_EQ(f.LstView.ListItems.Count(), 21);

    clickRow(f.LView, QStringLiteral("Ragi"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Ragi"));
    EXPECT_EQ(f.cmbUnit.Text(), QStringLiteral("Cup"));
    QTest::keyClicks(f.txtQuan.lineEdit(), QStringLiteral("2"));
    click(f.cmdAdd.button());
    EXPECT_EQ(f.LstView.rowTexts(22),
              (QStringList{day(0), QStringLiteral("Ragi"), QString(), QStringLiteral("240"),
                           QStringLiteral("Grams")}));

    clickHeader(f.LstView, 0);
    EXPECT_EQ(icons(f.LstView), (QList<int>{1, 0, 0, 0, 0}));
    EXPECT_EQ(f.LstView.ListItems(1).Text(), day(0));
    screenshot(QStringLiteral("intake.png"));
}

TEST_F(RealHostTest, TheRdaWindowFollowsTheMemberChosenWithTheKeyboard) {
    click(frmStrt::instance().Label2.widget());
    ASSERT_TRUE(frmRda::isLoaded());
    frmRda& f = frmRda::instance();
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("NORMAL"));
    QTest::keyClick(f.cmbName.comboBox(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(f.cmbName.Text(), QStringLiteral("Ravi"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("BMR : 1835.8"));  // 10.9 x 92 + 833
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("BMI : 31.83"));
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("OBESE"));
    clickHeader(f.LstView, 1);
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 1, 0}));
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("CAROTENE-B (VIT-A)"));
    screenshot(QStringLiteral("rda.png"));
}

TEST_F(RealHostTest, TheReportRunsOnGoForTheDaysPicked) {
    const QDate first = QDate::currentDate().addDays(-29);
    addFood(9001, QStringLiteral("Test dal"), {{kProtein, 24}, {kFat, 5}, {kCalcium, 60}});
    for (int d = 0; d < 30; ++d) {
        eat(asha, first.addDays(d), QStringLiteral("Test dal"), 200);
        eat(asha, first.addDays(d), QStringLiteral("Ragi"), 150);
    }
    click(frmStrt::instance().Label3.widget());
    ASSERT_TRUE(frmVRda::isLoaded());
    frmVRda& f = frmVRda::instance();
    f.DTP.dateEdit()->setDate(first);
    QApplication::processEvents();
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = 30"));
    EXPECT_EQ(f.DTP.displayText(), first.toString(QStringLiteral("dd-MM-yyyy")));
    click(f.cmdGo.button());
    const ui::ListItem* protein = f.LstView.FindItem(QStringLiteral("PROTEIN"));
    ASSERT_NE(protein, nullptr);
    EXPECT_EQ(protein->ForeColor(), 0);  // more than the RDA
    EXPECT_EQ(f.LstView.FindItem(QStringLiteral("FAT"))->ForeColor(), 0x008000);
    EXPECT_EQ(f.LstView.FindItem(QStringLiteral("IRON"))->ForeColor(), 0x0000C0);
    clickHeader(f.LstView, 0);
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("ZINC"));
    clickHeader(f.LstView, 0);
    f.LstView.ListItems(1).EnsureVisible();
    screenshot(QStringLiteral("rda-vs-intake.png"));
}

}  // namespace
