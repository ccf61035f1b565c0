#pragma once
// The export commands: data read from a data folder and printed as CSV,
// without a display and without creating or changing any file.
#include "commandline.h"

#include <QTextStream>

namespace tallyo {

// Makes the data folder the working folder; false, with a one-line reason
// in `err`, when it is missing or cannot be read.
bool EnterDataFolder(const QString& dataDir, QTextStream& err);

// Runs an export; CSV goes to `out`, a one-line reason to `err`.
// Returns the exit status: 0 done, 1 folder or data unreadable.
int RunExport(const CommandLine& command, QTextStream& out, QTextStream& err);

// The account index as CSV: Name,Key,Balance,Protected. Reads the working
// folder. Returns false when a balance was too large to add up; its field is
// left empty.
bool WriteAccountsCsv(QTextStream& out, QTextStream& err);

}
