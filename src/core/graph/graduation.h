#pragma once
// The graduation of an axis and the texts of its labels.
//
// ComputeGraduation picks a step of 0.2, 0.4, 0.6, 0.8, 1 or 2 times a power of ten so that an axis shows
// about five graduations, and the first and last graduation inside [min, max]. The label format depends
// on the larger magnitude of the two bounds: exponent notation for the very small and the very large,
// fixed notation with fewer decimals as the numbers grow otherwise. A graduation that should be 0 but
// carries the rounding of the additions that made it (1e-17) prints as "0".

#include <string>

namespace kinoval::graph {

struct TGraduation {
    double first = 0;
    double last = 0;
    double step = 0;
    int count = 0;
};

TGraduation ComputeGraduation(double min, double max);

struct TLabelFormat {
    bool exponent = false;
    int decimals = 0; // fixed notation
};

TLabelFormat LabelFormatOf(double min, double max);

// The text of the index-th graduation (0 for the first) of value `value`, with the decimal separator given.
std::string FormatGraduation(double value, int index, double step, const TLabelFormat& format, char separator);

} // namespace kinoval::graph
