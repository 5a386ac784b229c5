#include "core/tracking/motion_model.h"

#include <algorithm>
#include <cmath>

namespace kinoval::tracking {

double ExtrapolateCourse(const std::vector<double>& ts, const std::vector<double>& vs, double t)
{
    const std::size_t n = std::min(ts.size(), vs.size());
    if (n == 0)
        return 0;
    if (n == 1)
        return vs[0];
    // Times measured from their mean keep the normal equations well conditioned.
    double mean = 0;
    for (std::size_t k = 0; k < n; ++k)
        mean += ts[k];
    mean /= static_cast<double>(n);
    const int degree = n >= 3 ? 2 : 1;
    // Normal equations of the polynomial c0 + c1 u + c2 u^2, u = t - mean.
    double a[3][4] = {};
    for (std::size_t k = 0; k < n; ++k) {
        const double u = ts[k] - mean;
        const double powers[3] = { 1, u, u * u };
        for (int r = 0; r <= degree; ++r) {
            for (int c = 0; c <= degree; ++c)
                a[r][c] += powers[r] * powers[c];
            a[r][3] += powers[r] * vs[k];
        }
    }
    const int size = degree + 1;
    // Gaussian elimination with partial pivoting; a singular system (all times equal) falls back on the
    // mean value.
    for (int col = 0; col < size; ++col) {
        int pivot = col;
        for (int r = col + 1; r < size; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-12) {
            double sum = 0;
            for (std::size_t k = 0; k < n; ++k)
                sum += vs[k];
            return sum / static_cast<double>(n);
        }
        if (pivot != col)
            for (int c = 0; c < 4; ++c)
                std::swap(a[col][c], a[pivot][c]);
        for (int r = 0; r < size; ++r) {
            if (r == col)
                continue;
            const double f = a[r][col] / a[col][col];
            for (int c = col; c < 4; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    const double u = t - mean;
    double value = 0, power = 1;
    for (int r = 0; r < size; ++r) {
        value += a[r][3] / a[r][r] * power;
        power *= u;
    }
    return value;
}

void TMotionModel::Add(int frame, TPointD position)
{
    if (!m_samples.empty() && frame <= m_samples.back().frame)
        return;
    m_samples.push_back({ frame, position });
    if (m_samples.size() > static_cast<std::size_t>(kKept))
        m_samples.erase(m_samples.begin());
}

TPointD TMotionModel::Predict(int frame) const
{
    if (m_samples.empty())
        return {};
    if (m_samples.size() == 1)
        return m_samples.front().position;
    std::vector<double> ts, xs, ys;
    for (const TMotionSample& s : m_samples) {
        ts.push_back(s.frame);
        xs.push_back(s.position.x);
        ys.push_back(s.position.y);
    }
    return { ExtrapolateCourse(ts, xs, frame), ExtrapolateCourse(ts, ys, frame) };
}

void TMotionModel::Resume(const std::vector<TMotionSample>& earlier, int frame, TPointD start)
{
    m_samples.clear();
    std::vector<TMotionSample> kept;
    for (const TMotionSample& s : earlier)
        if (s.frame < frame && (kept.empty() || s.frame > kept.back().frame))
            kept.push_back(s);
    if (kept.size() > static_cast<std::size_t>(kKept - 1))
        kept.erase(kept.begin(), kept.end() - (kKept - 1));
    if (kept.size() >= 2) {
        TMotionModel before;
        for (const TMotionSample& s : kept)
            before.Add(s.frame, s.position);
        const TPointD expected = before.Predict(frame);
        const double dx = start.x - expected.x, dy = start.y - expected.y;
        for (TMotionSample& s : kept) {
            s.position.x += dx;
            s.position.y += dy;
        }
    }
    m_samples = std::move(kept);
    m_samples.push_back({ frame, start });
}

} // namespace kinoval::tracking
