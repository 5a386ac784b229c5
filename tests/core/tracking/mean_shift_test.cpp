// The tracker's colour cells, polygon masks, model and mean-shift iterations.
#include "core/tracking/colour_space.h"
#include "core/tracking/mean_shift.h"
#include "core/tracking/tracking_types.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kinoval::tracking {
namespace {

struct BinCountGuard {
    explicit BinCountGuard(int n) { SetBinCount(n); }
    ~BinCountGuard() { SetBinCount(20); }
};

TRgbImage Filled(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    TRgbImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto* px = image.At(x, y);
            px[0] = r, px[1] = g, px[2] = b;
        }
    return image;
}

void FillRect(TRgbImage& image, int left, int top, int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    for (int y = std::max(0, top); y < std::min(image.height, top + h); ++y)
        for (int x = std::max(0, left); x < std::min(image.width, left + w); ++x) {
            auto* px = image.At(x, y);
            px[0] = r, px[1] = g, px[2] = b;
        }
}

// A rectangular outline in normalised coordinates around pixels [left, left + w - 1] x [top, top + h - 1].
TPointDDynArray RectOutline(const TRgbImage& frame, int left, int top, int w, int h)
{
    const double W = frame.width, H = frame.height;
    const int r = left + w - 1, b = top + h - 1;
    return { { left / W, top / H }, { r / W, top / H }, { r / W, b / H }, { left / W, b / H } };
}

TEST(TrackingColour, BlackGreenWhiteAndTheCells)
{
    SetBinCount(20);
    const TLuv black = RgbToLuv(0, 0, 0);
    EXPECT_EQ(black.L, 0);
    EXPECT_EQ(black.u, 0);
    EXPECT_EQ(black.v, 0);
    EXPECT_EQ(BinOf(black), 0);

    const TLuv green = RgbToLuv(0, 255, 0);
    EXPECT_LT(green.u, 0);
    EXPECT_EQ(BinIndex(green.u, BinScales().u), 0);
    EXPECT_EQ(BinIndex(green.u, BinScales().u), BinIndex(0.0, BinScales().u));

    const TLuv white = RgbToLuv(255, 255, 255);
    EXPECT_NEAR(white.L, 100, 1e-6);
    EXPECT_NEAR(white.u, 0, 0.05);
    EXPECT_NEAR(white.v, 0, 0.05);
    EXPECT_EQ(BinIndex(white.L, BinScales().L), 19); // 100 x 0.2 = 20 is kept in the last cell

    // The dark branch of L*: Y / 255 = 0.00784 lies under 0.008856.
    EXPECT_NEAR(RgbToLuv(2, 2, 2).L, 903.3 * (2 * (0.2125 + 0.7154 + 0.0721) / 255.0), 1e-9);
}

TEST(TrackingColour, ScaleFactorsFollowTheBinCount)
{
    BinCountGuard guard(10);
    EXPECT_EQ(BinCount(), 10);
    EXPECT_DOUBLE_EQ(BinScales().rgb, 10 / 256.0);
    EXPECT_DOUBLE_EQ(BinScales().L, 0.1);
    EXPECT_DOUBLE_EQ(BinScales().u, 10 / 258.343113734);
    EXPECT_DOUBLE_EQ(BinScales().v, 10 / 241.51879024);
    SetBinCount(0);
    EXPECT_EQ(BinCount(), 1);
}

TEST(TrackingColour, LuvBackToRgb)
{
    EXPECT_EQ(LuvToRgb({ 0.05, 10, 10 }), clBlack);
    for (const auto& c :
        { MakeColor(200, 30, 30), MakeColor(20, 120, 220), MakeColor(128, 128, 128), MakeColor(250, 250, 10) }) {
        const TColor back = LuvToRgb(RgbToLuv(RedOf(c), GreenOf(c), BlueOf(c)));
        EXPECT_NEAR(static_cast<int>(RedOf(back)), static_cast<int>(RedOf(c)), 1);
        EXPECT_NEAR(static_cast<int>(GreenOf(back)), static_cast<int>(GreenOf(c)), 1);
        EXPECT_NEAR(static_cast<int>(BlueOf(back)), static_cast<int>(BlueOf(c)), 1);
    }
}

