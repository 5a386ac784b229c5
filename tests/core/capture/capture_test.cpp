#include "core/capture/capture.h"

#include "core/common/ini_file.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

namespace kinoval::capture {
namespace {

namespace fs = std::filesystem;

// A framework with scripted devices; a recording writes a small file as a real one would.
class TFakeBackend : public TCaptureBackend {
public:
    std::vector<std::string> devices;
    std::vector<std::string> formats { "640x480 YUY2, 30 fps", "320x240 YUY2, 30 fps" };
    std::vector<std::string> compressors { "sans", "MJPEG" };
    int device = -1, format = -1, compressor = -1, fps = 0;
    bool preview = false, capturing = false, startFails = false, writesNothing = false;
    TPreviewResult previewResult = TPreviewResult::prOk;
    std::string file;
    int captured = 0;

    std::vector<std::string> DeviceNames() override { return devices; }
    // Like a framework, the list changes only when it is asked again, and keeps its device by name.
    std::vector<std::string> plugged;
    void RefreshDevices() override
    {
        ++refreshes;
        if (plugged.empty())
            return;
        const std::string current = device >= 0 && device < static_cast<int>(devices.size()) ? devices[device] : "";
        devices = plugged;
        device = -1;
        for (std::size_t i = 0; i < devices.size(); ++i)
            if (devices[i] == current)
                device = static_cast<int>(i);
    }
    int refreshes = 0;
    std::vector<TDeviceChange> changes;
    std::vector<TDeviceChange> TakeDeviceChanges() override { return std::exchange(changes, {}); }
    std::string extension = "avi";
    std::string RecordingExtension() const override { return extension; }
    int DeviceIndex() const override { return device; }
    void SelectDevice(int index) override { device = index; }
    std::vector<std::string> FormatNames() override { return formats; }
    int FormatIndex() const override { return format; }
    void SelectFormat(int index) override { format = index; }
    std::vector<std::string> CompressorNames() override { return compressors; }
    int CompressorIndex() const override { return compressor; }
    void SelectCompressor(int index) override { compressor = index; }
    void SetFrameRate(int f) override { fps = f; }
    TPreviewResult StartPreview() override
    {
        if (device < 0)
            return TPreviewResult::prNoneSelected;
        preview = previewResult == TPreviewResult::prOk;
        return previewResult;
    }
    void ClosePreview() override { preview = false; }
    bool PreviewRunning() const override { return preview; }
    bool PreviewFrame(TRgbImage&) override { return preview; }
    bool StartCapture(const std::string& name) override
    {
        if (startFails)
            return false;
        file = name;
        capturing = true;
        if (!writesNothing)
            std::ofstream(name) << "RIFF";
        return true;
    }
    void StopCapture() override { capturing = false; }
    bool Capturing() const override { return capturing; }
    int CapturedFrames() const override { return captured; }
    int DroppedFrames() const override { return 2; }
};

class CaptureTest : public ::testing::Test {
protected:
    CaptureTest()
        : capture(v4l2, other, dlg, desktop)
    {
        v4l2.devices = { "Webcam A", "Webcam B", "Webcam C" };
        other.devices = { "Caméra test", "PipeWire source" };
        capture.SetTemporaryFolder(temp.File(""));
        capture.hooks.enableTimer = [this](bool on) { timerOn = on; };
        capture.lastFolder = temp.Path().string();
    }
    std::string Saved(const std::string& name) const { return temp.File(name); }

