// The graph control under load: a time graph of 32 objects of 5 000 points each, repainted on screen after
// a change (median of the repaints), one pan step of the pan tool (the mouse moves, the window shifts, the
// control repaints), and one move of the mouse over the points (the value bubble follows, the control
// repaints). Each object has a curve of its own colour, its glyphs and its polyline.
//
//   xvfb-run -a build/bench/kinoval_bench_gui --benchmark_filter=Graph
#include "core/drawing/glyphs.h"
#include "core/drawing/palette.h"
#include "core/graph/graph.h"
#include "gui/graph/graph_widget.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace kinoval {
namespace {

constexpr int kObjects = 32;
constexpr int kPoints = 5000;

std::unique_ptr<graph::TGraph> BigTimeGraph()
{
    auto g = std::make_unique<graph::TGraph>();
    g->SetMargins(140, 30, 15, 100);
    for (int k = 0; k < kObjects; ++k) {
        graph::TCurveInput curve;
        curve.name = "objet " + std::to_string(k + 1);
        curve.style = graph::TCurveStyle::OfColour(ObjectColour(k), drawing::GlyphKindOfObject(k));
        for (int i = 0; i < kPoints; ++i) {
            const double t = 0.004 * i;
            curve.x.push_back(t);
            curve.y.push_back(std::sin(2 * t + 0.2 * k) * (1 + 0.05 * k) + 0.01 * std::sin(97.0 * i));
        }
        g->AddCurve(curve);
    }
    g->SetWorld({ 0, 20, -3, 3 }, false);
    return g;
}

void Report(benchmark::State& state, std::vector<double>& ms)
{
    std::sort(ms.begin(), ms.end());
    if (!ms.empty()) {
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["max_ms"] = ms.back();
    }
}

void BM_GraphRepaint32x5000(benchmark::State& state)
{
    auto g = BigTimeGraph();
    TGraphWidget widget;
    widget.resize(1200, 800);
    widget.SetGraph(g.get());
    widget.show();
    QApplication::processEvents();
    std::vector<double> ms;
    for (auto _ : state) {
        // Something that shows changed: the content is painted again, not taken from its picture.
        g->OnChanged.Emit();
        const auto t0 = std::chrono::steady_clock::now();
        widget.repaint();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1000);
    }
    Report(state, ms);
    widget.SetGraph(nullptr);
}
BENCHMARK(BM_GraphRepaint32x5000)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_GraphPanStep32x5000(benchmark::State& state)
{
    auto g = BigTimeGraph();
    TGraphWidget widget;
    widget.resize(1200, 800);
    widget.SetGraph(g.get());
    widget.show();
    QApplication::processEvents();
    g->SetTool(graph::gtPan);
    QPointF at(600, 400);
    const auto send = [&widget](QEvent::Type type, QPointF p) {
        QMouseEvent event(type, p, widget.mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    };
    send(QEvent::MouseButtonPress, at);
    std::vector<double> ms;
    int step = 0;
    for (auto _ : state) {
        // Back and forth, so that the curves stay on the plot.
        at.rx() += (step++ / 20) % 2 == 0 ? 3 : -3;
        const auto t0 = std::chrono::steady_clock::now();
        send(QEvent::MouseMove, at);
        widget.repaint();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1000);
    }
    send(QEvent::MouseButtonRelease, at);
    Report(state, ms);
    widget.SetGraph(nullptr);
}
BENCHMARK(BM_GraphPanStep32x5000)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_GraphHoverStep32x5000(benchmark::State& state)
{
    auto g = BigTimeGraph();
    TGraphWidget widget;
    widget.resize(1200, 800);
    widget.SetGraph(g.get());
    widget.show();
    QApplication::processEvents();
    widget.repaint();
    std::vector<double> ms;
    int step = 0;
    for (auto _ : state) {
        // Along the first curve, from one of its points to the next few pixels on.
        const double t = 2 + 0.05 * (step++ % 100);
        const graph::TPointF p = g->Mapping().ToScreen(t, std::sin(2 * t));
        QMouseEvent event(QEvent::MouseMove, QPointF(p.x, p.y), widget.mapToGlobal(QPointF(p.x, p.y)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        const auto t0 = std::chrono::steady_clock::now();
        QApplication::sendEvent(&widget, &event);
        widget.repaint();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1000);
    }
    Report(state, ms);
    widget.SetGraph(nullptr);
}
BENCHMARK(BM_GraphHoverStep32x5000)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kinoval

namespace kinoval {
namespace {

// What the repaint costs before Qt paints: the graph's drawing list, thinned.
void BM_GraphDrawList32x5000(benchmark::State& state)
{
    auto g = BigTimeGraph();
    g->SetSize(1200, 800);
    std::size_t commands = 0, glyphs = 0, points = 0;
    for (auto _ : state) {
        graph::TDrawList list;
        g->Paint(list);
        commands = list.commands.size();
        glyphs = points = 0;
        for (const auto& c : list.commands) {
            if (const auto* p = std::get_if<graph::TGlyphs>(&c))
                glyphs += p->at.size();
            if (const auto* p = std::get_if<graph::TPolyline>(&c))
                points += p->points.size();
        }
        benchmark::DoNotOptimize(commands);
    }
    state.counters["commands"] = double(commands);
    state.counters["glyphs"] = double(glyphs);
    state.counters["polyline_points"] = double(points);
}
BENCHMARK(BM_GraphDrawList32x5000)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kinoval
