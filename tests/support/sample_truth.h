#pragma once
// The ground truth the sample generator writes beside each sample video: "key = value" lines (width,
// fps, pixels_per_metre, the ruler's ends, g ...) and one row per frame: frame, t (s), x and y in picture
// pixels (pixel i covering [i, i+1), y downward), x and y in metres.

#include <map>
#include <string>
#include <vector>

namespace kinoval::test {

struct TSampleTruth {
    std::map<std::string, double> values;
    struct TRow {
        int frame = 0;
        double t = 0, xPixel = 0, yPixel = 0, x = 0, y = 0;
    };
    std::vector<TRow> rows;
};

// Empty when the file cannot be read.
TSampleTruth ReadSampleTruth(const std::string& path);

} // namespace kinoval::test
