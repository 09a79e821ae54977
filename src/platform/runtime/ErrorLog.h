#pragma once

#include <QString>

namespace rt {

// Appends one record to folder + "/report.Log": four lines, each ended by CR LF, naming the
// time, the error number, its description and its source. The file is closed again before
// returning. Never throws. When the log cannot be written (no folder, a file that cannot be
// opened, a full disk) the record goes to standard error instead and the result is false.
bool AppendErrorRecord(const QString& folder, long number, const QString& description,
                       const QString& source);

}  // namespace rt
