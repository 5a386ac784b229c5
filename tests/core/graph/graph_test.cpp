// The graph frame: its mapping and resizing, the curves AddCurve builds, their styles, the tools and the
// mouse, and what Paint lists.
#include "core/graph/decimate.h"
#include "core/graph/graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <variant>

namespace kinoval::graph {
namespace {

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        graph.SetMargins(140, 30, 15, 100);
        graph.SetSize(770, 515); // a 600 x 400 plot from (140, 15)
        graph.SetWorld({ -1, 5, 0, 2 }, false);
    }

    TCurveInput Curve(int points, TColor colour = clRed)
    {
        TCurveInput c;
        for (int i = 0; i < points; ++i) {
            c.x.push_back(0.5 * i);
            c.y.push_back(0.1 * i * i);
        }
        c.name = "balle";
        c.style = TCurveStyle::OfColour(colour, 2);
        return c;
    }

    template <class T> std::vector<const T*> Commands(const TDrawList& list) const
    {
        std::vector<const T*> out;
        for (const TDrawCommand& c : list.commands) {
            if (const T* t = std::get_if<T>(&c))
                out.push_back(t);
        }
        return out;
    }

    TGraph graph;
};

TEST_F(GraphTest, ScreenAndWorldMapIntoEachOther)
{
    EXPECT_EQ(graph.Plot(), (TPlotRect { 140, 15, 600, 400 }));
    const TWorldPoint corner = graph.ScreenToWorld({ 140, 415 });
    EXPECT_DOUBLE_EQ(corner.x, -1);
    EXPECT_DOUBLE_EQ(corner.y, 0);
    const TWorldPoint top = graph.ScreenToWorld({ 740, 15 });
    EXPECT_DOUBLE_EQ(top.x, 5);
    EXPECT_DOUBLE_EQ(top.y, 2);
    EXPECT_EQ(graph.WorldToScreen({ 0, 1 }), (TPoint { 240, 215 }));
    EXPECT_EQ(graph.WorldToScreen({ 0.0049, 1 }), (TPoint { 240, 215 })); // rounded to the nearest pixel
    for (const TPointF p : { TPointF { 200.5, 33.25 }, TPointF { 733, 400 } }) {
        const TPoint back = graph.WorldToScreen(graph.ScreenToWorld(p));
        EXPECT_EQ(back.x, static_cast<int>(std::lround(p.x)));
        EXPECT_EQ(back.y, static_cast<int>(std::lround(p.y)));
    }
    // Far off the control the positions stay representable.
    EXPECT_EQ(graph.WorldToScreen({ 1e300, 0 }).x, 1000000);
}

TEST_F(GraphTest, APlotSmallerThanItsMarginsMapsNothing)
{
    graph.AddCurve(Curve(5));
    graph.SetSize(100, 80);
    EXPECT_EQ(graph.Plot().width, 0);
    EXPECT_EQ(graph.Plot().height, 0);
    EXPECT_FALSE(graph.Mapping().Usable());
    TDrawList list;
    graph.Paint(list);
    EXPECT_TRUE(Commands<TGlyphs>(list).empty());
    EXPECT_TRUE(Commands<TPolyline>(list).empty());
    // Back to a usable size, the window is as it was.
    graph.SetSize(770, 515);
    EXPECT_EQ(graph.World(), (TWorld { -1, 5, 0, 2 }));
}

TEST_F(GraphTest, AnOrthonormalWindowKeepsItsUnitsPerPixelOnResize)
{
    graph.SetWorld({ 0, 3, 0, 1 }, true);
    // Widened along y to 3 / 600 units a pixel: 2 units over 400 pixels, about the same centre.
    EXPECT_NEAR(graph.World().ymin, -0.5, 1e-12);
    EXPECT_NEAR(graph.World().ymax, 1.5, 1e-12);
    const double perPixel = graph.Mapping().UnitsPerPixelX();
    graph.SetSize(770 + 600, 515); // twice the plot's width
    EXPECT_NEAR(graph.World().Width(), 6, 1e-9);
    EXPECT_NEAR((graph.World().xmin + graph.World().xmax) / 2, 1.5, 1e-9);
    EXPECT_NEAR(graph.Mapping().UnitsPerPixelX(), perPixel, 1e-15);
    EXPECT_NEAR(graph.Mapping().UnitsPerPixelY(), perPixel, 1e-15);
    graph.SetSize(770, 315); // half the height
    EXPECT_NEAR(graph.World().Height(), 1, 1e-9);
    // A graph that is not orthonormal keeps its window and stretches.
    graph.SetWorld({ 0, 3, 0, 1 }, false);
    graph.SetSize(1000, 700);
    EXPECT_EQ(graph.World(), (TWorld { 0, 3, 0, 1 }));
}

