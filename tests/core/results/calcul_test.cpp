#include "core/common/tolerance.h"
#include "core/results/calcul.h"
#include "core/results/res_calc.h"
#include "support/fake_measurement_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kinoval::results {
namespace {

using test::TFakeMeasurementSource;
constexpr double pi = std::numbers::pi;
constexpr double kDt = 0.04;

struct TUser {
    double x, y;
};

// The user's axes from picture-axes components, written out from the frame's definition.
TUser ToUser(double px, double py, double angle, bool xDirect, bool yDirect)
{
    TUser u { px * std::cos(angle) + py * std::sin(angle), py * std::cos(angle) - px * std::sin(angle) };
    if (!xDirect)
        u.x = -u.x;
    if (!yDirect)
        u.y = -u.y;
    return u;
}

void Near(double actual, double expected, double rel = 1e-9)
{
    EXPECT_NEAR(actual, expected, rel * std::fabs(expected) + 1e-12);
}

class CalculTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        src.framePeriod = kDt;
        src.fixed.geometry = { 2.0, 1.5, 0.3, false, true };
    }
    TFakeMeasurementSource src;
    TCalcul calc { TMarkSet::Fixed };
};

// ---- Recomputation ----------------------------------------------------------------------------------

TEST_F(CalculTest, NoVideoOrNoScaleStopsAndStaysDirty)
{
    for (int f = 0; f < 5; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.2);
    src.videoOpen = false;
    EXPECT_EQ(calc.Recompute(src), 5);
    EXPECT_TRUE(calc.IsDirty());
    EXPECT_EQ(calc.Rows(), 0);

    src.videoOpen = true;
    for (const TFrameGeometry g :
        { TFrameGeometry { 0.0, 1.0 }, TFrameGeometry { 1.0, -1.0 }, TFrameGeometry { NAN, 1.0 } }) {
        src.fixed.geometry = g;
        EXPECT_EQ(calc.Recompute(src), 4);
        EXPECT_TRUE(calc.IsDirty());
        // Sized to the study, nothing filled: no row shows a mark or a value.
        EXPECT_EQ(calc.Rows(), 5);
        EXPECT_EQ(calc.FrameOf(0, 2), -1);
        EXPECT_EQ(calc.Value(kUserAxes, 0, kQtyX, 2), 0.0);
        EXPECT_EQ(calc.MaxOf(kUserAxes, 0, kQtyX), kEmptyMax);
    }
    src.fixed.geometry = { 2.0, 1.5 };
    EXPECT_EQ(calc.Recompute(src), 0);
    EXPECT_FALSE(calc.IsDirty());
    calc.Invalidate();
    EXPECT_TRUE(calc.IsDirty());
    // A clean calculator whose next pass fails is out of date again.
    ASSERT_EQ(calc.Recompute(src), 0);
    src.videoOpen = false;
    EXPECT_EQ(calc.Recompute(src), 5);
    EXPECT_TRUE(calc.IsDirty());
}

TEST_F(CalculTest, PositionsInUserAndPictureAxes)
{
    src.AddMark(TMarkSet::Fixed, 0, 7, 0.25, -0.1);
    src.AddMark(TMarkSet::Fixed, 0, 8, -0.3, 0.4);
    ASSERT_EQ(calc.Recompute(src), 0);
    const double X[] = { 0.25, -0.3 }, Y[] = { -0.1, 0.4 };
    for (int row = 0; row < 2; ++row) {
        const TUser u = ToUser(X[row] * 2, Y[row] * 1.5, 0.3, false, true);
        Near(calc.Value(kUserAxes, 0, kQtyX, row), u.x);
        Near(calc.Value(kUserAxes, 0, kQtyY, row), u.y);
        Near(calc.Value(kPictureAxes, 0, kQtyX, row), X[row] * 2);
        Near(calc.Value(kPictureAxes, 0, kQtyY, row), Y[row] * 1.5);
        const auto* marks = calc.MarksOf(0);
        ASSERT_NE(marks, nullptr);
        EXPECT_EQ(marks->frame[row], 7.0 + row);
        EXPECT_EQ(marks->pictureX[row], X[row]);
        EXPECT_EQ(marks->pictureY[row], Y[row]);
        Near(marks->x[row], u.x);
    }
    Near(calc.Time(1), kDt);
    EXPECT_EQ(calc.Sx(), 2.0);
    EXPECT_EQ(calc.Sy(), 1.5);
}

