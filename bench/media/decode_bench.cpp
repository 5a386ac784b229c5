// Decoding speed, side by side in one run on the same files, made by the ffmpeg tool in the temporary
// folder: a 1280 x 720 H.264 clip of 300 frames (two B-frames, a key frame every 50 frames) and a
// ten-minute 1920 x 1080 clip at 30 fps for the index pass.
//
//   ToolDecodeLoop            the ffmpeg tool's own decode loop (ffmpeg -benchmark -threads 2 -f null)
//   PlainFFmpegLoop           a plain libavcodec decode-and-convert-to-RGB loop
//   PlayerSequentialSteps/1   our player stepping frame after frame, each frame drawn as RGB
//   PlayerSequentialSteps/0   the same without drawing (decoding only, as the tool's loop)
//   OpenCvRandomSeek          OpenCV's set(CAP_PROP_POS_FRAMES) + read to random frames
//   PlayerRandomSeek          our player jumping to the same random frames, each drawn
//   PlayerStepBack            our player stepping back frame after frame (p50 / p95 / max per step)
//   PlayerOpenIndex720p       our open: the demux-only index pass of the 720p clip
//   PlayerOpenIndexTenMinutes the same over ten minutes of 1080p30
//
// The goals: stepping at least 0.8 of the tool's rate, a random seek at most half OpenCV's, a step back
// under 20 ms at the 95th percentile after the first, the ten-minute index pass under a second.
//
// A shared machine makes single runs noisy: interleave repetitions and read their medians,
//   build/bench/kinoval_bench_media --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true --benchmark_counters_tabular=true
#include "media/ffmpeg_play.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#ifdef KINOVAL_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/videoio.hpp>
#endif

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1280, kHeight = 720, kFrames = 300, kGop = 50;

std::string Run(const std::string& command)
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

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

// Makes path with the ffmpeg tool's arguments (output last) unless an earlier run left it: files are
// written under another name and renamed once complete, so an existing one is whole.
bool MakeOnce(const std::string& path, const std::string& arguments)
{
    if (std::filesystem::exists(path))
        return true;
    const std::string part = path + ".part.mp4";
    Run("ffmpeg -nostdin -v error -y " + arguments + " '" + part + "'");
    std::error_code error;
    std::filesystem::rename(part, path, error);
    return !error && std::filesystem::exists(path);
}

// The 720p clip: the tool's moving test picture (colour bars, a moving gradient and noise squares).
const std::string& Clip720p()
{
    static const std::string path = [] {
        const std::string p = TempPath("kinoval_bench_720p.mp4");
        const bool made = MakeOnce(p,
            "-f lavfi -i testsrc2=size=" + std::to_string(kWidth) + "x" + std::to_string(kHeight)
                + ":rate=30 -frames:v " + std::to_string(kFrames) + " -c:v libx264 -preset veryfast -bf 2 -g "
                + std::to_string(kGop) + " -keyint_min " + std::to_string(kGop) + " -sc_threshold 0 -pix_fmt yuv420p");
        return made ? p : std::string();
    }();
    return path;
}

// Ten minutes of 1080p30: ten seconds encoded once, then repeated without re-encoding.
const std::string& TenMinutes1080p()
{
    static const std::string path = [] {
        const std::string piece = TempPath("kinoval_bench_1080p_10s.mp4");
        const std::string p = TempPath("kinoval_bench_1080p_10min.mp4");
        const bool made
            = MakeOnce(piece,
                  "-f lavfi -i testsrc2=size=1920x1080:rate=30 -frames:v 300 -c:v libx264 -preset ultrafast "
                  "-g 60 -pix_fmt yuv420p")
            && MakeOnce(p, "-stream_loop 59 -i '" + piece + "' -c copy");
        return made ? p : std::string();
    }();
    return path;
}

