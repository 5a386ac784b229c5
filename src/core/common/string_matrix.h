#pragma once
// A table of cell texts, lines × columns, as the results table hands it to spreadsheets.

#include <string>
#include <vector>

namespace kinoval {

using TStringMatrix = std::vector<std::vector<std::string>>;

// Lines 0..3 of a results matrix are its header lines (control line, symbols, units, descriptions).
inline constexpr int kMatrixHeaderLines = 4;

} // namespace kinoval
