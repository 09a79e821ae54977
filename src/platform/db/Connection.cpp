#include "db/Connection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

#include "db/AccessCheck.h"
#include "db/PageCheck.h"
#include "db/SqliteSupport.h"
#include "runtime/App.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/ErrorLog.h"

namespace db {
namespace {

int busyTimeoutMs = 5000;

[[noreturn]] void providerFailure(const QString& description) {
    throw rt::Error(rt::err::ProviderFailure, description, detail::errorSource());
}

// cdate(text): a "dd-MM-yyyy" text as 'yyyy-MM-dd', which orders as the dates do; Null when
// the text is no date.
void cdateFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    try {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        const QDate date = rt::ParseDateText(QString::fromUtf8(text, sqlite3_value_bytes(argv[0])));
        if (!date.isValid()) {
            sqlite3_result_null(context);
            return;
        }
        const QByteArray value = date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
        sqlite3_result_text(context, value.constData(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT);
    } catch (const std::exception& e) {
        // Nothing may be thrown through SQLite's C frames.
        sqlite3_result_error(context, e.what(), -1);
    }
}

void execPlain(sqlite3* handle, const char* sql) {
    const int rc = sqlite3_exec(handle, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        detail::raiseSqlite(handle, rc);
    }
}

void execPlain(sqlite3* handle, const QByteArray& sql) {
    execPlain(handle, sql.constData());
}

// The savepoint of a transaction begun inside `level` others.
QByteArray savepointName(int level) {
    return "kelvora_" + QByteArray::number(level);
}

QByteArray fileName(const QString& path) {
    // An absolute name never starts with "file:", so SQLite cannot read it as a URI.
    return QFile::encodeName(QFileInfo(path).absoluteFilePath());
}

}  // namespace

Connection::Connection() = default;

Connection::~Connection() {
    check_.reset();
    if (handle_) {
        // Anything not committed is rolled back by SQLite on close. Nothing is logged: at
        // program end the runtime that knows the log's folder may be gone already.
        sqlite3_close_v2(handle_);
        handle_ = nullptr;
    }
}

bool Connection::IsOpen() const {
    return handle_ != nullptr;
}

sqlite3* Connection::openHandle() const {
    if (!handle_) {
        rt::raise(rt::err::ObjectClosed, detail::errorSource());
    }
    return handle_;
}

void Connection::Open(const QString& path, const QString& password, OpenOptions options) {
    if (IsOpen()) {
        rt::raise(rt::err::ObjectOpen, detail::errorSource());
    }
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir()) {
        providerFailure(QStringLiteral("Could not find file '%1'.").arg(path));
    }
    sqlite3* handle = nullptr;
    // A connection belongs to one thread at a time; SQLite's own locking of every call would
    // only cost time.
    const int mode = options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc =
        sqlite3_open_v2(fileName(path).constData(), &handle, mode | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            QString::fromUtf8(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc));
        sqlite3_close_v2(handle);
        providerFailure(QStringLiteral("Could not open file '%1': %2").arg(path, message));
    }
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, busyTimeoutMs);

    // Read the file's header first, so that a locked or unreadable file is reported as such and
    // not as a file of the wrong kind.
    rc = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_close_v2(handle);
        detail::openFailure(path, rc, message);
    }
    if (options.check == Check::AtOnce) {
        try {
            detail::checkPages(handle, path);
        } catch (...) {
            sqlite3_close_v2(handle);
            throw;
        }
    }
    switch (checkAccess(handle, password)) {
        case Access::Granted:
            break;
        case Access::WrongPassword:
            sqlite3_close_v2(handle);
            throw rt::Error(rt::err::WrongPassword, QStringLiteral("Not a valid password."),
                            detail::errorSource());
        case Access::NotADataFile:
            sqlite3_close_v2(handle);
            providerFailure(QStringLiteral("Unrecognized data file format '%1'.").arg(path));
    }
    try {
        execPlain(handle, "PRAGMA foreign_keys = OFF");
        rc = sqlite3_create_function_v2(handle, "cdate", 1,
                                        SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                        nullptr, cdateFunction, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            detail::raiseSqlite(handle, rc);
        }
    } catch (...) {
        sqlite3_close_v2(handle);
        throw;
    }
    handle_ = handle;
    path_ = path;
    listener_ = std::move(options.listener);
    verdictTold_ = false;
    if (options.check == Check::InBackground) {
        beginCheck();
    }
}

