// INI file speed on a study-sized file: a project with many marks holds thousands of keys.
#include "core/common/ini_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string StudyText(int keys)
{
    std::string text = "[Options]\nCheckBox3ConfirmationQuit_Checked=1\n";
    for (int s = 0; s < 10; ++s) {
        text += "[Objet" + std::to_string(s) + "]\n";
        for (int k = 0; k < keys / 10; ++k)
            text += "Marque" + std::to_string(k) + "=0,4521;0,6634;" + std::to_string(k) + "\n";
    }
    return text;
}

void BM_IniParse(benchmark::State& state)
{
    const std::string text = StudyText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        kinoval::TIniFile ini;
        ini.SetText(text);
        benchmark::DoNotOptimize(ini);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_IniParse)->Arg(1000)->Arg(10000)->Arg(100000);

void BM_IniWriteEveryKey(benchmark::State& state)
{
    const int keys = static_cast<int>(state.range(0));
    for (auto _ : state) {
        kinoval::TIniFile ini;
        for (int k = 0; k < keys; ++k)
            ini.WriteString("Objet" + std::to_string(k % 10), "Marque" + std::to_string(k / 10), "0,4521;0,6634");
        benchmark::DoNotOptimize(ini);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * keys);
}
BENCHMARK(BM_IniWriteEveryKey)->Arg(1000)->Arg(10000)->Arg(100000);

void BM_IniAtomicSave(benchmark::State& state)
{
    kinoval::TIniFile ini;
    ini.SetText(StudyText(static_cast<int>(state.range(0))));
    const auto path = std::filesystem::temp_directory_path() / ("kinoval-bench-" + std::to_string(::getpid()) + ".ini");
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.SaveAs(path.string()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_IniAtomicSave)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
