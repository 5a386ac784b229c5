#pragma once
// The association of study files (".kvl") with the program on a freedesktop desktop: a shared-mime-info
// type for the extension and a desktop entry that opens a study with the program, both written into the
// user's own data folder, so no administrator is needed. The settings dialog offers it.

#include <string>

namespace kinoval {

class TDesktopServices;

inline constexpr const char* kKvlMimeType = "application/x-kinoval-study";
inline constexpr const char* kKvlDesktopFileName = "kinoval.desktop";
inline constexpr const char* kKvlMimePackageName = "kinoval-kvl.xml";

// Result codes of RegisterKvlAssociation.
inline constexpr int kAssociationOk = 0;
inline constexpr int kAssociationWriteFailed = 1; // a file could not be written; errorText says which and why
inline constexpr int kAssociationBadProgramPath = 2; // a program path a desktop entry cannot hold (a line end)

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
std::string UserDataFolder();

// The shared-mime-info package that gives ".kvl" files their type.
std::string KvlMimePackage();

// The desktop entry that opens a study with the program; empty when the path holds a line end.
std::string KvlDesktopEntry(const std::string& programPath);

// The Exec key's program, quoted and escaped as a desktop entry requires when it holds spaces or
// reserved characters.
std::string DesktopExecQuoted(const std::string& programPath);

// Writes <dataFolder>/mime/packages/kinoval-kvl.xml and <dataFolder>/applications/kinoval.desktop, then
// asks the desktop to refresh its type and application databases and to make the program the default for
// studies. A refresh tool that is missing does not fail the registration: the files take effect at the
// desktop's next refresh.
int RegisterKvlAssociation(const std::string& dataFolder, const std::string& programPath, TDesktopServices& desktop,
    std::string* errorText = nullptr);

} // namespace kinoval
