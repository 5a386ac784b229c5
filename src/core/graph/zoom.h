#pragma once
// The graph's zoom state: a factor per axis moved along a table of levels, and the rubber-band rectangle
// of the zoom box while the user drags it. The graph's window follows the factors (graph.h): zooming in
// by a factor f shows 1/f of the range the window had at factor 1.
//
// This is the graph's own zoom; the video view has its namesake (video::TZoom).

#include "core/graph/mapping.h"

#include <array>

namespace kinoval::graph {

class TZoom {
public:
    // 0.0833, 0.167, 0.333 and 0.667 are these three-digit values, not exact fractions.
    static constexpr std::array<double, 17> kLevels
        = { 0.0625, 0.0833, 0.125, 0.167, 0.25, 0.333, 0.5, 0.667, 1, 1.5, 2, 2.5, 3, 3.5, 4, 6, 10 };
    static constexpr double kMin = 0.0625;
    static constexpr double kMax = 10;

    // The next factor from f: the next level of the table (a level counts as above f when it exceeds it
    // by more than 1e-5), or a tenth of the gap to the level beside it with a fine step; f stays at the
    // ends of the table.
    static double In(double f, bool fine);
    static double Out(double f, bool fine);
    // f times m, kept within [0.0625, 10].
    static double Multiplied(double f, double m);

    double factorX = 1;
    double factorY = 1;

    // The zoom box being dragged, in pixels of the control.
    bool boxShown = false;
    TPointF boxStart;
    TPointF boxEnd;
    TRectF Box() const;

    void Reset()
    {
        factorX = factorY = 1;
        boxShown = false;
    }
};

} // namespace kinoval::graph
