#include "accountkeys.h"

#include "datafiles.h"
#include "recordscan.h"

#include <QtNumeric>
#include <cstring>
#include <limits>

namespace tallyo {

AccountKeyTable::AccountKeyTable(const QStringList& keys) : size_(int(keys.size()))
{
    // At most half full, so probes stay short.
    size_t capacity = 8;
    while (capacity < size_t(keys.size()) * 2)
        capacity *= 2;
    slots_.resize(capacity);
    mask_ = capacity - 1;

    for (int i = 0; i < keys.size(); ++i) {
        const QByteArray bytes = AccountKeyBytes(keys[i]);
        for (quint64 at = hash(bytes.constData()) & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.index < 0) {
                std::memcpy(slot.key.data(), bytes.constData(), AccountKeyLength);
                slot.index = i;
                break;
            }
            if (std::memcmp(slot.key.data(), bytes.constData(), AccountKeyLength) == 0)
                break;  // listed before: the first place stands
        }
    }
}

quint64 AccountKeyTable::hash(const char* key)
{
    // Two overlapping 8-byte words cover the 14 bytes.
    quint64 head, tail;
    std::memcpy(&head, key, 8);
    std::memcpy(&tail, key + AccountKeyLength - 8, 8);
    quint64 h = head * 0x9E3779B97F4A7C15ULL ^ tail;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    return h ^ (h >> 32);
}

int AccountKeyTable::indexOf(const char* record) const
{
    for (quint64 at = hash(record) & mask_;; at = (at + 1) & mask_) {
        const Slot& slot = slots_[at];
        if (slot.index < 0)
            return -1;
        if (std::memcmp(slot.key.data(), record, AccountKeyLength) == 0)
            return slot.index;
    }
}

QList<AccountBalance> AccountBalances(const QStringList& keys)
{
    const AccountKeyTable table(keys);
    QList<AccountBalance> balances(keys.size());
    ScanRecords(QString::fromLatin1(TransactionFileName), TransactionRecord::Length,
                [&](const char* record, qint32) {
                    const int account = table.indexOf(record);
                    // Damaged files may hold amounts near the 64-bit limits.
                    if (account < 0)
                        return;
                    AccountBalance& balance = balances[account];
                    const qint64 amount = TransactionView(record).amount();
                    if (qAddOverflow(balance.sum, amount, &balance.sum)) {
                        balance.sum = amount > 0 ? std::numeric_limits<qint64>::max()
                                                 : std::numeric_limits<qint64>::min();
                        balance.overflow = true;
                    }
                });
    return balances;
}

}
