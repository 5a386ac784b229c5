#include "core/mainwindow/study_commands.h"

#include "core/common/desktop_services.h"
#include "core/common/file_access.h"
#include "core/common/file_filter.h"
#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/document/kvl.h"
#include "core/formulas/formules.h"
#include "core/graph/model_choices.h"
#include "core/montage/montage.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "core/video/video.h"

#include <cstdio>
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
    // The formulas name the objects and constants of the study they were typed for.
    if (parts.formules != nullptr)
        parts.formules->Clear();
    if (parts.models != nullptr)
        parts.models->Clear();
    if (parts.video.IsOpened())
        parts.data.SetTimeBetweenFrames(parts.video.FrameDuration());
}

// What exists at the path but is no ordinary file: a folder, a device, a pipe.
bool IsSomethingElse(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

} // namespace

document::TDocumentSettings DocumentSettingsOf(const TOptions& o)
{
    document::TDocumentSettings s;
    s.markNumberPosition = o.markNumberPosition;
    s.sheetMarkNumberPosition = o.sheetMarkNumberPosition;
    s.elementSize = o.elementSize;
    s.numberMarksFromZero = o.numberMarksFromZero;
    s.separateScales = o.separateScales;
    return s;
}

std::vector<std::string> OpenFailureReasons(const std::string& path, const std::string& playersText)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const auto status = fs::status(path, error);
    if (!error && fs::is_directory(status))
        return { Tr("Ce nom est celui d'un dossier, pas d'un fichier vidéo.") };
    if (!error && fs::exists(status) && !fs::is_regular_file(status))
        return { NotARegularFileReason(path) };
    if (!error && fs::is_regular_file(status) && fs::file_size(path, error) == 0 && !error)
        return { Tr("Le fichier est vide : il ne contient aucune image.") };
    if (std::FILE* f = std::fopen(path.c_str(), "rb"))
        std::fclose(f);
    else
        return { Tr("Le fichier ne peut pas être lu : les droits d'accès ne le permettent pas.") };
    if (!playersText.empty() && playersText != video::TextUnlistedError())
        return { playersText };
    return { Tr("Aucun des lecteurs vidéo (AVI, GStreamer, FFmpeg) ne reconnaît le contenu de ce fichier."),
        Tr("le fichier est abîmé, ou ce n'est pas une vidéo ..."),
        Tr("votre ordinateur ne possède pas le codec nécessaire (installer les greffons GStreamer « good », « bad » "
           "et « ugly », ou le paquet « ffmpeg »)") };
}

std::string OpenFileFilter()
{
    // Every extension one of the back-ends reads, so that the usual videos of cameras and phones show.
    static const char* const videos[] = { "*.avi", "*.mpg", "*.mpeg", "*.wmv", "*.mov", "*.mp4", "*.mkv", "*.webm",
        "*.m4v", "*.3gp", "*.mts", "*.m2ts", "*.ts", "*.ogv", "*.flv", "*.asf", "*.vob", "*.mjpeg", "*.dv" };
    std::string patterns;
    for (const char* p : videos) {
        if (!patterns.empty())
            patterns += ';';
        patterns += p;
    }
    return FormatText(Tr("Tous les fichiers pris en charge|%s;*.kvl|Fichier vidéo|%s|Fichier Kinoval (*.kvl)|*.kvl|"
                         "Tous les fichiers|*"),
        { patterns, patterns });
}

// ---- writing and reading a study file ----

