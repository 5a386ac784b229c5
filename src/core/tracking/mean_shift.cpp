#include "core/tracking/mean_shift.h"

#include "core/common/tolerance.h"

#include <algorithm>
#include <cmath>

namespace kinoval::tracking {

namespace {

// Nearest integer, halves to even.
int RoundEven(double v)
{
    return static_cast<int>(std::lrint(v));
}

TPoint ToPixel(const TPointD& p, int frameWidth, int frameHeight)
{
    return { RoundEven(frameWidth * p.x), RoundEven(frameHeight * p.y) };
}

int ColourBin(TColor c)
{
    return BinOf(RgbToLuv(RedOf(c), GreenOf(c), BlueOf(c)));
}

} // namespace

void TMeanShift::SetIgnoreZones(const TMatricePointD& zones, int count, int frameHeight, int frameWidth)
{
    m_ignorePolygons.clear();
    count = std::clamp(count, 0, static_cast<int>(zones.size()));
    for (int z = 0; z < count; ++z) {
        TPointDynArray polygon;
        polygon.reserve(zones[z].size());
        for (const TPointD& p : zones[z])
            polygon.push_back(ToPixel(p, frameWidth, frameHeight));
        m_ignorePolygons.push_back(std::move(polygon));
    }
}

bool TMeanShift::SetModel(const TRgbImage& frame, int vertexCount, const TPointDDynArray& outline, TPoint& start)
{
    TOutlinePixels pixels;
    if (frame.IsEmpty() || !OutlineToPixels(frame.width, frame.height, vertexCount, outline, pixels))
        return false;
    const TPixelRect& clipped = pixels.rect;
    start = { RoundEven(pixels.centroid.x), RoundEven(pixels.centroid.y) };
    m_centroid = pixels.centroid;
    m_modelMask = std::move(pixels.mask);
    m_modelRect = clipped;
    m_modelBitmap = TRgbImage(clipped.Width(), clipped.Height());
    for (int row = 0; row < clipped.Height(); ++row)
        std::copy_n(frame.At(clipped.left, clipped.top + row), static_cast<std::size_t>(clipped.Width()) * 3,
            m_modelBitmap.Row(row));
    return true;
}

void TMeanShift::SetBinCount(int n)
{
    tracking::SetBinCount(n);
}

void TMeanShift::Histogram(const TMatriceI& bins, const TMatriceI& mask, bool kernel, TMatrice3D& histogram)
{
    const int n = BinCount();
    if (histogram.n != n)
        histogram.Resize(n);
    else
        histogram.Clear();
    if (bins.Empty())
        return;
    const double hc = (bins.cols - 1) / 2.0;
    const double hr = (bins.rows - 1) / 2.0;
    if (IsZero(hc) && IsZero(hr))
        return;
    const double K = 1.0 / (hc * hc + hr * hr);
    thread_local std::vector<double> dj2;
    dj2.resize(bins.cols);
    for (int j = 0; j < bins.cols; ++j)
        dj2[j] = (j - hc) * (j - hc);
    double* cells = histogram.data.data();
    double sum = 0;
    for (int i = 0; i < bins.rows; ++i) {
        const double di2 = (i - hr) * (i - hr);
        const int* binRow = &bins(i, 0);
        const int* maskRow = &mask(i, 0);
        for (int j = 0; j < bins.cols; ++j) {
            if (maskRow[j] == 0)
                continue;
            const double w = kernel ? 1.0 - (di2 + dj2[j]) * K : 1.0;
            cells[binRow[j]] += w;
            sum += w;
        }
    }
    if (IsZero(sum))
        return;
    for (double& h : histogram.data)
        if (h > 0)
            h /= sum;
}

void TMeanShift::BuildModel()
{
    const int rows = m_modelBitmap.height, cols = m_modelBitmap.width;
    m_modelImage.Resize(rows, cols);
    m_modelBins.Resize(rows, cols);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const std::uint8_t* px = m_modelBitmap.At(j, i);
            m_modelImage(i, j) = RgbToLuv(px[0], px[1], px[2]);
            m_modelBins(i, j) = BinOf(m_modelImage(i, j));
        }
    TMatriceI mask = m_modelMask;
    if (mask.rows != rows || mask.cols != cols)
        mask.Resize(rows, cols, 0);
    Histogram(m_modelBins, mask, false, m_q);
    if (m_q.n != BinCount())
        m_q.Resize(BinCount());

