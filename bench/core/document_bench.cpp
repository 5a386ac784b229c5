// How the document scales with long studies: importing tracked positions for many objects over many
// frames, exporting the measurement arrays, and the renumbering that follows a single placed mark.
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/document/document_view.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using namespace kinoval;

class TSilentDlg : public TCustomUserDlg {
protected:
    int DoRun() override { return 0; }
};

class TBenchView : public TDocumentView {
public:
    int frames = 10000;
    int raw = 0;
    bool IsOpened() const override { return true; }
    int FrameCount() const override { return frames; }
    int CurrentRawFrame() const override { return raw; }
    int CurrentMontageFrame() const override { return raw; }
    void GoToMontageFrame(int f) override
    {
        if (f >= 0 && f < frames)
            raw = f;
    }
    void GoToRawFrame(int f) override { GoToMontageFrame(f); }
    TMarkSet MarkingMode() const override { return TMarkSet::Fixed; }
    bool IsPointingMode() const override { return true; }
    bool IsCaptureMode() const override { return false; }
    bool IsZoomOrPanToolActive() const override { return false; }
    int FrameWidth() const override { return 640; }
    int FrameHeight() const override { return 480; }
    int ClientWidth() const override { return 800; }
    int ClientHeight() const override { return 600; }
    double Zoom() const override { return 1; }
    TPointD ScreenToImage(TPoint p) const override
    {
        return { std::clamp(p.x / 640.0, 0.0, 1.0), std::clamp(p.y / 480.0, 0.0, 1.0) };
    }
    TPoint ImageToScreen(TPointD p) const override
    {
        return { static_cast<int>(std::lround(p.x * 640)), static_cast<int>(std::lround(p.y * 480)) };
    }
    TPoint MouseCursorPos() const override { return {}; }
    void SetCursorShape(TViewCursor) override { }
    void Repaint() override { }
};

void Tracks(
    int objects, int frames, std::vector<std::vector<TPointD>>& positions, std::vector<std::vector<int>>& numbers)
{
    positions.assign(static_cast<std::size_t>(objects), {});
    numbers.assign(static_cast<std::size_t>(objects), {});
    for (int i = 0; i < objects; ++i)
        for (int f = 0; f < frames; ++f) {
            positions[static_cast<std::size_t>(i)].push_back({ (f % 640) / 640.0, (i * 13 % 480) / 480.0 });
            numbers[static_cast<std::size_t>(i)].push_back(f);
        }
}

struct TStudy {
    TSilentDlg dlg;
    document::TDocumentSettings settings;
    TBenchView view;
    std::unique_ptr<document::TData> data;
    TStudy(int objects, int frames)
    {
        view.frames = frames;
        data = std::make_unique<document::TData>(dlg, settings);
        data->SetView(&view);
        data->SetObjectsPerFrame(objects);
    }
};

void BM_ImportMarks(benchmark::State& state)
{
    const int objects = static_cast<int>(state.range(0));
    const int frames = static_cast<int>(state.range(1));
    std::vector<std::vector<TPointD>> positions;
    std::vector<std::vector<int>> numbers;
    Tracks(objects, frames, positions, numbers);
    std::unique_ptr<TStudy> study;
    for (auto _ : state) {
        state.PauseTiming(); // building and destroying the study is not the import's cost
        study.reset();
        study = std::make_unique<TStudy>(objects, frames);
        state.ResumeTiming();
        study->data->ImportMarks(positions, numbers);
        benchmark::DoNotOptimize(study->data->MarkCount());
    }
    state.SetItemsProcessed(state.iterations() * objects * frames);
}
BENCHMARK(BM_ImportMarks)->Args({ 32, 10000 })->Unit(benchmark::kMillisecond);

void BM_ExportMeasurement(benchmark::State& state)
{
    const int objects = static_cast<int>(state.range(0));
    const int frames = static_cast<int>(state.range(1));
    std::vector<std::vector<TPointD>> positions;
    std::vector<std::vector<int>> numbers;
    Tracks(objects, frames, positions, numbers);
    TStudy study(objects, frames);
    study.data->ImportMarks(positions, numbers);
    TMeasurement m;
    for (auto _ : state) {
        study.data->ExportMeasurement(TMarkSet::Fixed, m);
        benchmark::DoNotOptimize(m.times.data());
    }
    state.SetItemsProcessed(state.iterations() * objects * frames);
}
BENCHMARK(BM_ExportMeasurement)->Args({ 32, 10000 })->Unit(benchmark::kMillisecond);

void BM_UndoImport(benchmark::State& state)
{
    const int objects = static_cast<int>(state.range(0));
    const int frames = static_cast<int>(state.range(1));
    std::vector<std::vector<TPointD>> positions;
    std::vector<std::vector<int>> numbers;
    Tracks(objects, frames, positions, numbers);
    std::unique_ptr<TStudy> study;
    for (auto _ : state) {
        state.PauseTiming();
        study.reset();
        study = std::make_unique<TStudy>(objects, frames);
        study->data->ImportMarks(positions, numbers);
        state.ResumeTiming();
        study->data->Undo();
        benchmark::DoNotOptimize(study->data->MarkCount());
    }
    state.SetItemsProcessed(state.iterations() * objects * frames);
}
BENCHMARK(BM_UndoImport)->Args({ 32, 10000 })->Unit(benchmark::kMillisecond);

// One placed mark in a study of n pointed frames: the renumbering is one stable sort of the containers,
// so the time per click grows as n log n.
void BM_PlaceOneMarkAndRenumber(benchmark::State& state)
{
    const int frames = static_cast<int>(state.range(0));
    std::vector<std::vector<TPointD>> positions;
    std::vector<std::vector<int>> numbers;
    Tracks(1, frames, positions, numbers);
    TStudy study(1, frames + 2);
    study.data->ImportMarks(positions, numbers);
    for (auto _ : state) {
        study.view.raw = frames + 1;
        study.data->PlaceMark({ 100, 100 });
        study.data->RemoveLastMark();
    }
    state.SetComplexityN(frames);
}
BENCHMARK(BM_PlaceOneMarkAndRenumber)
    ->RangeMultiplier(4)
    ->Range(1024, 262144)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

} // namespace
