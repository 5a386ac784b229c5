#pragma once
// Arrow heads and colour scaling, shared by the video view and the graphs. They compute in whole screen
// pixels and draw nothing: callers receive the three points of a head, or a colour, and draw with them.

#include "core/common/colour.h"
#include "core/drawing/screen_point.h"

#include <array>

namespace kinoval::drawing {

// First wing, tip, second wing.
using TArrowHead = std::array<TScreenPoint, 3>;

// A head over the last perMille thousandths of the segment tail -> tip, its wings at widthPercent of the
// head's length on either side of the axis. The head's length is kept within [minLength, maxLength]
// (0 = no limit on that side). widthPercent is taken as |w| within [0, 100], perMille as |d| within
// [0, 1000].
TArrowHead ArrowHead(TScreenPoint tail, TScreenPoint tip, int widthPercent, int maxLength, int minLength,
                     int perMille);

// A head of the given length along the segment tail -> tip; three copies of the tip for a zero-length
// segment.
TArrowHead FixedArrowHead(TScreenPoint tail, TScreenPoint tip, int widthPercent, int headLength);

// Each channel multiplied by |percent| within [0, 100] and divided by 100 (rounded), capped at 255.
TColor ScaleColour(TColor colour, int percent);

// The values with which the view draws the scale's ends and a graph draws its vectors.
inline constexpr int kScaleArrowWidth = 50, kScaleArrowMax = 20, kScaleArrowMin = 10, kScaleArrowPerMille = 100;
inline constexpr int kVectorArrowWidth = 50, kVectorArrowMax = 10, kVectorArrowMin = 5, kVectorArrowPerMille = 75;

} // namespace kinoval::drawing
