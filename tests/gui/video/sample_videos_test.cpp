// The embedded sample videos: they open with our AVI reader, and the ground truth beside each one says
// where the object really is in the picture and follows the physics it claims.
#include "core/video/player_choice.h"
#include "gui/video/sample_videos.h"
#include "media/player_factory.h"
#include "support/sample_truth.h"
#include "support/temp_dir.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kinoval::gui {
namespace {

using TTruth = test::TSampleTruth;

// The centre of the pixels that pass the test, in the truth's coordinates (pixel i covers [i, i+1)).
bool Centroid(const TRgbImage& image, bool (*isObject)(const std::uint8_t*), double& cx, double& cy)
{
    double sx = 0, sy = 0;
    long n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (isObject(image.At(x, y))) {
                sx += x + 0.5;
                sy += y + 0.5;
                ++n;
            }
    if (n < 20)
        return false;
    cx = sx / n;
    cy = sy / n;
    return true;
}

bool IsBall(const std::uint8_t* p)
{
    return p[0] > 140 && p[0] > p[1] + 70 && p[0] > p[2] + 100;
}
bool IsCylinder(const std::uint8_t* p)
{
    return p[2] > p[0] + 60 && p[2] > 90;
}

class SampleVideos : public ::testing::TestWithParam<const char*> { };

TEST_P(SampleVideos, TheObjectIsWhereTheGroundTruthSays)
{
    const std::string name = GetParam();
    test::TTempDir dir;
    QStringList written = WriteSampleVideos(QString::fromStdString(dir.Path().string()));
    ASSERT_EQ(written.size(), 2);
    const std::string video = dir.File(name + ".avi");
    TTruth truth = test::ReadSampleTruth(dir.File(name + ".txt"));
    ASSERT_FALSE(truth.rows.empty());
    EXPECT_EQ(truth.values["frames"], static_cast<double>(truth.rows.size()));

    media::TMediaPlayerFactory factory;
    video::TPlayerChain chain(factory);
    ASSERT_TRUE(chain.Open(video));
    EXPECT_EQ(chain.Backend(), video::bkAvi);
    auto& player = *chain.Current();
    EXPECT_EQ(player.Width(), 640);
    EXPECT_EQ(player.Height(), 480);
    EXPECT_DOUBLE_EQ(player.FramesPerSecond(), 25);
    ASSERT_EQ(player.FrameCount(), static_cast<int>(truth.rows.size()));

    auto isObject = name == "parabole" ? IsBall : IsCylinder;
    const int last = player.FrameCount() - 1;
    for (int n : { 0, last / 3, last / 2, last }) {
        player.SetCurrentFrame(n);
        TRgbImage image;
        ASSERT_TRUE(player.Draw(image));
        double cx = 0, cy = 0;
        ASSERT_TRUE(Centroid(image, isObject, cx, cy)) << "frame " << n;
        // The cylinder's darker spoke sits inside the same colour test, so the whole disc counts.
        EXPECT_NEAR(cx, truth.rows[static_cast<std::size_t>(n)].xPixel, 0.6) << "frame " << n;
        EXPECT_NEAR(cy, truth.rows[static_cast<std::size_t>(n)].yPixel, 0.6) << "frame " << n;
    }
}

TEST_P(SampleVideos, TheGroundTruthFollowsItsOwnPhysics)
{
    const std::string name = GetParam();
    test::TTempDir dir;
    ASSERT_EQ(WriteSampleVideos(QString::fromStdString(dir.Path().string())).size(), 2);
    TTruth truth = test::ReadSampleTruth(dir.File(name + ".txt"));
    ASSERT_GT(truth.rows.size(), 20u);
    auto& v = truth.values;
    const double ppm = v["pixels_per_metre"];
    EXPECT_DOUBLE_EQ(v["fps"], 25);
    EXPECT_NEAR(v["ruler_x2_px"] - v["ruler_x1_px"], ppm * v["ruler_length_m"], 1e-9);
    const auto& first = truth.rows.front();
    for (std::size_t i = 0; i < truth.rows.size(); ++i) {
        const auto& r = truth.rows[i];
        EXPECT_NEAR(r.t, static_cast<double>(i) / 25, 1e-9);
        // Constant acceleration from the stated initial velocity.
        EXPECT_NEAR(r.x, v["vx0"] * r.t + 0.5 * v["ax"] * r.t * r.t, 2e-6) << i;
        EXPECT_NEAR(r.y, v["vy0"] * r.t + 0.5 * v["ay"] * r.t * r.t, 2e-6) << i;
        // Metres and pixels agree through the scale (y upward in metres, downward in pixels).
        EXPECT_NEAR((r.xPixel - first.xPixel) / ppm, r.x, 1e-6);
        EXPECT_NEAR(-(r.yPixel - first.yPixel) / ppm, r.y, 1e-6);
    }
    if (name == "cylindre") {
        // Rolling without slipping: two thirds of g sin(angle) along the slope.
        double angle = v["incline_angle_deg"] * std::acos(-1.0) / 180;
        EXPECT_NEAR(std::hypot(v["ax"], v["ay"]), 2.0 / 3.0 * v["g"] * std::sin(angle), 1e-9);
    } else {
        EXPECT_NEAR(v["ay"], -v["g"], 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleVideos, ::testing::Values("cylindre", "parabole"));

} // namespace
} // namespace kinoval::gui
