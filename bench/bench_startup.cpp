#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "ProgramFolder.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/App.h"
#include "ui/Form.h"
#include "ui/QtHost.h"

namespace {

// From Main to the main window on screen, with the delivered data file, as a person starting
// the program waits for it.
void BM_StartupToMainWindow(benchmark::State& state) {
    QTemporaryDir dir;
    bench::UseProgramFolder(dir.path());
    ui::QtHost host;
    for (auto _ : state) {
        core::Main();
        if (!frmMain::isLoaded() || !frmMain::instance().Visible()) {
            state.SkipWithError("the main window did not come up");
            break;
        }
        state.PauseTiming();
        ui::Forms::discardAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        core::ReleaseAll();
        rt::App::releaseInstanceLock();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
