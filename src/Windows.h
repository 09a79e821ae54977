#pragma once

namespace kelvora {

// Registers the windows that the frame opens by name (frame/WindowOpeners.h): the program's
// composition, the one place that knows every subsystem. main() and the program tests call it
// before Main.
void connectWindows();

}  // namespace kelvora
