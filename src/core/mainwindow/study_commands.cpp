// A first, reduced form of the file commands so that the window can open videos: studies and saving come
// with the full flow.
#include "core/mainwindow/study_commands.h"

#include "core/common/desktop_services.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/mainwindow/mru_files.h"
#include "core/video/player_choice.h"
#include "core/video/video.h"

#include <filesystem>

namespace kinoval::mainwindow {

bool TStudyCommands::Open(const std::string& path)
{
    return OpenVideo(path);
}

bool TStudyCommands::OpenWithDialog()
{
    TFileDialogRequest request;
    request.title = Tr("Ouvrir");
    request.folder = m_parts.mru.Directory;
    const auto chosen = m_parts.desktop.OpenFileDialog(request);
    return chosen && Open(*chosen);
}

bool TStudyCommands::OpenVideo(const std::string& path)
{
    if (isRecording && isRecording())
        return false;
    if (!ConfirmBeforeOpening())
        return false;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        m_parts.dialog.ShowMessage(TUserDlgIcon::icWarning,
            { path, "", Tr("Impossible d'ouvrir ce fichier vidéo."), Tr("Vérifier qu'il n'a pas été déplacé.") });
        return false;
    }
    m_parts.mru.Directory = std::filesystem::path(path).parent_path().string();
    m_parts.data.NewStudy();
    if (!m_parts.video.Open(path)) {
        m_parts.dialog.ShowMessage(TUserDlgIcon::icWarning,
            { path, "", Tr("Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :") });
        if (videoOpenFailed)
            videoOpenFailed();
        return false;
    }
    m_parts.data.NewStudy();
    m_parts.mru.Add(path);
    if (videoOpened)
        videoOpened();
    return true;
}

bool TStudyCommands::OpenStudy(const std::string&)
{
    return false;
}

int TStudyCommands::Save()
{
    return m_parts.video.IsOpened() ? kStudyCancelled : kStudyNoVideo;
}

bool TStudyCommands::ConfirmBeforeOpening()
{
    return true;
}

bool TStudyCommands::ConfirmBeforeClosing()
{
    return true;
}

} // namespace kinoval::mainwindow