void Connection::beginCheck() {
    // The check tells this thread's event loop when it is done. What it posts holds the check
    // only weakly: a connection closed since, or checking anew, has let go of it, and the
    // post then does nothing.
    auto self = std::make_shared<std::weak_ptr<detail::PageCheck>>();
    auto finished = [this, self] {
        QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr) {
            return;
        }
        QMetaObject::invokeMethod(
            app,
            [this, self] {
                if (const std::shared_ptr<detail::PageCheck> check = self->lock();
                    check && check == check_) {
                    // Nothing waits here for the verdict: the listener has it, and the next
                    // write raises it again.
                    try {
                        tellVerdict();
                    } catch (const rt::Error&) {
                    }
                }
            },
            Qt::QueuedConnection);
    };
    check_ = std::make_shared<detail::PageCheck>(fileName(path_), path_, busyTimeoutMs,
                                                 std::move(finished));
    *self = check_;
}

void Connection::tellVerdict() {
    const std::optional<rt::Error> failure = check_->verdict();
    if (!failure) {
        check_.reset();
    } else if (failure->Number() == rt::err::DataFileInUse) {
        // Nothing is known of the file yet: it is checked again once the other program has
        // let go. The verdict is still to come.
        beginCheck();
        throw *failure;
    }
    if (!verdictTold_) {
        verdictTold_ = true;
        if (listener_.verdict) {
            listener_.verdict(failure);
        }
    }
    if (failure) {
        throw *failure;
    }
}

void Connection::AwaitCheck() {
    if (!check_) {
        return;
    }
    if (!check_->done()) {
        const std::shared_ptr<detail::PageCheck> check = check_;
        const auto wait = [&check] { check->verdict(); };
        if (listener_.whileWaiting) {
            listener_.whileWaiting(wait);
        } else {
            wait();
        }
    }
    tellVerdict();
}

void Connection::Close() noexcept {
    sqlite3* handle = handle_;
    if (!handle) {
        // Closing before (re)opening is the usual start of a connection's use; nothing to do.
        return;
    }
    if (InTransaction()) {
        // Closing would roll back anyway; doing it first keeps the order of events plain.
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        try {
            rt::AppendErrorRecord(rt::App::dataFolder(), rt::err::OperationNotAllowed,
                                  QStringLiteral("The data file was closed with a transaction in "
                                                 "progress; its changes were rolled back."),
                                  detail::errorSource());
        } catch (...) {
            // The record is best effort; the rollback has happened either way.
        }
    }
    handle_ = nullptr;
    depth_ = 0;
    // The check reads through a connection of its own, which goes first.
    check_.reset();
    listener_ = {};
    sqlite3_close_v2(handle);
}

qint64 Connection::Execute(const QString& sql, const Params& params) {
    sqlite3* handle = openHandle();
    detail::Statement statement = detail::prepare(handle, sql);
    if (!sqlite3_stmt_readonly(statement.get())) {
        AwaitCheck();
    }
    detail::bind(handle, statement.get(), params);
    while (detail::step(handle, statement.get())) {
    }
    return sqlite3_stmt_readonly(statement.get()) ? 0 : sqlite3_changes64(handle);
}

bool Connection::InTransaction() const {
    return handle_ && sqlite3_get_autocommit(handle_) == 0;
}

int Connection::TransactionLevel() const {
    // A transaction that SQLite rolled back by itself (a full disk, an I/O error) ended all
    // the levels at once.
    if (!InTransaction()) {
        return 0;
    }
    return std::max(depth_, 1);
}

