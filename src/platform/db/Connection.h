#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "db/Variant.h"
#include "runtime/Error.h"

struct sqlite3;

namespace db {

namespace detail {
class PageCheck;
}

// When the pages of a file are checked as it is opened (Connection::Open).
enum class Check {
    // Before Open returns.
    AtOnce,
    // On a thread of its own while the opener goes on: the file is read at once, and the
    // first write waits for the verdict.
    InBackground,
    // Not at all; only to measure what the check costs.
    None,
};

// What the opener of a file checked in the background hears of its check. Both run on the
// thread that opened the file: from its event loop once the check is done, or in the write
// that had to wait for it.
struct CheckListener {
    // Runs `wait`, a write's wait for the verdict (the opener shows that it is busy).
    std::function<void(const std::function<void()>& wait)> whileWaiting;
    // The verdict, once: nothing for a sound file, else what the check found (3049 damaged).
    // A damaged file takes no write: each one raises that error after this has run.
    std::function<void(const std::optional<rt::Error>& failure)> verdict;
};

// How a data file is opened. A file that is only looked at or copied is opened read-only, so
// that nothing can be written to it.
struct OpenOptions {
    bool readOnly = false;
    Check check = Check::AtOnce;
    // For Check::InBackground.
    CheckListener listener = {};
};

// An open data file. The file name and the password are plain values; nothing is parsed out
// of a connection string. Recordsets read their rows completely when they open, so they never
// keep the file busy.
class Connection {
  public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing data file, read-write unless told; never creates one. Its every page is
    // checked (PRAGMA quick_check), before Open returns or in the background (Check). A
    // missing file, a folder, or a file that is not a Kelvora data file raises the provider
    // failure; a file that fails the check raises 3049 (damaged); one that another program
    // keeps locked beyond the busy wait raises 3045 (in use); a wrong password raises the
    // wrong-password error. Nothing is written to a file that does not open, nor to one
    // before its check has passed. Raises 3705 when already open.
    void Open(const QString& path, const QString& password, OpenOptions options = {});
    // Nothing to do when closed. A check still running is stopped. A transaction still in
    // progress is rolled back, since nobody confirmed its writes, and the error log keeps a
    // record of it. Never raises: it runs at program end and in tear-downs.
    void Close() noexcept;
    int State() const { return IsOpen() ? 1 : 0; }
    bool IsOpen() const;

    // Runs one statement that gives no rows; returns the number of rows it changed.
    qint64 Execute(const QString& sql, const Params& params = {});

    // Whether a transaction (db::Transaction) is in progress.
    bool InTransaction() const;

    // Waits for the verdict of the check begun in the background (the listener's whileWaiting
    // around the wait) and hands it to the listener unless it has had it. Raises what the
    // check found, as every write then does. Returns at once for a file that has passed, or
    // that was checked as it was opened. A check that found the file held by another program
    // is begun again, and that is raised (3045). Every write calls it first.
    void AwaitCheck();

    // How long an opening or a statement waits for a lock that another program holds before
    // it gives up: 5 s unless set (tests shorten it).
    static void setBusyTimeout(int milliseconds);

    // Creates a new data file (permissions 0600) with the schema and the access check for the
    // password. Refuses to replace an existing file.
    static void CreateDataFile(const QString& path, const QString& password,
                               const QString& schemaSql);

    // The SQLite connection, for the recordsets, benchmarks and diagnostics; null when closed.
    sqlite3* handle() const { return handle_; }

  private:
    friend class Transaction;

    // Transactions nest: a transaction begun inside another is a savepoint of it, so a rule that
    // keeps its writes together can run inside a window's own transaction. Commit and rollback
    // end the innermost one; the outermost decides what reaches the file. BeginTrans gives the
    // level begun (1 for the outermost). Only db::Transaction begins and ends them, so that no
    // level is left open by a path that forgot it.
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    // How many transactions are in progress, nested ones included; 0 outside any.
    int TransactionLevel() const;

    sqlite3* openHandle() const;
    void requireTransaction() const;
    void beginCheck();
    // Hands a verdict that is in to the listener, once.
    void tellVerdict();

    sqlite3* handle_ = nullptr;
    QString path_;
    // The check begun in the background until the file has passed it; kept after a failure,
    // which every write then raises.
    std::shared_ptr<detail::PageCheck> check_;
    CheckListener listener_;
    bool verdictTold_ = false;
    // Transactions begun and not yet ended; meaningful only while SQLite is in a transaction
    // (after a failure it may have rolled back by itself).
    int depth_ = 0;
};

// Runs the statements of its scope in one transaction: commits on Commit(), rolls back when the
// scope is left without it (also through an exception). Inside another transaction it is a
// savepoint: its rollback undoes only its own writes, and its commit hands them to the outer one.
class Transaction {
  public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

  private:
    Connection& connection_;
    int level_;
    bool active_ = true;
};

}  // namespace db
