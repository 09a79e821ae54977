#include <QFile>

#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "foods/frmIdxN.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

namespace off = foods::NutrientOffset;

constexpr int kTestCategory = 40;
constexpr int kHindi = 4;

// The window as a person sees it: every row's texts, and the image of every foods header.
QList<QStringList> rows(const ui::ListView& lvw) {
    QList<QStringList> all;
    for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
        all.append(lvw.rowTexts(i));
    }
    return all;
}
QStringList column(const ui::ListView& lvw, int column) {
    QStringList texts;
    for (const QStringList& row : rows(lvw)) {
        texts.append(row.value(column));
    }
    return texts;
}
QStringList headerImages(const ui::ListView& lvw) {
    QStringList images;
    for (int i = 1; i <= lvw.ColumnHeaders.Count(); ++i) {
        const QVariant& icon = lvw.ColumnHeaders(i).Icon();
        const int image = icon.isValid() ? icon.toInt() : 0;
        images.append(image == 1   ? QStringLiteral("up")
                      : image == 2 ? QStringLiteral("down")
                                   : QStringLiteral("-"));
    }
    return images;
}

// A category of a few foods beside the delivered ones, whose protein rows are written with
// different unit rows and serials, as user and composed foods write them.
class NutrientIndexTest : public ProgramTest {
  protected:
    void SetUp() override {
        start();
        core::cn.Execute(QStringLiteral("INSERT INTO cat (cid, cname) VALUES (?, 'TEST FOODS')"),
                         {kTestCategory});
        addFood(9001, kTestCategory, QStringLiteral("Banana flour"));
        addValue(9001, 2, 3.9, 2, 9, QStringLiteral("g"));
        addName(9001, QStringLiteral("Kela atta"));
        addFood(9002, kTestCategory, QStringLiteral("apple powder"));
        addValue(9002, 2, 0, 1, 0, QStringLiteral("g"));
        addName(9002, QStringLiteral("Not Available"));
        // Two protein rows: the food is listed once for each.
        addFood(9003, kTestCategory, QStringLiteral("Cashew paste"));
        addValue(9003, 2, 2500, 4, 3, QStringLiteral("mg"));
        addValue(9003, 2, 12.345, 5, 1, QStringLiteral("g"));
        addName(9003, QStringLiteral("Kaju"));
        // No Hindi name: missing from the Hindi list.
        addFood(9004, kTestCategory, QStringLiteral("Date syrup"));
        addValue(9004, 2, 1.5, 2, 9, QStringLiteral("g"));
        // A category that does not exist: never listed.
        addFood(9005, 99, QStringLiteral("Lost food"));
        addValue(9005, 2, 99, 2, 9, QStringLiteral("g"));
    }

    static void addFood(int id, int cid, const QString& name) {
        core::cn.Execute(
            QStringLiteral("INSERT INTO food (foodid, cid, foodname) VALUES (?, ?, ?)"),
            {id, cid, name});
    }
    static void addValue(int id, int code, double value, int unit, int serial,
                         const QString& unitText) {
        const int stored = off::storedCode(code, unit, serial);
        core::cn.Execute(QStringLiteral("INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val, "
                                        "unit_cd, unit_tp) VALUES (?, ?, ?, ?, ?, ?)"),
                         {id, serial, stored, off::storedValue(value, stored), unit, unitText});
    }
    static void addName(int id, const QString& name) {
        core::cn.Execute(QStringLiteral("INSERT INTO lang (foodid, srl_no, langid, foodlangname) "
                                        "VALUES (?, 0, ?, ?)"),
                         {id, kHindi, name});
    }

    frmIdxN& open() {
        frmStrt::instance().Label5.click();
        return frmIdxN::instance();
    }
    // Opened on the test foods, in English.
    frmIdxN& openOnTestFoods() {
        setOption(QStringLiteral("ctb"), QStringLiteral("TEST FOODS"));
        return open();
    }
};

const QStringList kByName = {QStringLiteral("apple powder"), QStringLiteral("Banana flour"),
                             QStringLiteral("Cashew paste"), QStringLiteral("Cashew paste"),
                             QStringLiteral("Date syrup")};

