#include "core/graph/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kinoval::graph {

namespace {

constexpr double kLevelGap = 1e-5;

} // namespace

double TZoom::In(double f, bool fine)
{
    for (std::size_t i = 0; i < kLevels.size(); ++i) {
        if (kLevels[i] > f + kLevelGap) {
            if (!fine)
                return kLevels[i];
            const double below = i > 0 ? kLevels[i - 1] : kLevels[i];
            return std::min(kMax, f + (kLevels[i] - below) / 10);
        }
    }
    return f;
}

double TZoom::Out(double f, bool fine)
{
    for (std::size_t i = kLevels.size(); i-- > 0;) {
        if (kLevels[i] < f - kLevelGap) {
            if (!fine)
                return kLevels[i];
            const double above = i + 1 < kLevels.size() ? kLevels[i + 1] : kLevels[i];
            return std::max(kMin, f - (above - kLevels[i]) / 10);
        }
    }
    return f;
}

double TZoom::Multiplied(double f, double m)
{
    const double product = f * m;
    if (!(product == product))
        return f;
    return std::clamp(product, kMin, kMax);
}

TRectF TZoom::Box() const
{
    const double left = std::min(boxStart.x, boxEnd.x);
    const double top = std::min(boxStart.y, boxEnd.y);
    return { left, top, std::fabs(boxEnd.x - boxStart.x), std::fabs(boxEnd.y - boxStart.y) };
}

} // namespace kinoval::graph
