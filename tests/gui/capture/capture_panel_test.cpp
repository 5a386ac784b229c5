// The capture bar and its settings dialog over the real GStreamer back-end and its test camera: the view
// paints the camera, the bar records and saves, the dialog hands its pages to the capture.
#include "gui/capture/capture_panel.h"

#include "core/capture/capture.h"
#include "gui/video/video_widget.h"
#include "media/gstreamer_capture.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kinoval::capture {
namespace {

void RunEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

class CapturePanelTest : public ::testing::Test {
protected:
    CapturePanelTest()
        : cameras((setenv("KINOVAL_TEST_CAMERA", "1", 1), media::TGstCapture::fwV4l2))
        , others(media::TGstCapture::fwOther)
        , capture(cameras, others, dlg, desktop)
        , video(factory, timer)
    {
        capture.SetTemporaryFolder(temp.Path().string());
        capture.lastFolder = temp.Path().string();
        factory.video = test::TSyntheticVideo::Uniform(320, 240, 10, 0, 0, 200);
        widget = std::make_unique<video::TVideoWidget>(video);
        widget->resize(640, 480);
        widget->show();
        panel = std::make_unique<TCapturePanel>(capture, video, *widget, std::string());
        panel->execDialog = [this](TCaptureDialog& dialog) {
            ++dialogs;
            if (onDialog)
                onDialog(dialog);
            return int(QDialog::Rejected);
        };
        QApplication::processEvents();
        EXPECT_TRUE(video.Open("blue.mp4"));
    }
    ~CapturePanelTest() override
    {
        panel.reset();
        unsetenv("KINOVAL_TEST_CAMERA");
    }

    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    test::TTempDir temp;
    media::TGstCapture cameras, others;
    TCapture capture;
    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    video::TVideo video;
    std::unique_ptr<video::TVideoWidget> widget;
    std::unique_ptr<TCapturePanel> panel;
    int dialogs = 0;
    std::function<void(TCaptureDialog&)> onDialog;
};

TEST_F(CapturePanelTest, TheViewPaintsTheCameraAndTheBarRecordsSavesAndHandsTheVideoOver)
{
    ASSERT_TRUE(video.SetMode(video::vmCapture));
    EXPECT_EQ(capture.DeviceName(), "Caméra de test (mire)");
    EXPECT_EQ(dialogs, 0);
    RunEventsFor(500);
    // The camera's picture, not the blue video: its counter's band along the bottom is grey and white.
    const QImage& picture = widget->Picture();
    ASSERT_FALSE(picture.isNull());
    const QRgb bottom = picture.pixel(picture.width() / 64, picture.height() - 4);
    EXPECT_EQ(qRed(bottom), qBlue(bottom));

    QString saved;
    QObject::connect(panel.get(), &TCapturePanel::videoSaved, [&](const QString& path) { saved = path; });
    ASSERT_TRUE(panel->CaptureButton()->isEnabled());
    EXPECT_EQ(panel->CaptureButton()->text(), QStringLiteral("Démarrer la capture"));
    panel->CaptureButton()->click();
    EXPECT_EQ(panel->CaptureButton()->text(), QStringLiteral("Arrêter la capture"));
    RunEventsFor(1200);
    EXPECT_TRUE(panel->Status()->text().startsWith(QStringLiteral("Nombre d'images capturées : ")));
    desktop.saveAnswers.push_back(temp.File("essai"));
    panel->CaptureButton()->click();
    RunEventsFor(50);
    EXPECT_EQ(saved.toStdString(), temp.File("essai.avi"));
    EXPECT_GT(std::filesystem::file_size(temp.File("essai.avi")), 320u * 240 * 3 * 10);
    EXPECT_EQ(panel->CaptureButton()->text(), QStringLiteral("Démarrer la capture"));

    // Leaving the mode during a recording stops it and offers the save first.
    panel->CaptureButton()->click();
    RunEventsFor(300);
    desktop.saveAnswers.push_back(temp.File("left.avi"));
    ASSERT_TRUE(video.SetMode(video::vmFixedPointing));
    EXPECT_FALSE(capture.Armed());
    EXPECT_FALSE(capture.PreviewRunning());
    EXPECT_TRUE(std::filesystem::exists(temp.File("left.avi")));
}

TEST_F(CapturePanelTest, ACameraPulledOutWhileRecordingIsSaidAndWhatItRecordedIsOffered)
{
    const std::string plug = temp.File("plugged");
    std::ofstream(plug) << "";
    setenv("KINOVAL_TEST_CAMERA_PLUG", plug.c_str(), 1);
    ASSERT_TRUE(video.SetMode(video::vmCapture));
    RunEventsFor(300);
    panel->CaptureButton()->click();
    ASSERT_TRUE(capture.Armed());
    RunEventsFor(700);
    desktop.saveAnswers.push_back(temp.File("pulled"));
    std::filesystem::remove(plug);
    RunEventsFor(800); // the panel asks for the system's notices twice a second
    unsetenv("KINOVAL_TEST_CAMERA_PLUG");
    ASSERT_GE(dlg.RunCount(), 1u);
    EXPECT_EQ(
        dlg.Runs().front().Texts(), std::vector<std::string> { "Un périphérique Plug and Play a été déconnecté." });
    EXPECT_FALSE(capture.Armed());
    EXPECT_TRUE(std::filesystem::exists(temp.File("pulled.avi")));
    EXPECT_FALSE(capture.PreviewRunning());
    EXPECT_FALSE(panel->CaptureButton()->isEnabled());
    EXPECT_EQ(panel->CaptureButton()->text(), QStringLiteral("Démarrer la capture"));
}

TEST_F(CapturePanelTest, TheSettingsDialogListsTheDevicesAndHandsItsPagesOver)
{
    const auto devices = capture.DeviceList();
    const auto test = std::find(devices.begin(), devices.end(), "Caméra de test (mire) (GStreamer)");
    ASSERT_NE(test, devices.end());
    capture.SelectDevice(static_cast<int>(test - devices.begin()));
    TCaptureDialog dialog(capture);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Réglages de la capture"));
    ASSERT_GE(dialog.Devices()->count(), 1);
    EXPECT_EQ(dialog.Devices()->currentText(), QStringLiteral("Caméra de test (mire) (GStreamer)"));
    // "sans", MJPEG, and the framework's encoders this machine has.
    ASSERT_GE(dialog.Compressors()->count(), 2);
    EXPECT_EQ(dialog.Compressors()->itemText(0), QStringLiteral("sans"));
    EXPECT_EQ(dialog.Compressors()->itemText(1), QStringLiteral("MJPEG"));
    EXPECT_EQ(dialog.Compressors()->count(), static_cast<int>(capture.CompressorList().size()));
    EXPECT_EQ(dialog.Rates()->currentText(), QStringLiteral("30 fps"));
    dialog.Formats()->setCurrentIndex(1);
    dialog.Compressors()->setCurrentIndex(1);
    dialog.Rates()->setCurrentIndex(dialog.Rates()->findText(QStringLiteral("15 fps")));
    dialog.DelayCheck()->setChecked(true);
    dialog.Delay()->setValue(5);
    dialog.DurationCheck()->setChecked(true);
    dialog.Duration()->setValue(10);
    dialog.Beep()->setChecked(false);
    dialog.Apply();
    EXPECT_EQ(capture.FormatIndex(), 1);
    EXPECT_EQ(capture.CompressorIndex(), 1);
    EXPECT_EQ(capture.FrameRate(), 15);
    EXPECT_TRUE(capture.delayEnabled);
    EXPECT_EQ(capture.delay, 5);
    EXPECT_TRUE(capture.durationEnabled);
    EXPECT_EQ(capture.duration, 10);
    EXPECT_FALSE(capture.beepAtStart);
}

TEST_F(CapturePanelTest, WithoutAnyDeviceTheModeIsRefusedAndTheSettingsOpen)
{
    unsetenv("KINOVAL_TEST_CAMERA");
    media::TGstCapture noCamera(media::TGstCapture::fwOther), noV4l2(media::TGstCapture::fwV4l2);
    if (!noCamera.DeviceNames().empty() || !noV4l2.DeviceNames().empty())
        GTEST_SKIP() << "this machine has a capture device";
    TCapture empty(noV4l2, noCamera, dlg, desktop);
    panel.reset(); // the old bar lets go of the view's hooks before the new one takes them
    panel = std::make_unique<TCapturePanel>(empty, video, *widget, std::string());
    panel->execDialog = [this](TCaptureDialog&) {
        ++dialogs;
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(video.SetMode(video::vmCapture));
    EXPECT_EQ(video.Mode(), video::vmFixedPointing);
    EXPECT_EQ(dlg.LastRun().Texts(), std::vector<std::string> { "Aucun périphérique de capture détecté." });
    EXPECT_EQ(dialogs, 1);
    panel.reset();
}

} // namespace
} // namespace kinoval::capture
