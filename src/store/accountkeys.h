#pragma once
// Finding which account a raw record belongs to, for passes that sort many
// records by account: a key is looked up in constant time, not compared
// with every account's key in turn.
#include <QByteArrayView>
#include <QList>
#include <QStringList>
#include <array>
#include <vector>

namespace tallyo {

class AccountKeyTable {
public:
    // Keys in the caller's order; a key listed twice is found at its first place.
    explicit AccountKeyTable(const QStringList& keys);

    // The place in the list of the key stored in the first 14 bytes of
    // `record`, or -1 when the key is not in the list.
    int indexOf(const char* record) const;
    int size() const { return size_; }

private:
    struct Slot {
        std::array<char, 16> key{};  // 14 key bytes, 2 zero bytes
        int index = -1;
    };
    static quint64 hash(const char* key);

    std::vector<Slot> slots_;
    quint64 mask_ = 0;
    int size_ = 0;
};

// The sum of an account's transaction amounts. A sum past the 64-bit limits
// is held at the limit and flagged, never wrapped.
struct AccountBalance {
    qint64 sum = 0;
    bool overflow = false;
    bool operator==(const AccountBalance&) const = default;
};

// The balance of each account in the order of `keys`, in one pass over
// Account.dat.
QList<AccountBalance> AccountBalances(const QStringList& keys);

}
