#pragma once
// The view's mouse cursors, painted by the program: the marking cross (with the digit of the object to
// mark next when several objects are followed), the zoom and pan tools, the scale, and the document's
// shapes over marks, the origin and the axes.

#include "core/video/view_input.h"

#include <QCursor>

namespace kinoval::video {

QCursor CursorOf(TViewCursor cursor);

} // namespace kinoval::video
