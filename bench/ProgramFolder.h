#pragma once

#include <QFile>
#include <QSettings>
#include <QString>

#include "runtime/App.h"

// Points the program at a folder of its own (data file, settings, single-instance lock) holding
// a copy of the delivered data file, so that a benchmark that starts the program never touches
// the user's files.
inline void PrepareProgramFolder(const QString& dir) {
    rt::App::setPath(dir);
    rt::App::setInstanceLockPath(dir + QStringLiteral("/kelvora.lock"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       dir + QStringLiteral("/settings"));
    QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"),
                dir + QStringLiteral("/vdsys.vs_"));
}
