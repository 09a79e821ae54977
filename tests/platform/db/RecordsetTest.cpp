#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

#include "TestDataFile.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "runtime/Error.h"
#include "support/PrintQt.h"

using db::Connection;
using db::Params;
using db::Recordset;
using db::Variant;
using dbtest::caught;
using dbtest::errorNumber;
using dbtest::TestDataFile;

namespace {

class RecordsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file.open(cn);
        const QString sql = "INSERT INTO food (foodid, cid, foodname, PrimeOrNot) VALUES (?,?,?,?)";
        cn.Execute(sql, {1, 2, "Apple", "P"});
        cn.Execute(sql, {2, 2, "Banana", "P"});
        cn.Execute(sql, {3, 5, "Cow's milk", "P"});
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {2, "FRUITS"});
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {5, "MILK"});
    }

    long count(const QString& sql, const Params& params = {}) {
        Recordset rs;
        rs.Open(sql, cn, params);
        return rs.Fields(0).Value().toLong();
    }

    QStringList names(Recordset& rs, const QString& field) {
        QStringList result;
        for (rs.MoveFirst(); !rs.EOF(); rs.MoveNext()) {
            result << rs[field].toString();
        }
        return result;
    }

    TestDataFile file;
    Connection cn;
};

}  // namespace

// --- cursor -------------------------------------------------------------------------------

TEST_F(RecordsetTest, WalksTheRowsInOrderAndReportsPositions) {
    Recordset rs;
    rs.Open("SELECT foodid, foodname FROM food ORDER BY foodid", cn);
    EXPECT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_FALSE(rs.BOF());
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(rs["foodname"].toString(), "Apple");
    rs.MoveLast();
    EXPECT_EQ(rs.AbsolutePosition(), 3);
    rs.MoveNext();
    EXPECT_TRUE(rs.EOF());
    EXPECT_FALSE(rs.BOF());
    EXPECT_EQ(rs.AbsolutePosition(), Recordset::PosEOF);
    EXPECT_EQ(errorNumber([&] { rs.MoveNext(); }), rt::err::NoCurrentRecord);
    const rt::Error e = caught([&] { (void)rs["foodname"]; });
    EXPECT_EQ(e.Number(), rt::err::NoCurrentRecord);
    EXPECT_EQ(e.Description(),
              "Either BOF or EOF is True, or the current record has been deleted. Requested "
              "operation requires a current record.");
    rs.MovePrevious();
    EXPECT_EQ(rs["foodid"], Variant(3));
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());
    EXPECT_EQ(rs.AbsolutePosition(), Recordset::PosBOF);
    EXPECT_EQ(errorNumber([&] { rs.MovePrevious(); }), rt::err::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { (void)rs.Fields("foodid").Value(); }), rt::err::NoCurrentRecord);
    rs.MoveNext();
    EXPECT_EQ(rs["foodid"], Variant(1));
}

TEST_F(RecordsetTest, EmptyResultIsBothBofAndEof) {
    Recordset rs;
    rs.Open("SELECT * FROM food WHERE foodname = ?", cn, {"Durian"});
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.EOF());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.FieldCount(), 10);
    EXPECT_EQ(errorNumber([&] { rs.MoveFirst(); }), rt::err::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs.MoveLast(); }), rt::err::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs.MoveNext(); }), rt::err::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { (void)rs["foodname"]; }), rt::err::NoCurrentRecord);
}

TEST_F(RecordsetTest, OpenAndClosedStatesAreEnforced) {
    Recordset rs;
    for (auto op : std::initializer_list<std::function<void()>>{
             [&] { (void)rs.EOF(); }, [&] { rs.MoveNext(); }, [&] { (void)rs.RecordCount(); },
             [&] { (void)rs["foodname"]; }, [&] { (void)rs.FieldCount(); }}) {
        EXPECT_EQ(errorNumber(op), rt::err::ObjectClosed);
    }
    rs.Open("SELECT * FROM food", cn);
    const rt::Error e = caught([&] { rs.Open("SELECT * FROM cat", cn); });
    EXPECT_EQ(e.Number(), rt::err::ObjectOpen);
    EXPECT_EQ(e.Description(), "Operation is not allowed when the object is open.");
    EXPECT_EQ(errorNumber([&] { rs.OpenTable("cat", cn); }), rt::err::ObjectOpen);
    // Still on the first query.
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.Close();
    EXPECT_EQ(rs.State(), 0);
    rs.Open("SELECT * FROM cat", cn);
    EXPECT_EQ(rs.RecordCount(), 2);
}

