#include "media/gst_encoder_writer.h"

#include "media/gst_support.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cstring>

namespace kinoval::media {

namespace {

using gst::TElementFree;
using gst::TObjectFree;

// Each chain keeps every picture close to the camera's (a measurement is made on edges and small
// objects) and puts a key frame at least every 30 frames, so that stepping back through the video stays
// quick. Presets are those that keep up with a camera on a modest machine.
const std::vector<TCaptureEncoder> kEncoders = {
    { "H.264 (x264) en MP4", "mp4", "x264enc",
        "x264enc speed-preset=superfast tune=zerolatency pass=qual quantizer=18 key-int-max=30 ! "
        "mp4mux name=mux trak-timescale=90000" },
    { "H.264 (OpenH264) en MP4", "mp4", "openh264enc",
        "openh264enc bitrate=8000000 gop-size=30 complexity=low ! h264parse ! mp4mux name=mux trak-timescale=90000" },
    { "VP8 en WebM", "webm", "vp8enc",
        "vp8enc deadline=1 cpu-used=16 target-bitrate=4000000 keyframe-max-dist=30 threads=2 ! webmmux name=mux" },
};

// Every element a chain names ("a ! b prop=1 ! c name=x" gives a, b, c).
std::vector<std::string> ElementsOf(const std::string& chain)
{
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < chain.size()) {
        std::size_t end = chain.find('!', at);
        if (end == std::string::npos)
            end = chain.size();
        std::string part = chain.substr(at, end - at);
        const std::size_t first = part.find_first_not_of(' ');
        if (first != std::string::npos) {
            part = part.substr(first);
            names.push_back(part.substr(0, part.find(' ')));
        }
        at = end + 1;
    }
    return names;
}

bool Installed(const std::string& element)
{
    std::unique_ptr<GstElementFactory, TObjectFree> factory(gst_element_factory_find(element.c_str()));
    return factory != nullptr;
}

constexpr GstClockTime kCloseTimeout = 60 * GST_SECOND;

} // namespace

const std::vector<TCaptureEncoder>& KnownEncoders()
{
    return kEncoders;
}

std::vector<TCaptureEncoder> InstalledEncoders()
{
    std::vector<TCaptureEncoder> found;
    if (!gst::InitGStreamer())
        return found;
    for (const TCaptureEncoder& encoder : kEncoders) {
        const auto elements = ElementsOf(encoder.chain);
        bool all = true;
        for (const auto& e : elements)
            all = all && Installed(e);
        if (all)
            found.push_back(encoder);
    }
    return found;
}

struct TGstEncoderWriter::TImpl {
    TCaptureEncoder encoder;
    std::unique_ptr<GstElement, TElementFree> pipeline;
    GstElement* source = nullptr; // owned by the pipeline
    int width = 0, height = 0, fps = 30;
    int frames = 0;
    bool failed = false;

    // An element that gave up (a full disk, an encoder that refused the size) says so on the bus.
    bool ErrorPosted()
    {
        std::unique_ptr<GstBus, TObjectFree> bus(gst_element_get_bus(pipeline.get()));
        if (GstMessage* msg = gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR)) {
            gst_message_unref(msg);
            return true;
        }
        return false;
    }
};

TGstEncoderWriter::TGstEncoderWriter(TCaptureEncoder encoder)
    : m_impl(std::make_unique<TImpl>())
{
    m_impl->encoder = std::move(encoder);
}

TGstEncoderWriter::~TGstEncoderWriter()
{
    // An unfinished stream is stopped at once; Close is what completes a file.
    m_impl->pipeline.reset();
}

