#include "core/modelling/least_squares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kinoval::modelling {
namespace {

TEST(PolynomialFit, RefusedInputsGiveTheirCodes)
{
    TPolynomialFit fit;
    EXPECT_EQ(PolynomialFit(0, 2, {}, {}, fit), kFitTooFewPoints);
    EXPECT_EQ(PolynomialFit(0, 2, { 1.0 }, { 2.0 }, fit), kFitTooFewPoints);
    // Arrays of different lengths: only the common points count.
    EXPECT_EQ(PolynomialFit(0, 2, { 1.0, 2.0, 3.0 }, { 2.0 }, fit), kFitTooFewPoints);
    EXPECT_EQ(PolynomialFit(0, 0, { 1.0, 2.0 }, { 2.0, 3.0 }, fit), kFitNoCoefficient);
    EXPECT_EQ(PolynomialFit(0, -1, { 1.0, 2.0 }, { 2.0, 3.0 }, fit), kFitNoCoefficient);
    EXPECT_EQ(PolynomialFit(0, 2, { 5.0, 5.0, 5.0 }, { 1.0, 2.0, 3.0 }, fit), kFitEqualAbscissae);
    EXPECT_EQ(PolynomialFit(1, 2, { 1.0, 2.0 }, { 2.0, 3.0 }, fit), kFitUnsupportedMode);
    EXPECT_EQ(PolynomialFit(0, 2, { NAN, 1.0 }, { 1.0, 2.0 }, fit), kFitEqualAbscissae);
}

TEST(PolynomialFit, TooFewDistinctAbscissaeIsSingular)
{
    // Three points on two abscissae cannot fix a parabola; rounding must not pass for a solution.
    TPolynomialFit fit;
    EXPECT_EQ(PolynomialFit(0, 3, { 0.0, 0.0, 1.0 }, { 1.0, 2.0, 3.0 }, fit), kFitSingular);
    EXPECT_EQ(PolynomialFit(0, 4, { 0.0, 1.0, 1.0, 2.0, 2.0 }, { 1.0, 2.0, 3.0, 3.0, 1.0 }, fit), kFitSingular);
    EXPECT_EQ(
        PolynomialFit(0, 6, { 100.0, 101, 101, 102, 102, 103, 103, 104, 104 }, { 1.0, 2, 3, 3, 1, 5, 6, 7, 8 }, fit),
        kFitSingular);
    // Clustered but distinct abscissae still fit: six points, six coefficients, an exact quintic.
    EXPECT_EQ(PolynomialFit(0, 6, { 0.0, 1, 2, 3, 3000, 3001 }, { 0.0, 0.1, 0.2, 0.3, 0.5, 0.6 }, fit), kFitOk);
    // A NaN ordinate poisons the system rather than returning garbage as a success.
    EXPECT_EQ(PolynomialFit(0, 2, { 0.0, 1.0, 2.0 }, { 0.0, NAN, 1.0 }, fit), kFitOk);
    EXPECT_TRUE(std::isnan(fit.coefficients[0]));
}

TEST(PolynomialFit, TwoPointsAndThreeCoefficientsGiveTheMean)
{
    TPolynomialFit fit;
    ASSERT_EQ(PolynomialFit(0, 3, { 1.0, 4.0 }, { 2.0, 7.0 }, fit), kFitOk);
    EXPECT_EQ(fit.m, 1);
    ASSERT_EQ(fit.coefficients.size(), 1u);
    EXPECT_DOUBLE_EQ(fit.coefficients[0], 4.5);
    EXPECT_DOUBLE_EQ(fit.fitted[0], 4.5);
    EXPECT_DOUBLE_EQ(fit.residuals[1], 2.5);
    EXPECT_DOUBLE_EQ(fit.residualSum, 12.5);
    EXPECT_DOUBLE_EQ(fit.standardDeviation, std::sqrt(12.5));
}

TEST(PolynomialFit, LineThroughNoisyPointsMatchesClosedForm)
{
    const std::vector<double> t = { 0, 1, 2, 3, 4 };
    const std::vector<double> y = { 1.1, 2.9, 5.2, 6.8, 9.1 };
    // Closed-form simple regression.
    double st = 0, sy = 0, stt = 0, sty = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        st += t[i];
        sy += y[i];
        stt += t[i] * t[i];
        sty += t[i] * y[i];
    }
    const double n = 5;
    const double slope = (n * sty - st * sy) / (n * stt - st * st);
    const double intercept = (sy - slope * st) / n;
    TPolynomialFit fit;
    ASSERT_EQ(PolynomialFit(0, 2, t, y, fit), kFitOk);
    EXPECT_NEAR(fit.coefficients[0], intercept, 1e-12);
    EXPECT_NEAR(fit.coefficients[1], slope, 1e-12);
    double s = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double r = y[i] - intercept - slope * t[i];
        EXPECT_NEAR(fit.residuals[i], r, 1e-12);
        EXPECT_NEAR(fit.fitted[i] + fit.residuals[i], y[i], 1e-14);
        s += r * r;
    }
    EXPECT_NEAR(fit.residualSum, s, 1e-12);
    EXPECT_NEAR(fit.standardDeviation, std::sqrt(s / 3), 1e-12);
    EXPECT_NEAR(fit.ValueAt(2.5), intercept + slope * 2.5, 1e-12);
    EXPECT_NEAR(fit.DerivativeAt(2.5), slope, 1e-12);
}

