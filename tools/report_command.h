// The statistics menu: a usage report of the loaded scenario written to result.txt and shown.
#pragma once

#include <QString>

#include "data/usage_report.h"

namespace garam {

class MainWindowLink;

// Writes the report of the kind and opens it in the viewer; a report that cannot be written is
// reported and not shown.
void WriteUsageReport(MainWindowLink& w, UsageReportKind kind);

// Where the report goes: beside the program, or into the user's data directory for the editor when
// the program's directory cannot be written.
QString UsageReportPath();
// Removes result.txt from both places; the program's exit calls it.
void RemoveUsageReport();

}  // namespace garam
