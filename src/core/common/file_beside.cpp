#include "core/common/file_beside.h"

#include "core/common/file_access.h"
#include "core/common/ini_file.h"
#include "core/common/system_errors.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kinoval {

namespace {

// The permission bits a new file gets from the process's umask, read without changing it.
mode_t NewFileMode()
{
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

TFileBeside::TFileBeside(const std::string& target)
{
    namespace fs = std::filesystem;
    if (target.empty()) {
        m_code = kIniNoPath;
        m_errorText = SystemErrorText(ENOENT);
        return;
    }
    // A file kept as a symbolic link (dotfile managers do that) is replaced where it really lives, so the
    // link stays a link.
    fs::path path(target);
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec)
            path = resolved;
    }
    m_target = path.string();
    mode_t mode = NewFileMode();
    struct stat existing { };
    if (::stat(m_target.c_str(), &existing) == 0) {
        // Renaming over a folder fails anyway; over a device or a pipe it would replace the node itself.
        if (!S_ISREG(existing.st_mode)) {
            m_code = kIniNotRegular;
            m_errorText = NotARegularFileReason(m_target);
            return;
        }
        mode = existing.st_mode & 07777;
    }
    const fs::path folder = path.parent_path();
    m_temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_code = kIniCreateFailed;
        m_errorText = SystemErrorText(errno);
        m_temporary.clear();
        return;
    }
    if (::fchmod(m_fd, mode) != 0 && errno != EPERM)
        Fail(kIniWriteFailed, errno);
}

TFileBeside::~TFileBeside()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_temporary.empty())
        ::unlink(m_temporary.c_str());
}

int TFileBeside::Fail(int code, int error)
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_code = code;
    m_errorText = SystemErrorText(error);
    return code;
}

void TFileBeside::ReleaseDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

int TFileBeside::TakeDescriptor()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

int TFileBeside::Write(std::string_view contents)
{
    if (m_code != kIniOk)
        return m_code;
    if (m_fd < 0)
        return Fail(kIniWriteFailed, EBADF);
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(kIniWriteFailed, errno);
        }
        if (written == 0)
            return Fail(kIniWriteFailed, ENOSPC);
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return kIniOk;
}

int TFileBeside::Commit()
{
    if (m_code != kIniOk)
        return m_code;
    // A writer that closed its own handle: the flush goes through a new one.
    if (m_fd < 0) {
        m_fd = ::open(m_temporary.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0)
            return Fail(kIniWriteFailed, errno);
    }
    // Without the flush a crash after the rename could leave an empty file under the old name.
    if (::fsync(m_fd) != 0)
        return Fail(kIniWriteFailed, errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return Fail(kIniWriteFailed, errno);
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return Fail(kIniRenameFailed, errno);
    m_committed = true;
    // Make the rename itself durable; a failure here no longer endangers the old or the new contents.
    const std::string folder = std::filesystem::path(m_target).parent_path().string();
    const int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    m_errorText.clear();
    return kIniOk;
}

} // namespace kinoval
