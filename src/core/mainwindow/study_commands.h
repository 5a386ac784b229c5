#pragma once
// Opening videos and studies, saving studies, and the confirmations before opening and closing.
//
// These are the main window's file commands said without a screen: every question and every message goes
// through the message dialog, every file choice through the desktop services, so the whole flow runs in
// tests. The window only calls them and refreshes its bars from the notifications.
//
// A study has its own file once it was opened from one or saved to one: "Enregistrer" then writes there
// at once, "Enregistrer sous..." asks for another name. The commands remember what the study looked like
// when it was last opened or saved, so that a study nobody changed is given up without a question.
//
// A study file (.kvl) holds the path of its video and the document's keys, never the video itself. Loading
// resets the document, opens that video, reads the document, the montage and the formulas back, then goes
// to the saved frame and marking mode. A study whose video has moved is still loaded (without a picture)
// and the user is told which file is missing. Saving never empties the file first: keys of an earlier,
// larger save stay in it, and every list is read back through its count, so those keys are never read.
//
// Loading never invents: whatever it had to leave out (an unreadable mark, a list cut short, marks on
// frames the video does not have, a video that is not the one the study was pointed on) comes back in a
// report, one line each, which the window shows and the headless tool prints. Saving never lies: a value
// the file cannot hold fails the whole save, and the file on the disk stays as it was.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kinoval {
enum class TUserDlgButtonKind;
class TCustomUserDlg;
class TDesktopServices;
class TOptions;
class TMRUFiles;
class TIniFile;
namespace document {
class TData;
struct TDocumentSettings;
} // namespace document
namespace video {
class TVideo;
}
namespace formulas {
class TFormules;
}
namespace montage {
class TMontage;
}
namespace graph {
class TModelChoices;
}
} // namespace kinoval

namespace kinoval::mainwindow {

// The program-wide objects the file commands work on. The montage, the formulas and the models chosen on
// the results' curves may be absent.
struct TStudyParts {
    TCustomUserDlg& dialog;
    TDesktopServices& desktop;
    video::TVideo& video;
    document::TData& data;
    TOptions& options;
    TMRUFiles& mru;
    montage::TMontage* montage = nullptr;
    formulas::TFormules* formules = nullptr;
    graph::TModelChoices* models = nullptr;
};

// Results of LoadStudyFile and of the load command.
enum TStudyLoadResult : int {
    kStudyLoaded = 0,
    kStudyVideoMissing = 1, // loaded, but the video named by the study is not there
    kStudyUnreadable = 2, // the file could not be read: nothing changed
    kStudyNotAStudy = 3, // no Main section with a version: nothing changed
    kStudyDamaged = 4, // loaded, but the report lists what could not be read as written
    kStudyVideoUnreadable = 5 // loaded, but the video named by the study exists and cannot be opened
};

// What a load found, for the messages. Texts from the file are already escaped for display.
struct TStudyLoadReport {
    std::string fileReason; // why the study file could not be read (kStudyUnreadable, kStudyNotAStudy)
    std::string videoName; // the video the study names
    std::string videoReason; // why that video could not be opened
    std::vector<std::string> problems; // what was left out or cannot be trusted, one line each
};

// Results of the save command.
enum TStudySaveResult : int {
    kStudySaved = 0,
    kStudyNoVideo = 1, // "Ouvrir d'abord un fichier vidéo."
    kStudyCancelled = 2, // the dialog or the overwrite question was cancelled
    kStudyOpenFailed = 3, // "La sauvegarde du fichier a échoué." / "Vérifier que le support ..."
    kStudyWriteFailed = 4 // "La sauvegarde du fichier a échoué."
};

// Writes the study (sections Main, Data, Video, Montage, Formules and Record) into the file's contents,
// keeping every key this save does not write. Headless: no dialog. Answers kIniOk, or the code of the
// first value the file refused (a line end in the video's path or a name), whose key goes to refusedKey:
// the contents are then incomplete and must not be written.
int WriteStudy(TIniFile& file, const TStudyParts& parts, std::string* refusedKey = nullptr);
// The load command without dialogs: resets the document, opens the video named by the study, reads the
// document, the montage and the formulas, then goes to the saved frame and marking mode. The report says
// what went wrong, when something did.
int LoadStudyFile(const std::string& path, const TStudyParts& parts, TStudyLoadReport* report = nullptr);
// The lines the window and the headless tool show for a load's report (empty for a clean load).
std::vector<std::string> StudyProblemLines(const TStudyLoadReport& report);

// The settings the document follows (scale kind, element size, number positions, numbering from zero).
document::TDocumentSettings DocumentSettingsOf(const TOptions& options);

// Why a video file could not be opened, for the failure box: what the file system tells (a folder, a
// device, an empty or unreadable file) before what the players said; a player's text that explains
// nothing becomes a plain statement that no player recognises the file.
std::vector<std::string> OpenFailureReasons(const std::string& path, const std::string& playersText);

// The open dialog's filter: every kind of file the program reads first, then the videos, the studies,
// and all files.
std::string OpenFileFilter();

class TStudyCommands {
public:
    explicit TStudyCommands(const TStudyParts& parts)
        : m_parts(parts)
    {
    }

