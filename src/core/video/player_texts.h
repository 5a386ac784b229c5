#pragma once
// The players' own messages, as the window shows them.

#include <string>
#include <vector>

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
// What the window says, once, as information, when it opens such a video: the fact, the average frame
// duration (seconds), and how the study's time may follow the frames' own times.
std::vector<std::string> TextsVariableFrameDuration(double averageDuration);
// The time dialog's choice of the frames' own times.
std::string TextTimeFromTimestamps();
// What the window puts before the FFmpeg error text when an open fails.
std::string TextCannotOpenVideo();

// Why an open failed, said for the user rather than left as an unlisted error.
std::string TextNotAVideo(); // no reader recognises the file's format
std::string TextNoVideoStream(); // a media file without pictures (sound only, subtitles...)
std::string TextNoDecoder(const std::string& codecName); // a video coded in a way no decoder here reads
std::string TextDecoderFailed(); // the decoder refused the stream's parameters
std::string TextNoFrames(); // the video holds no picture
std::string TextBadFrameSize(int width, int height);
std::string TextBadFrameRate();

} // namespace kinoval::video
