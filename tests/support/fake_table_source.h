#pragma once
// A results table's source for tests: rows, marks and values set by hand.

#include "core/results/table_source.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace kinoval::test {

class TFakeTableSource : public results::TTableSource {
public:
    // objects × rows with a mark everywhere (frame = row), times row · dt.
    TFakeTableSource(int objects, int rows, double dt = 0.04)
        : frames(static_cast<std::size_t>(objects), std::vector<int>(static_cast<std::size_t>(rows)))
    {
        for (int r = 0; r < rows; ++r)
            times.push_back(r * dt);
        for (auto& line : frames)
            for (int r = 0; r < rows; ++r)
                line[static_cast<std::size_t>(r)] = r;
        for (int k = 0; k < objects; ++k)
            names.push_back("objet " + std::to_string(k + 1));
    }

    // Values default to a formula of the object, code and row, so every cell differs.
    static double DefaultValue(int object, int code, int row) { return 100 * object + code + row / 8.0; }

    int ObjectCount() const override { return static_cast<int>(frames.size()); }
    int Rows() const override { return static_cast<int>(times.size()); }
    double Time(int row) const override { return times.at(static_cast<std::size_t>(row)); }
    int FrameOf(int object, int row) const override
    {
        return frames.at(static_cast<std::size_t>(object)).at(static_cast<std::size_t>(row));
    }
    double Value(int object, int code, int row) const override
    {
        auto it = values.find({ object, code, row });
        return it != values.end() ? it->second : DefaultValue(object, code, row);
    }
    double AxisAngle() const override { return angle; }
    std::string ObjectName(int object) const override { return names.at(static_cast<std::size_t>(object)); }

    void Unmark(int object, int row)
    {
        frames.at(static_cast<std::size_t>(object)).at(static_cast<std::size_t>(row)) = -1;
    }
    void Set(int object, int code, int row, double value) { values[{ object, code, row }] = value; }

    std::vector<double> times;
    std::vector<std::vector<int>> frames;
    std::vector<std::string> names;
    std::map<std::tuple<int, int, int>, double> values;
    double angle = 0;
};

} // namespace kinoval::test
