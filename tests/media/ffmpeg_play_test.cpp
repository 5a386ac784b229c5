// The FFmpeg back-end shows exactly the frame asked for, on every container and codec the tests can make.
#include "core/video/player_texts.h"
#include "media/ffmpeg_play.h"
#include "support/temp_dir.h"
#include "test_videos.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace kinoval::media {
namespace {

class FFMpegFormats : public ::testing::TestWithParam<test::TTestVideo> { };

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

INSTANTIATE_TEST_SUITE_P(Videos, FFMpegFormats, ::testing::ValuesIn(test::kTestVideos), [](const auto& param) {
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

TEST(FFMpegPlay, ASeekDecodesFromTheNearestKeyFrameOnly)
{
    // Key frames every 12 frames, B-frames and an edit list: a seek that lands one group of pictures
    // early still shows the right frame, but costs twice the decoding.
    test::TTempDir dir;
    const std::string path = dir.File("h264.mp4");
    ASSERT_TRUE(test::MakeTestVideo(path, test::kTestVideos[2], 60));
    TFFMpegPlay player;
    ASSERT_TRUE(player.Open(path));
    TRgbImage image;
    for (int n : { 38, 14, 50, 26 }) {
        int before = player.DecodedFrameCount();
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n);
        // From the key frame at or before n, plus the reordered frames decoded ahead of n.
        EXPECT_LE(player.DecodedFrameCount() - before, n % 12 + 1 + 3) << n;
    }
}

TEST(FFMpegPlay, OpenFailuresSayWhy)
{
    test::TTempDir dir;
    TFFMpegPlay player;
    EXPECT_FALSE(player.Open(dir.File("absent.mp4")));
    EXPECT_EQ(player.ErrorText(), "Ce fichier ou ce dossier n'existe pas.");
    EXPECT_FALSE(player.Opened());
    // A sound-only file is a media file without pictures, not an unlisted error.
    const std::string text = dir.File("notes.mp4");
    std::FILE* f = std::fopen(text.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("0123456789 pas une vidéo\n", f);
    std::fclose(f);
    EXPECT_FALSE(player.Open(text));
    EXPECT_EQ(player.ErrorText(), video::TextNotAVideo());
}

} // namespace
} // namespace kinoval::media

namespace kinoval::media {
namespace {

// A video with a missing instant (frame 10 shown two frame durations after frame 9): the player numbers
// its frames in order, shows the right one, gives each frame its own time, and reports no error: a
// variable frame duration is a property of the file, which the study may follow.
TEST(FFMpegPlay, VariableFrameDurationStepsLikeAnyOtherVideo)
{
    test::TTempDir dir;
    const std::string path = dir.File("vfr.mkv");
    TFFMpegWriter writer;
    TEncoderSettings settings;
    settings.codec = "mpeg4";
    settings.ptsOfFrame = [](int i) { return static_cast<std::int64_t>(i < 10 ? i : i + 1); };
    ASSERT_EQ(writer.Open(path, 96, 64, settings), 0);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(writer.WriteFrame(test::MakeNumberedFrame(96, 64, i)), 0);
    ASSERT_EQ(writer.Close(), 0);

    TFFMpegPlay player;
    std::vector<std::string> errors;
    player.OnError = [&](const std::string& text) { errors.push_back(text); };
    ASSERT_TRUE(player.Open(path));
    EXPECT_TRUE(player.VariableFrameDuration());
    EXPECT_EQ(player.FrameCount(), 20);
    // The last frame starts 0.8 s after the first, 19 gaps later: the average duration.
    EXPECT_NEAR(player.FrameDuration(), 20 * 0.04 / 19, 1e-9);
    ASSERT_EQ(player.FrameTimes().size(), 20u);
    EXPECT_NEAR(player.FrameTimes()[9], 0.36, 1e-9);
    EXPECT_NEAR(player.FrameTimes()[10], 0.44, 1e-9);
    EXPECT_NEAR(player.FrameTimes()[19], 0.80, 1e-9);
    TRgbImage image;
    for (int n : { 12, 9, 10, 19, 3 }) {
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n);
    }
    EXPECT_TRUE(errors.empty());

    // The regular files of the other tests are not flagged.
    const std::string regular = dir.File("regular.mkv");
    settings.ptsOfFrame = nullptr;
    ASSERT_EQ(writer.Open(regular, 96, 64, settings), 0);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(writer.WriteFrame(test::MakeNumberedFrame(96, 64, i)), 0);
    ASSERT_EQ(writer.Close(), 0);
    ASSERT_TRUE(player.Open(regular));
    EXPECT_FALSE(player.VariableFrameDuration());
}

} // namespace
} // namespace kinoval::media
