// The model element of a curve, its modeller panel and the modify-model tool: the data a model is fitted
// to, the choice of a model, the texts, the step buttons, when the panel shows and where it goes, the
// mouse edits, and the choices kept with a study.
#include "core/common/ini_file.h"
#include "core/graph/graph.h"
#include "core/graph/model_choices.h"
#include "core/graph/model_element.h"
#include "core/graph/model_tool.h"
#include "core/modelling/model.h"
#include "core/modelling/sinus_models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace kinoval::graph {
namespace {

class ModelElementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallModels(graph);
        graph.SetMargins(140, 30, 15, 100);
        graph.SetSize(770, 515); // a 600 x 400 plot from (140, 15)
    }

    // y = 1 + 2t - 4.9t² sampled every 0.04 s, like a ball thrown upwards.
    TCurveInput Ball(int points = 21)
    {
        TCurveInput c;
        for (int i = 0; i < points; ++i) {
            const double t = 0.04 * i;
            c.x.push_back(t);
            c.y.push_back(1 + 2 * t - 4.9 * t * t);
        }
        c.name = "balle";
        c.ordinateName = "y";
        return c;
    }

    TGModele& AddAndShow(const TCurveInput& input, const TWorld& world)
    {
        const int index = graph.AddCurve(input);
        graph.SetWorld(world, false);
        TGModele* model = ModelOf(*graph.Curves()[std::size_t(index)]);
        EXPECT_NE(model, nullptr);
        return *model;
    }

    TGraph graph;
};

TEST(ModelNames, AreShortenedForTheTexts)
{
    EXPECT_EQ(ShortModelName("vitesse"), "(vi..)");
    EXPECT_EQ(ShortModelName("vx"), "vx");
    EXPECT_EQ(ShortModelName("(vx)"), "(vx..)");
    EXPECT_EQ(ShortModelName("(vitesse)"), "(vi..)");
    EXPECT_EQ(ShortModelName("abc"), "abc");
    EXPECT_EQ(ShortModelName("t"), "t");
    // Counted in characters: an accent is one.
    EXPECT_EQ(ShortModelName("énergie"), "(én..)");
    EXPECT_EQ(ShortModelName("Ec²"), "Ec²");
}

TEST_F(ModelElementTest, EveryCurveGetsAnElementWithNoModelUntilOneIsChosen)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    EXPECT_EQ(model.Type(), mcNone);
    EXPECT_EQ(model.Active(), nullptr);
    for (int code : kModelCodes)
        EXPECT_NE(model.Model(code), nullptr) << code;
    EXPECT_EQ(model.Model(3), nullptr); // 3 is no model
    TDrawList list;
    model.Draw(list);
    EXPECT_TRUE(list.commands.empty());
    EXPECT_TRUE(model.ModelText().empty());
    EXPECT_FALSE(AnyActiveModel(graph));
}

TEST_F(ModelElementTest, AParabolaIsFittedAtOnceAndDrawnOverThePlot)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    EXPECT_EQ(model.SetType(mcParabole), 0);
    ASSERT_NE(model.Active(), nullptr);
    EXPECT_NEAR(model.Active()->Parameter(0), 1, 1e-9);
    EXPECT_NEAR(model.Active()->Parameter(1), 2, 1e-9);
    EXPECT_NEAR(model.Active()->Parameter(2), -4.9, 1e-9);
    TDrawList list;
    model.Draw(list);
    ASSERT_FALSE(list.commands.empty());
    std::size_t points = 0;
    for (const TDrawCommand& c : list.commands) {
        const auto* line = std::get_if<TPolyline>(&c);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->pen.colour, kModelColour);
        for (const TPointF& p : line->points) {
            EXPECT_TRUE(graph.Plot().Rect().Contains(p));
            ++points;
        }
    }
    EXPECT_GT(points, 500u); // about a point per pixel column of the 600-pixel plot
    // At t = 0.5 the curve passes where the data say: 1 + 1 - 1.225.
    const TPoint at = graph.WorldToScreen({ 0.5, 0.775 });
    EXPECT_GE(model.HitTest({ double(at.x), double(at.y) }), 0);
}

