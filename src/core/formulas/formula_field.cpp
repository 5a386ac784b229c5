#include "core/formulas/formula_field.h"

#include "core/common/ini_file.h"
#include "core/common/numbers.h"

#include <algorithm>

namespace kinoval::formulas {

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

int TFormulaField::Length() const
{
    return static_cast<int>(std::count_if(m_text.begin(), m_text.end(), [](char c) { return !IsContinuationByte(c); }));
}

std::size_t TFormulaField::ByteOffset(int caret) const
{
    std::size_t i = 0;
    for (int n = 0; n < caret && i < m_text.size(); ++n) {
        ++i;
        while (i < m_text.size() && IsContinuationByte(m_text[i]))
            ++i;
    }
    return i;
}

void TFormulaField::SetText(std::string text)
{
    m_text = std::move(text);
    m_caret = Length();
}

void TFormulaField::SetText(std::string text, int caret)
{
    m_text = std::move(text);
    SetCaret(caret);
}

void TFormulaField::SetCaret(int caret)
{
    m_caret = std::clamp(caret, 0, Length());
}

void TFormulaField::End()
{
    m_caret = Length();
}

void TFormulaField::Insert(std::string_view text)
{
    const std::size_t at = ByteOffset(m_caret);
    m_text.insert(at, text);
    TFormulaField inserted;
    inserted.SetText(std::string(text));
    m_caret += inserted.Length();
}

void TFormulaField::InsertFunction(std::string_view name)
{
    const bool atEnd = m_caret >= Length();
    Insert(std::string(name) + "(");
    if (atEnd) {
        m_text += ")";
    }
}

void TFormulaField::Backspace()
{
    if (m_caret <= 0)
        return;
    const std::size_t end = ByteOffset(m_caret);
    const std::size_t start = ByteOffset(m_caret - 1);
    m_text.erase(start, end - start);
    --m_caret;
}

void TFormulaField::Clear()
{
    m_text.clear();
    m_caret = 0;
}

std::string TranslateTypedText(std::string_view typed)
{
    std::string out;
    for (char c : typed) {
        if (c == ',' || c == '.')
            out += DecimalSeparator();
        else if (c == '/')
            out += "\xC3\xB7"; // ÷
        else
            out += c;
    }
    return out;
}

std::string FunctionButtonName(std::string_view name, bool inverse)
{
    if (inverse && (name == "Sin" || name == "Cos" || name == "Tan"))
        return "Arc" + std::string(name);
    return std::string(name);
}

TEntryHistory::TEntryHistory()
{
    m_entries.reserve(128);
}

void TEntryHistory::Add(const std::string& entry)
{
    std::erase_if(m_entries, [&entry](const std::string& e) { return SameTextIgnoringCase(e, entry); });
    m_entries.push_back(entry);
    m_position = static_cast<int>(m_entries.size());
}

std::string TEntryHistory::Previous(const std::string& typing)
{
    m_position = std::max(0, m_position - 1);
    return m_position < static_cast<int>(m_entries.size()) ? m_entries[static_cast<std::size_t>(m_position)] : typing;
}

std::string TEntryHistory::Next(const std::string& typing)
{
    const int count = static_cast<int>(m_entries.size());
    m_position = std::min(count, m_position + 1);
    return m_position < count ? m_entries[static_cast<std::size_t>(m_position)] : typing;
}

} // namespace kinoval::formulas
