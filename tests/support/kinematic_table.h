#pragma once
// Kinematic results for the formulas' tests, given as plain tables: [object][row] per quantity code.

#include "core/formulas/kinematic_values.h"

#include <cstdint>
#include <map>
#include <vector>

namespace kinoval::test {

class TKinematicTable : public formulas::TKinematicValues {
public:
    std::vector<double> times;
    std::vector<std::vector<int>> frames; // -1 where the object has no mark
    std::map<std::uint8_t, std::vector<std::vector<double>>> values;
    double angle = 0;

    int Rows() const override { return static_cast<int>(times.size()); }
    int ObjectCount() const override { return static_cast<int>(frames.size()); }
    double Time(int row) const override { return times.at(static_cast<std::size_t>(row)); }
    int FrameOf(int object, int row) const override
    {
        return frames.at(static_cast<std::size_t>(object)).at(static_cast<std::size_t>(row));
    }
    double Value(int object, std::uint8_t code, int row) const override
    {
        const auto found = values.find(code);
        if (found == values.end())
            return 0;
        return found->second.at(static_cast<std::size_t>(object)).at(static_cast<std::size_t>(row));
    }
    double AxisAngle() const override { return angle; }
};

} // namespace kinoval::test
