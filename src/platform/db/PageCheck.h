#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "runtime/Error.h"

struct sqlite3;

// The check of a data file's pages; the data layer's own, not for the windows.
namespace db::detail {

// Reads every page of every table and index of the open file and checks its structure
// (PRAGMA quick_check; indexes are not compared with their tables, which would cost many times
// as much). The pages are read through SQLite's own reads, never a memory map, so that a file
// that shrinks or cannot be read while it is checked gives an error rather than a signal.
// Raises what it finds: 3049 damaged (a damaged page, or one that cannot be read), 3045 in use
// (another program keeps the file locked beyond the busy wait).
void checkPages(sqlite3* handle, const QString& path);

// The same check on a thread of its own, over a read-only connection of its own, so that the
// opener goes on reading while a large file is checked. The opener must not write before the
// verdict is in.
class PageCheck {
  public:
    // `finished` runs on the checking thread once the verdict is in; not after a stop.
    PageCheck(const QByteArray& fileName, const QString& path, int busyTimeoutMs,
              std::function<void()> finished);
    // A check still running is stopped; its thread is gone when this returns.
    ~PageCheck();
    PageCheck(const PageCheck&) = delete;
    PageCheck& operator=(const PageCheck&) = delete;

    bool done() const;
    // Waits for the verdict: nothing for a sound file, else what checkPages raised.
    const std::optional<rt::Error>& verdict();

  private:
    void run(const QByteArray& fileName, const QString& path, int busyTimeoutMs,
             const std::function<void()>& finished);

    mutable std::mutex mutex_;
    std::condition_variable doneChanged_;
    bool done_ = false;
    bool stopping_ = false;
    // The checking connection while it is open, so that a stop can interrupt it.
    sqlite3* handle_ = nullptr;
    std::optional<rt::Error> failure_;
    std::thread thread_;
};

}  // namespace db::detail
