// The measuring tools: their measures and measurement lines, their creation with the mouse, the band
// tools, and the graph's own history (groups, caption, pruning, undo).
#include "core/graph/graph.h"
#include "core/graph/measure_tools.h"
#include "core/graph/page_curves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kinoval::graph {
namespace {

class MeasureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        graph.SetMargins(140, 30, 15, 100);
        graph.SetSize(770, 515); // a 600 x 400 plot from (140, 15)
        // Ten times more world units per pixel across than up.
        graph.SetWorld({ 0, 60, 0, 4 }, false);
        RegisterMeasureTools(graph);
    }

    TWorldPoint W(double px, double py) const { return graph.ScreenToWorld({ px, py }); }

    void Drag(TPointF from, TPointF to)
    {
        graph.MouseDown({ TGraphButton::Left, from });
        graph.MouseMove({ TGraphButton::Left, { (from.x + to.x) / 2, (from.y + to.y) / 2 } });
        graph.MouseMove({ TGraphButton::Left, to });
        graph.MouseUp({ TGraphButton::Left, to });
    }

    void Click(TPointF at)
    {
        graph.MouseDown({ TGraphButton::Left, at });
        graph.MouseUp({ TGraphButton::Left, at });
    }

    template <class T> std::vector<T*> All() const
    {
        std::vector<T*> out;
        for (const auto& e : graph.Elements()) {
            if (auto* t = dynamic_cast<T*>(e.get()))
                out.push_back(t);
        }
        return out;
    }

    TGraph graph;
};

TEST_F(MeasureTest, ARightAngleOnTheScreenReadsNinetyDegreesWhateverTheScales)
{
    auto* angle
        = static_cast<TGAngle*>(graph.AddElement(std::make_unique<TGAngle>(W(300, 100), W(300, 300), W(500, 300))));
    EXPECT_EQ(angle->Lines().front(), "Angle saillant entre les deux droites : 90.0° (1.571 rad)");
    graph.SetDecimalSeparator(',');
    EXPECT_EQ(angle->Lines().front(), "Angle saillant entre les deux droites : 90,0° (1,571 rad)");
    // Square in world units is not square on this screen: the angle is the one drawn.
    // 45° in world units, 20 pixels across for 200 up on the screen.
    auto* world = static_cast<TGAngle*>(graph.AddElement(
        std::make_unique<TGAngle>(TWorldPoint { 10, 3 }, TWorldPoint { 10, 1 }, TWorldPoint { 12, 3 })));
    EXPECT_NEAR(world->Radians(), std::atan2(20.0, 200.0), 1e-9);
    // A straight line is a flat angle, and the angle does not depend on the way round.
    auto* flat
        = static_cast<TGAngle*>(graph.AddElement(std::make_unique<TGAngle>(W(200, 200), W(300, 200), W(400, 200))));
    EXPECT_NEAR(flat->Radians(), std::numbers::pi, 1e-12);
    auto* acute
        = static_cast<TGAngle*>(graph.AddElement(std::make_unique<TGAngle>(W(400, 100), W(300, 300), W(500, 300))));
    auto* mirrored
        = static_cast<TGAngle*>(graph.AddElement(std::make_unique<TGAngle>(W(500, 300), W(300, 300), W(400, 100))));
    EXPECT_NEAR(acute->Radians(), mirrored->Radians(), 1e-12);
    EXPECT_NEAR(acute->Radians(), std::atan2(200.0, 100.0), 1e-9);
}

TEST_F(MeasureTest, EllipseCircumferenceByRamanujan)
{
    const TGEllipse e = TGEllipse::Of({ 1, 1 }, 3, 1, 0.3);
    EXPECT_NEAR(e.Circumference(), std::numbers::pi * (12 - std::sqrt(60.0)), 1e-9);
    EXPECT_NEAR(e.Circumference(), 13.36, 0.005);
    const std::vector<std::string> lines = e.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Angle avec l'horizontale : 17.2° (0.300 rad)");
    EXPECT_EQ(lines[1], "Circonférence de l'ellipse: 13.4 m");
    EXPECT_EQ(lines[2], "Longueur du demi grand axe: 3 m");
    EXPECT_EQ(lines[3], "Longueur du demi petit axe: 1 m");
    // The larger semi-axis is the major one, whichever point gives it.
    const TGEllipse tall = TGEllipse::Of({ 0, 0 }, 1, 3, 0);
    EXPECT_EQ(tall.Lines()[2], "Longueur du demi grand axe: 3 m");
    // Equal semi-axes: a circle.
    EXPECT_DOUBLE_EQ(EllipseCircumference(2, 2), 4 * std::numbers::pi);
    // Built from two points: the ellipse in the rectangle they span.
    const TGEllipse boxed({ 2, 1 }, { 8, 3 });
    EXPECT_DOUBLE_EQ(boxed.SemiAxis0(), 3);
    EXPECT_DOUBLE_EQ(boxed.SemiAxis1(), 1);
    EXPECT_EQ(boxed.points[4], (TWorldPoint { 5, 2 }));
}

