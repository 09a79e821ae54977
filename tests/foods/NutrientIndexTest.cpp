#include <QFile>

#include "db/Recordset.h"
#include "foods/NutrientIndex.h"
#include "foods/frmIdxN.h"
#include "foods/frmfdN.h"
#include "frame/core.h"
#include "frame/frmStrt.h"
#include "support/DataBuilders.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

QStringList column(const ui::ListView& lvw, int column) {
    QStringList texts;
    for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
        texts.append(lvw.rowTexts(i).value(column));
    }
    return texts;
}
// The sort image of every header: "up", "down" or "-".
QString images(const ui::ListView& lvw) {
    QStringList shown;
    for (int i = 1; i <= lvw.ColumnHeaders.Count(); ++i) {
        const QString icon = lvw.ColumnHeaders(i).Icon().toString();
        shown.append(icon == "1" || icon == "up"     ? "up"
                     : icon == "2" || icon == "down" ? "down"
                                                     : "-");
    }
    return shown.join(u' ');
}

// A category of a few foods beside the delivered ones, their protein rows written with
// different unit rows and serials, as user and composed foods write them.
class NutrientIndexTest : public ProgramTest, protected DataBuilders {
  protected:
    void SetUp() override {
        start();
        core::cn.Execute(QStringLiteral("INSERT INTO cat (cid, cname) VALUES (40, 'TEST FOODS')"));
        addFood(9001, 40, "Banana flour", "Kela atta", {{3.9, 2, 9, "g"}});
        addFood(9002, 40, "apple powder", "Not Available", {{0, 1, 0, "g"}});
        // Two protein rows: listed once for each.
        addFood(9003, 40, "Cashew paste", "Kaju", {{2500, 4, 3, "mg"}, {12.345, 5, 1, "g"}});
        addFood(9004, 40, "Date syrup", nullptr, {{1.5, 2, 9, "g"}});
        // Its category does not exist: never listed.
        addFood(9005, 99, "Lost food", nullptr, {{99, 2, 9, "g"}});
    }
    struct Row {
        double value;
        int unit, serial;
        const char* unitText;
    };
    static void addFood(int id, int cid, const char* name, const char* hindi,
                        std::initializer_list<Row> protein, int code = 2) {
        core::cn.Execute(QStringLiteral("INSERT OR IGNORE INTO food (foodid, cid, foodname) "
                                        "VALUES (?, ?, ?)"),
                         {id, cid, QString::fromUtf8(name)});
        for (const Row& r : protein) {
            addNutrient(id, code, r.value, r.unit, r.serial, QString::fromUtf8(r.unitText));
        }
        if (hindi != nullptr) {
            core::cn.Execute(QStringLiteral("INSERT INTO lang (foodid, srl_no, langid, "
                                            "foodlangname) VALUES (?, 0, 4, ?)"),
                             {id, QString::fromUtf8(hindi)});
        }
    }
    frmIdxN& open(const QString& category = QStringLiteral("TEST FOODS")) {
        setOption(QStringLiteral("ctb"), category);
        frmStrt::instance().Label5.click();
        return frmIdxN::instance();
    }
};

const QStringList kByName = {"apple powder", "Banana flour", "Cashew paste", "Cashew paste",
                             "Date syrup"};

TEST_F(NutrientIndexTest, OpensOnProteinWithTheRememberedFiltersFirst) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    frmIdxN& f = open();
    EXPECT_FALSE(host.busy());
    ASSERT_EQ(f.LstView.ListItems.Count(), 30);
    EXPECT_EQ(f.LstView.SelectedItem()->Text(), QStringLiteral("PROTEIN"));
    EXPECT_EQ(f.SSTab1.TabCaption(0), QStringLiteral("&SOURCE OF PROTEIN"));
    EXPECT_EQ(f.SSTab1.TabCaption(1), QStringLiteral("&INFORMATION ON PROTEIN"));
    EXPECT_EQ(f.cmbLang.List(0) + "," + f.cmbLang.List(1), QStringLiteral("Hindi,Assamese"));
    EXPECT_EQ(f.cmbCat.List(0) + "," + f.cmbCat.List(1), QStringLiteral("TEST FOODS,ALL FOODS"));
    // By name regardless of case; no Hindi name, no row; an unknown one says so.
    EXPECT_EQ(f.LView.rowTexts(1),
              (QStringList{"apple powder", "Not Available", "TEST FOODS", "0.00", "g"}));
    EXPECT_EQ(f.LView.rowTexts(3),
              (QStringList{"Cashew paste", "Kaju", "TEST FOODS", "2500.00", "mg"}));
    EXPECT_EQ(column(f.LView, 3), (QStringList{"0.00", "3.90", "2500.00", "12.35"}));
    EXPECT_EQ(images(f.LView), QStringLiteral("down - - - -"));
    EXPECT_TRUE(f.RchBx.Text().startsWith(QStringLiteral("Protein in g per 100 g.")));

    // The link brings the open window to the front rather than opening a second one.
    frmStrt::instance().Label5.click();
    EXPECT_EQ(&frmIdxN::instance(), &f);
}