TEST_F(CalculTest, QuarterTurnAndFlippedAxes)
{
    // X axis turned to pi/2, both axes direct: a point straight above the origin lies on the x axis.
    src.fixed.geometry = { 2.0, 1.5, pi / 2, true, true };
    src.AddMark(TMarkSet::Fixed, 0, 0, 0.0, 0.4);
    ASSERT_EQ(calc.Recompute(src), 0);
    Near(calc.Value(kUserAxes, 0, kQtyX, 0), 0.4 * 1.5);
    EXPECT_NEAR(calc.Value(kUserAxes, 0, kQtyY, 0), 0.0, 1e-15);
    // Unturned axes, X not direct: opposite x, same y.
    src.fixed.geometry = { 2.0, 1.5, 0.0, true, true };
    src.AddMark(TMarkSet::Fixed, 0, 1, 0.3, 0.2);
    ASSERT_EQ(calc.Recompute(src), 0);
    const double x = calc.Value(kUserAxes, 0, kQtyX, 1), y = calc.Value(kUserAxes, 0, kQtyY, 1);
    src.fixed.geometry.xAxisDirect = false;
    ASSERT_EQ(calc.Recompute(src), 0);
    EXPECT_EQ(calc.Value(kUserAxes, 0, kQtyX, 1), -x);
    EXPECT_EQ(calc.Value(kUserAxes, 0, kQtyY, 1), y);
    src.fixed.geometry.yAxisDirect = false;
    ASSERT_EQ(calc.Recompute(src), 0);
    EXPECT_EQ(calc.Value(kUserAxes, 0, kQtyY, 1), -y);
    EXPECT_EQ(calc.Value(kPictureAxes, 0, kQtyX, 1), 0.6); // the picture version ignores the flags
}

