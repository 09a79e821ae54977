#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "ProgramFolder.h"
#include "frame/DataFile.h"
#include "frame/core.h"
#include "runtime/App.h"
#include "ui/QtHost.h"

namespace bench {

// The program started under the Qt host in a program folder of its own, for as long as the
// object lives; then it is forgotten again, so that no window outlives the benchmark. It starts
// as at a person's first start, on a copy of the delivered data file, or on a copy of
// `ownDataFile` as the person's own data file (a file a benchmark made, with foods of its own).
class RunningProgram {
  public:
    explicit RunningProgram(const QString& ownDataFile = {}) {
        UseProgramFolder(dir_.path());
        if (!ownDataFile.isEmpty()) {
            QDir().mkpath(rt::App::dataFolder());
            QFile::copy(ownDataFile, frame::UserDataFile());
            QFile::setPermissions(frame::UserDataFile(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        core::Main();
    }
    ~RunningProgram() { EndProgram(); }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

  private:
    QTemporaryDir dir_;
    ui::QtHost host_;
};

}  // namespace bench
