#pragma once
// Making the register's list: gathering the open account's transactions
// from Account.dat, ordering them by day and type, adding up the running
// balance and the totals, and choosing the row to highlight. The results go
// to registerState(); the register window shows them through its table
// model and lends the assembly a few hooks for its status text.
//
// The phases show "Assembling...", "Loading..." and "Sorting..." through the
// window's hook, each followed by a pause of pace(), so that the text can be
// read. Data-file failures come out as FileError, with the state as it was.
#include "registerrows.h"
#include "store/records.h"

#include <QByteArrayView>
#include <QStringList>
#include <functional>
#include <optional>

namespace tallyo {

struct AssemblyHooks {
    // Shows the status text of a phase; the empty text hides it.
    std::function<void(const QString&)> showStatus;
    // Called right before and right after registerState().Rows is replaced,
    // with nothing in between that could let a view read the rows.
    std::function<void()> rowsAboutToChange;
    std::function<void()> rowsChanged;
    // The save markers left by the entry window (the tag texts of the add
    // and modify buttons): the transaction whose date and time, formatted
    // "yyyymmddhhnnss", equals one of them is highlighted.
    QStringList saveMarkers;
};

// The list as shown: the highlighted row and its transaction.
struct ShownList {
    qint32 row = 0;                 // from 1; 0 for an empty list
    TransactionRecord highlighted;  // read afresh from Account.dat
};

// Gathers every transaction of currentAccount().CurrentAccountKey into the
// normal view and shows it. Nothing, with an empty list, when the account
// has no transactions yet (the window then asks for a beginning balance).
std::optional<ShownList> LoadRegister(const AssemblyHooks& hooks);

// Assembles the prepared list (DisplayedList, DisplayedCount, RegisterView)
// and reads the highlighted transaction.
ShownList ShowList(const AssemblyHooks& hooks);

// Assembles the prepared list: orders it, rebuilds the rows, sets totals and
// balances, and gives back the row to highlight (from 1; 0 when empty).
// Listed record numbers that are no longer in the file are dropped.
qint32 AssembleList(const AssemblyHooks& hooks);

// Turns the normal list into the reconcile list: its uncleared transactions,
// in order. `currentRow` is the grid's current row, to return to when the
// reconcile view is left; called again in the reconcile view (after a void),
// it keeps the normal view's row it already has. When every transaction is
// cleared, says "Nothing to reconcile" and gives back nothing, the list left
// as it was.
std::optional<ShownList> ReconcileList(qint32 currentRow, const AssemblyHooks& hooks);

// Every transaction carrying the key (14 bytes), in record order, read in
// one pass over Account.dat without creating or changing it.
RegisterRows GatherAccountRows(QByteArrayView keyBytes);

}
