#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "ClinicData.h"
#include "ProgramFolder.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "ui/QtHost.h"

namespace {

// From Main to the main window on screen, as a person starting the program waits for it; the
// program ends again after each start, untimed, with whatever work its start left running.
void timeStarts(benchmark::State& state) {
    ui::QtHost host;
    for (auto _ : state) {
        core::Main();
        const bool shown = frmMain::isLoaded() && frmMain::instance().Visible();
        state.PauseTiming();
        bench::EndProgram();
        state.ResumeTiming();
        if (!shown) {
            state.SkipWithError("the main window did not come up");
            break;
        }
    }
}

// The delivered data file, copied to the person's folder at the first start.
void BM_StartupToMainWindow(benchmark::State& state) {
    QTemporaryDir dir;
    bench::UseProgramFolder(dir.path());
    timeStarts(state);
}
BENCHMARK(BM_StartupToMainWindow)->Unit(benchmark::kMillisecond);

// A clinic's file of 5,000 members and 1.8 M diary rows as the person's data file, made once
// per run: the same start on a file some 200 MB larger.
void BM_StartupClinicFile(benchmark::State& state) {
    static const bench::ClinicData file =
        bench::MakeClinicFile(bench::RunFile(QStringLiteral("clinic-start.vs_")));
    QTemporaryDir dir;
    bench::UseProgramFolder(dir.path());
    core::SaveOption(QStringLiteral("data path"), file.path);
    timeStarts(state);
}
BENCHMARK(BM_StartupClinicFile)->Unit(benchmark::kMillisecond);

}  // namespace
