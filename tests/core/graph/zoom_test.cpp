// The zoom levels, the zoom step about a point and the zoom box of a graph.
#include "core/graph/graph.h"

#include <gtest/gtest.h>

namespace kinoval::graph {
namespace {

TEST(GraphZoomLevels, StepAlongTheTableAndStopAtItsEnds)
{
    EXPECT_DOUBLE_EQ(TZoom::In(1, false), 1.5);
    EXPECT_DOUBLE_EQ(TZoom::Out(1, false), 0.667);
    EXPECT_DOUBLE_EQ(TZoom::In(0.667, false), 1);
    EXPECT_DOUBLE_EQ(TZoom::In(0.66700001, false), 1); // within 1e-5 of a level counts as on it
    EXPECT_DOUBLE_EQ(TZoom::In(10, false), 10);
    EXPECT_DOUBLE_EQ(TZoom::Out(0.0625, false), 0.0625);
    EXPECT_DOUBLE_EQ(TZoom::In(1.2, false), 1.5);
    EXPECT_DOUBLE_EQ(TZoom::Out(1.2, false), 1);
    // A fine step: a tenth of the gap beside the next level.
    EXPECT_NEAR(TZoom::In(1, true), 1.05, 1e-12);
    EXPECT_NEAR(TZoom::Out(1, true), 1 - 0.333 / 10, 1e-12);
    EXPECT_DOUBLE_EQ(TZoom::In(9.9, true), 10);
    EXPECT_DOUBLE_EQ(TZoom::Out(0.064, true), 0.0625);
    EXPECT_NEAR(TZoom::Out(0.07, true), 0.07 - (0.0833 - 0.0625) / 10, 1e-12);
    EXPECT_DOUBLE_EQ(TZoom::Multiplied(4, 5), 10);
    EXPECT_DOUBLE_EQ(TZoom::Multiplied(0.1, 0.1), 0.0625);
    EXPECT_DOUBLE_EQ(TZoom::Multiplied(2, 1.5), 3);
}

class GraphZoomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        graph.SetMargins(100, 20, 10, 50);
        graph.SetSize(720, 460); // a 600 x 400 plot
        graph.SetWorld({ 0, 60, -10, 30 }, false);
    }
    TGraph graph;
};

TEST_F(GraphZoomTest, AStepKeepsThePointUnderTheMouse)
{
    const TPointF at { 250, 130 };
    const TWorldPoint before = graph.ScreenToWorld(at);
    graph.ZoomStep(at, true, false);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 1.5);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorY, 1.5);
    EXPECT_NEAR(graph.World().Width(), 40, 1e-9);
    const TWorldPoint after = graph.ScreenToWorld(at);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    // Only the axes the zoom acts on.
    graph.IsZoomX = false;
    graph.ZoomStep(at, false, false);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 1.5);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorY, 1);
    EXPECT_NEAR(graph.World().Height(), 40, 1e-9);
    // A new window brings the factors back to 1.
    graph.SetWorld({ 0, 1, 0, 1 }, false);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 1);
}

TEST_F(GraphZoomTest, ABoxUnderTenPixelsDoesNothing)
{
    const TWorld before = graph.World();
    EXPECT_FALSE(graph.ZoomBox({ 200, 100, 9.9, 200 }));
    EXPECT_FALSE(graph.ZoomBox({ 200, 100, 200, 9 }));
    EXPECT_EQ(graph.World(), before);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 1);
}

TEST_F(GraphZoomTest, ABoxShowsWhatItFramed)
{
    // 150 x 100 pixels: a quarter of the plot along each axis.
    const TRectF box { 250, 60, 150, 100 };
    const TWorldPoint centre = graph.ScreenToWorld({ 325, 110 });
    ASSERT_TRUE(graph.ZoomBox(box));
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 4);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorY, 4);
    EXPECT_NEAR(graph.World().Width(), 15, 1e-9);
    EXPECT_NEAR(graph.World().Height(), 10, 1e-9);
    EXPECT_NEAR((graph.World().xmin + graph.World().xmax) / 2, centre.x, 1e-9);
    EXPECT_NEAR((graph.World().ymin + graph.World().ymax) / 2, centre.y, 1e-9);
    // Past the last level the factor stops at 10 and the window with it.
    ASSERT_TRUE(graph.ZoomBox({ 300, 100, 15, 10 }));
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 10);
    EXPECT_NEAR(graph.World().Width(), 6, 1e-9);
}