    TFakeBackend v4l2, other;
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    test::TTempDir temp;
    TCapture capture;
    bool timerOn = false;
};

TEST_F(CaptureTest, TheDeviceListMixesBothFrameworksAndItsIndexSelectsOne)
{
    EXPECT_EQ(capture.DeviceList(),
        (std::vector<std::string> { "Webcam A (V4L2)", "Webcam B (V4L2)", "Webcam C (V4L2)", "Caméra test (GStreamer)",
            "PipeWire source (GStreamer)" }));
    capture.SelectDevice(3); // after three V4L2 devices: the first of the others
    EXPECT_EQ(capture.Framework(), 1);
    EXPECT_EQ(other.device, 0);
    EXPECT_EQ(capture.DeviceIndex(), 3);
    EXPECT_EQ(capture.DeviceName(), "Caméra test");
    capture.SelectDevice(1);
    EXPECT_EQ(capture.Framework(), 0);
    EXPECT_EQ(v4l2.device, 1);
    EXPECT_EQ(capture.DeviceIndex(), 1);
    EXPECT_EQ(v4l2.fps, kDefaultFrameRate);
}

TEST_F(CaptureTest, ChangingDeviceStopsARecordingAndOffersToSaveIt)
{
    capture.SelectDevice(0);
    capture.StartStop();
    ASSERT_TRUE(v4l2.capturing);
    desktop.saveAnswers.push_back(Saved("kept.avi"));
    capture.SelectDevice(0); // the same device: nothing happens
    EXPECT_TRUE(v4l2.capturing);
    capture.SelectDevice(4);
    EXPECT_FALSE(v4l2.capturing);
    EXPECT_TRUE(fs::exists(Saved("kept.avi")));
    EXPECT_EQ(capture.Framework(), 1);
    EXPECT_EQ(other.device, 1);
}

TEST_F(CaptureTest, DelayAndDurationCountDownStartAndStopOnTheirTicks)
{
    capture.SelectDevice(0);
    capture.delayEnabled = true;
    capture.delay = 5;
    capture.durationEnabled = true;
    capture.duration = 10;
    capture.beepAtStart = true;
    std::vector<std::string> statuses;
    TConnection c = capture.notify.statusTick.Connect([&] { statuses.push_back(capture.StatusText()); });
    desktop.saveAnswers.push_back(Saved("experience"));

    capture.StartStop();
    EXPECT_TRUE(timerOn);
    EXPECT_FALSE(v4l2.capturing);
    for (int tick = 1; tick <= 4; ++tick) {
        capture.Tick();
        EXPECT_FALSE(v4l2.capturing) << tick;
    }
    EXPECT_EQ(statuses.front(), "La capture va démarrer dans 4 seconde(s)");
    EXPECT_EQ(statuses.back(), "La capture va démarrer dans 1 seconde(s)");
    EXPECT_EQ(desktop.beeps, 0);
    capture.Tick(); // the 5th
    EXPECT_TRUE(v4l2.capturing);
    EXPECT_EQ(desktop.beeps, 1);
    v4l2.captured = 42;
    EXPECT_EQ(capture.StatusText(), "Nombre d'images capturées : 42   Nombre d'images perdues : 2");
    for (int tick = 6; tick <= 14; ++tick) {
        capture.Tick();
        EXPECT_TRUE(v4l2.capturing) << tick;
    }
    capture.Tick(); // the 15th
    EXPECT_FALSE(v4l2.capturing);
    EXPECT_FALSE(timerOn);
    EXPECT_FALSE(capture.Armed());
    // The name typed without its extension gets ".avi"; the temporary file goes once copied.
    EXPECT_TRUE(fs::exists(Saved("experience.avi")));
    EXPECT_FALSE(fs::exists(v4l2.file));
    EXPECT_EQ(desktop.saveRequests.at(0).title, "Enregistrer une vidéo");
    EXPECT_EQ(desktop.saveRequests.at(0).filter, "Fichier vidéo (*.avi)");
    EXPECT_EQ(desktop.saveRequests.at(0).proposedName, "Capture1.avi");
    EXPECT_EQ(dlg.RunCount(), 0u);
}

TEST_F(CaptureTest, WithoutDelayOrDurationTheRecordingRunsUntilTheCommandComesAgain)
{
    capture.SelectDevice(0);
    capture.beepAtStart = true;
    capture.StartStop();
    EXPECT_TRUE(v4l2.capturing);
    for (int i = 0; i < 100; ++i)
        capture.Tick();
    EXPECT_TRUE(v4l2.capturing);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(capture.Seconds(), 100);
    std::string saved;
    TConnection c = capture.notify.fileSaved.Connect([&](const std::string& name) { saved = name; });
    desktop.saveAnswers.push_back(Saved("Chute.AVI"));
    capture.StartStop();
    EXPECT_FALSE(v4l2.capturing);
    EXPECT_EQ(saved, Saved("Chute.AVI")); // the extension is recognised whatever its case
}

TEST_F(CaptureTest, AStopDuringTheCountdownLeavesNothingToSave)
{
    capture.SelectDevice(0);
    capture.delayEnabled = true;
    capture.delay = 5;
    capture.StartStop();
    capture.Tick();
    capture.StartStop();
    EXPECT_FALSE(capture.Armed());
    EXPECT_EQ(dlg.RunCount(), 0u);
    EXPECT_TRUE(desktop.saveRequests.empty());
}

TEST_F(CaptureTest, TheTemporaryFileReusesALeftoverNameOrTakesTheNextOne)
{
    const std::string folder = temp.File("tmp");
    fs::create_directory(folder);
    EXPECT_EQ(TCapture::ChooseTemporaryFile(folder), folder + "/Capture0");
    std::ofstream(folder + "/Capture0") << "old";
    EXPECT_EQ(TCapture::ChooseTemporaryFile(folder), folder + "/Capture0");
    EXPECT_FALSE(fs::exists(folder + "/Capture0"));
    // A name that cannot be deleted (a folder with something in it) makes way for the next number.
    fs::create_directories(folder + "/Capture0/inside");
    std::ofstream(folder + "/Capture1") << "old";
    EXPECT_EQ(TCapture::ChooseTemporaryFile(folder), folder + "/Capture1");
    EXPECT_FALSE(fs::exists(folder + "/Capture1"));

    std::ofstream(folder + "/Capture1.avi") << "x";
    std::ofstream(folder + "/Capture2.avi") << "x";
    EXPECT_EQ(TCapture::FreeFileName(folder), "Capture3.avi");
}

TEST_F(CaptureTest, AnExistingNameIsRefusedAndTheDialogOpensAgainInItsFolder)
{
    const std::string other = temp.File("other");
    fs::create_directory(other);
    std::ofstream(other + "/taken.avi") << "someone else's";
    capture.SelectDevice(0);
    capture.StartStop();
    desktop.saveAnswers.push_back(other + "/taken.avi");
    desktop.saveAnswers.push_back(other + "/free.avi");
    capture.StartStop();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { other + "/taken.avi",
            "Un fichier portant ce nom existe déjà dans le répertoire choisi.",
            "Veuillez choisir un nom de fichier différent ou un autre répertoire." }));
    EXPECT_EQ(dlg.LastRun().lines.at(0).colour, clBlue);
    ASSERT_EQ(desktop.saveRequests.size(), 2u);
    EXPECT_EQ(desktop.saveRequests[1].folder, other);
    EXPECT_EQ(desktop.saveRequests[1].proposedName, "Capture1.avi");
    EXPECT_FALSE(desktop.saveRequests[1].confirmOverwrite);
    std::ifstream kept(other + "/taken.avi");
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "someone else's");
    EXPECT_TRUE(fs::exists(other + "/free.avi"));
    EXPECT_EQ(capture.lastFolder, other);
}

