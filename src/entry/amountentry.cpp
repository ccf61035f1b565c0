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
    // else came in by pasting and stays as it is, for Save to refuse.
    const bool typable = std::all_of(text.begin(), text.end(),
                                     [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.' || c == u','; });
    return typable ? AmountBoxText(0) : text.toString();
}

bool LeftToRightAccepts(QStringView before, QChar key, QStringView after)
{
    if (key == u'.' || key == u',') {
        if (before.contains(key))
            return false;
    } else if (!key.isDigit() || key.unicode() > 127) {
        return false;
    }
    if (TypedLength(after) > AmountBoxLength)
        return false;
    // A text that does not read as a number yet (a lone ".") is still being
    // typed; a number must be one the box can take.
    const std::optional<qint64> amount = AmountBoxValue(after);
    return !amount || FitsTheBox(*amount);
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
    if (!key.isDigit() || key.unicode() > 127)
        return false;
    const QString longer = (digits_ == u"0" ? QString() : digits_) + key;
    bool ok = false;
    const qint64 cents = longer.toLongLong(&ok);
    if (!ok || cents > std::numeric_limits<qint64>::max() / CentsScale || !FitsTheBox(cents * CentsScale))
        return false;
    digits_ = longer;
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
