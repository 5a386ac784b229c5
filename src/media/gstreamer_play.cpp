#include "media/gstreamer_play.h"

#include "core/video/frame_index.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "core/video/player_timing.h"
#include "media/avi_probe.h"
#include "media/gst_support.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <filesystem>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

namespace kinoval::media {

namespace {

// A demuxer that never finds its streams (an MP4 cut before its index, read in pull mode) neither fails
// nor prerolls: the open gives up once the file has not been read for kStallAtEnd, or after
// kStateTimeout at most, and the next back-end tries.
constexpr GstClockTime kStateTimeout = 5 * GST_SECOND;
constexpr GstClockTime kStatePoll = 20 * GST_MSECOND;
constexpr GstClockTime kStallAtEnd = 600 * GST_MSECOND;
// A seek of a file already open: a damaged end of file can leave the pipeline waiting for data that never
// comes, and one such wait is enough to call the frame damaged. The wait allowed follows what the file's
// good seeks cost (a long group of pictures in a large picture takes its time), within these bounds.
constexpr GstClockTime kSeekWaitLeast = GST_SECOND;
constexpr GstClockTime kSeekWaitMost = 5 * GST_SECOND;
constexpr int kCorrectionTries = 3;
// Buffers stepped forward after a seek that landed before the frame.
constexpr int kMaxSteps = 64;
// Time granted to the demux-only pass: ten seconds, plus one per 40 MB of file.
constexpr double kIndexSeconds = 10;
constexpr double kIndexBytesPerSecond = 40e6;
constexpr auto kIndexQuiet = std::chrono::seconds(2);
// The whole of one seek, with its corrections and steps.
constexpr auto kSeekTime = std::chrono::seconds(8);

using gst::InitGStreamer;
using gst::TElementFree;
using gst::TObjectFree;
struct TSampleFree {
    void operator()(GstSample* s) const { gst_sample_unref(s); }
};

// uridecodebin shows its pads once it has found the streams: the first video one goes to the converter.
void LinkVideoPad(GstElement*, GstPad* pad, gpointer data)
{
    auto* target = static_cast<GstElement*>(data);
    std::unique_ptr<GstPad, TObjectFree> sinkPad(gst_element_get_static_pad(target, "sink"));
    if (!sinkPad || gst_pad_is_linked(sinkPad.get()))
        return;
    GstCaps* padCaps = gst_pad_get_current_caps(pad);
    if (!padCaps)
        padCaps = gst_pad_query_caps(pad, nullptr);
    if (!padCaps)
        return;
    const gchar* name
        = gst_caps_get_size(padCaps) > 0 ? gst_structure_get_name(gst_caps_get_structure(padCaps, 0)) : "";
    if (g_str_has_prefix(name, "video/"))
        gst_pad_link(pad, sinkPad.get());
    gst_caps_unref(padCaps);
}

// parsebin's first video pad (or picture pad, for motion JPEG) goes to the index sink, every other one to a sink that
// drops it (a pad left unlinked would stop the demuxer).
void LinkParsedPad(GstElement* parse, GstPad* pad, gpointer data)
{
    auto* sink = static_cast<GstElement*>(data);
    GstCaps* caps = gst_pad_get_current_caps(pad);
    if (!caps)
        caps = gst_pad_query_caps(pad, nullptr);
    const gchar* name
        = caps && gst_caps_get_size(caps) > 0 ? gst_structure_get_name(gst_caps_get_structure(caps, 0)) : "";
    const bool video = g_str_has_prefix(name, "video/") || g_str_has_prefix(name, "image/");
    if (caps)
        gst_caps_unref(caps);
    std::unique_ptr<GstPad, TObjectFree> sinkPad(gst_element_get_static_pad(sink, "sink"));
    if (video && sinkPad && !gst_pad_is_linked(sinkPad.get())) {
        gst_pad_link(pad, sinkPad.get());
        return;
    }
    GstElement* bin = GST_ELEMENT(gst_element_get_parent(parse));
    if (!bin)
        return;
    GstElement* drop = gst_element_factory_make("fakesink", nullptr);
    if (drop) {
        g_object_set(drop, "sync", FALSE, "async", FALSE, nullptr);
        gst_bin_add(GST_BIN(bin), drop);
        gst_element_sync_state_with_parent(drop);
        std::unique_ptr<GstPad, TObjectFree> dropPad(gst_element_get_static_pad(drop, "sink"));
        gst_pad_link(pad, dropPad.get());
    }
    gst_object_unref(bin);
}

// The presentation time (ns) of every video buffer of the file, sorted, read without decoding; empty when
// the pass cannot run to the end.
std::vector<std::int64_t> IndexFrameTimes(const gchar* uri, double fileBytes)
{
    std::vector<std::int64_t> times;
    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* source = gst_element_make_from_uri(GST_URI_SRC, uri, nullptr, nullptr);
    GstElement* parse = gst_element_factory_make("parsebin", nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!pipeline || !source || !parse || !sink) {
        for (GstElement* e : { pipeline, source, parse, sink })
            if (e)
                gst_object_unref(e);
        return times;
    }
    std::unique_ptr<GstElement, TElementFree> owner(pipeline);
    gst_bin_add_many(GST_BIN(pipeline), source, parse, sink, nullptr);
    g_object_set(sink, "sync", FALSE, "max-buffers", 64u, nullptr);
    if (!gst_element_link(source, parse))
        return times;
    g_signal_connect(parse, "pad-added", G_CALLBACK(LinkParsedPad), sink);
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        return times;
    std::unique_ptr<GstBus, TObjectFree> bus(gst_element_get_bus(pipeline));
    const auto deadline = std::chrono::steady_clock::now()
        + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(kIndexSeconds + fileBytes / kIndexBytesPerSecond));
    auto lastSample = std::chrono::steady_clock::now();
    while (true) {
        std::unique_ptr<GstSample, TSampleFree> sample(
            gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 50 * GST_MSECOND));
        if (sample) {
            lastSample = std::chrono::steady_clock::now();
            GstBuffer* buffer = gst_sample_get_buffer(sample.get());
            if (buffer && GST_BUFFER_PTS_IS_VALID(buffer))
                times.push_back(static_cast<std::int64_t>(GST_BUFFER_PTS(buffer)));
            else if (buffer && GST_BUFFER_DTS_IS_VALID(buffer))
                times.push_back(static_cast<std::int64_t>(GST_BUFFER_DTS(buffer)));
            else
                return {}; // a buffer without a time cannot be placed
            continue;
        }
        if (gst_app_sink_is_eos(GST_APP_SINK(sink)))
            break;
        std::unique_ptr<GstMessage, decltype(&gst_message_unref)> message(
            gst_bus_pop_filtered(bus.get(), static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_EOS)),
            &gst_message_unref);
        if (message && GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS)
            break; // every branch has ended: what the sink has not seen is not there
        // Demuxing gives buffers at once or not at all: a pass that has gone quiet is stuck.
        const auto now = std::chrono::steady_clock::now();
        if (message || now > deadline || now - lastSample > kIndexQuiet)
            return {};
    }
    std::sort(times.begin(), times.end());
    return times;
}

} // namespace

