#pragma once
// The reports from the command line: one account's normal list with the
// captions the register would show for it, and its text summary written to
// standard output. Read only: no file is created or changed.
#include "register/registeractions.h"
#include "register/registerrows.h"

#include <QTextStream>
#include <optional>

namespace tallyo {

// An account's rows in the normal view, ordered and added up, with the
// register's title line, totals and current balance.
struct AccountReport {
    RegisterRows rows;
    ListSummary captions;
};

// The report of the account given by name or key; nothing, with a one-line
// reason in `problem`, when no account or more than one fits. Throws
// FileError when a file cannot be read.
std::optional<AccountReport> LoadAccountReport(const QString& nameOrKey, QString& problem);

// The user's short date format from the settings store ("mm/dd/yy" ...).
QString StoredDateFormat();

// A CR LF text with LF line ends and a final line end, for a terminal.
QString WithLineFeeds(const QString& text);

// Writes the account's summary, dated now. Returns the exit status: 0
// done, 1 when the account is unknown or ambiguous.
int WriteSummaryExport(const QString& nameOrKey, QTextStream& out, QTextStream& err);

}
