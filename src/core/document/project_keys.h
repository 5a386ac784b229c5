#pragma once
// One section of a study file, as the document's objects read and write it.
//
// Every object writes its own keys (base name, "_", suffix) and reads them back with its own defaults. The
// project file's holder adapts its key-value file onto this interface; tests use an in-memory map.
// Numbers follow the study files' conventions: integers in decimal, booleans "1"/"0" (any non-zero integer
// reads as true), doubles with the user's decimal separator, read with either separator.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval::document {

class TProjectKeys {
public:
    virtual ~TProjectKeys() = default;
    virtual std::optional<std::string> Read(std::string_view key) const = 0;
    virtual void Write(std::string_view key, const std::string& value) = 0;
    // How many keys the section holds. No list of the section can have more entries than that, whatever
    // its count key says, so every list is read within this many steps.
    virtual std::size_t KeyCount() const = 0;

    // A missing key gives the fallback; so does a malformed value, which is also remembered so that the
    // caller can tell the user the study was damaged instead of failing half-way through.
    int ReadInt(std::string_view key, int fallback) const;
    bool ReadBool(std::string_view key, bool fallback) const;
    double ReadDouble(std::string_view key, double fallback) const;
    std::string ReadString(std::string_view key, const std::string& fallback) const;
    bool HadMalformedValue() const { return m_malformed; }
    // A value that reads as a number but that the document cannot use counts as malformed too.
    void FlagMalformed() const { m_malformed = true; }
    // What a reader had to leave out or change, said for the user (a mark dropped, a list cut short):
    // one line each, shown after loading.
    void Report(std::string line) const { m_problems.push_back(std::move(line)); }
    const std::vector<std::string>& Problems() const { return m_problems; }
    // A malformed value or a reported problem: the study was not read as it was written.
    bool Damaged() const { return m_malformed || !m_problems.empty(); }

    void WriteInt(std::string_view key, long long value);
    void WriteBool(std::string_view key, bool value);
    void WriteDouble(std::string_view key, double value);
    void WriteString(std::string_view key, const std::string& value) { Write(key, value); }

private:
    mutable bool m_malformed = false;
    mutable std::vector<std::string> m_problems;
};

// "Base_Suffix", or "Base" alone for an empty suffix.
std::string KeyOf(std::string_view base, std::string_view suffix);

} // namespace kinoval::document
