#pragma once
// The formula keyboard ("Aide à la saisie"), said without a screen.
//
// TClavier keeps the keyboard window's three fields (the formula, with the pad inserting at its caret, its
// comment and its unit), the three lists of favourites the drop-down lists offer (formulas, comments,
// units), the history of the formulas validated and the inverse-function toggle. Validating hands the
// formula to the owner (the formulas window), which reads the three fields and judges the entry as it
// judges a formula typed in its table.
//
// The favourites belong to the user, not to a study: they are kept in the settings file, sections
// "Formulae", "Units" and "Comments", keys "Formula0", "Formula1"... read until the first missing key, each
// section rewritten whole.

#include "core/formulas/formula_field.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval {
class TIniFile;
}

namespace kinoval::formulas {

enum class TFavourites { Formulas = 0, Comments = 1, Units = 2 };

class TClavier {
public:
    TFormulaField& Formula() { return m_formula; }
    const TFormulaField& Formula() const { return m_formula; }
    std::string Comment;
    std::string Unit;
    bool Inverse = false;

    // The pad of the formula field; the inverse toggle turns Sin, Cos and Tan into their inverses.
    void Insert(std::string_view text) { m_formula.Insert(text); }
    void InsertFunction(std::string_view name) { m_formula.InsertFunction(FunctionButtonName(name, Inverse)); }

    // "Valider la saisie": the trimmed formula goes to the end of the history, then to the owner.
    std::function<void()> OnValidate;
    void Validate();
    const TEntryHistory& History() const { return m_history; }
    // "Saisie précédente", "Saisie suivante" of the formula field.
    void Previous();
    void Next();
    // The formula field as typed, for the way back from the history.
    void Typed(const std::string& text, int caret);

    const std::vector<std::string>& Favourites(TFavourites list) const;
    // Adds a field's text to its list; false when it is blank or already there.
    bool AddFavourite(TFavourites list, const std::string& text);
    void RemoveFavourite(TFavourites list, int index);
    // The item of a list, copied into its field with the caret at the end.
    void ChooseFavourite(TFavourites list, int index);

    void ReadFavourites(const TIniFile& ini);
    void WriteFavourites(TIniFile& ini) const;
    // Reads them from the settings file, or writes them back into it keeping its other sections; false
    // when the file could not be written (errorText says why).
    void LoadFavourites(const std::string& settingsPath);
    bool SaveFavourites(const std::string& settingsPath, std::string* errorText = nullptr) const;

private:
    TFormulaField m_formula;
    TEntryHistory m_history;
    std::string m_typing;
    std::array<std::vector<std::string>, 3> m_favourites;
};

} // namespace kinoval::formulas
