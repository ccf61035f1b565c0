#include "checkprint.h"

#include "amountwords.h"

#include "platform/pagesurface.h"
#include "store/fields.h"
#include "util/dates.h"
#include "util/formats.h"

#include <cmath>

namespace tallyo {

namespace {

// The line the pen is on, the page's first line being line 0.
int CurrentLine(const PageSurface& surface)
{
    return int(std::lround(surface.currentY() / surface.textHeight()));
}

// Prints the fields down the check in layout order. Line breaks count from
// the line the field before ended on, so a field that had to move down a
// line (a long payee running past the figures' column) takes every field
// after it down with it, and no two fields meet on one line unless the
// layout puts them there.
class FieldFlow {
public:
    explicit FieldFlow(PageSurface& surface, const CheckLayout& layout) : surface_(surface), layout_(layout) {}

    void print(CheckField field, const QString& text)
    {
        const int row = LayoutRow(layout_, field) + pushed_;
        for (int line = CurrentLine(surface_); line < row; ++line)
            surface_.endLine();
        surface_.tab(LayoutColumn(layout_, field));
        pushed_ += qMax(0, CurrentLine(surface_) - row);
        surface_.print(text, false);
    }

private:
    PageSurface& surface_;
    const CheckLayout& layout_;
    int pushed_ = 0;  // lines the fields so far were moved down
};

// Puts the unit back to inches whatever happens while the check prints.
class TwipsWhilePrinting {
public:
    explicit TwipsWhilePrinting(PageSurface& surface) : surface_(surface)
    {
        surface_.setScaleUnit(ScaleUnit::Twips);
    }
    ~TwipsWhilePrinting() { surface_.setScaleUnit(ScaleUnit::Inches); }
    TwipsWhilePrinting(const TwipsWhilePrinting&) = delete;
    TwipsWhilePrinting& operator=(const TwipsWhilePrinting&) = delete;

private:
    PageSurface& surface_;
};

}

int DateDisplayOfFormat(const QString& dateFormat)
{
    for (int choice = 1; choice <= 4; ++choice) {
        if (DateFormatFor(choice) == dateFormat)
            return choice;
    }
    return 1;
}

CheckTexts CheckTextsFor(const TransactionRecord& transaction, const QString& accountName, int dateDisplay,
                         const CurrencyWords& currency)
{
    CheckTexts texts;
    texts.accountName = accountName;
    texts.checkNumber = transaction.TransactionType;
    texts.longDate = CheckLongDate(DateFromStored(transaction.TransactionDate), dateDisplay);
    texts.payee = TrimSpaces(transaction.Payee);
    texts.figures = FormatAmount(AbsoluteAmount(transaction.Amount));
    texts.words = AmountInWords(transaction.Amount, currency);
    if (!TrimSpaces(transaction.Comment).isEmpty())
        texts.comment = transaction.Comment.left(PreviewCommentLength);
    return texts;
}

CheckTexts CheckTextsFor(const TransactionRecord& transaction, const QString& accountName)
{
    const DisplayValues& values = SharedDisplayValues();
    return CheckTextsFor(transaction, accountName, DateDisplayOfFormat(values.DateFormat),
                         {values.CurrencySign, values.CurrencyUnitName, values.CurrencySubunitName});
}

QString PrintedComment(const CheckTexts& texts)
{
    return texts.comment.left(PrintedCommentLength);
}

void PrintCheck(PageSurface& surface, const CheckTexts& texts, const CheckLayout& layout,
                const CheckOptions& options)
{
    TwipsWhilePrinting twips(surface);
    PrintFont font;
    font.name = QStringLiteral("Arial");
    font.size = 10;
    font.bold = true;
    surface.setFont(font);

    FieldFlow flow(surface, layout);
    if (options.checkNumber)
        flow.print(CheckNumberField, texts.checkNumber);
    flow.print(DateField, texts.longDate);
    flow.print(PayeeField, texts.payee);
    flow.print(FiguresField, texts.figures);
    flow.print(WordsField, texts.words);
    if (options.comment && !texts.comment.isEmpty())
        flow.print(CommentField, PrintedComment(texts));
    surface.endDoc();
}

}