TEST_F(RecordsetTest, AWriteOpenedAsARecordsetRunsAndLeavesItClosed) {
    Recordset rs;
    rs.Open("DELETE FROM food WHERE foodid = ?", cn, {2});
    EXPECT_EQ(rs.State(), 0);
    EXPECT_EQ(count("SELECT count(*) FROM food"), 2);
    EXPECT_EQ(errorNumber([&] { (void)rs.EOF(); }), rt::err::ObjectClosed);
}

TEST_F(RecordsetTest, FailedOpenLeavesTheRecordsetClosed) {
    Recordset rs;
    EXPECT_EQ(errorNumber([&] { rs.Open("SELECT * FROM fodo", cn); }), rt::err::MissingTable);
    EXPECT_EQ(rs.State(), 0);
    EXPECT_EQ(errorNumber([&] { rs.OpenTable("fodo", cn); }), rt::err::MissingTable);
    EXPECT_EQ(rs.State(), 0);
    Connection closed;
    EXPECT_EQ(errorNumber([&] { rs.Open("SELECT 1", closed); }), 3709);
}

TEST_F(RecordsetTest, RowsAreIndependentOfLaterWrites) {
    Recordset rs;
    rs.Open("SELECT foodid, foodname FROM food ORDER BY foodid", cn);
    cn.Execute("UPDATE food SET foodname = 'Changed'");
    cn.Execute("DELETE FROM food WHERE foodid = 3");
    cn.Execute("INSERT INTO food (foodid, foodname) VALUES (9, 'New')");
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(names(rs, "foodname"), QStringList({"Apple", "Banana", "Cow's milk"}));
}

// --- fields -------------------------------------------------------------------------------

TEST_F(RecordsetTest, FieldNamesIgnoreCase) {
    Recordset rs;
    rs.Open("SELECT foodid, foodname AS FoodName FROM food WHERE foodid = ?", cn, {1});
    EXPECT_EQ(rs["FOODNAME"], Variant("Apple"));
    EXPECT_EQ(rs.Fields("foodname").Name(), "FoodName");
    EXPECT_EQ(rs.Fields(QStringLiteral("FoodID")).Value(), Variant(1));
    EXPECT_EQ(rs.Fields(1).Name(), "FoodName");
    const rt::Error e = caught([&] { (void)rs.Fields("foodnam"); });
    EXPECT_EQ(e.Number(), rt::err::ItemNotFound);
    EXPECT_EQ(rs[1], Variant("Apple"));
    EXPECT_EQ(errorNumber([&] { (void)rs.Fields(2); }), rt::err::ItemNotFound);
    EXPECT_EQ(errorNumber([&] { (void)rs[2]; }), rt::err::ItemNotFound);
    EXPECT_EQ(errorNumber([&] { (void)rs.Fields(-1); }), rt::err::ItemNotFound);
}

