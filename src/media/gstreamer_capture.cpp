#include "media/gstreamer_capture.h"

#include "media/avi_writer.h"
#include "media/capture_caps.h"
#include "media/gst_encoder_writer.h"
#include "media/gst_support.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

namespace kinoval::media {

namespace {

using capture::TPreviewResult;

constexpr const char* kTestCameraName = "Caméra de test (mire)";
// Frames waiting for the writer: about two seconds at 30 fps; beyond, a frame is dropped and counted.
constexpr std::size_t kQueueLimit = 64;
constexpr GstClockTime kStartTimeout = 5 * GST_SECOND;
// "sans" and MJPEG, written by our AVI writer; the framework's encoders follow them in the list.
constexpr int kOwnCompressors = 2;

using gst::InitGStreamer;
using gst::TCapsFree;
using gst::TElementFree;
using gst::TObjectFree;

bool TestCameraWanted()
{
    const char* v = std::getenv("KINOVAL_TEST_CAMERA");
    return v != nullptr && std::strcmp(v, "1") == 0;
}

// The test camera is plugged in while the file KINOVAL_TEST_CAMERA_PLUG names exists (always, without
// that variable): the real-window suite pulls it out and plugs it back as a person would a webcam.
bool TestCameraPlugged()
{
    if (!TestCameraWanted())
        return false;
    const char* plug = std::getenv("KINOVAL_TEST_CAMERA_PLUG");
    if (plug == nullptr || *plug == 0)
        return true;
    std::error_code ec;
    return std::filesystem::exists(plug, ec);
}

// Whether a device of the monitor belongs to the V4L2 framework.
bool IsV4l2(GstDevice* d)
{
    bool v4l2 = false;
    if (GstStructure* props = gst_device_get_properties(d)) {
        const char* api = gst_structure_get_string(props, "device.api");
        v4l2 = api != nullptr && std::strcmp(api, "v4l2") == 0;
        gst_structure_free(props);
    }
    return v4l2;
}

struct TDevice {
    std::string name;
    std::unique_ptr<GstDevice, TObjectFree> device; // null for the test camera
    std::vector<TCaptureFormat> formats;
};

// The counter of the test camera: 16 bits along the bottom edge, least significant on the left.
void DrawCounter(std::uint8_t* data, int width, int height, int stride, unsigned number)
{
    const int band = std::max(8, height / 12);
    for (int y = height - band; y < height; ++y) {
        std::uint8_t* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const int bit = x * 16 / width;
            const std::uint8_t v = (number >> bit) & 1 ? 235 : 16;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
        }
    }
}

} // namespace

struct TGstCapture::TImpl {
    TFramework framework;
    bool listed = false;
    std::vector<TDevice> devices;
    int device = -1, format = -1, compressor = -1;
    int fps = 30;
    std::vector<TCaptureEncoder> encoders = InstalledEncoders();

    std::unique_ptr<GstElement, TElementFree> pipeline;
    bool previewing = false;

    // Shared with the streaming thread and the writer thread.
    mutable std::mutex mutex;
    TRgbImage latest;
    bool haveLatest = false;
    std::atomic<unsigned> counter { 0 }; // the test camera's frames
    // The test camera's picture size, set before its pipeline runs (the device list may be refreshed
    // while it runs).
    int stampWidth = 0, stampHeight = 0;
    bool recording = false;
    std::deque<std::pair<TRgbImage, GstClockTime>> queue;
    std::condition_variable wake;
    std::atomic<int> captured { 0 };
    std::atomic<int> dropped { 0 };
    GstClockTime lastPts = GST_CLOCK_TIME_NONE;
    GstClockTime frameDuration = 0;
    std::thread writer;
    std::string fileName;
    bool writerFailed = false;
    double lastRate = 0;
    std::vector<double> recordedTimes;

    // The system's notices of video sources plugged in and pulled out come on the monitor's bus, from the
    // providers' threads; they wait here for the window.
    std::unique_ptr<GstDeviceMonitor, TObjectFree> monitor;
    bool monitoring = false;
    std::mutex changesMutex;
    std::vector<capture::TDeviceChange> changes;
    bool testPlugged = TestCameraPlugged();

