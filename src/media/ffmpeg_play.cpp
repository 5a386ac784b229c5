#include "media/ffmpeg_play.h"

#include "core/common/system_errors.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "media/media_versions.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}
#include "media/ffmpeg_handles.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace kinoval::media {

namespace {

// The oldest libavcodec whose decoding API the player is written for (FFmpeg 5).
constexpr int kOldestAvcodecMajor = 59;
// Converted frames kept for stepping back and forth.
constexpr std::size_t kCacheBytes = 48u << 20;

using ffmpeg::TCodecFree;
using ffmpeg::TFrameFree;
using ffmpeg::TInputFree;
using ffmpeg::TPacketFree;
using ffmpeg::TSwsFree;

struct TIndexedPacket {
    std::int64_t pts;
    std::int64_t dts;
    bool key;
};

struct TCachedFrame {
    int index;
    TRgbImage image;
};

// Why the demuxer refused a file: a system reason when it is one, else a file no reader recognises.
std::string OpenFailureText(int code)
{
    if (code < 0 && code > -4096 && code != AVERROR(EINVAL))
        return SystemErrorText(AVUNERROR(code));
    return video::TextNotAVideo();
}

} // namespace

struct TFFMpegPlay::TImpl {
    std::unique_ptr<AVFormatContext, TInputFree> input;
    std::unique_ptr<AVCodecContext, TCodecFree> decoder;
    std::unique_ptr<AVFrame, TFrameFree> frame;
    std::unique_ptr<AVPacket, TPacketFree> packet;
    std::unique_ptr<SwsContext, TSwsFree> sws;
    int stream = -1;
    int width = 0, height = 0;

    // Presentation order: pts[i] is frame i's timestamp; keyOf[i] the key frame to start decoding from,
    // keySeekTs[k] the timestamp to seek to for key frame k.
    std::vector<std::int64_t> pts;
    std::vector<int> keyOf;
    std::vector<std::int64_t> seekTs;
    std::int64_t halfFrame = 0; // half a frame in stream ticks, the tolerance of a timestamp lookup
    bool variable = false;
    bool variableReported = false;

    int target = 0;
    int lastDecoded = -1; // index of the last frame the decoder gave, -1 after a seek or at the start
    bool decoderDrained = false;
    bool readerAtEnd = false;
    bool sawDamage = false;
    int seekCount = 0;
    int decodedCount = 0;
    std::deque<TCachedFrame> cache;

    void Reset()
    {
        sws.reset();
        packet.reset();
        frame.reset();
        decoder.reset();
        input.reset();
        pts.clear();
        keyOf.clear();
        seekTs.clear();
        cache.clear();
        stream = -1;
        lastDecoded = -1;
        variable = variableReported = false;
        decoderDrained = readerAtEnd = sawDamage = false;
        seekCount = 0;
        decodedCount = 0;
        target = 0;
    }

    int IndexOfTimestamp(std::int64_t ts) const
    {
        auto it = std::lower_bound(pts.begin(), pts.end(), ts);
        int best = -1;
        std::int64_t bestDistance = 0;
        for (auto candidate : { it, it == pts.begin() ? it : it - 1 }) {
            if (candidate == pts.end())
                continue;
            std::int64_t distance = std::llabs(*candidate - ts);
            if (best < 0 || distance < bestDistance) {
                best = static_cast<int>(candidate - pts.begin());
                bestDistance = distance;
            }
        }
        return best >= 0 && bestDistance <= halfFrame ? best : -1;
    }

    const TRgbImage* Cached(int index) const
    {
        for (const auto& c : cache) {
            if (c.index == index)
                return &c.image;
        }
        return nullptr;
    }

    void Remember(int index, TRgbImage&& image)
    {
        if (Cached(index))
            return;
        const std::size_t frameBytes = image.pixels.size();
        std::size_t capacity = std::max<std::size_t>(2, kCacheBytes / std::max<std::size_t>(1, frameBytes));
        while (cache.size() >= capacity)
            cache.pop_front();
        cache.push_back({ index, std::move(image) });
    }

