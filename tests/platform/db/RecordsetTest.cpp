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

TEST_F(RecordsetTest, WalksTheRowsInOrderAndRaises3021PastThem) {
    Recordset rs;
    rs.Open("SELECT foodid, foodname FROM food ORDER BY foodid", cn);
    EXPECT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(names(rs, "foodname"), QStringList({"Apple", "Banana", "Cow's milk"}));
    EXPECT_TRUE(rs.EOF());
    EXPECT_EQ(errorNumber([&] { rs.MoveNext(); }), rt::err::NoCurrentRecord);
    const rt::Error e = caught([&] { (void)rs["foodname"]; });
    EXPECT_EQ(e.Number(), rt::err::NoCurrentRecord);
    EXPECT_EQ(e.Description(),
              "Either BOF or EOF is True, or the current record has been deleted. Requested "
              "operation requires a current record.");
    EXPECT_EQ(errorNumber([&] { (void)rs.Fields("foodid").Value(); }), rt::err::NoCurrentRecord);
    // MoveFirst starts again, as the windows do before a second pass.
    rs.MoveFirst();
    EXPECT_EQ(rs["foodid"], Variant(1));
}

TEST_F(RecordsetTest, EmptyResultIsAtEofWithItsColumns) {
    Recordset rs;
    rs.Open("SELECT * FROM food WHERE foodname = ?", cn, {"Durian"});
    EXPECT_TRUE(rs.EOF());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.FieldCount(), 10);
    EXPECT_EQ(rs.Fields("FoodName").Name(), "foodname");
    EXPECT_EQ(errorNumber([&] { rs.MoveFirst(); }), rt::err::NoCurrentRecord);
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
        EXPECT_EQ(narrow.RecordCount(), 300);
        for (int skip = 0; skip < 299; ++skip) {
            narrow.MoveNext();
        }
        EXPECT_EQ(narrow[1].toString(), "k3");
    }
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
