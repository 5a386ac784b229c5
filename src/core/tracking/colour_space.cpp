#include "core/tracking/colour_space.h"

#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>

namespace kinoval::tracking {

namespace {

int ClampByte(double v)
{
    const long r = std::lrint(255.0 * v);
    return static_cast<int>(std::clamp<long>(r, 0, 255));
}

} // namespace

TLuv RgbToLuv(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    const double R = r, G = g, B = b;
    const double X = 0.4125 * R + 0.3576 * G + 0.1804 * B;
    const double Y = 0.2125 * R + 0.7154 * G + 0.0721 * B;
    const double Z = 0.0193 * R + 0.1192 * G + 0.9502 * B;
    const double y = Y / 255.0;
    TLuv out;
    // The exponent is the stored decimal, not exactly one third: the cells depend on it at their borders.
    out.L = y <= 0.008856 ? 903.3 * y : 116.0 * std::pow(y, 0.33333333333) - 16.0;
    const double D = X + 15.0 * Y + 3.0 * Z;
    if (IsZero(D))
        return out;
    const double uPrime = 4.0 * X / D;
    const double vPrime = 9.0 * Y / D;
    out.u = 13.0 * out.L * (uPrime - kUn);
    out.v = 13.0 * out.L * (vPrime - kVn);
    return out;
}

TColor LuvToRgb(const TLuv& luv)
{
    const double L = luv.L;
    if (L < 0.1)
        return 0;
    const double Y = L >= 8 ? std::pow((L + 16.0) / 116.0, 3) : L / 903.3;
    const double uPrime = luv.u / (13.0 * L) + kUn;
    const double vPrime = luv.v / (13.0 * L) + kVn;
    if (IsZero(vPrime))
        return 0; // no chromaticity can be recovered; never met for the centre of a cell
    const double X = 9.0 * uPrime * Y / (4.0 * vPrime);
    const double Z = (12.0 - 3.0 * uPrime - 20.0 * vPrime) * Y / (4.0 * vPrime);
    const int R = ClampByte(3.2405 * X - 1.5371 * Y - 0.4985 * Z);
    const int G = ClampByte(-0.9693 * X + 1.876 * Y + 0.0416 * Z);
    const int B = ClampByte(0.0556 * X - 0.204 * Y + 1.0573 * Z);
    return static_cast<TColor>(R + 256 * G + 65536 * B);
}

void SetBinCount(int n)
{
    n = std::max(1, n);
    detail::g_binScales.binCount = n;
    detail::g_binScales.rgb = n / 256.0;
    detail::g_binScales.L = n / 100.0;
    detail::g_binScales.u = n / 258.343113734;
    detail::g_binScales.v = n / 241.51879024;
}

} // namespace kinoval::tracking
