#pragma once
// The time dialog: the time between two frames of the study. It shows what the video itself says (its
// frame rate and the duration of one frame) and lets the user keep that default or type another value,
// for a video filmed at high speed whose file carries a playback rate rather than the filming rate.
// A refused text is explained through the shared message dialog and the dialog stays open with the text
// selected. For a video whose frames do not all last the same time (a phone's), the duration shown is
// the average one, and the study's time may follow the frames' own timestamps instead (a choice saved
// with the study).
//
// Controls: "RadioDefault", "RadioOther", "EditDuration", "LabelRate", "LabelFrameDuration", "LabelRange",
// "CheckBoxTimeFromTimestamps", "ButtonOk", "ButtonAnnuler".

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kinoval {

class TCustomUserDlg;

namespace document {
class TData;
}

// What the video source says about its timing; zero when unknown (no video, or a view that cannot tell).
struct TTimeSource {
    double framesPerSecond = 0;
    double frameDuration = 0; // the average one when the durations vary
    bool variable = false; // the frames do not all last the same time
    bool frameTimes = false; // the video knows each frame's time
};

class TTimeDialog : public QDialog {
    Q_OBJECT
public:
    TTimeDialog(QWidget* parent, double current, const TTimeSource& source, TCustomUserDlg& dlg,
        bool timeFromTimestamps = false);

    // Asks the time between two frames (and whether the time follows the frames' timestamps) and stores
    // it in the document; true when either changed. The source's timing is read from the document's view
    // when that view is the video view.
    static bool Ask(QWidget* parent, document::TData& data, TCustomUserDlg& dlg);
    static bool Ask(QWidget* parent, document::TData& data, TCustomUserDlg& dlg, const TTimeSource& source);

    // The duration accepted by the last OK, seconds.
    double Value() const { return m_value; }
    // The choice of the frames' own times, as the dialog shows it.
    bool TimeFromTimestamps() const;

public slots:
    void accept() override;

private:
    TTimeSource m_source;
    TCustomUserDlg& m_dlg;
    QRadioButton* m_default = nullptr;
    QRadioButton* m_other = nullptr;
    QLineEdit* m_edit = nullptr;
    QCheckBox* m_timestamps = nullptr;
    double m_value = 0;
};

} // namespace kinoval