TEST_F(CalculTest, RowsFramesAndExtremesWithGaps)
{
    // Object 0 on frames 10..19, object 1 on every other frame from 12 and on frame 25 alone.
    for (int f = 10; f < 20; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.01 * f, 0.0);
    for (int f : { 12, 14, 16, 25 })
        src.AddMark(TMarkSet::Fixed, 1, f, -0.02 * f, 0.1);
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Rows(), 11);
    EXPECT_EQ(calc.ObjectCount(), 2);
    EXPECT_EQ(calc.MarkCount(0), 10);
    EXPECT_EQ(calc.MarkCount(1), 4);
    Near(calc.Time(10), 15 * kDt);
    EXPECT_EQ(calc.Time(11), 0.0);
    EXPECT_EQ(calc.Time(-1), 0.0);
    EXPECT_EQ(calc.FrameOf(1, 2), 12);
    EXPECT_EQ(calc.FrameOf(1, 3), -1);
    EXPECT_EQ(calc.FrameOf(0, 10), -1);
    EXPECT_EQ(calc.FrameOf(2, 0), 0); // object out of range
    EXPECT_EQ(calc.FrameOf(0, 11), 0); // row out of range
    EXPECT_EQ(calc.FramesOf(1).size(), 11u);
    EXPECT_TRUE(calc.FramesOf(5).empty());
    EXPECT_EQ(calc.RowIndices()[4], 4);
    // Rows without a mark hold 0, codes 9 and 10 carry nothing, code 0 ignores the object.
    EXPECT_EQ(calc.Value(kUserAxes, 1, kQtyX, 3), 0.0);
    EXPECT_EQ(calc.Value(kUserAxes, 0, 9, 3), 0.0);
    EXPECT_EQ(calc.Value(kUserAxes, 0, 10, 3), 0.0);
    EXPECT_EQ(calc.Value(kUserAxes, 99, kQtyT, 3), calc.Time(3));
    EXPECT_EQ(calc.Value(kUserAxes, 0, kQtyX, 11), 0.0);
    // Extremes over marked rows only: object 1's zeros on unmarked rows do not count.
    const TUser lo = ToUser(-0.02 * 25 * 2, 0.15, 0.3, false, true);
    const TUser hi = ToUser(-0.02 * 12 * 2, 0.15, 0.3, false, true);
    Near(calc.MaxOf(kUserAxes, 1, kQtyX), std::max(lo.x, hi.x));
    Near(calc.MinOf(kUserAxes, 1, kQtyX), std::min(lo.x, hi.x));
    Near(calc.MaxOf(kPictureAxes, 1, kQtyX), -0.48);
    Near(calc.MaxAll(kPictureAxes, kQtyX), 0.38);
    Near(calc.MinAll(kPictureAxes, kQtyX), -1.0);
    Near(calc.MaxOf(kUserAxes, 1, kQtyT), 15 * kDt);
    EXPECT_EQ(calc.MaxOf(kUserAxes, 2, kQtyX), kEmptyMax);
    EXPECT_EQ(calc.MinOf(kUserAxes, -1, kQtyX), kEmptyMin);
    EXPECT_EQ(calc.MaxOf(kUserAxes, 0, 9), kEmptyMax);
    const auto series = calc.Series(kQtyX, kPictureAxes);
    ASSERT_EQ(series.size(), 2u);
    ASSERT_EQ(series[1].size(), 11u);
    Near(series[1][10], -1.0);
    EXPECT_TRUE(calc.Series(10, kUserAxes).empty());
    EXPECT_EQ(calc.Series(kQtyT, kUserAxes)[1], calc.Times());
}

// ---- Derivative pass --------------------------------------------------------------------------------

TEST_F(CalculTest, DeriveCodes)
{
    EXPECT_EQ(calc.Derive(0), 3); // never computed: no object
    ASSERT_EQ(calc.Recompute(src), 0);
    EXPECT_EQ(calc.Derive(3), 3);
    for (int f = 0; f < 6; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.01 * f, 0.0);
    src.AddMark(TMarkSet::Fixed, 1, 2, 0.0, 0.0);
    src.AddMark(TMarkSet::Fixed, 1, 3, 0.0, 0.1);
    ASSERT_EQ(calc.Recompute(src), 0);
    EXPECT_EQ(calc.Derive(0), 2);
    // The first object was done before the second stopped the pass.
    EXPECT_NE(calc.Value(kUserAxes, 0, kQtyV, 2), 0.0);
}

TEST_F(CalculTest, FailureOfOneDerivativeIsNotReportedAsSuccess)
{
    // Two rows on one frame number: the smoothed velocity's fit is singular while the plain
    // acceleration has no fit to fail; the pass must still report the failure.
    TMeasurement& m = src.fixed.measurement;
    m.times = { 0, kDt, kDt, 2 * kDt };
    m.frames = { { 0, 1, 1, 2 } };
    m.X = { { 0.0, 0.5, 0.1, 0.4 } };
    m.Y = { { 0.0, 0.0, 0.0, 0.0 } };
    ASSERT_EQ(calc.Recompute(src), 0);
    EXPECT_EQ(calc.Derive(kSmoothVelocity), 1);
    EXPECT_EQ(calc.Derive(kSmoothAcceleration), 1);
    EXPECT_EQ(calc.Derive(kSmoothVelocity | kSmoothAcceleration), 1);
}

class CalculMotion : public CalculTest, public ::testing::WithParamInterface<int> { };

