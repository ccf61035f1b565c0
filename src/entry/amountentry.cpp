#include "amountentry.h"

#include "util/formats.h"
#include "util/numbers.h"

#include <limits>

namespace tallyo {

namespace {

bool FitsTheBox(qint64 amount)
{
    return AmountBoxText(amount).size() <= AmountBoxLength;
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
    return AmountBoxText(AmountBoxValue(text).value_or(0));
}

bool LeftToRightAccepts(QStringView before, QChar key, QStringView after)
{
    if (key == u'.' || key == u',') {
        if (before.contains(key))
            return false;
    } else if (!key.isDigit() || key.unicode() > 127) {
        return false;
    }
    // A text that does not read as a number yet (a lone ".") is still being
    // typed; a number must fit the box once it is shown in the amount format.
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
