#pragma once
// The numerical differentiator of the kinematic quantities.
//
// One TDeriv differentiates one series: ordinates y (a picture coordinate in normalised image units, or
// an unwrapped angle in radians) against abscissae u (corrected frame numbers, strictly increasing), and
// divides by the frame period so that both derivatives are per second. Without smoothing the first
// derivative is the three-point differences of y and the second the same differences of the first.
// With smoothing, polynomial fits of growing degree decide how the series is differentiated: a series
// that barely moves or is well described by a parabola takes local parabolas, a smooth but richer one
// takes a global polynomial, and one that no low-degree polynomial describes falls back to differences.
// The second derivative continues the same ladder from where the first one stopped.
//
// The branch that produced each derivative is recorded, so that callers and tests can tell a smoothed
// result from a fallback. Result codes: 0 success, 2 fewer than 3 points; a failed polynomial fit passes
// its own code on (see modelling/least_squares.h) and leaves the derivatives unspecified.

#include <vector>

namespace kinoval::results {

enum class TDerivBranch {
    None, // not computed (fewer than 3 points, or a fit failed)
    Differences, // plain three-point differences
    LocalParabola, // parabola through each window of three points
    Polynomial, // slope of a global polynomial fit
    Blend, // global polynomial slope pushed 2 % away from the differences
    DampedDiff, // -0.02 x the differences: the blend with a zero polynomial
};

class TDeriv {
public:
    TDeriv(std::vector<double> abscissae, std::vector<double> ordinates, double framePeriod);

    // Computes both derivatives; smoothing as described above. Returns the result code.
    int Compute(bool smooth);

    const std::vector<double>& First() const { return m_first; }
    const std::vector<double>& Second() const { return m_second; }
    TDerivBranch FirstBranch() const { return m_firstBranch; }
    TDerivBranch SecondBranch() const { return m_secondBranch; }
    // Steps the smoothing ladders reached: k for the first derivative (0 = at rest), m for the second
    // (0 when its ladder did not run). Both -1 without smoothing.
    int FirstLevel() const { return m_k; }
    int SecondLevel() const { return m_m; }

    // The building blocks, each per second; they expect at least 3 points.
    std::vector<double> Differences(const std::vector<double>& y) const;
    std::vector<double> LocalParabola(const std::vector<double>& y) const;

    // Share of the centred ordinates' spread that a fit's values explain; 0 for a constant series.
    static double Goodness(const std::vector<double>& centred, const std::vector<double>& fitted);

private:
    // A change per frame as a change per second.
    double PerSecond(double perFrame) const;
    // Climbs degrees 2..5 on centred values until one explains more than 99 % of their spread, and
    // gives the slopes per second of the fit it stopped at.
    int Ladder(const std::vector<double>& centred, int& level, std::vector<double>& slopes) const;
    int ComputeSecondSmoothed(const std::vector<double>& y);

    std::vector<double> m_u;
    std::vector<double> m_y;
    double m_dt;
    std::vector<double> m_first;
    std::vector<double> m_second;
    TDerivBranch m_firstBranch = TDerivBranch::None;
    TDerivBranch m_secondBranch = TDerivBranch::None;
    int m_k = -1;
    int m_m = -1;
};

// y minus its mean; the root mean square of the result is the series' spread.
std::vector<double> Centred(const std::vector<double>& y);
double RootMeanSquare(const std::vector<double>& values);

} // namespace kinoval::results
