#include "gui/mainwindow/main_form_dialogs.h"

#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/common/version.h"
#include "core/video/video.h"

#include <QInputDialog>
#include <QMessageBox>

namespace kinoval::gui {

namespace {
QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}
} // namespace

std::optional<double> AskValueDialog(
    QWidget* parent, const mainwindow::TValueUse& use, const QString& current, TCustomUserDlg& dialog)
{
    QString text = current;
    for (;;) {
        bool ok = false;
        QString label = Q(use.label) + QStringLiteral("\n") + Q(use.rangeText);
        if (!use.note.empty())
            label = Q(use.note) + QStringLiteral("\n\n") + label;
        text = QInputDialog::getText(parent, Q(use.caption), label, QLineEdit::Normal, text, &ok);
        if (!ok)
            return std::nullopt;
        double value = 0;
        const std::vector<std::string> refusal = mainwindow::CheckValue(use, text.toStdString(), value);
        if (refusal.empty())
            return value;
        dialog.ShowMessage(TUserDlgIcon::icWarning, refusal);
    }
}

bool AskTimeDialog(QWidget*, document::TData&, TCustomUserDlg&)
{
    return false;
}

void RunNamesDialog(QWidget*, document::TData&, bool) {}

void ShowVideoPropertiesBox(QWidget* parent, const video::TVideo& video)
{
    QMessageBox::information(parent, Q(Tr("Propriétés de la vidéo")),
        QStringLiteral("%1\n%2 x %3\n%4 i/s")
            .arg(Q(video.FileName()))
            .arg(video.FrameWidth())
            .arg(video.FrameHeight())
            .arg(video.FramesPerSecond()));
}

void ShowAboutKinoval(QWidget* parent)
{
    QMessageBox::about(parent, Q(Tr("A propos de Kinoval")), QStringLiteral("%1 %2").arg(kProductName, kVersion));
}

bool RunSettingsDialog(QWidget*, TOptions&, TCustomUserDlg&, TDesktopServices&)
{
    return false;
}

} // namespace kinoval::gui
