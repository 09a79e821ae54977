#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QString>

#include "frame/core.h"
#include "runtime/App.h"
#include "ui/Form.h"

namespace bench {

// Makes `folder` the program's folder, as the benchmarks that start the program need it: its
// single-instance lock and preferences live there, it holds a copy of the delivered data file
// as the template, and its "user" folder stands for the person's data folder, where the first
// start copies the template.
inline void UseProgramFolder(const QString& folder) {
    rt::App::setPath(folder);
    rt::App::setDataFolder(folder + QStringLiteral("/user"));
    rt::App::setInstanceLockPath(folder + QStringLiteral("/kelvora.lock"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       folder + QStringLiteral("/settings"));
    QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"),
                folder + QStringLiteral("/vdsys.vs_"));
}

// Ends a program that core::Main started in a benchmark: its windows and the data connection
// go, and the next benchmark can start it afresh.
inline void EndProgram() {
    ui::Forms::discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    core::ReleaseAll();
    rt::App::releaseInstanceLock();
}

}  // namespace bench
