#pragma once
// The export commands: data read from a data folder and printed as CSV,
// without a display and without creating or changing any file.
#include "commandline.h"

#include <QTextStream>

namespace tallyo {

// Runs an export; CSV goes to `out`, a one-line reason to `err`.
// Returns the exit status: 0 done, 1 folder or data unreadable.
int RunExport(const CommandLine& command, QTextStream& out, QTextStream& err);

// The account index as CSV: Name,Key,Balance,Protected. Reads the working
// folder. Returns false when a balance was too large to add up; its field is
// left empty.
bool WriteAccountsCsv(QTextStream& out, QTextStream& err);

}
