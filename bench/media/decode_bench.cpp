// Decoding speed on one 1280 x 720 H.264 file (two B-frames, a key frame every 25 frames), side by side:
// a plain FFmpeg decode-and-convert-to-RGB loop (the limit), our player stepping frame after frame, and
// our player seeking to random frames. The goals: stepping at least 0.8 of the plain loop's rate, one
// random seek no dearer than decoding one group of pictures (25 frames of the plain loop).
#include "media/ffmpeg_play.h"
#include "media/ffmpeg_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 1280, kHeight = 720, kFrames = 250, kGop = 25;

// The file, made once per run in the temporary folder: a moving textured picture, so that the encoder
// has real work and the decoder too.
const std::string& BenchVideo()
{
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "kinoval_bench_720p.mp4").string();
        kinoval::media::TFFMpegWriter writer;
        kinoval::media::TEncoderSettings settings;
        settings.codec = "libx264";
        settings.gopSize = kGop;
        settings.maxBFrames = 2;
        if (writer.Open(p, kWidth, kHeight, settings) != 0)
            return std::string();
        kinoval::TRgbImage frame(kWidth, kHeight);
        for (int i = 0; i < kFrames; ++i) {
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    std::uint8_t* px = frame.At(x, y);
                    double d = std::sin((x + 4 * i) * 0.05) * std::cos((y - 3 * i) * 0.04);
                    px[0] = static_cast<std::uint8_t>(128 + 100 * d);
                    px[1] = static_cast<std::uint8_t>((x ^ y ^ i) & 0xFF);
                    px[2] = static_cast<std::uint8_t>((x * 3 + y * 5 + i * 7) & 0xFF);
                }
            }
            writer.WriteFrame(frame);
        }
        return writer.Close() == 0 ? p : std::string();
    }();
    return path;
}

// The limit: demux, decode with the same threads as the player, convert every frame to RGB.
void PlainFFmpegLoop(benchmark::State& state)
{
    const std::string& path = BenchVideo();
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
    state.SetItemsProcessed(frames);
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(PlainFFmpegLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

// Our open: the demux-only index pass over every packet.
void PlayerOpenIndex(benchmark::State& state)
{
    const std::string& path = BenchVideo();
    for (auto _ : state) {
        kinoval::media::TFFMpegPlay player;
        if (!player.Open(path)) {
            state.SkipWithError("cannot open");
            return;
        }
        benchmark::DoNotOptimize(player.FrameCount());
    }
}
BENCHMARK(PlayerOpenIndex)->Unit(benchmark::kMillisecond)->UseRealTime();

// Our player stepping through the whole file, each frame drawn as RGB.
void PlayerSequentialSteps(benchmark::State& state)
{
    kinoval::media::TFFMpegPlay player;
    if (!player.Open(BenchVideo())) {
        state.SkipWithError("cannot open");
        return;
    }
    kinoval::TRgbImage image;
    long frames = 0;
    for (auto _ : state) {
        for (int n = 0; n < player.FrameCount(); ++n) {
            player.SetCurrentFrame(n);
            player.Draw(image);
            benchmark::DoNotOptimize(image.pixels.data());
            ++frames;
        }
    }
    state.SetItemsProcessed(frames);
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(PlayerSequentialSteps)->Unit(benchmark::kMillisecond)->UseRealTime();

// Our player jumping to random frames (never one already in its cache), each drawn as RGB.
void PlayerRandomSeek(benchmark::State& state)
{
    kinoval::media::TFFMpegPlay player;
    if (!player.Open(BenchVideo())) {
        state.SkipWithError("cannot open");
        return;
    }
    std::mt19937 random(5);
    kinoval::TRgbImage image;
    int previous = 0;
    for (auto _ : state) {
        int n = previous;
        while (std::abs(n - previous) < 8)
            n = static_cast<int>(random() % kFrames);
        player.SetCurrentFrame(n);
        player.Draw(image);
        benchmark::DoNotOptimize(image.pixels.data());
        previous = n;
    }
    state.counters["seeks/s"]
        = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(PlayerRandomSeek)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
