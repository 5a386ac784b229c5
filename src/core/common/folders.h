#pragma once
// Where the program keeps its files on this system.
//
// The settings file lives in the per-user configuration folder, not in the temporary folder: a Linux
// temporary folder is emptied at reboot, and settings kept there would be lost. The temporary folder is
// still where the sample videos and other scratch files go.

#include <string>

namespace kinoval {

// The settings file's name inside the configuration folder.
inline constexpr const char* kSettingsFileName = "Kinoval.ini";

// The first of $TMP, $TEMP, $TMPDIR and /tmp that names an existing folder; the current folder when none
// does.
std::string TemporaryFolder();

// $KINOVAL_CONFIG_DIR when set; otherwise $XDG_CONFIG_HOME/kinoval (when that is an absolute path); otherwise
// ~/.config/kinoval. The folder is not created here.
std::string ConfigFolder();

// $KINOVAL_DATA_DIR when set; otherwise $XDG_DATA_HOME/kinoval (when that is an absolute path); otherwise
// ~/.local/share/kinoval: the user's data folder, where the copies of unsaved studies wait for a restart.
// The folder is not created here.
std::string DataFolder();

// ConfigFolder()/Kinoval.ini; the folder is created when missing (a failure shows later, when saving).
std::string SettingsFilePath();

// The folder that holds the running program ("." when it cannot be told).
std::string ProgramFolder();

} // namespace kinoval
