#include "media/capture_caps.h"

#include "core/capture/picture_sizes.h"
#include "media/gst_support.h"

#include <gst/gst.h>

#include <algorithm>
#include <memory>

namespace kinoval::media {

namespace {

using gst::TCapsFree;

// Above this a rate is no camera's: a source that takes "any rate" says [0/1, 2147483647/1].
constexpr int kHighestShownRate = 1000;

int RateOf(const GValue* f)
{
    return GST_VALUE_HOLDS_FRACTION(f) && gst_value_get_fraction_denominator(f) > 0
        ? gst_value_get_fraction_numerator(f) / gst_value_get_fraction_denominator(f)
        : 0;
}

int HighestRate(const GstStructure* s)
{
    const GValue* v = gst_structure_get_value(s, "framerate");
    if (v == nullptr)
        return 0;
    int best = 0;
    if (GST_VALUE_HOLDS_LIST(v)) {
        for (guint i = 0; i < gst_value_list_get_size(v); ++i)
            best = std::max(best, RateOf(gst_value_list_get_value(v, i)));
    } else if (GST_VALUE_HOLDS_FRACTION_RANGE(v)) {
        best = RateOf(gst_value_get_fraction_range_max(v));
    } else {
        best = RateOf(v);
    }
    return best <= kHighestShownRate ? best : 0;
}

// One dimension: a single value, or a range with its step. False for anything else.
bool ReadDimension(const GstStructure* s, const char* field, int& low, int& high, int& step)
{
    const GValue* v = gst_structure_get_value(s, field);
    if (v == nullptr)
        return false;
    if (G_VALUE_HOLDS_INT(v)) {
        low = high = g_value_get_int(v);
        step = 1;
        return true;
    }
    if (GST_VALUE_HOLDS_INT_RANGE(v)) {
        low = gst_value_get_int_range_min(v);
        high = gst_value_get_int_range_max(v);
        step = gst_value_get_int_range_step(v);
        return true;
    }
    return false;
}

void AddFormats(const GstStructure* s, std::vector<TCaptureFormat>& formats)
{
    const std::string media = gst_structure_get_name(s);
    if (media != "video/x-raw" && media != "image/jpeg")
        return;
    capture::TSizeRange range;
    if (!ReadDimension(s, "width", range.minWidth, range.maxWidth, range.widthStep)
        || !ReadDimension(s, "height", range.minHeight, range.maxHeight, range.heightStep))
        return;
    // Raw pictures name their pixel format, or a list of them; one left open is the device's to choose.
    std::vector<std::string> pixelFormats;
    if (media == "image/jpeg") {
        pixelFormats.emplace_back();
    } else if (const GValue* v = gst_structure_get_value(s, "format"); v != nullptr) {
        if (G_VALUE_HOLDS_STRING(v))
            pixelFormats.emplace_back(g_value_get_string(v));
        else if (GST_VALUE_HOLDS_LIST(v))
            for (guint i = 0; i < gst_value_list_get_size(v); ++i)
                if (const GValue* item = gst_value_list_get_value(v, i); G_VALUE_HOLDS_STRING(item))
                    pixelFormats.emplace_back(g_value_get_string(item));
    }
    const int fps = HighestRate(s);
    for (const std::string& pixelFormat : pixelFormats) {
        for (const capture::TPictureSize& size : capture::UsualSizesWithin(range)) {
            TCaptureFormat f;
            f.media = media;
            f.width = size.width;
            f.height = size.height;
            f.pixelFormat = pixelFormat;
            f.text = std::to_string(f.width) + "x" + std::to_string(f.height) + " "
                + (media == "image/jpeg" ? std::string("MJPEG") : pixelFormat);
            if (fps > 0)
                f.text += ", " + std::to_string(fps) + " fps";
            if (std::none_of(formats.begin(), formats.end(), [&](const TCaptureFormat& o) { return o.text == f.text; }))
                formats.push_back(std::move(f));
        }
    }
}

} // namespace

std::vector<TCaptureFormat> CaptureFormatsOfCaps(const std::string& text)
{
    std::vector<TCaptureFormat> formats;
    if (!gst::InitGStreamer())
        return formats;
    std::unique_ptr<GstCaps, TCapsFree> caps(gst_caps_from_string(text.c_str()));
    if (!caps || gst_caps_is_any(caps.get()))
        return formats;
    for (guint i = 0; i < gst_caps_get_size(caps.get()); ++i)
        AddFormats(gst_caps_get_structure(caps.get(), i), formats);
    return formats;
}

} // namespace kinoval::media