TEST_F(RecordsetTest, QualifiedNamesPickTheColumnOfThatTable) {
    cn.Execute("INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val) VALUES (1, 1, 10, 15.5)");
    cn.Execute("INSERT INTO RDA (gid, nutri_cd, nutri_val) VALUES (1, 1, 99)");
    Recordset rs;
    // Both tables have nutri_cd and nutri_val; a join in the windows names them by table.
    rs.Open("SELECT * FROM RDA, foodN1 f WHERE f.foodid = ?", cn, {1});
    EXPECT_EQ(rs["foodN1.nutri_val"], Variant(15.5));
    EXPECT_EQ(rs["[foodn1].[nutri_val]"], Variant(15.5));
    EXPECT_EQ(rs["rda.nutri_val"], Variant(99.0));
    EXPECT_EQ(rs["[RDA].NUTRI_CD"], Variant(1));
    EXPECT_EQ(rs["foodn1.nutri_cd"], Variant(10));
    // An alias is no table name: the part after the point decides, first column first.
    EXPECT_EQ(rs["f.nutri_cd"], Variant(1));
    EXPECT_EQ(rs["[srl_no]"], Variant(1));
    EXPECT_EQ(errorNumber([&] { (void)rs["food.nothing"]; }), rt::err::ItemNotFound);
    EXPECT_EQ(errorNumber([&] { (void)rs["food."]; }), rt::err::ItemNotFound);
}

TEST_F(RecordsetTest, NullsAndTypesComeBackAsStored) {
    cn.Execute("INSERT INTO foodN1 (foodid, srl_no, nutri_val, unit_tp) VALUES (?, ?, ?, ?)",
               {4, 1, 2.25, ""});
    Recordset rs;
    rs.Open("SELECT * FROM foodN1", cn);
    EXPECT_EQ(rs["foodid"].type(), Variant::Type::Integer);
    EXPECT_EQ(rs["nutri_val"].type(), Variant::Type::Double);
    EXPECT_TRUE(rs["nutri_cd"].IsNull());
    EXPECT_EQ(rs["nutri_cd"].text(), "");
    EXPECT_EQ(errorNumber([&] { (void)rs["nutri_cd"].toString(); }), rt::err::InvalidUseOfNull);
    EXPECT_FALSE(rs["unit_tp"].IsNull());
    EXPECT_EQ(rs["unit_tp"].toString(), "");
}

TEST_F(RecordsetTest, LongResultsReadBackEveryValueExactly) {
    // Over several hundred rows: texts that repeat down a column, texts that differ only in
    // their middle or only beyond ASCII, unique texts, empty texts, Nulls and long texts.
    auto open = [&](Recordset& rs, const QString& columns, Params params) {
        rs.Open(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
            "SELECT " +
                columns + " FROM n",
            cn, params);
    };
    auto expected = [](int i) {
        return QStringList{
            QString::number(i),
            i % 2 == 0 ? QStringLiteral("g") : QStringLiteral("mg"),
            QStringLiteral("abcdefgh%1ijklmnop").arg(i % 10),
            (i % 3 == 0 ? QString::fromUtf8("\xC3\xA4") : QStringLiteral("a")) +
                QString::number(i % 2),
            QStringLiteral("Member %1").arg(i),
            i % 5 == 0 ? QStringLiteral("(null)")
                       : QString(i % 5 == 1 ? 0 : 40 + i % 30, QLatin1Char('x')),
        };
    };
    const QString all =
        "i, CASE i % 2 WHEN 0 THEN 'g' ELSE 'mg' END, 'abcdefgh' || (i % 10) || 'ijklmnop', "
        "CASE i % 3 WHEN 0 THEN ?2 ELSE 'a' END || (i % 2), 'Member ' || i, "
        "CASE i % 5 WHEN 0 THEN NULL WHEN 1 THEN '' ELSE printf('%.*c', 40 + i % 30, 'x') END";
    for (int round = 0; round < 2; ++round) {
        Recordset rs;
        open(rs, all, {699, QString::fromUtf8("\xC3\xA4")});
        int i = 0;
        for (; !rs.EOF(); rs.MoveNext(), ++i) {
            QStringList row;
            for (int c = 0; c < rs.FieldCount(); ++c) {
                row << (rs[c].IsNull() ? QStringLiteral("(null)") : rs[c].toString());
            }
            ASSERT_EQ(row, expected(i)) << "row " << i;
        }
        EXPECT_EQ(i, 700);
        // Between the two rounds, a recordset of another width over the same storage.
        Recordset narrow;
        open(narrow, "i, 'k' || (i % 4)", {299});
        narrow.MoveLast();
        EXPECT_EQ(narrow[1].toString(), "k3");
        EXPECT_EQ(narrow.AbsolutePosition(), 300);
    }
}