    bool Convert(const AVFrame* f, TRgbImage& out)
    {
        if (f->width != width || f->height != height)
            return false;
        sws.reset(sws_getCachedContext(sws.release(), f->width, f->height, static_cast<AVPixelFormat>(f->format), width,
            height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (!sws)
            return false;
        out = TRgbImage(width, height);
        std::uint8_t* dst[1] = { out.pixels.data() };
        const int dstStride[1] = { width * 3 };
        return sws_scale(sws.get(), f->data, f->linesize, 0, f->height, dst, dstStride) == height;
    }

    bool SeekToKeyOf(int n, int stepsBack)
    {
        int key = keyOf[static_cast<std::size_t>(n)];
        // Each step back moves to the key frame before: for a demuxer whose seek lands later than asked.
        for (int i = 0; i < stepsBack && key > 0; ++i)
            key = keyOf[static_cast<std::size_t>(key - 1)];
        ++seekCount;
        int r = stepsBack > 3 || key == 0
            ? avformat_seek_file(input.get(), stream, INT64_MIN, seekTs[static_cast<std::size_t>(key)],
                seekTs[static_cast<std::size_t>(key)], 0)
            : av_seek_frame(input.get(), stream, seekTs[static_cast<std::size_t>(key)], AVSEEK_FLAG_BACKWARD);
        if (r < 0
            && av_seek_frame(
                   input.get(), stream, seekTs[static_cast<std::size_t>(key)], AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY)
                < 0)
            return false;
        avcodec_flush_buffers(decoder.get());
        lastDecoded = -1;
        decoderDrained = false;
        readerAtEnd = false;
        return true;
    }

    // The next frame out of the decoder: 1 got one, 0 end of stream, -1 failure.
    int NextFrame()
    {
        while (true) {
            int r = avcodec_receive_frame(decoder.get(), frame.get());
            if (r == 0) {
                ++decodedCount;
                return 1;
            }
            if (r == AVERROR_EOF) {
                decoderDrained = true;
                return 0;
            }
            if (r != AVERROR(EAGAIN)) {
                sawDamage = true;
                return -1;
            }
            if (readerAtEnd) {
                return 0;
            }
            // Feed one more packet of our stream.
            while (true) {
                r = av_read_frame(input.get(), packet.get());
                if (r < 0) {
                    readerAtEnd = true;
                    avcodec_send_packet(decoder.get(), nullptr);
                    break;
                }
                if (packet->stream_index != stream) {
                    av_packet_unref(packet.get());
                    continue;
                }
                r = avcodec_send_packet(decoder.get(), packet.get());
                av_packet_unref(packet.get());
                if (r < 0 && r != AVERROR(EAGAIN))
                    sawDamage = true;
                break;
            }
        }
    }

    // Decodes forward from where the decoder is until frame n comes out. Frames close before n are kept
    // in the cache for stepping back. 1 reached, 0 passed n without meeting it, -1 stream ended or failed.
    int DecodeForwardTo(int n)
    {
        const int keepFrom = n - 3;
        while (true) {
            if (decoderDrained)
                return -1;
            int got = NextFrame();
            if (got <= 0)
                return -1;
            std::int64_t ts = frame->best_effort_timestamp;
            if (ts == AV_NOPTS_VALUE)
                ts = frame->pts;
            int index = ts == AV_NOPTS_VALUE ? lastDecoded + 1 : IndexOfTimestamp(ts);
            bool damaged = frame->decode_error_flags != 0 || (frame->flags & AV_FRAME_FLAG_CORRUPT);
            if (index < 0) {
                av_frame_unref(frame.get());
                continue; // a frame the index does not know (discarded by an edit list): not a video frame
            }
            if (lastDecoded >= 0 && index <= lastDecoded) {
                av_frame_unref(frame.get());
                continue;
            }
            if (lastDecoded < 0 && index > n) {
                av_frame_unref(frame.get());
                return 0; // the seek landed after n
            }
            lastDecoded = index;
            if (index >= keepFrom && index <= n) {
                TRgbImage image;
                if (Convert(frame.get(), image))
                    Remember(index, std::move(image));
                else
                    damaged = true;
            }
            av_frame_unref(frame.get());
            if (index == n) {
                if (damaged)
                    sawDamage = true;
                return 1;
            }
            if (index > n)
                return 0;
        }
    }

    // Brings frame n into the cache. False when it cannot be decoded.
    bool Load(int n)
    {
        if (Cached(n))
            return true;
        sawDamage = false;
        // Forward within the same group of pictures, or just after what was decoded: no seek.
        if (lastDecoded >= 0 && lastDecoded < n && !decoderDrained
            && (n - lastDecoded <= 1 || keyOf[static_cast<std::size_t>(n)] <= lastDecoded)) {
            int r = DecodeForwardTo(n);
            if (r == 1)
                return true;
        }
        for (int stepsBack = 0; stepsBack <= 4; ++stepsBack) {
            if (!SeekToKeyOf(n, stepsBack))
                return false;
            int r = DecodeForwardTo(n);
            if (r == 1)
                return true;
            if (r < 0 && !Cached(n))
                sawDamage = true;
        }
        return Cached(n) != nullptr;
    }
};

TFFMpegPlay::TFFMpegPlay()
    : m_impl(std::make_unique<TImpl>())
{
    // The program keeps no log: the libraries' chatter on the terminal helps no one.
    av_log_set_level(AV_LOG_FATAL);
}
TFFMpegPlay::~TFFMpegPlay() = default;

bool TFFMpegPlay::VariableFrameDuration() const
{
    return m_impl->variable;
}
int TFFMpegPlay::SeekCount() const
{
    return m_impl->seekCount;
}
int TFFMpegPlay::DecodedFrameCount() const
{
    return m_impl->decodedCount;
}

bool TFFMpegPlay::DoOpen(const std::string& fileName)
{
    if (std::string refused = video::RefusedVideoFile(fileName); !refused.empty()) {
        SetErrorText(refused);
        return false;
    }
    auto& m = *m_impl;
    m.Reset();
    if (LinkedAvcodecMajor() < kOldestAvcodecMajor) {
        SetErrorText(video::TextFFmpegTooOld());
        return false;
    }
    SetErrorText(video::TextUnlistedError()); // until the open has gone through
    AVFormatContext* raw = nullptr;
    if (const int opened = avformat_open_input(&raw, fileName.c_str(), nullptr, nullptr); opened < 0) {
        SetErrorText(OpenFailureText(opened));
        return false;
    }
    m.input.reset(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        SetErrorText(video::TextNotAVideo());
        return false;
    }
    const AVCodec* codec = nullptr;
    m.stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (m.stream == AVERROR_DECODER_NOT_FOUND) {
        const int any = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        const char* name = any >= 0 ? avcodec_get_name(raw->streams[any]->codecpar->codec_id) : "?";
        SetErrorText(video::TextNoDecoder(name != nullptr ? name : "?"));
        return false;
    }
    if (m.stream < 0 || !codec) {
        SetErrorText(video::TextNoVideoStream());
        return false;
    }
    AVStream* st = raw->streams[m.stream];
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        if (static_cast<int>(i) != m.stream)
            raw->streams[i]->discard = AVDISCARD_ALL;
    }
    m.decoder.reset(avcodec_alloc_context3(codec));
    SetErrorText(video::TextDecoderFailed());
    if (!m.decoder || avcodec_parameters_to_context(m.decoder.get(), st->codecpar) < 0)
        return false;
    m.decoder->pkt_timebase = st->time_base;
    m.decoder->thread_count = 0; // as many as the machine has
    m.decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(m.decoder.get(), codec, nullptr) < 0)
        return false;
    if (!SetGeometry(st->codecpar->width, st->codecpar->height)) {
        SetErrorText(video::TextBadFrameSize(st->codecpar->width, st->codecpar->height));
        return false;
    }
    m.width = st->codecpar->width;
    m.height = st->codecpar->height;
    m.frame.reset(av_frame_alloc());
    m.packet.reset(av_packet_alloc());
    if (!m.frame || !m.packet)
        return false;

