#include "gui/drawing/glyph_painter.h"

#include "core/drawing/glyphs.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace kinoval::drawing {

void DrawGlyph(QPainter& painter, QPoint at, TColor colour, int size, int kind)
{
    if (kind < 0 || kind >= kGlyphKindCount)
        return;
    const QPen savedPen = painter.pen();
    const QBrush savedBrush = painter.brush();

    painter.setPen(QPen(ToQColor(colour), 1, Qt::SolidLine));
    painter.setBrush(QBrush(ToQColor(GlyphBrushColour(kind, colour))));
    if (kind == kGlyphCircle) {
        const int h = GlyphHalfExtent(size);
        painter.drawEllipse(QRect(QPoint(at.x() - h, at.y() - h), QPoint(at.x() + h, at.y() + h)));
    } else {
        QPolygon polygon;
        for (const TScreenPoint& v : GlyphVertices(kind, size))
            polygon << QPoint(at.x() + v.x, at.y() + v.y);
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    }

    painter.setBrush(savedBrush);
    painter.setPen(savedPen);
}

void DrawObjectGlyph(QPainter& painter, QPoint at, TColor colour, int size, int objectNumber)
{
    if (objectNumber < 0)
        return;
    DrawGlyph(painter, at, colour, size, GlyphKindOfObject(objectNumber));
}

} // namespace kinoval::drawing
