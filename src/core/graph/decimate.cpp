#include "core/graph/decimate.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

namespace {

double Cross(TPointF a, TPointF b)
{
    return a.x * b.y - a.y * b.x;
}

// Liang-Barsky: the part of a -> b inside the rectangle; false when none.
bool ClipSegment(TPointF& a, TPointF& b, const TRectF& r)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4] = { a.x - r.left, r.Right() - a.x, a.y - r.top, r.Bottom() - a.y };
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const TPointF from = a;
    if (t1 < 1)
        b = { from.x + t1 * dx, from.y + t1 * dy };
    if (t0 > 0)
        a = { from.x + t0 * dx, from.y + t0 * dy };
    return true;
}

} // namespace

std::vector<TPointF> SimplifyPolyline(const std::vector<TPointF>& points, double tolerance)
{
    const std::size_t n = points.size();
    if (n <= 2 || !(tolerance > 0))
        return points;
    std::vector<TPointF> out;
    out.reserve(std::min<std::size_t>(n, 1024));
    out.push_back(points[0]);
    const double tol2 = tolerance * tolerance;
    TPointF anchor = points[0];
    std::size_t accepted = 0; // the last point taken into the cone
    // The directions from the anchor that pass within the tolerance of every point met since: from `lo`
    // turning to `hi`.
    bool cone = false;
    TPointF lo, hi;
    double farthest = 0;
    for (std::size_t i = 1; i < n;) {
        const TPointF d { points[i].x - anchor.x, points[i].y - anchor.y };
        const double r2 = d.x * d.x + d.y * d.y;
        if (r2 <= tol2) {
            ++i;
            continue;
        }
        const double r = std::sqrt(r2);
        const bool inside = !cone || (Cross(lo, d) >= 0 && Cross(d, hi) >= 0);
        // A point that turns back towards the anchor starts a new segment too.
        if (inside && r >= farthest - tolerance) {
            const double s = tolerance / r, c = std::sqrt(1 - s * s);
            const TPointF low { d.x * c + d.y * s, -d.x * s + d.y * c };
            const TPointF high { d.x * c - d.y * s, d.x * s + d.y * c };
            if (!cone) {
                lo = low;
                hi = high;
                cone = true;
            } else {
                if (Cross(lo, low) > 0)
                    lo = low;
                if (Cross(high, hi) > 0)
                    hi = high;
            }
            farthest = std::max(farthest, r);
            accepted = i;
            ++i;
            continue;
        }
        // The last point taken ends the segment and anchors the next; the points after it are seen again
        // from there.
        anchor = points[accepted];
        out.push_back(anchor);
        i = accepted + 1;
        cone = false;
        farthest = 0;
    }
    if (!(out.back() == points[n - 1]))
        out.push_back(points[n - 1]);
    return out;
}

std::vector<TPointF> ThinGlyphs(const std::vector<TPointF>& at, double spacing)
{
    if (at.size() <= 1 || !(spacing > 0))
        return at;
    std::vector<TPointF> out;
    out.reserve(std::min<std::size_t>(at.size(), 4096));
    out.push_back(at[0]);
    for (std::size_t i = 1; i < at.size(); ++i) {
        const TPointF& kept = out.back();
        if (std::fabs(at[i].x - kept.x) < spacing && std::fabs(at[i].y - kept.y) < spacing)
            continue;
        out.push_back(at[i]);
    }
    return out;
}

std::vector<std::vector<TPointF>> ClipPolyline(const std::vector<TPointF>& points, const TRectF& rect)
{
    std::vector<std::vector<TPointF>> pieces;
    if (points.size() == 1) {
        if (rect.Contains(points[0]))
            pieces.push_back(points);
        return pieces;
    }
    std::vector<TPointF> piece;
    for (std::size_t i = 1; i < points.size(); ++i) {
        TPointF a = points[i - 1], b = points[i];
        if (!(a.x == a.x && a.y == a.y && b.x == b.x && b.y == b.y) || !ClipSegment(a, b, rect)) {
            if (piece.size() >= 2)
                pieces.push_back(std::move(piece));
            piece.clear();
            continue;
        }
        if (piece.empty() || !(piece.back() == a)) {
            if (piece.size() >= 2)
                pieces.push_back(std::move(piece));
            piece = { a };
        }
        piece.push_back(b);
        if (!(b == points[i])) {
            pieces.push_back(std::move(piece));
            piece.clear();
        }
    }
    if (piece.size() >= 2)
        pieces.push_back(std::move(piece));
    return pieces;
}

} // namespace kinoval::graph
