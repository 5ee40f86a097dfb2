#include "psychro/bracketed_root.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantor {
namespace {

TEST(BracketedRoot, FindsSmoothJumpingAndEndRoots)
{
    int calls = 0;
    const auto cubic = [&calls](double x) {
        ++calls;
        return x * x * x - 2.0 * x - 5.0;  // Wallis's cubic, root 2.0945514815423265
    };
    double root = 0.0;
    ASSERT_TRUE(FindBracketedRoot(cubic, 2.0, 3.0, 1e-12, root));
    EXPECT_NEAR(root, 2.0945514815423265, 1e-12);
    EXPECT_LT(calls, 15);

    // A step: the "root" is the jump, found to the tolerance.
    const auto step = [](double x) { return x < 0.3 ? -1.0 : 2.0; };
    ASSERT_TRUE(FindBracketedRoot(step, -10.0, 10.0, 1e-9, root));
    EXPECT_NEAR(root, 0.3, 1e-9);

    // Reversed bracket, and a root at an end.
    ASSERT_TRUE(FindBracketedRoot(cubic, 3.0, 2.0, 1e-12, root));
    EXPECT_NEAR(root, 2.0945514815423265, 1e-12);
    const auto line = [](double x) { return x - 1.0; };
    ASSERT_TRUE(FindBracketedRoot(line, 1.0, 4.0, 1e-12, root));
    EXPECT_EQ(root, 1.0);
}

TEST(BracketedRoot, RefusesWhatItCannotBracket)
{
    double root = 42.0;
    const auto positive = [](double x) { return x * x + 1.0; };
    EXPECT_FALSE(FindBracketedRoot(positive, -1.0, 1.0, 1e-9, root));
    const auto poles = [](double x) { return x > 0.5 ? std::numeric_limits<double>::quiet_NaN() : x - 0.7; };
    EXPECT_FALSE(FindBracketedRoot(poles, 0.0, 1.0, 1e-9, root));
    // Blows up inside the bracket: the search stops instead of running on.
    const auto inside = [](double x) {
        return std::abs(x - 0.5) < 0.2 ? std::numeric_limits<double>::infinity() : x - 0.5;
    };
    EXPECT_FALSE(FindBracketedRoot(inside, 0.0, 1.0, 1e-9, root));
    EXPECT_EQ(root, 42.0);
}

}  // namespace
}  // namespace vantor
