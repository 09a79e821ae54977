#pragma once

#include <QIcon>

namespace kelvora {

// The program under the real host, from start to end: the windows connected, Main, then the
// main window's events for as long as it is there. However it ends (End from any depth of
// modal windows, an error no window caught, the main window gone), it comes back here and
// closes the program. Returns the process status: 0, or 1 when start-up failed with an error
// before the main window came up.
//
// With KELVORA_QUIT_WHEN_SHOWN set in the environment, the program ends as soon as its main
// window stands painted on the screen (whenPainted), after writing "Kelvora: main window shown"
// to standard output: the check of an installed program (scripts/install-check) starts it so
// and knows then that start-up got that far, and the start-up measurement
// (bench/startup-compare) times the start by that line. It changes nothing else.
int runProgram();

// The program's icon, which every window carries, in the sizes the build painted. The windows
// take it once the main window stands painted, or as they show when they come before that.
QIcon programIcon();

// What the program's top does once the program has come back to it: the windows go without
// their events, the connection is released (a transaction left open is rolled back and
// logged), the module state is cleared and the end is done with, so that the program could
// start afresh. The tests close every run of the program with it too.
void closeProgram();

// closeProgram, at the end of a run that ended to start again (core::StartAgain): then the
// file to start on is kept and the answer is true, and the top runs Main again.
bool closeForAnotherStart();

}  // namespace kelvora