TEST_F(MeasureTest, ASplineMeasuresItsMiddleSegmentsOnly)
{
    // Evenly spaced points on a line: the curve runs straight from the 2nd to the 4th point.
    EXPECT_NEAR(SplineLength({ { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 } }), 2, 1e-9);
    EXPECT_EQ(SplineLength({ { 0, 0 }, { 1, 0 }, { 2, 0 } }), 0);
    // Points on a circle: the length of the arc between the 2nd and the last but one, within a percent.
    std::vector<TWorldPoint> round;
    for (int i = 0; i <= 12; ++i)
        round.push_back({ std::cos(i * std::numbers::pi / 12), std::sin(i * std::numbers::pi / 12) });
    EXPECT_NEAR(SplineLength(round), 10 * std::numbers::pi / 12, 0.01);
    TGSpline spline;
    spline.points = { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 } };
    EXPECT_EQ(spline.Lines(), std::vector<std::string> { "Longueur de la courbe : 2 m" });
}

TEST_F(MeasureTest, ArcsStartStraightWithAnInfiniteRadiusAndBendThroughAPoint)
{
    TGArc arc({ 1, 0 }, { -1, 0 });
    std::vector<std::string> lines = arc.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Longueur de l'arc de cercle : 2 m");
    EXPECT_EQ(lines[1], "Angle entre les rayons : 0.0° (0.000 rad)");
    EXPECT_EQ(lines[2], "Longueur du rayon : infinie");
    arc.BendThrough({ 0, 1 });
    EXPECT_FALSE(arc.straight);
    EXPECT_NEAR(arc.angle, std::numbers::pi, 1e-12);
    EXPECT_NEAR(arc.Radius(), 1, 1e-12);
    lines = arc.Lines();
    EXPECT_EQ(lines[0], "Longueur de l'arc de cercle : 3.14 m");
    EXPECT_EQ(lines[1], "Angle entre les rayons : 180.0° (3.142 rad)");
    EXPECT_EQ(lines[2], "Longueur du rayon : 1 m");
    // Through a point near the chord: a short arc, turning the other way round.
    arc.BendThrough({ 0, -0.2 });
    EXPECT_LT(arc.angle, 0);
    EXPECT_GT(arc.Length(), 2);
    EXPECT_LT(arc.Length(), 2.1);
    // Back on the chord's line: straight again.
    arc.BendThrough({ 0.3, 0 });
    EXPECT_TRUE(arc.straight);
    EXPECT_EQ(arc.Lines()[2], "Longueur du rayon : infinie");
}

TEST_F(MeasureTest, CirclesAndSegmentsSayTheirLengths)
{
    const TGCercle circle({ 1, 1 }, { 4, 5 });
    EXPECT_EQ(
        circle.Lines(), (std::vector<std::string> { "Circonférence du cercle : 31.4 m", "Longueur du rayon : 5 m" }));
    EXPECT_EQ(TGCercle().Radius(), 0);
    EXPECT_EQ(TGCercle().Circumference(), 0);
    const TGSegment segment({ 0, 0 }, { 3, 4 });
    EXPECT_EQ(segment.Lines(), std::vector<std::string> { "Longueur du segment : 5 m" });
    EXPECT_EQ(FormatLength(0.000123456, '.'), "0.000123 m");
    EXPECT_EQ(FormatLength(123456, ','), "1,23E+05 m");
}

