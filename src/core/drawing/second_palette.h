#pragma once
// The second palette: five strong colours for the elements that are not objects (a second curve, a
// model), cycled by index.

#include "core/common/colour.h"

#include <array>

namespace kinoval::drawing {

inline constexpr std::array<TColor, 5> kSecondPalette = {0x0000FF, 0xFF0000, 0x008000, 0x6500D6, 0xD6C900};

// Entry |i| mod 5; -1 is the last entry, as for the object palette.
TColor SecondColour(int i);

} // namespace kinoval::drawing
