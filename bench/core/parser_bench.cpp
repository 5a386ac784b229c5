// A formula of 30 operators evaluated over 10 000 rows: the tree is built once and only the values change
// from row to row, as when a user formula is computed over the results. The re-parsing variant shows what
// building the tree once saves.
#include "core/formulas/formula_grid.h"
#include "core/formulas/formules.h"
#include "core/formulas/kinematic_values.h"
#include "core/formulas/parser.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using kinoval::formulas::TParser;

constexpr int kRows = 10000;
// 30 operators (18 "+" or "-", 9 "*" or "/", 3 "^") and six functions.
constexpr const char* kFormula = "x*2+y^2-t*x/3+(x-y)*(x+y)-t^2*4+x^3/(t+1)-y*5+sin(x)*cos(y)-sqrt(t+1)"
                                 "+x/(y+2)+ln(t+2)-abs(x-t)";

struct TRows {
    std::vector<double> t, x, y;
    int row = 0;
    TRows()
        : t(kRows)
        , x(kRows)
        , y(kRows)
    {
        for (int j = 0; j < kRows; ++j) {
            t[static_cast<std::size_t>(j)] = 0.04 * j;
            x[static_cast<std::size_t>(j)] = std::cos(0.001 * j);
            y[static_cast<std::size_t>(j)] = std::sin(0.002 * j);
        }
    }
    static void Lookup(void* context, const TParser&, const std::string& name, bool& available, bool& known,
        double& value, bool, bool, int)
    {
        const auto* self = static_cast<const TRows*>(context);
        const auto at = static_cast<std::size_t>(self->row);
        known = available = true;
        if (name == "t")
            value = self->t[at];
        else if (name == "x")
            value = self->x[at];
        else if (name == "y")
            value = self->y[at];
        else
            known = available = false;
    }
};

int OperatorCount(const TParser& parser)
{
    int count = 0;
    for (const auto& token : parser.Tokens())
        count += token.kind >= kinoval::formulas::tkPlus && token.kind <= kinoval::formulas::tkPower ? 1 : 0;
    return count;
}

void BM_FormulaTreeBuiltOnce(benchmark::State& state)
{
    TRows rows;
    TParser parser;
    parser.SetLookup(&TRows::Lookup, &rows);
    parser.SetText(kFormula);
    parser.Parse();
    if (TParser::ErrorCode() != 0 || OperatorCount(parser) != 30) {
        state.SkipWithError("the formula does not have 30 operators");
        return;
    }
    double sum = 0;
    for (auto _ : state) {
        for (rows.row = 0; rows.row < kRows; ++rows.row) {
            parser.Evaluate();
            sum += parser.Value();
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FormulaTreeBuiltOnce)->Unit(benchmark::kMillisecond);

void BM_FormulaReparsedEveryRow(benchmark::State& state)
{
    TRows rows;
    TParser parser;
    parser.SetLookup(&TRows::Lookup, &rows);
    double sum = 0;
    for (auto _ : state) {
        for (rows.row = 0; rows.row < kRows; ++rows.row) {
            parser.SetText(kFormula);
            parser.Evaluate();
            sum += parser.Value();
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FormulaReparsedEveryRow)->Unit(benchmark::kMillisecond);

// The same formula as a user formula: lookups through the constants, predefined names and formulas.
class TBenchValues : public kinoval::formulas::TKinematicValues {
public:
    TRows rows;
    int Rows() const override { return kRows; }
    int ObjectCount() const override { return 1; }
    double Time(int row) const override { return rows.t[static_cast<std::size_t>(row)]; }
    int FrameOf(int, int row) const override { return row; }
    double Value(int, std::uint8_t code, int row) const override
    {
        return code == 1 ? rows.x[static_cast<std::size_t>(row)] : rows.y[static_cast<std::size_t>(row)];
    }
    double AxisAngle() const override { return 0; }
};

void BM_UserFormulaOverRows(benchmark::State& state)
{
    TBenchValues values;
    kinoval::formulas::TFormules formules;
    formules.SetSource(&values);
    formules.AddConstant("m", "0.5");
    formules.AddConstant("g", "9.81");
    const int k = formules.AddFormula(std::string("E=") + kFormula);
    for (auto _ : state) {
        const int code = formules.ComputeFormula(formules.Formula(k));
        benchmark::DoNotOptimize(code);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_UserFormulaOverRows)->Unit(benchmark::kMillisecond);

// What one refresh of the results window costs the formulas of an energy study over 10 000 rows: the
// constants, then Ec, Ep, Em and a step of Euler's method for the fall, in their dependency order.
void BM_EnergyFormulasComputeAll(benchmark::State& state)
{
    TBenchValues values;
    kinoval::formulas::TFormules formules;
    formules.SetVelocityAvailable(false);
    formules.SetSource(&values);
    for (const auto& [name, value] :
        { std::pair { "m", "0.1" }, { "g", "9.81" }, { "Dt", "0.04" }, { "ye[1]", "0" }, { "vye[1]", "4.6" } })
        formules.AddConstant(name, value);
    for (const char* text :
        { "Ec=0.5*m*(x^2+y^2)", "Ep=m*g*y", "Em=Ec+Ep", "vye[i+1]=vye[i]-g*Dt", "ye[i+1]=ye[i]+vye[i]*Dt" })
        formules.AddFormula(text);
    for (auto _ : state) {
        formules.ComputeAll();
        benchmark::DoNotOptimize(formules.Formula(4).curve.values.data());
    }
    if (formules.Formula(4).curve.lastRow != kRows - 1)
        state.SkipWithError("the iterative formula did not reach the last row");
    state.SetItemsProcessed(state.iterations() * kRows * 5);
}
BENCHMARK(BM_EnergyFormulasComputeAll)->Unit(benchmark::kMillisecond);

// Every cell of the formulas window's table for five formulas over 10 000 rows, as the screen shows them.
void BM_FormulaTableCells(benchmark::State& state)
{
    TBenchValues values;
    kinoval::formulas::TFormules formules;
    formules.SetSource(&values);
    for (const char* text : { "a=x*2", "b=y^2", "c=a+b", "d=sqrt(c)", "e=d*t" })
        formules.AddFormula(text);
    formules.ComputeAll();
    kinoval::formulas::TFormulaGrid grid(formules);
    std::size_t characters = 0;
    for (auto _ : state) {
        for (int line = 0; line < grid.LineCount(); ++line) {
            for (int column = 0; column < grid.ColCount(); ++column)
                characters += grid.CellText(column, line, true).size();
        }
    }
    benchmark::DoNotOptimize(characters);
    state.SetItemsProcessed(state.iterations() * grid.LineCount() * grid.ColCount());
}
BENCHMARK(BM_FormulaTableCells)->Unit(benchmark::kMillisecond);

} // namespace
