// Damaged and hostile files through kinoval-cli info and frame, on each back-end alone: more than 300
// files made from good ones (truncated, bytes flipped, ranges zeroed, huge sizes written into headers,
// parts repeated) and the hostile cases (empty files, a folder, a text file, a FIFO and a device named
// like videos, crafted AVI indexes). Every run must end on its own, within a bound, with status 0 or 1
// (never a crash, never a hang), and a refusal must say why in the program's words. Each good file is
// one test, so the corpus runs in parallel shards.
#include "core/video/player.h"
#include "core/video/player_texts.h"
#include "media/crafted_avi.h"
#include "media/ffmpeg_tool.h"
#include "media/test_videos.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kinoval::media {
namespace {

using TBytes = std::vector<char>;

// A run that takes longer than this is a hang.
constexpr auto kRunLimit = std::chrono::seconds(40);

struct TRun {
    bool ended = false; // false: it had to be killed
    bool crashed = false;
    int status = -1;
    std::string output;
};

// Runs kinoval-cli with arguments, its output in a file of folder; the address space is bounded so that
// a buffer sized from a crafted header fails as an allocation instead of passing unnoticed.
TRun RunCli(const std::vector<std::string>& arguments, const std::string& folder)
{
    const std::string log = folder + "/run.log";
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
#if !defined(__SANITIZE_ADDRESS__)
        const rlimit limit { 6ull << 30, 6ull << 30 };
        setrlimit(RLIMIT_AS, &limit);
#endif
        std::vector<char*> argv { const_cast<char*>(KINOVAL_CLI_PATH) };
        for (const auto& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(KINOVAL_CLI_PATH, argv.data());
        _exit(127);
    }
    TRun run;
    if (pid < 0)
        return run;
    const auto end = std::chrono::steady_clock::now() + kRunLimit;
    int status = 0;
    while (true) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            run.ended = true;
            break;
        }
        if (std::chrono::steady_clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.crashed = run.ended && WIFSIGNALED(status);
    run.status = run.ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(log);
    run.output.assign(std::istreambuf_iterator<char>(in), {});
    return run;
}

TBytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const TBytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Put32(TBytes& bytes, std::size_t at, std::uint32_t v)
{
    if (at + 4 <= bytes.size())
        std::memcpy(bytes.data() + at, &v, 4);
}

void PutBig32(TBytes& bytes, std::size_t at, std::uint32_t v)
{
    for (int k = 0; k < 4 && at + 4 <= bytes.size(); ++k)
        bytes[at + static_cast<std::size_t>(k)] = static_cast<char>(v >> (24 - 8 * k));
}

// Forty damaged copies of good: truncations, flipped bytes, zeroed ranges, huge sizes in the headers,
// repeated and shuffled parts. Deterministic for one seed.
std::vector<TBytes> DamagedCopies(const TBytes& good, const std::string& extension, unsigned seed)
{
    std::vector<TBytes> out;
    std::mt19937 random(seed);
    const std::size_t size = good.size();
    for (double share : { 0.005, 0.03, 0.1, 0.25, 0.4, 0.55, 0.7, 0.85, 0.95, 0.995 })
        out.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(static_cast<double>(size) * share));
    for (int count : { 1, 4, 16, 64, 256 }) {
        for (bool header : { true, false }) {
            TBytes b = good;
            const std::size_t span = header ? std::min<std::size_t>(size, 2048) : size;
            for (int i = 0; i < count; ++i)
                b[random() % span] ^= static_cast<char>(1 + random() % 255);
            out.push_back(std::move(b));
        }
    }
    const std::pair<double, std::size_t> ranges[] = { { 0, 64 }, { 0.01, 512 }, { 0.1, 4096 }, { 0.3, 256 },
        { 0.5, 8192 }, { 0.7, 1024 }, { 0.9, 64 }, { 0.2, size / 2 } };
    for (const auto& [at, length] : ranges) {
        TBytes b = good;
        const auto from = static_cast<std::size_t>(static_cast<double>(size) * at);
        std::fill(b.begin() + static_cast<std::ptrdiff_t>(from),
            b.begin() + static_cast<std::ptrdiff_t>(std::min(size, from + length)), 0);
        out.push_back(std::move(b));
    }
    // Huge sizes where the headers keep them: after the tag in RIFF, before it in QuickTime boxes, at
    // spread positions of the first kilobyte in the other containers (EBML, PES and pack headers).
    const bool riff = extension == ".avi";
    const bool boxes = extension == ".mp4" || extension == ".mov";
    const char* tags[] = { "RIFF", "LIST", "avih", "strh", "strf", "movi", "idx1", "00dc" };
    const char* atoms[] = { "moov", "mdat", "trak", "mdia", "stsz", "stco", "stts", "stsc" };
    const std::uint32_t huge[] = { 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF0u };
    for (int i = 0; i < 8; ++i) {
        TBytes b = good;
        const std::uint32_t value = huge[i % 4];
        if (riff || boxes) {
            const std::string tag = riff ? tags[i] : atoms[i];
            auto it = std::search(b.begin(), b.end(), tag.begin(), tag.end());
            if (it != b.end()) {
                const auto at = static_cast<std::size_t>(it - b.begin());
                if (riff)
                    Put32(b, at + 4, value);
                else if (at >= 4)
                    PutBig32(b, at - 4, value);
            }
        } else {
            for (int k = 0; k < 4; ++k)
                PutBig32(b, random() % std::min<std::size_t>(size, 1024), value);
        }
        out.push_back(std::move(b));
    }
    {
        TBytes twice = good;
        twice.insert(twice.end(), good.begin(), good.end());
        out.push_back(std::move(twice));
        TBytes repeated = good;
        repeated.insert(repeated.begin() + static_cast<std::ptrdiff_t>(size / 2), good.begin(),
            good.begin() + static_cast<std::ptrdiff_t>(size / 2));
        out.push_back(std::move(repeated));
        TBytes tail = good;
        for (int i = 0; i < 4096; ++i)
            tail.push_back(static_cast<char>(random()));
        out.push_back(std::move(tail));
        TBytes shuffled = good;
        if (size > 4096)
            std::copy(good.begin() + static_cast<std::ptrdiff_t>(size / 2),
                good.begin() + static_cast<std::ptrdiff_t>(size / 2 + 1024), shuffled.begin());
        out.push_back(std::move(shuffled));
    }
    return out;
}

