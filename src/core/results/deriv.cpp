#include "core/results/deriv.h"

#include "core/modelling/least_squares.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace kinoval::results {
namespace {

constexpr double kRestSpread = 0.01; // below it (normalised units) a position series is at rest
constexpr double kSteadySpread = 0.1; // below it (normalised units per second) a slope barely varies
constexpr double kGoodFit = 0.99; // share of the spread a polynomial must explain to be kept
constexpr double kBlendWeight = 0.02; // how far a blend moves the polynomial slope from the differences
constexpr int kTopLevel = 4; // last step of a ladder: degree 5, then plain differences

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Slope at x of the parabola through (x0, y0), (x1, y1), (x2, y2), from its Lagrange form. Two points on
// one instant (a damaged montage, a measurement from elsewhere) have no slope between them: not a number.
double ParabolaSlope(double x0, double x1, double x2, double y0, double y1, double y2, double x)
{
    if (x0 == x1 || x1 == x2 || x0 == x2)
        return kNaN;
    const double mean = (y0 + y1 + y2) / 3; // centring keeps the rounding relative to the variation
    y0 -= mean;
    y1 -= mean;
    y2 -= mean;
    return y0 * (2 * x - x1 - x2) / ((x0 - x1) * (x0 - x2)) + y1 * (2 * x - x0 - x2) / ((x1 - x0) * (x1 - x2))
        + y2 * (2 * x - x0 - x1) / ((x2 - x0) * (x2 - x1));
}

} // namespace

