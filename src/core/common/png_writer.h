#pragma once
// A small PNG writer for RGB images (8 bits a channel, no interlace): the headless tool's frame dumps and
// the tests' pictures. The pixels go in stored deflate blocks, so the files are large but exact.

#include "core/common/rgb_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kinoval {

// The whole PNG file in memory; empty for an empty image.
std::vector<std::uint8_t> EncodePng(const TRgbImage& image);
// 0 on success, -1 empty image, -2 the file could not be written (errorText says why). The picture is
// written beside its name and renamed into place: an existing file is replaced whole or left as it was.
int WritePng(const std::string& fileName, const TRgbImage& image, std::string* errorText = nullptr);

} // namespace kinoval
