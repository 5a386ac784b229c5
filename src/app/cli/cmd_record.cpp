// kinoval-cli record STUDY.kvl OUT [--framework avi|ges|ffmpeg] [--codec NAME] [--quality Q] [--rate FPS]
// [--blank-frames] [--size WxH | --crop T,B,LR]: loads a study with its montage, as the program does, and
// writes the montage as a new video, as "Enregistrer le montage dans un fichier vidéo" would: the visible
// frames in order, blank frames for the missing ones when asked, resized or cropped. An existing OUT is
// never replaced. With --framework ges the montage is rendered as a timeline of its blocks from the source
// file (missing frames are gaps, sizes as they are). Prints the frame count written; a failure prints the
// program's message, status 1.
#include "cli/cli_command.h"

#ifdef KINOVAL_HAVE_MEDIA
#include "cli/cli_console.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/document/data.h"
#include "core/formulas/formules.h"
#include "core/mainwindow/study_commands.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/montage/record_montage.h"
#include "core/montage/record_plan.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "core/video/video.h"
#include "media/ges_render.h"
#include "media/montage_writers.h"
#include "media/player_factory.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kinoval::cli {
namespace {

using namespace kinoval;

#define KINOVAL_RECORD_ARGUMENTS                                                                                       \
    "STUDY.kvl OUT [--framework avi|ges|ffmpeg] [--codec NAME] [--quality 10..100] [--rate FPS] [--blank-frames] "     \
    "[--size WxH | --crop T,B,LR]"
constexpr const char* kArguments = KINOVAL_RECORD_ARGUMENTS;
constexpr const char* kUsage = "usage: kinoval-cli record " KINOVAL_RECORD_ARGUMENTS "\n"
                               "codecs: avi: sans (raw bitmaps, the default), mjpeg; ffmpeg: mpeg4 (the default), "
                               "h264\n";

class TNoTimer : public video::TPlaybackTimer {
public:
    bool Start(int, std::function<void()>) override { return false; }
    void Stop() override { }
    bool Running() const override { return false; }
};

void PrintLines(const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        std::fprintf(stderr, "%s\n", line.c_str());
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The compressor a short name stands for, in the framework's own names; empty when unknown.
std::string CodecOf(int framework, const std::string& name)
{
    const std::string n = Lower(name);
    if (framework == montage::fwAvi || framework == montage::fwGes) {
        if (n.empty() || n == "sans" || n == "raw" || n == "dib")
            return montage::kNoCodec;
        if (n == "mjpeg")
            return media::kAviMjpegCodec;
    } else if (framework == montage::fwFFmpeg) {
        if (n.empty() || n == "mpeg4" || n == Lower(media::kFFmpegMpeg4Codec))
            return media::kFFmpegMpeg4Codec;
        if (n == "h264" || n == "libx264" || n == Lower(media::kFFmpegH264Codec))
            return media::kFFmpegH264Codec;
    }
    return {};
}

bool ParseInts(const std::string& text, char separator, std::vector<int>& out)
{
    out.clear();
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find(separator, at), text.size());
        const std::string item = text.substr(at, end - at);
        if (item.empty() || item.size() > 5 || !std::all_of(item.begin(), item.end(), ::isdigit))
            return false;
        out.push_back(std::stoi(item));
        at = end + 1;
    }
    return true;
}

