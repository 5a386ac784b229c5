// The curves and windows of the time and trajectory pages, from a calculator over a study made mark by
// mark.
#include "core/graph/page_curves.h"
#include "support/fake_measurement_source.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kinoval::graph {
namespace {

using results::TCalcul;
using test::TFakeMeasurementSource;

class PageCurvesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        src.framePeriod = 0.04;
        src.fixed.geometry = { 1.0, 1.0, 0.0, true, true };
    }
    void Compute(bool derive = true)
    {
        ASSERT_EQ(calc.Recompute(src), 0);
        if (derive) {
            ASSERT_EQ(calc.Derive(0), 0);
        }
    }
    std::vector<TPageObject> objects { { "balle", clRed }, { "chariot", clBlue } };
    TFakeMeasurementSource src;
    TCalcul calc { TMarkSet::Fixed };
};

TEST_F(PageCurvesTest, TwoObjectsGiveTwoCurvesUnderOneRange)
{
    for (int f = 0; f < 6; ++f) {
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.2 * f); // y from 0 to 1
        src.AddMark(TMarkSet::Fixed, 1, f, 0.0, 2 + 0.6 * f); // y from 2 to 5
    }
    Compute();
    TTimePageChoice choice;
    choice.quantity = results::kQtyY;
    choice.objects = { 0, 1 };
    const std::vector<TCurveInput> curves = TimeCurves(calc, objects, choice);
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[1].name, "chariot");
    EXPECT_EQ(curves[1].style.colour[obPoint][0], clBlue);
    EXPECT_EQ(curves[0].ordinateName, "y");
    EXPECT_EQ(curves[0].ordinateUnit, "m");
    ASSERT_EQ(curves[0].x.size(), 6u);
    EXPECT_NEAR(curves[0].x[5], 0.2, 1e-12);
    EXPECT_NEAR(curves[1].y[5], 5, 1e-12);
    EXPECT_EQ(curves[0].numbers.front(), 1);
    const TWorld w = TimeWindow(curves, choice);
    EXPECT_DOUBLE_EQ(w.xmin, 0); // the time axis starts at 0
    EXPECT_NEAR(w.xmax, 0.2 + 0.05 * 0.2, 1e-12);
    EXPECT_NEAR(w.ymin, 0 - 0.05 * 5, 1e-12);
    EXPECT_NEAR(w.ymax, 5 + 0.05 * 5, 1e-12);
    // "Origine des ordonnées" brings 0 in; here it was in already.
    choice.objects = { 1 };
    choice.ordinateWithZero = true;
    EXPECT_DOUBLE_EQ(TimeWindow(TimeCurves(calc, objects, choice), choice).ymin, 0);
    choice.ordinateWithZero = false;
    EXPECT_NEAR(TimeWindow(TimeCurves(calc, objects, choice), choice).ymin, 2 - 0.05 * 3, 1e-12);
}

TEST_F(PageCurvesTest, AConstantQuantityGetsFivePercentOfItsValue)
{
    for (int f = 0; f < 5; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.3);
    Compute();
    TTimePageChoice choice;
    choice.quantity = results::kQtyY;
    choice.objects = { 0 };
    TWorld w = TimeWindow(TimeCurves(calc, objects, choice), choice);
    EXPECT_NEAR(w.ymin, 0.3 - 0.015, 1e-12);
    EXPECT_NEAR(w.ymax, 0.3 + 0.015, 1e-12);
    // vy is 0 throughout, but for the rounding of the differences: still a range that maps.
    choice.quantity = results::kQtyVy;
    w = TimeWindow(TimeCurves(calc, objects, choice), choice);
    EXPECT_LT(w.ymin, w.ymax);
    EXPECT_NEAR(w.ymin, 0, 1e-12);
    EXPECT_NEAR(w.ymax, 0, 1e-12);
    // Without "Origine des abscisses" the time axis fits the marks.
    choice.timeFromZero = false;
    w = TimeWindow(TimeCurves(calc, objects, choice), choice);
    EXPECT_NEAR(w.xmin, -0.05 * 0.16, 1e-12);
}

