#include "foods/ComposedFood.h"

#include <QSet>
#include <algorithm>
#include <array>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "foods/RecipeOrder.h"

namespace foods {
namespace {

namespace off = NutrientOffset;

constexpr int kReadyFood = 21;
// Rows per INSERT statement when a food's nutrient rows are written back.
constexpr int kRowsPerInsert = 64;

struct NutrientRow {
    db::Variant srl, storedCode, storedValue, unitId, unitText, total;
};

bool allSet(std::initializer_list<const db::Variant*> values) {
    return std::none_of(values.begin(), values.end(),
                        [](const db::Variant* v) { return v->IsNull(); });
}

void insertRows(db::Connection& cn, int foodId, const QVector<NutrientRow>& rows) {
    for (qsizetype first = 0; first < rows.size(); first += kRowsPerInsert) {
        const qsizetype count = std::min<qsizetype>(kRowsPerInsert, rows.size() - first);
        QString sql = QStringLiteral(
            "INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val, unit_cd, unit_tp, "
            "total_value) VALUES ");
        db::Params params;
        params.reserve(static_cast<size_t>(count) * 7);
        for (qsizetype i = first; i < first + count; ++i) {
            const NutrientRow& row = rows[i];
            sql += i == first ? QStringLiteral("(?, ?, ?, ?, ?, ?, ?)")
                              : QStringLiteral(", (?, ?, ?, ?, ?, ?, ?)");
            params.insert(params.end(), {foodId, row.srl, row.storedCode, row.storedValue,
                                         row.unitId, row.unitText, row.total});
        }
        cn.Execute(sql, params);
    }
}

}  // namespace

RecipeTotals ComposedFoods::recipe(int foodId) const {
    // Each ingredient row once per nutrient row of its food (or once without any), in the order
    // the ingredients were added and, within one, in the order of its nutrient rows.
    db::Recordset rs;
    rs.Open(
        QStringLiteral("SELECT item.rowid AS line, item.qty, item.unitid, n.srl_no, n.nutri_cd, "
                       "n.nutri_val, n.unit_cd, n.unit_tp FROM item "
                       "JOIN food ON food.foodid = item.foodid "
                       "LEFT JOIN foodN1 AS n ON n.foodid = item.foodid "
                       "WHERE item.itemid = ? ORDER BY item.srl_no, item.rowid, n.srl_no, n.rowid"),
        cn_, {foodId});
    RecipeTotals totals;
    qint64 line = -1;
    db::Variant itemUnit;
    for (; !rs.EOF(); rs.MoveNext()) {
        const qint64 thisLine = rs[0].integerValue();
        if (thisLine != line) {
            line = thisLine;
            const db::Variant qty = rs[1];
            itemUnit = rs[2];
            totals.addIngredient(qty.IsNull() ? 0.0 : qty.toDouble());
        }
        const db::Variant srl = rs[3], stored = rs[4], value = rs[5], unit = rs[6];
        if (!allSet({&srl, &stored, &value, &unit})) {
            continue;  // no nutrient rows, or a row that holds no value
        }
        const int storedCode = stored.toLong();
        IngredientNutrient nutrient;
        nutrient.code = off::realCode(storedCode, srl.toLong(), unit.toLong());
        nutrient.valuePer100g = off::value(value.toDouble(), storedCode);
        nutrient.unitText = rs[7].text();
        totals.addNutrient(nutrient, itemUnit.IsNull() ? unit.toLong() : itemUnit.toLong());
    }
    return totals;
}

bool ComposedFoods::hasIngredient(int foodId, int ingredientId) const {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT 1 FROM item WHERE itemid = ? AND foodid = ? LIMIT 1"), cn_,
            {foodId, ingredientId});
    return !rs.EOF();
}

QList<int> ComposedFoods::dependants(int foodId) const {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT item.itemid FROM item JOIN food ON food.foodid = item.itemid "
                           "WHERE item.foodid = ? GROUP BY item.itemid ORDER BY min(item.rowid)"),
            cn_, {foodId});
    QList<int> ids;
    for (; !rs.EOF(); rs.MoveNext()) {
        ids.append(rs[0].toLong());
    }
    return ids;
}

