#pragma once
// One account's register as CSV or QIF, for `tallyo export register`: the
// normal view's rows in order with their running balance. Reads the working
// folder without creating or changing any file.
#include "registerrows.h"
#include "search.h"

#include <QString>
#include <QTextStream>
#include <functional>
#include <optional>

namespace tallyo {

// The key of the account given by name or key: its trimmed name exactly,
// else its name ignoring letter case, else a 14-digit key. Nothing, with a
// one-line reason in `problem`, when no account or more than one fits.
std::optional<QString> FindAccountKey(const QString& nameOrKey, QString& problem);

// Writes the header "Date,Cleared,Type,Payee,Debit,Credit,Balance,Comment,Record"
// and one record per transaction. Returns the exit status: 0 done, 1 when
// the account is unknown or ambiguous (nothing written) or a running
// balance grew too large to add up (its fields left empty). Throws FileError
// when a file cannot be read.
//
// With a search, only the transactions it finds in the normal view are
// written, in register order, each line as the whole register shows it
// (running balance included); no match writes the header alone.
int WriteRegisterCsv(const QString& nameOrKey, QTextStream& out, QTextStream& err,
                     const std::optional<SearchRequest>& search = std::nullopt);

// The same transactions as QIF (qifwriter.h), without balances: 0 done, 1
// when the account is unknown or ambiguous. Throws FileError as above.
int WriteRegisterQif(const QString& nameOrKey, QTextStream& out, QTextStream& err,
                     const std::optional<SearchRequest>& search = std::nullopt);

// The CSV header and the rows that `keep` accepts (all when empty), each as
// the register export writes it. Balances are written in the normal view
// only, and there only before row `balanceHeldFrom` (-1: every row). Throws
// FileError when the output cannot be written.
void WriteRowsCsv(QTextStream& out, const RegisterRows& rows, qint32 balanceHeldFrom,
                  const std::function<bool(qint32)>& keep = {});

}
