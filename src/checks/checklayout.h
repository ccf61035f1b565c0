#pragma once
// Where on the check paper each of the six fields of a check is printed: a
// row (printed lines from the top) and a column (character columns from the
// left) per field, twelve bytes kept in the account's index record. The
// rules of the setup window on them: which typed values count as missing,
// which layouts may be saved, and the bytes a saved layout stores.
#include "store/records.h"

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace tallyo {

using CheckLayout = std::array<quint8, AccountRecord::CheckLayoutWidth>;

// The twelve fields of a layout, numbered from 1 as the setup window's
// fields are: odd numbers are rows, even numbers columns.
inline constexpr int LayoutFieldCount = AccountRecord::CheckLayoutWidth;
enum CheckField : int {
    CheckNumberField = 0,
    DateField = 1,
    PayeeField = 2,
    FiguresField = 3,
    WordsField = 4,
    CommentField = 5,
};
inline constexpr int RowFieldOf(CheckField field) { return 2 * field + 1; }
inline constexpr int ColumnFieldOf(CheckField field) { return 2 * field + 2; }

inline int LayoutRow(const CheckLayout& layout, CheckField field) { return layout[std::size_t(2 * field)]; }
inline int LayoutColumn(const CheckLayout& layout, CheckField field) { return layout[std::size_t(2 * field + 1)]; }

// A layout whose check-number row is 0 has not been set up.
inline bool IsLayoutSet(const CheckLayout& layout) { return layout[0] != 0; }

// The text a setup field shows for a stored byte: the decimal number, or
// nothing for 0.
QString LayoutFieldText(quint8 value);

// The value of a setup field's text: its number, or nothing when the text,
// read as a number and rounded down to a whole number, is 0 (empty, zero, a
// fraction below 1, or not a number at all); such a field is emptied and
// counts as missing.
std::optional<double> LayoutFieldValue(QStringView text);

// A typed value as it would be stored: rounded to a whole number, a half
// going to the even neighbour (2.5 gives 2, 3.5 gives 4).
double StoredLayoutValue(double typed);

// What keeps a complete set of twelve values from being saved, and the
// field (1 to 12) that gets the focus.
enum class LayoutProblem {
    None,
    AboveLimit,  // a value above 255
    BelowOne,    // a negative value
    Order,       // the fields are not in their order on the check
};
struct LayoutCheck {
    LayoutProblem problem = LayoutProblem::None;
    int field = 0;
    bool operator==(const LayoutCheck&) const = default;
};

// Checks the typed values in the order the setup window reports them: the
// first value above 255 (in field order), then the first below 1, then the
// order rules in turn: payee column before the figures' column (focus on
// the payee column), check-number row above the date row (date row), date
// row above the payee row (payee row), payee row not below the figures' row
// (figures' row), figures' row above the words' row (words' row), words' row
// above the comment row (comment row). Every test is made on the values as
// they would be stored, so a saved layout always keeps the rules.
LayoutCheck CheckLayoutValues(const std::array<double, LayoutFieldCount>& typed);

// The bytes stored for twelve typed values that passed the check.
CheckLayout StoredLayout(const std::array<double, LayoutFieldCount>& typed);

}