    static GstBusSyncReply OnDeviceMessage(GstBus*, GstMessage* msg, gpointer self)
    {
        auto* m = static_cast<TImpl*>(self);
        const bool added = GST_MESSAGE_TYPE(msg) == GST_MESSAGE_DEVICE_ADDED;
        if (added || GST_MESSAGE_TYPE(msg) == GST_MESSAGE_DEVICE_REMOVED) {
            GstDevice* d = nullptr;
            if (added)
                gst_message_parse_device_added(msg, &d);
            else
                gst_message_parse_device_removed(msg, &d);
            if (d != nullptr) {
                if (IsV4l2(d) == (m->framework == fwV4l2)) {
                    std::lock_guard lock(m->changesMutex);
                    m->changes.push_back(added ? capture::TDeviceChange::dcArrived : capture::TDeviceChange::dcRemoved);
                }
                gst_object_unref(d);
            }
        }
        gst_message_unref(msg);
        return GST_BUS_DROP;
    }

    void StartMonitor()
    {
        if (monitor)
            return;
        monitor.reset(gst_device_monitor_new());
        gst_device_monitor_add_filter(monitor.get(), "Video/Source", nullptr);
        std::unique_ptr<GstBus, TObjectFree> bus(gst_device_monitor_get_bus(monitor.get()));
        gst_bus_set_sync_handler(bus.get(), OnDeviceMessage, this, nullptr);
        // Without any provider that watches (a machine without udev), devices are still listed on demand.
        monitoring = gst_device_monitor_start(monitor.get());
        // The providers announce the devices they find on starting: those are no news.
        std::lock_guard lock(changesMutex);
        changes.clear();
    }

    void StopMonitor()
    {
        if (!monitor)
            return;
        if (monitoring)
            gst_device_monitor_stop(monitor.get());
        std::unique_ptr<GstBus, TObjectFree> bus(gst_device_monitor_get_bus(monitor.get()));
        gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
        monitor.reset();
    }

    std::vector<capture::TDeviceChange> TakeChanges()
    {
        std::vector<capture::TDeviceChange> taken;
        {
            std::lock_guard lock(changesMutex);
            taken.swap(changes);
        }
        if (framework == fwOther) {
            const bool plugged = TestCameraPlugged();
            if (plugged != testPlugged)
                taken.push_back(plugged ? capture::TDeviceChange::dcArrived : capture::TDeviceChange::dcRemoved);
            testPlugged = plugged;
        }
        return taken;
    }

    void List()
    {
        listed = true;
        devices.clear();
        if (!InitGStreamer())
            return;
        if (framework == fwOther && TestCameraPlugged()) {
            TDevice test;
            test.name = kTestCameraName;
            for (auto [w, h] : { std::pair { 320, 240 }, std::pair { 640, 480 } })
                test.formats.push_back(
                    { std::to_string(w) + "x" + std::to_string(h) + " RGB, 60 fps", "video/x-raw", "RGB", w, h });
            devices.push_back(std::move(test));
        }
        StartMonitor();
        GList* found = gst_device_monitor_get_devices(monitor.get());
        for (GList* l = found; l != nullptr; l = l->next) {
            GstDevice* d = GST_DEVICE(l->data);
            if (IsV4l2(d) != (framework == fwV4l2))
                continue;
            TDevice entry;
            gchar* name = gst_device_get_display_name(d);
            entry.name = name != nullptr ? name : "?";
            g_free(name);
            std::unique_ptr<GstCaps, TCapsFree> caps(gst_device_get_caps(d));
            if (caps) {
                gchar* text = gst_caps_to_string(caps.get());
                entry.formats = CaptureFormatsOfCaps(text);
                g_free(text);
            }
            entry.device.reset(GST_DEVICE(gst_object_ref(d)));
            devices.push_back(std::move(entry));
        }
        g_list_free_full(found, gst_object_unref);
    }

    const TDevice* Current() const
    {
        return device >= 0 && device < static_cast<int>(devices.size()) ? &devices[device] : nullptr;
    }

