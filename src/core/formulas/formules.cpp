#include "core/formulas/formules.h"

#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/common/system_errors.h"
#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/formulas/kinematic_values.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <unordered_map>

namespace kinoval::formulas {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr const char* kNotANumber = "#Nombre!";
// More formulas or constants than anyone types: a study that announces more is damaged, and each entry is
// computed on every row, so the count bounds the cost of showing the results.
constexpr long long kMaxStoredEntries = 1000;

constexpr const char* kSectionFormules = "Formules";
constexpr const char* kSectionRecord = "Record";

enum TGroup { gPosition, gVelocity, gAcceleration, gPolar };

struct TQuantityName {
    std::string_view symbol;
    std::uint8_t code;
    TGroup group;
};

// In the order the lookup tries them.
constexpr std::array<TQuantityName, 11> kQuantities { {
    { "x", 1, gPosition },
    { "y", 2, gPosition },
    { "vx", 3, gVelocity },
    { "vy", 4, gVelocity },
    { "v", 5, gVelocity },
    { "ax", 6, gAcceleration },
    { "ay", 7, gAcceleration },
    { "a", 8, gAcceleration },
    { "O", 11, gPolar },
    { "R", 12, gPolar },
    { "w", 13, gPolar },
} };

bool SameName(std::string_view a, std::string_view b)
{
    return SameTextIgnoringCase(a, b);
}

// The object number of name read as symbol followed by an object number: 1 for the plain symbol, n for
// symbol + n (n >= 1, written without leading zeros), 0 when name is not of that form.
int ObjectNumber(std::string_view name, std::string_view symbol)
{
    if (name.size() < symbol.size() || !SameName(name.substr(0, symbol.size()), symbol))
        return 0;
    const std::string_view rest = name.substr(symbol.size());
    if (rest.empty())
        return 1;
    if (rest.size() > 6 || rest[0] == '0')
        return 0;
    int n = 0;
    for (char c : rest) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool UsesAny(const TRec& rec, std::initializer_list<std::string_view> symbols)
{
    for (const std::string& name : rec.names) {
        for (std::string_view symbol : symbols) {
            if (ObjectNumber(name, symbol) != 0)
                return true;
        }
    }
    return false;
}

// Whether an entry's expression names another entry.
bool Uses(const TRec& user, const TRec& used)
{
    return std::any_of(
        user.names.begin(), user.names.end(), [&](const std::string& name) { return SameName(name, used.baseName); });
}

std::string OneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

// The language has no other use for "," and "." than the decimal separator (";" separates arguments): a
// formula typed with either, or saved under another locale, reads with the user's own.
std::string WithUserSeparator(std::string text)
{
    const char separator = DecimalSeparator();
    for (char& c : text) {
        if (c == ',' || c == '.')
            c = separator;
    }
    return text;
}

std::string Key(const char* field, int k)
{
    return std::string(field) + "_" + std::to_string(k);
}

} // namespace

std::string FormatConstantValue(double value)
{
    if (!std::isfinite(value))
        return kNotANumber;
    char buffer[64];
    const double magnitude = std::fabs(value);
    std::string text;
    if (magnitude >= 0.01 && magnitude <= 10000) {
        // Four significant digits at most, three decimals up to 10, one fewer per decade above.
        const int decimals = magnitude <= 10 ? 3 : magnitude <= 100 ? 2 : magnitude <= 1000 ? 1 : 0;
        const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
        double shown = value;
        if (decimals > 4 - integerDigits) {
            std::snprintf(buffer, sizeof buffer, "%.3e", value);
            shown = std::strtod(buffer, nullptr);
        }
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, shown);
        text = buffer;
    } else if (value == 0) {
        return "0";
    } else {
        std::snprintf(buffer, sizeof buffer, "%.2E", value);
        text = buffer;
        const std::size_t e = text.find('E');
        if (e != std::string::npos) {
            const int exponent = std::atoi(text.c_str() + e + 1);
            text = text.substr(0, e) + "E" + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
        }
    }
    const char separator = DecimalSeparator();
    for (char& c : text) {
        if (c == '.')
            c = separator;
    }
    return text;
}

