#include "core/tracking/tracking_types.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace kinoval::tracking {

namespace {

// Whether (x, y) lies on the segment a-b (integer points, exact).
bool OnSegment(const TPoint& a, const TPoint& b, int x, int y)
{
    const std::int64_t cross
        = static_cast<std::int64_t>(b.x - a.x) * (y - a.y) - static_cast<std::int64_t>(b.y - a.y) * (x - a.x);
    if (cross != 0)
        return false;
    return x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x) && y >= std::min(a.y, b.y) && y <= std::max(a.y, b.y);
}

} // namespace

bool PixelInPolygon(const TPointDynArray& polygon, int x, int y)
{
    const std::size_t n = polygon.size();
    if (n == 0)
        return false;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const TPoint& a = polygon[i];
        const TPoint& b = polygon[j];
        // The outline itself belongs to the shape, as the pen of a filled polygon covers it.
        if (OnSegment(a, b, x, y))
            return true;
        if ((a.y > y) != (b.y > y)) {
            // x coordinate of the crossing, compared without division
            const std::int64_t dy = b.y - a.y;
            const std::int64_t lhs = static_cast<std::int64_t>(x - a.x) * dy;
            const std::int64_t rhs = static_cast<std::int64_t>(b.x - a.x) * (y - a.y);
            if (dy > 0 ? lhs < rhs : lhs > rhs)
                inside = !inside;
        }
    }
    return inside;
}

bool RasterisePolygon(const TPointDynArray& polygon, TMatriceI& mask, TPixelRect& bounds)
{
    TPointDynArray closed = polygon;
    if (closed.size() >= 2 && !(closed.front() == closed.back()))
        closed.push_back(closed.front());
    std::size_t distinct = 0;
    for (std::size_t i = 0; i < closed.size(); ++i)
        if (i == 0 || !(closed[i] == closed[0])) {
            ++distinct;
            if (distinct >= 2)
                break;
        }
    if (distinct < 2)
        return false;
    TPixelRect r { closed[0].x, closed[0].y, closed[0].x, closed[0].y };
    for (const TPoint& p : closed) {
        r.left = std::min(r.left, p.x);
        r.right = std::max(r.right, p.x);
        r.top = std::min(r.top, p.y);
        r.bottom = std::max(r.bottom, p.y);
    }
    mask.Resize(r.Height(), r.Width(), 0);
    // Scan lines: a pixel is inside when an odd number of edge crossings lie at or left of it (the same
    // even-odd rule as PixelInPolygon), then every lattice point of the outline is added.
    std::vector<double> crossings;
    for (int row = 0; row < mask.rows; ++row) {
        const int y = r.top + row;
        crossings.clear();
        for (std::size_t i = 0; i + 1 < closed.size(); ++i) {
            const TPoint& a = closed[i];
            const TPoint& b = closed[i + 1];
            if ((a.y > y) != (b.y > y))
                crossings.push_back(a.x + static_cast<double>(b.x - a.x) * (y - a.y) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const int from = std::max(r.left, static_cast<int>(std::ceil(crossings[k])));
            const double to = crossings[k + 1];
            for (int x = from; x < to && x <= r.right; ++x)
                mask(row, x - r.left) = 1;
        }
    }
    for (std::size_t i = 0; i + 1 < closed.size(); ++i) {
        const TPoint& a = closed[i];
        const TPoint& b = closed[i + 1];
        const int dx = b.x - a.x, dy = b.y - a.y;
        const int steps = std::gcd(std::abs(dx), std::abs(dy));
        if (steps == 0) {
            mask(a.y - r.top, a.x - r.left) = 1;
            continue;
        }
        for (int t = 0; t <= steps; ++t)
            mask(a.y + t * (dy / steps) - r.top, a.x + t * (dx / steps) - r.left) = 1;
    }
    bounds = r;
    return true;
}

bool OutlineToPixels(
    int frameWidth, int frameHeight, int vertexCount, const TPointDDynArray& outline, TOutlinePixels& out)
{
    vertexCount = std::clamp(vertexCount, 0, static_cast<int>(outline.size()));
    TPointDynArray polygon;
    polygon.reserve(vertexCount);
    for (int k = 0; k < vertexCount; ++k)
        polygon.push_back({ static_cast<int>(std::lrint(frameWidth * outline[k].x)),
            static_cast<int>(std::lrint(frameHeight * outline[k].y)) });
    TMatriceI mask;
    TPixelRect rect;
    if (frameWidth <= 0 || frameHeight <= 0 || !RasterisePolygon(polygon, mask, rect))
        return false;
    // An outline touching the right or bottom edge reaches one pixel past the frame: only pixels of the
    // frame can describe the object.
    const TPixelRect clipped { std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, frameWidth - 1),
        std::min(rect.bottom, frameHeight - 1) };
    if (clipped.Width() <= 0 || clipped.Height() <= 0)
        return false;
    TMatriceI clippedMask(clipped.Height(), clipped.Width(), 0);
    long long count = 0;
    double sumCol = 0, sumRow = 0;
    for (int row = 0; row < clippedMask.rows; ++row)
        for (int col = 0; col < clippedMask.cols; ++col) {
            const int m = mask(row + clipped.top - rect.top, col + clipped.left - rect.left);
            clippedMask(row, col) = m;
            if (m != 0) {
                ++count;
                sumCol += col;
                sumRow += row;
            }
        }
    if (count == 0)
        return false;
    out.mask = std::move(clippedMask);
    out.rect = clipped;
    out.centroid = { sumCol / count + clipped.left, sumRow / count + clipped.top };
    out.count = count;
    return true;
}

void PaintZones(TRgbImage& frame, const TMatricePoint& polygons, TColor colour)
{
    const std::uint8_t rgb[3] = { static_cast<std::uint8_t>(RedOf(colour)), static_cast<std::uint8_t>(GreenOf(colour)),
        static_cast<std::uint8_t>(BlueOf(colour)) };
    for (const TPointDynArray& zone : polygons) {
        TMatriceI mask;
        TPixelRect r;
        if (!RasterisePolygon(zone, mask, r))
            continue;
        for (int row = std::max(r.top, 0); row <= std::min(r.bottom, frame.height - 1); ++row)
            for (int col = std::max(r.left, 0); col <= std::min(r.right, frame.width - 1); ++col)
                if (mask(row - r.top, col - r.left) != 0)
                    std::copy_n(rgb, 3, frame.At(col, row));
    }
}

} // namespace kinoval::tracking