    // The kernel weights of the model's pixels and the model's histogram under them, for Similarity.
    m_kernel.assign(static_cast<std::size_t>(rows) * cols, 0.0);
    const double hc = (cols - 1) / 2.0, hr = (rows - 1) / 2.0;
    const double K = IsZero(hc * hc + hr * hr) ? 0.0 : 1.0 / (hc * hc + hr * hr);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            if (mask(i, j) != 0)
                m_kernel[static_cast<std::size_t>(i) * cols + j]
                    = std::max(0.0, 1.0 - ((i - hr) * (i - hr) + (j - hc) * (j - hc)) * K);
    m_qKernel.assign(m_q.data.size(), 0.0);
    double kernelSum = 0;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double w = m_kernel[static_cast<std::size_t>(i) * cols + j];
            m_qKernel[static_cast<std::size_t>(m_modelBins(i, j))] += w;
            kernelSum += w;
        }
    if (kernelSum > 0)
        for (double& h : m_qKernel)
            h /= kernelSum;
    m_qSpread.clear();
    m_objectCell.clear();
    m_objectCells.clear();
    m_objectMass = 0;
    m_objectPixels = 0;
    ChooseAbsentColour();
}

void TMeanShift::ChooseAbsentColour()
{
    // The absent colour stands for "no colour of the object": the first empty cell whose centre, once turned
    // into a displayable colour, still falls into an empty cell. Most cells of the L*u*v* cube lie outside
    // the colours a screen can show, and the clamped colour of such a cell may fall back into a cell of
    // the model (the centre of cell (0, 0, 1) comes back as cell (0, 0, 0), black), which would make the
    // padding beyond the frame edge and the zones to ignore look like the object.
    const TBinScales& s = BinScales();
    const int n = s.binCount;
    m_absentColor = clWhite;
    bool found = false;
    for (int i = 0; i < n && !found; ++i)
        for (int j = 0; j < n && !found; ++j)
            for (int k = 0; k < n && !found; ++k) {
                if (m_q(i, j, k) != 0)
                    continue;
                const TColor c = LuvToRgb({ (i + 0.5) / s.L, (j + 0.5) / s.u, (k + 0.5) / s.v });
                if (m_q.data[ColourBin(c)] == 0) {
                    m_absentColor = c;
                    found = true;
                }
            }
    m_absentBin = ColourBin(m_absentColor);
}

void TMeanShift::PlaceCells(const TRgbImage& frame, TPointD centre, std::vector<int>& cells)
{
    const int rows = m_modelMask.rows, cols = m_modelMask.cols;
    cells.assign(static_cast<std::size_t>(rows) * cols, -1);
    const int left = RoundEven(centre.x - (m_centroid.x - m_modelRect.left));
    const int top = RoundEven(centre.y - (m_centroid.y - m_modelRect.top));
    for (int i = 0; i < rows; ++i) {
        const int y = top + i;
        for (int j = 0; j < cols; ++j) {
            if (m_modelMask(i, j) == 0)
                continue;
            const int x = left + j;
            const bool inside = x >= 0 && y >= 0 && x < frame.width && y < frame.height;
            cells[static_cast<std::size_t>(i) * cols + j] = inside ? ColourCell(frame.At(x, y)) : m_absentBin;
        }
    }
}

