#include "amountentry.h"

#include "util/formats.h"
#include "util/numbers.h"

#include <algorithm>
#include <limits>

namespace tallyo {

namespace {

bool FitsTheBox(qint64 amount)
{
    return amount <= LargestTypedAmount;
}

// The characters typed: the thousands separators are the format's, not the
// user's.
qsizetype TypedLength(QStringView text)
{
    return text.size() - text.count(u',');
}

constexpr qint64 CentsScale = AmountScale / 100;

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The digits after the decimal point.
qsizetype DecimalCount(QStringView text)
{
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : text.size() - point - 1;
}

// Within the box's limits: typed length, decimals and the largest amount. A
// text that does not read as a number yet (a lone ".") is still being typed.
bool WithinLimits(QStringView text)
{
    if (TypedLength(text) > AmountBoxLength || DecimalCount(text) > 2)
        return false;
    const std::optional<qint64> amount = AmountBoxValue(text);
    return !amount || FitsTheBox(*amount);
}

}

QString AmountBoxText(qint64 amount)
{
    return FormatAmount(AbsoluteAmount(amount));
}

std::optional<qint64> AmountBoxValue(QStringView text)
{
    const std::optional<qint64> amount = ParseAmount(text);
    if (!amount)
        return std::nullopt;
    return AbsoluteAmount(*amount);
}

QString FinishedAmountText(QStringView text)
{
    if (text.isEmpty())
        return {};
    if (const std::optional<qint64> amount = AmountBoxValue(text))
        return AmountBoxText(*amount);
    // Separators typed alone (".") are a zero still being typed; anything
    // else (",5") stays as it is, for Save to refuse rather than to store
    // some other amount.
    const bool separatorsOnly = std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'.' || c == u','; });
    return separatorsOnly ? AmountBoxText(0) : text.toString();
}

QString AmountEntryError(QStringView text)
{
    const std::optional<qint64> amount = AmountBoxValue(text);
    if (!amount)
        return QStringLiteral("The 'Amount' entry\r\nis not a number...");
    if (!FitsTheBox(*amount))
        return QStringLiteral("The 'Amount' entry is more\r\nthan 999,999,999.99...");
    return {};
}

TextChange ChangeBetween(QStringView before, QStringView after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {before.left(head).toString() + before.right(tail).toString(),
            after.mid(head, after.size() - head - tail).toString()};
}

bool LeftToRightAccepts(QStringView before, QStringView after)
{
    const TextChange change = ChangeBetween(before, after);
    if (change.inserted.isEmpty())
        return WithinLimits(after) || !WithinLimits(before);
    // The box's own format, as copied from the box or the register.
    if (const std::optional<qint64> amount = AmountBoxValue(after);
        amount && AmountBoxText(*amount) == after && FitsTheBox(*amount))
        return true;
    QString text = change.kept;
    for (QChar key : change.inserted) {
        if ((key == u'.' || key == u',') ? text.contains(key) : !IsAsciiDigit(key))
            return false;
        text += key;
    }
    return WithinLimits(after);
}

void RightToLeftAmount::start(QStringView shown)
{
    const qint64 cents = AmountBoxValue(shown).value_or(0) / CentsScale;
    digits_ = QString::number(cents);
}

bool RightToLeftAmount::press(QChar key)
{
    if (key == u'.')
        return backspace();
    if (!IsAsciiDigit(key))
        return false;
    const QString longer = (digits_ == u"0" ? QString() : digits_) + key;
    bool ok = false;
    const qint64 cents = longer.toLongLong(&ok);
    if (!ok || cents > std::numeric_limits<qint64>::max() / CentsScale || !FitsTheBox(cents * CentsScale))
        return false;
    digits_ = longer;
    return true;
}

bool RightToLeftAmount::insert(QStringView text)
{
    RightToLeftAmount trial = *this;
    if (text.isEmpty())
        return false;
    for (QChar key : text) {
        if (!IsAsciiDigit(key) || !trial.press(key))
            return false;
    }
    *this = trial;
    return true;
}

bool RightToLeftAmount::backspace()
{
    digits_.chop(1);
    return true;
}

QString RightToLeftAmount::text() const
{
    const qint64 cents = digits_.toLongLong();
    if (cents == 0)
        return {};
    return AmountBoxText(cents * CentsScale);
}

}
