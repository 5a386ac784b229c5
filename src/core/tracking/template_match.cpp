#include "core/tracking/template_match.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinoval::tracking {

namespace {

// The smallest side a reduced template may have: below it a ball is a blur of a few pixels and the
// coarse search would find anything round.
constexpr int kSmallestSide = 8;
constexpr int kMostLevels = 3;
// Positions scored together: the picture's rows are padded by this much.
constexpr int kBlock = 8;

// The offset below the pixel of the top of a parabola through three scores (0 when they make no peak).
double ParabolaPeak(double before, double at, double after)
{
    const double curvature = before - 2 * at + after;
    if (!(curvature < 0))
        return 0;
    return std::clamp(0.5 * (before - after) / curvature, -0.5, 0.5);
}

} // namespace

bool TTemplateMatch::SetModel(const TRgbImage& frame, int vertexCount, const TPointDDynArray& outline, TPointD& start)
{
    TOutlinePixels pixels;
    if (frame.IsEmpty() || !OutlineToPixels(frame.width, frame.height, vertexCount, outline, pixels))
        return false;
    m_width = pixels.rect.Width();
    m_height = pixels.rect.Height();
    m_mask = std::move(pixels.mask);
    m_reference = { pixels.centroid.x - pixels.rect.left, pixels.centroid.y - pixels.rect.top };
    const std::size_t plane = static_cast<std::size_t>(m_width) * m_height;
    m_original.assign(kPlanes * plane, 0.0f);
    for (int i = 0; i < m_height; ++i)
        for (int j = 0; j < m_width; ++j) {
            const std::uint8_t* p = frame.At(pixels.rect.left + j, pixels.rect.top + i);
            for (int c = 0; c < kPlanes; ++c)
                m_original[c * plane + static_cast<std::size_t>(i) * m_width + j] = p[c];
        }
    m_average = m_original;
    BuildLevels();
    start = pixels.centroid;
    return true;
}

void TTemplateMatch::BuildLevels()
{
    m_levels.clear();
    TLevel full;
    full.width = m_width;
    full.height = m_height;
    full.values.resize(m_original.size());
    full.mask.resize(m_mask.data.size());
    for (std::size_t k = 0; k < m_original.size(); ++k)
        full.values[k] = 0.5f * (m_original[k] + m_average[k]);
    for (std::size_t k = 0; k < m_mask.data.size(); ++k)
        full.mask[k] = m_mask.data[k] != 0 ? 1 : 0;
    m_levels.push_back(std::move(full));
    // Each smaller size averages four pixels; a pixel belongs to its mask when most of its four do.
    while (static_cast<int>(m_levels.size()) < kMostLevels) {
        const TLevel& from = m_levels.back();
        const int w = from.width / 2, h = from.height / 2;
        if (std::min(w, h) < kSmallestSide)
            break;
        TLevel to;
        to.width = w;
        to.height = h;
        const std::size_t fromPlane = static_cast<std::size_t>(from.width) * from.height;
        const std::size_t toPlane = static_cast<std::size_t>(w) * h;
        to.values.assign(kPlanes * toPlane, 0.0f);
        to.mask.assign(toPlane, 0);
        for (int i = 0; i < h; ++i)
            for (int j = 0; j < w; ++j) {
                int m = 0;
                for (int di = 0; di < 2; ++di)
                    for (int dj = 0; dj < 2; ++dj)
                        m += from.mask[static_cast<std::size_t>(2 * i + di) * from.width + 2 * j + dj];
                to.mask[static_cast<std::size_t>(i) * w + j] = m >= 2 ? 1 : 0;
                for (int c = 0; c < kPlanes; ++c) {
                    float v = 0;
                    for (int di = 0; di < 2; ++di)
                        for (int dj = 0; dj < 2; ++dj)
                            v += from.values[c * fromPlane + static_cast<std::size_t>(2 * i + di) * from.width + 2 * j
                                + dj];
                    to.values[c * toPlane + static_cast<std::size_t>(i) * w + j] = 0.25f * v;
                }
            }
        m_levels.push_back(std::move(to));
    }
    // Values less their channel's mean inside the mask: the correlation's numerator then needs no mean of
    // the picture.
    for (TLevel& level : m_levels) {
        const std::size_t plane = static_cast<std::size_t>(level.width) * level.height;
        level.count = 0;
        for (std::size_t k = 0; k < plane; ++k)
            level.count += level.mask[k];
        level.norm = 0;
        level.taps.clear();
        level.runs.clear();
        for (int c = 0; c < kPlanes; ++c) {
            float* values = &level.values[c * plane];
            double sum = 0;
            for (std::size_t k = 0; k < plane; ++k)
                if (level.mask[k])
                    sum += values[k];
            const double mean = level.count > 0 ? sum / level.count : 0;
            for (int i = 0; i < level.height; ++i)
                for (int j = 0; j < level.width; ++j) {
                    const std::size_t k = static_cast<std::size_t>(i) * level.width + j;
                    if (!level.mask[k]) {
                        values[k] = 0;
                        continue;
                    }
                    const float v = static_cast<float>(values[k] - mean);
                    values[k] = v;
                    level.norm += static_cast<double>(v) * v;
                    if (v != 0)
                        level.taps.push_back({ c, i, j, v });
                }
        }
        for (int i = 0; i < level.height; ++i) {
            int runStart = -1;
            for (int j = 0; j <= level.width; ++j) {
                const bool in = j < level.width && level.mask[static_cast<std::size_t>(i) * level.width + j];
                if (in && runStart < 0)
                    runStart = j;
                if (!in && runStart >= 0) {
                    level.runs.push_back({ i, runStart, j });
                    runStart = -1;
                }
            }
        }
    }
    // A reduced size whose mask lost too much of the outline would score the wrong thing.
    while (m_levels.size() > 1 && m_levels.back().count < 16)
        m_levels.pop_back();
}

