#include "core/montage/record_commands.h"

#include "core/common/desktop_services.h"
#include "core/common/ini_file.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/montage/montage.h"
#include "core/montage/record_plan.h"
#include "core/settings/mru_files.h"
#include "core/video/player.h"
#include "core/video/video.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace kinoval::montage {

namespace {

bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

std::string FolderOf(const std::string& path)
{
    return std::filesystem::path(path).parent_path().string();
}

std::string StemOf(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

std::string WithExtension(const std::string& name, const char* extension)
{
    const std::string dotted = std::string(".") + extension;
    const std::filesystem::path path(name);
    std::string current = path.extension().string();
    for (char& c : current)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return current == dotted ? name : name + dotted;
}

void Show(TCustomUserDlg& dlg, TUserDlgIcon icon, const std::vector<std::string>& lines, const std::string& blue = {})
{
    dlg.SetIcon(icon);
    dlg.ClearButtons();
    dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
    for (const auto& line : lines)
        dlg.AddText(line);
    if (!blue.empty())
        dlg.AddText(EscapeForMessage(blue), lkParagraph, clBlue);
    dlg.Run();
}

} // namespace

TRecordCommands::TRecordCommands(const TRecordParts& parts)
    : m_parts(parts)
{
    if (!m_parts.settingsPath.empty()) {
        TIniFile ini;
        ini.Load(m_parts.settingsPath);
        m_options.Load(ini);
    }
    m_recorder.OnProgress = [this](int done, int total) {
        if (progressStep)
            progressStep(done, total);
    };
}

void TRecordCommands::SaveOptions() const
{
    if (m_parts.settingsPath.empty())
        return;
    // Only over settings that were read: writing the section into an empty file would drop the others.
    TIniFile ini;
    if (IsRefusedRead(ini.Load(m_parts.settingsPath)))
        return;
    m_options.Save(ini);
    ini.SaveAs(m_parts.settingsPath);
}

TRecordDialogFacts TRecordCommands::Facts(TRecordJob job) const
{
    TRecordDialogFacts facts;
    facts.job = job;
    const video::TVideo& v = m_parts.video;
    if (v.IsOpened()) {
        facts.sourceWidth = v.FrameWidth();
        facts.sourceHeight = v.FrameHeight();
        facts.visibleFrames = m_parts.montage.VisibleCount();
        facts.missingFrames = m_parts.montage.MissingFrameCount();
        facts.videoFramesPerSecond = v.FramesPerSecond();
    }
    for (int f = 0; f < kFrameworkCount; ++f) {
        const auto writer = makeWriter ? makeWriter(f) : nullptr;
        facts.codecs.push_back(writer ? writer->CodecNames() : std::vector<std::string> {});
        // The timeline renders a montage from its source file, not pictures.
        if (f == fwGes && renderTimeline && job == TRecordJob::MontageVideo)
            facts.codecs.back() = timelineCodecs;
    }
    return facts;
}

bool TRecordCommands::AskOptions(TRecordJob job, TRecordDialogFacts facts)
{
    facts.job = job;
    TRecordOptions edited = m_options;
    if (job != TRecordJob::Pictures && (edited.framesPerSecond <= 0 || job == TRecordJob::MontageVideo))
        edited.framesPerSecond = facts.videoFramesPerSecond;
    if (askOptions && !askOptions(edited, facts))
        return false;
    edited.Clamp();
    m_options = edited;
    if (job != TRecordJob::Pictures)
        SaveOptions();
    return true;
}

std::optional<std::string> TRecordCommands::AskVideoName(const std::string& proposed)
{
    const char* extension = VideoExtension(m_options.framework);
    TFileDialogRequest request;
    request.title = Tr("Enregistrer un fichier vidéo");
    request.filter = Tr("Fichier vidéo") + " (*." + extension + ")";
    request.proposedName = WithExtension(proposed, extension);
    request.defaultExtension = extension;
    request.folder = m_parts.mru.Directory;
    request.confirmOverwrite = false; // an existing name is refused below, and the dialog opens again
    for (;;) {
        const auto chosen = m_parts.desktop.SaveFileDialog(request);
        if (!chosen || chosen->empty())
            return std::nullopt;
        const std::string name = WithExtension(*chosen, extension);
        if (!Exists(name)) {
            m_parts.mru.Directory = FolderOf(name);
            return name;
        }
        Show(m_parts.dialog, TUserDlgIcon::icWarning,
            { Tr("Un fichier portant ce nom existe déjà dans le répertoire choisi."),
                Tr("Veuillez choisir un nom de fichier différent ou un autre répertoire.") });
        request.folder = FolderOf(name);
        request.proposedName = std::filesystem::path(name).filename().string();
    }
}

void TRecordCommands::Begin(const std::string& title, int total)
{
    OnRecordingChanged.Emit(true);
    if (progressBegin)
        progressBegin(title, total);
}

void TRecordCommands::End()
{
    if (progressEnd)
        progressEnd();
    OnRecordingChanged.Emit(false);
}

int TRecordCommands::Finish(
    int code, const std::string& fileName, const std::string& success, const std::string& errorText)
{
    if (code == reOk) {
        Show(m_parts.dialog, TUserDlgIcon::icInformation, { success, "" }, fileName);
        return roDone;
    }
    Show(m_parts.dialog, TUserDlgIcon::icWarning,
        { Tr("Erreur détectée durant la création du fichier vidéo :"), "", errorText });
    return code == reAborted || code == rePlayerStopped ? roCancelled : roFailed;
}

int TRecordCommands::RenderTimeline(const std::string& name)
{
    video::TVideo& v = m_parts.video;
    TTimelineJob job;
    job.source = v.FileName();
    job.output = name;
    job.blocks = MontageBlocks(m_parts.montage);
    job.framesPerSecond = v.FramesPerSecond();
    job.codec = m_options.codec;
    job.quality = m_options.quality;
    const int total = m_parts.montage.VisibleCount() + m_parts.montage.MissingFrameCount();
    Begin(Tr("Enregistrer le montage dans un fichier vidéo"), total);
    m_timelineRunning = true;
    m_timelineCancel = reOk;
    std::string said;
    int code = renderTimeline(
        job,
        [this, total](double done) {
            if (progressStep)
                progressStep(static_cast<int>(done * total + 0.5), total);
            return m_timelineCancel == reOk;
        },
        said);
    m_timelineRunning = false;
    End();
    if (code != reOk && m_timelineCancel != reOk)
        code = m_timelineCancel;
    std::string text = RecordErrorText(code);
    if (code != reOk && code != reAborted && code != rePlayerStopped && !said.empty())
        text += "\n" + said;
    if (repaint)
        repaint();
    return Finish(code, name, Tr("Le fichier a été enregistré avec succès :"), text);
}

int TRecordCommands::RecordMontage()
{
    video::TVideo& v = m_parts.video;
    if (IsRecording() || !v.IsOpened() || v.Player() == nullptr)
        return roRefused;
    v.Stop();
    if (!AskOptions(TRecordJob::MontageVideo, Facts(TRecordJob::MontageVideo)))
        return roCancelled;
    const auto name = AskVideoName("Montage");
    if (!name)
        return roCancelled;
    if (m_options.framework == fwGes && renderTimeline)
        return RenderTimeline(*name);
    auto writer = makeWriter ? makeWriter(m_options.framework) : nullptr;
    if (!writer) {
        Show(m_parts.dialog, TUserDlgIcon::icWarning,
            { Tr("Erreur détectée durant la création du fichier vidéo :"), "", RecordErrorText(reNoCodec) });
        return roFailed;
    }
    video::TPlayer& player = *v.Player();
    const int remembered = player.CurrentFrame();
    const std::vector<int> steps = RecordSteps(m_parts.montage, m_options.blankFrames);
    TMovieSpec movie;
    movie.fileName = *name;
    movie.framesPerSecond = m_options.framesPerSecond > 0 ? m_options.framesPerSecond : v.FramesPerSecond();
    movie.codec = m_options.codec;
    movie.quality = m_options.quality;
    movie.keyFrameInterval = m_options.keyFrameInterval;
    Begin(Tr("Enregistrer le montage dans un fichier vidéo"), static_cast<int>(steps.size()));
    const int code = m_recorder.RecordVideo(
        *writer, movie, m_options, steps, player.Width(), player.Height(), [this, &player](int raw, TRgbImage& frame) {
            if (!player.Opened()) {
                m_recorder.Cancel(rePlayerStopped);
                return false;
            }
            player.SetCurrentFrame(raw);
            return player.CurrentFrame() == raw && player.Draw(frame);
        });
    End();
    if (player.Opened())
        player.SetCurrentFrame(remembered);
    if (repaint)
        repaint();
    return Finish(code, *name, Tr("Le fichier a été enregistré avec succès :"), m_recorder.ErrorText());
}

int TRecordCommands::DecomposeVideo()
{
    video::TVideo& v = m_parts.video;
    if (IsRecording() || !v.IsOpened() || v.Player() == nullptr)
        return roRefused;
    v.Stop();
    TFileDialogRequest request;
    request.title = Tr("Enregistrer la vidéo sous forme de fichiers images");
    request.filter = Tr("Fichier image PNG (*.png)") + ";;" + Tr("Ficher bitmap (*.bmp)");
    request.proposedName = StemOf(v.FileName()) + ".png";
    request.defaultExtension = "png";
    request.folder = m_parts.mru.Directory;
    request.confirmOverwrite = false; // the numbered pictures are what may exist, asked below
    const auto chosen = m_parts.desktop.SaveFileDialog(request);
    if (!chosen || chosen->empty())
        return roCancelled;
    const TPictureFormat format = PictureFormatOf(*chosen);
    const std::string base = PictureBaseName(*chosen);
    TRecordDialogFacts facts = Facts(TRecordJob::Pictures);
    facts.format = format;
    if (!AskOptions(TRecordJob::Pictures, facts))
        return roCancelled;
    const std::vector<int> raws = RecordSteps(m_parts.montage, false);
    const int count = static_cast<int>(raws.size());
    for (int k = 0; k < count; ++k) {
        if (!Exists(PictureFileName(base, k, count, format)))
            continue;
        TCustomUserDlg& dlg = m_parts.dialog;
        dlg.SetIcon(TUserDlgIcon::icWarning);
        dlg.ClearButtons();
        dlg.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
        dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
        dlg.AddText(EscapeForMessage(PictureFileName(base, k, count, format)), lkParagraph, clBlue);
        dlg.AddText("");
        dlg.AddText(Tr("Un fichier portant le même nom existe déjà. Le remplacer ?"));
        if (dlg.Run() != 1)
            return roCancelled;
        break;
    }
    m_parts.mru.Directory = FolderOf(base);
    video::TPlayer& player = *v.Player();
    const int remembered = player.CurrentFrame();
    Begin(Tr("Décomposer une vidéo en fichiers images"), count);
    const int code
        = m_recorder.FramesToPictures(base, format, m_options, raws, [this, &player](int raw, TRgbImage& frame) {
              if (!player.Opened()) {
                  m_recorder.Cancel(rePlayerStopped);
                  return false;
              }
              player.SetCurrentFrame(raw);
              return player.CurrentFrame() == raw && player.Draw(frame);
          });
    End();
    if (player.Opened())
        player.SetCurrentFrame(remembered);
    if (repaint)
        repaint();
    if (code == reOk) {
        Show(m_parts.dialog, TUserDlgIcon::icInformation,
            { Tr("Les fichiers images ont été enregistrés avec succès."), "" },
            m_recorder.WrittenFiles().front() + " … "
                + std::filesystem::path(m_recorder.WrittenFiles().back()).filename().string());
        return roDone;
    }
    Show(m_parts.dialog, TUserDlgIcon::icWarning,
        { Tr("Erreur détectée durant l'enregistrement des fichiers images :"), "", m_recorder.ErrorText() });
    return code == reAborted || code == rePlayerStopped ? roCancelled : roFailed;
}

int TRecordCommands::AssembleVideo()
{
    if (IsRecording())
        return roRefused;
    m_parts.video.Stop();
    TCustomUserDlg& dlg = m_parts.dialog;
    if (m_noticeShown) {
        dlg.SetIcon(TUserDlgIcon::icInformation);
        dlg.ClearButtons();
        dlg.AddButton(Tr("Ok"), TUserDlgButtonKind::btOk);
        dlg.AddButton(Tr("Annuler"), TUserDlgButtonKind::btAnnuler);
        dlg.AddText(Tr("Vous allez sélectionner plusieurs fichiers images."));
        dlg.AddText("");
        dlg.AddText(Tr("Ctrl + A : sélectionner tout"), lkBullet);
        dlg.AddText(Tr("Maj (ou Shift) + touche de direction : sélectionner plusieurs éléments contigus"), lkBullet);
        dlg.AddText(
            Tr("Ctrl + clic gauche de la souris : sélectionner un élément indépendamment des autres"), lkBullet);
        dlg.CheckBoxCaption = Tr("Ne plus afficher cette boîte de dialogue");
        dlg.CheckBoxCheck = false;
        const int answer = dlg.Run();
        if (dlg.CheckBoxCheck)
            m_noticeShown = false;
        if (answer != 0)
            return roCancelled;
    }
    TFileDialogRequest request;
    request.title = Tr("Sélectionner des fichiers images");
    request.filter = Tr("Fichiers images (*.png *.bmp)") + ";;" + Tr("Fichier image PNG (*.png)") + ";;"
        + Tr("Ficher bitmap (*.bmp)");
    request.folder = m_parts.mru.Directory;
    auto pictures = m_parts.desktop.OpenFilesDialog(request);
    if (!pictures || pictures->empty())
        return roCancelled;
    SortPictureNames(*pictures);
    m_parts.mru.Directory = FolderOf(pictures->front());
    TRgbImage first;
    const TRecordMontage::TPictureReader reader = readPicture;
    if (!(reader ? reader(pictures->front(), first) : false) || first.IsEmpty()) {
        Show(m_parts.dialog, TUserDlgIcon::icWarning,
            { Tr("Erreur détectée durant la création du fichier vidéo :"), "",
                RecordErrorText(reBadFrame) + " : " + EscapeForMessage(pictures->front()) });
        return roFailed;
    }
    TRecordDialogFacts facts = Facts(TRecordJob::Assembly);
    facts.sourceWidth = first.width;
    facts.sourceHeight = first.height;
    facts.visibleFrames = static_cast<int>(pictures->size());
    facts.missingFrames = 0;
    if (!m_parts.video.IsOpened())
        facts.videoFramesPerSecond = 25;
    if (!AskOptions(TRecordJob::Assembly, facts))
        return roCancelled;
    const auto name = AskVideoName("Assemblage");
    if (!name)
        return roCancelled;
    auto writer = makeWriter ? makeWriter(m_options.framework) : nullptr;
    if (!writer) {
        Show(m_parts.dialog, TUserDlgIcon::icWarning,
            { Tr("Erreur détectée durant la création du fichier vidéo :"), "", RecordErrorText(reNoCodec) });
        return roFailed;
    }
    TMovieSpec movie;
    movie.fileName = *name;
    movie.framesPerSecond = m_options.framesPerSecond > 0 ? m_options.framesPerSecond : 25;
    movie.codec = m_options.codec;
    movie.quality = m_options.quality;
    movie.keyFrameInterval = m_options.keyFrameInterval;
    Begin(Tr("Créer une vidéo à partir de fichiers images"), static_cast<int>(pictures->size()));
    const int code = m_recorder.PicturesToVideo(*writer, movie, m_options, *pictures, reader);
    End();
    return Finish(code, *name, Tr("Le fichier a été enregistré avec succès :"), m_recorder.ErrorText());
}

} // namespace kinoval::montage
