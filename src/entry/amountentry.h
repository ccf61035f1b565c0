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
// typed (thousands separators not counted), up to 999,999,999.99 with at
// most two decimals: 12 typed characters in method 0, 11 digits in method 1.
// Whatever changes the text (a key, a paste, a drop) goes through the same
// rules: a change that breaks them is refused whole, so no digit is ever
// cut off and the box never holds an amount that would be stored as another.
// A larger amount from the file is shown whole and can be shortened; Save
// refuses it until it is.
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
// The largest amount that can be typed or saved.
inline constexpr qint64 LargestTypedAmount = 999'999'999'99LL * 100;

// The amount as the box shows it: its size in the amount format.
QString AmountBoxText(qint64 amount);
// The size of the amount a box text reads as: "," counts as a thousands
// separator. Nothing for a text that reads as no number.
std::optional<qint64> AmountBoxValue(QStringView text);
// The text as it stands once the box loses the focus: a number in the amount
// format, separators alone as zero; another text that is no number (",5")
// is left as it is, for Save to refuse.
QString FinishedAmountText(QStringView text);

// Why Save refuses the box's text, in the words of the "Entry Error"
// message; empty when the text can be saved.
QString AmountEntryError(QStringView text);

// What a change of the text took out and put in: the text that stayed
// (before the change, without what was taken out) and what came in.
struct TextChange {
    QString kept;
    QString inserted;
};
TextChange ChangeBetween(QStringView before, QStringView after);

// Method 0: whether a change of the text is taken, given the text before
// and after it (a key, a paste, a cut). What came in is taken as typed one
// character at a time: digits, a "." when the text holds none, a "," when
// it holds none; at most two decimals, 12 typed characters and the largest
// amount. An amount in the box's own format ("1,234,567.89") is taken too.
// Taking characters out is always allowed, as Backspace is, unless it would
// make the amount larger than the largest one.
bool LeftToRightAccepts(QStringView before, QStringView after);

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
    // Pasted text: digits only, each one added as if typed; refused whole
    // (false, nothing changed) when anything else comes in or the amount
    // would not fit.
    bool insert(QStringView text);
    // The text the box shows: the digits as an amount, empty for zero.
    QString text() const;
    const QString& digits() const { return digits_; }

private:
    QString digits_;
};

}
