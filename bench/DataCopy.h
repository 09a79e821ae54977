#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

#include "db/Connection.h"
#include "frame/DataFile.h"

namespace bench {

// A copy of the delivered data file, open, in a folder of its own: benchmarks that write never
// touch the template, nor anybody's own data file.
class DataCopy {
  public:
    DataCopy() : path_(dir_.filePath(QStringLiteral("bench.vs_"))) {
        if (!QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"), path_)) {
            throw std::runtime_error("the delivered data file is missing");
        }
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        cn_.Open(path_, QString::fromLatin1(frame::kDatabasePassword));
    }
    db::Connection& connection() { return cn_; }
    const QString& path() const { return path_; }

  private:
    QTemporaryDir dir_;
    QString path_;

  protected:
    db::Connection cn_;
};

}  // namespace bench
