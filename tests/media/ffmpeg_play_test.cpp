// The FFmpeg back-end shows exactly the frame asked for, on every container and codec the tests can make.
#include "core/video/player_texts.h"
#include "media/ffmpeg_play.h"
#include "support/temp_dir.h"
#include "test_videos.h"

#include <gtest/gtest.h>

#include <random>

namespace kinoval::media {
namespace {

class FFMpegFormats : public ::testing::TestWithParam<test::TTestVideo> {};

TEST_P(FFMpegFormats, RandomSeeksForwardAndBackShowTheAskedFrame)
{
    test::TTempDir dir;
    const auto& video = GetParam();
    const std::string path = dir.File(video.name);
    constexpr int kFrames = 75;
    ASSERT_TRUE(test::MakeTestVideo(path, video, kFrames)) << video.codec;
    TFFMpegPlay player;
    std::vector<std::string> errors;
    player.OnError = [&](const std::string& text) { errors.push_back(text); };
    ASSERT_TRUE(player.Open(path)) << player.ErrorText();
    EXPECT_EQ(player.FrameCount(), kFrames);
    EXPECT_NEAR(player.FramesPerSecond(), 25.0, 1e-9);
    EXPECT_EQ(player.Delay(), 40);
    EXPECT_NEAR(player.Duration(), 3.0, 1e-9);
    EXPECT_EQ(player.Width(), 192);
    EXPECT_EQ(player.Height(), 144);
    EXPECT_FALSE(player.VariableFrameDuration());

    TRgbImage image;
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 0);
    std::mt19937 random(11);
    for (int trial = 0; trial < 40; ++trial) {
        int n = static_cast<int>(random() % kFrames);
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n) << "asked for " << n;
    }
    // Stepping forward then back across a group of pictures.
    for (int n = 20; n < 30; ++n) {
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n);
    }
    for (int n = 29; n >= 8; --n) {
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n);
    }
    player.SetCurrentFrame(kFrames + 10);
    EXPECT_EQ(player.CurrentFrame(), kFrames - 1);
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), kFrames - 1);
    player.SetCurrentFrame(-5);
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 0);
    EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Videos, FFMpegFormats, ::testing::ValuesIn(test::kTestVideos),
                         [](const auto& param) {
                             std::string name = param.param.name;
                             for (auto& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });

TEST(FFMpegPlay, SequentialSteppingDoesNotSeek)
{
    test::TTempDir dir;
    const std::string path = dir.File("h264.mp4");
    ASSERT_TRUE(test::MakeTestVideo(path, test::kTestVideos[2], 60));
    TFFMpegPlay player;
    ASSERT_TRUE(player.Open(path));
    TRgbImage image;
    ASSERT_TRUE(player.Draw(image));
    int seeks = player.SeekCount();
    for (int n = 1; n < 60; ++n) {
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        ASSERT_EQ(test::ReadFrameNumber(image), n);
    }
    EXPECT_EQ(player.SeekCount(), seeks);
    // Stepping back a frame or two comes from the cache.
    player.SetCurrentFrame(58);
    player.SetCurrentFrame(57);
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 57);
    EXPECT_EQ(player.SeekCount(), seeks);
}

TEST(FFMpegPlay, OpenFailuresSayWhy)
{
    test::TTempDir dir;
    TFFMpegPlay player;
    EXPECT_FALSE(player.Open(dir.File("absent.mp4")));
    EXPECT_EQ(player.ErrorText(), video::TextUnlistedError());
    EXPECT_FALSE(player.Opened());
}

} // namespace
} // namespace kinoval::media
