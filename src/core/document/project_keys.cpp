#include "core/document/project_keys.h"

#include "core/common/numbers.h"

#include <limits>

namespace kinoval::document {

int TProjectKeys::ReadInt(std::string_view key, int fallback) const
{
    const auto text = Read(key);
    if (!text)
        return fallback;
    const auto value = ParseInteger(*text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        m_malformed = true;
        return fallback;
    }
    return static_cast<int>(*value);
}

bool TProjectKeys::ReadBool(std::string_view key, bool fallback) const
{
    const auto text = Read(key);
    if (!text)
        return fallback;
    const auto value = ParseInteger(*text);
    if (!value) {
        m_malformed = true;
        return fallback;
    }
    return *value != 0;
}

double TProjectKeys::ReadDouble(std::string_view key, double fallback) const
{
    const auto text = Read(key);
    if (!text)
        return fallback;
    const auto value = ParseFileDouble(*text);
    if (!value) {
        m_malformed = true;
        return fallback;
    }
    return *value;
}

std::string TProjectKeys::ReadString(std::string_view key, const std::string& fallback) const
{
    const auto text = Read(key);
    return text ? *text : fallback;
}

void TProjectKeys::WriteInt(std::string_view key, long long value)
{
    Write(key, std::to_string(value));
}
void TProjectKeys::WriteBool(std::string_view key, bool value)
{
    Write(key, value ? "1" : "0");
}
void TProjectKeys::WriteDouble(std::string_view key, double value)
{
    Write(key, FormatStoredDouble(value));
}

std::string KeyOf(std::string_view base, std::string_view suffix)
{
    std::string key(base);
    if (!suffix.empty()) {
        key += '_';
        key += suffix;
    }
    return key;
}

} // namespace kinoval::document
