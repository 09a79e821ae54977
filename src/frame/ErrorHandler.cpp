#include "frame/ErrorHandler.h"

#include "runtime/App.h"
#include "runtime/Error.h"
#include "runtime/ErrorLog.h"

void ErrorHandler::handleError(const rt::Error& error, QString& source, QString& extra) {
    Q_UNUSED(source);
    Q_UNUSED(extra);
    // An error raised by the program itself carries no source of its own; the program's
    // name stands for it, as it did for every run-time error.
    const QString errorSource = error.Source().isEmpty() ? rt::App::Title() : error.Source();
    rt::AppendErrorRecord(rt::App::Path(), error.Number(), error.Description(), errorSource);
}