// info and frame through each back-end alone: ended, no crash, status 0 or 1, a refusal with a text.
// A back-end that refuses the file in info refuses it in frame by the same open: frame runs where info
// opened the file. Our AVI reader is asked about RIFF files only (it refuses anything else on its first
// twelve bytes, which the reader's own tests cover).
void ExpectSaneRuns(const std::string& path, const std::string& folder)
{
    const std::string png = folder + "/frame.png";
    // Only a regular file is looked into: opening the FIFO would wait for a writer.
    const bool regular = std::filesystem::is_regular_file(path);
    bool riff = false;
    if (regular) {
        std::ifstream head(path, std::ios::binary);
        char magic[4] = {};
        riff = head.read(magic, 4) && std::memcmp(magic, "RIFF", 4) == 0;
    }
    for (int b = riff || !regular ? 0 : 1; b < video::kBackendCount; ++b) {
        const std::string backend = std::to_string(b);
        for (bool info : { true, false }) {
            const std::vector<std::string> args = info
                ? std::vector<std::string> { "info", "--backend", backend, path }
                : std::vector<std::string> { "frame", "--backend", backend, path, "3", png };
            const TRun run = RunCli(args, folder);
            const std::string what = path + (info ? " info" : " frame") + " back-end " + backend;
            EXPECT_TRUE(run.ended) << what << " hangs";
            EXPECT_FALSE(run.crashed) << what << " crashes: " << run.output;
            EXPECT_TRUE(run.status == 0 || run.status == 1) << what << " status " << run.status << ": " << run.output;
            if (run.status == 1) {
                EXPECT_FALSE(run.output.empty()) << what << " fails in silence";
            }
            if (info && run.status == 1) {
                EXPECT_EQ(run.output.rfind(video::TextCannotOpenVideo(), 0), 0u) << what << ": " << run.output;
                break;
            }
        }
    }
}

struct TSource {
    const char* name;
    // Our own writer's codec ("avi-dib", "avi-mjpeg"), or the ffmpeg tool's options.
    const char* writer;
    const char* encoder;
};

