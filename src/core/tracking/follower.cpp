#include "core/tracking/follower.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kinoval::tracking {

namespace {

constexpr int kMaxIterations = 10;
constexpr int kBinCount = 20;
// The colour the template tracker paints the zones to ignore with: a flat place correlates with nothing.
constexpr TColor kFlatGrey = 0x808080;
// Below this mean deviation (the three channels' together) a place shows too little to say whether it
// changed.
constexpr double kLeastContrast = 12;

double Distance(TPointD a, TPointD b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace

double ChangeRatio(const TRgbImage& previous, const TRgbImage& current, const TMatriceI& mask, int left, int top)
{
    if (previous.width != current.width || previous.height != current.height)
        return -1;
    // Every channel counts: an orange ball on a grey wall may have the wall's very brightness.
    long long count = 0, difference = 0;
    long long sum[3] = { 0, 0, 0 };
    auto each = [&](auto&& visit) {
        for (int i = 0; i < mask.rows; ++i) {
            const int y = top + i;
            if (y < 0 || y >= current.height)
                continue;
            for (int j = 0; j < mask.cols; ++j) {
                const int x = left + j;
                if (mask(i, j) != 0 && x >= 0 && x < current.width)
                    visit(current.At(x, y), previous.At(x, y));
            }
        }
    };
    each([&](const std::uint8_t* now, const std::uint8_t* before) {
        for (int c = 0; c < 3; ++c) {
            sum[c] += now[c];
            difference += std::abs(now[c] - before[c]);
        }
        ++count;
    });
    if (count == 0)
        return -1;
    const double mean[3] = { static_cast<double>(sum[0]) / count, static_cast<double>(sum[1]) / count,
        static_cast<double>(sum[2]) / count };
    double deviation = 0;
    each([&](const std::uint8_t* now, const std::uint8_t*) {
        for (int c = 0; c < 3; ++c)
            deviation += std::fabs(now[c] - mean[c]);
    });
    deviation /= static_cast<double>(count);
    if (deviation < kLeastContrast)
        return -1;
    return static_cast<double>(difference) / count / deviation;
}

bool TFollower::Start(int method, TRgbImage& frame, int frameNumber, int vertexCount, const TPointDDynArray& outline,
    const std::vector<TMotionSample>& earlier, TPointD& start)
{
    m_method = method == tmTemplate ? tmTemplate : tmMeanShift;
    TOutlinePixels pixels;
    if (frame.IsEmpty() || !OutlineToPixels(frame.width, frame.height, vertexCount, outline, pixels))
        return false;
    m_mask = pixels.mask;
    m_reference = { pixels.centroid.x - pixels.rect.left, pixels.centroid.y - pixels.rect.top };
    m_size = std::max(pixels.rect.Width(), pixels.rect.Height());
    m_backgroundLikeness = 0;
    if (m_method == tmMeanShift) {
        TPoint startPixel;
        if (!m_meanShift.SetModel(frame, vertexCount, outline, startPixel))
            return false;
        m_meanShift.SetBinCount(kBinCount);
        m_meanShift.BuildModel();
        m_meanShift.MarkObjectCells(frame);
        PaintZones(frame, m_meanShift.IgnorePolygons(), m_meanShift.AbsentColor());
        start = m_meanShift.ModelCentroid();
        // The object's surroundings, one and a half sizes away all round: the likeness that means "not the
        // object" for this outline (the median, so that one neighbour of the object's colour does not
        // decide).
        std::vector<double> around;
        for (int k = 0; k < 8; ++k) {
            const double a = std::acos(-1.0) * k / 4;
            around.push_back(m_meanShift.Similarity(
                frame, { start.x + 1.5 * m_size * std::cos(a), start.y + 1.5 * m_size * std::sin(a) }));
        }
        std::sort(around.begin(), around.end());
        m_backgroundLikeness = 0.5 * (around[3] + around[4]);
    } else {
        PaintZones(frame, m_meanShift.IgnorePolygons(), kFlatGrey);
        if (!m_template.SetModel(frame, vertexCount, outline, start))
            return false;
    }
    m_course.Resume(earlier, frameNumber, start);
    m_firstStep = true;
    m_previous = frame;
    return true;
}

double TFollower::Threshold() const
{
    if (m_method == tmTemplate)
        return kTemplateLost;
    return std::min(0.95, m_backgroundLikeness + kColourLost * (1 - m_backgroundLikeness));
}

double TFollower::ChangeAt(const TRgbImage& frame, TPointD position) const
{
    const int left = static_cast<int>(std::lround(position.x - m_reference.x));
    const int top = static_cast<int>(std::lround(position.y - m_reference.y));
    return ChangeRatio(m_previous, frame, m_mask, left, top);
}

TFollowResult TFollower::Judge(const TCandidate& c, const TRgbImage& frame, TPointD predicted, bool checkJump) const
{
    TFollowResult r;
    r.position = c.position;
    r.similarity = c.similarity;
    const TPointD last = m_course.Last().position;
    r.jump = m_course.KnowsMotion() ? Distance(c.position, predicted) : 0;
    // An object keeps to its course within its own size, or half the step it was expected to make.
    const double allowed = std::max({ 8.0, 0.75 * m_size, 0.5 * Distance(predicted, last) });
    // Only a position that moved by half the object's size tells by the picture's change whether the object
    // arrived there.
    const double change = Distance(c.position, last) >= kStillMove * m_size ? ChangeAt(frame, c.position) : -1;
    const bool likeEnough = c.similarity >= Threshold();
    // A likeness lowered by the light or by a turn of the object: its course and the change it made where
    // it arrived vouch for it.
    const bool vouched = checkJump && c.similarity >= kWeakLikeness && r.jump <= 0.5 * allowed && change >= kArrived;
    if (!likeEnough && !vouched)
        r.reason = lrUnlike;
    else if (checkJump && r.jump > allowed)
        r.reason = lrJump;
    else if (change >= 0 && change < kStillRatio)
        r.reason = lrStill;
    else {
        r.found = true;
        r.weak = !likeEnough;
    }
    return r;
}

TFollower::TCandidate TFollower::MeanShiftFrom(TRgbImage& frame, TPointD from, int radius)
{
    const int kept = m_meanShift.SearchRadius();
    m_meanShift.SetSearchRadius(radius);
    TPoint p { static_cast<int>(std::lround(from.x)), static_cast<int>(std::lround(from.y)) };
    m_meanShift.Track(p, frame, kMaxIterations, p);
    m_meanShift.SetSearchRadius(kept);
    TCandidate c;
    c.position = m_meanShift.ObjectCentre(frame, m_meanShift.LastCentre());
    c.similarity = m_meanShift.Similarity(frame, c.position);
    return c;
}

std::vector<TFollower::TCandidate> TFollower::Candidates(TRgbImage& frame, TPointD predicted, int radius, bool wide)
{
    std::vector<TCandidate> out;
    if (m_method == tmTemplate) {
        for (const TTemplateCandidate& t : m_template.Search(frame, predicted, radius, wide ? 8 : 4))
            out.push_back({ t.position, t.score });
        return out;
    }
    if (!wide) {
        out.push_back(MeanShiftFrom(frame, predicted, radius));
        return out;
    }
    // Mean shifts started all over the wide area, one window apart, nearest to the prediction first.
    const int userRadius = std::max(radius / 2, kNarrowRadius);
    const int step = std::max(userRadius, radius / 4);
    const int reach = (radius + step - 1) / step;
    for (int i = -reach; i <= reach; ++i)
        for (int j = -reach; j <= reach; ++j) {
            const TCandidate c = MeanShiftFrom(frame, { predicted.x + j * step, predicted.y + i * step }, userRadius);
            bool known = false;
            for (const TCandidate& o : out)
                known = known || Distance(o.position, c.position) < 1;
            if (!known)
                out.push_back(c);
        }
    std::sort(out.begin(), out.end(), [predicted](const TCandidate& a, const TCandidate& b) {
        return Distance(a.position, predicted) < Distance(b.position, predicted);
    });
    return out;
}

void TFollower::Accept(const TRgbImage& frame, int frameNumber, const TFollowResult& result)
{
    m_course.Add(frameNumber, result.position);
    if (m_method == tmMeanShift) {
        // A position the course vouched for shows how the object looks now: the model catches up quickly.
        const double renew = m_backgroundLikeness + kColourRenew * (1 - m_backgroundLikeness);
        if (result.weak)
            m_meanShift.RenewModel(frame, result.position, kColourCatchUpPart);
        else if (result.similarity >= renew)
            m_meanShift.RenewModel(frame, result.position, kColourRenewPart);
    } else if (result.similarity >= kTemplateRenew) {
        m_template.Refresh(frame, result.position, kTemplateRenewPart);
    }
    m_previous = frame;
    m_firstStep = false;
}

TFollowResult TFollower::Follow(TRgbImage& frame, int frameNumber, int radius)
{
    if (m_method == tmTemplate)
        PaintZones(frame, m_meanShift.IgnorePolygons(), kFlatGrey);
    else
        PaintZones(frame, m_meanShift.IgnorePolygons(), m_meanShift.AbsentColor());
    const TPointD predicted = m_course.Predict(frameNumber);
    TFollowResult first;
    bool judged = false;
    auto consider = [&](const std::vector<TCandidate>& candidates, bool checkJump) {
        for (const TCandidate& c : candidates) {
            const TFollowResult r = Judge(c, frame, predicted, checkJump);
            if (r.found) {
                Accept(frame, frameNumber, r);
                return r;
            }
            if (!judged) {
                first = r;
                judged = true;
            }
        }
        return TFollowResult();
    };
    if (m_course.KnowsMotion()) {
        TFollowResult r = consider(Candidates(frame, predicted, radius, false), true);
        if (r.found)
            return r;
        // Closer to the prediction: a wide window may hold something of the object's colours that pulled
        // the mean shift away.
        if (m_method == tmMeanShift) {
            r = consider({ MeanShiftFrom(frame, predicted, kNarrowRadius) }, true);
            if (r.found)
                return r;
        }
    }
    if (m_firstStep || !m_course.KnowsMotion()) {
        const TFollowResult r = consider(Candidates(frame, predicted, std::max(kWideRadius, 2 * radius), true), false);
        if (r.found)
            return r;
    }
    first.found = false;
    if (first.reason == lrNone)
        first.reason = lrUnlike;
    return first;
}

} // namespace kinoval::tracking
