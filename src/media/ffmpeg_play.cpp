#include "media/ffmpeg_play.h"

#include "core/common/system_errors.h"
#include "core/video/frame_index.h"
#include "core/video/frame_rotation.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "media/media_versions.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}
#include "media/ffmpeg_handles.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <unordered_map>
#include <vector>

namespace kinoval::media {

namespace {

// The oldest libavcodec whose decoding API the player is written for (FFmpeg 5).
constexpr int kOldestAvcodecMajor = 59;
// Decoded pictures kept around the frame last asked for.
constexpr std::size_t kCacheBytes = 200u << 20;
// Frames before the asked one kept when moving forward, for a step or two back.
constexpr int kKeptBehind = 3;
// Decoding on from where the decoder stands beats a seek while the frames to pass over are at most this
// many more than a seek would decode.
constexpr int kForwardRatherThanSeek = 12;
// Packets a decoder may hold back before giving a picture out (reordering plus frame threads), on top
// of those the index says a frame needs.
constexpr int kDecoderSlack = 48;
// Packets read, after a seek, while looking for the key frame the seek aimed at.
constexpr int kSeekSearchPackets = 4096;
// More packets than this in one stream is not a video but a crafted file.
constexpr std::size_t kMaxPackets = 20'000'000;
// Time granted to the demuxer: opening (plus a second per 40 MB read) and each seek with its decoding.
constexpr auto kOpenTime = std::chrono::seconds(10);
constexpr double kOpenBytesPerSecond = 40e6;
constexpr auto kSeekTime = std::chrono::seconds(10);

using ffmpeg::TCodecFree;
using ffmpeg::TFrameFree;
using ffmpeg::TInputFree;
using ffmpeg::TPacketFree;
using ffmpeg::TSwsFree;
using Clock = std::chrono::steady_clock;

struct TParserFree {
    void operator()(AVCodecParserContext* p) const { av_parser_close(p); }
};

// Lets a demuxer stuck in a damaged file give up: FFmpeg asks this between reads.
struct TDeadline {
    Clock::time_point end {};
    bool armed = false;
    void Arm(Clock::duration d)
    {
        end = Clock::now() + d;
        armed = true;
    }
    bool Passed() const { return armed && Clock::now() > end; }
};

int InterruptWhenLate(void* opaque)
{
    return static_cast<const TDeadline*>(opaque)->Passed() ? 1 : 0;
}

// Picture order of H.264 and HEVC packets, for containers without presentation times: FFmpeg's parser
// gives each picture's order count; a refresh picture (which restarts the count) opens a new period.
class TOrderReader {
public:
    bool Init(const AVCodecParameters* par)
    {
        m_codec = par->codec_id;
        if (m_codec != AV_CODEC_ID_H264 && m_codec != AV_CODEC_ID_HEVC)
            return false;
        m_parser.reset(av_parser_init(m_codec));
        m_context.reset(avcodec_alloc_context3(nullptr));
        if (!m_parser || !m_context || avcodec_parameters_to_context(m_context.get(), par) < 0)
            return false;
        m_parser->flags |= PARSER_FLAG_COMPLETE_FRAMES;
        const std::uint8_t* extra = par->extradata;
        if (extra != nullptr && extra[0] == 1) { // avcC or hvcC: NAL units are length-prefixed
            if (m_codec == AV_CODEC_ID_H264 && par->extradata_size >= 7)
                m_lengthSize = (extra[4] & 3) + 1;
            else if (m_codec == AV_CODEC_ID_HEVC && par->extradata_size >= 23)
                m_lengthSize = (extra[21] & 3) + 1;
        }
        return true;
    }

    void Read(const AVPacket* packet, video::TPacketStamp& stamp)
    {
        std::uint8_t* out = nullptr;
        int outSize = 0;
        av_parser_parse2(m_parser.get(), m_context.get(), &out, &outSize, packet->data, packet->size, AV_NOPTS_VALUE,
            AV_NOPTS_VALUE, 0);
        if (HoldsRefresh(packet->data, packet->size))
            ++m_period;
        stamp.hasOrder = true;
        stamp.orderPeriod = m_period;
        stamp.orderCount = m_parser->output_picture_number;
    }

private:
    bool IsRefresh(std::uint8_t header) const
    {
        if (m_codec == AV_CODEC_ID_H264)
            return (header & 0x1F) == 5;
        const int type = (header >> 1) & 0x3F;
        return type >= 16 && type <= 20; // broken-link and instantaneous refresh pictures
    }

