#include "core/graph/bulle.h"

#include "core/graph/draw_list.h"

#include <algorithm>

namespace kinoval::graph {

TRectF TBulle::Rect(const TTextMeasure& measure, int controlWidth, int controlHeight) const
{
    double width = 0, height = 0;
    for (const std::string& line : lines) {
        const TTextSize size = measure.Measure(line, kPointSize, false);
        width = std::max(width, size.width);
        height += size.height;
    }
    // The bottom corners are placed by the height of the text: the bubble ends 2 pixels above the edge,
    // as the right ones end 2 pixels left of it.
    const double text = height;
    width += 20;
    height += 4;
    const double w = controlWidth, h = controlHeight;
    switch (place) {
    case TBullePlace::TopLeft:
        return { 1, 1, width, height };
    case TBullePlace::TopRight:
        return { w - width - 2, 1, width, height };
    case TBullePlace::BottomLeft:
        return { 1, h - text - 6, width, height };
    case TBullePlace::BottomRight:
        return { w - width - 2, h - text - 6, width, height };
    case TBullePlace::Hidden:
        break;
    }
    return {};
}

} // namespace kinoval::graph
