#pragma once
// The geometry every part of a graph shares: the world window in physical units, the plot rectangle in
// pixels of the control, and the mapping between the two.
//
// The world window is always set as one record of four doubles. Pixels are those of the graph's control,
// y growing downwards, as doubles so that curves keep their sub-pixel positions; WorldToScreen of the graph
// rounds them to whole pixels. A window whose range is below 1e-100 or above 1e100, or an empty plot,
// maps nothing: ToScreen then answers the plot's bottom-left corner and callers draw nothing in it.

#include "core/common/point.h"

namespace kinoval::graph {

struct TWorld {
    double xmin = 0;
    double xmax = 100;
    double ymin = 0;
    double ymax = 100;
    friend bool operator==(const TWorld&, const TWorld&) = default;
    double Width() const { return xmax - xmin; }
    double Height() const { return ymax - ymin; }
};

struct TWorldPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const TWorldPoint&, const TWorldPoint&) = default;
};

// A position in pixels of the control, y downwards.
struct TPointF {
    double x = 0;
    double y = 0;
    friend bool operator==(const TPointF&, const TPointF&) = default;
};

// A rectangle in pixels of the control.
struct TRectF {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
    bool Contains(TPointF p) const { return p.x >= left && p.x <= Right() && p.y >= top && p.y <= Bottom(); }
    bool Empty() const { return !(width > 0) || !(height > 0); }
    friend bool operator==(const TRectF&, const TRectF&) = default;
};

// The plot rectangle: left and top margins, and the plot's size (never negative).
struct TPlotRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    TRectF Rect() const { return { double(left), double(top), double(width), double(height) }; }
    friend bool operator==(const TPlotRect&, const TPlotRect&) = default;
};

// A range is usable when it is at least 1e-100 and at most 1e100 wide (NaN is not).
bool RangeUsable(double low, double high);

struct TMapping {
    TWorld world;
    TPlotRect plot;

    bool Usable() const;
    // Pixel position of a world point; the plot's bottom-left corner when the mapping is not usable.
    TPointF ToScreen(TWorldPoint p) const;
    TPointF ToScreen(double x, double y) const { return ToScreen(TWorldPoint { x, y }); }
    // The same, rounded to the nearest pixel (positions far off the control are held within ±1e6 pixels).
    TPoint ToScreenRounded(TWorldPoint p) const;
    // World point under a pixel position; the window's bottom-left corner over an empty plot.
    TWorldPoint ToWorld(TPointF p) const;
    // World units per pixel along each axis (0 over an empty plot).
    double UnitsPerPixelX() const;
    double UnitsPerPixelY() const;
};

// The window widened around its centre, along the axis whose world unit is longer on the screen, until one
// unit has the same length in pixels on both axes of a plot of that size. Unchanged over an empty plot or
// an unusable range.
TWorld MakeOrthonormal(const TWorld& window, int plotWidth, int plotHeight);

// [low, high] widened by `fraction` of its width on each side; a single value by that fraction of its own
// magnitude; an empty range (both bounds zero) by 1e-50.
void WidenRange(double& low, double& high, double fraction);

} // namespace kinoval::graph