TEST_F(MeasureTest, TheMouseBuildsEachToolAndNothingFromOnePoint)
{
    graph.drawingColour = MakeColor(10, 20, 30);
    ASSERT_TRUE(graph.SetTool(gtSegment));
    Drag({ 200, 300 }, { 500, 300 });
    ASSERT_EQ(All<TGSegment>().size(), 1u);
    const TGSegment* segment = All<TGSegment>().front();
    EXPECT_TRUE(segment->selected);
    EXPECT_EQ(segment->colour, MakeColor(10, 20, 30));
    EXPECT_NEAR(segment->Length(), 30, 1e-9); // 300 pixels of 0.1
    EXPECT_EQ(graph.Bulle().lines, std::vector<std::string> { "Longueur du segment : 30 m" });
    EXPECT_EQ(graph.UndoCaption(), "Annuler Créer Segment");
    Click({ 250, 250 });
    EXPECT_EQ(All<TGSegment>().size(), 1u);

    // The angle: three points, the vertex second; created on the third.
    ASSERT_TRUE(graph.SetTool(gtAngle));
    Click({ 300, 100 });
    Click({ 300, 300 });
    EXPECT_TRUE(All<TGAngle>().empty());
    Click({ 500, 300 });
    ASSERT_EQ(All<TGAngle>().size(), 1u);
    EXPECT_NEAR(All<TGAngle>().front()->Radians(), std::numbers::pi / 2, 1e-9);
    // Two points alike: no angle.
    Click({ 300, 100 });
    Click({ 300, 300 });
    Click({ 300, 100 });
    EXPECT_EQ(All<TGAngle>().size(), 1u);

    // Circle, ellipse and arc from a drag.
    ASSERT_TRUE(graph.SetTool(gtCercle));
    Drag({ 400, 200 }, { 400, 250 });
    ASSERT_EQ(All<TGCercle>().size(), 1u);
    EXPECT_NEAR(All<TGCercle>().front()->Radius(), 0.5, 1e-9);
    ASSERT_TRUE(graph.SetTool(gtEllipse));
    Drag({ 200, 100 }, { 260, 300 });
    ASSERT_EQ(All<TGEllipse>().size(), 1u);
    EXPECT_NEAR(All<TGEllipse>().front()->SemiAxis0(), 3, 1e-9);
    EXPECT_NEAR(All<TGEllipse>().front()->SemiAxis1(), 1, 1e-9);
    ASSERT_TRUE(graph.SetTool(gtArc));
    Drag({ 200, 350 }, { 400, 350 });
    ASSERT_EQ(All<TGArc>().size(), 1u);
    EXPECT_TRUE(All<TGArc>().front()->straight);

    // The smooth curve: a point per press, a double-click ends it.
    ASSERT_TRUE(graph.SetTool(gtSpline));
    for (double x : { 200.0, 250.0, 300.0, 350.0 })
        Click({ x, 380 });
    graph.MouseDown({ TGraphButton::Left, { 350, 380 }, false, false, false, true });
    ASSERT_EQ(All<TGSpline>().size(), 1u);
    EXPECT_EQ(All<TGSpline>().front()->points.size(), 4u);
    EXPECT_NEAR(All<TGSpline>().front()->Length(), 5, 1e-9);
    // Only the newest is selected.
    int selected = 0;
    for (const auto& e : graph.Elements())
        selected += e->selected ? 1 : 0;
    EXPECT_EQ(selected, 1);
    // What the graph says it shows names every tool's measure.
    const std::string said = DescribeElements(graph);
    EXPECT_NE(said.find("Longueur du segment : 30 m"), std::string::npos) << said;
    EXPECT_NE(said.find("Angle saillant entre les deux droites : 90.0° (1.571 rad)"), std::string::npos) << said;
}

TEST_F(MeasureTest, DeletingThreeSegmentsIsUndoneAtOnce)
{
    for (double y : { 100.0, 200.0, 300.0 })
        graph.AddElement(std::make_unique<TGSegment>(W(200, y), W(400, y)));
    for (TGSegment* s : All<TGSegment>())
        s->selected = true;
    const TKeyAnswer answer = graph.KeyDown({ TGraphKey::Delete });
    EXPECT_TRUE(answer.handled);
    EXPECT_TRUE(All<TGSegment>().empty());
    EXPECT_EQ(graph.UndoCaption(), "Annuler Supprimer Segment");
    const int ids[3] = { 1, 2, 3 };
    EXPECT_TRUE(graph.Undo());
    ASSERT_EQ(All<TGSegment>().size(), 3u);
    for (int id : ids)
        EXPECT_NE(graph.FindElement(id), nullptr) << id;
    EXPECT_EQ(graph.UndoCaption(), "");
    EXPECT_FALSE(graph.Undo());
}

