#pragma once
// The text summary of the register's displayed list: the date, the title
// line, the number of rows, the balance, the credit and debit totals with
// their averages over all rows, and a count and sum per kind of
// transaction. Lines end with CR LF, as the summary is shown, printed and
// mailed.
#include "register/registeractions.h"
#include "register/registerrows.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace tallyo {

// Counts and sums (ten-thousandths) per kind of transaction.
struct SummaryCounts {
    qint32 checks = 0, deposits = 0, autoPayments = 0, autoDeposits = 0, atmCash = 0, serviceFees = 0,
           otherCredits = 0, otherDebits = 0, voids = 0;
    qint64 checksSum = 0, depositsSum = 0, autoPaymentsSum = 0, autoDepositsSum = 0, atmCashSum = 0,
           serviceFeesSum = 0, otherCreditsSum = 0, otherDebitsSum = 0;
    // Deposits, automatic deposits and other credits; automatic payments,
    // ATM cash, service fees and other debits. Checks and voids are in
    // neither.
    qint32 creditTransactions = 0;
    qint32 debitTransactions = 0;
};

// Counts the rows as the grid shows them: the beginning balance is left
// out, a row's value is its debit or credit as shown (to the cent), a type
// that reads as a number above 0 is a check.
SummaryCounts CountSummaryRows(const RegisterRows& rows);

// The whole text for the rows and the register's captions (title, view,
// totals, balance), dated `now` in the user's date format. Averages divide
// by the number of rows; with no rows they are 0.00.
QString SummaryText(const RegisterRows& rows, const ListSummary& captions, const QDateTime& now,
                    QStringView dateFormat);

// The subject of a mailed summary.
inline const QString SummaryMailSubject = QStringLiteral("Tallyo summary report");

// The mail request for a summary, without "mailto:": "?subject=...&body=..."
// with the text from its first "Summary" on, subject and body
// percent-encoded so that any account name arrives whole.
QString SummaryMailRequest(const QString& text);

}