TEST_F(GraphTest, AnOrthonormalWindowGivenBeforeTheFirstSizeFitsIt)
{
    TGraph fresh;
    fresh.SetMargins(0, 0, 0, 0);
    fresh.SetWorld({ -1, 1, -1, 1 }, true);
    fresh.SetSize(400, 200);
    EXPECT_NEAR(fresh.World().Width(), 4, 1e-12);
    EXPECT_NEAR(fresh.World().Height(), 2, 1e-12);
}

TEST_F(GraphTest, AddCurveBuildsPointsSegmentsSplineInOrder)
{
    const int index = graph.AddCurve(Curve(6));
    ASSERT_EQ(index, 0);
    const TCourbe& curve = *graph.Curves()[0];
    EXPECT_EQ(curve.Of(obPoint).size(), 6u);
    EXPECT_EQ(curve.Of(obSegment).size(), 5u);
    EXPECT_EQ(curve.Of(obSpline).size(), 1u);
    EXPECT_EQ(curve.modele, nullptr); // no modelling plugged in
    ASSERT_EQ(graph.Elements().size(), 12u);
    EXPECT_EQ(graph.Elements()[0]->Kind(), obPoint);
    EXPECT_EQ(graph.Elements()[6]->Kind(), obSegment);
    EXPECT_EQ(graph.Elements()[11]->Kind(), obSpline);
    const auto* point = dynamic_cast<const TGPoint*>(curve.Of(obPoint)[3]);
    ASSERT_NE(point, nullptr);
    EXPECT_DOUBLE_EQ(point->at.x, 1.5);
    EXPECT_EQ(point->number, 4);
    EXPECT_EQ(point->colour, clRed);
    EXPECT_EQ(point->glyphKind, 2);
    EXPECT_FALSE(point->Pickable());
    const auto* segment = dynamic_cast<const TGSegment*>(curve.Of(obSegment)[0]);
    ASSERT_NE(segment, nullptr);
    EXPECT_DOUBLE_EQ(segment->points[1].x, 0.5);
    EXPECT_FALSE(curve.Of(obSpline)[0]->visible); // the smooth curve is shown only when asked for
    // Identifiers are unique.
    EXPECT_NE(graph.Elements()[0]->Id(), graph.Elements()[1]->Id());
    EXPECT_EQ(graph.FindElement(graph.Elements()[5]->Id()), graph.Elements()[5].get());
}

TEST_F(GraphTest, TheModelAndTheVectorsComeFromTheirFactories)
{
    class TStub : public TGElem {
    public:
        explicit TStub(TGObjectType kind)
            : TGElem(kind)
        {
        }
        void Draw(TDrawList&) const override { }
        std::unique_ptr<TGElem> Clone() const override { return std::make_unique<TStub>(Kind()); }
    };
    int models = 0;
    graph.modelFactory = [&](TGraph&, TCourbe&) {
        ++models;
        return std::make_unique<TStub>(obModele);
    };
    std::vector<TWorldPoint> vectors;
    graph.vectorFactory = [&](TGraph&, TCourbe&, TParamCom& record, TWorldPoint, TWorldPoint v) {
        EXPECT_EQ(record.name, "vitesse");
        vectors.push_back(v);
        return std::make_unique<TStub>(obVecteur);
    };
    TCurveInput input = Curve(3);
    input.vectors.push_back({ "vitesse", { std::nullopt, TWorldPoint { 1, 2 }, TWorldPoint { 3, 4 } } });
    graph.AddCurve(input);
    graph.AddCurve(input);
    EXPECT_EQ(models, 2);
    EXPECT_EQ(graph.ParamComs().size(), 1u); // one record per family, found by its name
    ASSERT_EQ(vectors.size(), 4u);
    EXPECT_EQ(vectors[0], (TWorldPoint { 1, 2 }));
    const TCourbe& curve = *graph.Curves()[1];
    EXPECT_EQ(curve.Of(obVecteur).size(), 2u);
    ASSERT_NE(curve.modele, nullptr);
    EXPECT_EQ(graph.Elements().back().get(), curve.modele); // the model comes last
    // The modify-model tool needs a model.
    EXPECT_TRUE(graph.SetTool(gtModifierModele));
    graph.Clear();
    EXPECT_FALSE(graph.SetTool(gtModifierModele));
}

