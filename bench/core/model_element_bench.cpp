// One step of a hand edit of a model on a graph, as a mouse move asks for it: the model follows the
// mouse, the modeller's texts and layout follow the model, and the model curve is drawn again.
#include "core/graph/graph.h"
#include "core/graph/model_tool.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace kinoval::graph;

void DragStep(benchmark::State& state, int code)
{
    TGraph graph;
    InstallModels(graph);
    graph.SetMargins(140, 30, 15, 100);
    graph.SetSize(1600, 900); // a plot 1430 pixels wide: as many columns to evaluate
    TCurveInput curve;
    for (int i = 0; i < 500; ++i) {
        const double t = 0.01 * i;
        curve.x.push_back(t);
        curve.y.push_back(0.5 * std::sin(4 * t) * std::exp(-0.2 * t) + 0.1 * t * t);
    }
    graph.AddCurve(curve);
    graph.SetWorld({ 0, 5, -1, 3 }, false);
    TGModele& model = *ModelOf(*graph.Curves().front());
    model.SetType(code);
    graph.SetTool(gtModifierModele);
    SelectModel(graph, &model);
    TGraphMouse mouse;
    mouse.at = { 300, 700 };
    graph.MouseDown(mouse);
    double dy = 1;
    for (auto _ : state) {
        mouse.at.y += dy;
        dy = -dy; // up and down by a pixel, so the edit stays within its limits
        graph.MouseMove(mouse);
        TDrawList list;
        model.Draw(list);
        benchmark::DoNotOptimize(list.commands.data());
    }
    graph.MouseUp(mouse);
}

void BM_DragParabola(benchmark::State& s)
{
    DragStep(s, mcParabole);
}
void BM_DragDampedSinus(benchmark::State& s)
{
    DragStep(s, mcSinusAe);
}
BENCHMARK(BM_DragParabola);
BENCHMARK(BM_DragDampedSinus);

} // namespace
