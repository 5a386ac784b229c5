#include "core/drawing/arrow_head.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace kinoval {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t num = static_cast<std::int64_t>(a) * b;
    const std::int64_t den = c;
    std::int64_t q = num / den;
    const std::int64_t r = num % den;
    // Round half away from zero: compare twice the remainder with the divisor, in magnitude.
    if (2 * std::llabs(r) >= std::llabs(den))
        q += ((num < 0) != (den < 0)) ? -1 : 1;
    if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(q);
}

namespace drawing {

TArrowHead FixedArrowHead(TScreenPoint tail, TScreenPoint tip, int widthPercent, int headLength)
{
    if (tail == tip)
        return {tip, tip, tip};
    const double dx = static_cast<double>(tip.x) - tail.x;
    const double dy = static_cast<double>(tip.y) - tail.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    const int ux = static_cast<int>(std::lround(headLength * dx / len));
    const int uy = static_cast<int>(std::lround(headLength * dy / len));
    const int l = MulDiv(uy, widthPercent, 100);
    const int m = MulDiv(ux, widthPercent, 100);
    return {TScreenPoint{tip.x - ux + l, tip.y - uy - m}, tip, TScreenPoint{tip.x - ux - l, tip.y - uy + m}};
}

TArrowHead ArrowHead(TScreenPoint tail, TScreenPoint tip, int widthPercent, int maxLength, int minLength,
                     int perMille)
{
    const int w = std::clamp(std::abs(widthPercent), 0, 100);
    const int d = std::clamp(std::abs(perMille), 0, 1000);
    const TScreenPoint base{tail.x + MulDiv(tip.x - tail.x, 1000 - d, 1000),
                            tail.y + MulDiv(tip.y - tail.y, 1000 - d, 1000)};
    const std::int64_t hx = static_cast<std::int64_t>(tip.x) - base.x;
    const std::int64_t hy = static_cast<std::int64_t>(tip.y) - base.y;
    const std::int64_t length2 = hx * hx + hy * hy;
    if (minLength > 0 && static_cast<std::int64_t>(minLength) * minLength > length2)
        return FixedArrowHead(tail, tip, w, minLength);
    if (maxLength > 0 && length2 > static_cast<std::int64_t>(maxLength) * maxLength)
        return FixedArrowHead(tail, tip, w, maxLength);
    const int b = MulDiv(tip.x - base.x, w, 100);
    const int dd = MulDiv(tip.y - base.y, w, 100);
    return {TScreenPoint{base.x - dd, base.y + b}, tip, TScreenPoint{base.x + dd, base.y - b}};
}

TColor ScaleColour(TColor colour, int percent)
{
    const long long p = std::clamp(std::llabs(static_cast<long long>(percent)), 0LL, 100LL);
    auto channel = [p](unsigned v) {
        return static_cast<unsigned>(std::min(255, MulDiv(static_cast<int>(v), static_cast<int>(p), 100)));
    };
    return MakeColor(channel(RedOf(colour)), channel(GreenOf(colour)), channel(BlueOf(colour)));
}

} // namespace drawing
} // namespace kinoval
