#include <QFile>

#include "foods/frmIdxN.h"
#include "foods/frmfdN.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "support/DataBuilders.h"
#include "support/ListReading.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

const QString kCereals = QStringLiteral("CEREALS AND MILLETS");
const QString kReady = QStringLiteral("READY FOOD");

class FoodNutrientsTest : public ProgramTest, protected ListReading, protected DataBuilders {
  protected:
    void SetUp() override { start(); }

    // The start page's "NUTRITIVE VALUE OF FOOD" link.
    static frmfdN& open() {
        frmStrt::instance().Label4.click();
        return frmfdN::instance();
    }
    // The entry of the food with that id.
    static int entryOf(const ui::ListView& lvw, const QString& foodid) {
        for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
            if (lvw.ListItems(i).Tag() == foodid) {
                return i;
            }
        }
        return 0;
    }
    static QString value(const frmfdN& f, const QString& nutrient) {
        const ui::ListItem* item = f.LView.FindItem(nutrient);
        return item != nullptr ? item->SubItems(1) : QStringLiteral("<none>");
    }
    // A composed food with nutrient rows written with the given unit rows and serials.
    struct Row {
        int code;
        int unit;
        int serial;
        double value;
    };
    static void addFood(int id, const QString& name, std::initializer_list<Row> rows) {
        DataBuilders::addFood(id, name, {}, 21);
        for (const Row& r : rows) {
            addNutrient(id, r.code, r.value, r.unit, r.serial, QStringLiteral("u%1").arg(r.unit));
        }
    }
};

TEST_F(FoodNutrientsTest, OpensOnTheStoredFiltersWithTheFirstFoodsNutrients) {
    frmfdN& f = open();
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.MDIChild());
    EXPECT_EQ(f.Caption(), QStringLiteral("Food Nutrion"));
    const QStringList categories = entries(f.cmbCat);
    ASSERT_EQ(categories.size(), 22);
    EXPECT_EQ(categories.mid(0, 3), (QStringList{"ALL FOODS", "ANIMAL MEAT", kCereals}));
    EXPECT_EQ(entries(f.cmbLang).first(), QStringLiteral("ENGLISH"));

    // Every food with its category and no translation, in name order as the icon says.
    ASSERT_EQ(f.LstView.ListItems.Count(), 542);
    EXPECT_EQ(f.LstView.rowTexts(1), (QStringList{"Agathi leaves", "", "GREEN LEAFY VEGETABLES"}));
    EXPECT_EQ(f.LstView.rowTexts(2), (QStringList{"Allathi", "", "MARINE FISH"}));
    EXPECT_TRUE(column(f.LstView, 1).join(QString()).isEmpty());
    EXPECT_FALSE(f.LstView.ColumnHeaders(QStringLiteral("a")).shownIcon().isNull());
    EXPECT_EQ(f.LstView.SelectedItem(), &f.LstView.ListItems(1));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Agathi leaves"));
    EXPECT_EQ(f.LView.ListItems.Count(), 30);
    EXPECT_EQ(f.txtTotal.Text(), QStringLiteral("Total : 30"));
    f.LstView.clickItem(QStringLiteral("Amaranth seed, black"));
    EXPECT_EQ(value(f, QStringLiteral("CHROMIUM")), QStringLiteral("1227"));

    // The link brings the one window to the front again.
    frmStrt::instance().Label4.click();
    EXPECT_EQ(&frmfdN::instance(), &f);
}

