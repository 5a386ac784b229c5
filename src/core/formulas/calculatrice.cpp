#include "core/formulas/calculatrice.h"

#include "core/common/numbers.h"
#include "core/common/tolerance.h"
#include "core/results/number_format.h"

#include <cmath>

namespace kinoval::formulas {

std::string CalculatorValueText(double value, bool& usable)
{
    usable = false;
    if (std::isnan(value))
        return results::kNotANumberText;
    if (IsUnusable(value))
        return ParserMessage(peOutOfRange, {});
    usable = true;
    return FormatFileDouble(value);
}

TCalculatrice::TCalculatrice()
{
    // Radians come first in the angle choice and are chosen at creation.
    m_parser.SetRadians(true);
}

void TCalculatrice::StartInput()
{
    if (m_resultShown) {
        m_field.Clear();
        m_resultShown = false;
    }
}

void TCalculatrice::Keep()
{
    m_typing = m_field.Text();
}

void TCalculatrice::Insert(std::string_view text)
{
    StartInput();
    m_field.Insert(text);
    Keep();
}

void TCalculatrice::InsertFunction(std::string_view name)
{
    StartInput();
    m_field.InsertFunction(FunctionButtonName(name, m_inverse));
    Keep();
}

void TCalculatrice::Backspace()
{
    StartInput();
    m_field.Backspace();
    Keep();
}

void TCalculatrice::ClearAll()
{
    m_resultShown = false;
    m_field.Clear();
    Keep();
}

void TCalculatrice::Home()
{
    StartInput();
    m_field.Home();
}

void TCalculatrice::End()
{
    StartInput();
    m_field.End();
}

void TCalculatrice::Left()
{
    StartInput();
    m_field.Left();
}

void TCalculatrice::Right()
{
    StartInput();
    m_field.Right();
}

void TCalculatrice::Typed(const std::string& text, int caret)
{
    m_resultShown = false;
    m_field.SetText(text, caret);
    Keep();
}

void TCalculatrice::Evaluate()
{
    std::string text;
    for (char c : m_field.Text()) {
        if (c != ' ')
            text += c;
    }
    if (text.empty())
        return;
    m_parser.SetText(text);
    m_parser.Evaluate();
    m_history.Add(text);
    if (TParser::ErrorCode() != 0) {
        m_field.SetText(TParser::ErrorMessage());
        m_resultShown = true;
        m_typing.clear();
        return;
    }
    bool usable = false;
    m_field.SetText(CalculatorValueText(m_parser.Value(), usable));
    m_resultShown = !usable;
    m_typing = usable ? m_field.Text() : std::string();
}

void TCalculatrice::Previous()
{
    m_resultShown = false;
    m_field.SetText(m_history.Previous(m_typing));
}

void TCalculatrice::Next()
{
    m_resultShown = false;
    m_field.SetText(m_history.Next(m_typing));
}

void TCalculatrice::SetRadians(bool radians)
{
    m_parser.SetRadians(radians);
    ClearAll();
}

} // namespace kinoval::formulas
