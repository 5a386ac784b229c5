#include "gui/drawing/glyph_painter.h"

#include "core/drawing/glyphs.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace kinoval::drawing {
namespace {

QImage WhiteCanvas()
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int CountPixels(const QImage& image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour ? 1 : 0;
    return n;
}

TEST(GlyphPainter, PenAndBrushAreGivenBackExactly)
{
    QImage image = WhiteCanvas();
    QPainter painter(&image);
    QPen pen(QColor(1, 2, 3), 4, Qt::DashLine);
    QBrush brush(QColor(9, 8, 7), Qt::Dense3Pattern);
    painter.setPen(pen);
    painter.setBrush(brush);
    for (int kind = 0; kind < kGlyphKindCount; ++kind) {
        DrawGlyph(painter, QPoint(20, 20), clRed, 2, kind);
        EXPECT_EQ(painter.pen(), pen) << kind;
        EXPECT_EQ(painter.brush(), brush) << kind;
    }
}

TEST(GlyphPainter, SquareCoversItsBoxInTheColour)
{
    QImage image = WhiteCanvas();
    {
        QPainter painter(&image);
        DrawGlyph(painter, QPoint(20, 20), clBlue, 1, 13); // square from -5 to +5
    }
    EXPECT_EQ(image.pixelColor(20, 20), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(25, 25), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(14, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(27, 20), QColor(Qt::white));
}

TEST(GlyphPainter, KindSeventeenIsFilledWhiteWithAColouredOutline)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        DrawGlyph(painter, QPoint(20, 20), clRed, 2, kGlyphWhiteSquare); // -4 .. +4
    }
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(16, 16), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(24, 20), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(26, 20), QColor(Qt::black));
}

TEST(GlyphPainter, ObjectGlyphsRepeatAndNegativeObjectsDrawNothing)
{
    QImage twelve = WhiteCanvas(), zero = WhiteCanvas(), negative = WhiteCanvas();
    {
        QPainter p12(&twelve), p0(&zero), pn(&negative);
        DrawObjectGlyph(p12, QPoint(20, 20), clRed, 1, 12);
        DrawObjectGlyph(p0, QPoint(20, 20), clRed, 1, 0);
        DrawObjectGlyph(pn, QPoint(20, 20), clRed, 1, -1);
    }
    EXPECT_EQ(twelve, zero);
    EXPECT_GT(CountPixels(zero, QColor(255, 0, 0)), 10);
    EXPECT_EQ(CountPixels(negative, QColor(Qt::white)), 40 * 40);
}

TEST(GlyphPainter, CircleStaysInsideItsBox)
{
    QImage image = WhiteCanvas();
    {
        QPainter painter(&image);
        DrawGlyph(painter, QPoint(20, 20), clLime, 0, kGlyphCircle);
    }
    EXPECT_EQ(image.pixelColor(20, 20), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(15, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(16, 16), QColor(Qt::white)); // corner of the box is outside the circle
}

} // namespace
} // namespace kinoval::drawing
