// Builds a Kelvora data file from the schema and the reference rows kept as CSV, one file per
// table (data/rows/<table>.csv, first line the column names). An empty unquoted field is
// stored as Null; a quoted empty field as an empty text.
//
//   kelvora_mkdata <schema.sql> <rows folder> <output file>

#include <sqlite3.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/AccessCheck.h"
#include "frame/DataFile.h"
#include "frame/EarlierDataFile.h"

namespace {

using Row = std::vector<std::optional<QString>>;

// RFC 4180 records; fields may hold commas, quotes and line breaks inside quotes.
std::vector<Row> readCsv(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    const QString text = QString::fromUtf8(file.readAll());
    std::vector<Row> rows;
    Row row;
    QString field;
    bool quoted = false;
    bool inQuotes = false;
    bool fieldStarted = false;
    auto endField = [&] {
        if (!fieldStarted && !quoted) {
            row.emplace_back(std::nullopt);
        } else {
            row.emplace_back(field);
        }
        field.clear();
        quoted = false;
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        if (!(row.size() == 1 && !row[0])) {
            rows.push_back(std::move(row));
        }
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"') {
            inQuotes = true;
            quoted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r') {
            continue;
        } else if (c == u'\n') {
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || quoted || !row.empty()) {
        endRow();
    }
    return rows;
}

void check(int rc, sqlite3* db, const QString& what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(what.toStdString() + ": " + sqlite3_errmsg(db));
    }
}

void exec(sqlite3* db, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "error";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

void loadTable(sqlite3* db, const QString& table, const std::vector<Row>& rows) {
    if (rows.empty()) {
        return;
    }
    QStringList columns;
    for (const auto& name : rows.front()) {
        columns << QStringLiteral("\"%1\"").arg(name.value_or(QString()));
    }
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        marks << QStringLiteral("?");
    }
    const QString sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                            .arg(table, columns.join(u','), marks.join(u','));
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr), db, sql);
    for (size_t r = 1; r < rows.size(); ++r) {
        const Row& row = rows[r];
        if (row.size() != static_cast<size_t>(columns.size())) {
            sqlite3_finalize(statement);
            throw std::runtime_error(QStringLiteral("%1.csv line %2: %3 fields, expected %4")
                                         .arg(table)
                                         .arg(r + 1)
                                         .arg(row.size())
                                         .arg(columns.size())
                                         .toStdString());
        }
        sqlite3_reset(statement);
        for (size_t c = 0; c < row.size(); ++c) {
            const int index = static_cast<int>(c) + 1;
            if (!row[c]) {
                sqlite3_bind_null(statement, index);
            } else {
                const QByteArray utf8 = row[c]->toUtf8();
                sqlite3_bind_text(statement, index, utf8.constData(), static_cast<int>(utf8.size()),
                                  SQLITE_TRANSIENT);
            }
        }
        check(sqlite3_step(statement), db, table + QStringLiteral(".csv line %1").arg(r + 1));
    }
    sqlite3_finalize(statement);
}

// What the file in the new template's place holds, looked into read-only.
enum class Earlier { Template, Entries, Unreadable };

Earlier lookInto(const QString& file, std::string& why) {
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    int rc =
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_prepare_v2(db, frame::kHoldsEntriesQuery, -1, &statement, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
    }
    Earlier earlier = Earlier::Unreadable;
    if (rc == SQLITE_ROW) {
        earlier = sqlite3_column_int64(statement, 0) != 0 ? Earlier::Entries : Earlier::Template;
    } else {
        why = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return earlier;
}

// Before each person had a data file of their own, people worked in the one the build puts
// here. One that holds what they entered, or that cannot even be looked into, is never
// replaced: it is kept beside under a name that says so, with its journal, and the program's
// next start carries it over into the person's folder.
void keepEarlier(const QString& outPath) {
    const QFileInfo info(outPath);
    if (!info.exists() && !info.isSymLink()) {
        return;
    }
    std::string why;
    const Earlier earlier = lookInto(outPath, why);
    if (earlier == Earlier::Template) {
        return;
    }
    const QString kept = frame::NextEarlierName(outPath);
    QString reason;
    if (!frame::MoveDataFile(outPath, kept, &reason)) {
        throw std::runtime_error(
            QStringLiteral("cannot keep %1 as %2: %3").arg(outPath, kept, reason).toStdString());
    }
    const std::string what = earlier == Earlier::Entries
                                 ? "holds members, diary entries or foods entered in it"
                                 : "cannot be read as a data file (" + why + ")";
    std::printf("kelvora_mkdata: %s %s; it is kept as %s\n", outPath.toLocal8Bit().constData(),
                what.c_str(), kept.toLocal8Bit().constData());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: kelvora_mkdata <schema.sql> <rows folder> <output file>\n");
        return 2;
    }
    const QString schemaPath = QString::fromLocal8Bit(argv[1]);
    const QString rowsPath = QString::fromLocal8Bit(argv[2]);
    const QString outPath = QString::fromLocal8Bit(argv[3]);
    const QString tempPath = outPath + QStringLiteral(".part");
    QFile::remove(tempPath);

    sqlite3* db = nullptr;
    try {
        QFile schema(schemaPath);
        if (!schema.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("cannot read " + schemaPath.toStdString());
        }
        if (sqlite3_open(tempPath.toLocal8Bit().constData(), &db) != SQLITE_OK) {
            throw std::runtime_error("cannot create " + tempPath.toStdString());
        }
        ::chmod(tempPath.toLocal8Bit().constData(), 0600);
        exec(db, QStringLiteral("PRAGMA journal_mode = OFF"));
        exec(db, QStringLiteral("BEGIN"));
        exec(db, QString::fromUtf8(schema.readAll()));
        const QDir rows(rowsPath);
        const auto files = rows.entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
        for (const QFileInfo& info : files) {
            loadTable(db, info.completeBaseName(), readCsv(info.absoluteFilePath()));
        }
        db::writeAccessCheck(db, QString::fromLatin1(frame::kDatabasePassword));
        exec(db, QStringLiteral("COMMIT"));
        exec(db, QStringLiteral("PRAGMA journal_mode = DELETE"));
        exec(db, QStringLiteral("VACUUM"));
        sqlite3_close(db);
        db = nullptr;
        // The built file is a template that people's own files are copied from: read-only, so
        // that nothing opens it for writing by mistake. Its rows are public reference data.
        ::chmod(tempPath.toLocal8Bit().constData(), 0444);
        keepEarlier(outPath);
        if (::rename(QFile::encodeName(tempPath).constData(),
                     QFile::encodeName(outPath).constData()) != 0) {
            throw std::runtime_error("cannot write " + outPath.toStdString() + ": " +
                                     std::strerror(errno));
        }
    } catch (const std::exception& e) {
        if (db) {
            sqlite3_close(db);
        }
        QFile::remove(tempPath);
        std::fprintf(stderr, "kelvora_mkdata: %s\n", e.what());
        return 1;
    }
    return 0;
}
