#pragma once
// The players' own messages, as the window shows them.

#include <string>

namespace kinoval::video {

// The FFmpeg libraries cannot be reached.
std::string TextFFmpegMissing();
// The linked FFmpeg libraries are older than the player needs.
std::string TextFFmpegTooOld();
// Any other failure to open a file with FFmpeg.
std::string TextUnlistedError();
// A seek met a frame the decoder could not decode.
std::string TextDamagedFrame();
// The frames of the video do not all last the same time.
std::string TextVariableFrameDuration();
// What the window puts before the FFmpeg error text when an open fails.
std::string TextCannotOpenVideo();

} // namespace kinoval::video
