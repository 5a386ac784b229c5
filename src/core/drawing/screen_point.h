#pragma once
// A point on the screen in whole pixels, y growing downward: what the view caches for every drawn element
// and what the drawing helpers compute with. It is the document's point, so that cached positions pass
// between the document, the view and the drawing helpers unchanged.

#include "core/common/point.h"

namespace kinoval {

using TScreenPoint = TPoint;

// a * b / c with a 64-bit intermediate, rounded to the nearest integer, halves away from zero; -1 when c
// is 0 or the result does not fit in 32 bits. Drawing code computes all its integer proportions this way
// so that arrow heads and scaled colours come out the same on every screen.
int MulDiv(int a, int b, int c);

} // namespace kinoval
