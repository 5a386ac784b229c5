// Recomputation and derivative pass of the kinematic calculators, smoothing on, on synthetic studies:
// a class study (3 objects x 300 marks) and a large tracked one (32 objects x 5 000 marks).

#include "core/document/measurement.h"
#include "core/results/res_calc.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

namespace {

using namespace kinoval;

class TSyntheticStudy : public TMeasurementSource {
public:
    TSyntheticStudy(int objects, int marks)
    {
        m_m.times.resize(static_cast<std::size_t>(marks));
        for (int row = 0; row < marks; ++row)
            m_m.times[row] = row * 0.04;
        std::uint32_t seed = 12345;
        const auto jitter = [&seed] { // small deterministic pointing noise, about 1e-3
            seed = seed * 1664525u + 1013904223u;
            return (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 2e-3;
        };
        for (int o = 0; o < objects; ++o) {
            std::vector<int> frames(static_cast<std::size_t>(marks));
            std::vector<double> X(frames.size()), Y(frames.size());
            for (int row = 0; row < marks; ++row) {
                const double s = static_cast<double>(row) / marks;
                frames[row] = row;
                // Each object a different mixture of drift, fall and swing.
                X[row] = 0.1 + 0.8 * s + 0.05 * std::sin(6.28 * (o + 1) * s) + jitter();
                Y[row] = 0.9 - (0.3 + 0.01 * o) * s * s + jitter();
            }
            m_m.frames.push_back(std::move(frames));
            m_m.X.push_back(std::move(X));
            m_m.Y.push_back(std::move(Y));
        }
    }
    bool IsVideoOpen() const override { return true; }
    void ExportMeasurement(TMarkSet, TMeasurement& out) const override { out = m_m; }
    TFrameGeometry Geometry(TMarkSet) const override { return { 1.2, 0.9, 0.2, true, false }; }
    double TimeBetweenFrames() const override { return 0.04; }

private:
    TMeasurement m_m;
};

void RecomputeAndDerive(benchmark::State& state)
{
    const TSyntheticStudy study(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    results::TResCalc res(study);
    for (auto _ : state) {
        res.Invalidate(results::kSelCurrent);
        int code = res.Recompute(results::kSelCurrent);
        bool ok = res.Derive(results::kSelCurrent, results::kSmoothVelocity | results::kSmoothAcceleration);
        benchmark::DoNotOptimize(code);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["marks"] = static_cast<double>(state.range(0) * state.range(1));
}

BENCHMARK(RecomputeAndDerive)->Args({ 3, 300 })->Args({ 32, 5000 })->Unit(benchmark::kMillisecond);

} // namespace
