#pragma once
// Transactions for the register tests, laid out byte by byte, and a way to
// write them as the working folder's Account.dat.
#include "../store/handmade.h"
#include "testenv.h"

#include <QList>
#include <cmath>

namespace registerdata {

inline constexpr char AccountKey[] = "20240101120000";
inline constexpr char OtherKey[] = "20240101120001";

// Money in ten-thousandths from units: 12.34 -> 123400.
inline qint64 money(double units)
{
    return std::llround(units * 10000);
}

inline handmade::Transaction transaction(double date, const QByteArray& type, double amount,
                                         bool cleared = false, const QByteArray& payee = "Payee",
                                         const QByteArray& key = AccountKey)
{
    handmade::Transaction t;
    t.key = key;
    t.date = date;
    t.type = type;
    t.amount = money(amount);
    t.cleared = cleared ? -1 : 0;
    t.payee = payee;
    return t;
}

inline handmade::Transaction beginningBalance(double amount)
{
    handmade::Transaction t = transaction(1.0, "Start", amount, true, "Beginning Balance");
    t.notes = "This is the beginning balance for this account. ";
    return t;
}

inline bool writeTransactions(const QList<handmade::Transaction>& transactions)
{
    QByteArray file;
    for (const handmade::Transaction& t : transactions)
        file += handmade::transaction(t);
    return tallyo::test::writeWholeFile(QStringLiteral("Account.dat"), file);
}

}
