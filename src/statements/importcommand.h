#pragma once
// `tallyo import FILE --account NAME|KEY ...`: a bank statement read,
// matched against the account's register and imported in one step, one
// line printed per statement line and the counts last.
#include "shell/commandline.h"

#include <QTextStream>

namespace tallyo {

// Returns the exit status: 0 done, 1 a statement that cannot be read whole,
// an unknown account, another running copy or a failed write (nothing
// written), 2 an order, statement or mapping the arguments must give.
int RunImportCommand(const CommandLine& command, QTextStream& out, QTextStream& err);

}
