#pragma once

#include <QString>
#include <functional>

namespace rt {
class Error;
}
namespace ui {
class Form;
}

// Appends a record of an error to report.Log in the person's data folder, beside their data
// file. The list-output classes
// keep one each and call it from their error handlers.
class ErrorHandler {
  public:
    // source and extra name the failing routine for the caller; the record takes number,
    // description and source from the error itself. Writing the log is best effort: a log
    // that cannot be written never raises into the caller's error handler.
    void handleError(const rt::Error& error, QString& source, QString& extra);
};

// How the windows meet the errors of their reads. An error is never shown as empty data: a
// read that fails is kept in report.Log and told. "No current record" is the one error that
// means an empty result; it is neither logged nor told. Only rt::Error is caught here: the
// program's end (ui::ProgramEnded) and other exceptions pass through untouched.
namespace frame {

// Writes the error to report.Log (standard error when the log cannot be written), naming the
// routine that met it, "frmDIn::UserIntakes", beside the error's own source.
void logError(const rt::Error& error, const QString& source);

// Runs read, which reads data that window shows (fills a list, a box, a caption). When it
// fails, the failure is logged under source and the person is told "<what> could not be read:
// <description>", the first time only in that window: one message, however many of its lists
// failed. what names the data for the person, "The list of foods". Returns false when the
// read failed; what it filled before the error stays.
bool readOrTell(ui::Form& window, const QString& what, const QString& source,
                const std::function<void()>& read);

// The same for a read that an action of the person needs (a check before a save): the action
// does not happen, so the person is told every time.
bool readOrRefuse(const QString& what, const QString& source, const std::function<void()>& read);

// A write that failed (one of the person's changes the data file did not take): it is logged
// under source, as a failed read is, and the person is told in one message what was not done and
// why. `what` is the window's own first line, "The member was not saved."; the cause follows on
// the next line, or on the same one when `what` ends in a blank ("The intake could not be saved:
// "). The causes a person can act on are told in plain words that name the data file: it cannot
// be written, another program is using it, the disk is full, the disk failed. Any other cause is
// told by the error's own description.
void tellWriteFailure(const QString& what, const rt::Error& error, const QString& source);

// Runs a step that its procedure goes on without when it fails: the failure is logged under
// source, and nobody is told. False when the step failed.
bool passOver(const QString& source, const std::function<void()>& step);

// Whether a number conversion's error says its text is no number it can give (type mismatch,
// overflow): an answer about the text, not a failure. Handlers of conversions rethrow the rest.
bool isConversionError(const rt::Error& error);

}  // namespace frame
