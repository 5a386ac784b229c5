#pragma once
// The study file's holder and the bridge from a key-value file to the document's objects.
//
// TKvl owns the open study file for the duration of a save: Open remembers the name and creates the file
// object on it (reading what an earlier save left, which stays in the file), Close writes it atomically
// and releases it. TIniSectionKeys lets the document's objects write and read their own keys in one
// section of such a file.

#include "core/common/ini_file.h"
#include "core/document/project_keys.h"

#include <memory>
#include <string>

namespace kinoval::document {

class TIniSectionKeys : public TProjectKeys {
public:
    TIniSectionKeys(TIniFile& file, std::string section)
        : m_file(&file)
        , m_constFile(&file)
        , m_section(std::move(section))
    {
    }
    TIniSectionKeys(const TIniFile& file, std::string section)
        : m_constFile(&file)
        , m_section(std::move(section))
    {
    }

    std::optional<std::string> Read(std::string_view key) const override { return m_constFile->Value(m_section, key); }
    std::size_t KeyCount() const override { return m_constFile->KeyCount(m_section); }
    // A read-only bridge refuses writes; a value the file refuses (a line end in a name) is remembered,
    // with the first key it was meant for, so that the save can fail instead of writing half a study.
    void Write(std::string_view key, const std::string& value) override;
    bool HadRefusedWrite() const { return m_refused; }
    const std::string& RefusedKey() const { return m_refusedKey; }

private:
    TIniFile* m_file = nullptr;
    const TIniFile* m_constFile;
    std::string m_section;
    bool m_refused = false;
    std::string m_refusedKey;
};

class TKvl {
public:
    // Remembers the name and creates the file object on it, unless one is already open (then nothing).
    // Answers kIniOk, or the code of TIniFile::Load when an existing file could not be read (nothing is then
    // open, and LastErrorText says why).
    int Open(const std::string& fileName);
    // Writes the file atomically and releases it; answers the write's code (kIniOk when nothing was open).
    int Close();
    // Releases the file without writing it: the one on the disk stays as it was.
    void Discard() { m_file.reset(); }
    TIniFile* File() { return m_file.get(); }
    const std::string& FileName() const { return m_fileName; }
    const std::string& LastErrorText() const { return m_errorText; }

private:
    std::string m_fileName;
    std::string m_errorText;
    std::unique_ptr<TIniFile> m_file;
};

} // namespace kinoval::document
