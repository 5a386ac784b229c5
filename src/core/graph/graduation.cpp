#include "core/graph/graduation.h"

#include "core/common/numbers.h"
#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

namespace {

// Graduations are whole multiples of the step. Comparisons with the bounds allow a billionth of a step,
// so that a bound that is itself a graduation (0.3 for a step of 0.1) is not missed for the rounding of
// the division that found it.
constexpr double kStepTolerance = 1e-9;

double TruncatedQuotient(double value, double step)
{
    const double q = value / step;
    const double nearest = std::round(q);
    return std::fabs(q - nearest) < kStepTolerance ? nearest : std::trunc(q);
}

} // namespace

TGraduation ComputeGraduation(double min, double max)
{
    TGraduation g;
    const double range = max - min;
    if (!std::isfinite(range) || !std::isfinite(min)) {
        g.first = g.last = min;
        return g;
    }
    double exponent = std::fabs(range) < kTiny ? 0 : std::floor(std::log10(std::fabs(range)));
    double power = std::pow(10.0, exponent);
    // log10 of an exact power of ten may fall a hair short of the integer.
    if (std::fabs(range) >= kTiny && power * 10 <= std::fabs(range) * (1 + 1e-12)) {
        exponent += 1;
        power *= 10;
    }
    // The mantissa of the range, compared with the same allowance: 0.9 - 0.3 is 0.6000000000000001.
    const double m = range / power;
    const double e = kStepTolerance;
    double factor = 2;
    if (m <= 1.2 + e)
        factor = 0.2;
    else if (m <= 2.4 + e)
        factor = 0.4;
    else if (m <= 3.6 + e)
        factor = 0.6;
    else if (m < 4 - e)
        factor = 0.8;
    else if (m <= 6 + e)
        factor = 1;
    g.step = power * factor;

    double k = TruncatedQuotient(min, g.step);
    if (k < 0)
        k -= 1;
    g.count = static_cast<int>(std::trunc(range / g.step + kStepTolerance)) + 1;
    const double tolerance = kStepTolerance * g.step;
    // At most a couple of steps up to the first graduation, and about ten up to the last.
    for (int guard = 0; guard < 4 && k * g.step < min - tolerance; ++guard)
        k += 1;
    g.first = k * g.step;
    double l = k;
    for (int guard = 0; guard < 1000 && l * g.step < max - tolerance; ++guard)
        l += 1;
    if (std::fabs(max - l * g.step) > tolerance)
        l -= 1;
    g.last = l * g.step;
    return g;
}

TLabelFormat LabelFormatOf(double min, double max)
{
    const double b = std::max(std::fabs(max), std::fabs(min));
    TLabelFormat f;
    if (b >= 10000 || b <= 0.1) {
        f.exponent = true;
        return f;
    }
    f.decimals = b >= 1000 ? 0 : b >= 100 ? 1 : b >= 10 ? 2 : 3;
    return f;
}

std::string FormatGraduation(double value, int index, double step, const TLabelFormat& format, char separator)
{
    // 2^20: a value that much smaller than the step is the rounding left of a zero.
    if (index > 0 && std::fabs(value) * 1048576.0 < step)
        value = 0;
    if (value == 0)
        return "0";
    if (format.exponent)
        return FormatExponent(value, 3, 1, separator);
    return FormatFixed(value, 4, format.decimals, separator);
}

} // namespace kinoval::graph