TFormules::TFormules()
{
    m_formulas.reserve(128);
    m_constants.reserve(128);
    m_parser.SetLookup(&TFormules::LookupProc, this);
    m_parser.SetRadians(m_radians);
}

TFormules::~TFormules() = default;

// ------------------------------------------------------------------------------------------- entries

std::unique_ptr<TRec> TFormules::MakeFormula(std::string_view text, std::string_view comment, std::string_view unit)
{
    auto rec = std::make_unique<TRec>();
    rec->kind = rkFormula;
    const std::string typed = WithUserSeparator(WithoutBlanks(text));
    const std::size_t equal = typed.find('=');
    if (equal == std::string::npos || equal == 0) {
        // No name: known internally by its position, for the dependency order only.
        rec->expression = equal == 0 ? typed.substr(1) : typed;
        rec->nameValid = true;
    } else {
        rec->name = typed.substr(0, equal);
        rec->expression = typed.substr(equal + 1);
        ReadFormulaName(rec->name, *rec);
    }
    rec->comment = comment.empty() ? DefaultComment() : StoredText(comment);
    rec->unit = unit.empty() ? DefaultUnit() : StoredText(unit);
    return rec;
}

std::unique_ptr<TRec> TFormules::MakeConstant(
    std::string_view name, std::string_view valueText, std::string_view unit, std::string_view comment)
{
    auto rec = std::make_unique<TRec>();
    rec->kind = rkConstant;
    rec->name = WithoutBlanks(name);
    ReadConstantName(rec->name, *rec);
    const std::string value = WithUserSeparator(WithoutBlanks(valueText));
    rec->isExpression = !value.empty() && value[0] == '=';
    rec->expression = rec->isExpression ? value.substr(1) : value;
    rec->comment = comment.empty() ? DefaultComment() : StoredText(comment);
    rec->unit = unit.empty() ? DefaultUnit() : StoredText(unit);
    if (!rec->isExpression) {
        // A plain number is known at once; an expression waits for ComputeConstants.
        const auto number = ParseTypedNumber(rec->expression);
        rec->value = number && !IsUnusable(*number) ? *number : kNaN;
    }
    rec->valueText = FormatConstantValue(rec->value);
    return rec;
}

int TFormules::AddFormula(std::string_view text, std::string_view comment, std::string_view unit)
{
    std::unique_ptr<TRec> rec = MakeFormula(text, comment, unit);
    // Only the new entry needs its internal name: the others keep their positions.
    if (rec->IsUnnamed())
        rec->baseName = "$" + std::to_string(m_formulas.size());
    m_formulas.push_back(std::move(rec));
    ++m_generation;
    return FormulaCount() - 1;
}

int TFormules::AddConstant(
    std::string_view name, std::string_view valueText, std::string_view unit, std::string_view comment)
{
    m_constants.push_back(MakeConstant(name, valueText, unit, comment));
    ++m_generation;
    return ConstantCount() - 1;
}

int TFormules::FindFormula(std::string_view name) const
{
    for (std::size_t k = 0; k < m_formulas.size(); ++k) {
        if (!m_formulas[k]->IsUnnamed() && SameName(m_formulas[k]->baseName, name))
            return static_cast<int>(k);
    }
    return -1;
}

int TFormules::FindConstant(std::string_view name) const
{
    for (std::size_t k = 0; k < m_constants.size(); ++k) {
        if (SameName(m_constants[k]->baseName, name))
            return static_cast<int>(k);
    }
    return -1;
}

void TFormules::RemoveFormula(int k)
{
    if (k < 0 || k >= FormulaCount())
        return;
    m_formulas.erase(m_formulas.begin() + k);
    ++m_generation;
    if (m_selected == k)
        m_selected = -1;
    else if (m_selected > k)
        --m_selected;
    RenumberUnnamed();
}