int Run(const std::vector<std::string>& args)
{
    std::vector<std::string> names;
    int framework = montage::fwAvi;
    std::string codecName;
    montage::TRecordOptions options;
    double rate = 0;
    bool sized = false, cropped = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool more = i + 1 < args.size();
        std::vector<int> values;
        if (a == "--framework" && more) {
            const std::string f = args[++i];
            framework = f == "avi" ? montage::fwAvi
                : f == "ges"       ? montage::fwGes
                : f == "ffmpeg"    ? montage::fwFFmpeg
                                   : -1;
        } else if (a == "--codec" && more) {
            codecName = args[++i];
        } else if (a == "--quality" && more && ParseInts(args[i + 1], ',', values) && values.size() == 1) {
            options.quality = values[0];
            ++i;
        } else if (a == "--rate" && more) {
            try {
                rate = std::stod(args[++i]);
            } catch (...) {
                rate = -1;
            }
        } else if (a == "--blank-frames") {
            options.blankFrames = true;
        } else if (a == "--size" && more && ParseInts(args[i + 1], 'x', values) && values.size() == 2) {
            options.modifyImages = true;
            options.crop = false;
            options.width = values[0];
            options.height = values[1];
            sized = true;
            ++i;
        } else if (a == "--crop" && more && ParseInts(args[i + 1], ',', values) && values.size() == 3) {
            options.modifyImages = true;
            options.crop = true;
            options.cropTop = values[0];
            options.cropBottom = values[1];
            options.cropSides = values[2];
            cropped = true;
            ++i;
        } else if (!a.empty() && a[0] != '-') {
            names.push_back(a);
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }
    if (names.size() != 2 || framework < 0 || (sized && cropped) || rate < 0 || rate > 1000) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    const std::string& study = names[0];
    const std::string& out = names[1];
    auto writer = media::MakeMovieWriter(framework);
    const std::string codec = CodecOf(framework, codecName);
    const bool timeline = framework == montage::fwGes;
    if ((!writer && !(timeline && media::TimelineRendererAvailable())) || codec.empty()) {
        PrintLines({ Tr("Erreur détectée durant la création du fichier vidéo :"), "",
            montage::RecordErrorText(montage::reNoCodec) });
        return 1;
    }
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(out, error))) {
        PrintLines({ EscapeForMessage(out), Tr("Un fichier portant ce nom existe déjà dans le répertoire choisi."),
            Tr("Veuillez choisir un nom de fichier différent ou un autre répertoire.") });
        return 1;
    }

    cli::TConsoleDlg dialog;
    cli::TNoDesktop desktop;
    media::TMediaPlayerFactory factory;
    TNoTimer timer;
    video::TVideo view(factory, timer);
    document::TData data(dialog, document::TDocumentSettings {});
    video::TDocumentInput input(data, view);
    TConnections links;
    links += video::LinkDocument(view, data, input);
    montage::TMontage montage(dialog);
    links += montage::ConnectMontage(montage, data, view, {});
    formulas::TFormules formules;
    TOptions settings;
    TMRUFiles mru;
    const mainwindow::TStudyParts parts { dialog, desktop, view, data, settings, mru, &montage, &formules };
    mainwindow::TStudyLoadReport report;
    const int loaded = mainwindow::LoadStudyFile(study, parts, &report);
    if (loaded == mainwindow::kStudyUnreadable || loaded == mainwindow::kStudyNotAStudy) {
        PrintLines({ EscapeForMessage(study), Tr("Ce fichier n'est pas un travail Kinoval lisible.") });
        return 1;
    }
    if (loaded == mainwindow::kStudyVideoMissing || loaded == mainwindow::kStudyVideoUnreadable
        || view.Player() == nullptr) {
        PrintLines({ report.videoName, Tr("Le fichier vidéo de ce travail est introuvable."),
            Tr("Ouvrir d'abord un fichier vidéo.") });
        return 1;
    }
    PrintLines(mainwindow::StudyProblemLines(report));

    if (timeline) {
        // The montage's blocks from the source file at once; missing frames are gaps of the timeline.
        media::TGesJob job;
        job.source = view.FileName();
        job.output = out;
        job.blocks = montage::MontageBlocks(montage);
        job.framesPerSecond = view.FramesPerSecond();
        job.mjpeg = codec == media::kAviMjpegCodec;
        std::string said;
        const int code = media::RenderTimeline(job, {}, &said);
        if (code != montage::reOk) {
            PrintLines({ Tr("Erreur détectée durant la création du fichier vidéo :"), "",
                montage::RecordErrorText(code), said });
            return 1;
        }
        std::printf("%d\n", montage.VisibleCount() + montage.MissingFrameCount());
        return 0;
    }
    video::TPlayer& player = *view.Player();
    const std::vector<int> steps = montage::RecordSteps(montage, options.blankFrames);
    montage::TMovieSpec movie;
    movie.fileName = out;
    movie.framesPerSecond = rate > 0 ? rate : player.FramesPerSecond();
    movie.codec = codec;
    movie.quality = options.quality;
    options.Clamp();
    movie.quality = options.quality;
    montage::TRecordMontage recorder;
    const int code = recorder.RecordVideo(
        *writer, movie, options, steps, player.Width(), player.Height(), [&player](int raw, TRgbImage& frame) {
            player.SetCurrentFrame(raw);
            return player.CurrentFrame() == raw && player.Draw(frame);
        });
    if (code != montage::reOk) {
        PrintLines({ Tr("Erreur détectée durant la création du fichier vidéo :"), "", recorder.ErrorText() });
        return 1;
    }
    std::printf("%zu\n", steps.size());
    return 0;
}

const kinoval::cli::TRegisterCommand reg("record", kArguments, Run);

} // namespace
} // namespace kinoval::cli
#endif
