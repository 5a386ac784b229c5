#pragma once
// Hand-built AVI files for the hostile cases no writer makes: an OpenDML super index whose entries all
// point at one standard index. The frames are uncompressed 24-bit DIBs that carry their number.

#include "frame_code.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kinoval::test {

class TRiffBuilder {
public:
    std::vector<char> bytes;

    void Put16(std::uint32_t v)
    {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
    void Put32(std::uint32_t v)
    {
        Put16(v & 0xFFFF);
        Put16(v >> 16);
    }
    void Put64(std::uint64_t v)
    {
        Put32(static_cast<std::uint32_t>(v));
        Put32(static_cast<std::uint32_t>(v >> 32));
    }
    void Tag(const char* fcc) { bytes.insert(bytes.end(), fcc, fcc + 4); }
    // Opens a chunk (or a list, with its kind) and answers where its size goes.
    std::size_t Open(const char* fcc, const char* kind = nullptr)
    {
        Tag(fcc);
        const std::size_t at = bytes.size();
        Put32(0);
        if (kind != nullptr)
            Tag(kind);
        return at;
    }
    void Close(std::size_t at)
    {
        const auto size = static_cast<std::uint32_t>(bytes.size() - at - 4);
        for (int k = 0; k < 4; ++k)
            bytes[at + static_cast<std::size_t>(k)] = static_cast<char>((size >> (8 * k)) & 0xFF);
        if (bytes.size() & 1)
            bytes.push_back(0);
    }
};

// frames numbered frames of width x height at 25 fps, indexed by an OpenDML super index of
// superEntries entries that all point at the one standard index (and by nothing else).
inline std::vector<char> AviWithRepeatedSuperIndex(int width, int height, int frames, std::uint32_t superEntries)
{
    TRiffBuilder b;
    const std::size_t riff = b.Open("RIFF", "AVI ");
    const std::size_t hdrl = b.Open("LIST", "hdrl");
    const std::size_t avih = b.Open("avih");
    b.Put32(40000);
    b.Put32(0);
    b.Put32(0);
    b.Put32(0x10); // has an index
    b.Put32(static_cast<std::uint32_t>(frames));
    b.Put32(0);
    b.Put32(1);
    b.Put32(0);
    b.Put32(static_cast<std::uint32_t>(width));
    b.Put32(static_cast<std::uint32_t>(height));
    for (int i = 0; i < 4; ++i)
        b.Put32(0);
    b.Close(avih);
    const std::size_t strl = b.Open("LIST", "strl");
    const std::size_t strh = b.Open("strh");
    b.Tag("vids");
    b.Put32(0);
    b.Put32(0);
    b.Put32(0);
    b.Put32(0);
    b.Put32(1); // scale
    b.Put32(25); // rate
    b.Put32(0);
    b.Put32(static_cast<std::uint32_t>(frames));
    for (int i = 0; i < 5; ++i)
        b.Put32(0);
    b.Close(strh);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t { 3 };
    const std::size_t frameBytes = rowBytes * static_cast<std::size_t>(height);
    const std::size_t strf = b.Open("strf");
    b.Put32(40);
    b.Put32(static_cast<std::uint32_t>(width));
    b.Put32(static_cast<std::uint32_t>(height));
    b.Put16(1);
    b.Put16(24);
    b.Put32(0);
    b.Put32(static_cast<std::uint32_t>(frameBytes));
    for (int i = 0; i < 4; ++i)
        b.Put32(0);
    b.Close(strf);
    const std::size_t indx = b.Open("indx");
    b.Put16(4); // longs per entry
    b.bytes.push_back(0);
    b.bytes.push_back(0); // an index of indexes
    b.Put32(superEntries);
    b.Tag("00db");
    for (int i = 0; i < 3; ++i)
        b.Put32(0);
    const std::size_t entries = b.bytes.size();
    for (std::uint32_t i = 0; i < superEntries; ++i) {
        b.Put64(0); // filled below
        b.Put32(0);
        b.Put32(static_cast<std::uint32_t>(frames));
    }
    b.Close(indx);
    b.Close(strl);
    b.Close(hdrl);
    const std::size_t movi = b.Open("LIST", "movi");
    std::vector<std::uint32_t> dataAt;
    for (int n = 0; n < frames; ++n) {
        const TRgbImage picture = MakeNumberedFrame(width, height, n);
        const std::size_t chunk = b.Open("00db");
        dataAt.push_back(static_cast<std::uint32_t>(b.bytes.size()));
        for (int y = height - 1; y >= 0; --y) { // bottom-up BGR rows
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p = picture.At(x, y);
                b.bytes.push_back(static_cast<char>(p[2]));
                b.bytes.push_back(static_cast<char>(p[1]));
                b.bytes.push_back(static_cast<char>(p[0]));
            }
            for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < rowBytes; ++pad)
                b.bytes.push_back(0);
        }
        b.Close(chunk);
    }
    const std::size_t ix00At = b.bytes.size();
    const std::size_t ix00 = b.Open("ix00");
    b.Put16(2);
    b.bytes.push_back(0);
    b.bytes.push_back(1); // an index of chunks
    b.Put32(static_cast<std::uint32_t>(frames));
    b.Tag("00db");
    b.Put64(0); // base offset: the entries count from the file's start
    b.Put32(0);
    for (int n = 0; n < frames; ++n) {
        b.Put32(dataAt[static_cast<std::size_t>(n)]);
        b.Put32(static_cast<std::uint32_t>(frameBytes));
    }
    b.Close(ix00);
    b.Close(movi);
    b.Close(riff);
    const std::uint32_t ix00Size = static_cast<std::uint32_t>(b.bytes.size() - ix00At);
    for (std::uint32_t i = 0; i < superEntries; ++i) {
        const std::size_t e = entries + static_cast<std::size_t>(i) * 16;
        for (int k = 0; k < 8; ++k)
            b.bytes[e + static_cast<std::size_t>(k)]
                = static_cast<char>((static_cast<std::uint64_t>(ix00At) >> (8 * k)) & 0xFF);
        for (int k = 0; k < 4; ++k)
            b.bytes[e + 8 + static_cast<std::size_t>(k)] = static_cast<char>((ix00Size >> (8 * k)) & 0xFF);
    }
    return b.bytes;
}

} // namespace kinoval::test
