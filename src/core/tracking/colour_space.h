#pragma once
// Colour spaces of the tracker: RGB bytes to CIE L*u*v* and back, and the shared bin count that cuts the
// L*u*v* cube into the cells of the colour histograms.
//
// The histograms of every tracker operation use the same cells, so the bin count and the four scale
// factors derived from it are module state: the tracking driver sets the count before each run and every
// histogram, model or candidate, reads the factors from here.

#include "core/common/colour.h"

#include <cstdint>

namespace kinoval::tracking {

struct TLuv {
    double L = 0;
    double u = 0;
    double v = 0;
};

// White point chromaticities of the conversion.
inline constexpr double kUn = 0.19784977571475;
inline constexpr double kVn = 0.46834507665248;

// R, G and B on the 0..255 scale.
TLuv RgbToLuv(std::uint8_t r, std::uint8_t g, std::uint8_t b);
// Back to a packed colour (red in the low byte); very dark values give black.
TColor LuvToRgb(const TLuv& luv);

struct TBinScales {
    int binCount = 20;
    double rgb = 20 / 256.0;
    double L = 20 / 100.0;
    double u = 20 / 258.343113734;
    double v = 20 / 241.51879024;
};

namespace detail {
// The module state itself; read through BinScales, changed through SetBinCount only.
inline TBinScales g_binScales;
} // namespace detail

// The module state: BinCount and its scale factors. A count below 1 counts as 1.
void SetBinCount(int n);
inline int BinCount()
{
    return detail::g_binScales.binCount;
}
inline const TBinScales& BinScales()
{
    return detail::g_binScales;
}

// The cell of a colour on each channel: truncated, then kept within 0 .. BinCount - 1, so that every
// negative u* or v* shares cell 0 of its channel with zero. (Inline: the tracker asks it for every pixel.)
inline int BinIndex(double value, double scale)
{
    const double t = value * scale;
    if (!(t >= 1)) // negatives, NaN and everything under one cell
        return 0;
    const int last = detail::g_binScales.binCount - 1;
    return t >= last ? last : static_cast<int>(t);
}

// The flat index (L outermost, then u, then v) of the cell of a colour.
inline int BinOf(const TLuv& luv)
{
    const TBinScales& s = detail::g_binScales;
    const int n = s.binCount;
    return (BinIndex(luv.L, s.L) * n + BinIndex(luv.u, s.u)) * n + BinIndex(luv.v, s.v);
}

} // namespace kinoval::tracking
