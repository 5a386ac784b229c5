#include "core/drawing/arrow_head.h"
#include "core/drawing/glyphs.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace kinoval::drawing {
namespace {

TScreenPoint Pt(int x, int y) { return {x, y}; }

TEST(MulDiv, RoundsHalvesAwayFromZeroAndRefusesZeroDivisor)
{
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
    EXPECT_EQ(MulDiv(80, 925, 1000), 74);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, 1), -1); // does not fit
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX); // 64-bit intermediate
}

TEST(ArrowHead, GraphVectorTakesSevenAndAHalfPerMilleWithinLimits)
{
    // 80 px long: the percentage gives a 6-pixel head, inside [5, 10].
    const TArrowHead h = ArrowHead(Pt(0, 0), Pt(80, 0), kVectorArrowWidth, kVectorArrowMax, kVectorArrowMin,
                                   kVectorArrowPerMille);
    EXPECT_EQ(h[0], Pt(74, 3));
    EXPECT_EQ(h[1], Pt(80, 0));
    EXPECT_EQ(h[2], Pt(74, -3));
}

TEST(ArrowHead, LongVectorIsCappedAtTheMaximumLength)
{
    const TArrowHead h = ArrowHead(Pt(0, 0), Pt(200, 0), 50, 10, 5, 75);
    EXPECT_EQ(h[0], Pt(190, -5));
    EXPECT_EQ(h[1], Pt(200, 0));
    EXPECT_EQ(h[2], Pt(190, 5));
}

TEST(ArrowHead, ShortSegmentGetsTheMinimumLength)
{
    // The scale's ends: 30 px gives 3 px by the percentage, raised to 10.
    const TArrowHead h = ArrowHead(Pt(0, 0), Pt(0, 30), kScaleArrowWidth, kScaleArrowMax, kScaleArrowMin,
                                   kScaleArrowPerMille);
    EXPECT_EQ(h[1], Pt(0, 30));
    EXPECT_EQ(h[0], Pt(5, 20));
    EXPECT_EQ(h[2], Pt(-5, 20));
}

TEST(ArrowHead, ZeroLengthGivesThreeTipsAndArgumentsAreTakenInMagnitude)
{
    const TArrowHead zero = ArrowHead(Pt(7, 9), Pt(7, 9), 50, 20, 10, 100);
    for (const TScreenPoint& p : zero)
        EXPECT_EQ(p, Pt(7, 9));
    EXPECT_EQ(FixedArrowHead(Pt(3, 3), Pt(3, 3), 50, 10)[0], Pt(3, 3));
    // Negative width and per mille act as their magnitudes; limits of 0 leave the length free.
    EXPECT_EQ(ArrowHead(Pt(0, 0), Pt(80, 0), -50, 0, 0, -75), ArrowHead(Pt(0, 0), Pt(80, 0), 50, 0, 0, 75));
    // A width above 100 is 100: wings at the head's full length from the axis.
    const TArrowHead wide = ArrowHead(Pt(0, 0), Pt(100, 0), 250, 0, 0, 100);
    EXPECT_EQ(wide[0], Pt(90, 10));
    EXPECT_EQ(wide[2], Pt(90, -10));
}

TEST(ArrowHead, DiagonalFixedHeadIsRounded)
{
    const TArrowHead h = FixedArrowHead(Pt(0, 0), Pt(30, 40), 50, 10); // unit (6, 8)
    EXPECT_EQ(h[0], Pt(30 - 6 + 4, 40 - 8 - 3));
    EXPECT_EQ(h[2], Pt(30 - 6 - 4, 40 - 8 + 3));
}

TEST(ScaleColour, ScalesEachChannelAndClampsThePercentage)
{
    EXPECT_EQ(ScaleColour(0x0080FF, 75), 0x0060BFu);
    EXPECT_EQ(ScaleColour(0x0080FF, 150), 0x0080FFu);
    EXPECT_EQ(ScaleColour(0x0080FF, -50), ScaleColour(0x0080FF, 50));
    EXPECT_EQ(ScaleColour(0x0080FF, 50), 0x004080u);
    EXPECT_EQ(ScaleColour(0xFFFFFF, 0), 0u);
    EXPECT_EQ(ScaleColour(0xFFFFFF, INT_MIN), 0xFFFFFFu); // no overflow on the magnitude
}

TEST(Glyphs, ObjectGlyphsRepeatEveryTwelveObjects)
{
    EXPECT_EQ(GlyphKindOfObject(0), 0);
    EXPECT_EQ(GlyphKindOfObject(11), 11);
    EXPECT_EQ(GlyphKindOfObject(12), GlyphKindOfObject(0));
    EXPECT_EQ(GlyphKindOfObject(25), 1);
    // A negative number never leaves the object glyphs.
    EXPECT_EQ(GlyphKindOfObject(-13), 1);
    EXPECT_GE(GlyphKindOfObject(INT_MIN), 0);
    EXPECT_LT(GlyphKindOfObject(INT_MIN), kObjectGlyphCount);
}

TEST(Glyphs, TablesStayWithinTheHalfExtentAndDifferBetweenKinds)
{
    EXPECT_EQ(GlyphHalfExtent(0), 4);
    EXPECT_EQ(GlyphHalfExtent(1), 7);
    EXPECT_EQ(GlyphHalfExtent(2), 10);
    EXPECT_EQ(GlyphHalfExtent(9), 10);
    for (int size = 0; size < kGlyphSizeCount; ++size) {
        std::set<std::vector<std::pair<int, int>>> shapes;
        for (int kind = 0; kind < kGlyphKindCount; ++kind) {
            const auto v = GlyphVertices(kind, size);
            if (kind == kGlyphCircle) {
                EXPECT_TRUE(v.empty());
                continue;
            }
            EXPECT_GE(v.size(), 3u) << kind;
            std::vector<std::pair<int, int>> shape;
            for (const TScreenPoint& p : v) {
                EXPECT_LE(std::abs(p.x), GlyphHalfExtent(size)) << kind << " " << size;
                EXPECT_LE(std::abs(p.y), GlyphHalfExtent(size)) << kind << " " << size;
                shape.emplace_back(p.x, p.y);
            }
            shapes.insert(shape);
        }
        EXPECT_EQ(shapes.size(), 17u) << "two kinds share a table at size " << size;
    }
    EXPECT_TRUE(GlyphVertices(18, 0).empty());
    EXPECT_TRUE(GlyphVertices(-1, 0).empty());
    EXPECT_EQ(GlyphVertices(12, 1).size(), 3u);
    EXPECT_EQ(GlyphVertices(12, 1)[0], Pt(0, -7));
    EXPECT_EQ(GlyphVertices(2, 1).size(), 24u);
}

TEST(Glyphs, WhiteSquareIsFilledWhite)
{
    EXPECT_EQ(GlyphBrushColour(kGlyphWhiteSquare, clRed), clWhite);
    EXPECT_EQ(GlyphBrushColour(13, clRed), clRed);
}

} // namespace
} // namespace kinoval::drawing
