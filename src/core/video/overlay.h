#pragma once
// What the view draws over the frame, as a list of simple shapes in drawing order.
//
// The document, the workshop and the tracker know what they show but not how to paint; the widget knows
// how to paint but not the measurement. They meet here: the owners fill a TOverlay with the helpers below
// (a mark with its number, the scale with its arrow heads, the axes, the transparent sheet), in client
// pixels, and the widget paints the shapes in order. The helpers carry the drawing rules (pen widths,
// label offsets, font sizes, arrow heads), so they can be checked without a screen.

#include "core/common/colour.h"
#include "core/drawing/screen_point.h"

#include <string>
#include <variant>
#include <vector>

namespace kinoval::video {

struct TOverlayLine {
    TScreenPoint a;
    TScreenPoint b;
    TColor colour = 0;
    int width = 1;
};

// Open (two strokes, wing-tip-wing) or filled.
struct TOverlayPolygon {
    std::vector<TScreenPoint> points;
    TColor colour = 0;
    int width = 1;
    bool filled = false;
};

struct TOverlayGlyph {
    TScreenPoint at;
    TColor colour = 0;
    int size = 0; // 0, 1, 2
    int kind = 0; // 0 .. 17
};

// Text whose top-left corner is at origin, on a transparent background.
struct TOverlayText {
    TScreenPoint origin;
    std::string text;
    TColor colour = 0;
    int pointSize = 0; // 0: the painter's font size unchanged
    bool bold = false;
};

// A dotted rectangle (the erase rectangle, the zoom rectangle), corners in any order.
struct TOverlayFocusRect {
    TScreenPoint a;
    TScreenPoint b;
};

using TOverlayShape = std::variant<TOverlayLine, TOverlayPolygon, TOverlayGlyph, TOverlayText, TOverlayFocusRect>;

struct TOverlay {
    std::vector<TOverlayShape> shapes;
    void Clear() { shapes.clear(); }
    bool Empty() const { return shapes.empty(); }
};

// Pen width of the document's elements: 1, 3 or 5 pixels for element size 0, 1, 2.
int ElementPenWidth(int elementSize);

// Where a mark's number goes.
enum TNumberPosition { npBelow = 0, npRight = 1, npNone = 2 };

// A mark: the glyph of its object, then its number below or to the right (nothing for a negative object).
void AddMark(TOverlay& overlay, TScreenPoint at, int objectNumber, TColor colour, int elementSize,
             int numberPosition, int number);

// The scale: a line with an arrow head at each end. While only the first point exists the line runs to
// the mouse cursor with one head, on the first point.
void AddScale(TOverlay& overlay, TScreenPoint first, TScreenPoint second, TColor colour, int elementSize);
void AddScaleRubber(TOverlay& overlay, TScreenPoint first, TScreenPoint cursor, TColor colour, int elementSize);

// The fixed axes: the two lines across the frame, each with a head at its positive end.
void AddAxes(TOverlay& overlay, TScreenPoint xNegative, TScreenPoint xPositive, TScreenPoint yNegative,
             TScreenPoint yPositive, TColor colour, int elementSize);

// The transparent sheet: its rectangle (corners in any order), and through the origin two axes parallel to
// its edges with filled heads on their positive sides (given by the direction flags; y positive is up on
// the screen when direct) and the bold labels "x" and "y".
void AddSheet(TOverlay& overlay, TScreenPoint cornerA, TScreenPoint cornerB, TScreenPoint origin,
              bool xDirect, bool yDirect, TColor colour, int elementSize);

void AddFocusRect(TOverlay& overlay, TScreenPoint a, TScreenPoint b);

} // namespace kinoval::video
