#include "foods/NutrientIndex.h"

#include "foods/NutrientOffset.h"

namespace foods::NutrientIndex {

db::Recordset FoodSources(db::Command& cmd, const QString& nutrient, const QString& category,
                          const QString& language, Order order) {
    const bool byCategory = Filters(category);
    const bool translated = Translates(language);
    QString sql = QStringLiteral(
                      "SELECT food.foodname AS foodname, cat.cname AS cname, %1 AS value, "
                      "foodN1.unit_tp AS unit_tp")
                      .arg(NutrientOffset::valueSql());
    if (translated) {
        sql += QStringLiteral(", lang.foodlangname AS foodlangname");
    }
    sql += QStringLiteral(
               " FROM nutri JOIN foodN1 ON %1 = nutri.nutri_cd"
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
    switch (order) {
        case Order::ByName:
            sql += QStringLiteral(" ORDER BY food.foodname ASC");
            break;
        case Order::ValueAscending:
            sql += QStringLiteral(" ORDER BY value ASC");
            break;
        case Order::ValueDescending:
            sql += QStringLiteral(" ORDER BY value DESC");
            break;
    }
    cmd.CommandText = sql;
    cmd.CommandType = db::Command::CmdText;
    return cmd.Execute(params);
}

}  // namespace foods::NutrientIndex
