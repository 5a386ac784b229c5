#pragma once
// Windows bitmap files (BMP) of 24-bit RGB pictures: the frames a video is broken into and the pictures a
// video is assembled from, when the user asks for the format every program of the classroom opens.
// Reading takes the uncompressed 24- and 32-bit bitmaps, bottom-up or top-down, which is what painting
// programs and cameras write.

#include "core/common/rgb_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kinoval {

// The whole file in memory (bottom-up rows padded to 4 bytes); empty for an empty image.
std::vector<std::uint8_t> EncodeBmp(const TRgbImage& image);
// 0 on success, -1 empty image, -2 the file could not be written (errorText says why). Written beside
// its name and renamed into place, as every picture of the program.
int WriteBmp(const std::string& fileName, const TRgbImage& image, std::string* errorText = nullptr);

// False (image untouched) for anything but an uncompressed 24- or 32-bit bitmap of a sane size.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, TRgbImage& image);
// Reads a regular file of at most 256 MB (a pipe or a device is refused); false when it cannot be read
// or is not such a bitmap.
bool ReadBmp(const std::string& fileName, TRgbImage& image);

} // namespace kinoval
