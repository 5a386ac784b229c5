#pragma once
// Test pictures that carry their own frame number: 16 bits as a 4 x 4 grid of black or white blocks, with
// a coloured corner mark so that swapped channels and flipped rows show too. Any codec keeps blocks this
// large readable.

#include "core/common/rgb_image.h"

#include <cstdint>

namespace kinoval::test {

inline TRgbImage MakeNumberedFrame(int width, int height, int number)
{
    TRgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int bit = (y * 4 / height) * 4 + (x * 4 / width);
            std::uint8_t v = (number >> bit) & 1 ? 235 : 16;
            std::uint8_t* p = image.At(x, y);
            p[0] = p[1] = p[2] = v;
        }
    }
    // Top-left corner: pure red on a quarter of the first block.
    for (int y = 0; y < height / 16; ++y) {
        for (int x = 0; x < width / 16; ++x) {
            std::uint8_t* p = image.At(x, y);
            p[0] = 220;
            p[1] = 20;
            p[2] = 20;
        }
    }
    return image;
}

// The number a picture carries, or -1 when the corner mark is missing (wrong channel order or row order).
inline int ReadFrameNumber(const TRgbImage& image)
{
    if (image.IsEmpty())
        return -1;
    const int w = image.width, h = image.height;
    const std::uint8_t* corner = image.At(w / 32, h / 32);
    if (!(corner[0] > 150 && corner[1] < 100 && corner[2] < 100))
        return -1;
    int number = 0;
    for (int bit = 0; bit < 16; ++bit) {
        int bx = bit % 4, by = bit / 4;
        long sum = 0, count = 0;
        // The centre of the block, away from the edges that lossy codecs blur.
        for (int y = by * h / 4 + h / 16 + 2; y < (by + 1) * h / 4 - h / 16; ++y) {
            for (int x = bx * w / 4 + w / 16 + 2; x < (bx + 1) * w / 4 - w / 16; ++x) {
                sum += image.At(x, y)[1];
                ++count;
            }
        }
        if (count > 0 && sum / count > 128)
            number |= 1 << bit;
    }
    return number;
}

} // namespace kinoval::test
