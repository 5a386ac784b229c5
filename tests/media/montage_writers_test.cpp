// A recorded montage is a video every reader agrees on: our three back-ends and the ffmpeg tool see the
// frames asked for, in order, at the size and rate asked, each equal to the source frame it came from.
#include "media/montage_writers.h"

#include "core/montage/record_plan.h"
#include "ffmpeg_tool.h"
#include "media/avi_writer.h"
#include "media/ges_render.h"
#include "media/player_factory.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kinoval::media {
namespace {

using namespace montage;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

bool SourceFrame(int raw, TRgbImage& frame)
{
    frame = test::MakeNumberedFrame(kWidth, kHeight, raw);
    return true;
}

struct TWriterCase {
    int framework;
    const char* codec;
    const char* extension;
    bool exact;
};

std::string ToolSays(const std::string& path, const std::string& entries)
{
    std::string said = test::RunCommand("ffprobe -v error -count_frames -select_streams v:0 -show_entries stream="
        + entries + " -of default=nw=1:nk=1 " + test::ShellQuoted(path));
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r'))
        said.pop_back();
    return said;
}

class MontageWriters : public ::testing::TestWithParam<TWriterCase> { };

TEST_P(MontageWriters, EveryReaderSeesTheMontageAsWritten)
{
    const TWriterCase& param = GetParam();
    test::TTempDir dir;
    const std::string path = dir.File(std::string("montage.") + param.extension);
    auto writer = MakeMovieWriter(param.framework);
    ASSERT_TRUE(writer);
    // Raw frames 0 .. 9 with frame 4 hidden, one frame declared missing before raw frame 6, blank frames on.
    const std::vector<bool> visible { true, true, true, true, false, true, true, true, true, true };
    const std::vector<int> shifts { 0, 0, 0, 0, 0, -1, 0, 0, 0, 0 };
    const std::vector<int> steps = RecordSteps(visible, shifts, true);
    ASSERT_EQ(steps.size(), 10u);
    TRecordMontage job;
    TMovieSpec movie;
    movie.fileName = path;
    movie.framesPerSecond = 12.5;
    movie.codec = param.codec;
    ASSERT_EQ(job.RecordVideo(*writer, movie, TRecordOptions {}, steps, kWidth, kHeight, SourceFrame), reOk)
        << job.ErrorText();

    EXPECT_EQ(ToolSays(path, "width,height"), "320\n240");
    EXPECT_EQ(ToolSays(path, "r_frame_rate"), "25/2");
    EXPECT_EQ(ToolSays(path, "nb_read_frames"), "10");
    const auto toolFrames = test::ToolFrames(path, kWidth, kHeight);
    ASSERT_EQ(toolFrames.size(), steps.size());

    TMediaPlayerFactory factory;
    for (int backend = 0; backend < video::kBackendCount; ++backend) {
        if (backend == video::bkAvi && param.framework != fwAvi)
            continue; // our reader reads AVI only
        SCOPED_TRACE("back-end " + std::to_string(backend));
        auto player = factory.CreatePlayer(backend);
        ASSERT_TRUE(player->Open(path)) << player->ErrorText();
        EXPECT_EQ(player->FrameCount(), 10);
        EXPECT_EQ(player->Width(), kWidth);
        EXPECT_EQ(player->Height(), kHeight);
        EXPECT_NEAR(player->FramesPerSecond(), 12.5, 1e-6);
        TRgbImage frame;
        for (int k = 0; k < static_cast<int>(steps.size()); ++k) {
            player->SetCurrentFrame(k);
            ASSERT_TRUE(player->Draw(frame));
            const int raw = steps[static_cast<std::size_t>(k)];
            const TRgbImage source
                = raw == kBlankStep ? BlankFrame(kWidth, kHeight) : test::MakeNumberedFrame(kWidth, kHeight, raw);
            if (param.exact) {
                EXPECT_EQ(frame.pixels, source.pixels) << "frame " << k;
            } else {
                EXPECT_GT(test::Psnr(frame, source), 35.0) << "frame " << k;
            }
            if (raw != kBlankStep) {
                EXPECT_EQ(test::ReadFrameNumber(frame), raw) << "frame " << k;
            }
        }
    }
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const TRgbImage source
            = steps[k] == kBlankStep ? BlankFrame(kWidth, kHeight) : test::MakeNumberedFrame(kWidth, kHeight, steps[k]);
        EXPECT_GT(test::Psnr(toolFrames[k], source), param.exact ? 60.0 : 35.0) << "tool frame " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, MontageWriters,
    ::testing::Values(TWriterCase { fwAvi, kNoCodec, "avi", true }, TWriterCase { fwAvi, kAviMjpegCodec, "avi", false },
        TWriterCase { fwFFmpeg, kFFmpegMpeg4Codec, "mp4", false }),
    [](const ::testing::TestParamInfo<TWriterCase>& c) {
        return std::string(c.param.framework == fwAvi ? "Avi" : "FFmpeg") + std::to_string(c.index);
    });

TEST(MontageWriters, H264WhenTheLibrariesHaveIt)
{
    TFFMpegRecord record;
    const auto names = record.CodecNames();
    if (std::find(names.begin(), names.end(), kFFmpegH264Codec) == names.end())
        GTEST_SKIP() << "no libx264 in these libraries";
    test::TTempDir dir;
    const std::string path = dir.File("h264.mp4");
    TRecordMontage job;
    TMovieSpec movie { path, 0, 0, 25, kFFmpegH264Codec };
    ASSERT_EQ(job.RecordVideo(record, movie, {}, { 0, 1, 2, 3, 4 }, kWidth, kHeight, SourceFrame), reOk);
    EXPECT_EQ(ToolSays(path, "codec_name"), "h264");
    EXPECT_EQ(ToolSays(path, "nb_read_frames"), "5");
}

TEST(MontageWriters, FailuresSayWhyAndLeaveNoFile)
{
    test::TTempDir dir;
    TRecordMontage job;
    TAviRecord avi;
    // A folder of the chosen name cannot be replaced.
    std::filesystem::create_directory(dir.File("taken.avi"));
    EXPECT_EQ(job.RecordVideo(avi, { dir.File("taken.avi") }, {}, { 0 }, kWidth, kHeight, SourceFrame), reReplace);
    EXPECT_EQ(job.ErrorText(),
        "Impossible de remplacer le fichier du même nom (il est peut être ouvert par un autre programme)");
    // An unknown compressor.
    EXPECT_EQ(job.RecordVideo(avi, { dir.File("a.avi"), 0, 0, 25, "XVID" }, {}, { 0 }, kWidth, kHeight, SourceFrame),
        reNoCodec);
    EXPECT_EQ(job.ErrorText(), "Le codeur n'existe pas ou est indisponible");
    // A folder that does not exist.
    EXPECT_EQ(job.RecordVideo(avi, { dir.File("no/a.avi") }, {}, { 0 }, kWidth, kHeight, SourceFrame), reWriteFile);
    EXPECT_EQ(job.ErrorText(), "Impossible d'écrire le fichier vidéo sur le disque");
    // Odd sides for the 4:2:0 encoders.
    TFFMpegRecord ffmpeg;
    TRecordOptions odd;
    odd.modifyImages = true;
    odd.width = 321;
    EXPECT_EQ(job.RecordVideo(ffmpeg, { dir.File("odd.mp4"), 0, 0, 25, kFFmpegMpeg4Codec }, odd, { 0 }, kWidth, kHeight,
                  SourceFrame),
        reFormat);
    // Cancelled half way: the earlier file of that name is kept whole, no partial file stays beside it.
    const std::string kept = dir.File("kept.avi");
    ASSERT_EQ(job.RecordVideo(avi, { kept }, {}, { 0, 1 }, kWidth, kHeight, SourceFrame), reOk);
    const auto size = std::filesystem::file_size(kept);
    job.OnProgress = [&job](int done, int) {
        if (done == 3)
            job.Cancel();
    };
    EXPECT_EQ(job.RecordVideo(avi, { kept }, {}, { 0, 1, 2, 3, 4, 5 }, kWidth, kHeight, SourceFrame), reAborted);
    EXPECT_EQ(job.ErrorText(), "Processus abandonné");
    EXPECT_EQ(std::filesystem::file_size(kept), size);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 2); // taken.avi and kept.avi
}

} // namespace
} // namespace kinoval::media

