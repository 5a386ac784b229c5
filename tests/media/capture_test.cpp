#include "media/avi_play.h"
#include "media/ffmpeg_play.h"
#include "media/gst_encoder_writer.h"
#include "media/gstreamer_capture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Each encoder of the framework this machine has: the file keeps the capture clock's time of every frame.
TEST_F(TestCamera, ThreeSecondsThroughEachInstalledEncoderKeepTheCaptureClocksTimes)
{
    const auto encoders = InstalledEncoders();
    if (encoders.empty())
        GTEST_SKIP() << "no encoder of the framework is installed";
    for (std::size_t i = 0; i < encoders.size(); ++i) {
        SCOPED_TRACE(encoders[i].name);
        const int compressor = 2 + static_cast<int>(i);
        ASSERT_EQ(camera->CompressorNames().at(compressor), encoders[i].name);
        const std::string file = Record(compressor);
        EXPECT_EQ(camera->RecordingExtension(), encoders[i].extension);
        const auto times = camera->LastRecordedTimes();
        ASSERT_EQ(static_cast<int>(times.size()), camera->CapturedFrames());
        TFFMpegPlay ffmpeg;
        CheckRecording(ffmpeg, file);
        ASSERT_EQ(ffmpeg.FrameTimes().size(), times.size());
        for (std::size_t k = 0; k < times.size(); ++k)
            ASSERT_NEAR(ffmpeg.FrameTimes()[k], times[k], 0.0011) << "frame " << k;
        camera->ClosePreview();
    }
    EXPECT_EQ(camera->RecordingExtension(), encoders.back().extension);
    camera->SelectCompressor(1);
    EXPECT_EQ(camera->RecordingExtension(), "avi");
}

TEST_F(TestCamera, X264IsOfferedWhenInstalled)
{
    const auto encoders = InstalledEncoders();
    if (std::none_of(encoders.begin(), encoders.end(), [](const TCaptureEncoder& e) { return e.element == "x264enc"; }))
        GTEST_SKIP() << "x264enc is not installed";
    const auto names = camera->CompressorNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "H.264 (x264) en MP4"), names.end());
}

TEST_F(TestCamera, TheListOffersFormatsAndCompressorsAndRecordingNeedsAPreview)
{
    EXPECT_EQ(camera->FormatNames(), (std::vector<std::string> { "320x240 RGB, 60 fps", "640x480 RGB, 60 fps" }));
    const auto compressors = camera->CompressorNames();
    ASSERT_GE(compressors.size(), 2u);
    EXPECT_EQ(compressors[0], "sans");
    EXPECT_EQ(compressors[1], "MJPEG");
    EXPECT_EQ(compressors.size(), 2 + InstalledEncoders().size());
    EXPECT_FALSE(camera->StartCapture(dir.File("nothing")));
    camera->SelectFormat(1);
    ASSERT_EQ(camera->StartPreview(), TPreviewResult::prOk);
    const TRgbImage preview = FirstPreview();
    EXPECT_EQ(preview.width, 640);
    EXPECT_EQ(preview.height, 480);
    EXPECT_GE(ReadCounter(preview), 0);
    camera->ClosePreview();
    EXPECT_FALSE(camera->PreviewRunning());
    TRgbImage stale;
    EXPECT_FALSE(camera->PreviewFrame(stale)); // the view shows no picture of a stopped camera

    // Without the test camera and without hardware, this framework may list nothing: no device selected.
    TGstCapture v4l2(TGstCapture::fwV4l2);
    if (v4l2.DeviceNames().empty()) {
        EXPECT_EQ(v4l2.StartPreview(), TPreviewResult::prNoDevice);
    }
}

// The test camera pulled out and plugged back through its hook, as the real-window suite does it.
TEST_F(TestCamera, PullingTheTestCameraOutAndBackGivesTheNoticesAndTheList)
{
    const std::string plug = dir.File("plugged");
    std::ofstream(plug) << "";
    setenv("KINOVAL_TEST_CAMERA_PLUG", plug.c_str(), 1);
    TGstCapture other(TGstCapture::fwOther);
    ASSERT_FALSE(other.DeviceNames().empty());
    other.SelectDevice(0);
    EXPECT_TRUE(other.TakeDeviceChanges().empty());

    std::filesystem::remove(plug);
    EXPECT_EQ(other.TakeDeviceChanges(), std::vector<capture::TDeviceChange> { capture::TDeviceChange::dcRemoved });
    EXPECT_TRUE(other.TakeDeviceChanges().empty()); // said once
    other.RefreshDevices();
    EXPECT_EQ(other.DeviceIndex(), -1);
    const auto left = other.DeviceNames();
    EXPECT_EQ(std::find(left.begin(), left.end(), "Caméra de test (mire)"), left.end());

    std::ofstream(plug) << "";
    EXPECT_EQ(other.TakeDeviceChanges(), std::vector<capture::TDeviceChange> { capture::TDeviceChange::dcArrived });
    other.RefreshDevices();
    EXPECT_EQ(other.DeviceNames().at(0), "Caméra de test (mire)");
    // The V4L2 framework hears nothing of it.
    TGstCapture v4l2(TGstCapture::fwV4l2);
    v4l2.DeviceNames();
    std::filesystem::remove(plug);
    EXPECT_TRUE(v4l2.TakeDeviceChanges().empty());
    unsetenv("KINOVAL_TEST_CAMERA_PLUG");
}

} // namespace
} // namespace kinoval::media
