#include "reports/colors.h"

#include "text/format.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

std::uint8_t Red(TColor color) { return static_cast<std::uint8_t>(color & 0xFF); }
std::uint8_t Green(TColor color) { return static_cast<std::uint8_t>((color >> 8) & 0xFF); }
std::uint8_t Blue(TColor color) { return static_cast<std::uint8_t>((color >> 16) & 0xFF); }

std::uint8_t ToByte(double fraction)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0));
}

double Wrap(double hue)
{
    if (hue < 0) hue += 1;
    if (hue > 1) hue -= 1;
    return hue;
}

// One channel of the HSL-to-RGB conversion for the hue shifted to that channel.
double Channel(double p, double q, double hue)
{
    hue = Wrap(hue);
    if (6 * hue < 1) return p + (q - p) * 6 * hue;
    if (2 * hue < 1) return q;
    if (3 * hue < 2) return p + (q - p) * (2.0 / 3.0 - hue) * 6;
    return p;
}

}  // namespace

THsl ColorToHsl(TColor color)
{
    const double r = Red(color) / 255.0;
    const double g = Green(color) / 255.0;
    const double b = Blue(color) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    THsl hsl;
    hsl.Lightness = (max + min) / 2;
    if (max == min) return hsl;
    const double d = max - min;
    hsl.Saturation = hsl.Lightness < 0.5 ? d / (max + min) : d / (2 - max - min);
    const double rShift = ((max - r) / 6 + d / 2) / d;
    const double gShift = ((max - g) / 6 + d / 2) / d;
    const double bShift = ((max - b) / 6 + d / 2) / d;
    if (r == max) hsl.Hue = bShift - gShift;
    else if (g == max) hsl.Hue = 1.0 / 3.0 + rShift - bShift;
    else hsl.Hue = 2.0 / 3.0 + gShift - rShift;
    hsl.Hue = Wrap(hsl.Hue);
    return hsl;
}

TColor HslToColor(const THsl& hsl)
{
    const double l = hsl.Lightness;
    const double s = hsl.Saturation;
    if (s == 0) return RgbColor(ToByte(l), ToByte(l), ToByte(l));
    const double q = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return RgbColor(ToByte(Channel(p, q, hsl.Hue + 1.0 / 3.0)), ToByte(Channel(p, q, hsl.Hue)),
                    ToByte(Channel(p, q, hsl.Hue - 1.0 / 3.0)));
}

std::string ColorToHtml(TColor color)
{
    return Format("#%.2x%.2x%.2x", {Red(color), Green(color), Blue(color)});
}

TColor BlendColors(TColor colorA, TColor colorB, double high, double low, double value)
{
    // Equal limits leave no span to blend over: the value is either at or beyond them.
    double t = high == low ? (value >= high ? 1.0 : 0.0) : (value - low) / (high - low);
    if (!(t >= 0)) t = 0;  // also a value that is not a number
    t = std::min(t, 1.0);
    const THsl a = ColorToHsl(colorA);
    const THsl b = ColorToHsl(colorB);
    auto mix = [t](double x, double y) { return (1 - t) * x + t * y; };
    return HslToColor({mix(a.Hue, b.Hue), mix(a.Saturation, b.Saturation), mix(a.Lightness, b.Lightness)});
}

}  // namespace vantor
