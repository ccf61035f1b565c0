#include "accountlist.h"

#include "store/accountkeys.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "store/recordscan.h"

#include <algorithm>

namespace tallyo {

std::vector<AccountListEntry> ReadAccountList()
{
    std::vector<AccountListEntry> entries;
    ScanRecords(QString::fromLatin1(AccountIndexFileName), AccountRecord::Length,
                [&](const char* bytes, qint32 number) {
                    const AccountRecord account = AccountRecord::decode(bytes);
                    entries.push_back({TrimSpaces(account.AccountName), account.AccountKey, number,
                                       !TrimSpaces(account.AccessQuery).isEmpty(), 0, false});
                });
    SortAccountList(entries);
    AddAccountBalances(entries);
    return entries;
}

void SortAccountList(std::vector<AccountListEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const AccountListEntry& a, const AccountListEntry& b) {
                         return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
                     });
}

void AddAccountBalances(std::vector<AccountListEntry>& entries)
{
    QStringList keys;
    keys.reserve(qsizetype(entries.size()));
    for (const AccountListEntry& entry : entries)
        keys.append(entry.key);
    const QList<AccountBalance> balances = AccountBalances(keys);
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].balance = balances[qsizetype(i)].sum;
        entries[i].balanceOverflow = balances[qsizetype(i)].overflow;
    }
}

}
