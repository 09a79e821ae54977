#pragma once

// Read-only access to the delivered data file for the reference-data tests. The tests read
// the file with the SQLite C API alone, so that they check what the build wrote and nothing
// that a data layer might add or hide.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <variant>
#include <vector>

namespace refdata {

inline const char* dataFilePath() {
    return KELVORA_PROGRAM_DIR "/vdsys.vs_";
}

using Param = std::variant<int, double, std::string>;

// One prepared statement; reset and rebind it to run it again.
class Query {
  public:
    Query(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
            stmt_ = nullptr;
        }
    }
    ~Query() { sqlite3_finalize(stmt_); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(const std::vector<Param>& params) {
        if (!stmt_) {
            return *this;
        }
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        int index = 1;
        for (const Param& p : params) {
            if (const int* i = std::get_if<int>(&p)) {
                sqlite3_bind_int(stmt_, index, *i);
            } else if (const double* d = std::get_if<double>(&p)) {
                sqlite3_bind_double(stmt_, index, *d);
            } else {
                const std::string& s = std::get<std::string>(p);
                sqlite3_bind_text(stmt_, index, s.c_str(), static_cast<int>(s.size()),
                                  SQLITE_TRANSIENT);
            }
            ++index;
        }
        return *this;
    }

    bool next() {
        if (!stmt_) {
            return false;
        }
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            ADD_FAILURE() << sqlite3_errmsg(db_);
        }
        return rc == SQLITE_ROW;
    }

    bool isNull(int col) const { return sqlite3_column_type(stmt_, col) == SQLITE_NULL; }
    int integer(int col) const { return sqlite3_column_int(stmt_, col); }
    double real(int col) const { return sqlite3_column_double(stmt_, col); }
    std::string text(int col) const {
        const unsigned char* t = sqlite3_column_text(stmt_, col);
        return t ? reinterpret_cast<const char*>(t) : std::string();
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Opens the data file once for a test suite, read-only.
class ReferenceDb : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (sqlite3_open_v2(dataFilePath(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        sqlite3_close(db_);
        db_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(db_, nullptr) << "cannot open " << dataFilePath(); }

    // The first column of the first row, or the fallback when there is no row.
    static int scalarInt(const std::string& sql, const std::vector<Param>& params = {},
                         int fallback = -1) {
        Query q(db_, sql);
        q.bind(params);
        return q.next() ? q.integer(0) : fallback;
    }
    static double scalarReal(const std::string& sql, const std::vector<Param>& params = {}) {
        Query q(db_, sql);
        q.bind(params);
        return q.next() ? q.real(0) : -1.0;
    }
    static std::string scalarText(const std::string& sql, const std::vector<Param>& params = {}) {
        Query q(db_, sql);
        q.bind(params);
        return q.next() ? q.text(0) : std::string("<no row>");
    }

    static sqlite3* db_;
};

inline sqlite3* ReferenceDb::db_ = nullptr;

}  // namespace refdata
