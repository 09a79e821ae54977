#pragma once

#include <QList>
#include <QString>

#include "support/DataBuilders.h"
#include "support/ProgramFixture.h"

// Tests of composed foods: the program started on the delivered data file, with helpers that
// add small foods of known values (addFood) and recipes, and read a food's nutrient rows back
// through the offset form.
class ComposedFoodTest : public ProgramTest, protected DataBuilders {
  protected:
    struct Row {
        int srl, code, unit;
        double value, total;
        QString unitText;
    };

    void SetUp() override { start(); }

    // A composed food without ingredients (its placeholder row), in "READY FOOD".
    int addComposed(const QString& name);
    // Appends an ingredient row to a recipe as it stands.
    void addItem(int composed, int srl, int ingredient, double grams, int unit = 1);
    // The food's nutrient rows in the order they are stored.
    QList<Row> rows(int foodId);
    // The one row of a code (fails the test when there are several or none).
    Row row(int foodId, int code);
    // The food's recipe rows as "srl:foodid:qty:unitid" ("-" for an empty column).
    QStringList items(int foodId);
    int foodId(const QString& name);
};
