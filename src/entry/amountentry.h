#pragma once
// The amount box's two ways of typing an amount, as rules on texts and keys
// so that they can be followed without a window.
//
// Method 0, left to right: digits, one "." and one "," are typed as usual.
// Method 1, right to left: every digit enters at the cents end (keys 1, 2,
// 3, 4 show 0.01, 0.12, 1.23, 12.34); Backspace and "." take the last digit
// off again; an amount of zero leaves the box empty.
//
// The box shows the amount without its sign, and never more than its 12
// characters: a key that would make the shown amount longer is refused, so
// that no digit is ever cut off.
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

// The amount as the box shows it: its size in the amount format.
QString AmountBoxText(qint64 amount);
// The size of the amount a box text reads as: "," counts as a thousands
// separator. Nothing for a text that reads as no number.
std::optional<qint64> AmountBoxValue(QStringView text);
// The text as it stands once the box loses the focus: a non-empty text in
// the amount format (text that reads as no number counts as zero).
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
