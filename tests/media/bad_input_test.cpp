// Damaged and hostile files: every back-end either refuses them, with the texts the window shows, or opens
// them and reports the frames it cannot show. Nothing may crash (the suite also runs under AddressSanitizer).
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "crafted_avi.h"
#include "media/avi_play.h"
#include "media/ffmpeg_play.h"
#include "media/player_factory.h"
#include "support/temp_dir.h"
#include "test_videos.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace kinoval::media {
namespace {

using TBytes = std::vector<char>;

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
    std::memcpy(bytes.data() + at, &v, 4);
}

// Where our writer puts the fields the tests damage.
constexpr std::size_t kAvihWidth = 64, kAvihHeight = 68, kStrhScale = 128, kStrhRate = 132, kStrfWidth = 176,
                      kStrfHeight = 180;

// Opens the file through every back-end and the chain, then walks its frames. Whatever a back-end does, it
// must answer sanely: a refusal leaves it closed, an open gives usable numbers and every draw either
// succeeds or is accompanied by an error report.
void ExpectSaneEverywhere(const std::string& path)
{
    TMediaPlayerFactory factory;
    for (int b = 0; b < video::kBackendCount; ++b) {
        auto player = factory.CreatePlayer(b);
        int errors = 0;
        player->OnError = [&](const std::string& text) {
            ++errors;
            EXPECT_TRUE(text == video::TextDamagedFrame() || text == video::TextVariableFrameDuration()) << text;
        };
        if (!player->Open(path)) {
            EXPECT_FALSE(player->Opened());
            EXPECT_EQ(player->FrameCount(), 0);
            // Whatever the reason, it is said: never the unlisted error of an open that went nowhere.
            if (b == video::bkFFmpeg) {
                EXPECT_FALSE(player->ErrorText().empty());
                EXPECT_NE(player->ErrorText(), video::TextUnlistedError());
            }
            continue;
        }
        EXPECT_GT(player->FrameCount(), 0);
        EXPECT_GT(player->FramesPerSecond(), 0);
        EXPECT_GT(player->Width(), 0);
        const int count = player->FrameCount();
        const int step = count > 40 ? count / 20 : 1;
        for (int n : { count - 1, 0 }) {
            int before = errors; // the report may come with the seek or with the draw
            player->SetCurrentFrame(n);
            TRgbImage image;
            if (!player->Draw(image)) {
                EXPECT_GT(errors, before) << "back-end " << b << " frame " << n << " failed in silence";
            }
        }
        for (int n = 0; n < count; n += step) {
            int before = errors; // the report may come with the seek or with the draw
            player->SetCurrentFrame(n);
            TRgbImage image;
            if (!player->Draw(image)) {
                EXPECT_GT(errors, before) << "back-end " << b << " frame " << n << " failed in silence";
            }
        }
    }
    video::TPlayerChain chain(factory);
    if (!chain.Open(path)) {
        EXPECT_EQ(chain.Current(), nullptr);
    }
}

class BadInput : public ::testing::Test {
protected:
    test::TTempDir dir;
    std::string Made(int video, int frames = 30)
    {
        std::string path = dir.File(std::string("good_") + test::kTestVideos[video].name);
        EXPECT_TRUE(test::MakeTestVideo(path, test::kTestVideos[video], frames, 96, 64));
        return path;
    }
};

TEST_F(BadInput, EmptyAndTextFilesAreRefusedWithTheTexts)
{
    for (const char* name : { "vide.avi", "vide.mp4", "vide.mpg" }) {
        std::string path = dir.File(name);
        WriteAll(path, {});
        TMediaPlayerFactory factory;
        video::TPlayerChain chain(factory);
        EXPECT_FALSE(chain.Open(path)) << name;
        EXPECT_EQ(chain.ErrorText(), "Le fichier est vide : il ne contient aucune image.");
    }
    std::string text = dir.File("texte.avi");
    std::string words = "RIFF? Non : ceci est un texte qui se fait passer pour une vidéo.\n";
    WriteAll(text, TBytes(words.begin(), words.end()));
    ExpectSaneEverywhere(text);
    TMediaPlayerFactory factory;
    video::TPlayerChain chain(factory);
    EXPECT_FALSE(chain.Open(text));
    EXPECT_EQ(chain.ErrorText(), video::TextNotAVideo());
    EXPECT_FALSE(chain.Open(dir.File("absent.avi")));
    EXPECT_EQ(chain.ErrorText(), "Ce fichier ou ce dossier n'existe pas.");
}

