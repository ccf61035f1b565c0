#include "checkprint.h"

#include "amountwords.h"

#include "platform/pagesurface.h"
#include "store/fields.h"
#include "util/dates.h"
#include "util/formats.h"

#include <cmath>

namespace tallyo {

namespace {

// Ends lines until the pen is on line `row` below the page's first line
// (the first line being row 0); a pen already there or below stays.
void MoveToRow(PageSurface& surface, int row)
{
    const double lineHeight = surface.textHeight();
    const int current = int(std::lround(surface.currentY() / lineHeight));
    for (int line = current; line < row; ++line)
        surface.endLine();
}

void PrintField(PageSurface& surface, const CheckLayout& layout, CheckField field, const QString& text)
{
    MoveToRow(surface, LayoutRow(layout, field));
    surface.tab(LayoutColumn(layout, field));
    surface.print(text, false);
}

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

    if (options.checkNumber)
        PrintField(surface, layout, CheckNumberField, texts.checkNumber);
    PrintField(surface, layout, DateField, texts.longDate);
    PrintField(surface, layout, PayeeField, texts.payee);
    PrintField(surface, layout, FiguresField, texts.figures);
    PrintField(surface, layout, WordsField, texts.words);
    if (options.comment && !texts.comment.isEmpty())
        PrintField(surface, layout, CommentField, PrintedComment(texts));
    surface.endDoc();
}

}
