// Milliseconds per frame of the two trackers, on a 640 x 480 and a 1920 x 1080 frame at search radii of
// 40 and 100 pixels: the mean shift alone and with what a run adds to each frame (the object's centre,
// the likeness, the still test, the model's renewal), the template's coarse-to-fine correlation alone and
// with the same additions. Beside them, built only when OpenCV is present, OpenCV doing the same work on
// the same window: an L*u*v* back-projection with cv::meanShift, and cv::matchTemplate (TM_CCOEFF_NORMED,
// the three channels, with the outline's mask and without) followed by the search for its peak.
#include "core/tracking/follower.h"
#include "core/tracking/mean_shift.h"
#include "core/tracking/template_match.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#ifdef KINOVAL_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/video/tracking.hpp>
#endif

namespace {

using namespace kinoval;

// A textured wall with a shaded orange ball of radius 12 (the projectile sample's look) centred at (cx, cy).
TRgbImage Scene(int w, int h, int cx, int cy)
{
    TRgbImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t n = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
            n = (n ^ (n >> 13)) * 1274126177u;
            const double k = 0.85 + 0.2 * ((n >> 16) & 0xFF) / 255.0;
            const double d = std::hypot(x - cx, y - cy);
            auto* p = image.At(x, y);
            if (d <= 12) {
                const double s = 1 - 0.25 * d / 12;
                p[0] = static_cast<std::uint8_t>(235 * s), p[1] = static_cast<std::uint8_t>(85 * s),
                p[2] = static_cast<std::uint8_t>(30 * s);
            } else {
                p[0] = static_cast<std::uint8_t>(188 * k), p[1] = static_cast<std::uint8_t>(196 * k),
                p[2] = static_cast<std::uint8_t>(204 * k);
            }
        }
    return image;
}

tracking::TPointDDynArray Circle(int w, int h, int cx, int cy, int r)
{
    tracking::TPointDDynArray out;
    for (int k = 0; k < 24; ++k) {
        const double a = 2 * std::acos(-1.0) * k / 24;
        out.push_back({ (cx + r * std::cos(a)) / w, (cy + r * std::sin(a)) / h });
    }
    return out;
}

// The ball alternates between two places 20 pixels apart; each Track starts from the last result.
void BM_MeanShiftTrack(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int radius = static_cast<int>(state.range(2));
    const int cx = w / 2, cy = h / 2;
    TRgbImage a = Scene(w, h, cx, cy), b = Scene(w, h, cx + 16, cy - 12);
    tracking::TMeanShift ms;
    TPoint start;
    ms.SetModel(a, 24, Circle(w, h, cx, cy, 16), start);
    ms.SetSearchRadius(radius);
    ms.SetBinCount(20);
    ms.BuildModel();
    TPoint p = start;
    bool odd = false;
    for (auto _ : state) {
        ms.Track(p, odd ? a : b, 10, p);
        odd = !odd;
        benchmark::DoNotOptimize(p);
    }
    state.counters["side"] = ms.WindowSide();
    state.counters["x"] = p.x;
}
// The four sizes and radii of every benchmark below.
void Sizes(benchmark::internal::Benchmark* b)
{
    b->Args({ 640, 480, 40 })->Args({ 640, 480, 100 })->Args({ 1920, 1080, 40 })->Args({ 1920, 1080, 100 });
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_MeanShiftTrack)->Apply(Sizes);

