#pragma once

// The root of a one-variable function known to change sign between two points. Header-only so
// that the callers' lambdas inline: the rating loop calls this for every wet bulb.

#include <algorithm>
#include <cmath>

namespace vantor {

// Illinois false position, with a bisection step whenever two steps together have not
// halved the bracket, so that a jump in f (the psychrometer equation changes form at 0 °C)
// costs no more than bisection would. True with `root` the middle of the bracket once it is
// narrower than `tolerance`; false when f(a) and f(b) share a sign, f is not finite, or 200 steps do not
// settle it.
template <class Function>
bool FindBracketedRoot(const Function& f, double a, double b, double tolerance, double& root)
{
    double fa = f(a);
    double fb = f(b);
    if (!std::isfinite(fa) || !std::isfinite(fb)) return false;
    if (fa == 0.0) { root = a; return true; }
    if (fb == 0.0) { root = b; return true; }
    if ((fa < 0.0) == (fb < 0.0)) return false;

    constexpr int kMaxSteps = 200;
    int retainedSide = 0;  // -1: a was kept last step, +1: b was kept
    double widthTwoStepsAgo = std::abs(b - a);
    double widthOneStepAgo = widthTwoStepsAgo;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double width = std::abs(b - a);
        if (width <= tolerance) {
            root = 0.5 * (a + b);
            return true;
        }
        double c = (a * fb - b * fa) / (fb - fa);
        const bool slow = step >= 2 && width > 0.5 * widthTwoStepsAgo;
        if (slow || !(c > std::min(a, b) && c < std::max(a, b))) c = 0.5 * (a + b);
        widthTwoStepsAgo = widthOneStepAgo;
        widthOneStepAgo = width;

        const double fc = f(c);
        if (!std::isfinite(fc)) return false;
        if (fc == 0.0) { root = c; return true; }
        if ((fc < 0.0) == (fb < 0.0)) {
            b = c;
            fb = fc;
            if (retainedSide == -1) fa *= 0.5;
            retainedSide = -1;
        } else {
            a = c;
            fa = fc;
            if (retainedSide == 1) fb *= 0.5;
            retainedSide = 1;
        }
    }
    return false;
}

}  // namespace vantor