    // The caps asked of the device: the chosen format (or what the device likes) at the chosen rate.
    std::unique_ptr<GstCaps, TCapsFree> WantedCaps(bool withRate) const
    {
        const TDevice* d = Current();
        const TCaptureFormat* f = d != nullptr && format >= 0 && format < static_cast<int>(d->formats.size())
            ? &d->formats[format]
            : nullptr;
        const bool test = d != nullptr && !d->device;
        if (f == nullptr && test)
            f = &d->formats[0];
        std::string text = f != nullptr ? f->media : std::string("video/x-raw");
        if (f != nullptr) {
            text += ",width=" + std::to_string(f->width) + ",height=" + std::to_string(f->height);
            if (!f->pixelFormat.empty())
                text += ",format=" + f->pixelFormat;
        }
        if (withRate)
            text += ",framerate=" + std::to_string(fps) + "/1";
        std::unique_ptr<GstCaps, TCapsFree> caps(gst_caps_from_string(text.c_str()));
        if (f == nullptr && caps) {
            // No format chosen: raw pictures or JPEG ones, whichever the device gives.
            std::string jpeg = withRate ? "image/jpeg,framerate=" + std::to_string(fps) + "/1" : "image/jpeg";
            gst_caps_append(caps.get(), gst_caps_from_string(jpeg.c_str()));
        }
        return caps;
    }

    static GstPadProbeReturn StampCounter(GstPad*, GstPadProbeInfo* info, gpointer self)
    {
        auto* m = static_cast<TImpl*>(self);
        GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
        if (buffer == nullptr)
            return GST_PAD_PROBE_OK;
        buffer = gst_buffer_make_writable(buffer);
        GST_PAD_PROBE_INFO_DATA(info) = buffer;
        GstMapInfo map;
        const int width = m->stampWidth, height = m->stampHeight;
        if (gst_buffer_map(buffer, &map, GST_MAP_WRITE)) {
            const int stride = (width * 3 + 3) & ~3;
            if (map.size >= static_cast<gsize>(stride) * height)
                DrawCounter(map.data, width, height, stride, m->counter.fetch_add(1));
            gst_buffer_unmap(buffer, &map);
        }
        return GST_PAD_PROBE_OK;
    }

    static GstFlowReturn OnSample(GstAppSink* sink, gpointer self)
    {
        auto* m = static_cast<TImpl*>(self);
        GstSample* sample = gst_app_sink_pull_sample(sink);
        if (sample == nullptr)
            return GST_FLOW_OK;
        GstVideoInfo info;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        GstMapInfo map;
        if (buffer != nullptr && gst_video_info_from_caps(&info, gst_sample_get_caps(sample))
            && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            const int width = GST_VIDEO_INFO_WIDTH(&info), height = GST_VIDEO_INFO_HEIGHT(&info);
            const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
            TRgbImage frame(width, height);
            if (map.size >= static_cast<gsize>(stride) * (height - 1) + width * 3)
                for (int y = 0; y < height; ++y)
                    std::memcpy(frame.Row(y), map.data + static_cast<std::ptrdiff_t>(y) * stride,
                        static_cast<std::size_t>(width) * 3);
            gst_buffer_unmap(buffer, &map);
            const GstClockTime pts = GST_BUFFER_PTS(buffer);
            const GstClockTime duration = GST_VIDEO_INFO_FPS_N(&info) > 0
                ? gst_util_uint64_scale(GST_SECOND, GST_VIDEO_INFO_FPS_D(&info), GST_VIDEO_INFO_FPS_N(&info))
                : 0;
            m->Deliver(std::move(frame), pts, duration);
        }
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }

    void Deliver(TRgbImage frame, GstClockTime pts, GstClockTime duration)
    {
        std::lock_guard lock(mutex);
        if (recording) {
            // Frames the device lost show as a gap in the capture clock's timestamps.
            if (GST_CLOCK_TIME_IS_VALID(pts) && GST_CLOCK_TIME_IS_VALID(lastPts) && duration > 0 && pts > lastPts) {
                const double frames = static_cast<double>(pts - lastPts) / static_cast<double>(duration);
                if (frames > 1.5)
                    dropped += static_cast<int>(std::lround(frames)) - 1;
            }
            lastPts = pts;
            if (queue.size() >= kQueueLimit) {
                ++dropped;
            } else {
                queue.emplace_back(frame, pts);
                wake.notify_one();
            }
        }
        latest = std::move(frame);
        haveLatest = true;
    }

    // The writer thread: opens the file at the first frame (its size is known then), writes each frame,
    // and at the end declares the rate the timestamps show (our AVI writer) or keeps each frame's own time
    // (the framework's encoders).
    void Write()
    {
        TAviWriter avi;
        std::unique_ptr<TGstEncoderWriter> encoded;
        bool open = false;
        int width = 0, height = 0, written = 0;
        GstClockTime first = GST_CLOCK_TIME_NONE, last = GST_CLOCK_TIME_NONE;
        const TAviCodec codec = compressor == 1 ? TAviCodec::acMjpeg : TAviCodec::acDib24;
        const int encoderIndex = compressor - kOwnCompressors;
        if (encoderIndex >= 0 && encoderIndex < static_cast<int>(encoders.size()))
            encoded = std::make_unique<TGstEncoderWriter>(encoders[encoderIndex]);
        std::vector<double> times;
        for (;;) {
            std::unique_lock lock(mutex);
            wake.wait(lock, [this] { return !queue.empty() || !recording; });
            if (queue.empty())
                break;
            auto [frame, pts] = std::move(queue.front());
            queue.pop_front();
            lock.unlock();
            if (!open) {
                const int opened = encoded
                    ? encoded->Open(fileName, frame.width, frame.height, fps)
                    : avi.Open(fileName, frame.width, frame.height, static_cast<unsigned>(fps), 1, codec);
                if (opened != 0) {
                    writerFailed = true;
                    break;
                }
                open = true;
                width = frame.width;
                height = frame.height;
            }
            // The first frame is the recording's origin; a frame without a time takes the one it would have.
            const GstClockTime time = GST_CLOCK_TIME_IS_VALID(pts) && GST_CLOCK_TIME_IS_VALID(first) && pts > first
                ? pts - first
                : static_cast<GstClockTime>(written) * GST_SECOND / static_cast<GstClockTime>(fps);
            const bool fits = frame.width == width && frame.height == height;
            const int result = !fits ? -1
                : encoded            ? encoded->WriteFrame(frame, static_cast<std::int64_t>(time))
                                     : avi.WriteFrame(frame);
            if (result != 0) {
                ++dropped;
                continue;
            }
            ++written;
            ++captured;
            times.push_back(static_cast<double>(time) / GST_SECOND);
            if (GST_CLOCK_TIME_IS_VALID(pts)) {
                if (!GST_CLOCK_TIME_IS_VALID(first))
                    first = pts;
                last = pts;
            }
        }
        recordedTimes = std::move(times);
        if (!open) {
            // What an encoder that refused to start left is no video: the capture then says it failed.
            std::error_code ec;
            std::filesystem::remove(fileName, ec);
            return;
        }
        if (written >= 2 && GST_CLOCK_TIME_IS_VALID(first) && last > first) {
            // The rate really obtained, in thousandths of a frame per second.
            const double rate = (written - 1) * static_cast<double>(GST_SECOND) / static_cast<double>(last - first);
            avi.SetRate(static_cast<unsigned>(std::lround(rate * 1000)), 1000);
            lastRate = rate;
        } else {
            lastRate = fps;
        }
        if ((encoded ? encoded->Close() : avi.Close()) != 0)
            writerFailed = true;
    }