TEST_F(ModelElementTest, DataLeaveOutTheEndsAndPointsWithoutValue)
{
    TGModele model(&graph);
    model.SetData({ 0, 1, 2, 3, 4, 5 }, { 9, 1, NAN, 3, 4, 9 }, 1);
    EXPECT_EQ(model.DataX(), (std::vector<double> { 1, 3, 4 }));
    EXPECT_EQ(model.DataY(), (std::vector<double> { 1, 3, 4 }));
    model.SetData({ 0, 1 }, { 0, 1 }, 1); // nothing left between the ends
    EXPECT_TRUE(model.DataX().empty());
    model.SetData({ 0, 1, 2 }, { 0, 1 }, 0); // the shorter array sets the count
    EXPECT_EQ(model.DataX().size(), 2u);

    // A velocity curve: the edge values rest on one-sided differences and would bias the line.
    TCurveInput vx;
    vx.x = { 0, 0.1, 0.2, 0.3, 0.4, 0.5 };
    vx.y = { 5, 1.6, 1.6, 1.6, 1.6, -3 };
    vx.ordinateName = "vx";
    vx.modelSkip = 1;
    TGModele& element = AddAndShow(vx, { 0, 0.6, -4, 6 });
    element.SetType(mcConstant);
    EXPECT_NEAR(element.Active()->Parameter(0), 1.6, 1e-12);
}

TEST_F(ModelElementTest, ChoosingAnotherModelKeepsTheFirstOnesState)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    model.SetType(mcParabole);
    model.SetParameter(2, -5); // adjusted by hand
    EXPECT_TRUE(model.HandAdjusted());
    model.SetType(mcAffine);
    EXPECT_FALSE(model.HandAdjusted());
    EXPECT_EQ(model.Active(), model.Model(mcAffine));
    EXPECT_DOUBLE_EQ(model.Model(mcParabole)->Parameter(2), -5);
    // Only the active model writes its texts.
    const std::string text = model.ModelText();
    EXPECT_NE(text.find("Modèle: y = r + b.t"), std::string::npos) << text;
    EXPECT_EQ(text.find("t²"), std::string::npos) << text;
}

TEST_F(ModelElementTest, ModelTextHasTheEquationAnEmptyLineAndTheStatistics)
{
    TCurveInput line;
    line.x = { 0, 1, 2, 3 };
    line.y = { 3, 5, 7, 9 };
    line.ordinateName = "vitesse";
    TGModele& model = AddAndShow(line, { 0, 4, 0, 10 });
    model.SetType(mcAffine);
    const std::string text = model.ModelText();
    const std::string head = "Modèle: (vi..) = r + b.t\nr = 3.000\nb = 2.000\n\nIncertitudes sur les ordonnées: \n"
                             "- précision relative = ";
    EXPECT_EQ(text.substr(0, head.size()), head) << text;
    EXPECT_NE(text.find("\n- écart quadratique moyen = "), std::string::npos) << text;
    const std::string tail = "\n- coefficient de corrélation = 1.00000";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text; // no line break after the last line
}

TEST_F(ModelElementTest, TheNamesOfTheCurveNameTheEquation)
{
    TCurveInput line;
    line.x = { 0, 1, 2, 3 };
    line.y = { 3, 5, 7, 9 };
    line.ordinateName = "(vx)";
    line.abscissaName = "(vitesse)";
    TGModele& model = AddAndShow(line, { 0, 4, 0, 10 });
    model.SetType(mcProportionnel);
    EXPECT_EQ(model.Modeleur().EquationLines().front(), "Modèle: (vx..) = b.(vi..)");
    // Names given to the curve later reach its model.
    graph.SetCurveNames(0, "vitesse", "t");
    EXPECT_EQ(model.Modeleur().EquationLines().front(), "Modèle: (vi..) = b.t");
}

