#pragma once
// Builds a data folder of made-up accounts and transactions for tests and
// benchmarks. The same arguments always give the same files.
#include <QList>
#include <QString>

namespace tallyo {

struct GeneratedAccount {
    QString key;
    QString name;
    qint32 transactions = 0;  // its records in Account.dat, beginning balance included
    qint64 balance = 0;       // the sum of their amounts
};

struct GeneratedData {
    QList<GeneratedAccount> accounts;  // in the order of Account.dex
    qint32 transactions = 0;
};

// Writes Account.dex with `accounts` accounts, Account.dat with
// `transactions` transactions spread over them (each account's beginning
// balance first, then the rest in order of entry, interleaved) and
// PayCom.lst with one list record per account into `folder`, replacing any
// such files. `firstAccountPercent` above 0 gives that share of the
// transactions after the beginning balances to the first account, evenly
// spread, and the rest to the others. Throws FileError when a file cannot be
// written.
GeneratedData GenerateDataFolder(const QString& folder, int accounts, int transactions, quint32 seed = 1,
                                 int firstAccountPercent = 0);

}
