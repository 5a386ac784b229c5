#pragma once
// The user's formulas and constants.
//
// TFormules owns two lists of TRec, the formulas and the constants, and one parser whose lookup it is.
// The names an expression may use are resolved in this order: the constants (which also give the
// initial values of iterative formulas such as v[i+1] = v[i] + ...), then, unless a constant's own
// expression is being evaluated, the predefined variables (B, t, then x, y, vx ... w and their versions
// with an object number) and the other formulas. Each formula becomes a column of values over the row
// list of the kinematic results, computed row by row so that a formula may use its own earlier rows.
//
// The kinematic values are borrowed (their owner outlives this object); without them there are no rows
// and only constants can be computed. The lists are emptied when the document is reset and saved in the
// project file, sections "Formules" and "Record".

#include "core/formulas/parser.h"
#include "core/formulas/rec.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval {
class TIniFile;
}

namespace kinoval::formulas {

class TKinematicValues;

// Validation and computation codes of the entries; their messages come from TFormules::Message.
enum TFormulesCode : int {
    fcOk = 0,
    fcHiddenDuplicate = 1,
    fcBadName = 2,
    fcDuplicate = 3,
    fcSameExpression = 4,
    fcParser = 5,
    fcBadIndex = 6,
    fcCalculation = 7,
    fcBadNumber = 8,
    fcPredefined = 9,
    fcOutOfRange = 10,
    fcNoValue = 11,
};

// What an edit of the lists made of the entry: refused (the lists are as they were before), or kept; a
// kept entry may still come with a message, when it could not be computed on every row (an iterative
// formula without its initial value, a square root of a negative value everywhere).
struct TEditOutcome {
    bool accepted = false;
    int code = 0; // a TFormulesCode, 0 when everything went well
    std::string message; // empty when there is nothing to tell
    int position = -1; // the entry's position in its list once kept
};

class TFormules {
public:
    TFormules();
    ~TFormules();
    TFormules(const TFormules&) = delete;
    TFormules& operator=(const TFormules&) = delete;

    void SetSource(const TKinematicValues* source) { m_source = source; }
    const TKinematicValues* Source() const { return m_source; }

    // Entries. text is "name=expression" or an expression alone; blanks are removed. An empty comment or
    // unit takes the default text. Both return the position of the new entry.
    int AddFormula(std::string_view text, std::string_view comment = {}, std::string_view unit = {});
    int AddConstant(
        std::string_view name, std::string_view valueText, std::string_view unit = {}, std::string_view comment = {});
    int FormulaCount() const { return static_cast<int>(m_formulas.size()); }
    int ConstantCount() const { return static_cast<int>(m_constants.size()); }
    TRec& Formula(int k) { return *m_formulas[static_cast<std::size_t>(k)]; }
    const TRec& Formula(int k) const { return *m_formulas[static_cast<std::size_t>(k)]; }
    TRec& Constant(int k) { return *m_constants[static_cast<std::size_t>(k)]; }
    const TRec& Constant(int k) const { return *m_constants[static_cast<std::size_t>(k)]; }
    // The formula or constant of that name (base name, case-insensitive), or -1.
    int FindFormula(std::string_view name) const;
    int FindConstant(std::string_view name) const;
    void RemoveFormula(int k);
    void RemoveConstant(int k);
    void Clear();

    // Checks one entry of the lists against the others and computes it; 0 or a code of TFormulesCode.
    int Validate(const TRec& entry);

    // The edits of the formulas window and of the formula keyboard. Each one validates the entry against
    // the others; a name that is refused, or an expression that is no expression (a missing parenthesis,
    // an unknown name), leaves the lists as they were; an expression that is sound but gives no value on
    // some rows is kept. What depends on the entry is computed again. A changed entry keeps the column's
    // visibility and digits.
    TEditOutcome TryAddFormula(std::string_view text, std::string_view comment = {}, std::string_view unit = {});
    TEditOutcome TryChangeFormula(int k, std::string_view text, std::string_view comment, std::string_view unit);
    TEditOutcome TryAddConstant(
        std::string_view name, std::string_view valueText, std::string_view unit = {}, std::string_view comment = {});
    TEditOutcome TryChangeConstant(
        int k, std::string_view name, std::string_view valueText, std::string_view unit, std::string_view comment);
    // Removes an entry and computes the others again (a formula that used it has no value left).
    void DeleteFormula(int k);
    void DeleteConstant(int k);
    // Whether the text is a well-formed expression over known names (0, or the parser's code; its message
    // is then the parser's).
    int CheckSyntax(const TRec& entry);

