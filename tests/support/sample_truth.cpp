#include "support/sample_truth.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kinoval::test {

TSampleTruth ReadSampleTruth(const std::string& path)
{
    TSampleTruth truth;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (const auto eq = line.find(" = "); eq != std::string::npos) {
            char* end = nullptr;
            const double value = std::strtod(line.c_str() + eq + 3, &end);
            if (end != line.c_str() + eq + 3)
                truth.values[line.substr(0, eq)] = value;
            continue;
        }
        std::istringstream fields(line);
        TSampleTruth::TRow r;
        if (fields >> r.frame >> r.t >> r.xPixel >> r.yPixel >> r.x >> r.y)
            truth.rows.push_back(r);
    }
    return truth;
}

} // namespace kinoval::test