TEST_F(CaptureTest, CancellingTheSaveAsksBeforeDeletingTheRecording)
{
    capture.SelectDevice(0);
    int notSaved = 0;
    TConnection c = capture.notify.fileNotSaved.Connect([&] { ++notSaved; });

    // Cancel, then "Enregistrer": the dialog comes back and the video is saved after all.
    capture.StartStop();
    const std::string first = v4l2.file;
    desktop.saveAnswers.push_back(std::nullopt);
    desktop.saveAnswers.push_back(Saved("second-thoughts.avi"));
    dlg.Script(0);
    capture.StartStop();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Texts(), std::vector<std::string> { "Supprimer la vidéo enregistrée ?" });
    EXPECT_EQ(dlg.LastRun().Captions(), (std::vector<std::string> { "Enregistrer", "Supprimer" }));
    EXPECT_TRUE(fs::exists(Saved("second-thoughts.avi")));
    EXPECT_EQ(notSaved, 0);

    // Cancel, then "Supprimer": the recording goes.
    capture.StartStop();
    EXPECT_EQ(v4l2.file, first); // the name freed by the first copy is reused
    desktop.saveAnswers.push_back(std::nullopt);
    dlg.Script(1);
    capture.StartStop();
    EXPECT_FALSE(fs::exists(v4l2.file));
    EXPECT_EQ(notSaved, 1);
}

TEST_F(CaptureTest, ARecordingThatWroteNothingSaysSoAndDropsTheCompressor)
{
    capture.SelectDevice(0);
    v4l2.compressor = 1;
    v4l2.writesNothing = true;
    capture.StartStop();
    capture.StartStop();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(
        dlg.LastRun().Texts(), std::vector<std::string> { "La capture a échoué. Le fichier n'a pas été enregistré." });
    EXPECT_EQ(v4l2.compressor, -1);
    EXPECT_TRUE(desktop.saveRequests.empty());

    // A device that refuses to record says the same at once, and the timer does not run on.
    dlg.ClearRuns();
    v4l2.startFails = true;
    capture.StartStop();
    EXPECT_FALSE(capture.Armed());
    EXPECT_FALSE(timerOn);
    EXPECT_EQ(dlg.RunCount(), 1u);
}

