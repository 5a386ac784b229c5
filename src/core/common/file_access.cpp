#include "core/common/file_access.h"

#include "core/common/system_errors.h"
#include "core/common/texts.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kinoval {

namespace {

std::string KindReason(const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        return SystemErrorText(EISDIR);
    return Tr("Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre).");
}

std::string TooLargeReason(std::size_t maxBytes)
{
    return FormatText(Tr("Le fichier dépasse la taille admise (%s Mo)."), { std::to_string(maxBytes / (1024 * 1024)) });
}

void Set(std::string* errorText, std::string text)
{
    if (errorText != nullptr)
        *errorText = std::move(text);
}

} // namespace

std::string NotARegularFileReason(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return SystemErrorText(errno);
    return S_ISREG(status.st_mode) ? std::string() : KindReason(status);
}

int ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& contents, std::string* errorText)
{
    contents.clear();
    Set(errorText, {});
    // Looked at before opening: opening a pipe blocks, opening some devices does things.
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0) {
        const int error = errno;
        Set(errorText, SystemErrorText(error));
        return error == ENOENT ? frMissing : frFailed;
    }
    if (!S_ISREG(status.st_mode)) {
        Set(errorText, KindReason(status));
        return frNotRegular;
    }
    if (static_cast<unsigned long long>(status.st_size) > maxBytes) {
        Set(errorText, TooLargeReason(maxBytes));
        return frTooLarge;
    }
    // O_NONBLOCK: should the path have been swapped for a pipe since the look, the open still returns.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        Set(errorText, SystemErrorText(error));
        return error == ENOENT ? frMissing : frFailed;
    }
    struct stat opened { };
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        Set(errorText, KindReason(opened));
        ::close(fd);
        return frNotRegular;
    }
    contents.reserve(static_cast<std::size_t>(opened.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            contents.clear();
            Set(errorText, SystemErrorText(error));
            return frFailed;
        }
        if (got == 0)
            break;
        // A file that grows while it is read is held to the same cap.
        if (contents.size() + static_cast<std::size_t>(got) > maxBytes) {
            ::close(fd);
            contents.clear();
            Set(errorText, TooLargeReason(maxBytes));
            return frTooLarge;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return frOk;
}

} // namespace kinoval