    // Index pass: packets only, no decoding.
    std::vector<TIndexedPacket> packets;
    while (av_read_frame(raw, m.packet.get()) >= 0) {
        const AVPacket* p = m.packet.get();
        if (p->stream_index == m.stream && !(p->flags & AV_PKT_FLAG_DISCARD) && p->size > 0) {
            std::int64_t t = p->pts != AV_NOPTS_VALUE ? p->pts : p->dts;
            if (t == AV_NOPTS_VALUE)
                t = packets.empty() ? 0 : packets.back().pts + 1;
            packets.push_back({ t, p->dts != AV_NOPTS_VALUE ? p->dts : t, (p->flags & AV_PKT_FLAG_KEY) != 0 });
        }
        av_packet_unref(m.packet.get());
    }
    if (packets.empty()) {
        SetErrorText(video::TextNoFrames());
        return false;
    }
    std::vector<std::size_t> order(packets.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(
        order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return packets[a].pts < packets[b].pts; });
    m.pts.resize(order.size());
    m.keyOf.assign(order.size(), 0);
    m.seekTs.assign(order.size(), 0);
    int lastKey = 0;
    bool anyKey = false;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto& p = packets[order[i]];
        m.pts[i] = p.pts;
        if (p.key || i == 0) {
            lastKey = static_cast<int>(i);
            anyKey = anyKey || p.key;
        }
        m.keyOf[i] = lastKey;
        // Demuxers index key frames by their presentation time (the MP4 one shifts its decoding times by
        // the edit list): asking for the key frame's decoding time lands a whole group of pictures early.
        m.seekTs[i] = p.pts;
    }
    (void)anyKey;

    // Frame duration from the timestamps: the usual gap between neighbours, in stream ticks.
    const int count = static_cast<int>(m.pts.size());
    double tick = av_q2d(st->time_base);
    std::vector<std::int64_t> gaps;
    for (int i = 1; i < count; ++i)
        gaps.push_back(m.pts[static_cast<std::size_t>(i)] - m.pts[static_cast<std::size_t>(i - 1)]);
    std::int64_t medianGap = 0;
    if (!gaps.empty()) {
        std::vector<std::int64_t> sorted = gaps;
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
        medianGap = sorted[sorted.size() / 2];
    }
    double fps = 0;
    AVRational rate = st->avg_frame_rate.num > 0 && st->avg_frame_rate.den > 0 ? st->avg_frame_rate : st->r_frame_rate;
    if (st->r_frame_rate.num > 0 && st->r_frame_rate.den > 0 && medianGap > 0
        && std::fabs(1.0 / av_q2d(st->r_frame_rate) - medianGap * tick) < 1.5 * tick)
        rate = st->r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        fps = av_q2d(rate);
    else if (medianGap > 0)
        fps = 1.0 / (medianGap * tick);
    if (!(fps > 0) || !std::isfinite(fps)) {
        SetErrorText(video::TextBadFrameRate());
        return false;
    }
    // Timestamp rounding: a gap may differ from the usual one by a tick or two, or by half a percent.
    if (medianGap > 0) {
        std::int64_t tolerance = std::max<std::int64_t>(2, medianGap / 200);
        for (auto g : gaps) {
            if (std::llabs(g - medianGap) > tolerance) {
                m.variable = true;
                break;
            }
        }
        m.halfFrame = std::max<std::int64_t>(0, medianGap / 2 - (medianGap % 2 == 0 ? 1 : 0));
    }
    if (!SetTiming(fps, count, count / fps)) {
        SetErrorText(video::TextBadFrameRate());
        return false;
    }
    if (!SetGeometry(m.width, m.height))
        return false;
    m.target = 0;
    m.readerAtEnd = true;
    m.decoderDrained = false;
    m.lastDecoded = -1; // the reader sits at the end: the first load seeks
    SetErrorText("");
    return true;
}

void TFFMpegPlay::DoClose()
{
    m_impl->Reset();
}

int TFFMpegPlay::DoSeek(int n)
{
    auto& m = *m_impl;
    m.target = n;
    if (m.variable && !m.variableReported) {
        // Once per file: the listener stops playback and tells the user; every later step would say it again.
        m.variableReported = true;
        ReportError(video::TextVariableFrameDuration());
    }
    if (!m.Load(n) || m.sawDamage)
        ReportError(video::TextDamagedFrame());
    return n;
}

bool TFFMpegPlay::DoDraw(TRgbImage& target)
{
    auto& m = *m_impl;
    const TRgbImage* image = m.Cached(m.target);
    if (!image) {
        if (!m.Load(m.target) || !(image = m.Cached(m.target))) {
            ReportError(video::TextDamagedFrame());
            return false;
        }
    }
    target = *image;
    return true;
}

} // namespace kinoval::media
