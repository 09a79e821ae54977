#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <functional>

#include "ComposedFoodFixture.h"
#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/NutrientOffset.h"
#include "foods/frmIDt.h"
#include "foods/frmIng.h"
#include "foods/frmItm.h"
#include "foods/frmOth.h"
#include "frame/core.h"
#include "frame/frmStrt.h"
#include "runtime/Convert.h"
#include "ui/QtHost.h"

using core::cn;

namespace {

// The composed-food windows under the real host: real mouse clicks and key presses, modal
// windows and message boxes in their own event loops.
class ComposedFoodRealHost : public ComposedFoodTest {
  protected:
    void SetUp() override {
        ComposedFoodTest::SetUp();
        store.create(600, 21, QStringLiteral("Khichdi"), QString());
        store.create(601, 21, QStringLiteral("Khichdi plate"), QString());
        for (const auto& [food, grams] :
             {std::pair{15, 150.0}, {34, 100.0}, {541, 10.0}, {281, 2.0}}) {
            store.addIngredient(600, food, grams, 1);  // rice, green gram dal, ghee, turmeric
        }
        store.addIngredient(601, 600, 300, 1);
        qt = std::make_unique<ui::QtHost>();
        QTest::mouseClick(frmStrt::instance().Label6.widget(), Qt::LeftButton);
    }
    void TearDown() override { qt.reset(); }

    frmItm& catalogue() { return frmItm::instance(); }
    // Runs `step` every few milliseconds, from inside whatever event loop is running, until it
    // reports that it has done its work.
    static void whenReady(std::function<bool()> step) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, step = std::move(step)] {
            if (step()) {
                timer->stop();
                timer->deleteLater();
            }
        });
        timer->start(10);
    }
    static bool answer(const QString& text, QMessageBox::StandardButton button) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->text() != text) {
            return false;
        }
        QTest::mouseClick(box->button(button), Qt::LeftButton);
        return true;
    }
    static void clickRow(ui::ListView& lvw, const QString& text, bool twice = false) {
        QTreeWidget* tree = lvw.treeWidget();
        QTreeWidgetItem* row = tree->findItems(text, Qt::MatchExactly).value(0);
        ASSERT_NE(row, nullptr) << text.toStdString();
        tree->scrollToItem(row);
        const QPoint at = tree->visualItemRect(row).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        }
    }
    static void retype(ui::TextBox& box, const QString& text) {
        QTest::keyClick(box.lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box.lineEdit(), text);
    }

    foods::ComposedFoods store{cn};
    std::unique_ptr<ui::QtHost> qt;
};

TEST_F(ComposedFoodRealHost, CatalogueSavesANewFoodTypedInIt) {
    frmItm& f = catalogue();
    QTabBar* tabs = f.stAB.tabWidget()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    ASSERT_EQ(f.stAB.Tab(), 0);
    QTest::keyClicks(f.txtName.lineEdit(), QStringLiteral("Dal soup"));
    whenReady([] {
        return answer(QStringLiteral("Do you want to enter Ingredients now."), QMessageBox::No);
    });
    QTest::mouseClick(f.cmdInsert.button(), Qt::LeftButton);
    EXPECT_NE(f.LView.FindItem(QStringLiteral("Dal soup")), nullptr);
    EXPECT_EQ(f.txtName.Text(), QString());
}