void TFormules::RemoveConstant(int k)
{
    if (k < 0 || k >= ConstantCount())
        return;
    m_constants.erase(m_constants.begin() + k);
    ++m_generation;
}

void TFormules::Clear()
{
    if (!m_formulas.empty() || !m_constants.empty())
        ++m_generation;
    m_formulas.clear();
    m_constants.clear();
    m_selected = -1;
}

void TFormules::RenumberUnnamed()
{
    for (std::size_t k = 0; k < m_formulas.size(); ++k) {
        if (m_formulas[k]->IsUnnamed())
            m_formulas[k]->baseName = "$" + std::to_string(k);
    }
}

void TFormules::SetSelected(int k)
{
    m_selected = k >= 0 && k < FormulaCount() && !Formula(k).curve.unusableAsAbscissa ? k : -1;
}

// ------------------------------------------------------------------------------------------ settings

void TFormules::SetRadians(bool radians)
{
    if (radians == m_radians)
        return;
    m_radians = radians;
    m_parser.SetRadians(radians);
    ComputeAll();
}

void TFormules::SetFlag(bool& flag, bool on)
{
    if (flag == on)
        return;
    flag = on;
    if (m_onInvalidate)
        m_onInvalidate();
}

void TFormules::SetVelocityAvailable(bool on)
{
    SetFlag(m_velocity, on);
}
void TFormules::SetAccelerationAvailable(bool on)
{
    SetFlag(m_acceleration, on);
}
void TFormules::SetPolarAvailable(bool on)
{
    SetFlag(m_polar, on);
}

std::vector<std::string> TFormules::PredefinedNames() const
{
    std::vector<std::string> names { "B", "t" };
    for (const TQuantityName& q : kQuantities) {
        if ((q.group == gVelocity && !m_velocity) || (q.group == gAcceleration && !m_acceleration)
            || (q.group == gPolar && !m_polar))
            continue;
        names.emplace_back(q.symbol);
    }
    return names;
}

bool TFormules::IsPredefined(std::string_view name) const
{
    // Every object number counts, not only those of the objects pointed so far: a formula named x3 would
    // be hidden as soon as a third object is pointed.
    for (const std::string& symbol : PredefinedNames()) {
        if (symbol != "B" && ObjectNumber(name, symbol) != 0)
            return true;
    }
    return false;
}

// -------------------------------------------------------------------------------------------- lookup

int TFormules::Rows() const
{
    return m_source != nullptr ? m_source->Rows() : 0;
}

int TFormules::DesignatedRow(bool hasBrackets, bool absoluteIndex, int index) const
{
    if (!hasBrackets)
        return m_row;
    // Row numbers shown to the user start at 1, or at 0 under the numbering setting. A typed index may be
    // as large as an int holds: the sum is taken wide, and anything beyond the rows is simply no row.
    const long long row
        = absoluteIndex ? static_cast<long long>(index) - m_base : static_cast<long long>(m_row) + index;
    return row < 0 || row > std::numeric_limits<int>::max() ? -1 : static_cast<int>(row);
}

void TFormules::LookupProc(void* context, const TParser&, const std::string& name, bool& available, bool& known,
    double& value, bool hasBrackets, bool absoluteIndex, int index)
{
    static_cast<const TFormules*>(context)->Lookup(name, hasBrackets, absoluteIndex, index, known, available, value);
}

