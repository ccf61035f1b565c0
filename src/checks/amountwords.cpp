#include "amountwords.h"

#include "util/formats.h"

#include <array>

namespace tallyo {

namespace {

// Entry 0 of each table is never chosen: every digit looked up is a
// leading digit of a group, or a teen or tens digit that is not 0.
constexpr std::array<const char16_t*, 10> UnitWords{u"Zilch", u"One", u"Two",   u"Three", u"Four",
                                                    u"Five",  u"Six", u"Seven", u"Eight", u"Nine"};
constexpr std::array<const char16_t*, 10> TensWords{u"Zilch", u"Ten",   u"Twenty",  u"Thirty", u"Forty",
                                                    u"Fifty", u"Sixty", u"Seventy", u"Eighty", u"Ninety"};
// Indexed by the number minus 10.
constexpr std::array<const char16_t*, 10> TeenWords{u"Zilch",   u"Eleven",  u"Twelve",    u"Thirteen", u"Fourteen",
                                                    u"Fifteen", u"Sixteen", u"Seventeen", u"Eighteen", u"Nineteen"};

// Largest first; a group of 0 says nothing, not even its scale word.
struct Scale {
    quint64 size;
    const char16_t* word;
};
constexpr std::array<Scale, 5> Scales{{
    {1'000'000'000'000ULL, u"Trillion"},
    {1'000'000'000ULL, u"Billion"},
    {1'000'000ULL, u"Million"},
    {1'000ULL, u"Thousand"},
    {1ULL, nullptr},
}};

QString word(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// The words of a number from 1 to 999.
void SpellGroup(int group, QStringList& words)
{
    if (group >= 100) {
        words << word(UnitWords[group / 100]) << QStringLiteral("Hundred");
        group %= 100;
    }
    if (group >= 11 && group <= 19) {
        words << word(TeenWords[group - 10]);
        return;
    }
    if (group >= 10) {
        words << word(TensWords[group / 10]);
        group %= 10;
    }
    if (group >= 1)
        words << word(UnitWords[group]);
}

// The whole units and the cents of an amount as the figures show it.
struct Digits {
    quint64 whole = 0;
    int cents = 0;
};

Digits DigitsOf(qint64 tenThousandths)
{
    // "#####0.00" of the absolute amount: the same rounding as the figures.
    const QString plain = FormatAmountPlain(AbsoluteAmount(tenThousandths));
    const qsizetype point = plain.indexOf(u'.');
    return {plain.left(point).toULongLong(), plain.mid(point + 1).toInt()};
}

}

QString AmountInWords(qint64 tenThousandths, const CurrencyWords& currency)
{
    const Digits digits = DigitsOf(tenThousandths);

    QStringList words;
    quint64 rest = digits.whole;
    for (const Scale& scale : Scales) {
        const int group = int(rest / scale.size);
        rest %= scale.size;
        if (group == 0)
            continue;
        SpellGroup(group, words);
        if (scale.word)
            words << word(scale.word);
    }

    QString unitName = currency.unitName;
    if (digits.whole == 1)
        unitName.chop(1);
    QString subunitName = currency.subunitName;
    if (digits.cents == 1 && currency.sign == u"$")
        subunitName.chop(1);

    words << unitName << QStringLiteral("&")
          << QStringLiteral("%1").arg(digits.cents, 2, 10, QLatin1Char('0')) << subunitName;
    // A currency setting outside its table leaves the names empty.
    words.removeAll(QString());
    return words.join(u' ');
}

QString AmountInWords(qint64 tenThousandths)
{
    const DisplayValues& values = SharedDisplayValues();
    return AmountInWords(tenThousandths,
                         {values.CurrencySign, values.CurrencyUnitName, values.CurrencySubunitName});
}

}
