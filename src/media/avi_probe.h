#pragma once
// What our AVI reader can say of an AVI before another back-end reads it.
//
// An AVI stores its frames in decoding order with decoding times only; a player that takes those times
// for presentation times (GStreamer without the bitstream parsers) shows a file with B-frames out of
// order. And a crafted OpenDML super index that repeats one entry costs a reader that follows every entry
// its count times the index (GStreamer's does). The GStreamer back-end leaves both to the next one.

#include <string>

namespace kinoval::media {

struct TAviProbe {
    bool isAvi = false; // our reader found a video stream in it
    bool bFrames = false; // one of the first frames is a B picture of MPEG-1/2, MPEG-4 part 2 or H.264
    bool repeatedIndex = false; // the super index points more than once at one standard index
};

TAviProbe ProbeAvi(const std::string& fileName);

} // namespace kinoval::media
