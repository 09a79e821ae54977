#pragma once

#include <sqlite3.h>

#include <QByteArray>
#include <QDate>
#include <QString>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

// The diaries fill the year before the present one: the diary's Save stores today, which is
// then never a day the member has eaten that food already.
inline const int kDiaryYear = QDate::currentDate().year() - 1;

// Raises on any SQLite failure while the data is being made or read bare.
inline void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
    }
}

inline void exec(sqlite3* db, const char* sql) {
    check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
}

// A prepared statement that finalizes itself.
class Statement {
  public:
    Statement(sqlite3* db, const QByteArray& sql) : db_(db) {
        check(db, sqlite3_prepare_v2(db, sql.constData(), -1, &stmt_, nullptr), sql.constData());
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    void text(int i, const QByteArray& value) {
        sqlite3_bind_text(stmt_, i, value.constData(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
    }
    void integer(int i, qint64 value) { sqlite3_bind_int64(stmt_, i, value); }
    void real(int i, double value) { sqlite3_bind_double(stmt_, i, value); }
    bool step() {
        const int rc = sqlite3_step(stmt_);
        check(db_, rc, "step");
        return rc == SQLITE_ROW;
    }
    // Runs a statement without rows and makes it ready for the next values.
    void run() {
        step();
        sqlite3_reset(stmt_);
    }
    // Every row, each column as the text a list shows.
    qsizetype readAll(std::vector<QString>& into);

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A member's name: given names and family names in turn, so that in a large register a name
// is borne by two or three members, told apart by their prefixes.
QString memberName(int i);

// A data file at `file`, made from a copy of the delivered template by bare inserts in one
// transaction: `members` members, the first `diaries` of whom ate `perDay` foods a day from
// `from` to `to`.
struct ClinicData {
    QString path;
    qint64 diaryRows = 0;

    ClinicData(const QString& file, int members, int diaries, const QDate& from, const QDate& to,
               int perDay);
};

// A file name in a folder that lasts for the run, for the files a benchmark makes once.
QString RunFile(const QString& name);

// A clinic's whole file, as the program meets it at a start: a register of 5,000 members, the
// first 500 of whom wrote ten diary entries a day for a year (1.8 M rows), over 200 MB.
ClinicData MakeClinicFile(const QString& path);

}  // namespace bench
