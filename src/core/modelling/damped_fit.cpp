#include "core/modelling/damped_fit.h"

#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

namespace kinoval::modelling {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kStartLambda = 0.01;
constexpr double kMaxLambda = 1000;
constexpr int kMaxIterations = 50;
constexpr double kConvergence = 1e-5;
constexpr double kAcceptance = 1e-10;
constexpr double kGolden = 1.6180339887; // bracket growth
constexpr double kGoldenSection = 0.38196601125; // inner point of a golden section
constexpr double kLineTolerance = 0.01; // never below 2^-26
constexpr int kMaxLineSteps = 100;
constexpr double kTurningTolerance = 1e-9;

using TVector = std::vector<double>;
using TMatrix = std::vector<TVector>;

int FittedCount(int code)
{
    switch (code) {
    case kDampedExponential:
    case kDampedSinus:
        return 3;
    case kDampedSinusExp:
    case kDampedSinusLin:
        return 4;
    default:
        return 0;
    }
}

// Value and derivatives of the fitted part of one model, with what depends only on the parameters (the
// stop instant of the linearly damped sinus) worked out once.
class TEvaluator {
public:
    TEvaluator(int code, const TVector& p)
        : m_code(code)
        , m_p(p)
    {
        if (code == kDampedSinusLin)
            m_stop = SinusLinStopTime(p[0], p[1], p[2], p[3]);
    }

    double Value(double t) const
    {
        switch (m_code) {
        case kDampedExponential:
            return m_p[0] + m_p[1] * std::exp(m_p[2] * t);
        case kDampedSinus:
            return m_p[0] * std::sin(m_p[1] * t + m_p[2]);
        case kDampedSinusExp:
            return m_p[0] * std::sin(m_p[1] * t + m_p[2]) * std::exp(m_p[3] * t);
        case kDampedSinusLin: {
            const double s = std::min(t, m_stop); // the motion keeps its value after it stopped
            return m_p[0] * std::sin(m_p[1] * s + m_p[2]) * (1 + m_p[3] * s);
        }
        default:
            return 0;
        }
    }