int TGstEncoderWriter::Open(const std::string& fileName, int width, int height, int fps)
{
    auto& m = *m_impl;
    if (m.pipeline || width <= 0 || height <= 0 || fps <= 0 || fileName.empty())
        return -1;
    if (!gst::InitGStreamer())
        return -2;
    // Both sizes even: the encoders take 4:2:0 pictures.
    const std::string description
        = "appsrc name=src ! videoconvert ! videoscale ! video/x-raw,format=I420,width=" + std::to_string(width & ~1)
        + ",height=" + std::to_string(height & ~1) + " ! " + m.encoder.chain + " ! filesink name=file";
    GError* error = nullptr;
    GstElement* parsed = gst_parse_launch(description.c_str(), &error);
    if (error != nullptr) {
        g_error_free(error);
        if (parsed != nullptr)
            gst_object_unref(parsed);
        return -2;
    }
    m.pipeline.reset(parsed);
    std::unique_ptr<GstElement, TObjectFree> file(gst_bin_get_by_name(GST_BIN(parsed), "file"));
    std::unique_ptr<GstElement, TObjectFree> source(gst_bin_get_by_name(GST_BIN(parsed), "src"));
    if (!file || !source) {
        m.pipeline.reset();
        return -2;
    }
    g_object_set(file.get(), "location", fileName.c_str(), nullptr);
    m.source = source.get();
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "RGB", "width", G_TYPE_INT, width,
        "height", G_TYPE_INT, height, "framerate", GST_TYPE_FRACTION, fps, 1, nullptr);
    // The writer's thread waits when the encoder falls behind, rather than piling frames up in memory:
    // the capture counts a frame it could not queue as lost.
    g_object_set(m.source, "caps", caps, "format", GST_FORMAT_TIME, "block", TRUE, "max-bytes",
        static_cast<guint64>(width) * height * 3 * 8, nullptr);
    gst_caps_unref(caps);
    if (gst_element_set_state(parsed, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE || m.ErrorPosted()) {
        m.pipeline.reset();
        m.source = nullptr;
        return -2;
    }
    m.width = width;
    m.height = height;
    m.fps = fps;
    m.frames = 0;
    m.failed = false;
    return 0;
}

int TGstEncoderWriter::WriteFrame(const TRgbImage& frame, std::int64_t time)
{
    auto& m = *m_impl;
    if (!m.pipeline || frame.width != m.width || frame.height != m.height || time < 0)
        return -1;
    if (m.failed)
        return -4;
    const gsize rowBytes = static_cast<gsize>(m.width) * 3;
    const gsize stride = (rowBytes + 3) & ~static_cast<gsize>(3);
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, stride * m.height, nullptr);
    if (buffer == nullptr)
        return -4;
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_WRITE)) {
        gst_buffer_unref(buffer);
        return -4;
    }
    for (int y = 0; y < m.height; ++y) {
        std::memcpy(map.data + y * stride, frame.Row(y), rowBytes);
        std::memset(map.data + y * stride + rowBytes, 0, stride - rowBytes);
    }
    gst_buffer_unmap(buffer, &map);
    GST_BUFFER_PTS(buffer) = static_cast<GstClockTime>(time);
    GST_BUFFER_DTS(buffer) = GST_CLOCK_TIME_NONE;
    // Until the next frame comes, a frame lasts the mean interval so far: the last one keeps it.
    GST_BUFFER_DURATION(buffer)
        = m.frames > 0 ? static_cast<GstClockTime>(time) / m.frames : gst_util_uint64_scale(GST_SECOND, 1, m.fps);
    if (gst_app_src_push_buffer(GST_APP_SRC(m.source), buffer) != GST_FLOW_OK || m.ErrorPosted()) {
        m.failed = true;
        return -4;
    }
    ++m.frames;
    return 0;
}

int TGstEncoderWriter::Close()
{
    auto& m = *m_impl;
    if (!m.pipeline)
        return -4;
    bool ok = !m.failed && gst_app_src_end_of_stream(GST_APP_SRC(m.source)) == GST_FLOW_OK;
    if (ok) {
        // The muxer writes its index once the whole stream has passed through.
        std::unique_ptr<GstBus, TObjectFree> bus(gst_element_get_bus(m.pipeline.get()));
        GstMessage* msg = gst_bus_timed_pop_filtered(
            bus.get(), kCloseTimeout, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        ok = msg != nullptr && GST_MESSAGE_TYPE(msg) == GST_MESSAGE_EOS;
        if (msg != nullptr)
            gst_message_unref(msg);
    }
    m.pipeline.reset();
    m.source = nullptr;
    return ok && m.frames > 0 ? 0 : -4;
}

int TGstEncoderWriter::FrameCount() const
{
    return m_impl->frames;
}

} // namespace kinoval::media
