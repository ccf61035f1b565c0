#pragma once
// The reports from the command line: one account's normal list with the
// captions the register would show for it, and its text summary written to
// standard output. Read only: no file is created or changed.
#include "register/registeractions.h"
#include "register/registerrows.h"
#include "register/search.h"

#include <QTextStream>
#include <optional>

namespace tallyo {

// An account's rows in the normal view, ordered and added up, with the
// register's title line, totals and current balance; or, with a search, the
// search view its register's search gives: the matches only, added up on
// their own, titled "Matches for: 'TEXT'", with no balance.
struct AccountReport {
    RegisterRows rows;
    ListSummary captions;
};

// The report of the account given by name or key, of its normal view or of
// a search's matches; nothing, with a one-line reason in `problem`, when no
// account or more than one fits. Throws FileError when a file cannot be read.
std::optional<AccountReport> LoadAccountReport(const QString& nameOrKey, QString& problem,
                                               const std::optional<SearchRequest>& search = std::nullopt);

// The user's short date format from the settings store ("mm/dd/yy" ...).
QString StoredDateFormat();

// A CR LF text with LF line ends and a final line end, for a terminal.
QString WithLineFeeds(const QString& text);

// Writes the account's summary, dated now, of its normal view or of the
// search view a search gives (no match: the summary of no transactions).
// Returns the exit status: 0 done, 1 when the account is unknown or
// ambiguous.
int WriteSummaryExport(const QString& nameOrKey, QTextStream& out, QTextStream& err,
                       const std::optional<SearchRequest>& search = std::nullopt);

}