    // Value at t, and the partial derivatives with respect to each fitted parameter into d.
    double Derivatives(double t, double* d) const
    {
        switch (m_code) {
        case kDampedExponential: {
            const double e = std::exp(m_p[2] * t);
            d[0] = 1;
            d[1] = e;
            d[2] = m_p[1] * t * e;
            return m_p[0] + m_p[1] * e;
        }
        case kDampedSinus: {
            const double s = std::sin(m_p[1] * t + m_p[2]), c = std::cos(m_p[1] * t + m_p[2]);
            d[0] = s;
            d[1] = m_p[0] * t * c;
            d[2] = m_p[0] * c;
            return m_p[0] * s;
        }
        case kDampedSinusExp: {
            const double s = std::sin(m_p[1] * t + m_p[2]), c = std::cos(m_p[1] * t + m_p[2]);
            const double e = std::exp(m_p[3] * t);
            d[0] = s * e;
            d[1] = m_p[0] * t * c * e;
            d[2] = m_p[0] * c * e;
            d[3] = m_p[0] * t * s * e;
            return m_p[0] * s * e;
        }
        case kDampedSinusLin: {
            // Beyond the stop the value is that of the stop instant; the derivatives are taken there too.
            const double u = std::min(t, m_stop);
            const double s = std::sin(m_p[1] * u + m_p[2]), c = std::cos(m_p[1] * u + m_p[2]);
            const double l = 1 + m_p[3] * u;
            d[0] = s * l;
            d[1] = m_p[0] * u * c * l;
            d[2] = m_p[0] * c * l;
            d[3] = m_p[0] * u * s;
            return m_p[0] * s * l;
        }
        default:
            return 0;
        }
    }

private:
    int m_code;
    const TVector& m_p;
    double m_stop = std::numeric_limits<double>::infinity();
};

// Solves a·x = b by Gauss-Jordan elimination with full pivoting on copies; false when singular.
bool SolveGaussJordan(TMatrix a, TVector b, TVector& x)
{
    const std::size_t n = b.size();
    std::vector<bool> used(n, false);
    for (std::size_t step = 0; step < n; ++step) {
        double best = -1;
        std::size_t prow = 0, pcol = 0;
        for (std::size_t r = 0; r < n; ++r) {
            if (used[r])
                continue;
            for (std::size_t c = 0; c < n; ++c) {
                if (!used[c] && std::fabs(a[r][c]) > best) {
                    best = std::fabs(a[r][c]);
                    prow = r;
                    pcol = c;
                }
            }
        }
        if (!(best > kTiny) || !std::isfinite(best))
            return false;
        used[pcol] = true;
        std::swap(a[prow], a[pcol]);
        std::swap(b[prow], b[pcol]);
        const double inv = 1 / a[pcol][pcol];
        for (std::size_t c = 0; c < n; ++c)
            a[pcol][c] *= inv;
        b[pcol] *= inv;
        for (std::size_t r = 0; r < n; ++r) {
            if (r == pcol)
                continue;
            const double f = a[r][pcol];
            if (f == 0)
                continue;
            for (std::size_t c = 0; c < n; ++c)
                a[r][c] -= f * a[pcol][c];
            b[r] -= f * b[pcol];
        }
    }
    // Rows were swapped so that the pivot of column c sits in row c: b now holds x in order.
    x = b;
    for (double v : x)
        if (!std::isfinite(v))
            return false;
    return true;
}

struct TProblem {
    int code;
    const TVector& t;
    const TVector& y; // centred for the sinusoids
};

double Chi(const TProblem& pb, const TVector& p)
{
    return ChiSquare(pb.code, p, pb.t, pb.y);
}

void GradientAndHessian(const TProblem& pb, const TVector& p, TVector& g, TMatrix& h)
{
    const std::size_t np = p.size();
    g.assign(np, 0.0);
    h.assign(np, TVector(np, 0.0));
    TEvaluator eval(pb.code, p);
    double d[4];
    const std::size_t n = std::min(pb.t.size(), pb.y.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double f = eval.Derivatives(pb.t[i], d);
        const double r = pb.y[i] - f;
        for (std::size_t j = 0; j < np; ++j) {
            g[j] += r * d[j];
            for (std::size_t l = j; l < np; ++l)
                h[j][l] += d[j] * d[l];
        }
    }
    for (std::size_t j = 0; j < np; ++j)
        for (std::size_t l = 0; l < j; ++l)
            h[j][l] = h[l][j];
}

// Minimises chi² along pold + alpha·delta: bracket from alpha = 0 and 1 by golden growth, then a golden
// section search. False when either stage runs out of steps.
bool LineSearch(const TProblem& pb, const TVector& pold, const TVector& delta, TVector& pnew, double& chiNew)
{
    TVector trial(pold.size());
    auto phi = [&](double alpha) {
        for (std::size_t j = 0; j < pold.size(); ++j)
            trial[j] = pold[j] + alpha * delta[j];
        return Chi(pb, trial);
    };
    double ax = 0, bx = 1;
    double fa = phi(ax), fb = phi(bx);
    if (fb > fa) {
        std::swap(ax, bx);
        std::swap(fa, fb);
    }
    double cx = bx + kGolden * (bx - ax);
    double fc = phi(cx);
    int steps = 0;
    while (fb > fc) {
        if (++steps > kMaxLineSteps)
            return false;
        ax = bx;
        fa = fb;
        bx = cx;
        fb = fc;
        cx = bx + kGolden * (bx - ax);
        fc = phi(cx);
    }
    // Golden section inside (ax, bx, cx), the inner point placed in the larger sub-interval.
    const double tol = std::max(kLineTolerance, std::ldexp(1.0, -26));
    double x0 = ax, x3 = cx, x1, x2;
    if (std::fabs(cx - bx) > std::fabs(bx - ax)) {
        x1 = bx;
        x2 = bx + kGoldenSection * (cx - bx);
    } else {
        x2 = bx;
        x1 = bx - kGoldenSection * (bx - ax);
    }
    double f1 = phi(x1), f2 = phi(x2);
    steps = 0;
    while (std::fabs(x3 - x0) > tol * (std::fabs(x1) + std::fabs(x2))) {
        if (++steps > kMaxLineSteps)
            return false;
        if (f2 < f1) {
            x0 = x1;
            x1 = x2;
            x2 = (1 - kGoldenSection) * x2 + kGoldenSection * x3;
            f1 = f2;
            f2 = phi(x2);
        } else {
            x3 = x2;
            x2 = x1;
            x1 = (1 - kGoldenSection) * x1 + kGoldenSection * x0;
            f2 = f1;
            f1 = phi(x1);
        }
    }
    const double best = f1 < f2 ? x1 : x2;
    chiNew = phi(best);
    pnew = trial;
    return true;
}

// The iteration itself; p holds the starting values and receives the last accepted step.
int Iterate(const TProblem& pb, TVector& p, int& iterations)
{
    const std::size_t np = p.size();
    double lambda = kStartLambda;
    bool converged = false;
    double chiOld = Chi(pb, p);
    TVector g, delta, pnew;
    TMatrix h;
    for (iterations = 1;; ++iterations) {
        if (iterations > kMaxIterations)
            return kDampedNotConverged;
        const TVector pold = p;
        GradientAndHessian(pb, p, g, h);
        if (converged) {
            // A last undamped step polishes the converged parameters; it is kept only if it does not
            // make the residuals worse, so the result is never poorer than the converged one.
            if (SolveGaussJordan(h, g, delta)) {
                pnew.resize(np);
                for (std::size_t j = 0; j < np; ++j)
                    pnew[j] = pold[j] + delta[j];
                if (Chi(pb, pnew) <= chiOld)
                    p = pnew;
            }
            return kDampedConverged;
        }
        double chiNew = chiOld;
        for (;;) {
            TMatrix damped = h;
            for (std::size_t j = 0; j < np; ++j)
                damped[j][j] *= 1 + lambda;
            if (!SolveGaussJordan(damped, g, delta))
                return kDampedSingular;
            if (!LineSearch(pb, pold, delta, pnew, chiNew))
                return kDampedNotConverged;
            if (chiNew - chiOld < kAcceptance * chiOld)
                break;
            lambda *= 10;
            if (lambda > kMaxLambda)
                return kDampedOverDamped;
        }
        p = pnew;
        converged = true;
        for (std::size_t j = 0; j < np; ++j)
            if (!(std::fabs(p[j] - pold[j]) < std::max(std::fabs(pold[j]) * kConvergence, kConvergence)))
                converged = false;
        lambda /= 10;
        chiOld = chiNew;
    }
}

double MaxOf(const TVector& v)
{
    double m = kEmptyMax;
    for (double x : v)
        m = std::max(m, x);
    return m;
}

double MinOf(const TVector& v)
{
    double m = kEmptyMin;
    for (double x : v)
        m = std::min(m, x);
    return m;
}

double MeanOf(const TVector& v)
{
    double s = 0;
    for (double x : v)
        s += x;
    return v.empty() ? 0 : s / static_cast<double>(v.size());
}

double HeldOffset(int code, const TVector& y)
{
    return code == kDampedSinus ? (MaxOf(y) + MinOf(y)) / 2 : MeanOf(y);
}

// Pulsation started from one period over the largest abscissa.
double StartPulsation(const TVector& t, const TVector& centred)
{
    const double tmax = MaxOf(t);
    if (IsZero(tmax))
        return 0;
    return HalfPeriodPulsation(t, centred, 2 * kPi / tmax);
}

} // namespace

