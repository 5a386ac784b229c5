#include "core/common/png_writer.h"

#include "core/common/ini_file.h"

#include <array>

namespace kinoval {

namespace {

const std::array<std::uint32_t, 256>& CrcTable()
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

std::uint32_t Crc(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0xFFFFFFFFu)
{
    const auto& table = CrcTable();
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    std::size_t start = out.size();
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(type[i]));
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc(out.data() + start, out.size() - start) ^ 0xFFFFFFFFu);
}

} // namespace

std::vector<std::uint8_t> EncodePng(const TRgbImage& image)
{
    if (image.IsEmpty() || image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        return {};
    std::vector<std::uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(image.width));
    PutBig32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), { 8, 2, 0, 0, 0 }); // 8 bits, RGB, deflate, adaptive filters, no interlace
    PutChunk(out, "IHDR", header);

    // Raw scan lines, each after a "no filter" byte, wrapped in zlib stored blocks of at most 65535 bytes.
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), image.Row(y), image.Row(y) + rowBytes);
    }
    std::vector<std::uint8_t> z = { 0x78, 0x01 };
    std::size_t pos = 0;
    do {
        std::size_t len = std::min<std::size_t>(65535, raw.size() - pos);
        bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(len));
        z.push_back(static_cast<std::uint8_t>(len >> 8));
        z.push_back(static_cast<std::uint8_t>(~len));
        z.push_back(static_cast<std::uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
            raw.begin() + static_cast<std::ptrdiff_t>(pos + len));
        pos += len;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, b << 16 | a);
    PutChunk(out, "IDAT", z);
    PutChunk(out, "IEND", {});
    return out;
}

int WritePng(const std::string& fileName, const TRgbImage& image, std::string* errorText)
{
    std::vector<std::uint8_t> bytes = EncodePng(image);
    if (bytes.empty())
        return -1;
    const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return WriteFileAtomically(fileName, contents, errorText) == kIniOk ? 0 : -2;
}

} // namespace kinoval
