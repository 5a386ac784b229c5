#pragma once
// The help command: the program's help pages are HTML files in a folder "Help" beside the program (or,
// once installed, in the program's shared data folder); the first one found, the interface's language
// first, is opened in the desktop's browser.

#include <functional>
#include <string>
#include <vector>

namespace kinoval {

class TCustomUserDlg;
class TDesktopServices;

// "Help_fr.html", "Help_cz.html", "Help_es.html", "Help_en.html", "Help.html", in that order; in the English
// interface "Help_en.html" and "Help.html" come first.
const std::vector<std::string>& HelpFileNames();

// The folders searched for the help files: <program folder>/Help, then <program folder>/../share/kinoval/Help.
std::vector<std::string> HelpFolders(const std::string& programFolder);

// The first help file that exists in the given folders (searched in order), or empty.
std::string FindHelpFile(const std::vector<std::string>& folders);

// Opens the help with the desktop, else with showInProgram (when given); when no file exists or neither
// could show it, shows the warning and returns false.
bool ShowHelp(const std::vector<std::string>& folders, TDesktopServices& desktop, TCustomUserDlg& userDlg,
    const std::function<bool(const std::string& file)>& showInProgram = {});

} // namespace kinoval