void TTemplateMatch::Shrink(const TPicture& from, TPicture& to)
{
    to.width = from.width / 2;
    to.height = from.height / 2;
    to.stride = to.width + kBlock;
    to.pixels.assign(static_cast<std::size_t>(to.stride) * kPlanes * std::max(to.height, 1), 0.0f);
    for (int c = 0; c < kPlanes; ++c)
        for (int y = 0; y < to.height; ++y) {
            const float* a = from.Row(c, 2 * y);
            const float* b = from.Row(c, 2 * y + 1);
            float* out = &to.pixels[(static_cast<std::size_t>(c) * to.height + y) * to.stride];
            for (int x = 0; x < to.width; ++x)
                out[x] = 0.25f * (a[2 * x] + a[2 * x + 1] + b[2 * x] + b[2 * x + 1]);
        }
}

double TTemplateMatch::Score(const TLevel& level, const TPicture& picture, int ox, int oy)
{
    if (ox < 0 || oy < 0 || ox + level.width > picture.width || oy + level.height > picture.height)
        return -1;
    double numerator = 0;
    for (const TTap& t : level.taps)
        numerator += static_cast<double>(t.value) * picture.At(t.plane, ox + t.col, oy + t.row);
    const double count = std::max(level.count, 1.0);
    double variance = 0;
    for (int c = 0; c < kPlanes; ++c) {
        double s1 = 0, s2 = 0;
        for (const TRun& r : level.runs) {
            const float* row = picture.Row(c, oy + r.row) + ox;
            for (int j = r.from; j < r.to; ++j) {
                s1 += row[j];
                s2 += static_cast<double>(row[j]) * row[j];
            }
        }
        variance += s2 - s1 * s1 / count;
    }
    // A flat picture (a zone to ignore, a wall without texture) matches nothing.
    if (!(variance > 1e-3 * count) || !(level.norm > 0))
        return 0;
    return std::clamp(numerator / std::sqrt(level.norm * variance), -1.0, 1.0);
}

