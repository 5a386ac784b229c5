#include "core/results/deriv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace kinoval::results {
namespace {

constexpr double kDt = 0.04;

std::vector<double> Frames(int first, int count)
{
    std::vector<double> u;
    for (int i = 0; i < count; ++i)
        u.push_back(first + i);
    return u;
}

std::vector<double> Sample(const std::vector<double>& u, const std::function<double(double)>& f)
{
    std::vector<double> y;
    for (double v : u)
        y.push_back(f(v));
    return y;
}

// The textbook three-point differences on evenly spaced frames, written out independently.
std::vector<double> EvenDifferences(const std::vector<double>& y, double h, double dt)
{
    const std::size_t n = y.size();
    std::vector<double> d(n);
    d[0] = (-3 * y[0] + 4 * y[1] - y[2]) / (2 * h) / dt;
    for (std::size_t i = 1; i + 1 < n; ++i)
        d[i] = (y[i + 1] - y[i - 1]) / (2 * h) / dt;
    d[n - 1] = (y[n - 3] - 4 * y[n - 2] + 3 * y[n - 1]) / (2 * h) / dt;
    return d;
}

void ExpectRelative(
    const std::vector<double>& actual, const std::vector<double>& expected, double rel, double floor = 1e-12)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], rel * std::fabs(expected[i]) + floor) << "at point " << i;
}

void ExpectConstant(const std::vector<double>& actual, double value, double rel, double floor = 1e-12)
{
    ExpectRelative(actual, std::vector<double>(actual.size(), value), rel, floor);
}

// ---- Plain differences (smoothing off) ------------------------------------------------------------

TEST(DerivPlain, UniformMotionExactAndNoAcceleration)
{
    const auto u = Frames(10, 30);
    TDeriv d(u, Sample(u, [](double f) { return 0.2 + 0.013 * f; }), kDt);
    ASSERT_EQ(d.Compute(false), 0);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::Differences);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::Differences);
    EXPECT_EQ(d.FirstLevel(), -1);
    ExpectConstant(d.First(), 0.013 / kDt, 1e-9);
    ExpectConstant(d.Second(), 0.0, 0, 1e-9);
}

TEST(DerivPlain, UniformAccelerationExactAtEveryPoint)
{
    // The one-sided and the centred three-point formulas are exact on a parabola.
    const double c = 0.0007;
    const auto u = Frames(0, 25);
    TDeriv d(u, Sample(u, [c](double f) { return 0.1 + 0.01 * f + c * f * f; }), kDt);
    ASSERT_EQ(d.Compute(false), 0);
    std::vector<double> v;
    for (double f : u)
        v.push_back((0.01 + 2 * c * f) / kDt);
    ExpectRelative(d.First(), v, 1e-9);
    ExpectConstant(d.Second(), 2 * c / (kDt * kDt), 1e-9);
}

TEST(DerivPlain, ExactlyThreeMarks)
{
    // y = 1.5 u² - 0.5 u on frames 0, 1, 2 with a period of 1 s.
    TDeriv d({ 0, 1, 2 }, { 0, 1, 5 }, 1.0);
    ASSERT_EQ(d.Compute(false), 0);
    ExpectRelative(d.First(), { -0.5, 2.5, 5.5 }, 1e-12);
    ExpectRelative(d.Second(), { 3, 3, 3 }, 1e-12);
}

TEST(DerivPlain, WithoutATimeBaseOrOnOneInstantSpeedsAreNotNumbers)
{
    // Not infinities (or a division by zero under the sanitizers): the table then shows "#Nombre!".
    TDeriv still({ 0, 1, 2, 3 }, { 0, 1, 4, 9 }, 0.0);
    ASSERT_EQ(still.Compute(false), 0);
    for (double v : still.First())
        EXPECT_TRUE(std::isnan(v));
    TDeriv twice({ 0, 1, 1, 2 }, { 0, 1, 2, 3 }, 1.0);
    twice.Compute(false);
    for (double v : twice.First())
        EXPECT_FALSE(std::isinf(v));
}

TEST(DerivPlain, FewerThanThreeMarksComputesNothing)
{
    TDeriv two({ 0, 1 }, { 0.1, 0.2 }, kDt);
    EXPECT_EQ(two.Compute(false), 2);
    EXPECT_EQ(two.Compute(true), 2);
    EXPECT_EQ(two.FirstBranch(), TDerivBranch::None);
    TDeriv none({}, {}, kDt);
    EXPECT_EQ(none.Compute(true), 2);
    // Arrays of different lengths use their common points only.
    TDeriv uneven({ 0, 1, 2, 3 }, { 0.1, 0.2 }, kDt);
    EXPECT_EQ(uneven.Compute(false), 2);
}

