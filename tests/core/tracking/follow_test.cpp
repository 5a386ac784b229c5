// The pieces the driver follows an object with: the course that predicts the next position, the template
// tracker's correlation and its peak below the pixel, the still-place test, and the mean shift's object
// centre and likeness.
#include "core/tracking/colour_space.h"
#include "core/tracking/follower.h"
#include "core/tracking/mean_shift.h"
#include "core/tracking/motion_model.h"
#include "core/tracking/template_match.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace kinoval::tracking {
namespace {

double Hash(int x, int y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

// A wall of coarse texture with a smooth bright blob (a Gaussian of 4 pixels) centred at (cx, cy): its
// centre is known below the pixel.
TRgbImage BlobOnWall(int w, int h, double cx, double cy, double gain = 1, double offset = 0)
{
    TRgbImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double wall = 60 + 70 * Hash(x / 5, y / 5);
            const double blob = 150 * std::exp(-((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (2 * 4.0 * 4.0));
            std::uint8_t* p = image.At(x, y);
            const double v = (wall + blob) * gain + offset;
            p[0] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
            p[1] = static_cast<std::uint8_t>(std::clamp(v * 0.8, 0.0, 255.0));
            p[2] = static_cast<std::uint8_t>(std::clamp(v * 0.6, 0.0, 255.0));
        }
    return image;
}

// A smooth pattern (waves and a bright blob at (100, 120)) moved as a whole by (dx, dy): the true shift
// is exact below the pixel.
TRgbImage Moved(int w, int h, double dx, double dy)
{
    TRgbImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double u = x - dx, v = y - dy;
            const double wall
                = 100 + 30 * std::sin(0.21 * u + 0.3) * std::cos(0.17 * v) + 18 * std::sin(0.11 * u + 0.07 * v);
            const double blob = 110 * std::exp(-((u - 100) * (u - 100) + (v - 120) * (v - 120)) / 32.0);
            std::uint8_t* p = image.At(x, y);
            p[0] = static_cast<std::uint8_t>(std::clamp(std::lround(wall + blob), 0L, 255L));
            p[1] = static_cast<std::uint8_t>(std::clamp(std::lround(0.7 * wall + blob), 0L, 255L));
            p[2] = static_cast<std::uint8_t>(std::clamp(std::lround(0.5 * wall + 0.5 * blob), 0L, 255L));
        }
    return image;
}

TPointDDynArray Circle(const TRgbImage& frame, double cx, double cy, double r)
{
    TPointDDynArray out;
    for (int k = 0; k < 24; ++k) {
        const double a = 2 * std::acos(-1.0) * k / 24;
        out.push_back({ (cx + r * std::cos(a)) / frame.width, (cy + r * std::sin(a)) / frame.height });
    }
    return out;
}

// ------------------------------------------------------------------------------------------ course

TEST(TrackingCourse, VelocityAfterTwoPositionsAccelerationAfterThree)
{
    TMotionModel course;
    EXPECT_EQ(course.Predict(3).x, 0);
    course.Add(10, { 100, 50 });
    EXPECT_FALSE(course.KnowsMotion());
    EXPECT_DOUBLE_EQ(course.Predict(11).x, 100);
    course.Add(11, { 170, 48 });
    EXPECT_TRUE(course.KnowsMotion());
    EXPECT_NEAR(course.Predict(12).x, 240, 1e-9);
    EXPECT_NEAR(course.Predict(12).y, 46, 1e-9);
    // A thrown ball: y = 50 - 2 t + 1.5 t^2 on frames 10, 11, 13 (12 was not decoded), x uniform.
    TMotionModel ball;
    auto y = [](double t) { return 50 - 2 * (t - 10) + 1.5 * (t - 10) * (t - 10); };
    for (int f : { 10, 11, 13 })
        ball.Add(f, { 100 + 70.0 * (f - 10), y(f) });
    EXPECT_NEAR(ball.Predict(14).x, 380, 1e-9);
    EXPECT_NEAR(ball.Predict(14).y, y(14), 1e-9);
    // An earlier or repeated frame is ignored.
    ball.Add(13, { 0, 0 });
    ball.Add(2, { 0, 0 });
    EXPECT_EQ(ball.Count(), 3);
}

TEST(TrackingCourse, AnOldCourseIsForgottenAfterFivePositions)
{
    TMotionModel course;
    // Falling, then bouncing back up: five positions after the bounce, the prediction is the new course.
    for (int f = 0; f < 6; ++f)
        course.Add(f, { 0, 10.0 * f * f });
    for (int f = 6; f < 11; ++f)
        course.Add(f, { 0, 500 - 40.0 * (f - 6) });
    EXPECT_EQ(course.Count(), TMotionModel::kKept);
    EXPECT_NEAR(course.Predict(11).y, 300, 1e-6);
    // Least squares over five noisy positions of a straight course: the error stays near the noise's.
    std::mt19937 rng(3);
    std::normal_distribution<double> noise(0, 0.5);
    double worst = 0;
    for (int trial = 0; trial < 200; ++trial) {
        TMotionModel c;
        for (int f = 0; f < 5; ++f)
            c.Add(f, { 20.0 * f + noise(rng), 5.0 * f + noise(rng) });
        worst = std::max(worst, std::fabs(c.Predict(5).x - 100));
    }
    EXPECT_LT(worst, 5.0);
}

TEST(TrackingCourse, AResumedRunTakesUpTheEarlierCourseThroughTheNewStart)
{
    // Tracked on frames 2..5 at 30 pixels a frame; the new outline on frame 8 is drawn 3 pixels off the
    // course: the velocity stays 30 pixels a frame, the position is the new start's.
    std::vector<TMotionSample> earlier;
    for (int f = 2; f <= 5; ++f)
        earlier.push_back({ f, { 30.0 * f, 100 } });
    TMotionModel course;
    course.Resume(earlier, 8, { 243, 100 });
    EXPECT_TRUE(course.KnowsMotion());
    EXPECT_EQ(course.Last().frame, 8);
    EXPECT_NEAR(course.Predict(9).x, 273, 1e-9);
    // Positions on or after the new start are no course before it; none at all gives no motion.
    course.Resume({ { 8, { 0, 0 } }, { 9, { 5, 5 } } }, 8, { 243, 100 });
    EXPECT_FALSE(course.KnowsMotion());
    EXPECT_DOUBLE_EQ(course.Predict(9).x, 243);
}

// ---------------------------------------------------------------------------------------- template

// The correlation as its definition says, for one position: each channel less its mean over the mask,
// the sums over the three channels.
double ReferenceCorrelation(const TRgbImage& frame, const TRgbImage& model, const TMatriceI& mask, int modelLeft,
    int modelTop, int left, int top)
{
    double n = 0, mt[3] = { 0, 0, 0 }, mf[3] = { 0, 0, 0 };
    for (int i = 0; i < mask.rows; ++i)
        for (int j = 0; j < mask.cols; ++j)
            if (mask(i, j)) {
                ++n;
                for (int c = 0; c < 3; ++c) {
                    mt[c] += model.At(modelLeft + j, modelTop + i)[c];
                    mf[c] += frame.At(left + j, top + i)[c];
                }
            }
    double num = 0, vt = 0, vf = 0;
    for (int i = 0; i < mask.rows; ++i)
        for (int j = 0; j < mask.cols; ++j)
            if (mask(i, j))
                for (int c = 0; c < 3; ++c) {
                    const double a = model.At(modelLeft + j, modelTop + i)[c] - mt[c] / n;
                    const double b = frame.At(left + j, top + i)[c] - mf[c] / n;
                    num += a * b;
                    vt += a * a;
                    vf += b * b;
                }
    return num / std::sqrt(vt * vf);
}

TEST(TrackingTemplate, CorrelationIsTheMaskedNormalisedOneAndIgnoresGainAndOffset)
{
    const TRgbImage model = BlobOnWall(200, 150, 80.3, 60.7);
    TTemplateMatch t;
    TPointD start;
    ASSERT_TRUE(t.SetModel(model, 24, Circle(model, 80, 60, 12), start));
    // The reference point is the centroid of the outline's pixels.
    EXPECT_NEAR(start.x, 80, 0.5);
    EXPECT_NEAR(start.y, 60, 0.5);
    const int left = static_cast<int>(std::lround(start.x - t.Reference().x));
    const int top = static_cast<int>(std::lround(start.y - t.Reference().y));
    EXPECT_NEAR(t.ScoreAt(model, left, top), 1, 1e-6);

    const TRgbImage other = BlobOnWall(200, 150, 100.6, 70.2, 0.6, 20);
    for (auto [x, y] : { std::pair { 90, 55 }, { 100, 60 }, { 20, 30 } })
        EXPECT_NEAR(t.ScoreAt(other, x, y), ReferenceCorrelation(other, model, t.Mask(), left, top, x, y), 1e-4);
    // Leaving the frame scores nothing.
    EXPECT_EQ(t.ScoreAt(other, 190, 10), -1);
    EXPECT_EQ(t.ScoreAt(other, -1, 10), -1);

    // Less light and a grey veil: the same place, the same score.
    const TRgbImage dim = BlobOnWall(200, 150, 80.3, 60.7, 0.5, 30);
    const auto found = t.Search(dim, start, 20, 3);
    ASSERT_FALSE(found.empty());
    EXPECT_GT(found[0].score, 0.99);
    EXPECT_NEAR(found[0].position.x, start.x, 0.1);
    EXPECT_NEAR(found[0].position.y, start.y, 0.1);
}

TEST(TrackingTemplate, ThePeakIsFoundBelowThePixelAtEverySize)
{
    for (double radius : { 7.0, 14.0, 28.0 }) {
        const TRgbImage model = Moved(320, 240, 0, 0);
        TTemplateMatch t;
        TPointD start;
        ASSERT_TRUE(t.SetModel(model, 24, Circle(model, 100, 120, radius), start));
        SCOPED_TRACE(radius);
        if (radius >= 28) {
            EXPECT_GE(t.Levels(), 2); // searched coarse to fine
        }
        for (auto [dx, dy] : { std::pair { 37.3, -11.6 }, { -20.5, 24.25 }, { 3.8, 0.1 } }) {
            const TRgbImage moved = Moved(320, 240, dx, dy);
            const auto found = t.Search(moved, start, 40, 4);
            ASSERT_FALSE(found.empty());
            // The correlation over a window of uneven content is not quite symmetric about its top: a
            // fifth of a pixel at most for the smallest outline.
            EXPECT_NEAR(found[0].position.x, start.x + dx, 0.25);
            EXPECT_NEAR(found[0].position.y, start.y + dy, 0.25);
            EXPECT_GT(found[0].score, 0.95);
            // Best first.
            for (std::size_t k = 1; k < found.size(); ++k)
                EXPECT_LE(found[k].score, found[k - 1].score);
        }
        // Out of reach: the pattern moved by 60 pixels and the radius is 20.
        const auto near = t.Search(Moved(320, 240, 60, 0), start, 20, 4);
        ASSERT_FALSE(near.empty());
        EXPECT_GT(std::fabs(near[0].position.x - start.x - 60), 30);
    }
}

TEST(TrackingTemplate, TheCoarseSearchFindsTheBestPlaceTheFullOneWould)
{
    // Two blobs, the one like the model and a fainter one: the coarse-to-fine search ends where scoring
    // every full-size position does.
    TRgbImage model = BlobOnWall(300, 200, 150, 100);
    TTemplateMatch t;
    TPointD start;
    ASSERT_TRUE(t.SetModel(model, 24, Circle(model, 150, 100, 20), start));
    ASSERT_GE(t.Levels(), 2);
    TRgbImage frame = BlobOnWall(300, 200, 170, 90);
    const TRgbImage faint = BlobOnWall(300, 200, 120, 115, 0.8, 15);
    for (int y = 95; y < 135; ++y)
        for (int x = 100; x < 140; ++x)
            std::copy_n(faint.At(x, y), 3, frame.At(x, y));
    const auto found = t.Search(frame, start, 45, 4);
    ASSERT_FALSE(found.empty());
    double best = -2;
    int bestX = 0, bestY = 0;
    const int bx = static_cast<int>(std::lround(start.x - t.Reference().x));
    const int by = static_cast<int>(std::lround(start.y - t.Reference().y));
    for (int y = by - 45; y <= by + 45; ++y)
        for (int x = bx - 45; x <= bx + 45; ++x) {
            const double s = t.ScoreAt(frame, x, y);
            if (s > best) {
                best = s;
                bestX = x;
                bestY = y;
            }
        }
    EXPECT_NEAR(found[0].position.x, bestX + t.Reference().x, 0.5);
    EXPECT_NEAR(found[0].position.y, bestY + t.Reference().y, 0.5);
    EXPECT_NEAR(found[0].score, best, 1e-4);
}

TEST(TrackingTemplate, AFlatPlaceMatchesNothingAndTheTemplateFollowsGoodMatches)
{
    TRgbImage model = BlobOnWall(120, 100, 60, 50);
    TTemplateMatch t;
    TPointD start;
    ASSERT_TRUE(t.SetModel(model, 24, Circle(model, 60, 50, 10), start));
    TRgbImage flat(120, 100);
    std::fill(flat.pixels.begin(), flat.pixels.end(), 128);
    EXPECT_EQ(t.ScoreAt(flat, 40, 30), 0);
    // A frame smaller than the template leaves nothing to search.
    EXPECT_TRUE(t.Search(TRgbImage(10, 10), start, 40, 4).empty());
    EXPECT_FALSE(t.SetModel(model, 2, { { 0.1, 0.1 }, { 0.1, 0.1 } }, start));

    // A blob that widened: refreshing from it raises the score where it now is.
    ASSERT_TRUE(t.SetModel(model, 24, Circle(model, 60, 50, 10), start));
    TRgbImage wide(120, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x) {
            const double v = 70 + 40 * Hash(x / 5, y / 5)
                + 150 * std::exp(-((x - 60.0) * (x - 60.0) + (y - 50.0) * (y - 50.0)) / 50.0);
            std::uint8_t* p = wide.At(x, y);
            p[0] = static_cast<std::uint8_t>(std::min(v, 255.0)),
            p[1] = static_cast<std::uint8_t>(std::min(v * 0.8, 255.0)),
            p[2] = static_cast<std::uint8_t>(std::min(v * 0.6, 255.0));
        }
    const int left = static_cast<int>(std::lround(start.x - t.Reference().x));
    const int top = static_cast<int>(std::lround(start.y - t.Reference().y));
    const double before = t.ScoreAt(wide, left, top);
    for (int k = 0; k < 5; ++k)
        t.Refresh(wide, start, 0.25);
    EXPECT_GT(t.ScoreAt(wide, left, top), before);
}

// ------------------------------------------------------------------------------------- still places

TEST(TrackingStill, APlaceThatDidNotChangeIsStillWhateverItsContrast)
{
    TRgbImage before = BlobOnWall(120, 100, 40, 50), after = BlobOnWall(120, 100, 80, 50);
    TMatriceI mask(21, 21, 1);
    // Camera noise of a few levels on the second frame.
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> noise(-3, 3);
    for (auto& v : after.pixels)
        v = static_cast<std::uint8_t>(std::clamp(v + noise(rng), 0, 255));
    // Where the blob left, and where it arrived: a change as large as what there is to see.
    EXPECT_GT(ChangeRatio(before, after, mask, 30, 40), 0.5);
    EXPECT_GT(ChangeRatio(before, after, mask, 70, 40), 0.5);
    // The wall between them: only the noise.
    const double wall = ChangeRatio(before, after, mask, 50, 5);
    EXPECT_GE(wall, 0);
    EXPECT_LT(wall, TFollower::kStillRatio);
    // A plain place cannot tell; a mask off the frame neither; frames of other sizes neither.
    TRgbImage plain(120, 100);
    EXPECT_EQ(ChangeRatio(plain, plain, mask, 10, 10), -1);
    EXPECT_EQ(ChangeRatio(before, after, mask, 500, 500), -1);
    EXPECT_EQ(ChangeRatio(before, TRgbImage(60, 50), mask, 10, 10), -1);
}

// ------------------------------------------------------------------------------------ mean shift

// A blue wheel of radius 20 with a dark spoke turned by angle, on a light wall, centred at (cx, cy).
TRgbImage Wheel(double cx, double cy, double angle)
{
    TRgbImage image(200, 160);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 200; ++x) {
            std::uint8_t* p = image.At(x, y);
            const double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy <= 400) {
                const bool spoke = std::fabs(dx * std::sin(angle) - dy * std::cos(angle)) < 3
                    && dx * std::cos(angle) + dy * std::sin(angle) > 0;
                p[0] = spoke ? 20 : 45, p[1] = spoke ? 40 : 95, p[2] = spoke ? 120 : 205;
            } else {
                const double k = 0.9 + 0.2 * Hash(x / 4, y / 4);
                p[0] = static_cast<std::uint8_t>(200 * k), p[1] = static_cast<std::uint8_t>(190 * k),
                p[2] = static_cast<std::uint8_t>(175 * k);
            }
        }
    return image;
}

