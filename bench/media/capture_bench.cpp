// What a recording costs per frame on the writer thread: a camera's frame must be written before the
// next one comes (33 ms at 30 fps, 17 ms at 60 fps), or the queue fills and frames are dropped.
//
//   WriteFrame/<codec>/<width>   our AVI writer, codec 0 plain frames, 1 MJPEG, on a moving picture
//
//   build/bench/kinoval_bench_media --benchmark_filter=WriteFrame --benchmark_repetitions=3
//       --benchmark_report_aggregates_only=true
//   EncodeFrames/<encoder>/<width>   the framework's encoders this machine has (0 x264, 1 OpenH264, 2 VP8):
//       60 frames written and the file completed per iteration, on the writer's threads (real time);
//       the fps counter is the rate the encoder keeps up with.
//
//   build/bench/kinoval_bench_media --benchmark_filter=EncodeFrames
#include "media/avi_writer.h"
#include "media/gst_encoder_writer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
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

void EncodeFrames(benchmark::State& state)
{
    const auto& known = kinoval::media::KnownEncoders();
    const auto installed = kinoval::media::InstalledEncoders();
    const auto& encoder = known.at(static_cast<std::size_t>(state.range(0)));
    if (std::none_of(installed.begin(), installed.end(), [&](const auto& e) { return e.element == encoder.element; })) {
        state.SkipWithError("not installed");
        return;
    }
    const int width = static_cast<int>(state.range(1));
    const int height = width * 9 / 16;
    const std::string file
        = (std::filesystem::temp_directory_path() / ("kinoval_encode_bench_" + std::to_string(::getpid()))).string();
    TRgbImage frames[2] = { Scene(width, height, 0), Scene(width, height, 40) };
    constexpr int kFrames = 60;
    for (auto _ : state) {
        kinoval::media::TGstEncoderWriter writer(encoder);
        if (writer.Open(file, width, height, 30) != 0) {
            state.SkipWithError("cannot open");
            break;
        }
        for (int k = 0; k < kFrames; ++k)
            writer.WriteFrame(frames[k & 1], k * 33'333'333LL);
        benchmark::DoNotOptimize(writer.Close());
    }
    std::filesystem::remove(file);
    state.counters["fps"]
        = benchmark::Counter(static_cast<double>(state.iterations()) * kFrames, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(EncodeFrames)->ArgsProduct({ { 0, 1, 2 }, { 640, 1280 } })->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WriteFrame)->ArgsProduct({ { 0, 1 }, { 640, 1280 } })->Unit(benchmark::kMillisecond);