TEST_P(CalculMotion, UniformMotionVelocityTurnedLikePositions)
{
    for (int f = 0; f < 20; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 + 0.01 * f, -0.2 + 0.005 * f);
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Derive(GetParam()), 0);
    const double vxPic = 0.01 / kDt * 2, vyPic = 0.005 / kDt * 1.5;
    const TUser u = ToUser(vxPic, vyPic, 0.3, false, true);
    for (int row = 0; row < 20; ++row) {
        Near(calc.Value(kPictureAxes, 0, kQtyVx, row), vxPic);
        Near(calc.Value(kPictureAxes, 0, kQtyVy, row), vyPic);
        Near(calc.Value(kUserAxes, 0, kQtyVx, row), u.x);
        Near(calc.Value(kUserAxes, 0, kQtyVy, row), u.y);
        Near(calc.Value(kUserAxes, 0, kQtyV, row), std::hypot(vxPic, vyPic));
        EXPECT_NEAR(calc.Value(kUserAxes, 0, kQtyA, row), 0.0, 1e-9);
    }
    const auto* marks = calc.MarksOf(0);
    Near(marks->vx[5], u.x);
    // Smoothed, a straight motion keeps its local parabolas and damps the (zero) acceleration.
    const bool smoothV = (GetParam() & kSmoothVelocity) != 0, smoothA = (GetParam() & kSmoothAcceleration) != 0;
    for (int axis = 0; axis < 2; ++axis) {
        EXPECT_EQ(marks->velocityBranch[axis], smoothV ? TDerivBranch::LocalParabola : TDerivBranch::Differences);
        EXPECT_EQ(marks->accelerationBranch[axis], smoothA ? TDerivBranch::DampedDiff : TDerivBranch::Differences);
    }
}

TEST_P(CalculMotion, UniformAccelerationTurnedLikePositions)
{
    // Gaps included: frames 0..29 without 7, 8 and 20. Plain or smoothed, a parabola sampled on these
    // frames has an exact acceleration away from the gaps.
    const double cx = 0.0004, cy = -0.0006;
    std::vector<int> frames;
    for (int f = 0; f < 30; ++f)
        if (f != 7 && f != 8 && f != 20)
            frames.push_back(f);
    for (int f : frames)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.01 * f + cx * f * f, 0.3 + cy * f * f);
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Derive(GetParam()), 0);
    const double axPic = 2 * cx / (kDt * kDt) * 2, ayPic = 2 * cy / (kDt * kDt) * 1.5;
    const TUser u = ToUser(axPic, ayPic, 0.3, false, true);
    for (int row = 12; row < 16; ++row) {
        Near(calc.Value(kPictureAxes, 0, kQtyAx, row), axPic);
        Near(calc.Value(kPictureAxes, 0, kQtyAy, row), ayPic);
        Near(calc.Value(kUserAxes, 0, kQtyAx, row), u.x);
        Near(calc.Value(kUserAxes, 0, kQtyAy, row), u.y);
        Near(calc.Value(kUserAxes, 0, kQtyA, row), std::hypot(axPic, ayPic));
        const double f = calc.FrameOf(0, row);
        const double vxPic = (0.01 + 2 * cx * f) / kDt * 2, vyPic = 2 * cy * f / kDt * 1.5;
        const TUser v = ToUser(vxPic, vyPic, 0.3, false, true);
        Near(calc.Value(kUserAxes, 0, kQtyVx, row), v.x);
        Near(calc.Value(kUserAxes, 0, kQtyVy, row), v.y);
    }
    // Smoothed or not, the degree-2 fit passes but the velocity varies: plain differences throughout.
    for (int axis = 0; axis < 2; ++axis) {
        EXPECT_EQ(calc.MarksOf(0)->velocityBranch[axis], TDerivBranch::Differences);
        EXPECT_EQ(calc.MarksOf(0)->accelerationBranch[axis], TDerivBranch::Differences);
    }
}

