#pragma once
// The account the user is working on, shared by the account index window and
// the register: published when the index highlights or opens an account,
// read by the register and the list editor. `SelectedRow` survives the index
// window so that returning to it highlights the same row.
#include <QString>

namespace tallyo {

struct CurrentAccount {
    QString CurrentAccountKey;
    qint32 CurrentAccountRecord = 0;  // record number in Account.dex
    qint32 SelectedRow = 1;           // list row (from 1) to highlight at the next rebuild
    QString SelectedAccessQuery;      // trimmed; empty when not protected
};

// The one instance.
CurrentAccount& currentAccount();
// Back to the state of a program that has just started; for tests.
void ResetCurrentAccount();

}
