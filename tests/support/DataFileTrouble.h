#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QString>

// What befalls a data file outside the program: a page of a table overwritten as by a failing
// disk, and another program holding the file locked. Both act on the file with SQLite alone,
// as another program would.
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

// Another program in the middle of a transaction: it holds the file locked (BEGIN EXCLUSIVE)
// until it lets go or goes.
class ExclusiveHolder {
  public:
    explicit ExclusiveHolder(const QString& file) {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        EXPECT_EQ(sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK)
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

}  // namespace trouble
