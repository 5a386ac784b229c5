#include "core/formulas/formula_grid.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/formulas/kinematic_values.h"
#include "core/results/grid.h"
#include "core/results/number_format.h"

#include <algorithm>

namespace kinoval::formulas {

// ------------------------------------------------------------------------------------------ formulas

TFormulaGrid::TFormulaGrid(TFormules& formules)
    : m_formules(formules)
{
    DateText = results::CurrentDateTimeText;
}

int TFormulaGrid::Rows() const
{
    const TKinematicValues* source = m_formules.Source();
    return source != nullptr ? std::max(0, source->Rows()) : 0;
}

int TFormulaGrid::FormulaOf(int column) const
{
    const int k = column - kFirstFormulaColumn;
    return k >= 0 && k < m_formules.FormulaCount() ? k : -1;
}

bool TFormulaGrid::IsHidden(int column) const
{
    const int k = FormulaOf(column);
    return k >= 0 && !m_formules.Formula(k).curve.visible;
}

std::string TFormulaGrid::DataText(int column, int row, bool formatted) const
{
    if (column == kTimeColumn) {
        const double t = m_formules.Source()->Time(row);
        return formatted ? results::FormatResultNumber(t, m_timeDigits) : results::FormatExportNumber(t);
    }
    const int k = FormulaOf(column);
    if (k < 0)
        return {};
    const TCurve& curve = m_formules.Formula(k).curve;
    if (!curve.visible)
        return {};
    if (curve.firstRow < 0)
        return results::kNotANumberText;
    if (!curve.HasValue(row))
        return {};
    // A formula over the velocities or the accelerations inherits their doubtful edges: the options that
    // hide those in the results table hide them here too.
    if (Options.hideVelocityEdges && curve.dependsOnVelocity && (row == curve.firstRow || row == curve.lastRow))
        return {};
    if (Options.hideAccelerationEdges && curve.dependsOnAcceleration
        && (row <= curve.firstRow + 1 || row >= curve.lastRow - 1))
        return {};
    const double value = curve.values[static_cast<std::size_t>(row)];
    return formatted ? results::FormatResultNumber(value, curve.digits) : results::FormatExportNumber(value);
}

std::string TFormulaGrid::CellText(int column, int line, bool formatted) const
{
    if (column < 0 || column >= ColCount() || line < 0 || line >= LineCount())
        return {};
    if (line >= kHeaderLines) {
        const int row = line - kHeaderLines;
        if (column == 0)
            return std::to_string(Options.numberFromZero ? row : row + 1);
        return DataText(column, row, formatted);
    }
    if (column == 0 || line == 0)
        return {};
    if (column == kTimeColumn) {
        static const char* const kTime[] = { "", "t", "s", TrNoop("temps") };
        return line == kCommentLine ? Tr(kTime[line]) : std::string(kTime[line]);
    }
    if (IsNewColumn(column))
        return line == kUnitLine ? m_newUnit : line == kCommentLine ? m_newComment : std::string();
    const TRec& f = m_formules.Formula(FormulaOf(column));
    if (line == kFormulaLine)
        return f.FormulaText();
    if (!f.curve.visible)
        return {};
    return ShownText(line == kUnitLine ? f.unit : f.comment);
}

bool TFormulaGrid::IsEditable(int column, int line) const
{
    if (line < kFormulaLine || line > kCommentLine)
        return false;
    return IsNewColumn(column) || (FormulaOf(column) >= 0 && (line == kFormulaLine || !IsHidden(column)));
}

TEditOutcome TFormulaGrid::SetCell(int column, int line, const std::string& text)
{
    TEditOutcome out;
    if (!IsEditable(column, line))
        return out;
    if (IsNewColumn(column)) {
        if (line == kUnitLine || line == kCommentLine) {
            (line == kUnitLine ? m_newUnit : m_newComment) = text;
            out.accepted = true;
            return out;
        }
        if (WithoutBlanks(text).empty()) {
            out.accepted = true; // nothing typed: nothing to add
            return out;
        }
        out = m_formules.TryAddFormula(text, m_newComment, m_newUnit);
        if (out.accepted) {
            m_newUnit.clear();
            m_newComment.clear();
        }
        return out;
    }
    const int k = FormulaOf(column);
    const TRec& f = m_formules.Formula(k);
    switch (line) {
    case kFormulaLine:
        return m_formules.TryChangeFormula(k, text, f.comment, f.unit);
    case kUnitLine:
        return m_formules.TryChangeFormula(k, f.FormulaText(), f.comment, text);
    default:
        return m_formules.TryChangeFormula(k, f.FormulaText(), text, f.unit);
    }
}

void TFormulaGrid::FewerDigits(int column)
{
    if (column == kTimeColumn) {
        m_timeDigits = std::max(0, m_timeDigits - 1);
        return;
    }
    const int k = FormulaOf(column);
    if (k >= 0) {
        int& digits = m_formules.Formula(k).curve.digits;
        digits = std::max(0, digits - 1);
    }
}

void TFormulaGrid::MoreDigits(int column)
{
    if (column == kTimeColumn) {
        m_timeDigits = std::min(results::kMaxDigits, m_timeDigits + 1);
        return;
    }
    const int k = FormulaOf(column);
    if (k >= 0) {
        int& digits = m_formules.Formula(k).curve.digits;
        digits = std::min(results::kMaxDigits, digits + 1);
    }
}

void TFormulaGrid::ToggleColumn(int column)
{
    const int k = FormulaOf(column);
    if (k >= 0) {
        bool& visible = m_formules.Formula(k).curve.visible;
        visible = !visible;
    }
}

void TFormulaGrid::DeleteColumn(int column)
{
    const int k = FormulaOf(column);
    if (k >= 0)
        m_formules.DeleteFormula(k);
}

int TFormulaGrid::Digits(int column) const
{
    if (column == kTimeColumn)
        return m_timeDigits;
    const int k = FormulaOf(column);
    return k >= 0 ? m_formules.Formula(k).curve.digits : 0;
}

// ---------------------------------------------------------------------------------------------- copies

std::vector<int> TFormulaGrid::CopiedColumns() const
{
    std::vector<int> columns { kTimeColumn };
    for (int k = 0; k < m_formules.FormulaCount(); ++k) {
        if (m_formules.Formula(k).curve.visible)
            columns.push_back(ColumnOf(k));
    }
    return columns;
}

std::string TFormulaGrid::HeaderText(int column, int line) const
{
    if (column == kTimeColumn)
        return CellText(column, line, false);
    const int k = FormulaOf(column);
    if (k < 0 || line < kFormulaLine || line > kCommentLine)
        return {};
    const TRec& f = m_formules.Formula(k);
    // The programs that take the table name their columns after this line: the name, not the formula.
    if (line == kFormulaLine)
        return f.IsUnnamed() ? f.expression : f.baseName;
    return ShownText(line == kUnitLine ? f.unit : f.comment);
}

std::string TFormulaGrid::PythonName(int column) const
{
    if (column == kTimeColumn)
        return "t";
    const int k = FormulaOf(column);
    if (k < 0)
        return {};
    const TRec& f = m_formules.Formula(k);
    if (f.IsUnnamed())
        return "formule" + std::to_string(k + 1);
    // Letters, digits and "_" are Python's too; the superscripts become plain digits.
    std::string name;
    const std::string& base = f.baseName;
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (base.compare(i, 2, "\xC2\xB2") == 0) {
            name += '2';
            ++i;
        } else if (base.compare(i, 2, "\xC2\xB3") == 0) {
            name += '3';
            ++i;
        } else {
            name += base[i];
        }
    }
    return name;
}

