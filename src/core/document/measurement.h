#pragma once
// What the calculations pull out of the measurement document.
//
// The document exports, for one mark set, the pointed instants and, per object, the corrected frame
// number and the position relative to the origin (normalised image units, Y upward) of its mark at each
// instant. The instants are the frame numbers times the time between two frames, or, when the study
// follows the video's own timestamps (a variable frame rate), the frames' presentation times. The
// calculators turn them into physical series with the frame geometry (scale factors, axis angle and
// directions). TData implements TMeasurementSource; the calculators only see this interface.

#include <vector>

namespace kinoval {

enum class TMarkSet { Fixed = 0, Transparent = 1 };

struct TMeasurement {
    std::vector<double> times; // [point], seconds from the first pointed frame
    bool timesFromFrames = false; // the frames' own timestamps, not frame numbers x period
    std::vector<std::vector<int>> frames; // [object][point], corrected frame number, -1 = no mark
    std::vector<std::vector<double>> X; // [object][point], relative x, 0 without a mark
    std::vector<std::vector<double>> Y; // [object][point], -(relative y), so Y grows upward
};

struct TFrameGeometry {
    double sx = -1; // metres per normalised unit along the picture's x; not > 0 means no scale
    double sy = -1; // along the picture's y
    double xAxisAngle = 0; // radians, counterclockwise; 0 for the transparent sheet
    bool xAxisDirect = true; // false: x values are negated
    bool yAxisDirect = true;
};

class TMeasurementSource {
public:
    virtual ~TMeasurementSource() = default;
    virtual bool IsVideoOpen() const = 0;
    virtual void ExportMeasurement(TMarkSet set, TMeasurement& out) const = 0;
    virtual TFrameGeometry Geometry(TMarkSet set) const = 0;
    virtual double TimeBetweenFrames() const = 0;
};

} // namespace kinoval
