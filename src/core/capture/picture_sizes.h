#pragma once
// The picture sizes offered for a device that takes any size within a range.
//
// Many cameras (and the desktop's own video sources) announce "any width from 16 to 1920 in steps of 16"
// rather than a list of sizes. A list of thousands of sizes helps no one: the format page offers the
// usual sizes of cameras and screens that the range can give.

#include <vector>

namespace kinoval::capture {

struct TPictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const TPictureSize&) const = default;
};

// Widths from minWidth to maxWidth in steps of widthStep, heights likewise (a step below 1 counts as 1).
struct TSizeRange {
    int minWidth = 0, maxWidth = 0, widthStep = 1;
    int minHeight = 0, maxHeight = 0, heightStep = 1;
};

// The usual sizes (320x240, 640x480, 800x600, 1280x720, 1920x1080...) the range can give, smallest
// first; the range's largest size when it gives none of them; nothing for an empty range.
std::vector<TPictureSize> UsualSizesWithin(const TSizeRange& range);

} // namespace kinoval::capture