int WriteStudy(TIniFile& file, const TStudyParts& parts, std::string* refusedKey)
{
    int first = kIniOk;
    auto note = [&](int code, const std::string& key) {
        if (code == kIniOk || first != kIniOk)
            return;
        first = code;
        if (refusedKey != nullptr)
            *refusedKey = key;
    };
    auto noteKeys = [&](const document::TIniSectionKeys& keys) {
        if (keys.HadRefusedWrite())
            note(kIniBadValue, keys.RefusedKey());
    };
    note(file.WriteInteger("Main", "Version", kStudyVersion), "Version");
    note(file.WriteString("Main", "VideoFileName", parts.video.FileName()), "VideoFileName");
    document::TIniSectionKeys data(file, "Data");
    parts.data.Save(data);
    noteKeys(data);
    note(file.WriteInteger("Video", "ImageNumber", parts.video.IsOpened() ? parts.video.CurrentRawFrame() : 0),
        "ImageNumber");
    note(file.WriteInteger("Video", "MarkingMode", parts.video.IsTransparentMarking() ? 1 : 0), "MarkingMode");
    if (parts.video.IsOpened()) {
        // What the marks were placed on, so that reopening the study on another video can say so.
        note(file.WriteInteger("Video", "VideoImagesNumber", parts.video.RawFrameCount()), "VideoImagesNumber");
        note(file.WriteInteger("Video", "VideoWidth", parts.video.FrameWidth()), "VideoWidth");
        note(file.WriteInteger("Video", "VideoHeight", parts.video.FrameHeight()), "VideoHeight");
    }
    if (parts.montage != nullptr) {
        document::TIniSectionKeys montage(file, "Montage");
        parts.montage->SaveMontage(montage);
        noteKeys(montage);
    }
    if (parts.formules != nullptr)
        parts.formules->Save(file);
    if (parts.models != nullptr)
        parts.models->Save(file);
    return first;
}