TEST_P(CalculMotion, CircleSeveralTurnsUnwrapsTheAngle)
{
    // Three turns counterclockwise in the picture, 12 degrees a frame, round the origin.
    src.fixed.geometry = { 1.0, 1.0, 0.0, true, true };
    const double step = 2 * pi / 30, radius = 0.2;
    for (int f = 0; f < 90; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, radius * std::cos(step * f), radius * std::sin(step * f));
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Derive(GetParam()), 0);
    for (int row = 0; row < 90; ++row) {
        Near(calc.Value(kUserAxes, 0, kQtyTheta, row), step * row);
        Near(calc.Value(kUserAxes, 0, kQtyR, row), radius);
        Near(calc.Value(kUserAxes, 0, kQtyOmega, row), step / kDt);
    }
    // The angle grows steadily: smoothed, its local parabolas are exact.
    EXPECT_EQ(calc.MarksOf(0)->omegaBranch,
        (GetParam() & kSmoothVelocity) ? TDerivBranch::LocalParabola : TDerivBranch::Differences);
    EXPECT_GT(calc.MaxOf(kUserAxes, 0, kQtyTheta), 5 * pi);
    // Flipping the x axis turns the motion clockwise: the angle falls steadily instead.
    src.fixed.geometry.xAxisDirect = false;
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Derive(GetParam()), 0);
    for (int row = 1; row < 90; ++row)
        Near(calc.Value(kUserAxes, 0, kQtyTheta, row) - calc.Value(kUserAxes, 0, kQtyTheta, row - 1), -step);
    Near(calc.Value(kUserAxes, 0, kQtyOmega, 45), -step / kDt);
}

INSTANTIATE_TEST_SUITE_P(Smoothing, CalculMotion, ::testing::Values(0, 1, 2, 3));

TEST_F(CalculTest, RestSmoothedGivesDampedAcceleration)
{
    for (int f = 0; f < 20; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.4 + 0.001 * std::sin(f), 0.3);
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Derive(0), 0);
    const double plain = calc.Value(kPictureAxes, 0, kQtyAx, 10);
    ASSERT_EQ(calc.Derive(kSmoothVelocity | kSmoothAcceleration), 0);
    EXPECT_EQ(calc.MarksOf(0)->velocityBranch[0], TDerivBranch::LocalParabola);
    EXPECT_EQ(calc.MarksOf(0)->accelerationBranch[0], TDerivBranch::DampedDiff);
    Near(calc.Value(kPictureAxes, 0, kQtyAx, 10), -0.02 * plain);
    // Smoothing only the velocity leaves the acceleration plain.
    ASSERT_EQ(calc.Derive(kSmoothVelocity), 0);
    Near(calc.Value(kPictureAxes, 0, kQtyAx, 10), plain);
}

// ---- The pair of calculators ------------------------------------------------------------------------