namespace {

// Spreads a histogram over the neighbouring cells (a binomial of width five along each channel): a
// colour that crosses into the next cell, as the light changes, then still meets most of itself.
void SpreadCells(const std::vector<double>& in, std::vector<double>& out, int n)
{
    static constexpr double kTaps[5] = { 1 / 16.0, 4 / 16.0, 6 / 16.0, 4 / 16.0, 1 / 16.0 };
    std::vector<double> work = in;
    out.assign(in.size(), 0.0);
    const std::size_t strides[3] = { static_cast<std::size_t>(n) * n, static_cast<std::size_t>(n), 1 };
    for (int axis = 0; axis < 3; ++axis) {
        std::fill(out.begin(), out.end(), 0.0);
        const std::size_t stride = strides[axis];
        for (std::size_t u = 0; u < work.size(); ++u) {
            const double v = work[u];
            if (v == 0)
                continue;
            const int at = static_cast<int>((u / stride) % static_cast<std::size_t>(n));
            for (int t = -2; t <= 2; ++t)
                if (at + t >= 0 && at + t < n)
                    out[u + t * static_cast<std::ptrdiff_t>(stride)] += kTaps[t + 2] * v;
        }
        if (axis < 2)
            work.swap(out);
    }
}

} // namespace

double TMeanShift::Similarity(const TRgbImage& frame, TPointD centre)
{
    if (m_modelBitmap.IsEmpty() || frame.IsEmpty() || m_qKernel.size() != m_q.data.size() || m_q.n != BinCount())
        return 0;
    PlaceCells(frame, centre, m_placed);
    m_placedHistogram.assign(m_q.data.size(), 0.0);
    double sum = 0;
    for (std::size_t k = 0; k < m_placed.size(); ++k) {
        const int cell = m_placed[k];
        if (cell < 0)
            continue;
        m_placedHistogram[static_cast<std::size_t>(cell)] += m_kernel[k];
        sum += m_kernel[k];
    }
    if (!(sum > 0))
        return 0;
    for (double& v : m_placedHistogram)
        v /= sum;
    if (m_qSpread.size() != m_q.data.size())
        SpreadCells(m_qKernel, m_qSpread, m_q.n);
    SpreadCells(m_placedHistogram, m_placedSpread, m_q.n);
    // Over the object's own cells once they are known: the background the outline took in would
    // otherwise count as much as the object, and a place showing only that background would pass for it.
    double rho = 0;
    if (m_objectMass > 0) {
        for (int u : m_objectCells)
            rho += std::sqrt(m_placedSpread[static_cast<std::size_t>(u)] * m_qSpread[static_cast<std::size_t>(u)]);
        rho /= m_objectMass;
    } else {
        for (std::size_t u = 0; u < m_qSpread.size(); ++u)
            rho += std::sqrt(m_placedSpread[u] * m_qSpread[u]);
    }
    return std::min(rho, 1.0);
}

void TMeanShift::Surroundings(const TRgbImage& frame, int left, int top, std::vector<double>& histogram)
{
    // The band around the outline's rectangle, half its size wide, and the rectangle's pixels outside the
    // outline.
    histogram.assign(m_q.data.size(), 0.0);
    const int w = m_modelMask.cols, h = m_modelMask.rows;
    const int mx = std::max(2, w / 2), my = std::max(2, h / 2);
    double count = 0;
    for (int y = std::max(0, top - my); y <= std::min(frame.height - 1, top + h - 1 + my); ++y)
        for (int x = std::max(0, left - mx); x <= std::min(frame.width - 1, left + w - 1 + mx); ++x) {
            const bool inRect = x >= left && x < left + w && y >= top && y < top + h;
            if (inRect && m_modelMask(y - top, x - left) != 0)
                continue;
            histogram[static_cast<std::size_t>(ColourCell(frame.At(x, y)))] += 1;
            ++count;
        }
    if (count > 0)
        for (double& v : histogram)
            v /= count;
}

void TMeanShift::MarkObjectCells(const TRgbImage& frame)
{
    m_surroundings.assign(m_q.data.size(), 0.0);
    m_objectCell.assign(m_q.data.size(), 0);
    m_objectCells.clear();
    m_objectMass = 0;
    m_objectPixels = 0;
    m_objectOffset = {};
    if (m_modelBitmap.IsEmpty() || frame.IsEmpty() || m_q.n != BinCount())
        return;
    const TPixelRect& r = m_modelRect;
    Surroundings(frame, r.left, r.top, m_surroundings);
    UpdateObjectCells();
    // Where the object's pixels lie within the outline on the model's frame.
    double sx = 0, sy = 0;
    for (int i = 0; i < m_modelMask.rows; ++i)
        for (int j = 0; j < m_modelMask.cols; ++j)
            if (m_modelMask(i, j) != 0 && m_objectCell[static_cast<std::size_t>(m_modelBins(i, j))]) {
                sx += r.left + j;
                sy += r.top + i;
                ++m_objectPixels;
            }
    if (m_objectPixels > 0)
        m_objectOffset = { m_centroid.x - sx / m_objectPixels, m_centroid.y - sy / m_objectPixels };
}

