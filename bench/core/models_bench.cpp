// Fitting each model of the catalogue to 5 000 noisy points.
#include "core/modelling/exponential_model.h"
#include "core/modelling/linear_models.h"
#include "core/modelling/parabola_model.h"
#include "core/modelling/sinus_models.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace kinoval::modelling;

constexpr int kPoints = 5000;

struct TData {
    std::vector<double> t, y;
};

TData Make(const std::function<double(double)>& f, double t1)
{
    TData d;
    std::mt19937 rng(42);
    std::normal_distribution<double> gauss(0, 0.01);
    for (int i = 0; i < kPoints; ++i) {
        const double t = t1 * i / (kPoints - 1);
        d.t.push_back(t);
        d.y.push_back(f(t) + gauss(rng));
    }
    return d;
}

template <typename TModel> void FitModel(benchmark::State& state, const std::function<double(double)>& f, double t1)
{
    const TData d = Make(f, t1);
    TModel model;
    model.SetArea(0, 0, 800, 600);
    model.SetWindow(0, t1, -3, 3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.Fit(d.t, d.y));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_Affine(benchmark::State& s)
{
    FitModel<TMdlAffine>(
        s, [](double t) { return 1 + 0.2 * t; }, 10);
}
void BM_Constant(benchmark::State& s)
{
    FitModel<TMdlConstant>(
        s, [](double) { return 1.0; }, 10);
}
void BM_Proportional(benchmark::State& s)
{
    FitModel<TMdlProportionnel>(
        s, [](double t) { return 0.2 * t; }, 10);
}
void BM_Parabola(benchmark::State& s)
{
    FitModel<TMdlParaboleAv>(
        s, [](double t) { return 2 * t - 0.49 * t * t; }, 4);
}
void BM_Exponential(benchmark::State& s)
{
    FitModel<TMdlExponentiel>(
        s, [](double t) { return 2 - 1.5 * std::exp(-0.5 * t); }, 10);
}
void BM_Sinus(benchmark::State& s)
{
    FitModel<TMdlSinus>(
        s, [](double t) { return 2 * std::sin(3 * t + 1); }, 10);
}
void BM_SinusExp(benchmark::State& s)
{
    FitModel<TMdlSinusAe>(
        s, [](double t) { return 2 * std::sin(3 * t + 1) * std::exp(-0.1 * t); }, 10);
}
void BM_SinusLin(benchmark::State& s)
{
    FitModel<TMdlSinusAl>(
        s, [](double t) { return 2 * std::sin(3 * t + 1) * (1 - 0.05 * t); }, 10);
}

BENCHMARK(BM_Affine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Constant)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Proportional)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Parabola)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Exponential)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sinus)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SinusExp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SinusLin)->Unit(benchmark::kMicrosecond);

} // namespace
