#include <gtest/gtest.h>

#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "frame/core.h"
#include "support/ProgramFixture.h"

namespace off = foods::NutrientOffset;

TEST(NutrientOffset, WritesAndReadsBackTheWorkedRow) {
    const int stored = off::storedCode(8, 3, 9);
    EXPECT_EQ(stored, 14);
    EXPECT_DOUBLE_EQ(off::storedValue(120.5, stored), 134.5);
    EXPECT_EQ(off::realCode(14, 9, 3), 8);
    EXPECT_DOUBLE_EQ(off::value(134.5, 14), 120.5);
}

class NutrientOffsetSql : public ProgramTest {};

// Rows of one food written with different unit rows and serials decode, in SQL, to their own
// codes and values: the reader must use each row's own unit row, never a fixed one.
TEST_F(NutrientOffsetSql, DecodesRowsWhoseUnitRowsAndSerialsDiffer) {
    start();
    struct Row {
        int code, unit, serial;
        double value;
    };
    const Row rows[] = {{8, 3, 9, 120.5}, {2, 1, 9, 7.94}, {30, 4, 0, 0.0}, {14, 2, 5, 3.125}};
    for (const Row& r : rows) {
        const int stored = off::storedCode(r.code, r.unit, r.serial);
        core::cn.Execute(QStringLiteral("INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val, "
                                        "unit_cd) VALUES (9999, ?, ?, ?, ?)"),
                         {r.serial, stored, off::storedValue(r.value, stored), r.unit});
    }
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT %1 AS code, %2 AS value FROM foodN1 WHERE foodid = 9999 "
                           "ORDER BY code")
                .arg(off::realCodeSql(), off::valueSql()),
            core::cn);
    QList<QPair<int, double>> read;
    for (; !rs.EOF(); rs.MoveNext()) {
        read.append({static_cast<int>(rs[QStringLiteral("code")].toLong()),
                     rs[QStringLiteral("value")].toDouble()});
    }
    ASSERT_EQ(read.size(), 4);
    EXPECT_EQ(read[0].first, 2);
    EXPECT_DOUBLE_EQ(read[0].second, 7.94);
    EXPECT_EQ(read[1].first, 8);
    EXPECT_DOUBLE_EQ(read[1].second, 120.5);
    EXPECT_EQ(read[2].first, 14);
    EXPECT_DOUBLE_EQ(read[2].second, 3.125);
    EXPECT_EQ(read[3].first, 30);
    EXPECT_DOUBLE_EQ(read[3].second, 0.0);
}