namespace {

bool IsBlankText(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The stored frame count and size against the open video's.
void CheckVideoMatches(const TIniFile& study, const video::TVideo& view, std::vector<std::string>& problems)
{
    const auto stored = [&](const char* key) {
        const auto text = study.Value("Video", key);
        return text ? ParseInteger(*text) : std::nullopt;
    };
    if (const auto count = stored("VideoImagesNumber"); count && *count != view.RawFrameCount())
        problems.push_back(FormatText(Tr("La vidéo n'a pas le même nombre d'images que celle sur laquelle le travail a "
                                         "été pointé (%s au lieu de %s) : des marques peuvent ne plus tomber sur "
                                         "les bonnes images."),
            { std::to_string(view.RawFrameCount()), std::to_string(*count) }));
    const auto width = stored("VideoWidth");
    const auto height = stored("VideoHeight");
    if (width && height && (*width != view.FrameWidth() || *height != view.FrameHeight()))
        problems.push_back(FormatText(Tr("La vidéo n'a pas la même taille d'image que celle sur laquelle le travail a "
                                         "été pointé (%s × %s pixels au lieu de %s × %s)."),
            { std::to_string(view.FrameWidth()), std::to_string(view.FrameHeight()), std::to_string(*width),
                std::to_string(*height) }));
}

} // namespace

int LoadStudyFile(const std::string& path, const TStudyParts& parts, TStudyLoadReport* report)
{
    TStudyLoadReport local;
    TStudyLoadReport& r = report != nullptr ? *report : local;
    r = {};
    TIniFile file;
    const int read = file.Load(path);
    if (read != kIniOk) {
        r.fileReason = file.LastErrorText();
        return kStudyUnreadable;
    }
    if (!file.ValueExists("Main", "Version")) {
        r.fileReason = IsBlankText(file.Text()) ? Tr("Le fichier est vide.")
                                                : Tr("Il ne commence pas par la section « Main » d'un travail.");
        return kStudyNotAStudy;
    }

    const std::string videoName = file.ReadString("Main", "VideoFileName", "");
    r.videoName = EscapeForMessage(videoName);
    bool videoOpen = false;
    bool videoThere = false;
    if (!videoName.empty()) {
        std::error_code error;
        videoThere = std::filesystem::exists(videoName, error);
        if (videoThere) {
            r.videoReason = NotARegularFileReason(videoName);
            if (r.videoReason.empty()) {
                videoOpen = parts.video.Open(videoName);
                if (!videoOpen)
                    r.videoReason = parts.video.LastError().empty()
                        ? Tr("Aucun des lecteurs vidéo ne sait décoder ce fichier.")
                        : parts.video.LastError();
            }
        }
    }
    if (!videoOpen) {
        // Marks of this study must not land on the picture of another video.
        parts.video.Close();
    }
    ResetStudyFor(parts);

    const TIniFile& study = file; // read only from here on
    const document::TIniSectionKeys data(study, "Data");
    parts.data.Load(data);
    r.problems = data.Problems();
    if (data.HadMalformedValue())
        r.problems.push_back(Tr("Certaines valeurs de ce fichier sont illisibles : elles ont été remplacées par leurs "
                                "valeurs par défaut."));
    if (parts.montage != nullptr && videoOpen) {
        const document::TIniSectionKeys montage(study, "Montage");
        const int code = parts.montage->LoadMontage(montage);
        if (code == montage::kMontageDamaged)
            r.problems.push_back(Tr("Le montage enregistré (images cachées, instants corrigés) est abîmé : il a été "
                                    "ignoré."));
        else if (code == montage::kMontageOtherVideo)
            r.problems.push_back(Tr("Le montage enregistré a été fait sur une vidéo d'un autre nombre d'images : il a "
                                    "été ignoré."));
    }
    if (parts.formules != nullptr)
        for (std::string& line : parts.formules->Load(study))
            r.problems.push_back(std::move(line));
    // A study saved before models were kept has no such section: it loads without any.
    if (parts.models != nullptr)
        for (std::string& line : parts.models->Load(study))
            r.problems.push_back(std::move(line));

    if (videoOpen) {
        CheckVideoMatches(study, parts.video, r.problems);
        const bool transparent = study.ReadInt("Video", "MarkingMode", 0) == 1;
        parts.video.SetMode(transparent ? video::vmTransparentPointing : video::vmFixedPointing);
        const int frame = study.ReadInt("Video", "ImageNumber", 0);
        if (frame >= 0 && frame < parts.video.RawFrameCount())
            parts.video.GoToFrameOfRaw(frame);
        parts.data.RefreshScreenPositions();
        parts.video.Repaint();
    }
    if (!videoOpen)
        return videoThere ? kStudyVideoUnreadable : kStudyVideoMissing;
    return r.problems.empty() ? kStudyLoaded : kStudyDamaged;
}

std::vector<std::string> StudyProblemLines(const TStudyLoadReport& report)
{
    if (report.problems.empty())
        return {};
    std::vector<std::string> lines { Tr("Ce travail a été chargé, mais pas tel qu'il a été enregistré :") };
    lines.insert(lines.end(), report.problems.begin(), report.problems.end());
    return lines;
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
    request.filter = DialogFilterOf(OpenFileFilter());
    request.folder = !m_parts.mru.Directory.empty() ? m_parts.mru.Directory : m_parts.options.defaultFolder;
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
    if (IsSomethingElse(path)) {
        std::vector<std::string> lines { missingText };
        for (const auto& reason : OpenFailureReasons(path, {}))
            lines.push_back(reason);
        ShowBox(dlg, TUserDlgIcon::icWarning, EscapeForMessage(path), lines);
        return false;
    }
    if (!FileExists(path)) {
        ShowBox(dlg, TUserDlgIcon::icWarning, EscapeForMessage(path),
            { missingText, Tr("Vérifier qu'il n'a pas été déplacé.") });
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
        dlg.AddText(EscapeForMessage(path), lkParagraph, clBlue);
        dlg.AddText("");
        dlg.AddText(Tr("Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :"));
        // The video and the study open before stay as they were: the players keep them until a new file opens.
        const auto reasons = OpenFailureReasons(path, m_parts.video.LastError());
        for (std::size_t i = 0; i < reasons.size(); ++i)
            dlg.AddText(reasons[i], i == 0 ? lkIndented : lkBullet);
        dlg.Run();
        if (videoOpenFailed)
            videoOpenFailed();
        return false;
    }
    ResetStudyFor(m_parts);
    m_studyPath.clear();
    MarkUnmodified();
    if (!m_parts.options.keepSavedStudiesOutOfRecent)
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
    TStudyLoadReport report;
    const int code = LoadStudyFile(path, m_parts, &report);
    if (!ShowLoadResult(code, report, EscapeForMessage(path)))
        return false;
    m_studyPath = path;
    MarkUnmodified();
    if (!m_parts.options.keepSavedStudiesOutOfRecent)
        m_parts.mru.Add(path);
    if (code != kStudyVideoMissing && code != kStudyVideoUnreadable && videoOpened)
        videoOpened();
    if (studyLoaded)
        studyLoaded();
    return true;
}

int TStudyCommands::Save()
{
    if (m_studyPath.empty() || !m_parts.video.IsOpened())
        return SaveAs();
    const int code = WriteTo(m_studyPath);
    if (code == kStudySaved && studySaved)
        studySaved(m_studyPath);
    return code;
}

int TStudyCommands::SaveAs()
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
    const std::string base = !m_studyPath.empty() ? m_studyPath : m_parts.video.FileName();
    request.proposedName = WithExtension(std::filesystem::path(base).filename().string(), ".kvl");
    request.confirmOverwrite = false; // the command asks itself, once, below
    const auto chosen = m_parts.desktop.SaveFileDialog(request);
    if (!chosen || chosen->empty())
        return kStudyCancelled;
    const std::string name = WithExtension(*chosen, ".kvl");