double DampedModelValue(int modelCode, const std::vector<double>& p, double t)
{
    if (static_cast<int>(p.size()) < FittedCount(modelCode))
        return 0;
    return TEvaluator(modelCode, p).Value(t);
}

double ChiSquare(
    int modelCode, const std::vector<double>& p, const std::vector<double>& t, const std::vector<double>& y)
{
    if (static_cast<int>(p.size()) < FittedCount(modelCode))
        return kChiSquareCap;
    TEvaluator eval(modelCode, p);
    const std::size_t n = std::min(t.size(), y.size());
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = y[i] - eval.Value(t[i]);
        sum += r * r;
        if (!(sum <= kChiSquareCap))
            return kChiSquareCap;
    }
    return sum;
}

double HalfPeriodPulsation(const std::vector<double>& t, const std::vector<double>& centred, double start)
{
    // A change of sign counts once the ordinates have passed a tenth of the amplitude on the other side:
    // with densely sampled noisy data the ordinates flicker across zero several times at one crossing,
    // and two of those flickers a few samples apart would read as a half period of almost nothing. The
    // crossing is placed halfway between the last point beyond the band on the old side and the first one
    // beyond it on the new side, which on clean data is the middle of the sign-change interval.
    const std::size_t n = std::min(t.size(), centred.size());
    double peak = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (std::isfinite(centred[i]))
            peak = std::max(peak, std::fabs(centred[i]));
    const double band = 0.1 * peak;
    int side = 0; // +1 above the band, -1 below it, 0 before the first point out of it
    double lastOnSide = 0; // abscissa of the last point beyond the band on the current side
    int changes = 0;
    double firstMiddle = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double v = centred[i];
        const int here = v > band ? 1 : (v < -band ? -1 : 0);
        if (here == 0)
            continue;
        if (side == 0 || here == side) {
            side = here;
            lastOnSide = t[i];
            continue;
        }
        const double middle = (lastOnSide + t[i]) / 2;
        side = here;
        lastOnSide = t[i];
        if (++changes == 1) {
            firstMiddle = middle;
            continue;
        }
        const double halfPeriod = std::fabs(middle - firstMiddle);
        return halfPeriod < kTiny ? start : kPi / halfPeriod;
    }
    return start;
}

