// Recording speed, side by side on the same source: 250 frames of 640 x 480 MJPEG in AVI (the tool's
// moving test picture), recorded as the montage panel records a montage (each frame sought and decoded by
// our AVI reader, encoded by our MJPEG writer) and transcoded by the ffmpeg tool with its MJPEG encoder.
//
//   ToolTranscodeMjpeg     ffmpeg -i source.avi -c:v mjpeg -q:v 3 out.avi (wall time, the tool's threads)
//   RecordMontageMjpeg     TRecordMontage over TAviPlay into TAviRecord with "MJPEG"
//   RecordMontageRaw       the same into raw bitmaps ("sans")
//
// The goal: recording at least 0.7 of the tool's frame rate. Read the medians of interleaved runs:
//   build/bench/kinoval_bench_media --benchmark_filter='Mjpeg|Raw' --benchmark_repetitions=5
//       --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
#include "core/montage/record_montage.h"
#include "media/avi_play.h"
#include "media/montage_writers.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int kRecordFrames = 250;

std::string Shell(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        pclose(pipe);
    }
    return output;
}

std::string BenchPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

const std::string& SourceMjpeg()
{
    static const std::string path = [] {
        const std::string p = BenchPath("kinoval_bench_record_source.avi");
        if (!std::filesystem::exists(p)) {
            const std::string part = p + ".part.avi";
            Shell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc2=size=640x480:rate=25 -frames:v "
                + std::to_string(kRecordFrames) + " -c:v mjpeg -q:v 3 -pix_fmt yuvj420p '" + part + "'");
            std::filesystem::rename(part, p);
        }
        return p;
    }();
    return path;
}

void ToolTranscodeMjpeg(benchmark::State& state)
{
    const std::string out = BenchPath("kinoval_bench_record_tool.avi");
    for (auto _ : state)
        Shell("ffmpeg -nostdin -v error -y -i '" + SourceMjpeg() + "' -c:v mjpeg -q:v 3 '" + out + "'");
    std::filesystem::remove(out);
    state.counters["fps"] = benchmark::Counter(kRecordFrames, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ToolTranscodeMjpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

void Record(benchmark::State& state, const char* codec)
{
    kinoval::media::TAviPlay player;
    if (!player.Open(SourceMjpeg()) || player.FrameCount() != kRecordFrames) {
        state.SkipWithError("the source did not open");
        return;
    }
    std::vector<int> steps(kRecordFrames);
    std::iota(steps.begin(), steps.end(), 0);
    const std::string out = BenchPath("kinoval_bench_record_ours.avi");
    kinoval::montage::TMovieSpec movie;
    movie.fileName = out;
    movie.framesPerSecond = 25;
    movie.codec = codec;
    movie.quality = 90; // the tool's -q:v 3
    for (auto _ : state) {
        kinoval::media::TAviRecord writer;
        kinoval::montage::TRecordMontage recorder;
        const int code = recorder.RecordVideo(
            writer, movie, {}, steps, player.Width(), player.Height(), [&player](int raw, kinoval::TRgbImage& frame) {
                player.SetCurrentFrame(raw);
                return player.Draw(frame);
            });
        if (code != 0) {
            state.SkipWithError(recorder.ErrorText().c_str());
            break;
        }
    }
    std::filesystem::remove(out);
    state.counters["fps"] = benchmark::Counter(kRecordFrames, benchmark::Counter::kIsIterationInvariantRate);
}

void RecordMontageMjpeg(benchmark::State& state)
{
    Record(state, kinoval::media::kAviMjpegCodec);
}
BENCHMARK(RecordMontageMjpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

void RecordMontageRaw(benchmark::State& state)
{
    Record(state, kinoval::montage::kNoCodec);
}
BENCHMARK(RecordMontageRaw)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
