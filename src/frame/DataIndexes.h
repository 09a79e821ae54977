#pragma once

#include <QStringList>

namespace db {
class Connection;
}

// The indexes that keep the windows' reads to the rows they show, however large the diary and
// the register grow. The delivered template has them from its build (data/schema.sql); a data
// file made by an earlier version of the program gains them when it is first opened.
namespace frame {

// The CREATE INDEX statement of each index, as data/schema.sql has it.
const QStringList& ReadIndexes();

// Adds the indexes the file lacks, all in one transaction; returns how many it added. A file
// that has them all is not written to.
int AddMissingIndexes(db::Connection& cn);

}  // namespace frame
