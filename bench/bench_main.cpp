#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "ClinicData.h"

// The benchmarks that drive windows need a QApplication but no display. With
// `--make-clinic-file PATH` the program only makes a clinic's data file there, for measuring
// the real program's start on it (bench/startup-compare --memory).
int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--make-clinic-file") == 0) {
        try {
            const bench::ClinicData file = bench::MakeClinicFile(QString::fromLocal8Bit(argv[2]));
            std::printf("%lld diary rows\n", static_cast<long long>(file.diaryRows));
            return 0;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "kelvora_bench: %s\n", error.what());
            return 1;
        }
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