    bool HoldsRefresh(const std::uint8_t* data, int size) const
    {
        if (m_lengthSize > 0) {
            int pos = 0;
            while (pos + m_lengthSize < size) {
                std::uint32_t length = 0;
                for (int i = 0; i < m_lengthSize; ++i)
                    length = length << 8 | data[pos + i];
                pos += m_lengthSize;
                if (length == 0 || length > static_cast<std::uint32_t>(size - pos))
                    return false;
                if (IsRefresh(data[pos]))
                    return true;
                pos += static_cast<int>(length);
            }
            return false;
        }
        for (int i = 0; i + 3 < size; ++i) {
            if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) {
                if (IsRefresh(data[i + 3]))
                    return true;
                i += 2;
            }
        }
        return false;
    }

    AVCodecID m_codec = AV_CODEC_ID_NONE;
    std::unique_ptr<AVCodecParserContext, TParserFree> m_parser;
    std::unique_ptr<AVCodecContext, TCodecFree> m_context;
    int m_lengthSize = 0;
    std::int64_t m_period = 0;
};

// One packet of the video stream as the index knows it.
struct TPacketPlace {
    std::int64_t seekTs; // what to hand to a timestamp seek to land at or before it
    std::int64_t bytePos; // -1 unknown
};

struct TCachedPicture {
    AVFrame* frame = nullptr;
    std::size_t bytes = 0;
    bool damaged = false;
};

std::size_t PictureBytes(const AVFrame* f)
{
    std::size_t bytes = 0;
    for (const AVBufferRef* buf : f->buf) {
        if (buf != nullptr)
            bytes += buf->size;
    }
    return bytes > 0 ? bytes : static_cast<std::size_t>(f->width) * f->height * 2;
}

// What identifies a packet when the demuxer reads it again: its presentation time, else its decoding time.
std::int64_t IdentityOf(const AVPacket* p)
{
    return p->pts != AV_NOPTS_VALUE ? p->pts : p->dts;
}

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
    TDeadline deadline;
    int stream = -1;
    int width = 0, height = 0; // as decoded
    int rotation = 0; // clockwise degrees, applied when drawing
    bool byteSeek = false; // transport and program streams: seek to the key frame's byte position

    video::TFrameIndex index;
    std::vector<TPacketPlace> places; // per packet, decoding order
    std::unordered_map<std::int64_t, int> packetOf; // identity -> packet

    // Where the decoder stands.
    bool live = false; // fed from a key frame on, neither failed nor drained
    bool readerAtEnd = false;
    int startFrame = 0; // the key frame it started from
    int lastOut = -1; // the last frame it gave
    int nextPacket = 0; // the packet it expects next
    int target = 0; // the frame last asked for
    int failedFrame = -1; // the frame the last seek could not decode (already reported)
    bool sawDamage = false;
    int seekCount = 0;
    int decodedCount = 0;

    std::map<int, TCachedPicture> cache;
    std::size_t cacheBytes = 0;

    ~TImpl() { Reset(); }

    void Reset()
    {
        ClearCache();
        sws.reset();
        packet.reset();
        frame.reset();
        decoder.reset();
        input.reset();
        index = video::TFrameIndex {};
        places.clear();
        packetOf.clear();
        stream = -1;
        width = height = 0;
        rotation = 0;
        byteSeek = false;
        live = readerAtEnd = sawDamage = false;
        startFrame = 0;
        lastOut = -1;
        nextPacket = 0;
        target = 0;
        failedFrame = -1;
        seekCount = decodedCount = 0;
        deadline.armed = false;
    }

    void ClearCache()
    {
        for (auto& [i, c] : cache)
            av_frame_free(&c.frame);
        cache.clear();
        cacheBytes = 0;
    }

    int FrameCount() const { return static_cast<int>(index.pts.size()); }