void Connection::requireTransaction() const {
    if (TransactionLevel() == 0) {
        providerFailure(QStringLiteral("No transaction is active."));
    }
}

int Connection::BeginTrans() {
    sqlite3* handle = openHandle();
    const int level = TransactionLevel();
    if (level == 0) {
        // A transaction is begun to write.
        AwaitCheck();
        // Take the write lock at once: a deferred transaction that later needs it could fail
        // half-way instead of waiting for it.
        execPlain(handle, "BEGIN IMMEDIATE");
    } else {
        execPlain(handle, "SAVEPOINT " + savepointName(level));
    }
    depth_ = level + 1;
    return depth_;
}

void Connection::CommitTrans() {
    sqlite3* handle = openHandle();
    requireTransaction();
    const int level = TransactionLevel();
    execPlain(handle, level == 1 ? QByteArray("COMMIT") : "RELEASE " + savepointName(level - 1));
    depth_ = level - 1;
}

void Connection::RollbackTrans() {
    sqlite3* handle = openHandle();
    requireTransaction();
    const int level = TransactionLevel();
    if (level == 1) {
        execPlain(handle, "ROLLBACK");
    } else {
        // Rolling back to a savepoint keeps it open; releasing it ends this level.
        execPlain(handle, "ROLLBACK TO " + savepointName(level - 1));
        execPlain(handle, "RELEASE " + savepointName(level - 1));
    }
    depth_ = level - 1;
}

void Connection::setBusyTimeout(int milliseconds) {
    busyTimeoutMs = milliseconds;
}

void Connection::CreateDataFile(const QString& path, const QString& password,
                                const QString& schemaSql) {
    const QByteArray name = fileName(path);
    // O_EXCL: never replace a file that is already there, and no window in which another
    // process could slip one in. The mode gives 0600 from the first byte on.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int error = errno;
        if (error == EEXIST) {
            providerFailure(QStringLiteral("File '%1' already exists.").arg(path));
        }
        providerFailure(QStringLiteral("Could not create file '%1': %2")
                            .arg(path, QString::fromLocal8Bit(std::strerror(error))));
    }
    ::close(fd);

    sqlite3* handle = nullptr;
    try {
        const int rc = sqlite3_open_v2(name.constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            detail::raiseSqlite(handle, rc);
        }
        sqlite3_extended_result_codes(handle, 1);
        execPlain(handle, "BEGIN");
        const QByteArray schema = schemaSql.toUtf8();
        execPlain(handle, schema.constData());
        try {
            writeAccessCheck(handle, password);
        } catch (const rt::Error&) {
            throw;
        } catch (const std::exception& e) {
            providerFailure(QString::fromUtf8(e.what()));
        }
        execPlain(handle, "COMMIT");
        if (sqlite3_close(handle) != SQLITE_OK) {
            const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
            sqlite3_close_v2(handle);
            handle = nullptr;
            providerFailure(message);
        }
        handle = nullptr;
    } catch (...) {
        if (handle) {
            sqlite3_close_v2(handle);
        }
        QFile::remove(QFile::decodeName(name));
        throw;
    }
}

Transaction::Transaction(Connection& connection)
    : connection_(connection), level_(connection.BeginTrans()) {}

Transaction::~Transaction() {
    // SQLite may already have rolled back by itself after some failures (a full disk, an I/O
    // error); then there is nothing left to undo. Levels begun inside this one and left open
    // go with it.
    try {
        while (active_ && connection_.TransactionLevel() >= level_) {
            connection_.RollbackTrans();
        }
    } catch (...) {
        // Nothing may leave a destructor; closing the file rolls back what remains.
    }
}

void Transaction::Commit() {
    if (connection_.TransactionLevel() > level_) {
        providerFailure(
            QStringLiteral("A transaction begun inside this one is still in "
                           "progress."));
    }
    if (connection_.TransactionLevel() < level_) {
        providerFailure(QStringLiteral("No transaction is active."));
    }
    connection_.CommitTrans();
    active_ = false;
}

}  // namespace db
