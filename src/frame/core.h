#pragma once

#include <QString>
#include <optional>

#include "db/Command.h"
#include "db/Connection.h"

namespace ui {
class ComboBox;
class CommonDialog;
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

// The data file that start-up opens: "data path" as read at start-up, or the file picked
// instead, with the delivered template standing for the person's own file (the options window
// shows it).
inline QString DataPath;
// The data file chosen in the start-up picker (possibly empty after a cancel); no value until
// the picker has been used. A retried opening uses it instead of DataPath.
inline std::optional<QString> PickedConnStr;
// Set when the run ends so that the program starts again at once, on PickedConnStr: the data
// file was found damaged after the main window had come up, and the person picked another.
// The program's top starts it again (kelvora::closeForAnotherStart).
inline bool StartAgain = false;
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

// The stored preferences: application "Kelvora", section "Options". A value that is stored
// already is not written again. A store that cannot be written is reported once; the program
// goes on without storing.
QString GetOption(const QString& key, const QString& defaultValue);
void SaveOption(const QString& key, const QString& value);

// Opens a file or a page with the desktop's application for it; when there is none, says so,
// naming the file. False when nothing was opened.
bool OpenDocument(const QString& fileOrUrl);

// The default data file: the person's own vdsys.vs_ in their data folder.
QString DefaultDataPath();
// The product's web page, shipped beside the program, and its address as the links show it.
QString ProductPage();
QString ProductPageAddress();

// Fills a list of a stored preference: unless isDefault (the caller has put the first entry in
// place), the stored value (key, defaultValue) becomes the first entry and is chosen; then
// every row of sql, a query with one ? for that first entry, adds its field. Errors go to the
// caller, with the entries added so far kept.
void FillList(ui::ComboBox& combo, bool isDefault, const QString& key, const QString& defaultValue,
              const QString& sql, const QString& field);

// The food category and language lists of the windows: FillList with the stored "ctb" or
// "language" and every other row of cat or langcat by name. An error ends the filling; the
// entries added so far stay, and the combo's window tells the person (frame::readOrTell).
void ListCategories(ui::ComboBox& combo, bool isDefault = false);
void ListLanguages(ui::ComboBox& combo, bool isDefault = false);

// The member lists. Every entry keeps its member's userid as its ItemData (0: no member). The
// stored default member ("Defter", "-") comes first, unless isDefault (the caller has put the
// first entry in place); then the other members by name, then "-" (no member) unless it stands
// first already. A name that one member bears shows as it is; a name that several members bear
// shows with the member's prefix, "Asha (Mrs.)", and with the userid as well where even the
// prefix is shared. With oneEntryPerName only the member that each name stands for as the
// default is offered (for a list that stores a name). Returns how many other members there are;
// a failed read reaches the caller with the entries so far.
int ListMembers(ui::ComboBox& combo, bool isDefault = false, bool oneEntryPerName = false);

// The member that the stored default member stands for: the lowest userid of that name; 0 for
// none.
qint32 DefaultMember();

// The userid of the member chosen in a member list; 0 for none.
qint32 MemberId(const ui::ComboBox& combo);
// The name of the member chosen in a member list as the register holds it (the stored
// default); the entry's text when it stands for no member. Titles and exports name the member
// by the entry's text, as the list shows it, so that namesakes stay apart on paper too.
QString MemberName(const ui::ComboBox& combo);

// Prepares an open dialog for choosing a data file (*.vs_ in the program folder) and shows
// it; the chosen file is in FileName, "" after a cancel.
void ShowDataFileDialog(ui::CommonDialog& cdlg);

// The program's entry.
void Main();

// How the one connection opens the data file: its pages are checked in the background while
// the program goes on, a write waits for the verdict with the hourglass, and a damaged file is
// told as at the opening (the person may pick another file, and the program starts again on
// it, or it ends). A sound file gains the indexes it lacks.
db::OpenOptions DataFileOptions();
// Waits for the verdict on the data file and does what it asks, as a write would: for whoever
// must know the file checked before going on (the tests). Nothing to wait for once it is in.
void AwaitDataCheck();

// Ends the program with "Kelvora is already running" when another copy of it works on
// dataFile, however that copy was started; takes the file's lock for this copy otherwise.
void KeepOtherCopiesOff(const QString& dataFile);

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