    // Counts the changes of the lists (entries added, changed, removed, loaded): a study whose formulas
    // changed since it was saved has changes to save.
    std::uint64_t Generation() const { return m_generation; }
    // The message of a code for an entry (code 5: the parser's message for its current error).
    std::string Message(int code, const TRec& entry) const;

    // Every entry in dependency order; the first failure's code is returned, the others still computed.
    int ComputeConstants();
    int ComputeFormulas();
    // Constants, then formulas: what a change of the results or of the angle setting needs.
    int ComputeAll();
    int ComputeFormula(TRec& formula);
    int ComputeConstant(TRec& constant);

    // Over the computed values of the visible formulas, for graph scaling (-1e100 and +1e100 when empty).
    double MaxAll() const;
    double MinAll() const;

    // The formula used as abscissa of the formula graph, -1 for none.
    int Selected() const { return m_selected; }
    void SetSelected(int k);

    // Settings that change what exists and how it reads.
    bool IsRadians() const { return m_radians; }
    void SetRadians(bool radians); // recomputes constants, then formulas, when it changes
    bool StartsAtZero() const { return m_base == 0; }
    void SetStartAtZero(bool zero) { m_base = zero ? 0 : 1; }
    bool VelocityAvailable() const { return m_velocity; }
    bool AccelerationAvailable() const { return m_acceleration; }
    bool PolarAvailable() const { return m_polar; }
    void SetVelocityAvailable(bool on);
    void SetAccelerationAvailable(bool on);
    void SetPolarAvailable(bool on);
    // Called when an availability flag changes: the results are out of date.
    void SetOnInvalidate(std::function<void()> callback) { m_onInvalidate = std::move(callback); }

    // The lookup of the parser, open for the formula keyboard and the tests. row is the current row.
    void Lookup(const std::string& name, bool hasBrackets, bool absoluteIndex, int index, bool& known, bool& available,
        double& value) const;
    int CurrentRow() const { return m_row; }
    void SetCurrentRow(int row) { m_row = row; }
    // Names of the predefined variables (without object numbers) under the present flags.
    std::vector<std::string> PredefinedNames() const;
    // True when name is a predefined variable, with or without an object number, under the present flags.
    bool IsPredefined(std::string_view name) const;

    // Project file. Load answers what it had to leave out (entries missing or beyond the cap), one line
    // each for the user; an empty list when the formulas were read as written.
    void Save(TIniFile& file) const;
    std::vector<std::string> Load(const TIniFile& file);

private:
    static void LookupProc(void* context, const TParser& caller, const std::string& name, bool& available, bool& known,
        double& value, bool hasBrackets, bool absoluteIndex, int index);
    int Rows() const;
    int DesignatedRow(bool hasBrackets, bool absoluteIndex, int index) const;
    void CollectNames(TRec& entry, bool constantsOnly);
    std::vector<TRec*> DependencyOrder(const std::vector<std::unique_ptr<TRec>>& list, bool constantsOnly);
    static std::unique_ptr<TRec> MakeFormula(std::string_view text, std::string_view comment, std::string_view unit);
    static std::unique_ptr<TRec> MakeConstant(
        std::string_view name, std::string_view valueText, std::string_view unit, std::string_view comment);
    void RenumberUnnamed();
    void SetFlag(bool& flag, bool on);
    // The outcome of a validation of an entry just placed in its list; refused entries are taken out again
    // by the caller.
    TEditOutcome Judge(TRec& entry, bool formula);

    std::vector<std::unique_ptr<TRec>> m_formulas;
    std::vector<std::unique_ptr<TRec>> m_constants;
    TParser m_parser;
    const TKinematicValues* m_source = nullptr;
    int m_row = 0;
    int m_selected = -1;
    int m_base = 1;
    bool m_radians = true;
    bool m_velocity = true;
    bool m_acceleration = true;
    bool m_polar = true;
    bool m_constantsOnly = false;
    std::uint64_t m_generation = 0;
    std::function<void()> m_onInvalidate;
};

// The text of a constant's value: "#Nombre!" for a value that is not a number, otherwise the results'
// screen format with no extra digit.
std::string FormatConstantValue(double value);

} // namespace kinoval::formulas
