#pragma once
// The frames of a video stream in presentation order, from what a demuxer says of its packets.
//
// Packets come in decoding order. A container that stores presentation times (MP4, Matroska, transport
// and program streams) gives them directly. One that stores decoding times only (AVI, raw streams) leaves
// them to be rebuilt: from the picture order counts of H.264 and HEVC, which restart at each instantaneous
// refresh, or, for the MPEG family whose B-frames alone come without a time, by the anchor rule (an I or
// P picture is shown just before the next I or P picture in decoding order). A rebuilt order is given the
// stream's own decoding times, sorted, so the frames keep the container's grid of instants.
//
// Packets decoded before the first key frame, and pictures shown before it, cannot be decoded from
// anything the file holds: they are left out of the numbering, as are the pictures an edit list cuts. Each frame knows
// the key frame (in presentation order) from which decoding reaches it.
//
// The timing follows the timestamps: the usual gap between neighbours gives the frame duration, exact
// when it matches a rate the container announces (30000/1001 stays 30000/1001); gaps that differ beyond
// timestamp rounding make a variable frame duration, whose rate is the average over the whole stream.

#include <cstdint>
#include <limits>
#include <vector>

namespace kinoval::video {

inline constexpr std::int64_t kNoTime = std::numeric_limits<std::int64_t>::min();

struct TPacketStamp {
    std::int64_t pts = kNoTime; // presentation time in stream ticks, kNoTime when the container has none
    std::int64_t dts = kNoTime; // decoding time
    bool key = false;
    bool discard = false; // decoded for the pictures that refer to it, never shown (before an edit list's start)
    // Picture order, for codecs that carry one in their bitstream: the refresh period the picture belongs
    // to (it grows at each instantaneous refresh) and its order count within it.
    bool hasOrder = false;
    std::int64_t orderPeriod = 0;
    std::int64_t orderCount = 0;
};

struct TFrameIndex {
    std::vector<std::int64_t> pts; // per frame, presentation order, stream ticks
    std::vector<int> packetOf; // per frame: its packet, decoding order
    std::vector<int> keyOf; // per frame: the frame decoding starts from to reach it
    std::vector<int> frameOf; // per packet: its frame, -1 when it is left out
    bool rebuilt = false; // the presentation times were rebuilt, not read
};

// Numbers the frames of packets (decoding order). An empty index when there is no packet.
TFrameIndex BuildFrameIndex(const std::vector<TPacketStamp>& packets);

struct TRate {
    int num = 0;
    int den = 0;
};

struct TStreamTiming {
    bool usable = false;
    double framesPerSecond = 0;
    double frameDuration = 0; // seconds; the average one when variable
    double duration = 0; // frame count x frame duration
    bool variable = false;
    std::vector<double> times; // per frame, seconds from the first one
};

// The timing of frames whose presentation times are pts (ticks of tick seconds, increasing), given the
// rates the container announces (tried in order; a zero rate is skipped).
TStreamTiming JudgeTiming(const std::vector<std::int64_t>& pts, double tick, const std::vector<TRate>& announced);

} // namespace kinoval::video
