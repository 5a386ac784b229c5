#include "document_fixture.h"

#include "core/document/time_base.h"

#include <cmath>
#include <numbers>

namespace kinoval::test {
namespace {

using document::skHorizontal;
using document::skSingle;
using document::skVertical;
constexpr double pi = std::numbers::pi;

class FrameTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        data->SetTool(document::toScale);
    }
};

TEST_F(FrameTest, SingleScaleOnA640By480Video)
{
    Click(0.1, 0.5);
    EXPECT_EQ(data->ScalePointCount(), 1);
    Click(0.6, 0.5);
    EXPECT_EQ(data->ScalePointCount(), 2);
    EXPECT_FALSE(data->ScaleComplete());
    data->SetScaleLength(skSingle, 1);
    EXPECT_TRUE(data->ScaleComplete());
    const TScaleFactors f = data->ScaleFactors();
    EXPECT_DOUBLE_EQ(f.sx, 2.0);
    EXPECT_DOUBLE_EQ(f.sy, 1.5);
    // 1/320 per pixel both ways.
    EXPECT_DOUBLE_EQ(f.sx / view.frameWidth, 1.0 / 320);
    EXPECT_DOUBLE_EQ(f.sy / view.frameHeight, 1.0 / 320);
    const TFrameGeometry g = data->Geometry(TMarkSet::Fixed);
    EXPECT_DOUBLE_EQ(g.sx, 2.0);
    EXPECT_DOUBLE_EQ(g.sy, 1.5);
}

TEST_F(FrameTest, IncompleteOrDegenerateScalesGiveMinusOne)
{
    EXPECT_DOUBLE_EQ(data->ScaleFactors().sx, -1);
    Click(0.1, 0.5);
    EXPECT_DOUBLE_EQ(data->ScaleFactors().sy, -1);
    // A second point on the first point's pixel is ignored.
    Click(0.1, 0.5);
    EXPECT_EQ(data->ScalePointCount(), 1);
    // The rubber line runs from the first point to the cursor.
    view.mouse = { 300, 200 };
    TPoint a, b;
    ASSERT_TRUE(data->RubberLine(a, b));
    EXPECT_EQ(a, At(0.1, 0.5));
    EXPECT_EQ(b, (TPoint { 300, 200 }));
}

TEST_F(FrameTest, SeparateScalesKeepTheirSegmentsHorizontalAndVertical)
{
    settings.separateScales = true;
    Make();
    data->SetTool(document::toScale);
    EXPECT_EQ(data->ScaleKind(), skVertical);
    Click(0.5, 0.2);
    view.mouse = { 100, 400 };
    TPoint a, b;
    ASSERT_TRUE(data->RubberLine(a, b));
    EXPECT_EQ(b.x, a.x);
    // Same row as the first point is refused for the vertical scale.
    data->MouseDown(TMouseButton::Left, { 10, At(0.5, 0.2).y });
    EXPECT_EQ(data->ScalePointCount(skVertical), 1);
    Click(0.7, 0.7); // x forced onto the first point's column
    EXPECT_EQ(data->ScalePointCount(skVertical), 2);
    EXPECT_DOUBLE_EQ(data->Scale().Point(skVertical, 1).x, data->Scale().Point(skVertical, 0).x);
    data->SetScaleLength(skVertical, 2);
    int kindNotes = 0;
    {
        TConnection listening = data->Changed.Connect([&](const document::TDocChange& c) {
            if (c.kind != document::TDocChangeKind::ScaleKind)
                return;
            EXPECT_EQ(c.scaleKind, skSingle);
            EXPECT_EQ(c.oldScaleKind, skVertical);
            ++kindNotes;
        });
        data->SetSeparateScales(false);
    }
    EXPECT_EQ(kindNotes, 1);
    data->SetSeparateScales(true);
    EXPECT_EQ(kindNotes, 1); // no longer listening
    EXPECT_EQ(data->ScaleKind(), skVertical);
    // Work on the horizontal kind by hand: both the horizontal and the vertical must be complete.
    auto& e = data->Scale();
    e.Kind = skHorizontal;
    Click(0.2, 0.4);
    Click(0.7, 0.9);
    EXPECT_DOUBLE_EQ(e.Point(skHorizontal, 1).y, e.Point(skHorizontal, 0).y);
    data->SetScaleLength(skHorizontal, 1);
    EXPECT_TRUE(data->ScaleComplete());
    const TScaleFactors f = data->ScaleFactors();
    EXPECT_NEAR(f.sx, 1 / 0.5, 1e-9);
    EXPECT_NEAR(f.sy, 2 / 0.5, 1e-9);
}

