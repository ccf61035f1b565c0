#pragma once
// What the import window lists for a statement: one row per statement line
// with its date, type, number, payee, amount and what importing does with
// it, and the balances shown beside the list. Plain texts, so that the
// window only shows them.
#include "matching.h"
#include "statementimport.h"

#include <vector>

namespace tallyo {

struct PreviewRow {
    QString date;
    QString type;      // the register's type word ("Check" for a check)
    QString number;    // the check number, empty for the rest
    QString payee;
    QString amount;    // "-1,234.56"
    QString outcome;   // "added", "clears the transaction of ...", "already in the register"
    bool tickable = true;  // a line already in the register has nothing to do
};

// The rows of a statement's lines as `matches` (one per line) say, dates
// in `dateFormat`.
std::vector<PreviewRow> PreviewRows(const Statement& statement, const std::vector<LineMatch>& matches,
                                    QStringView dateFormat);

// The ticks a preview starts with: every line that has something to do.
std::vector<bool> StartingTicks(const std::vector<LineMatch>& matches);

// "Statement's closing balance: 1,234.56 (on 01/31/24)", or "... not given".
QString ClosingBalanceText(const Statement& statement, QStringView dateFormat);
// "Register's cleared balance: 1,234.56" for the account's transactions,
// with the ticked lines counted as they would be after the import.
QString ClearedBalanceText(const std::vector<RegisterEntry>& entries, const Statement& statement,
                           const std::vector<LineMatch>& matches, const std::vector<bool>& ticked);

// A statement's name in the chooser: its account id and type and how many
// lines it holds.
QString StatementChoiceText(const Statement& statement);

// The settings key under which an account's CSV column mapping is kept.
QString CsvColumnsSettingKey(const QString& accountKey);

}