void TFormules::Lookup(const std::string& name, bool hasBrackets, bool absoluteIndex, int index, bool& known,
    bool& available, double& value) const
{
    known = false;
    available = false;
    value = 0;
    // 1. Constants. An indexed constant also answers the relative index that lands on its row number, which
    // is how v[1] (or v[0]) gives v[i-1] on the first row.
    for (const auto& c : m_constants) {
        if (!SameName(c->baseName, name))
            continue;
        known = true;
        bool match = false;
        if (!hasBrackets)
            match = !c->hasIndex;
        else if (absoluteIndex)
            match = c->hasIndex && c->indexValue == index;
        else
            match = c->hasIndex
                && static_cast<long long>(c->indexValue) == static_cast<long long>(m_row) + m_base + index;
        if (match) {
            available = true;
            value = c->value;
            return;
        }
    }
    if (m_constantsOnly)
        return;

    const int rows = Rows();
    const int row = DesignatedRow(hasBrackets, absoluteIndex, index);
    const bool rowExists = row >= 0 && row < rows;
    // 2. The predefined variables.
    if (SameName(name, "B")) {
        known = true;
        available = true;
        const double angle = m_source != nullptr ? m_source->AxisAngle() : 0;
        value = m_radians ? angle : angle * kDegreesPerRadian;
        return;
    }
    if (SameName(name, "t")) {
        known = true;
        available = rowExists;
        value = rowExists ? m_source->Time(row) : 0;
        return;
    }
    const int objects = m_source != nullptr ? m_source->ObjectCount() : 0;
    for (const TQuantityName& q : kQuantities) {
        if ((q.group == gVelocity && !m_velocity) || (q.group == gAcceleration && !m_acceleration)
            || (q.group == gPolar && !m_polar))
            continue;
        // The plain symbol means object 1; a numbered one exists for the objects pointed.
        const int object = ObjectNumber(name, q.symbol);
        const bool plain = name.size() == q.symbol.size();
        if (object == 0 || (!plain && object > objects))
            continue;
        known = true;
        available = rowExists && object <= objects && m_source->FrameOf(object - 1, row) >= 0;
        if (available) {
            value = m_source->Value(object - 1, q.code, row);
            if (q.code == 11 && !m_radians)
                value *= kDegreesPerRadian;
        }
        return;
    }
    // 3. The formulas, in list order.
    for (const auto& f : m_formulas) {
        if (f->IsUnnamed() || !SameName(f->baseName, name))
            continue;
        known = true;
        available = f->curve.HasValue(row);
        value = available ? f->curve.values[static_cast<std::size_t>(row)] : 0;
        return;
    }
}

// ----------------------------------------------------------------------------------------- computing

int TFormules::ComputeConstant(TRec& c)
{
    if (c.isExpression) {
        m_constantsOnly = true;
        m_parser.SetText(c.expression);
        m_parser.Evaluate();
        m_constantsOnly = false;
        c.names = m_parser.Names();
        if (TParser::ErrorCode() != 0) {
            c.value = kNaN;
            c.valueText = kNotANumber;
            return fcParser;
        }
        const double v = m_parser.Value();
        c.value = IsUnusable(v) ? kNaN : v;
        c.valueText = FormatConstantValue(c.value);
        if (std::isnan(v))
            return fcCalculation;
        return IsUnusable(v) ? fcOutOfRange : fcOk;
    }
    c.names.clear();
    const auto number = ParseTypedNumber(c.expression);
    if (!number) {
        c.value = kNaN;
        c.valueText = kNotANumber;
        return fcBadNumber;
    }
    if (IsUnusable(*number)) {
        c.value = kNaN;
        c.valueText = kNotANumber;
        return fcOutOfRange;
    }
    c.value = *number;
    c.valueText = FormatConstantValue(c.value);
    return fcOk;
}

