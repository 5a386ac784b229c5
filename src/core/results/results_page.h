#pragma once
// The pages of the results window, in its own numbering: the results buttons of the main window open it
// on one of them.

#include <cstdint>

namespace kinoval::results {

enum class TResultsPage : std::uint8_t { Formula = 0, Trajectory = 1, Table = 2, Time = 3, Vector = 4 };

} // namespace kinoval::results
