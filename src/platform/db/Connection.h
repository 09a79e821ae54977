#pragma once

#include <QString>
#include <memory>

#include "db/Variant.h"

struct sqlite3;

namespace db {

class Recordset;

// An open data file. The file name and the password are plain values; nothing is parsed out
// of a connection string. Recordsets read their rows completely when they open, so they never
// keep the file busy.
class Connection {
  public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing data file read-write; never creates one. A missing file, a folder, or a
    // file that is not a Kelvora data file raises the provider failure; a wrong password raises
    // the wrong-password error. Raises 3705 when already open.
    void Open(const QString& path, const QString& password);
    // Nothing to do when closed. Refuses (3219) while a transaction is in progress, so that the
    // transaction's writes are neither lost nor kept without a decision.
    void Close();
    int State() const { return IsOpen() ? 1 : 0; }
    bool IsOpen() const;

    // Runs one statement that gives no rows; returns the number of rows it changed.
    qint64 Execute(const QString& sql, const Params& params = {});

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    // Creates a new data file (permissions 0600) with the schema and the access check for the
    // password. Refuses to replace an existing file.
    static void CreateDataFile(const QString& path, const QString& password,
                               const QString& schemaSql);

    // The SQLite connection, for benchmarks and diagnostics; null when closed.
    sqlite3* handle() const;

    // Shared with the recordsets that write through this connection, so that they notice a
    // closed connection instead of using a dangling one.
    struct Shared;
    const std::shared_ptr<Shared>& shared() const { return shared_; }

  private:
    sqlite3* openHandle() const;

    std::shared_ptr<Shared> shared_;
};

// Runs the statements of its scope in one transaction: commits on Commit(), rolls back when the
// scope is left without it (also through an exception).
class Transaction {
  public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

  private:
    Connection& connection_;
    bool active_ = true;
};

}  // namespace db
