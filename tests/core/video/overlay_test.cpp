// The drawing rules of the view's overlays, and the playback thread timer.
#include "core/drawing/arrow_head.h"
#include "core/video/overlay.h"
#include "core/video/thread_timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace kinoval::video {
namespace {

template <class S>
std::vector<S> ShapesOf(const TOverlay& overlay)
{
    std::vector<S> out;
    for (const TOverlayShape& s : overlay.shapes)
        if (const S* p = std::get_if<S>(&s))
            out.push_back(*p);
    return out;
}

TEST(Overlay, MarkLabelsBelowOrRightWithTheSizeOffsets)
{
    TOverlay o;
    AddMark(o, {100, 100}, 13, clRed, 0, npBelow, 7);
    AddMark(o, {100, 100}, 0, clRed, 1, npBelow, 8);
    AddMark(o, {100, 100}, 0, clRed, 2, npRight, 9);
    AddMark(o, {100, 100}, 0, clRed, 2, npNone, 10);
    AddMark(o, {100, 100}, -1, clRed, 2, npBelow, 11); // negative object: nothing
    const auto glyphs = ShapesOf<TOverlayGlyph>(o);
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_EQ(glyphs[0].kind, 1); // object 13
    EXPECT_EQ(glyphs[1].size, 1);
    const auto texts = ShapesOf<TOverlayText>(o);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].origin, (TScreenPoint{98, 104}));  // b = 0
    EXPECT_EQ(texts[0].pointSize, 0);
    EXPECT_EQ(texts[1].origin, (TScreenPoint{96, 108}));  // b = 4
    EXPECT_EQ(texts[1].pointSize, 12);
    EXPECT_EQ(texts[2].origin, (TScreenPoint{115, 90}));  // b = 7, to the right: (x + 15, y - 3 - 7)
    EXPECT_EQ(texts[2].pointSize, 15);
    EXPECT_EQ(texts[2].text, "9");
}

TEST(Overlay, ScaleHasAHeadAtEachEndAndTheRubberLineOne)
{
    TOverlay o;
    AddScale(o, {100, 400}, {300, 400}, clYellow, 2);
    const auto lines = ShapesOf<TOverlayLine>(o);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].width, 5);
    const auto heads = ShapesOf<TOverlayPolygon>(o);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0].points[1], (TScreenPoint{100, 400}));
    EXPECT_EQ(heads[1].points[1], (TScreenPoint{300, 400}));
    EXPECT_EQ(heads[1].points[0], (TScreenPoint{280, 410})); // 10 % of 200 px
    EXPECT_FALSE(heads[1].filled);

    TOverlay rubber;
    AddScaleRubber(rubber, {10, 10}, {10, 10}, clYellow, 0); // cursor on the point: no head
    EXPECT_EQ(ShapesOf<TOverlayPolygon>(rubber).size(), 0u);
    AddScaleRubber(rubber, {10, 10}, {10, 300}, clYellow, 0);
    ASSERT_EQ(ShapesOf<TOverlayPolygon>(rubber).size(), 1u);
    EXPECT_EQ(ShapesOf<TOverlayPolygon>(rubber)[0].points[1], (TScreenPoint{10, 10}));
}

TEST(Overlay, SheetAxesPointToTheirPositiveSides)
{
    TOverlay direct;
    AddSheet(direct, {300, 50}, {100, 250}, {200, 150}, true, true, clWhite, 1);
    auto heads = ShapesOf<TOverlayPolygon>(direct);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_TRUE(heads[0].filled);
    EXPECT_EQ(heads[0].points[1], (TScreenPoint{300, 150})); // x to the right
    EXPECT_EQ(heads[1].points[1], (TScreenPoint{200, 50}));  // y upward on the screen
    EXPECT_EQ(ShapesOf<TOverlayLine>(direct).size(), 6u);     // four edges, two axes
    const auto labels = ShapesOf<TOverlayText>(direct);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, "x");
    EXPECT_EQ(labels[1].text, "y");
    EXPECT_TRUE(labels[0].bold);

    TOverlay flipped;
    AddSheet(flipped, {100, 50}, {300, 250}, {200, 150}, false, false, clWhite, 1);
    heads = ShapesOf<TOverlayPolygon>(flipped);
    EXPECT_EQ(heads[0].points[1], (TScreenPoint{100, 150}));
    EXPECT_EQ(heads[1].points[1], (TScreenPoint{200, 250}));
}

TEST(Overlay, PenWidthsOfTheElementSizes)
{
    EXPECT_EQ(ElementPenWidth(0), 1);
    EXPECT_EQ(ElementPenWidth(1), 3);
    EXPECT_EQ(ElementPenWidth(2), 5);
    EXPECT_EQ(ElementPenWidth(7), 5);
}

TEST(ThreadTimer, TicksOnItsOwnThreadAndCanStopFromATick)
{
    TThreadTimer timer;
    std::atomic<int> ticks{0};
    std::atomic<bool> otherThread{false};
    const auto main = std::this_thread::get_id();
    ASSERT_TRUE(timer.Start(1, [&] {
        otherThread = std::this_thread::get_id() != main;
        if (++ticks == 3)
            timer.Stop();
    }));
    for (int i = 0; i < 5000 && timer.Running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(timer.Running());
    EXPECT_EQ(ticks.load(), 3);
    EXPECT_TRUE(otherThread.load());
    // It starts again after stopping itself, and refuses a zero period.
    EXPECT_TRUE(timer.Start(1, [] {}));
    timer.Stop();
    EXPECT_FALSE(timer.Start(0, [] {}));
}

} // namespace
} // namespace kinoval::video
