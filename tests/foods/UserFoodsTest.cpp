#include <QSet>

#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/NutrientOffset.h"
#include "foods/UserFoods.h"
#include "frame/core.h"
#include "runtime/Error.h"
#include "support/ProgramFixture.h"

namespace {

namespace off = foods::NutrientOffset;

class UserFoodsTest : public ProgramTest {
  protected:
    void SetUp() override { start(); }

    static foods::NewUserFood food(const QString& name) {
        foods::NewUserFood f{QStringLiteral("CEREALS AND MILLETS"), name, {}, {}};
        for (int i = 0; i < 30; ++i) {
            f.values << QStringLiteral("0");
        }
        for (int j = 0; j < 13; ++j) {
            f.names << QStringLiteral("0");
        }
        return f;
    }
    static qint64 count(const QString& table, qint64 foodid) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE foodid = ?").arg(table), core::cn,
                {foodid});
        return rs[0].toLong();
    }
    static qint64 rowsOf(const QString& table) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table), core::cn);
        return rs[0].toLong();
    }
    // Runs an add that must be refused, and checks that nothing at all was written.
    void expectRefused(const foods::NewUserFood& f, const QString& description) {
        const qint64 foods = rowsOf(QStringLiteral("food"));
        const qint64 nutrients = rowsOf(QStringLiteral("foodN1"));
        const qint64 names = rowsOf(QStringLiteral("lang"));
        try {
            foods::UserFoods(core::cn).Add(f);
            ADD_FAILURE() << "the add was not refused";
        } catch (const rt::Error& error) {
            EXPECT_EQ(error.Description(), description);
        }
        EXPECT_EQ(rowsOf(QStringLiteral("food")), foods);
        EXPECT_EQ(rowsOf(QStringLiteral("foodN1")), nutrients);
        EXPECT_EQ(rowsOf(QStringLiteral("lang")), names);
    }
};

TEST_F(UserFoodsTest, ANewFoodGetsThirtyOffsetRowsThatDecodeToEveryNutrient) {
    foods::NewUserFood f = food(QStringLiteral("Ragi dosa"));
    f.values[0] = QStringLiteral("120.5");     // Calcium, nutrient 8
    f.values[21] = QStringLiteral("7.125");    // Protein, nutrient 2: three decimals kept
    f.names[3] = QStringLiteral("Ragi dosa");  // Hindi
    f.names[12] = QStringLiteral(" ");         // Others: a blank writes no name row
    const qint16 id = foods::UserFoods(core::cn).Add(f);
    EXPECT_EQ(id, 543);

    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM food WHERE foodid = ?"), core::cn, {id});
    EXPECT_EQ(rs[QStringLiteral("foodname")].text(), QStringLiteral("Ragi dosa"));
    EXPECT_EQ(rs[QStringLiteral("cid")].toLong(), 1);
    EXPECT_EQ(rs[QStringLiteral("PrimeOrNot")].text(), QStringLiteral("U"));
    EXPECT_EQ(rs[QStringLiteral("edible")].toDouble(), 100.0);
    EXPECT_EQ(rs[QStringLiteral("imp")].text(), QStringLiteral("A"));

    db::Recordset n;
    n.Open(QStringLiteral("SELECT * FROM foodN1 WHERE foodid = ?"), core::cn, {id});
    ASSERT_EQ(n.RecordCount(), 30);
    QSet<int> codes;
    for (; !n.EOF(); n.MoveNext()) {
        EXPECT_EQ(n[QStringLiteral("srl_no")].toLong(), 9);
        EXPECT_EQ(n[QStringLiteral("total_value")].toDouble(), 0.0);
        const int stored = static_cast<int>(n[QStringLiteral("nutri_cd")].toLong());
        const int code =
            off::realCode(stored, 9, static_cast<int>(n[QStringLiteral("unit_cd")].toLong()));
        const double value = off::value(n[QStringLiteral("nutri_val")].toDouble(), stored);
        codes.insert(code);
        if (code == 8) {
            EXPECT_DOUBLE_EQ(value, 120.5);
            EXPECT_EQ(n[QStringLiteral("unit_tp")].text(), QStringLiteral("mg"));
        } else if (code == 2) {
            EXPECT_DOUBLE_EQ(value, 7.125);
        } else {
            // A value of 0 is stored as the stored code itself.
            EXPECT_EQ(n[QStringLiteral("nutri_val")].toDouble(), stored);
        }
    }
    EXPECT_EQ(codes.size(), 30);
    EXPECT_EQ(*std::min_element(codes.begin(), codes.end()), 1);
    EXPECT_EQ(*std::max_element(codes.begin(), codes.end()), 30);

    db::Recordset names;
    names.Open(QStringLiteral("SELECT langcat.langname, lang.foodlangname, lang.srl_no FROM lang, "
                              "langcat WHERE lang.langid = langcat.langid AND foodid = ? "
                              "ORDER BY lang.rowid"),
               core::cn, {id});
    ASSERT_EQ(names.RecordCount(), 12);
    EXPECT_EQ(names[0].text(), QStringLiteral("Assamese"));
    EXPECT_EQ(names[1].text(), QStringLiteral("Not Available"));
    for (int i = 0; i < 3; ++i) {
        names.MoveNext();
    }
    EXPECT_EQ(names[0].text(), QStringLiteral("Hindi"));
    EXPECT_EQ(names[1].text(), QStringLiteral("Ragi dosa"));
}