TEST_F(CaptureTest, AFailedCopyWarnsAndKeepsTheRecordingForAnotherPlace)
{
    capture.SelectDevice(0);
    capture.StartStop();
    desktop.saveAnswers.push_back(temp.File("no-such-folder/video.avi"));
    desktop.saveAnswers.push_back(Saved("video.avi"));
    capture.StartStop();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "La création du fichier dans le répertoire choisi a échoué.",
            "Vérifiez vos droits d'accès à ce répertoire." }));
    EXPECT_TRUE(fs::exists(Saved("video.avi")));
}

TEST_F(CaptureTest, SettingsAreFoundByNameWhateverTheCaseAndAFailureDeselects)
{
    TIniFile ini;
    ini.SetText("[Capture]\nFramework=1\nDevice=pipewire SOURCE\nFormat=320x240 yuy2, 30 FPS\nCodec=mjpeg\n");
    ASSERT_TRUE(capture.Enter(ini));
    EXPECT_EQ(v4l2.refreshes, 1); // a camera plugged in since is offered
    EXPECT_EQ(capture.Framework(), 1);
    EXPECT_EQ(other.device, 1);
    EXPECT_EQ(other.format, 1);
    EXPECT_EQ(other.compressor, 1);
    EXPECT_TRUE(other.preview);
    capture.Leave();
    EXPECT_FALSE(other.preview);

    TIniFile saved;
    capture.SaveSettings(saved);
    EXPECT_EQ(saved.ReadInt("Capture", "Framework", -1), 1);
    EXPECT_EQ(saved.ReadString("Capture", "Device", ""), "PipeWire source");
    EXPECT_EQ(saved.ReadString("Capture", "Format", ""), "320x240 YUY2, 30 fps");
    EXPECT_EQ(saved.ReadString("Capture", "Codec", ""), "MJPEG");

    TIniFile unknown;
    unknown.SetText("[Capture]\nFramework=0\nDevice=Gone\nFormat=x\nCodec=MJPEG\n");
    capture.LoadSettings(unknown);
    EXPECT_EQ(v4l2.device, -1);
    EXPECT_EQ(v4l2.format, -1);
    EXPECT_EQ(v4l2.compressor, -1);
}

TEST_F(CaptureTest, EnteringWithoutAWorkingDeviceSaysWhyAndRefuses)
{
    TIniFile ini;
    v4l2.devices.clear();
    other.devices.clear();
    EXPECT_FALSE(capture.Enter(ini));
    EXPECT_EQ(dlg.LastRun().Texts(), std::vector<std::string> { "Aucun périphérique de capture détecté." });

    // A single device needs no choosing; one that fails says so.
    v4l2.devices = { "Webcam" };
    v4l2.previewResult = TPreviewResult::prDeviceFailed;
    EXPECT_FALSE(capture.Enter(ini));
    EXPECT_EQ(v4l2.device, 0);
    EXPECT_EQ(
        dlg.LastRun().Texts(), std::vector<std::string> { "Le périphérique de capture choisi ne fonctionne pas." });
}

TEST_F(CaptureTest, ACompressorWritingAnotherContainerNamesTheSavedFileAfterIt)
{
    capture.SelectDevice(3);
    other.extension = "mp4";
    capture.StartStop();
    // The compressor cannot change the container of a recording already made.
    other.extension = "avi";
    std::string saved;
    TConnection c = capture.notify.fileSaved.Connect([&](const std::string& name) { saved = name; });
    std::ofstream(Saved("Capture1.mp4")) << "an earlier one";
    desktop.saveAnswers.push_back(Saved("chute"));
    capture.StartStop();
    ASSERT_EQ(desktop.saveRequests.size(), 1u);
    EXPECT_EQ(desktop.saveRequests[0].filter, "Fichier vidéo (*.mp4)");
    EXPECT_EQ(desktop.saveRequests[0].defaultExtension, "mp4");
    EXPECT_EQ(desktop.saveRequests[0].proposedName, "Capture2.mp4");
    EXPECT_EQ(saved, Saved("chute.mp4"));
    EXPECT_TRUE(fs::exists(Saved("chute.mp4")));

    // "chute.avi" is a name, not the container's extension: it gets its own.
    other.extension = "webm";
    capture.StartStop();
    desktop.saveAnswers.push_back(Saved("chute.avi"));
    capture.StartStop();
    EXPECT_EQ(saved, Saved("chute.avi.webm"));
}