std::vector<double> DampedStartingValues(int modelCode, const std::vector<double>& t, const std::vector<double>& y)
{
    const std::size_t count = std::min(t.size(), y.size());
    if (count < 2 || FittedCount(modelCode) == 0)
        return {};
    const TVector tt(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(count));
    const TVector yy(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count));
    const std::size_t n = count - 1, mid = n / 2;
    if (modelCode == kDampedExponential) {
        // Growth (c = +1) when the series changes faster in its second half, decay towards the last value
        // (c = -1) when it flattens out. A falling series is the mirror of a rising one: it flattens when
        // its second drop is the smaller, and the amplitude takes the sign that makes the curve fall.
        const double firstHalf = yy[mid] - yy[0], secondHalf = yy[n] - yy[mid];
        if (yy[n] > yy[0])
            return secondHalf > firstHalf ? TVector { yy[0], yy[n] - yy[0], 1 } : TVector { yy[n], yy[0] - yy[n], -1 };
        return secondHalf > firstHalf ? TVector { yy[n], yy[0] - yy[n], -1 } : TVector { yy[0], yy[n] - yy[0], 1 };
    }
    const double offset = HeldOffset(modelCode, yy);
    TVector centred(count);
    for (std::size_t i = 0; i < count; ++i)
        centred[i] = yy[i] - offset;
    const double amplitude = std::fabs(MaxOf(centred));
    const double pulsation = StartPulsation(tt, centred);
    const double phase = IsZero(amplitude) ? 0 : std::asin(std::clamp(centred[0] / amplitude, -1.0, 1.0));
    TVector full { offset, amplitude, pulsation, phase };
    if (modelCode != kDampedSinus)
        full.push_back(-0.05);
    return full;
}