QList<int> ComposedFoods::dependantsInOrder(int foodId, bool throughFood) {
    // Each composed food is asked for once, so the walk ends also where the data holds a
    // cycle.
    RecipeOrder order;
    QList<int> found;
    QSet<int> seen{foodId};
    for (qsizetype at = -1; at < found.size(); ++at) {
        const int food = at < 0 ? foodId : found[at];
        for (int dish : dependants(food)) {
            order.addUse(dish, food);
            if (!seen.contains(dish)) {
                seen.insert(dish);
                found.append(dish);
            }
        }
    }
    if (throughFood) {
        found.prepend(foodId);
    }
    QList<int> ordered = order.order(found);
    noteCycles(order.cyclic());
    if (throughFood) {
        ordered.removeOne(foodId);
    }
    return ordered;
}

void ComposedFoods::noteCycles(const QList<int>& foodIds) {
    for (int id : foodIds) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT foodname FROM food WHERE foodid = ?"), cn_, {id});
        const QString name = rs.EOF() ? QString::number(id) : rs[0].text();
        if (!madeOfThemselves_.contains(name)) {
            madeOfThemselves_.append(name);
        }
    }
}

void ComposedFoods::writeRows(int foodId, const RecipeTotals& totals, bool keepRows) {
    QVector<NutrientRow> rows;
    std::array<bool, RecipeTotals::kCodes + 1> present{};
    int lastSrl = 0;
    if (keepRows) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT srl_no, nutri_cd, nutri_val, unit_cd, unit_tp, "
                               "total_value FROM foodN1 WHERE foodid = ? ORDER BY rowid"),
                cn_, {foodId});
        for (; !rs.EOF(); rs.MoveNext()) {
            NutrientRow row{rs[0], rs[1], rs[2], rs[3], rs[4], rs[5]};
            if (allSet({&row.srl, &row.storedCode, &row.unitId})) {
                const int stored = row.storedCode.toLong();
                const int code = off::realCode(stored, row.srl.toLong(), row.unitId.toLong());
                row.storedValue = off::storedValue(totals.per100g(code), stored);
                row.total = totals.total(code);
                if (code >= 1 && code <= RecipeTotals::kCodes) {
                    present[code] = true;
                }
                lastSrl = std::max(lastSrl, static_cast<int>(row.srl.toLong()));
            }
            rows.append(row);
        }
    }
    int srl = lastSrl + 1;
    for (const RecipeTotals::Origin& origin : totals.origins()) {
        if (present[origin.code]) {
            continue;
        }
        const int stored = off::storedCode(origin.code, origin.unitId, srl);
        rows.append({srl, stored, off::storedValue(totals.per100g(origin.code), stored),
                     origin.unitId, origin.unitText, totals.total(origin.code)});
        ++srl;
    }
    cn_.Execute(QStringLiteral("DELETE FROM foodN1 WHERE foodid = ?"), {foodId});
    insertRows(cn_, foodId, rows);
}

void ComposedFoods::recompute(int foodId) {
    const RecipeTotals totals = recipe(foodId);
    if (totals.ingredients() > 0) {
        writeRows(foodId, totals, true);
        return;
    }
    cn_.Execute(QStringLiteral("DELETE FROM item WHERE itemid = ?"), {foodId});
    cn_.Execute(QStringLiteral("INSERT INTO item (itemid, srl_no) VALUES (?, 0)"), {foodId});
    cn_.Execute(QStringLiteral("DELETE FROM foodN1 WHERE foodid = ?"), {foodId});
}

