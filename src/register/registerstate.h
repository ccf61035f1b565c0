#pragma once
// What the register shows, shared with the windows and reports that read
// it: the view, the listed record numbers with their assembled rows, the
// totals and balances, and the rows to highlight after the next assembly.
// Lives as long as the program; only one register is open at a time.
#include "registerrows.h"

#include <QString>
#include <vector>

namespace tallyo {

struct RegisterState {
    int RegisterView = NormalView;
    // Record numbers in Account.dat of the listed transactions in display
    // order: grid row r (from 1) shows DisplayedList[r - 1]. Only the first
    // DisplayedCount entries are in use; a filter may shorten the list by
    // lowering DisplayedCount alone.
    std::vector<qint32> DisplayedList;
    qint32 DisplayedCount = 0;
    // Money in ten-thousandths.
    qint64 CurrentBalance = 0;   // running balance at the last row of the last normal list
    qint64 TotalCredit = 0;      // positive amounts listed, voids left out
    qint64 TotalDebit = 0;       // amounts of zero or below listed, voids left out (never above 0)
    qint64 AdjustedBalance = 0;  // reconcile view: the account's cleared transactions only
    // Rows (from 1) to highlight after the next assembly; 0 = none. 32-bit,
    // so that accounts of more than 32,767 transactions highlight correctly.
    qint32 NormalRow = 0;        // normal view
    qint32 ListRow = 0;          // reconcile and search views
    QString SearchText;          // search view: what the title line quotes
    // The rows of the last assembly, in display order, for the grid and the
    // reports; their view is the one they were assembled for.
    RegisterRows Rows;
    // The row (from 1) the last assembly highlighted; 0 for an empty list.
    qint32 HighlightedRow = 0;
};

// The one instance.
RegisterState& registerState();
// Back to the state of a program that has not opened a register; for tests.
void ResetRegisterState();

}
