#pragma once
// How the register's grid shows its rows: the nine columns with their
// headers, alignments and widths, the text of each cell and its colours,
// the colours of each view, and the captions of the totals and balance.
// Colours are 0xRRGGBB numbers; the table model turns them into QColors.
#include "registerrows.h"

#include <QString>
#include <QStringView>
#include <QtCore/qnamespace.h>

namespace tallyo {

struct RegisterState;

enum RegisterColumn : int {
    DateColumn = 0,
    ClearedColumn = 1,
    TypeColumn = 2,
    PayeeColumn = 3,
    DebitColumn = 4,
    CreditColumn = 5,
    BalanceColumn = 6,
    RecordColumn = 7,   // kept out of sight: the record number in Account.dat
    CommentColumn = 8,  // kept out of sight: the comment, read by the hints
    RegisterColumnCount = 9,
};

// Headers and alignments of the grid: "^" centred, "<" left, ">" right,
// "|" between columns. The comment column has no header.
inline constexpr QStringView RegisterGridFormat = u"^Date|^*|<Type|<Payee/Creditor|>Debit|>Credit|>Balance|Rec#";

struct GridColumnFormat {
    QString header;
    Qt::Alignment alignment;
};
// The header and alignment of every column from a format string; columns
// the string does not name get an empty header and the default alignment.
std::array<GridColumnFormat, RegisterColumnCount> ParseGridFormat(QStringView format);

// Column widths in twips; 0 for columns left at the grid's default. The
// payee column starts at this width and is widened to fill the grid.
int ColumnWidthTwips(int column);

// The widest text a column of amounts can show (nothing for the other
// columns), and the widest total or balance under the grid. Amounts are
// typed up to 999,999,999.99 as a debit or a credit; a running balance or a
// total is sized for -9,999,999,999.99.
QString WidestAmountText(int column);
QString WidestTotalText();

// Fixed colours of the grid.
namespace GridColour {
inline constexpr quint32 Background = 0xFFFFFF;
inline constexpr quint32 Text = 0x000000;
inline constexpr quint32 HeaderText = 0xFFFF00;
inline constexpr quint32 SelectionBackground = 0xFFFF80;
inline constexpr quint32 SelectionText = 0x000000;
inline constexpr quint32 Lines = 0x808080;
inline constexpr quint32 HeaderLines = 0x404040;
}

// The view's colour of the header row and of the title line.
quint32 HeaderColour(int view);
// The view's tint of every even-numbered row.
quint32 RowTint(int view);

// The text of a cell of row i (from 0). The date uses the user's date
// format (empty: the first choice). The beginning balance at the top of the
// normal list shows " - " for its date, its stored date being a placeholder.
QString CellText(const RegisterRows& rows, qint32 i, int column, QStringView dateFormat);
// Text colour, background colour and boldness of a cell of row i (from 0).
quint32 CellTextColour(const RegisterRows& rows, qint32 i, int column);
quint32 CellBackground(const RegisterRows& rows, qint32 i, int column);
bool CellIsBold(const RegisterRows& rows, qint32 i, int column);

// The colour of a running balance: dark red when it shows as negative.
quint32 BalanceColour(qint64 balance);
// True when the row shows the beginning balance's " - " date.
bool ShowsStartDate(const RegisterRows& rows, qint32 i);

// The labels under the grid as the last assembly leaves them.
struct RegisterCaptions {
    QString totalCredit;       // "##,###,##0.00"
    QString totalDebit;
    bool balanceVisible = false;  // normal and reconcile views
    QString balanceCaption;    // "Current  balance" or "Adjusted Balance"
    QString balanceText;       // the current or adjusted balance
    quint32 balanceColour = 0; // dark red when that balance is negative, else black
    quint32 headerColour = 0;  // the view's header colour
};
RegisterCaptions CaptionsOf(const RegisterState& state);

}
