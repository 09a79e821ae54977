#pragma once

#include <QString>

namespace rt {
class Error;
}

// Appends a record of an error to report.Log in the program folder. The list-output classes
// keep one each and call it from their error handlers.
class ErrorHandler {
  public:
    // source and extra name the failing routine for the caller; the record takes number,
    // description and source from the error itself. Writing the log is best effort: a log
    // that cannot be written never raises into the caller's error handler.
    void handleError(const rt::Error& error, QString& source, QString& extra);
};
