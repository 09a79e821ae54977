#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <optional>

#include "db/Recordset.h"
#include "foods/CallerForms.h"
#include "foods/frmNewFood.h"
#include "foods/frmUnit.h"
#include "foods/frmfdN.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"
#include "ui/QtHost.h"

// The food windows under the real host: real mouse and key events, real modal loops and real
// message boxes, as on the desktop (offscreen).
namespace {

class RealDesktopTest : public ProgramTest {
  protected:
    void SetUp() override {
        start();
        frmMain::instance().resize(1280, 900);
        QApplication::processEvents();
        qt.emplace();
        // A modal loop that a test failed to end would hang the run: end it.
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "a modal window was left open";
            while (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
            ui::Unload<frmUnit>();
            ui::Unload<frmNewFood>();
        });
        watchdog.start(20000);
    }
    void TearDown() override { qt.reset(); }

    // Runs act on the next window for which ready() gives it, as soon as it is up.
    template <class W>
    static void when(std::function<W*()> ready, std::function<void(W&)> act) {
        auto* poll = new QTimer;
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, ready, act] {
            if (W* window = ready()) {
                poll->stop();
                poll->deleteLater();
                act(*window);
            }
        });
        poll->start();
    }
    // Runs act in the form once its modal run has started.
    template <class T>
    static void whenShown(std::function<void(T&)> act) {
        when<T>(
            [] {
                T* form = T::loadedInstance();
                return form != nullptr && form->isModal() ? form : nullptr;
            },
            std::move(act));
    }
    // Answers the next message box with that text by clicking the button.
    static void answer(const QString& text, QMessageBox::StandardButton button) {
        when<QMessageBox>(
            [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
            [text, button](QMessageBox& box) {
                EXPECT_EQ(box.text(), text);
                QTest::mouseClick(box.button(button), Qt::LeftButton);
            });
    }
    static void click(ui::CommandButton& button) {
        QTest::mouseClick(button.button(), Qt::LeftButton);
    }
    static void click(ui::Label& label) { QTest::mouseClick(label.widget(), Qt::LeftButton); }
    // Gives the widget the keyboard focus, as a person's click into it would.
    static void focusOn(QWidget* widget) {
        widget->window()->activateWindow();
        widget->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), widget);
    }
    static void type(ui::TextBox& box, const QString& text) {
        focusOn(box.lineEdit());
        QTest::keyClicks(box.lineEdit(), text);
    }
    // The first entry of a closed drop-down list that begins with text, as typed.
    static void chooseByKey(ui::ComboBox& combo, const QString& text) {
        focusOn(combo.comboBox());
        QTest::keyClicks(combo.comboBox(), text);
    }
    static void pressEscape(QWidget* widget) {
        focusOn(widget);
        QTest::keyClick(widget, Qt::Key_Escape);
    }
    static void clickRow(ui::ListView& lvw, const QString& text) {
        QTreeWidget* tree = lvw.treeWidget();
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly, 0);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        tree->scrollToItem(found.first());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(found.first()).center());
    }
    static void clickHeader(ui::ListView& lvw, int column) {
        QHeaderView* header = lvw.treeWidget()->header();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    std::optional<ui::QtHost> qt;
    QTimer watchdog;
};

TEST_F(RealDesktopTest, FoodNutrientsInTheMainWindowFollowTheMouseAndKeys) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    frmMain& main = frmMain::instance();
    click(frmStrt::instance().Label4);
    ASSERT_TRUE(frmfdN::isLoaded());
    frmfdN& f = frmfdN::instance();
    ASSERT_NE(f.subWindow(), nullptr);
    EXPECT_TRUE(main.mdiArea()->subWindowList().contains(f.subWindow()));

    chooseByKey(f.cmbCat, QStringLiteral("C"));
    EXPECT_EQ(f.cmbCat.Text(), QStringLiteral("CEREALS AND MILLETS"));
    EXPECT_EQ(f.LstView.ListItems.Count(), 24);
    clickRow(f.LstView, QStringLiteral("Barley"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Barley"));
    EXPECT_EQ(f.LstView.SelectedItem()->SubItems(1), QStringLiteral("Jau"));
    EXPECT_EQ(f.LView.ListItems.Count(), 30);
    EXPECT_EQ(f.txtTotal.Text(), QStringLiteral("Total : 30"));

    // Enlarged to the main window, as a person would, to see all 30 nutrients at once.
    f.setWindowState(ui::vbMaximized);
    QApplication::processEvents();
    const QImage shot = main.grab().toImage();
    const QString folder = QStringLiteral(KELVORA_PROGRAM_DIR "/../screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(shot.save(folder + QStringLiteral("/food-nutrients.png")));

    clickHeader(f.LView, 1);
    EXPECT_EQ(f.LView.SortKey(), 1);
    EXPECT_EQ(f.LView.ColumnHeaders(2).Icon().toString(), QStringLiteral("up"));

    pressEscape(f.LstView.treeWidget());
    EXPECT_FALSE(frmfdN::isLoaded());
}

TEST_F(RealDesktopTest, NewFoodIsTypedSavedAndClosedWithRealEvents) {
    whenShown<frmNewFood>([](frmNewFood& f) {
        type(f.Text2, QStringLiteral("Millet upma"));
        answer(QStringLiteral("Please select category of food"), QMessageBox::Ok);
        click(f.Command1);
        chooseByKey(f.cmbCat, QStringLiteral("C"));
        type(f.Text1[8], QStringLiteral("250"));
        type(f.Text3[4], QStringLiteral("Bajre ka upma"));
        click(f.Command1);
        EXPECT_EQ(f.LV.ListItems.Count(), 1);
        EXPECT_EQ(f.Text2.Text(), QString());
        pressEscape(f.Text2.lineEdit());
    });
    click(frmStrt::instance().Label7);
    EXPECT_FALSE(frmNewFood::isLoaded());
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT food.cid, lang.foodlangname FROM food, lang WHERE "
                           "food.foodid = lang.foodid AND lang.langid = 4 AND "
                           "food.foodname = 'Millet upma'"),
            core::cn);
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs[0].toLong(), 1);
    EXPECT_EQ(rs[1].text(), QStringLiteral("Bajre ka upma"));
}

TEST_F(RealDesktopTest, UnitsWindowAsksAboutTheDefaultInARealMessageBox) {
    core::cn.Execute(
        QStringLiteral("INSERT INTO FoodUnit (UnitName, UnitSizeinGrams, food, status) "
                       "VALUES ('Katori', 60, 'Bajra', 'Default')"));
    foods_test::frmDiary& diary = foods_test::frmDiary::instance();
    diary.Show();
    clickRow(diary.LView, QStringLiteral("Bajra"));
    whenShown<frmUnit>([](frmUnit& f) {
        EXPECT_EQ(f.LV.ListItems.Count(), 1);
        type(f.txtUnitname, QStringLiteral("Cup"));
        type(f.txtsizeingrams, QStringLiteral("200"));
        chooseByKey(f.cmdDefault, QStringLiteral("D"));
        answer(QStringLiteral("There is already default category. Do you want to change it to "
                              "normal and make this default ?"),
               QMessageBox::Yes);
        click(f.Command2);
        EXPECT_EQ(f.LV.ListItems.Count(), 2);
        click(f.Command1);
    });
    click(diary.cmdUnit);
    EXPECT_FALSE(frmUnit::isLoaded());
    EXPECT_EQ(diary.units(), (QStringList{QStringLiteral("Cup"), QStringLiteral("Katori"),
                                          QStringLiteral("Grams")}));
}

}  // namespace
