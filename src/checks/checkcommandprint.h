#pragma once
// `tallyo print check`: one transaction's check printed with its account's
// stored layout, on the default printer or into a PDF file, without a
// display.
#include "shell/commandline.h"

#include <QTextStream>

namespace tallyo {

// Returns the exit status: 0 printed, 1 when the folder, the account or the
// record cannot be used, the account has no layout, or printing failed.
int RunPrintCheck(const CommandLine& command, QTextStream& out, QTextStream& err);

}