    // The frame whose presentation time the decoder gave back, -1 for a picture outside the index.
    int FrameOfPts(std::int64_t pts) const
    {
        if (pts == AV_NOPTS_VALUE)
            return -1;
        auto it = std::lower_bound(index.pts.begin(), index.pts.end(), pts);
        if (it == index.pts.end() || *it != pts)
            return -1;
        return static_cast<int>(it - index.pts.begin());
    }

    int PacketOfIdentity(std::int64_t id) const
    {
        auto it = packetOf.find(id);
        return it == packetOf.end() ? -1 : it->second;
    }

    // Keeps a decoded picture; the cache drops the pictures farthest from the frame asked for.
    void Remember(int i, AVFrame* f, bool damaged)
    {
        auto old = cache.find(i);
        if (old != cache.end()) {
            cacheBytes -= old->second.bytes;
            av_frame_free(&old->second.frame);
            cache.erase(old);
        }
        TCachedPicture picture { f, PictureBytes(f), damaged };
        cacheBytes += picture.bytes;
        cache.emplace(i, picture);
        while (cacheBytes > kCacheBytes && cache.size() > 1) {
            auto first = cache.begin();
            auto last = std::prev(cache.end());
            auto drop = std::abs(first->first - target) >= std::abs(last->first - target) ? first : last;
            cacheBytes -= drop->second.bytes;
            av_frame_free(&drop->second.frame);
            cache.erase(drop);
        }
    }

    const TCachedPicture* Cached(int i) const
    {
        auto it = cache.find(i);
        return it == cache.end() ? nullptr : &it->second;
    }

    bool Seek(int packetIndex, int attempt)
    {
        ++seekCount;
        const TPacketPlace& place = places[static_cast<std::size_t>(packetIndex)];
        if (attempt == 0 && byteSeek && place.bytePos >= 0)
            return av_seek_frame(input.get(), -1, place.bytePos, AVSEEK_FLAG_BYTE) >= 0;
        if (attempt >= 3) // the very start of the file
            return avformat_seek_file(input.get(), stream, INT64_MIN, INT64_MIN, INT64_MIN, 0) >= 0
                || av_seek_frame(input.get(), -1, 0, AVSEEK_FLAG_BYTE) >= 0;
        // Each further attempt aims at an earlier key frame, for a demuxer whose seeks land late.
        int aim = index.frameOf[static_cast<std::size_t>(packetIndex)];
        for (int step = byteSeek ? 1 : 0; step < attempt && aim > 0; ++step)
            aim = index.keyOf[static_cast<std::size_t>(aim - 1)];
        const std::int64_t ts = places[static_cast<std::size_t>(index.packetOf[static_cast<std::size_t>(aim)])].seekTs;
        return av_seek_frame(input.get(), stream, ts, AVSEEK_FLAG_BACKWARD) >= 0
            || av_seek_frame(input.get(), stream, ts, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) >= 0;
    }

    // Positions the decoder on key frame `key`: the demuxer is sent at or before it and the packets before
    // it are passed over; the key frame's packet goes into a flushed decoder. False when the demuxer lands
    // after it or never shows it.
    bool StartAt(int key, int attempt)
    {
        live = false;
        const int keyPacket = index.packetOf[static_cast<std::size_t>(key)];
        if (!Seek(keyPacket, attempt))
            return false;
        avcodec_flush_buffers(decoder.get());
        readerAtEnd = false;
        for (int read = 0; read < kSeekSearchPackets; ++read) {
            if (deadline.Passed() || av_read_frame(input.get(), packet.get()) < 0)
                return false;
            if (packet->stream_index != stream || packet->size <= 0) {
                av_packet_unref(packet.get());
                continue;
            }
            const int p = PacketOfIdentity(IdentityOf(packet.get()));
            // A program stream's demuxer guesses the times its packets do not carry, and guesses them
            // differently after a seek: there the key frame is known by its place in the file.
            const bool atKey = p == keyPacket
                || (byteSeek && packet->pos >= 0 && packet->pos == places[static_cast<std::size_t>(keyPacket)].bytePos
                    && (packet->flags & AV_PKT_FLAG_KEY) != 0);
            if (atKey) {
                startFrame = key;
                lastOut = -1;
                nextPacket = keyPacket;
                live = true;
                Send(keyPacket, key); // takes the packet
                return true;
            }
            av_packet_unref(packet.get());
            if (p > keyPacket && !byteSeek)
                return false; // landed after it
        }
        return false;
    }