TEST_F(NutrientIndexTest, OpensOnProteinWithTheRememberedFiltersFirst) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    setOption(QStringLiteral("ctb"), QStringLiteral("TEST FOODS"));
    frmIdxN& f = open();
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(f.Caption(), QStringLiteral("Source of nutrients"));
    ASSERT_EQ(f.LstView.ListItems.Count(), 30);
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("MOISTURE"));
    EXPECT_EQ(f.LstView.SelectedItem()->Text(), QStringLiteral("PROTEIN"));
    EXPECT_EQ(f.SSTab1.TabCaption(0), QStringLiteral("&SOURCE OF PROTEIN"));
    EXPECT_EQ(f.SSTab1.TabCaption(1), QStringLiteral("&INFORMATION ON PROTEIN"));
    EXPECT_EQ(f.cmbLang.List(0), QStringLiteral("Hindi"));
    EXPECT_EQ(f.cmbLang.List(1), QStringLiteral("Assamese"));
    EXPECT_EQ(f.cmbLang.ListCount(), 14);
    EXPECT_EQ(f.cmbCat.Text(), QStringLiteral("TEST FOODS"));
    EXPECT_EQ(f.cmbCat.List(1), QStringLiteral("ALL FOODS"));
    // By name, without regard to case; a food without a Hindi name is left out, one whose
    // name is not known shows so.
    EXPECT_EQ(rows(f.LView), (QList<QStringList>{
                                 {"apple powder", "Not Available", "TEST FOODS", "0.00", "g"},
                                 {"Banana flour", "Kela atta", "TEST FOODS", "3.90", "g"},
                                 {"Cashew paste", "Kaju", "TEST FOODS", "2500.00", "mg"},
                                 {"Cashew paste", "Kaju", "TEST FOODS", "12.35", "g"},
                             }));
    EXPECT_EQ(headerImages(f.LView), (QStringList{"down", "-", "-", "-", "-"}));
    EXPECT_TRUE(f.RchBx.Text().startsWith(QStringLiteral("Protein in g per 100 g.")));

    // The start page brings the open window to the front rather than opening a second one.
    frmStrt::instance().Label5.click();
    EXPECT_EQ(&frmIdxN::instance(), &f);
}

TEST_F(NutrientIndexTest, AllFoodsInEnglishListsEveryFoodWithoutTranslation) {
    frmIdxN& f = open();
    EXPECT_EQ(f.cmbCat.Text(), QStringLiteral("ALL FOODS"));
    EXPECT_EQ(f.cmbLang.Text(), QStringLiteral("ENGLISH"));
    db::Recordset count;
    count.Open(QStringLiteral("SELECT count(*) AS n FROM food WHERE cid <> 99"), core::cn);
    // Every food carries protein; the test food with two rows comes twice.
    EXPECT_EQ(f.LView.ListItems.Count(), count[QStringLiteral("n")].toLong() + 1);
    EXPECT_EQ(column(f.LView, 1).join(QString()), QString());
    EXPECT_FALSE(column(f.LView, 0).contains(QStringLiteral("Lost food")));

    f.cmbCat.choose(QStringLiteral("TEST FOODS"));
    EXPECT_EQ(column(f.LView, 0), kByName);
    f.cmbLang.choose(QStringLiteral("Hindi"));
    EXPECT_EQ(f.LView.ListItems.Count(), 4);
}