int TFormules::ComputeFormula(TRec& f)
{
    TCurve& curve = f.curve;
    const int rows = Rows();
    curve.values.assign(static_cast<std::size_t>(rows), 0.0);
    curve.mask.assign(static_cast<std::size_t>(rows), -1);
    curve.firstRow = -1;
    curve.lastRow = -1;
    curve.dependsOnVelocity = false;
    curve.dependsOnAcceleration = false;
    curve.unusableAsAbscissa = true;
    if (std::abs(static_cast<long long>(f.offset)) > rows - 1)
        return fcNoValue;

    // The constants named like the formula with an index are its initial values, one per row number.
    std::vector<const TRec*> initial(static_cast<std::size_t>(rows), nullptr);
    if (!f.IsUnnamed()) {
        for (const auto& c : m_constants) {
            const long long j = static_cast<long long>(c->indexValue) - m_base;
            if (c->hasIndex && SameName(c->baseName, f.baseName) && j >= 0 && j < rows && !std::isnan(c->value))
                initial[static_cast<std::size_t>(j)] = c.get();
        }
    }

    m_parser.SetText(f.expression);
    int firstCode = 0;
    std::string firstText;
    for (int j = 0; j < rows; ++j) {
        const auto at = static_cast<std::size_t>(j);
        if (initial[at] != nullptr) {
            curve.values[at] = initial[at]->value;
            curve.mask[at] = 0;
            continue;
        }
        m_row = j - f.offset;
        m_parser.Evaluate();
        if (TParser::ErrorCode() == 0) {
            curve.values[at] = m_parser.Value();
            curve.mask[at] = 0;
        } else if (firstCode == 0) {
            firstCode = TParser::ErrorCode();
            firstText = TParser::ErrorText();
        }
    }
    if (!m_parser.IsParsed())
        m_parser.Parse(); // every row came from a constant: the names are still wanted
    f.names = m_parser.Names();

    for (int j = 0; j < rows; ++j) {
        if (curve.HasValue(j)) {
            if (curve.firstRow < 0)
                curve.firstRow = j;
            curve.lastRow = j;
        }
    }
    if (curve.firstRow < 0) {
        // The message then names the first row's failure, the one that explains the others.
        TParser::SetError(firstCode, firstText);
        return fcParser;
    }
    curve.unusableAsAbscissa = false;
    curve.dependsOnVelocity = UsesAny(f, { "vx", "vy", "v" });
    curve.dependsOnAcceleration = UsesAny(f, { "ax", "ay", "a" });
    // Em = Ec + Ep rests on the velocity as much as Ec = 0,5*m*v^2 does: the doubtful edges that the
    // options hide in one are hidden in the other (the formulas used are computed first).
    for (const auto& used : m_formulas) {
        if (used.get() != &f && !used->IsUnnamed() && Uses(f, *used)) {
            curve.dependsOnVelocity = curve.dependsOnVelocity || used->curve.dependsOnVelocity;
            curve.dependsOnAcceleration = curve.dependsOnAcceleration || used->curve.dependsOnAcceleration;
        }
    }
    TParser::SetError(0);
    return fcOk;
}

void TFormules::CollectNames(TRec& entry, bool constantsOnly)
{
    entry.names.clear();
    if (entry.kind == rkConstant && !entry.isExpression)
        return;
    m_constantsOnly = constantsOnly;
    m_parser.SetText(entry.expression);
    m_parser.Parse();
    m_constantsOnly = false;
    entry.names = m_parser.Names();
}

std::vector<TRec*> TFormules::DependencyOrder(const std::vector<std::unique_ptr<TRec>>& list, bool constantsOnly)
{
    const std::size_t n = list.size();
    for (const auto& entry : list)
        CollectNames(*entry, constantsOnly);
    // Who uses whom, found once through the names instead of comparing every pair at every pass. users[a]
    // holds, in list order, every b != a that uses a's name.
    std::unordered_map<std::string, std::vector<std::size_t>> byName;
    for (std::size_t a = 0; a < n; ++a)
        byName[FoldCase(list[a]->baseName)].push_back(a);
    std::vector<std::vector<std::size_t>> users(n);
    for (std::size_t b = 0; b < n; ++b) {
        std::vector<std::size_t> used;
        for (const std::string& name : list[b]->names) {
            const auto it = byName.find(FoldCase(name));
            if (it != byName.end())
                used.insert(used.end(), it->second.begin(), it->second.end());
        }
        std::sort(used.begin(), used.end());
        used.erase(std::unique(used.begin(), used.end()), used.end());
        for (std::size_t a : used)
            if (a != b)
                users[a].push_back(b);
    }
    // level(A) > level(B) whenever B uses A; a circle stops after as many passes as there are entries. The
    // pairs are visited in the same order as a scan of all pairs would, so levels are the same.
    std::vector<int> level(n, 0);
    for (std::size_t pass = 0; pass < n; ++pass) {
        bool changed = false;
        for (std::size_t a = 0; a < n; ++a) {
            for (std::size_t b : users[a]) {
                if (level[a] < level[b] + 1) {
                    level[a] = level[b] + 1;
                    changed = true;
                }
            }
        }
        if (!changed)
            break;
    }
    std::vector<TRec*> order;
    order.reserve(n);
    const int top = n == 0 ? -1 : *std::max_element(level.begin(), level.end());
    for (int l = top; l >= 0; --l) {
        for (std::size_t k = 0; k < n; ++k) {
            if (level[k] == l)
                order.push_back(list[k].get());
        }
    }
    return order;
}