TEST_F(FrameTest, ScaleDragsAndRightClickUndoInTheScaleHistory)
{
    Click(0.1, 0.5);
    Click(0.6, 0.5);
    auto& e = data->Scale();
    // Drag the second point.
    Drag(At(0.6, 0.5), At(0.6, 0.75));
    EXPECT_EQ(e.Screen[1], At(0.6, 0.75));
    EXPECT_EQ(data->UndoCaption(), "Annuler Modifier Echelle");
    data->Undo();
    EXPECT_EQ(e.Screen[1], At(0.6, 0.5));
    // Drag the whole segment from its middle.
    const TPoint mid = At(0.35, 0.5);
    Drag(mid, { mid.x + 10, mid.y + 20 });
    EXPECT_EQ(e.Screen[0], (TPoint { At(0.1, 0.5).x + 10, At(0.1, 0.5).y + 20 }));
    EXPECT_EQ(data->UndoCaption(), "Annuler Déplacer Echelle");
    data->Undo();
    EXPECT_EQ(e.Screen[0], At(0.1, 0.5));
    data->MouseDown(TMouseButton::Right, { 0, 0 });
    EXPECT_EQ(data->ScalePointCount(), 1);
    data->Undo();
    EXPECT_EQ(data->ScalePointCount(), 2);
    // The marks history is another one: undo in the scale tool never touches marks.
    data->SetTool(document::toPlaceMarks);
    Click(0.3, 0.3);
    data->SetTool(document::toScale);
    while (data->Undo()) { }
    EXPECT_EQ(data->ScalePointCount(), 0);
    EXPECT_EQ(data->MarkCount(), 1);
}

TEST_F(FrameTest, PointsVeryCloseTogetherAreDraggedAsASegment)
{
    const TPoint a { 100, 100 };
    data->MouseDown(TMouseButton::Left, a);
    data->MouseDown(TMouseButton::Left, { 101, 101 });
    ASSERT_EQ(data->ScalePointCount(), 2);
    data->MouseDown(TMouseButton::Left, a);
    EXPECT_EQ(data->Scale().DraggedItem, -1);
}

class AxesTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        data->SetTool(document::toOriginAndAxes);
        Click(0.5, 0.5); // origin at (320, 240)
    }
};

TEST_F(AxesTest, PlacingTheOriginDrawsAxesAcrossTheImage)
{
    const auto& axes = data->Axes();
    EXPECT_EQ(data->OriginPlaced(), 1);
    EXPECT_EQ(axes.OriginScreen, (TPoint { 320, 240 }));
    EXPECT_EQ(axes.XPositive, (TPoint { 640, 240 }));
    EXPECT_EQ(axes.XNegative, (TPoint { 0, 240 }));
    EXPECT_EQ(axes.YPositive, (TPoint { 320, 0 }));
    EXPECT_EQ(data->UndoCaption(), "Annuler Choisir Repère");
    data->Undo();
    EXPECT_EQ(data->OriginPlaced(), 0);
}

TEST_F(AxesTest, TurningTheXAxisTo3PiOver4SetsYToMinus3PiOver4)
{
    data->MouseDown(TMouseButton::Left, { 500, 240 }); // on the X half-line
    EXPECT_EQ(data->Axes().DragState, 2);
    data->MouseMove({ 220, 140 }); // up and left: 3pi/4
    data->MouseUp(TMouseButton::Left, { 220, 140 });
    EXPECT_NEAR(data->XAxisAngle(), 3 * pi / 4, 1e-12);
    EXPECT_NEAR(data->Axes().YAxisAngle, -3 * pi / 4, 1e-12);
    EXPECT_EQ(data->UndoCaption(), "Annuler Pivoter Repère");
    data->SetXAxisAngle(3 * pi / 4);
    EXPECT_NEAR(data->Axes().YAxisAngle, -3 * pi / 4, 1e-12);
    data->Undo();
    data->Undo();
    EXPECT_DOUBLE_EQ(data->XAxisAngle(), 0);
    EXPECT_DOUBLE_EQ(data->Axes().YAxisAngle, pi / 2);
}

TEST_F(AxesTest, TurningTheYAxisFollowsItsDirection)
{
    data->SetYAxisDirect(false); // the positive Y half now points down
    EXPECT_EQ(data->Axes().YPositive, (TPoint { 320, 480 }));
    data->MouseDown(TMouseButton::Left, { 320, 400 });
    EXPECT_EQ(data->Axes().DragState, 3);
    data->MouseMove({ 420, 340 }); // down-right, the positive direction follows the pointer
    EXPECT_NEAR(data->Axes().YAxisAngle, 3 * pi / 4, 1e-12);
    EXPECT_NEAR(data->XAxisAngle(), pi / 4, 1e-12);
}

TEST_F(AxesTest, MovingTheOriginAndRightClickRemovingIt)
{
    int axesNotes = 0;
    TConnection listening = data->Changed.Connect(
        [&](const document::TDocChange& c) { axesNotes += c.kind == document::TDocChangeKind::Axes ? 1 : 0; });
    Drag({ 321, 241 }, { 341, 221 });
    EXPECT_EQ(data->Axes().OriginScreen, (TPoint { 340, 220 }));
    EXPECT_GE(axesNotes, 1);
    data->MouseDown(TMouseButton::Right, { 0, 0 });
    EXPECT_EQ(data->OriginPlaced(), 0);
    EXPECT_EQ(data->UndoCaption(), "Annuler Effacer Repère");
    data->Undo();
    EXPECT_EQ(data->OriginPlaced(), 1);
    data->Undo();
    EXPECT_EQ(data->Axes().OriginScreen, (TPoint { 320, 240 }));
}

