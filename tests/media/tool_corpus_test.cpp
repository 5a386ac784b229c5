// Videos as people have them, made by the ffmpeg tool: every back-end that opens one shows, for frame n,
// the picture the tool itself decodes as frame n (same number in the picture, best PSNR against the tool's
// frame n rather than its neighbours), stepping forward, jumping and stepping back; the rate and the
// duration follow the stream's timing, and a turned phone video comes out upright.
#include "core/video/frame_rotation.h"
#include "ffmpeg_tool.h"
#include "media/player_factory.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace kinoval::media {
namespace {

struct TCorpusEntry {
    test::TToolVideo video;
    double fps = 25; // the rate the player must report (0: an average, checked against the times)
    int rotation = 0; // clockwise turn the display matrix asks for
    bool variable = false; // uneven frame durations
};

std::vector<TCorpusEntry> Corpus()
{
    std::vector<TCorpusEntry> c;
    auto add = [&](std::string name, std::string encoder, std::string options) {
        TCorpusEntry e;
        e.video.name = std::move(name);
        e.video.encoder = std::move(encoder);
        e.video.options = std::move(options);
        c.push_back(e);
        return &c.back();
    };
    // B-frames and, from the B-frame delay, an edit list.
    add("h264_bframes.mp4", "libx264", "-c:v libx264 -preset ultrafast -bf 3 -b_strategy 0 -g 12 -pix_fmt yuv420p");
    add("hevc.mp4", "libx265",
        "-c:v libx265 -preset ultrafast -x265-params log-level=none:keyint=12:bframes=3 -pix_fmt yuv420p -tag:v hvc1");
    add("vp9.webm", "libvpx-vp9", "-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -g 12 -pix_fmt yuv420p");
    if (test::HaveEncoder("libaom-av1"))
        add("av1.mkv", "libaom-av1", "-c:v libaom-av1 -cpu-used 8 -g 12 -pix_fmt yuv420p");
    else
        add("av1.mkv", "libsvtav1", "-c:v libsvtav1 -preset 12 -g 12 -pix_fmt yuv420p");
    // DivX and Xvid: MPEG-4 part 2 with B-frames in AVI, whose packets carry decoding times only.
    add("mpeg4_bframes.avi", "mpeg4", "-c:v mpeg4 -q:v 3 -bf 2 -g 12 -vtag XVID");
    add("h264_bframes.avi", "libx264", "-c:v libx264 -preset ultrafast -bf 3 -b_strategy 0 -g 12 -pix_fmt yuv420p");
    // A DVD-style program stream (its first timestamp is not 0) and a camera's transport stream.
    add("mpeg2.mpg", "mpeg2video", "-c:v mpeg2video -q:v 3 -bf 2 -g 12");
    add("h264_camera.mts", "libx264",
        "-c:v libx264 -preset ultrafast -bf 2 -b_strategy 0 -g 12 -pix_fmt yuv420p -f mpegts");
    add("mjpeg.avi", "mjpeg", "-c:v mjpeg -q:v 3 -pix_fmt yuvj420p");
    add("mjpeg.mov", "mjpeg", "-c:v mjpeg -q:v 3 -pix_fmt yuvj420p");
    add("raw.avi", "rawvideo", "-c:v rawvideo -pix_fmt bgr24");
    add("ffv1.mkv", "ffv1", "-c:v ffv1");
    add("wmv2.wmv", "wmv2", "-c:v wmv2 -q:v 3 -g 12");
    {
        auto* e = add("ntsc.mp4", "libx264", "-c:v libx264 -preset ultrafast -bf 2 -g 15 -pix_fmt yuv420p");
        e->video.rate = "30000/1001";
        e->fps = 30000.0 / 1001.0;
    }
    {
        auto* e = add("odd_size.mkv", "libx264", "-c:v libx264 -preset ultrafast -bf 2 -g 12 -pix_fmt yuv444p");
        e->video.width = 99;
        e->video.height = 61;
    }
    {
        auto* e = add("odd_size.avi", "rawvideo", "-c:v rawvideo -pix_fmt bgr24");
        e->video.width = 99;
        e->video.height = 61;
    }
    {
        auto* e = add("slow_motion.mp4", "libx264", "-c:v libx264 -preset ultrafast -bf 2 -g 48 -pix_fmt yuv420p");
        e->video.rate = "240";
        e->fps = 240;
    }
    {
        auto* e = add("high_speed.avi", "mjpeg", "-c:v mjpeg -q:v 3 -pix_fmt yuvj420p");
        e->video.rate = "1000";
        e->fps = 1000;
    }
    {
        // A phone's variable frame rate: durations of 40, 30 and 50 ms in turn.
        auto* e = add("phone_vfr.mp4", "libx264",
            "-vf \"settb=1/1000,setpts=(120*floor(N/3)+40*eq(mod(N\\,3)\\,1)+70*eq(mod(N\\,3)\\,2))/1000/TB\" "
            "-fps_mode vfr -enc_time_base 1/1000 -video_track_timescale 90000 -c:v libx264 -preset ultrafast -bf 2 -g "
            "12 "
            "-pix_fmt yuv420p");
        e->variable = true;
        e->fps = 0;
    }
    {
        // Filmed upright on a phone: the pictures are stored lying, the display matrix turns them.
        auto* e = add("phone_upright.mp4", "libx264", "-c:v libx264 -preset ultrafast -bf 2 -g 12 -pix_fmt yuv420p");
        e->rotation = 90;
    }
    return c;
}

// Test names say which video failed; the entry itself prints as its file name.
void PrintTo(const TCorpusEntry& entry, std::ostream* out)
{
    *out << entry.video.name;
}

class ToolCorpus : public ::testing::TestWithParam<TCorpusEntry> {
protected:
    test::TTempDir dir;
    std::vector<TRgbImage> refs;