TEST_F(NutrientIndexTest, AllFoodsInEnglishListsEveryFoodWithoutTranslation) {
    frmIdxN& f = open(QStringLiteral("ALL FOODS"));
    EXPECT_EQ(f.cmbLang.Text(), QStringLiteral("ENGLISH"));
    // Every delivered food carries protein, and the test food with two rows comes twice.
    EXPECT_EQ(f.LView.ListItems.Count(), 542 + 5);
    EXPECT_EQ(column(f.LView, 1).join(QString()), QString());
    EXPECT_FALSE(column(f.LView, 0).contains(QStringLiteral("Lost food")));
    f.cmbCat.choose(QStringLiteral("TEST FOODS"));
    EXPECT_EQ(column(f.LView, 0), kByName);
}

// However many foods the file holds, the index reads only the nutrient's own rows: found
// through foodN1_code, never by a pass over every nutrient row, with every filter and order.
TEST_F(NutrientIndexTest, FindsTheNutrientsRowsThroughTheIndexOnTheirCode) {
    using foods::NutrientIndex::Order;
    for (const QString& category : {QStringLiteral("ALL FOODS"), QStringLiteral("TEST FOODS")}) {
        for (const QString& language : {QStringLiteral("ENGLISH"), QStringLiteral("Hindi")}) {
            for (const Order order : {Order::ByName, Order::ValueDescending}) {
                const foods::NutrientIndex::Query query = foods::NutrientIndex::FoodSourcesQuery(
                    QStringLiteral("IRON"), category, language, order);
                db::Recordset plan;
                plan.Open(QStringLiteral("EXPLAIN QUERY PLAN ") + query.sql, core::cn,
                          query.params);
                QStringList steps;
                for (; !plan.EOF(); plan.MoveNext()) {
                    steps << plan[QStringLiteral("detail")].text();
                }
                EXPECT_TRUE(
                    steps.contains(QStringLiteral("SEARCH foodN1 USING INDEX foodN1_code "
                                                  "(<expr>=?)")))
                    << category.toStdString() << " " << language.toStdString() << "\n"
                    << steps.join(u'\n').toStdString();
            }
        }
    }
}

TEST_F(NutrientIndexTest, TextHeadersToggleTheDirectionAndShowIt) {
    frmIdxN& f = open();
    // Already ascending by name, so the first click turns the list round.
    f.LView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(column(f.LView, 0), (QStringList{"Date syrup", "Cashew paste", "Cashew paste",
                                               "Banana flour", "apple powder"}));
    EXPECT_EQ(images(f.LView), QStringLiteral("up - - - -"));
    f.LView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(column(f.LView, 0), kByName);
    EXPECT_EQ(images(f.LView), QStringLiteral("down - - - -"));
    // Another text column reverses the direction again and alone shows an image.
    f.LView.clickHeader(QStringLiteral("e"));
    EXPECT_EQ(column(f.LView, 4), (QStringList{"mg", "g", "g", "g", "g"}));
    EXPECT_EQ(images(f.LView), QStringLiteral("- - - - up"));

    // A new nutrient comes in the sorted list's order; VALUE shows no image.
    f.LView.clickHeader(QStringLiteral("a"));
    f.LView.clickHeader(QStringLiteral("a"));
    addFood(9001, 40, "", nullptr, {{1.0, 2, 9, "g"}}, 3);
    addFood(9002, 40, "", nullptr, {{2.0, 2, 9, "g"}}, 3);
    f.LstView.clickItem(QStringLiteral("FAT"));
    EXPECT_EQ(f.SSTab1.TabCaption(0), QStringLiteral("SOURCE OF FAT"));
    EXPECT_EQ(column(f.LView, 0), (QStringList{"Banana flour", "apple powder"}));
    // A new language stops the list sorting itself: the foods come by name.
    addFood(9006, 40, "Zucchini chips", "Turai chips", {{5.0, 2, 9, "g"}}, 3);
    f.cmbLang.choose(QStringLiteral("Hindi"));
    EXPECT_EQ(column(f.LView, 0), (QStringList{"apple powder", "Banana flour", "Zucchini chips"}));
    EXPECT_FALSE(f.LView.Sorted());

    // The nutrient list sorts by its one header the same way.
    f.LstView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(f.LstView.ListItems(1).Text() + " " + images(f.LstView), QStringLiteral("ZINC up"));
}