// The ffmpeg tool's own loop on two threads; its "rtime" is the decoding's wall time.
void ToolDecodeLoop(benchmark::State& state)
{
    const std::string& path = Clip720p();
    for (auto _ : state) {
        const std::string out = Run("ffmpeg -nostdin -benchmark -threads 2 -i '" + path + "' -f null -");
        const std::size_t at = out.find("rtime=");
        if (at == std::string::npos) {
            state.SkipWithError("the ffmpeg tool gave no timing");
            return;
        }
        state.SetIterationTime(std::atof(out.c_str() + at + 6));
    }
    state.counters["frames/s"] = benchmark::Counter(
        static_cast<double>(kFrames) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(ToolDecodeLoop)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// Demux, decode with the machine's threads, convert every frame to RGB.
void PlainFFmpegLoop(benchmark::State& state)
{
    const std::string& path = Clip720p();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    long frames = 0;
    for (auto _ : state) {
        AVFormatContext* input = nullptr;
        if (avformat_open_input(&input, path.c_str(), nullptr, nullptr) < 0) {
            state.SkipWithError("cannot open");
            return;
        }
        avformat_find_stream_info(input, nullptr);
        const AVCodec* codec = nullptr;
        int stream = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
        AVCodecContext* decoder = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(decoder, input->streams[stream]->codecpar);
        decoder->thread_count = 0;
        decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
        avcodec_open2(decoder, codec, nullptr);
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        SwsContext* sws = nullptr;
        auto drain = [&] {
            while (avcodec_receive_frame(decoder, frame) == 0) {
                sws = sws_getCachedContext(sws, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                    kWidth, kHeight, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr);
                std::uint8_t* dst[1] = { rgb.data() };
                const int stride[1] = { kWidth * 3 };
                sws_scale(sws, frame->data, frame->linesize, 0, frame->height, dst, stride);
                benchmark::DoNotOptimize(rgb.data());
                ++frames;
            }
        };
        while (av_read_frame(input, packet) >= 0) {
            if (packet->stream_index == stream)
                avcodec_send_packet(decoder, packet);
            av_packet_unref(packet);
            drain();
        }
        avcodec_send_packet(decoder, nullptr);
        drain();
        sws_freeContext(sws);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        avformat_close_input(&input);
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(PlainFFmpegLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenIndex(benchmark::State& state, const std::string& path)
{
    int frames = 0;
    for (auto _ : state) {
        kinoval::media::TFFMpegPlay player;
        if (!player.Open(path)) {
            state.SkipWithError("cannot open");
            return;
        }
        frames = player.FrameCount();
        benchmark::DoNotOptimize(frames);
    }
    state.counters["frames"] = frames;
}
void PlayerOpenIndex720p(benchmark::State& state)
{
    OpenIndex(state, Clip720p());
}
BENCHMARK(PlayerOpenIndex720p)->Unit(benchmark::kMillisecond)->UseRealTime();
void PlayerOpenIndexTenMinutes(benchmark::State& state)
{
    OpenIndex(state, TenMinutes1080p());
}
BENCHMARK(PlayerOpenIndexTenMinutes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Our player stepping through the whole clip, each frame drawn as RGB (argument 1) or only decoded (0).
void PlayerSequentialSteps(benchmark::State& state)
{
    kinoval::media::TFFMpegPlay player;
    if (!player.Open(Clip720p())) {
        state.SkipWithError("cannot open");
        return;
    }
    kinoval::TRgbImage image;
    long frames = 0;
    for (auto _ : state) {
        for (int n = 0; n < player.FrameCount(); ++n) {
            player.SetCurrentFrame(n);
            if (state.range(0) == 1)
                player.Draw(image);
            benchmark::DoNotOptimize(image.pixels.data());
            ++frames;
        }
        player.SetCurrentFrame(0); // the next pass starts with a seek, as a user going back to the start
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(PlayerSequentialSteps)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The random frames both seek benchmarks visit: never within 8 frames of the previous one.
const std::vector<int>& RandomFrames()
{
    static const std::vector<int> frames = [] {
        std::mt19937 random(5);
        std::vector<int> out;
        int previous = 0;
        while (out.size() < 400) {
            const int n = static_cast<int>(random() % kFrames);
            if (std::abs(n - previous) < 8)
                continue;
            out.push_back(n);
            previous = n;
        }
        return out;
    }();
    return frames;
}

void PlayerRandomSeek(benchmark::State& state)
{
    kinoval::media::TFFMpegPlay player;
    if (!player.Open(Clip720p())) {
        state.SkipWithError("cannot open");
        return;
    }
    kinoval::TRgbImage image;
    std::size_t i = 0;
    for (auto _ : state) {
        player.SetCurrentFrame(RandomFrames()[i++ % RandomFrames().size()]);
        player.Draw(image);
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.counters["seeks/s"]
        = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(PlayerRandomSeek)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

#ifdef KINOVAL_HAVE_OPENCV
void OpenCvRandomSeek(benchmark::State& state)
{
    cv::VideoCapture capture(Clip720p(), cv::CAP_FFMPEG);
    if (!capture.isOpened()) {
        state.SkipWithError("OpenCV cannot open");
        return;
    }
    cv::Mat frame;
    std::size_t i = 0;
    for (auto _ : state) {
        capture.set(cv::CAP_PROP_POS_FRAMES, RandomFrames()[i++ % RandomFrames().size()]);
        capture.read(frame);
        benchmark::DoNotOptimize(frame.data);
    }
    state.counters["seeks/s"]
        = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(OpenCvRandomSeek)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);
#endif

// Stepping back frame after frame from the end of the clip, through several groups of pictures; each
// step timed alone. The first step (which decodes the group) is left out of the percentiles.
void PlayerStepBack(benchmark::State& state)
{
    std::vector<double> steps;
    for (auto _ : state) {
        state.PauseTiming();
        kinoval::media::TFFMpegPlay player;
        if (!player.Open(Clip720p())) {
            state.SkipWithError("cannot open");
            return;
        }
        kinoval::TRgbImage image;
        player.SetCurrentFrame(kFrames - 1);
        player.Draw(image);
        state.ResumeTiming();
        for (int n = kFrames - 2; n >= kFrames - 1 - 3 * kGop; --n) {
            const auto start = std::chrono::steady_clock::now();
            player.SetCurrentFrame(n);
            player.Draw(image);
            benchmark::DoNotOptimize(image.pixels.data());
            const double ms
                = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (n != kFrames - 2)
                steps.push_back(ms);
        }
    }
    std::sort(steps.begin(), steps.end());
    const auto at = [&](double share) {
        return steps.empty() ? 0.0 : steps[static_cast<std::size_t>(share * (steps.size() - 1))];
    };
    state.counters["p50_ms"] = at(0.5);
    state.counters["p95_ms"] = at(0.95);
    state.counters["max_ms"] = steps.empty() ? 0.0 : steps.back();
}
BENCHMARK(PlayerStepBack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
