#pragma once
// `tallyo backup FOLDER` and `tallyo restore FOLDER`: the procedures of the
// options window without a display, for scheduled backups. The checks and the
// copying are the same; the questions are answered by the command: "Caution"
// (a folder of other files) only with --force, "Important!" (a restore over
// current data) only with --yes, "Ready to Backup..." by running it at all.
#include "commandline.h"

#include <QTextStream>

namespace tallyo {

// Runs a backup or restore. Notices go to `out`, refusals and errors to
// `err`. Returns 0 when every file was copied, 1 otherwise.
int RunBackupCommand(const CommandLine& command, QTextStream& out, QTextStream& err);

// Before a command that reads the data folder: a switch of files that a
// stopped backup or restore left there is finished first. False, with the
// reason in `err`, when it cannot be.
bool FinishUnfinishedSwitchBefore(const CommandLine& command, QTextStream& err);

}