TEST_F(GraphTest, StyleSettersChangeTheCurveAndItsElements)
{
    graph.AddCurve(Curve(4));
    graph.AddCurve(Curve(4, clBlue));
    graph.SetCurveColour(1, obSegment, kGroupsBoth, clLime);
    graph.SetCurveVisible(1, obPoint, false);
    graph.SetCurveNumbering(0, clPurple, TNumbering::Right);
    const TCourbe& first = *graph.Curves()[0];
    const TCourbe& second = *graph.Curves()[1];
    for (const TGElem* e : second.Of(obSegment))
        EXPECT_EQ(e->colour, clLime);
    for (const TGElem* e : second.Of(obPoint))
        EXPECT_FALSE(e->visible);
    for (const TGElem* e : first.Of(obSegment))
        EXPECT_EQ(e->colour, clRed);
    const auto* point = dynamic_cast<const TGPoint*>(first.Of(obPoint)[0]);
    EXPECT_EQ(point->numbering, TNumbering::Right);
    EXPECT_EQ(point->numberColour, clPurple);
    // Only the first group of segments.
    graph.SetCurveColour(1, obSegment, kGroupFirst, clNavy);
    EXPECT_EQ(second.style.colour[obSegment][0], clNavy);
    EXPECT_EQ(second.style.colour[obSegment][1], clLime);
    // No such curve: the default curve takes the style, for the elements added to it later.
    graph.SetCurveColour(7, obCercle, kGroupsBoth, clTeal);
    EXPECT_EQ(graph.DefaultCurve().style.colour[obCercle][0], clTeal);
}

TEST_F(GraphTest, ClearEmptiesEverything)
{
    graph.AddCurve(Curve(4));
    auto* tool = graph.AddElement(std::make_unique<TGSegment>(TWorldPoint { 0, 0 }, TWorldPoint { 1, 1 }));
    tool->selected = true;
    ASSERT_TRUE(graph.DeleteSelected());
    EXPECT_EQ(graph.History().Entries().size(), 1u);
    graph.Clear();
    EXPECT_TRUE(graph.Curves().empty());
    EXPECT_TRUE(graph.Elements().empty());
    EXPECT_TRUE(graph.ParamComs().empty());
    EXPECT_TRUE(graph.History().Entries().empty());
    EXPECT_TRUE(graph.Selection().empty());
}

TEST_F(GraphTest, DeletingSeveralSelectedElementsIsOneGroup)
{
    graph.AddCurve(Curve(4));
    for (int i = 0; i < 3; ++i)
        graph.AddElement(std::make_unique<TGSegment>(TWorldPoint { 0, 0.5 * i }, TWorldPoint { 1, 0.5 * i }))->selected
            = true;
    graph.Curves()[0]->Of(obPoint)[0]->selected = true; // a data point is never deleted this way
    EXPECT_TRUE(graph.KeyDown({ TGraphKey::Delete }).handled);
    EXPECT_EQ(graph.Elements().size(), 4u + 3u + 1u);
    const auto& entries = graph.History().Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].group, entries[2].group);
    for (const THistObject& entry : entries) {
        EXPECT_EQ(entry.action, THistAction::Delete);
        EXPECT_EQ(entry.kind, obSegment);
        ASSERT_NE(entry.saved, nullptr);
        EXPECT_EQ(entry.saved->Id(), entry.elementId);
    }
    EXPECT_FALSE(graph.KeyDown({ TGraphKey::Delete }).handled);
}