int TFormules::ComputeConstants()
{
    int first = fcOk;
    for (TRec* c : DependencyOrder(m_constants, true)) {
        const int code = ComputeConstant(*c);
        if (first == fcOk)
            first = code;
    }
    return first;
}

int TFormules::ComputeFormulas()
{
    // No formula may read another's values from before the change (formulas in a circle would).
    for (const auto& f : m_formulas) {
        f->curve.mask.assign(f->curve.mask.size(), -1);
        f->curve.firstRow = -1;
        f->curve.lastRow = -1;
    }
    int first = fcOk;
    for (TRec* f : DependencyOrder(m_formulas, false)) {
        const int code = ComputeFormula(*f);
        if (first == fcOk)
            first = code;
    }
    if (m_selected >= 0 && (m_selected >= FormulaCount() || Formula(m_selected).curve.unusableAsAbscissa))
        m_selected = -1;
    return first;
}

int TFormules::ComputeAll()
{
    const int constants = ComputeConstants();
    const int formulas = ComputeFormulas();
    return constants != fcOk ? constants : formulas;
}

double TFormules::MaxAll() const
{
    double result = kEmptyMax;
    for (const auto& f : m_formulas) {
        if (!f->curve.visible)
            continue;
        for (std::size_t j = 0; j < f->curve.values.size(); ++j) {
            if (f->curve.mask[j] == 0 && std::isfinite(f->curve.values[j]))
                result = std::max(result, f->curve.values[j]);
        }
    }
    return result;
}

double TFormules::MinAll() const
{
    double result = kEmptyMin;
    for (const auto& f : m_formulas) {
        if (!f->curve.visible)
            continue;
        for (std::size_t j = 0; j < f->curve.values.size(); ++j) {
            if (f->curve.mask[j] == 0 && std::isfinite(f->curve.values[j]))
                result = std::min(result, f->curve.values[j]);
        }
    }
    return result;
}

// ---------------------------------------------------------------------------------------- validation

int TFormules::Validate(const TRec& entry)
{
    if (!entry.IsUnnamed()) {
        if (!entry.nameValid)
            return fcBadName;
        if (!entry.indexValid)
            return fcBadIndex;
        if (IsPredefined(entry.baseName))
            return fcPredefined;
    }
    if (entry.kind == rkFormula) {
        if (!entry.IsUnnamed()) {
            for (const auto& f : m_formulas) {
                if (f.get() != &entry && !f->IsUnnamed() && SameName(f->baseName, entry.baseName))
                    return f->curve.visible ? fcDuplicate : fcHiddenDuplicate;
            }
            // An indexed constant of the same name is the formula's initial value, not a clash.
            for (const auto& c : m_constants) {
                if (!c->hasIndex && SameName(c->baseName, entry.baseName))
                    return fcDuplicate;
            }
        }
        for (const auto& f : m_formulas) {
            if (f.get() != &entry && SameName(f->expression, entry.expression))
                return fcSameExpression;
        }
        for (const auto& c : m_constants) {
            if (SameName(c->expression, entry.expression))
                return fcSameExpression;
        }
        for (const auto& f : m_formulas) {
            if (f.get() == &entry)
                return ComputeFormula(*f);
        }
        return fcOk;
    }

    for (const auto& f : m_formulas) {
        if (!entry.hasIndex && !f->IsUnnamed() && SameName(f->baseName, entry.baseName))
            return fcDuplicate;
    }
    for (const auto& c : m_constants) {
        if (c.get() != &entry && SameName(c->baseName, entry.baseName) && c->hasIndex == entry.hasIndex
            && c->indexValue == entry.indexValue)
            return fcDuplicate;
    }
    // Two constants may well have the same value (two equal masses); only a repeated expression is refused.
    if (entry.isExpression) {
        for (const auto& c : m_constants) {
            if (c.get() != &entry && c->isExpression && SameName(c->expression, entry.expression))
                return fcSameExpression;
        }
        for (const auto& f : m_formulas) {
            if (SameName(f->expression, entry.expression))
                return fcSameExpression;
        }
    }
    for (const auto& c : m_constants) {
        if (c.get() == &entry)
            return ComputeConstant(*c);
    }
    return fcOk;
}