TEST_F(MeasureTest, TheBandToolsActOnWhatLiesInsideInOneGroup)
{
    graph.AddElement(std::make_unique<TGSegment>(W(200, 100), W(300, 100)));
    graph.AddElement(std::make_unique<TGCercle>(W(250, 200), W(260, 200)));
    graph.AddElement(std::make_unique<TGSegment>(W(500, 300), W(600, 300))); // outside the band
    graph.drawingColour = clRed;
    ASSERT_TRUE(graph.SetTool(gtCouleur));
    Drag({ 180, 80 }, { 320, 230 });
    EXPECT_EQ(graph.FindElement(1)->colour, clRed);
    EXPECT_EQ(graph.FindElement(2)->colour, clRed);
    EXPECT_NE(graph.FindElement(3)->colour, clRed);
    // Two kinds, one action.
    EXPECT_EQ(graph.UndoCaption(), "Annuler Couleur");
    ASSERT_TRUE(graph.Undo());
    EXPECT_EQ(graph.FindElement(1)->colour, clBlack);
    EXPECT_EQ(graph.FindElement(2)->colour, kCercleColour);

    ASSERT_TRUE(graph.SetTool(gtDupliquer));
    Click({ 550, 300 }); // a click duplicates the element under it
    ASSERT_EQ(All<TGSegment>().size(), 3u);
    const TGSegment* copy = All<TGSegment>().back();
    EXPECT_NEAR(graph.Mapping().ToScreen(copy->points[0]).x, 512, 1e-9);
    EXPECT_NEAR(graph.Mapping().ToScreen(copy->points[0]).y, 312, 1e-9);
    EXPECT_EQ(graph.UndoCaption(), "Annuler Dupliquer Segment");
    ASSERT_TRUE(graph.Undo());
    EXPECT_EQ(All<TGSegment>().size(), 2u);

    ASSERT_TRUE(graph.SetTool(gtSupprimer));
    Drag({ 100, 50 }, { 700, 400 });
    EXPECT_TRUE(graph.Elements().empty());
    EXPECT_EQ(graph.UndoCaption(), "Annuler Supprimer");
    // Ctrl+A undoes, as Ctrl+Z does.
    EXPECT_TRUE(graph.KeyDown({ TGraphKey::Letter, 'a', true }).handled);
    EXPECT_EQ(graph.Elements().size(), 3u);
}

TEST_F(MeasureTest, MovingAndDeformingAreUndoneToTheirStateBefore)
{
    graph.AddElement(std::make_unique<TGSegment>(W(200, 100), W(300, 100)));
    const TWorldPoint a = All<TGSegment>().front()->points[0];
    const TWorldPoint b = All<TGSegment>().front()->points[1];
    ASSERT_TRUE(graph.SetTool(gtSelection));
    // A click alone records nothing.
    Click({ 250, 100 });
    EXPECT_EQ(graph.UndoCaption(), "");
    Drag({ 250, 100 }, { 250, 200 });
    EXPECT_NE(All<TGSegment>().front()->points[0], a);
    EXPECT_EQ(graph.UndoCaption(), "Annuler Déplacer Segment");
    Drag({ 300, 200 }, { 350, 250 });
    EXPECT_EQ(graph.UndoCaption(), "Annuler Déformer Segment");
    ASSERT_TRUE(graph.Undo());
    ASSERT_TRUE(graph.Undo());
    EXPECT_EQ(All<TGSegment>().front()->points[0], a);
    EXPECT_EQ(All<TGSegment>().front()->points[1], b);
}

TEST_F(MeasureTest, EntriesOfElementsThatWentAwayArePruned)
{
    graph.AddElement(std::make_unique<TGSegment>(W(200, 100), W(300, 100)));
    auto* circle = graph.AddElement(std::make_unique<TGCercle>(W(250, 200), W(260, 200)));
    graph.RecordEdit(*graph.FindElement(1), THistAction::Move);
    graph.RecordEdit(*circle, THistAction::Colour);
    // The circle leaves without the history knowing: its entry is dropped, the segment's stays.
    graph.RemoveElement(circle);
    EXPECT_EQ(graph.UndoCaption(), "Annuler Déplacer Segment");
    EXPECT_EQ(graph.History().Entries().size(), 1u);

    // Groups nest: the inner end does not close the outer group.
    THistorique& h = graph.History();
    h.BeginGroup();
    h.BeginGroup();
    h.Record({ 0, THistAction::Create, obSegment, 1, nullptr });
    h.EndGroup();
    EXPECT_TRUE(h.GroupOpen());
    h.Record({ 0, THistAction::Create, obSegment, 1, nullptr });
    h.EndGroup();
    EXPECT_FALSE(h.GroupOpen());
    EXPECT_EQ(h.Entries()[1].group, h.Entries()[2].group);
    EXPECT_NE(h.Entries()[0].group, h.Entries()[1].group);
}

} // namespace
} // namespace kinoval::graph
