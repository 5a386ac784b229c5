#pragma once
// One user formula or constant (TRec) and the column of values it computes (TCurve).

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace kinoval::formulas {

// The computed column of a formula, one value per row of the results' row list.
struct TCurve {
    std::vector<double> values;
    std::vector<int> mask; // 0 computed, -1 no value on that row
    bool visible = true; // the column is shown in the formulas table
    bool unusableAsAbscissa = false; // no value at all: the formula graph cannot use it as abscissa
    bool dependsOnVelocity = false; // uses vx, vy or v (any object)
    bool dependsOnAcceleration = false; // uses ax, ay or a (any object)
    int firstRow = -1; // first and last rows that got a value, -1 when none
    int lastRow = -1;
    int digits = 0; // display digits of the column (0..8)

    bool HasValue(int row) const
    {
        return row >= 0 && row < static_cast<int>(mask.size()) && mask[static_cast<std::size_t>(row)] == 0;
    }
};

enum TRecKind : std::uint8_t { rkFormula = 0, rkConstant = 1 };

struct TRec {
    std::uint8_t kind = rkFormula;
    std::string name; // as typed, spaces removed ("v_lam[i+1]", "m", "v0[1]"); empty for an unnamed formula
    std::string baseName; // without its index; "$" and the position for an unnamed formula
    bool nameValid = false;
    bool hasIndex = false;
    bool indexValid = true;
    int offset = 0; // formula named name[i+k]: k
    std::string indexText = "0"; // constant named name[n]: n as written
    int indexValue = 0;
    std::string expression; // formula: the expression; constant: the value text, or the expression after "="
    bool isExpression = false; // constant given as "=" followed by an expression
    std::string comment;
    std::string unit;
    double value = std::numeric_limits<double>::quiet_NaN(); // constant
    std::string valueText; // constant, as displayed
    std::vector<std::string> names; // names the expression uses, filled when it is parsed
    TCurve curve;

    bool IsUnnamed() const { return kind == rkFormula && name.empty(); }
    // What the formulas table shows on its formula line and what the project file rebuilds an entry from.
    std::string FormulaText() const { return name.empty() ? expression : name + "=" + expression; }
};

// The default comment and unit of a new entry, as the study keeps them: French in every language.
std::string DefaultComment();
std::string DefaultUnit();
// A comment or a unit as the windows show it (the defaults in the interface's language), and a typed one as
// it is kept (a default left as shown is kept as the default).
std::string ShownText(const std::string& stored);
std::string StoredText(std::string_view shown);

// Reads a formula name ("E", "v_lam[i+1]", "h[i-2]") into rec: nameValid, baseName, hasIndex, indexValid,
// offset. A name starts with a letter and goes on with letters, digits, "_", "²" or "³".
void ReadFormulaName(std::string_view name, TRec& rec);
// Reads a constant name ("g", "v0[1]") into rec: nameValid, baseName, hasIndex, indexValid, indexText and
// indexValue.
void ReadConstantName(std::string_view name, TRec& rec);

// Every blank removed, as the entries are typed.
std::string WithoutBlanks(std::string_view text);

} // namespace kinoval::formulas