TEST(StepButtons, FactorsFollowTheSignSoThatIncreaseAlwaysIncreases)
{
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::Increase, 2, false), 2 * 1.02);
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::Increase, 2, true), 2 * 1.002);
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::IncreaseFast, 2, false), 2 * 1.1);
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::IncreaseFast, 2, true), 2 * 1.1); // Ctrl slows the slow ones
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::Decrease, 2, false), 2 / 1.02);
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::Decrease, 2, true), 2 / 1.002);
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::DecreaseFast, 2, false), 2 / 1.1);
    // A negative value: increasing moves it towards 0, decreasing away from it.
    double v = -3;
    for (int i = 0; i < 10; ++i) {
        const double next = StepValue(TStepButton::Increase, v, false);
        EXPECT_GT(next, v);
        EXPECT_LT(next, 0);
        EXPECT_DOUBLE_EQ(next, v / 1.02);
        v = next;
    }
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::IncreaseFast, -3, false), -3 / 1.1);
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::Decrease, -3, true), -3 * 1.002);
    EXPECT_DOUBLE_EQ(StepValue(TStepButton::DecreaseFast, -3, false), -3 * 1.1);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(StepValue(TStepButton(k), 0, false), 0);
    EXPECT_STREQ(StepButtonHint(TStepButton::Increase),
        "Augmenter la valeur ; appuyer simultanément sur la touche Ctrl pour ralentir la progression");
}

TEST_F(ModelElementTest, AStepButtonChangesTheModelAndItsCurve)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    model.SetType(mcParabole);
    TDrawList before;
    model.Draw(before);
    int repaints = 0;
    TConnection link = graph.OnChanged.Connect([&] { ++repaints; });
    // Holding "Augmenter la valeur" on the negative square coefficient: it goes towards 0.
    const double c = model.Active()->Parameter(2);
    ASSERT_LT(c, 0);
    EXPECT_TRUE(model.Modeleur().Step(2, TStepButton::Increase, false));
    EXPECT_TRUE(model.Modeleur().Step(2, TStepButton::Increase, false));
    EXPECT_NEAR(model.Active()->Parameter(2), c / 1.02 / 1.02, 1e-12);
    EXPECT_DOUBLE_EQ(model.Modeleur().Values()[2], model.Active()->Parameter(2));
    EXPECT_GE(repaints, 2);
    EXPECT_TRUE(model.HandAdjusted());
    TDrawList after;
    model.Draw(after);
    ASSERT_FALSE(after.commands.empty());
    EXPECT_NE(std::get<TPolyline>(after.commands.front()).points, std::get<TPolyline>(before.commands.front()).points);
    // Its line in the panel follows.
    const std::string line = model.Modeleur().EquationLines()[3];
    EXPECT_EQ(line.rfind("c = -4.7", 0), 0u) << line;
    EXPECT_FALSE(model.Modeleur().Step(7, TStepButton::Increase, false)); // no such parameter
}

TEST_F(ModelElementTest, TheModellerShowsOnlyWithTheToolTheSelectionAndSomethingToShow)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    model.SetType(mcParabole);
    EXPECT_FALSE(model.Modeleur().Visible());
    SelectModel(graph, &model);
    EXPECT_FALSE(model.Modeleur().Visible()); // not the modify-model tool
    ASSERT_TRUE(graph.SetTool(gtModifierModele));
    EXPECT_TRUE(model.Modeleur().Visible());
    SetModelTexts(graph, false, true);
    EXPECT_TRUE(model.Modeleur().Visible());
    // Equation and statistics both hidden: never, even with the tool.
    SetModelTexts(graph, false, false);
    EXPECT_FALSE(model.Modeleur().Visible());
    graph.SetTool(gtNone);
    graph.SetTool(gtModifierModele);
    EXPECT_FALSE(model.Modeleur().Visible());
    SetModelTexts(graph, true, false);
    EXPECT_TRUE(model.Modeleur().Visible());
    graph.SetTool(gtZoom);
    EXPECT_FALSE(model.Modeleur().Visible());
    graph.SetTool(gtModifierModele);
    model.SetType(mcNone);
    EXPECT_FALSE(model.Modeleur().Visible());
}