// A real double click opens the editor modally; a food picked and saved in it joins the recipe.
// The screenshot shows the editor beside the composed food's values per 100 g.
TEST_F(ComposedFoodRealHost, IngredientEditorTakesAnIngredientAndShowsTheRecipe) {
    bool done = false;
    whenReady([&] {
        frmIng* g = frmIng::loadedInstance();
        if (g == nullptr || !g->Visible()) {
            return false;
        }
        clickRow(g->LV, QStringLiteral("Onion, big"));
        EXPECT_EQ(g->cmbFoodName.Text(), QStringLiteral("Onion, big"));
        QTest::keyClicks(g->txtQuan.lineEdit(), QStringLiteral("50"));
        QTest::mouseClick(g->cmdAdd.button(), Qt::LeftButton);
        EXPECT_EQ(g->LstView.ListItems.Count(), 5);
        g->resize(1000, 640);
        QImage editor = g->grab().toImage();
        QTreeWidget values;
        values.setHeaderLabels({QStringLiteral("Khichdi: values per 100 g"), QString(), QString()});
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT nutri.nname, %1, foodN1.unit_tp FROM foodN1 JOIN nutri ON "
                               "nutri.nutri_cd = %2 WHERE foodid = 600 ORDER BY nutri.nutri_cd")
                    .arg(foods::NutrientOffset::valueSql(), foods::NutrientOffset::realCodeSql()),
                cn);
        for (; !rs.EOF(); rs.MoveNext()) {
            values.addTopLevelItem(new QTreeWidgetItem(
                {rs[0].text(), rt::Format(rs[1].toDouble(), QStringLiteral("###0.00")),
                 rs[2].text()}));
        }
        values.setRootIsDecorated(false);
        values.setColumnWidth(0, 230);
        values.resize(400, editor.height());
        const QImage panel = values.grab().toImage();
        QImage shot(editor.width() + panel.width(), editor.height(), QImage::Format_RGB32);
        QPainter painter(&shot);
        painter.drawImage(0, 0, editor);
        painter.drawImage(editor.width(), 0, panel);
        painter.end();
        const QString folder = QStringLiteral(KELVORA_PROGRAM_DIR "/../screenshots");
        QDir().mkpath(folder);
        EXPECT_TRUE(shot.save(folder + QStringLiteral("/composed-food.png")));
        QTest::mouseClick(g->cmdClose.button(), Qt::LeftButton);
        done = true;
        return true;
    });
    clickRow(catalogue().LView, QStringLiteral("Khichdi"), true);
    EXPECT_TRUE(done);
    EXPECT_FALSE(frmIng::isLoaded());
    EXPECT_EQ(items(600).size(), 5);
    EXPECT_GT(row(600, 2).value, 0);
    EXPECT_NEAR(row(600, 2).value, store.recipe(600).per100g(2), 1e-9);
}

TEST_F(ComposedFoodRealHost, DetailsEditorWritesWhatIsTypedInIt) {
    clickRow(catalogue().LView, QStringLiteral("Khichdi"));
    QTest::mouseClick(catalogue().cmdDetail.button(), Qt::LeftButton);
    frmIDt& d = frmIDt::instance();
    ASSERT_TRUE(d.Visible());
    retype(d.txtName, QStringLiteral("Moong khichdi"));
    retype(d.txtPrice, QStringLiteral("35"));
    QTest::mouseClick(d.cmdOK.button(), Qt::LeftButton);
    EXPECT_FALSE(frmIDt::isLoaded());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM food WHERE foodid = ? AND foodname = "
                                   "'Moong khichdi' AND Price = 35"),
                    {600}),
              1);
}

TEST_F(ComposedFoodRealHost, DependantsWindowUpdatesOnARealClick) {
    cn.Execute(QStringLiteral("UPDATE item SET qty = 300 WHERE itemid = 600 AND foodid = 15"));
    store.recompute(600);
    clickRow(catalogue().LView, QStringLiteral("Khichdi"));
    whenReady([] {
        frmOth* o = frmOth::loadedInstance();
        if (o == nullptr || !o->Visible()) {
            return false;
        }
        EXPECT_EQ(o->List1.List(0), QStringLiteral("Khichdi plate"));
        QTest::mouseClick(o->cmdUp.button(), Qt::LeftButton);
        return true;
    });
    QTest::mouseClick(catalogue().cmdMerge.button(), Qt::LeftButton);
    EXPECT_FALSE(frmOth::isLoaded());
    EXPECT_NEAR(row(601, 2).value, row(600, 2).value, 1e-9);
}

}  // namespace