void TTemplateMatch::Prepare(TWork& work, const TLevel& level)
{
    const TPicture& picture = work.picture;
    work.mapWidth = picture.width - level.width + 1;
    work.mapHeight = picture.height - level.height + 1;
    // Row sums of each channel and of its squares: the mask's sums at any position from its runs.
    work.sumStride = picture.width + 1;
    const std::size_t sumPlane = static_cast<std::size_t>(work.sumStride) * picture.height;
    work.sum1.assign(kPlanes * sumPlane, 0.0);
    work.sum2.assign(work.sum1.size(), 0.0);
    for (int c = 0; c < kPlanes; ++c)
        for (int y = 0; y < picture.height; ++y) {
            const float* row = picture.Row(c, y);
            double* s1 = &work.sum1[c * sumPlane + static_cast<std::size_t>(y) * work.sumStride];
            double* s2 = &work.sum2[c * sumPlane + static_cast<std::size_t>(y) * work.sumStride];
            for (int x = 0; x < picture.width; ++x) {
                s1[x + 1] = s1[x] + row[x];
                s2[x + 1] = s2[x] + static_cast<double>(row[x]) * row[x];
            }
        }
    work.tapOffsets.resize(level.taps.size());
    for (std::size_t t = 0; t < level.taps.size(); ++t)
        work.tapOffsets[t]
            = (static_cast<std::size_t>(level.taps[t].plane) * picture.height + level.taps[t].row) * picture.stride
            + level.taps[t].col;
    // Scores not worked out yet are NaN.
    work.scores.assign(static_cast<std::size_t>(std::max(work.mapWidth, 0)) * std::max(work.mapHeight, 0),
        std::numeric_limits<float>::quiet_NaN());
}

double TTemplateMatch::Normalise(const TLevel& level, const TWork& work, double numerator, int ox, int oy)
{
    const std::size_t sumPlane = static_cast<std::size_t>(work.sumStride) * work.picture.height;
    const double count = std::max(level.count, 1.0);
    double variance = 0;
    for (int c = 0; c < kPlanes; ++c) {
        const double* p1 = &work.sum1[c * sumPlane];
        const double* p2 = &work.sum2[c * sumPlane];
        double s1 = 0, s2 = 0;
        for (const TRun& r : level.runs) {
            const std::size_t row = static_cast<std::size_t>(oy + r.row) * work.sumStride + ox;
            s1 += p1[row + r.to] - p1[row + r.from];
            s2 += p2[row + r.to] - p2[row + r.from];
        }
        variance += s2 - s1 * s1 / count;
    }
    // A flat picture (a zone to ignore, a wall without texture) matches nothing.
    if (!(variance > 1e-3 * count) || !(level.norm > 0))
        return 0;
    return std::clamp(numerator / std::sqrt(level.norm * variance), -1.0, 1.0);
}

double TTemplateMatch::Cached(int k, int ox, int oy)
{
    TWork& work = m_work[static_cast<std::size_t>(k)];
    if (ox < 0 || oy < 0 || ox >= work.mapWidth || oy >= work.mapHeight)
        return -1;
    float& cached = work.scores[static_cast<std::size_t>(oy) * work.mapWidth + ox];
    if (!std::isnan(cached))
        return cached;
    const TLevel& level = m_levels[static_cast<std::size_t>(k)];
    const float* base = &work.picture.pixels[static_cast<std::size_t>(oy) * work.picture.stride + ox];
    double numerator = 0;
    for (std::size_t t = 0; t < level.taps.size(); ++t)
        numerator += static_cast<double>(level.taps[t].value) * base[work.tapOffsets[t]];
    cached = static_cast<float>(Normalise(level, work, numerator, ox, oy));
    return cached;
}

void TTemplateMatch::ScoreMap(int k)
{
    TWork& work = m_work[static_cast<std::size_t>(k)];
    const TLevel& level = m_levels[static_cast<std::size_t>(k)];
    const std::size_t taps = level.taps.size();
    for (int oy = 0; oy < work.mapHeight; ++oy) {
        for (int bx = 0; bx < work.mapWidth; bx += kBlock) {
            // Eight positions at once: each template value meets eight neighbouring pixels of a row, which
            // the compiler turns into vector arithmetic.
            float acc[kBlock] = {};
            const float* base = &work.picture.pixels[static_cast<std::size_t>(oy) * work.picture.stride + bx];
            for (std::size_t t = 0; t < taps; ++t) {
                const float v = level.taps[t].value;
                const float* src = base + work.tapOffsets[t];
                for (int j = 0; j < kBlock; ++j)
                    acc[j] += v * src[j];
            }
            const int end = std::min(kBlock, work.mapWidth - bx);
            for (int j = 0; j < end; ++j)
                work.scores[static_cast<std::size_t>(oy) * work.mapWidth + bx + j]
                    = static_cast<float>(Normalise(level, work, acc[j], bx + j, oy));
        }
    }
}