TEST(DerivPlain, MissingFramesKeepUniformSpeedsExact)
{
    // Frames missing next to both ends and inside: the speed must not depend on where the gaps are.
    const std::vector<double> u = { 3, 4, 6, 7, 10, 11, 12, 15, 16, 18 };
    TDeriv d(u, Sample(u, [](double f) { return 0.9 - 0.02 * f; }), kDt);
    ASSERT_EQ(d.Compute(false), 0);
    ExpectConstant(d.First(), -0.02 / kDt, 1e-9);
    ExpectConstant(d.Second(), 0.0, 0, 1e-9);
    // With smoothing the line is fitted exactly by local parabolas, whatever the spacing.
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::LocalParabola);
    ExpectConstant(d.First(), -0.02 / kDt, 1e-9);
}

TEST(DerivPlain, MissingFramesAtTheEndsExactOnAParabola)
{
    // The end formulas take the real spacing: on a parabola they give the exact slope.
    const std::vector<double> u = { 0, 1, 3, 4, 5, 8 };
    const double c = 0.003;
    TDeriv d(u, Sample(u, [c](double f) { return c * f * f; }), kDt);
    ASSERT_EQ(d.Compute(false), 0);
    EXPECT_NEAR(d.First().front(), 0.0, 1e-12);
    EXPECT_NEAR(d.First().back(), 2 * c * 8 / kDt, 1e-9 * 2 * c * 8 / kDt);
    // Interior points use the centred difference over their neighbours: (y[i+1] - y[i-1]) / (u[i+1] - u[i-1]).
    EXPECT_NEAR(d.First()[1], c * (9 - 0) / 3 / kDt, 1e-12);
    EXPECT_NEAR(d.First()[4], c * (64 - 16) / 4 / kDt, 1e-12);
}

// ---- Smoothing ladders ------------------------------------------------------------------------------

TEST(DerivSmooth, RestTakesLocalParabolaAndDampedAcceleration)
{
    const auto u = Frames(0, 40);
    const auto y = Sample(u, [](double f) { return 0.5 + 0.004 * std::sin(0.7 * f); });
    TDeriv d(u, y, kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 0);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::LocalParabola);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::DampedDiff);
    // On evenly spaced frames the local parabolas give the three-point differences.
    const auto first = EvenDifferences(y, 1, kDt);
    ExpectRelative(d.First(), first, 1e-9, 1e-13);
    auto second = EvenDifferences(first, 1, kDt);
    for (double& v : second)
        v *= -0.02;
    ExpectRelative(d.Second(), second, 1e-9, 1e-12);
}

TEST(DerivSmooth, StillSeriesHasZeroDerivatives)
{
    const auto u = Frames(5, 12);
    TDeriv d(u, std::vector<double>(12, 0.37), kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 0);
    ExpectConstant(d.First(), 0, 0, 1e-12);
    ExpectConstant(d.Second(), 0, 0, 1e-10);
}

TEST(DerivSmooth, UniformAccelerationFallsBackToDifferencesWhenSpeedVaries)
{
    // The parabola passes at degree 2; its velocity varies (spread >= 0.1 per second), so both
    // derivatives are recomputed from plain differences, which are exact on a parabola.
    const double c = 0.001;
    const auto u = Frames(0, 50);
    TDeriv d(u, Sample(u, [c](double f) { return 0.05 + c * f * f; }), kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 1);
    EXPECT_EQ(d.SecondLevel(), 0);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::Differences);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::Differences);
    std::vector<double> v;
    for (double f : u)
        v.push_back(2 * c * f / kDt);
    ExpectRelative(d.First(), v, 1e-9);
    ExpectConstant(d.Second(), 2 * c / (kDt * kDt), 1e-9);
}

TEST(DerivSmooth, UniformMotionKeepsParabolasAndDampsAcceleration)
{
    // A line: degree 2 passes, the velocity is constant (spread 0), so the acceleration is the damped
    // differences of an exact constant velocity, i.e. 0.
    const auto u = Frames(0, 30);
    TDeriv d(u, Sample(u, [](double f) { return 0.1 + 0.02 * f; }), kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 1);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::LocalParabola);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::DampedDiff);
    ExpectConstant(d.First(), 0.02 / kDt, 1e-9);
    ExpectConstant(d.Second(), 0, 0, 1e-9);
}

TEST(DerivSmooth, SlowAccelerationIsDampedLikeRest)
{
    // Positions spread enough to be a motion, but a velocity spread below 0.1 per second: the ladder
    // treats the velocity as steady and keeps only -0.02 x its differences.
    const double c = 1e-5;
    const auto u = Frames(0, 100);
    TDeriv d(u, Sample(u, [c](double f) { return c * f * f; }), kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 1);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::LocalParabola);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::DampedDiff);
    ExpectConstant(d.Second(), -0.02 * 2 * c / (kDt * kDt), 1e-9);
}

// s runs over [-1, 1] across frames 0..50.
double S(double f)
{
    return (f - 25) / 25;
}

