#pragma once
// The pocket calculator, said without a screen.
//
// TCalculatrice keeps the calculator window's one-line field, its history of evaluated expressions, the
// inverse-function toggle and the angle choice. It evaluates with a parser of its own that knows no
// variable: numbers, pi and the functions only, so "x+1" is refused with the message that names x. After
// a success the field shows the value (general notation, up to 15 significant digits, the user's decimal
// separator) with the caret after it, ready to go on calculating; after a failure it shows the message,
// and the next key or button clears it first.

#include "core/formulas/formula_field.h"
#include "core/formulas/parser.h"

#include <string>
#include <string_view>

namespace kinoval::formulas {

class TCalculatrice {
public:
    TCalculatrice();

    const TFormulaField& Field() const { return m_field; }
    bool ResultShown() const { return m_resultShown; }
    const TEntryHistory& History() const { return m_history; }

    // The pad: each one clears a message first.
    void Insert(std::string_view text);
    // A function button (Sin, Ln, Sqrt, 10^...): the inverse toggle turns Sin, Cos and Tan into their
    // inverses.
    void InsertFunction(std::string_view name);
    void Backspace();
    void ClearAll();
    void Home();
    void End();
    void Left();
    void Right();
    // Typed straight into the field (the window translates the keys first).
    void Typed(const std::string& text, int caret);

    // "=" and Enter.
    void Evaluate();
    // "Saisie précédente", "Saisie suivante".
    void Previous();
    void Next();

    bool Inverse() const { return m_inverse; }
    void SetInverse(bool on) { m_inverse = on; }
    bool IsRadians() const { return m_parser.IsRadians(); }
    // Changing the angle choice clears the field.
    void SetRadians(bool radians);

private:
    void StartInput();
    void Keep();

    TFormulaField m_field;
    TParser m_parser;
    TEntryHistory m_history;
    std::string m_typing;
    bool m_resultShown = false;
    bool m_inverse = false;
};

// The text the calculator shows for a value: general notation with up to 15 significant digits and the
// user's decimal separator; "#Nombre!" for a value that is not a number, the parser's message for one too
// large to be used.
std::string CalculatorValueText(double value, bool& usable);

} // namespace kinoval::formulas