    // Which packet of the index the one just read is: the next in decoding order, since the demuxer reads
    // the stream again as the index pass did; a container whose times are its own (not guessed) confirms
    // it, or puts the count right after a packet the demuxer dropped.
    int NextPacketOfStream() const
    {
        if (!byteSeek) {
            const int p = PacketOfIdentity(IdentityOf(packet.get()));
            if (p >= 0)
                return p;
        }
        return nextPacket < static_cast<int>(places.size()) ? nextPacket : -1;
    }

    // Sends the packet read last, stamped with its frame's presentation time. Pictures before keepFrom
    // are decoded only when something refers to them.
    void Send(int p, int keepFrom)
    {
        const int f = p >= 0 ? index.frameOf[static_cast<std::size_t>(p)] : -1;
        packet->pts = f >= 0 ? index.pts[static_cast<std::size_t>(f)] : AV_NOPTS_VALUE;
        decoder->skip_frame = f >= 0 && f < keepFrom ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
        if (p >= 0)
            nextPacket = p + 1;
        const int r = avcodec_send_packet(decoder.get(), packet.get());
        if (r < 0 && r != AVERROR(EAGAIN) && r != AVERROR_EOF)
            sawDamage = true;
        av_packet_unref(packet.get());
    }

    // Decodes forward until frame n comes out, keeping the pictures from keepFrom to n. 1 reached, 0 the
    // decoder went past n or gave up, -1 the stream ended or the decoder failed.
    int DecodeTo(int n, int keepFrom)
    {
        const int needPacket = index.packetOf[static_cast<std::size_t>(n)];
        int budget = std::max(0, needPacket - nextPacket) + kDecoderSlack + decoder->thread_count;
        while (live) {
            int r = avcodec_receive_frame(decoder.get(), frame.get());
            if (r == 0) {
                ++decodedCount;
                const int f = FrameOfPts(frame->pts);
                const bool damaged = frame->decode_error_flags != 0 || (frame->flags & AV_FRAME_FLAG_CORRUPT) != 0;
                if (f < startFrame || f <= lastOut || f >= FrameCount()) {
                    av_frame_unref(frame.get()); // a leading picture, a repeat, or one the index left out
                    continue;
                }
                lastOut = f;
                if (f >= keepFrom && f <= n) {
                    AVFrame* kept = av_frame_clone(frame.get());
                    if (kept != nullptr)
                        Remember(f, kept, damaged);
                }
                av_frame_unref(frame.get());
                if (f == n)
                    return 1;
                if (f > n)
                    return 0; // frame n never came out
                continue;
            }
            if (r == AVERROR_EOF) {
                live = false;
                return -1;
            }
            if (r != AVERROR(EAGAIN)) {
                sawDamage = true;
                live = false;
                return -1;
            }
            if (readerAtEnd) {
                live = false; // the decoder wants more than the end of the stream
                return -1;
            }
            if (budget-- <= 0 || deadline.Passed())
                return 0;
            // Feed one more packet of our stream.
            while (true) {
                if (av_read_frame(input.get(), packet.get()) < 0) {
                    readerAtEnd = true;
                    avcodec_send_packet(decoder.get(), nullptr);
                    break;
                }
                if (packet->stream_index != stream || packet->size <= 0) {
                    av_packet_unref(packet.get());
                    continue;
                }
                Send(NextPacketOfStream(), keepFrom);
                break;
            }
        }
        return -1;
    }

