#pragma once

#include <sqlite3.h>

#include <QString>
#include <QStringList>
#include <utility>

// The statements the program runs on a connection while a test acts, each with SQLite's query
// plan for it: a test then sees which rows a window's reads and writes reach, whatever the
// spelling of their SQL. The planner chooses alike on a small file and a large one, as the data
// files hold no statistics.
class StatementPlans {
  public:
    struct Statement {
        QString sql;
        // The plan's steps as EXPLAIN QUERY PLAN words them ("SEARCH dayin USING INDEX ...").
        QStringList steps;
    };

    explicit StatementPlans(sqlite3* db) : db_(db) {
        sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &StatementPlans::note, this);
    }
    ~StatementPlans() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }
    StatementPlans(const StatementPlans&) = delete;
    StatementPlans& operator=(const StatementPlans&) = delete;

    // The statements run since the recording began (or the last take), in order, with their
    // plans; the recording goes on.
    QList<Statement> take() {
        QList<Statement> statements;
        const QStringList run = std::exchange(run_, {});
        for (const QString& sql : run) {
            statements.append({sql, planOf(sql)});
        }
        return statements;
    }

    // The steps of the statements that contain `text` as a whole: "SCAN usr" is not found in
    // "SCAN usrcat".
    static QStringList stepsWith(const QList<Statement>& statements, const QString& text) {
        QStringList found;
        for (const Statement& statement : statements) {
            for (const QString& step : statement.steps) {
                for (qsizetype at = step.indexOf(text); at >= 0; at = step.indexOf(text, at + 1)) {
                    const qsizetype end = at + text.size();
                    if (end == step.size() ||
                        !(step[end].isLetterOrNumber() || step[end] == u'_')) {
                        found << step;
                        break;
                    }
                }
            }
        }
        return found;
    }

  private:
    static int note(unsigned /*type*/, void* self, void* statement, void* /*text*/) {
        const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        if (sql != nullptr) {
            static_cast<StatementPlans*>(self)->run_ << QString::fromUtf8(sql);
        }
        return 0;
    }

    QStringList planOf(const QString& sql) {
        QStringList steps;
        sqlite3_stmt* explain = nullptr;
        const QByteArray text = "EXPLAIN QUERY PLAN " + sql.toUtf8();
        // Recording stops while the plan is asked for, or the question would be recorded too.
        sqlite3_trace_v2(db_, 0, nullptr, nullptr);
        if (sqlite3_prepare_v2(db_, text.constData(), -1, &explain, nullptr) == SQLITE_OK) {
            while (sqlite3_step(explain) == SQLITE_ROW) {
                steps << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(explain, 3)));
            }
        }
        sqlite3_finalize(explain);
        sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &StatementPlans::note, this);
        return steps;
    }

    sqlite3* db_;
    QStringList run_;
};