    if (FileExists(name)) {
        dlg.SetIcon(TUserDlgIcon::icWarning);
        dlg.ClearButtons();
        dlg.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
        dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
        dlg.AddText(EscapeForMessage(name), lkParagraph, clBlue);
        dlg.AddText("");
        dlg.AddText(Tr("Un fichier portant le même nom existe déjà. Le remplacer ?"));
        if (dlg.Run() != 1)
            return kStudyCancelled;
    }

    m_parts.mru.Directory = FolderOf(name);
    const int code = WriteTo(name);
    if (code != kStudySaved)
        return code;
    dlg.SetIcon(TUserDlgIcon::icInformation);
    dlg.ClearButtons();
    dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    dlg.AddText(Tr("Le fichier a été enregistré avec succès :"));
    dlg.AddText("");
    dlg.AddText(EscapeForMessage(name), lkParagraph, clBlue);
    dlg.Run();
    if (studySaved)
        studySaved(name);
    return kStudySaved;
}

int TStudyCommands::WriteTo(const std::string& name)
{
    TCustomUserDlg& dlg = m_parts.dialog;
    document::TKvl kvl;
    if (kvl.Open(name) != kIniOk) {
        std::vector<std::string> lines { Tr("La sauvegarde du fichier a échoué."),
            Tr("Vérifier que le support n'est pas protégé en écriture.") };
        if (!kvl.LastErrorText().empty())
            lines.push_back(kvl.LastErrorText());
        ShowBox(dlg, TUserDlgIcon::icError, "", lines);
        return kStudyOpenFailed;
    }
    std::string refusedKey;
    if (WriteStudy(*kvl.File(), m_parts, &refusedKey) != kIniOk) {
        // Half a study, or a study beside the previous one's video name, is worse than none: nothing is
        // written and the file keeps what it had.
        kvl.Discard();
        std::vector<std::string> lines { Tr("La sauvegarde du fichier a échoué.") };
        if (refusedKey == "VideoFileName")
            lines.push_back(FormatText(Tr("Le nom de la vidéo contient un retour à la ligne, qu'un fichier de travail "
                                          "ne peut pas garder : %s"),
                { EscapeForMessage(m_parts.video.FileName()) }));
        else
            lines.push_back(FormatText(Tr("Une valeur contient un retour à la ligne, qu'un fichier de travail ne peut "
                                          "pas garder (clé %s)."),
                { EscapeForMessage(refusedKey) }));
        lines.push_back(Tr("Le fichier n'a pas été modifié."));
        ShowBox(dlg, TUserDlgIcon::icError, "", lines);
        return kStudyWriteFailed;
    }
    if (kvl.Close() != kIniOk) {
        std::vector<std::string> lines { Tr("La sauvegarde du fichier a échoué.") };
        if (!kvl.LastErrorText().empty())
            lines.push_back(kvl.LastErrorText());
        ShowBox(dlg, TUserDlgIcon::icError, "", lines);
        return kStudyWriteFailed;
    }
    m_lastSaved = name;
    m_studyPath = name;
    MarkUnmodified();
    if (!m_parts.options.keepSavedStudiesOutOfRecent)
        m_parts.mru.Add(name);
    return kStudySaved;
}

bool TStudyCommands::Modified() const
{
    if (!m_parts.video.IsOpened())
        return false;
    if (m_restored || m_parts.data.Generation() != m_savedData)
        return true;
    // Formulas typed after the last save are part of the study: closing must not lose them unasked.
    if (m_parts.formules != nullptr && m_parts.formules->Generation() != m_savedFormules)
        return true;
    if (m_parts.models != nullptr && m_parts.models->Generation() != m_savedModels)
        return true;
    return m_parts.montage != nullptr && m_parts.montage->Generation() != m_savedMontage;
}

