#include "media/avi_writer.h"

#include "core/common/file_beside.h"
#include "core/common/ini_file.h"

#include <turbojpeg.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace kinoval::media {

namespace {

constexpr std::uint64_t kMaxFileSize = 1ULL << 30;
constexpr std::uint32_t kKeyFrame = 0x10;
constexpr std::uint32_t kHasIndex = 0x10;

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
struct TJpegFree {
    void operator()(void* h) const { tjDestroy(h); }
};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutFourCC(std::vector<std::uint8_t>& out, const char* fcc)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(fcc[i]));
}
void Set32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct TIndexEntry {
    std::uint32_t offset; // of the chunk header, from the 'movi' four-character code
    std::uint32_t size;
};

} // namespace

struct TAviWriter::TImpl {
    // The video grows beside its name and takes it at Close: an unfinished or failed recording never
    // replaces a video of that name.
    std::unique_ptr<TFileBeside> beside;
    std::unique_ptr<std::FILE, TFileCloser> file;
    std::unique_ptr<void, TJpegFree> jpeg;
    int width = 0, height = 0;
    unsigned rate = 0, scale = 1;
    TAviCodec codec = TAviCodec::acDib24;
    int quality = 90;
    std::vector<TIndexEntry> index;
    std::uint64_t written = 0; // bytes in the file so far
    std::uint64_t moviFourCC = 0; // file position of 'movi'
    std::uint32_t largest = 0;
    std::vector<std::uint8_t> header;
    std::size_t posTotalFrames = 0, posLength = 0, posMoviSize = 0, posSuggested1 = 0, posSuggested2 = 0;
    std::vector<std::uint8_t> scratch;
    bool failed = false;

    bool WriteBytes(const void* data, std::size_t size)
    {
        if (failed || written + size > kMaxFileSize || std::fwrite(data, 1, size, file.get()) != size) {
            failed = true;
            return false;
        }
        written += size;
        return true;
    }

    void BuildHeader()
    {
        auto& h = header;
        h.clear();
        const bool mjpeg = codec == TAviCodec::acMjpeg;
        const std::uint32_t imageSize = static_cast<std::uint32_t>(((width * 3 + 3) & ~3) * height);
        PutFourCC(h, "RIFF");
        Put32(h, 0); // patched
        PutFourCC(h, "AVI ");
        PutFourCC(h, "LIST");
        Put32(h, 4 + 8 + 56 + 8 + 4 + 8 + 56 + 8 + 40);
        PutFourCC(h, "hdrl");
        PutFourCC(h, "avih");
        Put32(h, 56);
        Put32(h, static_cast<std::uint32_t>(1000000.0 * scale / rate + 0.5));
        Put32(h, 0);
        Put32(h, 0);
        Put32(h, kHasIndex);
        posTotalFrames = h.size();
        Put32(h, 0);
        Put32(h, 0);
        Put32(h, 1);
        posSuggested1 = h.size();
        Put32(h, 0);
        Put32(h, static_cast<std::uint32_t>(width));
        Put32(h, static_cast<std::uint32_t>(height));
        for (int i = 0; i < 4; ++i)
            Put32(h, 0);
        PutFourCC(h, "LIST");
        Put32(h, 4 + 8 + 56 + 8 + 40);
        PutFourCC(h, "strl");
        PutFourCC(h, "strh");
        Put32(h, 56);
        PutFourCC(h, "vids");
        PutFourCC(h, mjpeg ? "MJPG" : "DIB ");
        Put32(h, 0); // flags
        Put16(h, 0);
        Put16(h, 0);
        Put32(h, 0); // initial frames
        Put32(h, scale);
        Put32(h, rate);
        Put32(h, 0); // start
        posLength = h.size();
        Put32(h, 0);
        posSuggested2 = h.size();
        Put32(h, 0);
        Put32(h, 0xFFFFFFFFu);
        Put32(h, 0);
        Put16(h, 0);
        Put16(h, 0);
        Put16(h, static_cast<std::uint16_t>(width));
        Put16(h, static_cast<std::uint16_t>(height));
        PutFourCC(h, "strf");
        Put32(h, 40);
        Put32(h, 40);
        Put32(h, static_cast<std::uint32_t>(width));
        Put32(h, static_cast<std::uint32_t>(height));
        Put16(h, 1);
        Put16(h, 24);
        if (mjpeg)
            PutFourCC(h, "MJPG");
        else
            Put32(h, 0);
        Put32(h, imageSize);
        Put32(h, 0);
        Put32(h, 0);
        Put32(h, 0);
        Put32(h, 0);
        PutFourCC(h, "LIST");
        posMoviSize = h.size();
        Put32(h, 0);
        moviFourCC = h.size();
        PutFourCC(h, "movi");
    }
};

TAviWriter::TAviWriter()
    : m_impl(std::make_unique<TImpl>())
{
}

TAviWriter::~TAviWriter()
{
    if (m_impl->file)
        Close();
}

