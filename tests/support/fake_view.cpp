#include "support/fake_view.h"

#include <algorithm>
#include <cmath>

namespace kinoval::test {

void TFakeView::GoToMontageFrame(int frame)
{
    if (frame < 0 || frame >= frameCount)
        return;
    rawFrame = frame;
    visited.push_back(frame);
}

TPointD TFakeView::ScreenToImage(TPoint p) const
{
    const double x = (p.x - panX) / (frameWidth * zoom);
    const double y = (p.y - panY) / (frameHeight * zoom);
    return {std::clamp(x, 0.0, 1.0), std::clamp(y, 0.0, 1.0)};
}

TPoint TFakeView::ImageToScreen(TPointD p) const
{
    return {static_cast<int>(std::lround(p.x * frameWidth * zoom + panX)),
            static_cast<int>(std::lround(p.y * frameHeight * zoom + panY))};
}

} // namespace kinoval::test
