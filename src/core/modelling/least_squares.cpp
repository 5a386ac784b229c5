#include "core/modelling/least_squares.h"

#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kinoval::modelling {
namespace {

// A polynomial with m coefficients is fixed by the points only when they have at least m distinct
// abscissae; with fewer, rounding would leave a pivot near 1e-16 rather than 0 and elimination would go
// on to return huge, meaningless coefficients. Counting the distinct values decides it exactly and
// never rejects a merely awkward spacing.
bool HasDistinctAbscissae(const std::vector<double>& t, std::size_t n, std::size_t m)
{
    std::vector<double> seen;
    seen.reserve(m);
    for (std::size_t i = 0; i < n && seen.size() < m; ++i)
        if (std::find(seen.begin(), seen.end(), t[i]) == seen.end())
            seen.push_back(t[i]);
    return seen.size() >= m;
}

// Solves a·x = b in place by Gaussian elimination with partial pivoting; false when singular.
bool SolveInPlace(std::vector<std::vector<double>>& a, std::vector<double>& b)
{
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        if (!(std::fabs(a[pivot][col]) >= kTiny)) // also catches NaN
            return false;
        std::swap(a[pivot], a[col]);
        std::swap(b[pivot], b[col]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const double f = a[row][col] / a[col][col];
            if (f == 0)
                continue;
            for (std::size_t k = col; k < n; ++k)
                a[row][k] -= f * a[col][k];
            b[row] -= f * b[col];
        }
    }
    for (std::size_t col = n; col-- > 0;) {
        double s = b[col];
        for (std::size_t k = col + 1; k < n; ++k)
            s -= a[col][k] * b[k];
        b[col] = s / a[col][col];
    }
    return true;
}

} // namespace

double TPolynomialFit::ValueAt(double t) const
{
    const double u = alpha * t + beta;
    double sum = 0, tPrev = 0, tCur = 1;
    for (std::size_t k = 0; k < chebyshev.size(); ++k) {
        if (k == 1) {
            tPrev = 1;
            tCur = u;
        } else if (k > 1) {
            const double next = 2 * u * tCur - tPrev;
            tPrev = tCur;
            tCur = next;
        }
        sum += chebyshev[k] * tCur;
    }
    return sum;
}

double TPolynomialFit::DerivativeAt(double t) const
{
    // T'0 = 0, T'1 = 1, T'k = 2·T(k-1) + 2u·T'(k-1) - T'(k-2); d/dt = alpha · d/du.
    const double u = alpha * t + beta;
    double sum = 0;
    double tPrev = 1, tCur = u; // T(k-2), T(k-1) once k >= 2
    double dPrev = 0, dCur = 1; // T'(k-2), T'(k-1)
    for (std::size_t k = 1; k < chebyshev.size(); ++k) {
        if (k >= 2) {
            const double dNext = 2 * tCur + 2 * u * dCur - dPrev;
            const double tNext = 2 * u * tCur - tPrev;
            dPrev = dCur;
            dCur = dNext;
            tPrev = tCur;
            tCur = tNext;
        }
        sum += chebyshev[k] * dCur;
    }
    return alpha * sum;
}

int PolynomialFit(int mode, int m, const std::vector<double>& t, const std::vector<double>& y, TPolynomialFit& fit)
{
    if (mode != 0)
        return kFitUnsupportedMode;
    const std::size_t n = std::min(t.size(), y.size());
    if (n < 2)
        return kFitTooFewPoints;
    if (m > 0 && static_cast<std::size_t>(m) > n)
        m = static_cast<int>(n) - 1;
    if (m < 1)
        return kFitNoCoefficient;
    const std::size_t mm = static_cast<std::size_t>(m);

    const auto [minIt, maxIt] = std::minmax_element(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(n));
    const double tmin = *minIt, tmax = *maxIt;
    if (!(std::fabs(tmax - tmin) >= kTiny))
        return kFitEqualAbscissae;
    if (!HasDistinctAbscissae(t, n, mm))
        return kFitSingular;
    const double alpha = 2 / (tmax - tmin);
    const double beta = -(tmax + tmin) * alpha / 2;

    // Design matrix in the Chebyshev basis of the scaled abscissae, one row per point.
    std::vector<double> basis(n * mm);
    for (std::size_t i = 0; i < n; ++i) {
        const double u = alpha * t[i] + beta;
        double* row = &basis[i * mm];
        row[0] = 1;
        if (mm > 1)
            row[1] = u;
        for (std::size_t k = 2; k < mm; ++k)
            row[k] = 2 * u * row[k - 1] - row[k - 2];
    }

    // Sums of the normal system over the points, upper triangle only, in one flat block.
    std::vector<double> sums(mm * mm, 0.0);
    std::vector<double> rhs(mm, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double* row = &basis[i * mm];
        const double yi = y[i];
        for (std::size_t j = 0; j < mm; ++j) {
            const double bj = row[j];
            double* out = &sums[j * mm];
            for (std::size_t k = j; k < mm; ++k)
                out[k] += bj * row[k];
            rhs[j] += bj * yi;
        }
    }
    std::vector<std::vector<double>> normal(mm, std::vector<double>(mm, 0.0));
    for (std::size_t j = 0; j < mm; ++j)
        for (std::size_t k = j; k < mm; ++k)
            normal[j][k] = normal[k][j] = sums[j * mm + k];
    if (!SolveInPlace(normal, rhs))
        return kFitSingular;

    fit.m = m;
    fit.alpha = alpha;
    fit.beta = beta;
    fit.chebyshev = rhs;
    fit.fitted.assign(n, 0.0);
    fit.residuals.assign(n, 0.0);
    fit.residualSum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double* row = &basis[i * mm];
        double value = 0;
        for (std::size_t k = 0; k < mm; ++k)
            value += rhs[k] * row[k];
        fit.fitted[i] = value;
        fit.residuals[i] = y[i] - value;
        fit.residualSum += fit.residuals[i] * fit.residuals[i];
    }
    fit.standardDeviation = n > mm ? std::sqrt(fit.residualSum / static_cast<double>(n - mm)) : 0.0;

    // Power coefficients: expand each Tk(alpha·t + beta) with the same recurrence, as polynomials in t.
    fit.coefficients.assign(mm, 0.0);
    std::vector<double> prev(mm, 0.0), cur(mm, 0.0), next(mm, 0.0);
    cur[0] = 1; // T0
    for (std::size_t k = 0; k < mm; ++k) {
        if (k == 1) {
            prev = cur;
            std::fill(cur.begin(), cur.end(), 0.0);
            cur[0] = beta;
            cur[1] = alpha;
        } else if (k > 1) {
            for (std::size_t p = 0; p < mm; ++p) {
                double v = 2 * beta * cur[p] - prev[p];
                if (p > 0)
                    v += 2 * alpha * cur[p - 1];
                next[p] = v;
            }
            prev.swap(cur);
            cur.swap(next);
        }
        for (std::size_t p = 0; p <= k; ++p)
            fit.coefficients[p] += rhs[k] * cur[p];
    }
    return kFitOk;
}

} // namespace kinoval::modelling
