#include "ComposedFoodFixture.h"

#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "frame/core.h"

namespace off = foods::NutrientOffset;
using core::cn;

int ComposedFoodTest::addComposed(const QString& name) {
    const int id = count(QStringLiteral("SELECT max(foodid) + 1 FROM food"));
    addFood(id, name, {}, 21);
    cn.Execute(QStringLiteral("INSERT INTO item (itemid, srl_no) VALUES (?, 0)"), {id});
    return id;
}

void ComposedFoodTest::addItem(int composed, int srl, int ingredient, double grams, int unit) {
    cn.Execute(QStringLiteral("DELETE FROM item WHERE itemid = ? AND srl_no = 0"), {composed});
    cn.Execute(QStringLiteral("INSERT INTO item VALUES (?, ?, ?, ?, ?)"),
               {composed, srl, ingredient, grams, unit});
}

QList<ComposedFoodTest::Row> ComposedFoodTest::rows(int foodId) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM foodN1 WHERE foodid = ? ORDER BY rowid"), cn, {foodId});
    QList<Row> result;
    for (; !rs.EOF(); rs.MoveNext()) {
        const int srl = rs[QStringLiteral("srl_no")].toLong();
        const int stored = rs[QStringLiteral("nutri_cd")].toLong();
        const int unit = rs[QStringLiteral("unit_cd")].toLong();
        const db::Variant total = rs[QStringLiteral("total_value")];
        result.append({srl, off::realCode(stored, srl, unit), unit,
                       off::value(rs[QStringLiteral("nutri_val")].toDouble(), stored),
                       total.IsNull() ? -1.0 : total.toDouble(),
                       rs[QStringLiteral("unit_tp")].text()});
    }
    return result;
}

ComposedFoodTest::Row ComposedFoodTest::row(int foodId, int code) {
    QList<Row> found;
    for (const Row& r : rows(foodId)) {
        if (r.code == code) {
            found.append(r);
        }
    }
    EXPECT_EQ(found.size(), 1) << "rows of code " << code;
    return found.value(0, Row{0, code, 0, -1, -1, {}});
}

QStringList ComposedFoodTest::items(int foodId) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT srl_no, foodid, qty, unitid FROM item WHERE itemid = ? "
                           "ORDER BY srl_no, rowid"),
            cn, {foodId});
    QStringList result;
    for (; !rs.EOF(); rs.MoveNext()) {
        QStringList fields;
        for (int i = 0; i < 4; ++i) {
            fields << (rs[i].IsNull() ? QStringLiteral("-") : rs[i].toString());
        }
        result << fields.join(u':');
    }
    return result;
}

int ComposedFoodTest::foodId(const QString& name) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT foodid FROM food WHERE foodname = ?"), cn, {name});
    return rs.EOF() ? -1 : rs[0].toLong();
}
