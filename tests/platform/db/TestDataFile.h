#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "db/Connection.h"
#include "runtime/Error.h"

namespace dbtest {

inline const QString kPassword = QStringLiteral("pw-for-tests");

// The real schema of the data file.
inline QString schemaSql() {
    QFile file(QStringLiteral(KELVORA_SOURCE_DIR "/data/schema.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read the schema";
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

// A fresh, empty data file with the real schema in a folder of its own, removed afterwards.
class TestDataFile {
  public:
    TestDataFile() : path_(dir_.filePath(QStringLiteral("test.vs_"))) {
        db::Connection::CreateDataFile(path_, kPassword, schemaSql());
    }

    const QString& path() const { return path_; }
    QString folder() const { return dir_.path(); }
    void open(db::Connection& connection) const { connection.Open(path_, kPassword); }

  private:
    QTemporaryDir dir_;
    QString path_;
};

// Runs the statement and returns the number of the rt::Error it raised; 0 when none.
template <typename F>
long errorNumber(F&& statement) {
    try {
        statement();
    } catch (const rt::Error& e) {
        return e.Number();
    }
    return 0;
}

template <typename F>
rt::Error caught(F&& statement) {
    try {
        statement();
    } catch (const rt::Error& e) {
        return e;
    }
    return rt::Error(0, QStringLiteral("no error raised"));
}

}  // namespace dbtest
