#pragma once
// Importing a statement into an account in one step: the new lines are
// appended as cleared transactions and the matched transactions cleared,
// written in place behind a journal, so that a failure or a stop leaves
// Account.dat as it was (store/recordjournal.h).
#include "matching.h"

#include <vector>

namespace tallyo {

struct ImportCounts {
    int added = 0;
    int cleared = 0;
    int already = 0;
    bool operator==(const ImportCounts&) const = default;
};

// "N added, M cleared, K already in the register".
QString ImportCountsText(const ImportCounts& counts);

// What an import of the ticked lines would do (`ticked` empty: every line;
// an unticked line counts nowhere).
ImportCounts CountImport(const std::vector<LineMatch>& matches, const std::vector<bool>& ticked = {});

// Imports the ticked lines of `statement` (`ticked` empty: every line) into
// the account, as `matches` (from MatchStatement on the account's current
// transactions) say: New lines are appended as cleared transactions,
// Matching transactions are cleared and given the line's bank id in their
// notes, AlreadyThere lines change nothing. Works in the working folder.
// Throws FileError, with the data files unchanged, when a file cannot be
// read or written or when Account.dat no longer holds the matched
// transactions as they were read.
ImportCounts ImportStatement(const QString& accountKey, const Statement& statement,
                             const std::vector<LineMatch>& matches, const std::vector<bool>& ticked = {});

}