TEST_F(ModelElementTest, TheLinearlyDampedSinusShowsNoStepButtons)
{
    TCurveInput wave;
    for (int i = 0; i < 80; ++i) {
        const double t = 0.05 * i;
        wave.x.push_back(t);
        wave.y.push_back(0.2 * std::sin(6 * t + 0.3) * (1 - 0.1 * t));
    }
    TGModele& model = AddAndShow(wave, { 0, 4, -0.3, 0.3 });
    graph.SetTool(gtModifierModele);
    SelectModel(graph, &model);
    model.SetType(mcSinus);
    EXPECT_TRUE(model.Modeleur().ShowButtons());
    EXPECT_EQ(model.Modeleur().Layout().buttons.size(), 16u); // four rows of four
    model.SetType(mcSinusAl);
    EXPECT_FALSE(model.Modeleur().ShowButtons());
    EXPECT_TRUE(model.Modeleur().Layout().buttons.empty());
    EXPECT_TRUE(model.Modeleur().Visible());
    EXPECT_EQ(model.Modeleur().Values().size(), 3u); // its three coefficients
}

TEST_F(ModelElementTest, ModellerLayoutFollowsItsRows)
{
    TEstimatedTextMeasure measure;
    TModeleur panel;
    panel.SetShowButtons(true);
    panel.SetTexts({ "Modèle: y = r + b.t", "r = 3,000", "b = 2,000" }, { "Incertitudes sur les ordonnées: " });
    panel.SetValues({ 3, 2 });
    panel.LayOut(measure, 770, 515);
    const TModeleurLayout& layout = panel.Layout();
    const double text = measure.Measure("Mg", TModeleur::kPointSize, false).height;
    const double gripBottom = TModeleur::kGripTop + TModeleur::kGripHeight;
    ASSERT_EQ(layout.lines.size(), 3u); // statistics hidden
    EXPECT_EQ(layout.lines[0].at, (TPointF { 12, gripBottom + 14 }));
    ASSERT_EQ(layout.buttons.size(), 8u);
    // Row i at (grip bottom + text height + 14) + 18 i + 14, button k at 18 k + 12.
    EXPECT_DOUBLE_EQ(layout.buttons[5].rect.top, gripBottom + text + 14 + 18 + 14);
    EXPECT_DOUBLE_EQ(layout.buttons[5].rect.left, 18 + 12);
    EXPECT_EQ(layout.buttons[5].parameter, 1);
    EXPECT_EQ(layout.buttons[5].kind, TStepButton::Decrease);
    EXPECT_EQ(layout.lines[2].at, (TPointF { 18 * 3 + 12 + 16 + 12, layout.buttons[5].rect.top }));
    // First shown: against the right edge at the top, then sized to its content.
    EXPECT_DOUBLE_EQ(panel.Rect().top, 1);
    EXPECT_DOUBLE_EQ(panel.Rect().Right(), 770 - 1);
    panel.SetShowStatistics(true);
    panel.LayOut(measure, 770, 515);
    ASSERT_EQ(panel.Layout().lines.size(), 4u);
    EXPECT_DOUBLE_EQ(panel.Layout().lines[3].at.y, layout.buttons[5].rect.top + 30);
    EXPECT_DOUBLE_EQ(panel.Rect().height, std::ceil(panel.Layout().lines[3].at.y + text + 28));
}

TEST_F(ModelElementTest, DraggingThePanelPastTheEdgeStopsItOnePixelInside)
{
    TEstimatedTextMeasure measure;
    TModeleur panel;
    panel.SetTexts({ "Modèle: y = r", "r = 3,000" }, {});
    panel.SetValues({ 3 });
    panel.LayOut(measure, 400, 300);
    const TRectF r = panel.Rect();
    panel.MoveBy(1000, 1000);
    EXPECT_DOUBLE_EQ(panel.Rect().left, 400 - r.width - 1);
    EXPECT_DOUBLE_EQ(panel.Rect().top, 300 - r.height - 1);
    panel.MoveBy(-5000, -5000);
    EXPECT_DOUBLE_EQ(panel.Rect().left, 1);
    EXPECT_DOUBLE_EQ(panel.Rect().top, 1);
    panel.MoveTo(50, 60);
    EXPECT_EQ(panel.Rect().left, 50);
    // A smaller parent brings it back inside.
    panel.LayOut(measure, 200, 150);
    EXPECT_DOUBLE_EQ(panel.Rect().Right(), 200 - 1);
    EXPECT_DOUBLE_EQ(panel.Rect().Bottom(), 150 - 1);
}

