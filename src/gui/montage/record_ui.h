#pragma once
// The window's side of the recording commands: the options dialog, the writers of media, Qt's picture
// readers (PNG, BMP and the other formats Qt knows) and a progress window whose "Annuler" stops the job
// after its current frame.
//
// Ownership: borrows the commands and the message dialog; the progress window lives for one job, parented
// to the main window.

#include <QObject>
#include <QPointer>

#include <functional>

class QDialog;
class QProgressDialog;
class QWidget;

namespace kinoval {
class TCustomUserDlg;
}

namespace kinoval::montage {

class TRecordCommands;

class TRecordUi : public QObject {
    Q_OBJECT
public:
    TRecordUi(TRecordCommands& commands, TCustomUserDlg& dlg, QWidget* parent);

    // Runs the options dialog; unset: its modal loop. Tests drive the dialog through it.
    std::function<int(QDialog& dialog)> execDialog;

    QProgressDialog* Progress() const;

private:
    TRecordCommands& m_commands;
    TCustomUserDlg& m_dlg;
    QWidget* m_parent;
    QPointer<QProgressDialog> m_progress;
};

} // namespace kinoval::montage
