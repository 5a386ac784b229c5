#include "media/ges_render.h"

#include "core/montage/record_montage.h"

#include <ges/ges.h>
#include <gst/gst.h>
#include <gst/pbutils/encoding-profile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace kinoval::media {

namespace {

struct TUnref {
    void operator()(gpointer p) const
    {
        if (p != nullptr)
            gst_object_unref(p);
    }
};
template <class T> using TRef = std::unique_ptr<T, TUnref>;

bool InitGes()
{
    static const bool ready = [] {
        gst_init(nullptr, nullptr);
        return ges_init() != FALSE;
    }();
    return ready;
}

std::string UriOf(const std::string& path)
{
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).string();
    gchar* uri = gst_filename_to_uri(absolute.c_str(), nullptr);
    std::string out = uri != nullptr ? uri : "";
    g_free(uri);
    return out;
}

} // namespace

bool TimelineRendererAvailable()
{
    if (!InitGes())
        return false;
    GstElementFactory* nle = gst_element_factory_find("nlecomposition");
    GstElementFactory* mux = gst_element_factory_find("avimux");
    const bool ok = nle != nullptr && mux != nullptr;
    if (nle != nullptr)
        gst_object_unref(nle);
    if (mux != nullptr)
        gst_object_unref(mux);
    return ok;
}

int RenderTimeline(const TGesJob& job, const std::function<bool(double)>& progress, std::string* errorText)
{
    auto fail = [errorText](int code, const std::string& text) {
        if (errorText != nullptr)
            *errorText = text;
        return code;
    };
    if (!TimelineRendererAvailable())
        return fail(montage::reNoCodec, {});
    if (job.blocks.empty() || !(job.framesPerSecond > 0))
        return fail(montage::reNotOpen, {});
    GError* error = nullptr;
    GESUriClipAsset* asset = ges_uri_clip_asset_request_sync(UriOf(job.source).c_str(), &error);
    if (asset == nullptr) {
        const std::string said = error != nullptr ? error->message : "";
        g_clear_error(&error);
        return fail(montage::reBadFrame, said);
    }
    TRef<GESAsset> assetRef(GES_ASSET(asset));
    const GstDiscovererInfo* info = ges_uri_clip_asset_get_info(asset);
    int width = 0, height = 0;
    if (GList* streams = gst_discoverer_info_get_video_streams(const_cast<GstDiscovererInfo*>(info))) {
        auto* video = GST_DISCOVERER_VIDEO_INFO(streams->data);
        width = static_cast<int>(gst_discoverer_video_info_get_width(video));
        height = static_cast<int>(gst_discoverer_video_info_get_height(video));
        gst_discoverer_stream_info_list_free(streams);
    }
    if (width <= 0 || height <= 0)
        return fail(montage::reBadFrame, {});

    GESTimeline* timeline = ges_timeline_new();
    GESTrack* track = GES_TRACK(ges_video_track_new());
    const montage::TRateFraction rate = montage::RateFraction(job.framesPerSecond);
    GstCaps* restriction = gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, width, "height", G_TYPE_INT, height,
        "framerate", GST_TYPE_FRACTION, static_cast<int>(rate.numerator), static_cast<int>(rate.denominator), nullptr);
    ges_track_set_restriction_caps(track, restriction);
    gst_caps_unref(restriction);
    ges_timeline_add_track(timeline, track);
    GESLayer* layer = ges_timeline_append_layer(timeline);
    // Times of a frame in nanoseconds, from the exact fraction of the rate.
    auto at = [&rate](long long frames) {
        return static_cast<GstClockTime>(gst_util_uint64_scale(
            static_cast<guint64>(std::max(0LL, frames)), GST_SECOND * rate.denominator, rate.numerator));
    };
    GstClockTime end = 0;
    for (const montage::TBlocSource& b : job.blocks) {
        const GstClockTime start = at(b.start + b.offset);
        const GstClockTime duration = at(b.stop + b.offset) - start;
        if (ges_layer_add_asset(layer, GES_ASSET(asset), start, at(b.start), duration, GES_TRACK_TYPE_VIDEO)
            == nullptr) {
            gst_object_unref(timeline);
            return fail(montage::reCreateStream, {});
        }
        end = std::max(end, start + duration);
    }
    ges_timeline_commit_sync(timeline);

    GESPipeline* pipeline = ges_pipeline_new();
    TRef<GstElement> pipelineRef(GST_ELEMENT(pipeline));
    ges_pipeline_set_timeline(pipeline, timeline); // the pipeline takes the timeline
    GstCaps* container = gst_caps_from_string("video/x-msvideo");
    GstEncodingContainerProfile* profile = gst_encoding_container_profile_new("avi", nullptr, container, nullptr);
    gst_caps_unref(container);
    GstCaps* videoCaps = gst_caps_from_string(job.mjpeg ? "image/jpeg" : "video/x-raw,format=BGR");
    GstEncodingVideoProfile* videoProfile = gst_encoding_video_profile_new(videoCaps, nullptr, nullptr, 0);
    gst_caps_unref(videoCaps);
    gst_encoding_container_profile_add_profile(profile, GST_ENCODING_PROFILE(videoProfile));
    // The file grows beside its name and takes it once complete.
    const std::string part = (std::filesystem::path(job.output).parent_path()
        / (".~" + std::filesystem::path(job.output).filename().string()))
                                 .string();
    const std::string uri = UriOf(part);
    const bool set = ges_pipeline_set_render_settings(pipeline, uri.c_str(), GST_ENCODING_PROFILE(profile)) != FALSE
        && ges_pipeline_set_mode(pipeline, GES_PIPELINE_MODE_RENDER) != FALSE;
    gst_encoding_profile_unref(profile);
    if (!set)
        return fail(montage::reCompress, {});

    if (gst_element_set_state(GST_ELEMENT(pipeline), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        return fail(montage::reWriteFile, {});
    TRef<GstBus> bus(gst_element_get_bus(GST_ELEMENT(pipeline)));
    int code = montage::reOk;
    std::string said;
    for (bool running = true; running;) {
        // Asked before each wait, so that a stop is heard even when the render would end within one.
        gint64 position = 0;
        gst_element_query_position(GST_ELEMENT(pipeline), GST_FORMAT_TIME, &position);
        const double done = end > 0 ? std::clamp(static_cast<double>(position) / end, 0.0, 1.0) : 0.0;
        if (progress && !progress(done)) {
            code = montage::reAborted;
            break;
        }
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus.get(), 50 * GST_MSECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        if (message != nullptr) {
            if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
                GError* e = nullptr;
                gst_message_parse_error(message, &e, nullptr);
                said = e != nullptr ? e->message : "";
                g_clear_error(&e);
                code = montage::reWriteFrame;
            }
            gst_message_unref(message);
            running = false;
        }
    }
    gst_element_set_state(GST_ELEMENT(pipeline), GST_STATE_NULL);
    std::error_code ec;
    if (code == montage::reOk) {
        std::filesystem::rename(part, job.output, ec);
        if (ec)
            code = montage::reWriteFile;
    }
    if (code != montage::reOk)
        std::filesystem::remove(part, ec);
    return code == montage::reOk ? 0 : fail(code, said);
}

} // namespace kinoval::media
