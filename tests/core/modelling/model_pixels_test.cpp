#include "core/modelling/exponential_model.h"
#include "core/modelling/linear_models.h"
#include "core/modelling/parabola_model.h"
#include "core/modelling/sinus_models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace kinoval::modelling {
namespace {

constexpr double kPi = std::numbers::pi;

// The drawing area used throughout: 500 x 400 pixels at (10, 20) of the widget.
constexpr int kLeft = 10, kTop = 20, kWidth = 500, kHeight = 400;

struct TWindow {
    double xmin, xmax, ymin, ymax;
};

void Place(TMdl& m, const TWindow& w)
{
    m.SetArea(kLeft, kTop, kWidth, kHeight);
    m.SetWindow(w.xmin, w.xmax, w.ymin, w.ymax);
}

// Widget coordinates of an area point.
int Wx(double x)
{
    return kLeft + static_cast<int>(std::lround(x));
}
int Wy(double y)
{
    return kTop + kHeight - static_cast<int>(std::lround(y));
}

void SetAll(TMdl& m, const std::vector<double>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        m.SetParameter(static_cast<int>(i), values[i]);
}

// World -> pixel -> world keeps the curve for every model, over windows of very different scales.
TEST(ModelPixels, RoundTripsKeepEveryModel)
{
    const std::vector<TWindow> windows = { { 0, 10, 0, 20 }, { -5, 5, -100, 100 }, { 1000, 1010, 0.001, 0.002 },
        { 0, 1e-3, -1e3, 1e3 }, { -1e6, 1e6, -1e6, 1e6 } };
    for (const TWindow& w : windows) {
        const double xc = (w.xmin + w.xmax) / 2, xr = w.xmax - w.xmin;
        const double yc = (w.ymin + w.ymax) / 2, yr = w.ymax - w.ymin;
        std::vector<std::pair<std::unique_ptr<TMdl>, std::vector<double>>> models;
        // Parameters chosen so that each curve crosses the window, scaled to it.
        models.emplace_back(
            std::make_unique<TMdlAffine>(), std::vector<double> { yc - 0.3 * yr / xr * xc, 0.3 * yr / xr });
        models.emplace_back(std::make_unique<TMdlConstant>(), std::vector<double> { yc + 0.1 * yr });
        models.emplace_back(std::make_unique<TMdlProportionnel>(), std::vector<double> { 0.2 * yr / xr });
        const double c2 = -0.5 * yr / (xr * xr);
        models.emplace_back(std::make_unique<TMdlParaboleAv>(),
            std::vector<double> { yc + c2 * xc * xc * -1 + 0.2 * yr, -2 * c2 * xc, c2 });
        models.emplace_back(
            std::make_unique<TMdlExponentiel>(), std::vector<double> { yc, 0.2 * yr * std::exp(2 * xc / xr), -2 / xr });
        const double pulsation = 2 * kPi * 3 / xr;
        models.emplace_back(std::make_unique<TMdlSinus>(), std::vector<double> { yc, 0.3 * yr, pulsation, 1 });
        models.emplace_back(
            std::make_unique<TMdlSinusAe>(), std::vector<double> { yc, 0.3 * yr, pulsation, -1, -0.5 / xr });
        for (auto& [model, params] : models) {
            Place(*model, w);
            SetAll(*model, params);
            std::vector<double> before;
            for (int i = 0; i <= 8; ++i)
                before.push_back(model->Value(w.xmin + xr * i / 8));
            const std::vector<double> world = model->WorldParameters();
            model->WorldToPixel();
            model->PixelToWorld();
            for (int i = 0; i <= 8; ++i)
                EXPECT_NEAR(model->Value(w.xmin + xr * i / 8), before[i], 1e-9 * yr)
                    << model->Texts("y", "t")[0] << " window " << w.xmin << ".." << w.xmax;
            // Besides the curve, the parameters themselves come back (phases modulo a turn).
            for (std::size_t i = 0; i < world.size(); ++i) {
                double v = model->WorldParameters()[i];
                if (dynamic_cast<TMdlSinusPure*>(model.get()) && i == 3)
                    v = world[i] + std::remainder(v - world[i], 2 * kPi);
                EXPECT_NEAR(v, world[i], 1e-9 * std::max(1.0, std::fabs(world[i])));
            }
        }
    }
    // The linearly damped sinus, whose pixel envelope is taken about the world origin.
    TMdlSinusAl al;
    Place(al, { 2, 12, -3, 3 });
    ASSERT_EQ(al.Fit({ 2, 4, 6, 8, 10, 12 }, { 1, -1, 1, -1, 0.5, -0.5 }), 0);
    const std::vector<double> world = al.WorldParameters();
    al.WorldToPixel();
    al.PixelToWorld();
    EXPECT_NEAR(al.WorldParameters()[0], world[0], 1e-12);
    EXPECT_NEAR(al.WorldParameters()[1], world[1], 1e-12);
    EXPECT_NEAR(al.WorldParameters()[2], world[2], 1e-12);
    EXPECT_NEAR(al.WorldParameters()[4], world[4], 1e-12);
}

TEST(ModelPixels, DegenerateWindowConvertsNothingAndRefusesEdits)
{
    for (const TWindow& w : std::vector<TWindow> { { 1, 1, 0, 10 }, { 0, 10, 5, 5 }, { 0, 1e101, 0, 1 } }) {
        TMdlAffine model;
        Place(model, w);
        model.SetParameter(0, 7);
        model.SetParameter(1, 3);
        EXPECT_FALSE(model.WindowUsable());
        EXPECT_FALSE(model.Translate(5, 5));
        model.BeginEdit(Wx(0), Wy(0));
        EXPECT_FALSE(model.Drag(Wx(100), Wy(100)));
        model.EndEdit();
        EXPECT_EQ(model.Parameter(0), 7);
        EXPECT_EQ(model.Parameter(1), 3);
        EXPECT_TRUE(model.Polylines().empty());
    }
    TMdlSinus sinus;
    sinus.SetArea(0, 0, 0, 100); // empty area
    sinus.SetWindow(0, 1, 0, 1);
    EXPECT_FALSE(sinus.MoveHandle(2, 0, 5, TEditSpeed::Normal));
}

TEST(ModelPixels, StraightLineClampsWriteBackTheWorld)
{
    // sx = 50 px per unit, sy = 40 px per unit.
    TMdlAffine model;
    Place(model, { 0, 10, 0, 10 });
    model.SetParameter(1, 1e12); // 8e11 px per px: clamped to 1e10
    EXPECT_EQ(model.PixelParameters()[1], 1e10);
    EXPECT_DOUBLE_EQ(model.Parameter(1), 1e10 * 50 / 40);
    model.SetParameter(1, 0);
    model.SetParameter(0, 1000); // 40000 px above the bottom: clamped to 1e4
    EXPECT_EQ(model.PixelParameters()[0], 1e4);
    EXPECT_DOUBLE_EQ(model.Parameter(0), 1e4 / 40);
    model.SetParameter(0, -1000);
    EXPECT_EQ(model.PixelParameters()[0], -1e4);
    // The proportional line keeps its origin: only its slope is bounded.
    TMdlProportionnel prop;
    Place(prop, { -1000, -990, 0, 10 });
    prop.SetParameter(0, 1);
    EXPECT_EQ(prop.Parameter(0), 1);
    EXPECT_EQ(prop.WorldParameters()[0], 0);
}

TEST(ModelPixels, ExponentialAndParabolaClamps)
{
    TMdlExponentiel e;
    Place(e, { 0, 10, 0, 10 }); // sx 50, sy 40
    SetAll(e, { 1, 2, 100 }); // rate of 2 per pixel: clamped to 1
    EXPECT_EQ(e.PixelParameters()[2], 1);
    EXPECT_DOUBLE_EQ(e.Parameter(2), 50);
    SetAll(e, { 1000, 2, -0.5 });
    EXPECT_EQ(e.PixelParameters()[0], 1e4);
    EXPECT_DOUBLE_EQ(e.Parameter(0), 1e4 / 40);
    TMdlParaboleAv p;
    Place(p, { 0, 10, 0, 10 });
    SetAll(p, { 0, 1e4, 0 }); // B = 8000: inside
    EXPECT_DOUBLE_EQ(p.PixelParameters()[1], 8000);
    p.SetParameter(1, 1e5); // B = 80000: clamped to 1e4
    EXPECT_EQ(p.PixelParameters()[1], 1e4);
    EXPECT_DOUBLE_EQ(p.Parameter(1), 1e4 * 50 / 40);
    SetAll(p, { 1e4, 0, 0 }); // C = 4e5: clamped to 1e5
    EXPECT_EQ(p.PixelParameters()[2], 1e5);
    EXPECT_DOUBLE_EQ(p.Parameter(0), 1e5 / 40);
}

TEST(ModelPixels, StraightLineTranslations)
{
    TMdlAffine affine;
    Place(affine, { 0, 10, 0, 10 });
    SetAll(affine, { 2, 0.5 }); // P0 = 80, P1 = 0.4
    ASSERT_DOUBLE_EQ(affine.PixelParameters()[0], 80);
    ASSERT_DOUBLE_EQ(affine.PixelParameters()[1], 0.4);
    EXPECT_TRUE(affine.Translate(10, -20)); // P0 - dy - dx·P1
    EXPECT_DOUBLE_EQ(affine.PixelParameters()[0], 80 + 20 - 4);
    EXPECT_FALSE(affine.Translate(0, -20000)); // beyond 1e4
    EXPECT_DOUBLE_EQ(affine.PixelParameters()[0], 96);
    affine.EndEdit();
    EXPECT_DOUBLE_EQ(affine.Parameter(0), 96.0 / 40);
    EXPECT_DOUBLE_EQ(affine.Parameter(1), 0.5);

    TMdlConstant constant;
    Place(constant, { 0, 10, 0, 10 });
    constant.SetParameter(0, 5);
    EXPECT_TRUE(constant.Translate(30, 40));
    EXPECT_DOUBLE_EQ(constant.PixelParameters()[0], 160);
    EXPECT_FALSE(constant.Translate(0, 1e5));
    EXPECT_DOUBLE_EQ(constant.Parameter(0), 4);

    TMdlProportionnel prop;
    Place(prop, { 0, 10, 0, 10 });
    prop.SetParameter(0, 1);
    EXPECT_FALSE(prop.Translate(10, 10));
}

TEST(ModelPixels, AffineTurnsAboutTheFartherEnd)
{
    TMdlAffine model;
    Place(model, { 0, 10, 0, 10 });
    SetAll(model, { 2, 0.5 }); // from (0, 80) to (500, 280)
    TAreaPoint e0, e1;
    ASSERT_TRUE(model.VisibleEnds(e0, e1));
    EXPECT_DOUBLE_EQ(e0.y, 80);
    EXPECT_DOUBLE_EQ(e1.x, 500);
    EXPECT_DOUBLE_EQ(e1.y, 280);
    EXPECT_EQ(model.HitTest(Wx(0), Wy(80)), 0);
    EXPECT_EQ(model.HitTest(Wx(500), Wy(280)), 1);
    EXPECT_EQ(model.HitTest(Wx(250), Wy(180)), 2);
    EXPECT_EQ(model.HitTest(Wx(250), Wy(300)), -1);
    // Grabbed at the right end: it turns about the left one.
    model.BeginEdit(Wx(500), Wy(280));
    EXPECT_DOUBLE_EQ(model.Pivot().x, 0);
    EXPECT_TRUE(model.Drag(Wx(400), Wy(380)));
    EXPECT_DOUBLE_EQ(model.PixelParameters()[1], (80.0 - 380) / (0 - 400));
    EXPECT_DOUBLE_EQ(model.PixelParameters()[0], 80);
    EXPECT_FALSE(model.Drag(Wx(0), Wy(300))); // straight above the pivot: ignored
    EXPECT_DOUBLE_EQ(model.PixelParameters()[0], 80);
    model.EndEdit();
    EXPECT_DOUBLE_EQ(model.Parameter(1), 0.75 * 50 / 40);
    // Grabbed at the left end: it turns about the right one, which now leaves through the top edge.
    model.BeginEdit(Wx(0), Wy(80));
    EXPECT_DOUBLE_EQ(model.Pivot().x, (400 - 80) / 0.75);
    EXPECT_DOUBLE_EQ(model.Pivot().y, 400);
    model.EndEdit();
    // A steep line compares the ends by height; grabbed exactly between them, the second end is the pivot.
    SetAll(model, { 0, 5 }); // P1 = 4: from (0, 0) to (100, 400)
    model.BeginEdit(Wx(50), Wy(200));
    EXPECT_DOUBLE_EQ(model.Pivot().x, 100);
    EXPECT_DOUBLE_EQ(model.Pivot().y, 400);
    model.EndEdit();
}

TEST(ModelPixels, AffineRotationRefusedBeyondItsLimits)
{
    TMdlAffine model;
    Place(model, { 0, 10, 0, 10 });
    // A pivot on the left edge always gives P0 = its height; a pivot inside the area can push P0 out.
    SetAll(model, { -10, 2 }); // P1 = 1.6, P0 = -400: ends at (250, 0) and (500, 400)
    TAreaPoint e0, e1;
    ASSERT_TRUE(model.VisibleEnds(e0, e1));
    EXPECT_DOUBLE_EQ(e0.x, 250);
    model.BeginEdit(Wx(500), Wy(400)); // pivot (250, 0)
    EXPECT_DOUBLE_EQ(model.Pivot().x, 250);
    // Mouse at (251, 100): slope -100 / -1 = 100, P0 = 0 - 250·100 = -25000: beyond 1e4, refused.
    EXPECT_FALSE(model.Drag(Wx(251), Wy(100)));
    EXPECT_DOUBLE_EQ(model.PixelParameters()[1], 1.6);
    model.EndEdit();
}

TEST(ModelPixels, ProportionalTurnsAboutTheOriginAndConstantCannotTurn)
{
    TMdlProportionnel prop;
    Place(prop, { -2, 8, -1, 9 }); // origin at (100, 40)
    prop.SetParameter(0, 1);
    EXPECT_GE(prop.HitTest(Wx(200), Wy(40 + 100 * 0.8)), 0);
    prop.BeginEdit(Wx(200), Wy(120));
    EXPECT_DOUBLE_EQ(prop.Pivot().x, 100);
    EXPECT_DOUBLE_EQ(prop.Pivot().y, 40);
    EXPECT_TRUE(prop.Drag(Wx(300), Wy(240)));
    prop.EndEdit();
    EXPECT_DOUBLE_EQ(prop.Parameter(0), 1.0 * 50 / 40); // slope 1 px/px
    EXPECT_EQ(prop.WorldParameters()[0], 0);
    EXPECT_NEAR(prop.Value(0), 0, 1e-12);

    TMdlConstant constant;
    Place(constant, { 0, 10, 0, 10 });
    constant.SetParameter(0, 5);
    constant.BeginEdit(Wx(500), Wy(200));
    EXPECT_FALSE(constant.Drag(Wx(400), Wy(300)));
    constant.EndEdit();
    EXPECT_EQ(constant.Parameter(0), 5);
}

TEST(ModelPixels, ExponentialEdits)
{
    TMdlExponentiel e;
    Place(e, { 0, 10, 0, 10 }); // sx 50, sy 40
    SetAll(e, { 2, 5, -0.5 }); // P0 = 80, P1 = 200, P2 = -0.01
    EXPECT_DOUBLE_EQ(e.PixelParameters()[0], 80);
    EXPECT_DOUBLE_EQ(e.PixelParameters()[1], 200);
    EXPECT_DOUBLE_EQ(e.PixelParameters()[2], -0.01);
    EXPECT_EQ(e.HitTest(Wx(0), Wy(280)), 0);
    EXPECT_EQ(e.HitTest(Wx(0), Wy(350)), -1);
    // Translation: dy moves the asymptote, dx scales the amplitude.
    EXPECT_TRUE(e.Translate(10, -20));
    EXPECT_DOUBLE_EQ(e.PixelParameters()[0], 100);
    EXPECT_DOUBLE_EQ(e.PixelParameters()[1], 200 * std::exp(0.01 * 10));
    EXPECT_FALSE(e.Translate(0, 2e4));
    EXPECT_DOUBLE_EQ(e.PixelParameters()[0], 100);
    e.EndEdit();
    EXPECT_NEAR(e.Value(1), 2.5 + 5 * std::exp(-0.5 * (1 - 0.2)), 1e-12); // moved right by 0.2, up by 0.5
    // Deformation from a grab point: the grabbed height follows the mouse.
    SetAll(e, { 2, 5, -0.5 });
    const double y0 = 80 + 200 * std::exp(-0.01 * 100);
    e.BeginEdit(Wx(100), Wy(y0));
    EXPECT_TRUE(e.Drag(Wx(200), Wy(150)));
    const auto p = e.PixelParameters();
    EXPECT_NEAR(p[2], -0.01 * 100 / 200, 1e-15);
    EXPECT_NEAR(p[1], (150 - 80) * 200 / (std::lround(y0) - 80.0), 1e-9);
    EXPECT_FALSE(e.Drag(Wx(0), Wy(150))); // X must be positive
    EXPECT_FALSE(e.Drag(Wx(0) - 5, Wy(150))); // and so stays refused left of the area
    e.EndEdit();
    // A grab on the asymptote cannot scale anything.
    SetAll(e, { 2, 5, -0.5 });
    e.BeginEdit(Wx(100), Wy(80));
    EXPECT_FALSE(e.Drag(Wx(200), Wy(150)));
    e.EndEdit();
    // A rate beyond 1 per pixel is refused: P2 = P2₀·X0/X with X0 = 400, X = 1 and P2₀ = -0.01.
    SetAll(e, { 2, 5, -0.5 });
    e.SetParameter(2, -5); // -0.1 per pixel
    e.BeginEdit(Wx(400), Wy(200));
    EXPECT_FALSE(e.Drag(Wx(20), Wy(200))); // -0.1·400/20 = -2
    e.EndEdit();
}

TEST(ModelPixels, ExponentialBelowItsAsymptoteCanBeDeformed)
{
    // A charging curve 8 - 6·exp(-0.5 t) lies below its asymptote: grabbing it must work like any other.
    TMdlExponentiel e;
    Place(e, { 0, 10, 0, 10 });
    SetAll(e, { 8, -6, -0.5 }); // P0 = 320, P1 = -240
    const double y0 = 320 - 240 * std::exp(-0.01 * 100);
    e.BeginEdit(Wx(100), Wy(y0));
    EXPECT_TRUE(e.Drag(Wx(100), Wy(y0 - 30)));
    e.EndEdit();
    EXPECT_LT(e.Parameter(1), -6); // deeper below the asymptote
    EXPECT_NEAR(e.Parameter(2), -0.5, 1e-12);
}

TEST(ModelPixels, ParabolaTranslatesAndReshapes)
{
    TMdlParaboleAv p;
    Place(p, { 0, 10, 0, 10 });
    SetAll(p, { 1, 4, -0.4 }); // vertex at t = 5, y = 11: above the window
    const auto before = p.PixelParameters();
    auto pixel = [](const std::array<double, 5>& q, double x) { return (q[0] * x + q[1]) * x + q[2]; };
    EXPECT_TRUE(p.Translate(30, -10));
    for (double x : { 0.0, 100.0, 333.0 })
        EXPECT_NEAR(pixel(p.PixelParameters(), x), pixel(before, x - 30) + 10, 1e-9);
    EXPECT_FALSE(p.Translate(0, -2e5)); // C beyond 1e5
    p.EndEdit();
    {
        // A = 1e4, B = 0, C = 0: sliding by 0.6 px would give C = 3600 (allowed) but B = -12000 (not);
        // the translation is refused as a whole, since C moving alone would bend the parabola.
        TMdlParaboleAv steep;
        Place(steep, { 0, 10, 0, 10 });
        SetAll(steep, { 0, 0, 1e4 * 2500 / 40 });
        ASSERT_DOUBLE_EQ(steep.PixelParameters()[0], 1e4);
        EXPECT_FALSE(steep.Translate(0.6, 0));
        EXPECT_EQ(steep.PixelParameters()[1], 0);
        EXPECT_EQ(steep.PixelParameters()[2], 0);
        EXPECT_TRUE(steep.Translate(0.4, 0));
        EXPECT_DOUBLE_EQ(steep.PixelParameters()[2], 0.4 * 0.4 * 1e4);
    }
    EXPECT_NEAR(p.Value(5.6), 1 + 4 * 5 - 0.4 * 25 + 0.25, 1e-9); // shifted by 0.6 right and 0.25 up

    // The branch handles lie on the curve; dragging one keeps the vertex.
    SetAll(p, { 0, 4, -0.4 }); // vertex (5, 10) at the top edge, branches to the bottom
    TAreaPoint h1, h2;
    ASSERT_EQ(p.BranchHandles(h1, h2), 2);
    EXPECT_NEAR(h1.y, 200, 1e-9);
    EXPECT_NEAR(pixel(p.PixelParameters(), h1.x), h1.y, 1e-9);
    EXPECT_LT(h1.x, 250);
    EXPECT_GT(h2.x, 250);
    EXPECT_EQ(p.HitTest(Wx(h1.x), Wy(h1.y)), 1);
    EXPECT_EQ(p.HitTest(Wx(h2.x), Wy(h2.y)), 2);
    EXPECT_EQ(p.HitTest(Wx(250), Wy(400)), 0);
    EXPECT_EQ(p.HitTest(Wx(250), Wy(100)), -1);
    p.BeginEdit(Wx(h2.x), Wy(h2.y));
    EXPECT_TRUE(p.Drag(Wx(450), Wy(100)));
    p.EndEdit();
    EXPECT_NEAR(p.Value(5), 10, 1e-9); // vertex kept
    EXPECT_NEAR(p.Value(9), 2.5, 1e-9); // through the mouse (X 450 = 9, Y 100 = 2.5)
    p.BeginEdit(Wx(h1.x), Wy(h1.y));
    EXPECT_FALSE(p.Drag(Wx(250), Wy(100))); // at the vertex abscissa
    p.EndEdit();
}

TEST(ModelPixels, SinusHandlesFrameOnePeriod)
{
    TMdlSinus s;
    Place(s, { 0, 10, -2, 2 }); // sx 50, sy 100
    SetAll(s, { 0, 1, kPi / 2, 0 }); // period 4 s = 200 px; upward crossings at 0, 200, 400 px
    const auto p = s.PixelParameters();
    EXPECT_DOUBLE_EQ(p[0], 200);
    EXPECT_DOUBLE_EQ(p[1], 100);
    EXPECT_DOUBLE_EQ(p[2], kPi / 2 / 50);
    // Reference: the crossing nearest the middle (250 px) is at 200 px.
    EXPECT_NEAR(s.HandlePosition(0).x, 100, 1e-9);
    EXPECT_NEAR(s.HandlePosition(4).x, 300, 1e-9);
    EXPECT_NEAR(s.HandlePosition(2).x, 250, 1e-9); // crest
    EXPECT_NEAR(s.HandlePosition(2).y, 300, 1e-9);
    EXPECT_NEAR(s.HandlePosition(6).x, 150, 1e-9); // trough
    EXPECT_NEAR(s.HandlePosition(6).y, 100, 1e-9);
    for (int h = 0; h < 8; ++h)
        EXPECT_EQ(s.HitTest(Wx(s.HandlePosition(h).x), Wy(s.HandlePosition(h).y)), h);
    EXPECT_EQ(s.HitTest(Wx(20), Wy(200)), -1);
}

TEST(ModelPixels, SinusVerticalHandlesAndTranslation)
{
    TMdlSinus s;
    Place(s, { 0, 10, -2, 2 });
    SetAll(s, { 0, 1, kPi / 2, 0 });
    // The crest follows the mouse up by 20 px, the trough stays.
    EXPECT_TRUE(s.MoveHandle(2, 0, -20, TEditSpeed::Normal));
    EXPECT_DOUBLE_EQ(s.PixelParameters()[1], 110);
    EXPECT_DOUBLE_EQ(s.PixelParameters()[0], 210);
    // The trough follows the mouse down.
    EXPECT_TRUE(s.MoveHandle(6, 0, 20, TEditSpeed::Normal));
    EXPECT_DOUBLE_EQ(s.PixelParameters()[1], 120);
    EXPECT_DOUBLE_EQ(s.PixelParameters()[0], 200);
    // An amplitude below 0 is refused.
    EXPECT_FALSE(s.MoveHandle(2, 0, 300, TEditSpeed::Normal));
    EXPECT_DOUBLE_EQ(s.PixelParameters()[1], 120);
    s.EndEdit();
    EXPECT_DOUBLE_EQ(s.Parameter(1), 1.2);
    // Translation: centre down dy, phase back by dx·P2, kept in [0, 2pi).
    EXPECT_TRUE(s.Translate(50, 10));
    EXPECT_DOUBLE_EQ(s.PixelParameters()[0], 190);
    EXPECT_NEAR(s.PixelParameters()[3], 2 * kPi - kPi / 2, 1e-12);
    // The centre stays within its bound but the phase still moves.
    EXPECT_TRUE(s.Translate(50, -2e4));
    EXPECT_DOUBLE_EQ(s.PixelParameters()[0], 190);
    EXPECT_NEAR(s.PixelParameters()[3], kPi, 1e-12);
    s.EndEdit();
    EXPECT_NEAR(s.Value(2), -0.1 + 1.2 * std::sin(kPi / 2 * 2 - kPi), 1e-12);
}

TEST(ModelPixels, SinusHorizontalHandlesChangeThePeriodAboutTheReference)
{
    TMdlSinus s;
    Place(s, { 0, 10, -2, 2 });
    SetAll(s, { 0, 1, kPi / 2, 0 }); // half period 100 px, reference at 200 px
    s.BeginEdit(Wx(300), Wy(300));
    // Handle 4 (right): the distance grows by 2·dx.
    EXPECT_TRUE(s.MoveHandle(4, 10, 0, TEditSpeed::Normal));
    EXPECT_NEAR(s.PixelParameters()[2], kPi / 120, 1e-15);
    // Handle 0 (left): moving left grows the distance; Ctrl slows by 10, Alt by 100.
    EXPECT_TRUE(s.MoveHandle(0, -10, 0, TEditSpeed::Ctrl));
    EXPECT_NEAR(s.PixelParameters()[2], kPi / 122, 1e-15);
    EXPECT_TRUE(s.MoveHandle(3, -10, 0, TEditSpeed::Alt));
    EXPECT_NEAR(s.PixelParameters()[2], kPi / 122.2, 1e-15);
    // The reference point keeps its phase: still an upward crossing at 200 px.
    EXPECT_NEAR(std::remainder(s.PixelParameters()[2] * 200 + s.PixelParameters()[3], 2 * kPi), 0, 1e-12);
    // Squeezed to less than nothing: refused.
    EXPECT_FALSE(s.MoveHandle(7, -100, 0, TEditSpeed::Normal));
    // Squeezed hard: the pulsation is clamped to 0.25 per pixel.
    EXPECT_TRUE(s.MoveHandle(7, -60, 0, TEditSpeed::Normal));
    EXPECT_EQ(s.PixelParameters()[2], 0.25);
    // Stretched far: clamped to 1e-6.
    EXPECT_TRUE(s.MoveHandle(4, 1e9, 0, TEditSpeed::Normal));
    EXPECT_EQ(s.PixelParameters()[2], 1e-6);
    s.EndEdit();
    EXPECT_DOUBLE_EQ(s.Parameter(2), 1e-6 * 50);
}

TEST(ModelPixels, DampingHandleOfTheExponentiallyDampedSinus)
{
    TMdlSinusAe s;
    Place(s, { 0, 10, -2, 2 });
    SetAll(s, { 0, 1, kPi / 2, 0, -0.1 }); // P4 = -0.002 per pixel; reference crossing at 200 px
    EXPECT_DOUBLE_EQ(s.PixelParameters()[4], -0.002);
    s.BeginEdit(0, 0);
    const TAreaPoint h = s.HandlePosition(1); // the crest before handle 2's
    EXPECT_NEAR(h.x, 50, 1e-9);
    const double envelope = 100 * std::exp(-0.002 * 50);
    EXPECT_NEAR(h.y, 200 + envelope, 1e-9);
    EXPECT_TRUE(s.MoveHandle(1, 0, -5, TEditSpeed::Normal)); // up 5 px: less damping
    EXPECT_NEAR(s.PixelParameters()[4], std::log((envelope + 5) / 100) / 50, 1e-15);
    EXPECT_TRUE(s.MoveHandle(1, 0, 100, TEditSpeed::Alt)); // 0.01 of the movement: 1 px down
    EXPECT_NEAR(s.PixelParameters()[4], std::log((envelope + 4) / 100) / 50, 1e-12);
    EXPECT_TRUE(s.MoveHandle(1, 0, 10, TEditSpeed::Ctrl)); // 0.1 of it
    EXPECT_NEAR(s.PixelParameters()[4], std::log((envelope + 3) / 100) / 50, 1e-12);
    // A growing envelope is set to no damping at all.
    EXPECT_TRUE(s.MoveHandle(1, 0, -50, TEditSpeed::Normal));
    EXPECT_EQ(s.PixelParameters()[4], 0);
    // The trough handle works the other way round: down is a larger envelope.
    EXPECT_TRUE(s.MoveHandle(5, 0, -10, TEditSpeed::Normal));
    EXPECT_NEAR(s.PixelParameters()[4], std::log(90.0 / 100) / 350, 1e-15);
    // A crushed envelope cannot go negative.
    EXPECT_FALSE(s.MoveHandle(5, 0, -200, TEditSpeed::Normal));
    s.EndEdit();

    // With the handle 2 px from the left edge, crushing the envelope reaches the limit of -0.9 per pixel.
    SetAll(s, { 0, 1, kPi / 2, -1.52 * kPi, -0.1 }); // reference crossing at 152 px, handle 1 at 2 px
    s.BeginEdit(0, 0);
    const TAreaPoint near = s.HandlePosition(1);
    ASSERT_NEAR(near.x, 2, 1e-9);
    EXPECT_TRUE(s.MoveHandle(1, 0, 100 * std::exp(s.PixelParameters()[4] * 2) - 1e-3, TEditSpeed::Normal));
    EXPECT_EQ(s.PixelParameters()[4], TMdlSinusPure::kMinDamping);
    // Nothing changes without amplitude.
    EXPECT_TRUE(s.MoveHandle(6, 0, -200, TEditSpeed::Normal)); // trough up by 200: amplitude 0
    EXPECT_DOUBLE_EQ(s.PixelParameters()[1], 0);
    EXPECT_FALSE(s.MoveHandle(1, 0, -10, TEditSpeed::Normal));
    s.EndEdit();
    // For the pure sinus the same handle is a vertical one.
    TMdlSinus pure;
    Place(pure, { 0, 10, -2, 2 });
    SetAll(pure, { 0, 1, kPi / 2, 0 });
    EXPECT_TRUE(pure.MoveHandle(1, 0, -20, TEditSpeed::Normal));
    EXPECT_DOUBLE_EQ(pure.PixelParameters()[1], 110);
}

TEST(ModelPixels, EditsNotifyAndEndEditRecomputesWorldAndStatistics)
{
    TMdlAffine model;
    int calls = 0;
    model.SetChangeCallback([&] { ++calls; });
    Place(model, { 0, 10, 0, 10 });
    ASSERT_EQ(model.Fit({ 0, 5, 10 }, { 1, 2, 3 }), 0);
    const int afterFit = calls;
    EXPECT_NEAR(model.RmsDeviation(), 0, 1e-12);
    model.BeginEdit(Wx(250), Wy(60));
    EXPECT_TRUE(model.Translate(0, -40)); // one world unit up
    EXPECT_TRUE(model.Changed());
    EXPECT_EQ(calls, afterFit + 1);
    model.EndEdit();
    EXPECT_FALSE(model.Changed());
    EXPECT_NEAR(model.Parameter(0), 2, 1e-12);
    EXPECT_NEAR(model.RmsDeviation(), 1, 1e-12);
    EXPECT_NEAR(model.Correlation(), 1, 1e-12);
    model.SetTextsWanted(true);
    EXPECT_EQ(model.Texts("y", "t")[1], "r = 2.000");
}

TEST(ModelPixels, PolylineCoversEveryColumnAndSplitsOutsideTheArea)
{
    TMdlAffine model;
    Place(model, { 0, 10, 0, 10 });
    SetAll(model, { 1, 0.5 });
    auto lines = model.Polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), static_cast<std::size_t>(kWidth + 1));
    EXPECT_EQ(lines[0].front().x, kLeft);
    EXPECT_EQ(lines[0].front().y, Wy(40));
    EXPECT_EQ(lines[0].back().x, kLeft + kWidth);
    // A sinus taller than the area leaves it at every crest and trough.
    TMdlSinus s;
    Place(s, { 0, 10, -1, 1 });
    SetAll(s, { 0, 2, 2 * kPi / 5, 0 }); // two periods: visible around t = 0, 2.5, 5, 7.5 and 10
    lines = s.Polylines();
    EXPECT_EQ(lines.size(), 5u);
    for (const auto& line : lines)
        for (const auto& pt : line) {
            EXPECT_GE(pt.y, kTop);
            EXPECT_LE(pt.y, kTop + kHeight);
        }
}

} // namespace
} // namespace kinoval::modelling
