#pragma once

#include <QDate>
#include <QFile>
#include <QString>
#include <map>

#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "frame/core.h"
#include "runtime/Convert.h"
#include "support/ListReading.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"
#include "ui/Controls.h"

namespace intake_test {

// Groups of the delivered data file: women 18 and over, sedentary; men 18 and over, sedentary.
constexpr int kWomanGroup = 20;
constexpr int kManGroup = 8;
// Nutrient codes of the delivered data file.
constexpr int kProtein = 2;
constexpr int kFat = 3;  // no group has an RDA for it
constexpr int kEnergy = 7;
constexpr int kCalcium = 8;

// The started program with the delivered data file, and the rows a test needs around it.
class IntakeTest : public ProgramTest, protected ListReading {
  protected:
    void SetUp() override { start(); }

    static qint32 addMember(const QString& name, const QString& sex = QStringLiteral("Female"),
                            int age = 34, int group = kWomanGroup,
                            const QString& height = QStringLiteral("160"),
                            const QString& weight = QStringLiteral("58"),
                            const QString& period = QStringLiteral("Y")) {
        core::cn.Execute(
            QStringLiteral("INSERT INTO usr (Prefix, FirstN, Sex, Age, period, Heigt, Weigh, "
                           "Cndition, Activity, gid) VALUES ('Mrs.', ?, ?, ?, ?, ?, ?, '--', "
                           "'Homemaker', ?)"),
            {name, sex, age, period, height, weight, group});
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT MAX(userid) AS id FROM usr"), core::cn);
        return rs["id"].toLong();
    }

    // A member of the same name with another prefix, as the register accepts; the new id.
    static qint32 addNamesake(const QString& name, const QString& prefix, int group = kWomanGroup) {
        const qint32 userid = addMember(name, QStringLiteral("Female"), 34, group);
        core::cn.Execute(QStringLiteral("UPDATE usr SET Prefix = ? WHERE userid = ?"),
                         {prefix, userid});
        return userid;
    }

    // Gives the member an id that 16 bits cannot hold; the new id.
    static qint32 beyond16Bits(qint32 userid) {
        core::cn.Execute(QStringLiteral("UPDATE usr SET userid = 70000 WHERE userid = ?"),
                         {userid});
        return 70000;
    }

    // A food of its own with the given values per 100 g, stored in the offset form.
    static void addFood(int foodid, const QString& name, const std::map<int, double>& values,
                        int cid = 1) {
        core::cn.Execute(QStringLiteral("INSERT INTO food (foodid, cid, foodname, PrimeOrNot) "
                                        "VALUES (?, ?, ?, 'U')"),
                         {foodid, cid, name});
        int serial = 0;
        for (const auto& [code, value] : values) {
            ++serial;
            const int unit = 2;
            const int stored = foods::NutrientOffset::storedCode(code, unit, serial);
            core::cn.Execute(
                QStringLiteral("INSERT INTO foodN1 (foodid, srl_no, nutri_cd, "
                               "nutri_val, unit_cd, unit_tp, total_value) "
                               "VALUES (?, ?, ?, ?, ?, 'g', 0)"),
                {foodid, serial, stored, foods::NutrientOffset::storedValue(value, stored), unit});
        }
    }

    static void eat(qint32 member, const QDate& day, const QString& food, double grams) {
        core::cn.Execute(QStringLiteral("INSERT INTO dayin (uid, idate, foodname, quantity, unit) "
                                        "VALUES (?, ?, ?, ?, 'Grams')"),
                         {member, rt::DateText(day), food, grams});
    }

    static void addUnit(const QString& food, const QString& unit, int grams,
                        const QString& status = QStringLiteral("Default")) {
        core::cn.Execute(QStringLiteral("INSERT INTO FoodUnit (UnitName, UnitSizeinGrams, "
                                        "description, food, status) VALUES (?, ?, '', ?, ?)"),
                         {unit, grams, food, status});
    }

    static int count(const QString& sql, const db::Params& params = {}) {
        db::Recordset rs;
        rs.Open(sql, core::cn, params);
        return rs[0].toLong();
    }

    // A person exports a list to `name` in the program folder and does not open it; the page.
    QString exportPage(ui::CommandButton& button, const QString& name) {
        const QString file = programDir() + QLatin1Char('/') + name;
        host.expectSaveDialog().answer(file);
        host.expectMsgBox(QStringLiteral("Do you want to open the file '") + file +
                          QStringLiteral("' ?"))
            .answer(ui::vbNo);
        button.click();
        QFile page(file);
        return page.open(QIODevice::ReadOnly) ? QString::fromLatin1(page.readAll()) : QString();
    }

    static QString day(int daysFromToday) {
        return rt::DateText(QDate::currentDate().addDays(daysFromToday));
    }
};

}  // namespace intake_test
