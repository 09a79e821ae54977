#pragma once

namespace rt {
class Error;
}

namespace db {

// Whether the data file refused a write because a row's key is taken already: the provider
// failure that a duplicate key raises, told apart from the others by its text.
bool IsKeyViolation(const rt::Error& error);

}  // namespace db
