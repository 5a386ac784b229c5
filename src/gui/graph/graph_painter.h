#pragma once
// Painting a graph's drawing list with QPainter, on the screen, into a picture, an SVG file or a printed
// page alike.
//
// The graph speaks in pixels of its control at 96 dots per inch; the painter keeps that frame (a printer or
// a PDF page scales the painter, never the list), so texts are sized in those pixels too and a printed
// graph looks as the window shows it. Straight strokes on the pixel grid (grid lines, ticks) are painted
// without smoothing so that they stay one sharp pixel wide; curves, glyphs and texts are smoothed.

#include "core/graph/draw_list.h"

#include <QByteArray>
#include <QFont>
#include <QImage>

class QPainter;
class QPrinter;

namespace kinoval::graph {
class TGraph;
}

namespace kinoval {

// The font of a text of the drawing list: its size in points at 96 dots per inch, as pixels.
QFont GraphFont(double pointSize, bool bold);

// Texts measured as the painter will draw them.
class TQtTextMeasure : public graph::TTextMeasure {
public:
    graph::TTextSize Measure(std::string_view text, double pointSize, bool bold) const override;
};

// Paints the commands in order.
void PaintDrawList(QPainter& painter, const graph::TDrawList& list);

// The graph as it shows now, at its control's size: a picture (at `scale` times its pixels, for sharp
// copies), an SVG document, or printed to fill the printer's page keeping its proportions.
QImage RenderGraphImage(const graph::TGraph& graph, double scale = 1);
QByteArray RenderGraphSvg(const graph::TGraph& graph, const QString& title);
void PrintGraph(const graph::TGraph& graph, QPrinter& printer);

} // namespace kinoval
