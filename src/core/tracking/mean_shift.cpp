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
    vertexCount = std::clamp(vertexCount, 0, static_cast<int>(outline.size()));
    TPointDynArray polygon;
    polygon.reserve(vertexCount);
    for (int k = 0; k < vertexCount; ++k)
        polygon.push_back(ToPixel(outline[k], frame.width, frame.height));
    TMatriceI mask;
    TPixelRect rect;
    if (frame.IsEmpty() || !RasterisePolygon(polygon, mask, rect))
        return false;
    // An outline touching the right or bottom edge reaches one pixel past the frame: only pixels of the
    // frame can describe the object.
    TPixelRect clipped { std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, frame.width - 1),
        std::min(rect.bottom, frame.height - 1) };
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
    start = { RoundEven(sumCol / count + clipped.left), RoundEven(sumRow / count + clipped.top) };
    m_modelMask = std::move(clippedMask);
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

double TMeanShift::Track(TPoint& position, TRgbImage& frame, int maxIterations, int /*frameOrdinal*/, TPoint start)
{
    m_lastSides.clear();
    position = start;
    if (m_modelBitmap.IsEmpty() || frame.IsEmpty())
        return 0;
    const int n = BinCount();
    if (m_q.n != n)
        return 0; // no model built with this cell count

    // The zones to ignore take the absent colour on the frame itself.
    for (const TPointDynArray& zone : m_ignorePolygons) {
        TMatriceI mask;
        TPixelRect r;
        if (!RasterisePolygon(zone, mask, r))
            continue;
        const std::uint8_t rgb[3] = { static_cast<std::uint8_t>(RedOf(m_absentColor)),
            static_cast<std::uint8_t>(GreenOf(m_absentColor)), static_cast<std::uint8_t>(BlueOf(m_absentColor)) };
        for (int row = std::max(r.top, 0); row <= std::min(r.bottom, frame.height - 1); ++row)
            for (int col = std::max(r.left, 0); col <= std::min(r.right, frame.width - 1); ++col)
                if (mask(row - r.top, col - r.left) != 0)
                    std::copy_n(rgb, 3, frame.At(col, row));
    }

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
    return 0;
}

} // namespace kinoval::tracking
