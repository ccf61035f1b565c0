#pragma once
// The amount box's two ways of typing an amount, as rules on texts and keys
// so that they can be followed without a window.
//
// Method 0, left to right: digits, one "." and one "," are typed as usual.
// Method 1, right to left: every digit enters at the cents end (keys 1, 2,
// 3, 4 show 0.01, 0.12, 1.23, 12.34); Backspace and "." take the last digit
// off again; an amount of zero leaves the box empty.
//
// The box shows the amount without its sign. At most 12 characters are
// typed (thousands separators not counted), up to 999,999,999.99: 12 typed
// characters in method 0, 11 digits in method 1. The amount as shown in the
// amount format may be longer ("999,999,999.99"), so the box holds that.
// A key that would pass the limit is refused, so that no digit is ever cut
// off; a larger amount from the file is shown whole and can be shortened.
#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace tallyo {

enum AmountEntryMethod : int {
    LeftToRightEntry = 0,
    RightToLeftEntry = 1,
};

inline constexpr int AmountBoxLength = 12;
// The longest amount that can be typed, and the room it takes when shown.
inline constexpr qint64 LargestTypedAmount = 999'999'999'99LL * 100;
inline constexpr int AmountBoxShownLength = 14;

// The amount as the box shows it: its size in the amount format.
QString AmountBoxText(qint64 amount);
// The size of the amount a box text reads as: "," counts as a thousands
// separator. Nothing for a text that reads as no number.
std::optional<qint64> AmountBoxValue(QStringView text);
// The text as it stands once the box loses the focus: a number in the amount
// format, separators alone as zero; a text that is no number (pasted) is
// left as it is, for Save to refuse.
QString FinishedAmountText(QStringView text);

// Method 0: whether a typed character is taken, given the text before the
// key and the text the key would leave.
bool LeftToRightAccepts(QStringView before, QChar key, QStringView after);

// Method 1: the amount in cents as a string of digits.
class RightToLeftAmount {
public:
    // Starts from the shown text on gaining the focus: 1,234.56 gives
    // 123456; an empty box gives 0.
    void start(QStringView shown);
    // A digit is added at the end; Backspace and "." take the last digit
    // off. False for a refused key (anything else, or a digit that would not
    // fit the box).
    bool press(QChar key);
    bool backspace();
    // The text the box shows: the digits as an amount, empty for zero.
    QString text() const;
    const QString& digits() const { return digits_; }

private:
    QString digits_;
};

}
