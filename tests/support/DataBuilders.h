#pragma once

#include <QDate>
#include <QString>
#include <initializer_list>
#include <utility>

#include "db/Variant.h"

// Rows a test writes straight into the program's data file (the connection core::cn), as the
// program itself stores them, and single values read back; for every fixture that derives
// from it.
struct DataBuilders {
    // A member as the register stores one; by default a woman of 34 years in no RDA group.
    struct Member {
        QString prefix = QStringLiteral("Mrs.");
        QString name;
        QString sex = QStringLiteral("Female");
        int age = 34;
        QString period = QStringLiteral("Y");
        QString height = QStringLiteral("160");
        QString weight = QStringLiteral("58");
        QString condition = QStringLiteral("--");
        QString activity = QStringLiteral("Homemaker");
        // usr.gid; Null for none.
        db::Variant group = {};
    };
    // The new member's userid.
    static qint32 addMember(const Member& member);

    // Values per 100 g by nutrient code. Each nutrient is written in its own unit row.
    using Nutrients = std::initializer_list<std::pair<int, double>>;
    // A food of the given id, its nutrient rows numbered 1, 2, ... in the order given.
    static void addFood(int foodid, const QString& name, Nutrients values, int cid = 11);
    // A user food with the next free id, written as user foods are (serial 9); returns the id.
    static int addFood(const QString& name, Nutrients values, int cid = 11);
    // One nutrient row of a food in the offset form, with the unit row and serial given.
    static void addNutrient(int foodid, int code, double per100g, int unit, int serial,
                            const QString& unitText);

    // A serving unit of a food.
    static void addUnit(const QString& food, const QString& unit, int grams,
                        const QString& status = QStringLiteral("Default"));

    // A diary row: the member ate `grams` of the food on that day.
    static void eat(qint64 member, const QDate& day, const QString& food, double grams);

    // The first column of the first row of a query; Null when there is no row.
    static db::Variant value(const QString& sql, const db::Params& params = {});
    // A count (or any whole number) a query gives.
    static int count(const QString& sql, const db::Params& params = {});

  private:
    // Every nutrient row under `serial`, or numbered 1, 2, ... when it is 0.
    static void writeFood(int foodid, const QString& name, Nutrients values, int cid, int serial);
};
