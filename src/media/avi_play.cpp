#include "media/avi_play.h"

#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "media/avi_file.h"

#include <turbojpeg.h>

#include <cstring>
#include <vector>

namespace kinoval::media {

namespace {

struct TJpegFree {
    void operator()(void* h) const { tjDestroy(h); }
};

bool IsMjpeg(std::uint32_t fcc)
{
    return fcc == FourCC("MJPG") || fcc == FourCC("mjpg") || fcc == FourCC("AVRn") || fcc == FourCC("jpeg")
        || fcc == FourCC("JPEG");
}

} // namespace

struct TAviPlay::TImpl {
    TAviFile avi;
    std::unique_ptr<void, TJpegFree> jpeg;
    bool mjpeg = false;
    int target = 0; // the frame to show
    int decodedFrame = -1; // the frame in decoded, -1 none
    TRgbImage decoded;
    std::vector<std::uint8_t> bytes;

    // The frame whose bytes stand for frame n: a dropped (empty) frame repeats the one before it.
    int SourceOf(int n) const
    {
        const auto& frames = avi.Frames();
        while (n > 0 && frames[static_cast<std::size_t>(n)].size == 0)
            --n;
        return n;
    }

    bool Decode(int n, int width, int height)
    {
        int source = SourceOf(n);
        if (decodedFrame == source)
            return true;
        decodedFrame = -1;
        if (!avi.ReadFrame(static_cast<std::size_t>(source), bytes) || bytes.empty())
            return false;
        TRgbImage image(width, height);
        if (mjpeg) {
            int w = 0, h = 0, sub = 0, space = 0;
            if (tjDecompressHeader3(jpeg.get(), bytes.data(), bytes.size(), &w, &h, &sub, &space) != 0 || w != width
                || h != height)
                return false;
            if (tjDecompress2(
                    jpeg.get(), bytes.data(), bytes.size(), image.pixels.data(), width, width * 3, height, TJPF_RGB, 0)
                != 0)
                return false;
        } else {
            const auto& info = avi.Info();
            const int bytesPerPixel = info.bitCount / 8;
            const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t { 3 };
            if (bytes.size() < stride * height)
                return false;
            for (int y = 0; y < height; ++y) {
                const std::uint8_t* src = bytes.data() + stride * (info.topDown ? y : height - 1 - y);
                std::uint8_t* dst = image.Row(y);
                for (int x = 0; x < width; ++x) {
                    dst[3 * x] = src[bytesPerPixel * x + 2];
                    dst[3 * x + 1] = src[bytesPerPixel * x + 1];
                    dst[3 * x + 2] = src[bytesPerPixel * x];
                }
            }
        }
        decoded = std::move(image);
        decodedFrame = source;
        return true;
    }
};

TAviPlay::TAviPlay()
    : m_impl(std::make_unique<TImpl>())
{
}
TAviPlay::~TAviPlay() = default;

bool TAviPlay::DoOpen(const std::string& fileName)
{
    if (std::string refused = video::RefusedVideoFile(fileName); !refused.empty()) {
        SetErrorText(refused);
        return false;
    }
    auto& m = *m_impl;
    m.decodedFrame = -1;
    m.target = 0;
    if (m.avi.Open(fileName) != 0)
        return false;
    const auto& info = m.avi.Info();
    if (info.compression == 0 && (info.bitCount == 24 || info.bitCount == 32)) {
        m.mjpeg = false;
    } else if (IsMjpeg(info.compression)) {
        m.mjpeg = true;
        if (!m.jpeg)
            m.jpeg.reset(tjInitDecompress());
        if (!m.jpeg)
            return false;
    } else {
        return false; // a codec we do not decode: the next back-end will try
    }
    if (info.rate == 0 || info.scale == 0)
        return false;
    if (!SetGeometry(info.width, info.height))
        return false;
    const int count = static_cast<int>(m.avi.Frames().size());
    if (!SetTiming(
            static_cast<double>(info.rate) / info.scale, count, static_cast<double>(count) * info.scale / info.rate))
        return false;
    // A file whose first frame cannot be decoded is not worth showing; another back-end may do better.
    return m.Decode(0, info.width, info.height);
}

void TAviPlay::DoClose()
{
    m_impl->avi.Close();
    m_impl->decodedFrame = -1;
    m_impl->decoded = TRgbImage();
}

int TAviPlay::DoSeek(int n)
{
    m_impl->target = n; // every frame is a key frame: the decode waits for the draw
    return n;
}

bool TAviPlay::DoDraw(TRgbImage& target)
{
    auto& m = *m_impl;
    if (!m.Decode(m.target, Width(), Height())) {
        ReportError(video::TextDamagedFrame());
        return false;
    }
    target = m.decoded;
    return true;
}

} // namespace kinoval::media
