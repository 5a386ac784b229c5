#include "media/capture_caps.h"

#include <gtest/gtest.h>

namespace kinoval::media {
namespace {

std::vector<std::string> Texts(const std::vector<TCaptureFormat>& formats)
{
    std::vector<std::string> texts;
    for (const auto& f : formats)
        texts.push_back(f.text);
    return texts;
}

// What a webcam's V4L2 driver says: fixed sizes, raw and JPEG, with lists of rates.
TEST(CaptureCaps, FixedSizesGiveOneEntryEachWithTheirHighestRate)
{
    const auto formats = CaptureFormatsOfCaps(
        "image/jpeg, width=(int)1280, height=(int)720, framerate=(fraction){ 30/1, 15/1 }; "
        "video/x-raw, format=(string)YUY2, width=(int)640, height=(int)480, framerate=(fraction){ 30/1, 20/1, "
        "15/1 }; video/x-raw, format=(string)YUY2, width=(int)640, height=(int)480, framerate=(fraction)30/1; "
        "video/x-h264, width=(int)1920, height=(int)1080, framerate=(fraction)30/1");
    EXPECT_EQ(Texts(formats), (std::vector<std::string> { "1280x720 MJPEG, 30 fps", "640x480 YUY2, 30 fps" }));
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(formats[0].media, "image/jpeg");
    EXPECT_EQ(formats[0].pixelFormat, "");
    EXPECT_EQ(formats[1].pixelFormat, "YUY2");
    EXPECT_EQ(formats[1].width, 640);
    EXPECT_EQ(formats[1].height, 480);
}

// What the desktop's sources (PipeWire, libcamera) often say: ranges of sizes and rates.
TEST(CaptureCaps, RangesOfSizesGiveTheUsualSizesWithinThem)
{
    const auto formats = CaptureFormatsOfCaps("video/x-raw, format=(string)NV12, width=(int)[ 64, 1280, 64 ], "
                                              "height=(int)[ 16, 720, 2 ], framerate=(fraction)[ 1/1, 60/1 ]");
    EXPECT_EQ(Texts(formats),
        (std::vector<std::string> {
            "320x240 NV12, 60 fps", "640x360 NV12, 60 fps", "640x480 NV12, 60 fps", "1280x720 NV12, 60 fps" }));
    EXPECT_EQ(formats.back().width, 1280);
    EXPECT_EQ(formats.back().height, 720);

    // Any size, any rate, two pixel formats: the usual sizes for each, and no absurd rate.
    const auto any = CaptureFormatsOfCaps("video/x-raw, format=(string){ YUY2, RGB }, width=(int)[ 1, 1920 ], "
                                          "height=(int)[ 1, 1080 ], framerate=(fraction)[ 0/1, 2147483647/1 ]");
    ASSERT_EQ(any.size(), 2 * 11u);
    EXPECT_EQ(any.front().text, "160x120 YUY2");
    EXPECT_EQ(any.back().text, "1920x1080 RGB");

    // A fixed width with a range of heights, and a range that holds no usual size.
    EXPECT_EQ(
        Texts(CaptureFormatsOfCaps("image/jpeg, width=(int)640, height=(int)[ 360, 480 ], framerate=(fraction)25/1")),
        (std::vector<std::string> { "640x360 MJPEG, 25 fps", "640x480 MJPEG, 25 fps" }));
    EXPECT_EQ(Texts(CaptureFormatsOfCaps("video/x-raw, format=(string)GRAY8, width=(int)[ 100, 200 ], "
                                         "height=(int)[ 50, 90 ]")),
        std::vector<std::string> { "200x90 GRAY8" });
}

TEST(CaptureCaps, WhatCannotBeRecordedOrReadIsLeftOut)
{
    EXPECT_TRUE(CaptureFormatsOfCaps("").empty());
    EXPECT_TRUE(CaptureFormatsOfCaps("ANY").empty());
    EXPECT_TRUE(CaptureFormatsOfCaps("not caps at all {").empty());
    // Without a pixel format, or with a size that is neither a number nor a range.
    EXPECT_TRUE(CaptureFormatsOfCaps("video/x-raw, width=(int)640, height=(int)480").empty());
    EXPECT_TRUE(
        CaptureFormatsOfCaps("video/x-raw, format=(string)YUY2, width=(int){ 640, 320 }, height=(int)480").empty());
    EXPECT_TRUE(CaptureFormatsOfCaps("audio/x-raw, rate=(int)48000").empty());
}

} // namespace
} // namespace kinoval::media