    // Frame n as shown matches the tool's frame n, by the number it carries and by PSNR.
    void ExpectFrame(const TRgbImage& image, int n, int rotation, const std::string& where)
    {
        ASSERT_EQ(image.width, refs[static_cast<std::size_t>(n)].width) << where;
        ASSERT_EQ(image.height, refs[static_cast<std::size_t>(n)].height) << where;
        const TRgbImage upright = rotation == 0 ? image : video::RotateClockwise(image, 360 - rotation);
        EXPECT_EQ(test::ReadFrameNumber(upright), n) << where;
        const double own = test::Psnr(image, refs[static_cast<std::size_t>(n)]);
        EXPECT_GT(own, 28.0) << where;
        for (int other : { n - 1, n + 1 }) {
            if (other >= 0 && other < static_cast<int>(refs.size())) {
                EXPECT_GT(own, test::Psnr(image, refs[static_cast<std::size_t>(other)]) + 3.0)
                    << where << " vs " << other;
            }
        }
    }
};

TEST_P(ToolCorpus, EveryBackEndShowsTheToolsFrameN)
{
    const TCorpusEntry& entry = GetParam();
    if (!test::HaveEncoder(entry.video.encoder))
        GTEST_SKIP() << "the ffmpeg tool has no " << entry.video.encoder;
    std::string log;
    ASSERT_TRUE(test::MakeWithFFmpegTool(dir.Path().string(), entry.video, &log)) << log;
    const std::string path = dir.File(entry.video.name);
    if (entry.rotation != 0) {
        ASSERT_TRUE(test::SetDisplayRotation(path, entry.rotation));
    }
    const bool quarterTurn = entry.rotation == 90 || entry.rotation == 270;
    const int width = quarterTurn ? entry.video.height : entry.video.width;
    const int height = quarterTurn ? entry.video.width : entry.video.height;
    refs = test::ToolFrames(path, width, height);
    ASSERT_EQ(static_cast<int>(refs.size()), entry.video.frames) << "the tool's own decoding";
    const int count = entry.video.frames;

    TMediaPlayerFactory factory;
    int opened = 0;
    for (int b = 0; b < video::kBackendCount; ++b) {
        auto player = factory.CreatePlayer(b);
        if (!player->Open(path)) {
            // Only FFmpeg must read everything; the others pass what they do not read down the chain.
            EXPECT_NE(b, video::bkFFmpeg) << player->ErrorText();
            continue;
        }
        ++opened;
        const std::string on = entry.video.name + " back-end " + std::to_string(b);
        std::vector<std::string> errors;
        player->OnError = [&](const std::string& text) { errors.push_back(text); };
        EXPECT_EQ(player->FrameCount(), count) << on;
        EXPECT_EQ(player->Width(), width) << on;
        EXPECT_EQ(player->Height(), height) << on;
        if (entry.fps > 0) {
            EXPECT_NEAR(player->FramesPerSecond(), entry.fps, 1e-9 * entry.fps) << on;
            EXPECT_NEAR(player->FrameDuration(), 1.0 / entry.fps, 1e-12) << on;
            EXPECT_NEAR(player->Duration(), count / entry.fps, 1e-9 * count) << on;
        }
        if (player->FrameCount() != count)
            continue;

        TRgbImage image;
        for (int n = 0; n < count; ++n) {
            player->SetCurrentFrame(n);
            ASSERT_TRUE(player->Draw(image)) << on << " stepping to " << n;
            ExpectFrame(image, n, entry.rotation, on + " stepping to " + std::to_string(n));
        }
        std::mt19937 random(static_cast<unsigned>(b * 7 + count));
        for (int trial = 0; trial < 15; ++trial) {
            const int n = static_cast<int>(random() % static_cast<unsigned>(count));
            player->SetCurrentFrame(n);
            ASSERT_TRUE(player->Draw(image)) << on << " jumping to " << n;
            ExpectFrame(image, n, entry.rotation, on + " jumping to " + std::to_string(n));
        }
        for (int n = count - 1; n >= count - 16 && n >= 0; --n) {
            player->SetCurrentFrame(n);
            ASSERT_TRUE(player->Draw(image)) << on << " stepping back to " << n;
            ExpectFrame(image, n, entry.rotation, on + " stepping back to " + std::to_string(n));
        }
        EXPECT_TRUE(errors.empty()) << on << ": " << (errors.empty() ? "" : errors.front());

        // The frames' own times, where the back-end reads them: the tool's for a variable rate, the
        // rate's grid otherwise (the tool guesses the first times of an AVI with B-frames).
        if (!player->FrameTimes().empty()) {
            ASSERT_EQ(static_cast<int>(player->FrameTimes().size()), count) << on;
            if (entry.variable) {
                const std::vector<double> times = test::ToolFrameTimes(path);
                ASSERT_EQ(static_cast<int>(times.size()), count) << on;
                for (std::size_t i = 0; i < times.size(); ++i)
                    EXPECT_NEAR(player->FrameTimes()[i], times[i] - times[0], 1e-6) << on << " frame " << i;
                EXPECT_NEAR(player->FrameDuration(), (times.back() - times.front()) / (count - 1), 1e-9) << on;
            } else {
                for (int i = 0; i < count; ++i)
                    EXPECT_NEAR(player->FrameTimes()[static_cast<std::size_t>(i)], i / entry.fps, 1e-6)
                        << on << " frame " << i;
            }
        }
        EXPECT_EQ(player->VariableFrameDuration(), entry.variable) << on;
    }
    EXPECT_GE(opened, 1);
}

INSTANTIATE_TEST_SUITE_P(Videos, ToolCorpus, ::testing::ValuesIn(Corpus()), [](const auto& param) {
    std::string name = param.param.video.name;
    for (auto& c : name)
        if (c == '.')
            c = '_';
    return name;
});

} // namespace
} // namespace kinoval::media
