#pragma once
// What a graph paints, as a list of drawing commands in painting order.
//
// The graph and its elements know what to show but not how to paint; the widget knows how to paint but
// not the physics. They meet here: TGraph::Paint fills a TDrawList in pixels of the control (doubles, y
// downwards), and the gui paints the commands in order on a screen, a picture, an SVG file or a printed
// page alike. The helpers gather consecutive strokes of one pen into one polyline and consecutive glyphs
// of one style into one batch, so that a curve of thousands of points stays a handful of commands; a
// painter may thin them (decimate.h) where points fall closer together than a pixel.
//
// Texts are measured by a TTextMeasure that the painter provides (the graph needs sizes to skip labels
// that would overlap and to size its value bubble); an estimate serves where there is no screen.

#include "core/common/colour.h"
#include "core/common/rgb_image.h"
#include "core/graph/mapping.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kinoval::graph {

enum class TLineStyle : std::uint8_t { Solid, Dotted };

struct TPen {
    TColor colour = clBlack;
    double width = 1;
    TLineStyle style = TLineStyle::Solid;
    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TFillRect {
    TRectF rect;
    TColor colour = clWhite;
};

// A vertical gradient from `begin` at the top to `end` at the bottom.
struct TGradientRect {
    TRectF rect;
    TColor begin = clWhite;
    TColor end = clWhite;
};

struct TFrameRect {
    TRectF rect;
    TPen pen;
};

// Straight strokes on the pixel grid (grid, ticks, zero line): painted crisp, without smoothing.
struct TStrokes {
    std::vector<TPointF> ends; // pairs: a0, b0, a1, b1 ...
    TPen pen;
};

// A curve or a segment: painted smooth.
struct TPolyline {
    std::vector<TPointF> points;
    TPen pen;
};

// Marker glyphs (drawing/glyphs.h) of one kind, size and colour.
struct TGlyphs {
    std::vector<TPointF> at;
    TColor colour = clBlack;
    int size = 0;
    int kind = 0;
};

enum class THAlign : std::uint8_t { Left, Centre, Right };
enum class TVAlign : std::uint8_t { Top, Centre, Bottom };

// A piece of a text line in its own colour (a legend writes each object's name in its curve's colour).
struct TTextRun {
    std::string text;
    TColor colour = clBlack;
};

// One line of text anchored at `at` by its alignment. Vertical text reads upwards (turned 90° counter-
// clockwise); its alignment is along the line and across it as it reads. A line longer than maxLength
// (when positive) is cut and ends with "...".
struct TText {
    TPointF at;
    std::vector<TTextRun> runs;
    double pointSize = 10;
    bool bold = false;
    THAlign hAlign = THAlign::Left;
    TVAlign vAlign = TVAlign::Top;
    bool vertical = false;
    double maxLength = 0;
};

// Many short texts of one colour and size with their top-left corners (the numbers beside the points); a
// painter may leave out one that would cover the one drawn before it.
struct TLabels {
    std::vector<TPointF> at;
    std::vector<std::string> texts;
    TColor colour = clBlack;
    double pointSize = 0; // 0: the painter's own size
};

// An affine map (u, v) -> (m11 u + m21 v + dx, m12 u + m22 v + dy), as QTransform writes it.
struct TAffine {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
    TPointF Map(double u, double v) const { return { m11 * u + m21 * v + dx, m12 * u + m22 * v + dy }; }
};

// A picture painted through a map from its pixels (u right, v down, pixel i covering [i, i + 1)) to the
// control, clipped to a polygon when one is given. The picture is borrowed from the graph and lives as
// long as the list is painted.
struct TImage {
    const TRgbImage* image = nullptr;
    TAffine toScreen;
    std::vector<TPointF> clip;
};

// Painting is clipped to the rectangle until the next TClip; an empty rectangle ends the clipping.
struct TClip {
    TRectF rect;
};

// The value bubble: lines on the info-tip colour with a raised frame.
struct TPanel {
    TRectF rect;
    std::vector<std::string> lines;
    double pointSize = 9;
};

// The zoom box: a dotted rectangle.
struct TFocusRect {
    TRectF rect;
};

using TDrawCommand = std::variant<TFillRect, TGradientRect, TFrameRect, TStrokes, TPolyline, TGlyphs, TText, TLabels,
    TImage, TClip, TPanel, TFocusRect>;

struct TTextSize {
    double width = 0;
    double height = 0;
};

class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    virtual TTextSize Measure(std::string_view text, double pointSize, bool bold) const = 0;
};

// Without a screen: 0.55 of the size per character (counted in UTF-8 code points) and 1.3 of the size per
// line, in pixels at 96 dots per inch.
class TEstimatedTextMeasure : public TTextMeasure {
public:
    TTextSize Measure(std::string_view text, double pointSize, bool bold) const override;
};

class TDrawList {
public:
    std::vector<TDrawCommand> commands;

    void Clear() { commands.clear(); }
    void Add(TDrawCommand command) { commands.push_back(std::move(command)); }

    // A stroke from a to b, joined to the polyline before it when it has the same pen and starts where
    // that one ends.
    void Line(TPointF a, TPointF b, const TPen& pen);
    // A glyph, added to the batch before it when kind, size and colour agree.
    void Glyph(TPointF at, TColor colour, int size, int kind);
    // A number beside a point, added to the labels before it when colour and size agree.
    void Label(TPointF topLeft, std::string text, TColor colour, double pointSize);
    void Strokes(std::vector<TPointF> ends, const TPen& pen);
    void Clip(const TRectF& rect) { commands.push_back(TClip { rect }); }
    void Unclip() { commands.push_back(TClip {}); }
};

} // namespace kinoval::graph
