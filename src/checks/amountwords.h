#pragma once
// The long-hand line of a check: a money amount written out in words, as
// "One Thousand Two Hundred Thirty Four Dollars & 56 Cents".
//
// The amount is taken at two decimals (rounded as the figures are shown) and
// without its sign. The whole units are spelled in groups of three digits,
// each with its scale word (" Trillion", " Billion", " Million",
// " Thousand"), so that every amount money can hold has its words; the
// cents follow as two digits after "&". No hyphens and no "and".
//
// The unit name loses its last letter for exactly one whole unit ("One
// Dollar"); the subunit name loses its last letter for exactly one cent
// only with the "$" sign ("01 Cent", but "01 Pence").
#include "shell/appsettings.h"

#include <QString>
#include <QtGlobal>

namespace tallyo {

// The words of an amount in ten-thousandths with the given currency words.
QString AmountInWords(qint64 tenThousandths, const CurrencyWords& currency);

// The same with the currency words of the shared display values.
QString AmountInWords(qint64 tenThousandths);

}
