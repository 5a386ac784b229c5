#include "core/settings/options.h"

#include "core/common/system_errors.h"

#include "core/common/texts.h"

namespace kinoval {

bool SettingShownInDialog(std::string_view name)
{
    // The settings of parts of the program still to come.
    static constexpr std::string_view later[] = {
        // the vector and formula graphs and the modelling
        "CheckBox19VectorNumber",
        "CheckBox20VectorDraw",
        "CheckBox21VectorPolyline",
        "CheckBox22VectorShowItem",
        "CheckBox23FormulaZoomX",
        "CheckBox24FormulaZoomY",
        "CheckBox25FormulaOriginY",
        "CheckBox26FormulaPolyline",
        "CheckBox27ProfShowItem",
        "CheckBox28FormulaShowItem",
        "CheckBox33VectorOrigin",
        "CheckBox34FormulaOriginX",
        "CheckBox35VectorTilted",
        "CheckBox37GridShowItem",
        "CheckBox42TempsEquation",
        "CheckBox43TempsStatistics",
        "CheckBox44FormulaEquation",
        "CheckBox45FormulaStatistics",
        "CheckBox46VectorVideoImage",
        "CheckBox50VectorSpline",
        "CheckBox51DeformationBubble",
    };
    // The results window's tool buttons belong to the graphs.
    if (name.starts_with("ToolButton"))
        return false;
    // Chosen where it acts, beside the tracking's other tools: the tracking panel keeps it.
    if (name == "TrackingMethod")
        return false;
    for (std::string_view n : later) {
        if (n == name)
            return false;
    }
    return true;
}

const std::vector<TBoolOption>& TOptions::BoolOptions()
{
    static const std::vector<TBoolOption> options = {
#define KINOVAL_X(name, control, def) { #control "_Checked", &TOptionValues::name, def },
        KINOVAL_OPTION_CHECKBOXES(KINOVAL_X)
#undef KINOVAL_X
#define KINOVAL_X(name) { #name "_Down", &TOptionValues::name, false },
            KINOVAL_OPTION_TOOLBUTTONS(KINOVAL_X)
#undef KINOVAL_X
    };
    return options;
}

const std::vector<TIntOption>& TOptions::IntOptions()
{
    static const std::vector<TIntOption> options = {
#define KINOVAL_X(name, control, def, low, high) { #control "_Value", &TOptionValues::name, def, low, high },
        KINOVAL_OPTION_VALUES(KINOVAL_X)
#undef KINOVAL_X
    };
    return options;
}

const std::vector<TTextOption>& TOptions::TextOptions()
{
    static const std::vector<TTextOption> options = {
#define KINOVAL_X(name, key) { #key, &TOptionValues::name },
        KINOVAL_OPTION_TEXTS(KINOVAL_X)
#undef KINOVAL_X
    };
    return options;
}

void TOptions::ReadAll(const TIniFile& ini)
{
    for (const auto& option : BoolOptions())
        this->*option.field = ini.ReadBool(kSection, option.key, option.fallback);
    for (const auto& option : IntOptions()) {
        long long value = ini.ReadInteger(kSection, option.key, option.fallback);
        // A value the program cannot use (a negative count, a position that does not exist) is treated as
        // missing rather than passed on to the document.
        this->*option.field = value < option.low || value > option.high ? option.fallback : static_cast<int>(value);
    }
    for (const auto& option : TextOptions())
        this->*option.field = ini.ReadString(kSection, option.key, "");
    NotifyChange();
}

void TOptions::WriteAll(TIniFile& ini) const
{
    for (const auto& option : BoolOptions())
        ini.WriteBool(kSection, option.key, this->*option.field);
    for (const auto& option : IntOptions())
        ini.WriteInteger(kSection, option.key, this->*option.field);
    for (const auto& option : TextOptions()) {
        // A line end would split the line; a text cannot hold one in the dialog anyway.
        std::string text = this->*option.field;
        for (char& c : text) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        ini.WriteString(kSection, option.key, text);
    }
}

int TOptions::Load(const std::string& path)
{
    TIniFile ini;
    int code = ini.Load(path);
    ReadAll(ini);
    return code;
}

int TOptions::Save(const std::string& path, std::string* errorText) const
{
    TIniFile ini;
    int code = ini.Load(path);
    if (IsRefusedRead(code)) {
        if (errorText != nullptr)
            *errorText = ini.LastErrorText();
        return code;
    }
    WriteAll(ini);
    code = ini.Save();
    if (errorText != nullptr)
        *errorText = ini.LastErrorText();
    return code;
}

void TOptions::Assign(const TOptionValues& edited)
{
    if (static_cast<const TOptionValues&>(*this) == edited)
        return;
    static_cast<TOptionValues&>(*this) = edited;
    NotifyChange();
}

void TOptions::NotifyChange() const
{
    OnChange.Emit();
}

bool* TOptions::FindBool(std::string_view key)
{
    for (const auto& option : BoolOptions()) {
        if (SameTextIgnoringCase(option.key, key))
            return &(this->*option.field);
    }
    return nullptr;
}

int* TOptions::FindInt(std::string_view key)
{
    for (const auto& option : IntOptions()) {
        if (SameTextIgnoringCase(option.key, key))
            return &(this->*option.field);
    }
    return nullptr;
}

std::string* TOptions::FindText(std::string_view key)
{
    for (const auto& option : TextOptions()) {
        if (SameTextIgnoringCase(option.key, key))
            return &(this->*option.field);
    }
    return nullptr;
}

std::vector<std::string> SettingsReadFailureLines(const std::string& path, const std::string& reason)
{
    std::vector<std::string> lines
        = { FormatText(Tr("Impossible de lire les paramètres dans « %s »."), { EscapeForMessage(path) }) };
    if (!reason.empty())
        lines.push_back(reason);
    lines.push_back(Tr("Les paramètres par défaut sont utilisés ; le fichier est laissé tel quel."));
    return lines;
}

std::vector<std::string> SettingsSaveFailureLines(const std::string& path, const std::string& reason)
{
    std::vector<std::string> lines
        = { FormatText(Tr("Impossible d'enregistrer les paramètres dans « %s »."), { EscapeForMessage(path) }) };
    if (!reason.empty())
        lines.push_back(reason);
    return lines;
}

} // namespace kinoval
