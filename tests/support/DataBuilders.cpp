#include "support/DataBuilders.h"

#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "frame/core.h"
#include "runtime/Convert.h"

using core::cn;

qint32 DataBuilders::addMember(const Member& m) {
    cn.Execute(QStringLiteral("INSERT INTO usr (Prefix, FirstN, Address, Phone, EMail, Sex, Age, "
                              "period, Heigt, Weigh, Cndition, Activity, gid) "
                              "VALUES (?, ?, ' ', ' ', ' ', ?, ?, ?, ?, ?, ?, ?, ?)"),
               {m.prefix, m.name, m.sex, m.age, m.period, m.height, m.weight, m.condition,
                m.activity, m.group});
    return value(QStringLiteral("SELECT MAX(userid) FROM usr")).toLong();
}

void DataBuilders::addFood(int foodid, const QString& name, Nutrients values, int cid) {
    writeFood(foodid, name, values, cid, 0);
}

int DataBuilders::addFood(const QString& name, Nutrients values, int cid) {
    const int foodid = count(QStringLiteral("SELECT max(foodid) + 1 FROM food"));
    writeFood(foodid, name, values, cid, 9);
    return foodid;
}

void DataBuilders::writeFood(int foodid, const QString& name, Nutrients values, int cid,
                             int serial) {
    cn.Execute(QStringLiteral("INSERT INTO food (foodid, cid, foodname, PrimeOrNot) "
                              "VALUES (?, ?, ?, 'U')"),
               {foodid, cid, name});
    int next = 0;
    for (const auto& [code, amount] : values) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT unit.unitid, unit.UnitType FROM nutri JOIN unit "
                               "ON unit.UnitType = nutri.file_nm WHERE nutri.nutri_cd = ?"),
                cn, {code});
        addNutrient(foodid, code, amount, rs[0].toLong(), serial != 0 ? serial : ++next,
                    rs[1].text());
    }
}

void DataBuilders::addNutrient(int foodid, int code, double per100g, int unit, int serial,
                               const QString& unitText) {
    namespace off = foods::NutrientOffset;
    const int stored = off::storedCode(code, unit, serial);
    cn.Execute(QStringLiteral("INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val, unit_cd, "
                              "unit_tp, total_value) VALUES (?, ?, ?, ?, ?, ?, 0)"),
               {foodid, serial, stored, off::storedValue(per100g, stored), unit, unitText});
}

void DataBuilders::addUnit(const QString& food, const QString& unit, int grams,
                           const QString& status) {
    cn.Execute(QStringLiteral("INSERT INTO FoodUnit (UnitName, UnitSizeinGrams, description, "
                              "food, status) VALUES (?, ?, '', ?, ?)"),
               {unit, grams, food, status});
}

void DataBuilders::eat(qint64 member, const QDate& day, const QString& food, double grams) {
    cn.Execute(QStringLiteral("INSERT INTO dayin (uid, idate, foodname, quantity, unit) "
                              "VALUES (?, ?, ?, ?, 'Grams')"),
               {member, rt::DateText(day), food, grams});
}

db::Variant DataBuilders::value(const QString& sql, const db::Params& params) {
    db::Recordset rs;
    rs.Open(sql, cn, params);
    return rs.EOF() ? db::Variant() : rs[0];
}

int DataBuilders::count(const QString& sql, const db::Params& params) {
    return value(sql, params).toLong();
}
