#pragma once
// Shared numeric tolerances and angle helpers.
//
// Two doubles are equal, and a value is zero, when they differ by less than kTiny. A value whose magnitude
// exceeds kHuge is unusable (a division by a near-zero, an overflowed fit). Maxima and minima over an empty
// set are kEmptyMax and kEmptyMin, so that any real value replaces them at the first comparison.

#include <cmath>
#include <numbers>

namespace kinoval {

inline constexpr double kTiny = 1e-100;
inline constexpr double kHuge = 1e100;
inline constexpr double kEmptyMax = -1e100;
inline constexpr double kEmptyMin = 1e100;

inline bool IsZero(double v)
{
    return std::fabs(v) < kTiny;
}
inline bool IsEqual(double a, double b)
{
    return std::fabs(a - b) < kTiny;
}
inline bool IsUnusable(double v)
{
    return !(std::fabs(v) <= kHuge);
} // NaN counts as unusable

// Brings an angle into (-pi, pi] by adding or subtracting whole turns.
inline double NormalizeAngle(double angle)
{
    constexpr double pi = std::numbers::pi;
    if (!std::isfinite(angle))
        return angle;
    if (angle > pi || angle <= -pi) {
        angle = std::remainder(angle, 2 * pi); // in [-pi, pi]
        if (angle <= -pi)
            angle += 2 * pi;
    }
    return angle;
}

} // namespace kinoval
