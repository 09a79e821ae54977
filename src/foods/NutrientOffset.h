#pragma once

#include <QString>

// The nutrient rows of `foodN1` keep their code and value in an offset form: the stored code
// is shifted by the row's serial and unit row, and the stored value by the stored code. Every
// reader and writer of `foodN1` goes through these functions (or the SQL expressions below), so
// that the form is written down once.
namespace foods::NutrientOffset {

// The real nutrient code (1 to 30, `nutri.nutri_cd`) of a stored row.
constexpr int realCode(int storedCode, int serial, int unitId) {
    return storedCode - serial + unitId;
}
// The value per 100 g of a stored row.
constexpr double value(double storedValue, int storedCode) {
    return storedValue - storedCode;
}
// What a writer stores for real code `code`, unit row `unitId` and serial `serial`.
constexpr int storedCode(int code, int unitId, int serial) {
    return code - unitId + serial;
}
// What a writer stores for the value per 100 g, given the stored code it has just computed.
constexpr double storedValue(double valuePer100g, int storedCode) {
    return valuePer100g + storedCode;
}

// The same rules for SQL over a table or alias `table` ("foodN1", "f"): the real code and the
// value per 100 g of each row.
QString realCodeSql(const QString& table = QStringLiteral("foodN1"));
QString valueSql(const QString& table = QStringLiteral("foodN1"));

}  // namespace foods::NutrientOffset
