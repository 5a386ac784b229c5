#pragma once
// The array types of the tracker and the tracking driver: dense matrices stored row after row, point
// arrays, and the polygon rasteriser that turns an outline into a mask of pixels.

#include "core/common/colour.h"
#include "core/common/rgb_image.h"
#include "core/document/doc_types.h"

#include <cstddef>
#include <vector>

namespace kinoval::tracking {

template <class T> struct TMatrix2 {
    int rows = 0;
    int cols = 0;
    std::vector<T> data;

    TMatrix2() = default;
    TMatrix2(int r, int c, T value = T()) { Resize(r, c, value); }
    void Resize(int r, int c, T value = T())
    {
        rows = r < 0 ? 0 : r;
        cols = c < 0 ? 0 : c;
        data.assign(static_cast<std::size_t>(rows) * cols, value);
    }
    bool Empty() const { return rows == 0 || cols == 0; }
    T& operator()(int r, int c) { return data[static_cast<std::size_t>(r) * cols + c]; }
    const T& operator()(int r, int c) const { return data[static_cast<std::size_t>(r) * cols + c]; }
};

using TMatriceI = TMatrix2<int>;
using TMatriceD = TMatrix2<double>;

// A colour histogram: n cells per channel, indexed [L*][u*][v*], stored flat (L* outermost).
struct TMatrice3D {
    int n = 0;
    std::vector<double> data;
    void Resize(int count)
    {
        n = count;
        data.assign(static_cast<std::size_t>(count) * count * count, 0.0);
    }
    void Clear() { std::fill(data.begin(), data.end(), 0.0); }
    double& operator()(int i, int j, int k) { return data[(static_cast<std::size_t>(i) * n + j) * n + k]; }
    double operator()(int i, int j, int k) const { return data[(static_cast<std::size_t>(i) * n + j) * n + k]; }
};

using TPointDynArray = std::vector<TPoint>;
using TPointDDynArray = std::vector<TPointD>;
using TMatricePoint = std::vector<TPointDynArray>;
using TMatricePointD = std::vector<TPointDDynArray>;
using TMatrice3Point = std::vector<TMatricePoint>;
using TMatrice3PointD = std::vector<TMatricePointD>;

// Inclusive pixel rectangle.
struct TPixelRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

// Fills mask over the bounding rectangle of the polygon (closed on its first vertex): 1 for every pixel
// inside or on the outline, 0 elsewhere. False, with mask and bounds untouched, when fewer than two
// distinct vertices are given.
bool RasterisePolygon(const TPointDynArray& polygon, TMatriceI& mask, TPixelRect& bounds);

// Whether the pixel lies inside or on the polygon (closed on its first vertex).
bool PixelInPolygon(const TPointDynArray& polygon, int x, int y);

// The pixels of the frame under an outline: the outline's vertices (normalised) become frame pixels, the
// polygon is rasterised, and the part inside the frame is kept. Both trackers cut their model this way,
// so both refer a position to the same point of the object, the centroid of the inside pixels.
struct TOutlinePixels {
    TMatriceI mask; // over rect, 1 inside
    TPixelRect rect; // within the frame
    TPointD centroid; // frame pixels (pixel i at i), exact
    long long count = 0; // inside pixels
};
// False when the outline gives no polygon or no pixel of the frame lies inside it.
bool OutlineToPixels(
    int frameWidth, int frameHeight, int vertexCount, const TPointDDynArray& outline, TOutlinePixels& out);

// Paints the polygons (frame pixels) on the frame in one colour: what the trackers must not look at.
void PaintZones(TRgbImage& frame, const TMatricePoint& polygons, TColor colour);

} // namespace kinoval::tracking