TEST(ResCalc, SelectorsHookAndForwarding)
{
    TFakeMeasurementSource src;
    src.fixed.geometry = { 1.0, 1.0 };
    src.transparent.geometry = { 3.0, 3.0 };
    for (int f = 0; f < 5; ++f) {
        src.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.0);
        src.AddMark(TMarkSet::Transparent, 0, f, 0.2 * f, 0.0);
    }
    TResCalc res(src);
    bool transparent = false;
    EXPECT_TRUE(res.IsDirty(kSelBoth));
    EXPECT_EQ(res.Recompute(kSelCurrent), 0);
    EXPECT_FALSE(res.IsDirty(kSelFixed));
    EXPECT_TRUE(res.IsDirty(kSelTransparent));
    EXPECT_TRUE(res.IsDirty(kSelBoth));
    Near(res.Value(kUserAxes, 0, kQtyX, 2), 0.2); // no hook: the fixed frame is current

    res.SetTransparentModeHook([&transparent] { return transparent; });
    transparent = true;
    EXPECT_TRUE(res.IsDirty(kSelCurrent));
    EXPECT_EQ(res.Recompute(kSelCurrent), 0);
    EXPECT_FALSE(res.IsDirty(kSelBoth));
    Near(res.Value(kUserAxes, 0, kQtyX, 2), 1.2);
    EXPECT_EQ(res.Scale(), std::make_pair(3.0, 3.0));
    EXPECT_EQ(res.Rows(), 5);
    EXPECT_EQ(res.FrameOf(0, 4), 4);

    res.Invalidate(kSelCurrent);
    EXPECT_TRUE(res.IsDirty(kSelTransparent));
    EXPECT_FALSE(res.IsDirty(kSelFixed));
    res.Invalidate(kSelBoth);
    EXPECT_TRUE(res.IsDirty(kSelFixed));
    EXPECT_EQ(res.Recompute(kSelBoth), 0);
    EXPECT_FALSE(res.IsDirty(kSelBoth));

    EXPECT_TRUE(res.Derive(kSelBoth, 3));
    Near(res.Value(kUserAxes, 0, kQtyVx, 1), 0.2 * 3 / src.framePeriod);
    transparent = false;
    Near(res.Value(kUserAxes, 0, kQtyVx, 1), 0.1 / src.framePeriod);

    // One calculator failing fails the pair; the other is still derived.
    src.AddMark(TMarkSet::Transparent, 1, 9, 0.0, 0.0);
    EXPECT_EQ(res.Recompute(kSelBoth), 0);
    EXPECT_FALSE(res.Derive(kSelBoth, 0));
    EXPECT_EQ(res.LastDeriveCode(), 2);
    EXPECT_TRUE(res.Derive(kSelFixed, 0));
    EXPECT_FALSE(res.Derive(kSelTransparent, 0));

    src.transparent.geometry.sx = -1;
    EXPECT_EQ(res.Recompute(kSelBoth), 4);
    EXPECT_TRUE(res.IsDirty(kSelBoth));
    EXPECT_FALSE(res.IsDirty(kSelFixed));
}

// Frames at uneven instants, times from the frames' own timestamps: a uniform motion keeps its speed
// and shows no acceleration, where counting frames at the average period would see both vary.
TEST_F(CalculTest, DerivativesFollowTheFramesOwnTimes)
{
    src.fixed.geometry = { 1.0, 1.0, 0.0, true, true };
    const double times[] = { 0, 0.033, 0.070, 0.100, 0.141, 0.170, 0.204 };
    for (int f = 0; f < 7; ++f)
        src.AddMark(TMarkSet::Fixed, 0, f, 0.5 * times[f], 0.2 - 0.25 * times[f]);
    src.fixed.measurement.timesFromFrames = true;
    for (int f = 0; f < 7; ++f)
        src.fixed.measurement.times[static_cast<std::size_t>(f)] = times[f];
    src.framePeriod = 0.034;
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Derive(0), 0);
    for (int row = 0; row < 7; ++row) {
        Near(calc.Time(row), times[row]);
        Near(calc.Value(kUserAxes, 0, kQtyVx, row), 0.5);
        Near(calc.Value(kUserAxes, 0, kQtyVy, row), -0.25);
        EXPECT_NEAR(calc.Value(kUserAxes, 0, kQtyAx, row), 0, 1e-9);
    }
    // The same marks read as evenly spaced frames give a speed that wanders.
    src.fixed.measurement.timesFromFrames = false;
    ASSERT_EQ(calc.Recompute(src), 0);
    ASSERT_EQ(calc.Derive(0), 0);
    double worst = 0;
    for (int row = 0; row < 7; ++row)
        worst = std::max(worst, std::fabs(calc.Value(kUserAxes, 0, kQtyVx, row) - 0.5));
    EXPECT_GT(worst, 0.02);
}

} // namespace
} // namespace kinoval::results