std::string TFormulaGrid::CopyCell(int column, int line) const
{
    return line < kHeaderLines ? HeaderText(column, line) : CellText(column, line, false);
}

std::vector<std::string> TFormulaGrid::FormulaCells(int line) const
{
    std::vector<std::string> cells;
    for (int column : CopiedColumns()) {
        if (column != kTimeColumn)
            cells.push_back(CopyCell(column, line));
    }
    return cells;
}

int TFormulaGrid::CopyText(const std::string& firstLine, results::TTableOutput& out)
{
    out.Clear();
    out.AddLine(firstLine);
    out.AddLine(DateText ? DateText() : std::string());
    const TKinematicValues* source = m_formules.Source();
    out.AddLine(results::AxisAngleLine(source != nullptr ? source->AxisAngle() : 0));
    const std::vector<int> columns = CopiedColumns();
    std::vector<std::string> cells;
    for (int line = kFormulaLine; line < LineCount(); ++line) {
        cells.clear();
        for (int column : columns)
            cells.push_back(CopyCell(column, line));
        out.AddLine(results::JoinTabs(cells));
    }
    return static_cast<int>(columns.size());
}

void TFormulaGrid::PythonLine(int column, results::TTableOutput& out) const
{
    const char separator = DecimalSeparator();
    std::string line = PythonName(column) + " = [";
    for (int l = kHeaderLines; l < LineCount(); ++l) {
        if (l > kHeaderLines)
            line += ", ";
        line += results::PythonNumber(CellText(column, l, false), separator);
    }
    line += "]";
    out.AddLine(line);
}