TEST_F(AxesTest, CursorShowsWhatCanBeGrabbed)
{
    data->MouseMove({ 322, 238 });
    EXPECT_EQ(view.cursor, TViewCursor::OriginMove);
    data->MouseMove({ 320, 100 });
    EXPECT_EQ(view.cursor, TViewCursor::AxisTurn);
    data->MouseMove({ 100, 100 });
    EXPECT_EQ(view.cursor, TViewCursor::Default);
}

TEST(PhysicalConversion, AngleAndFlippedAxes)
{
    TFrameGeometry g;
    g.sx = 2;
    g.sy = 3;
    // X axis turned to pi/2: a point straight above the origin lies on the new x axis.
    g.xAxisAngle = pi / 2;
    TPointD p = document::ToPhysical(0, 0.1, g);
    EXPECT_NEAR(p.x, 0.3, 1e-12);
    EXPECT_NEAR(p.y, 0, 1e-12);
    g.xAxisAngle = 0;
    p = document::ToPhysical(0.25, 0.1, g);
    g.xAxisDirect = false;
    TPointD q = document::ToPhysical(0.25, 0.1, g);
    EXPECT_DOUBLE_EQ(q.x, -p.x);
    EXPECT_DOUBLE_EQ(q.y, p.y);
    g.yAxisDirect = false;
    q = document::ToPhysical(0.25, 0.1, g);
    EXPECT_DOUBLE_EQ(q.y, -p.y);
}

TEST_F(AxesTest, FlippedAxesReachTheCalculatorsGeometry)
{
    data->SetXAxisDirect(false);
    EXPECT_FALSE(data->Geometry(TMarkSet::Fixed).xAxisDirect);
    EXPECT_TRUE(data->Geometry(TMarkSet::Fixed).yAxisDirect);
    EXPECT_EQ(data->Axes().XPositive, (TPoint { 0, 240 }));
    EXPECT_EQ(data->UndoCaption(), "Annuler Changer sens Repère");
    data->Undo();
    EXPECT_TRUE(data->Geometry(TMarkSet::Fixed).xAxisDirect);
    view.mode = TMarkSet::Transparent;
    EXPECT_EQ(data->OriginPlaced(), 1);
    EXPECT_DOUBLE_EQ(data->Origin().x, 0);
    EXPECT_DOUBLE_EQ(data->Geometry(TMarkSet::Transparent).xAxisAngle, 0);
}

TEST(TimeBetweenFrames, RangeIsOpenAndBothSeparatorsAreAccepted)
{
    double value = 0;
    EXPECT_TRUE(document::CheckTimeBetweenFrames("0,04", value).empty());
    EXPECT_DOUBLE_EQ(value, 0.04);
    EXPECT_TRUE(document::CheckTimeBetweenFrames("2.5e-3", value).empty());
    EXPECT_DOUBLE_EQ(value, 0.0025);
    const auto low = document::CheckTimeBetweenFrames("1e-6", value);
    ASSERT_EQ(low.size(), 3u);
    EXPECT_EQ(low[0], "Valeur saisie : 1e-6 s");
    EXPECT_EQ(low[1], "Saisir une valeur comprise dans l'intervalle ci-dessous :");
    EXPECT_EQ(low[2], "1 µs < intervalle de temps < 1 Gs");
    EXPECT_EQ(document::CheckTimeBetweenFrames("1e9", value).size(), 3u);
    EXPECT_EQ(document::CheckTimeBetweenFrames("-0.04", value).size(), 3u);
    const auto bad = document::CheckTimeBetweenFrames("abc", value);
    ASSERT_EQ(bad.size(), 4u);
    EXPECT_EQ(bad[0], "Valeur saisie : abc");
    EXPECT_EQ(bad[1], "Cette chaîne de caractères ne représente pas un nombre réel acceptable.");
    EXPECT_DOUBLE_EQ(value, 0.0025);
}

TEST_F(DocumentTest, TimeBetweenFramesChangesOnlyOnARealDifference)
{
    data->SetTimeBetweenFrames(0.04);
    data->ClearResultsOutOfDate();
    data->SetTimeBetweenFrames(0.04);
    EXPECT_FALSE(data->ResultsOutOfDate());
    data->SetTimeBetweenFrames(0.05);
    EXPECT_TRUE(data->ResultsOutOfDate());
    EXPECT_DOUBLE_EQ(data->TimeBetweenFrames(), 0.05);
}

} // namespace
} // namespace kinoval::test