TEST_F(PageCurvesTest, NormsStartAtZeroAndAnglesIncludeIt)
{
    // A uniform motion along x far from the origin, turning slowly about it.
    for (int f = 0; f < 8; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.5 + 0.01 * f, 0.4);
    Compute();
    TTimePageChoice choice;
    choice.objects = { 0 };
    for (results::TQuantity q : { results::kQtyV, results::kQtyR }) {
        choice.quantity = q;
        const std::vector<TCurveInput> curves = TimeCurves(calc, objects, choice);
        ASSERT_EQ(curves.size(), 1u);
        EXPECT_GT(curves[0].y.front(), 0.1);
        EXPECT_DOUBLE_EQ(TimeWindow(curves, choice).ymin, 0);
    }
    for (results::TQuantity q : { results::kQtyTheta, results::kQtyOmega }) {
        choice.quantity = q;
        const TWorld w = TimeWindow(TimeCurves(calc, objects, choice), choice);
        EXPECT_LE(w.ymin, 0);
        EXPECT_GE(w.ymax, 0);
    }
    choice.quantity = results::kQtyOmega;
    EXPECT_LT(TimeWindow(TimeCurves(calc, objects, choice), choice).ymin, 0); // w < 0: turning clockwise
}

TEST_F(PageCurvesTest, HiddenEndsAreLeftOutAsInTheTable)
{
    for (int f = 0; f < 7; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.01 * f * f);
    Compute();
    TTimePageChoice choice;
    choice.objects = { 0 };
    choice.quantity = results::kQtyVy;
    choice.hideVelocityEdges = true;
    std::vector<TCurveInput> curves = TimeCurves(calc, objects, choice);
    ASSERT_EQ(curves[0].x.size(), 5u);
    EXPECT_EQ(curves[0].numbers.front(), 2);
    choice.quantity = results::kQtyA;
    choice.hideAccelerationEdges = true;
    curves = TimeCurves(calc, objects, choice);
    ASSERT_EQ(curves[0].x.size(), 3u);
    EXPECT_EQ(curves[0].numbers, (std::vector<int> { 3, 4, 5 }));
    // Positions are never hidden; numbers start at 0 when the settings say so.
    choice.quantity = results::kQtyX;
    choice.firstNumber = 0;
    curves = TimeCurves(calc, objects, choice);
    EXPECT_EQ(curves[0].x.size(), 7u);
    EXPECT_EQ(curves[0].numbers.front(), 0);
}

TEST_F(PageCurvesTest, InAnotherObjectsFrameTheRowsItMissesAreSkipped)
{
    for (int f = 0; f < 6; ++f) {
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.05 * f);
        if (f != 2 && f != 4)
            src.AddMark(TMarkSet::Fixed, 1, f, 0.02 * f, 0.1);
    }
    Compute(false);
    TTrajectoryChoice choice;
    choice.object = 0;
    TCurveInput lab = TrajectoryCurve(calc, objects, choice);
    EXPECT_EQ(lab.x.size(), 6u);
    EXPECT_EQ(lab.abscissaName, "x");
    choice.reference = 1;
    const TCurveInput relative = TrajectoryCurve(calc, objects, choice);
    ASSERT_EQ(relative.x.size(), 4u);
    EXPECT_EQ(relative.numbers, (std::vector<int> { 1, 2, 4, 6 }));
    EXPECT_NEAR(relative.x[3], 0.5 - 0.1, 1e-12);
    EXPECT_NEAR(relative.y[3], 0.25 - 0.1, 1e-12);
    // Its own frame is the laboratory's.
    choice.reference = 0;
    EXPECT_EQ(TrajectoryCurve(calc, objects, choice).x.size(), 6u);
}

TEST_F(PageCurvesTest, TheTrajectoryAsOnTheVideoIgnoresTheAxesTurn)
{
    src.fixed.geometry = { 2.0, 2.0, std::acos(0.0), true, false }; // axes turned a quarter, y reversed
    for (int f = 0; f < 4; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.0);
    Compute(false);
    TTrajectoryChoice choice;
    const TCurveInput study = TrajectoryCurve(calc, objects, choice);
    choice.studyAxes = false;
    const TCurveInput video = TrajectoryCurve(calc, objects, choice);
    EXPECT_NEAR(video.x[3], 0.6, 1e-12);
    EXPECT_NEAR(video.y[3], 0, 1e-12);
    // In the study's axes, x along the picture's y: the motion is along y, reversed.
    EXPECT_NEAR(study.x[3], 0, 1e-12);
    EXPECT_NEAR(study.y[3], 0.6, 1e-12);
    // The window: 10 % more on each side, and the origin when asked.
    const TWorld w = TrajectoryWindow(video, choice);
    EXPECT_NEAR(w.xmin, -0.06, 1e-12);
    EXPECT_NEAR(w.xmax, 0.66, 1e-12);
    choice.withOriginY = true;
    EXPECT_LE(TrajectoryWindow(study, choice).ymin, 0);
}

