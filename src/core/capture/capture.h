#pragma once
// TCapture: the capture mode's logic, over the two device frameworks of this system.
//
// The window owns one TCapture for the program's life and hands it the two back-ends (framework 0: the
// V4L2 cameras, framework 1: the other video sources of the desktop's media framework), the message dialog
// and the desktop services. The user picks a device in one list that mixes both frameworks; the index in
// that list selects the framework and the device in it.
//
// A recording goes to a temporary file in the temporary folder first, and is copied where the user says
// once it is complete: a camera keeps writing at its own pace, and the choice of a name must not make it
// wait. The one-second timer counts down an optional start delay (with a beep) and ends an optional fixed
// duration; the window drives it (EnableTimer hook, Tick) so that tests can tick by hand.
//
// A recording of an experiment cannot be redone: nothing here deletes one without the user's word.

#include "core/capture/capture_backend.h"
#include "core/common/signal.h"

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace kinoval {
class TCustomUserDlg;
class TDesktopServices;
class TIniFile;
} // namespace kinoval

namespace kinoval::capture {

inline constexpr int kUnlimitedDuration = INT_MAX;
inline constexpr const char* kCaptureSection = "Capture";

// The frame rates the settings dialog offers, and the default one.
inline constexpr int kFrameRates[] = { 60, 30, 25, 20, 15, 10 };
inline constexpr int kDefaultFrameRate = 30;

class TCapture {
public:
    TCapture(TCaptureBackend& v4l2, TCaptureBackend& other, TCustomUserDlg& userDlg, TDesktopServices& desktop);
    TCapture(const TCapture&) = delete;
    TCapture& operator=(const TCapture&) = delete;

    // What the window provides: switching its one-second timer on and off.
    struct THooks {
        std::function<void(bool enabled)> enableTimer;
    } hooks;

    struct TNotifications {
        TSignal<> statusTick; // every second of the timer
        TSignal<> stateChanged; // a recording started or stopped
        TSignal<const std::string&> fileSaved; // the recording is now this file
        TSignal<> fileNotSaved; // the user chose to delete the recording
    } notify;

    // Settings (the timer page of the settings dialog).
    bool delayEnabled = false;
    int delay = 5; // seconds
    bool durationEnabled = false;
    int duration = 10; // seconds; kUnlimitedDuration: until stopped
    bool beepAtStart = true;

    // The framework of the selected device: 0 V4L2, 1 the other sources.
    int Framework() const { return m_framework; }
    TCaptureBackend& Backend() { return *m_backends[m_framework]; }
    const TCaptureBackend& Backend() const { return *m_backends[m_framework]; }

    // The mixed list: the V4L2 devices, each followed by " (V4L2)", then the others with " (GStreamer)".
    std::vector<std::string> DeviceList();
    // Lists both frameworks' devices again; nothing changes while a recording runs.
    void RefreshDevices();
    int DeviceCount();
    // The selected device's index in the mixed list, -1 when none.
    int DeviceIndex();
    std::string DeviceName();
    // Stops a running recording first (offering to save it); selecting the same device does nothing.
    void SelectDevice(int mixedIndex);
    bool DeviceChosen() const { return Backend().DeviceIndex() >= 0; }

    std::vector<std::string> FormatList() { return Backend().FormatNames(); }
    int FormatIndex() const { return Backend().FormatIndex(); }
    void SelectFormat(int index) { Backend().SelectFormat(index); }
    std::vector<std::string> CompressorList() { return Backend().CompressorNames(); }
    int CompressorIndex() const { return Backend().CompressorIndex(); }
    void SelectCompressor(int index) { Backend().SelectCompressor(index); }
    int FrameRate() const { return m_frameRate; }
    void SetFrameRate(int fps);

    bool Capturing() const { return Backend().Capturing(); }
    // A recording started or waiting for its delay: the capture button stays pressed.
    bool Armed() const { return m_armed; }
    bool PreviewRunning() const { return Backend().PreviewRunning(); }
    int CapturedFrames() const { return Backend().CapturedFrames(); }
    int DroppedFrames() const { return Backend().DroppedFrames(); }
    int Seconds() const { return m_counter; }

    // Section "Capture": keys "Framework", "Device", "Format", "Codec". Names are matched without regard
    // to case; a failure deselects device, format and compressor.
    void LoadSettings(const TIniFile& file);
    void SaveSettings(TIniFile& file);

    // Entering the capture mode: loads the settings the first time, starts the preview. False (after the
    // message saying why) when no device works; the window then opens the settings dialog.
    bool Enter(const TIniFile& settings);
    // Leaving the mode, or quitting: stops a recording (offering to save it) and closes the preview.
    void Leave();
    bool InMode() const { return m_inMode; }

    // Takes the system's notices of devices plugged in or pulled out from both frameworks (the window
    // asks a few times a second while the mode is active) and handles each as DeviceChanged does.
    void PollDeviceChanges();
    // In the mode: says which change came, lists the devices again, and follows it. A camera pulled out
    // ends its recording (offering to save what it recorded) and its preview; one plugged in while no
    // preview runs starts one. Outside the mode nothing is said: entering lists the devices anew.
    void DeviceChanged(TDeviceChange change);

    // The capture button: starts (at once, or after the delay), or stops and offers to save.
    void StartStop();
    void Stop();
    // One second of the timer.
    void Tick();
    // The status line: the countdown, or the frame counts while recording; empty otherwise.
    std::string StatusText() const;

    // Where the recordings wait; the temporary folder unless a test says otherwise.
    void SetTemporaryFolder(std::string folder) { m_tempFolder = std::move(folder); }
    const std::string& TemporaryFile() const { return m_tempFile; }
    // The folder the save dialog opens in.
    std::string lastFolder;

    // "Capture0", "Capture1"... in the folder: a leftover file of a name is deleted and the name reused;
    // one that cannot be deleted makes way for the next number.
    static std::string ChooseTemporaryFile(const std::string& folder);
    // "CaptureN.avi" (or the extension of the compressor's container) with the first N from 1 that names
    // no file in the folder.
    static std::string FreeFileName(const std::string& folder, const std::string& extension = "avi");

private:
    void StartCapturing();
    void SaveRecording();
    void ShowWarning(const std::vector<std::string>& lines);
    void SetTimer(bool enabled);

    TCaptureBackend* m_backends[2];
    TCustomUserDlg& m_userDlg;
    TDesktopServices& m_desktop;
    int m_framework = 1;
    int m_frameRate = kDefaultFrameRate;
    bool m_firstUse = true;
    bool m_inMode = false;
    bool m_handlingChange = false; // a notice's message is up: later ones wait for the next poll
    bool m_armed = false;
    bool m_started = false; // this recording really began writing
    int m_counter = 0;
    std::string m_tempFolder;
    std::string m_tempFile;
    std::string m_extension = "avi"; // of the recording in progress
};

} // namespace kinoval::capture
