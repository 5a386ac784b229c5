#include "core/common/ini_file.h"

#include "core/common/file_access.h"
#include "core/common/file_beside.h"
#include "core/common/numbers.h"
#include "core/common/system_errors.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kinoval {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool HasLineEnd(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A section header is "[Name]" once blanks are trimmed; anything after the closing bracket is ignored.
bool ParseHeader(std::string_view line, std::string& name)
{
    std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return false;
    std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos)
        return false;
    name = std::string(TrimBlanks(trimmed.substr(1, close - 1)));
    return true;
}

bool ValidSectionName(std::string_view section)
{
    return !section.empty() && TrimBlanks(section) == section && section.find(']') == std::string_view::npos
        && !HasLineEnd(section);
}

bool ValidKeyName(std::string_view key)
{
    return !key.empty() && TrimBlanks(key) == key && key.find('=') == std::string_view::npos && key.front() != '['
        && !HasLineEnd(key);
}

} // namespace

std::string FoldCase(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y)
            return false;
    }
    return true;
}

int WriteFileAtomically(const std::string& path, std::string_view contents, std::string* errorText)
{
    TFileBeside file(path);
    int code = file.Write(contents);
    if (code == kIniOk)
        code = file.Commit();
    if (errorText != nullptr)
        *errorText = file.ErrorText();
    return code;
}

void TIniFile::TSection::Reindex()
{
    keys.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].folded.empty())
            keys.emplace(lines[i].folded, i); // emplace keeps the first occurrence
    }
}

void TIniFile::Reindex()
{
    m_index.clear();
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        m_index.emplace(m_sections[i].folded, i);
}

void TIniFile::Clear()
{
    m_preamble.clear();
    m_sections.clear();
    m_index.clear();
}

int TIniFile::Load(const std::string& path)
{
    m_path = path;
    Clear();
    m_lastError.clear();
    std::string text;
    switch (ReadWholeFile(path, kMaxTextFileBytes, text, &m_lastError)) {
    case frOk:
        break;
    case frMissing:
        return kIniFileMissing;
    case frNotRegular:
        return kIniNotRegular;
    case frTooLarge:
        return kIniTooLarge;
    default:
        return kIniReadFailed;
    }
    SetText(text);
    return kIniOk;
}

void TIniFile::SetText(std::string_view text)
{
    Clear();
    while (text.substr(0, 3) == "\xEF\xBB\xBF") // a byte-order mark (editors have been seen to add two)
        text.remove_prefix(3);
    TSection* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line
            = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        // Every CR before the LF goes, so a file damaged into CR CR LF reads the same after each save.
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        std::string name;
        if (ParseHeader(line, name)) {
            TSection section;
            section.folded = FoldCase(name);
            section.name = std::move(name);
            section.header = std::string(line);
            m_sections.push_back(std::move(section));
            current = &m_sections.back();
            continue;
        }
        if (current == nullptr) {
            m_preamble.emplace_back(line);
            continue;
        }
        TLine entry;
        entry.text = std::string(line);
        if (std::size_t eq = line.find('='); eq != std::string_view::npos) {
            std::string_view key = TrimBlanks(line.substr(0, eq));
            if (!key.empty()) {
                entry.key = std::string(key);
                entry.folded = FoldCase(key);
                entry.value = std::string(TrimBlanks(line.substr(eq + 1)));
            }
        }
        current->lines.push_back(std::move(entry));
    }
    for (auto& section : m_sections)
        section.Reindex();
    Reindex();
}

std::string TIniFile::Text() const
{
    std::string text;
    for (const auto& line : m_preamble) {
        text += line;
        text += '\n';
    }
    for (const auto& section : m_sections) {
        text += section.header;
        text += '\n';
        for (const auto& line : section.lines) {
            text += line.text;
            text += '\n';
        }
    }
    return text;
}

int TIniFile::Save()
{
    if (m_path.empty()) {
        m_lastError = SystemErrorText(ENOENT);
        return kIniNoPath;
    }
    return WriteFileAtomically(m_path, Text(), &m_lastError);
}

