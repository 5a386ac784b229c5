#include "core/video/overlay.h"

#include "core/drawing/arrow_head.h"
#include "core/drawing/glyphs.h"

#include <algorithm>

namespace kinoval::video {
namespace {

using drawing::ArrowHead;
using drawing::TArrowHead;

TArrowHead ElementArrow(TScreenPoint tail, TScreenPoint tip)
{
    return ArrowHead(tail, tip, drawing::kScaleArrowWidth, drawing::kScaleArrowMax, drawing::kScaleArrowMin,
                     drawing::kScaleArrowPerMille);
}

void AddHead(TOverlay& overlay, TScreenPoint tail, TScreenPoint tip, TColor colour, int width, bool filled)
{
    if (tail == tip)
        return;
    const TArrowHead h = ElementArrow(tail, tip);
    overlay.shapes.emplace_back(TOverlayPolygon{{h[0], h[1], h[2]}, colour, width, filled});
}

} // namespace

int ElementPenWidth(int elementSize)
{
    static constexpr int widths[3] = {1, 3, 5};
    return widths[std::clamp(elementSize, 0, 2)];
}

void AddMark(TOverlay& overlay, TScreenPoint at, int objectNumber, TColor colour, int elementSize,
             int numberPosition, int number)
{
    if (objectNumber < 0)
        return;
    const int size = std::clamp(elementSize, 0, 2);
    overlay.shapes.emplace_back(TOverlayGlyph{at, colour, size, drawing::GlyphKindOfObject(objectNumber)});
    if (numberPosition != npBelow && numberPosition != npRight)
        return;
    static constexpr int offsets[3] = {0, 4, 7};
    static constexpr int fontSizes[3] = {0, 12, 15};
    const int b = offsets[size];
    const TScreenPoint origin = numberPosition == npBelow ? TScreenPoint{at.x - b / 2 - 2, at.y + b + 4}
                                                          : TScreenPoint{at.x + b + 8, at.y - b / 2 - 7};
    overlay.shapes.emplace_back(TOverlayText{origin, std::to_string(number), colour, fontSizes[size], false});
}

void AddScale(TOverlay& overlay, TScreenPoint first, TScreenPoint second, TColor colour, int elementSize)
{
    const int width = ElementPenWidth(elementSize);
    overlay.shapes.emplace_back(TOverlayLine{first, second, colour, width});
    AddHead(overlay, second, first, colour, width, false);
    AddHead(overlay, first, second, colour, width, false);
}

void AddScaleRubber(TOverlay& overlay, TScreenPoint first, TScreenPoint cursor, TColor colour, int elementSize)
{
    const int width = ElementPenWidth(elementSize);
    overlay.shapes.emplace_back(TOverlayLine{first, cursor, colour, width});
    AddHead(overlay, cursor, first, colour, width, false);
}

void AddAxes(TOverlay& overlay, TScreenPoint xNegative, TScreenPoint xPositive, TScreenPoint yNegative,
             TScreenPoint yPositive, TColor colour, int elementSize)
{
    const int width = ElementPenWidth(elementSize);
    overlay.shapes.emplace_back(TOverlayLine{xNegative, xPositive, colour, width});
    AddHead(overlay, xNegative, xPositive, colour, width, false);
    overlay.shapes.emplace_back(TOverlayLine{yNegative, yPositive, colour, width});
    AddHead(overlay, yNegative, yPositive, colour, width, false);
}

void AddSheet(TOverlay& overlay, TScreenPoint cornerA, TScreenPoint cornerB, TScreenPoint origin,
              bool xDirect, bool yDirect, TColor colour, int elementSize)
{
    const int width = ElementPenWidth(elementSize);
    const int left = std::min(cornerA.x, cornerB.x), right = std::max(cornerA.x, cornerB.x);
    const int top = std::min(cornerA.y, cornerB.y), bottom = std::max(cornerA.y, cornerB.y);
    const TScreenPoint tl{left, top}, tr{right, top}, br{right, bottom}, bl{left, bottom};
    for (auto [a, b] : {std::pair{tl, tr}, std::pair{tr, br}, std::pair{br, bl}, std::pair{bl, tl}})
        overlay.shapes.emplace_back(TOverlayLine{a, b, colour, width});

    const TScreenPoint xNeg{xDirect ? left : right, origin.y}, xPos{xDirect ? right : left, origin.y};
    const TScreenPoint yNeg{origin.x, yDirect ? bottom : top}, yPos{origin.x, yDirect ? top : bottom};
    overlay.shapes.emplace_back(TOverlayLine{xNeg, xPos, colour, width});
    AddHead(overlay, xNeg, xPos, colour, 1, true);
    overlay.shapes.emplace_back(TOverlayLine{yNeg, yPos, colour, width});
    AddHead(overlay, yNeg, yPos, colour, 1, true);

    // Labels beside the heads, inside the sheet.
    const int fontSize = 10 + 2 * std::clamp(elementSize, 0, 2);
    const TScreenPoint xLabel{xDirect ? xPos.x - fontSize - 4 : xPos.x + 6, xPos.y + 8};
    const TScreenPoint yLabel{yPos.x + 10, yDirect ? yPos.y + 4 : yPos.y - 2 * fontSize - 4};
    overlay.shapes.emplace_back(TOverlayText{xLabel, "x", colour, fontSize, true});
    overlay.shapes.emplace_back(TOverlayText{yLabel, "y", colour, fontSize, true});
}

void AddFocusRect(TOverlay& overlay, TScreenPoint a, TScreenPoint b)
{
    overlay.shapes.emplace_back(TOverlayFocusRect{a, b});
}

} // namespace kinoval::video
