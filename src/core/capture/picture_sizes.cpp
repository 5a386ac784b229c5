#include "core/capture/picture_sizes.h"

#include <algorithm>

namespace kinoval::capture {

namespace {

// Those of webcams (4:3 and 16:9), of old video cards and of high-speed modes, in growing order.
constexpr TPictureSize kUsualSizes[]
    = { { 160, 120 }, { 176, 144 }, { 320, 240 }, { 352, 288 }, { 640, 360 }, { 640, 480 }, { 800, 600 }, { 1024, 768 },
          { 1280, 720 }, { 1280, 960 }, { 1600, 1200 }, { 1920, 1080 }, { 2560, 1440 }, { 3840, 2160 } };

bool Gives(int value, int low, int high, int step)
{
    return value >= low && value <= high && (value - low) % std::max(1, step) == 0;
}

// The largest value of the range: its top, or the last step below it.
int Largest(int low, int high, int step)
{
    return high - (high - low) % std::max(1, step);
}

} // namespace

std::vector<TPictureSize> UsualSizesWithin(const TSizeRange& r)
{
    std::vector<TPictureSize> sizes;
    if (r.minWidth <= 0 || r.minHeight <= 0 || r.maxWidth < r.minWidth || r.maxHeight < r.minHeight)
        return sizes;
    for (const TPictureSize& s : kUsualSizes)
        if (Gives(s.width, r.minWidth, r.maxWidth, r.widthStep)
            && Gives(s.height, r.minHeight, r.maxHeight, r.heightStep))
            sizes.push_back(s);
    if (sizes.empty())
        sizes.push_back(
            { Largest(r.minWidth, r.maxWidth, r.widthStep), Largest(r.minHeight, r.maxHeight, r.heightStep) });
    return sizes;
}

} // namespace kinoval::capture
