#pragma once
// One check: the texts its preview shows and prints, worked out from a
// transaction, and the printing of those texts at a layout's rows and
// columns on pre-printed check paper.
#include "checklayout.h"

#include "shell/appsettings.h"
#include "store/records.h"

#include <QDate>
#include <QString>

namespace tallyo {

class PageSurface;

// The texts of one check.
struct CheckTexts {
    QString accountName;  // as stored
    QString checkNumber;  // the transaction's type as stored (12 characters)
    QString longDate;     // in the pattern of the DateDisplay choice
    QString payee;        // without surrounding spaces
    QString figures;      // the amount without its sign: 1,234.56
    QString words;        // the amount in words
    QString comment;      // the preview's comment: the first 32 characters as
                          // stored; empty when the comment is blank
};

// Characters of the comment shown in the preview and printed on the check.
inline constexpr int PreviewCommentLength = 32;
inline constexpr int PrintedCommentLength = 28;

// The DateDisplay choice (1 to 4) that a date format of the display values
// belongs to; 1, the program's default, for an empty or unknown format.
int DateDisplayOfFormat(const QString& dateFormat);

// The texts for a transaction of the named account.
CheckTexts CheckTextsFor(const TransactionRecord& transaction, const QString& accountName, int dateDisplay,
                         const CurrencyWords& currency);
// The same with the date format and currency words of the shared display
// values.
CheckTexts CheckTextsFor(const TransactionRecord& transaction, const QString& accountName);

// The comment as printed: the first 28 characters of the preview's.
QString PrintedComment(const CheckTexts& texts);

// What is printed besides the four fields that always are.
struct CheckOptions {
    bool checkNumber = false;
    bool comment = false;  // only when the transaction has a comment
};

// Prints one check as one document in Arial 10 bold, the surface's unit
// being twips while it prints and inches again afterwards. Each field is
// printed at its layout column (in character columns of that font) on its
// layout row, counted in lines below the first line of the page, whether or
// not the fields before it were printed. A field that would start left of
// where the text before it on the same line ended (a long payee running
// into the figures' column) moves to the next line, and every field after
// it moves down one line with it. Throws FileError when the printer fails.
void PrintCheck(PageSurface& surface, const CheckTexts& texts, const CheckLayout& layout,
                const CheckOptions& options);

}