// A frame of a run with the colours: the mean shift, the object's centre below the pixel, its likeness,
// the still test against the previous frame and the model's renewal.
void BM_MeanShiftFrame(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int radius = static_cast<int>(state.range(2));
    const int cx = w / 2, cy = h / 2;
    TRgbImage a = Scene(w, h, cx, cy), b = Scene(w, h, cx + 16, cy - 12);
    tracking::TMeanShift ms;
    TPoint start;
    ms.SetModel(a, 24, Circle(w, h, cx, cy, 16), start);
    ms.SetSearchRadius(radius);
    ms.SetBinCount(20);
    ms.BuildModel();
    ms.MarkObjectCells(a);
    tracking::TMatriceI mask(33, 33, 1);
    TPoint p = start;
    bool odd = false;
    double likeness = 0;
    for (auto _ : state) {
        TRgbImage& frame = odd ? a : b;
        ms.Track(p, frame, 10, p);
        const TPointD c = ms.ObjectCentre(frame, ms.LastCentre());
        likeness = ms.Similarity(frame, c);
        benchmark::DoNotOptimize(tracking::ChangeRatio(odd ? b : a, frame, mask, p.x - 16, p.y - 16));
        ms.RenewModel(frame, c, 0.15);
        odd = !odd;
    }
    state.counters["likeness"] = likeness;
}
BENCHMARK(BM_MeanShiftFrame)->Apply(Sizes);

// The template's search alone: every position within the radius, coarse to fine, the best four peaks
// refined below the pixel.
void BM_TemplateSearch(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int radius = static_cast<int>(state.range(2));
    const int cx = w / 2, cy = h / 2;
    TRgbImage a = Scene(w, h, cx, cy), b = Scene(w, h, cx + 16, cy - 12);
    tracking::TTemplateMatch t;
    TPointD start;
    t.SetModel(a, 24, Circle(w, h, cx, cy, 16), start);
    TPointD p = start;
    bool odd = false;
    double score = 0;
    for (auto _ : state) {
        const auto found = t.Search(odd ? a : b, p, radius, 4);
        if (!found.empty()) {
            p = found[0].position;
            score = found[0].score;
        }
        odd = !odd;
    }
    state.counters["score"] = score;
    state.counters["levels"] = t.Levels();
    state.counters["side"] = t.Width();
}
BENCHMARK(BM_TemplateSearch)->Apply(Sizes);

// A frame of a run with the template: the search, the still test and the template's refresh.
void BM_TemplateFrame(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int radius = static_cast<int>(state.range(2));
    const int cx = w / 2, cy = h / 2;
    TRgbImage a = Scene(w, h, cx, cy), b = Scene(w, h, cx + 16, cy - 12);
    tracking::TTemplateMatch t;
    TPointD start;
    t.SetModel(a, 24, Circle(w, h, cx, cy, 16), start);
    TPointD p = start;
    bool odd = false;
    for (auto _ : state) {
        TRgbImage& frame = odd ? a : b;
        const auto found = t.Search(frame, p, radius, 4);
        if (!found.empty())
            p = found[0].position;
        benchmark::DoNotOptimize(tracking::ChangeRatio(odd ? b : a, frame, t.Mask(),
            static_cast<int>(p.x - t.Reference().x), static_cast<int>(p.y - t.Reference().y)));
        t.Refresh(frame, p, 0.25);
        odd = !odd;
    }
}
BENCHMARK(BM_TemplateFrame)->Apply(Sizes);

#ifdef KINOVAL_HAVE_OPENCV
cv::Mat AsMat(TRgbImage& image)
{
    return cv::Mat(image.height, image.width, CV_8UC3, image.pixels.data());
}

