#pragma once
// Damped least squares with a line search: the fit of the exponential and sinusoidal models.
//
// The models whose parameters enter non-linearly (r + b·exp(c·t), and the sinusoids with or without
// damping) are fitted by an iteration that blends Gauss-Newton steps with gradient steps through a
// damping factor, and that minimises the sum of squared residuals along each step before accepting it.
// DampedFit prepares the starting values from the data, runs the iteration and returns the model's full
// parameter vector, including any held offset, as it stands after the last accepted step: a fit that stops
// early still gives the best parameters found, and the statistics of the model tell the user how good they
// are. All the working data of a fit lives in the call, so fits never share state.

#include <vector>

namespace kinoval::modelling {

// Model codes of the damped fit.
inline constexpr int kDampedExponential = 2; // r + b·exp(c·t)                      -> (r, b, c)
inline constexpr int kDampedSinus = 6; // A·sin(w·t + phi), offset (max+min)/2 -> (offset, A, w, phi)
inline constexpr int kDampedSinusExp = 7; // A·sin(w·t + phi)·exp(k·t), offset mean -> (offset, A, w, phi, k)
inline constexpr int kDampedSinusLin = 8; // A·sin(w·t + phi)·(1 + k·t), held after its last turning point

// End codes of the iteration.
inline constexpr int kDampedConverged = 0;
inline constexpr int kDampedSingular = -1; // the damped normal system could not be solved
inline constexpr int kDampedOverDamped = -2; // the damping factor passed 1000 without an accepted step
inline constexpr int kDampedNotConverged = -3; // more than 50 iterations, or a line search that did not end
inline constexpr int kDampedCannotStart = -4; // fewer than 2 points, all abscissae equal, or unknown model

// A sum of squared residuals is never reported above this, so a diverging trial step compares as bad
// instead of turning into infinities.
inline constexpr double kChiSquareCap = 1e30;

struct TDampedFitResult {
    std::vector<double> parameters; // empty when the fit could not start
    int endCode = kDampedCannotStart;
    int iterations = 0;
};

TDampedFitResult DampedFit(const std::vector<double>& t, const std::vector<double>& y, int modelCode);

// Building blocks, shared with the models.

// The fitted part of a model (without the held offset) at abscissa t; p as in the fit: (r, b, c) for the
// exponential, (A, w, phi[, k]) for the sinusoids.
double DampedModelValue(int modelCode, const std::vector<double>& p, double t);

// Sum of squared residuals of y against the fitted part of the model, in index order, capped at
// kChiSquareCap (a NaN sum counts as the cap).
double ChiSquare(
    int modelCode, const std::vector<double>& p, const std::vector<double>& t, const std::vector<double>& y);

// The starting parameters (full vector, offset first for the sinusoids).
std::vector<double> DampedStartingValues(int modelCode, const std::vector<double>& t, const std::vector<double>& y);

// Pulsation from the first half period of centred ordinates: pi over the distance between the middles of
// the first two sign changes; start when there are not two changes. A change counts once the ordinates
// pass a tenth of their largest magnitude on the other side, so that noise flickering across zero at one
// crossing is not taken for a half period.
double HalfPeriodPulsation(const std::vector<double>& t, const std::vector<double>& centred, double start);

// After the fit of a sinusoid (full vector, offset first): a negative amplitude or pulsation is turned
// into the same curve with positive ones; a zero amplitude becomes |max of the centred ordinates| and a
// zero pulsation is estimated again from the half period.
void RepairSinusParameters(std::vector<double>& full, const std::vector<double>& t, const std::vector<double>& centred);

// Instant at which the linearly damped sinus A·sin(w·t + phi)·(1 + k·t) stops: its last turning point
// before the envelope vanishes at -1/k. +infinity when k is not negative (the motion never stops).
double SinusLinStopTime(double amplitude, double pulsation, double phase, double damping);

} // namespace kinoval::modelling