void TStudyCommands::MarkUnmodified()
{
    m_restored = false;
    m_savedData = m_parts.data.Generation();
    m_savedMontage = m_parts.montage != nullptr ? m_parts.montage->Generation() : 0;
    m_savedFormules = m_parts.formules != nullptr ? m_parts.formules->Generation() : 0;
    m_savedModels = m_parts.models != nullptr ? m_parts.models->Generation() : 0;
}

bool TStudyCommands::ShowLoadResult(int code, const TStudyLoadReport& report, const std::string& shownPath)
{
    TCustomUserDlg& dlg = m_parts.dialog;
    switch (code) {
    case kStudyUnreadable:
    case kStudyNotAStudy: {
        std::vector<std::string> lines { Tr("Ce fichier n'est pas un travail Kinoval lisible.") };
        if (!report.fileReason.empty())
            lines.push_back(report.fileReason);
        lines.push_back(Tr("Le travail en cours n'a pas été modifié."));
        ShowBox(dlg, TUserDlgIcon::icWarning, shownPath, lines);
        return false;
    }
    case kStudyVideoMissing:
        ShowBox(dlg, TUserDlgIcon::icWarning, report.videoName.empty() ? shownPath : report.videoName,
            { Tr("Le fichier vidéo de ce travail est introuvable."),
                Tr("Les mesures ont été chargées, mais sans les images. Remettre la vidéo à sa place, puis "
                   "rouvrir le travail.") });
        if (videoOpenFailed)
            videoOpenFailed();
        break;
    case kStudyVideoUnreadable:
        ShowBox(dlg, TUserDlgIcon::icWarning, report.videoName,
            { Tr("Le fichier vidéo de ce travail existe, mais il n'a pas pu être ouvert :"), report.videoReason,
                Tr("Les mesures ont été chargées, mais sans les images.") });
        if (videoOpenFailed)
            videoOpenFailed();
        break;
    default:
        break;
    }
    if (!report.problems.empty()) {
        dlg.SetIcon(TUserDlgIcon::icWarning);
        dlg.ClearButtons();
        dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
        dlg.AddText(shownPath, lkParagraph, clBlue);
        dlg.AddText("");
        const std::vector<std::string> lines = StudyProblemLines(report);
        dlg.AddText(lines.front());
        for (std::size_t i = 1; i < lines.size(); ++i)
            dlg.AddText(lines[i], lkBullet);
        dlg.Run();
    }
    return true;
}

int TStudyCommands::RestoreStudy(const std::string& copy, const std::string& studyPath)
{
    TStudyLoadReport report;
    const int code = LoadStudyFile(copy, m_parts, &report);
    if (!ShowLoadResult(code, report, studyPath.empty() ? report.videoName : EscapeForMessage(studyPath)))
        return code;
    m_studyPath = studyPath;
    MarkUnmodified();
    m_restored = true;
    if (code != kStudyVideoMissing && code != kStudyVideoUnreadable && videoOpened)
        videoOpened();
    if (studyLoaded)
        studyLoaded();
    return code;
}

bool TStudyCommands::ConfirmBeforeOpening()
{
    if (!Modified() || !m_parts.options.askToSaveOnOpen)
        return true;
    return AskToSave({ Tr("Enregistrer le travail dans un fichier"), "", Tr("Annuler l'ouverture"), "",
                         Tr("Ignorer la sauvegarde et continuer") },
        Tr("Ignorer"), TUserDlgButtonKind::btIgnorer);
}

bool TStudyCommands::ConfirmBeforeClosing()
{
    if (!Modified() || !m_parts.options.askToSaveOnQuit)
        return true;
    return AskToSave({ Tr("Enregistrer le travail dans un fichier"), Tr("Annuler la fermeture"),
                         Tr("Quitter immédiatement le logiciel") },
        Tr("Quitter"), TUserDlgButtonKind::btQuitter);
}

bool TStudyCommands::AskToSave(
    const std::vector<std::string>& lines, const std::string& goOn, TUserDlgButtonKind goOnKind)
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
