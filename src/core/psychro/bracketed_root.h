#pragma once

// The root of a one-variable function known to change sign between two points. Header-only so
// that the callers' lambdas inline: the rating loop calls this for every wet bulb.

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantor {

// Brent's method: inverse quadratic interpolation or secant steps while they close in fast,
// bisection otherwise, so a jump in f (the psychrometer equation changes form at 0 °C) costs
// no more than bisection would. True with `root` within `tolerance` of the sign change;
// false when f(a) and f(b) share a sign, f is not finite, or 200 steps do not settle it.
template <class Function>
bool FindBracketedRoot(const Function& f, double a, double b, double tolerance, double& root)
{
    double fa = f(a);
    double fb = f(b);
    if (!std::isfinite(fa) || !std::isfinite(fb)) return false;
    if ((fa > 0.0 && fb > 0.0) || (fa < 0.0 && fb < 0.0)) return false;

    constexpr int kMaxSteps = 200;
    constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
    // b is the best estimate, c the point on the other side of the sign change, a the
    // previous b; d is the last step and e the one before.
    double c = b;
    double fc = fb;
    double d = b - a;
    double e = d;
    for (int step = 0; step < kMaxSteps; ++step) {
        if ((fb > 0.0 && fc > 0.0) || (fb < 0.0 && fc < 0.0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::abs(fc) < std::abs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2.0 * kEpsilon * std::abs(b) + 0.5 * tolerance;
        const double half = 0.5 * (c - b);
        if (std::abs(half) <= tol || fb == 0.0) {
            root = b;
            return true;
        }
        if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
            const double s = fb / fa;
            double p = 0.0;
            double q = 0.0;
            if (a == c) {
                p = 2.0 * half * s;  // secant
                q = 1.0 - s;
            } else {
                const double qa = fa / fc;  // inverse quadratic through a, b, c
                const double r = fb / fc;
                p = s * (2.0 * half * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0) q = -q;
            p = std::abs(p);
            const double limit = std::min(3.0 * half * q - std::abs(tol * q), std::abs(e * q));
            if (2.0 * p < limit) {
                e = d;
                d = p / q;
            } else {
                d = half;
                e = d;
            }
        } else {
            d = half;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::abs(d) > tol ? d : std::copysign(tol, half);
        fb = f(b);
        if (!std::isfinite(fb)) return false;
    }
    return false;
}

}  // namespace vantor
