#include "reports/colors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantor {
namespace {

constexpr TColor kBlack = RgbColor(0, 0, 0);
constexpr TColor kOrangeRed = RgbColor(255, 69, 0);

TEST(Colors, HtmlTextIsRedGreenBlueInUpperCaseHex)
{
    EXPECT_EQ(ColorToHtml(0x0000FF), "#FF0000");  // red lives in the lowest byte
    EXPECT_EQ(ColorToHtml(0xFF0000), "#0000FF");
    EXPECT_EQ(ColorToHtml(kOrangeRed), "#FF4500");
    EXPECT_EQ(ColorToHtml(RgbColor(10, 171, 205)), "#0AABCD");
}

// Standard HSL values of named colours (CSS Color Module Level 3).
TEST(Colors, HslConversionsAgreeWithTheStandardValues)
{
    const struct {
        TColor Color;
        double Hue, Saturation, Lightness;
    } cases[] = {
        {RgbColor(255, 0, 0), 0, 1, 0.5},
        {RgbColor(0, 255, 0), 1.0 / 3, 1, 0.5},
        {RgbColor(0, 0, 255), 2.0 / 3, 1, 0.5},
        {RgbColor(255, 255, 255), 0, 0, 1},
        {RgbColor(128, 128, 128), 0, 0, 128.0 / 255},
        {RgbColor(255, 0, 255), 5.0 / 6, 1, 0.5},
        {RgbColor(0, 128, 128), 0.5, 1, 64.0 / 255},
    };
    for (const auto& c : cases) {
        const THsl hsl = ColorToHsl(c.Color);
        EXPECT_NEAR(hsl.Hue, c.Hue, 1e-9) << ColorToHtml(c.Color);
        EXPECT_NEAR(hsl.Saturation, c.Saturation, 1e-9) << ColorToHtml(c.Color);
        EXPECT_NEAR(hsl.Lightness, c.Lightness, 1e-9) << ColorToHtml(c.Color);
        EXPECT_EQ(HslToColor(hsl), c.Color) << ColorToHtml(c.Color);
    }
}

TEST(Colors, BlendsRunFromTheFirstColourToTheSecond)
{
    // Face velocity shading: black up to 2.4 m/s, full orange-red from 3.1 m/s.
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 3.1, 2.4, 2.0), kBlack);
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 3.1, 2.4, 2.4), kBlack);
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 3.1, 2.4, 3.1), kOrangeRed);
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 3.1, 2.4, 5.0), kOrangeRed);
    // Halfway: lightness and saturation halfway, the hue interpolated from black's 0.
    const THsl half = ColorToHsl(BlendColors(kBlack, kOrangeRed, 3.1, 2.4, 2.75));
    EXPECT_NEAR(half.Lightness, 0.25, 1.0 / 255);
    // Effectiveness shading runs the other way: black at 1, orange-red at 0.
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 0, 1, 1.0), kBlack);
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 0, 1, 0.0), kOrangeRed);
    // Degenerate limits and values do not fail.
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 0, 0, 5.0), kOrangeRed);
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 0, 0, -5.0), kBlack);
    EXPECT_EQ(BlendColors(kBlack, kOrangeRed, 3.1, 2.4, std::nan("")), kBlack);
}

}  // namespace
}  // namespace vantor
