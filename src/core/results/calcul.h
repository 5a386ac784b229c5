#pragma once
// One kinematic calculator: the physical time series of every object of one mark set.
//
// Recompute() pulls the pointed instants and the marks of its mark set out of the measurement document
// (through TMeasurementSource only) and turns them into positions in metres, both in the user's axes and
// in the picture's axes; Derive() then differentiates each object's picture coordinates against its
// frame numbers (or against the instants themselves when they are the frames' own timestamps, whose
// spacing varies) and fills velocities, accelerations and the polar quantities. Everything is rebuilt
// from scratch on each call: the document changes rarely and a full pass over a class study costs far
// less than a video frame.
//
// Layout of the results. Rows are the instants on which at least one object has a mark, in increasing
// order. Per object and per mark (jagged, in row order) the calculator keeps every quantity in the
// user's axes; per object and per row it keeps full matrices (0 where the object has no mark), with x,
// y and their derivatives in both axis versions.
//
// Codes of Recompute: 0 success, 4 no valid scale (arrays sized to the new study but left at 0), 5 no
// video. Codes of Derive: 0 success, 2 an object with fewer than 3 marks, 3 nothing to compute, or the
// code of a failed polynomial fit. A calculator stays dirty until a recomputation succeeds.

#include "core/document/measurement.h"
#include "core/results/deriv.h"
#include "core/results/quantity.h"

#include <cstdint>
#include <vector>

namespace kinoval::results {

class TCalcul {
public:
    explicit TCalcul(TMarkSet markSet)
        : m_markSet(markSet)
    {
    }

    TMarkSet MarkSet() const { return m_markSet; }

    int Recompute(const TMeasurementSource& source);
    int Derive(int smoothFlags);

    bool IsDirty() const { return m_dirty; }
    void Invalidate()
    {
        m_dirty = true;
        ++m_generation;
    }
    // Counts the passes (recomputations, derivative passes, invalidations): whoever computes from these
    // results (the user formulas) knows from it that they may have changed since.
    std::uint64_t Generation() const { return m_generation; }

    double Sx() const { return m_sx; }
    double Sy() const { return m_sy; }
    int ObjectCount() const { return m_objects; }
    int Rows() const { return static_cast<int>(m_times.size()); }
    double Time(int row) const;
    const std::vector<double>& Times() const { return m_times; }
    const std::vector<int>& RowIndices() const { return m_rowIndex; }
    int FrameOf(int object, int row) const; // -1 no mark; 0 out of range
    const std::vector<int>& FramesOf(int object) const; // per row, empty for an object out of range
    int MarkCount(int object) const;

    // Per-row value of a quantity; 0 outside the rows or the objects, or for a code without a quantity.
    double Value(int axes, int object, TQuantity code, int row) const;
    // The objects x rows matrix of a quantity (empty for a code without one); code 0 gives the times
    // repeated on every object's row.
    std::vector<std::vector<double>> Series(TQuantity code, int axes) const;
    // Extremes over the rows where the object has a mark; -1e100 / +1e100 when there are none.
    double MaxOf(int axes, int object, TQuantity code) const;
    double MinOf(int axes, int object, TQuantity code) const;
    double MaxAll(int axes, TQuantity code) const;
    double MinAll(int axes, TQuantity code) const;

    // Per-mark series of one object, in row order, user's axes.
    struct TMarkSeries {
        std::vector<int> row; // the row of each mark
        std::vector<double> frame, pictureX, pictureY, x, y, vx, vy, v, ax, ay, a, theta, r, omega;
        std::vector<double> time; // seconds, the row's instant
        // How the last derivative pass differentiated the picture x [0] and y [1], and the angle.
        TDerivBranch velocityBranch[2] = { TDerivBranch::None, TDerivBranch::None };
        TDerivBranch accelerationBranch[2] = { TDerivBranch::None, TDerivBranch::None };
        TDerivBranch omegaBranch = TDerivBranch::None;
    };
    const TMarkSeries* MarksOf(int object) const;

private:
    using TMatrix = std::vector<std::vector<double>>;

    void SizeArrays(int objects, int rows);
    int DeriveObject(int object, int smoothFlags);
    int PolarObject(int object, int smoothFlags);
    // Turns a vector given in the picture's axes (already in metres) into the user's axes.
    void ToUserAxes(double px, double py, double& ux, double& uy) const;
    const TMatrix* Matrix(TQuantity code, int axes) const;

    TMarkSet m_markSet;
    bool m_dirty = true;
    std::uint64_t m_generation = 0;
    double m_sx = -1, m_sy = -1;
    double m_cos = 1, m_sin = 0;
    bool m_xDirect = true, m_yDirect = true;
    double m_dt = 0;
    bool m_timesFromFrames = false; // derivatives against the rows' own times rather than frame numbers
    int m_objects = 0;
    std::vector<double> m_times;
    std::vector<int> m_rowIndex;
    std::vector<std::vector<int>> m_frames; // [object][row], -1 = no mark
    std::vector<int> m_markCount;
    std::vector<TMarkSeries> m_marks; // [object]
    TMatrix m_x[2], m_y[2], m_vx[2], m_vy[2], m_ax[2], m_ay[2];
    TMatrix m_v, m_a, m_theta, m_r, m_omega;
};

} // namespace kinoval::results
