#include "media/ds_play.h"

#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "core/video/player_timing.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kinoval::media {

namespace {

// A demuxer that never finds its streams (an MP4 cut before its index, read in pull mode) neither fails
// nor prerolls: the open gives up after this long and the next back-end tries.
constexpr GstClockTime kStateTimeout = 5 * GST_SECOND;
constexpr GstClockTime kStatePoll = 20 * GST_MSECOND;
constexpr GstClockTime kStallAtEnd = 600 * GST_MSECOND;
constexpr int kCorrectionTries = 3;

struct TElementFree {
    void operator()(GstElement* e) const
    {
        gst_element_set_state(e, GST_STATE_NULL);
        gst_object_unref(e);
    }
};
struct TSampleFree {
    void operator()(GstSample* s) const { gst_sample_unref(s); }
};
struct TObjectFree {
    void operator()(gpointer o) const { gst_object_unref(o); }
};

bool InitGStreamer()
{
    static const bool ok = [] {
        GError* error = nullptr;
        bool done = gst_init_check(nullptr, nullptr, &error);
        if (error)
            g_error_free(error);
        return done;
    }();
    return ok;
}

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

} // namespace

struct TDSPlay::TImpl {
    std::unique_ptr<GstElement, TElementFree> pipeline;
    GstElement* sink = nullptr; // borrowed from the pipeline
    GstElement* decodeBin = nullptr; // borrowed from the pipeline
    double length = 0;
    double currentTime = 0;
    double frameDuration = 0;
    double firstTime = 0; // timestamp of the first frame, seconds
    int width = 0, height = 0;
    int correctedSeeks = 0;
    bool frameValid = false;
    TRgbImage frame;

    // Waits for the pipeline to preroll. An error on the bus ends the wait at once; so does a source that
    // has read the whole file without anything reaching the sink for a while (a demuxer that never finds its
    // streams, as in an MP4 cut before its index, would otherwise keep the window waiting).
    bool WaitPaused()
    {
        std::unique_ptr<GstBus, TObjectFree> bus(gst_element_get_bus(pipeline.get()));
        GstElement* source = nullptr;
        if (decodeBin)
            g_object_get(decodeBin, "source", &source, nullptr);
        std::unique_ptr<GstElement, TObjectFree> sourceRef(source);
        gint64 lastPosition = -1;
        int stillAtEnd = 0;
        for (GstClockTime waited = 0; waited < kStateTimeout; waited += kStatePoll) {
            GstStateChangeReturn r = gst_element_get_state(pipeline.get(), nullptr, nullptr, kStatePoll);
            if (r == GST_STATE_CHANGE_SUCCESS || r == GST_STATE_CHANGE_NO_PREROLL)
                return true;
            if (r == GST_STATE_CHANGE_FAILURE)
                return false;
            std::unique_ptr<GstMessage, decltype(&gst_message_unref)> error(
                gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR), &gst_message_unref);
            if (error)
                return false;
            gint64 position = 0, size = 0;
            if (source && gst_element_query_position(source, GST_FORMAT_BYTES, &position)
                && gst_element_query_duration(source, GST_FORMAT_BYTES, &size) && size > 0 && position >= size
                && position == lastPosition) {
                if (++stillAtEnd * kStatePoll >= kStallAtEnd)
                    return false;
            } else {
                stillAtEnd = 0;
            }
            lastPosition = position;
        }
        return false;
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
        if (fps)
            *fps = GST_VIDEO_INFO_FPS_D(&info) > 0
                ? static_cast<double>(GST_VIDEO_INFO_FPS_N(&info)) / GST_VIDEO_INFO_FPS_D(&info)
                : 0;
        const int w = GST_VIDEO_INFO_WIDTH(&info), h = GST_VIDEO_INFO_HEIGHT(&info);
        if (width > 0 && (w != width || h != height))
            return false;
        time = GST_BUFFER_PTS_IS_VALID(buffer) ? static_cast<double>(GST_BUFFER_PTS(buffer)) / GST_SECOND : 0;
        if (GST_BUFFER_PTS_IS_VALID(buffer) && GST_BUFFER_DURATION_IS_VALID(buffer) && frameDuration > 0) {
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
        return WaitPaused();
    }
};