TEST(DerivSmooth, CubicTakesTheBlendAndSecondFromLocalParabolas)
{
    const auto u = Frames(0, 51);
    const auto y = Sample(u, [](double f) { return 0.5 * std::pow(S(f), 3); });
    TDeriv d(u, y, kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 2);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::Blend);
    // P' is the exact slope (degree 3 fits the cubic), D the differences; blend = P' + 0.02 (P' - D).
    const auto diff = EvenDifferences(y, 1, kDt);
    std::vector<double> blend;
    for (std::size_t i = 0; i < u.size(); ++i) {
        const double exact = 1.5 * S(u[i]) * S(u[i]) / 25 / kDt;
        blend.push_back(exact + 0.02 * (exact - diff[i]));
    }
    ExpectRelative(d.First(), blend, 1e-9, 1e-12);
    // The velocity is nearly a parabola: degree 2 passes and local parabolas give the acceleration.
    EXPECT_EQ(d.SecondLevel(), 1);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::LocalParabola);
    ExpectRelative(d.Second(), EvenDifferences(d.First(), 1, kDt), 1e-9, 1e-10);
}

TEST(DerivSmooth, QuarticBlendsAtDegreeFourAndSecondFromPolynomialAlone)
{
    const auto u = Frames(0, 51);
    const auto y = Sample(u, [](double f) { return 0.3 * std::pow(S(f), 4); });
    TDeriv d(u, y, kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 3);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::Blend);
    const auto diff = EvenDifferences(y, 1, kDt);
    for (std::size_t i = 0; i < u.size(); ++i) {
        const double exact = 1.2 * std::pow(S(u[i]), 3) / 25 / kDt;
        EXPECT_NEAR(d.First()[i], exact + 0.02 * (exact - diff[i]), 1e-9 * std::fabs(exact) + 1e-12);
    }
    // The velocity is an odd cubic: degree 2 misses it, degree 3 passes, and the acceleration is the
    // slope of that cubic alone, close to the exact 3.6 s² / 25² / dt².
    EXPECT_EQ(d.SecondLevel(), 2);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::Polynomial);
    for (std::size_t i = 0; i < u.size(); ++i) {
        const double exact = 3.6 * S(u[i]) * S(u[i]) / 625 / (kDt * kDt);
        EXPECT_NEAR(d.Second()[i], exact, 0.03 * 3.6 / 625 / (kDt * kDt)) << i;
    }
}

TEST(DerivSmooth, OscillationBeyondDegreeFiveFallsBackToDifferences)
{
    const auto u = Frames(0, 61);
    const auto y = Sample(u, [](double f) { return 0.1 * std::sin(std::numbers::pi * f / 10); });
    TDeriv d(u, y, kDt);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 4);
    EXPECT_EQ(d.SecondLevel(), 4);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::Differences);
    EXPECT_EQ(d.SecondBranch(), TDerivBranch::Differences);
    const auto first = EvenDifferences(y, 1, kDt);
    ExpectRelative(d.First(), first, 1e-9, 1e-13);
    ExpectRelative(d.Second(), EvenDifferences(first, 1, kDt), 1e-9, 1e-10);
}

TEST(DerivSmooth, ThreeMarksSmoothed)
{
    // Three points: the degree-2 fit is exact, the local parabola is the one parabola through them.
    TDeriv d({ 0, 1, 2 }, { 0, 0.1, 0.5 }, 1.0);
    ASSERT_EQ(d.Compute(true), 0);
    EXPECT_EQ(d.FirstLevel(), 1);
    // y = 0.15 u² - 0.05 u: velocity -0.05, 0.25, 0.55 (spread above 0.1): both from plain differences.
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::Differences);
    ExpectRelative(d.First(), { -0.05, 0.25, 0.55 }, 1e-12);
    ExpectRelative(d.Second(), { 0.3, 0.3, 0.3 }, 1e-12);
}

TEST(DerivSmooth, FailedFitPassesItsCodeOn)
{
    // Repeated frame numbers cannot fix a parabola: the fit's code comes out unchanged.
    TDeriv d({ 0, 0, 1, 1 }, { 0.0, 0.5, 0.1, 0.4 }, kDt);
    EXPECT_EQ(d.Compute(true), 1);
    EXPECT_EQ(d.FirstBranch(), TDerivBranch::None);
    // An awkward but valid spacing is not taken for a singular system.
    TDeriv far({ 0, 1, 2, 3, 3000, 3001 }, { 0, 0.1, 0.2, 0.3, 0.5, 0.6 }, kDt);
    EXPECT_EQ(far.Compute(true), 0);
}

TEST(DerivGoodness, ShareOfTheSpread)
{
    EXPECT_DOUBLE_EQ(TDeriv::Goodness({ 1, -1 }, { 0.5, -0.5 }), 0.25);
    EXPECT_DOUBLE_EQ(TDeriv::Goodness({ 0, 0 }, { 0.1, 0.2 }), 0.0);
    EXPECT_DOUBLE_EQ(RootMeanSquare(Centred({ 1, 3 })), 1.0);
    EXPECT_DOUBLE_EQ(RootMeanSquare({}), 0.0);
}

} // namespace
} // namespace kinoval::results
