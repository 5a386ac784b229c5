#include "core/modelling/damped_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace kinoval::modelling {
namespace {

constexpr double kPi = std::numbers::pi;

struct TSeries {
    std::vector<double> t, y;
};

template <typename F> TSeries Sample(F f, double t0, double t1, int count, double noise = 0, unsigned seed = 1)
{
    TSeries s;
    std::mt19937 rng(seed);
    std::normal_distribution<double> gauss(0, noise > 0 ? noise : 1);
    for (int i = 0; i < count; ++i) {
        const double t = t0 + (t1 - t0) * i / (count - 1);
        s.t.push_back(t);
        s.y.push_back(f(t) + (noise > 0 ? gauss(rng) : 0));
    }
    return s;
}

TEST(DampedFit, ExactExponentialRecovered)
{
    const TSeries s = Sample([](double t) { return 2 + 3 * std::exp(-0.5 * t); }, 0, 10, 50);
    const TDampedFitResult fit = DampedFit(s.t, s.y, kDampedExponential);
    ASSERT_EQ(fit.parameters.size(), 3u);
    EXPECT_NEAR(fit.parameters[0], 2, 1e-6);
    EXPECT_NEAR(fit.parameters[1], 3, 1e-6);
    EXPECT_NEAR(fit.parameters[2], -0.5, 1e-6);
}

TEST(DampedFit, ExponentialStartingValuesFollowTheShapeOfTheSeries)
{
    // Strongly rising: the upper half climbs more than the lower one, so growth (c = +1) from y[0].
    TSeries s = Sample([](double t) { return std::exp(t); }, 0, 4, 9);
    std::vector<double> p = DampedStartingValues(kDampedExponential, s.t, s.y);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], s.y[0]);
    EXPECT_EQ(p[1], s.y[8] - s.y[0]);
    EXPECT_EQ(p[2], 1);
    // Rising towards an asymptote: decay (c = -1) from the last value.
    s = Sample([](double t) { return 5 - 5 * std::exp(-t); }, 0, 4, 9);
    p = DampedStartingValues(kDampedExponential, s.t, s.y);
    EXPECT_EQ(p[0], s.y[8]);
    EXPECT_EQ(p[1], s.y[0] - s.y[8]);
    EXPECT_EQ(p[2], -1);
    // Falling and flattening (a discharge, a cooling): decay towards the last value with a positive
    // amplitude, so that the starting curve falls like the data.
    s = Sample([](double t) { return 1 + 4 * std::exp(-t); }, 0, 4, 9);
    p = DampedStartingValues(kDampedExponential, s.t, s.y);
    EXPECT_EQ(p[0], s.y[8]);
    EXPECT_EQ(p[1], s.y[0] - s.y[8]);
    EXPECT_EQ(p[2], -1);
    // Falling ever faster: growth with a negative amplitude.
    s = Sample([](double t) { return 10 - std::exp(t); }, 0, 2, 9);
    p = DampedStartingValues(kDampedExponential, s.t, s.y);
    EXPECT_EQ(p[0], s.y[0]);
    EXPECT_EQ(p[1], s.y[8] - s.y[0]);
    EXPECT_EQ(p[2], 1);
    // In every case the starting curve moves the same way as the data between the first and last point.
    for (const auto& f : { +[](double t) { return 1 + 4 * std::exp(-t); }, +[](double t) { return 10 - std::exp(t); },
             +[](double t) { return std::exp(t); }, +[](double t) { return 5 - 5 * std::exp(-t); } }) {
        s = Sample(f, 0, 3, 9);
        p = DampedStartingValues(kDampedExponential, s.t, s.y);
        const double start = p[0] + p[1] * std::exp(p[2] * s.t[0]), end = p[0] + p[1] * std::exp(p[2] * s.t[8]);
        EXPECT_EQ(end > start, s.y[8] > s.y[0]);
    }
}

TEST(DampedFit, ChiSquareIsCappedAndNaNCountsAsTheCap)
{
    const std::vector<double> t = { 0, 1, 2 };
    EXPECT_EQ(ChiSquare(kDampedExponential, { 0, 0, 0 }, t, { 1e15, 1e15, 0 }), kChiSquareCap);
    EXPECT_EQ(ChiSquare(kDampedExponential, { 0, 1, 1000 }, t, { 0, 0, 0 }), kChiSquareCap); // exp overflows
    EXPECT_EQ(ChiSquare(kDampedExponential, { 0, 0, 0 }, t, { NAN, 0, 0 }), kChiSquareCap);
    EXPECT_DOUBLE_EQ(ChiSquare(kDampedExponential, { 1, 0, 0 }, t, { 1, 2, 4 }), 0 + 1 + 9);
}

