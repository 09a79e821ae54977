#include "runtime/App.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

namespace rt {

namespace {

struct State {
    QString path;
    QString dataFolder;
    QString lockPath;
    std::unique_ptr<QLockFile> lock;
    std::optional<bool> prevInstance;
    std::unique_ptr<QLockFile> dataLock;
    QString dataLockPath;
    std::function<void()> endHandler;
};

State& state() {
    static State s;
    return s;
}

QString defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    // The temporary folder is shared between users, so the user is part of the name.
    return dir + QStringLiteral("/kelvora-%1.lock").arg(static_cast<qulonglong>(::getuid()));
}

}  // namespace

QString App::Path() {
    const State& s = state();
    if (!s.path.isEmpty()) {
        return s.path;
    }
    return programFolderOf(QCoreApplication::applicationDirPath());
}

QString App::programFolderOf(const QString& executableFolder) {
    // Both names come from the build: where the installation puts the share folder, relative
    // to the executable's, and the template the build delivers.
    const QString installed = QDir::cleanPath(executableFolder + QLatin1Char('/') +
                                              QLatin1String(KELVORA_PROGRAM_DIR_FROM_BIN));
    if (QFileInfo::exists(installed + QLatin1Char('/') + QLatin1String(KELVORA_TEMPLATE))) {
        return installed;
    }
    return executableFolder;
}

void App::setPath(const QString& path) {
    state().path = path;
}

QString App::dataFolder() {
    const State& s = state();
    if (!s.dataFolder.isEmpty()) {
        return s.dataFolder;
    }
    // The generic location and the program's name rather than AppDataLocation, which adds the
    // organisation as well and would give .../Kelvora/Kelvora.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + Title();
}

void App::setDataFolder(const QString& path) {
    state().dataFolder = path;
}

QString App::Title() {
    return QStringLiteral("Kelvora");
}

bool App::PrevInstance() {
    State& s = state();
    if (s.prevInstance) {
        return *s.prevInstance;
    }
    const QString path = instanceLockPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto lock = std::make_unique<QLockFile>(path);
    // The lock is held for as long as the program runs, so its age says nothing about whether
    // its holder is alive; only a holder that no longer runs makes it stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        s.lock = std::move(lock);
        s.prevInstance = false;
    } else {
        // Only a live holder means another copy. A lock that cannot be made at all (no such
        // folder, no permission) must not keep the only copy from starting.
        s.prevInstance = lock->error() == QLockFile::LockFailedError;
    }
    return *s.prevInstance;
}

void App::setInstanceLockPath(const QString& path) {
    releaseInstanceLock();
    state().lockPath = path;
}

QString App::instanceLockPath() {
    const State& s = state();
    return s.lockPath.isEmpty() ? defaultLockPath() : s.lockPath;
}

void App::releaseInstanceLock() {
    State& s = state();
    s.lock.reset();
    s.prevInstance.reset();
}

bool App::LockDataFile(const QString& file) {
    State& s = state();
    const QString path = QFileInfo(file).absoluteFilePath() + QStringLiteral(".lock");
    if (s.dataLock && s.dataLockPath == path) {
        return true;
    }
    releaseDataFileLock();
    auto lock = std::make_unique<QLockFile>(path);
    // As the single-instance lock: only a holder that no longer runs makes it stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        s.dataLock = std::move(lock);
        s.dataLockPath = path;
        return true;
    }
    return lock->error() != QLockFile::LockFailedError;
}

void App::releaseDataFileLock() {
    State& s = state();
    s.dataLock.reset();
    s.dataLockPath.clear();
}

void App::End() {
    // Copy first: the handler may replace itself while it runs.
    const std::function<void()> handler = state().endHandler;
    if (handler) {
        handler();
    }
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::exit(0);
}

void App::setEndHandler(std::function<void()> handler) {
    state().endHandler = std::move(handler);
}

}  // namespace rt
