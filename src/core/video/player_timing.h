#pragma once
// Timing rules shared by the players: the play delay, and the time-based numbering of the back-end that
// seeks by time (frame count from the stream length, the time asked for a frame).

#include <cstdint>

namespace kinoval::video {

// Frame duration (seconds) x 1000 rounded to the nearest integer; -1 when it is not a finite non-negative
// number or would exceed the 16-bit delay.
int DelayFromDuration(double frameDuration);

// Stream length (seconds) x frames per second rounded to the nearest integer, clamped to [0, INT32_MAX].
std::int32_t FrameCountFromLength(double length, double framesPerSecond);

// The time asked for frame n: n x 1.0001 x frame duration, the factor putting it just inside the frame,
// clamped to [0, length].
double SeekTimeOfFrame(int n, double frameDuration, double length);

// The frame a presentation time falls in, for a stream whose first frame starts at firstTime: the nearest
// frame start, so that a timestamp rounded by the container still names its own frame.
int FrameOfTime(double time, double firstTime, double frameDuration);

} // namespace kinoval::video
