#pragma once

// The serpentine fractions: how many circuits feed each tube of the face (circuits per
// tube high, or per row deep), rounded down to the nearest fraction a coil builder can
// braze. Each label names its value ("1-1/7" is 1 + 1/7); the values rise strictly.

#include <array>
#include <string_view>

namespace vantor {

struct TCircuitFraction {
    std::string_view Label;
    double Value;
};

namespace detail {
constexpr TCircuitFraction Fraction(std::string_view label, int whole, int numerator, int denominator)
{
    return {label, whole + static_cast<double>(numerator) / denominator};
}
}  // namespace detail

inline constexpr std::array<TCircuitFraction, 142> CircuitFractions = [] {
    using detail::Fraction;
    return std::array<TCircuitFraction, 142>{{
        Fraction("3/40", 0, 3, 40), Fraction("1/13", 0, 1, 13), Fraction("3/38", 0, 3, 38), Fraction("3/37", 0, 3, 37),
        Fraction("1/12", 0, 1, 12), Fraction("3/35", 0, 3, 35), Fraction("3/34", 0, 3, 34), Fraction("1/11", 0, 1, 11),
        Fraction("3/32", 0, 3, 32), Fraction("3/31", 0, 3, 31), Fraction("1/10", 0, 1, 10), Fraction("4/39", 0, 4, 39),
        Fraction("3/29", 0, 3, 29), Fraction("2/19", 0, 2, 19), Fraction("3/28", 0, 3, 28), Fraction("4/37", 0, 4, 37),
        Fraction("1/9", 0, 1, 9), Fraction("4/35", 0, 4, 35), Fraction("3/26", 0, 3, 26), Fraction("2/17", 0, 2, 17),
        Fraction("3/25", 0, 3, 25), Fraction("4/33", 0, 4, 33), Fraction("1/8", 0, 1, 8), Fraction("5/39", 0, 5, 39),
        Fraction("4/31", 0, 4, 31), Fraction("3/23", 0, 3, 23), Fraction("5/38", 0, 5, 38), Fraction("2/15", 0, 2, 15),
        Fraction("5/37", 0, 5, 37), Fraction("3/22", 0, 3, 22), Fraction("4/29", 0, 4, 29), Fraction("5/36", 0, 5, 36),
        Fraction("1/7", 0, 1, 7), Fraction("5/34", 0, 5, 34), Fraction("4/27", 0, 4, 27), Fraction("3/20", 0, 3, 20),
        Fraction("5/33", 0, 5, 33), Fraction("2/13", 0, 2, 13), Fraction("5/32", 0, 5, 32), Fraction("3/19", 0, 3, 19),
        Fraction("4/25", 0, 4, 25), Fraction("5/31", 0, 5, 31), Fraction("6/37", 0, 6, 37), Fraction("1/6", 0, 1, 6),
        Fraction("6/35", 0, 6, 35), Fraction("5/29", 0, 5, 29), Fraction("4/23", 0, 4, 23), Fraction("3/17", 0, 3, 17),
        Fraction("5/28", 0, 5, 28), Fraction("2/11", 0, 2, 11), Fraction("5/27", 0, 5, 27), Fraction("3/16", 0, 3, 16),
        Fraction("4/21", 0, 4, 21), Fraction("5/26", 0, 5, 26), Fraction("6/31", 0, 6, 31), Fraction("1/5", 0, 1, 5),
        Fraction("8/39", 0, 8, 39), Fraction("6/29", 0, 6, 29), Fraction("5/24", 0, 5, 24), Fraction("4/19", 0, 4, 19),
        Fraction("3/14", 0, 3, 14), Fraction("8/37", 0, 8, 37), Fraction("5/23", 0, 5, 23), Fraction("2/9", 0, 2, 9),
        Fraction("5/22", 0, 5, 22), Fraction("8/35", 0, 8, 35), Fraction("3/13", 0, 3, 13), Fraction("4/17", 0, 4, 17),
        Fraction("5/21", 0, 5, 21), Fraction("6/25", 0, 6, 25), Fraction("8/33", 0, 8, 33), Fraction("1/4", 0, 1, 4),
        Fraction("8/31", 0, 8, 31), Fraction("6/23", 0, 6, 23), Fraction("5/19", 0, 5, 19), Fraction("4/15", 0, 4, 15),
        Fraction("3/11", 0, 3, 11), Fraction("8/29", 0, 8, 29), Fraction("5/18", 0, 5, 18), Fraction("2/7", 0, 2, 7),
        Fraction("5/17", 0, 5, 17), Fraction("8/27", 0, 8, 27), Fraction("3/10", 0, 3, 10), Fraction("4/13", 0, 4, 13),
        Fraction("5/16", 0, 5, 16), Fraction("6/19", 0, 6, 19), Fraction("8/25", 0, 8, 25), Fraction("1/3", 0, 1, 3),
        Fraction("8/23", 0, 8, 23), Fraction("6/17", 0, 6, 17), Fraction("5/14", 0, 5, 14), Fraction("4/11", 0, 4, 11),
        Fraction("3/8", 0, 3, 8), Fraction("8/21", 0, 8, 21), Fraction("5/13", 0, 5, 13), Fraction("2/5", 0, 2, 5),
        Fraction("5/12", 0, 5, 12), Fraction("8/19", 0, 8, 19), Fraction("3/7", 0, 3, 7), Fraction("4/9", 0, 4, 9),
        Fraction("5/11", 0, 5, 11), Fraction("6/13", 0, 6, 13), Fraction("8/17", 0, 8, 17), Fraction("1/2", 0, 1, 2),
        Fraction("8/15", 0, 8, 15), Fraction("6/11", 0, 6, 11), Fraction("5/9", 0, 5, 9), Fraction("4/7", 0, 4, 7),
        Fraction("3/5", 0, 3, 5), Fraction("8/13", 0, 8, 13), Fraction("5/8", 0, 5, 8), Fraction("2/3", 0, 2, 3),
        Fraction("5/7", 0, 5, 7), Fraction("8/11", 0, 8, 11), Fraction("3/4", 0, 3, 4), Fraction("4/5", 0, 4, 5),
        Fraction("5/6", 0, 5, 6), Fraction("6/7", 0, 6, 7), Fraction("8/9", 0, 8, 9), Fraction("1", 1, 0, 1),
        Fraction("1-1/7", 1, 1, 7), Fraction("1-1/5", 1, 1, 5), Fraction("1-1/4", 1, 1, 4), Fraction("1-1/3", 1, 1, 3),
        Fraction("1-1/2", 1, 1, 2), Fraction("1-3/5", 1, 3, 5), Fraction("1-2/3", 1, 2, 3), Fraction("2", 2, 0, 1),
        Fraction("2-1/2", 2, 1, 2), Fraction("2-2/3", 2, 2, 3), Fraction("3", 3, 0, 1), Fraction("4", 4, 0, 1),
        Fraction("5", 5, 0, 1), Fraction("6", 6, 0, 1), Fraction("8", 8, 0, 1), Fraction("10", 10, 0, 1),
        Fraction("12", 12, 0, 1), Fraction("14", 14, 0, 1), Fraction("16", 16, 0, 1), Fraction("18", 18, 0, 1),
        Fraction("20", 20, 0, 1), Fraction("40", 40, 0, 1),
    }};
}();

inline constexpr int kLastCircuitFraction = static_cast<int>(CircuitFractions.size()) - 1;
inline constexpr int kHalfCircuitFraction = 103;  // "1/2"

// The largest index whose fraction is not above x, limited to the table, found by hunting
// outward from start (the previous answer, so a small change costs a step or two). A start
// outside the table searches the whole of it.
int HuntIndex(int start, double x);

// The label at index, or the label of "1/2" for an index outside the table.
std::string_view CircuitFractionLabel(int index);

}  // namespace vantor
