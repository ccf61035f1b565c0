#pragma once
// The account index as the account index window lists it: every account of
// Account.dex with its balance, sorted by name. The window, the export
// command and the benchmarks all build on this one function.
#include <QString>
#include <vector>

namespace tallyo {

struct AccountListEntry {
    QString name;              // trimmed AccountName
    QString key;               // AccountKey
    qint32 record = 0;         // record number in Account.dex
    bool isProtected = false;  // an access query is set
    qint64 balance = 0;        // sum of the account's amounts, ten-thousandths
    bool balanceOverflow = false; // the sum does not fit in 64 bits
};

// Reads Account.dex and Account.dat without creating or changing either:
// missing files read as empty. Entries are sorted by trimmed name, as text
// ignoring case; equal names keep file order. Throws FileError when a file
// cannot be read.
std::vector<AccountListEntry> ReadAccountList();

// Orders entries as the index lists them.
void SortAccountList(std::vector<AccountListEntry>& entries);

// Sets every entry's balance from one pass over Account.dat: the sum of the
// amounts of every transaction carrying the entry's key, whatever its date or
// cleared state. When two accounts share a key, the first entry gets the sum.
void AddAccountBalances(std::vector<AccountListEntry>& entries);

}
