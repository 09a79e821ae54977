#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

#include "db/Connection.h"
#include "frame/DataFile.h"

// Opening a data file with its check (PRAGMA quick_check, every page read) against opening it
// without: on a copy of the delivered file, as every start opens it, and on a file of about
// 50 MB, as years of diary entries make it. The difference is what the check costs a start.

namespace {

QString password() {
    return QString::fromLatin1(frame::kDatabasePassword);
}

class DataFileCopy {
  public:
    // diaryRows diary entries are added to the copy of the delivered file.
    explicit DataFileCopy(int diaryRows) : path_(dir_.filePath(QStringLiteral("bench.vs_"))) {
        if (!QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"), path_)) {
            throw std::runtime_error("the delivered data file is missing");
        }
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (diaryRows == 0) {
            return;
        }
        db::Connection cn;
        cn.Open(path_, password());
        db::Transaction transaction(cn);
        // Rows of about 125 bytes with their index entry: 500 members, one food a day each.
        cn.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < ?) "
                                  "INSERT INTO dayin (uid, idate, foodname, quantity, unit) "
                                  "SELECT i % 500, printf('%02d-%02d-%04d', i % 28 + 1, "
                                  "i / 28 % 12 + 1, 2000 + i / 336), "
                                  "printf('Rice, parboiled and milled %d', i), 100 + i % 250, "
                                  "'Grams' FROM n"),
                   {diaryRows - 1});
        transaction.Commit();
    }

    const QString& path() const { return path_; }

  private:
    QTemporaryDir dir_;
    QString path_;
};

const DataFileCopy& delivered() {
    static const DataFileCopy copy(0);
    return copy;
}

const DataFileCopy& large() {
    static const DataFileCopy copy(390000);
    return copy;
}

void open(benchmark::State& state, const DataFileCopy& file, bool check) {
    state.counters["MB"] = static_cast<double>(QFileInfo(file.path()).size()) / 1e6;
    for (auto _ : state) {
        db::Connection cn;
        cn.Open(file.path(), password(), {.check = check ? db::Check::AtOnce : db::Check::None});
        benchmark::DoNotOptimize(cn.handle());
    }
}

void BM_OpenCheckDelivered(benchmark::State& state) {
    open(state, delivered(), true);
}
BENCHMARK(BM_OpenCheckDelivered)->Unit(benchmark::kMillisecond);

void BM_OpenNoCheckDelivered(benchmark::State& state) {
    open(state, delivered(), false);
}
BENCHMARK(BM_OpenNoCheckDelivered)->Unit(benchmark::kMillisecond);

void BM_OpenCheck50MB(benchmark::State& state) {
    open(state, large(), true);
}
BENCHMARK(BM_OpenCheck50MB)->Unit(benchmark::kMillisecond);

void BM_OpenNoCheck50MB(benchmark::State& state) {
    open(state, large(), false);
}
BENCHMARK(BM_OpenNoCheck50MB)->Unit(benchmark::kMillisecond);

}  // namespace