// --- updating -----------------------------------------------------------------------------

TEST_F(RecordsetTest, AddNewReadsBackDefaultsAndTheGeneratedKey) {
    Recordset rs;
    rs.OpenTable("food", cn);
    rs.AddNew();
    EXPECT_EQ(rs.EditMode(), Recordset::EditAdd);
    EXPECT_TRUE(rs["foodname"].IsNull());
    rs.Fields("foodname") = "Mango";
    rs.Fields("cid") = 2;
    EXPECT_EQ(rs["foodname"], Variant("Mango"));
    rs.Update();
    EXPECT_EQ(rs.EditMode(), Recordset::EditNone);
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs["foodname"], Variant("Mango"));
    EXPECT_EQ(rs["PrimeOrNot"], Variant("U"));
    EXPECT_EQ(rs["edible"], Variant(100.0));
    EXPECT_EQ(rs["foodid"], Variant(4));
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodname = 'Mango' AND PrimeOrNot = 'U'"), 1);

    Recordset members;
    members.OpenTable("usr", cn);
    EXPECT_TRUE(members.EOF());
    members.AddNew();
    members.Fields("FirstN") = "Ann";
    members.Update();
    EXPECT_EQ(members["userid"], Variant(1));
    members.AddNew();
    members.Fields("FirstN") = "Ben";
    members.Update();
    EXPECT_EQ(members["userid"], Variant(2));
    // Keys of removed members are never given again.
    cn.Execute("DELETE FROM usr WHERE userid = 2");
    members.AddNew();
    members.Fields("FirstN") = "Cy";
    members.Update();
    EXPECT_EQ(members["userid"], Variant(3));
}

TEST_F(RecordsetTest, ATableOpenedWithAConditionHoldsOnlyItsRowsAndStillWrites) {
    Recordset rs;
    rs.OpenTable("food", cn, "cid = ? AND foodname <> ?", {2, "Cow's milk"});
    EXPECT_EQ(names(rs, "foodname"), QStringList({"Apple", "Banana"}));
    rs.MoveLast();
    rs.Fields("foodname") = "Plantain";
    rs.Update();
    // A new row stays in the recordset although it does not meet the condition.
    rs.AddNew();
    rs.Fields("foodname") = "Curd";
    rs.Fields("cid") = 5;
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs["foodid"], Variant(4));
    EXPECT_EQ(names(rs, "foodname"), QStringList({"Apple", "Plantain", "Curd"}));
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodname IN ('Plantain', 'Curd')"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodname = 'Banana'"), 0);

    // The values are bound: a quote in them is a character like any other.
    Recordset milk;
    milk.OpenTable("food", cn, "foodname = ?", {"Cow's milk"});
    EXPECT_EQ(milk.RecordCount(), 1);
    Recordset none;
    none.OpenTable("food", cn, "foodname = ?", {"x' OR '1'='1"});
    EXPECT_TRUE(none.EOF());
    EXPECT_EQ(errorNumber([&] { Recordset().OpenTable("food", cn, "cid = ?"); }),
              rt::err::MissingParameter);
}

TEST_F(RecordsetTest, ATableOpenedToAddReadsNoRowsButAddsAsUsual) {
    Recordset rs;
    rs.OpenTableToAdd("food", cn);
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.EOF());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.Fields("FoodName").Name(), "foodname");
    rs.AddNew();
    rs.Fields("foodname") = "Mango";
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs["foodid"], Variant(4));
    EXPECT_EQ(rs["PrimeOrNot"], Variant("U"));
    rs.Fields("foodnote") = "ripe";
    rs.Update();
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodnote = 'ripe'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM food"), 4);
}

