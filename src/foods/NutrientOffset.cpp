#include "foods/NutrientOffset.h"

namespace foods::NutrientOffset {

QString realCodeSql(const QString& table) {
    return QStringLiteral("(%1.nutri_cd - %1.srl_no + %1.unit_cd)").arg(table);
}

QString valueSql(const QString& table) {
    return QStringLiteral("(%1.nutri_val - %1.nutri_cd)").arg(table);
}

}  // namespace foods::NutrientOffset