TEST(DampedFit, PureSinusOverWholePeriodsKeepsTheOffset)
{
    // Three whole periods; the samples include the crests and troughs exactly.
    const double a = 1.5, w = 2 * kPi, phi = 0.3, off = 0.7;
    const TSeries s = Sample([&](double t) { return off + a * std::sin(w * t + phi); }, 0, 3, 301);
    double ymax = -1e100, ymin = 1e100;
    for (double v : s.y) {
        ymax = std::max(ymax, v);
        ymin = std::min(ymin, v);
    }
    const TDampedFitResult fit = DampedFit(s.t, s.y, kDampedSinus);
    ASSERT_EQ(fit.parameters.size(), 4u);
    EXPECT_EQ(fit.parameters[0], (ymax + ymin) / 2); // held, not fitted
    EXPECT_NEAR(fit.parameters[1], a, 1e-3);
    EXPECT_NEAR(fit.parameters[2], w, 1e-4);
    EXPECT_NEAR(std::remainder(fit.parameters[3] - phi, 2 * kPi), 0, 1e-3);
}

TEST(DampedFit, HalfPeriodEstimate)
{
    // Sign changes between t = 0.5..1 (middle 0.75) and 2.5..3 (middle 2.75): half period 2.
    const std::vector<double> t = { 0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5 };
    const std::vector<double> c = { 1, 1, -1, -1, -1, -1, 1, 1 };
    EXPECT_DOUBLE_EQ(HalfPeriodPulsation(t, c, 9), kPi / 2);
    EXPECT_EQ(HalfPeriodPulsation(t, { 1, 1, 1, -1, -1, -1, -1, -1 }, 9), 9); // one change only
    EXPECT_EQ(HalfPeriodPulsation({ 0, 0, 0 }, { 1, -1, 1 }, 9), 9); // zero distance
}

TEST(DampedFit, HalfPeriodEstimateIgnoresNoiseAtACrossing)
{
    // The ordinates flicker across zero around t = 1 before settling: one crossing, not three.
    const std::vector<double> t = { 0, 0.5, 0.9, 0.95, 1.0, 1.05, 1.5, 2, 2.5, 3, 3.5 };
    const std::vector<double> c = { 1, 0.8, 0.02, -0.03, 0.01, -0.5, -1, -0.6, 0.7, 1, 0.9 };
    // Crossings between 0.5 and 1.05 (middle 0.775) and between 2 and 2.5 (middle 2.25).
    EXPECT_DOUBLE_EQ(HalfPeriodPulsation(t, c, 9), kPi / (2.25 - 0.775));
}

TEST(DampedFit, DenseNoisyDampedSinusFindsItsPulsation)
{
    // 5 000 points with noise comparable to the change between two samples at a crossing.
    const auto f = [](double t) { return 2 * std::sin(3 * t + 1) * std::exp(-0.1 * t); };
    const TSeries s = Sample(f, 0, 10, 5000, 0.01, 42);
    const TDampedFitResult fit = DampedFit(s.t, s.y, kDampedSinusExp);
    ASSERT_EQ(fit.parameters.size(), 5u);
    EXPECT_NEAR(fit.parameters[2], 3, 0.01);
    EXPECT_NEAR(fit.parameters[4], -0.1, 0.01);
}

TEST(DampedFit, RepairKeepsTheCurveWhenSignsComeOutNegative)
{
    const std::vector<double> t = { 0, 1, 2, 3 };
    const std::vector<double> centred = { 0.5, -2, 1, 0 };
    for (const std::vector<double>& bad : { std::vector<double> { 1, -2, 3, 0.4 },
             std::vector<double> { 1, 2, -3, 0.4 }, std::vector<double> { 1, -2, -3, 0.4, -0.1 } }) {
        std::vector<double> fixed = bad;
        RepairSinusParameters(fixed, t, centred);
        EXPECT_GT(fixed[1], 0);
        EXPECT_GT(fixed[2], 0);
        for (double x : { 0.0, 0.37, 1.2, 2.9 })
            EXPECT_NEAR(fixed[1] * std::sin(fixed[2] * x + fixed[3]), bad[1] * std::sin(bad[2] * x + bad[3]), 1e-12);
    }
    std::vector<double> zero = { 1, 0, 0, 0 };
    RepairSinusParameters(zero, t, centred);
    EXPECT_EQ(zero[1], 1); // |max of the centred ordinates|
    EXPECT_DOUBLE_EQ(zero[2], kPi); // sign changes around t = 0.5 and 1.5: half period 1
}

TEST(DampedFit, CannotStartWithoutTwoDistinctAbscissae)
{
    EXPECT_TRUE(DampedFit({ 1 }, { 2 }, kDampedExponential).parameters.empty());
    EXPECT_TRUE(DampedFit({ 1, 1, 1 }, { 2, 3, 4 }, kDampedSinus).parameters.empty());
    EXPECT_TRUE(DampedFit({ 1, 2, 3 }, { 2, 3, 4 }, 5).parameters.empty());
    EXPECT_EQ(DampedFit({ 1, 1 }, { 2, 3 }, kDampedSinusExp).endCode, kDampedCannotStart);
}