TEST_F(NutrientIndexTest, TextHeadersToggleTheDirectionAndShowIt) {
    frmIdxN& f = openOnTestFoods();
    // The list is in ascending name order already, so the first click turns it round.
    f.LView.clickHeader(QStringLiteral("a"));
    QStringList descending = kByName;
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(column(f.LView, 0), descending);
    EXPECT_EQ(headerImages(f.LView), (QStringList{"up", "-", "-", "-", "-"}));
    f.LView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(column(f.LView, 0), kByName);
    EXPECT_EQ(headerImages(f.LView), (QStringList{"down", "-", "-", "-", "-"}));

    // Another text column reverses the list's direction again and alone shows an image.
    f.LView.clickHeader(QStringLiteral("e"));
    EXPECT_EQ(column(f.LView, 4), (QStringList{"mg", "g", "g", "g", "g"}));
    EXPECT_EQ(headerImages(f.LView), (QStringList{"-", "-", "-", "-", "up"}));

    // A new nutrient is listed by name in the list's own order; VALUE shows no image.
    f.LView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(column(f.LView, 0), kByName);
    f.LView.clickHeader(QStringLiteral("a"));
    addValue(9001, 3, 1.0, 2, 9, QStringLiteral("g"));
    addValue(9002, 3, 2.0, 2, 9, QStringLiteral("g"));
    f.LstView.clickItem(QStringLiteral("FAT"));
    EXPECT_EQ(f.SSTab1.TabCaption(0), QStringLiteral("SOURCE OF FAT"));
    EXPECT_EQ(column(f.LView, 0), (QStringList{"Banana flour", "apple powder"}));
    EXPECT_TRUE(f.LView.Sorted());

    // A new language keeps the rows where the sorted list put them, then stops sorting.
    addFood(9006, kTestCategory, QStringLiteral("Zucchini chips"));
    addValue(9006, 3, 5.0, 2, 9, QStringLiteral("g"));
    addName(9006, QStringLiteral("Turai chips"));
    f.cmbLang.choose(QStringLiteral("Hindi"));
    EXPECT_EQ(column(f.LView, 0), (QStringList{"Zucchini chips", "Banana flour", "apple powder"}));
    EXPECT_FALSE(f.LView.Sorted());
}

TEST_F(NutrientIndexTest, ValueRanksLargestFirstThenSmallestAndKeepsItsRanking) {
    frmIdxN& f = openOnTestFoods();
    f.LView.clickHeader(QStringLiteral("d"));
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(column(f.LView, 3), (QStringList{"2500.00", "12.35", "3.90", "1.50", "0.00"}));
    EXPECT_EQ(column(f.LView, 4), (QStringList{"mg", "g", "g", "g", "g"}));
    EXPECT_EQ(headerImages(f.LView), (QStringList{"-", "-", "-", "up", "-"}));
    f.LView.clickHeader(QStringLiteral("d"));
    EXPECT_EQ(column(f.LView, 3), (QStringList{"0.00", "1.50", "3.90", "12.35", "2500.00"}));
    EXPECT_EQ(headerImages(f.LView), (QStringList{"-", "-", "-", "down", "-"}));

    // Another language, category or nutrient keeps the ranking and its direction.
    f.cmbLang.choose(QStringLiteral("Hindi"));
    EXPECT_EQ(column(f.LView, 0),
              (QStringList{"apple powder", "Banana flour", "Cashew paste", "Cashew paste"}));
    EXPECT_EQ(column(f.LView, 1), (QStringList{"Not Available", "Kela atta", "Kaju", "Kaju"}));
    f.LView.clickHeader(QStringLiteral("d"));
    f.cmbLang.choose(QStringLiteral("ENGLISH"));
    EXPECT_EQ(column(f.LView, 3), (QStringList{"2500.00", "12.35", "3.90", "1.50", "0.00"}));
    f.cmbCat.choose(QStringLiteral("ALL FOODS"));
    EXPECT_EQ(f.LView.ListItems(1).Text(), QStringLiteral("Cashew paste"));
    EXPECT_EQ(headerImages(f.LView), (QStringList{"-", "-", "-", "up", "-"}));
    f.LstView.clickItem(QStringLiteral("ENERGY"));
    const QStringList energy = column(f.LView, 3);
    ASSERT_GT(energy.size(), 500);
    EXPECT_GE(energy.first().toDouble(), energy.last().toDouble());
    EXPECT_GE(energy.first().toDouble(), 800);  // oils and fats lead

    // A text column after a ranking reverses the list's own direction.
    f.LView.clickHeader(QStringLiteral("c"));
    EXPECT_EQ(headerImages(f.LView), (QStringList{"-", "-", "up", "-", "-"}));
    QStringList categories = column(f.LView, 2);
    std::sort(categories.begin(), categories.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) > 0;
    });
    EXPECT_EQ(column(f.LView, 2), categories);
}

