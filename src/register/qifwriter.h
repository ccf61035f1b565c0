#pragma once
// Register rows as a QIF bank account, the plain-text form that other
// finance programs import: a "!Type:Bank" line, then one record per
// transaction, each field a line of its own that starts with its letter and
// the record closed by "^". Written as UTF-8 with CR LF line ends.
//
//     !Type:Bank
//     D03/14/2024          the day, month/day/four-digit year
//     T-45.00              the amount, debits negative, no grouping
//     C*                   cleared; no C line while uncleared
//     N1042                check number, or DEP, ATM, EFT, FEE
//     PCity Water          payee
//     MMarch bill          memo: the comment
//     ^
//
// The beginning balance is written as such programs write an opening
// balance: payee "Opening Balance", category "[account name]", dated on the
// first transaction's day. A voided transaction keeps its payee behind
// "**VOID**" with amount 0.00.
#include "registerrows.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>

class QIODevice;
class QTextStream;

namespace tallyo {

// One transaction as QIF says it.
struct QifTransaction {
    QDate date;          // invalid: no D line (a damaged stored date)
    qint64 amount = 0;   // ten-thousandths, signed as stored
    bool cleared = false;
    QString number;      // N; empty: none
    QString payee;       // P; empty: none
    QString memo;        // M; empty: none
    QString category;    // L; empty: none

    bool operator==(const QifTransaction&) const = default;
};

// Row i of the rows in QIF terms. `openingDay` dates the beginning balance,
// whose stored date is a placeholder; `accountName` is its category.
QifTransaction QifTransactionOf(const RegisterRows& rows, qint32 i, const QString& accountName, QDate openingDay);

// The day the beginning balance is given in QIF: that of the first row that
// is not the beginning balance, else the beginning balance's own.
QDate QifOpeningDay(const RegisterRows& rows);

// One record's text, "D...\r\n...^\r\n". Line breaks and other control
// characters inside a text become spaces, as each field must stay one line.
QByteArray QifRecordText(const QifTransaction& transaction);

// The header line of a bank account.
inline constexpr char QifBankHeader[] = "!Type:Bank\r\n";

// Writes the header and the rows that `keep` accepts (all when empty), in
// their order, to the stream's device in blocks (a stream on a string gets
// the text). Throws FileError when the output cannot be written.
void WriteRowsQif(QTextStream& out, const RegisterRows& rows, const QString& accountName,
                  const std::function<bool(qint32)>& keep = {});

}
