#include "numbers.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace tallyo {

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A decimal number split into its parts, separators removed.
struct DecimalParts {
    bool negative = false;
    QString whole;
    QString fraction;
};

// The whole text, spaces around it aside, read as
// [sign] digit {digit | ","} ["." {digit}]  or  [sign] "." digit {digit}.
std::optional<DecimalParts> SplitDecimal(QStringView text)
{
    text = text.trimmed();
    DecimalParts parts;
    qsizetype at = 0;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        parts.negative = text[at] == u'-';
        ++at;
    }
    if (at < text.size() && IsDigit(text[at])) {
        for (; at < text.size() && (IsDigit(text[at]) || text[at] == u','); ++at) {
            if (text[at] != u',')
                parts.whole += text[at];
        }
    }
    if (at < text.size() && text[at] == u'.') {
        for (++at; at < text.size() && IsDigit(text[at]); ++at)
            parts.fraction += text[at];
    }
    if (at != text.size() || (parts.whole.isEmpty() && parts.fraction.isEmpty()))
        return std::nullopt;
    return parts;
}

// The parts as a double, or nothing when they do not fit one.
std::optional<double> ToDouble(const DecimalParts& parts)
{
    QString plain = parts.whole.isEmpty() ? QStringLiteral("0") : parts.whole;
    if (!parts.fraction.isEmpty())
        plain += u'.' + parts.fraction;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return parts.negative ? -value : value;
}

}

double LeadingNumber(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    DecimalParts parts;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        parts.negative = text[at] == u'-';
        ++at;
    }
    for (; at < text.size() && IsDigit(text[at]); ++at)
        parts.whole += text[at];
    if (at < text.size() && text[at] == u'.') {
        for (++at; at < text.size() && IsDigit(text[at]); ++at)
            parts.fraction += text[at];
    }
    if (parts.whole.isEmpty() && parts.fraction.isEmpty())
        return 0;
    return ToDouble(parts).value_or(0);
}

bool ReadsAsNumber(QStringView text)
{
    return NumberValue(text).has_value();
}

std::optional<double> NumberValue(QStringView text)
{
    const std::optional<DecimalParts> parts = SplitDecimal(text);
    if (!parts)
        return std::nullopt;
    return ToDouble(*parts);
}

std::optional<qint64> ParseAmount(QStringView text)
{
    const std::optional<DecimalParts> parts = SplitDecimal(text);
    if (!parts)
        return std::nullopt;

    // The most negative amount is one ten-thousandth larger than the most
    // positive one.
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (parts->negative ? 1 : 0);
    quint64 magnitude = 0;
    auto addDigit = [&](QChar digit) {
        const quint64 value = quint64(digit.unicode() - u'0');
        if (magnitude > (limit - value) / 10)
            return false;
        magnitude = magnitude * 10 + value;
        return true;
    };

    for (QChar digit : parts->whole) {
        if (!addDigit(digit))
            return std::nullopt;
    }
    const QString kept = (parts->fraction + QStringLiteral("0000")).left(4);
    for (QChar digit : kept) {
        if (!addDigit(digit))
            return std::nullopt;
    }
    if (parts->fraction.size() > 4 && parts->fraction[4] >= u'5') {
        if (magnitude == limit)
            return std::nullopt;
        ++magnitude;
    }
    return parts->negative ? qint64(quint64(0) - magnitude) : qint64(magnitude);
}

bool ReadsAsTrue(QStringView text)
{
    if (text.trimmed().compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    const std::optional<double> value = NumberValue(text);
    return value && *value != 0;
}

}
