#include "support/ProgramFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

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

void forgetProgram() {
    ui::Forms::discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    core::ReleaseAll();
    ui::Screen::resetMousePointer();
}

}  // namespace

ProgramTest::ProgramTest() {
    rt::App::setPath(dir_.path());
    rt::App::releaseInstanceLock();
    rt::App::setInstanceLockPath(dir_.path() + QStringLiteral("/kelvora.lock"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       dir_.path() + QStringLiteral("/settings"));
    installDeliveredDataFile();
    kelvora::connectWindows();
}

ProgramTest::~ProgramTest() {
    forgetProgram();
    rt::App::releaseInstanceLock();
}

QString ProgramTest::dataFile() const {
    return dir_.path() + QLatin1Char('/') + QLatin1String(frame::kDataFileName);
}

void ProgramTest::installDeliveredDataFile(const QString& path) const {
    const QString target = path.isEmpty() ? dataFile() : path;
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
    core::Main();
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
