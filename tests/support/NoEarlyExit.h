#pragma once

#include <cstdio>
#include <cstdlib>

// While it lives, a process that ends on its way (std::exit from inside the program instead of
// coming back to its top) fails the test program: std::exit runs what is registered with
// atexit after the guard's first use before the static destructors made earlier, and this
// stops it there with status 3. Without the guard such an exit would end the test program
// with status 0, as if every test had passed.
class NoEarlyExit {
  public:
    NoEarlyExit() {
        static const bool registered = std::atexit(&exitedEarly) == 0;
        (void)registered;
        armed() = true;
    }
    ~NoEarlyExit() { armed() = false; }
    NoEarlyExit(const NoEarlyExit&) = delete;
    NoEarlyExit& operator=(const NoEarlyExit&) = delete;

  private:
    static bool& armed() {
        static bool on = false;
        return on;
    }
    static void exitedEarly() {
        if (armed()) {
            std::fputs(
                "the process was ended from inside the program: static destructors "
                "would run while its windows live\n",
                stderr);
            std::_Exit(3);
        }
    }
};