namespace kinoval::media {
namespace {

// The timeline of blocks: raw frames 0 .. 9 with frame 4 hidden and one frame missing before raw frame 6
// give three blocks, and the gap of the missing frame becomes a frame of its own.
TEST(TimelineRender, BlocksAndGapsAsTheMontageSaysThem)
{
    if (!TimelineRendererAvailable())
        GTEST_SKIP() << "no GStreamer editing services";
    test::TTempDir dir;
    const std::string source = dir.File("numbers.avi");
    TAviWriter writer;
    ASSERT_EQ(writer.Open(source, kWidth, kHeight, 25, 1, TAviCodec::acDib24), 0);
    for (int i = 0; i < 10; ++i)
        writer.WriteFrame(test::MakeNumberedFrame(kWidth, kHeight, i));
    ASSERT_EQ(writer.Close(), 0);
    const std::vector<bool> visible { true, true, true, true, false, true, true, true, true, true };
    const std::vector<int> shifts { 0, 0, 0, 0, 0, -1, 0, 0, 0, 0 };
    TGesJob job;
    job.source = source;
    job.output = dir.File("timeline.avi");
    job.blocks = MontageBlocks(visible, shifts);
    ASSERT_EQ(job.blocks.size(), 3u);
    int calls = 0;
    std::string said;
    ASSERT_EQ(RenderTimeline(
                  job, [&calls](double) { return ++calls > 0; }, &said),
        0)
        << said;
    const auto frames = test::ToolFrames(job.output, kWidth, kHeight);
    std::vector<int> numbers;
    for (const TRgbImage& f : frames)
        numbers.push_back(test::ReadFrameNumber(f));
    // The gap holds no source frame: the number reads as nothing there.
    EXPECT_EQ(numbers, (std::vector<int> { 0, 1, 2, 3, 5, -1, 6, 7, 8, 9 }));
    EXPECT_EQ(ToolSays(job.output, "r_frame_rate"), "25/1");
    // Stopped at once: no file.
    job.output = dir.File("stopped.avi");
    EXPECT_EQ(RenderTimeline(
                  job, [](double) { return false; }, &said),
        reAborted);
    EXPECT_FALSE(std::filesystem::exists(job.output));
}

} // namespace
} // namespace kinoval::media