TDSPlay::TDSPlay()
    : m_impl(std::make_unique<TImpl>())
{
    InitGStreamer();
}
TDSPlay::~TDSPlay() = default;

double TDSPlay::StreamLength() const
{
    return m_impl->length;
}
double TDSPlay::CurrentTime() const
{
    return m_impl->currentTime;
}
int TDSPlay::CorrectedSeeks() const
{
    return m_impl->correctedSeeks;
}

bool TDSPlay::DoOpen(const std::string& fileName)
{
    if (std::string refused = video::RefusedVideoFile(fileName); !refused.empty()) {
        SetErrorText(refused);
        return false;
    }
    auto& m = *m_impl;
    m = TImpl {};
    if (!InitGStreamer())
        return false;
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(fileName.c_str(), &error);
    if (!uri) {
        if (error)
            g_error_free(error);
        return false;
    }
    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* source = gst_element_factory_make("uridecodebin", nullptr);
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!pipeline || !source || !convert || !sink) {
        g_free(uri);
        for (GstElement* e : { pipeline, source, convert, sink })
            if (e)
                gst_object_unref(e);
        return false;
    }
    m.pipeline.reset(pipeline);
    gst_bin_add_many(GST_BIN(pipeline), source, convert, sink, nullptr);
    g_object_set(source, "uri", uri, nullptr);
    g_free(uri);
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "RGB", nullptr);
    g_object_set(sink, "caps", caps, "sync", FALSE, "max-buffers", 1u, nullptr);
    gst_caps_unref(caps);
    if (!gst_element_link(convert, sink))
        return false;
    g_signal_connect(source, "pad-added", G_CALLBACK(LinkVideoPad), convert);
    m.sink = sink;
    m.decodeBin = source;
    if (gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE || !m.WaitPaused())
        return false;

    double firstTime = 0, fps = 0;
    int w = 0, h = 0;
    if (!m.TakePreroll(firstTime, &w, &h, &fps))
        return false;
    if (w <= 0 || h <= 0 || !SetGeometry(w, h))
        return false;
    m.width = w;
    m.height = h;
    if (std::fabs(fps) < 1e-100)
        return false;
    gint64 duration = 0;
    if (!gst_element_query_duration(pipeline, GST_FORMAT_TIME, &duration) || duration <= 0)
        return false;
    m.length = static_cast<double>(duration) / GST_SECOND;
    const int count = video::FrameCountFromLength(m.length, fps);
    if (!SetTiming(fps, count, m.length))
        return false;
    m.frameDuration = 1.0 / fps;
    m.firstTime = firstTime;
    m.currentTime = 0;
    m.frameValid = true;
    return true;
}

void TDSPlay::DoClose()
{
    auto& m = *m_impl;
    m.pipeline.reset();
    m.sink = nullptr;
    m.decodeBin = nullptr;
    m.frameValid = false;
    m.frame = TRgbImage();
}

int TDSPlay::DoSeek(int n)
{
    auto& m = *m_impl;
    m.frameValid = false;
    double time = video::SeekTimeOfFrame(n, m.frameDuration, m.length);
    m.currentTime = time;
    // The timestamp of what came out says which frame it is; a demuxer that lands elsewhere (B-frames and
    // an edit list, or the drift of the 1.0001 factor on long videos) is asked again, aimed by the error.
    for (int attempt = 0; attempt <= kCorrectionTries; ++attempt) {
        double shown = 0;
        if (!m.SeekTo(time) || !m.TakePreroll(shown)) {
            // At the very end of the stream nothing prerolls: ask for the middle of the last frame.
            time = std::max(0.0, std::min(time, m.length) - 0.5 * m.frameDuration);
            continue;
        }
        int got = video::FrameOfTime(shown, m.firstTime, m.frameDuration);
        if (got == n) {
            m.frameValid = true;
            return n;
        }
        ++m.correctedSeeks;
        time = std::clamp(m.firstTime + (n + 0.5) * m.frameDuration, 0.0, m.length); // the middle of frame n
    }
    ReportError(video::TextDamagedFrame());
    return n;
}

bool TDSPlay::DoDraw(TRgbImage& target)
{
    if (!m_impl->frameValid)
        return false;
    target = m_impl->frame;
    return true;
}

} // namespace kinoval::media
