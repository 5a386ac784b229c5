// Our AVI writer and reader together: what we write reads back frame for frame, in both codecs.
#include "core/video/player_texts.h"
#include "frame_code.h"
#include "media/avi_file.h"
#include "media/avi_play.h"
#include "media/avi_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kinoval::media {
namespace {

std::string WriteNumberedAvi(const test::TTempDir& dir, const std::string& name, TAviCodec codec, int frames,
    int width = 160, int height = 120, unsigned rate = 25, unsigned scale = 1)
{
    std::string path = dir.File(name);
    TAviWriter writer;
    EXPECT_EQ(writer.Open(path, width, height, rate, scale, codec), 0);
    for (int i = 0; i < frames; ++i)
        EXPECT_EQ(writer.WriteFrame(test::MakeNumberedFrame(width, height, i)), 0);
    EXPECT_EQ(writer.Close(), 0);
    return path;
}

class AviCodecs : public ::testing::TestWithParam<TAviCodec> { };

TEST_P(AviCodecs, EveryFrameReadsBackWhereverWeSeek)
{
    test::TTempDir dir;
    // An odd width makes DIB rows padded, which a reader that forgets the padding gets wrong.
    std::string path = WriteNumberedAvi(dir, "a.avi", GetParam(), 60, 162, 120, 30000, 1001);
    TAviPlay player;
    ASSERT_TRUE(player.Open(path));
    EXPECT_EQ(player.FrameCount(), 60);
    EXPECT_EQ(player.Width(), 162);
    EXPECT_EQ(player.Height(), 120);
    EXPECT_NEAR(player.FramesPerSecond(), 30000.0 / 1001, 1e-9);
    EXPECT_EQ(player.Delay(), 33);
    TRgbImage image;
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 0);
    std::mt19937 random(7);
    for (int trial = 0; trial < 40; ++trial) {
        int n = static_cast<int>(random() % 60);
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n) << "asked for " << n;
    }
    player.SetCurrentFrame(-5);
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 0);
    player.SetCurrentFrame(600);
    EXPECT_EQ(player.CurrentFrame(), 59);
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 59);
}

INSTANTIATE_TEST_SUITE_P(Avi, AviCodecs, ::testing::Values(TAviCodec::acDib24, TAviCodec::acMjpeg));

TEST(AviWriter, RefusesWhatItCannotWrite)
{
    test::TTempDir dir;
    TAviWriter writer;
    EXPECT_EQ(writer.Open(dir.File("a.avi"), 0, 10, 25, 1, TAviCodec::acDib24), -1);
    EXPECT_EQ(writer.Open(dir.File("a.avi"), 10, 10, 0, 1, TAviCodec::acDib24), -1);
    EXPECT_EQ(writer.Open(dir.File("missing/a.avi"), 10, 10, 25, 1, TAviCodec::acDib24), -2);
    ASSERT_EQ(writer.Open(dir.File("a.avi"), 16, 16, 25, 1, TAviCodec::acMjpeg), 0);
    EXPECT_EQ(writer.WriteFrame(TRgbImage(8, 16)), -1);
    EXPECT_EQ(writer.WriteFrame(TRgbImage(16, 16)), 0);
    EXPECT_EQ(writer.Close(), 0);
    EXPECT_EQ(writer.Close(), -4);
}

TEST(AviFile, IndexAndHeadersOfOurOwnFile)
{
    test::TTempDir dir;
    std::string path = WriteNumberedAvi(dir, "b.avi", TAviCodec::acDib24, 5, 32, 16);
    TAviFile avi;
    ASSERT_EQ(avi.Open(path), 0);
    EXPECT_EQ(avi.Info().rate, 25u);
    EXPECT_EQ(avi.Info().scale, 1u);
    EXPECT_EQ(avi.Info().length, 5u);
    EXPECT_EQ(avi.Info().bitCount, 24);
    EXPECT_EQ(avi.Info().compression, 0u);
    ASSERT_EQ(avi.Frames().size(), 5u);
    for (const auto& f : avi.Frames())
        EXPECT_EQ(f.size, 32u * 3 * 16);
}

TEST(AviFile, AFrameSizeLargerThanTheFileTakesNoMemory)
{
    // Found by the fuzzer: an index entry announcing nearly 4 GiB had its buffer allocated before being
    // checked against the file. Under a 512 MiB address-space limit that allocation would end the process.
    test::TTempDir dir;
    std::string path = WriteNumberedAvi(dir, "huge.avi", TAviCodec::acDib24, 3, 16, 8);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    const std::uint32_t huge = 0xF0000000u;
    file.seekp(size - 3 * 16 + 12); // the first idx1 entry's size
    file.write(reinterpret_cast<const char*>(&huge), 4);
    file.close();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        rlimit limit { 512u << 20, 512u << 20 };
        ::setrlimit(RLIMIT_AS, &limit);
        TAviFile avi;
        if (avi.Open(path) != 0 || avi.Frames().empty())
            ::_exit(10);
        std::vector<std::uint8_t> data;
        const bool read = avi.ReadFrame(0, data);
        ::_exit(read ? 11 : (avi.ReadFrame(1, data) ? 0 : 12));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "died of signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace kinoval::media