void TMeanShift::UpdateObjectCells()
{
    // Cells the outline holds more of than its surroundings, both spread over their neighbours, so that
    // the object's colours stay its own a cell away, as the light changes.
    std::vector<double> model, around;
    SpreadCells(m_q.data, model, m_q.n);
    SpreadCells(m_surroundings, around, m_q.n);
    SpreadCells(m_qKernel, m_qSpread, m_q.n);
    m_objectCell.assign(m_q.data.size(), 0);
    m_objectCells.clear();
    m_objectMass = 0;
    for (std::size_t u = 0; u < model.size(); ++u)
        if (model[u] > around[u] && model[u] > 1e-6) {
            m_objectCell[u] = 1;
            m_objectCells.push_back(static_cast<int>(u));
            // The model's own likeness over these cells: a place showing its very colours scores 1.
            m_objectMass += m_qSpread[u];
        }
}

TPointD TMeanShift::ObjectCentre(const TRgbImage& frame, TPointD from)
{
    if (m_objectPixels == 0 || m_objectCell.size() != m_q.data.size() || frame.IsEmpty())
        return from;
    const double ox = m_centroid.x - m_modelRect.left, oy = m_centroid.y - m_modelRect.top;
    TPointD c = from;
    for (int iteration = 0; iteration < 8; ++iteration) {
        const int left = RoundEven(c.x - ox), top = RoundEven(c.y - oy);
        double sx = 0, sy = 0;
        long long n = 0;
        for (int i = 0; i < m_modelMask.rows; ++i) {
            const int y = top + i;
            if (y < 0 || y >= frame.height)
                continue;
            for (int j = 0; j < m_modelMask.cols; ++j) {
                const int x = left + j;
                if (m_modelMask(i, j) == 0 || x < 0 || x >= frame.width)
                    continue;
                if (m_objectCell[static_cast<std::size_t>(ColourCell(frame.At(x, y)))]) {
                    sx += x;
                    sy += y;
                    ++n;
                }
            }
        }
        // Too little of the object to go by: the mean shift's own centre stays.
        if (n < std::max<long long>(4, m_objectPixels / 4))
            return iteration == 0 ? from : c;
        const TPointD next { sx / n + m_objectOffset.x, sy / n + m_objectOffset.y };
        const bool settled = std::fabs(next.x - c.x) < 0.01 && std::fabs(next.y - c.y) < 0.01;
        c = next;
        if (settled)
            break;
    }
    return c;
}

void TMeanShift::RenewModel(const TRgbImage& frame, TPointD centre, double part)
{
    if (m_modelBitmap.IsEmpty() || frame.IsEmpty() || m_qKernel.size() != m_q.data.size() || m_q.n != BinCount())
        return;
    part = std::clamp(part, 0.0, 1.0);
    PlaceCells(frame, centre, m_placed);
    std::vector<double> plain(m_q.data.size(), 0.0), kernel(m_q.data.size(), 0.0);
    double plainSum = 0, kernelSum = 0;
    for (std::size_t k = 0; k < m_placed.size(); ++k) {
        const int cell = m_placed[k];
        if (cell < 0)
            continue;
        plain[static_cast<std::size_t>(cell)] += 1;
        kernel[static_cast<std::size_t>(cell)] += m_kernel[k];
        plainSum += 1;
        kernelSum += m_kernel[k];
    }
    if (plainSum <= 0 || kernelSum <= 0)
        return;
    // The surroundings change with the light as the object does: they move along at the same pace.
    const bool marked = m_objectCell.size() == m_q.data.size() && m_surroundings.size() == m_q.data.size();
    std::vector<double> around;
    if (marked)
        Surroundings(frame, RoundEven(centre.x - (m_centroid.x - m_modelRect.left)),
            RoundEven(centre.y - (m_centroid.y - m_modelRect.top)), around);
    for (std::size_t c = 0; c < m_q.data.size(); ++c) {
        m_q.data[c] = (1 - part) * m_q.data[c] + part * plain[c] / plainSum;
        m_qKernel[c] = (1 - part) * m_qKernel[c] + part * kernel[c] / kernelSum;
        if (marked)
            m_surroundings[c] = (1 - part) * m_surroundings[c] + part * around[c];
    }
    if (marked)
        UpdateObjectCells();
    else
        m_qSpread.clear();
    ChooseAbsentColour();
}