TEST_F(FoodNutrientsTest, CategoryAndLanguageFilterTheFoodsAndAClickShowsAFood) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    setOption(QStringLiteral("ctb"), kCereals);
    frmfdN& f = open();
    EXPECT_EQ(f.cmbCat.Text(), kCereals);
    EXPECT_EQ(f.cmbLang.Text(), QStringLiteral("Hindi"));
    ASSERT_EQ(f.LstView.ListItems.Count(), 24);
    EXPECT_EQ(f.LstView.rowTexts(4), (QStringList{"Barley", "Jau", kCereals}));

    f.LstView.clickItem(QStringLiteral("Barley"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Barley"));
    EXPECT_EQ(value(f, QStringLiteral("ENERGY")), QStringLiteral("315.73"));
    EXPECT_EQ(value(f, QStringLiteral("PHOSPHORUS")), QStringLiteral("178"));
    EXPECT_EQ(value(f, QStringLiteral("FAT")), QStringLiteral("1.3"));
    EXPECT_EQ(f.LView.FindItem(QStringLiteral("FOLIC ACID"))->SubItems(2), QStringLiteral("mcg"));

    // The arrow keys walk the list; each food shows at once.
    f.LstView.pressKey(ui::vbKeyDown);
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Jowar"));

    // Another language re-lists and shows the first food of the new list.
    f.cmbLang.choose(QStringLiteral("ENGLISH"));
    EXPECT_EQ(f.LstView.rowTexts(4), (QStringList{"Barley", "", kCereals}));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Amaranth seed, black"));

    // No foods at all: both lists empty, and the lines name no food.
    f.cmbCat.choose(kReady);
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    EXPECT_EQ(f.LView.ListItems.Count(), 0);
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food :"));
    EXPECT_EQ(f.txtTotal.Text(), QStringLiteral("Total : "));
    f.LstView.clickEmpty();
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food :"));
}

TEST_F(FoodNutrientsTest, ValuesAreDecodedRowByRowAndShownInShortForm) {
    // Rows of one food may use different unit rows and serials.
    addFood(900, QStringLiteral("Test dish"),
            {{14, 3, 9, 12.456}, {1, 1, 3, 7.0}, {2, 5, 0, 0.5}, {3, 2, 9, 10.0}, {4, 2, 9, 9.0}});
    addFood(901, QStringLiteral("Empty dish"), {});
    // An unknown nutrient ends the list where it stands.
    addFood(902, QStringLiteral("Broken dish"), {{1, 1, 9, 1.0}, {99, 1, 9, 2.0}, {2, 1, 9, 3.0}});
    // Two foods of one name each show their own values.
    addFood(903, QStringLiteral("Test dish"), {{1, 1, 9, 55.0}});
    setOption(QStringLiteral("ctb"), kReady);
    frmfdN& f = open();
    ASSERT_EQ(column(f.LstView, 0),
              (QStringList{"Broken dish", "Empty dish", "Test dish", "Test dish"}));
    EXPECT_EQ(column(f.LView, 0), QStringList{"MOISTURE"});
    EXPECT_EQ(f.txtTotal.Text(), QStringLiteral("Total : "));

    f.LstView.clickItem(entryOf(f.LstView, QStringLiteral("900")));
    EXPECT_EQ(column(f.LView, 0),
              (QStringList{"FAT", "MINERALS", "MOISTURE", "NIACIN (NICOTINIC ACID)", "PROTEIN"}));
    EXPECT_EQ(column(f.LView, 1), (QStringList{"10", "9", "7", "12.46", "0.5"}));
    EXPECT_EQ(column(f.LView, 2), (QStringList{"u2", "u2", "u1", "u3", "u5"}));
    EXPECT_EQ(f.txtTotal.Text(), QStringLiteral("Total : 5"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Test dish"));
    f.LstView.clickItem(entryOf(f.LstView, QStringLiteral("903")));
    EXPECT_EQ(column(f.LView, 1), QStringList{"55"});

    f.LstView.clickItem(QStringLiteral("Empty dish"));
    EXPECT_EQ(f.LView.ListItems.Count(), 0);
    EXPECT_EQ(f.txtTotal.Text(), QStringLiteral("Total : 0"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Empty dish"));

    f.LstView.clickItem(QStringLiteral("Broken dish"));
    EXPECT_EQ(column(f.LView, 0), QStringList{"MOISTURE"});
    EXPECT_EQ(f.txtTotal.Text(), QStringLiteral("Total : 0"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Broken dish"));
}

TEST_F(FoodNutrientsTest, HeadersSortAsTextWithOneDirectionAndOneIcon) {
    addFood(900, QStringLiteral("Test dish"), {{3, 2, 9, 10.0}, {4, 2, 9, 9.0}, {1, 2, 9, 100.0}});
    setOption(QStringLiteral("ctb"), kReady);
    frmfdN& f = open();
    const auto icon = [&f](const QString& key) {
        const ui::ColumnHeader& header = f.LView.ColumnHeaders(key);
        return header.shownIcon().isNull() ? QString() : header.Icon().toString();
    };
    EXPECT_EQ(icon(QStringLiteral("a")), QStringLiteral("down"));

    f.LView.clickHeader(QStringLiteral("b"));
    EXPECT_EQ(column(f.LView, 1), (QStringList{"9", "100", "10"}));
    EXPECT_EQ(icon(QStringLiteral("b")), QStringLiteral("up"));
    EXPECT_EQ(icon(QStringLiteral("a")), QString());
    f.LView.clickHeader(QStringLiteral("b"));
    EXPECT_EQ(column(f.LView, 1), (QStringList{"10", "100", "9"}));
    EXPECT_EQ(icon(QStringLiteral("b")), QStringLiteral("down"));
    // The direction is the list's: another column starts from the opposite one.
    f.LView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(column(f.LView, 0), (QStringList{"MOISTURE", "MINERALS", "FAT"}));
    EXPECT_EQ(icon(QStringLiteral("a")), QStringLiteral("up"));
    EXPECT_EQ(icon(QStringLiteral("b")), QString());

    // The food list sorts the same way and stays sorted when it is refilled.
    f.cmbCat.choose(kCereals);
    f.LstView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("Wheat, whole"));
    f.cmdGo.click();
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("Wheat, whole"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Wheat, whole"));
}

TEST_F(FoodNutrientsTest, ADoubleClickDrillsToTheNutrientIndexOnlyFromTwoEntries) {
    addFood(900, QStringLiteral("Salt water"), {{21, 4, 9, 390.0}});
    setOption(QStringLiteral("ctb"), kReady);
    frmfdN& f = open();
    f.LView.dblClickItem(1);
    EXPECT_FALSE(frmIdxN::isLoaded());

    f.cmbCat.choose(kCereals);
    f.LView.dblClickItem(QStringLiteral("IRON"));
    ASSERT_TRUE(frmIdxN::isLoaded());
    EXPECT_TRUE(frmIdxN::instance().Visible());
    EXPECT_EQ(frmIdxN::instance().SSTab1.TabCaption(0), QStringLiteral("SOURCE OF IRON"));
    EXPECT_TRUE(f.Visible());
}

TEST_F(FoodNutrientsTest, ExportWritesTheNutrientsUnderTheFoodsTitle) {
    setOption(QStringLiteral("language"), QStringLiteral("Hindi"));
    frmfdN& f = open();
    f.cmbCat.choose(kCereals);
    f.LstView.clickItem(QStringLiteral("Barley"));

    host.expectSaveDialog().cancel();
    f.cmdExport.click();

    const QString file = programDir() + QStringLiteral("/barley.html");
    host.expectSaveDialog().answer(file);
    host.expectMsgBox(QStringLiteral("Do you want to open the file '") + file +
                      QStringLiteral("' ?"))
        .answer(ui::vbNo);
    f.cmdExport.click();
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(page.readAll());
    for (const char* text : {"Food : Barley", "Language : Hindi", "Category : CEREALS AND MILLETS",
                             "NUTRIENT NAME", "315.73", "kcal"}) {
        EXPECT_TRUE(html.contains(QString::fromLatin1(text))) << text;
    }
    EXPECT_FALSE(html.contains(QStringLiteral("Jau")));

    // With no food to show, the empty list goes out under an empty title.
    f.cmbCat.choose(kReady);
    const QString empty = programDir() + QStringLiteral("/empty.html");
    host.expectSaveDialog().answer(empty);
    host.expectMsgBox(QStringLiteral("Do you want to open the file '") + empty +
                      QStringLiteral("' ?"))
        .answer(ui::vbNo);
    f.cmdExport.click();
    EXPECT_TRUE(QFile::exists(empty));
}

TEST_F(FoodNutrientsTest, CloseAndEscapeCloseTheWindow) {
    open().cmdClose.click();
    EXPECT_FALSE(frmfdN::isLoaded());
    open().pressKey(ui::vbKeyEscape);
    EXPECT_FALSE(frmfdN::isLoaded());
}

}  // namespace