std::string TFormules::Message(int code, const TRec& entry) const
{
    // Names and expressions may come from a study file: shown as clean text.
    const std::string name = EscapeForMessage(entry.name, 200);
    const std::string expression = EscapeForMessage(entry.expression, 200);
    switch (code) {
    case fcOk:
        return {};
    case fcHiddenDuplicate:
        return FormatText(Tr("Nom de variable déjà utilisé dans une colonne cachée : %s"), { name });
    case fcBadName:
        return FormatText(Tr("Un nom ne doit pas commencer par un chiffre et ne contient que des lettres ou des "
                             "chiffres. Variable ou constante incorrecte : %s"),
            { name });
    case fcDuplicate:
        return FormatText(Tr("Nom déjà utilisé (la comparaison ne tient pas compte de la casse). Variable ou "
                             "constante répétée : %s"),
            { name });
    case fcSameExpression:
        return FormatText(
            Tr("Formules identiques détectées (la comparaison ne tient pas compte de la casse) : %s."), { expression });
    case fcParser:
        return TParser::ErrorMessage();
    case fcBadIndex:
        return FormatText(Tr("L'indice d'une variable ou d'une constante est placée entre crochets. L'indice entre "
                             "crochets n'est pas reconnu. Variable ou constante d'indice incorrect : %s"),
            { name });
    case fcCalculation:
        return Tr("L'unité de calcul a détecté une erreur. L'opération en cours est annulée.");
    case fcBadNumber:
        return Tr("La chaîne de caractères doit être constituée d'un signe (facultatif), de chiffres, d'un "
                  "séparateur décimal (facultatif), puis d'une mantisse (facultative).")
            + "\n" + Tr("La mantisse comprend « E » ou « e » suivi d'un signe (facultatif) et d'un nombre entier.");
    case fcPredefined:
        return FormatText(Tr("Nom identique à celui d'une variable prédéfinie (la comparaison ne tient pas compte "
                             "de la casse). Variable concernée : %s"),
            { name });
    case fcOutOfRange:
        return Tr("Le nombre est trop grand ou trop petit");
    case fcNoValue:
        return FormatText(Tr("Aucune valeur calculable (l'indice est probablement trop grand). Variable non "
                             "calculable : %s"),
            { name });
    default:
        return Tr("Erreur non répertoriée.");
    }
}

// -------------------------------------------------------------------------------------- project file

