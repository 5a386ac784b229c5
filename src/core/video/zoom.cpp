#include "core/video/zoom.h"

#include <algorithm>
#include <cmath>

namespace kinoval::video {

int ClampZoom(int zoom) { return std::clamp(zoom, kZoomMin, kZoomMax); }

int ZoomInStep(int zoom, bool ctrl)
{
    if (ctrl)
        return ClampZoom(zoom + kZoomCtrlStep);
    int next = 800;
    if (zoom < 200)
        next = 200;
    else if (zoom < 600)
        next = (zoom / 100 + 1) * 100; // 200-299 -> 300 ... 500-599 -> 600
    return ClampZoom(next);
}

int ZoomOutStep(int zoom, bool ctrl)
{
    if (ctrl)
        return ClampZoom(zoom - kZoomCtrlStep);
    int next = 800;
    if (zoom <= 200)
        next = 100;
    else if (zoom <= 600)
        next = ((zoom - 1) / 100) * 100; // 201-300 -> 200 ... 501-600 -> 500
    else if (zoom <= 800)
        next = 600;
    return ClampZoom(next);
}

int ZoomForRectangle(int zoom, int clientWidth, int clientHeight, int rectWidth, int rectHeight)
{
    if (rectWidth <= 0 || rectHeight <= 0)
        return ClampZoom(zoom);
    const double ratio = std::min(static_cast<double>(clientWidth) / rectWidth,
                                  static_cast<double>(clientHeight) / rectHeight);
    const double z = std::trunc(zoom * ratio / 10.0) * 10.0;
    return ClampZoom(static_cast<int>(std::clamp(z, 0.0, 1e6)));
}

TSourceRect ClampSource(TSourceRect source, int frameWidth, int frameHeight)
{
    source.left = std::clamp(source.left, 0, std::max(0, frameWidth - source.width));
    source.top = std::clamp(source.top, 0, std::max(0, frameHeight - source.height));
    return source;
}

TSourceRect ZoomAtPoint(const TSourceRect& source, int frameWidth, int frameHeight, int clientWidth,
                        int clientHeight, int x, int y, int z0, int z1)
{
    if (clientWidth <= 0 || clientHeight <= 0 || z0 <= 0 || z1 <= 0)
        return source;
    TSourceRect r = source;
    r.left += static_cast<int>(std::lround(frameWidth * (x * 100.0 / (static_cast<double>(clientWidth) * z0) - 50.0 / z1)));
    r.top += static_cast<int>(std::lround(frameHeight * (y * 100.0 / (static_cast<double>(clientHeight) * z0) - 50.0 / z1)));
    r.width = static_cast<int>(std::lround(frameWidth * 100.0 / z1));
    r.height = static_cast<int>(std::lround(frameHeight * 100.0 / z1));
    return ClampSource(r, frameWidth, frameHeight);
}

} // namespace kinoval::video