const TSource kSources[] = {
    { "dib.avi", "avi-dib", "" },
    { "mjpeg.avi", "avi-mjpeg", "" },
    { "mpeg4_bframes.avi", "-c:v mpeg4 -q:v 4 -bf 2 -g 8 -vtag XVID", "mpeg4" },
    { "h264_bframes.mp4", "-c:v libx264 -preset ultrafast -bf 2 -g 8 -pix_fmt yuv420p", "libx264" },
    { "vp9.webm", "-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -g 8 -pix_fmt yuv420p", "libvpx-vp9" },
    { "camera.mts", "-c:v libx264 -preset ultrafast -bf 2 -g 8 -pix_fmt yuv420p -f mpegts", "libx264" },
    { "dvd.mpg", "-c:v mpeg2video -q:v 4 -bf 2 -g 8", "mpeg2video" },
    { "mjpeg.mov", "-c:v mjpeg -q:v 4 -pix_fmt yuvj420p", "mjpeg" },
};

class DamagedCorpus : public ::testing::TestWithParam<int> { };

TEST_P(DamagedCorpus, NoCrashNoHangAndTheProgramsTexts)
{
    const TSource& source = kSources[GetParam()];
    test::TTempDir dir;
    const std::string folder = dir.Path().string();
    const std::string good = dir.File(std::string("good_") + source.name);
    const std::string writer = source.writer;
    if (writer.rfind("avi-", 0) == 0) {
        const test::TTestVideo video { source.name, source.writer, 0 };
        ASSERT_TRUE(test::MakeTestVideo(good, video, 16, 64, 48));
    } else {
        if (!test::HaveEncoder(source.encoder))
            GTEST_SKIP() << "the ffmpeg tool has no " << source.encoder;
        test::TToolVideo video;
        video.name = std::string("good_") + source.name;
        video.options = source.writer;
        video.width = 64;
        video.height = 48;
        video.frames = 16;
        std::string log;
        ASSERT_TRUE(test::MakeWithFFmpegTool(folder, video, &log)) << log;
    }
    const std::string extension = std::filesystem::path(source.name).extension().string();
    const std::vector<TBytes> copies = DamagedCopies(ReadAll(good), extension, static_cast<unsigned>(GetParam() + 1));
    ASSERT_EQ(copies.size(), 40u);
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const std::string path = dir.File("damaged_" + std::to_string(i) + extension);
        WriteAll(path, copies[i]);
        ExpectSaneRuns(path, folder);
        std::filesystem::remove(path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shards, DamagedCorpus, ::testing::Range(0, static_cast<int>(std::size(kSources))), [](const auto& param) {
        std::string name = kSources[param.param].name;
        for (auto& c : name)
            if (c == '.')
                c = '_';
        return name;
    });

TEST(DamagedCorpus, HostileFiles)
{
    test::TTempDir dir;
    const std::string folder = dir.Path().string();
    std::vector<std::string> paths;
    for (const char* name : { "vide.avi", "vide.mp4", "vide.mts" }) {
        WriteAll(dir.File(name), {});
        paths.push_back(dir.File(name));
    }
    const std::string text = "Ceci n'est pas une vidéo, mais un texte qui en porte le nom.\n";
    WriteAll(dir.File("texte.mp4"), TBytes(text.begin(), text.end()));
    paths.push_back(dir.File("texte.mp4"));
    std::filesystem::create_directory(dir.File("dossier.avi"));
    paths.push_back(dir.File("dossier.avi"));
    ASSERT_EQ(::mkfifo(dir.File("tube.avi").c_str(), 0600), 0);
    paths.push_back(dir.File("tube.avi"));
    std::filesystem::create_symlink("/dev/zero", dir.File("zero.avi"));
    paths.push_back(dir.File("zero.avi"));
    WriteAll(dir.File("super_index.avi"), test::AviWithRepeatedSuperIndex(64, 48, 8, 500000));
    paths.push_back(dir.File("super_index.avi"));
    {
        // An idx1 entry claiming 4 GiB for frame 3, the one the frame runs ask for.
        const std::string good = dir.File("good.avi");
        ASSERT_TRUE(test::MakeTestVideo(good, test::kTestVideos[0], 8, 64, 48));
        TBytes bytes = ReadAll(good);
        Put32(bytes, bytes.size() - 16 * 5 + 12, 0xFFFFFFFFu);
        WriteAll(dir.File("huge_entry.avi"), bytes);
        paths.push_back(dir.File("huge_entry.avi"));
    }
    for (const auto& path : paths)
        ExpectSaneRuns(path, folder);
    // The FIFO was refused without being opened: nobody waits on it.
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("tube.avi")));
}

} // namespace
} // namespace kinoval::media
