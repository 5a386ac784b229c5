#pragma once
// TBoiteRecordMontage: the options of a recording, with a summary of what will be written.
//
// The same dialog serves the three jobs of the recorder: the montage as a video and pictures assembled
// into a video (the writer, its compressor, quality, key frames, rate and, for the montage, blank frames
// for missing frames), and the frames as still pictures (only the resize or crop). The summary follows
// every change, so the user sees the size and count of what the choice gives before any frame is spent.

#include "core/montage/record_options.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace kinoval {
class TCustomUserDlg;
}

namespace kinoval::montage {

class TBoiteRecordMontage : public QDialog {
    Q_OBJECT
public:
    TBoiteRecordMontage(
        const TRecordOptions& options, const TRecordDialogFacts& facts, TCustomUserDlg& dlg, QWidget* parent = nullptr);

    TRecordOptions Options() const;
    QStringList SummaryText() const;

    void accept() override;

private:
    void FrameworkChanged();
    void Refresh();

    TRecordDialogFacts m_facts;
    TCustomUserDlg& m_dlg;
    TRecordOptions m_initial;
    QComboBox* m_framework = nullptr;
    QComboBox* m_codec = nullptr;
    QSpinBox* m_quality = nullptr;
    QSpinBox* m_keyFrames = nullptr;
    QCheckBox* m_modify = nullptr;
    QRadioButton* m_resize = nullptr;
    QRadioButton* m_crop = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QSpinBox* m_top = nullptr;
    QSpinBox* m_bottom = nullptr;
    QSpinBox* m_sides = nullptr;
    QLineEdit* m_rate = nullptr;
    QCheckBox* m_blank = nullptr;
    QLabel* m_summary = nullptr;
};

} // namespace kinoval::montage
