// What a recording costs per frame on the writer thread: a camera's frame must be written before the
// next one comes (33 ms at 30 fps, 17 ms at 60 fps), or the queue fills and frames are dropped.
//
//   WriteFrame/<codec>/<width>   our AVI writer, codec 0 plain frames, 1 MJPEG, on a moving picture
//
//   build/bench/kinoval_bench_media --benchmark_filter=WriteFrame --benchmark_repetitions=3
//       --benchmark_report_aggregates_only=true
#include "media/avi_writer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using kinoval::TRgbImage;
using kinoval::media::TAviCodec;
using kinoval::media::TAviWriter;

TRgbImage Scene(int width, int height, int shift)
{
    TRgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.At(x, y);
            p[0] = static_cast<std::uint8_t>(x + shift);
            p[1] = static_cast<std::uint8_t>(y * 2);
            p[2] = static_cast<std::uint8_t>((x ^ y) + shift);
        }
    return image;
}

void WriteFrame(benchmark::State& state)
{
    const auto codec = state.range(0) == 1 ? TAviCodec::acMjpeg : TAviCodec::acDib24;
    const int width = static_cast<int>(state.range(1));
    const int height = width * 9 / 16;
    const std::string file
        = (std::filesystem::temp_directory_path() / ("kinoval_capture_bench_" + std::to_string(::getpid()) + ".avi"))
              .string();
    TRgbImage frames[2] = { Scene(width, height, 0), Scene(width, height, 40) };
    TAviWriter writer;
    int written = 0;
    writer.Open(file, width, height, 30, 1, codec);
    for (auto _ : state) {
        // A file stays well under the writer's size limit: a new one every 300 frames.
        if (written == 300) {
            state.PauseTiming();
            writer.Close();
            writer.Open(file, width, height, 30, 1, codec);
            written = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(writer.WriteFrame(frames[written & 1]));
        ++written;
    }
    writer.Close();
    std::filesystem::remove(file);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(WriteFrame)->ArgsProduct({ { 0, 1 }, { 640, 1280 } })->Unit(benchmark::kMillisecond);
