#pragma once

#include <QString>

namespace rt {

// Appends one record to folder + "/report.Log": four lines, each ended by CR LF, naming the
// time, the error number, its description and its source. The file is closed again before
// returning. Best effort: never throws, and returns false when the record could not be written.
bool AppendErrorRecord(const QString& folder, long number, const QString& description,
                       const QString& source);

}  // namespace rt