void TTemplateMatch::Climb(int k, int& ox, int& oy)
{
    // Uphill until no neighbour scores better (a few steps: the place was found a size coarser).
    double score = Cached(k, ox, oy);
    for (int step = 0; step < 32; ++step) {
        int bestX = ox, bestY = oy;
        double best = score;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (dx == 0 && dy == 0)
                    continue;
                const double v = Cached(k, ox + dx, oy + dy);
                if (v > best) {
                    best = v;
                    bestX = ox + dx;
                    bestY = oy + dy;
                }
            }
        if (bestX == ox && bestY == oy)
            break;
        ox = bestX;
        oy = bestY;
        score = best;
    }
}

std::vector<TTemplateCandidate> TTemplateMatch::Search(
    const TRgbImage& frame, TPointD predicted, int radius, int maxCandidates)
{
    std::vector<TTemplateCandidate> result;
    if (!HasModel() || frame.IsEmpty() || maxCandidates <= 0)
        return result;
    radius = std::max(radius, 0);
    const int bx = static_cast<int>(std::lround(predicted.x - m_reference.x));
    const int by = static_cast<int>(std::lround(predicted.y - m_reference.y));
    // The template's top-left corner stays within the radius and the template within the frame.
    const int xMin = std::max(0, bx - radius), xMax = std::min(frame.width - m_width, bx + radius);
    const int yMin = std::max(0, by - radius), yMax = std::min(frame.height - m_height, by + radius);
    if (xMin > xMax || yMin > yMax)
        return result;

    m_work.resize(m_levels.size());
    TPicture& full = m_work[0].picture;
    full.width = xMax - xMin + m_width;
    full.height = yMax - yMin + m_height;
    full.stride = full.width + kBlock;
    full.pixels.assign(static_cast<std::size_t>(full.stride) * kPlanes * full.height, 0.0f);
    for (int y = 0; y < full.height; ++y) {
        const std::uint8_t* src = frame.At(xMin, yMin + y);
        for (int c = 0; c < kPlanes; ++c) {
            float* out = &full.pixels[(static_cast<std::size_t>(c) * full.height + y) * full.stride];
            for (int x = 0; x < full.width; ++x)
                out[x] = src[3 * static_cast<std::size_t>(x) + c];
        }
    }
    Prepare(m_work[0], m_levels[0]);
    // The coarsest size whose window still holds the template at one position at least.
    int coarsest = 0;
    for (std::size_t k = 1; k < m_levels.size(); ++k) {
        Shrink(m_work[k - 1].picture, m_work[k].picture);
        if (m_work[k].picture.width < m_levels[k].width || m_work[k].picture.height < m_levels[k].height)
            break;
        Prepare(m_work[k], m_levels[k]);
        coarsest = static_cast<int>(k);
    }
    ScoreMap(coarsest);
    const TWork& top = m_work[static_cast<std::size_t>(coarsest)];
    const int mapWidth = top.mapWidth, mapHeight = top.mapHeight;

    // The local peaks of the coarse map, best first; on a plateau the first in reading order.
    struct TPeak {
        float score;
        int x;
        int y;
    };
    std::vector<TPeak> peaks;
    for (int y = 0; y < mapHeight; ++y)
        for (int x = 0; x < mapWidth; ++x) {
            const float v = top.scores[static_cast<std::size_t>(y) * mapWidth + x];
            bool peak = true;
            for (int dy = -1; dy <= 1 && peak; ++dy)
                for (int dx = -1; dx <= 1 && peak; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= mapWidth || ny >= mapHeight)
                        continue;
                    const float n = top.scores[static_cast<std::size_t>(ny) * mapWidth + nx];
                    const bool before = dy < 0 || (dy == 0 && dx < 0);
                    peak = before ? v > n : v >= n;
                }
            if (peak)
                peaks.push_back({ v, x, y });
        }
    std::sort(peaks.begin(), peaks.end(), [](const TPeak& a, const TPeak& b) { return a.score > b.score; });
    // A few more coarse peaks than asked for: two of them may end on the same place.
    if (peaks.size() > static_cast<std::size_t>(maxCandidates) + 2)
        peaks.resize(static_cast<std::size_t>(maxCandidates) + 2);

    std::vector<std::pair<int, int>> seen;
    for (const TPeak& peak : peaks) {
        int ox = peak.x, oy = peak.y;
        // Down the sizes: the best of the four places the doubled position covers, then uphill.
        for (int k = coarsest - 1; k >= 0; --k) {
            const int cx = 2 * ox, cy = 2 * oy;
            double best = -2;
            for (int dy = 0; dy <= 1; ++dy)
                for (int dx = 0; dx <= 1; ++dx) {
                    const double v = Cached(k, cx + dx, cy + dy);
                    if (v > best && v > -1) {
                        best = v;
                        ox = cx + dx;
                        oy = cy + dy;
                    }
                }
            if (best <= -2) {
                ox = std::clamp(cx, 0, m_work[static_cast<std::size_t>(k)].mapWidth - 1);
                oy = std::clamp(cy, 0, m_work[static_cast<std::size_t>(k)].mapHeight - 1);
            }
            Climb(k, ox, oy);
        }
        if (std::find(seen.begin(), seen.end(), std::pair { ox, oy }) != seen.end())
            continue;
        seen.emplace_back(ox, oy);
        const double score = Cached(0, ox, oy);
        // Below the pixel: a parabola on each axis, where both neighbours are inside the window.
        const double left = Cached(0, ox - 1, oy), right = Cached(0, ox + 1, oy);
        const double up = Cached(0, ox, oy - 1), down = Cached(0, ox, oy + 1);
        const double sx = left > -1 && right > -1 ? ParabolaPeak(left, score, right) : 0;
        const double sy = up > -1 && down > -1 ? ParabolaPeak(up, score, down) : 0;
        result.push_back({ { xMin + ox + sx + m_reference.x, yMin + oy + sy + m_reference.y }, score });
    }
    std::sort(result.begin(), result.end(),
        [](const TTemplateCandidate& a, const TTemplateCandidate& b) { return a.score > b.score; });
    if (result.size() > static_cast<std::size_t>(maxCandidates))
        result.resize(static_cast<std::size_t>(maxCandidates));
    return result;
}

