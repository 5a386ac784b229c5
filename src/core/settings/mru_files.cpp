#include "core/settings/mru_files.h"

#include "core/common/ini_file.h"
#include "core/common/texts.h"

#include <algorithm>

namespace kinoval {

void TMRUFiles::Add(const std::string& path)
{
    if (path.empty())
        return;
    std::erase_if(m_files, [&](const std::string& entry) { return SameTextIgnoringCase(entry, path); });
    while (!m_files.empty() && static_cast<int>(m_files.size()) >= m_maximum)
        m_files.pop_back();
    m_files.insert(m_files.begin(), path);
    ListChanged();
}

void TMRUFiles::SetMaximum(int maximum)
{
    // Zero would leave no room at all (and a list that can never take a file); it keeps the old maximum.
    if (maximum <= 0)
        return;
    m_maximum = std::min(maximum, kLargestMaximum);
    if (static_cast<int>(m_files.size()) > m_maximum) {
        m_files.resize(static_cast<std::size_t>(m_maximum));
        ListChanged();
    }
}

void TMRUFiles::ReadList(const TIniFile& ini, std::string_view section)
{
    // Read oldest first through Add, so duplicates in a hand-edited file collapse onto the newest one.
    std::vector<std::string> found;
    for (int n = 1; n <= kLargestMaximum; ++n) {
        std::string path = ini.ReadString(section, "File" + std::to_string(n), "");
        if (!path.empty())
            found.push_back(std::move(path));
    }
    m_files.clear();
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        std::erase_if(m_files, [&](const std::string& entry) { return SameTextIgnoringCase(entry, *it); });
        m_files.insert(m_files.begin(), *it);
    }
    if (static_cast<int>(m_files.size()) > m_maximum)
        m_files.resize(static_cast<std::size_t>(m_maximum));
    ListChanged();
}

void TMRUFiles::WriteList(TIniFile& ini, std::string_view section) const
{
    ini.EraseSection(section);
    int n = 1;
    for (const auto& path : m_files) {
        // A path the file cannot hold (a line end in a file name) is left out rather than split in two.
        if (ini.WriteString(section, "File" + std::to_string(n), path) == kIniOk)
            ++n;
    }
}

void TMRUFiles::ReadFolder(const TIniFile& ini, std::string_view section)
{
    Directory = ini.ReadString(section, kFolderKey, "");
}

void TMRUFiles::WriteFolder(TIniFile& ini, std::string_view section) const
{
    ini.WriteString(section, kFolderKey, Directory);
}

std::vector<TMRUFiles::TMenuEntry> TMRUFiles::MenuEntries() const
{
    std::vector<TMenuEntry> entries;
    int number = 1;
    for (const auto& path : m_files) {
        std::string caption = Numbered ? FormatText("&%d %s", { std::to_string(number), path }) : path;
        entries.push_back({ std::move(caption), path, number });
        ++number;
    }
    if (!entries.empty())
        entries.push_back({ "-", "", 0 });
    return entries;
}

void TMRUFiles::Click(std::size_t index) const
{
    if (index < m_files.size())
        OnClick.Emit(m_files[index]);
}

void TMRUFiles::ListChanged() const
{
    OnListChange.Emit();
}

} // namespace kinoval
