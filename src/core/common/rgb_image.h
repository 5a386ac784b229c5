#pragma once
// A decoded frame or picture: 8-bit RGB, rows top to bottom, no padding between rows. Players hand their
// current frame over in this form; the tracker and the workshop read it; the view paints it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kinoval {

struct TRgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width * height * 3 bytes

    TRgbImage() = default;
    TRgbImage(int w, int h)
        : width(w)
        , height(h)
        , pixels(static_cast<std::size_t>(w) * h * 3, 0)
    {
    }

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    std::uint8_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width * 3; }
    const std::uint8_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width * 3; }
    std::uint8_t* At(int x, int y) { return Row(y) + static_cast<std::size_t>(x) * 3; }
    const std::uint8_t* At(int x, int y) const { return Row(y) + static_cast<std::size_t>(x) * 3; }
};

} // namespace kinoval
