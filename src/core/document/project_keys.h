#pragma once
// One section of a study file, as the document's objects read and write it.
//
// Every object writes its own keys (base name, "_", suffix) and reads them back with its own defaults. The
// project file's holder adapts its key-value file onto this interface; tests use an in-memory map.
// Numbers follow the study files' conventions: integers in decimal, booleans "1"/"0" (any non-zero integer
// reads as true), doubles with the user's decimal separator, read with either separator.

#include <optional>
#include <string>
#include <string_view>

namespace kinoval::document {

class TProjectKeys {
public:
    virtual ~TProjectKeys() = default;
    virtual std::optional<std::string> Read(std::string_view key) const = 0;
    virtual void Write(std::string_view key, const std::string& value) = 0;

    // A missing key gives the fallback; so does a malformed value, which is also remembered so that the
    // caller can tell the user the study was damaged instead of failing half-way through.
    int ReadInt(std::string_view key, int fallback) const;
    bool ReadBool(std::string_view key, bool fallback) const;
    double ReadDouble(std::string_view key, double fallback) const;
    std::string ReadString(std::string_view key, const std::string& fallback) const;
    bool HadMalformedValue() const { return m_malformed; }
    // A value that reads as a number but that the document cannot use counts as malformed too.
    void FlagMalformed() const { m_malformed = true; }

    void WriteInt(std::string_view key, long long value);
    void WriteBool(std::string_view key, bool value);
    void WriteDouble(std::string_view key, double value);
    void WriteString(std::string_view key, const std::string& value) { Write(key, value); }

private:
    mutable bool m_malformed = false;
};

// "Base_Suffix", or "Base" alone for an empty suffix.
std::string KeyOf(std::string_view base, std::string_view suffix);

} // namespace kinoval::document
