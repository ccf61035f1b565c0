#pragma once
// Numbers as the program shows them: money, counts and percentages. Money is
// a qint64 in ten-thousandths (1.00 is 10000), as the data files hold it.
//
// Rounding: money is shown with two decimals, rounded half away from zero on
// the exact ten-thousandths (1.005 shows as 1.01, -1.005 as -1.01, 1.0049 as
// 1.00), as the older platform's Format did for currency. A value that
// rounds to zero shows without a sign ("0.00", never "-0.00"). Every amount a
// qint64 can hold is shown in full, the limits included.
#include <QString>
#include <QtGlobal>

namespace tallyo {

// Ten-thousandths in one unit of money.
inline constexpr qint64 AmountScale = 10000;

// "##,###,##0.00": thousands grouped by ",", at least one whole digit, two
// decimals, a leading "-" when negative: -1,234.50, 0.05, 0.00.
QString FormatAmount(qint64 tenThousandths);

// "#####0.00" with a leading "-" when negative: -1234.50. The form of the
// CSV exports and, given the absolute amount, of the amount in words.
QString FormatAmountPlain(qint64 tenThousandths);

// Room enough for any amount's text, grouped or plain.
inline constexpr int AmountTextRoom = 32;
// FormatAmountPlain's text written as ASCII bytes at `out`, which has room
// for AmountTextRoom bytes; gives back the end of what was written. For
// writers of large outputs that make no QString per amount.
char* WriteAmountPlain(char* out, qint64 tenThousandths);

// A money value held as a plain number (an average, a graph's scale) in the
// FormatAmount pattern. The number is taken at its shortest decimal reading
// (0.285 as 0.285, not as the binary 0.28499...). Not-a-number, infinities
// and values beyond the range of money give the empty text.
QString FormatAmountValue(double value);

// The size of an amount without its sign. The most negative qint64 has no
// positive twin and gives the largest positive value, one ten-thousandth
// less, which shows the same.
qint64 AbsoluteAmount(qint64 tenThousandths);

// "####0": plain digits with a leading "-" when negative.
QString FormatCount(qint64 count);

// "###%": the fraction as a whole percentage, rounded half away from zero:
// 0.5 gives "50%", 0.125 "13%", 1.5 "150%". Zero gives "0%" (the pattern's
// bare "%" would say nothing). Not-a-number and absurd values give the empty
// text.
QString FormatPercent(double fraction);

}
