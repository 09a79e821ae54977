#include "db/PageCheck.h"

#include <sqlite3.h>

#include <chrono>
#include <utility>

#include "db/SqliteSupport.h"

namespace db::detail {

void checkPages(sqlite3* handle, const QString& path) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(handle, "PRAGMA quick_check(1)", -1, &raw, nullptr);
    const Statement statement(raw);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(raw);
    }
    if (rc == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
        const QString finding = QString::fromUtf8(text ? text : "");
        if (finding == QLatin1String("ok")) {
            return;
        }
        openFailure(path, SQLITE_CORRUPT, finding);
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
    switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_INTERRUPT:
        case SQLITE_NOMEM:
            openFailure(path, rc, message);
        default:
            // A page that cannot be read (a disk's read error, a file cut short while it was
            // checked) is as lost as a damaged one.
            openFailure(path, SQLITE_CORRUPT, message);
    }
}

PageCheck::PageCheck(const QByteArray& fileName, const QString& path, int busyTimeoutMs,
                     std::function<void()> finished)
    : thread_([this, fileName, path, busyTimeoutMs, finished = std::move(finished)] {
          run(fileName, path, busyTimeoutMs, finished);
      }) {}

PageCheck::~PageCheck() {
    {
        // An interrupt that comes before the check's statement has begun is lost; it is given
        // again until the thread is done.
        std::unique_lock<std::mutex> lock(mutex_);
        stopping_ = true;
        while (!done_) {
            if (handle_) {
                sqlite3_interrupt(handle_);
            }
            doneChanged_.wait_for(lock, std::chrono::milliseconds(5));
        }
    }
    thread_.join();
}

bool PageCheck::done() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return done_;
}

const std::optional<rt::Error>& PageCheck::verdict() {
    std::unique_lock<std::mutex> lock(mutex_);
    doneChanged_.wait(lock, [this] { return done_; });
    return failure_;
}

void PageCheck::run(const QByteArray& fileName, const QString& path, int busyTimeoutMs,
                    const std::function<void()>& finished) {
    std::optional<rt::Error> failure;
    sqlite3* handle = nullptr;
    try {
        // The thread has the connection to itself.
        const int rc = sqlite3_open_v2(fileName.constData(), &handle,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            openFailure(path, rc,
                        QString::fromUtf8(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc)));
        }
        sqlite3_extended_result_codes(handle, 1);
        sqlite3_busy_timeout(handle, busyTimeoutMs);
        bool stopping = false;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            handle_ = handle;
            stopping = stopping_;
        }
        if (!stopping) {
            checkPages(handle, path);
        }
    } catch (const rt::Error& error) {
        failure = error;
    }
    bool stopped = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        handle_ = nullptr;
        stopped = stopping_;
        failure_ = std::move(failure);
        done_ = true;
    }
    sqlite3_close_v2(handle);
    doneChanged_.notify_all();
    if (!stopped && finished) {
        finished();
    }
}

}  // namespace db::detail
