#include "intake/DiarySql.h"

namespace intake::DiarySql {

QString dayKey(const QString& column) {
    return QStringLiteral(
               "(substr(%1, 7, 4) || '-' || substr(%1, 4, 2) || '-' || substr(%1, 1, 2))")
        .arg(column);
}

QString dayKey(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString foodOf(const QString& foodnameColumn) {
    return QStringLiteral(
               "(SELECT MIN(food_of.foodid) FROM food AS food_of WHERE food_of.foodname = %1)")
        .arg(foodnameColumn);
}

}  // namespace intake::DiarySql
