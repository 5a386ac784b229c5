#include "core/common/folders.h"

#include <cstdlib>
#include <filesystem>

#include <pwd.h>
#include <unistd.h>

namespace kinoval {

namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::string HomeFolder()
{
    std::string home = Environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return ".";
}

} // namespace

std::string TemporaryFolder()
{
    for (const char* name : { "TMP", "TEMP", "TMPDIR" }) {
        std::string folder = Environment(name);
        if (IsFolder(folder))
            return folder;
    }
    if (IsFolder("/tmp"))
        return "/tmp";
    return ".";
}

std::string ConfigFolder()
{
    std::string forced = Environment("KINOVAL_CONFIG_DIR");
    if (!forced.empty())
        return forced;
    // Relative values are to be ignored, so a stray setting cannot scatter settings files around.
    std::string xdg = Environment("XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg.front() == '/')
        return (fs::path(xdg) / "kinoval").string();
    return (fs::path(HomeFolder()) / ".config" / "kinoval").string();
}

std::string DataFolder()
{
    std::string forced = Environment("KINOVAL_DATA_DIR");
    if (!forced.empty())
        return forced;
    std::string xdg = Environment("XDG_DATA_HOME");
    if (!xdg.empty() && xdg.front() == '/')
        return (fs::path(xdg) / "kinoval").string();
    return (fs::path(HomeFolder()) / ".local" / "share" / "kinoval").string();
}

std::string SettingsFilePath()
{
    fs::path folder = ConfigFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    return (folder / kSettingsFileName).string();
}

std::string ProgramFolder()
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty())
        return ".";
    return self.parent_path().string();
}

} // namespace kinoval
