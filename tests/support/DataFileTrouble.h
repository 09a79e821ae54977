#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <csignal>

#include "db/Connection.h"

// What befalls a data file outside the program: a page of a table overwritten as by a failing
// disk, another program holding the file locked (both with SQLite alone, as another program
// would), a file made read-only, and a disk that takes no more.
namespace trouble {

// Overwrites the first page of a table with 4 KiB of random bytes (always the same ones).
inline void damageTable(const QString& file, const char* table) {
    sqlite3* db = nullptr;
    qint64 page = 0;
    qint64 pageSize = 0;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT rootpage, (SELECT page_size FROM pragma_page_size) "
                           "FROM sqlite_master WHERE name = ?",
                           -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, table, -1, SQLITE_STATIC);
        if (sqlite3_step(statement) == SQLITE_ROW) {
            page = sqlite3_column_int64(statement, 0);
            pageSize = sqlite3_column_int64(statement, 1);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    ASSERT_GT(page, 0) << "no table " << table << " in " << file.toStdString();
    QByteArray noise(4096, '\0');
    QRandomGenerator random(16);
    for (char& byte : noise) {
        byte = static_cast<char>(random.bounded(256));
    }
    QFile data(file);
    ASSERT_TRUE(data.open(QIODevice::ReadWrite));
    ASSERT_TRUE(data.seek((page - 1) * pageSize));
    ASSERT_EQ(data.write(noise), noise.size());
}

// What another program's transaction keeps from others: everything (BEGIN EXCLUSIVE), or only
// writing, while others still read (BEGIN IMMEDIATE).
enum class Hold { Everything, Writes };

// Another program in the middle of a transaction: it holds the file locked until it lets go or
// goes.
class ExclusiveHolder {
  public:
    explicit ExclusiveHolder(const QString& file, Hold hold = Hold::Everything) {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        const char* begin = hold == Hold::Everything ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE";
        EXPECT_EQ(sqlite3_exec(db_, begin, nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db_);
    }
    ~ExclusiveHolder() { letGo(); }
    ExclusiveHolder(const ExclusiveHolder&) = delete;
    ExclusiveHolder& operator=(const ExclusiveHolder&) = delete;

    void letGo() {
        if (db_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(db_);
            db_ = nullptr;
        }
    }

  private:
    sqlite3* db_ = nullptr;
};

// The data file made read-only, and the connection opened on it again as the program's next
// start would. SQLite opens a file it may not write read-only, so the connection then cannot
// write. Root may write any file whatever its permissions: for root the connection is opened
// read-only outright, which is the connection SQLite makes of such a file for anyone else.
inline void makeReadOnly(db::Connection& cn, const QString& file, const QString& password) {
    ASSERT_TRUE(QFile::setPermissions(
        file, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    cn.Close();
    cn.Open(file, password, {.readOnly = ::geteuid() == 0});
}

// Files of this process cannot grow beyond a size while it lives, as on a full disk. Unlike a
// full disk, the system reports it as a failed write ("File too large").
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit before_{};
};

}  // namespace trouble
