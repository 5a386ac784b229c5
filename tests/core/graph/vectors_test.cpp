// The vectors of a graph: the scale record of a family (automatic scale, the user's bar value, resizing
// within limits), the vectors' geometry, their hand editing and drawing, and the scale bars.
#include "core/graph/graph.h"
#include "core/graph/measure_tools.h"
#include "core/graph/vector_page.h"
#include "core/graph/vectors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace kinoval::graph {
namespace {

class VectorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        graph.SetMargins(0, 0, 0, 0);
        graph.SetSize(600, 400);
        UseVectors(graph);
        RegisterMeasureTools(graph);
    }

    // A curve of three points carrying vectors of one family; the longest of norm 2.
    void AddVectors(const char* family = "m/s²")
    {
        TCurveInput c;
        c.x = { 0, 1, 2 };
        c.y = { 0, 1, 0 };
        c.name = "balle";
        c.vectors.push_back({ family, { TWorldPoint { 1, 0 }, std::nullopt, TWorldPoint { 0, -2 } } });
        graph.AddCurve(c);
        graph.SetWorld({ -1, 5, -1, 3 }, true);
    }

    std::vector<TGVecteur*> Vectors() const
    {
        std::vector<TGVecteur*> out;
        for (const auto& e : graph.Elements()) {
            if (auto* v = dynamic_cast<TGVecteur*>(e.get()))
                out.push_back(v);
        }
        return out;
    }

    TGraph graph;
};

TEST_F(VectorTest, TheLongestVectorIsATenthOfThePlot)
{
    AddVectors();
    ASSERT_EQ(graph.ParamComs().size(), 1u);
    const TParamCom& record = *graph.ParamComs().front();
    EXPECT_DOUBLE_EQ(record.scale, 0.05);
    EXPECT_DOUBLE_EQ(record.maxScale, 0.5);
    EXPECT_DOUBLE_EQ(record.minScale, 0.01);
    EXPECT_DOUBLE_EQ(record.barValue, 100 / (0.05 * 600));
    const std::vector<TGVecteur*> v = Vectors();
    ASSERT_EQ(v.size(), 2u); // the point without a vector has none
    EXPECT_EQ(v[0]->Family(), kFamilyAcceleration);
    const TPointF a = v[1]->AnchorPixel(), t = v[1]->TipPixel();
    EXPECT_NEAR(t.x - a.x, 0, 1e-9);
    EXPECT_NEAR(t.y - a.y, 60, 1e-9); // pointing down, 60 pixels
    EXPECT_DOUBLE_EQ(v[1]->Direction(), 270);
    EXPECT_NEAR(v[0]->TipPixel().x - v[0]->AnchorPixel().x, 30, 1e-9);
}

TEST_F(VectorTest, TheScaleIsMadeWhenThePlotGetsItsWidth)
{
    // The page builds its curves before the widget gives the graph a size.
    TGraph later;
    UseVectors(later);
    TCurveInput c;
    c.x = { 0 };
    c.y = { 0 };
    c.vectors.push_back({ "m/s", { TWorldPoint { 4, 0 } } });
    later.AddCurve(c);
    EXPECT_FALSE(later.ParamComs().front()->ScaleValid());
    later.SetSize(800, 500);
    EXPECT_DOUBLE_EQ(later.ParamComs().front()->scale, 0.025);
    EXPECT_DOUBLE_EQ(later.ParamComs().front()->barValue, 100 / (0.025 * 800));
}

TEST_F(VectorTest, ResizingKeepsTheBarValueWithinTheLimits)
{
    TParamCom record("m/s", 0);
    record.SetPlotWidth(600);
    record.AutoScale(2);
    const double bar = record.barValue;
    // A third of the width: the scale that keeps the bar value triples, within the limits.
    record.SetPlotWidth(200);
    EXPECT_DOUBLE_EQ(record.scale, 0.15);
    EXPECT_DOUBLE_EQ(record.barValue, bar);
    // The user asks for a bar five times smaller in value, at 600 pixels: five times the automatic scale.
    record.SetPlotWidth(600);
    record.SetBarValue(bar / 5);
    EXPECT_NEAR(record.scale, 0.25, 1e-12);
    EXPECT_NEAR(record.barValue, bar / 5, 1e-12);
    // Narrowed to a third now, keeping the value would need 15 times: capped at 10, the value changes.
    record.SetPlotWidth(200);
    EXPECT_DOUBLE_EQ(record.scale, 0.5);
    EXPECT_DOUBLE_EQ(record.barValue, 100 / (200 * 0.5));
    // Widened a lot: floored at a fifth.
    record.SetPlotWidth(100000);
    EXPECT_DOUBLE_EQ(record.scale, 0.01);
    // Requests on a bad basis leave it as it was.
    const double kept = record.scale;
    for (double v : { 0.0, -1.0, 1e-101, 1e101, std::nan("") })
        record.SetBarValue(v);
    record.AutoScale(0);
    record.AutoScale(1e101);
    record.SetPlotWidth(0);
    EXPECT_EQ(record.scale, kept);
    EXPECT_EQ(record.plotWidth, 100000);
    TParamCom empty("m/s", 0);
    empty.SetBarValue(1);
    EXPECT_FALSE(empty.ScaleValid());
}