    // While it answers true (an edited video is being recorded) opening is refused.
    std::function<bool()> isRecording;
    // After a video was opened (also through a study): the window updates its bars, menus and status.
    std::function<void()> videoOpened;
    // After an open failed: the window disables the commands that need a video.
    std::function<void()> videoOpenFailed;
    // After a study was loaded.
    std::function<void()> studyLoaded;
    // After the study was written to its file (by either save), with the file's path.
    std::function<void(const std::string&)> studySaved;

    // A video or, by its extension ".kvl", a study; false when nothing was opened.
    bool Open(const std::string& path);
    // The open dialog (video and study filter, recent-files folder), then Open.
    bool OpenWithDialog();
    // The opening steps: refusal while recording, the confirmation to save, the missing-file warning, the
    // recent-files folder, the open itself, the failure box with the players' explanation. The document is
    // reset on success.
    bool OpenVideo(const std::string& path);
    // The confirmation to save, then the load command; its warning names a video that could not be found.
    bool OpenStudy(const std::string& path);

    // Saves to the study's own file without a dialog when it has one (the success goes to studySaved, not
    // to a box), else as SaveAs. Answers a TStudySaveResult.
    int Save();
    // The save command with its dialogs: the name, the overwrite question, the success box. LastSaved()
    // is the file written.
    int SaveAs();
    const std::string& LastSaved() const { return m_lastSaved; }
    // The file the study was opened from or last saved to; empty for a study that has none yet.
    const std::string& StudyPath() const { return m_studyPath; }

    // Whether the study changed since it was opened or saved (always false without a video).
    bool Modified() const;
    // Takes the study as it is now for the saved state.
    void MarkUnmodified();
    // Loads a copy of a study that was never saved (the recovery file after a crash): the study is
    // modified until saved, and its own file is the one the copy belongs to (empty for none), so that
    // "Enregistrer" writes it there. Answers LoadStudyFile's code.
    int RestoreStudy(const std::string& copy, const std::string& studyPath);

    // The confirmation before opening another video or study: false stops the opening. "Enregistrer" goes
    // on only when the save succeeded, so a failed or cancelled save never loses the study. An unchanged
    // study is not asked about.
    bool ConfirmBeforeOpening();
    // The confirmation before closing the window: false keeps it open (also when the save failed).
    bool ConfirmBeforeClosing();

private:
    // What opening a video and a study share: the refusal while recording, the confirmation to save, the
    // missing-file warning and the recent-files folder. False stops the opening.
    bool MayOpen(const std::string& path, const std::string& missingText);
    // The question to save, with "Enregistrer", "Annuler" and the button that goes on without saving.
    bool AskToSave(const std::vector<std::string>& lines, const std::string& goOn, TUserDlgButtonKind goOnKind);
    // The boxes after a load: why it failed (false), the missing video, what was left out (true).
    bool ShowLoadResult(int code, const TStudyLoadReport& report, const std::string& shownPath);
    // Writes the study to name; the failure boxes are shown here. TStudySaveResult.
    int WriteTo(const std::string& name);

    TStudyParts m_parts;
    std::string m_lastSaved;
    std::string m_studyPath;
    // The document's, the montage's and the formulas' generations when the study was last opened or saved.
    std::uint64_t m_savedData = 0;
    std::uint64_t m_savedMontage = 0;
    std::uint64_t m_savedFormules = 0;
    std::uint64_t m_savedModels = 0;
    bool m_restored = false; // a restored copy is unsaved whatever the generations say
};

} // namespace kinoval::mainwindow
