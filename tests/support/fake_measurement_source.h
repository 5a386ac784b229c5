#pragma once
// A measurement document reduced to what the calculators read, filled by tests mark by mark.

#include "core/document/measurement.h"

#include <vector>

namespace kinoval::test {

class TFakeMeasurementSource : public TMeasurementSource {
public:
    struct TSet {
        TMeasurement measurement;
        TFrameGeometry geometry { 1.0, 1.0, 0.0, true, true };
    };

    bool videoOpen = true;
    double framePeriod = 0.04;
    TSet fixed;
    TSet transparent;

    TSet& Of(TMarkSet set) { return set == TMarkSet::Transparent ? transparent : fixed; }

    // Adds a mark of object `object` on corrected frame `frame` at (X, Y), normalised and Y upward,
    // creating the object and the instant as needed; instants stay in increasing frame order and the
    // times are recomputed from the smallest pointed frame.
    void AddMark(TMarkSet set, int object, int frame, double X, double Y);

    bool IsVideoOpen() const override { return videoOpen; }
    void ExportMeasurement(TMarkSet set, TMeasurement& out) const override;
    TFrameGeometry Geometry(TMarkSet set) const override;
    double TimeBetweenFrames() const override { return framePeriod; }

private:
    std::vector<int> m_rowFrames[2]; // pointed frame of each instant, per set
};

} // namespace kinoval::test
