#pragma once
// Displayed lists for the report tests: transactions laid out byte by byte,
// assembled into register rows for a view as the register assembles them.
#include "../register/registerdata.h"

#include "register/registerrows.h"
#include "util/dates.h"

#include <QDate>

namespace reportrows {

using handmade::Transaction;
using registerdata::beginningBalance;
using registerdata::transaction;

// Noon of a day: the time of day entries carry.
inline double on(int year, int month, int day)
{
    return tallyo::StoredFromDate(QDate(year, month, day)) + 0.5;
}

inline Transaction withComment(Transaction t, const QByteArray& comment)
{
    t.comment = comment;
    return t;
}

// The rows in the register's order with running balances.
inline tallyo::RegisterRows rowsOf(const QList<Transaction>& transactions, int view = tallyo::NormalView)
{
    tallyo::RegisterRows rows;
    qint32 number = 0;
    for (const Transaction& t : transactions)
        rows.append(handmade::transaction(t).constData(), ++number);
    rows.setView(view);
    rows.order();
    rows.addUp();
    return rows;
}

// A beginning balance of 1,000.00 and `count` alternating checks and
// deposits, two a day from 2026-01-05 on; every third is cleared and every
// fourth has a comment.
inline QList<Transaction> longList(int count)
{
    QList<Transaction> list{beginningBalance(1000)};
    for (int i = 1; i <= count; ++i) {
        const double date = on(2026, 1, 5) + (i - 1) / 2;
        Transaction t = i % 2 ? transaction(date, QByteArray::number(1000 + i), -12.5 * i, i % 3 == 0, "Grocer")
                              : transaction(date, "Deposit", 40.0 * i, i % 3 == 0, "Employer");
        if (i % 4 == 0)
            t.comment = "Comment " + QByteArray::number(i);
        list.append(t);
    }
    return list;
}

}
