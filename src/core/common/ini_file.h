#pragma once
// Initialisation files: the settings file and the project files are both "[Section]" and "Key=Value" text.
//
// The behaviour is the one users of private-profile files rely on:
// - sections and keys are matched without regard to (ASCII) letter case; the first occurrence of a
//   section, and of a key within it, wins; later duplicates are kept in the text but never read;
// - a value is taken as written, with its surrounding blanks trimmed;
// - every other line (comments, blank lines, lines before the first section, lines without "=") is kept,
//   in order, and written back unchanged, so keys and sections written by other programs survive a save;
// - writing a key replaces its value in place, or appends the key at the end of its section (before the
//   blank lines that separate it from the next one), or appends a new section at the end of the file;
// - erasing a section removes its header and all its lines (every occurrence of it).
// Files are UTF-8 (a byte-order mark is skipped); LF is written, CRLF and LF are read.
//
// Saving is atomic: the text goes to a temporary file in the same folder, which is flushed to the disk and
// then renamed over the target. A full disk, a read-only folder or a crash in the middle therefore leave
// the previous file intact; the failure comes back as a code and a text the caller can show.
//
// Names and values that would break the line structure (a line end in a value, a "=" in a key, a "]" in a
// section name) are refused by the writers instead of silently corrupting the file.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kinoval {

// Result codes of TIniFile operations.
enum TIniResult : int {
    kIniOk = 0,
    kIniFileMissing = 1, // Load: no such file (the contents are empty, which is a valid state)
    kIniReadFailed = 2, // Load: the file exists but could not be read
    kIniBadName = 3, // a write with an empty or malformed section or key name
    kIniBadValue = 4, // a write whose value holds a line end
    kIniCreateFailed = 5, // Save: the temporary file could not be created (folder missing or read-only)
    kIniWriteFailed = 6, // Save: writing or flushing failed (disk full, quota, I/O error)
    kIniRenameFailed = 7, // Save: the temporary file could not replace the target
    kIniNoPath = 8, // Save: no file name was given
    kIniNotRegular = 9, // Load or Save: the path names a folder, a device or a pipe
    kIniTooLarge = 10 // Load: larger than kMaxTextFileBytes, so not a file of ours
};

// A Load that found something it would not read: the file must not be overwritten by what the program
// would write in its place, since its contents were never seen.
inline bool IsRefusedRead(int code)
{
    return code == kIniReadFailed || code == kIniNotRegular || code == kIniTooLarge;
}

class TIniFile {
public:
    TIniFile() = default;
    // Remembers the path without reading it; call Load to read.
    explicit TIniFile(std::string path)
        : m_path(std::move(path))
    {
    }

    const std::string& Path() const { return m_path; }

    // Reads the file (and remembers its path). A missing file leaves empty contents and returns
    // kIniFileMissing; callers that only want defaults can ignore that code. Only regular files of at most
    // kMaxTextFileBytes are read (kIniNotRegular, kIniTooLarge otherwise), so a pipe never blocks the reader.
    int Load(const std::string& path);
    int Load() { return Load(m_path); }
    // Replaces the contents by the given text (as if read from a file).
    void SetText(std::string_view text);
    // The contents as they would be written.
    std::string Text() const;

    // Writes the contents atomically to the remembered path (or to the given one, which is then remembered).
    int Save();
    int SaveAs(const std::string& path);
    // The system's explanation of the last failed Load or Save ("Il n'y a plus de place sur le disque.", ...).
    const std::string& LastErrorText() const { return m_lastError; }

    void Clear();

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // The value as written (trimmed), or nothing when the key is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // An integer, or the fallback when the key is absent or not an integer.
    long long ReadInteger(std::string_view section, std::string_view key, long long fallback) const;
    int ReadInt(std::string_view section, std::string_view key, int fallback) const;
    // "1"/"0" (any integer: non-zero is true) and "true"/"false"; anything else gives the fallback.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    // A double written with either decimal separator; the fallback when it is not a number.
    double ReadFloat(std::string_view section, std::string_view key, double fallback) const;

    int WriteString(std::string_view section, std::string_view key, std::string_view value);
    int WriteInteger(std::string_view section, std::string_view key, long long value);
    // Booleans are written as 1 and 0.
    int WriteBool(std::string_view section, std::string_view key, bool value);
    // Doubles in the user's decimal convention: 15 significant digits, or 16-17 when needed to read back exactly.
    int WriteFloat(std::string_view section, std::string_view key, double value);

    // Removes the first occurrence of a key; false when there was none.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every occurrence of the section with all its lines.
    void EraseSection(std::string_view section);

    // Section names in file order (first occurrences only), as spelled in the file.
    std::vector<std::string> ReadSections() const;
    // How many distinct keys a section holds (0 when it does not exist).
    std::size_t KeyCount(std::string_view section) const;
    // Key names of a section in file order (first occurrences only).
    std::vector<std::string> ReadSection(std::string_view section) const;
    // Key and value pairs of a section in file order (first occurrences only).
    std::vector<std::pair<std::string, std::string>> ReadSectionValues(std::string_view section) const;

private:
    struct TLine {
        std::string text; // the line as written, without its line end
        std::string folded; // the folded key for a key line, empty otherwise
        std::string key; // the key as spelled, for a key line
        std::string value; // the trimmed value, for a key line
    };
    struct TSection {
        std::string name; // as spelled in the header
        std::string folded;
        std::string header; // the header line as written
        std::vector<TLine> lines;
        std::unordered_map<std::string, std::size_t> keys; // folded key -> first line holding it
        void Reindex();
    };

    const TSection* FindSection(std::string_view section) const;
    TSection* FindSection(std::string_view section);
    const TLine* FindLine(std::string_view section, std::string_view key) const;
    void Reindex();

    std::string m_path;
    std::string m_lastError;
    std::vector<std::string> m_preamble; // lines before the first section
    std::vector<TSection> m_sections;
    std::unordered_map<std::string, std::size_t> m_index; // folded name -> first section of that name
};

// Letter case folded the way section and key names are compared (ASCII letters only).
std::string FoldCase(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// Writes a whole file atomically: temporary file beside it, flush to the disk, rename. Returns kIniOk or a
// failure code of TIniResult, with the system's explanation in errorText. The old file survives a failure.
int WriteFileAtomically(const std::string& path, std::string_view contents, std::string* errorText = nullptr);

} // namespace kinoval
