#include "db/AccessCheck.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <stdexcept>

namespace db {
namespace {

constexpr const char* kTable = "kelvora_access";

QByteArray digest(const QByteArray& salt, const QString& password) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    hash.addData(password.toUtf8());
    // Stretch a little so that a copied file does not give the password away cheaply.
    QByteArray value = hash.result();
    for (int i = 0; i < 10000; ++i) {
        value = QCryptographicHash::hash(salt + value, QCryptographicHash::Sha256);
    }
    return value;
}

void exec(sqlite3* handle, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(handle, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

}  // namespace

void writeAccessCheck(sqlite3* handle, const QString& password) {
    exec(handle,
         "CREATE TABLE IF NOT EXISTS kelvora_access (salt BLOB NOT NULL, hash BLOB NOT NULL)");
    exec(handle, "DELETE FROM kelvora_access");
    QByteArray salt(16, '\0');
    for (auto& byte : salt) {
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    }
    const QByteArray value = digest(salt, password);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, "INSERT INTO kelvora_access (salt, hash) VALUES (?, ?)", -1,
                           &statement, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(handle));
    }
    sqlite3_bind_blob(statement, 1, salt.constData(), static_cast<int>(salt.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_blob(statement, 2, value.constData(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        throw std::runtime_error(sqlite3_errmsg(handle));
    }
}

Access checkAccess(sqlite3* handle, const QString& password) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = QByteArray("SELECT salt, hash FROM ") + kTable;
    if (sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        return Access::NotADataFile;
    }
    Access result = Access::NotADataFile;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        const auto* saltData = static_cast<const char*>(sqlite3_column_blob(statement, 0));
        const QByteArray salt(saltData, sqlite3_column_bytes(statement, 0));
        const auto* hashData = static_cast<const char*>(sqlite3_column_blob(statement, 1));
        const QByteArray stored(hashData, sqlite3_column_bytes(statement, 1));
        result = (!salt.isEmpty() && digest(salt, password) == stored) ? Access::Granted
                                                                       : Access::WrongPassword;
    }
    sqlite3_finalize(statement);
    return result;
}

}  // namespace db
