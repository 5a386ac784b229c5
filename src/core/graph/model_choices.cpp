#include "core/graph/model_choices.h"

#include "core/common/ini_file.h"
#include "core/common/texts.h"
#include "core/graph/model_element.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

namespace {

std::string Key(const char* base, std::size_t k)
{
    return std::string(base) + "_" + std::to_string(k);
}

std::string Key(const char* base, std::size_t k, std::size_t j)
{
    return Key(base, k) + "_" + std::to_string(j);
}

} // namespace

const TModelChoice* TModelChoices::Find(const std::string& curveKey) const
{
    const auto it = m_choices.find(curveKey);
    return it == m_choices.end() ? nullptr : &it->second;
}

void TModelChoices::Set(const std::string& curveKey, const TModelChoice& choice)
{
    if (!IsModelCode(choice.code)) {
        if (m_choices.erase(curveKey) > 0)
            ++m_generation;
        return;
    }
    const auto it = m_choices.find(curveKey);
    if (it != m_choices.end() && it->second == choice)
        return;
    m_choices[curveKey] = choice;
    ++m_generation;
}

void TModelChoices::Clear()
{
    if (m_choices.empty())
        return;
    m_choices.clear();
    ++m_generation;
}

void TModelChoices::Save(TIniFile& file) const
{
    file.EraseSection(kSection);
    if (m_choices.empty())
        return;
    file.WriteInteger(kSection, "ModelesNumber", static_cast<long long>(m_choices.size()));
    std::size_t k = 0;
    for (const auto& [curveKey, choice] : m_choices) {
        file.WriteString(kSection, Key("ModeleCourbe", k), curveKey);
        file.WriteInteger(kSection, Key("ModeleType", k), choice.code);
        file.WriteInteger(kSection, Key("ModeleParametresNumber", k), static_cast<long long>(choice.parameters.size()));
        for (std::size_t j = 0; j < choice.parameters.size(); ++j)
            file.WriteFloat(kSection, Key("ModeleParametre", k, j), choice.parameters[j]);
        ++k;
    }
}

std::vector<std::string> TModelChoices::Load(const TIniFile& file)
{
    Clear();
    std::vector<std::string> problems;
    if (!file.SectionExists(kSection))
        return problems;
    const long long announced = file.ReadInteger(kSection, "ModelesNumber", 0);
    // No more entries than the section has keys, whatever the count says.
    const long long count = std::clamp<long long>(announced, 0, static_cast<long long>(file.KeyCount(kSection)));
    int left = 0;
    for (long long i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const std::string curveKey = file.ReadString(kSection, Key("ModeleCourbe", k), "");
        const int code = file.ReadInt(kSection, Key("ModeleType", k), -1);
        if (curveKey.empty() || !IsModelCode(code)) {
            ++left;
            continue;
        }
        TModelChoice choice;
        choice.code = code;
        const int n = std::clamp(file.ReadInt(kSection, Key("ModeleParametresNumber", k), 0), 0, 5);
        bool readable = true;
        for (int j = 0; j < n; ++j) {
            const double v = file.ReadFloat(kSection, Key("ModeleParametre", k, std::size_t(j)), std::nan(""));
            readable = readable && std::isfinite(v);
            choice.parameters.push_back(v);
        }
        // Parameters that cannot all be read give way to a fit on the curve.
        if (!readable) {
            choice.parameters.clear();
            ++left;
        }
        m_choices[curveKey] = choice;
    }
    if (left > 0 || announced > count)
        problems.push_back(FormatText(
            Tr("Certains modèles enregistrés sont illisibles : %s modèle(s) ignoré(s) ou ajusté(s) à nouveau."),
            { std::to_string(left + std::max(0LL, announced - count)) }));
    ++m_generation;
    return problems;
}

std::string TimeCurveKey(int markSet, const std::string& quantity, int object)
{
    return "Temps " + std::to_string(markSet) + " " + quantity + " " + std::to_string(object);
}

std::string FormulaCurveKey(const std::string& ordinate, const std::string& abscissa)
{
    return "Formule " + ordinate + " / " + (abscissa.empty() ? std::string("t") : abscissa);
}

} // namespace kinoval::graph