struct TGStreamerPlay::TImpl {
    std::unique_ptr<GstElement, TElementFree> pipeline;
    GstElement* sink = nullptr; // borrowed from the pipeline
    GstElement* decodeBin = nullptr; // borrowed from the pipeline
    double length = 0;
    double currentTime = 0;
    double frameDuration = 0;
    double firstTime = 0; // timestamp of the first frame, seconds
    int fpsNum = 0, fpsDen = 0; // the rate the decoded caps announce
    int width = 0, height = 0;
    int correctedSeeks = 0;
    bool frameValid = false;
    bool timedOut = false; // the last wait ended by its time limit, or by a pipeline that stopped reading
    GstClockTime slowest = 0; // the longest wait that ended with a frame
    bool watched = false; // the probe that notes the reads of the file is in place
    std::atomic<std::int64_t> lastRead { 0 };

    void Reset()
    {
        pipeline.reset();
        sink = decodeBin = nullptr;
        length = currentTime = frameDuration = firstTime = 0;
        fpsNum = fpsDen = width = height = correctedSeeks = 0;
        frameValid = timedOut = watched = false;
        slowest = 0;
        frame = TRgbImage();
        index.clear();
    }

    GstClockTime SeekWait() const
    {
        return std::clamp<GstClockTime>(4 * slowest + GST_SECOND / 2, kSeekWaitLeast, kSeekWaitMost);
    }
    void NoteWait(std::chrono::steady_clock::time_point start)
    {
        const auto waited
            = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start);
        slowest = std::max<GstClockTime>(slowest, static_cast<GstClockTime>(waited.count()));
    }
    TRgbImage frame;
    // Presentation time of each frame, ns from the first one, from the demux-only pass. The decoding
    // pipeline's buffers carry the same times shifted by firstTime (an edit list's delay); seeks count from
    // the first frame.
    std::vector<std::int64_t> index;

    // The frame the buffer starting at time (seconds, the stream's own clock) belongs to. After an
    // accurate seek into a frame its start is clipped to the time asked for, so it is the last frame that
    // starts at or before it.
    int FrameAt(double time) const
    {
        if (index.empty())
            return video::FrameOfTime(time, firstTime, frameDuration);
        // A millisecond, or a quarter of a frame, absorbs the rounding between the two pipelines.
        const auto slack = static_cast<std::int64_t>(std::min(1e-3, 0.25 * frameDuration) * GST_SECOND);
        const auto ns = static_cast<std::int64_t>(std::llround((time - firstTime) * GST_SECOND));
        auto it = std::upper_bound(index.begin(), index.end(), ns + slack);
        return it == index.begin() ? 0 : static_cast<int>(it - index.begin()) - 1;
    }

    // Where to ask for frame n: just inside it.
    double TimeOfFrame(int n) const
    {
        if (index.empty())
            return std::clamp(firstTime + (n + 0.5) * frameDuration, 0.0, length);
        const std::size_t i = static_cast<std::size_t>(std::clamp<int>(n, 0, static_cast<int>(index.size()) - 1));
        const double start = static_cast<double>(index[i]) / GST_SECOND;
        const double end
            = i + 1 < index.size() ? static_cast<double>(index[i + 1]) / GST_SECOND : start + frameDuration;
        return std::clamp(start + 0.25 * (end - start), 0.0, length);
    }

    // One buffer forward in the paused pipeline.
    bool Step(double& shown)
    {
        if (!gst_element_send_event(pipeline.get(), gst_event_new_step(GST_FORMAT_BUFFERS, 1, 1.0, TRUE, FALSE)))
            return false;
        return WaitPaused(SeekWait()) && TakePreroll(shown);
    }

    // Waits for the pipeline to preroll. An error on the bus ends the wait at once; so does a source that
    // has read the whole file without anything reaching the sink for a while (a demuxer that never finds its
    // streams, as in an MP4 cut before its index, would otherwise keep the window waiting).
    bool WaitPaused(GstClockTime timeout = kStateTimeout)
    {
        timedOut = false;
        std::unique_ptr<GstBus, TObjectFree> bus(gst_element_get_bus(pipeline.get()));
        WatchReads();
        lastRead = NowNs();
        for (GstClockTime waited = 0; waited < timeout; waited += kStatePoll) {
            GstStateChangeReturn r = gst_element_get_state(pipeline.get(), nullptr, nullptr, kStatePoll);
            if (r == GST_STATE_CHANGE_SUCCESS || r == GST_STATE_CHANGE_NO_PREROLL)
                return true;
            if (r == GST_STATE_CHANGE_FAILURE)
                return false;
            std::unique_ptr<GstMessage, decltype(&gst_message_unref)> error(
                gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR), &gst_message_unref);
            if (error)
                return false;
            if (watched && NowNs() - lastRead.load() > static_cast<std::int64_t>(kStallAtEnd)) {
                timedOut = true; // nothing is read any more and nothing came out: nothing will
                return false;
            }
        }
        timedOut = true;
        return false;
    }

    // Every read of the file, pushed or pulled, marks the pipeline as alive.
    static std::int64_t NowNs()
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    static GstPadProbeReturn NoteRead(GstPad*, GstPadProbeInfo*, gpointer data)
    {
        static_cast<TImpl*>(data)->lastRead = NowNs();
        return GST_PAD_PROBE_OK;
    }
    void WatchReads()
    {
        if (watched || decodeBin == nullptr)
            return;
        GstElement* source = nullptr;
        g_object_get(decodeBin, "source", &source, nullptr);
        if (source == nullptr)
            return;
        std::unique_ptr<GstElement, TObjectFree> sourceRef(source);
        std::unique_ptr<GstPad, TObjectFree> pad(gst_element_get_static_pad(source, "src"));
        if (!pad)
            return;
        gst_pad_add_probe(pad.get(),
            static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_PUSH | GST_PAD_PROBE_TYPE_PULL),
            NoteRead, this, nullptr);
        watched = true;
    }

    // Takes the prerolled sample into frame. time is the start of the frame as it was in the stream: after
    // an accurate seek the sink's buffer starts at the time asked for, clipped, but still ends where the
    // frame ends. False when nothing prerolled.
    bool TakePreroll(double& time, int* capsWidth = nullptr, int* capsHeight = nullptr, double* fps = nullptr)
    {
        std::unique_ptr<GstSample, TSampleFree> sample(gst_app_sink_pull_preroll(GST_APP_SINK(sink)));
        if (!sample)
            return false;
        GstCaps* caps = gst_sample_get_caps(sample.get());
        GstBuffer* buffer = gst_sample_get_buffer(sample.get());
        GstVideoInfo info;
        if (!caps || !buffer || !gst_video_info_from_caps(&info, caps))
            return false;
        if (capsWidth)
            *capsWidth = GST_VIDEO_INFO_WIDTH(&info);
        if (capsHeight)
            *capsHeight = GST_VIDEO_INFO_HEIGHT(&info);
        if (fps) {
            fpsNum = GST_VIDEO_INFO_FPS_N(&info);
            fpsDen = GST_VIDEO_INFO_FPS_D(&info);
            *fps = fpsDen > 0 ? static_cast<double>(fpsNum) / fpsDen : 0;
        }
        const int w = GST_VIDEO_INFO_WIDTH(&info), h = GST_VIDEO_INFO_HEIGHT(&info);
        if (width > 0 && (w != width || h != height))
            return false;
        time = GST_BUFFER_PTS_IS_VALID(buffer) ? static_cast<double>(GST_BUFFER_PTS(buffer)) / GST_SECOND : 0;
        if (index.empty() && GST_BUFFER_PTS_IS_VALID(buffer) && GST_BUFFER_DURATION_IS_VALID(buffer)
            && frameDuration > 0) {
            // Without the index, the frame's start comes back from its end, which clipping leaves alone.
            double end = static_cast<double>(GST_BUFFER_PTS(buffer) + GST_BUFFER_DURATION(buffer)) / GST_SECOND;
            time = end - frameDuration;
        }
        GstMapInfo map;
        if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
            return false;
        const auto stride = static_cast<std::size_t>(GST_VIDEO_INFO_PLANE_STRIDE(&info, 0));
        const auto offset = static_cast<std::size_t>(GST_VIDEO_INFO_PLANE_OFFSET(&info, 0));
        bool ok = w > 0 && h > 0 && stride >= static_cast<std::size_t>(w) * 3
            && map.size >= offset + stride * (h - 1) + static_cast<std::size_t>(w) * 3;
        if (ok) {
            TRgbImage image(w, h);
            for (int y = 0; y < h; ++y)
                std::memcpy(image.Row(y), map.data + offset + stride * y, static_cast<std::size_t>(w) * 3);
            frame = std::move(image);
        }
        gst_buffer_unmap(buffer, &map);
        return ok;
    }

    bool SeekTo(double time)
    {
        auto ns = static_cast<gint64>(std::llround(time * GST_SECOND));
        if (!gst_element_seek_simple(pipeline.get(), GST_FORMAT_TIME,
                static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), ns))
            return false;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = WaitPaused(SeekWait());
        if (ok)
            NoteWait(start);
        return ok;
    }
};

