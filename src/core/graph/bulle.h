#pragma once
// The value bubble (TBulle): a few lines of text in one corner of the graph, on the info-tip colour. The
// graph fills it with the values of the data point under the mouse pointer.

#include "core/graph/mapping.h"

#include <string>
#include <vector>

namespace kinoval::graph {

class TTextMeasure;

// Placement: 0 hidden, 1 top left, 2 top right, 3 bottom left, 4 bottom right.
enum class TBullePlace : int { Hidden = 0, TopLeft = 1, TopRight = 2, BottomLeft = 3, BottomRight = 4 };

class TBulle {
public:
    static constexpr double kPointSize = 9;

    std::vector<std::string> lines;
    TBullePlace place = TBullePlace::TopRight;

    bool Shown() const { return place != TBullePlace::Hidden && !lines.empty(); }
    // Its rectangle in a control of that size: the widest line + 20 wide, the lines' height + 4 high.
    TRectF Rect(const TTextMeasure& measure, int controlWidth, int controlHeight) const;
};

} // namespace kinoval::graph