TEST_F(BadInput, FoldersPipesAndDevicesReachNoReader)
{
    // A pipe would block every reader until someone writes; /dev/zero never ends. Each back-end refuses
    // them before opening anything.
    const std::string fifo = dir.File("tube.avi");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = dir.File("dossier.mp4");
    std::filesystem::create_directory(folder);
    const std::string device = "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre).";
    const std::pair<std::string, std::string> cases[]
        = { { "/dev/zero", device }, { fifo, device }, { folder, "C'est un dossier, pas un fichier." } };
    TMediaPlayerFactory factory;
    for (const auto& [path, reason] : cases) {
        for (int b = 0; b < video::kBackendCount; ++b) {
            auto player = factory.CreatePlayer(b);
            EXPECT_FALSE(player->Open(path)) << path << " back-end " << b;
            EXPECT_EQ(player->ErrorText(), reason) << path << " back-end " << b;
        }
        video::TPlayerChain chain(factory);
        EXPECT_FALSE(chain.Open(path));
        EXPECT_EQ(chain.ErrorText(), reason);
    }
}

TEST_F(BadInput, TruncatedFilesOfEveryKind)
{
    for (int v = 0; v < static_cast<int>(std::size(test::kTestVideos)); ++v) {
        std::string good = Made(v);
        TBytes bytes = ReadAll(good);
        for (double share : { 0.02, 0.35, 0.7, 0.97 }) {
            SCOPED_TRACE(std::string(test::kTestVideos[v].name) + " cut at " + std::to_string(share));
            TBytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() * share));
            std::string path = dir.File(std::string("cut_") + test::kTestVideos[v].name);
            WriteAll(path, cut);
            ExpectSaneEverywhere(path);
        }
    }
}

TEST_F(BadInput, CorruptedBytesInTheMiddle)
{
    for (int v : { 1, 2, 3, 4, 5 }) {
        TBytes bytes = ReadAll(Made(v));
        for (std::size_t i = bytes.size() / 3; i < bytes.size() * 2 / 3; i += 97)
            bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
        std::string path = dir.File(std::string("noise_") + test::kTestVideos[v].name);
        WriteAll(path, bytes);
        SCOPED_TRACE(path);
        ExpectSaneEverywhere(path);
    }
}

TEST_F(BadInput, AnIndexPointingPastTheEndIsADamagedFrame)
{
    std::string good = Made(0, 10); // DIB AVI: idx1 is the last 10 x 16 bytes
    TBytes bytes = ReadAll(good);
    const std::size_t lastEntry = bytes.size() - 16;
    Put32(bytes, lastEntry + 8, 0x7FFFFFF0u); // offset of the last frame's chunk
    std::string path = dir.File("index_past_end.avi");
    WriteAll(path, bytes);
    TAviPlay player;
    std::vector<std::string> errors;
    player.OnError = [&](const std::string& text) { errors.push_back(text); };
    ASSERT_TRUE(player.Open(path));
    EXPECT_EQ(player.FrameCount(), 10);
    player.SetCurrentFrame(9);
    TRgbImage image(1, 1);
    EXPECT_FALSE(player.Draw(image));
    EXPECT_EQ(image.width, 1); // the target is left as it was
    EXPECT_EQ(errors, (std::vector<std::string> { "Une image est abîmée" }));
    player.SetCurrentFrame(8);
    EXPECT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 8);
    ExpectSaneEverywhere(path);
}

