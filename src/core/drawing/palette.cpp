#include "core/drawing/palette.h"

#include <cstdlib>

namespace kinoval {

namespace {

// Written 0xBBGGRR, red in the low byte. Entries 2 and 35 are the same green on purpose: the table is the
// one users already know, and a colour index therefore always answers the first of the two.
constexpr std::array<TColor, kObjectPaletteSize> kObject = {
    0x0000FF, 0xE9D105, 0x32CD32, 0xDCF8FF, 0x00D7FF, 0x8B8B00, 0x9314FF, 0x6BB7BD, 0x00FC7C, 0xD1CE00,
    0x4763FF, 0xAAB220, 0x7AA0FF, 0xDCDCDC, 0x1E69D2, 0x20A5DA, 0xB469FF, 0xED9564, 0x3C14DC, 0x90EE90,
    0x0045FF, 0x7A96E9, 0xFFBF00, 0x507FFF, 0xAACD66, 0x8CE6F0, 0x008CFF, 0x5C5CCD, 0xE6D8AD, 0x8080F0,
    0x0B86B8, 0xC1B6FF, 0xFACE87, 0xDEC4B0, 0x00FF00, 0x32CD32, 0x8515C7, 0xCCD148, 0x9AFA00, 0xEE687B,
    0x71B33C, 0xD355BA, 0xCD0000, 0x22B222, 0xFF00FF, 0x578B2E, 0x60A4F4, 0x7280FA, 0xE16941, 0x8F8FBC,
    0xDDA0DD, 0x3F85CD, 0x9370DB, 0xD670DA, 0x8FBC8F, 0x00A5FF, 0x32CD9A, 0xEE82EE, 0xD0E040, 0xA09E5F,
    0xD8BFD8, 0x808000, 0xCD5A6A, 0x87B8DE, 0x00FFFF};

constexpr std::array<TColor, kSecondPaletteSize> kSecond = {0x0000FF, 0xFF0000, 0x008000, 0x6500D6, 0xD6C900};

template <std::size_t N>
TColor Cycle(const std::array<TColor, N>& palette, int i)
{
    if (i == -1)
        return palette[N - 1];
    // |i| computed in a wider type so that the most negative int does not overflow.
    const long long magnitude = std::llabs(static_cast<long long>(i));
    return palette[static_cast<std::size_t>(magnitude % static_cast<long long>(N))];
}

} // namespace

const std::array<TColor, kObjectPaletteSize>& ObjectPalette() { return kObject; }
const std::array<TColor, kSecondPaletteSize>& SecondPalette() { return kSecond; }

TColor ObjectColour(int i) { return Cycle(kObject, i); }
TColor SecondColour(int i) { return Cycle(kSecond, i); }

int ColourIndex(TColor colour)
{
    for (std::size_t i = 0; i < kObject.size(); ++i)
        if (kObject[i] == colour)
            return static_cast<int>(i);
    return -1;
}

} // namespace kinoval