std::vector<double> Centred(const std::vector<double>& y)
{
    double mean = 0;
    for (double v : y)
        mean += v;
    if (!y.empty())
        mean /= static_cast<double>(y.size());
    std::vector<double> out(y.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        out[i] = y[i] - mean;
    return out;
}

double RootMeanSquare(const std::vector<double>& values)
{
    if (values.empty())
        return 0;
    double s = 0;
    for (double v : values)
        s += v * v;
    return std::sqrt(s / static_cast<double>(values.size()));
}

TDeriv::TDeriv(std::vector<double> abscissae, std::vector<double> ordinates, double framePeriod)
    : m_u(std::move(abscissae))
    , m_y(std::move(ordinates))
    , m_dt(framePeriod)
{
    if (m_y.size() > m_u.size())
        m_y.resize(m_u.size());
    if (m_u.size() > m_y.size())
        m_u.resize(m_y.size());
}

double TDeriv::PerSecond(double perFrame) const
{
    // Without a time between two frames a speed is not a number, never an infinity.
    return m_dt > 0 ? perFrame / m_dt : kNaN;
}

std::vector<double> TDeriv::Differences(const std::vector<double>& y) const
{
    const std::size_t n = y.size();
    std::vector<double> d(n, 0.0);
    if (n < 3)
        return d;
    const std::vector<double>& u = m_u;
    // The end points take the slope of the parabola through their three nearest points. On evenly spaced
    // frames this is (-3y0 + 4y1 - y2) / (u2 - u0) and its mirror; written for any spacing, it stays
    // exact for uniform motion when frames are missing near either end.
    // Two rows on one instant have no slope between them: not a number rather than a division by zero.
    {
        const double h1 = u[1] - u[0], h2 = u[2] - u[1];
        d[0] = h1 == 0 || h2 == 0 || h1 + h2 == 0 ? kNaN
                                                  : PerSecond(-(2 * h1 + h2) / (h1 * (h1 + h2)) * y[0]
                                                      + (h1 + h2) / (h1 * h2) * y[1] - h1 / (h2 * (h1 + h2)) * y[2]);
    }
    for (std::size_t i = 1; i + 1 < n; ++i)
        d[i] = u[i + 1] == u[i - 1] ? kNaN : PerSecond((y[i + 1] - y[i - 1]) / (u[i + 1] - u[i - 1]));
    {
        const double h1 = u[n - 2] - u[n - 3], h2 = u[n - 1] - u[n - 2];
        d[n - 1] = h1 == 0 || h2 == 0 || h1 + h2 == 0
            ? kNaN
            : PerSecond(h2 / (h1 * (h1 + h2)) * y[n - 3] - (h1 + h2) / (h1 * h2) * y[n - 2]
                + (h1 + 2 * h2) / (h2 * (h1 + h2)) * y[n - 1]);
    }
    return d;
}

std::vector<double> TDeriv::LocalParabola(const std::vector<double>& y) const
{
    const std::size_t n = y.size();
    std::vector<double> d(n, 0.0);
    if (n < 3)
        return d;
    const std::vector<double>& u = m_u;
    d[0] = PerSecond(ParabolaSlope(u[0], u[1], u[2], y[0], y[1], y[2], u[0]));
    // Point 1 takes the first window at its own abscissa, which is that window's centre; the same holds
    // for every interior point, so one loop serves points 1 .. n-2.
    for (std::size_t i = 1; i + 1 < n; ++i)
        d[i] = PerSecond(ParabolaSlope(u[i - 1], u[i], u[i + 1], y[i - 1], y[i], y[i + 1], u[i]));
    d[n - 1] = PerSecond(ParabolaSlope(u[n - 3], u[n - 2], u[n - 1], y[n - 3], y[n - 2], y[n - 1], u[n - 1]));
    return d;
}

double TDeriv::Goodness(const std::vector<double>& centred, const std::vector<double>& fitted)
{
    double num = 0, den = 0;
    for (double v : fitted)
        num += v * v;
    for (double v : centred)
        den += v * v;
    if (den == 0)
        return 0;
    return num / den;
}

int TDeriv::Ladder(const std::vector<double>& centred, int& level, std::vector<double>& slopes) const
{
    modelling::TPolynomialFit fit;
    for (level = 1; level <= kTopLevel; ++level) {
        const int code = modelling::PolynomialFit(0, level + 2, m_u, centred, fit);
        if (code != modelling::kFitOk)
            return code;
        if (Goodness(centred, fit.fitted) > kGoodFit)
            break;
    }
    if (level > kTopLevel)
        level = kTopLevel;
    // Only the fit the ladder stopped at is differentiated.
    slopes.resize(m_u.size());
    for (std::size_t i = 0; i < m_u.size(); ++i)
        slopes[i] = PerSecond(fit.DerivativeAt(m_u[i]));
    return 0;
}

int TDeriv::Compute(bool smooth)
{
    m_firstBranch = m_secondBranch = TDerivBranch::None;
    m_k = m_m = -1;
    m_first.assign(m_y.size(), 0.0);
    m_second.assign(m_y.size(), 0.0);
    if (m_y.size() < 3)
        return 2;

    if (!smooth) {
        m_first = Differences(m_y);
        m_second = Differences(m_first);
        m_firstBranch = m_secondBranch = TDerivBranch::Differences;
        return 0;
    }

    const std::vector<double> centred = Centred(m_y);
    if (RootMeanSquare(centred) < kRestSpread) {
        m_k = 0;
    } else {
        std::vector<double> slopes;
        const int code = Ladder(centred, m_k, slopes);
        if (code != 0) {
            m_k = -1;
            return code;
        }
        if (m_k == 2 || m_k == 3) {
            const std::vector<double> diff = Differences(m_y);
            for (std::size_t i = 0; i < slopes.size(); ++i)
                m_first[i] = slopes[i] + kBlendWeight * (slopes[i] - diff[i]);
            m_firstBranch = TDerivBranch::Blend;
        }
    }
    if (m_k <= 1) {
        m_first = LocalParabola(m_y);
        m_firstBranch = TDerivBranch::LocalParabola;
    } else if (m_k == kTopLevel) {
        m_first = Differences(m_y);
        m_firstBranch = TDerivBranch::Differences;
    }

    const int code = ComputeSecondSmoothed(m_y);
    if (code != 0)
        m_secondBranch = TDerivBranch::None;
    return code;
}

int TDeriv::ComputeSecondSmoothed(const std::vector<double>& y)
{
    const auto damped = [this] {
        // The blend of a zero polynomial with the differences of the first derivative.
        const std::vector<double> diff = Differences(m_first);
        for (std::size_t i = 0; i < diff.size(); ++i)
            m_second[i] = -kBlendWeight * diff[i];
        m_secondBranch = TDerivBranch::DampedDiff;
    };

    if (m_k == 0) {
        m_m = 0;
        damped();
        return 0;
    }
    const std::vector<double> centred = Centred(m_first);
    if (m_k == 1) {
        m_m = 0;
        if (RootMeanSquare(centred) < kSteadySpread) {
            damped();
        } else {
            // A parabola-like motion whose slope really varies: both derivatives from plain differences.
            m_first = Differences(y);
            m_firstBranch = TDerivBranch::Differences;
            m_second = Differences(m_first);
            m_secondBranch = TDerivBranch::Differences;
        }
        return 0;
    }
    std::vector<double> slopes;
    const int code = Ladder(centred, m_m, slopes);
    if (code != 0) {
        m_m = -1;
        return code;
    }
    if (m_m == 1) {
        m_second = LocalParabola(m_first);
        m_secondBranch = TDerivBranch::LocalParabola;
    } else if (m_m == kTopLevel) {
        m_second = Differences(m_first);
        m_secondBranch = TDerivBranch::Differences;
    } else {
        m_second = slopes;
        m_secondBranch = TDerivBranch::Polynomial;
    }
    return 0;
}

} // namespace kinoval::results
