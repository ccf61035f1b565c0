#include "registergrid.h"

#include "registerstate.h"
#include "util/dates.h"
#include "util/formats.h"

#include <cstring>

namespace tallyo {

namespace {

constexpr quint32 Green = 0x008000;
constexpr quint32 DarkGreen = 0x004000;
constexpr quint32 Red = 0xC00000;
constexpr quint32 Blue = 0x0000C0;
constexpr quint32 Teal = 0x008080;
constexpr quint32 NegativeBalance = 0x800000;
constexpr quint32 PositiveBalance = 0x000080;

bool TypeIs(const RegisterRow& row, const char (&code)[13])
{
    return std::memcmp(row.type.data(), code, row.type.size()) == 0;
}

quint32 TypeColour(const RegisterRow& row)
{
    if (TypeIs(row, "Deposit     ") || TypeIs(row, "AutoDeposit ") || TypeIs(row, "Other Credit"))
        return Blue;
    if (row.isVoid())
        return Teal;
    return Red;  // checks, debits and the beginning balance
}

}

std::array<GridColumnFormat, RegisterColumnCount> ParseGridFormat(QStringView format)
{
    std::array<GridColumnFormat, RegisterColumnCount> columns{};
    const Qt::Alignment standard = Qt::AlignLeft | Qt::AlignVCenter;
    for (GridColumnFormat& column : columns)
        column.alignment = standard;
    int index = 0;
    for (QStringView section : format.split(u'|')) {
        if (index >= RegisterColumnCount)
            break;
        GridColumnFormat& column = columns[size_t(index++)];
        if (section.isEmpty())
            continue;
        switch (section.front().unicode()) {
        case u'^': column.alignment = Qt::AlignHCenter | Qt::AlignVCenter; break;
        case u'<': column.alignment = Qt::AlignLeft | Qt::AlignVCenter; break;
        case u'>': column.alignment = Qt::AlignRight | Qt::AlignVCenter; break;
        default: column.header = section.toString(); continue;
        }
        column.header = section.sliced(1).toString();
    }
    return columns;
}

int ColumnWidthTwips(int column)
{
    switch (column) {
    case DateColumn: return 900;
    case ClearedColumn: return 200;
    case TypeColumn: return 1200;
    case PayeeColumn: return 3200;
    case DebitColumn:
    case CreditColumn:
    case BalanceColumn: return 1325;
    default: return 0;
    }
}

namespace {
constexpr qint64 LargestAmount = 999'999'999'99 * 100;     // ten-thousandths
constexpr qint64 LargestBalance = 9'999'999'999'99 * 100;
}

QString WidestAmountText(int column)
{
    switch (column) {
    case DebitColumn: return FormatAmount(-LargestAmount);
    case CreditColumn: return FormatAmount(LargestAmount);
    case BalanceColumn: return WidestTotalText();
    default: return {};
    }
}

QString WidestTotalText()
{
    return FormatAmount(-LargestBalance);
}

quint32 HeaderColour(int view)
{
    switch (view) {
    case ReconcileView: return 0x008000;
    case SearchView: return 0x800080;
    default: return 0x0000C0;
    }
}

quint32 RowTint(int view)
{
    switch (view) {
    case ReconcileView: return 0xE0F0E0;
    case SearchView: return 0xFFF0FF;
    default: return 0xE7E7FF;
    }
}

bool ShowsStartDate(const RegisterRows& rows, qint32 i)
{
    return i == 0 && rows.view() == NormalView && rows[i].isStart();
}

QString CellText(const RegisterRows& rows, qint32 i, int column, QStringView dateFormat)
{
    const RegisterRow& row = rows[i];
    switch (column) {
    case DateColumn:
        return ShowsStartDate(rows, i) ? QStringLiteral(" - ") : FormatShortDate(row.date, dateFormat);
    case ClearedColumn: return row.cleared ? QStringLiteral("*") : QString();
    case TypeColumn: return rows.type(i);
    case PayeeColumn: return rows.payee(i);
    case DebitColumn: return row.amount < 0 ? FormatAmount(row.amount) : QString();
    case CreditColumn: return row.amount > 0 ? FormatAmount(row.amount) : QString();
    case BalanceColumn: return rows.view() == NormalView ? FormatAmount(row.balance) : QString();
    case RecordColumn: return QString::number(row.record);
    case CommentColumn: return rows.comment(i);
    default: return {};
    }
}

quint32 BalanceColour(qint64 balance)
{
    // Only the sign of the number as shown counts: an amount that rounds to
    // 0.00 shows no minus sign.
    return FormatAmount(balance).startsWith(u'-') ? NegativeBalance : PositiveBalance;
}

quint32 CellTextColour(const RegisterRows& rows, qint32 i, int column)
{
    switch (column) {
    case DateColumn: return Green;
    case TypeColumn: return TypeColour(rows[i]);
    case PayeeColumn: return DarkGreen;
    case DebitColumn: return Red;
    case CreditColumn: return Blue;
    case BalanceColumn: return rows.view() == NormalView ? BalanceColour(rows[i].balance) : GridColour::Text;
    default: return GridColour::Text;
    }
}

quint32 CellBackground(const RegisterRows& rows, qint32 i, int column)
{
    // Rows are numbered from 1 on screen: every second one is tinted, up to
    // the balance column.
    const bool evenRow = (i + 1) % 2 == 0;
    return evenRow && column <= BalanceColumn ? RowTint(rows.view()) : GridColour::Background;
}

bool CellIsBold(const RegisterRows& rows, qint32 i, int column)
{
    return column == TypeColumn && rows[i].isVoid();
}

RegisterCaptions CaptionsOf(const RegisterState& state)
{
    RegisterCaptions captions;
    const int view = state.Rows.view();
    captions.totalCredit = FormatAmount(state.TotalCredit);
    captions.totalDebit = FormatAmount(state.TotalDebit);
    captions.headerColour = HeaderColour(view);
    if (view == SearchView)
        return captions;
    const qint64 balance = view == ReconcileView ? state.AdjustedBalance : state.CurrentBalance;
    captions.balanceVisible = true;
    captions.balanceCaption = view == ReconcileView ? QStringLiteral("Adjusted Balance") : QStringLiteral("Current  balance");
    captions.balanceText = FormatAmount(balance);
    captions.balanceColour = balance < 0 ? Red : GridColour::Text;
    return captions;
}

}
