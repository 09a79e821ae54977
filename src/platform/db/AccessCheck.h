#pragma once

#include <QString>

struct sqlite3;

namespace db {

// The database password of a data file is an access check kept inside the file: a random salt
// and a hash of salt and password. The password itself is never stored.
enum class Access { Granted, WrongPassword, NotADataFile };

// Writes (or replaces) the access check of an open database.
void writeAccessCheck(sqlite3* handle, const QString& password);

// Checks a password against the access check of an open database. A file that is no SQLite
// database, or one without an access check, is NotADataFile.
Access checkAccess(sqlite3* handle, const QString& password);

}  // namespace db
