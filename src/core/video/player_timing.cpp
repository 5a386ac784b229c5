#include "core/video/player_timing.h"

#include "core/video/player.h"

#include <cmath>
#include <limits>

namespace kinoval::video {

int DelayFromDuration(double frameDuration)
{
    if (!std::isfinite(frameDuration) || frameDuration < 0)
        return -1;
    double delay = std::round(frameDuration * 1000.0);
    if (delay > kMaxDelay)
        return -1;
    return static_cast<int>(delay);
}

std::int32_t FrameCountFromLength(double length, double framesPerSecond)
{
    double count = std::round(length * framesPerSecond);
    if (!(count > 0))
        return 0;
    if (count >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(count);
}

double SeekTimeOfFrame(int n, double frameDuration, double length)
{
    double time = n * 1.0001 * frameDuration;
    if (!(time > 0))
        return 0;
    if (time > length)
        return length;
    return time;
}

int FrameOfTime(double time, double firstTime, double frameDuration)
{
    if (!(frameDuration > 0))
        return 0;
    double frame = std::round((time - firstTime) / frameDuration);
    if (!(frame > 0))
        return 0;
    if (frame > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(frame);
}

} // namespace kinoval::video