TEST(TrackingObjectCentre, EveryPixelOfTheObjectCountsOnceWhereverItsSpokePoints)
{
    SetBinCount(20);
    const TRgbImage first = Wheel(70, 80, 0);
    TMeanShift ms;
    TPoint start;
    ASSERT_TRUE(ms.SetModel(first, 24, Circle(first, 70, 80, 26), start));
    ms.SetSearchRadius(40);
    ms.BuildModel();
    ms.MarkObjectCells(first);
    EXPECT_NEAR(ms.Similarity(first, ms.ModelCentroid()), 1, 1e-9);
    // The wall beside the wheel has none of its colours.
    EXPECT_LT(ms.Similarity(first, { ms.ModelCentroid().x + 60, ms.ModelCentroid().y }), 0.1);
    for (double angle : { 0.8, 1.9, 3.0, 4.4, 5.6 }) {
        TRgbImage next = Wheel(101.4, 74.7, angle);
        TPoint p { static_cast<int>(start.x + 30), start.y - 5 };
        ms.Track(p, next, 10, p);
        const TPointD c = ms.ObjectCentre(next, ms.LastCentre());
        // The outline's centroid moved with the wheel: 31.4 and -5.3 pixels.
        EXPECT_NEAR(c.x, ms.ModelCentroid().x + 31.4, 0.3) << angle;
        EXPECT_NEAR(c.y, ms.ModelCentroid().y - 5.3, 0.3) << angle;
        EXPECT_GT(ms.Similarity(next, c), 0.8) << angle;
    }
    // Too little of the object under the outline: the position given stays.
    const TPointD away { 20, 20 };
    const TPointD same = ms.ObjectCentre(first, away);
    EXPECT_EQ(same.x, away.x);
    EXPECT_EQ(same.y, away.y);
}