int TMeanShift::WindowSide() const
{
    const int wm = m_modelBitmap.width, hm = m_modelBitmap.height;
    int side = std::max(static_cast<int>(std::trunc(1.2 * std::max(wm, hm))), 2 * m_searchRadius + 1);
    if (side % 2 == 0)
        ++side;
    return side;
}

namespace {
constexpr std::size_t kColourCells = 1u << 14; // 128 KiB: stays in the processor's nearer caches
}

int TMeanShift::NewColourCell(std::uint32_t colour)
{
    if (m_colourCells.size() != kColourCells || m_colourCellsCount != BinCount()) {
        m_colourCells.assign(kColourCells, TColourCell());
        m_colourCellsCount = BinCount();
    }
    TColourCell& cell = m_colourCells[((colour * 2654435761u) >> 18) & (kColourCells - 1)];
    cell.key = colour | 0xFF000000u;
    cell.bin = BinOf(RgbToLuv(static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
        static_cast<std::uint8_t>(colour >> 16)));
    return cell.bin;
}

inline int TMeanShift::ColourCell(const std::uint8_t* px)
{
    const std::uint32_t colour = static_cast<std::uint32_t>(px[0]) | (static_cast<std::uint32_t>(px[1]) << 8)
        | (static_cast<std::uint32_t>(px[2]) << 16);
    if (m_colourCells.size() == kColourCells && m_colourCellsCount == BinCount()) {
        const TColourCell& cell = m_colourCells[((colour * 2654435761u) >> 18) & (kColourCells - 1)];
        if (cell.key == (colour | 0xFF000000u))
            return cell.bin;
    }
    return NewColourCell(colour);
}

void TMeanShift::PrepareWindow(const TRgbImage& frame, int x, int side)
{
    // The frame rectangle around the position, stretched onto side x side pixels; what lies outside the
    // frame keeps the absent colour.
    const int half = side / 2;
    const int width = 2 * half + 1;
    m_offsets.resize(side);
    for (int j = 0; j < side; ++j)
        m_offsets[j] = static_cast<int>(static_cast<long long>(j) * width / side) - half;
    m_candidateBins.Resize(side, side, m_absentBin);
    m_colFrom = 0;
    while (m_colFrom < side && x + m_offsets[m_colFrom] < 0)
        ++m_colFrom;
    m_colTo = side;
    while (m_colTo > m_colFrom && x + m_offsets[m_colTo - 1] >= frame.width)
        --m_colTo;
}