TEST_F(GraphTest, APressPicksTheTopElementAndNeverTheData)
{
    graph.AddCurve(Curve(4));
    auto* low = graph.AddElement(std::make_unique<TGSegment>(TWorldPoint { 0, 1 }, TWorldPoint { 2, 1 }));
    auto* high = graph.AddElement(std::make_unique<TGSegment>(TWorldPoint { 1, 1 }, TWorldPoint { 3, 1 }));
    std::vector<TGObjectType> clicked;
    auto link = graph.OnObjectClick.Connect([&](TGraphButton, TGObjectType kind) { clicked.push_back(kind); });
    const TPointF onBoth = graph.Mapping().ToScreen(1.5, 1);
    graph.MouseDown({ TGraphButton::Left, onBoth });
    EXPECT_TRUE(high->selected);
    EXPECT_FALSE(low->selected);
    // Shift adds the one beneath, which comes to the top; a press elsewhere clears.
    graph.MouseDown({ TGraphButton::Left, graph.Mapping().ToScreen(0.5, 1), true });
    EXPECT_TRUE(low->selected);
    EXPECT_TRUE(high->selected);
    EXPECT_EQ(graph.Elements().back().get(), low);
    // A data point under the mouse is not picked.
    graph.MouseDown({ TGraphButton::Left, graph.Mapping().ToScreen(0, 0) });
    EXPECT_TRUE(graph.Selection().empty());
    EXPECT_EQ(clicked, (std::vector<TGObjectType> { obSegment, obSegment, obNone }));
    // The selection tool drags what it picked.
    graph.SetTool(gtSelection);
    graph.MouseDown({ TGraphButton::Left, graph.Mapping().ToScreen(2.5, 1) });
    graph.MouseMove({ TGraphButton::Left, graph.Mapping().ToScreen(2.5, 1.5) });
    graph.MouseUp({ TGraphButton::Left, graph.Mapping().ToScreen(2.5, 1.5) });
    EXPECT_NEAR(dynamic_cast<TGSegment*>(high)->points[0].y, 1.5, 1e-9);
}

TEST_F(GraphTest, TheToolChangeIsAnnouncedOnce)
{
    int changes = 0;
    auto link = graph.OnOptionChange.Connect([&] { ++changes; });
    EXPECT_TRUE(graph.SetTool(gtPan));
    EXPECT_TRUE(graph.SetTool(gtPan));
    EXPECT_TRUE(graph.SetTool(gtZoom));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(graph.Tool(), gtZoom);
    // The keys: Space is a right click on empty plot, the arrows move the pointer.
    bool rightClick = false;
    auto click = graph.OnObjectClick.Connect(
        [&](TGraphButton b, TGObjectType kind) { rightClick = b == TGraphButton::Right && kind == obNone; });
    EXPECT_TRUE(graph.KeyDown({ TGraphKey::Space }).handled);
    EXPECT_TRUE(rightClick);
    const TKeyAnswer fast = graph.KeyDown({ TGraphKey::Left, 0, true });
    EXPECT_EQ(fast.moveX, -10);
    EXPECT_EQ(graph.KeyDown({ TGraphKey::Down }).moveY, 1);
}

TEST_F(GraphTest, HoveringADataPointFillsTheBubble)
{
    TCurveInput input = Curve(4);
    input.abscissaUnit = "s";
    input.ordinateUnit = "m";
    graph.AddCurve(input);
    graph.SetDecimalSeparator(',');
    EXPECT_TRUE(graph.MouseMove({ TGraphButton::Left, graph.Mapping().ToScreen(1.0, 0.4) }));
    ASSERT_TRUE(graph.Bulle().Shown());
    EXPECT_EQ(graph.Bulle().lines, (std::vector<std::string> { "balle (3)", "t = 1,000 s", "y = 0,400 m" }));
    EXPECT_FALSE(graph.MouseMove({ TGraphButton::Left, graph.Mapping().ToScreen(1.0, 0.41) }));
    EXPECT_TRUE(graph.MouseMove({ TGraphButton::Left, { 600, 30 } }));
    EXPECT_FALSE(graph.Bulle().Shown());
}

TEST_F(GraphTest, PaintListsTheLayersInOrder)
{
    graph.AddCurve(Curve(5));
    graph.ColorBegin = clWhite;
    graph.ColorEnd = clSilver;
    graph.IsOrigineVisible = true;
    graph.AxeX().title = { TTitleLine::Of("t (s)") };
    TDrawList list;
    graph.Paint(list);
    ASSERT_FALSE(list.commands.empty());
    const auto* gradient = std::get_if<TGradientRect>(&list.commands.front());
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->rect, graph.Plot().Rect());
    EXPECT_EQ(gradient->end, clSilver);
    // The frame of the plot comes after every element, the elements inside a clip to the plot.
    std::size_t frame = 0, lastGlyph = 0, clip = 0, title = 0;
    for (std::size_t i = 0; i < list.commands.size(); ++i) {
        const TDrawCommand& c = list.commands[i];
        if (std::holds_alternative<TFrameRect>(c))
            frame = i;
        if (std::holds_alternative<TGlyphs>(c))
            lastGlyph = i;
        if (const auto* t = std::get_if<TClip>(&c); t != nullptr && !t->rect.Empty() && clip == 0)
            clip = i;
        if (const auto* t = std::get_if<TText>(&c); t != nullptr && t->bold)
            title = i;
    }
    EXPECT_GT(title, 0u);
    EXPECT_LT(title, clip);
    EXPECT_LT(clip, lastGlyph);
    EXPECT_LT(lastGlyph, frame);
    // The data points are one batch and the polyline one stroke.
    const auto glyphs = Commands<TGlyphs>(list);
    ASSERT_EQ(glyphs.size(), 2u); // the origin, then the curve's points
    EXPECT_EQ(glyphs[1]->at.size(), 5u);
    const auto lines = Commands<TPolyline>(list);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->pen.colour, clRed);
    EXPECT_EQ(lines[0]->points.front(), graph.Mapping().ToScreen(0, 0));
    EXPECT_EQ(lines[0]->points.back(), graph.Mapping().ToScreen(2, 1.6));
}

