#pragma once

#include <sqlite3.h>

#include <QString>
#include <memory>

#include "db/Variant.h"

// Shared by Connection, Recordset and Command; not for the windows.
namespace db::detail {

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// The source given to every error the data layer raises.
QString errorSource();

// Raises the rt::Error that matches the connection's last SQLite failure.
[[noreturn]] void raiseSqlite(sqlite3* handle, int rc);

// Raises the error for a data file that could not be read as it was opened (rc the SQLite
// result): kept locked by another program (3045), damaged (3049), of another kind, or unreadable
// for another reason (the provider failure).
[[noreturn]] void openFailure(const QString& path, int rc, const QString& message);

// Prepares exactly one statement. Text after it that holds another statement raises a syntax
// error rather than being silently ignored.
Statement prepare(sqlite3* handle, const QString& sql);

// Binds the values to the ? marks; too few or too many values raise an error.
void bind(sqlite3* handle, sqlite3_stmt* statement, const Params& params);

// One step; raises on failure. True while there is a row.
bool step(sqlite3* handle, sqlite3_stmt* statement);

// The value of a column of the current row, its text made by textOf(utf8, bytes). Inline: it
// runs once for every field of every row.
template <typename TextOf>
inline Variant columnValue(sqlite3_stmt* statement, int column, TextOf&& textOf) {
    // The column's value object is read directly: it saves SQLite's per-call bookkeeping of
    // the sqlite3_column_* functions, which is most of the cost of reading a row. The object
    // is "unprotected", which only matters when a connection is shared between threads at the
    // same time; a Connection never is.
    sqlite3_value* value = sqlite3_column_value(statement, column);
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            return Variant(static_cast<qint64>(sqlite3_value_int64(value)));
        case SQLITE_FLOAT:
            return Variant(sqlite3_value_double(value));
        case SQLITE_NULL:
            return Variant();
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            return Variant(textOf(text, sqlite3_value_bytes(value)));
        }
    }
}

}  // namespace db::detail
