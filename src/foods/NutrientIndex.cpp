#include "foods/NutrientIndex.h"

#include "foods/NutrientOffset.h"

namespace foods::NutrientIndex {

Query FoodSourcesQuery(const QString& nutrient, const QString& category, const QString& language,
                       Order order) {
    const bool byCategory = Filters(category);
    const bool translated = Translates(language);
    QString sql = QStringLiteral(
                      "SELECT food.foodname AS foodname, cat.cname AS cname, %1 AS value, "
                      "foodN1.unit_tp AS unit_tp")
                      .arg(NutrientOffset::valueSql());
    if (translated) {
        sql += QStringLiteral(", lang.foodlangname AS foodlangname");
    }
    // The nutrient first, then its rows through foodN1_code. The computed code has no
    // affinity; compared with the integer column nutri.nutri_cd it would take that column's,
    // and SQLite then leaves an index without affinity aside and reads every nutrient row of
    // every food. The unary + takes the column's affinity away (the values compare the same),
    // and CROSS JOIN keeps the nutrient ahead of its rows.
    sql += QStringLiteral(
               " FROM nutri CROSS JOIN foodN1 ON %1 = +nutri.nutri_cd"
               " JOIN food ON food.foodid = foodN1.foodid JOIN cat ON cat.cid = food.cid")
               .arg(NutrientOffset::realCodeSql());
    if (translated) {
        sql += QStringLiteral(
            " JOIN lang ON lang.foodid = food.foodid"
            " JOIN langcat ON langcat.langid = lang.langid");
    }
    sql += QStringLiteral(" WHERE nutri.nname = ?");
    db::Params params{nutrient};
    if (byCategory) {
        sql += QStringLiteral(" AND cat.cname = ?");
        params.emplace_back(category);
    }
    if (translated) {
        sql += QStringLiteral(" AND langcat.langname = ?");
        params.emplace_back(language);
    }
    // Rows that tie come in the order of the nutrient rows, whichever way they were found.
    switch (order) {
        case Order::ByName:
            sql += QStringLiteral(" ORDER BY food.foodname ASC, foodN1.rowid");
            break;
        case Order::ValueAscending:
            sql += QStringLiteral(" ORDER BY value ASC, foodN1.rowid");
            break;
        case Order::ValueDescending:
            sql += QStringLiteral(" ORDER BY value DESC, foodN1.rowid");
            break;
    }
    return {sql, params};
}

db::Recordset FoodSources(db::Command& cmd, const QString& nutrient, const QString& category,
                          const QString& language, Order order) {
    const Query query = FoodSourcesQuery(nutrient, category, language, order);
    cmd.CommandText = query.sql;
    cmd.CommandType = db::Command::CmdText;
    return cmd.Execute(query.params);
}

}  // namespace foods::NutrientIndex
