#include "foods/ServingUnits.h"

#include "db/Connection.h"
#include "db/Recordset.h"

namespace foods {

QList<ServingUnit> ServingUnits::List(const QString& food) const {
    QList<ServingUnit> units;
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT UnitName, UnitSizeinGrams, status FROM FoodUnit WHERE food = ? "
                           "ORDER BY rowid"),
            cn_, {food});
    for (; !rs.EOF(); rs.MoveNext()) {
        units.append(
            {rs[0].text(), rs[1].IsNull() ? 0 : static_cast<int>(rs[1].toLong()), rs[2].text()});
    }
    return units;
}

QStringList ServingUnits::ComboEntries(const QString& food) const {
    QStringList entries;
    db::Recordset rs;
    rs.Open(
        QStringLiteral("SELECT UnitName FROM FoodUnit WHERE food = ? ORDER BY status ASC, rowid"),
        cn_, {food});
    for (; !rs.EOF(); rs.MoveNext()) {
        entries.append(rs[0].text());
    }
    entries.append(QStringLiteral("Grams"));
    return entries;
}

bool ServingUnits::HasDefault(const QString& food) const {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT 1 FROM FoodUnit WHERE food = ? AND status = 'Default' LIMIT 1"),
            cn_, {food});
    return !rs.EOF();
}

void ServingUnits::Add(const QString& food, const ServingUnit& unit, const QString& description,
                       bool demoteDefault) {
    db::Transaction transaction(cn_);
    if (demoteDefault) {
        cn_.Execute(QStringLiteral("UPDATE FoodUnit SET status = 'Other' WHERE food = ? AND "
                                   "status = 'Default'"),
                    {food});
    }
    cn_.Execute(QStringLiteral("INSERT INTO FoodUnit (UnitName, UnitSizeinGrams, description, "
                               "food, status) VALUES (?, ?, ?, ?, ?)"),
                {unit.UnitName, unit.UnitSizeinGrams, description, food, unit.status});
    // Every unit saved gets its own row in the unit master, also when its name is there.
    cn_.Execute(QStringLiteral("INSERT INTO unit (unitid, UnitType, STD_WGT, UnitName) "
                               "SELECT COALESCE(MAX(unitid), 0) + 1, ?, 0, ? FROM unit"),
                {unit.UnitName, unit.UnitName});
    transaction.Commit();
}

void ServingUnits::Remove(const QString& food, const QString& unitName) {
    cn_.Execute(QStringLiteral("DELETE FROM FoodUnit WHERE UnitName = ? AND food = ?"),
                {unitName, food});
}

}  // namespace foods