TEST_F(GraphTest, AxesLabelTheirGraduations)
{
    graph.SetWorld({ 0, 100, -0.35, 1.7 }, false);
    graph.SetDecimalSeparator(',');
    TDrawList list;
    graph.Paint(list);
    std::vector<std::string> labels;
    for (const auto* text : Commands<TText>(list)) {
        if (!text->bold && !text->runs.empty() && text->runs[0].colour == kLabelColour)
            labels.push_back(text->runs[0].text);
    }
    EXPECT_EQ(labels,
        (std::vector<std::string> {
            "0", "20,0", "40,0", "60,0", "80,0", "100,0", "0", "0,400", "0,800", "1,200", "1,600" }));
    // The zero line of the Y axis, three pixels wide, at y = 0.
    bool zeroLine = false;
    for (const auto* strokes : Commands<TStrokes>(list))
        zeroLine = zeroLine || (strokes->pen.width == 3 && strokes->ends[0].y == graph.WorldToScreen({ 0, 0 }).y);
    EXPECT_TRUE(zeroLine);
}

TEST(Decimate, ASimplifiedPolylineStaysWithinItsTolerance)
{
    std::vector<TPointF> dense;
    for (int i = 0; i <= 5000; ++i)
        dense.push_back({ i * 0.2, 300 + 200 * std::sin(i * 0.002) });
    const std::vector<TPointF> kept = SimplifyPolyline(dense, 0.25);
    EXPECT_LT(kept.size(), dense.size() / 10);
    EXPECT_EQ(kept.front(), dense.front());
    EXPECT_EQ(kept.back(), dense.back());
    // Every point left out lies within the tolerance of the kept segment over it.
    std::size_t k = 0;
    for (const TPointF& p : dense) {
        while (k + 2 < kept.size() && kept[k + 1].x < p.x)
            ++k;
        const TPointF a = kept[k], b = kept[k + 1];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        EXPECT_LE(std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy), 0.25 + 1e-9) << p.x;
    }
    // A polyline that turns back keeps its turning point.
    const std::vector<TPointF> back = SimplifyPolyline({ { 0, 0 }, { 10, 0 }, { 20, 0 }, { 5, 0 } }, 0.25);
    EXPECT_EQ(back, (std::vector<TPointF> { { 0, 0 }, { 20, 0 }, { 5, 0 } }));
}

TEST(Decimate, GlyphsCloserThanAPixelAreDrawnOnce)
{
    const std::vector<TPointF> at = { { 0, 0 }, { 0.4, 0.3 }, { 0.9, 0.2 }, { 1.2, 0 }, { 1.2, 5 } };
    EXPECT_EQ(ThinGlyphs(at, 1), (std::vector<TPointF> { { 0, 0 }, { 1.2, 0 }, { 1.2, 5 } }));
}

TEST(Decimate, PolylinesAreCutToTheRoomAroundTheControl)
{
    const TRectF room { 0, 0, 100, 100 };
    const auto pieces = ClipPolyline({ { 50, 50 }, { 150, 50 }, { 150, 60 }, { 50, 60 }, { 50, -50 } }, room);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], (std::vector<TPointF> { { 50, 50 }, { 100, 50 } }));
    ASSERT_EQ(pieces[1].size(), 3u);
    EXPECT_EQ(pieces[1][0], (TPointF { 100, 60 }));
    EXPECT_EQ(pieces[1][1], (TPointF { 50, 60 }));
    EXPECT_NEAR(pieces[1][2].x, 50, 1e-9);
    EXPECT_NEAR(pieces[1][2].y, 0, 1e-9);
    EXPECT_TRUE(ClipPolyline({ { -10, -10 }, { -5, 200 } }, room).empty());
}

} // namespace
} // namespace kinoval::graph
