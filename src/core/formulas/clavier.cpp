#include "core/formulas/clavier.h"

#include "core/common/ini_file.h"

#include <algorithm>
#include <cctype>

namespace kinoval::formulas {

namespace {

struct TFavouriteKeys {
    const char* section;
    const char* key;
};
// In the order of TFavourites.
constexpr TFavouriteKeys kKeys[] = { { "Formulae", "Formula" }, { "Comments", "Comment" }, { "Units", "Unit" } };

std::string Trimmed(std::string_view text)
{
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return std::string(text.substr(start, end - start));
}

std::size_t At(TFavourites list)
{
    return static_cast<std::size_t>(list);
}

} // namespace

void TClavier::Validate()
{
    const std::string formula = Trimmed(m_formula.Text());
    m_formula.SetText(formula);
    if (!formula.empty())
        m_history.Add(formula);
    m_typing.clear();
    if (OnValidate)
        OnValidate();
}

void TClavier::Previous()
{
    m_formula.SetText(m_history.Previous(m_typing));
}

void TClavier::Next()
{
    m_formula.SetText(m_history.Next(m_typing));
}

void TClavier::Typed(const std::string& text, int caret)
{
    m_formula.SetText(text, caret);
    m_typing = text;
}

const std::vector<std::string>& TClavier::Favourites(TFavourites list) const
{
    return m_favourites[At(list)];
}

bool TClavier::AddFavourite(TFavourites list, const std::string& text)
{
    // A line end would split the settings file's line: a pasted text keeps its words on one line.
    std::string oneLine = text;
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::string item = Trimmed(oneLine);
    if (item.empty())
        return false;
    std::vector<std::string>& items = m_favourites[At(list)];
    if (std::find(items.begin(), items.end(), item) != items.end())
        return false;
    items.push_back(item);
    return true;
}

void TClavier::RemoveFavourite(TFavourites list, int index)
{
    std::vector<std::string>& items = m_favourites[At(list)];
    if (index >= 0 && index < static_cast<int>(items.size()))
        items.erase(items.begin() + index);
}

void TClavier::ChooseFavourite(TFavourites list, int index)
{
    const std::vector<std::string>& items = m_favourites[At(list)];
    if (index < 0 || index >= static_cast<int>(items.size()))
        return;
    const std::string& item = items[static_cast<std::size_t>(index)];
    switch (list) {
    case TFavourites::Formulas:
        m_formula.SetText(item);
        m_typing = item;
        break;
    case TFavourites::Comments:
        Comment = item;
        break;
    case TFavourites::Units:
        Unit = item;
        break;
    }
}

void TClavier::ReadFavourites(const TIniFile& ini)
{
    for (std::size_t list = 0; list < m_favourites.size(); ++list) {
        std::vector<std::string>& items = m_favourites[list];
        items.clear();
        for (int k = 0;; ++k) {
            const std::string key = kKeys[list].key + std::to_string(k);
            if (!ini.ValueExists(kKeys[list].section, key))
                break;
            const std::string item = Trimmed(ini.ReadString(kKeys[list].section, key, ""));
            // A file edited by hand may repeat an item or leave one blank: the list keeps each once.
            if (!item.empty() && std::find(items.begin(), items.end(), item) == items.end())
                items.push_back(item);
        }
    }
}

void TClavier::WriteFavourites(TIniFile& ini) const
{
    for (std::size_t list = 0; list < m_favourites.size(); ++list) {
        ini.EraseSection(kKeys[list].section);
        const std::vector<std::string>& items = m_favourites[list];
        for (std::size_t k = 0; k < items.size(); ++k)
            ini.WriteString(kKeys[list].section, kKeys[list].key + std::to_string(k), items[k]);
    }
}

void TClavier::LoadFavourites(const std::string& settingsPath)
{
    TIniFile ini;
    ini.Load(settingsPath);
    ReadFavourites(ini);
}

bool TClavier::SaveFavourites(const std::string& settingsPath, std::string* errorText) const
{
    TIniFile ini;
    // A settings file that exists but cannot be read is not overwritten: its other sections would be lost.
    if (ini.Load(settingsPath) == kIniReadFailed) {
        if (errorText != nullptr)
            *errorText = ini.LastErrorText();
        return false;
    }
    WriteFavourites(ini);
    const int code = ini.SaveAs(settingsPath);
    if (errorText != nullptr)
        *errorText = ini.LastErrorText();
    return code == kIniOk;
}

} // namespace kinoval::formulas
