#pragma once
// Records laid out byte by byte at offsets written out here, independently
// of the encoder under test, so that the tests compare files against the
// layout itself. Texts are given as their single-byte form.
#include <QByteArray>
#include <QtGlobal>
#include <bit>
#include <cstring>

namespace handmade {

inline void putText(QByteArray& record, int at, int width, const QByteArray& text)
{
    Q_ASSERT(text.size() <= width);
    std::memcpy(record.data() + at, text.constData(), size_t(text.size()));
    std::memset(record.data() + at + text.size(), ' ', size_t(width - text.size()));
}

// Little-endian, least significant byte first, by shifting.
inline void putInteger(QByteArray& record, int at, int bytes, quint64 value)
{
    for (int i = 0; i < bytes; ++i)
        record[at + i] = char((value >> (8 * i)) & 0xFF);
}

inline void putDate(QByteArray& record, int at, double days)
{
    putInteger(record, at, 8, std::bit_cast<quint64>(days));
}

struct Transaction {
    QByteArray key = "20240101120000";
    double date = 45000.0;
    QByteArray type = "Deposit";
    qint16 cleared = 0;
    QByteArray payee = "Payee";
    qint64 amount = 0;
    QByteArray comment = "";
    QByteArray notes = "";
};

// Account.dat: key 0..13, date 14..21, type 22..33, cleared 34..35,
// payee 36..85, amount 86..93, comment 94..143, notes 144..999.
inline QByteArray transaction(const Transaction& t)
{
    QByteArray r(1000, '\0');
    putText(r, 0, 14, t.key);
    putDate(r, 14, t.date);
    putText(r, 22, 12, t.type);
    putInteger(r, 34, 2, quint16(t.cleared));
    putText(r, 36, 50, t.payee);
    putInteger(r, 86, 8, quint64(t.amount));
    putText(r, 94, 50, t.comment);
    putText(r, 144, 856, t.notes);
    return r;
}

struct Account {
    QByteArray key = "20240101120000";
    QByteArray name = "";
    QByteArray query = "";
    QByteArray answer = "";
    QByteArray notes = "";
    QByteArray checkLayout = QByteArray(12, '\0');
};

// Account.dex: key 0..13, name 14..53, query 54..93, answer 94..108,
// notes 109..2987, check layout 2988..2999.
inline QByteArray account(const Account& a)
{
    QByteArray r(3000, '\0');
    putText(r, 0, 14, a.key);
    putText(r, 14, 40, a.name);
    putText(r, 54, 40, a.query);
    putText(r, 94, 15, a.answer);
    putText(r, 109, 2879, a.notes);
    std::memcpy(r.data() + 2988, a.checkLayout.constData(), 12);
    return r;
}

// Account.ndx: as Account.dex with notes 109..987 and the layout 988..999.
inline QByteArray legacyAccount(const Account& a)
{
    QByteArray r(1000, '\0');
    putText(r, 0, 14, a.key);
    putText(r, 14, 40, a.name);
    putText(r, 54, 40, a.query);
    putText(r, 94, 15, a.answer);
    putText(r, 109, 879, a.notes);
    std::memcpy(r.data() + 988, a.checkLayout.constData(), 12);
    return r;
}

// PayCom.lst: key 0..13, payees 14..1006, comments 1007..1999.
inline QByteArray lists(const QByteArray& key, const QByteArray& payees, const QByteArray& comments)
{
    QByteArray r(2000, '\0');
    putText(r, 0, 14, key);
    putText(r, 14, 993, payees);
    putText(r, 1007, 993, comments);
    return r;
}

// Distinct transactions for files of many records: record i carries i in
// its amount and payee.
inline QByteArray numberedTransaction(int i, double date = 45000.0)
{
    Transaction t;
    t.date = date;
    t.amount = i;
    t.payee = "Payee " + QByteArray::number(i);
    return transaction(t);
}

inline QByteArray numberedTransactions(int from, int to)
{
    QByteArray all;
    for (int i = from; i <= to; ++i)
        all += numberedTransaction(i);
    return all;
}

}