    bool Build(bool withRate)
    {
        const TDevice* d = Current();
        GstElement* source = nullptr;
        if (!d->device) {
            source = gst_element_factory_make("videotestsrc", nullptr);
            if (source != nullptr)
                g_object_set(source, "is-live", TRUE, "pattern", 18 /* ball */, nullptr);
        } else {
            source = gst_device_create_element(d->device.get(), nullptr);
        }
        if (source == nullptr)
            return false;
        const bool raw = !d->device;
        GError* error = nullptr;
        GstElement* tail = gst_parse_bin_from_description(raw
                ? "videoconvert ! video/x-raw,format=RGB ! appsink name=sink"
                : "decodebin ! videoconvert ! video/x-raw,format=RGB ! appsink name=sink",
            TRUE, &error);
        if (error != nullptr) {
            g_error_free(error);
            if (tail != nullptr)
                gst_object_unref(tail);
            gst_object_unref(source);
            return false;
        }
        std::unique_ptr<GstElement, TElementFree> pipe(gst_pipeline_new("capture"));
        gst_bin_add_many(GST_BIN(pipe.get()), source, tail, nullptr);
        auto caps = WantedCaps(withRate);
        if (!gst_element_link_filtered(source, tail, caps.get()))
            return false;
        if (raw) {
            const TCaptureFormat& f = d->formats[format >= 0 ? format : 0];
            stampWidth = f.width;
            stampHeight = f.height;
            std::unique_ptr<GstPad, TObjectFree> pad(gst_element_get_static_pad(source, "src"));
            gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, StampCounter, this, nullptr);
        }
        std::unique_ptr<GstElement, TObjectFree> sink(gst_bin_get_by_name(GST_BIN(tail), "sink"));
        GstAppSinkCallbacks callbacks {};
        callbacks.new_sample = OnSample;
        gst_app_sink_set_callbacks(GST_APP_SINK(sink.get()), &callbacks, this, nullptr);
        g_object_set(sink.get(), "sync", FALSE, "max-buffers", 4, "drop", FALSE, nullptr);
        if (gst_element_set_state(pipe.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
            return false;
        GstState state = GST_STATE_NULL;
        if (gst_element_get_state(pipe.get(), &state, nullptr, kStartTimeout) == GST_STATE_CHANGE_FAILURE
            || state != GST_STATE_PLAYING)
            return false;
        // An element that gave up at once says so on the bus.
        std::unique_ptr<GstBus, TObjectFree> bus(gst_element_get_bus(pipe.get()));
        if (GstMessage* msg = gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR)) {
            gst_message_unref(msg);
            return false;
        }
        pipeline = std::move(pipe);
        return true;
    }

    void StopWriter()
    {
        {
            std::lock_guard lock(mutex);
            recording = false;
        }
        wake.notify_all();
        if (writer.joinable())
            writer.join();
    }
};

TGstCapture::TGstCapture(TFramework framework)
    : m_impl(std::make_unique<TImpl>())
{
    m_impl->framework = framework;
}

TGstCapture::~TGstCapture()
{
    ClosePreview();
    m_impl->StopMonitor();
}

std::vector<capture::TDeviceChange> TGstCapture::TakeDeviceChanges()
{
    return m_impl->TakeChanges();
}

std::vector<std::string> TGstCapture::DeviceNames()
{
    if (!m_impl->listed)
        m_impl->List();
    std::vector<std::string> names;
    for (const auto& d : m_impl->devices)
        names.push_back(d.name);
    return names;
}

void TGstCapture::RefreshDevices()
{
    const std::string current = m_impl->Current() != nullptr ? m_impl->Current()->name : std::string();
    m_impl->List();
    m_impl->device = -1;
    for (std::size_t i = 0; i < m_impl->devices.size(); ++i)
        if (m_impl->devices[i].name == current)
            m_impl->device = static_cast<int>(i);
}

int TGstCapture::DeviceIndex() const
{
    return m_impl->device;
}

void TGstCapture::SelectDevice(int index)
{
    DeviceNames();
    const int valid = index >= 0 && index < static_cast<int>(m_impl->devices.size()) ? index : -1;
    if (valid == m_impl->device)
        return;
    const bool previewing = m_impl->previewing;
    ClosePreview();
    m_impl->device = valid;
    m_impl->format = -1;
    if (previewing && valid >= 0)
        StartPreview();
}

std::vector<std::string> TGstCapture::FormatNames()
{
    std::vector<std::string> names;
    if (const TDevice* d = m_impl->Current())
        for (const auto& f : d->formats)
            names.push_back(f.text);
    return names;
}

