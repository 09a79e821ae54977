#pragma once

#include <QString>
#include <QStringList>

#include "db/Recordset.h"
#include "frame/core.h"
#include "frame/frmStrt.h"
#include "members/frmUsr.h"
#include "support/DataBuilders.h"
#include "support/ListReading.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace members_test {

const QString kTitle = QStringLiteral("Kelvora");
// The icon and title of the checks' warnings.
const int kWarning = ui::vbOKOnly | ui::vbExclamation;

// A member as a person types it on the register's entry tab.
struct Entry {
    QString prefix = QStringLiteral("Mr.");
    QString name = QStringLiteral("Ravi Kumar");
    QString address;
    QString phone;
    QString email;
    QString sex = QStringLiteral("Male");
    QString age = QStringLiteral("34");
    QString unit = QStringLiteral("Years");
    QString height = QStringLiteral("172");
    QString weight = QStringLiteral("68");
    QString condition = QStringLiteral("--");
    QString activity = QStringLiteral("Office worker");
};

// The program started on the delivered data file, with helpers to reach and fill the register.
class MemberTest : public ProgramTest, protected ListReading, protected DataBuilders {
  protected:
    void SetUp() override { start(); }

    static frmUsr& openRegister() {
        frmStrt::instance().lblPersonal.click();
        return frmUsr::instance();
    }

    // Fills the entry tab field by field, as a person would (sex before age, so that the
    // condition list opens for a woman of the right age).
    static void enter(frmUsr& f, const Entry& e) {
        f.SSTab1.chooseTab(0);
        f.cmbPrefix.choose(e.prefix);
        f.txtFirstN.type(e.name);
        f.txtAddress.type(e.address);
        f.txtPhone.type(e.phone);
        f.txtEMail.type(e.email);
        f.cmbSex.choose(e.sex);
        f.txtAge.type(e.age);
        f.Combo1.choose(e.unit);
        f.txtHeight.type(e.height);
        f.txtWeight.type(e.weight);
        if (e.condition != QLatin1String("--")) {
            f.txtCondition.choose(e.condition);
        }
        f.cmbActivity.choose(e.activity);
    }

    static void save(frmUsr& f, const Entry& e) {
        enter(f, e);
        f.cmdAdd.click();
    }

    // A member written straight into the data file; its userid.
    static qint64 storeMember(const QString& prefix, const QString& name, int age,
                              const QString& sex = QStringLiteral("Male"),
                              const QString& period = QStringLiteral("Y"),
                              const QString& condition = QStringLiteral("--"),
                              const QString& activity = QStringLiteral("Office worker")) {
        return addMember({.prefix = prefix,
                          .name = name,
                          .sex = sex,
                          .age = age,
                          .period = period,
                          .weight = QStringLiteral("55"),
                          .condition = condition,
                          .activity = activity});
    }

    static QStringList column(const QString& sql, const db::Params& params = {}) {
        QStringList list;
        db::Recordset rs;
        rs.Open(sql, core::cn, params);
        while (!rs.EOF()) {
            list << rs[0].text();
            rs.MoveNext();
        }
        return list;
    }

    // The texts a person sees in a column of the member list, top to bottom.
    static QStringList listColumn(const frmUsr& f, int j) {
        return ListReading::column(f.LViews, j);
    }
};

}  // namespace members_test
