#pragma once
// TRecordCommands: the three recording commands of the main window, from the first question to the last
// message: "Enregistrer le montage dans un fichier vidéo", "Décomposer une vidéo en fichiers images" and
// "Créer une vidéo à partir de fichiers images".
//
// Each command asks its options (through askOptions, the options dialog in the window), a file name
// (through the desktop's dialogs), runs the recorder over the view's player or the chosen pictures with
// its progress shown (progressBegin/Step/End; Step lets the window's events run, so that "Annuler"
// reaches Cancel) and ends with one message. While a job runs IsRecording is true: the window then
// refuses to open another video and keeps the commands that would start a second job disabled.
//
// The writer of each framework comes from makeWriter (media's in the program, a memory writer in tests);
// pictures are read by readPicture (Qt's readers in the window: PNG and BMP) and written by the recorder.
// The writer and compressor chosen are kept in the settings file's section "Montage".

#include "core/common/signal.h"
#include "core/montage/record_montage.h"
#include "core/montage/record_options.h"
#include "core/montage/record_plan.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kinoval {
class TCustomUserDlg;
class TDesktopServices;
class TMRUFiles;
namespace video {
class TVideo;
}
} // namespace kinoval

namespace kinoval::montage {

class TMontage;

struct TRecordParts {
    TCustomUserDlg& dialog;
    TDesktopServices& desktop;
    video::TVideo& video;
    TMontage& montage;
    TMRUFiles& mru;
    std::string settingsPath; // empty: the options are not kept
};

// What a command came to.
enum TRecordOutcome : int { roDone = 0, roCancelled = 1, roFailed = 2, roRefused = 3 };

class TRecordCommands {
public:
    explicit TRecordCommands(const TRecordParts& parts);

    // The options dialog: edits the options, false when the user cancelled.
    std::function<bool(TRecordOptions& options, const TRecordDialogFacts& facts)> askOptions;
    std::function<std::unique_ptr<TMovieWriter>(int framework)> makeWriter;
    // The editing timeline (framework 1): it renders the montage's blocks from the source file at once,
    // with frames declared missing as gaps, reporting the done fraction to progress (false stops it); it
    // answers a code of TRecordError and says why in errorText. timelineCodecs lists its compressors
    // (empty: the framework is not offered).
    struct TTimelineJob {
        std::string source;
        std::string output;
        std::vector<TBlocSource> blocks;
        double framesPerSecond = 25;
        std::string codec;
        int quality = 50;
    };
    std::function<int(const TTimelineJob& job, const std::function<bool(double)>& progress, std::string& errorText)>
        renderTimeline;
    std::vector<std::string> timelineCodecs;
    TRecordMontage::TPictureReader readPicture;
    std::function<void(const std::string& title, int total)> progressBegin;
    std::function<void(int done, int total)> progressStep;
    std::function<void()> progressEnd;
    // After the job's last frame: the view shows the frame it showed before.
    std::function<void()> repaint;

    // Fired with true when a job starts and false when it ends.
    TSignal<bool> OnRecordingChanged;

    bool IsRecording() const { return m_recorder.IsRecording() || m_timelineRunning; }
    // Ends the running job after its current frame: "Annuler" (reAborted) or the player stopped.
    void Cancel(int code = reAborted)
    {
        m_recorder.Cancel(code);
        if (m_timelineRunning && m_timelineCancel == reOk)
            m_timelineCancel = code;
    }

    int RecordMontage();
    int DecomposeVideo();
    int AssembleVideo();

    const TRecordOptions& Options() const { return m_options; }
    const TRecordMontage& Recorder() const { return m_recorder; }

private:
    TRecordDialogFacts Facts(TRecordJob job) const;
    bool AskOptions(TRecordJob job, TRecordDialogFacts facts);
    void SaveOptions() const;
    std::optional<std::string> AskVideoName(const std::string& proposed);
    int Finish(int code, const std::string& fileName, const std::string& success, const std::string& errorText);
    int RenderTimeline(const std::string& name);
    void Begin(const std::string& title, int total);
    void End();

    TRecordParts m_parts;
    TRecordOptions m_options;
    TRecordMontage m_recorder;
    bool m_noticeShown = true; // the notice before choosing pictures
    bool m_timelineRunning = false;
    int m_timelineCancel = reOk;
};

} // namespace kinoval::montage
