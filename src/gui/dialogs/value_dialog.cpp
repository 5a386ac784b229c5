#include "gui/dialogs/value_dialog.h"

#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "gui/dialogs/dialog_buttons.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kinoval {

TValueDialog::TValueDialog(
    QWidget* parent, const mainwindow::TValueUse& use, const QString& current, TCustomUserDlg& dlg)
    : QDialog(parent)
    , m_use(use)
    , m_dlg(dlg)
{
    setObjectName(QStringLiteral("ValueDialog"));
    setWindowTitle(QString::fromStdString(use.caption));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromStdString(use.label), this);
    label->setObjectName(QStringLiteral("LabelValue"));
    layout->addWidget(label);

    m_edit = new QLineEdit(current, this);
    m_edit->setObjectName(QStringLiteral("EditValue"));
    m_edit->setMinimumWidth(220);
    label->setBuddy(m_edit);
    layout->addWidget(m_edit);

    auto* range = new QLabel(QString::fromStdString(use.rangeText), this);
    range->setObjectName(QStringLiteral("LabelRange"));
    layout->addWidget(range);

    if (!use.note.empty()) {
        auto* note = new QLabel(QString::fromStdString(use.note), this);
        note->setObjectName(QStringLiteral("LabelNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    layout->addLayout(MakeOkCancelRow(*this));
    m_edit->selectAll();
    m_edit->setFocus();
}

std::optional<double> TValueDialog::Ask(
    QWidget* parent, const mainwindow::TValueUse& use, const QString& current, TCustomUserDlg& dlg)
{
    TValueDialog dialog(parent, use, current, dlg);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Value();
}

void TValueDialog::accept()
{
    double value = 0;
    const std::vector<std::string> refusal = mainwindow::CheckValue(m_use, m_edit->text().toStdString(), value);
    if (!refusal.empty()) {
        m_dlg.ShowMessage(TUserDlgIcon::icWarning, refusal);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_value = value;
    QDialog::accept();
}

} // namespace kinoval
