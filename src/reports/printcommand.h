#pragma once
// `tallyo print list`: an account's printed list from the command line, the
// same pages the register prints, on the default printer or into a PDF file;
// with a search, the pages its register prints in the search view.
#include "shell/commandline.h"

#include <QTextStream>

namespace tallyo {

// Runs the command without showing a window. Returns the exit status: 0
// printed, 1 when the folder or account cannot be used, there is nothing
// to print (no transaction, or none the search finds) or the printer or
// file fails.
int RunPrintCommand(const CommandLine& command, int argc, char** argv, QTextStream& out, QTextStream& err);

}
