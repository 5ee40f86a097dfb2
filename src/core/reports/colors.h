#pragma once

// Colours as the reports and the coil dialogs use them: 24-bit values with red in the lowest
// byte, green in the middle and blue in the highest (0x0000FF is pure red).

#include <cstdint>
#include <string>

namespace vantor {

using TColor = std::uint32_t;

inline constexpr TColor RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) | (static_cast<TColor>(blue) << 16);
}

// Hue, saturation and lightness, each from 0 to 1.
struct THsl {
    double Hue = 0.0;
    double Saturation = 0.0;
    double Lightness = 0.0;
};

THsl ColorToHsl(TColor color);
TColor HslToColor(const THsl& hsl);

// "#RRGGBB" in upper-case hexadecimal ("#FF0000" for pure red).
std::string ColorToHtml(TColor color);

// A shade between two colours for a value between low and high, blended in HSL: colorA at or
// below low, colorB at or above high (high may lie below low; the blend then runs the other
// way).
TColor BlendColors(TColor colorA, TColor colorB, double high, double low, double value);

}  // namespace vantor
