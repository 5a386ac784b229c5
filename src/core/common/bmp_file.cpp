#include "core/common/bmp_file.h"

#include "core/common/file_access.h"
#include "core/common/ini_file.h"

namespace kinoval {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::uint32_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t Get32(const std::uint8_t* p)
{
    return Get16(p) | Get16(p + 2) << 16;
}

constexpr std::uint32_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;
// Larger pictures than this are not frames of a classroom video; refusing them keeps a damaged header
// from asking for gigabytes.
constexpr std::int64_t kMaxSide = 16384;

} // namespace

std::vector<std::uint8_t> EncodeBmp(const TRgbImage& image)
{
    std::vector<std::uint8_t> out;
    if (image.IsEmpty())
        return out;
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(image.height);
    out.reserve(kFileHeader + kInfoHeader + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kFileHeader + kInfoHeader + dataSize);
    Put32(out, 0);
    Put32(out, kFileHeader + kInfoHeader);
    Put32(out, kInfoHeader);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height)); // positive: bottom-up
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0); // BI_RGB
    Put32(out, dataSize);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* row = image.Row(y);
        for (int x = 0; x < image.width; ++x) {
            out.push_back(row[3 * x + 2]);
            out.push_back(row[3 * x + 1]);
            out.push_back(row[3 * x]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

int WriteBmp(const std::string& fileName, const TRgbImage& image, std::string* errorText)
{
    const std::vector<std::uint8_t> data = EncodeBmp(image);
    if (data.empty())
        return -1;
    const std::string_view contents(reinterpret_cast<const char*>(data.data()), data.size());
    return WriteFileAtomically(fileName, contents, errorText) == kIniOk ? 0 : -2;
}

bool DecodeBmp(const std::uint8_t* data, std::size_t size, TRgbImage& image)
{
    if (size < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint32_t offset = Get32(data + 10);
    const std::uint32_t headerSize = Get32(data + 14);
    if (headerSize < kInfoHeader || kFileHeader + static_cast<std::size_t>(headerSize) > size)
        return false;
    const std::int64_t width = static_cast<std::int32_t>(Get32(data + 18));
    const std::int64_t rawHeight = static_cast<std::int32_t>(Get32(data + 22));
    const std::uint32_t planes = Get16(data + 26);
    const std::uint32_t bits = Get16(data + 28);
    const std::uint32_t compression = Get32(data + 30);
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -rawHeight : rawHeight;
    // BI_BITFIELDS with 32 bits is the usual BGRA layout of painting programs.
    if (planes != 1 || (bits != 24 && bits != 32) || !(compression == 0 || (compression == 3 && bits == 32)))
        return false;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    const std::int64_t bytesPerPixel = bits / 8;
    const std::int64_t stride = (width * bytesPerPixel + 3) & ~std::int64_t { 3 };
    if (offset > size || static_cast<std::int64_t>(size - offset) < stride * height)
        return false;
    TRgbImage decoded(static_cast<int>(width), static_cast<int>(height));
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* src = data + offset + (topDown ? y : height - 1 - y) * stride;
        std::uint8_t* dst = decoded.Row(static_cast<int>(y));
        for (std::int64_t x = 0; x < width; ++x, src += bytesPerPixel) {
            dst[3 * x] = src[2];
            dst[3 * x + 1] = src[1];
            dst[3 * x + 2] = src[0];
        }
    }
    image = std::move(decoded);
    return true;
}

bool ReadBmp(const std::string& fileName, TRgbImage& image)
{
    std::string contents;
    if (ReadWholeFile(fileName, std::size_t { 256 } << 20, contents) != frOk)
        return false;
    return DecodeBmp(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size(), image);
}

} // namespace kinoval