int TGstCapture::FormatIndex() const
{
    return m_impl->format;
}

void TGstCapture::SelectFormat(int index)
{
    const TDevice* d = m_impl->Current();
    const int valid = d != nullptr && index >= 0 && index < static_cast<int>(d->formats.size()) ? index : -1;
    if (valid == m_impl->format)
        return;
    m_impl->format = valid;
    if (m_impl->previewing && !Capturing()) {
        ClosePreview();
        StartPreview();
    }
}

std::vector<std::string> TGstCapture::CompressorNames()
{
    std::vector<std::string> names { "sans", "MJPEG" };
    for (const auto& encoder : m_impl->encoders)
        names.push_back(encoder.name);
    return names;
}

int TGstCapture::CompressorIndex() const
{
    return m_impl->compressor;
}

void TGstCapture::SelectCompressor(int index)
{
    const int count = kOwnCompressors + static_cast<int>(m_impl->encoders.size());
    if (!Capturing())
        m_impl->compressor = index >= 0 && index < count ? index : -1;
}

std::string TGstCapture::RecordingExtension() const
{
    const int encoder = m_impl->compressor - kOwnCompressors;
    return encoder >= 0 && encoder < static_cast<int>(m_impl->encoders.size()) ? m_impl->encoders[encoder].extension
                                                                               : std::string("avi");
}

void TGstCapture::SetFrameRate(int fps)
{
    if (fps <= 0 || fps == m_impl->fps)
        return;
    m_impl->fps = fps;
    if (m_impl->previewing && !Capturing()) {
        ClosePreview();
        StartPreview();
    }
}

TPreviewResult TGstCapture::StartPreview()
{
    if (m_impl->previewing)
        return TPreviewResult::prOk;
    if (DeviceNames().empty())
        return TPreviewResult::prNoDevice;
    if (m_impl->Current() == nullptr)
        return TPreviewResult::prNoneSelected;
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->haveLatest = false;
    }
    // A device that cannot give the chosen rate still gives pictures at its own.
    if (!m_impl->Build(true)) {
        m_impl->pipeline.reset();
        if (!m_impl->Build(false)) {
            m_impl->pipeline.reset();
            return TPreviewResult::prDeviceFailed;
        }
    }
    m_impl->previewing = true;
    return TPreviewResult::prOk;
}

void TGstCapture::ClosePreview()
{
    StopCapture();
    m_impl->pipeline.reset();
    m_impl->previewing = false;
    // A camera's last picture is no view of it once it stopped (pulled out, say).
    std::lock_guard lock(m_impl->mutex);
    m_impl->haveLatest = false;
}

bool TGstCapture::PreviewRunning() const
{
    return m_impl->previewing;
}

bool TGstCapture::PreviewFrame(TRgbImage& frame)
{
    std::lock_guard lock(m_impl->mutex);
    if (!m_impl->haveLatest)
        return false;
    frame = m_impl->latest;
    return true;
}

bool TGstCapture::StartCapture(const std::string& fileName)
{
    if (!m_impl->previewing || Capturing())
        return false;
    auto& m = *m_impl;
    std::lock_guard lock(m.mutex);
    m.fileName = fileName;
    m.queue.clear();
    m.captured = 0;
    m.dropped = 0;
    m.lastPts = GST_CLOCK_TIME_NONE;
    m.writerFailed = false;
    m.recording = true;
    m.writer = std::thread([&m] { m.Write(); });
    return true;
}

void TGstCapture::StopCapture()
{
    m_impl->StopWriter();
}

bool TGstCapture::Capturing() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->recording;
}

int TGstCapture::CapturedFrames() const
{
    return m_impl->captured;
}

int TGstCapture::DroppedFrames() const
{
    return m_impl->dropped;
}

double TGstCapture::LastRecordedRate() const
{
    return m_impl->lastRate;
}

std::vector<double> TGstCapture::LastRecordedTimes() const
{
    return m_impl->recordedTimes;
}

} // namespace kinoval::media
