#include "rows/input_check.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantor {
namespace {

TEST(InputCheck, EveryValueThatCouldNotBeUsedIsNotedWithTheValueUsed)
{
    const double inf = std::numeric_limits<double>::infinity();
    const TValueRange inlet{5, 150};
    const TValueRange barometer{70, 120, true};
    const TValueRange factor{0, 0, false, true};
    const struct {
        const char* Name;
        const char* Text;
        double Fallback;
        TValueRange Range;
        double Used;
        const char* Note;  // empty: used as it stood
    } cases[] = {
        {"tfi", "80.5", 45, inlet, 80.5, ""},
        {"tfi", " 80.5 ", 45, inlet, 80.5, ""},
        {"tfi", "80,5", 45, inlet, 45, "tfi: \"80,5\" is not a number; 45 kept"},
        {"tfi", "nan", 45, inlet, 45, "tfi: \"nan\" is not a number; 45 kept"},
        {"tfi", "", 45, inlet, 45, "tfi: \"\" is not a number; 45 kept"},
        {"tfi", "200", 45, inlet, 150, "tfi: 200 is outside 5 to 150; 150 used"},
        {"tfi", "4.99", 45, inlet, 4.99, ""},  // within half a per cent of the limit, as typing
        {"tfi", "4.9", 45, inlet, 5, "tfi: 4.9 is outside 5 to 150; 5 used"},
        {"AdditiveVolume", "5", 0.3, {0.01, 0.45}, 0.45, "AdditiveVolume: 5 is outside 0.01 to 0.45; 0.45 used"},
        {"Pressure", "5", 101.325, barometer, 101.325, "Pressure: 5 is outside 70 to 120; 101.325 used"},
        {"Pressure", "95", 101.325, barometer, 95, ""},
        {"DutyFactor", "-1", 1, factor, 1, "DutyFactor: -1 is not greater than zero; 1 used"},
        {"DutyFactor", "0", 1, factor, 1, "DutyFactor: 0 is not greater than zero; 1 used"},
        {"DutyFactor", "1e6", 1, factor, 1e6, ""},
        {"Circ", "-3", 7, {}, -3, ""},  // no range: any finite number
    };
    for (const auto& c : cases) {
        TInputCheck check;
        EXPECT_EQ(check.Checked(c.Name, c.Text, c.Fallback, c.Range), c.Used) << c.Text;
        if (*c.Note == 0) {
            EXPECT_TRUE(check.Empty()) << c.Text;
        } else {
            ASSERT_EQ(check.Notes().size(), 1u) << c.Text;
            EXPECT_EQ(check.Notes().front(), c.Note);
        }
    }

    TInputCheck binary;
    EXPECT_EQ(binary.Checked("m", inf, 0.8, {0.01, 20}), 0.8);
    EXPECT_EQ(binary.Checked("m", 25.0, 0.8, {0.01, 20}), 20);
    EXPECT_EQ(binary.Message("Values of a.hqx that could not be used as they stood:"),
              "Values of a.hqx that could not be used as they stood:\n"
              "  m: INF is not a number; 0.8 kept\n"
              "  m: 25 is outside 0.01 to 20; 20 used");

    TInputCheck all;
    all.Append(binary);
    all.Note("CalcMode", "\"7\"", "is not one of 0 to 1", "0 used");
    EXPECT_EQ(all.Notes().size(), 3u);
    EXPECT_EQ(all.Notes().back(), "CalcMode: \"7\" is not one of 0 to 1; 0 used");
}

}  // namespace
}  // namespace vantor