TEST_F(UserFoodsTest, TwoFoodsOfOneNameGetTheirOwnIdsAndRemovalTakesOnlyTheOne) {
    foods::UserFoods foods(core::cn);
    foods::ComposedFoods store(core::cn);
    const qint16 first = foods.Add(food(QStringLiteral("Bajra")));  // a built-in name too
    const qint16 second = foods.Add(food(QStringLiteral("Bajra")));
    EXPECT_EQ(second, first + 1);
    EXPECT_TRUE(store.removeUserFood(first));
    for (const char* table : {"food", "foodN1", "lang"}) {
        EXPECT_EQ(count(QString::fromLatin1(table), first), 0) << table;
        EXPECT_GT(count(QString::fromLatin1(table), second), 0) << table;
    }
    db::Recordset builtIn;
    builtIn.Open(QStringLiteral("SELECT foodid FROM food WHERE foodname = 'Bajra' AND "
                                "PrimeOrNot = 'P'"),
                 core::cn);
    EXPECT_FALSE(builtIn.EOF());
    // A built-in food is never removed as a user food.
    EXPECT_FALSE(store.removeUserFood(builtIn[0].toLong()));
    EXPECT_EQ(count(QStringLiteral("foodN1"), builtIn[0].toLong()), 30);
}

TEST_F(UserFoodsTest, AFoodNeverFindsRowsOfAnEarlierFoodOfItsId) {
    foods::UserFoods foods(core::cn);
    const qint16 old = foods.Add(food(QStringLiteral("Old soup")));
    foods::ComposedFoods(core::cn).removeUserFood(old);
    // Nothing of the removed food is left, so its id is free again; rows that an earlier
    // version left behind without their food keep theirs taken.
    EXPECT_EQ(foods.Add(food(QStringLiteral("New soup"))), old);
    core::cn.Execute(QStringLiteral("INSERT INTO item (itemid, srl_no, foodid, qty) "
                                    "VALUES (?, 1, 3, 100)"),
                     {old + 1});
    const qint16 id = foods.Add(food(QStringLiteral("Newer soup")));
    EXPECT_EQ(id, old + 2);
    EXPECT_EQ(count(QStringLiteral("foodN1"), id), 30);
    EXPECT_EQ(count(QStringLiteral("lang"), id), 13);
}

TEST_F(UserFoodsTest, MissingRowsAndBadValuesRefuseTheWholeFood) {
    foods::NewUserFood f = food(QStringLiteral("Sattu"));
    f.values[4] = QStringLiteral("12abc");
    expectRefused(f, QStringLiteral("The value of Choline is not a number."));

    f = food(QStringLiteral("Sattu"));
    f.category = QStringLiteral("SWEETS");
    expectRefused(f, QStringLiteral("The category 'SWEETS' is not in the data file."));

    // The language rows come last: a missing one must undo the food and its nutrients.
    core::cn.Execute(
        QStringLiteral("UPDATE langcat SET langname = 'Odia' WHERE langname = "
                       "'Oriya'"));
    expectRefused(food(QStringLiteral("Sattu")),
                  QStringLiteral("The language 'Oriya' is not in the data file."));

    core::cn.Execute(QStringLiteral("DELETE FROM nutri WHERE nname = 'ZINC'"));
    expectRefused(food(QStringLiteral("Sattu")),
                  QStringLiteral("The nutrient 'ZINC' is not in the data file."));

    core::cn.Execute(
        QStringLiteral("UPDATE unit SET UnitType = 'microgram' WHERE UnitType = "
                       "'mcg'"));
    expectRefused(food(QStringLiteral("Sattu")),
                  QStringLiteral("The unit row of the nutrient 'CAROTENE-B (VIT-A)' is not in the "
                                 "data file."));
}

// Calcium is in mg, carbohydrates in g, carotene in mcg, energy in kcal.
TEST_F(UserFoodsTest, NoValueAboveWhat100gCanHold) {
    const struct {
        int field;
        const char* most;
        const char* above;
        const char* refusal;
    } limits[] = {
        {0, "100000", "100000.5", "Calcium is more than 100 g of food can hold: at most 100000 mg"},
        {1, "100", "100.01", "Carbohydrates is more than 100 g of food can hold: at most 100 g"},
        {2, "1e8", "1e308",
         "Carotene - B is more than 100 g of food can hold: at most 100000000 mcg"},
        {7, "900", "901", "Energy is more than 100 g of food can hold: at most 900 kcal"},
    };
    foods::NewUserFood most = food(QStringLiteral("Sattu"));
    for (const auto& limit : limits) {
        foods::NewUserFood f = food(QStringLiteral("Sattu"));
        f.values[limit.field] = QString::fromLatin1(limit.above);
        expectRefused(f,
                      QStringLiteral("The value of %1.").arg(QString::fromLatin1(limit.refusal)));
        most.values[limit.field] = QString::fromLatin1(limit.most);
    }
    EXPECT_GT(foods::UserFoods(core::cn).Add(most), 0);
}

TEST_F(UserFoodsTest, NoIdBeyondTheSixteenBitRange) {
    core::cn.Execute(QStringLiteral("UPDATE food SET foodid = 32767 WHERE foodid = 542"));
    expectRefused(food(QStringLiteral("Sattu")),
                  QStringLiteral("No food id is left: the highest one, 32767, is in use."));
}

}  // namespace
