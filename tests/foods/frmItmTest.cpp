#include "ComposedFoodFixture.h"
#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/frmIDt.h"
#include "foods/frmItm.h"
#include "foods/frmOth.h"
#include "frame/core.h"
#include "frame/frmStrt.h"
#include "ui/Constants.h"

using core::cn;

namespace {

class CatalogueTest : public ComposedFoodTest {
  protected:
    frmItm& open() {
        frmStrt::instance().Label6.click();
        return frmItm::instance();
    }
    QString headerIcon(ui::ListView& lvw, const char* key) {
        return lvw.ColumnHeaders(QString::fromLatin1(key)).Icon().toString();
    }
};

TEST_F(CatalogueTest, ListsComposedFoodsWithOwnersIngredientsAndSortOrder) {
    const int dal = addFood(QStringLiteral("Test dal"), {{2, 10}});
    const int khichdi = addComposed(QStringLiteral("Test khichdi"));
    addItem(khichdi, 1, dal, 150);
    addItem(khichdi, 2, 3, 50, 2);  // Bajra, entered in the unit "g"
    cn.Execute(QStringLiteral("INSERT INTO item (itemid, srl_no) VALUES (1, 0)"));  // never listed
    const int odd = addComposed(QStringLiteral("Test odd"));
    const int built = addComposed(QStringLiteral("Test built-in"));
    cn.Execute(QStringLiteral("UPDATE food SET PrimeOrNot = 'X' WHERE foodid = ?"), {odd});
    cn.Execute(QStringLiteral("UPDATE food SET PrimeOrNot = 'P' WHERE foodid = ?"), {built});

    frmItm& f = open();
    EXPECT_EQ(f.Caption(), QStringLiteral("Composition"));
    EXPECT_EQ(f.stAB.Tab(), 1);
    EXPECT_FALSE(f.Command2.Visible());
    ASSERT_EQ(f.LView.ListItems.Count(), 3);
    EXPECT_EQ(f.LView.rowTexts(1),
              (QStringList{QStringLiteral("Test khichdi"), QStringLiteral("User"),
                           QStringLiteral("READY FOOD")}));
    EXPECT_EQ(f.LView.rowTexts(2)[1], QString());
    EXPECT_EQ(f.LView.rowTexts(3)[1], QStringLiteral("System"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Item : Test khichdi"));
    EXPECT_EQ(f.LstView.rowTexts(1), (QStringList{QStringLiteral("Test dal"), QStringLiteral("150"),
                                                  QStringLiteral("Grams")}));
    EXPECT_EQ(f.LstView.rowTexts(2)[2], QStringLiteral("g"));

    // One direction for the whole list: ITEM descending, then OWNER ascending.
    f.LstView.clickHeader(QStringLiteral("b"));
    EXPECT_EQ(f.LstView.rowTexts(1)[0], QStringLiteral("Test dal"));
    f.LView.clickHeader(QStringLiteral("a"));
    EXPECT_EQ(f.LView.rowTexts(1)[0], QStringLiteral("Test odd"));
    EXPECT_EQ(headerIcon(f.LView, "a"), QStringLiteral("up"));
    f.LView.clickHeader(QStringLiteral("b"));
    EXPECT_EQ(f.LView.rowTexts(1)[0], QStringLiteral("Test odd"));
    EXPECT_EQ(f.LView.rowTexts(3)[0], QStringLiteral("Test khichdi"));
    EXPECT_EQ(headerIcon(f.LView, "b"), QStringLiteral("down"));
    EXPECT_EQ(headerIcon(f.LView, "a"), QStringLiteral("0"));

    // Only the user's own foods are edited, given ingredients or deleted.
    f.LView.clickItem(QStringLiteral("Test built-in"));
    host.expectMsgBox(QStringLiteral("Sysem item is not editable."),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
    f.cmdDetail.click();
    f.LView.clickItem(QStringLiteral("Test odd"));
    host.expectMsgBox(QStringLiteral("System item can not editable"),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
    f.LView.dblClickItem(QStringLiteral("Test odd"));
    host.expectMsgBox(QStringLiteral("System items cannot delete."),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
    f.cmdDel.click();
    EXPECT_NE(foodId(QStringLiteral("Test odd")), -1);
}

TEST_F(CatalogueTest, SaveCreatesAComposedFoodAllAtOnceOrNotAtAll) {
    frmItm& f = open();
    f.stAB.chooseTab(0);
    EXPECT_EQ(f.cmbCat.Text(), QStringLiteral("READY FOOD"));
    EXPECT_EQ(f.cmbCat.List(1), QStringLiteral("ANIMAL MEAT"));
    f.txtName.type(QStringLiteral("  Test soup  "));
    f.txtComment.type(QStringLiteral("hot"));
    host.expectMsgBox(QStringLiteral("Do you want to enter Ingredients now."),
                      ui::vbYesNo | ui::vbInformation, QStringLiteral("Kelvora"))
        .answer(ui::vbNo);
    f.cmdInsert.click();
    EXPECT_EQ(f.LView.rowTexts(1), (QStringList{QStringLiteral("Test soup"), QStringLiteral("User"),
                                                QStringLiteral("READY FOOD")}));
    EXPECT_EQ(foodId(QStringLiteral("Test soup")), 543);
    EXPECT_EQ(items(543), QStringList{QStringLiteral("0:-:-:-")});
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM lang WHERE foodid = ?"), {543}), 14);
    EXPECT_EQ(f.txtName.Text(), QString());

    const QList<std::pair<QString, QString>> refused = {
        {QStringLiteral("TEST SOUP"), QStringLiteral("THIS FOOD IS ALREADY EXIST.")},
        {QStringLiteral("Cook's soup"), QStringLiteral("Do not enter '")},
        {QStringLiteral("   "), QStringLiteral("EMPTY")}};
    for (const auto& [name, message] : refused) {
        f.txtName.type(name);
        host.expectMsgBox(message);
        f.cmdInsert.click();
    }
    // A key taken half-way (by another writer; here a trigger that writes one) leaves no part
    // of the food behind.
    cn.Execute(QStringLiteral(
        "CREATE TRIGGER taken BEFORE INSERT ON lang "
        "BEGIN INSERT INTO cat (cid, cname) SELECT cid, cname FROM cat LIMIT 1; END"));
    f.txtName.type(QStringLiteral("Test stew"));
    host.expectMsgBox(QStringLiteral("Data file is used by another user at this time."),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
    f.cmdInsert.click();
    EXPECT_EQ(foodId(QStringLiteral("Test stew")), -1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM item WHERE itemid <> ?"), {543}), 0);
}

TEST_F(CatalogueTest, DeleteTakesTheSelectedUserFoodWithAllItsRows) {
    const int dal = addFood(QStringLiteral("Test dal"), {{2, 10}});
    foods::ComposedFoods store(cn);
    store.create(600, 21, QStringLiteral("Test soup"), QString());
    store.addIngredient(600, dal, 100, 1);
    addUnit(QStringLiteral("Test soup"), QStringLiteral("Bowl"), 200);
    frmItm& f = open();
    f.LView.clickItem(QStringLiteral("Test soup"));
    host.expectMsgBox(QStringLiteral("Do you want to remove this fooditem?"),
                      ui::vbYesNo | ui::vbQuestion, QStringLiteral("Kelvora"))
        .answer(ui::vbNo);
    f.cmdDel.click();
    EXPECT_EQ(foodId(QStringLiteral("Test soup")), 600);
    host.expectMsgBox(QStringLiteral("Do you want to remove this fooditem?")).answer(ui::vbYes);
    f.cmdDel.click();
    for (const char* sql :
         {"SELECT count(*) FROM food WHERE foodid = ?",
          "SELECT count(*) FROM item WHERE itemid = ?",
          "SELECT count(*) FROM foodN1 WHERE foodid = ?",
          "SELECT count(*) FROM lang WHERE foodid = ?",
          "SELECT count(*) FROM FoodUnit WHERE UnitSizeinGrams = 200 AND ? > 0"}) {
        EXPECT_EQ(count(QString::fromLatin1(sql), {600}), 0) << sql;
    }
    EXPECT_EQ(f.LView.ListItems.Count(), 0);
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Item : "));
    EXPECT_FALSE(frmOth::isLoaded());
}

// Dependants that cannot be read are not "none": the food stays, and the person is told.
TEST_F(CatalogueTest, DeleteKeepsAFoodWhoseDependantsCannotBeRead) {
    foods::ComposedFoods(cn).create(600, 21, QStringLiteral("Test soup"), QString());
    frmItm& f = open();
    f.LView.clickItem(QStringLiteral("Test soup"));
    cn.Execute(QStringLiteral("ALTER TABLE item RENAME TO item_aside"));
    host.expectMsgBox(QStringLiteral("The foods that use this food could not be read: Cannot find "
                                     "the table or query 'item'. Make sure it exists and that "
                                     "its name is spelled correctly."),
                      ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    f.cmdDel.click();
    EXPECT_EQ(foodId(QStringLiteral("Test soup")), 600);
    EXPECT_FALSE(frmOth::isLoaded());
}

TEST_F(CatalogueTest, DetailsEditorOnAFoodRemovedMeanwhileSaysSoAndWritesNothing) {
    const int soup = addComposed(QStringLiteral("Test soup"));
    addUnit(QStringLiteral("Test soup"), QStringLiteral("Bowl"), 200);
    frmItm& f = open();
    f.cmdDetail.click();
    frmIDt& d = frmIDt::instance();
    cn.Execute(QStringLiteral("DELETE FROM food WHERE foodid = ?"), {soup});
    d.txtName.type(QStringLiteral("Test broth"));
    host.expectMsgBox(
        QStringLiteral("The food was not saved.\nThis food is no longer in the data file."),
        ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    d.cmdOK.click();
    EXPECT_TRUE(frmIDt::isLoaded());
    EXPECT_EQ(d.txtName.Text(), QStringLiteral("Test broth"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM FoodUnit WHERE food = 'Test soup' AND "
                                   "UnitSizeinGrams = ?"),
                    {200}),
              1);
    d.cmdCancel.click();
    EXPECT_FALSE(frmIDt::isLoaded());
}

TEST_F(CatalogueTest, DetailsEditorFillsEachBoxAndCarriesARename) {
    const int soup = addComposed(QStringLiteral("Test soup"));
    cn.Execute(QStringLiteral("UPDATE food SET imp = 'B', Price = NULL, edible = 80, "
                              "stdweight = 250, foodnote = 'hot' WHERE foodid = ?"),
               {soup});
    addUnit(QStringLiteral("Test soup"), QStringLiteral("Bowl"), 200);
    cn.Execute(
        QStringLiteral("INSERT INTO dayin VALUES (1, '01-02-2024', 'Test soup', 200, 'Bowl')"));
    frmItm& f = open();
    f.cmdDetail.click();
    frmIDt& d = frmIDt::instance();
    EXPECT_EQ(d.Caption(), QStringLiteral("Item details"));
    EXPECT_EQ(d.cmbImp.List(0) + d.cmbImp.List(1) + d.cmbImp.List(2), QStringLiteral("BAC"));
    EXPECT_EQ(d.cmbCat.Text(), QStringLiteral("READY FOOD"));
    EXPECT_EQ(d.cmbCat.findText(QStringLiteral("ALL FOODS")), -1);
    EXPECT_EQ(d.txtPrice.Text(), QString());  // an empty column leaves only its own box empty
    EXPECT_EQ(d.txtWeight.Text(), QStringLiteral("250"));
    EXPECT_EQ(d.txtComment.Text(), QStringLiteral("hot"));

    d.txtPrice.type(QStringLiteral("12.5"));
    d.txtEdi.type(QStringLiteral("40000"));
    EXPECT_EQ(d.txtPrice.Text(), QStringLiteral("12"));
    host.expectMsgBox(QStringLiteral("Too big number, enter between 0 and 30000"), ui::vbOKOnly,
                      QStringLiteral("Kelvora"));
    d.txtWeight.type(QStringLiteral("300"));
    EXPECT_EQ(d.ActiveControl(), &d.txtEdi);
    EXPECT_EQ(d.txtWeight.Text(), QStringLiteral("250"));
    d.txtEdi.type(QStringLiteral("-5"));
    host.expectMsgBox(QStringLiteral("ENTERED NUMERIC VALUES ONLY."));
    d.cmdOK.click();
    d.txtEdi.type(QStringLiteral("90"));
    d.txtName.type(QStringLiteral("Rice puffed"));  // a food of the delivered data
    host.expectMsgBox(QStringLiteral("THIS FOOD IS ALREADY EXIST."));
    d.cmdOK.click();
    d.txtName.type(QStringLiteral("Test broth"));
    d.cmdOK.click();
    EXPECT_FALSE(frmIDt::isLoaded());
    EXPECT_EQ(f.LView.rowTexts(1)[0], QStringLiteral("Test broth"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM food WHERE foodid = ? AND Price = 12 "
                                   "AND edible = 90 AND imp = 'B'"),
                    {soup}),
              1);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT (SELECT food FROM FoodUnit), (SELECT foodname FROM dayin)"), cn);
    EXPECT_EQ(rs[0].text() + u'|' + rs[1].text(), QStringLiteral("Test broth|Test broth"));
}

}  // namespace
