#include "core/mainwindow/study_commands.h"

#include "core/common/desktop_services.h"
#include "core/common/file_filter.h"
#include "core/common/ini_file.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/document/kvl.h"
#include "core/formulas/formules.h"
#include "core/mainwindow/mru_files.h"
#include "core/mainwindow/options.h"
#include "core/montage/montage.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "core/video/video.h"

#include <filesystem>
#include <system_error>

namespace kinoval::mainwindow {

namespace {

constexpr int kStudyVersion = 351000;

bool IsStudyPath(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    return SameTextIgnoringCase(ext, ".kvl");
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string FolderOf(const std::string& path)
{
    return std::filesystem::path(path).parent_path().string();
}

// Information, warning and error boxes with "Ok"; the file name (when given) comes first, in blue.
void ShowBox(TCustomUserDlg& dlg, TUserDlgIcon icon, const std::string& blueName, const std::vector<std::string>& lines)
{
    dlg.SetIcon(icon);
    dlg.ClearButtons();
    dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    if (!blueName.empty()) {
        dlg.AddText(blueName, lkParagraph, clBlue);
        dlg.AddText("");
    }
    for (const auto& line : lines)
        dlg.AddText(line);
    dlg.Run();
}

// The document after the video was opened: a new study whose time base is the player's frame duration
// (the reset clears it, and the view set it just before).
void ResetStudyFor(const TStudyParts& parts)
{
    parts.data.NewStudy();
    if (parts.video.IsOpened())
        parts.data.SetTimeBetweenFrames(parts.video.FrameDuration());
}

} // namespace

// ---- writing and reading a study file ----

void WriteStudy(TIniFile& file, const TStudyParts& parts)
{
    file.WriteInteger("Main", "Version", kStudyVersion);
    file.WriteString("Main", "VideoFileName", parts.video.FileName());
    document::TIniSectionKeys data(file, "Data");
    parts.data.Save(data);
    file.WriteInteger("Video", "ImageNumber", parts.video.IsOpened() ? parts.video.CurrentRawFrame() : 0);
    file.WriteInteger("Video", "MarkingMode", parts.video.IsTransparentMarking() ? 1 : 0);
    if (parts.montage != nullptr) {
        document::TIniSectionKeys montage(file, "Montage");
        parts.montage->SaveMontage(montage);
    }
    if (parts.formules != nullptr)
        parts.formules->Save(file);
}

int LoadStudyFile(const std::string& path, const TStudyParts& parts, std::string* missingVideo)
{
    TIniFile file;
    const int read = file.Load(path);
    if (read != kIniOk)
        return kStudyUnreadable;
    if (!file.ValueExists("Main", "Version"))
        return kStudyNotAStudy;

    const std::string videoName = file.ReadString("Main", "VideoFileName", "");
    bool videoOpen = false;
    if (!videoName.empty() && FileExists(videoName))
        videoOpen = parts.video.Open(videoName);
    if (!videoOpen) {
        // Marks of this study must not land on the picture of another video.
        parts.video.Close();
        if (missingVideo != nullptr)
            *missingVideo = videoName;
    }
    ResetStudyFor(parts);

    const TIniFile& study = file; // read only from here on
    const document::TIniSectionKeys data(study, "Data");
    parts.data.Load(data);
    bool damaged = data.HadMalformedValue();
    if (parts.montage != nullptr && videoOpen) {
        const document::TIniSectionKeys montage(study, "Montage");
        const int code = parts.montage->LoadMontage(montage);
        damaged = damaged || code == montage::kMontageDamaged || code == montage::kMontageOtherVideo;
    }
    if (parts.formules != nullptr)
        parts.formules->Load(study);

    if (videoOpen) {
        const bool transparent = study.ReadInt("Video", "MarkingMode", 0) == 1;
        parts.video.SetMode(transparent ? video::vmTransparentPointing : video::vmFixedPointing);
        const int frame = study.ReadInt("Video", "ImageNumber", 0);
        if (frame >= 0 && frame < parts.video.RawFrameCount())
            parts.video.GoToFrameOfRaw(frame);
        parts.data.RefreshScreenPositions();
        parts.video.Repaint();
    }
    if (!videoOpen)
        return kStudyVideoMissing;
    return damaged ? kStudyDamaged : kStudyLoaded;
}

// ---- the commands ----

bool TStudyCommands::Open(const std::string& path)
{
    return IsStudyPath(path) ? OpenStudy(path) : OpenVideo(path);
}

bool TStudyCommands::OpenWithDialog()
{
    TFileDialogRequest request;
    request.title = Tr("Ouvrir un fichier vidéo");
    request.filter = DialogFilterOf(video::OpenDialogFilter());
    request.folder = m_parts.mru.Directory;
    const auto chosen = m_parts.desktop.OpenFileDialog(request);
    if (!chosen)
        return false;
    return Open(*chosen);
}

bool TStudyCommands::MayOpen(const std::string& path, const std::string& missingText)
{
    TCustomUserDlg& dlg = m_parts.dialog;
    if (isRecording && isRecording()) {
        ShowBox(dlg, TUserDlgIcon::icInformation, "",
            { Tr("Impossible d'ouvrir un fichier vidéo pendant l'enregistrement d'une vidéo montée.") });
        return false;
    }
    if (!ConfirmBeforeOpening())
        return false;
    if (!FileExists(path)) {
        ShowBox(dlg, TUserDlgIcon::icWarning, path, { missingText, Tr("Vérifier qu'il n'a pas été déplacé.") });
        return false;
    }
    m_parts.mru.Directory = FolderOf(path);
    return true;
}

bool TStudyCommands::OpenVideo(const std::string& path)
{
    if (!MayOpen(path, Tr("Impossible d'ouvrir ce fichier vidéo.")))
        return false;
    TCustomUserDlg& dlg = m_parts.dialog;
    if (!m_parts.video.Open(path)) {
        dlg.SetIcon(TUserDlgIcon::icWarning);
        dlg.ClearButtons();
        dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
        dlg.AddText(path, lkParagraph, clBlue);
        dlg.AddText("");
        dlg.AddText(Tr("Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :"));
        const std::string& reason = m_parts.video.LastError();
        if (!reason.empty()) {
            dlg.AddText(reason, lkIndented);
        } else {
            dlg.AddText(Tr("le fichier est abîmé ..."), lkBullet);
            dlg.AddText(Tr("votre ordinateur ne possède pas le codec nécessaire (télécharger et installer « K-Lite "
                           "Codec Pack (basic) »)"),
                lkBullet);
        }
        dlg.Run();
        if (videoOpenFailed)
            videoOpenFailed();
        return false;
    }
    ResetStudyFor(m_parts);
    if (!m_parts.options.CheckBox6FreezeMRU)
        m_parts.mru.Add(path);
    if (videoOpened)
        videoOpened();
    // Phones record variable frame rates as a rule: the video works like any other, and the user learns
    // once that its time may follow the frames' own times.
    if (m_parts.video.VariableFrameDuration())
        ShowBox(dlg, TUserDlgIcon::icInformation, "", video::TextsVariableFrameDuration(m_parts.video.FrameDuration()));
    return true;
}

bool TStudyCommands::OpenStudy(const std::string& path)
{
    if (!MayOpen(path, Tr("Impossible d'ouvrir ce fichier.")))
        return false;
    TCustomUserDlg& dlg = m_parts.dialog;
    std::string missing;
    const int code = LoadStudyFile(path, m_parts, &missing);
    switch (code) {
    case kStudyUnreadable:
    case kStudyNotAStudy:
        ShowBox(dlg, TUserDlgIcon::icWarning, path,
            { Tr("Ce fichier n'est pas un travail Kinoval lisible."), Tr("Le travail en cours n'a pas été modifié.") });
        return false;
    case kStudyVideoMissing:
        ShowBox(dlg, TUserDlgIcon::icWarning, missing.empty() ? path : missing,
            { Tr("Le fichier vidéo de ce travail est introuvable."),
                Tr("Les mesures ont été chargées, mais sans les images. Remettre la vidéo à sa place, puis "
                   "rouvrir le travail.") });
        if (videoOpenFailed)
            videoOpenFailed();
        break;
    case kStudyDamaged:
        ShowBox(dlg, TUserDlgIcon::icWarning, path,
            { Tr("Certaines valeurs de ce fichier sont illisibles : elles ont été remplacées par leurs valeurs par "
                 "défaut.") });
        break;
    default:
        break;
    }
    if (!m_parts.options.CheckBox6FreezeMRU)
        m_parts.mru.Add(path);
    if (code != kStudyVideoMissing && videoOpened)
        videoOpened();
    if (studyLoaded)
        studyLoaded();
    return true;
}

int TStudyCommands::Save()
{
    TCustomUserDlg& dlg = m_parts.dialog;
    if (!m_parts.video.IsOpened()) {
        ShowBox(dlg, TUserDlgIcon::icInformation, "", { Tr("Ouvrir d'abord un fichier vidéo.") });
        return kStudyNoVideo;
    }
    TFileDialogRequest request;
    request.title = Tr("Enregistrer un travail dans un fichier KVL");
    request.filter = DialogFilterOf(Tr("Fichier Kinoval (*.kvl)|*.kvl"));
    request.defaultExtension = "kvl";
    request.folder = m_parts.mru.Directory;
    const std::string base = !m_lastSaved.empty() ? m_lastSaved : m_parts.video.FileName();
    request.proposedName = WithExtension(std::filesystem::path(base).filename().string(), ".kvl");
    const auto chosen = m_parts.desktop.SaveFileDialog(request);
    if (!chosen || chosen->empty())
        return kStudyCancelled;
    const std::string name = WithExtension(*chosen, ".kvl");

    if (FileExists(name)) {
        dlg.SetIcon(TUserDlgIcon::icWarning);
        dlg.ClearButtons();
        dlg.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
        dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
        dlg.AddText(name, lkParagraph, clBlue);
        dlg.AddText("");
        dlg.AddText(Tr("Un fichier portant le même nom existe déjà. Le remplacer ?"));
        if (dlg.Run() != 1)
            return kStudyCancelled;
    }

    m_parts.mru.Directory = FolderOf(name);
    document::TKvl kvl;
    if (kvl.Open(name) != kIniOk) {
        ShowBox(dlg, TUserDlgIcon::icError, "",
            { Tr("La sauvegarde du fichier a échoué."), Tr("Vérifier que le support n'est pas protégé en écriture.") });
        return kStudyOpenFailed;
    }
    WriteStudy(*kvl.File(), m_parts);
    if (kvl.Close() != kIniOk) {
        std::vector<std::string> lines { Tr("La sauvegarde du fichier a échoué.") };
        if (!kvl.LastErrorText().empty())
            lines.push_back(kvl.LastErrorText());
        ShowBox(dlg, TUserDlgIcon::icError, "", lines);
        return kStudyWriteFailed;
    }
    m_lastSaved = name;
    dlg.SetIcon(TUserDlgIcon::icInformation);
    dlg.ClearButtons();
    dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    dlg.AddText(Tr("Le fichier a été enregistré avec succès :"));
    dlg.AddText("");
    dlg.AddText(name, lkParagraph, clBlue);
    dlg.Run();
    if (!m_parts.options.CheckBox6FreezeMRU)
        m_parts.mru.Add(name);
    return kStudySaved;
}

bool TStudyCommands::ConfirmBeforeOpening()
{
    if (!m_parts.video.IsOpened() || !m_parts.options.CheckBox4ConfirmationFileChange)
        return true;
    return AskToSave({ Tr("Enregistrer le travail dans un fichier"), "", Tr("Annuler l'ouverture"), "",
                         Tr("Ignorer la sauvegarde et continuer") },
        Tr("Ignorer"), TUserDlgButtonKind::btIgnorer);
}

bool TStudyCommands::ConfirmBeforeClosing()
{
    if (!m_parts.video.IsOpened() || !m_parts.options.CheckBox3ConfirmationQuit)
        return true;
    return AskToSave({ Tr("Enregistrer le travail dans un fichier"), Tr("Annuler la fermeture"),
                         Tr("Quitter immédiatement le logiciel") },
        Tr("Quitter"), TUserDlgButtonKind::btQuitter);
}

bool TStudyCommands::AskToSave(const std::vector<std::string>& lines, const std::string& goOn, TUserDlgButtonKind goOnKind)
{
    TCustomUserDlg& dlg = m_parts.dialog;
    dlg.SetIcon(TUserDlgIcon::icConfirmation);
    dlg.ClearButtons();
    dlg.AddButton(Tr("Enregistrer"), TUserDlgButtonKind::btEnregistrer);
    dlg.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
    dlg.AddButton(goOn, goOnKind);
    for (const auto& line : lines)
        dlg.AddText(line);
    switch (dlg.Run()) {
    case 0:
        // The study is given up only once it is safely on the disk.
        return Save() == kStudySaved;
    case 2:
        return true;
    default:
        return false;
    }
}

} // namespace kinoval::mainwindow