TEST_F(GraphZoomTest, TheZoomToolBoxesOrStepsOnRelease)
{
    graph.SetTool(gtZoom);
    EXPECT_EQ(graph.Cursor(), TGraphCursor::ZoomBoth);
    graph.MouseDown({ TGraphButton::Left, { 250, 60 } });
    graph.MouseMove({ TGraphButton::Left, { 400, 160 } });
    EXPECT_TRUE(graph.Zoom().boxShown);
    graph.MouseUp({ TGraphButton::Left, { 400, 160 } });
    EXPECT_FALSE(graph.Zoom().boxShown);
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 4);
    // A click: a step about the released point, out with the right button, fine with Ctrl.
    graph.MouseDown({ TGraphButton::Right, { 300, 200 } });
    graph.MouseUp({ TGraphButton::Right, { 302, 201 } });
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 3.5);
    graph.MouseDown({ TGraphButton::Left, { 300, 200 }, false, true });
    graph.MouseUp({ TGraphButton::Left, { 300, 200 }, false, true });
    EXPECT_NEAR(graph.Zoom().factorX, 3.55, 1e-12);
    graph.IsZoomX = false;
    EXPECT_EQ(graph.Cursor(), TGraphCursor::ZoomY);
    graph.IsZoomY = false;
    EXPECT_EQ(graph.Cursor(), TGraphCursor::Default);
}

TEST_F(GraphZoomTest, OrthonormalBoxesKeepTheProportions)
{
    graph.SetWorld({ 0, 6, 0, 4 }, true); // already 100 pixels a unit on both axes
    graph.IsZoomX = false; // ignored: an orthonormal graph zooms both axes
    ASSERT_TRUE(graph.ZoomBox({ 200, 100, 300, 100 }));
    EXPECT_DOUBLE_EQ(graph.Zoom().factorX, 2); // min(400/100, 600/300)
    EXPECT_DOUBLE_EQ(graph.Zoom().factorY, 2);
    EXPECT_NEAR(graph.World().Width() / 600, graph.World().Height() / 400, 1e-12);
}

TEST_F(GraphZoomTest, PanningCarriesTheGrabbedPointAlong)
{
    graph.SetTool(gtPan);
    EXPECT_EQ(graph.Cursor(), TGraphCursor::Pan);
    const TPointF from { 300, 200 };
    const TWorldPoint grabbed = graph.ScreenToWorld(from);
    graph.MouseDown({ TGraphButton::Left, from });
    EXPECT_EQ(graph.Cursor(), TGraphCursor::Panning);
    graph.MouseMove({ TGraphButton::Left, { 330, 190 } });
    graph.MouseMove({ TGraphButton::Left, { 360, 180 } });
    graph.MouseUp({ TGraphButton::Left, { 360, 180 } });
    const TWorldPoint now = graph.ScreenToWorld({ 360, 180 });
    EXPECT_NEAR(now.x, grabbed.x, 1e-9);
    EXPECT_NEAR(now.y, grabbed.y, 1e-9);
    EXPECT_NEAR(graph.World().Width(), 60, 1e-9);
    // Another button does not pan; it says the plot was clicked.
    int clicks = 0;
    auto link = graph.OnObjectClick.Connect(
        [&](TGraphButton b, TGObjectType kind) { clicks += b == TGraphButton::Right && kind == obNone; });
    const TWorld before = graph.World();
    graph.MouseDown({ TGraphButton::Right, from });
    graph.MouseMove({ TGraphButton::Right, { 400, 300 } });
    EXPECT_EQ(graph.World(), before);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace kinoval::graph