TEST(PolynomialFit, ExactPointsCountGivesZeroDeviation)
{
    TPolynomialFit fit;
    ASSERT_EQ(PolynomialFit(0, 3, { -1.0, 0.0, 2.0 }, { 3.0, 1.0, 9.0 }, fit), kFitOk);
    // y = 1 + 0·t + 2·t²
    EXPECT_NEAR(fit.coefficients[0], 1, 1e-13);
    EXPECT_NEAR(fit.coefficients[1], 0, 1e-13);
    EXPECT_NEAR(fit.coefficients[2], 2, 1e-13);
    EXPECT_EQ(fit.standardDeviation, 0.0);
}

double Quintic(double t)
{
    return 0.3 - 1.5 * t + 0.25 * t * t + 2 * t * t * t - 0.75 * std::pow(t, 4) + 0.125 * std::pow(t, 5);
}
double QuinticSlope(double t)
{
    return -1.5 + 0.5 * t + 6 * t * t - 3 * std::pow(t, 3) + 0.625 * std::pow(t, 4);
}

TEST(PolynomialFit, HighDegreeRecoveredWithValuesAndSlopes)
{
    std::vector<double> t, y;
    for (int i = 0; i <= 40; ++i) {
        t.push_back(-2 + 0.1 * i);
        y.push_back(Quintic(t.back()));
    }
    TPolynomialFit fit;
    ASSERT_EQ(PolynomialFit(0, 6, t, y, fit), kFitOk);
    const double expected[] = { 0.3, -1.5, 0.25, 2, -0.75, 0.125 };
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(fit.coefficients[k], expected[k], 1e-11) << k;
    for (double x : { -2.0, -0.35, 0.0, 1.7, 2.0 }) {
        EXPECT_NEAR(fit.ValueAt(x), Quintic(x), 1e-11);
        EXPECT_NEAR(fit.DerivativeAt(x), QuinticSlope(x), 1e-10);
    }
    EXPECT_LT(fit.standardDeviation, 1e-12);
}

TEST(PolynomialFit, ParabolaFarFromTheOriginRecoveredToRounding)
{
    // y = 2 + 3·(t - t0) + 0.5·(t - t0)², t around 1e6: in powers of t the coefficients are
    // c2 = 0.5, c1 = 3 - t0, c0 = 2 - 3·t0 + 0.5·t0².
    const double t0 = 1e6;
    std::vector<double> t, y;
    for (int i = 0; i < 50; ++i) {
        const double d = 0.37 * i - 4;
        t.push_back(t0 + d);
        y.push_back(2 + 3 * d + 0.5 * d * d);
    }
    TPolynomialFit fit;
    ASSERT_EQ(PolynomialFit(0, 3, t, y, fit), kFitOk);
    // The abscissae themselves carry a rounding of 1e6 x 1e-16 on a span of 18, so about 1e-11 relative is
    // what any method can give; an unscaled power-basis system would not even be solvable here.
    EXPECT_NEAR(fit.coefficients[2], 0.5, 0.5 * 1e-10);
    EXPECT_NEAR(fit.coefficients[1], 3 - t0, t0 * 1e-10);
    const double c0 = 2 - 3 * t0 + 0.5 * t0 * t0;
    EXPECT_NEAR(fit.coefficients[0], c0, c0 * 1e-10);
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_NEAR(fit.fitted[i], y[i], 1e-8);
        const double d = t[i] - t0;
        EXPECT_NEAR(fit.DerivativeAt(t[i]), 3 + d, 1e-8);
    }
    EXPECT_LT(fit.standardDeviation, 1e-8);
}

TEST(PolynomialFit, ResultDoesNotDependOnPointOrder)
{
    const std::vector<double> t = { 3, 0, 4, 1, 2 };
    const std::vector<double> y = { 6.8, 1.1, 9.1, 2.9, 5.2 };
    TPolynomialFit a, b;
    ASSERT_EQ(PolynomialFit(0, 2, t, y, a), kFitOk);
    ASSERT_EQ(PolynomialFit(0, 2, { 0, 1, 2, 3, 4 }, { 1.1, 2.9, 5.2, 6.8, 9.1 }, b), kFitOk);
    EXPECT_NEAR(a.coefficients[0], b.coefficients[0], 1e-12);
    EXPECT_NEAR(a.coefficients[1], b.coefficients[1], 1e-12);
    EXPECT_NEAR(a.residuals[0], b.residuals[3], 1e-12); // t = 3 in both
}

} // namespace
} // namespace kinoval::modelling
