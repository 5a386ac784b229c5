#include "core/export/serveur.h"

#include "core/common/ini_file.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/export/file_search.h"
#include "core/export/workbook.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kinoval {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text)
{
    std::transform(
        text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Gives a chosen file name the extension of its kind, replacing any other one.
std::string ForceExtension(const std::string& chosen, const std::string& extension)
{
    fs::path path(chosen);
    if (Lower(path.extension().string()) != "." + extension)
        path.replace_extension("." + extension);
    return path.string();
}

} // namespace

TServeur::TServeur(TDesktopServices& desktop, TCustomUserDlg& dlg)
    : m_desktop(desktop)
    , m_dlg(dlg)
{
    m_lines.reserve(1024);
    std::error_code error;
    WorkFolder = fs::temp_directory_path(error).string();
    if (error)
        WorkFolder = "/tmp";
    RegressiSearchFolders = WineDriveFolders();
}

std::string TServeur::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += m_lines[i];
    }
    return text;
}

void TServeur::Warn(std::initializer_list<std::string> lines)
{
    m_dlg.ShowMessage(TUserDlgIcon::icWarning, std::vector<std::string>(lines));
}

int TServeur::Ask(TUserDlgIcon icon, std::initializer_list<std::string> buttons, const std::vector<std::string>& lines,
    const std::vector<int>& kinds)
{
    m_dlg.SetIcon(icon);
    m_dlg.ClearButtons();
    for (const std::string& caption : buttons) {
        TUserDlgButtonKind kind = TUserDlgButtonKind::btCustom;
        if (caption == "Ok")
            kind = TUserDlgButtonKind::btOk;
        else if (caption == "Annuler")
            kind = TUserDlgButtonKind::btAnnuler;
        m_dlg.AddButton(Tr(caption), kind);
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        m_dlg.AddText(lines[i], i < kinds.size() ? kinds[i] : lkParagraph);
    return m_dlg.Run();
}

bool TServeur::ToClipboard(bool showMessage, bool pythonFlavour)
{
    const std::string text = Text();
    m_desktop.SetClipboardText(text);
    // The clipboard may belong to another program that refuses it: what we read back is what we gave.
    if (m_desktop.ClipboardText() != text) {
        Warn({ Tr("La copie du fichier dans le presse-papier a échoué.") });
        return false;
    }
    if (showMessage) {
        std::vector<std::string> lines { Tr("Copie dans le presse-papier effectuée."), "",
            Tr("Après avoir fermé cette fenêtre, ouvrir un logiciel et frapper au clavier simultanément Ctrl + V "
               "(ou menu Edition > Coller).") };
        if (!pythonFlavour) {
            lines.push_back("");
            lines.push_back(Tr("Les éléments des colonnes sont séparés par des tabulations"));
        }
        m_dlg.ShowMessage(TUserDlgIcon::icInformation, lines);
    }
    return true;
}

std::string TServeur::AskFileName(const std::string& title, const std::string& filter, const std::string& extension)
{
    TFileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.proposedName = Tr("Tableau");
    request.defaultExtension = extension;
    request.folder = LastFolder;
    const auto answer = m_desktop.SaveFileDialog(request);
    if (!answer || answer->empty())
        return {};
    const std::string path = ForceExtension(*answer, extension);
    // The save dialog asked about replacing the file the user named, not the one we renamed it to.
    std::error_code error;
    if (path != *answer && fs::exists(path, error)) {
        const int choice = Ask(TUserDlgIcon::icConfirmation, { TrNoop("Annuler"), TrNoop("Remplacer") },
            { FormatText(Tr("Le fichier %s existe déjà."), { fs::path(path).filename().string() }),
                Tr("Voulez-vous le remplacer ?") });
        if (choice != 1)
            return {};
    }
    return path;
}

bool TServeur::WriteFile(const std::string& path, const std::string& text)
{
    // A failed write leaves the file that was there before intact; the message says why it failed.
    std::string reason;
    if (WriteFileAtomically(path, text, &reason) == kIniOk)
        return true;
    std::vector<std::string> lines { Tr("La création du fichier dans le répertoire choisi a échoué."),
        Tr("Vérifiez vos droits d'accès à ce répertoire.") };
    if (!reason.empty())
        lines.push_back(reason);
    m_dlg.ShowMessage(TUserDlgIcon::icWarning, lines);
    return false;
}

void TServeur::ReadSettings(const TIniFile& ini)
{
    m_regressiPath = ini.ReadString(kSettingsSection, kRegressiKey, "");
}

void TServeur::WriteSettings(TIniFile& ini) const
{
    ini.WriteString(kSettingsSection, kRegressiKey, m_regressiPath);
}

void TServeur::FileWritten(const std::string& path)
{
    LastFolder = fs::path(path).parent_path().string();
    if (OnFolderUsed)
        OnFolderUsed(LastFolder);
}

bool TServeur::ToTextFile()
{
    const std::string path
        = AskFileName(Tr("Exporter dans un fichier texte"), Tr("Texte séparé par des tabulations (*.txt)"), "txt");
    if (path.empty())
        return false;
    std::string text;
    for (const std::string& line : m_lines)
        text += line + "\n";
    if (!WriteFile(path, text))
        return false;
    FileWritten(path);
    m_dlg.ShowMessage(TUserDlgIcon::icInformation,
        { Tr("Enregistrement dans un fichier texte effectué."), Tr("Le fichier porte l'extension TXT.") });
    return true;
}

bool TServeur::ToCsvFile(const TStringMatrix& matrix)
{
    const std::string path
        = AskFileName(Tr("Exporter dans un fichier CSV"), Tr("Valeurs séparées par des virgules (*.csv)"), "csv");
    if (path.empty())
        return false;
    if (!WriteFile(path, MatrixToCsv(matrix)))
        return false;
    FileWritten(path);
    m_dlg.ShowMessage(TUserDlgIcon::icInformation,
        { Tr("Enregistrement dans un fichier CSV effectué."), Tr("Le fichier porte l'extension CSV.") });
    return true;
}

std::string TServeur::NextWorkbookPath() const
{
    std::error_code error;
    for (int n = 1;; ++n) {
        fs::path path = fs::path(WorkFolder) / ("Kinoval-Tableau-" + std::to_string(n) + ".xlsx");
        if (!fs::exists(path, error))
            return path.string();
    }
}

int TServeur::WriteWorkbook(const TStringMatrix& matrix, std::string& path)
{
    path = NextWorkbookPath();
    if (m_writer == nullptr || m_writer->Write(path, "Kinoval", ToWorkbookCells(matrix)) != 0)
        return seWriteFailed;
    return seNone;
}

int TServeur::ToExcel(const TStringMatrix& matrix)
{
    std::string path;
    int error = WriteWorkbook(matrix, path);
    if (error == seNone && !m_desktop.OpenWithDefaultProgram(path))
        error = seNotOpened;
    if (error == seWriteFailed) {
        Warn({ Tr("Une erreur a été détectée."), Tr("La connection avec Excel n'a pas été établie."),
            FormatText(Tr("Le classeur %s n'a pas pu être écrit."), { EscapeForMessage(path) }) });
    } else if (error == seNotOpened) {
        Warn({ Tr("Une erreur a été détectée."), Tr("La connection avec Excel n'a pas été établie."),
            FormatText(Tr("Aucun tableur n'a pu ouvrir le classeur %s."), { EscapeForMessage(path) }) });
    }
    return error;
}

int TServeur::ToLibreOffice(const TStringMatrix& matrix)
{
    int error = seNone;
    std::string path;
    if (!m_desktop.ProgramExists("soffice"))
        error = seNoProgram;
    else
        error = WriteWorkbook(matrix, path);
    if (error == seNone && !m_desktop.StartProgram("soffice", { "--calc", path }))
        error = seNotOpened;
    switch (error) {
    case seNoProgram:
        Warn(
            { Tr("Une erreur a été détectée."), Tr("LibreOffice Calc (soffice) est introuvable sur cet ordinateur.") });
        break;
    case seNotOpened:
        Warn({ Tr("Le tableur n'a pas pu être ouvert.") });
        break;
    case seWriteFailed:
        Warn({ Tr("L'écriture dans une cellule a échouée.") });
        break;
    default:
        break;
    }
    return error;
}

void TServeur::SetRegressiPath(const std::string& path)
{
    m_regressiPath = path;
    if (OnRegressiPathChanged)
        OnRegressiPathChanged(path);
}

bool TServeur::IsRegressiExecutable(const std::string& path)
{
    if (path.empty())
        return false;
    std::error_code error;
    return Lower(fs::path(path).filename().string()) == "regressi.exe" && fs::is_regular_file(path, error);
}

void TServeur::SearchRegressi()
{
    TFileDialogRequest request;
    request.title = Tr("Rechercher Regressi.exe");
    request.filter = Tr("Regressi (Regressi.exe regressi.exe REGRESSI.EXE)");
    request.folder = LastFolder;
    // Open the dialog where a wine installation of Regressi already lies, when one is found.
    const std::vector<std::string> found = FindFilesNamed(RegressiSearchFolders, "Regressi.exe", 4);
    if (!found.empty()) {
        request.folder = fs::path(found.front()).parent_path().string();
        request.proposedName = fs::path(found.front()).filename().string();
    }
    const auto answer = m_desktop.OpenFileDialog(request);
    if (answer && IsRegressiExecutable(*answer))
        SetRegressiPath(fs::absolute(*answer).string());
}

std::string TServeur::SubstituteEmptyCells(const std::string& line)
{
    // Every empty cell gets its zero, also in a run of empty cells: after one replacement the scan
    // resumes on the closing tab, which opens the next cell.
    std::string out;
    out.reserve(line.size() + 8);
    for (std::size_t i = 0; i < line.size(); ++i) {
        out += line[i];
        if (line[i] == '\t' && i + 1 < line.size() && line[i + 1] == '\t')
            out += '0';
    }
    return out;
}

int TServeur::ToRegressi(int columnCount)
{
    if (!IsRegressiExecutable(m_regressiPath)) {
        SetRegressiPath("");
        const int choice = Ask(TUserDlgIcon::icInformation, { TrNoop("Ok"), TrNoop("Annuler") },
            { Tr("La copie a été annulée car Regressi est introuvable."), Tr("Veuillez suivre la procédure suivante :"),
                Tr("utilisez le bouton « Rechercher » dans la prochaine fenêtre"),
                Tr("si la recherche est fructueuse, utilisez le bouton « Ouvrir »"),
                Tr("Enfin, relancez la copie annulée (Edition > copier et lancer > Regressi).") },
            { lkParagraph, lkParagraph, lkIndented, lkIndented, lkParagraph });
        if (choice == 0)
            SearchRegressi();
        return rrNotFound;
    }
    if (columnCount > 16) {
        const int choice = Ask(TUserDlgIcon::icConfirmation, { TrNoop("Annuler"), TrNoop("Ok") },
            { Tr("Regressi n'accepte pas un nombre élevé de variables (> 16)."),
                Tr("Le résultat du copier-coller risque d'être aléatoire.") });
        if (choice != 1)
            return rrCancelled;
    }
    // Data lines start at the seventh line, after the path, date, angle, symbols, units and descriptions.
    for (std::size_t i = 6; i < m_lines.size(); ++i) {
        if (m_lines[i].find("\t\t") == std::string::npos)
            continue;
        const int choice = Ask(TUserDlgIcon::icConfirmation, { TrNoop("Continuer"), TrNoop("Substituer") },
            { Tr("Le tableau contient des valeurs non définies."),
                Tr("Une version ancienne de Regressi risque de mal interpréter une de ces valeurs."),
                Tr("Substituer les valeurs non définies par des zéros ?") });
        if (choice == 1) {
            for (std::size_t j = i; j < m_lines.size(); ++j)
                m_lines[j] = SubstituteEmptyCells(m_lines[j]);
            break;
        }
    }
    if (m_lines.size() > 1)
        m_lines[1].clear();
    if (!ToClipboard(false, false))
        return rrNoClipboard;
    if (!m_desktop.ProgramExists("wine")) {
        Warn({ Tr("Regressi ne peut pas être lancé sur cet ordinateur : le programme wine, nécessaire aux programmes "
                  "Windows, est introuvable."),
            Tr("Le tableau a été copié dans le presse-papier : lancez Regressi vous-même et collez-le (Ctrl + V).") });
        return rrCannotRun;
    }
    if (!m_desktop.StartProgram("wine", { m_regressiPath })) {
        Warn({ Tr("Une erreur a été détectée. Impossible de lancer Regressi."),
            Tr("Le tableau a été copié dans le presse-papier.") });
        return rrStartFailed;
    }
    // No conversation with Regressi is possible here: the user pastes the table himself.
    m_dlg.ShowMessage(TUserDlgIcon::icInformation,
        { Tr("Regressi a été lancé et le tableau a été copié dans le presse-papier."),
            Tr("Dans Regressi, collez le tableau (Ctrl + V ou menu Edition > Coller).") });
    return rrStarted;
}

} // namespace kinoval