TEST(TrackingPolygon, MaskMatchesThePointTestAndIncludesTheOutline)
{
    TMatriceI mask;
    TPixelRect r;
    EXPECT_FALSE(RasterisePolygon({ { 3, 3 }, { 3, 3 }, { 3, 3 } }, mask, r));
    EXPECT_FALSE(RasterisePolygon({}, mask, r));

    ASSERT_TRUE(RasterisePolygon({ { 2, 1 }, { 6, 1 }, { 6, 4 }, { 2, 4 } }, mask, r));
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(mask.cols, 5);
    EXPECT_EQ(mask.rows, 4);
    for (int v : mask.data)
        EXPECT_EQ(v, 1);

    // A segment is all outline.
    ASSERT_TRUE(RasterisePolygon({ { 0, 0 }, { 4, 2 } }, mask, r));
    EXPECT_EQ(mask(0, 0) + mask(1, 2) + mask(2, 4), 3);
    EXPECT_EQ(mask(0, 4) + mask(2, 0), 0);

    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 40);
    for (int trial = 0; trial < 50; ++trial) {
        TPointDynArray polygon;
        const int n = 3 + trial % 9;
        for (int k = 0; k < n; ++k)
            polygon.push_back({ coord(rng), coord(rng) });
        if (!RasterisePolygon(polygon, mask, r))
            continue;
        for (int row = 0; row < mask.rows; ++row)
            for (int col = 0; col < mask.cols; ++col)
                ASSERT_EQ(mask(row, col) != 0, PixelInPolygon(polygon, r.left + col, r.top + row))
                    << "trial " << trial << " pixel " << r.left + col << "," << r.top + row;
    }
}

TEST(TrackingModel, OutlineGivesMaskBitmapAndCentroid)
{
    TRgbImage frame = Filled(100, 80, 90, 90, 90);
    FillRect(frame, 20, 10, 11, 7, 200, 30, 30);
    TMeanShift ms;
    TPoint start;
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 20, 10, 11, 7), start));
    EXPECT_EQ(start, (TPoint { 25, 13 }));
    EXPECT_EQ(ms.ModelBitmap().width, 11);
    EXPECT_EQ(ms.ModelBitmap().height, 7);
    EXPECT_EQ(ms.ModelBitmap().At(0, 0)[0], 200);
    // Only the vertices given count; one distinct pixel is no polygon.
    EXPECT_FALSE(ms.SetModel(frame, 1, RectOutline(frame, 20, 10, 11, 7), start));
    EXPECT_FALSE(ms.SetModel(frame, 3, { { 0.5, 0.5 }, { 0.5, 0.5 }, { 0.5, 0.5 } }, start));

    // An outline along the right and bottom edges stops at the last pixel of the frame.
    ASSERT_TRUE(ms.SetModel(frame, 4, { { 0.9, 0.9 }, { 1, 0.9 }, { 1, 1 }, { 0.9, 1 } }, start));
    EXPECT_EQ(ms.ModelRect().right, 99);
    EXPECT_EQ(ms.ModelRect().bottom, 79);
    EXPECT_EQ(ms.ModelBitmap().width, 10);
}

TEST(TrackingModel, HistogramAndAbsentColour)
{
    TRgbImage frame = Filled(60, 60, 0, 0, 0);
    FillRect(frame, 10, 10, 5, 10, 255, 255, 255);
    TMeanShift ms;
    TPoint start;
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 5, 10, 10, 10), start)); // half black, half white
    ms.SetBinCount(20);
    ms.BuildModel();
    const TMatrice3D& q = ms.ModelHistogram();
    ASSERT_EQ(q.n, 20);
    EXPECT_DOUBLE_EQ(q(0, 0, 0), 0.5);
    double sum = 0;
    for (double h : q.data)
        sum += h;
    EXPECT_NEAR(sum, 1, 1e-12);
    // The black of the model fills cell (0, 0, 0): the colour of the next empty cell would come back into
    // it, so the absent colour is one whose own cell is empty.
    const TColor a = ms.AbsentColor();
    EXPECT_EQ(q.data[BinOf(RgbToLuv(RedOf(a), GreenOf(a), BlueOf(a)))], 0);

    {
        BinCountGuard one(1); // a single cell, filled by any pixel
        ms.SetBinCount(1);
        ms.BuildModel();
        EXPECT_EQ(ms.AbsentColor(), clWhite);
    }
}

