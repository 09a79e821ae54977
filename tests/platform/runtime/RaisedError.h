#pragma once

#include "runtime/Error.h"

// Runs `f` and gives the number of the rt::Error it raised, or 0 when it raised none.
template <typename F>
long raisedError(F&& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.Number();
    }
    return 0;
}
