#pragma once
// The tool bar of the montage mode and its two dialogs.
//
// In the montage mode the view shows every raw frame, hidden ones in negative. The panel's buttons hide
// or show the current frame (ButtonMontageBasculer), hide or show a typed series of frames
// (ButtonMontageBasculerMult, the series dialog) and declare frames missing before the current one
// (ButtonMontageInstant, the missing-frame dialog), and records the montage as a new video
// (ButtonMontageEnregistrer, which the window's recorder answers). All the rules are TMontage's; the dialogs only
// collect what the user types and show the montage's answers.
//
// Ownership: the panel borrows the montage, the view model, the document, the settings and the message
// dialog. The dialogs are created for each use and run through execDialog, which tests replace to drive
// them without a modal loop.

#include <QDialog>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace kinoval {
class TCustomUserDlg;
class TOptions;
namespace document {
class TData;
}
namespace video {
class TVideo;
}
} // namespace kinoval

namespace kinoval::montage {

class TMontage;

// "Afficher ou masquer une série d'images": the action, the frame numbers (1-based, groups separated by
// semicolons) and two shortcuts that fill in every even or every odd frame. "Ok" hands the text to the
// montage; an incorrect group is reported there and the dialog stays open.
class TSeriesDialog : public QDialog {
    Q_OBJECT
public:
    TSeriesDialog(TMontage& montage, QWidget* parent = nullptr);

    QLineEdit* Text() const { return m_text; }
    QRadioButton* HideChoice() const { return m_hide; }
    QRadioButton* ShowChoice() const { return m_show; }
    QPushButton* OddButton() const { return m_odd; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void FillEveryOther(int first);
    void OkClicked();

    TMontage& m_montage;
    QRadioButton* m_hide = nullptr;
    QRadioButton* m_show = nullptr;
    QLineEdit* m_text = nullptr;
    QPushButton* m_even = nullptr;
    QPushButton* m_odd = nullptr;
    QPushButton* m_ok = nullptr;
};

// "Il manque une image dans le flux vidéo": the times of the previous visible frame, the current frame and
// the next visible frame, and an up-down button whose arrows move the current frame's instant (and every
// later one's) by one period, when the montage accepts it.
class TMissingFrameDialog : public QDialog {
    Q_OBJECT
public:
    TMissingFrameDialog(TMontage& montage, double period, QWidget* parent = nullptr);

    // One arrow of the up-down button: +1 up, -1 down. False when the montage refused.
    bool Step(int delta);
    void Refresh();

    QLabel* PreviousTime() const { return m_previous; }
    QLineEdit* CurrentTime() const { return m_current; }
    QLabel* NextTime() const { return m_next; }
    QSpinBox* UpDown() const { return m_upDown; }

private:
    void UpDownChanged(int value);

    TMontage& m_montage;
    QLabel* m_previous = nullptr;
    QLineEdit* m_current = nullptr;
    QLabel* m_next = nullptr;
    QSpinBox* m_upDown = nullptr;
    int m_upDownValue = 0;
};

class TMontagePanel : public QWidget {
    Q_OBJECT
public:
    TMontagePanel(TMontage& montage, video::TVideo& video, document::TData& data, TOptions& options,
        TCustomUserDlg& dialog, QWidget* parent = nullptr);

    // Runs a dialog of the panel; unset: its modal loop.
    std::function<int(QDialog& dialog)> execDialog;

    QToolButton* Button(const char* objectName) const;

    // The mode button: false, silently, when the view refuses (a video of a single frame, or none).
    bool EnterMontageMode();
    void ToggleClicked();
    void SeriesClicked();
    void InstantClicked();
    // The buttons follow the mode, the video and whether the current frame is visible.
    void UpdateControls();

signals:
    // The montage changed through one of the panel's commands.
    void montageChanged();
    // "Enregistrer le montage dans un fichier vidéo": the window's recorder takes it.
    void recordClicked();

private:
    QToolButton* AddButton(const char* name, const char* caption, const char* hint);
    int Exec(QDialog& dialog);

    TMontage& m_montage;
    video::TVideo& m_video;
    document::TData& m_data;
    TOptions& m_options;
    TCustomUserDlg& m_dialog;
    QToolButton* m_toggle = nullptr;
    QToolButton* m_series = nullptr;
    QToolButton* m_instant = nullptr;
    QToolButton* m_record = nullptr;
};

} // namespace kinoval::montage
