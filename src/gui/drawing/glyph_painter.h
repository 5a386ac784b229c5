#pragma once
// Painting of marker glyphs and the conversions between the program's colours and Qt's.
//
// A glyph is drawn with a solid one-pixel pen in its colour and a brush of its colour (white for the
// small white square); the painter's pen and brush are given back exactly as they were, so a caller that
// draws glyphs between its own strokes need not save anything.

#include "core/common/colour.h"

#include <QColor>
#include <QPoint>

class QPainter;

namespace kinoval::drawing {

inline QColor ToQColor(TColor c) { return QColor(int(RedOf(c)), int(GreenOf(c)), int(BlueOf(c))); }
inline TColor FromQColor(const QColor& c) { return MakeColor(unsigned(c.red()), unsigned(c.green()), unsigned(c.blue())); }

// The glyph of the given kind (0 .. 17) and size (0 .. 2) centred on the point; nothing for an unknown kind.
void DrawGlyph(QPainter& painter, QPoint at, TColor colour, int size, int kind);

// The glyph of an object: kind objectNumber mod 12; nothing for a negative object number.
void DrawObjectGlyph(QPainter& painter, QPoint at, TColor colour, int size, int objectNumber);

} // namespace kinoval::drawing
