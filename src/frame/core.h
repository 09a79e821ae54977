#pragma once

#include <QString>
#include <optional>

#include "db/Command.h"
#include "db/Connection.h"

namespace ui {
class CommonDialog;
class ComboBox;
class Form;
class ListView;
}  // namespace ui

// The program's module: the one data connection, the state that windows hand to each other,
// start-up and the helpers that every window uses.
namespace core {

// The one open connection to the data file; every window opens its recordsets on it.
inline db::Connection cn;
// The shared command on cn (text commands) that list windows use.
inline db::Command cmd;

// "data path" as read at start-up (the options window shows it).
inline QString DataPath;
// The data file chosen in the start-up picker (possibly empty after a cancel); no value until
// the picker has been used. A retried opening uses it instead of DataPath.
inline std::optional<QString> PickedConnStr;
// The composed food whose ingredients the ingredient editor edits.
inline QString ComposedFood;
// "IntakeOn" or "ComposeOn": the window that opened the units window; "" otherwise.
inline QString UnitCaller;
// True when the activity window was opened from the member register.
inline bool ActFromUsr = false;
// True when the dependants window was opened to delete a food.
inline bool OthDelete = false;
// Set when the user cancelled the exit window.
inline bool ExitCancel = false;
// The answer to the question whether to open an exported file.
inline int OpenAnswer = 0;

// The stored preferences: application "Kelvora", section "Options".
QString GetOption(const QString& key, const QString& defaultValue);
void SaveOption(const QString& key, const QString& value);

// Fills a list of choices that a stored preference heads: unless keepFirst (the caller has put
// the first entry in place), the stored value of `key` (defaultValue when none) becomes the
// only entry and is chosen, which runs the list's Click; then the `field` of every row of
// `sql`, whose one ? is bound to that first entry, is appended. Errors go to the caller, with
// the entries added so far kept.
void FillPreferenceList(ui::ComboBox& combo, bool keepFirst, const QString& key,
                        const QString& defaultValue, const QString& sql, const QString& field);

// The default data file: vdsys.vs_ in the program folder.
QString DefaultDataPath();
// The product's web page, shipped beside the program.
QString ProductPage();

// Prepares an open dialog for choosing a data file (*.vs_ in the program folder) and shows
// it; the chosen file is in FileName, "" after a cancel.
void ShowDataFileDialog(ui::CommonDialog& cdlg);

// The program's entry.
void Main();

// Checks the stored member, language and category against the data file and offers to
// repair them; answering No ends the program.
void CheckRegistry();

// Places child in the middle of parent's client area (no clamping).
void CenterForm(ui::Form& parent, ui::Form& child);

// Finds the first item whose text is text as a whole (without regard to case), scrolls it
// into view and selects it. An empty text is searched as "0", and the caller sees that.
void FindListItem(ui::ListView& lvw, QString& text, int& where);

// Closes the connection and clears the module state: the exit window's release, and the
// start of every test.
void ReleaseAll();

}  // namespace core
