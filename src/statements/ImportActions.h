#pragma once
// Importing a bank statement from the register window: the file picker,
// the questions a file may need answered (the order of its dates, the
// columns of a CSV file), the import window, and the register shown afresh.
#include <QString>

namespace tallyo {

class frmAccount;

// Fills the register's hook with the import below.
void InstallStatementImport();

void ImportBankStatement(frmAccount& window);

// A statement file the desktop handed over when the program started: the
// first import's file picker starts at it.
void SetHandedStatement(const QString& path);

}
