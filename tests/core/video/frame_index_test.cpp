// Frames numbered in presentation order from what demuxers say of their packets, the timing read from
// the timestamps, and frames turned upright.
#include "core/video/frame_index.h"
#include "core/video/frame_rotation.h"

#include <gtest/gtest.h>

namespace kinoval::video {
namespace {

TPacketStamp Timed(std::int64_t pts, std::int64_t dts, bool key = false)
{
    TPacketStamp p;
    p.pts = pts;
    p.dts = dts;
    p.key = key;
    return p;
}

TPacketStamp Ordered(std::int64_t dts, std::int64_t period, std::int64_t count, bool key = false)
{
    TPacketStamp p;
    p.dts = dts;
    p.key = key;
    p.hasOrder = true;
    p.orderPeriod = period;
    p.orderCount = count;
    return p;
}

TEST(FrameIndex, ContainerTimesGiveThePresentationOrder)
{
    // I0 P3 B1 B2 | I6 P9 B7 B8 as an MP4 stores them, every time shifted by 512 ticks.
    const std::vector<TPacketStamp> packets { Timed(512, 0, true), Timed(3 * 512 + 512, 512), Timed(1024, 1024),
        Timed(1536, 1536), Timed(6 * 512 + 512, 2048, true), Timed(9 * 512 + 512, 2560), Timed(4096, 3072),
        Timed(4608, 3584) };
    const TFrameIndex index = BuildFrameIndex(packets);
    EXPECT_FALSE(index.rebuilt);
    EXPECT_EQ(index.packetOf, (std::vector<int> { 0, 2, 3, 1, 4, 6, 7, 5 }));
    EXPECT_EQ(index.keyOf, (std::vector<int> { 0, 0, 0, 0, 4, 4, 4, 4 }));
    EXPECT_EQ(index.frameOf, (std::vector<int> { 0, 3, 1, 2, 4, 7, 5, 6 }));
    EXPECT_EQ(index.pts.front(), 512);
}

TEST(FrameIndex, AnAviOfMpeg4WithBFramesByTheAnchorRule)
{
    // Decoding order I P B B P B B: the demuxer times the B-frames (shown at once) and not the anchors.
    std::vector<TPacketStamp> packets;
    const bool timed[] = { false, false, true, true, false, true, true };
    for (int d = 0; d < 7; ++d)
        packets.push_back(Timed(timed[d] ? d : kNoTime, d, d == 0));
    const TFrameIndex index = BuildFrameIndex(packets);
    EXPECT_TRUE(index.rebuilt);
    // Shown: I, B, B, P, B, B, P.
    EXPECT_EQ(index.packetOf, (std::vector<int> { 0, 2, 3, 1, 5, 6, 4 }));
    // The AVI's own grid of instants.
    EXPECT_EQ(index.pts, (std::vector<std::int64_t> { 0, 1, 2, 3, 4, 5, 6 }));
}

TEST(FrameIndex, AnAviOfH264ByThePictureOrderCounts)
{
    // x264 with three B-frames and a pyramid, two refresh periods; counts as FFmpeg's parser gives them.
    const std::int64_t counts[] = { 0, 8, 4, 2, 6, 0, 4, 2 };
    std::vector<TPacketStamp> packets;
    for (int d = 0; d < 8; ++d)
        packets.push_back(Ordered(d, d < 5 ? 1 : 2, counts[d], d == 0 || d == 5));
    const TFrameIndex index = BuildFrameIndex(packets);
    EXPECT_EQ(index.packetOf, (std::vector<int> { 0, 3, 2, 4, 1, 5, 7, 6 }));
    EXPECT_EQ(index.keyOf, (std::vector<int> { 0, 0, 0, 0, 0, 5, 5, 5 }));
}

TEST(FrameIndex, WhatCannotBeDecodedIsLeftOut)
{
    // A transport stream cut in the middle of a group: two pictures before the first key frame, then an
    // open group whose two leading B-frames refer to the missing picture; an edit list's cut picture too.
    std::vector<TPacketStamp> packets { Timed(90, 80), Timed(70, 70), Timed(120, 100, true), Timed(100, 110),
        Timed(110, 120), Timed(150, 130), Timed(130, 140), Timed(140, 150) };
    packets[6].discard = true;
    const TFrameIndex index = BuildFrameIndex(packets);
    EXPECT_EQ(index.packetOf, (std::vector<int> { 2, 7, 5 }));
    EXPECT_EQ(index.frameOf, (std::vector<int> { -1, -1, 0, -1, -1, 2, -1, 1 }));
    EXPECT_TRUE(BuildFrameIndex({}).pts.empty());
}

TEST(FrameIndex, TheLeadingPicturesOfAnOpenGroupDecodeFromTheKeyFrameBefore)
{
    // I0 P3 B1 B2 I6 B4 B5: B4 and B5 are shown before I6 but decoded after it.
    const std::vector<TPacketStamp> packets { Timed(0, -1, true), Timed(3, 0), Timed(1, 1), Timed(2, 2),
        Timed(6, 3, true), Timed(4, 4), Timed(5, 5) };
    const TFrameIndex index = BuildFrameIndex(packets);
    EXPECT_EQ(index.keyOf, (std::vector<int> { 0, 0, 0, 0, 0, 0, 6 }));
}

TEST(StreamTiming, ExactRatesFromTheTimestamps)
{
    std::vector<std::int64_t> ntsc;
    for (int i = 0; i < 30; ++i)
        ntsc.push_back(900 + 3003 * i); // 90 kHz
    TStreamTiming t = JudgeTiming(ntsc, 1.0 / 90000, { { 30000, 1001 } });
    ASSERT_TRUE(t.usable);
    EXPECT_FALSE(t.variable);
    EXPECT_EQ(t.framesPerSecond, 30000.0 / 1001);
    EXPECT_EQ(t.frameDuration, 1001.0 / 30000);
    EXPECT_DOUBLE_EQ(t.duration, 30 * 1001.0 / 30000);
    EXPECT_DOUBLE_EQ(t.times[29], 29 * 3003 / 90000.0);

    // The same rate counted in milliseconds: gaps of 33 and 34 are rounding.
    std::vector<std::int64_t> ms;
    for (int i = 0; i < 30; ++i)
        ms.push_back(static_cast<std::int64_t>(i * 1001.0 / 30 + 0.5));
    t = JudgeTiming(ms, 1e-3, { { 30000, 1001 } });
    EXPECT_FALSE(t.variable);
    EXPECT_EQ(t.framesPerSecond, 30000.0 / 1001);

    // A high-speed camera at 1000 fps in milliseconds: nothing to round, a gap of 2 is a missing frame.
    std::vector<std::int64_t> fast { 0, 1, 2, 3, 4, 5 };
    t = JudgeTiming(fast, 1e-3, { { 1000, 1 } });
    EXPECT_FALSE(t.variable);
    EXPECT_EQ(t.framesPerSecond, 1000);
    fast.back() = 6;
    EXPECT_TRUE(JudgeTiming(fast, 1e-3, { { 1000, 1 } }).variable);

    // An announced rate the timestamps contradict (a field rate) gives way to the next, then to the gaps.
    std::vector<std::int64_t> pal { 0, 40, 80, 120 };
    EXPECT_EQ(JudgeTiming(pal, 1e-3, { { 50, 1 }, { 25, 1 } }).framesPerSecond, 25);
    EXPECT_DOUBLE_EQ(JudgeTiming(pal, 1e-3, { { 0, 0 } }).frameDuration, 0.04);
}

TEST(StreamTiming, AVariableRateIsTheAverage)
{
    // A phone: 30.19 fps on average for a nominal 30, durations of 33 and 34 ms with a few of 28 and 40.
    std::vector<std::int64_t> pts { 0 };
    const int gaps[] = { 33, 33, 28, 34, 40, 33, 28, 33 };
    for (int g : gaps)
        pts.push_back(pts.back() + g * 90);
    TStreamTiming t = JudgeTiming(pts, 1.0 / 90000, { { 30, 1 } });
    ASSERT_TRUE(t.usable);
    EXPECT_TRUE(t.variable);
    EXPECT_DOUBLE_EQ(t.frameDuration, 0.262 / 8);
    EXPECT_DOUBLE_EQ(t.framesPerSecond, 8 / 0.262);
    EXPECT_DOUBLE_EQ(t.times[3], 0.094);
    // Two frames at one instant are no rate at all.
    EXPECT_TRUE(JudgeTiming({ 0, 10, 10, 20 }, 1e-3, {}).variable);
    EXPECT_FALSE(JudgeTiming({}, 1e-3, {}).usable);
}

TEST(FrameRotation, PhonesTurnedBack)
{
    EXPECT_EQ(ClockwiseRotationOf(-90), 90); // FFmpeg's angle for a phone held upright
    EXPECT_EQ(ClockwiseRotationOf(90), 270);
    EXPECT_EQ(ClockwiseRotationOf(-180), 180);
    EXPECT_EQ(ClockwiseRotationOf(180.4), 180);
    EXPECT_EQ(ClockwiseRotationOf(-0.3), 0);
    EXPECT_EQ(ClockwiseRotationOf(359.6), 0);
    EXPECT_EQ(ClockwiseRotationOf(45), 0);

    // A 3 x 2 picture whose pixels carry their position.
    TRgbImage image(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.At(x, y)[0] = static_cast<std::uint8_t>(10 * y + x);
    const TRgbImage cw = RotateClockwise(image, 90);
    ASSERT_EQ(cw.width, 2);
    ASSERT_EQ(cw.height, 3);
    EXPECT_EQ(cw.At(0, 0)[0], 10); // the bottom-left corner comes to the top left
    EXPECT_EQ(cw.At(1, 0)[0], 0);
    EXPECT_EQ(cw.At(0, 2)[0], 12);
    const TRgbImage ccw = RotateClockwise(image, 270);
    EXPECT_EQ(ccw.At(0, 0)[0], 2); // the top-right corner comes to the top left
    EXPECT_EQ(ccw.At(1, 2)[0], 10);
    const TRgbImage half = RotateClockwise(image, 180);
    EXPECT_EQ(half.At(0, 0)[0], 12);
    EXPECT_EQ(half.At(2, 1)[0], 0);
    EXPECT_EQ(RotateClockwise(image, 0).pixels, image.pixels);
}

} // namespace
} // namespace kinoval::video