TEST_F(BadInput, AbsurdDimensionsAreRefused)
{
    for (std::uint32_t side : { 0u, 100000u, 0x80000000u, 0xFFFFFFFFu }) {
        TBytes bytes = ReadAll(Made(1, 5));
        for (std::size_t at : { kAvihWidth, kAvihHeight, kStrfWidth, kStrfHeight })
            Put32(bytes, at, side);
        std::string path = dir.File("huge.avi");
        WriteAll(path, bytes);
        SCOPED_TRACE(side);
        TAviPlay player;
        EXPECT_FALSE(player.Open(path));
        ExpectSaneEverywhere(path);
    }
}

TEST_F(BadInput, ZeroFrameRateIsRefusedByOurReader)
{
    for (std::size_t at : { kStrhRate, kStrhScale }) {
        TBytes bytes = ReadAll(Made(1, 5));
        Put32(bytes, at, 0);
        std::string path = dir.File("zero_rate.avi");
        WriteAll(path, bytes);
        TAviPlay player;
        EXPECT_FALSE(player.Open(path));
        ExpectSaneEverywhere(path);
    }
}

// An idx1 entry claiming 4 GiB for one frame: the file is too short for it, so that frame is damaged
// and no buffer of that size is ever asked for; the other frames show.
TEST_F(BadInput, AnIndexEntryClaimingFourGigabytesIsADamagedFrame)
{
    TBytes bytes = ReadAll(Made(0, 10));
    Put32(bytes, bytes.size() - 16 * 3 + 12, 0xFFFFFFFFu); // the size of frame 7
    std::string path = dir.File("huge_entry.avi");
    WriteAll(path, bytes);
    TAviPlay player;
    std::vector<std::string> errors;
    player.OnError = [&](const std::string& text) { errors.push_back(text); };
    ASSERT_TRUE(player.Open(path));
    TRgbImage image;
    player.SetCurrentFrame(7);
    EXPECT_FALSE(player.Draw(image));
    EXPECT_EQ(errors, (std::vector<std::string> { "Une image est abîmée" }));
    player.SetCurrentFrame(8);
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(test::ReadFrameNumber(image), 8);
}

// An OpenDML super index of 200000 entries that all point at one standard index: the standard index is
// read once, so the video has its 12 frames (not 2.4 million) and shows them.
TEST_F(BadInput, ASuperIndexRepeatingOneEntryIsReadOnce)
{
    std::string path = dir.File("repeated_super_index.avi");
    WriteAll(path, test::AviWithRepeatedSuperIndex(64, 48, 12, 200000));
    TAviPlay player;
    ASSERT_TRUE(player.Open(path));
    EXPECT_EQ(player.FrameCount(), 12);
    TRgbImage image;
    for (int n : { 11, 0, 5 }) {
        player.SetCurrentFrame(n);
        ASSERT_TRUE(player.Draw(image));
        EXPECT_EQ(test::ReadFrameNumber(image), n);
    }
    ExpectSaneEverywhere(path);
}

// A folder, a FIFO and a device named like videos: every back-end refuses them at once (opening the FIFO
// would wait for a writer, reading the device would never end), and the message says what the name is.
TEST_F(BadInput, OnlyRegularFilesAreOpened)
{
    const std::string folder = dir.File("dossier.avi");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::string fifo = dir.File("tube.avi");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = dir.File("zero.mp4");
    std::filesystem::create_symlink("/dev/zero", device);
    TMediaPlayerFactory factory;
    for (const std::string& path : { folder, fifo, device }) {
        for (int b = 0; b < video::kBackendCount; ++b) {
            auto player = factory.CreatePlayer(b);
            EXPECT_FALSE(player->Open(path)) << path << " back-end " << b;
        }
        video::TPlayerChain chain(factory);
        EXPECT_FALSE(chain.Open(path));
        EXPECT_EQ(chain.ErrorText(), video::RefusedVideoFile(path)) << path;
        EXPECT_FALSE(chain.ErrorText().empty());
    }
}

} // namespace
} // namespace kinoval::media
