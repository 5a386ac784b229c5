#pragma once
// TMotionModel: where a tracked object should be on a coming frame, from where it was on the last ones.
//
// A fast object moves by more than the search radius between two frames; searching around its last
// position then finds nothing, or something else. The search starts instead where the object's recent
// course leads: one position gives no motion, two give a constant velocity, three or more a constant
// acceleration (a parabola fitted by least squares over the last few positions, in frame numbers, so that a
// step between pointed frames or a frame without a position bends nothing). The last few positions are
// all it keeps: a course that turns (a bounce, a pendulum's end) is forgotten within a few frames.
//
// Positions are frame pixels with fractions (pixel i at i).

#include "core/document/doc_types.h"

#include <vector>

namespace kinoval::tracking {

struct TMotionSample {
    int frame = 0;
    TPointD position;
};

class TMotionModel {
public:
    // The positions a prediction is drawn from.
    static constexpr int kKept = 5;

    void Clear() { m_samples.clear(); }
    // frame after every frame already added (an earlier or equal one is ignored).
    void Add(int frame, TPointD position);
    // A run that starts again on frame (from a new outline whose centre is start) goes on from the
    // positions tracked before it, moved as a whole so that their course runs into start: a new outline
    // is never drawn exactly where the tracker put the object, and that offset is not a motion.
    void Resume(const std::vector<TMotionSample>& earlier, int frame, TPointD start);

    int Count() const { return static_cast<int>(m_samples.size()); }
    // Whether a velocity is known (two positions or more).
    bool KnowsMotion() const { return m_samples.size() >= 2; }
    const TMotionSample& Last() const { return m_samples.back(); }
    const std::vector<TMotionSample>& Samples() const { return m_samples; }
    // The expected position on frame; the last position while no motion is known, (0, 0) with none.
    TPointD Predict(int frame) const;

private:
    std::vector<TMotionSample> m_samples;
};

// The value at t of the polynomial of degree min(2, n - 1) fitted by least squares to (ts, vs).
double ExtrapolateCourse(const std::vector<double>& ts, const std::vector<double>& vs, double t);

} // namespace kinoval::tracking
