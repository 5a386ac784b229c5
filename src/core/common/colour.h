#pragma once
// Colours are 32-bit values packed as 0x00BBGGRR, the form the study files store.

#include <cstdint>

namespace kinoval {

using TColor = std::uint32_t;

constexpr TColor MakeColor(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned RedOf(TColor c)
{
    return c & 0xFFu;
}
constexpr unsigned GreenOf(TColor c)
{
    return (c >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(TColor c)
{
    return (c >> 16) & 0xFFu;
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;

} // namespace kinoval