TEST(TrackingObjectCentre, TheRenewedModelFollowsTheLightAndKeepsItsAbsentColourAbsent)
{
    SetBinCount(20);
    const TRgbImage first = Wheel(70, 80, 0);
    TMeanShift ms;
    TPoint start;
    ASSERT_TRUE(ms.SetModel(first, 24, Circle(first, 70, 80, 26), start));
    ms.BuildModel();
    ms.MarkObjectCells(first);
    // Half the light: the wheel's colours change cells.
    TRgbImage dim = first;
    for (auto& v : dim.pixels)
        v = static_cast<std::uint8_t>(v / 2);
    const double before = ms.Similarity(dim, ms.ModelCentroid());
    for (int k = 0; k < 4; ++k)
        ms.RenewModel(dim, ms.ModelCentroid(), 0.5);
    EXPECT_GT(ms.Similarity(dim, ms.ModelCentroid()), before);
    EXPECT_GT(ms.Similarity(dim, ms.ModelCentroid()), 0.9);
    const TColor absent = ms.AbsentColor();
    const int cell = BinOf(RgbToLuv(RedOf(absent), GreenOf(absent), BlueOf(absent)));
    EXPECT_EQ(ms.ModelHistogram().data[static_cast<std::size_t>(cell)], 0);
}

} // namespace
} // namespace kinoval::tracking
