#pragma once
// Polynomial least squares: fits c0 + c1·t + ... + c(m-1)·t^(m-1) to a series of points.
//
// The constant, affine and parabola models fit their parameters with it, and the differentiator smooths
// a series with it before differentiating. The abscissae are first mapped onto [-1, 1] and the fit is
// made in the Chebyshev basis of that scaled variable, which keeps the normal equations well conditioned
// whatever the range of the abscissae (frame numbers in the thousands, instants around 1e6 s); only then
// are the coefficients converted to powers of the abscissa.
//
// All the working data of a fit lives in the TPolynomialFit that the caller passes, so two fits never
// share state. After a successful call it holds, besides the power coefficients, the fitted value and
// the residual of every point (the goodness measure of the differentiator reads the fitted values) and
// the Chebyshev form of the polynomial, with which values and slopes are evaluated without the loss of
// precision that powers of large abscissae would bring.
//
// Result codes: 0 success, 1 singular normal system, 2 fewer than 2 points, 3 no coefficient left,
// 4 all abscissae equal, 5 a mode other than the plain fit (mode 0). On any code but 0 the caller keeps
// its previous result; the content of the TPolynomialFit is then unspecified.

#include <vector>

namespace kinoval::modelling {

inline constexpr int kFitOk = 0;
inline constexpr int kFitSingular = 1;
inline constexpr int kFitTooFewPoints = 2;
inline constexpr int kFitNoCoefficient = 3;
inline constexpr int kFitEqualAbscissae = 4;
inline constexpr int kFitUnsupportedMode = 5;

struct TPolynomialFit {
    int m = 0; // coefficients actually fitted (lowered to N - 1 when N < m asked)
    std::vector<double> coefficients; // [m] in powers of t, constant first
    std::vector<double> chebyshev; // [m] in the Chebyshev polynomials of u = alpha·t + beta
    double alpha = 0; // scaling of the abscissae onto [-1, 1]
    double beta = 0;
    std::vector<double> fitted; // [N] value of the polynomial at each abscissa
    std::vector<double> residuals; // [N] ordinate minus fitted value
    double residualSum = 0; // sum of the squared residuals
    double standardDeviation = 0; // sqrt(residualSum / (N - m)), 0 when N = m

    // The polynomial and its first derivative at t, evaluated in the Chebyshev form.
    double ValueAt(double t) const;
    double DerivativeAt(double t) const;
};

// Fits m coefficients to the points (t[i], y[i]); when the two arrays differ in length only the points
// they have in common are used.
int PolynomialFit(int mode, int m, const std::vector<double>& t, const std::vector<double>& y, TPolynomialFit& fit);

} // namespace kinoval::modelling
