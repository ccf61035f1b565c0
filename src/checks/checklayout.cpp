#include "checklayout.h"

#include "util/numbers.h"

#include <cmath>

namespace tallyo {

namespace {

constexpr double LargestValue = 255;

struct OrderRule {
    int before;     // field that must hold the smaller value
    int after;      // field that must hold the larger value
    bool mayEqual;  // the two may be the same
    int focus;
};

// In the order they are tested.
constexpr std::array<OrderRule, 6> OrderRules{{
    {ColumnFieldOf(PayeeField), ColumnFieldOf(FiguresField), false, ColumnFieldOf(PayeeField)},
    {RowFieldOf(CheckNumberField), RowFieldOf(DateField), false, RowFieldOf(DateField)},
    {RowFieldOf(DateField), RowFieldOf(PayeeField), false, RowFieldOf(PayeeField)},
    {RowFieldOf(PayeeField), RowFieldOf(FiguresField), true, RowFieldOf(FiguresField)},
    {RowFieldOf(FiguresField), RowFieldOf(WordsField), false, RowFieldOf(WordsField)},
    {RowFieldOf(WordsField), RowFieldOf(CommentField), false, RowFieldOf(CommentField)},
}};

}

QString LayoutFieldText(quint8 value)
{
    return value == 0 ? QString() : QString::number(value);
}

std::optional<double> LayoutFieldValue(QStringView text)
{
    const std::optional<double> number = NumberValue(text);
    if (!number || std::floor(*number) == 0)
        return std::nullopt;
    return number;
}

double StoredLayoutValue(double typed)
{
    // The default rounding mode rounds halves to even.
    return std::nearbyint(typed);
}

LayoutCheck CheckLayoutValues(const std::array<double, LayoutFieldCount>& typed)
{
    std::array<double, LayoutFieldCount> stored{};
    for (int i = 0; i < LayoutFieldCount; ++i)
        stored[std::size_t(i)] = StoredLayoutValue(typed[std::size_t(i)]);
    const auto value = [&](int field) { return stored[std::size_t(field - 1)]; };

    for (int field = 1; field <= LayoutFieldCount; ++field) {
        if (value(field) > LargestValue)
            return {LayoutProblem::AboveLimit, field};
    }
    for (int field = 1; field <= LayoutFieldCount; ++field) {
        if (value(field) < 1)
            return {LayoutProblem::BelowOne, field};
    }
    for (const OrderRule& rule : OrderRules) {
        const double before = value(rule.before);
        const double after = value(rule.after);
        if (rule.mayEqual ? before > after : before >= after)
            return {LayoutProblem::Order, rule.focus};
    }
    return {};
}

CheckLayout StoredLayout(const std::array<double, LayoutFieldCount>& typed)
{
    CheckLayout layout{};
    for (int i = 0; i < LayoutFieldCount; ++i)
        layout[std::size_t(i)] = quint8(StoredLayoutValue(typed[std::size_t(i)]));
    return layout;
}

}
