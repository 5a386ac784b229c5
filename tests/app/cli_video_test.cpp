// kinoval-cli info and frame on made videos, and our PNG files read back by FFmpeg's own PNG decoder.
#include "core/common/png_writer.h"
#include "media/ffmpeg_play.h"
#include "media/test_videos.h"
#include "support/private_mount.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kinoval::media {
namespace {

// Standard output and error together.
test::TCommandRun RunCli(const std::string& arguments)
{
    return test::RunShell(std::string(KINOVAL_CLI_PATH) + " " + arguments + " 2>&1");
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

TEST(PngWriter, FFmpegReadsBackEveryPixel)
{
    test::TTempDir dir;
    // Wide enough that the pixels span several stored deflate blocks.
    TRgbImage image(301, 97);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>(i * 7 + i / 5);
    std::string path = dir.File("p.png");
    ASSERT_EQ(WritePng(path, image), 0);
    TFFMpegPlay reader;
    ASSERT_TRUE(reader.Open(path));
    TRgbImage back;
    ASSERT_TRUE(reader.Draw(back));
    EXPECT_EQ(back.width, 301);
    EXPECT_EQ(back.height, 97);
    EXPECT_TRUE(back.pixels == image.pixels);
    EXPECT_EQ(WritePng(path, TRgbImage()), -1);
    EXPECT_EQ(WritePng(dir.File("no/such/folder.png"), image), -2);
}

TEST(CliVideo, InfoGivesTheBackEndAndTheTiming)
{
    test::TTempDir dir;
    std::string mp4 = dir.File("a.mp4");
    ASSERT_TRUE(test::MakeTestVideo(mp4, test::kTestVideos[2], 50, 160, 120));
    auto r = RunCli("info " + Quoted(mp4));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "backend: 2\nframes: 50\nfps: 25\nduration: 2\nwidth: 160\nheight: 120\nvariable: 0\n");
    // One back-end alone, as asked.
    r = RunCli("info --backend 1 " + Quoted(mp4));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.substr(0, 22), "backend: 1\nframes: 50\n");
    EXPECT_EQ(RunCli("info --backend 0 " + Quoted(mp4)).status, 1); // our AVI reader reads no MP4
    EXPECT_EQ(RunCli("info --backend 3 " + Quoted(mp4)).status, 2);
    EXPECT_EQ(RunCli("info " + Quoted(mp4) + " --backend").status, 2);
    std::string avi = dir.File("a.avi");
    ASSERT_TRUE(test::MakeTestVideo(avi, test::kTestVideos[1], 10, 64, 48));
    r = RunCli("info " + Quoted(avi));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output.substr(0, 22), "backend: 0\nframes: 10\n");
}

TEST(CliVideo, FrameWritesTheAskedFrame)
{
    test::TTempDir dir;
    std::string mp4 = dir.File("a.mp4");
    ASSERT_TRUE(test::MakeTestVideo(mp4, test::kTestVideos[2], 50, 160, 120));
    for (int n : { 37, 3, -5, 400 }) {
        std::string png = dir.File("f.png");
        auto r = RunCli("frame " + Quoted(mp4) + " " + std::to_string(n) + " " + Quoted(png));
        ASSERT_EQ(r.status, 0) << r.output;
        TFFMpegPlay reader;
        ASSERT_TRUE(reader.Open(png));
        TRgbImage image;
        ASSERT_TRUE(reader.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n < 0 ? 0 : (n > 49 ? 49 : n));
    }
}

TEST(CliVideo, FailuresSayWhyAndExitNonZero)
{
    test::TTempDir dir;
    std::string text = dir.File("texte.avi");
    std::FILE* f = std::fopen(text.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("Ceci n'est pas une vidéo.\n", f);
    std::fclose(f);
    auto r = RunCli("info " + Quoted(text));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output,
        "Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :\n"
        "Le format de ce fichier n'est pas reconnu : ce n'est pas une vidéo, ou elle est abîmée.\n");
    r = RunCli("frame " + Quoted(text) + " 1 " + Quoted(dir.File("x.png")));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(RunCli("frame " + Quoted(text) + " un " + Quoted(dir.File("x.png"))).status, 2);
    EXPECT_EQ(RunCli("info").status, 2);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(CliVideo, AFrameThatDoesNotFitLeavesThePreviousPictureWhole)
{
    // Before, the picture was truncated in place and left cut when the disk filled up.
    test::TTempDir dir;
    std::string mp4 = dir.File("a.mp4");
    ASSERT_TRUE(test::MakeTestVideo(mp4, test::kTestVideos[2], 10, 320, 240));
    const std::string folder = dir.File("disk");
    std::filesystem::create_directory(folder);
    const int result = test::InChild([&] {
        if (!test::MountSmallTmpfs(folder, "64k"))
            return test::kSetupRefused;
        const std::string png = folder + "/frame.png";
        if (WritePng(png, TRgbImage(16, 16)) != 0)
            return 10;
        const std::string before = ReadAll(png);
        auto r = RunCli("frame " + Quoted(mp4) + " 3 " + Quoted(png)); // 230 kB of pixels
        if (r.status != 1) {
            std::fprintf(stderr, "%s", r.output.c_str());
            return 11;
        }
        if (r.output.find("Il n'y a plus de place sur le disque.") == std::string::npos)
            return 12;
        if (ReadAll(png) != before)
            return 13;
        std::size_t entries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            entries += entry.exists() ? 1 : 0;
        return entries == 1 ? 0 : 14;
    });
    if (result == test::kSetupRefused)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(result, 0);
}

} // namespace
} // namespace kinoval::media