TEST_F(ModelElementTest, MouseTranslatesAParabolaAndTheReleaseRecomputesIt)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    model.SetType(mcParabole);
    graph.SetTool(gtModifierModele);
    const double r = model.Active()->Parameter(0);
    const TPoint on = graph.WorldToScreen({ 0.5, 0.775 });
    TGraphMouse mouse;
    mouse.at = { double(on.x), double(on.y) };
    EXPECT_EQ(model.CursorAt(mouse.at), TGraphCursor::Move);
    EXPECT_TRUE(graph.MouseDown(mouse));
    EXPECT_TRUE(model.selected);
    EXPECT_EQ(model.EditMode(), TModelEdit::Translate);
    EXPECT_TRUE(model.Modeleur().Visible());
    mouse.at.y -= 40; // 40 pixels up: 0.5 m on this window
    graph.MouseMove(mouse);
    // Outside the plot the moves are ignored.
    TGraphMouse outside = mouse;
    outside.at = { 5, 5 };
    graph.MouseMove(outside);
    graph.MouseUp(mouse);
    EXPECT_EQ(model.EditMode(), TModelEdit::None);
    EXPECT_NEAR(model.Active()->Parameter(0), r + 0.5, 1e-9);
    EXPECT_NEAR(model.Active()->Parameter(2), -4.9, 1e-9); // the shape stays
    EXPECT_TRUE(model.HandAdjusted());
    EXPECT_NE(model.Modeleur().StatisticsLines().size() + model.Modeleur().EquationLines().size(), 0u);
    EXPECT_GT(model.Active()->RmsDeviation(), 0.45);
}

TEST_F(ModelElementTest, PressModesFollowTheModelAndTheHandle)
{
    TCurveInput line;
    line.x = { 0, 1, 2, 3 };
    line.y = { 1, 2, 3, 4 };
    TGModele& model = AddAndShow(line, { 0, 3, 0, 5 });
    graph.SetTool(gtModifierModele);
    TGraphMouse mouse;
    // The affine line: its visible ends turn it, the rest moves it.
    model.SetType(mcAffine);
    const TPoint end = graph.WorldToScreen({ 0, 1 });
    mouse.at = { double(end.x), double(end.y) };
    EXPECT_EQ(model.CursorAt(mouse.at), TGraphCursor::Rotate);
    graph.MouseDown(mouse);
    EXPECT_EQ(model.EditMode(), TModelEdit::Deform);
    graph.MouseUp(mouse);
    const TPoint middle = graph.WorldToScreen({ 1.5, 2.5 });
    mouse.at = { double(middle.x), double(middle.y) };
    graph.MouseDown(mouse);
    EXPECT_EQ(model.EditMode(), TModelEdit::Translate);
    graph.MouseUp(mouse);
    // The proportional line turns about the origin when grabbed on it, and nothing happens elsewhere.
    model.SetType(mcProportionnel);
    mouse.at = { 700, 30 };
    EXPECT_EQ(model.CursorAt(mouse.at), TGraphCursor::Default);
    graph.MouseDown(mouse);
    EXPECT_EQ(model.EditMode(), TModelEdit::None);
    graph.MouseUp(mouse);
    // The constant moves wherever it is taken.
    model.SetType(mcConstant);
    graph.MouseDown(mouse);
    EXPECT_EQ(model.EditMode(), TModelEdit::Translate);
    graph.MouseUp(mouse);
    // The right button is the graph's.
    int clicks = 0;
    TConnection link = graph.OnObjectClick.Connect([&](TGraphButton, TGObjectType kind) {
        EXPECT_EQ(kind, obNone);
        ++clicks;
    });
    mouse.button = TGraphButton::Right;
    graph.MouseDown(mouse);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ModelElementTest, SinusHandlesChooseTheirEdits)
{
    TCurveInput wave;
    for (int i = 0; i < 100; ++i) {
        const double t = 0.04 * i;
        wave.x.push_back(t);
        wave.y.push_back(0.5 + 0.2 * std::sin(5 * t + 0.4) * std::exp(-0.2 * t));
    }
    TGModele& model = AddAndShow(wave, { 0, 4, 0, 1 });
    graph.SetTool(gtModifierModele);
    model.SetType(mcSinusAe);
    auto* sinus = dynamic_cast<modelling::TMdlSinusPure*>(model.Active());
    ASSERT_NE(sinus, nullptr);
    const TRectF plot = graph.Plot().Rect();
    const auto handle = [&](int h) {
        const modelling::TAreaPoint a = sinus->HandlePosition(h);
        return TPointF { plot.left + a.x, plot.Bottom() - a.y };
    };
    const std::pair<int, TModelEdit> expected[] = { { 0, TModelEdit::Horizontal }, { 1, TModelEdit::Damping },
        { 2, TModelEdit::Vertical }, { 7, TModelEdit::Horizontal } };
    for (const auto& [h, mode] : expected) {
        TGraphMouse mouse;
        mouse.at = handle(h);
        if (!plot.Contains(mouse.at))
            continue;
        graph.MouseDown(mouse);
        EXPECT_EQ(model.EditMode(), mode) << h;
        graph.MouseUp(mouse);
    }
    // Being adjusted, the model shows its eight handles.
    SelectModel(graph, &model);
    ASSERT_TRUE(model.Modeleur().Visible());
    EXPECT_EQ(model.Handles().size(), 8u);
    TDrawList list;
    model.Draw(list);
    int frames = 0;
    for (const TDrawCommand& c : list.commands)
        frames += std::holds_alternative<TFrameRect>(c) ? 1 : 0;
    EXPECT_GE(frames, 4);
    EXPECT_EQ(model.CursorAt(handle(1)), TGraphCursor::DampUp);
    EXPECT_EQ(model.CursorAt(handle(2)), TGraphCursor::SizeVer);
    // Away from every handle a press moves the sinusoid.
    TGraphMouse away;
    away.at = { plot.left + 3, plot.top + 3 };
    graph.MouseDown(away);
    EXPECT_EQ(model.EditMode(), TModelEdit::Translate);
    const double phase = model.Active()->Parameter(3);
    away.at.x += 10;
    graph.MouseMove(away);
    graph.MouseUp(away);
    EXPECT_NE(model.Active()->Parameter(3), phase);
}

