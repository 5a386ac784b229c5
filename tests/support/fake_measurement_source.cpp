#include "support/fake_measurement_source.h"

#include <algorithm>
#include <cstddef>

namespace kinoval::test {

void TFakeMeasurementSource::AddMark(TMarkSet set, int object, int frame, double X, double Y)
{
    TMeasurement& m = Of(set).measurement;
    std::vector<int>& rowFrames = m_rowFrames[set == TMarkSet::Transparent ? 1 : 0];
    auto it = std::lower_bound(rowFrames.begin(), rowFrames.end(), frame);
    const auto row = static_cast<std::size_t>(it - rowFrames.begin());
    if (it == rowFrames.end() || *it != frame) {
        rowFrames.insert(it, frame);
        m.times.insert(m.times.begin() + static_cast<std::ptrdiff_t>(row), 0.0);
        for (std::size_t o = 0; o < m.frames.size(); ++o) {
            m.frames[o].insert(m.frames[o].begin() + static_cast<std::ptrdiff_t>(row), -1);
            m.X[o].insert(m.X[o].begin() + static_cast<std::ptrdiff_t>(row), 0.0);
            m.Y[o].insert(m.Y[o].begin() + static_cast<std::ptrdiff_t>(row), 0.0);
        }
    }
    while (m.frames.size() <= static_cast<std::size_t>(object)) {
        m.frames.emplace_back(rowFrames.size(), -1);
        m.X.emplace_back(rowFrames.size(), 0.0);
        m.Y.emplace_back(rowFrames.size(), 0.0);
    }
    m.frames[object][row] = frame;
    m.X[object][row] = X;
    m.Y[object][row] = Y;
    for (std::size_t r = 0; r < rowFrames.size(); ++r)
        m.times[r] = (rowFrames[r] - rowFrames.front()) * framePeriod;
}

void TFakeMeasurementSource::ExportMeasurement(TMarkSet set, TMeasurement& out) const
{
    out = set == TMarkSet::Transparent ? transparent.measurement : fixed.measurement;
}

TFrameGeometry TFakeMeasurementSource::Geometry(TMarkSet set) const
{
    return set == TMarkSet::Transparent ? transparent.geometry : fixed.geometry;
}

} // namespace kinoval::test
