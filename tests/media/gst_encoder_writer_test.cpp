#include "media/gst_encoder_writer.h"

#include "frame_code.h"
#include "media/ffmpeg_play.h"
#include "media/gstreamer_play.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>

namespace kinoval::media {
namespace {

// A camera asked for 30 fps that gives about 25, with the irregular intervals of a real one: frame k is
// taken 40 ms after the one before, give or take a few milliseconds.
std::vector<std::int64_t> CameraTimes(int count)
{
    std::vector<std::int64_t> times;
    for (int k = 0; k < count; ++k) {
        const int jitter = k == 0 ? 0 : (k * 7) % 9 - 4; // -4 .. +4 ms
        times.push_back((static_cast<std::int64_t>(k) * 40 + jitter) * 1'000'000);
    }
    return times;
}

class EncoderWriter : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        const auto& known = KnownEncoders();
        ASSERT_LT(GetParam(), static_cast<int>(known.size()));
        encoder = known[GetParam()];
        for (const auto& e : InstalledEncoders())
            if (e.element == encoder.element)
                return;
        GTEST_SKIP() << encoder.element << " is not installed";
    }
    TCaptureEncoder encoder;
    test::TTempDir dir;
};

TEST_P(EncoderWriter, EveryFrameKeepsTheTimeTheCameraTookItAndTheRateIsTheOneObtained)
{
    const std::string file = dir.File("Capture0");
    const auto times = CameraTimes(40);
    TGstEncoderWriter writer(encoder);
    ASSERT_EQ(writer.Open(file, 320, 240, 30), 0);
    for (std::size_t k = 0; k < times.size(); ++k)
        ASSERT_EQ(writer.WriteFrame(test::MakeNumberedFrame(320, 240, static_cast<int>(k)), times[k]), 0) << k;
    EXPECT_EQ(writer.WriteFrame(TRgbImage(160, 120), times.back() + 40'000'000), -1);
    ASSERT_EQ(writer.Close(), 0);
    EXPECT_EQ(writer.FrameCount(), 40);

    // FFmpeg is the back-end that reads frames of uneven durations (and every ".mp4").
    const double obtained = 39 / (static_cast<double>(times.back()) / 1e9);
    TFFMpegPlay player;
    ASSERT_TRUE(player.Open(file)) << player.ErrorText();
    ASSERT_EQ(player.FrameCount(), 40);
    EXPECT_EQ(player.Width(), 320);
    EXPECT_EQ(player.Height(), 240);
    EXPECT_TRUE(player.VariableFrameDuration());
    EXPECT_NEAR(player.FramesPerSecond(), obtained, 0.01);
    ASSERT_EQ(player.FrameTimes().size(), 40u);
    // The container's clock rounds to a millisecond at worst.
    for (std::size_t k = 0; k < times.size(); ++k)
        EXPECT_NEAR(player.FrameTimes()[k], static_cast<double>(times[k]) / 1e9, 0.0011) << k;
    TRgbImage image;
    for (int n : { 0, 17, 39, 3 }) {
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image)) << n;
        EXPECT_EQ(test::ReadFrameNumber(image), n);
    }
}

// A camera that keeps its pace exactly: the file has one frame duration, which the GStreamer back-end
// reads too.
TEST_P(EncoderWriter, ARegularRecordingIsReadWithItsRateByBothBackEnds)
{
    const std::string file = dir.File("Capture0");
    TGstEncoderWriter writer(encoder);
    ASSERT_EQ(writer.Open(file, 320, 240, 25), 0);
    for (int k = 0; k < 30; ++k)
        ASSERT_EQ(writer.WriteFrame(test::MakeNumberedFrame(320, 240, k), k * 40'000'000LL), 0);
    ASSERT_EQ(writer.Close(), 0);
    TFFMpegPlay ffmpeg;
    TGStreamerPlay gstreamer;
    for (video::TPlayer* player : { static_cast<video::TPlayer*>(&ffmpeg), static_cast<video::TPlayer*>(&gstreamer) }) {
        SCOPED_TRACE(player->Backend());
        ASSERT_TRUE(player->Open(file)) << player->ErrorText();
        EXPECT_EQ(player->FrameCount(), 30);
        EXPECT_FALSE(player->VariableFrameDuration());
        EXPECT_NEAR(player->FramesPerSecond(), 25, 1e-6);
        TRgbImage image;
        player->SetCurrentFrame(29);
        ASSERT_TRUE(player->Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), 29);
    }
}

TEST_P(EncoderWriter, WhatCannotBeWrittenSaysSo)
{
    TGstEncoderWriter writer(encoder);
    EXPECT_EQ(writer.WriteFrame(TRgbImage(320, 240), 0), -1); // not open
    EXPECT_EQ(writer.Close(), -4);
    EXPECT_EQ(writer.Open(dir.File("x"), 0, 240, 30), -1);
    EXPECT_EQ(writer.Open("", 320, 240, 30), -1);
    // A folder that does not exist: the file cannot be made, and nothing is taken for a video.
    const std::string lost = dir.File("no-such-folder/Capture0");
    TGstEncoderWriter elsewhere(encoder);
    int result = elsewhere.Open(lost, 320, 240, 30);
    if (result == 0) {
        result = elsewhere.WriteFrame(TRgbImage(320, 240), 0);
        if (result == 0)
            result = elsewhere.Close();
    }
    EXPECT_NE(result, 0);
    EXPECT_FALSE(std::filesystem::exists(lost));
}

INSTANTIATE_TEST_SUITE_P(Installed, EncoderWriter, ::testing::Range(0, static_cast<int>(KnownEncoders().size())),
    [](const ::testing::TestParamInfo<int>& param) { return KnownEncoders()[param.param].element; });

TEST(EncoderWriter, TheListHoldsOnlyWhatThisMachineHas)
{
    const auto installed = InstalledEncoders();
    EXPECT_LE(installed.size(), KnownEncoders().size());
    for (const auto& e : installed) {
        EXPECT_FALSE(e.name.empty());
        EXPECT_TRUE(e.extension == "mp4" || e.extension == "webm") << e.extension;
    }
    const auto fake = TCaptureEncoder { "Rien", "mp4", "no-such-encoder", "no-such-encoder ! mp4mux name=mux" };
    TGstEncoderWriter writer(fake);
    test::TTempDir dir;
    EXPECT_EQ(writer.Open(dir.File("f"), 320, 240, 30), -2);
}

} // namespace
} // namespace kinoval::media
