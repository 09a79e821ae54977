#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "frame/core.h"
#include "runtime/App.h"
#include "ui/Form.h"

// A program folder of the benchmarks' own: a copy of the delivered data file, and the
// settings and single-instance lock kept inside it, so that a run touches nothing of the user's.
class BenchProgramFolder {
  public:
    BenchProgramFolder() {
        rt::App::setPath(dir_.path());
        rt::App::setInstanceLockPath(dir_.path() + QStringLiteral("/kelvora.lock"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           dir_.path() + QStringLiteral("/settings"));
        QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"),
                    dir_.path() + QStringLiteral("/vdsys.vs_"));
    }

  private:
    QTemporaryDir dir_;
};

// Forgets the program's windows, connection and lock, so that the next start begins afresh.
inline void ForgetBenchProgram() {
    ui::Forms::discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    core::ReleaseAll();
    rt::App::releaseInstanceLock();
}