TEST(TrackingWindow, SideFromModelAndRadius)
{
    TRgbImage frame = Filled(200, 200, 90, 90, 90);
    TMeanShift ms;
    TPoint start;
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 50, 50, 30, 20), start));
    ms.SetSearchRadius(10);
    EXPECT_EQ(ms.WindowSide(), 37); // max(36, 21), made odd
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 50, 50, 10, 10), start));
    ms.SetSearchRadius(40);
    EXPECT_EQ(ms.WindowSide(), 81);
}

class TrackingRun : public ::testing::Test {
protected:
    void SetUp() override { SetBinCount(20); }
    TMeanShift ms;
    TPoint start;
};

TEST_F(TrackingRun, SmallModelInALargeWindowShrinksToTheModel)
{
    TRgbImage frame = Filled(200, 200, 90, 90, 90);
    FillRect(frame, 95, 95, 10, 10, 200, 30, 30);
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 95, 95, 10, 10), start));
    ms.SetSearchRadius(40);
    ms.BuildModel();
    TRgbImage next = Filled(200, 200, 90, 90, 90);
    FillRect(next, 100, 92, 10, 10, 200, 30, 30);
    TPoint p = start;
    ms.Track(p, next, 10, p);
    EXPECT_EQ(ms.LastSides(), (std::vector<int> { 81, 72, 57, 39, 23, 11, 10 }));
    EXPECT_NEAR(p.x, 105, 1);
    EXPECT_NEAR(p.y, 97, 1);
}

TEST_F(TrackingRun, NormalModeConvergesWithinAPixel)
{
    TRgbImage frame = Filled(200, 150, 90, 90, 90);
    FillRect(frame, 60, 50, 30, 20, 30, 60, 220);
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 60, 50, 30, 20), start));
    ms.SetSearchRadius(10);
    ms.BuildModel();
    TRgbImage next = Filled(200, 150, 90, 90, 90);
    FillRect(next, 66, 47, 30, 20, 30, 60, 220);
    TPoint p = start;
    ms.Track(p, next, 10, p);
    ASSERT_FALSE(ms.LastSides().empty());
    EXPECT_LT(ms.LastSides().size(), 10u);
    for (int side : ms.LastSides())
        EXPECT_EQ(side, 37);
    EXPECT_NEAR(p.x, start.x + 6, 1);
    EXPECT_NEAR(p.y, start.y - 3, 1);
    // No corner lies outside both bands of the enlarged model: every background weight is 1.
    for (double b : ms.BackgroundWeights().data)
        EXPECT_EQ(b, 1);
}

// The shift is measured from the window's centre pixel: an object one pixel away is reached exactly, where
// a centre taken half a pixel off would stop at a shift of 0.5, rounded to nothing.
TEST_F(TrackingRun, OnePixelAwayIsReachedExactly)
{
    TRgbImage frame = Filled(100, 100, 90, 90, 90);
    FillRect(frame, 40, 40, 11, 11, 200, 30, 30);
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 40, 40, 11, 11), start));
    ASSERT_EQ(start, (TPoint { 45, 45 }));
    ms.SetSearchRadius(10);
    ms.BuildModel();
    TRgbImage same = frame;
    TPoint p = start;
    ms.Track(p, same, 10, p);
    EXPECT_EQ(p, start);
    for (auto [dx, dy] : { std::pair { 1, 1 }, { -1, 0 }, { 0, -1 }, { 2, -3 } }) {
        TRgbImage next = Filled(100, 100, 90, 90, 90);
        FillRect(next, 40 + dx, 40 + dy, 11, 11, 200, 30, 30);
        p = start;
        ms.Track(p, next, 10, p);
        EXPECT_EQ(p, (TPoint { 45 + dx, 45 + dy })) << dx << "," << dy;
    }
}

