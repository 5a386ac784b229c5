#pragma once
// The help panes of the formulas window: examples and conventions of the formula language, in the
// program's own words.

#include <string>

namespace kinoval::formulas {

enum class TFormulaHelp { FormulaExamples, ConstantExamples, Predefined, Functions, SpecialCharacters };

// The pane's title ("Exemples de formules"...).
std::string FormulaHelpTitle(TFormulaHelp page);
// Its text, lines separated by "\n".
std::string FormulaHelpText(TFormulaHelp page);

} // namespace kinoval::formulas
