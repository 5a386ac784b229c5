#pragma once
#include "core/common/signal.h"
// The list of recently used files, newest first, kept in the settings file.
//
// The main window owns one TMRUFiles: it reads the list and the last used folder at start, adds every
// file it opens (and every study it saves, unless the user froze the list), shows the entries in its
// menu and writes them back at exit. The list holds at most Maximum() entries (9 at creation, then the
// user's setting); entries are compared without regard to letter case, so one file never shows twice.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval {

class TIniFile;

class TMRUFiles {
public:
    static constexpr const char* kSection = "RecentFiles";
    static constexpr const char* kFolderSection = "MainForm";
    static constexpr const char* kFolderKey = "Directory";
    static constexpr int kInitialMaximum = 9;
    static constexpr int kLargestMaximum = 255; // the count is kept in a byte

    // An empty path is ignored; an entry equal to the path ignoring case is removed; the oldest entries go
    // until there is room; the path becomes the first entry.
    void Add(const std::string& path);
    // A new non-zero maximum drops the entries beyond it; zero leaves the maximum as it was.
    void SetMaximum(int maximum);
    int Maximum() const { return m_maximum; }

    const std::vector<std::string>& Files() const { return m_files; }
    void Clear() { m_files.clear(); }

    // Entries are numbered in the menu ("&1 /path"); without numbers the caption is the path alone.
    bool Numbered = true;
    // The folder last used in an open or save dialog.
    std::string Directory;

    // The list from keys File1, File2, ... of a section (gaps and empty values skipped, then at most
    // Maximum() entries).
    void ReadList(const TIniFile& ini, std::string_view section = kSection);
    // Erases the section, then writes the list as File1, File2, ...
    void WriteList(TIniFile& ini, std::string_view section = kSection) const;
    void ReadFolder(const TIniFile& ini, std::string_view section = kFolderSection);
    void WriteFolder(TIniFile& ini, std::string_view section = kFolderSection) const;

    // The menu as the main window shows it under its recent-files item: one entry per file, then a
    // separator. Clicking entry i calls Click(i).
    struct TMenuEntry {
        std::string caption; // "&%d %s", or "-" for the separator
        std::string path; // empty for the separator
        int number = 0; // 1-based, 0 for the separator
    };
    std::vector<TMenuEntry> MenuEntries() const;
    // Called with the chosen path when a menu entry is clicked.
    TSignal<const std::string&> OnClick;
    void Click(std::size_t index) const;
    // Called whenever the entries change, so the menu can be rebuilt.
    TSignal<> OnListChange;

private:
    void ListChanged() const;

    std::vector<std::string> m_files;
    int m_maximum = kInitialMaximum;
};

} // namespace kinoval