void TFormulaGrid::CopyFormulaPython(results::TTableOutput& out) const
{
    for (int column : CopiedColumns()) {
        if (column != kTimeColumn)
            PythonLine(column, out);
    }
}

void TFormulaGrid::CopyPython(results::TTableOutput& out)
{
    out.Clear();
    PythonLine(kTimeColumn, out);
    CopyFormulaPython(out);
}

TStringMatrix TFormulaGrid::Matrix()
{
    const std::vector<int> columns = CopiedColumns();
    TStringMatrix matrix(static_cast<std::size_t>(LineCount()));
    for (int line = 0; line < LineCount(); ++line) {
        for (int column : columns)
            matrix[static_cast<std::size_t>(line)].push_back(line == 0 ? std::string() : CopyCell(column, line));
    }
    if (columns.size() > 1) {
        const TKinematicValues* source = m_formules.Source();
        matrix[0][0] = results::AxisAngleCaption();
        matrix[0][1] = results::FormatExportNumber(source != nullptr ? source->AxisAngle() : 0);
    }
    return matrix;
}

// --------------------------------------------------------------------------------------------- constants

TConstantGrid::TConstantGrid(TFormules& formules)
    : m_formules(formules)
{
}

int TConstantGrid::ConstantOf(int line) const
{
    const int k = line - kHeaderLines;
    return k >= 0 && k < m_formules.ConstantCount() ? k : -1;
}

std::string TConstantGrid::EditText(int line, int column) const
{
    if (column < 0 || column >= kColumns)
        return {};
    if (IsNewLine(line))
        return m_draft[column];
    const int k = ConstantOf(line);
    if (k < 0)
        return {};
    const TRec& c = m_formules.Constant(k);
    switch (column) {
    case cName:
        return c.name;
    case cValue:
        return c.isExpression ? "=" + c.expression : c.expression;
    case cUnit:
        return ShownText(c.unit);
    default:
        return ShownText(c.comment);
    }
}

std::string TConstantGrid::CellText(int line, int column) const
{
    if (line == 0) {
        static const char* const kCaptions[]
            = { TrNoop("Nom"), TrNoop("Valeur"), TrNoop("Unité"), TrNoop("Commentaire") };
        return column >= 0 && column < kColumns ? Tr(kCaptions[column]) : std::string();
    }
    const int k = ConstantOf(line);
    if (k >= 0 && column == cValue && m_formules.Constant(k).isExpression)
        return EditText(line, column) + " = " + m_formules.Constant(k).valueText;
    return EditText(line, column);
}

TEditOutcome TConstantGrid::SetCell(int line, int column, const std::string& text)
{
    TEditOutcome out;
    if (!IsEditable(line, column))
        return out;
    if (IsNewLine(line)) {
        m_draft[column] = text;
        if (WithoutBlanks(m_draft[cName]).empty() || WithoutBlanks(m_draft[cValue]).empty()) {
            out.accepted = true; // waits for its name and its value
            return out;
        }
        out = m_formules.TryAddConstant(m_draft[cName], m_draft[cValue], m_draft[cUnit], m_draft[cComment]);
        if (out.accepted) {
            for (std::string& cell : m_draft)
                cell.clear();
        } else {
            // The refused cell goes back to what it was, the others wait for the correction.
            m_draft[column].clear();
        }
        return out;
    }
    const int k = ConstantOf(line);
    std::string cells[kColumns];
    for (int c = 0; c < kColumns; ++c)
        cells[c] = EditText(line, c);
    cells[column] = text;
    return m_formules.TryChangeConstant(k, cells[cName], cells[cValue], cells[cUnit], cells[cComment]);
}

void TConstantGrid::DeleteLine(int line)
{
    const int k = ConstantOf(line);
    if (k >= 0)
        m_formules.DeleteConstant(k);
}

} // namespace kinoval::formulas