TEST_F(RecordsetTest, ChangingAFieldUpdatesThatRowOnly) {
    Recordset rs;
    rs.OpenTable("food", cn);
    rs.MoveNext();
    rs.Fields("foodname") = "Plantain";
    rs.Fields("Price") = "12.5";  // text given, the column keeps a number
    EXPECT_EQ(rs.EditMode(), Recordset::EditInProgress);
    rs.Update();
    EXPECT_EQ(rs["Price"], Variant(12.5));
    Recordset check;
    check.Open("SELECT foodname FROM food ORDER BY foodid", cn);
    EXPECT_EQ(names(check, "foodname"), QStringList({"Apple", "Plantain", "Cow's milk"}));
}

TEST_F(RecordsetTest, CancelUpdateDiscardsTheEdit) {
    Recordset rs;
    rs.OpenTable("food", cn);
    rs.Fields("foodname") = "Pear";
    rs.CancelUpdate();
    EXPECT_EQ(rs["foodname"], Variant("Apple"));
    rs.AddNew();
    rs.Fields("foodname") = "Kiwi";
    rs.CancelUpdate();
    EXPECT_EQ(rs["foodname"], Variant("Apple"));
    EXPECT_EQ(count("SELECT count(*) FROM food"), 3);
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodname = 'Apple'"), 1);
}

TEST_F(RecordsetTest, MovingAwaySavesAPendingEdit) {
    Recordset rs;
    rs.OpenTable("food", cn);
    rs.Fields("foodname") = "Pear";
    rs.MoveNext();
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodname = 'Pear'"), 1);
    // An untouched new row is not saved as an empty one.
    rs.AddNew();
    rs.MoveFirst();
    EXPECT_EQ(count("SELECT count(*) FROM food"), 3);
    // Closing with an edit pending is refused rather than losing it.
    rs.Fields("foodname") = "Quince";
    EXPECT_EQ(errorNumber([&] { rs.Close(); }), 3219);
    rs.Update();
    rs.Close();
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodname = 'Quince'"), 1);
}

TEST_F(RecordsetTest, FailedUpdateKeepsTheEditForCorrection) {
    cn.Execute("INSERT INTO dayin (uid, idate, foodname) VALUES (1, '01-01-2024', 'Apple')");
    Recordset rs;
    rs.OpenTable("dayin", cn);
    rs.AddNew();
    rs.Fields("uid") = 1;
    rs.Fields("idate") = "01-01-2024";
    rs.Fields("foodname") = "apple";
    EXPECT_EQ(errorNumber([&] { rs.Update(); }), rt::err::ProviderFailure);
    EXPECT_EQ(rs.EditMode(), Recordset::EditAdd);
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Fields("foodname") = "Banana";
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(count("SELECT count(*) FROM dayin"), 2);
}

