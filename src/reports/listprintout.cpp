#include "listprintout.h"

#include "platform/platform.h"
#include "util/arithmetic.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/printing.h"
#include "util/productinfo.h"

namespace tallyo {

namespace {

// Inches from the paper's left edge and top.
constexpr double LeftEdge = 0.8;
constexpr double FirstLine = 1.0;
constexpr double PageBottom = 8.8;
constexpr double TypeAt = 1.5;
constexpr double PayeeAt = 2.4;
constexpr double AmountHeadingAt = 5.65;
constexpr double AmountEnd = 6.1;
constexpr double BalanceHeadingAt = 6.75;
constexpr double BalanceEnd = 7.2;
constexpr double RuleEnd = 7.2;
// Stored dates before this (1899-12-31 and earlier) are placeholders, as
// the beginning balance's.
constexpr double FirstRealDay = 2.0;

void printAt(PageSurface& surface, double x, const QString& text, bool endLine = false)
{
    surface.setCurrentX(x);
    surface.print(text, endLine);
}

void printEndingAt(PageSurface& surface, double right, const QString& text)
{
    printAt(surface, right - surface.textWidth(text), text);
}

class ListPrinter {
public:
    ListPrinter(PageSurface& surface, const ListPrintout& list, double startDate, double endDate)
        : surface_(surface), list_(list), rows_(*list.rows), startDate_(startDate), endDate_(endDate),
          startDay_(FormatDayKey(startDate)), endDay_(FormatDayKey(endDate)),
          balanceColumn_(rows_.view() == NormalView)
    {
        firstDate_ = firstDateText();
    }

    qint32 print()
    {
        surface_.setScaleUnit(ScaleUnit::Inches);
        PrintFont font;
        font.name = QStringLiteral("Arial");
        font.size = 9;
        surface_.setFont(font);

        const qint32 n = rows_.size();
        for (qint32 i = 0; i < n; ++i) {
            if (surface_.currentX() < FirstLine)
                surface_.setCurrentX(LeftEdge);
            if (surface_.currentY() < FirstLine) {
                surface_.setCurrentY(FirstLine);
                printPageHeader();
            }
            // Days compare as "yyyymmdd": a transaction keeps its time of
            // day, a typed ending date is that day's midnight.
            const QString day = FormatDayKey(rows_[i].date);
            const bool printed = day >= startDay_ && day <= endDay_;
            if (printed)
                printRow(i);
            const bool last = day > endDay_ || i == n - 1;
            if (surface_.currentY() > PageBottom || last) {
                PrintRuleLine(surface_, LeftEdge, RuleEnd);
                if (last)
                    break;
                surface_.newPage();
            } else if (anyPrinted_) {
                surface_.endLine();
            }
        }

        surface_.endLine();
        printAt(surface_, LeftEdge,
                QStringLiteral("End of Printout -- ") + FormatCount(count_) + QStringLiteral(" items in this list."),
                true);
        QString totals = QStringLiteral("Total Debit: ") + FormatAmount(debit_) + QStringLiteral("  Total Credit: ")
            + FormatAmount(credit_);
        if (rows_.view() == NormalView)
            totals += QStringLiteral("  Current Balance: ") + list_.balanceCaption;
        else if (rows_.view() == ReconcileView)
            totals += QStringLiteral("  Adjusted Balance: ") + list_.balanceCaption;
        printAt(surface_, LeftEdge, totals, true);
        surface_.endDoc();
        return count_;
    }

private:
    void printPageHeader()
    {
        printAt(surface_, LeftEdge,
                ApplicationTitle + QStringLiteral(" Printout -- ") + FormatShortDate(list_.printedAt, list_.dateFormat)
                    + FormatClockTime(list_.printedAt) + QStringLiteral(" -- Page ") + QString::number(surface_.page()),
                true);
        printAt(surface_, LeftEdge, list_.accountCaption.trimmed(), true);
        printAt(surface_, LeftEdge,
                QStringLiteral("(dates from ") + firstDate_ + QStringLiteral(" to ")
                    + FormatShortDate(endDate_, list_.dateFormat) + u')',
                true);
        PrintRuleLine(surface_, LeftEdge, RuleEnd);
        printAt(surface_, LeftEdge, QStringLiteral("Date"));
        printAt(surface_, TypeAt, QStringLiteral("Type"));
        printAt(surface_, PayeeAt, QStringLiteral("Payee/Creditor"));
        printAt(surface_, AmountHeadingAt, QStringLiteral("Amount"));
        if (balanceColumn_)
            printAt(surface_, BalanceHeadingAt, QStringLiteral("Balance"));
        PrintRuleLine(surface_, LeftEdge, RuleEnd);
    }

    // The first day asked for. A whole list of the normal view starts at
    // the beginning balance, whose stored date is only a placeholder: its
    // range then starts at the first dated row printed.
    QString firstDateText() const
    {
        if (startDate_ < FirstRealDay) {
            for (qint32 i = 0; i < rows_.size(); ++i) {
                const QString day = FormatDayKey(rows_[i].date);
                if (day > endDay_)
                    break;
                if (!rows_[i].isStart() && day >= startDay_)
                    return FormatShortDate(rows_[i].date, list_.dateFormat);
            }
        }
        return FormatShortDate(startDate_, list_.dateFormat);
    }

    void printRow(qint32 i)
    {
        const RegisterRow& row = rows_[i];
        ++count_;
        anyPrinted_ = true;
        QString date = QStringLiteral("     ---");
        if (!row.isStart())
            date = FormatShortDate(row.date, list_.dateFormat) + (row.cleared ? QStringLiteral("  *") : QString());
        printAt(surface_, LeftEdge, date);
        printAt(surface_, TypeAt, rows_.type(i));
        printAt(surface_, PayeeAt, rows_.payee(i));
        printEndingAt(surface_, AmountEnd, FormatAmount(row.amount));
        if (balanceColumn_)
            printEndingAt(surface_, BalanceEnd, FormatAmount(row.balance));
        const QString comment = rows_.comment(i);
        if (list_.comments && !comment.trimmed().isEmpty()) {
            surface_.endLine();
            printAt(surface_, PayeeAt, comment.trimmed());
        }
        if (row.amount < 0)
            AddTo(debit_, row.amount);
        else if (row.amount > 0)
            AddTo(credit_, row.amount);
    }

    PageSurface& surface_;
    const ListPrintout& list_;
    const RegisterRows& rows_;
    double startDate_;
    double endDate_;
    QString startDay_;
    QString endDay_;
    bool balanceColumn_;
    QString firstDate_;  // of the range, as each page header names it
    qint32 count_ = 0;
    qint64 debit_ = 0;
    qint64 credit_ = 0;
    bool anyPrinted_ = false;
};

}

std::optional<bool> AskPrintOption()
{
    const int answer = prompts().ask(
        QStringLiteral("Print Option"), IconQuestion, QStringLiteral("Do you want to print any associated comments also?"),
        2,
        {QStringLiteral("&Yes, include comments"), QStringLiteral("&No"), QStringLiteral("&Cancel this print request")});
    if (answer == 1)
        return true;
    if (answer == 2)
        return false;
    return std::nullopt;
}

qint32 PrintListPages(PageSurface& surface, const ListPrintout& list, double startDate, double endDate)
{
    if (!list.rows)
        return 0;
    return ListPrinter(surface, list, startDate, endDate).print();
}

}
