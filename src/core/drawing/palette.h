#pragma once
// The colours given to tracked objects: every new object takes the next entry of the object palette, and
// the digit keys of the view cycle an object's colour through it. The second, short palette serves the
// graphs' secondary curves.

#include "core/common/colour.h"

#include <array>
#include <cstddef>

namespace kinoval {

inline constexpr std::size_t kObjectPaletteSize = 65;
inline constexpr std::size_t kSecondPaletteSize = 5;

const std::array<TColor, kObjectPaletteSize>& ObjectPalette();
const std::array<TColor, kSecondPaletteSize>& SecondPalette();

// Entry |i| mod 65; -1 stands for the last entry (so "previous of entry 0" wraps round).
TColor ObjectColour(int i);
// The same over the second palette (mod 5).
TColor SecondColour(int i);
// Index of the first object palette entry equal to colour; -1 when the colour is not in the palette, so
// that "next colour" from an unknown colour starts again at entry 0.
int ColourIndex(TColor colour);

} // namespace kinoval