int ComposedFoods::rebuildAll() {
    QList<int> composed;
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT foodid FROM food WHERE cid = ? ORDER BY foodname, foodid"), cn_,
            {kReadyFood});
    for (; !rs.EOF(); rs.MoveNext()) {
        composed.append(rs[0].toLong());
    }
    // A composed food used by another must have its own values before the other reads them.
    RecipeOrder order;
    rs.Close();
    rs.Open(QStringLiteral("SELECT DISTINCT item.itemid, item.foodid FROM item "
                           "JOIN food ON food.foodid = item.foodid WHERE food.cid = ?"),
            cn_, {kReadyFood});
    for (; !rs.EOF(); rs.MoveNext()) {
        order.addUse(rs[0].toLong(), rs[1].toLong());
    }
    const QList<int> ordered = order.order(composed);
    noteCycles(order.cyclic());
    int rebuilt = 0;
    for (int id : ordered) {
        const RecipeTotals totals = recipe(id);
        if (totals.ingredients() > 0) {
            writeRows(id, totals, false);
            ++rebuilt;
        }
    }
    return rebuilt;
}

void ComposedFoods::create(int foodId, int cid, const QString& name, const QString& note) {
    cn_.Execute(QStringLiteral("INSERT INTO food (foodid, cid, foodname, foodnote, PrimeOrNot) "
                               "VALUES (?, ?, ?, ?, 'U')"),
                {foodId, cid, name, note});
    cn_.Execute(QStringLiteral("INSERT INTO item (itemid, srl_no) VALUES (?, 0)"), {foodId});
    cn_.Execute(QStringLiteral("INSERT INTO lang (foodid, srl_no, langid, foodlangname) "
                               "SELECT ?, 0, langid, 'Not Available' FROM langcat ORDER BY langid"),
                {foodId});
}

void ComposedFoods::addIngredient(int foodId, int ingredientId, double grams, int unitId) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT max(srl_no) FROM item WHERE itemid = ?"), cn_, {foodId});
    const db::Variant last = rs[0];
    if (!last.IsNull() && last.toLong() == 0) {
        cn_.Execute(QStringLiteral("UPDATE item SET srl_no = 1, foodid = ?, qty = ?, unitid = ? "
                                   "WHERE rowid = (SELECT min(rowid) FROM item "
                                   "WHERE itemid = ? AND srl_no = 0)"),
                    {ingredientId, grams, unitId, foodId});
    } else {
        const int srl = last.IsNull() ? 1 : last.toLong() + 1;
        cn_.Execute(QStringLiteral("INSERT INTO item (itemid, srl_no, foodid, qty, unitid) "
                                   "VALUES (?, ?, ?, ?, ?)"),
                    {foodId, srl, ingredientId, grams, unitId});
    }
    recompute(foodId);
    updateDependants(foodId);
}

void ComposedFoods::removeIngredient(int foodId, int ingredientId) {
    cn_.Execute(QStringLiteral("DELETE FROM item WHERE itemid = ? AND foodid = ?"),
                {foodId, ingredientId});
    recompute(foodId);
    updateDependants(foodId);
}

void ComposedFoods::updateDependants(int foodId) {
    for (int dependant : dependantsInOrder(foodId, true)) {
        recompute(dependant);
    }
}

bool ComposedFoods::removeUserFood(int foodId) {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT 1 FROM food WHERE foodid = ? AND PrimeOrNot = 'U'"), cn_,
            {foodId});
    if (rs.EOF()) {
        return false;
    }
    const QList<int> users = dependantsInOrder(foodId, false);
    cn_.Execute(QStringLiteral("DELETE FROM item WHERE foodid = ?"), {foodId});
    for (int dependant : users) {
        recompute(dependant);
    }
    cn_.Execute(QStringLiteral("DELETE FROM FoodUnit WHERE food = (SELECT foodname FROM food "
                               "WHERE foodid = ?) AND NOT EXISTS (SELECT 1 FROM food "
                               "WHERE foodname = FoodUnit.food AND foodid <> ?)"),
                {foodId, foodId});
    for (const char* sql :
         {"DELETE FROM food WHERE foodid = ?", "DELETE FROM foodN1 WHERE foodid = ?",
          "DELETE FROM lang WHERE foodid = ?", "DELETE FROM item WHERE itemid = ?"}) {
        cn_.Execute(QString::fromLatin1(sql), {foodId});
    }
    return true;
}

}  // namespace foods
