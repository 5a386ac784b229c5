// The edits the formulas window and the formula keyboard make to the lists: each entry is placed, judged
// against the others and computed; a refused entry is taken out again and the lists are exactly as before.
#include "core/formulas/formules.h"

#include "core/formulas/parser.h"

namespace kinoval::formulas {

int TFormules::CheckSyntax(const TRec& entry)
{
    if (entry.kind == rkConstant && !entry.isExpression)
        return 0;
    m_constantsOnly = entry.kind == rkConstant;
    m_parser.SetText(entry.expression);
    m_parser.Build();
    m_constantsOnly = false;
    return TParser::ErrorCode();
}

TEditOutcome TFormules::Judge(TRec& entry, bool formula)
{
    TEditOutcome out;
    out.code = Validate(entry);
    if (out.code == fcOk) {
        out.accepted = true;
        return out;
    }
    out.message = Message(out.code, entry);
    // A constant must have its value; a refused name is refused whatever the expression.
    if (!formula || (out.code != fcParser && out.code != fcNoValue))
        return out;
    // The formula could not be computed on any row. When the expression itself is faulty the user is told
    // why and corrects it; when it is sound (an iterative formula still waiting for its initial constant,
    // a square root of values that are all negative) it stays, with the message of its first row.
    if (CheckSyntax(entry) != 0) {
        out.code = fcParser;
        out.message = TParser::ErrorMessage();
        return out;
    }
    out.accepted = true;
    if (Rows() == 0) {
        // Nothing is measured yet: there is no row to fail on.
        out.code = fcOk;
        out.message.clear();
    }
    return out;
}

TEditOutcome TFormules::TryAddFormula(std::string_view text, std::string_view comment, std::string_view unit)
{
    const std::uint64_t generation = m_generation;
    const int k = AddFormula(text, comment, unit);
    TEditOutcome out = Judge(*m_formulas[static_cast<std::size_t>(k)], true);
    if (!out.accepted) {
        m_formulas.erase(m_formulas.begin() + k);
        RenumberUnnamed();
        m_generation = generation;
        return out;
    }
    out.position = k;
    // A formula of a loaded study may have waited for this name.
    ComputeFormulas();
    return out;
}

TEditOutcome TFormules::TryChangeFormula(int k, std::string_view text, std::string_view comment, std::string_view unit)
{
    TEditOutcome out;
    if (k < 0 || k >= FormulaCount())
        return out;
    const auto at = static_cast<std::size_t>(k);
    std::unique_ptr<TRec> changed = MakeFormula(text, comment, unit);
    TRec& old = *m_formulas[at];
    if (changed->FormulaText() == old.FormulaText()) {
        // Only the comment or the unit: nothing to compute again.
        if (changed->comment != old.comment || changed->unit != old.unit)
            ++m_generation;
        old.comment = changed->comment;
        old.unit = changed->unit;
        out.accepted = true;
        out.position = k;
        return out;
    }
    changed->curve.visible = old.curve.visible;
    changed->curve.digits = old.curve.digits;
    std::swap(m_formulas[at], changed);
    RenumberUnnamed();
    out = Judge(*m_formulas[at], true);
    if (!out.accepted) {
        std::swap(m_formulas[at], changed);
        RenumberUnnamed();
        return out;
    }
    ++m_generation;
    out.position = k;
    ComputeFormulas();
    return out;
}

TEditOutcome TFormules::TryAddConstant(
    std::string_view name, std::string_view valueText, std::string_view unit, std::string_view comment)
{
    const std::uint64_t generation = m_generation;
    const int k = AddConstant(name, valueText, unit, comment);
    TEditOutcome out = Judge(*m_constants[static_cast<std::size_t>(k)], false);
    if (!out.accepted) {
        m_constants.erase(m_constants.begin() + k);
        m_generation = generation;
        return out;
    }
    out.position = k;
    ComputeAll();
    return out;
}

TEditOutcome TFormules::TryChangeConstant(
    int k, std::string_view name, std::string_view valueText, std::string_view unit, std::string_view comment)
{
    TEditOutcome out;
    if (k < 0 || k >= ConstantCount())
        return out;
    const auto at = static_cast<std::size_t>(k);
    std::unique_ptr<TRec> changed = MakeConstant(name, valueText, unit, comment);
    TRec& old = *m_constants[at];
    const auto typedValue = [](const TRec& c) { return c.isExpression ? "=" + c.expression : c.expression; };
    if (changed->name == old.name && typedValue(*changed) == typedValue(old)) {
        if (changed->comment != old.comment || changed->unit != old.unit)
            ++m_generation;
        old.comment = changed->comment;
        old.unit = changed->unit;
        out.accepted = true;
        out.position = k;
        return out;
    }
    std::swap(m_constants[at], changed);
    out = Judge(*m_constants[at], false);
    if (!out.accepted) {
        std::swap(m_constants[at], changed);
        return out;
    }
    ++m_generation;
    out.position = k;
    ComputeAll();
    return out;
}

void TFormules::DeleteFormula(int k)
{
    if (k < 0 || k >= FormulaCount())
        return;
    RemoveFormula(k);
    ComputeFormulas();
}

void TFormules::DeleteConstant(int k)
{
    if (k < 0 || k >= ConstantCount())
        return;
    RemoveConstant(k);
    ComputeAll();
}

} // namespace kinoval::formulas