TEST_F(TrackingRun, CornerPixelsWeighTheBackgroundDown)
{
    TRgbImage frame = Filled(200, 200, 90, 90, 90);
    FillRect(frame, 95, 95, 10, 10, 200, 30, 30);
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 95, 95, 10, 10), start));
    ms.SetSearchRadius(20); // side 41, bands 20 +- 6
    ms.BuildModel();
    TPoint p = start;
    ms.Track(p, frame, 1, p);
    const int grey = BinOf(RgbToLuv(90, 90, 90));
    // Corners: rows and columns 0..13 and 27..40 on both axes, 28 x 28 pixels, all grey.
    EXPECT_DOUBLE_EQ(ms.BackgroundWeights().data[grey], 1.0 / (28 * 28));
    EXPECT_EQ(ms.BackgroundWeights().data[BinOf(RgbToLuv(200, 30, 30))], 1);
}

TEST_F(TrackingRun, WindowAtTheFrameEdgeIsNotDrawnOutward)
{
    // A dark object against the left edge: beyond the edge the window holds the absent colour, which must
    // not look like the object.
    TRgbImage frame = Filled(120, 100, 230, 230, 230);
    FillRect(frame, 0, 40, 12, 12, 0, 0, 0);
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 0, 40, 12, 12), start));
    ms.SetSearchRadius(20);
    ms.BuildModel();
    TPoint p = start;
    ms.Track(p, frame, 10, p);
    EXPECT_GE(p.x, 4);
    EXPECT_NEAR(p.x, start.x, 1);
    EXPECT_NEAR(p.y, start.y, 1);
}

TEST_F(TrackingRun, NothingToFollowLeavesThePosition)
{
    TRgbImage frame = Filled(100, 100, 90, 90, 90);
    FillRect(frame, 40, 40, 10, 10, 200, 30, 30);
    TPoint p { 10, 10 };
    ms.Track(p, frame, 10, { 12, 13 }); // no model yet
    EXPECT_EQ(p, (TPoint { 12, 13 }));

    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 40, 40, 10, 10), start));
    ms.SetSearchRadius(10);
    ms.BuildModel();
    TRgbImage empty = Filled(100, 100, 20, 200, 20); // no model colour anywhere
    p = start;
    ms.Track(p, empty, 10, p);
    EXPECT_EQ(p, start);
    EXPECT_EQ(ms.LastSides().size(), 1u);
}

TEST_F(TrackingRun, IgnoredZonesArePaintedAndDoNotAttract)
{
    TRgbImage frame = Filled(100, 100, 90, 90, 90);
    FillRect(frame, 40, 40, 10, 10, 200, 30, 30);
    ASSERT_TRUE(ms.SetModel(frame, 4, RectOutline(frame, 40, 40, 10, 10), start));
    ms.SetSearchRadius(12);
    // A decoy of the object's colour to the right, covered by a zone to ignore.
    ms.SetIgnoreZones({ { { 0.58, 0.38 }, { 0.75, 0.38 }, { 0.75, 0.52 }, { 0.58, 0.52 } } }, 1, 100, 100);
    ASSERT_EQ(ms.IgnorePolygons().size(), 1u);
    EXPECT_EQ(ms.IgnorePolygons()[0][0], (TPoint { 58, 38 }));
    ms.BuildModel();
    TRgbImage next = frame;
    FillRect(next, 60, 40, 10, 10, 200, 30, 30);
    TPoint p = start;
    ms.Track(p, next, 10, p);
    EXPECT_NEAR(p.x, start.x, 1);
    const auto* painted = next.At(65, 45);
    EXPECT_EQ(MakeColor(painted[0], painted[1], painted[2]), ms.AbsentColor());
}

} // namespace
} // namespace kinoval::tracking
