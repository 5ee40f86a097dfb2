#include "geometry/circuit_fractions.h"

#include "text/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vantor {
namespace {

// The value a label names, read independently of the table: "3/40", "1-1/7", "12".
double LabelValue(std::string_view label)
{
    double whole = 0;
    const size_t dash = label.find('-');
    if (dash != std::string_view::npos) {
        whole = *ParseDouble(label.substr(0, dash));
        label = label.substr(dash + 1);
    }
    const size_t slash = label.find('/');
    if (slash == std::string_view::npos) return whole + *ParseDouble(label);
    return whole + *ParseDouble(label.substr(0, slash)) / *ParseDouble(label.substr(slash + 1));
}

// The reference answer by plain scan: the largest index whose value is not above x.
int ScanIndex(double x)
{
    int index = 0;
    for (int i = 0; i <= kLastCircuitFraction; ++i)
        if (CircuitFractions[static_cast<size_t>(i)].Value <= x) index = i;
    return index;
}

TEST(CircuitFractionsTest, TableHoldsStrictlyRisingFractionsTheirLabelsName)
{
    ASSERT_EQ(CircuitFractions.size(), 142u);
    EXPECT_EQ(CircuitFractions.front().Label, "3/40");
    EXPECT_EQ(CircuitFractions.back().Label, "40");
    EXPECT_EQ(CircuitFractions[103].Label, "1/2");
    EXPECT_EQ(CircuitFractions[119].Label, "1");
    EXPECT_EQ(CircuitFractions[120].Label, "1-1/7");
    for (size_t i = 0; i < CircuitFractions.size(); ++i) {
        EXPECT_DOUBLE_EQ(CircuitFractions[i].Value, LabelValue(CircuitFractions[i].Label)) << i;
        if (i > 0) {
            EXPECT_LT(CircuitFractions[i - 1].Value, CircuitFractions[i].Value) << i;
        }
    }
}

TEST(CircuitFractionsTest, HuntIndexRoundsDownToAFraction)
{
    struct TCase {
        double x;
        std::string label;
    };
    const TCase cases[] = {
        {0.45, "4/9"},   // 4/9 = 0.444 <= 0.45 < 5/11 = 0.4545: the lower one, not the nearer
        {0.5, "1/2"},    // an exact fraction is its own answer
        {50, "40"},      // beyond the table
        {0.05, "3/40"},  // below the table
        {1.2, "1-1/5"},
        {7.0 / 14, "1/2"},
    };
    for (const TCase& c : cases)
        for (int start : {-1, 0, 50, 103, 141, 142, 5000})
            EXPECT_EQ(CircuitFractions[static_cast<size_t>(HuntIndex(start, c.x))].Label, c.label)
                << "x " << c.x << " from " << start;
}

TEST(CircuitFractionsTest, HuntIndexFromAnyStartAgreesWithAPlainScan)
{
    for (int i = 0; i <= 4100; ++i) {
        const double x = i * 0.01;
        const int expected = ScanIndex(x);
        for (int start = -3; start <= kLastCircuitFraction + 3; start += 7)
            ASSERT_EQ(HuntIndex(start, x), expected) << "x " << x << " from " << start;
    }
    EXPECT_EQ(HuntIndex(103, std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(HuntIndex(103, -std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(HuntIndex(103, std::numeric_limits<double>::infinity()), kLastCircuitFraction);
}

TEST(CircuitFractionsTest, LabelOfAnIndexOutsideTheTableIsOneHalf)
{
    EXPECT_EQ(CircuitFractionLabel(0), "3/40");
    EXPECT_EQ(CircuitFractionLabel(-1), "1/2");
    EXPECT_EQ(CircuitFractionLabel(142), "1/2");
}

}  // namespace
}  // namespace vantor