TEST_F(VectorTest, DirectionsGoRoundFromTheXAxis)
{
    EXPECT_DOUBLE_EQ(VectorDirection(0, -3), 270);
    EXPECT_DOUBLE_EQ(VectorDirection(0, 3), 90);
    EXPECT_DOUBLE_EQ(VectorDirection(2, 0), 0);
    EXPECT_DOUBLE_EQ(VectorDirection(-2, 0), 180);
    EXPECT_DOUBLE_EQ(VectorDirection(1, -1), 315);
    EXPECT_DOUBLE_EQ(VectorDirection(1e-300, -1), 270);
    EXPECT_DOUBLE_EQ(VectorDirection(0, 0), 0);
}

TEST_F(VectorTest, HandEditingChangesTheComponentsByWhatThePixelsStandFor)
{
    AddVectors();
    TGVecteur* v = Vectors()[0]; // (1, 0) at (0, 0), 30 pixels long
    const TParamCom& record = *v->Record();
    const double perPixel = record.barValue / record.barPixels;
    const TPointF tip = v->TipPixel();
    ASSERT_EQ(v->HitTest(tip), 1);
    ASSERT_EQ(v->HitTest(v->AnchorPixel()), 0);
    ASSERT_TRUE(graph.SetTool(gtSelection));
    graph.MouseDown({ TGraphButton::Left, tip });
    graph.MouseMove({ TGraphButton::Left, { tip.x, tip.y - 30 } });
    graph.MouseUp({ TGraphButton::Left, { tip.x, tip.y - 30 } });
    EXPECT_NEAR(v->vx, 30 * perPixel, 1e-9);
    EXPECT_NEAR(v->vy, 30 * perPixel, 1e-9);
    EXPECT_NEAR(v->Direction(), 45, 1e-9);
    EXPECT_EQ(graph.UndoCaption(), "Annuler Déformer Vecteur");
    // The anchor moves, the tip stays where it is.
    const TPointF held = v->TipPixel();
    const TPointF anchor = v->AnchorPixel();
    graph.MouseDown({ TGraphButton::Left, anchor });
    graph.MouseMove({ TGraphButton::Left, { anchor.x - 20, anchor.y } });
    graph.MouseUp({ TGraphButton::Left, { anchor.x - 20, anchor.y } });
    EXPECT_NEAR(v->TipPixel().x, held.x, 1e-6);
    EXPECT_NEAR(v->TipPixel().y, held.y, 1e-6);
    // Turned round: the anchor where the tip was, the other way.
    const TPointF before = v->TipPixel();
    const double d = v->Direction();
    v->selected = true;
    ASSERT_TRUE(ReverseSelectedVectors(graph));
    EXPECT_NEAR(v->AnchorPixel().x, before.x, 1e-6);
    EXPECT_NEAR(v->AnchorPixel().y, before.y, 1e-6);
    EXPECT_NEAR(v->Direction(), d + 180, 1e-9);
    EXPECT_EQ(graph.UndoCaption(), "Annuler Changer sens Vecteur");
    ASSERT_TRUE(graph.Undo());
    EXPECT_NEAR(v->TipPixel().x, before.x, 1e-6);
    ASSERT_TRUE(graph.Undo());
    ASSERT_TRUE(graph.Undo());
    EXPECT_DOUBLE_EQ(v->vx, 1);
    EXPECT_DOUBLE_EQ(v->vy, 0);
}

