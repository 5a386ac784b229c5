#pragma once
// The one dialog through which the main window asks for a typed value: a frame number, the axis angle, a
// scale length, a count of marks or of frames. Each use (core/mainwindow/value_input.h) brings its caption,
// label, range text, optional note and the check applied on OK. A refused text is explained through the
// shared message dialog, and the dialog stays open with the text selected so the user can retype it.
//
// Controls are named for tests and for the main window's status hints: "EditValue", "LabelValue",
// "LabelRange", "LabelNote", "ButtonOk", "ButtonAnnuler".

#include "core/mainwindow/value_input.h"

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;

namespace kinoval {

class TCustomUserDlg;

class TValueDialog : public QDialog {
    Q_OBJECT
public:
    TValueDialog(QWidget* parent, const mainwindow::TValueUse& use, const QString& current, TCustomUserDlg& dlg);

    // Runs the dialog modally; the accepted value (in radians for the angle), or nothing when cancelled.
    static std::optional<double> Ask(
        QWidget* parent, const mainwindow::TValueUse& use, const QString& current, TCustomUserDlg& dlg);

    // The value accepted by the last OK.
    std::optional<double> Value() const { return m_value; }
    QLineEdit* Edit() const { return m_edit; }

public slots:
    // OK: checks the text; a refusal shows its lines and keeps the dialog open.
    void accept() override;

private:
    mainwindow::TValueUse m_use;
    TCustomUserDlg& m_dlg;
    QLineEdit* m_edit = nullptr;
    std::optional<double> m_value;
};

} // namespace kinoval
