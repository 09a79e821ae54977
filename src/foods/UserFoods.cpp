#include "foods/UserFoods.h"

#include "db/Connection.h"
#include "db/Recordset.h"
#include "foods/FoodId.h"
#include "foods/NutrientOffset.h"
#include "frame/ErrorHandler.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

namespace foods {
namespace {

// A user food's nutrient rows all carry this serial.
constexpr int kSerial = 9;

// The first row of a lookup; raises "... is not in the data file." naming what was sought.
db::Recordset Lookup(db::Connection& cn, const QString& sql, const QString& value,
                     const QString& what) {
    db::Recordset rs;
    rs.Open(sql, cn, {value});
    if (rs.EOF()) {
        rt::raise(rt::err::NoCurrentRecord,
                  QStringLiteral("%1 '%2' is not in the data file.").arg(what, value),
                  QStringLiteral("UserFoods"));
    }
    return rs;
}

// The most that 100 g of food can hold of a nutrient measured in `unit`. A unit not among these
// gets the largest bound, so that no value the recipes cannot add up gets in.
double MostPer100g(const QString& unit) {
    // A part weighs no more than the food; pure fat, the densest food, has 9 kcal in a gram.
    static const QList<std::pair<QString, double>> limits = {{QStringLiteral("g"), 100},
                                                             {QStringLiteral("kcal"), 900},
                                                             {QStringLiteral("mg"), 100e3},
                                                             {QStringLiteral("mcg"), 100e6}};
    for (const auto& [name, limit] : limits) {
        if (unit.compare(name, Qt::CaseInsensitive) == 0) {
            return limit;
        }
    }
    return limits.last().second;
}

}  // namespace

const std::array<NutrientField, 30>& NutrientFields() {
    static const std::array<NutrientField, 30> fields = {{
        {"Calcium", "Calcium"},
        {"Carbohydrates", "Carbohydrates"},
        {"Carotene - B", "CAROTENE-B (VIT-A)"},
        {"Chloride", "CHLORIDE"},
        {"Choline", "CHOLINE"},
        {"Chromium", "CHROMIUM"},
        {"Copper", "COPPER"},
        {"Energy", "ENERGY"},
        {"FAT", "FAT"},
        {"Fibre", "FIBRE"},
        {"Folic Acid", "FOLIC ACID"},
        {"Folic Free", "FOLIC FREE"},
        {"Iron", "IRON"},
        {"Magnesium", "MAGNESIUM"},
        {"Manganese", "MANGANESE"},
        {"Minerals", "MINERALS"},
        {"Moisture", "MOISTURE"},
        {"Molybdenum", "MOLYBDENUM"},
        {"Niacin", "NIACIN (NICOTINIC ACID)"},
        {"Phosphorus", "PHOSPHORUS"},
        {"Potassium", "POTASSIUM"},
        {"Protein", "PROTEIN"},
        {"Riboflavin", "RIBOFLAVIN"},
        {"Selenium", "SELENIUM"},
        {"Sodium", "SODIUM"},
        {"Thiamine", "THIAMINE"},
        {"Vitamin-B12", "VITAMIN B12"},
        {"Vitamin-B6", "VIT-B6 (PYRIDOXIN)"},
        {"Vitamin-C", "VIT-C (ASCORBIC ACID)"},
        {"Zinc", "ZINC"},
    }};
    return fields;
}

const QStringList& UserFoodLanguages() {
    static const QStringList languages = {
        QStringLiteral("Assamese"),  QStringLiteral("Bengali"), QStringLiteral("Gujarati"),
        QStringLiteral("Hindi"),     QStringLiteral("Kannada"), QStringLiteral("Kashmiri"),
        QStringLiteral("Malayalam"), QStringLiteral("Marathi"), QStringLiteral("Oriya"),
        QStringLiteral("Punjabi"),   QStringLiteral("Tamili"),  QStringLiteral("Telugu"),
        QStringLiteral("Others")};
    return languages;
}

std::optional<double> NutrientValue(const QString& text) {
    try {
        if (rt::IsNumeric(text)) {
            return rt::CDbl(text);
        }
    } catch (const rt::Error& error) {
        // Beyond the range of a number.
        if (!frame::isConversionError(error)) {
            throw;
        }
    }
    return std::nullopt;
}

qint16 UserFoods::Add(const NewUserFood& food) {
    const auto& fields = NutrientFields();
    const QStringList& languages = UserFoodLanguages();
    if (food.values.size() != static_cast<qsizetype>(fields.size()) ||
        food.names.size() != languages.size()) {
        rt::raise(rt::err::InvalidProcedureCall, QStringLiteral("UserFoods::Add"));
    }

    db::Transaction transaction(cn_);
    // Every value is read and checked against its nutrient's unit before anything is written.
    struct Row {
        int storedCode;
        int unitId;
        db::Variant unitText;
        double value;
    };
    QList<Row> rows;
    for (size_t i = 0; i < fields.size(); ++i) {
        const QString label = QString::fromLatin1(fields[i].label);
        const std::optional<double> value = NutrientValue(food.values[static_cast<qsizetype>(i)]);
        if (!value) {
            rt::raise(rt::err::TypeMismatch,
                      QStringLiteral("The value of %1 is not a number.").arg(label),
                      QStringLiteral("UserFoods"));
        }
        const QString name = QString::fromLatin1(fields[i].nname);
        const int code = static_cast<int>(
            Lookup(cn_, QStringLiteral("SELECT nutri_cd FROM nutri WHERE nname = ?"), name,
                   QStringLiteral("The nutrient"))[0]
                .toLong());
        db::Recordset unit = Lookup(cn_,
                                    QStringLiteral("SELECT unit.unitid, unit.UnitType FROM nutri, "
                                                   "unit WHERE nutri.nname = ? AND "
                                                   "nutri.file_nm = unit.UnitType "
                                                   "ORDER BY unit.unitid"),
                                    name, QStringLiteral("The unit row of the nutrient"));
        const double most = MostPer100g(unit[1].text());
        if (*value > most) {
            rt::raise(rt::err::Overflow,
                      QStringLiteral("The value of %1 is more than 100 g of food can hold: at "
                                     "most %2 %3.")
                          .arg(label, rt::Str(most), unit[1].text()),
                      QStringLiteral("UserFoods"));
        }
        const int unitId = static_cast<int>(unit[0].toLong());
        rows.append({NutrientOffset::storedCode(code, unitId, kSerial), unitId, unit[1], *value});
    }

    const qint16 id = FreshFoodId(cn_);
    const db::Variant cid = Lookup(cn_, QStringLiteral("SELECT cid FROM cat WHERE cname = ?"),
                                   food.category, QStringLiteral("The category"))[0];
    cn_.Execute(QStringLiteral("INSERT INTO food (foodid, cid, foodname, foodnote, Price, edible, "
                               "imp, stdweight, LANG_NM, PrimeOrNot) "
                               "VALUES (?, ?, ?, '', 0, 100, 'A', 100, '', 'U')"),
                {id, cid, food.name});

    for (const Row& row : rows) {
        cn_.Execute(
            QStringLiteral("INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val, "
                           "unit_cd, unit_tp, total_value) VALUES (?, ?, ?, ?, ?, ?, 0)"),
            {id, kSerial, row.storedCode, NutrientOffset::storedValue(row.value, row.storedCode),
             row.unitId, row.unitText});
    }

    for (qsizetype j = 0; j < languages.size(); ++j) {
        QString text = food.names[j];
        if (text == QLatin1String("0")) {
            text = QStringLiteral("Not Available");
        }
        if (rt::Trim(text).isEmpty()) {
            continue;
        }
        const db::Variant langid =
            Lookup(cn_, QStringLiteral("SELECT langid FROM langcat WHERE langname = ?"),
                   languages[j], QStringLiteral("The language"))[0];
        cn_.Execute(QStringLiteral("INSERT INTO lang (foodid, srl_no, langid, foodlangname) "
                                   "VALUES (?, 0, ?, ?)"),
                    {id, langid, text});
    }
    transaction.Commit();
    return id;
}

}  // namespace foods
