#pragma once
// The register window's operations on its highlighted transaction, as the
// user meets them: add and modify through the entry window, clear and
// unclear, void and delete after a confirmation, the notes dialog, the
// calculator, and the payee and comment list editor. Installed into the
// register's hooks when the program starts.
#include <QStringList>

namespace tallyo {

class frmAccount;

// Fills the register's hooks with the operations below.
void InstallTransactionActions();

void AddTransaction(frmAccount& window);
void ModifyTransaction(frmAccount& window);
void ClearTransaction(frmAccount& window);
void VoidHighlightedTransaction(frmAccount& window);
void DeleteTransaction(frmAccount& window);
void SeeNotes(frmAccount& window);
void StartCalculator(frmAccount& window);

// The desktop calculators tried in turn; the first that starts is used.
QStringList CalculatorPrograms();

}
