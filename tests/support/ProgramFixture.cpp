#include "support/ProgramFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "Program.h"
#include "Windows.h"
#include "db/Connection.h"
#include "frame/DataFile.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/App.h"
#include "ui/Form.h"

namespace {

QString readSchema() {
    QFile file(QStringLiteral(KELVORA_SOURCE_DIR "/data/schema.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read the schema";
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

// The program's top closes what the run left, as after every end of the program.
void forgetProgram() {
    kelvora::closeProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::Screen::resetMousePointer();
}

}  // namespace

ProgramTest::ProgramTest() {
    rt::App::setPath(dir_.path());
    rt::App::setDataFolder(userDir());
    rt::App::releaseInstanceLock();
    rt::App::setInstanceLockPath(dir_.path() + QStringLiteral("/kelvora.lock"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       dir_.path() + QStringLiteral("/settings"));
    // The template as the build leaves it, read-only; a copy, so that nothing a test does can
    // reach the build's own.
    installDeliveredDataFile(deliveredFile());
    QFile::setPermissions(deliveredFile(),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    installDeliveredDataFile();
    kelvora::connectWindows();
}

ProgramTest::~ProgramTest() {
    forgetProgram();
    rt::App::releaseInstanceLock();
}

QString ProgramTest::userDir() const {
    return dir_.path() + QStringLiteral("/user");
}

QString ProgramTest::dataFile() const {
    return userDir() + QLatin1Char('/') + QLatin1String(frame::kDataFileName);
}

QString ProgramTest::deliveredFile() const {
    return dir_.path() + QLatin1Char('/') + QLatin1String(frame::kDataFileName);
}

void ProgramTest::installDeliveredDataFile(const QString& path) const {
    const QString target = path.isEmpty() ? dataFile() : path;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"), target))
        << "the delivered data file is missing; build the kelvora_datafile target";
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void ProgramTest::createDataFile(const QString& path, const QString& password) const {
    QFile::remove(path);
    db::Connection::CreateDataFile(path, password, readSchema());
}

void ProgramTest::start() {
    // As the program's top does: a run that ends to start again on another data file is
    // closed and started again.
    for (;;) {
        try {
            core::Main();
            core::AwaitDataCheck();
            break;
        } catch (const ui::ProgramEnded&) {
            if (!kelvora::closeForAnotherStart()) {
                throw;
            }
        }
    }
    ASSERT_TRUE(frmMain::isLoaded()) << host.calls().join(u'\n').toStdString();
}

void ProgramTest::restart() {
    forgetProgram();
    rt::App::releaseInstanceLock();
    start();
}

QString ProgramTest::option(const QString& key, const QString& defaultValue) {
    return core::GetOption(key, defaultValue);
}

void ProgramTest::setOption(const QString& key, const QString& value) {
    core::SaveOption(key, value);
}
