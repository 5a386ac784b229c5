#include "core/video/frame_rotation.h"

#include <cmath>
#include <cstring>

namespace kinoval::video {

int ClockwiseRotationOf(double counterClockwiseDegrees)
{
    if (!std::isfinite(counterClockwiseDegrees))
        return 0;
    double clockwise = std::fmod(-counterClockwiseDegrees, 360.0);
    if (clockwise < 0)
        clockwise += 360.0;
    for (int quarter : { 0, 90, 180, 270, 360 }) {
        if (std::fabs(clockwise - quarter) < 1.0)
            return quarter % 360;
    }
    return 0;
}

TRgbImage RotateClockwise(const TRgbImage& image, int degrees)
{
    const int w = image.width, h = image.height;
    if (degrees == 180) {
        TRgbImage out(w, h);
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* src = image.Row(y);
            std::uint8_t* dst = out.Row(h - 1 - y) + static_cast<std::size_t>(w - 1) * 3;
            for (int x = 0; x < w; ++x, src += 3, dst -= 3)
                std::memcpy(dst, src, 3);
        }
        return out;
    }
    if (degrees != 90 && degrees != 270)
        return image;
    // A quarter turn: the output is h wide and w high. Blocks of rows keep both sides in the cache.
    TRgbImage out(h, w);
    constexpr int kBlock = 32;
    for (int y0 = 0; y0 < h; y0 += kBlock) {
        for (int x0 = 0; x0 < w; x0 += kBlock) {
            for (int y = y0; y < y0 + kBlock && y < h; ++y) {
                const std::uint8_t* src = image.At(x0, y);
                for (int x = x0; x < x0 + kBlock && x < w; ++x, src += 3) {
                    // Clockwise: source (x, y) goes to (h - 1 - y, x); counterclockwise to (y, w - 1 - x).
                    std::uint8_t* dst = degrees == 90 ? out.At(h - 1 - y, x) : out.At(y, w - 1 - x);
                    std::memcpy(dst, src, 3);
                }
            }
        }
    }
    return out;
}

} // namespace kinoval::video
