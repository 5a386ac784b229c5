#pragma once
// Thinning what a graph paints where its points fall closer together than the eye can tell: a curve of
// thousands of measurements over a few hundred pixels draws as fast as one of a few hundred points, and
// looks the same.
//
// SimplifyPolyline keeps the points a polyline needs so that every point it leaves out lies within the
// tolerance of the polyline it returns (a sleeve of that half-width around each kept segment); the first
// and last points always stay. ThinGlyphs leaves out a marker that would be drawn within `spacing`
// pixels, along both axes, of the last marker kept: markers of one curve overlap there anyway.
// ClipPolyline cuts a polyline to a rectangle (possibly into several pieces), so that points thrown far
// off the control by a zoom or a pan never reach a painter.

#include "core/graph/mapping.h"

#include <vector>

namespace kinoval::graph {

std::vector<TPointF> SimplifyPolyline(const std::vector<TPointF>& points, double tolerance);
std::vector<TPointF> ThinGlyphs(const std::vector<TPointF>& at, double spacing);
std::vector<std::vector<TPointF>> ClipPolyline(const std::vector<TPointF>& points, const TRectF& rect);

} // namespace kinoval::graph