TEST_F(NutrientIndexTest, ValueRanksLargestFirstThenSmallestAndKeepsItsRanking) {
    frmIdxN& f = open();
    f.LView.clickHeader(QStringLiteral("d"));
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(column(f.LView, 3), (QStringList{"2500.00", "12.35", "3.90", "1.50", "0.00"}));
    EXPECT_EQ(column(f.LView, 4), (QStringList{"mg", "g", "g", "g", "g"}));
    EXPECT_EQ(images(f.LView), QStringLiteral("- - - up -"));
    f.LView.clickHeader(QStringLiteral("d"));
    EXPECT_EQ(column(f.LView, 3), (QStringList{"0.00", "1.50", "3.90", "12.35", "2500.00"}));
    EXPECT_EQ(images(f.LView), QStringLiteral("- - - down -"));

    // Another language, category or nutrient keeps the ranking and its direction.
    f.cmbLang.choose(QStringLiteral("Hindi"));
    EXPECT_EQ(column(f.LView, 1), (QStringList{"Not Available", "Kela atta", "Kaju", "Kaju"}));
    f.LView.clickHeader(QStringLiteral("d"));
    f.cmbCat.choose(QStringLiteral("ALL FOODS"));
    f.cmbLang.choose(QStringLiteral("ENGLISH"));
    EXPECT_EQ(f.LView.ListItems(1).Text(), QStringLiteral("Cashew paste"));
    f.LstView.clickItem(QStringLiteral("ENERGY"));
    const QStringList energy = column(f.LView, 3);
    EXPECT_GE(energy.first().toDouble(), 800);  // oils and fats lead
    EXPECT_LE(energy.last().toDouble(), energy[energy.size() / 2].toDouble());
    EXPECT_EQ(images(f.LView), QStringLiteral("- - - up -"));

    // A text column after a ranking reverses the list's own direction.
    f.LView.clickHeader(QStringLiteral("c"));
    EXPECT_EQ(images(f.LView), QStringLiteral("- - up - -"));
    EXPECT_EQ(f.LView.ListItems(1).SubItems(2), QStringLiteral("SUGARS"));
}

TEST_F(NutrientIndexTest, ANutrientWithoutFoodsOrInformationSaysSo) {
    core::cn.Execute(QStringLiteral("DELETE FROM notes WHERE nutri_cd = 5"));
    frmIdxN& f = open();
    f.LstView.clickItem(QStringLiteral("MINERALS"));
    EXPECT_EQ(column(f.LView, 0), QStringList{"No items are available."});
    EXPECT_TRUE(f.RchBx.Text().startsWith(QStringLiteral("Minerals (ash)")));
    // The notice is no food to open (the scripted host would see a window).
    f.LView.dblClickItem(1);
    f.LstView.clickItem(QStringLiteral("FIBRE"));
    EXPECT_EQ(f.RchBx.Text(), QStringLiteral("Information is not available."));
}

