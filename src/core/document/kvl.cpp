#include "core/document/kvl.h"

namespace kinoval::document {

void TIniSectionKeys::Write(std::string_view key, const std::string& value)
{
    if (m_file != nullptr && m_file->WriteString(m_section, key, value) == kIniOk)
        return;
    if (!m_refused)
        m_refusedKey = std::string(key);
    m_refused = true;
}

int TKvl::Open(const std::string& fileName)
{
    m_fileName = fileName;
    m_errorText.clear();
    if (m_file)
        return kIniOk;
    auto file = std::make_unique<TIniFile>(fileName);
    const int code = file->Load(fileName);
    if (code != kIniOk && code != kIniFileMissing) {
        m_errorText = file->LastErrorText();
        return code;
    }
    m_file = std::move(file);
    return kIniOk;
}

int TKvl::Close()
{
    if (!m_file)
        return kIniOk;
    const int code = m_file->Save();
    m_errorText = m_file->LastErrorText();
    m_file.reset();
    return code;
}

} // namespace kinoval::document