TEST_F(ModelElementTest, HintNamesTheModelUnderTheMouse)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    const TPoint on = graph.WorldToScreen({ 0.5, 0.775 });
    EXPECT_TRUE(ModelHintAt(graph, { double(on.x), double(on.y) }).empty());
    model.SetType(mcParabole);
    EXPECT_EQ(ModelHintAt(graph, { double(on.x), double(on.y) }), model.ModelText());
    EXPECT_TRUE(ModelHintAt(graph, { 200, 400 }).empty());
}

TEST_F(ModelElementTest, CopiesOfTheGraphDrawTheModellerThatShows)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    model.SetType(mcParabole);
    TDrawList hidden;
    PaintModellers(graph, hidden);
    EXPECT_TRUE(hidden.commands.empty()); // not being adjusted
    graph.SetTool(gtModifierModele);
    SelectModel(graph, &model);
    TDrawList list;
    PaintModellers(graph, list);
    std::vector<std::string> texts;
    for (const TDrawCommand& c : list.commands) {
        if (const auto* text = std::get_if<TText>(&c)) {
            texts.push_back(text->runs.front().text);
            EXPECT_TRUE((TRectF { model.Modeleur().Rect() }).Contains(text->at));
        }
    }
    EXPECT_EQ(texts, model.Modeleur().EquationLines());
    ASSERT_FALSE(list.commands.empty());
    EXPECT_TRUE(std::holds_alternative<TFillRect>(list.commands.front()));
}

TEST_F(ModelElementTest, ACopyKeepsTheModelAndItsHandSetParameters)
{
    TGModele& model = AddAndShow(Ball(), { 0, 1, -3, 2 });
    model.SetType(mcParabole);
    model.SetParameter(0, 1.5);
    const std::unique_ptr<TGElem> copy = model.Clone();
    const auto* twin = dynamic_cast<const TGModele*>(copy.get());
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->Type(), mcParabole);
    EXPECT_DOUBLE_EQ(twin->Active()->Parameter(0), 1.5);
    EXPECT_EQ(twin->ModelText(), model.ModelText());
}