void RepairSinusParameters(std::vector<double>& full, const std::vector<double>& t, const std::vector<double>& centred)
{
    if (full.size() < 4)
        return;
    double& amplitude = full[1];
    double& pulsation = full[2];
    double& phase = full[3];
    // -A·sin(x) = A·sin(x + pi) and sin(-w·t + phi) = sin(w·t + pi - phi): the same curve, shown with the
    // positive amplitude and pulsation that the user expects.
    if (amplitude < 0) {
        amplitude = -amplitude;
        phase = NormalizeAngle(phase + kPi);
    }
    if (pulsation < 0) {
        pulsation = -pulsation;
        phase = NormalizeAngle(kPi - phase);
    }
    if (!(amplitude > 0))
        amplitude = std::fabs(MaxOf(centred));
    if (!(pulsation > 0))
        pulsation = StartPulsation(t, centred);
}

double SinusLinStopTime(double amplitude, double pulsation, double phase, double damping)
{
    (void)amplitude; // the turning points do not depend on the amplitude
    if (!(damping < 0) || IsZero(damping))
        return std::numeric_limits<double>::infinity();
    const double vanish = -1 / damping;
    if (!(pulsation > 0) || !std::isfinite(pulsation))
        return vanish;
    // Turning points: zeros of the derivative w·cos(w·t + phi)·(1 + k·t) + k·sin(w·t + phi).
    auto slope = [&](double t) {
        return pulsation * std::cos(pulsation * t + phase) * (1 + damping * t)
            + damping * std::sin(pulsation * t + phase);
    };
    auto root = [&](double a, double b, double& out) {
        double fa = slope(a), fb = slope(b);
        if (fa == 0) {
            out = a;
            return true;
        }
        if (fb == 0) {
            out = b;
            return true;
        }
        if ((fa < 0) == (fb < 0))
            return false;
        for (int i = 0; i < 200 && std::fabs(b - a) > kTurningTolerance; ++i) {
            const double m = (a + b) / 2;
            const double fm = slope(m);
            if ((fm < 0) == (fa < 0)) {
                a = m;
                fa = fm;
            } else {
                b = m;
            }
        }
        out = (a + b) / 2;
        return true;
    };
    // A turning point lies within any half period; search the quarter period that ends at the vanishing
    // instant, then the one before it, then finer pieces of that half period in case two turning points
    // fell in one quarter.
    const double quarter = kPi / (2 * pulsation);
    double found = 0;
    if (root(vanish - quarter, vanish, found) && found <= vanish)
        return found;
    if (root(vanish - 2 * quarter, vanish - quarter, found) && found <= vanish)
        return found;
    constexpr int kPieces = 16;
    for (int i = 0; i < kPieces; ++i) {
        const double b = vanish - 2 * quarter * i / kPieces;
        const double a = vanish - 2 * quarter * (i + 1) / kPieces;
        if (root(a, b, found) && found <= vanish)
            return found;
    }
    return vanish;
}

TDampedFitResult DampedFit(const std::vector<double>& t, const std::vector<double>& y, int modelCode)
{
    TDampedFitResult result;
    const std::size_t count = std::min(t.size(), y.size());
    if (count < 2 || FittedCount(modelCode) == 0)
        return result;
    const TVector tt(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(count));
    const TVector yy(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count));
    const auto [tmin, tmax] = std::minmax_element(tt.begin(), tt.end());
    if (!(std::fabs(*tmax - *tmin) >= kTiny))
        return result;

    TVector full = DampedStartingValues(modelCode, tt, yy);
    if (modelCode == kDampedExponential) {
        const TProblem pb { modelCode, tt, yy };
        result.endCode = Iterate(pb, full, result.iterations);
        result.parameters = full;
        return result;
    }
    const double offset = full[0];
    TVector centred(count);
    for (std::size_t i = 0; i < count; ++i)
        centred[i] = yy[i] - offset;
    TVector p(full.begin() + 1, full.end());
    const TProblem pb { modelCode, tt, centred };
    result.endCode = Iterate(pb, p, result.iterations);
    full.assign(1, offset);
    full.insert(full.end(), p.begin(), p.end());
    RepairSinusParameters(full, tt, centred);
    result.parameters = full;
    return result;
}

} // namespace kinoval::modelling
