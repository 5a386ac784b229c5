#pragma once
// The image formats a capture device offers, read from what it says it can give (GStreamer's caps, in
// their text form, so that the reading is tested on the texts real devices give).
//
// Raw and JPEG pictures are offered; other streams (H.264 from a camera) are left out, since the capture
// writes pictures. A format of one size gives one entry; one that takes any size in a range gives an
// entry per usual size within it (see core/capture/picture_sizes.h). Each entry reads as the format page
// shows it: "640x480 YUY2, 30 fps", with the highest rate the format allows (none when it allows any).

#include <string>
#include <vector>

namespace kinoval::media {

struct TCaptureFormat {
    std::string text;
    std::string media; // "video/x-raw", "image/jpeg"
    std::string pixelFormat; // empty for compressed pictures
    int width = 0, height = 0;
};

// The formats of caps in their text form, in the device's order, without repeats; none for caps that
// cannot be read.
std::vector<TCaptureFormat> CaptureFormatsOfCaps(const std::string& caps);

} // namespace kinoval::media
