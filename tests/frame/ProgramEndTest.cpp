#include <QFile>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/DataFile.h"
#include "frame/core.h"
#include "frame/frmClose.h"
#include "frame/frmMain.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

// A window that was stopped half-way through its writes leaves a transaction open; the end of
// the program must neither keep nor half-keep them, and must not fail over it.
class ProgramEndTest : public ProgramTest {
  protected:
    void SetUp() override {
        start();
        // Begun by hand: a db::Transaction would end it when its scope is left.
        core::cn.Execute(QStringLiteral("BEGIN"));
        core::cn.Execute(QStringLiteral("UPDATE formats SET what = '255' WHERE cat = ?"),
                         {QStringLiteral("BackColour")});
    }

    QString storedBackColour() {
        db::Connection cn;
        cn.Open(dataFile(), QString::fromLatin1(frame::kDatabasePassword));
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT what FROM formats WHERE cat = 'BackColour'"), cn);
        return rs[QStringLiteral("what")].text();
    }

    QString log() const {
        QFile file(userDir() + QStringLiteral("/report.Log"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(ProgramEndTest, TheExitWindowRollsBackAnOpenTransactionAndLogsIt) {
    host.expectModal<frmClose>([](frmClose& f) { f.pressKey(ui::vbKeyEscape); });
    expectProgramEnds([] { frmMain::instance().close(); });
    EXPECT_FALSE(core::cn.IsOpen());
    EXPECT_NE(storedBackColour(), QStringLiteral("255"));
    EXPECT_TRUE(log().contains(QStringLiteral("=====Error Number = 3219"))) << log().toStdString();
}

// The fixture's tear-down releases the connection with the transaction still open.
TEST_F(ProgramEndTest, ATestThatLeavesATransactionOpenEndsCleanly) {
    EXPECT_TRUE(core::cn.InTransaction());
}

}  // namespace