TGStreamerPlay::TGStreamerPlay()
    : m_impl(std::make_unique<TImpl>())
{
    InitGStreamer();
}
TGStreamerPlay::~TGStreamerPlay() = default;

double TGStreamerPlay::StreamLength() const
{
    return m_impl->length;
}
double TGStreamerPlay::CurrentTime() const
{
    return m_impl->currentTime;
}
int TGStreamerPlay::CorrectedSeeks() const
{
    return m_impl->correctedSeeks;
}

bool TGStreamerPlay::DoOpen(const std::string& fileName)
{
    if (std::string refused = video::RefusedVideoFile(fileName); !refused.empty()) {
        SetErrorText(refused);
        return false;
    }
    auto& m = *m_impl;
    m.Reset();
    if (!InitGStreamer())
        return false;
    GError* error = nullptr;
    if (const TAviProbe avi = ProbeAvi(fileName); avi.bFrames || avi.repeatedIndex)
        return false;
    gchar* uri = gst_filename_to_uri(fileName.c_str(), &error);
    if (!uri) {
        if (error)
            g_error_free(error);
        return false;
    }
    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* source = gst_element_factory_make("uridecodebin", nullptr);
    GstElement* flip = gst_element_factory_make("videoflip", nullptr);
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!pipeline || !source || !flip || !convert || !sink) {
        g_free(uri);
        for (GstElement* e : { pipeline, source, flip, convert, sink })
            if (e)
                gst_object_unref(e);
        return false;
    }
    m.pipeline.reset(pipeline);
    gst_bin_add_many(GST_BIN(pipeline), source, flip, convert, sink, nullptr);
    g_object_set(source, "uri", uri, nullptr);
    // Turned upright as the stream's orientation tag says (a phone held upright).
    gst_util_set_object_arg(G_OBJECT(flip), "video-direction", "auto");
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "RGB", nullptr);
    g_object_set(sink, "caps", caps, "sync", FALSE, "max-buffers", 1u, nullptr);
    gst_caps_unref(caps);
    if (!gst_element_link_many(flip, convert, sink, nullptr)) {
        g_free(uri);
        return false;
    }
    g_signal_connect(source, "pad-added", G_CALLBACK(LinkVideoPad), flip);
    m.sink = sink;
    m.decodeBin = source;
    const auto prerollStart = std::chrono::steady_clock::now();
    if (gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE || !m.WaitPaused()) {
        g_free(uri);
        return false;
    }
    m.NoteWait(prerollStart);
    std::error_code sizeError;
    const auto fileBytes = std::filesystem::file_size(fileName, sizeError);
    m.index = IndexFrameTimes(uri, sizeError ? 0.0 : static_cast<double>(fileBytes));
    for (std::size_t i = m.index.size(); i-- > 0;)
        m.index[i] -= m.index.front();
    g_free(uri);

    double firstTime = 0, fps = 0;
    int w = 0, h = 0;
    if (!m.TakePreroll(firstTime, &w, &h, &fps))
        return false;
    if (w <= 0 || h <= 0 || !SetGeometry(w, h))
        return false;
    m.width = w;
    m.height = h;
    gint64 duration = 0;
    if (!gst_element_query_duration(pipeline, GST_FORMAT_TIME, &duration) || duration <= 0)
        return false;
    m.length = static_cast<double>(duration) / GST_SECOND;
    if (!m.index.empty()) {
        // The frames' own times: exact count and rate, and whether the durations vary.
        const video::TStreamTiming timing = video::JudgeTiming(m.index, 1.0 / GST_SECOND, { { m.fpsNum, m.fpsDen } });
        // Frames of uneven durations do not keep their times through this pipeline's seeks (the decoder
        // gives them the caps' nominal duration): the FFmpeg back-end reads such files frame by frame.
        if (timing.variable)
            return false;
        if (!timing.usable
            || !SetTiming(
                timing.framesPerSecond, static_cast<int>(m.index.size()), timing.duration, timing.frameDuration))
            return false;
        SetFrameTimes(timing.times, false);
        m.frameDuration = timing.frameDuration;
        m.length = std::max(m.length, static_cast<double>(m.index.back()) / GST_SECOND + timing.frameDuration);
    } else {
        if (std::fabs(fps) < 1e-100)
            return false;
        const int count = video::FrameCountFromLength(m.length, fps);
        const double frameDuration
            = m.fpsNum > 0 && m.fpsDen > 0 ? static_cast<double>(m.fpsDen) / m.fpsNum : 1.0 / fps;
        if (!SetTiming(fps, count, count * frameDuration, frameDuration))
            return false;
        m.frameDuration = frameDuration;
    }
    m.firstTime = firstTime;
    m.currentTime = 0;
    m.frameValid = true;
    return true;
}