// A formula against time and against another formula: only the rows where both have a value, the
// formulas without any value left out of the lists, an unnamed formula called by its expression.
TEST_F(PageCurvesTest, AFormulaAgainstTimeOrAnotherFormula)
{
    for (int f = 0; f < 6; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.0);
    Compute(false);
    formulas::TFormules formules;
    formules.AddFormula("E = 2*t", "", "J");
    formules.AddFormula("3*t");
    formules.AddFormula("vide = 1");
    auto fill = [&](int k, std::vector<int> rows, double scale) {
        formulas::TCurve& curve = formules.Formula(k).curve;
        curve.values.assign(6, 0);
        curve.mask.assign(6, -1);
        for (int row : rows) {
            curve.values[std::size_t(row)] = scale * row;
            curve.mask[std::size_t(row)] = 0;
        }
        curve.firstRow = rows.empty() ? -1 : rows.front();
        curve.lastRow = rows.empty() ? -1 : rows.back();
    };
    fill(0, { 0, 1, 3, 4, 5 }, 10); // no value on row 2
    fill(1, { 1, 2, 3, 4, 5 }, -1); // none on row 0
    fill(2, {}, 0);
    EXPECT_EQ(PlottableFormulas(formules), (std::vector<int> { 0, 1 }));

    TFormulaPageChoice choice; // E against time
    TCurveInput curve = FormulaCurve(calc, formules, choice);
    EXPECT_EQ(curve.name, "E");
    EXPECT_EQ(curve.ordinateUnit, "J");
    EXPECT_EQ(curve.abscissaName, "t");
    EXPECT_EQ(curve.x, (std::vector<double> { 0, 0.04, 0.12, 0.16, 0.2 }));
    EXPECT_EQ(curve.y, (std::vector<double> { 0, 10, 30, 40, 50 }));
    EXPECT_EQ(curve.numbers, (std::vector<int> { 1, 2, 4, 5, 6 }));
    TWorld w = FormulaWindow(curve, choice);
    EXPECT_DOUBLE_EQ(w.xmin, 0);
    EXPECT_NEAR(w.ymin, -2.5, 1e-12);
    EXPECT_NEAR(w.ymax, 52.5, 1e-12);

    choice.abscissa = 1; // E against 3*t, which has no unit of its own
    curve = FormulaCurve(calc, formules, choice);
    EXPECT_EQ(curve.abscissaName, "3*t");
    EXPECT_EQ(curve.abscissaUnit, "");
    EXPECT_EQ(curve.x, (std::vector<double> { -1, -3, -4, -5 }));
    EXPECT_EQ(curve.y, (std::vector<double> { 10, 30, 40, 50 }));
    w = FormulaWindow(curve, choice);
    EXPECT_NEAR(w.xmin, -5.2, 1e-12);
    EXPECT_DOUBLE_EQ(w.xmax, 0); // "Origine des abscisses" brings 0 in
    choice.originX = false;
    EXPECT_NEAR(FormulaWindow(curve, choice).xmax, -0.8, 1e-12);

    choice.formula = 2; // no value anywhere: an empty curve in a window that still exists
    curve = FormulaCurve(calc, formules, choice);
    EXPECT_TRUE(curve.x.empty());
    w = FormulaWindow(curve, choice);
    EXPECT_GT(w.xmax, w.xmin);
    EXPECT_GT(w.ymax, w.ymin);
    choice.formula = 7; // gone from the list
    EXPECT_TRUE(FormulaCurve(calc, formules, choice).name.empty());
}

TEST_F(PageCurvesTest, TheDescriptionSaysWhatIsPlotted)
{
    for (int f = 0; f < 5; ++f) {
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.2 * f);
        src.AddMark(TMarkSet::Fixed, 1, f, 0.0, 0.5);
    }
    Compute();
    TTimePageChoice choice;
    choice.quantity = results::kQtyY;
    choice.objects = { 0, 1 };
    TGraph graph;
    graph.SetMargins(140, 30, 15, 100);
    graph.SetSize(800, 600);
    for (const TCurveInput& curve : TimeCurves(calc, objects, choice))
        graph.AddCurve(curve);
    graph.SetWorld(TimeWindow(TimeCurves(calc, objects, choice), choice), false);
    EXPECT_EQ(DescribeGraph(graph, ','),
        "2 courbes : y en fonction de t (balle, chariot), 10 points ; t de 0 à 0,1680 s ; y de -0,0400 à 0,8400 m");
    EXPECT_EQ(DescribeGraph(TGraph(), ','), "Aucune courbe");
}

} // namespace
} // namespace kinoval::graph
