#pragma once
// Statement lines against the register: each line is already there (a
// transaction of the account whose notes hold its bank id), matching a
// transaction the user typed in (same amount, and for a check the same
// number, else a date within three days either way; the nearest date wins
// and each transaction matches one line at most), or new.
#include "statement.h"

#include "store/records.h"

#include <QStringList>
#include <vector>

namespace tallyo {

// A transaction of the account, as matching needs it.
struct RegisterEntry {
    qint32 record = 0;      // its record number in Account.dat
    double date = 0;
    qint64 amount = 0;
    QString type;           // trimmed
    QString payee;          // trimmed
    bool cleared = false;
    QStringList bankIds;    // the bank ids its notes hold
};

// The account's transactions, read from Account.dat in the working folder;
// with `onlyFor`, only those that can take part in matching that
// statement: of an amount one of its lines has, or keeping a bank id.
// Throws FileError when the file cannot be read.
std::vector<RegisterEntry> ReadRegisterEntries(const QString& accountKey, const Statement* onlyFor = nullptr);

// What becomes of one statement line.
struct LineMatch {
    enum class Outcome { New, Matching, AlreadyThere };
    Outcome outcome = Outcome::New;
    // Matching and AlreadyThere: the register transaction, its record
    // number, date and payee, and whether it was cleared already.
    qint32 record = 0;
    double date = 0;
    QString payee;
    bool cleared = false;
};

// One result per line, in the statement's order. Takes time in proportion
// to the lines and transactions (and their log), never their product.
std::vector<LineMatch> MatchStatement(const Statement& statement, const std::vector<RegisterEntry>& entries);

// The sum of the cleared transactions' amounts; nothing when it does not
// fit in money's range.
std::optional<qint64> ClearedBalance(const std::vector<RegisterEntry>& entries);

// The register's type code or check number for a line: the check number,
// else the bank's word mapped (DEP Deposit, DIRECTDEP AutoDeposit, ATM ATM
// Cash, FEE and SRVCHG Service Fee, DIRECTDEBIT and REPEATPMT AutoPayment,
// INT, DIV and CREDIT Other Credit, DEBIT, PAYMENT and POS Other Debit),
// else by the amount's sign; a type whose sign disagrees with the amount
// gives way to Other Credit or Other Debit. At full width (12 characters).
QString TypeForLine(const StatementLine& line);
// NAME, else the payee's name, else the memo; cut to the payee field.
QString PayeeForLine(const StatementLine& line);
// The memo when it is not the payee, cut to the comment field.
QString CommentForLine(const StatementLine& line);

// The line of notes that keeps a bank id: "Bank id: ID".
QString BankIdNote(const QString& bankId);
// Every bank id the notes hold.
QStringList BankIdsInNotes(QStringView notes);

// The transaction a new line becomes: cleared, its bank id in the notes.
TransactionRecord TransactionForLine(const StatementLine& line, const QString& accountKey);

// What a line does, as the import window and command list it: "added",
// "clears the transaction of DATE PAYEE", "already in the register"; the
// date in `dateFormat` (empty: the fallback format).
QString OutcomeText(const LineMatch& match, QStringView dateFormat = {});

}
