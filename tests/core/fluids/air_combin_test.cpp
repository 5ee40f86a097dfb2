#include "fluids/air_combin.h"

#include "psychro/moist_air_state.h"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

// Letter indexes of the calculator's rows.
constexpr int kDryBulb = 1, kRelativeHumidity = 5, kDewPoint = 6, kDensity = 9, kSpecificHeat = 10;

TEST(AirCombin, NewObjectStartsFromDryAndWetBulb)
{
    TAirCombin combin;
    EXPECT_EQ(combin.History, "tb");
    EXPECT_TRUE(combin.Chosen.empty());
    EXPECT_EQ(combin.PairCode, 0);
    EXPECT_EQ(combin.Letters, "ptbhwfdvsrcz");
}

TEST(AirCombin, TheTwoLatestIndependentEditsWin)
{
    struct TStep {
        int index;
        const char* history;
        char a, b;
        int code;
    };
    // Dew point, dry bulb, relative humidity, then density: (ro, RH) does not fix a state, so
    // the search goes on to (ro, db). Specific heat pairs with nothing.
    const TStep steps[] = {
        {kDewPoint, "dtb", 'd', 't', pcDbTd},
        {kDryBulb, "tdb", 't', 'd', pcDbTd},
        {kRelativeHumidity, "ftdb", 'f', 't', pcDbRH},
        {kDensity, "rftdb", 'r', 't', pcDbRo},
        {kSpecificHeat, "crftdb", 'r', 't', pcDbRo},
    };
    TAirCombin combin;
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.history);
        combin.Select(step.index);
        EXPECT_EQ(combin.History, step.history);
        EXPECT_TRUE(combin.Contains(step.a, step.b));
        EXPECT_EQ(combin.Chosen.size(), 2u);
        EXPECT_EQ(combin.PairCode, step.code);
    }
}

TEST(AirCombin, PairCodesInEitherOrder)
{
    struct TCase {
        char a, b;
        int code;
    };
    const TCase cases[] = {
        {'t', 'b', 0},  {'t', 'h', 1},  {'t', 'w', 2},  {'t', 'f', 3},  {'t', 'd', 4},  {'t', 'v', 5},
        {'t', 'r', 7},  {'b', 'h', 8},  {'b', 'w', 9},  {'b', 'f', 10}, {'b', 'd', 11}, {'b', 'v', 12},
        {'b', 's', 13}, {'b', 'r', 14}, {'h', 'w', 15}, {'h', 'f', 16}, {'h', 'd', 17}, {'h', 'v', 18},
        {'h', 's', 19}, {'w', 'f', 25}, {'w', 's', 26}, {'f', 'd', 28}, {'f', 'v', 29}, {'f', 's', 30},
        {'d', 's', 31}, {'v', 's', 32},
        // Dependent pairs, and pairs with pressure, specific heat or the spare letter.
        {'t', 's', -1}, {'w', 'd', -1}, {'w', 'v', -1}, {'d', 'v', -1}, {'h', 'r', -1}, {'f', 'r', -1},
        {'p', 't', -1}, {'c', 'b', -1}, {'z', 't', -1},
    };
    for (const TCase& c : cases) {
        for (const auto& [first, second] : {std::pair{c.a, c.b}, std::pair{c.b, c.a}}) {
            SCOPED_TRACE(std::string(1, first) + second);
            TAirCombin combin;
            combin.Chosen = {first, second};
            EXPECT_EQ(combin.Evaluate(), c.code >= 0);
            EXPECT_EQ(combin.PairCode, c.code >= 0 ? c.code : 0);
        }
    }
}

TEST(AirCombin, NoQualifyingPairLeavesTheLastTriedWithCodeZero)
{
    TAirCombin combin;
    combin.History = "p";
    combin.Select(10);  // "cp": (c, p) is tried and fails
    EXPECT_EQ(combin.History, "cp");
    EXPECT_TRUE(combin.Contains('c', 'p'));
    EXPECT_EQ(combin.PairCode, 0);

    // Outside the twelve letters nothing happens.
    for (int index : {-1, 12, 100}) {
        combin.Select(index);
        EXPECT_EQ(combin.History, "cp");
    }
}

}  // namespace
}  // namespace vantor