TEST_F(VectorTest, AVectorDrawnByHandBelongsToTheFamilyShown)
{
    AddVectors();
    const TParamCom& record = *graph.ParamComs().front();
    graph.drawingColour = clGreen;
    ASSERT_TRUE(graph.SetTool(gtVecteur));
    graph.MouseDown({ TGraphButton::Left, { 100, 300 } });
    graph.MouseUp({ TGraphButton::Left, { 100, 300 } });
    EXPECT_EQ(Vectors().size(), 2u);
    graph.MouseDown({ TGraphButton::Left, { 100, 300 } });
    graph.MouseMove({ TGraphButton::Left, { 150, 300 } });
    graph.MouseUp({ TGraphButton::Left, { 160, 300 } });
    ASSERT_EQ(Vectors().size(), 3u);
    const TGVecteur* v = Vectors().back();
    EXPECT_EQ(v->Record(), &record);
    EXPECT_EQ(v->Family(), kFamilyAcceleration);
    EXPECT_EQ(v->colour, clGreen);
    EXPECT_NEAR(v->vx, 60 * record.barValue / record.barPixels, 1e-9);
    EXPECT_NEAR(v->vy, 0, 1e-12);
    EXPECT_NEAR(v->TipPixel().x, 160, 1e-9);
    EXPECT_EQ(graph.UndoCaption(), "Annuler Créer Vecteur");
}

TEST_F(VectorTest, AVectorDrawsItsLineItsHeadAndItsValue)
{
    AddVectors();
    TGVecteur* v = Vectors()[1]; // (0, -2): 60 pixels down
    TElementDisplay display;
    display.vectorValues = true;
    graph.SetDisplay(display);
    TDrawList list;
    v->Draw(list);
    ASSERT_GE(list.commands.size(), 3u);
    const auto* line = std::get_if<TPolyline>(&list.commands[0]);
    const auto* head = std::get_if<TPolyline>(&list.commands[1]);
    const auto* text = std::get_if<TText>(&list.commands[2]);
    ASSERT_TRUE(line && head && text);
    // A vector of the data takes its curve's colour.
    EXPECT_EQ(line->pen.colour, v->colour);
    const TPointF a = v->AnchorPixel();
    // A 60-pixel vector: the head is 7.5 % of it (4.5, rounded), at least 5 pixels: the minimum.
    ASSERT_EQ(head->points.size(), 3u);
    EXPECT_DOUBLE_EQ(head->points[1].y, std::round(a.y) + 60);
    EXPECT_DOUBLE_EQ(head->points[0].y, std::round(a.y) + 55);
    EXPECT_DOUBLE_EQ(std::fabs(head->points[0].x - head->points[2].x), 6);
    EXPECT_EQ(text->runs.front().text, "2.00 m/s²");
    // Pointing down (270°): the text sits above the point a quarter of the way.
    EXPECT_EQ(text->vAlign, TVAlign::Bottom);
    EXPECT_DOUBLE_EQ(text->at.y, a.y + 15);
    // Selected: dotted, one pixel, lighter.
    v->selected = true;
    TDrawList dotted;
    v->Draw(dotted);
    EXPECT_EQ(std::get<TPolyline>(dotted.commands[0]).pen.style, TLineStyle::Dotted);
}

TEST_F(VectorTest, TheScaleBarsSayWhatTheyStandFor)
{
    AddVectors();
    graph.IsDessinerEchelleVecteurs = true;
    graph.IsDessinerEchelleDistances = true;
    TDrawList list;
    graph.Paint(list);
    std::vector<std::string> texts;
    for (const TDrawCommand& c : list.commands) {
        if (const auto* t = std::get_if<TText>(&c))
            texts.push_back(t->runs.front().text);
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), "3.333 m/s²"), texts.end());
    // 100 pixels of an orthonormal 6-unit-wide window over a 600-pixel plot... widened to its proportions.
    const double length = 100 * graph.Mapping().UnitsPerPixelX();
    EXPECT_NE(std::find(texts.begin(), texts.end(), FormatLength(length, '.')), texts.end());
}

TEST(VectorPage, EachTickedObjectCarriesItsVectorsAndTheWindowIsWidened)
{
    TCurveInput a;
    a.x = { 0, 1 };
    a.y = { 0, 2 };
    TCurveInput b;
    b.x = { 3 };
    b.y = { -2 };
    const TWorld w = VectorWindow({ a, b });
    EXPECT_DOUBLE_EQ(w.xmin, -0.45);
    EXPECT_DOUBLE_EQ(w.xmax, 3.45);
    EXPECT_DOUBLE_EQ(w.ymin, -2.6);
    EXPECT_DOUBLE_EQ(w.ymax, 2.6);
}

} // namespace
} // namespace kinoval::graph
