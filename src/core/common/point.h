#pragma once
// A point in whole pixels, y growing downward: the screen positions the document caches, the view
// converts and the drawing helpers compute with.

namespace kinoval {

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

} // namespace kinoval