int TAviWriter::Open(
    const std::string& fileName, int width, int height, unsigned rate, unsigned scale, TAviCodec codec, int jpegQuality)
{
    if (m_impl->file)
        Close();
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || rate == 0 || scale == 0)
        return -1;
    if (static_cast<std::uint64_t>(width) * height * 3 > kMaxFileSize)
        return -1;
    auto& m = *m_impl;
    m = TImpl {};
    m.width = width;
    m.height = height;
    m.rate = rate;
    m.scale = scale;
    m.codec = codec;
    m.quality = jpegQuality < 1 ? 1 : (jpegQuality > 100 ? 100 : jpegQuality);
    if (codec == TAviCodec::acMjpeg) {
        m.jpeg.reset(tjInitCompress());
        if (!m.jpeg)
            return -3;
    }
    m.beside = std::make_unique<TFileBeside>(fileName);
    if (m.beside->Code() != kIniOk) {
        m.beside.reset();
        return -2;
    }
    const int fd = m.beside->TakeDescriptor(); // the stream owns it from here
    m.file.reset(::fdopen(fd, "wb"));
    if (!m.file) {
        ::close(fd);
        m.beside.reset();
        return -2;
    }
    m.BuildHeader();
    if (!m.WriteBytes(m.header.data(), m.header.size())) {
        m.file.reset();
        m.beside.reset();
        return -2;
    }
    return 0;
}

int TAviWriter::WriteFrame(const TRgbImage& frame)
{
    auto& m = *m_impl;
    if (!m.file || frame.width != m.width || frame.height != m.height
        || frame.pixels.size() != static_cast<std::size_t>(m.width) * m.height * 3)
        return -1;
    const char* ckid = "00db";
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    unsigned char* jpegBuffer = nullptr;
    if (m.codec == TAviCodec::acMjpeg) {
        ckid = "00dc";
        unsigned long jpegSize = 0;
        if (tjCompress2(m.jpeg.get(), frame.pixels.data(), m.width, m.width * 3, m.height, TJPF_RGB, &jpegBuffer,
                &jpegSize, TJSAMP_420, m.quality, 0)
            != 0) {
            tjFree(jpegBuffer);
            return -3;
        }
        data = jpegBuffer;
        size = jpegSize;
    } else {
        // Bottom-up rows of blue, green, red, each padded to four bytes.
        const int stride = (m.width * 3 + 3) & ~3;
        m.scratch.assign(static_cast<std::size_t>(stride) * m.height, 0);
        for (int y = 0; y < m.height; ++y) {
            const std::uint8_t* src = frame.Row(m.height - 1 - y);
            std::uint8_t* dst = m.scratch.data() + static_cast<std::size_t>(y) * stride;
            for (int x = 0; x < m.width; ++x) {
                dst[3 * x] = src[3 * x + 2];
                dst[3 * x + 1] = src[3 * x + 1];
                dst[3 * x + 2] = src[3 * x];
            }
        }
        data = m.scratch.data();
        size = m.scratch.size();
    }
    std::vector<std::uint8_t> head;
    PutFourCC(head, ckid);
    Put32(head, static_cast<std::uint32_t>(size));
    const std::uint64_t chunkPos = m.written;
    const std::uint8_t pad = 0;
    bool ok = m.written + 8 + size + 1 + 16ULL * (m.index.size() + 1) + 8 <= kMaxFileSize
        && m.WriteBytes(head.data(), 8) && m.WriteBytes(data, size) && ((size & 1) == 0 || m.WriteBytes(&pad, 1));
    tjFree(jpegBuffer);
    if (!ok)
        return -4;
    m.index.push_back({ static_cast<std::uint32_t>(chunkPos - m.moviFourCC), static_cast<std::uint32_t>(size) });
    if (size > m.largest)
        m.largest = static_cast<std::uint32_t>(size);
    return 0;
}

void TAviWriter::SetRate(unsigned rate, unsigned scale)
{
    auto& m = *m_impl;
    if (!m.file || rate == 0 || scale == 0)
        return;
    m.rate = rate;
    m.scale = scale;
    // The layout of the header does not depend on the rate: rebuilding it keeps every position.
    m.BuildHeader();
}

int TAviWriter::Close()
{
    auto& m = *m_impl;
    if (!m.file)
        return -4;
    const std::uint64_t moviEnd = m.written;
    std::vector<std::uint8_t> idx;
    PutFourCC(idx, "idx1");
    Put32(idx, static_cast<std::uint32_t>(16 * m.index.size()));
    for (const auto& e : m.index) {
        PutFourCC(idx, m.codec == TAviCodec::acMjpeg ? "00dc" : "00db");
        Put32(idx, kKeyFrame);
        Put32(idx, e.offset);
        Put32(idx, e.size);
    }
    bool ok = m.WriteBytes(idx.data(), idx.size());
    if (ok) {
        const auto frames = static_cast<std::uint32_t>(m.index.size());
        Set32(m.header, 4, static_cast<std::uint32_t>(m.written - 8));
        Set32(m.header, m.posTotalFrames, frames);
        Set32(m.header, m.posLength, frames);
        Set32(m.header, m.posSuggested1, m.largest + 8);
        Set32(m.header, m.posSuggested2, m.largest + 8);
        Set32(m.header, m.posMoviSize, static_cast<std::uint32_t>(moviEnd - m.moviFourCC));
        ok = std::fseek(m.file.get(), 0, SEEK_SET) == 0
            && std::fwrite(m.header.data(), 1, m.header.size(), m.file.get()) == m.header.size();
    }
    ok = std::fflush(m.file.get()) == 0 && ok;
    ok = std::fclose(m.file.release()) == 0 && ok;
    m.jpeg.reset();
    ok = ok && m.beside->Commit() == kIniOk;
    m.beside.reset(); // removes the file beside when it was not committed
    return ok ? 0 : -4;
}

void TAviWriter::Abandon()
{
    auto& m = *m_impl;
    m.file.reset();
    m.jpeg.reset();
    m.beside.reset(); // removes the file beside, which was not committed
}

int TAviWriter::FrameCount() const
{
    return static_cast<int>(m_impl->index.size());
}

} // namespace kinoval::media