TEST(DampedFit, FlatSeriesEndsSingularAndKeepsTheStart)
{
    // A constant series has no amplitude: the pulsation and phase columns vanish.
    const TSeries s = Sample([](double) { return 4.0; }, 0, 5, 20);
    const TDampedFitResult fit = DampedFit(s.t, s.y, kDampedSinus);
    EXPECT_EQ(fit.endCode, kDampedSingular);
    ASSERT_EQ(fit.parameters.size(), 4u);
    EXPECT_EQ(fit.parameters[0], 4);
}

TEST(DampedFit, NoisyModelsRecoverTheirParameters)
{
    // Noise of 1 % of the amplitude; tolerances of a few per cent on every fitted parameter.
    {
        const TSeries s = Sample([](double t) { return -1 + 4 * std::exp(-0.8 * t); }, 0, 6, 200, 0.04, 7);
        const auto p = DampedFit(s.t, s.y, kDampedExponential).parameters;
        ASSERT_EQ(p.size(), 3u);
        EXPECT_NEAR(p[0], -1, 0.05);
        EXPECT_NEAR(p[1], 4, 0.08);
        EXPECT_NEAR(p[2], -0.8, 0.03);
    }
    {
        const TSeries s = Sample([](double t) { return 0.2 + 2 * std::sin(3 * t + 1); }, 0, 10, 400, 0.02, 8);
        const auto p = DampedFit(s.t, s.y, kDampedSinus).parameters;
        ASSERT_EQ(p.size(), 4u);
        EXPECT_NEAR(p[0], 0.2, 0.05);
        EXPECT_NEAR(p[1], 2, 0.05);
        EXPECT_NEAR(p[2], 3, 0.01);
        EXPECT_NEAR(std::remainder(p[3] - 1, 2 * kPi), 0, 0.05);
    }
    {
        const TSeries s
            = Sample([](double t) { return 1 + 2 * std::sin(4 * t + 0.5) * std::exp(-0.2 * t); }, 0, 10, 500, 0.02, 9);
        const auto p = DampedFit(s.t, s.y, kDampedSinusExp).parameters;
        ASSERT_EQ(p.size(), 5u);
        EXPECT_NEAR(p[0], 1, 0.1); // the held offset is the mean, close to but not exactly the centre
        EXPECT_NEAR(p[1], 2, 0.1);
        EXPECT_NEAR(p[2], 4, 0.02);
        EXPECT_NEAR(std::remainder(p[3] - 0.5, 2 * kPi), 0, 0.1);
        EXPECT_NEAR(p[4], -0.2, 0.02);
    }
    {
        const auto f = [](double t) { return 2 * std::sin(4 * t + 0.5) * (1 - 0.08 * t); };
        const TSeries s = Sample(f, 0, 10, 500, 0.02, 10);
        const auto p = DampedFit(s.t, s.y, kDampedSinusLin).parameters;
        ASSERT_EQ(p.size(), 5u);
        EXPECT_NEAR(p[1], 2, 0.1);
        EXPECT_NEAR(p[2], 4, 0.02);
        EXPECT_NEAR(std::remainder(p[3] - 0.5, 2 * kPi), 0, 0.1);
        EXPECT_NEAR(p[4], -0.08, 0.01);
    }
}

TEST(DampedFit, LinearlyDampedSinusStopsAtItsLastTurningPoint)
{
    const double a = 1, w = 2 * kPi, phi = 0.2, k = -0.1; // envelope vanishes at t = 10
    const double stop = SinusLinStopTime(a, w, phi, k);
    ASSERT_LE(stop, 10);
    EXPECT_GT(stop, 10 - 0.5); // within the last half period
    const auto slope = [&](double t) { return w * std::cos(w * t + phi) * (1 + k * t) + k * std::sin(w * t + phi); };
    EXPECT_NEAR(slope(stop), 0, 1e-6);
    const std::vector<double> p = { a, w, phi, k };
    EXPECT_EQ(DampedModelValue(kDampedSinusLin, p, 12), DampedModelValue(kDampedSinusLin, p, stop));
    EXPECT_EQ(DampedModelValue(kDampedSinusLin, p, 30), DampedModelValue(kDampedSinusLin, p, stop));
    EXPECT_TRUE(std::isinf(SinusLinStopTime(a, w, phi, 0)));
    EXPECT_TRUE(std::isinf(SinusLinStopTime(a, w, phi, 0.1)));
    EXPECT_EQ(SinusLinStopTime(a, 0, phi, k), 10); // no oscillation: stops where the envelope vanishes
}

} // namespace
} // namespace kinoval::modelling
