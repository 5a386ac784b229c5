#include "media/avi_play.h"
#include "media/ffmpeg_play.h"
#include "media/gstreamer_capture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace kinoval::media {
namespace {

using capture::TPreviewResult;

// The counter the test camera draws along the bottom of its pictures: 16 blocks, least significant bit on
// the left; -1 when a block is neither clearly black nor clearly white.
int ReadCounter(const TRgbImage& image)
{
    const int band = std::max(8, image.height / 12);
    const int y = image.height - band / 2;
    int number = 0;
    for (int bit = 0; bit < 16; ++bit) {
        const int x = (2 * bit + 1) * image.width / 32;
        const int v = image.At(x, y)[1];
        if (v > 60 && v < 190)
            return -1;
        if (v >= 190)
            number |= 1 << bit;
    }
    return number;
}

class TestCamera : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("KINOVAL_TEST_CAMERA", "1", 1);
        camera = std::make_unique<TGstCapture>(TGstCapture::fwOther);
        const auto names = camera->DeviceNames();
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names[0], "Caméra de test (mire)");
        camera->SelectDevice(0);
    }
    void TearDown() override { unsetenv("KINOVAL_TEST_CAMERA"); }

    // The first picture of the preview (an empty one after five seconds without any).
    TRgbImage FirstPreview()
    {
        TRgbImage preview;
        for (int i = 0; i < 500 && !camera->PreviewFrame(preview); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return preview;
    }

    // Records about three seconds of the capture clock at 30 frames per second.
    std::string Record(int compressor)
    {
        camera->SelectFormat(0);
        camera->SelectCompressor(compressor);
        camera->SetFrameRate(30);
        EXPECT_EQ(camera->StartPreview(), TPreviewResult::prOk);
        EXPECT_EQ(FirstPreview().width, 320);
        const std::string file = dir.File("Capture" + std::to_string(compressor));
        EXPECT_TRUE(camera->StartCapture(file));
        EXPECT_TRUE(camera->Capturing());
        std::this_thread::sleep_for(std::chrono::seconds(3));
        camera->StopCapture();
        EXPECT_FALSE(camera->Capturing());
        return file;
    }

    // What every reader of the recording must find: about 90 frames, the rate that was obtained, and the
    // camera's counter rising from frame to frame, by one unless the back-end counted the frames lost.
    void CheckRecording(video::TPlayer& player, const std::string& file)
    {
        ASSERT_TRUE(player.Open(file)) << player.Backend();
        EXPECT_NEAR(player.FrameCount(), 90, 2);
        EXPECT_EQ(player.FrameCount(), camera->CapturedFrames());
        EXPECT_NEAR(player.FramesPerSecond(), camera->LastRecordedRate(), 0.01);
        EXPECT_NEAR(camera->LastRecordedRate(), 30, 0.5);
        EXPECT_EQ(player.Width(), 320);
        EXPECT_EQ(player.Height(), 240);
        int previous = -1, skipped = 0;
        TRgbImage image;
        for (int n = 0; n < player.FrameCount(); ++n) {
            player.SetCurrentFrame(n);
            ASSERT_TRUE(player.Draw(image)) << n;
            const int counter = ReadCounter(image);
            ASSERT_GE(counter, 0) << "frame " << n;
            if (previous >= 0) {
                ASSERT_GT(counter, previous) << "frame " << n;
                skipped += counter - previous - 1;
            }
            previous = counter;
        }
        EXPECT_EQ(skipped, camera->DroppedFrames());
    }

    test::TTempDir dir;
    std::unique_ptr<TGstCapture> camera;
};

TEST_F(TestCamera, ThreeSecondsOfPlainFramesReadBackByOurPlayers)
{
    const std::string file = Record(0);
    TAviPlay avi;
    CheckRecording(avi, file);
    TFFMpegPlay ffmpeg;
    CheckRecording(ffmpeg, file);
}

TEST_F(TestCamera, ThreeSecondsOfMjpegFramesReadBackByOurPlayers)
{
    const std::string file = Record(1);
    TAviPlay avi;
    CheckRecording(avi, file);
}

TEST_F(TestCamera, TheListOffersFormatsAndCompressorsAndRecordingNeedsAPreview)
{
    EXPECT_EQ(camera->FormatNames(), (std::vector<std::string> { "320x240 RGB, 60 fps", "640x480 RGB, 60 fps" }));
    EXPECT_EQ(camera->CompressorNames(), (std::vector<std::string> { "sans", "MJPEG" }));
    EXPECT_FALSE(camera->StartCapture(dir.File("nothing")));
    camera->SelectFormat(1);
    ASSERT_EQ(camera->StartPreview(), TPreviewResult::prOk);
    const TRgbImage preview = FirstPreview();
    EXPECT_EQ(preview.width, 640);
    EXPECT_EQ(preview.height, 480);
    EXPECT_GE(ReadCounter(preview), 0);
    camera->ClosePreview();
    EXPECT_FALSE(camera->PreviewRunning());

    // Without the test camera and without hardware, this framework may list nothing: no device selected.
    TGstCapture v4l2(TGstCapture::fwV4l2);
    if (v4l2.DeviceNames().empty()) {
        EXPECT_EQ(v4l2.StartPreview(), TPreviewResult::prNoDevice);
    }
}

} // namespace
} // namespace kinoval::media
