// What a study costs to read, by what it holds: a long study's marks, a small file that announces
// billions of objects or containers, a hundred thousand formulas, a sum of many terms, a montage over
// a long video. Each figure should follow the size of the file, never the counts it claims.
#include "core/common/ini_file.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/document/document_view.h"
#include "core/document/kvl.h"
#include "core/formulas/formules.h"
#include "core/formulas/parser.h"
#include "core/montage/montage.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace kinoval;

class TSilentDlg : public TCustomUserDlg {
protected:
    int DoRun() override { return 0; }
};

class TStillView : public TDocumentView {
public:
    int frames = 100000;
    bool IsOpened() const override { return true; }
    int FrameCount() const override { return frames; }
    int CurrentRawFrame() const override { return 0; }
    int CurrentMontageFrame() const override { return 0; }
    void GoToMontageFrame(int) override { }
    void GoToRawFrame(int) override { }
    TMarkSet MarkingMode() const override { return TMarkSet::Fixed; }
    bool IsPointingMode() const override { return true; }
    bool IsCaptureMode() const override { return false; }
    bool IsZoomOrPanToolActive() const override { return false; }
    int FrameWidth() const override { return 640; }
    int FrameHeight() const override { return 480; }
    int ClientWidth() const override { return 640; }
    int ClientHeight() const override { return 480; }
    double Zoom() const override { return 100; }
    TPointD ScreenToImage(TPoint p) const override { return { p.x / 640.0, p.y / 480.0 }; }
    TPoint ImageToScreen(TPointD p) const override
    {
        return { static_cast<int>(p.x * 640), static_cast<int>(p.y * 480) };
    }
    TPoint MouseCursorPos() const override { return {}; }
    void SetCursorShape(TViewCursor) override { }
    void Repaint() override { }
};

void LoadData(const TIniFile& file)
{
    TSilentDlg dlg;
    TStillView view;
    document::TData data(dlg, document::TDocumentSettings {});
    data.SetView(&view);
    data.NewStudy();
    const document::TIniSectionKeys keys(file, "Data");
    data.Load(keys);
    benchmark::DoNotOptimize(data.MarkCount());
}

// A real study of n frames with two objects.
std::string MarksStudy(int frames)
{
    std::string text
        = "[Data]\nMarksNumberPerFrame_Grid=2\nMarksContainersNumber_Grid=" + std::to_string(frames) + "\n";
    for (int i = 0; i < frames; ++i) {
        const std::string c = "Grid_" + std::to_string(i);
        text += "MarksContainerFrameNumber_" + c + "=" + std::to_string(i) + "\nMarksContainerMarkNumber_" + c + "="
            + std::to_string(i) + "\nMarksContainerMarksNumber_" + c + "=2\n";
        for (int j = 0; j < 2; ++j) {
            const std::string m = c + "_" + std::to_string(j);
            text += "MarkOrderNumber_" + m + "=" + std::to_string(j) + "\nMarkXCoordinate_" + m
                + "=0.25\nMarkYCoordinate_" + m + "=0.5\n";
        }
    }
    return text;
}

void BM_LoadMarks(benchmark::State& state)
{
    TIniFile file;
    file.SetText(MarksStudy(static_cast<int>(state.range(0))));
    for (auto _ : state)
        LoadData(file);
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_LoadMarks)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

// Fifty bytes that claim two thousand million objects, or containers.
void BM_LoadCraftedCounts(benchmark::State& state)
{
    TIniFile file;
    file.SetText(state.range(0) == 0 ? "[Data]\nMarksNumberPerFrame_Grid=2147483647\n"
                                     : "[Data]\nMarksContainersNumber_Grid=2147483647\n");
    for (auto _ : state)
        LoadData(file);
}
BENCHMARK(BM_LoadCraftedCounts)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// FormulesNumber=100000, with every entry written (range 1) or none (range 0).
void BM_LoadFormules(benchmark::State& state)
{
    std::string text = "[Formules]\nFormulesNumber=100000\nConstantesNumber=0\n[Record]\n";
    if (state.range(0) == 1)
        for (int k = 0; k < 100000; ++k)
            text += "RecordFormuleIdentifier_" + std::to_string(k) + "=\nRecordFormulePhrase_" + std::to_string(k)
                + "=x*" + std::to_string(k) + "\n";
    TIniFile file;
    file.SetText(text);
    for (auto _ : state) {
        formulas::TFormules formules;
        benchmark::DoNotOptimize(formules.Load(file));
        benchmark::DoNotOptimize(formules.FormulaCount());
    }
}
BENCHMARK(BM_LoadFormules)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The dependency order of the most formulas a study may hold, each using the one before.
void BM_FormulesChainOrder(benchmark::State& state)
{
    formulas::TFormules formules;
    formules.AddFormula("f0=1");
    for (int k = 1; k < 1000; ++k)
        formules.AddFormula("f" + std::to_string(k) + "=f" + std::to_string(k - 1) + "+1");
    for (auto _ : state)
        benchmark::DoNotOptimize(formules.ComputeConstants() + formules.ComputeFormulas());
}
BENCHMARK(BM_FormulesChainOrder)->Unit(benchmark::kMillisecond);

void BM_ParseFlatSum(benchmark::State& state)
{
    std::string text = "1";
    for (int k = 1; k < state.range(0); ++k)
        text += "+1";
    for (auto _ : state) {
        formulas::TParser parser;
        parser.SetText(text);
        parser.Evaluate();
        benchmark::DoNotOptimize(parser.Value());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParseFlatSum)->Arg(1001)->Arg(100000)->Unit(benchmark::kMillisecond);

// The montage of a 100 000-frame video: one long stretch of shifts and many visibility runs.
void BM_LoadMontage(benchmark::State& state)
{
    const int n = 100000;
    std::string text = "[Montage]\nVisibleImagesNumber=100000\nTimeShiftsNumber=100000\nVisibleScalesNumber=1000\n";
    for (int k = 0; k < 1000; ++k)
        text += "VisibleScale_" + std::to_string(k) + "=" + std::to_string(k * 100) + "\nVisibleImage_"
            + std::to_string(k) + "=" + (k % 2 == 0 ? "1" : "0") + "\n";
    text += "TimeShiftScalesNumber=2\nTimeShiftScale_0=-1\nTimeShift_0=0\nTimeShiftScale_1=100000\nTimeShift_1=99999\n";
    TIniFile file;
    file.SetText(text);
    TSilentDlg dlg;
    for (auto _ : state) {
        montage::TMontage montage(dlg);
        montage.hooks.videoOpen = [] { return true; };
        montage.InitMontage(n);
        const document::TIniSectionKeys keys(file, "Montage");
        benchmark::DoNotOptimize(montage.LoadMontage(keys));
    }
}
BENCHMARK(BM_LoadMontage)->Unit(benchmark::kMillisecond);

} // namespace
