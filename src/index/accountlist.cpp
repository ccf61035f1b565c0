#include "accountlist.h"

#include "store/datafiles.h"
#include "store/fields.h"
#include "store/recordscan.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

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
    // Keys as raw stored bytes, so that a transaction is matched without
    // decoding anything: the first entry with a key owns it.
    std::vector<QByteArray> keys;
    keys.reserve(entries.size());
    std::unordered_map<std::string_view, size_t> owner;
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].balance = 0;
        entries[i].balanceOverflow = false;
        keys.push_back(AccountKeyBytes(entries[i].key));
    }
    for (size_t i = 0; i < entries.size(); ++i)
        owner.try_emplace(std::string_view(keys[i].constData(), size_t(keys[i].size())), i);
    if (owner.empty())
        return;

    ScanRecords(QString::fromLatin1(TransactionFileName), TransactionRecord::Length,
                [&](const char* bytes, qint32) {
                    const auto found = owner.find(std::string_view(bytes, AccountKeyLength));
                    if (found == owner.end())
                        return;
                    AccountListEntry& entry = entries[found->second];
                    const qint64 amount = TransactionView(bytes).amount();
                    if (__builtin_add_overflow(entry.balance, amount, &entry.balance))
                        entry.balanceOverflow = true;
                });
}

}
