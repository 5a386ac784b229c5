#pragma once
// The tool bar of the capture mode and the capture settings dialog.
//
// While the mode is active the view widget paints the camera's latest picture (refreshed 25 times a
// second) in place of the video, and the panel shows the capture button, the settings button and the
// status line. All the rules (the device list, the timer, the temporary file, the save steps, the devices
// plugged in and pulled out) are TCapture's; the panel drives its one-second timer, asks for the system's
// device notices twice a second while the mode is active, and shows the answers.
//
// Ownership: the panel borrows the capture, the view model, the view widget and the message dialog. The
// settings dialog is created for each use and run through execDialog, which tests replace to drive it
// without a modal loop.

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "core/common/signal.h"

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace kinoval {
namespace video {
class TVideo;
class TVideoWidget;
} // namespace video
namespace capture {
class TCapture;
}
} // namespace kinoval

namespace kinoval::capture {

// "Réglages de la capture": the pages "Matériel" (the device), "Compression", "Format", "Cadence" and
// "Minuterie" (the start delay with its beep, the fixed duration). The device applies as soon as it is
// chosen, so that its formats can be listed; the rest on "Ok".
class TCaptureDialog : public QDialog {
    Q_OBJECT
public:
    TCaptureDialog(TCapture& capture, QWidget* parent = nullptr);

    QComboBox* Devices() const { return m_devices; }
    QComboBox* Formats() const { return m_formats; }
    QComboBox* Compressors() const { return m_compressors; }
    QComboBox* Rates() const { return m_rates; }
    QCheckBox* DelayCheck() const { return m_delayCheck; }
    QSpinBox* Delay() const { return m_delay; }
    QCheckBox* Beep() const { return m_beep; }
    QCheckBox* DurationCheck() const { return m_durationCheck; }
    QSpinBox* Duration() const { return m_duration; }
    // Hands what the pages say to the capture ("Ok" does it).
    void Apply();

private:
    void FillDeviceLists();

    TCapture& m_capture;
    QComboBox* m_devices = nullptr;
    QComboBox* m_formats = nullptr;
    QComboBox* m_compressors = nullptr;
    QComboBox* m_rates = nullptr;
    QCheckBox* m_delayCheck = nullptr;
    QSpinBox* m_delay = nullptr;
    QCheckBox* m_beep = nullptr;
    QCheckBox* m_durationCheck = nullptr;
    QSpinBox* m_duration = nullptr;
};

class TCapturePanel : public QWidget {
    Q_OBJECT
public:
    // settingsPath: the settings file (section "Capture"); empty in tests that keep none.
    TCapturePanel(TCapture& capture, video::TVideo& video, video::TVideoWidget& view, std::string settingsPath,
        QWidget* parent = nullptr);
    ~TCapturePanel() override;

    // Runs the settings dialog modally; tests replace it.
    std::function<int(TCaptureDialog&)> execDialog;

    // Quitting: stops a recording (offering to save it), closes the preview, writes the settings.
    void Quit();
    void OpenSettings();
    void UpdateControls();

    QToolButton* CaptureButton() const { return m_captureButton; }
    QLabel* Status() const { return m_status; }

signals:
    // A recording was saved there; the window opens it for measuring.
    void videoSaved(const QString& path);

private:
    bool Enter();
    void SaveSettings();

    TCapture& m_capture;
    video::TVideo& m_video;
    // The window's children die in their order: the view may go first.
    QPointer<video::TVideoWidget> m_view;
    std::string m_settingsPath;
    QToolButton* m_captureButton = nullptr;
    QToolButton* m_settingsButton = nullptr;
    QLabel* m_status = nullptr;
    QTimer m_seconds;
    QTimer m_preview;
    QTimer m_plugNotices; // the system's notices of devices plugged in or pulled out
    bool m_quitting = false;
    TConnections m_links;
};

} // namespace kinoval::capture