TEST(ValueBubble, StandsInItsFourCorners)
{
    TEstimatedTextMeasure measure;
    TBulle bulle;
    bulle.lines = { "balle (3)", "t = 0.080 s", "y = 0.345 m" };
    double width = 0, text = 0;
    for (const std::string& line : bulle.lines) {
        width = std::max(width, measure.Measure(line, TBulle::kPointSize, false).width);
        text += measure.Measure(line, TBulle::kPointSize, false).height;
    }
    const auto at = [&](TBullePlace place) {
        bulle.place = place;
        return bulle.Rect(measure, 800, 600);
    };
    EXPECT_EQ(at(TBullePlace::TopLeft), (TRectF { 1, 1, width + 20, text + 4 }));
    EXPECT_EQ(at(TBullePlace::TopRight), (TRectF { 800 - (width + 20) - 2, 1, width + 20, text + 4 }));
    EXPECT_EQ(at(TBullePlace::BottomLeft), (TRectF { 1, 600 - text - 6, width + 20, text + 4 }));
    EXPECT_EQ(at(TBullePlace::BottomRight), (TRectF { 800 - (width + 20) - 2, 600 - text - 6, width + 20, text + 4 }));
    bulle.place = TBullePlace::Hidden;
    EXPECT_FALSE(bulle.Shown());
}

TEST(ModelChoices, AreWrittenInTheirSectionAndReadBack)
{
    TModelChoices choices;
    choices.Set(TimeCurveKey(0, "y", 0), { mcParabole, {} });
    choices.Set(TimeCurveKey(1, "vx", 2), { mcAffine, { 0.25, -1.5e-7 } });
    choices.Set(FormulaCurveKey("Ec", ""), { mcSinus, {} });
    const auto generation = choices.Generation();
    choices.Set(TimeCurveKey(0, "y", 0), { mcParabole, {} }); // the same: no change
    EXPECT_EQ(choices.Generation(), generation);
    TIniFile file;
    file.WriteString("Main", "Version", "4");
    choices.Save(file);
    EXPECT_EQ(file.ReadInt("Modeles", "ModelesNumber", 0), 3);
    TModelChoices back;
    EXPECT_TRUE(back.Load(file).empty());
    EXPECT_EQ(back.All(), choices.All());
    ASSERT_NE(back.Find("Temps 1 vx 2"), nullptr);
    EXPECT_DOUBLE_EQ(back.Find("Temps 1 vx 2")->parameters[1], -1.5e-7);
    // No model: the choice is forgotten and the section goes.
    back.Set("Formule Ec / t", { mcNone, {} });
    EXPECT_EQ(back.Find("Formule Ec / t"), nullptr);
    back.Clear();
    back.Save(file);
    EXPECT_FALSE(file.SectionExists("Modeles"));
}

TEST(ModelChoices, AStudyWithoutTheSectionOrWithABrokenOneLoads)
{
    TIniFile old;
    old.SetText("[Main]\nVersion=4\n[Data]\nObjectsNumber=1\n");
    TModelChoices choices;
    choices.Set("Temps 0 x 0", { mcAffine, {} });
    EXPECT_TRUE(choices.Load(old).empty());
    EXPECT_TRUE(choices.Empty());

    TIniFile broken;
    broken.SetText("[Modeles]\nModelesNumber=1000000\nModeleCourbe_0=Temps 0 y 0\nModeleType_0=4\n"
                   "ModeleCourbe_1=Temps 0 x 0\nModeleType_1=3\nModeleCourbe_2=Temps 0 vx 0\nModeleType_2=0\n"
                   "ModeleParametresNumber_2=2\nModeleParametre_2_0=abc\nModeleParametre_2_1=2\n");
    const std::vector<std::string> problems = choices.Load(broken);
    EXPECT_EQ(problems.size(), 1u);
    ASSERT_NE(choices.Find("Temps 0 y 0"), nullptr);
    EXPECT_EQ(choices.Find("Temps 0 y 0")->code, mcParabole);
    EXPECT_EQ(choices.Find("Temps 0 x 0"), nullptr); // 3 is no model
    ASSERT_NE(choices.Find("Temps 0 vx 0"), nullptr); // unreadable parameters: fitted again
    EXPECT_TRUE(choices.Find("Temps 0 vx 0")->parameters.empty());
}

} // namespace
} // namespace kinoval::graph
