// Milliseconds per frame of the mean-shift tracker, on a 640 x 480 and a 1920 x 1080 frame, beside an
// OpenCV pipeline doing the same work on the same window (L*u*v* conversion, back-projection of a 20^3
// cell histogram, cv::meanShift), built only when OpenCV is present.
#include "core/tracking/mean_shift.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#ifdef KINOVAL_HAVE_OPENCV
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
        ms.Track(p, odd ? a : b, 10, 0, p);
        odd = !odd;
        benchmark::DoNotOptimize(p);
    }
    state.counters["side"] = ms.WindowSide();
    state.counters["x"] = p.x;
}
BENCHMARK(BM_MeanShiftTrack)
    ->Args({ 640, 480, 100 })
    ->Args({ 640, 480, 40 })
    ->Args({ 1920, 1080, 100 })
    ->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_OpenCvMeanShift)
    ->Args({ 640, 480, 100 })
    ->Args({ 640, 480, 40 })
    ->Args({ 1920, 1080, 100 })
    ->Unit(benchmark::kMillisecond);
#endif

} // namespace