TEST_F(NutrientIndexTest, ADoubleClickShowsTheFoodsNutrientsWhereverTheyAreFiltered) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    frmIdxN& f = open();
    // The food nutrients window is open on cereals, which hides the test foods.
    frmStrt::instance().Label4.click();
    frmfdN& nutrients = frmfdN::instance();
    nutrients.cmbCat.choose(QStringLiteral("CEREALS AND MILLETS"));
    f.LView.dblClickItem(QStringLiteral("Banana flour"));
    EXPECT_TRUE(nutrients.Visible());
    EXPECT_EQ(nutrients.txtFood.Text(), QStringLiteral("Food : Banana flour"));
    EXPECT_EQ(nutrients.LView.rowTexts(1), (QStringList{"PROTEIN", "3.9", "g"}));
    EXPECT_EQ(nutrients.cmbCat.Text() + "/" + nutrients.cmbLang.Text(),
              QStringLiteral("ALL FOODS/Hindi"));
    // A food without a Hindi name is found in English; a list of one food opens it too.
    addFood(9004, 40, "", nullptr, {{0.2, 2, 9, "g"}}, 3);
    f.cmbLang.choose(QStringLiteral("ENGLISH"));
    f.LstView.clickItem(QStringLiteral("FAT"));
    ASSERT_EQ(f.LView.ListItems.Count(), 1);
    f.LView.dblClickItem(1);
    EXPECT_EQ(nutrients.txtFood.Text(), QStringLiteral("Food : Date syrup"));
    EXPECT_EQ(nutrients.cmbLang.Text(), QStringLiteral("ENGLISH"));
}

TEST_F(NutrientIndexTest, OtherWindowsOpenItOnANutrient) {
    frmIdxN& f = frmIdxN::instance();
    QString name = QStringLiteral("iron");
    int where = ui::lvwText;
    core::FindListItem(f.LstView, name, where);
    f.ClickonListview();
    f.Show();
    EXPECT_EQ(f.SSTab1.TabCaption(0), QStringLiteral("SOURCE OF IRON"));
    EXPECT_EQ(f.LView.ListItems(1).SubItems(4), QStringLiteral("mg"));
    // Return lists the selected nutrient, as a click does.
    f.LstView.pressKey(ui::vbKeyDown);
    f.LstView.pressKey(ui::vbKeyReturn);
    EXPECT_EQ(f.SSTab1.TabCaption(1), QStringLiteral("INFORMATION ON CAROTENE-B (VIT-A)"));
}

TEST_F(NutrientIndexTest, ExportWritesTheFoodsWithNutrientAndFilters) {
    frmIdxN& f = open();
    f.LView.clickHeader(QStringLiteral("d"));
    const QString file = programDir() + QStringLiteral("/protein.html");
    host.expectSaveDialog().answer(file);
    host.expectMsgBox(
            QStringLiteral("Do you want to open the file '") + file + QStringLiteral("' ?"),
            ui::vbYesNo | ui::vbQuestion, QStringLiteral("Kelvora"))
        .answer(ui::vbYes);
    host.expectOpenWithDesktop(file);
    f.cmdExport.click();
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(page.readAll());
    for (const char* text : {"Source of Nutrient : PROTEIN", "Language : ENGLISH",
                             "Category : TEST FOODS", "<td>Cashew paste</td>"}) {
        EXPECT_TRUE(html.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_LT(html.indexOf(QStringLiteral("2500.00")), html.indexOf(QStringLiteral("0.00<")));
    // A cancelled dialog writes and asks nothing.
    host.expectSaveDialog().cancel();
    f.cmdExport.click();
}

TEST_F(NutrientIndexTest, CloseEscapeAndTheProductLink) {
    frmIdxN& f = open();
    host.expectOpenWithDesktop(programDir() + QStringLiteral("/kelvora.html"));
    f.SSTab1.chooseTab(1);
    f.lbl[3].click();
    f.cmdClose.click();
    EXPECT_FALSE(frmIdxN::isLoaded());
    // Each opening starts again at protein.
    open().LstView.clickItem(QStringLiteral("FAT"));
    frmIdxN::instance().pressKey(ui::vbKeyEscape);
    EXPECT_FALSE(frmIdxN::isLoaded());
    EXPECT_EQ(open().LstView.SelectedItem()->Text(), QStringLiteral("PROTEIN"));
}

}  // namespace
