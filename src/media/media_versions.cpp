#include "media/media_versions.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}
#include <gst/gst.h>

#include <string>

namespace kinoval::media {

std::string LinkedLibraryVersions()
{
    unsigned codec = avcodec_version();
    unsigned format = avformat_version();
    guint major = 0, minor = 0, micro = 0, nano = 0;
    gst_version(&major, &minor, &micro, &nano);
    auto dotted = [](unsigned v) {
        return std::to_string(v >> 16) + "." + std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
    };
    return "libavcodec " + dotted(codec) + ", libavformat " + dotted(format) + ", GStreamer " + std::to_string(major)
        + "." + std::to_string(minor) + "." + std::to_string(micro);
}

int LinkedAvcodecMajor()
{
    return static_cast<int>(avcodec_version() >> 16);
}

} // namespace kinoval::media
