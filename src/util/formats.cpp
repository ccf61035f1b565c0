#include "formats.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace tallyo {

namespace {

// The size of a signed value, safe for the most negative one.
quint64 Magnitude(qint64 value)
{
    return value < 0 ? quint64(0) - quint64(value) : quint64(value);
}

// Whole hundredths of a magnitude in ten-thousandths, a half rounding up.
quint64 CentsOf(quint64 tenThousandths)
{
    return tenThousandths / 100 + (tenThousandths % 100 >= 50 ? 1 : 0);
}

// The amount text of a sign and whole hundredths, written as ASCII.
char* WriteCents(char* out, bool negative, quint64 cents, bool grouped)
{
    if (negative && cents != 0)
        *out++ = '-';
    char digits[20];
    const char* end = std::to_chars(digits, digits + sizeof digits, cents / 100).ptr;
    for (const char* digit = digits; digit != end; ++digit) {
        *out++ = *digit;
        if (grouped && end - digit > 1 && (end - digit - 1) % 3 == 0)
            *out++ = ',';
    }
    *out++ = '.';
    const int fraction = int(cents % 100);
    *out++ = char('0' + fraction / 10);
    *out++ = char('0' + fraction % 10);
    return out;
}

QString FormatCents(bool negative, quint64 cents, bool grouped)
{
    char text[AmountTextRoom];
    return QString::fromLatin1(text, WriteCents(text, negative, cents, grouped) - text);
}

// value × 10^decimals, rounded half away from zero, working on the value's
// shortest decimal reading (15 significant digits) so that binary noise does
// not tip a half. Nothing when the value is not finite or the result does not
// fit a qint64.
std::optional<qint64> ScaledRounded(double value, int decimals)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // "d.dddddddddddddde±x": 15 significant digits and a decimal exponent.
    const QString text = QLocale::c().toString(std::abs(value), 'e', 14);
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return std::nullopt;
    const QString mantissa = text.left(e).remove(u'.');
    bool ok = false;
    const int exponent = text.mid(e + 1).toInt(&ok);
    if (!ok)
        return std::nullopt;
    quint64 digits = mantissa.toULongLong(&ok);
    if (!ok)
        return std::nullopt;

    // The digits stand for digits × 10^(exponent − 14); scale by 10^decimals.
    int shift = exponent - 14 + decimals;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max());
    if (shift < 0) {
        if (shift < -18)
            return qint64(0);
        quint64 divisor = 1;
        while (shift++ < 0)
            divisor *= 10;
        digits = digits / divisor + (digits % divisor >= divisor / 2 ? 1 : 0);
    } else {
        while (shift-- > 0) {
            if (digits > limit / 10)
                return std::nullopt;
            digits *= 10;
        }
    }
    if (digits > limit)
        return std::nullopt;
    return value < 0 ? -qint64(digits) : qint64(digits);
}

}

QString FormatAmount(qint64 tenThousandths)
{
    return FormatCents(tenThousandths < 0, CentsOf(Magnitude(tenThousandths)), true);
}

QString FormatAmountPlain(qint64 tenThousandths)
{
    return FormatCents(tenThousandths < 0, CentsOf(Magnitude(tenThousandths)), false);
}

char* WriteAmountPlain(char* out, qint64 tenThousandths)
{
    return WriteCents(out, tenThousandths < 0, CentsOf(Magnitude(tenThousandths)), false);
}

QString FormatAmountValue(double value)
{
    const std::optional<qint64> cents = ScaledRounded(value, 2);
    if (!cents || Magnitude(*cents) > Magnitude(std::numeric_limits<qint64>::max()) / 100)
        return {};
    return FormatCents(*cents < 0, Magnitude(*cents), true);
}

qint64 AbsoluteAmount(qint64 tenThousandths)
{
    if (tenThousandths == std::numeric_limits<qint64>::min())
        return std::numeric_limits<qint64>::max();
    return tenThousandths < 0 ? -tenThousandths : tenThousandths;
}

QString FormatCount(qint64 count)
{
    return QString::number(count);
}

QString FormatPercent(double fraction)
{
    const std::optional<qint64> percent = ScaledRounded(fraction, 2);
    if (!percent)
        return {};
    return QString::number(*percent) + u'%';
}

}