    // Brings frame n into the cache. False when it cannot be decoded.
    bool Load(int n)
    {
        const int previousTarget = target;
        target = n;
        if (Cached(n))
            return true;
        sawDamage = false;
        deadline.Arm(kSeekTime);
        const int key = index.keyOf[static_cast<std::size_t>(n)];
        // Forward from where the decoder stands, when that costs less than a seek.
        if (live && lastOut < n && lastOut >= startFrame && n - lastOut <= (n - key) + kForwardRatherThanSeek) {
            const int r = DecodeTo(n, std::max(lastOut + 1, n - kKeptBehind));
            if (r == 1)
                return true;
        }
        // Stepping back keeps the whole run from the key frame: the next steps back find it decoded.
        const int keepFrom = n < previousTarget ? key : std::max(key, n - kKeptBehind);
        for (int attempt = 0; attempt <= 3; ++attempt) {
            if (deadline.Passed())
                break;
            if (!StartAt(key, attempt))
                continue;
            const int r = DecodeTo(n, keepFrom);
            if (r == 1 || Cached(n))
                return true;
            if (r == 0 && !live)
                continue;
            break; // the decoder went past n, or the stream ended: frame n is damaged
        }
        return Cached(n) != nullptr;
    }

    // The cached picture of frame i as RGB, upright, straight into out. The view keeps what it was given
    // until the frame changes, so a converted copy kept here would only cost a copy per frame.
    bool Convert(int i, TRgbImage& out)
    {
        const TCachedPicture* picture = Cached(i);
        if (picture == nullptr)
            return false;
        const AVFrame* f = picture->frame;
        if (f->width <= 0 || f->height <= 0)
            return false;
        sws.reset(sws_getCachedContext(sws.release(), f->width, f->height, static_cast<AVPixelFormat>(f->format), width,
            height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (!sws)
            return false;
        // Upright frames go straight into out's storage when it has the size (the buffer of an earlier
        // frame); turned ones through a picture of their own.
        TRgbImage turned;
        TRgbImage& image = rotation == 0 ? out : turned;
        const std::size_t bytes = static_cast<std::size_t>(width) * height * 3;
        image.width = width;
        image.height = height;
        if (image.pixels.size() != bytes)
            image.pixels.assign(bytes, 0);
        std::uint8_t* dst[1] = { image.pixels.data() };
        const int dstStride[1] = { width * 3 };
        if (sws_scale(sws.get(), f->data, f->linesize, 0, f->height, dst, dstStride) != height)
            return false;
        if (rotation != 0)
            out = video::RotateClockwise(turned, rotation);
        return true;
    }
};

TFFMpegPlay::TFFMpegPlay()
    : m_impl(std::make_unique<TImpl>())
{
    // The program keeps no log: the libraries' chatter on the terminal helps no one.
    av_log_set_level(AV_LOG_FATAL);
}
TFFMpegPlay::~TFFMpegPlay() = default;

int TFFMpegPlay::SeekCount() const
{
    return m_impl->seekCount;
}
int TFFMpegPlay::DecodedFrameCount() const
{
    return m_impl->decodedCount;
}
int TFFMpegPlay::Rotation() const
{
    return m_impl->rotation;
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
    std::error_code sizeError;
    const auto fileSize = std::filesystem::file_size(fileName, sizeError);
    m.deadline.Arm(kOpenTime
        + std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(sizeError ? 0.0 : static_cast<double>(fileSize) / kOpenBytesPerSecond)));
    AVFormatContext* raw = avformat_alloc_context();
    if (raw == nullptr)
        return false;
    raw->interrupt_callback = { InterruptWhenLate, &m.deadline };
    if (const int opened = avformat_open_input(&raw, fileName.c_str(), nullptr, nullptr); opened < 0) {
        SetErrorText(m.deadline.Passed() ? video::TextNotAVideo() : OpenFailureText(opened));
        return false; // the context was freed
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
    m.width = st->codecpar->width;
    m.height = st->codecpar->height;
    SetErrorText(video::TextBadFrameSize(m.width, m.height));
    if (m.width <= 0 || m.height <= 0)
        return false;
    size_t matrixSize = 0;
    if (const std::uint8_t* matrix = av_stream_get_side_data(st, AV_PKT_DATA_DISPLAYMATRIX, &matrixSize);
        matrix != nullptr && matrixSize >= 9 * sizeof(std::int32_t))
        m.rotation = video::ClockwiseRotationOf(av_display_rotation_get(reinterpret_cast<const std::int32_t*>(matrix)));
    const bool quarterTurn = m.rotation == 90 || m.rotation == 270;
    if (!SetGeometry(quarterTurn ? m.height : m.width, quarterTurn ? m.width : m.height))
        return false;
    SetErrorText(video::TextUnlistedError()); // until the index is built
    m.frame.reset(av_frame_alloc());
    m.packet.reset(av_packet_alloc());
    if (!m.frame || !m.packet)
        return false;
    m.byteSeek = (raw->iformat->flags & AVFMT_TS_DISCONT) != 0 && (raw->iformat->flags & AVFMT_NO_BYTE_SEEK) == 0;

    // Index pass: packets only, no decoding.
    std::vector<video::TPacketStamp> stamps;
    std::vector<std::int64_t> identities;
    TOrderReader order;
    bool readOrder = false;
    bool first = true;
    while (av_read_frame(raw, m.packet.get()) >= 0) {
        const AVPacket* p = m.packet.get();
        if (p->stream_index == m.stream && p->size > 0) {
            if (first) {
                // Decoding times only (AVI, raw streams): the order comes from the bitstream.
                readOrder = p->pts == AV_NOPTS_VALUE && order.Init(st->codecpar);
                first = false;
            }
            video::TPacketStamp stamp;
            stamp.pts = p->pts != AV_NOPTS_VALUE ? p->pts : video::kNoTime;
            stamp.dts = p->dts != AV_NOPTS_VALUE ? p->dts : video::kNoTime;
            stamp.key = (p->flags & AV_PKT_FLAG_KEY) != 0;
            stamp.discard = (p->flags & AV_PKT_FLAG_DISCARD) != 0;
            if (readOrder)
                order.Read(p, stamp);
            stamps.push_back(stamp);
            identities.push_back(IdentityOf(p));
            std::int64_t seekTs = p->dts != AV_NOPTS_VALUE ? p->dts : p->pts;
            if (p->pts != AV_NOPTS_VALUE && seekTs != AV_NOPTS_VALUE)
                seekTs = std::min(seekTs, p->pts);
            m.places.push_back({ seekTs == AV_NOPTS_VALUE ? 0 : seekTs, p->pos });
        }
        av_packet_unref(m.packet.get());
        if (stamps.size() > kMaxPackets)
            return false;
    }
    if (m.deadline.Passed())
        return false; // a demuxer that would not stop is no video to work on
    m.index = video::BuildFrameIndex(stamps);
    if (m.index.pts.empty()) {
        SetErrorText(video::TextNoFrames());
        return false;
    }
    for (std::size_t p = 0; p < identities.size(); ++p) {
        if (identities[p] != AV_NOPTS_VALUE)
            m.packetOf.emplace(identities[p], static_cast<int>(p));
    }

    const std::vector<video::TRate> announced { { st->r_frame_rate.num, st->r_frame_rate.den },
        { st->avg_frame_rate.num, st->avg_frame_rate.den } };
    const video::TStreamTiming timing = video::JudgeTiming(m.index.pts, av_q2d(st->time_base), announced);
    if (!timing.usable || !SetTiming(timing.framesPerSecond, m.FrameCount(), timing.duration, timing.frameDuration)) {
        SetErrorText(video::TextBadFrameRate());
        return false;
    }
    SetFrameTimes(timing.times, timing.variable);
    m.live = false; // the reader sits at the end: the first load seeks
    m.deadline.armed = false;
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
    m.failedFrame = -1;
    if (!m.Load(n)) {
        m.failedFrame = n;
        ReportError(video::TextDamagedFrame());
    } else if (const TCachedPicture* picture = m.Cached(n); m.sawDamage || (picture != nullptr && picture->damaged)) {
        ReportError(video::TextDamagedFrame());
    }
    m.target = n;
    return n;
}

bool TFFMpegPlay::DoDraw(TRgbImage& target)
{
    auto& m = *m_impl;
    if (m.failedFrame == m.target)
        return false; // the seek said so already
    if (!m.Cached(m.target) && !m.Load(m.target)) {
        ReportError(video::TextDamagedFrame());
        return false;
    }
    if (!m.Convert(m.target, target)) {
        ReportError(video::TextDamagedFrame());
        return false;
    }
    return true;
}

} // namespace kinoval::media