TEST_F(NutrientIndexTest, ANutrientWithoutFoodsOrInformationSaysSo) {
    core::cn.Execute(QStringLiteral("DELETE FROM notes WHERE nutri_cd = 5"));
    frmIdxN& f = openOnTestFoods();
    f.LstView.clickItem(QStringLiteral("MINERALS"));
    EXPECT_EQ(rows(f.LView), (QList<QStringList>{{"No items are available.", "", "", "", ""}}));
    EXPECT_TRUE(f.RchBx.Text().startsWith(QStringLiteral("Minerals (ash)")));
    // A double-click on the notice opens nothing (the scripted host would see it).
    f.LView.dblClickItem(1);

    f.LstView.clickItem(QStringLiteral("FIBRE"));
    f.SSTab1.chooseTab(1);
    EXPECT_EQ(f.SSTab1.TabCaption(1), QStringLiteral("INFORMATION ON FIBRE"));
    EXPECT_EQ(f.RchBx.Text(), QStringLiteral("Information is not available."));
}

TEST_F(NutrientIndexTest, OtherWindowsOpenItOnANutrient) {
    frmIdxN& f = frmIdxN::instance();
    QString name = QStringLiteral("iron");
    int where = ui::lvwText;
    core::FindListItem(f.LstView, name, where);
    f.ClickonListview();
    f.Show();
    EXPECT_EQ(f.LstView.SelectedItem()->Text(), QStringLiteral("IRON"));
    EXPECT_EQ(f.SSTab1.TabCaption(0), QStringLiteral("SOURCE OF IRON"));
    EXPECT_TRUE(f.RchBx.Text().startsWith(QStringLiteral("Iron")));
    EXPECT_EQ(f.LView.ListItems(1).SubItems(4), QStringLiteral("mg"));

    // Return in the nutrient list lists the selected nutrient, as a click does.
    f.LstView.pressKey(ui::vbKeyDown);
    f.LstView.pressKey(ui::vbKeyReturn);
    EXPECT_EQ(f.SSTab1.TabCaption(0),
              QStringLiteral("SOURCE OF ") + f.LstView.SelectedItem()->Text());
    EXPECT_NE(f.LstView.SelectedItem()->Text(), QStringLiteral("IRON"));
}

TEST_F(NutrientIndexTest, TheNutrientHeaderSortsTheNutrients) {
    frmIdxN& f = open();
    f.LstView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("ZINC"));
    EXPECT_EQ(headerImages(f.LstView), QStringList{"up"});
    f.LstView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("CALCIUM"));
    EXPECT_EQ(headerImages(f.LstView), QStringList{"down"});
}

TEST_F(NutrientIndexTest, ExportWritesTheFoodsWithNutrientAndFilters) {
    frmIdxN& f = openOnTestFoods();
    f.LView.clickHeader(QStringLiteral("d"));
    const QString file = programDir() + QStringLiteral("/protein.html");
    auto dialog = host.expectSaveDialog().answer(file);
    host.expectMsgBox(
            QStringLiteral("Do you want to open the file '") + file + QStringLiteral("' ?"),
            ui::vbYesNo | ui::vbQuestion, QStringLiteral("Kelvora"))
        .answer(ui::vbYes);
    host.expectOpenWithDesktop(file);
    f.cmdExport.click();
    EXPECT_EQ(dialog.request().Filter, QStringLiteral("HTML File (*.html)|*.html"));
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(page.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Source of Nutrient : PROTEIN")));
    EXPECT_TRUE(html.contains(QStringLiteral("Language : ENGLISH")));
    EXPECT_TRUE(html.contains(QStringLiteral("Category : TEST FOODS")));
    EXPECT_LT(html.indexOf(QStringLiteral("<td>2500.00</td>")),
              html.indexOf(QStringLiteral("<td>0.00</td>")));

    // A cancelled dialog writes and asks nothing.
    host.expectSaveDialog().cancel();
    f.cmdExport.click();
}

TEST_F(NutrientIndexTest, CloseEscapeAndTheProductLink) {
    frmIdxN& f = open();
    host.expectOpenWithDesktop(programDir() + QStringLiteral("/kelvora.html"));
    f.SSTab1.chooseTab(1);
    f.lbl[3].click();
    f.lbl[2].click();
    f.cmdClose.click();
    EXPECT_FALSE(frmIdxN::isLoaded());

    // Each opening starts again at protein.
    frmIdxN& again = open();
    again.LstView.clickItem(QStringLiteral("FAT"));
    again.pressKey(ui::vbKeyEscape);
    EXPECT_FALSE(frmIdxN::isLoaded());
    EXPECT_EQ(open().LstView.SelectedItem()->Text(), QStringLiteral("PROTEIN"));
}

}  // namespace
