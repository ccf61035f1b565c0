#pragma once
// What the register's operations on one transaction do to the data files
// and to the register's list: clearing and unclearing, voiding, deleting,
// and the bookkeeping around adding and modifying through the entry window.
// The window asks its questions and shows the results; data-file failures
// come out as FileError with Account.dat as it was.
#include "store/records.h"
#include "store/rewrite.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace tallyo {

// The record number in Account.dat of a listed row (from 1); 0 for a row
// outside the list.
qint32 RecordOfRow(qint32 row);

// Remembers the row to highlight after the next assembly: NormalRow in the
// normal view, ListRow in the others.
void RememberRow(qint32 row);

// Turns the cleared mark of a listed row over, writing that one record in
// place. The row shows the new mark at once; in the reconcile view the
// adjusted balance moves by the amount (up when cleared, down when not),
// with no new assembly. Gives back the new mark.
bool ToggleCleared(qint32 row);

// The note a voided transaction keeps: when it was voided, what it was
// (date, cleared, type, payee or creditor, amount, comment) and its former
// notes, lines joined by CR LF.
QString VoidNote(const TransactionRecord& before, const QDateTime& now, QStringView dateFormat);

// Voids transaction `number`: cleared, type "VOID        ", amount 0, and
// the void note (cut to the notes field) in place of its notes. The date,
// payee and comment stay. Written in place.
void VoidTransaction(qint32 number);

// What the register does after an operation that changed the file.
enum class NextAssembly {
    LoadRegister,          // the normal view of the whole account
    LoadThenReconcile,     // the normal list, then back to the reconcile view
    ShowList,              // the same DisplayedList, assembled again
    ReconcileAgain,        // the reconcile list made afresh from the current one
    SearchAgain,           // the search menu pops up again
};

// Removes a listed row's transaction from Account.dat. In the reconcile and
// search views the other listed transactions stay listed, in their order,
// with their record numbers brought in line with the removal; the row above
// is remembered for highlighting. The last listed transaction gone, the
// register returns to the normal view.
NextAssembly DeleteListedTransaction(qint32 row, const BusyCallback& setBusy = {});

// Whether an add patterned on a row keeps its pattern: not on the beginning
// balance (row 1) nor on a void transaction.
bool CanPatternOn(qint32 row, const QString& typeCellText);

// After a saved add or modify (the row was the grid's current row): the row
// is remembered and the next assembly chosen. An add made in the reconcile
// view returns there; one made in the search view ends in the normal view.
// A modify keeps the reconcile and search lists as they are.
NextAssembly AfterSavedAdd(qint32 currentRow);
NextAssembly AfterSavedModify(qint32 currentRow);
// After a void: normal view reloads, the reconcile view is made afresh
// (the voided transaction is cleared now), the search menu comes back.
NextAssembly AfterVoid(qint32 currentRow);

}
