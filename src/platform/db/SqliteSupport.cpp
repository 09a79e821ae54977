#include "db/SqliteSupport.h"

#include <cmath>

#include "db/Errors.h"
#include "runtime/Error.h"

namespace db {
namespace {

const QString& keyViolationText() {
    static const QString text = QStringLiteral(
        "The changes you requested to the table were not successful because they would create "
        "duplicate values in the index, primary key, or relationship.");
    return text;
}

}  // namespace

bool IsKeyViolation(const rt::Error& error) {
    return error.Number() == rt::err::ProviderFailure && error.Description() == keyViolationText();
}

}  // namespace db

namespace db::detail {
namespace {

QString after(const QString& message, QLatin1StringView prefix) {
    return message.mid(prefix.size()).trimmed();
}

// The error number of a failure that is the file's or the disk's, not the statement's: a
// write's cause that the person can do something about. 0 for the others.
long causeNumber(int extended) {
    switch (extended & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return rt::err::DataFileInUse;
        // Also a journal that cannot be made beside the file (SQLITE_READONLY_DIRECTORY).
        case SQLITE_READONLY:
            return rt::err::DataFileReadOnly;
        case SQLITE_FULL:
            return rt::err::DiskFull;
        case SQLITE_IOERR:
            return rt::err::DiskError;
        default:
            return 0;
    }
}

}  // namespace

QString errorSource() {
    return QStringLiteral("Kelvora data");
}

void raiseSqlite(sqlite3* handle, int rc) {
    const int extended = handle ? sqlite3_extended_errcode(handle) : rc;
    const QString message =
        handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (const long cause = causeNumber(extended)) {
        // The standard text, then the file and SQLite's own words for the log.
        const char* file = handle ? sqlite3_db_filename(handle, "main") : nullptr;
        const QString where =
            file && *file ? QString::fromUtf8(file) + QStringLiteral(": ") : QString();
        throw rt::Error(
            cause, QStringLiteral("%1 (%2%3)").arg(rt::defaultDescription(cause), where, message),
            errorSource());
    }
    switch (extended) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_ROWID:
            throw rt::Error(rt::err::ProviderFailure, keyViolationText(), errorSource());
        case SQLITE_CONSTRAINT_NOTNULL: {
            constexpr QLatin1StringView prefix("NOT NULL constraint failed: ");
            const QString field = message.startsWith(prefix) ? after(message, prefix) : message;
            throw rt::Error(
                rt::err::ProviderFailure,
                QStringLiteral("The field '%1' cannot contain a Null value.").arg(field),
                errorSource());
        }
        default:
            break;
    }
    if ((extended & 0xff) == SQLITE_ERROR) {
        constexpr QLatin1StringView noTable("no such table: ");
        constexpr QLatin1StringView noColumn("no such column: ");
        if (message.startsWith(noTable)) {
            throw rt::Error(rt::err::MissingTable,
                            QStringLiteral("Cannot find the table or query '%1'. Make sure it "
                                           "exists and that its name is spelled correctly.")
                                .arg(after(message, noTable)),
                            errorSource());
        }
        if (message.startsWith(noColumn)) {
            throw rt::Error(
                rt::err::MissingParameter,
                QStringLiteral("Unknown field name '%1'.").arg(after(message, noColumn)),
                errorSource());
        }
        if (message.contains(QLatin1StringView("syntax error")) ||
            message.startsWith(QLatin1StringView("incomplete input")) ||
            message.startsWith(QLatin1StringView("unrecognized token"))) {
            throw rt::Error(rt::err::SyntaxError,
                            QStringLiteral("Syntax error in SQL statement: %1").arg(message),
                            errorSource());
        }
    }
    throw rt::Error(rt::err::ProviderFailure, message, errorSource());
}

void openFailure(const QString& path, int rc, const QString& message) {
    switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw rt::Error(rt::err::DataFileInUse,
                            QStringLiteral("The data file '%1' is in use by another program: %2")
                                .arg(path, message),
                            errorSource());
        case SQLITE_CORRUPT:
            throw rt::Error(rt::err::DataFileDamaged,
                            QStringLiteral("The data file '%1' is damaged: %2").arg(path, message),
                            errorSource());
        case SQLITE_NOTADB:
            throw rt::Error(rt::err::ProviderFailure,
                            QStringLiteral("Unrecognized data file format '%1'.").arg(path),
                            errorSource());
        default:
            throw rt::Error(rt::err::ProviderFailure,
                            QStringLiteral("Could not open file '%1': %2").arg(path, message),
                            errorSource());
    }
}

Statement prepare(sqlite3* handle, const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    sqlite3_stmt* raw = nullptr;
    int rc =
        sqlite3_prepare_v2(handle, utf8.constData(), static_cast<int>(utf8.size()), &raw, &tail);
    Statement statement(raw);
    if (rc != SQLITE_OK) {
        raiseSqlite(handle, rc);
    }
    if (!statement) {
        throw rt::Error(rt::err::SyntaxError,
                        QStringLiteral("Invalid SQL statement: the text holds no statement."),
                        errorSource());
    }
    // Whitespace, comments and semicolons after the statement prepare to nothing; anything
    // else would be a second statement that a caller expects to run but never would.
    const char* end = utf8.constData() + utf8.size();
    if (tail && tail < end) {
        sqlite3_stmt* extra = nullptr;
        rc = sqlite3_prepare_v2(handle, tail, static_cast<int>(end - tail), &extra, nullptr);
        Statement second(extra);
        if (rc != SQLITE_OK || second) {
            throw rt::Error(rt::err::SyntaxError,
                            QStringLiteral("Characters found after end of SQL statement."),
                            errorSource());
        }
    }
    return statement;
}

void bind(sqlite3* handle, sqlite3_stmt* statement, const Params& params) {
    const int expected = sqlite3_bind_parameter_count(statement);
    if (static_cast<qsizetype>(params.size()) < expected) {
        throw rt::Error(rt::err::MissingParameter,
                        QStringLiteral("No value given for one or more required parameters."),
                        errorSource());
    }
    if (static_cast<qsizetype>(params.size()) > expected) {
        throw rt::Error(rt::err::ProviderFailure,
                        QStringLiteral("%1 values given for a statement with %2 parameters.")
                            .arg(params.size())
                            .arg(expected),
                        errorSource());
    }
    for (int i = 0; i < expected; ++i) {
        const Variant& value = params[static_cast<size_t>(i)];
        int rc = SQLITE_OK;
        switch (value.type()) {
            case Variant::Type::Null:
                rc = sqlite3_bind_null(statement, i + 1);
                break;
            case Variant::Type::Integer:
                rc = sqlite3_bind_int64(statement, i + 1, value.integerValue());
                break;
            case Variant::Type::Double:
                // An infinity is no amount of anything, and SQLite would store NaN as Null.
                if (!std::isfinite(value.doubleValue())) {
                    throw rt::Error(rt::err::Overflow,
                                    QStringLiteral("A number too big to store was given."),
                                    errorSource());
                }
                rc = sqlite3_bind_double(statement, i + 1, value.doubleValue());
                break;
            case Variant::Type::Text: {
                // An empty text stays a text: a null pointer would bind Null instead.
                const QByteArray utf8 = value.textValue().toUtf8();
                rc = sqlite3_bind_text(statement, i + 1, utf8.isEmpty() ? "" : utf8.constData(),
                                       static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
                break;
            }
        }
        if (rc != SQLITE_OK) {
            raiseSqlite(handle, rc);
        }
    }
}

bool step(sqlite3* handle, sqlite3_stmt* statement) {
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    raiseSqlite(handle, rc);
}

}  // namespace db::detail
