#include "core/mainwindow/help.h"

#include "core/common/desktop_services.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"

#include <filesystem>

namespace kinoval {

namespace fs = std::filesystem;

const std::vector<std::string>& HelpFileNames()
{
    // The page of the interface's language comes first; the others stay behind it, for an installation
    // that lacks it.
    static const std::vector<std::string> french
        = { "Help_fr.html", "Help_cz.html", "Help_es.html", "Help_en.html", "Help.html" };
    static const std::vector<std::string> english
        = { "Help_en.html", "Help.html", "Help_fr.html", "Help_cz.html", "Help_es.html" };
    return CurrentLanguage() == TLanguage::English ? english : french;
}

std::vector<std::string> HelpFolders(const std::string& programFolder)
{
    fs::path program(programFolder);
    return { (program / "Help").string(), (program.parent_path() / "share" / "kinoval" / "Help").string() };
}

std::string FindHelpFile(const std::vector<std::string>& folders)
{
    for (const auto& folder : folders) {
        for (const auto& name : HelpFileNames()) {
            fs::path candidate = fs::path(folder) / name;
            std::error_code ec;
            if (fs::is_regular_file(candidate, ec))
                return candidate.string();
        }
    }
    return {};
}

bool ShowHelp(const std::vector<std::string>& folders, TDesktopServices& desktop, TCustomUserDlg& userDlg,
    const std::function<bool(const std::string& file)>& showInProgram)
{
    std::string file = FindHelpFile(folders);
    if (!file.empty() && desktop.OpenWithDefaultProgram(file))
        return true;
    if (!file.empty() && showInProgram && showInProgram(file))
        return true;
    userDlg.ShowMessage(TUserDlgIcon::icWarning,
        { Tr("Impossible de lancer l'aide."),
            Tr("Vérifier la présence du répertoire « Help » à côté du programme « kinoval ».") });
    return false;
}

} // namespace kinoval
