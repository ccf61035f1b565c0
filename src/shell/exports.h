#pragma once
// The export commands: data read from a data folder and printed as CSV (a
// register also as QIF), without a display and without creating or
// changing any file.
#include "commandline.h"

#include <QTextStream>
#include <functional>

namespace tallyo {

// Makes the data folder the working folder; false, with a one-line reason
// in `err`, when it is missing or cannot be read.
bool EnterDataFolder(const QString& dataDir, QTextStream& err);

// Runs an export; its text goes to `out`, a one-line reason to `err`.
// Returns the exit status: 0 done, 1 folder or data unreadable.
int RunExport(const CommandLine& command, QTextStream& out, QTextStream& err);

// Runs `body` with the command's data folder as the working folder: a
// missing or unreadable folder, or a FileError from the body, is reported
// on `err` with status 1. Gives back the body's status otherwise.
int RunInDataFolder(const CommandLine& command, QTextStream& out, QTextStream& err, const std::function<int()>& body);

// The account index as CSV: Name,Key,Balance,Protected. Reads the working
// folder. Returns false when a balance was too large to add up; its field is
// left empty.
bool WriteAccountsCsv(QTextStream& out, QTextStream& err);

}
