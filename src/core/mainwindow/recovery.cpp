#include "core/mainwindow/recovery.h"

#include "core/common/ini_file.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/formulas/formules.h"
#include "core/montage/montage.h"
#include "core/video/video.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kinoval::mainwindow {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "recovery-";
constexpr const char* kSection = "Recovery";

// A lock beside a copy, taken without waiting; -1 when another process holds it (or it cannot be had).
int TryLock(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string LockOf(const fs::path& copy)
{
    fs::path lock = copy;
    lock.replace_extension(".lock");
    return lock.string();
}

} // namespace

std::string RecoveryTimeText(std::time_t when)
{
    std::tm local {};
    localtime_r(&when, &local);
    char date[32];
    char time[16];
    std::strftime(date, sizeof date, "%d/%m/%Y", &local);
    std::strftime(time, sizeof time, "%H:%M", &local);
    return FormatText(Tr("%s à %s"), { date, time });
}

TRecovery::TRecovery(const TStudyParts& parts, TStudyCommands& commands, std::string folder)
    : m_parts(parts)
    , m_commands(commands)
    , m_folder(std::move(folder))
{
}

TRecovery::~TRecovery()
{
    if (m_lock < 0)
        return;
    // Without a copy the lock has nothing to guard; with one, it stays for the next start to find free.
    std::error_code error;
    if (!fs::exists(m_copyPath, error))
        ::unlink(m_lockPath.c_str());
    ::close(m_lock);
}

bool TRecovery::HoldLock()
{
    if (m_lock >= 0)
        return true;
    std::error_code error;
    fs::create_directories(m_folder, error);
    // The process, the moment and a count name this instance's copy: two instances never share one.
    static std::atomic<int> count { 0 };
    const std::string stem = std::string(kPrefix) + std::to_string(::getpid()) + "-" + std::to_string(clock()) + "-"
        + std::to_string(++count);
    m_copyPath = (fs::path(m_folder) / (stem + ".kvl")).string();
    m_lockPath = (fs::path(m_folder) / (stem + ".lock")).string();
    m_lock = TryLock(m_lockPath);
    return m_lock >= 0;
}

bool TRecovery::Autosave()
{
    if (!m_commands.Modified()) {
        Discard();
        return false;
    }
    const std::uint64_t data = m_parts.data.Generation();
    const std::uint64_t montage = m_parts.montage != nullptr ? m_parts.montage->Generation() : 0;
    // Formulas typed since the last copy are changes of the study as much as marks are.
    const std::uint64_t formules = m_parts.formules != nullptr ? m_parts.formules->Generation() : 0;
    if (m_written && data == m_writtenData && montage == m_writtenMontage && formules == m_writtenFormules)
        return false; // the copy already holds these changes
    if (!HoldLock())
        return false;
    TIniFile copy;
    if (WriteStudy(copy, m_parts) != kIniOk)
        return false; // a study the file cannot hold: the save will say so, the copy cannot do better
    copy.WriteString(kSection, "StudyFile", m_commands.StudyPath());
    copy.WriteInteger(kSection, "SavedAt", static_cast<long long>(clock()));
    if (WriteFileAtomically(m_copyPath, copy.Text()) != kIniOk)
        return false; // nothing lost yet: the next minute tries again
    m_written = true;
    m_writtenData = data;
    m_writtenMontage = montage;
    m_writtenFormules = formules;
    return true;
}

void TRecovery::Discard()
{
    if (!m_copyPath.empty())
        ::unlink(m_copyPath.c_str());
    m_written = false;
}

std::vector<TRecoveryCopy> TRecovery::Orphans() const
{
    std::vector<TRecoveryCopy> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_folder, error)) {
        const fs::path path = entry.path();
        const std::string name = path.filename().string();
        if (name.rfind(kPrefix, 0) != 0 || path.extension() != ".kvl" || path.string() == m_copyPath)
            continue;
        std::error_code kind;
        if (!entry.is_regular_file(kind))
            continue;
        TRecoveryCopy copy;
        copy.path = path.string();
        copy.lockPath = LockOf(path);
        // A lock that can be taken belongs to no living instance.
        const int lock = TryLock(copy.lockPath);
        if (lock < 0)
            continue;
        ::close(lock);
        TIniFile file;
        if (file.Load(copy.path) != kIniOk)
            continue;
        copy.studyPath = file.ReadString(kSection, "StudyFile", "");
        copy.videoName = file.ReadString("Main", "VideoFileName", "");
        copy.savedAt = static_cast<std::time_t>(file.ReadInteger(kSection, "SavedAt", 0));
        found.push_back(std::move(copy));
    }
    std::sort(found.begin(), found.end(),
        [](const TRecoveryCopy& a, const TRecoveryCopy& b) { return a.savedAt > b.savedAt; });
    return found;
}

void TRecovery::RemoveOrphan(const TRecoveryCopy& copy) const
{
    ::unlink(copy.path.c_str());
    ::unlink(copy.lockPath.c_str());
}

bool TRecovery::OfferRestore()
{
    const std::vector<TRecoveryCopy> orphans = Orphans();
    if (orphans.empty())
        return false;
    const TRecoveryCopy& copy = orphans.front();
    // Held while the user decides, so that a second instance started meanwhile does not offer it too.
    const int lock = TryLock(copy.lockPath);
    if (lock < 0)
        return false;
    TCustomUserDlg& dlg = m_parts.dialog;
    dlg.SetIcon(TUserDlgIcon::icConfirmation);
    dlg.ClearButtons();
    dlg.AddButton(Tr("Restaurer"), TUserDlgButtonKind::btCustom);
    dlg.AddButton(Tr("Ne pas restaurer"), TUserDlgButtonKind::btCustom);
    dlg.AddText(FormatText(Tr("Restaurer le travail non enregistré du %s ?"), { RecoveryTimeText(copy.savedAt) }));
    dlg.AddText(Tr("Le logiciel s'est arrêté avant que ce travail soit enregistré."));
    dlg.AddText("");
    if (!copy.studyPath.empty())
        dlg.AddText(FormatText(Tr("Travail : %s"), { EscapeForMessage(copy.studyPath) }), lkIndented);
    dlg.AddText(FormatText(Tr("Vidéo : %s"), { EscapeForMessage(copy.videoName) }), lkIndented);
    const bool restore = dlg.Run() == 0;
    bool restored = false;
    if (restore) {
        const int code = m_commands.RestoreStudy(copy.path, copy.studyPath);
        restored = code != kStudyUnreadable && code != kStudyNotAStudy;
        // Without its video the marks are shown but cannot be saved yet: the copy waits for the video.
        const bool withVideo = restored && code != kStudyVideoMissing && code != kStudyVideoUnreadable;
        // The old copy goes once this instance holds its own (the window may have written it already,
        // when it was told of the new study).
        if (withVideo) {
            Autosave();
            if (m_written)
                RemoveOrphan(copy);
        }
    } else {
        RemoveOrphan(copy);
    }
    ::close(lock);
    return restored;
}

} // namespace kinoval::mainwindow