double TTemplateMatch::ScoreAt(const TRgbImage& frame, int left, int top) const
{
    if (!HasModel() || left < 0 || top < 0 || left + m_width > frame.width || top + m_height > frame.height)
        return -1;
    TPicture picture;
    picture.width = m_width;
    picture.height = m_height;
    picture.stride = m_width;
    picture.pixels.resize(static_cast<std::size_t>(m_width) * m_height * kPlanes);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            for (int c = 0; c < kPlanes; ++c)
                picture.pixels[(static_cast<std::size_t>(c) * m_height + y) * m_width + x]
                    = frame.At(left + x, top + y)[c];
    return Score(m_levels[0], picture, 0, 0);
}

void TTemplateMatch::Refresh(const TRgbImage& frame, TPointD position, double weight)
{
    if (!HasModel() || frame.IsEmpty())
        return;
    weight = std::clamp(weight, 0.0, 1.0);
    const double left = position.x - m_reference.x, top = position.y - m_reference.y;
    auto channel = [&frame](int x, int y, int c) {
        return static_cast<double>(frame.At(std::clamp(x, 0, frame.width - 1), std::clamp(y, 0, frame.height - 1))[c]);
    };
    const std::size_t plane = static_cast<std::size_t>(m_width) * m_height;
    for (int i = 0; i < m_height; ++i)
        for (int j = 0; j < m_width; ++j) {
            const double x = left + j, y = top + i;
            const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
            const double fx = x - x0, fy = y - y0;
            for (int c = 0; c < kPlanes; ++c) {
                const double v = (1 - fy) * ((1 - fx) * channel(x0, y0, c) + fx * channel(x0 + 1, y0, c))
                    + fy * ((1 - fx) * channel(x0, y0 + 1, c) + fx * channel(x0 + 1, y0 + 1, c));
                float& a = m_average[c * plane + static_cast<std::size_t>(i) * m_width + j];
                a = static_cast<float>((1 - weight) * a + weight * v);
            }
        }
    BuildLevels();
}

} // namespace kinoval::tracking