void TGStreamerPlay::DoClose()
{
    auto& m = *m_impl;
    m.pipeline.reset();
    m.sink = nullptr;
    m.decodeBin = nullptr;
    m.watched = false;
    m.frameValid = false;
    m.frame = TRgbImage();
}

int TGStreamerPlay::DoSeek(int n)
{
    auto& m = *m_impl;
    m.frameValid = false;
    const auto deadline = std::chrono::steady_clock::now() + kSeekTime;
    double time = video::SeekTimeOfFrame(n, m.frameDuration, m.length);
    m.currentTime = time;
    // The time of what came out says which frame it is; a demuxer that lands elsewhere (B-frames and an
    // edit list, or the drift of the 1.0001 factor on long videos) is asked again, aimed by the error.
    int back = 1;
    for (int attempt = 0; attempt <= kCorrectionTries + 4 && std::chrono::steady_clock::now() < deadline; ++attempt) {
        double shown = 0;
        if (!m.SeekTo(time) || !m.TakePreroll(shown)) {
            if (m.timedOut)
                break;
            // At the very end of the stream nothing prerolls: ask for the middle of the last frame.
            time = std::max(0.0, std::min(time, m.length) - 0.5 * m.frameDuration);
            continue;
        }
        int got = m.FrameAt(shown);
        if (got == n) {
            m.frameValid = true;
            return n;
        }
        ++m.correctedSeeks;
        if (got < n && n - got <= kMaxSteps && attempt > 0) {
            // Landed before it: step forward to it.
            while (got < n && std::chrono::steady_clock::now() < deadline && !m.timedOut && m.Step(shown)) {
                const int next = m.FrameAt(shown);
                if (next <= got)
                    break; // the pipeline did not move on
                got = next;
            }
            if (got == n) {
                m.frameValid = true;
                return n;
            }
        }
        if (got > n && attempt > 0) {
            // Landed after it, twice: decoding starts at a key frame shown after frame n. Go earlier.
            time = m.TimeOfFrame(std::max(0, n - back));
            back *= 2;
            continue;
        }
        time = m.TimeOfFrame(n);
    }
    ReportError(video::TextDamagedFrame());
    return n;
}

bool TGStreamerPlay::DoDraw(TRgbImage& target)
{
    if (!m_impl->frameValid)
        return false;
    target = m_impl->frame;
    return true;
}

} // namespace kinoval::media
