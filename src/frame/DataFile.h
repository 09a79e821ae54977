#pragma once

#include <QString>

// Where the data file lives. The build delivers a template beside the program, read-only; the
// file a person works in is their own copy of it in their data folder (rt::App::dataFolder),
// made at the first start and never written by a build, an update or a test. A file chosen in
// the options window or the start-up picker is used where it is.
namespace frame {

// The delivered data file and its database password. The password guards the file against
// casual opening with other programs; one password serves start-up and every file check.
inline constexpr const char* kDataFileName = "vdsys.vs_";
inline constexpr const char* kDatabasePassword = "qx4tm2951PeLoRu";

// The template beside the program.
QString DeliveredDataFile();
// The person's own file in their data folder.
QString UserDataFile();
// True when path names the template, however it is written.
bool IsDeliveredDataFile(const QString& path);
// True when path names the person's own file, however it is written, also before it is made.
bool IsUserDataFile(const QString& path);

// The file start-up opens for a data path. No path, the template (however written) and the
// person's own file all stand for the person's own file; when that is not there yet, it is
// made from the newest earlier file kept beside the program that holds what a person entered
// (members, diary entries, their own foods), else from the template, and the person is told
// when it holds their entries. A kept file carried over is renamed so that it is carried only
// once, and never deleted. Any other path is the file itself. An existing file is never
// replaced; a copy that fails raises 75 with the reason.
QString WorkingDataFile(const QString& dataPath);

// Makes a fresh copy of the template at to, the person's alone (mode 0600). It is written
// under a name of its own beside to and takes to's name only when whole, never over a file
// that is there; when it cannot, nothing is left behind and 75 is raised with the reason.
void CopyTemplateTo(const QString& to);

// Moves a damaged data file out of the way, kept under a name that says so beside it
// ("vdsys.vs_.damaged", numbered when that is taken), with the journal of its last write if it
// has one; returns that name. Nothing is deleted or replaced; a move that fails raises 75 with
// the reason.
QString SetAsideDamaged(const QString& file);

}  // namespace frame
