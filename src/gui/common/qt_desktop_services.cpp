#include "gui/common/qt_desktop_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace kinoval {

namespace {

std::optional<std::vector<std::string>> RunFilesDialog(
    QWidget* parent, const TFileDialogRequest& request, bool save, bool several)
{
    QFileDialog dialog(parent, QString::fromStdString(request.title), QString::fromStdString(request.folder),
        QString::fromStdString(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(
        save ? QFileDialog::AnyFile : (several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.proposedName.empty())
        dialog.selectFile(QString::fromStdString(request.proposedName));
    if (save)
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    std::vector<std::string> files;
    for (const QString& file : dialog.selectedFiles())
        files.push_back(file.toStdString());
    return files;
}

std::optional<std::string> RunFileDialog(QWidget* parent, const TFileDialogRequest& request, bool save)
{
    const auto files = RunFilesDialog(parent, request, save, false);
    if (!files)
        return std::nullopt;
    return files->front();
}

} // namespace

void TQtDesktopServices::SetClipboardText(const std::string& text)
{
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string TQtDesktopServices::ClipboardText() const
{
    return QApplication::clipboard()->text().toStdString();
}

std::optional<std::string> TQtDesktopServices::OpenFileDialog(const TFileDialogRequest& request)
{
    return RunFileDialog(m_parent, request, false);
}

std::optional<std::string> TQtDesktopServices::SaveFileDialog(const TFileDialogRequest& request)
{
    return RunFileDialog(m_parent, request, true);
}

std::optional<std::vector<std::string>> TQtDesktopServices::OpenFilesDialog(const TFileDialogRequest& request)
{
    return RunFilesDialog(m_parent, request, false, true);
}

bool TQtDesktopServices::OpenWithDefaultProgram(const std::string& path)
{
    const QString text = QString::fromStdString(path);
    const QUrl url = text.contains(QStringLiteral("://")) ? QUrl(text) : QUrl::fromLocalFile(text);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool TQtDesktopServices::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const auto& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

bool TQtDesktopServices::ProgramExists(const std::string& program) const
{
    const QString name = QString::fromStdString(program);
    if (name.contains(QLatin1Char('/'))) {
        QFileInfo info(name);
        return info.isFile() && info.isExecutable();
    }
    return !name.isEmpty() && !QStandardPaths::findExecutable(name).isEmpty();
}

void TQtDesktopServices::Beep()
{
    QApplication::beep();
}

void TQtDesktopServices::ProcessPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace kinoval
