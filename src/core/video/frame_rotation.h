#pragma once
// Frames shown upright. A phone records its pictures as the sensor sees them and says in the display
// matrix how a player must turn them; the program turns them once, so that everything downstream (the
// view, the marks, the tracker, the exports) sees the picture as the person who filmed it did.

#include "core/common/rgb_image.h"

namespace kinoval::video {

// The clockwise quarter turn (0, 90, 180 or 270 degrees) that undoes a display matrix whose rotation is
// counterClockwiseDegrees; an angle that is not within a degree of a quarter turn gives 0.
int ClockwiseRotationOf(double counterClockwiseDegrees);

// The image turned clockwise by 90, 180 or 270 degrees (any other value: a copy).
TRgbImage RotateClockwise(const TRgbImage& image, int degrees);

} // namespace kinoval::video