class DeviceChangeTest : public CaptureTest {
protected:
    void SetUp() override
    {
        other.devices = { "Caméra test" };
        other.plugged = other.devices;
        v4l2.devices.clear();
        ASSERT_TRUE(capture.Enter(TIniFile()));
        ASSERT_TRUE(other.preview);
        dlg.ClearRuns();
    }
    std::vector<std::string> Said()
    {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < dlg.RunCount(); ++i)
            for (const auto& t : dlg.Runs()[i].Texts())
                texts.push_back(t);
        return texts;
    }
};

TEST_F(DeviceChangeTest, ACameraPulledOutAndPluggedBackIsSaidAndFollowed)
{
    int changes = 0;
    TConnection c = capture.notify.stateChanged.Connect([&] { ++changes; });
    other.plugged = { "Autre caméra" }; // what a new listing gives: the camera is gone
    other.changes = { TDeviceChange::dcRemoved };
    capture.PollDeviceChanges();
    EXPECT_EQ(Said(), std::vector<std::string> { "Un périphérique Plug and Play a été déconnecté." });
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(capture.DeviceList(), std::vector<std::string> { "Autre caméra (GStreamer)" });
    EXPECT_FALSE(other.preview);
    EXPECT_EQ(capture.DeviceIndex(), -1);
    EXPECT_EQ(changes, 1);

    other.plugged = { "Autre caméra", "Caméra test" };
    other.changes = { TDeviceChange::dcArrived };
    capture.PollDeviceChanges();
    EXPECT_EQ(Said().back(), "Un périphérique Plug and Play a été reconnecté");
    // With no device chosen, the first one listed takes the preview.
    EXPECT_TRUE(other.preview);
    EXPECT_EQ(capture.DeviceName(), "Autre caméra");
    // Nothing new: nothing said.
    capture.PollDeviceChanges();
    EXPECT_EQ(dlg.RunCount(), 2u);
}

TEST_F(DeviceChangeTest, AnotherDeviceComingOrGoingLeavesTheRecordingAlone)
{
    capture.StartStop();
    ASSERT_TRUE(other.capturing);
    other.plugged = { "Caméra test", "Nouvelle" };
    v4l2.plugged = { "Webcam" };
    other.changes = { TDeviceChange::dcArrived };
    v4l2.changes = { TDeviceChange::dcArrived };
    capture.PollDeviceChanges();
    EXPECT_EQ(dlg.RunCount(), 2u);
    EXPECT_TRUE(other.capturing);
    EXPECT_EQ(capture.DeviceName(), "Caméra test");
    EXPECT_TRUE(desktop.saveRequests.empty());
    // The list of the framework that is not recording waits: a mixed index must not move under a recording.
    EXPECT_EQ(v4l2.refreshes, 1);
}

TEST_F(DeviceChangeTest, TheRecordingCameraPulledOutEndsTheRecordingAndOffersWhatItRecorded)
{
    capture.StartStop();
    ASSERT_TRUE(other.capturing);
    other.plugged = { "Nouvelle" };
    other.changes = { TDeviceChange::dcRemoved };
    desktop.saveAnswers.push_back(Saved("avant-la-panne.avi"));
    capture.PollDeviceChanges();
    EXPECT_EQ(Said(), std::vector<std::string> { "Un périphérique Plug and Play a été déconnecté." });
    EXPECT_FALSE(capture.Armed());
    EXPECT_FALSE(other.preview);
    EXPECT_TRUE(fs::exists(Saved("avant-la-panne.avi")));
}

TEST_F(DeviceChangeTest, OutsideTheModeNoticesAreNotSaidAndOldOnesAreDroppedOnEntry)
{
    capture.Leave();
    other.changes = { TDeviceChange::dcRemoved };
    capture.PollDeviceChanges();
    other.changes = { TDeviceChange::dcArrived, TDeviceChange::dcRemoved };
    ASSERT_TRUE(capture.Enter(TIniFile()));
    capture.PollDeviceChanges();
    EXPECT_EQ(dlg.RunCount(), 0u);
}

} // namespace
} // namespace kinoval::capture
