#pragma once

#include <QString>

// Before each person had a data file of their own, people worked in the data file beside the
// program. A build that puts a new template there keeps such a file beside it under a name of
// its own, and the start that makes a person's file takes what they entered from there. Qt Core
// and the C library only: the build's data tool uses this as well as the program.
namespace frame {

// One row with one number, not 0 when the data file holds what a person entered: a member, a
// diary entry, a food of their own. It only reads.
inline constexpr const char* kHoldsEntriesQuery =
    "SELECT EXISTS (SELECT 1 FROM usr) OR EXISTS (SELECT 1 FROM dayin) "
    "OR EXISTS (SELECT 1 FROM food WHERE PrimeOrNot = 'U')";

// The name under which file is kept beside itself: "<file>.earlier", then "<file>.earlier.2",
// ".3" and on, after every number already used, so that the highest number is the newest.
QString NextEarlierName(const QString& file);

// The newest file kept beside file, when it has not been carried over yet; empty when there is
// none. Older kept files are left alone: what was entered in them came along into the newer.
QString NewestEarlierFile(const QString& file);

// The name a kept file takes once it has been carried over, so that it is not carried again.
QString CarriedName(const QString& earlier);

// Renames from to to, never over a file that is there, not even one that comes between a look
// and the rename. False when it cannot, with the reason in reason when that is given.
bool MoveWithoutReplacing(const QString& from, const QString& to, QString* reason = nullptr);

// Moves a data file as MoveWithoutReplacing does, with the journal of its last write beside it
// when there is one: a file that took its old name would take that journal for its own and
// play it back. False when a part cannot be moved, with that part's name and the reason.
bool MoveDataFile(const QString& from, const QString& to, QString* reason);

}  // namespace frame
