#include "core/graph/mapping.h"

#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

bool RangeUsable(double low, double high)
{
    const double range = std::fabs(high - low);
    return range >= kTiny && range <= kHuge;
}

bool TMapping::Usable() const
{
    return plot.width > 0 && plot.height > 0 && RangeUsable(world.xmin, world.xmax)
        && RangeUsable(world.ymin, world.ymax);
}

TPointF TMapping::ToScreen(TWorldPoint p) const
{
    const double left = plot.left;
    const double bottom = double(plot.top) + plot.height;
    if (!Usable())
        return { left, bottom };
    return { left + (p.x - world.xmin) / world.Width() * plot.width,
        bottom - (p.y - world.ymin) / world.Height() * plot.height };
}

TPoint TMapping::ToScreenRounded(TWorldPoint p) const
{
    static constexpr double limit = 1e6;
    const TPointF s = ToScreen(p);
    const auto round = [](double v) {
        if (!(v == v))
            return 0;
        return static_cast<int>(std::lround(std::clamp(v, -limit, limit)));
    };
    return { round(s.x), round(s.y) };
}

TWorldPoint TMapping::ToWorld(TPointF p) const
{
    if (plot.width <= 0 || plot.height <= 0)
        return { world.xmin, world.ymin };
    return { world.xmin + (p.x - plot.left) / plot.width * world.Width(),
        world.ymin + (double(plot.height) + plot.top - p.y) / plot.height * world.Height() };
}

double TMapping::UnitsPerPixelX() const
{
    return plot.width > 0 ? world.Width() / plot.width : 0;
}

double TMapping::UnitsPerPixelY() const
{
    return plot.height > 0 ? world.Height() / plot.height : 0;
}

TWorld MakeOrthonormal(const TWorld& window, int plotWidth, int plotHeight)
{
    if (plotWidth <= 0 || plotHeight <= 0 || !RangeUsable(window.xmin, window.xmax)
        || !RangeUsable(window.ymin, window.ymax))
        return window;
    const double perPixelX = window.Width() / plotWidth;
    const double perPixelY = window.Height() / plotHeight;
    TWorld out = window;
    if (perPixelX > perPixelY) {
        // The vertical axis has the larger scale: it is widened to the horizontal units per pixel.
        const double centre = (window.ymin + window.ymax) / 2;
        const double half = perPixelX * plotHeight / 2;
        out.ymin = centre - half;
        out.ymax = centre + half;
    } else {
        const double centre = (window.xmin + window.xmax) / 2;
        const double half = perPixelY * plotWidth / 2;
        out.xmin = centre - half;
        out.xmax = centre + half;
    }
    return out;
}

void WidenRange(double& low, double& high, double fraction)
{
    if (low > high)
        std::swap(low, high);
    const double range = high - low;
    if (range >= kTiny) {
        low -= fraction * range;
        high += fraction * range;
    } else if (IsZero(low) && IsZero(high)) {
        low -= 1e-50;
        high += 1e-50;
    } else {
        const double margin = fraction * std::fabs(low);
        low -= margin;
        high += margin;
    }
}

} // namespace kinoval::graph
