#include "core/export/file_search.h"

#include "core/common/ini_file.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kinoval {

namespace fs = std::filesystem;

std::vector<std::string> FindFilesNamed(
    const std::vector<std::string>& roots, const std::string& name, int maxDepth, int maxEntries)
{
    std::vector<std::string> found;
    int visited = 0;
    for (const std::string& root : roots) {
        std::error_code error;
        fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
        const fs::recursive_directory_iterator end;
        while (!error && it != end) {
            if (++visited > maxEntries)
                return found;
            const fs::directory_entry& entry = *it;
            std::error_code statError;
            if (entry.is_symlink(statError)) {
                // Not followed: the iterator does not enter linked folders, and a linked file is no install.
            } else if (entry.is_directory(statError)) {
                if (it.depth() >= maxDepth)
                    it.disable_recursion_pending();
            } else if (entry.is_regular_file(statError)
                && SameTextIgnoringCase(entry.path().filename().string(), name)) {
                found.push_back(entry.path().string());
            }
            it.increment(error);
        }
    }
    return found;
}

std::vector<std::string> WineDriveFolders()
{
    std::vector<fs::path> candidates;
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0')
        candidates.push_back(fs::path(prefix) / "drive_c");
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        candidates.push_back(fs::path(home) / ".wine" / "drive_c");
        std::error_code error;
        for (fs::directory_iterator it(fs::path(home) / ".local/share/wineprefixes", error), end; !error && it != end;
             it.increment(error))
            candidates.push_back(it->path() / "drive_c");
    }
    std::vector<std::string> folders;
    for (const fs::path& path : candidates) {
        std::error_code error;
        if (fs::is_directory(path, error)) {
            const std::string text = path.string();
            bool seen = false;
            for (const std::string& f : folders)
                seen = seen || f == text;
            if (!seen)
                folders.push_back(text);
        }
    }
    return folders;
}

} // namespace kinoval