TEST_F(RecordsetTest, DeleteKeepsTheCursorSoMoveNextReachesTheNextRow) {
    Recordset rs;
    rs.OpenTable("food", cn);
    rs.Delete();
    EXPECT_EQ(errorNumber([&] { (void)rs["foodname"]; }), rt::err::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs.Delete(); }), rt::err::NoCurrentRecord);
    EXPECT_EQ(rs.RecordCount(), 2);
    rs.MoveNext();
    EXPECT_EQ(rs["foodname"], Variant("Banana"));
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());

    // The usual loop that empties a table.
    Recordset all;
    all.OpenTable("cat", cn);
    while (!all.EOF()) {
        all.Delete();
        all.MoveNext();
    }
    EXPECT_TRUE(all.BOF());
    EXPECT_EQ(all.RecordCount(), 0);
    EXPECT_EQ(count("SELECT count(*) FROM cat"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM food"), 2);
}

TEST_F(RecordsetTest, DeletingARowThatIsAlreadyGoneIsReported) {
    Recordset rs;
    rs.OpenTable("food", cn);
    cn.Execute("DELETE FROM food WHERE foodid = 1");
    EXPECT_NE(errorNumber([&] { rs.Delete(); }), 0);
    rs.Fields("foodname") = "Ghost";
    EXPECT_NE(errorNumber([&] { rs.Update(); }), 0);
    EXPECT_EQ(count("SELECT count(*) FROM food WHERE foodname = 'Ghost'"), 0);
}

TEST_F(RecordsetTest, QueriesAreReadOnly) {
    Recordset rs;
    rs.Open("SELECT * FROM food", cn);
    const rt::Error e = caught([&] { rs.AddNew(); });
    EXPECT_EQ(e.Number(), 3251);
    EXPECT_TRUE(e.Description().startsWith("Current Recordset does not support updating."));
    EXPECT_EQ(errorNumber([&] { rs.Fields("foodname") = "x"; }), 3251);
    EXPECT_EQ(errorNumber([&] { rs.Delete(); }), 3251);
    EXPECT_EQ(errorNumber([&] { rs.Update(); }), 3251);
    EXPECT_EQ(count("SELECT count(*) FROM food"), 3);
}

TEST_F(RecordsetTest, UpdatingAfterTheConnectionClosedIsRefused) {
    Recordset rs;
    rs.OpenTable("food", cn);
    cn.Close();
    rs.Fields("foodname") = "x";
    EXPECT_EQ(errorNumber([&] { rs.Update(); }), rt::err::ObjectClosed);
    rs.CancelUpdate();
    EXPECT_EQ(rs["foodname"], Variant("Apple"));
}

TEST_F(RecordsetTest, UpdatesInsideARolledBackTransactionLeaveNothing) {
    Recordset rs;
    rs.OpenTable("usr", cn);
    cn.BeginTrans();
    rs.AddNew();
    rs.Fields("FirstN") = "Temp";
    rs.Update();
    cn.RollbackTrans();
    EXPECT_EQ(count("SELECT count(*) FROM usr"), 0);
}

// --- Find ---------------------------------------------------------------------------------

TEST_F(RecordsetTest, FindMatchesQuotedTextWithAnApostropheIgnoringCase) {
    Recordset rs;
    rs.Open("SELECT * FROM food ORDER BY foodid", cn);
    rs.Find("foodname = 'COW''S MILK'");
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs["foodid"], Variant(3));
    // From the current row on, inclusive.
    rs.Find("[foodname]='cow''s milk'");
    EXPECT_EQ(rs["foodid"], Variant(3));
    rs.Find("foodname = 'Apple'");
    EXPECT_TRUE(rs.EOF());
    rs.MoveFirst();
    rs.Find("foodname = 'apple'");
    EXPECT_EQ(rs["foodid"], Variant(1));
}

TEST_F(RecordsetTest, FindMatchesNumbersAndRejectsWhatItCannotRead) {
    Recordset rs;
    rs.Open("SELECT * FROM food ORDER BY foodid", cn);
    rs.Find("cid = 5");
    EXPECT_EQ(rs["foodname"], Variant("Cow's milk"));
    rs.MoveFirst();
    rs.Find("foodid = '2'");
    EXPECT_EQ(rs["foodname"], Variant("Banana"));
    for (const char* bad : {"foodname = Apple", "foodname = 'Apple", "foodname 'Apple'",
                            "foodid >= 2", "= 2", "foodname = 'a' 'b'"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(errorNumber([&] { rs.Find(bad); }), 3001);
    }
    EXPECT_EQ(errorNumber([&] { rs.Find("nothing = 1"); }), rt::err::ItemNotFound);
}

// --- Command ------------------------------------------------------------------------------

TEST_F(RecordsetTest, CommandGivesAnIndependentRecordset) {
    db::Command cmd;
    EXPECT_EQ(errorNumber([&] { (void)cmd.Execute(); }), 3709);
    cmd.ActiveConnection = &cn;
    cmd.CommandText = "SELECT cname FROM cat WHERE cid = ?";
    Recordset rs = cmd.Execute({5});
    cn.Execute("UPDATE cat SET cname = 'X'");
    EXPECT_EQ(rs["cname"], Variant("MILK"));
    cmd.CommandText = "DELETE FROM cat";
    EXPECT_EQ(cmd.Execute().State(), 0);
    EXPECT_EQ(count("SELECT count(*) FROM cat"), 0);
}
