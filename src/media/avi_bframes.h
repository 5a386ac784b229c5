#pragma once
// Whether an AVI's video holds B-frames. An AVI stores its frames in decoding order with decoding times
// only; a player that takes those times for presentation times (GStreamer without the bitstream parsers)
// shows such a file out of order, so that back-end leaves it to the next one.

#include <string>

namespace kinoval::media {

// True when one of the first frames of the file's video stream is a B picture of MPEG-1/2, MPEG-4 part 2
// (DivX, Xvid, packed or not) or H.264. False for anything else, and for a file that is not an AVI.
bool AviHasBFrames(const std::string& fileName);

} // namespace kinoval::media
