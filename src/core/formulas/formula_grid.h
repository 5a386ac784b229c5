#pragma once
// The tables of the formulas window, said without a screen.
//
// TFormulaGrid lays the user formulas out beside the time, one column each, over the rows of the results:
// line 0 is the control line (one digit less near a column's left edge, one more near its right edge, the
// column hidden or shown again elsewhere, the formula deleted by the right button), line 1 the formula as
// written, lines 2 and 3 its unit and its comment, then one line per row. Column 0 holds the row numbers,
// column 1 the time, then one column per formula in list order, and a last empty column in which a new
// formula is typed. Each formula keeps its visibility and digits in its curve; the time column's digits
// are the grid's own.
//
// The same cells feed the copies over the columns shown (the time, then every visible formula): the
// tab-separated copy, the Python lists and the matrix of the spreadsheets; their header lines give the
// formula's name, its unit and its comment. TConstantGrid is the table of the constants: one line each,
// with a last empty line for a new one.
//
// Both borrow the formulas, which outlive them; the rows come from the formulas' source.

#include "core/common/texts.h"
#include "core/formulas/formules.h"
#include "core/results/copyable_table.h"

#include <functional>
#include <string>
#include <vector>

namespace kinoval::formulas {

struct TFormulaGridOptions {
    bool numberFromZero = false; // "Numéroter les marques à partir de zéro ..."
    bool hideVelocityEdges = false; // "Cacher la vitesse au début et à la fin (une marque)"
    bool hideAccelerationEdges = false; // "Cacher l'accélération au début et à la fin (deux marques)"
};

// The hints of the tables, shown by the window on the lines they concern.
inline constexpr const char* kHintControlLine = TrNoop("Bouton gauche = cacher ou modifier la colonne ; bouton droit = "
                                                       "supprimer");
inline constexpr const char* kHintFormulaLines = TrNoop("Modifier une formule, son commentaire ou son unité");
inline constexpr const char* kHintConstants = TrNoop("Modifier le nom, la valeur ou l'unité d'une constante");

class TFormulaGrid : public results::TCopyableTable {
public:
    static constexpr int kFixedCols = 1;
    static constexpr int kTimeColumn = 1;
    static constexpr int kFirstFormulaColumn = 2;
    static constexpr int kHeaderLines = 4;
    static constexpr int kFormulaLine = 1;
    static constexpr int kUnitLine = 2;
    static constexpr int kCommentLine = 3;

    explicit TFormulaGrid(TFormules& formules);

    TFormulaGridOptions Options;
    // The text of the date line of the tab-separated copy; the local date and time unless a test sets it.
    std::function<std::string()> DateText;

    int Rows() const;
    int ColCount() const { return m_formules.FormulaCount() + 3; }
    int LineCount() const { return kHeaderLines + Rows(); }
    // The formula shown in a column, -1 for the row numbers, the time and the new formula's column.
    int FormulaOf(int column) const;
    int ColumnOf(int formula) const { return formula + kFirstFormulaColumn; }
    bool IsNewColumn(int column) const { return column == ColCount() - 1; }
    bool IsHidden(int column) const;

    // The text of a cell: formatted with the column's digits for the screen, else as the exports write it.
    std::string CellText(int column, int line, bool formatted) const;
    // Whether a cell of a header line takes typing (the formula, its unit and its comment, and the new
    // formula's lines).
    bool IsEditable(int column, int line) const;
    // The typed text of an editable cell: a formula, its unit or its comment; on the new column the
    // unit and the comment wait there for the formula. Answers what became of it.
    TEditOutcome SetCell(int column, int line, const std::string& text);

    // The control line.
    void FewerDigits(int column);
    void MoreDigits(int column);
    // Hides a formula column, or shows a hidden one again.
    void ToggleColumn(int column);
    void DeleteColumn(int column);
    int Digits(int column) const;
    int TimeDigits() const { return m_timeDigits; }

    // The columns the copies hold: the time, then the visible formulas.
    std::vector<int> CopiedColumns() const;
    // A copy's header cell (lines 1 to 3): the name (the expression for a formula without a name), the
    // unit, the comment.
    std::string HeaderText(int column, int line) const;
    // The name a column takes in the Python copy: a valid Python identifier.
    std::string PythonName(int column) const;
    // The visible formulas' cells of one line of the copies (lines 1 to 3 their header texts, then the
    // data lines), for the results table that prints them after its own columns.
    std::vector<std::string> FormulaCells(int line) const;
    // The visible formulas' Python lists.
    void CopyFormulaPython(results::TTableOutput& out) const;

    int CopyText(const std::string& firstLine, results::TTableOutput& out) override;
    void CopyPython(results::TTableOutput& out) override;
    TStringMatrix Matrix() override;

private:
    std::string DataText(int column, int row, bool formatted) const;
    std::string CopyCell(int column, int line) const;
    void PythonLine(int column, results::TTableOutput& out) const;

    TFormules& m_formules;
    int m_timeDigits = 0;
    // The unit and the comment typed on the new column before its formula.
    std::string m_newUnit;
    std::string m_newComment;
};

class TConstantGrid {
public:
    static constexpr int kHeaderLines = 1;
    enum TColumn { cName = 0, cValue = 1, cUnit = 2, cComment = 3, kColumns = 4 };

    explicit TConstantGrid(TFormules& formules);

    int LineCount() const { return kHeaderLines + m_formules.ConstantCount() + 1; }
    int ConstantOf(int line) const;
    bool IsNewLine(int line) const { return line == LineCount() - 1; }

    // What the cell shows: a constant given by an expression shows it with its value ("=2*g = 19,62").
    std::string CellText(int line, int column) const;
    // What the cell's editor starts from: the text as typed.
    std::string EditText(int line, int column) const;
    bool IsEditable(int line, int column) const { return line >= kHeaderLines && column >= 0 && column < kColumns; }
    // A new constant is tried once it has a name and a value; until then its cells wait on the new line.
    TEditOutcome SetCell(int line, int column, const std::string& text);
    void DeleteLine(int line);

private:
    TFormules& m_formules;
    std::string m_draft[kColumns];
};

} // namespace kinoval::formulas
