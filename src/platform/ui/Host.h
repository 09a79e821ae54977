#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "ui/Constants.h"

namespace ui {

class Form;
class Menu;

// What a window asks of an open or save dialog.
struct FileDialogRequest {
    // Pairs of description and pattern separated by '|': "HTML File (*.html)|*.html".
    QString Filter;
    int FilterIndex = 1;  // 1-based; an index outside the list means the first
    QString DefaultExt;   // ".html" or "html": appended when the chosen name has no extension
    QString InitDir;
    QString FileName;  // the proposed name
    long Flags = 0;
};

// The filter of a request as (description, patterns) pairs; patterns are separated by ';'
// as the windows write them ("*.htm;*.html").
QList<QPair<QString, QString>> parseFilter(const QString& filter);
// The filter entry a request selects: FilterIndex when it is in the list, else the first (0).
int selectedFilter(const FileDialogRequest& request);
// The chosen name with the default extension added when the file name part has none.
QString withDefaultExt(const QString& path, const QString& defaultExt);

// Thrown by End under every host: it unwinds the program's stack back to its top, main() (or
// the test that runs the program), which closes what is open and returns. It is not a
// std::exception, so that no error handler of the program catches it.
struct ProgramEnded {};

// Ending the program, the same under every host: End marks the program as ending, stops every
// event loop that runs and throws ProgramEnded. Qt's own code is never unwound through: an
// event that Qt delivered stops where the layer took it over, its loop returns, and the call
// that ran that loop (a modal window, a message box, a dialog, a popup menu, DoEvents, the
// main loop) throws ProgramEnded in turn, and so on up to the top. While the program is
// ending no event procedure runs any more, and those calls throw at once instead of showing
// anything.
[[noreturn]] void endProgram();
// True from End until the top of the program has dealt with it (finishEnd).
bool programEnding();
// Throws ProgramEnded while the program is ending.
void passOnEnd();
// The top of the program has come back from an end: the next run starts afresh.
void finishEnd();

// Everything that would block or leave the process goes through the host: the real one shows
// dialogs and runs event loops, the test one answers from a script.
class Host {
  public:
    virtual ~Host() = default;

    // Returns vbOK, vbCancel, vbYes, vbNo, ...
    virtual int MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
    // The chosen full path, or nothing when the person cancelled.
    virtual std::optional<QString> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFileDialog(const FileDialogRequest& request) = 0;
    // Colours are platform colour values (red in the low byte).
    virtual std::optional<qint32> ColorDialog(qint32 initial) = 0;
    // Returns when the form is hidden or unloaded. The form is loaded and shown when called.
    virtual void RunModal(Form& form) = 0;
    // Shows a popup menu; the Click of the item chosen runs before this returns.
    virtual void PopupMenu(Menu& menu) = 0;
    // The hourglass pointer; calls nest (every true is matched by a false).
    virtual void SetBusy(bool busy) = 0;
    // Opens a file with the desktop's default application, or an address in the browser.
    virtual bool OpenWithDesktop(const QString& fileOrUrl) = 0;
    virtual void DoEvents() = 0;
    // Ends the program: endProgram, after whatever the host notes of it.
    [[noreturn]] virtual void End() = 0;

    // Whether Qt's own input drives the windows: focus changes, key presses and timers. A
    // scripted host turns this off, so that only the test's person-side calls act.
    virtual bool realInput() const { return true; }
};

// The current host. Until one is set, a fallback answers every question as cancelled and
// logs a warning, so that nothing blocks.
Host& host();
void setHost(Host* host);
// The host that was set, or null while the fallback answers.
Host* installedHost();

// A message box; an empty title means the application's title.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = {});
void DoEvents();
// A popup menu at the pointer (the form method of the same name does the same).
void PopupMenu(Menu& menu);

}  // namespace ui
