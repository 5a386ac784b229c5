// The results table's outputs on a large study and on a class study.

#include "core/export/serveur.h"
#include "core/export/workbook.h"
#include "core/results/grid.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kinoval;
using namespace kinoval::results;

class TBenchSource : public TTableSource {
public:
    TBenchSource(int objects, int rows)
        : m_objects(objects)
        , m_rows(rows)
    {
    }
    int ObjectCount() const override { return m_objects; }
    int Rows() const override { return m_rows; }
    double Time(int row) const override { return row * 0.04; }
    int FrameOf(int object, int row) const override { return (row + object) % 50 == 0 ? -1 : row; }
    double Value(int object, int code, int row) const override { return 0.001 * row * (object + 1) + code / 7.0; }
    double AxisAngle() const override { return 0.1; }
    std::string ObjectName(int object) const override { return "objet " + std::to_string(object + 1); }

private:
    int m_objects;
    int m_rows;
};

class TNoDesktop : public TDesktopServices {
public:
    void SetClipboardText(const std::string&) override { }
    std::string ClipboardText() const override { return {}; }
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest&) override { return std::nullopt; }
    bool OpenWithDefaultProgram(const std::string&) override { return false; }
    bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    bool ProgramExists(const std::string&) const override { return false; }
    void Beep() override { }
    void ProcessPendingEvents() override { }
};

class TNoDlg : public TCustomUserDlg {
protected:
    int DoRun() override { return 0; }
};

void AllVisible(TGrid& grid)
{
    grid.SetVisible(true, kPositionCodes | kVelocityCodes | kAccelerationCodes | kPolarCodes);
}

void BM_TabSeparatedCopy(benchmark::State& state)
{
    TBenchSource source(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    TGrid grid(source);
    AllVisible(grid);
    TNoDesktop desktop;
    TNoDlg dlg;
    TServeur serveur(desktop, dlg);
    for (auto _ : state) {
        grid.CopyText("kinoval", serveur);
        benchmark::DoNotOptimize(serveur.Lines().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 11 * state.range(1));
}
BENCHMARK(BM_TabSeparatedCopy)->Args({ 3, 300 })->Args({ 32, 5000 })->Unit(benchmark::kMillisecond);

void BM_ScreenTexts(benchmark::State& state)
{
    TBenchSource source(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    TGrid grid(source);
    AllVisible(grid);
    grid.Layout();
    for (auto _ : state) {
        std::size_t size = 0;
        for (int line = 0; line < grid.LineCount(); ++line)
            for (int column = 0; column < grid.ColCount(); ++column)
                size += grid.CellText(column, line, true).size();
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_ScreenTexts)->Args({ 3, 300 })->Args({ 32, 5000 })->Unit(benchmark::kMillisecond);

void BM_MatrixToWorkbookCells(benchmark::State& state)
{
    TBenchSource source(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    TGrid grid(source);
    AllVisible(grid);
    for (auto _ : state) {
        const TWorkbookCells cells = ToWorkbookCells(grid.Matrix());
        benchmark::DoNotOptimize(cells.data());
    }
}
BENCHMARK(BM_MatrixToWorkbookCells)->Args({ 3, 300 })->Args({ 32, 5000 })->Unit(benchmark::kMillisecond);

} // namespace