void BM_OpenCvMeanShift(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int radius = static_cast<int>(state.range(2));
    const int cx = w / 2, cy = h / 2;
    TRgbImage a = Scene(w, h, cx, cy), b = Scene(w, h, cx + 16, cy - 12);
    cv::Mat frameA = AsMat(a), frameB = AsMat(b);
    // The model: the ball's bounding box and the disc inside it, 20 cells per L*u*v* channel.
    const cv::Rect model(cx - 16, cy - 16, 33, 33);
    cv::Mat modelLuv, mask = cv::Mat::zeros(model.size(), CV_8U);
    // The ball alone: without the background correction of our tracker, the wall around the ball would
    // hold the window in place.
    cv::circle(mask, { 16, 16 }, 11, cv::Scalar(255), cv::FILLED);
    cv::cvtColor(frameA(model), modelLuv, cv::COLOR_RGB2Luv);
    const int channels[] = { 0, 1, 2 };
    const int sizes[] = { 20, 20, 20 };
    const float range[] = { 0, 256 };
    const float* ranges[] = { range, range, range };
    cv::Mat hist;
    cv::calcHist(&modelLuv, 1, channels, mask, hist, 3, sizes, ranges);
    cv::normalize(hist, hist, 0, 255, cv::NORM_MINMAX);
    // The same search window as the tracker's: side max(1.2 x model, 2 x radius + 1), made odd.
    int side = std::max(static_cast<int>(1.2 * 33), 2 * radius + 1);
    side += side % 2 == 0 ? 1 : 0;
    cv::Rect track = model;
    cv::Mat windowLuv, back;
    bool odd = false;
    for (auto _ : state) {
        cv::Mat& frame = odd ? frameA : frameB;
        odd = !odd;
        const int mx = track.x + track.width / 2, my = track.y + track.height / 2;
        const cv::Rect window = cv::Rect(mx - side / 2, my - side / 2, side, side) & cv::Rect(0, 0, w, h);
        cv::cvtColor(frame(window), windowLuv, cv::COLOR_RGB2Luv);
        cv::calcBackProject(&windowLuv, 1, channels, hist, back, ranges);
        cv::Rect local = track - window.tl();
        cv::meanShift(back, local, cv::TermCriteria(cv::TermCriteria::COUNT | cv::TermCriteria::EPS, 10, 1));
        track = local + window.tl();
        benchmark::DoNotOptimize(track);
    }
    state.counters["side"] = side;
    state.counters["x"] = track.x + track.width / 2;
}
BENCHMARK(BM_OpenCvMeanShift)->Apply(Sizes);

// cv::matchTemplate over the same window as TTemplateMatch::Search (every top-left corner within the
// radius), the three channels, then cv::minMaxLoc for the peak. range(3): 1 with the outline's mask.
void BM_OpenCvMatchTemplate(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int radius = static_cast<int>(state.range(2));
    const bool masked = state.range(3) != 0;
    const int cx = w / 2, cy = h / 2;
    TRgbImage a = Scene(w, h, cx, cy), b = Scene(w, h, cx + 16, cy - 12);
    cv::Mat frameA = AsMat(a), frameB = AsMat(b);
    const cv::Rect model(cx - 16, cy - 16, 33, 33);
    const cv::Mat templ = frameA(model).clone();
    cv::Mat mask = cv::Mat::zeros(model.size(), CV_8UC3);
    cv::circle(mask, { 16, 16 }, 16, cv::Scalar(255, 255, 255), cv::FILLED);
    cv::Point topLeft = model.tl();
    cv::Mat result;
    bool odd = false;
    double best = 0;
    for (auto _ : state) {
        cv::Mat& frame = odd ? frameA : frameB;
        odd = !odd;
        const cv::Rect window
            = cv::Rect(topLeft.x - radius, topLeft.y - radius, 2 * radius + 33, 2 * radius + 33) & cv::Rect(0, 0, w, h);
        if (masked)
            cv::matchTemplate(frame(window), templ, result, cv::TM_CCOEFF_NORMED, mask);
        else
            cv::matchTemplate(frame(window), templ, result, cv::TM_CCOEFF_NORMED);
        cv::Point at;
        cv::minMaxLoc(result, nullptr, &best, nullptr, &at);
        topLeft = at + window.tl();
        benchmark::DoNotOptimize(topLeft);
    }
    state.counters["score"] = best;
}
BENCHMARK(BM_OpenCvMatchTemplate)
    ->ArgsProduct({ { 640 }, { 480 }, { 40, 100 }, { 0, 1 } })
    ->ArgsProduct({ { 1920 }, { 1080 }, { 40, 100 }, { 0, 1 } })
    ->Unit(benchmark::kMillisecond);
#endif

} // namespace
