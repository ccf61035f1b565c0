#pragma once
// In-place add and subtract, and the larger or smaller of two values, for the
// amounts, counters and dates that many procedures total up. Whole-number
// values (money in ten-thousandths, counts) stop at their type's limits
// instead of wrapping round, so a damaged file with absurd amounts gives an
// absurd total, never a crash or a sign flip.
#include <limits>
#include <type_traits>

namespace tallyo {

template <typename T, typename U>
constexpr void AddTo(T& variable, U amount)
{
    if constexpr (std::is_integral_v<T> && std::is_integral_v<U>) {
        T sum;
        if (__builtin_add_overflow(variable, amount, &sum))
            sum = amount > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
        variable = sum;
    } else {
        variable = T(variable + amount);
    }
}

template <typename T, typename U>
constexpr void SubtractFrom(T& variable, U amount)
{
    if constexpr (std::is_integral_v<T> && std::is_integral_v<U>) {
        T difference;
        if (__builtin_sub_overflow(variable, amount, &difference))
            difference = amount > 0 ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
        variable = difference;
    } else {
        variable = T(variable - amount);
    }
}

// a when a >= b, else b.
template <typename A, typename B>
constexpr std::common_type_t<A, B> LargerOf(A a, B b)
{
    using R = std::common_type_t<A, B>;
    return R(a) >= R(b) ? R(a) : R(b);
}

// a when a <= b, else b.
template <typename A, typename B>
constexpr std::common_type_t<A, B> SmallerOf(A a, B b)
{
    using R = std::common_type_t<A, B>;
    return R(a) <= R(b) ? R(a) : R(b);
}

}
