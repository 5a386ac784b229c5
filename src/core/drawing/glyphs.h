#pragma once
// Marker glyphs: the shapes that mark a tracked object on the video and a point on a graph.
//
// The catalogue holds 18 glyph kinds. The first twelve are the object glyphs: object k of a study is drawn
// with glyph k mod 12, so a study with more objects reuses the shapes while the colours still differ. Each
// kind has a vertex table per size (small, medium, large); drawing fills the polygon through the vertices
// in order, so tables that come back to the centre several times draw as rays or blades. Kind 14 is a
// circle and has no table. This file only says what to draw; gui/drawing paints it.

#include "core/common/colour.h"
#include "core/drawing/screen_point.h"

#include <cstdint>
#include <span>

namespace kinoval::drawing {

inline constexpr int kGlyphKindCount = 18;
inline constexpr int kObjectGlyphCount = 12;
inline constexpr int kGlyphCircle = 14;
inline constexpr int kGlyphWhiteSquare = 17; // filled white whatever the colour; only its outline is coloured

// Glyph sizes: 0 small, 1 medium, 2 large (the document's element size).
inline constexpr int kGlyphSizeCount = 3;

// One entry of the catalogue: a kind fixed at creation and the size of the next drawing.
struct TMotif {
    std::uint8_t kind = 0;
    std::uint8_t size = 0;
};

// Half of the glyph's extent in pixels: 4, 7 or 10 for sizes 0, 1, 2 (sizes out of range are clamped).
int GlyphHalfExtent(int size);

// The vertex offsets of a kind at a size, in drawing order; empty for the circle and for a kind outside
// 0 .. 17. Sizes outside 0 .. 2 are clamped.
std::span<const TScreenPoint> GlyphVertices(int kind, int size);

// The kind drawn for object number i: list position i mod 12. A negative number takes the glyph of |i|,
// never an index outside the catalogue.
int GlyphKindOfObject(int objectNumber);

// The fill of a glyph: its colour, except white for kind 17.
TColor GlyphBrushColour(int kind, TColor colour);

} // namespace kinoval::drawing
