#pragma once
// The register's reports as the user meets them: the printed list after
// the "Print Option" question, the text summary in the message dialog with
// its print and mail buttons, and the graph window. Installed into the
// register's hooks when the program starts.
#include "register/registeractions.h"

namespace tallyo {

class frmAccount;

// Fills the register's report hooks with the functions below.
void InstallReportActions();

// Prints the displayed rows from the starting to the ending date's day on
// a fresh page surface. A printer that fails throws FileError, which the
// register shows; the window is usable again either way.
void PrintDisplayedList(frmAccount& window, double startDate, double endDate);

// Shows the summary of the displayed list, and prints or mails it when
// asked.
void ShowTextSummary(frmAccount& window, const ListSummary& summary);

// The graph window of a kind (1, 2, 3 or 5) over the register.
void ShowGraph(frmAccount& window, int kind);

}