int TIniFile::SaveAs(const std::string& path)
{
    m_path = path;
    return Save();
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view section) const
{
    auto it = m_index.find(FoldCase(section));
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

TIniFile::TSection* TIniFile::FindSection(std::string_view section)
{
    auto it = m_index.find(FoldCase(section));
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

const TIniFile::TLine* TIniFile::FindLine(std::string_view section, std::string_view key) const
{
    const TSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    auto it = found->keys.find(FoldCase(key));
    return it == found->keys.end() ? nullptr : &found->lines[it->second];
}

bool TIniFile::SectionExists(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return FindLine(section, key) != nullptr;
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const
{
    if (const TLine* line = FindLine(section, key))
        return line->value;
    return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const TLine* line = FindLine(section, key);
    return line != nullptr ? line->value : std::string(fallback);
}

long long TIniFile::ReadInteger(std::string_view section, std::string_view key, long long fallback) const
{
    const TLine* line = FindLine(section, key);
    if (line == nullptr)
        return fallback;
    return ParseInteger(line->value).value_or(fallback);
}

int TIniFile::ReadInt(std::string_view section, std::string_view key, int fallback) const
{
    long long value = ReadInteger(section, key, fallback);
    if (value < INT_MIN || value > INT_MAX)
        return fallback;
    return static_cast<int>(value);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    const TLine* line = FindLine(section, key);
    if (line == nullptr)
        return fallback;
    if (auto number = ParseInteger(line->value))
        return *number != 0;
    if (SameTextIgnoringCase(line->value, "true"))
        return true;
    if (SameTextIgnoringCase(line->value, "false"))
        return false;
    return fallback;
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double fallback) const
{
    const TLine* line = FindLine(section, key);
    if (line == nullptr)
        return fallback;
    return ParseFileDouble(line->value).value_or(fallback);
}

int TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (!ValidSectionName(section) || !ValidKeyName(key))
        return kIniBadName;
    if (HasLineEnd(value))
        return kIniBadValue;
    TSection* found = FindSection(section);
    if (found == nullptr) {
        TSection created;
        created.name = std::string(section);
        created.folded = FoldCase(section);
        created.header = "[" + created.name + "]";
        m_sections.push_back(std::move(created));
        m_index.emplace(m_sections.back().folded, m_sections.size() - 1);
        found = &m_sections.back();
    }
    std::string trimmed(TrimBlanks(value));
    auto it = found->keys.find(FoldCase(key));
    if (it != found->keys.end()) {
        TLine& line = found->lines[it->second];
        line.text = line.key + "=" + std::string(value);
        line.value = std::move(trimmed);
        return kIniOk;
    }
    // Append after the last non-blank line, so the blank lines between sections stay where they were.
    std::size_t position = found->lines.size();
    while (position > 0 && TrimBlanks(found->lines[position - 1].text).empty())
        --position;
    TLine line;
    line.key = std::string(key);
    line.folded = FoldCase(key);
    line.value = std::move(trimmed);
    line.text = line.key + "=" + std::string(value);
    found->lines.insert(found->lines.begin() + static_cast<std::ptrdiff_t>(position), std::move(line));
    // Only blank lines follow the insertion point, so no other key moved; the new one is indexed alone.
    found->keys.emplace(found->lines[position].folded, position);
    return kIniOk;
}

int TIniFile::WriteInteger(std::string_view section, std::string_view key, long long value)
{
    return WriteString(section, key, std::to_string(value));
}

int TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

int TIniFile::WriteFloat(std::string_view section, std::string_view key, double value)
{
    return WriteString(section, key, FormatStoredDouble(value));
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    TSection* found = FindSection(section);
    if (found == nullptr)
        return false;
    auto it = found->keys.find(FoldCase(key));
    if (it == found->keys.end())
        return false;
    found->lines.erase(found->lines.begin() + static_cast<std::ptrdiff_t>(it->second));
    found->Reindex();
    return true;
}

void TIniFile::EraseSection(std::string_view section)
{
    std::string folded = FoldCase(section);
    std::erase_if(m_sections, [&](const TSection& s) { return s.folded == folded; });
    Reindex();
}

std::vector<std::string> TIniFile::ReadSections() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        auto it = m_index.find(m_sections[i].folded);
        if (it != m_index.end() && it->second == i)
            names.push_back(m_sections[i].name);
    }
    return names;
}

std::size_t TIniFile::KeyCount(std::string_view section) const
{
    const TSection* found = FindSection(section);
    return found == nullptr ? 0 : found->keys.size();
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const
{
    std::vector<std::string> names;
    for (const auto& [key, value] : ReadSectionValues(section))
        names.push_back(key);
    return names;
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSectionValues(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> pairs;
    const TSection* found = FindSection(section);
    if (found == nullptr)
        return pairs;
    for (std::size_t i = 0; i < found->lines.size(); ++i) {
        const TLine& line = found->lines[i];
        if (line.folded.empty())
            continue;
        auto it = found->keys.find(line.folded);
        if (it != found->keys.end() && it->second == i)
            pairs.emplace_back(line.key, line.value);
    }
    return pairs;
}

} // namespace kinoval
