#pragma once
// Copies of unsaved studies, so that a crash or a kill loses at most a minute of pointing.
//
// While the study has changes that no save holds, the window asks Autosave every minute and at each change
// of mode; the study is then written (the study file's own layout, through the same atomic write) to a copy
// of this instance's in the user's data folder, $XDG_DATA_HOME/kinoval. A normal save, or a close, removes
// the copy. Each running instance holds a lock beside its copy for as long as it lives; the kernel lets go
// of it when the process dies, however it dies, so a copy whose lock is free was left by an instance that
// never closed. The next start offers to restore it ("Restaurer le travail non enregistré du ..."), and the
// restored study is unsaved until the user saves it, to its own file when it had one.
//
// Nothing here knows about timers or windows: the window calls in, tests call in with their own clock.

#include "core/mainwindow/study_commands.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace kinoval::mainwindow {

// A copy left behind, as the start finds it.
struct TRecoveryCopy {
    std::string path; // the copy, a study file
    std::string lockPath;
    std::string studyPath; // the study's own file, empty when it had none yet
    std::string videoName;
    std::time_t savedAt = 0;
};

class TRecovery {
public:
    // How often the window asks for a copy while the study has unsaved changes.
    static constexpr int kIntervalSeconds = 60;

    TRecovery(const TStudyParts& parts, TStudyCommands& commands, std::string folder);
    // Lets go of this instance's lock. A copy that was not discarded stays: the next start offers it.
    ~TRecovery();
    TRecovery(const TRecovery&) = delete;
    TRecovery& operator=(const TRecovery&) = delete;

    // Writes the copy when the study has changes it does not hold yet; without unsaved changes the copy
    // goes. Answers whether a copy was written.
    bool Autosave();
    // After a normal save or a close: the copy goes.
    void Discard();
    // This instance's copy (it exists only between an autosave and a discard).
    const std::string& CopyPath() const { return m_copyPath; }

    // Copies left by instances that ended without closing, newest first.
    std::vector<TRecoveryCopy> Orphans() const;
    // At start: asks, through the message dialog, whether to restore the newest copy left behind. Restored,
    // it becomes this instance's unsaved study and the old copy goes (once this instance holds its own);
    // declined, it goes. A copy whose video cannot be opened is kept for a later start. Answers whether a
    // study was restored.
    bool OfferRestore();

    // The time of a copy; the tests give their own.
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };

private:
    bool HoldLock();
    void RemoveOrphan(const TRecoveryCopy& copy) const;

    TStudyParts m_parts;
    TStudyCommands& m_commands;
    std::string m_folder;
    std::string m_copyPath;
    std::string m_lockPath;
    int m_lock = -1;
    bool m_written = false;
    std::uint64_t m_writtenData = 0;
    std::uint64_t m_writtenMontage = 0;
    std::uint64_t m_writtenFormules = 0;
};

// "09/12/2026 à 14:05": the date and time a copy shows in the question.
std::string RecoveryTimeText(std::time_t when);

} // namespace kinoval::mainwindow