void TFormules::Save(TIniFile& file) const
{
    // Both sections belong to the formulas alone: rewriting them whole leaves no entry of a longer list.
    file.EraseSection(kSectionFormules);
    file.EraseSection(kSectionRecord);
    file.WriteInteger(kSectionFormules, "FormulesNumber", FormulaCount());
    file.WriteInteger(kSectionFormules, "ConstantesNumber", ConstantCount());
    for (int k = 0; k < FormulaCount(); ++k) {
        const TRec& f = Formula(k);
        file.WriteString(kSectionRecord, Key("RecordFormuleIdentifier", k), OneLine(f.name));
        file.WriteString(kSectionRecord, Key("RecordFormulePhrase", k), OneLine(f.expression));
        file.WriteString(kSectionRecord, Key("RecordFormuleComment", k), OneLine(f.comment));
        file.WriteString(kSectionRecord, Key("RecordFormuleUnit", k), OneLine(f.unit));
    }
    for (int k = 0; k < ConstantCount(); ++k) {
        const TRec& c = Constant(k);
        file.WriteString(kSectionRecord, Key("RecordConstIdentifier", k), OneLine(c.name));
        file.WriteString(kSectionRecord, Key("RecordConstIndex", k), OneLine(c.indexText));
        file.WriteString(
            kSectionRecord, Key("RecordConstValue", k), OneLine(c.isExpression ? "=" + c.expression : c.expression));
        file.WriteString(kSectionRecord, Key("RecordConstUnit", k), OneLine(c.unit));
        // Not among the historical keys, but a typed comment must survive a save.
        file.WriteString(kSectionRecord, Key("RecordConstComment", k), OneLine(c.comment));
    }
}

std::vector<std::string> TFormules::Load(const TIniFile& file)
{
    Clear();
    std::vector<std::string> problems;
    // No entry exists without a key of its own in "Record": the counts are never followed further.
    const std::size_t keys = file.KeyCount(kSectionRecord);
    auto count = [&](const char* key, const std::string& tooMany) {
        const long long announced = std::max(0LL, file.ReadInteger(kSectionFormules, key, 0));
        if (announced > kMaxStoredEntries) {
            problems.push_back(FormatText(tooMany, { std::to_string(announced), std::to_string(kMaxStoredEntries) }));
            return kMaxStoredEntries;
        }
        return announced;
    };
    const long long formulas = count("FormulesNumber",
        Tr("Le travail annonce %s formules, plus que les %s que le logiciel accepte : seules les premières sont "
           "lues."));
    const long long constants = count("ConstantesNumber",
        Tr("Le travail annonce %s constantes, plus que les %s que le logiciel accepte : seules les premières sont "
           "lues."));
    std::size_t steps = 0;
    for (int k = 0; k < formulas && steps < keys; ++k, ++steps) {
        const auto name = file.Value(kSectionRecord, Key("RecordFormuleIdentifier", k));
        const auto phrase = file.Value(kSectionRecord, Key("RecordFormulePhrase", k));
        if (!name && !phrase)
            continue; // not in the file: the count below tells

        const std::string n = name.value_or("");
        const std::string p = phrase.value_or("");
        AddFormula(n.empty() ? p : n + "=" + p, file.ReadString(kSectionRecord, Key("RecordFormuleComment", k), ""),
            file.ReadString(kSectionRecord, Key("RecordFormuleUnit", k), ""));
    }
    if (formulas > FormulaCount())
        problems.push_back(
            FormatText(Tr("La liste des formules est incomplète : %s formule(s) lue(s) sur %s annoncée(s)."),
                { std::to_string(FormulaCount()), std::to_string(formulas) }));
    steps = 0;
    for (int k = 0; k < constants && steps < keys; ++k, ++steps) {
        const auto identifier = file.Value(kSectionRecord, Key("RecordConstIdentifier", k));
        const auto value = file.Value(kSectionRecord, Key("RecordConstValue", k));
        if (!identifier && !value)
            continue;

        std::string name = identifier.value_or("");
        const std::string index = file.ReadString(kSectionRecord, Key("RecordConstIndex", k), "0");
        // A file that keeps the index beside a bare name still gives the indexed constant.
        if (name.find('[') == std::string::npos && !index.empty() && index != "0")
            name += "[" + index + "]";
        AddConstant(name, value.value_or(""), file.ReadString(kSectionRecord, Key("RecordConstUnit", k), ""),
            file.ReadString(kSectionRecord, Key("RecordConstComment", k), ""));
    }
    if (constants > ConstantCount())
        problems.push_back(
            FormatText(Tr("La liste des constantes est incomplète : %s constante(s) lue(s) sur %s annoncée(s)."),
                { std::to_string(ConstantCount()), std::to_string(constants) }));
    return problems;
}

} // namespace kinoval::formulas
