#pragma once
// The printed transaction list: the register's displayed rows between two
// days, one line per transaction (and a comment line when asked), with the
// three header lines and underlined column headings on every page, a rule
// under each page, and closing lines with the number of items and the debit
// and credit totals. Positions are in inches from the paper's corner.
#include "platform/pagesurface.h"
#include "register/registerrows.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace tallyo {

struct ListPrintout {
    // The displayed rows in display order; their view decides the balance
    // column and the closing line.
    const RegisterRows* rows = nullptr;
    QString accountCaption;  // the register's title line
    QString balanceCaption;  // the current (normal view) or adjusted (reconcile view) balance
    QString dateFormat;      // the user's short date format
    QDateTime printedAt;     // shown in every page header
    bool comments = false;   // a comment line under each transaction that has one
};

// The "Print Option" question: true to print comments, false not to,
// nothing when the user cancels.
std::optional<bool> AskPrintOption();

// Prints the rows whose day lies from the starting date's day to the ending
// date's day (stored dates) and ends the document; each page's header names
// those two days (a start at the beginning balance's placeholder date names
// the first dated row printed instead). Gives back the number of
// transactions printed. The surface's FileError passes through.
qint32 PrintListPages(PageSurface& surface, const ListPrintout& list, double startDate, double endDate);

}