void TMeanShift::ComputeBackground(const TMatriceI& bins)
{
    const int n = BinCount();
    if (m_b.n != n)
        m_b.Resize(n);
    else
        m_b.Clear();
    const double cc = (bins.cols - 1) / 2.0, rc = (bins.rows - 1) / 2.0;
    const double hw = 1.2 * (m_modelBitmap.width / 2), hh = 1.2 * (m_modelBitmap.height / 2);
    const int colFrom = static_cast<int>(std::trunc(cc - hw)), colTo = static_cast<int>(std::trunc(cc + hw));
    const int rowFrom = static_cast<int>(std::trunc(rc - hh)), rowTo = static_cast<int>(std::trunc(rc + hh));
    // Only the four corners: a pixel beside the object on one axis only may still be part of it.
    const int leftEnd = std::clamp(colFrom, 0, bins.cols), rightStart = std::clamp(colTo + 1, leftEnd, bins.cols);
    // Counted as integers in two banks (neighbouring pixels mostly share a cell), then turned into weights.
    m_backgroundCounts.assign(2 * m_b.data.size(), 0);
    std::int32_t* counts = m_backgroundCounts.data();
    const std::size_t cellCount = m_b.data.size();
    for (int i = 0; i < bins.rows; ++i) {
        if (i >= rowFrom && i <= rowTo)
            continue;
        const int* row = &bins(i, 0);
        for (int j = 0; j < leftEnd; ++j)
            ++counts[static_cast<std::size_t>(row[j]) + (j & 1) * cellCount];
        for (int j = rightStart; j < bins.cols; ++j)
            ++counts[static_cast<std::size_t>(row[j]) + (j & 1) * cellCount];
    }
    for (std::size_t u = 0; u < cellCount; ++u) {
        const std::int32_t count = counts[u] + counts[u + cellCount];
        m_b.data[u] = count > 0 ? 1.0 / count : 1.0;
    }
}

