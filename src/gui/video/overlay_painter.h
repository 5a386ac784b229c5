#pragma once
// Paints the shapes of a TOverlay on a QPainter, in order, leaving the painter's pen, brush and font as
// they were.

#include "core/video/overlay.h"

class QPainter;

namespace kinoval::video {

void PaintOverlay(QPainter& painter, const TOverlay& overlay);

} // namespace kinoval::video
