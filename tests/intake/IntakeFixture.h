#pragma once

#include <QDate>
#include <QFile>
#include <QString>

#include "frame/core.h"
#include "runtime/Convert.h"
#include "support/DataBuilders.h"
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
class IntakeTest : public ProgramTest, protected ListReading, protected DataBuilders {
  protected:
    void SetUp() override { start(); }

    // A member of an RDA group, as the intake windows need one.
    static qint32 addMember(const QString& name, const QString& sex = QStringLiteral("Female"),
                            int age = 34, int group = kWomanGroup,
                            const QString& height = QStringLiteral("160"),
                            const QString& weight = QStringLiteral("58"),
                            const QString& period = QStringLiteral("Y")) {
        return DataBuilders::addMember({.name = name,
                                        .sex = sex,
                                        .age = age,
                                        .period = period,
                                        .height = height,
                                        .weight = weight,
                                        .group = group});
    }

    // A member of the same name with another prefix, as the register accepts; the new id.
    static qint32 addNamesake(const QString& name, const QString& prefix, int group = kWomanGroup) {
        return DataBuilders::addMember({.prefix = prefix, .name = name, .group = group});
    }

    // Gives the member an id that 16 bits cannot hold; the new id.
    static qint32 beyond16Bits(qint32 userid) {
        core::cn.Execute(QStringLiteral("UPDATE usr SET userid = 70000 WHERE userid = ?"),
                         {userid});
        return 70000;
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