void TMeanShift::Track(TPoint& position, TRgbImage& frame, int maxIterations, TPoint start)
{
    m_lastSides.clear();
    position = start;
    m_lastCentre = { static_cast<double>(start.x), static_cast<double>(start.y) };
    if (m_modelBitmap.IsEmpty() || frame.IsEmpty())
        return;
    const int n = BinCount();
    if (m_q.n != n)
        return; // no model built with this cell count

    // The zones to ignore take the absent colour on the frame itself.
    PaintZones(frame, m_ignorePolygons, m_absentColor);

    const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
    if (m_frameStamps.size() != pixels) {
        m_frameStamps.assign(pixels, 0);
        m_frameBins.assign(pixels, 0);
        m_stamp = 0;
    }
    if (++m_stamp == 0) { // wrapped: forget every stamp
        std::fill(m_frameStamps.begin(), m_frameStamps.end(), 0);
        m_stamp = 1;
    }

    const int wm = m_modelBitmap.width, hm = m_modelBitmap.height;
    const int modelSide = std::max(wm, hm);
    int side = WindowSide();
    const double shrink = std::min(static_cast<double>(side) / hm, static_cast<double>(side) / wm);
    const bool shrinking = shrink > 4;
    int x = start.x, y = start.y;
    m_weightOfBin.assign(m_q.data.size(), 0.0);
    // Only the model's own cells can weigh anything: the others have q = 0.
    m_modelCells.clear();
    for (std::size_t u = 0; u < m_q.data.size(); ++u)
        if (m_q.data[u] > 0)
            m_modelCells.push_back(static_cast<int>(u));
    m_modelIndex.assign(m_q.data.size(), -1);
    for (std::size_t k = 0; k < m_modelCells.size(); ++k)
        m_modelIndex[static_cast<std::size_t>(m_modelCells[k])] = static_cast<int>(k);
    m_p.Resize(n);

    for (int iteration = 1; iteration <= maxIterations; ++iteration) {
        m_lastSides.push_back(side);
        if (m_candidateMask.rows != side || m_candidateMask.cols != side)
            m_candidateMask.Resize(side, side, 1);
        // Offsets are measured from the current position to the frame pixel each window pixel shows (for an
        // odd side, j - (side - 1) / 2, the window's own centre pixel): a centre taken half a pixel further
        // would pull every result up and to the left by half a pixel per iteration.
        // One pass over the window: each pixel's cell, the sum of the kernel weights, and for the model's
        // cells (the only ones that can weigh) their kernel weights, pixel counts and sums of the pixels'
        // offsets from the position. The weighted mean offset then needs no second pass over the pixels.
        m_cells.assign(m_modelCells.size() * kBanks, TCellSums());
        PrepareWindow(frame, x, side);
        const double hc = (side - 1) / 2.0;
        const double K = IsZero(hc) ? 0.0 : 1.0 / (hc * hc + hc * hc);
        // Distances are kept doubled, as integers: a = 2 i - (side - 1) is twice the distance to the centre
        // row, so (i - hc)^2 = a^2 / 4 exactly. A cell's kernel weight is then its pixel count less K / 4
        // times its integer sum of a^2 + b^2, with no rounding in the sum.
        m_squares.resize(static_cast<std::size_t>(side));
        std::int64_t squareSum = 0;
        for (int j = 0; j < side; ++j) {
            const std::int64_t a = 2 * j - (side - 1);
            m_squares[static_cast<std::size_t>(j)] = a * a;
            squareSum += a * a;
        }
        TCellSums* cells = m_cells.data();
        const int* modelIndex = m_modelIndex.data();
        const std::int64_t* squares = m_squares.data();
        const int* offsets = m_offsets.data();
        for (int i = 0; i < side; ++i) {
            const std::int64_t rowSquare = squares[i];
            const int oy = offsets[i];
            int* row = &m_candidateBins(i, 0);
            const int fy = y + oy;
            if (fy >= 0 && fy < frame.height) {
                // The frame's cells, each worked out once per Track.
                const std::size_t rowStart = static_cast<std::size_t>(fy) * frame.width;
                std::uint32_t* stamps = &m_frameStamps[rowStart];
                std::int32_t* frameBins = &m_frameBins[rowStart];
                const std::uint8_t* framePixels = frame.At(0, fy);
                for (int j = m_colFrom; j < m_colTo; ++j) {
                    const int fx = x + offsets[j];
                    if (stamps[fx] != m_stamp) {
                        frameBins[fx] = ColourCell(framePixels + 3 * static_cast<std::size_t>(fx));
                        stamps[fx] = m_stamp;
                    }
                    row[j] = frameBins[fx];
                }
            }
            // Neighbouring pixels mostly share a cell: spreading them over a few banks keeps each sum from
            // waiting on the one before.
            for (int j = 0; j < side; ++j) {
                const int k = modelIndex[row[j]];
                if (k >= 0) {
                    TCellSums& c
                        = cells[static_cast<std::size_t>(k) * kBanks + (static_cast<unsigned>(j) & (kBanks - 1))];
                    ++c.count;
                    c.sumX += offsets[j];
                    c.sumY += oy;
                    c.squares += rowSquare + squares[j];
                }
            }
        }
        const double sum = static_cast<double>(side) * side - K * static_cast<double>(2 * side * squareSum) / 4;
        if (iteration == 1)
            ComputeBackground(m_candidateBins);
        const bool empty = IsZero(hc) || IsZero(sum);
        double S = 0, Dx = 0, Dy = 0;
        for (std::size_t k = 0; k < m_modelCells.size(); ++k) {
            const auto c = static_cast<std::size_t>(m_modelCells[k]);
            TCellSums total;
            for (std::size_t bank = 0; bank < kBanks; ++bank) {
                const TCellSums& part = cells[k * kBanks + bank];
                total.count += part.count;
                total.sumX += part.sumX;
                total.sumY += part.sumY;
                total.squares += part.squares;
            }
            const double kw = total.count - K * static_cast<double>(total.squares) / 4;
            const double pc = empty ? 0.0 : (kw > 0 ? kw / sum : 0.0);
            m_p.data[c] = pc;
            const double q = m_q.data[c], bc = m_b.data[c];
            const double w = pc > 0 && bc > 0 ? std::sqrt(bc * q / pc) : 0.0;
            m_weightOfBin[c] = w;
            if (w > 0) {
                S += w * total.count;
                Dx += w * total.sumX;
                Dy += w * total.sumY;
            }
        }
        if (IsZero(S))
            break;
        const double dx = Dx / S, dy = Dy / S;
        m_lastCentre = { x + dx, y + dy };
        x += RoundEven(dx);
        y += RoundEven(dy);
        if (shrinking) {
            if (modelSide == side)
                break;
            side = std::max(modelSide,
                static_cast<int>(std::trunc(static_cast<double>(side) * (maxIterations - iteration) / maxIterations)));
            continue;
        }
        if (std::fabs(dx) < 1 && std::fabs(dy) < 1)
            break;
    }
    position = { x, y };
}

} // namespace kinoval::tracking
