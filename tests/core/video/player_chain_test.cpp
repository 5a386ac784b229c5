// The player contract and the choice of back-end, over synthetic players whose frames are their numbers.
#include "core/video/player.h"
#include "core/video/player_choice.h"
#include "core/video/player_texts.h"
#include "core/video/player_timing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kinoval::video {
namespace {

// A player whose frame n is a 4 x 2 picture filled with the value n, and which records what it was asked.
// What every player of one back-end does, shared by all the players a factory makes for it.
struct TBackendRules {
    bool accept = true;
    double fps = 25;
};

class TSyntheticPlayer : public TPlayer {
public:
    TSyntheticPlayer(int backend, std::vector<std::string>* log, const TBackendRules* rules = nullptr)
        : m_backendIndex(backend)
        , m_log(log)
        , m_rules(rules)
    {
    }

    bool accept = true;
    double fps = 25;
    int frames = 50;
    int seekCount = 0;
    std::string damagedMessage; // reported on every seek when not empty
    std::function<void()> duringDraw;

    int Backend() const override { return m_backendIndex; }

protected:
    bool DoOpen(const std::string& fileName) override
    {
        if (m_log)
            m_log->push_back(std::to_string(m_backendIndex) + ":" + fileName);
        if (m_rules != nullptr) {
            accept = m_rules->accept;
            fps = m_rules->fps;
        }
        if (!accept)
            return false;
        if (m_backendIndex == bkFFmpeg && fps < 1.0 / 65.5355) {
            SetErrorText(TextUnlistedError());
            return false;
        }
        return SetGeometry(4, 2) && SetTiming(fps, frames, fps > 0 ? frames / fps : 0);
    }
    void DoClose() override { }
    int DoSeek(int n) override
    {
        ++seekCount;
        if (!damagedMessage.empty())
            ReportError(damagedMessage);
        return n;
    }
    bool DoDraw(TRgbImage& target) override
    {
        auto hook = std::move(duringDraw); // runs once
        duringDraw = nullptr;
        if (hook)
            hook();
        target = TRgbImage(4, 2);
        for (auto& p : target.pixels)
            p = static_cast<std::uint8_t>(CurrentFrame());
        return true;
    }

private:
    int m_backendIndex;
    std::vector<std::string>* m_log;
    const TBackendRules* m_rules;
};

class TSyntheticFactory : public TPlayerFactory {
public:
    std::vector<std::string> log;
    TBackendRules rules[kBackendCount];
    std::vector<TSyntheticPlayer*> made; // every player made, in order

    std::unique_ptr<TPlayer> CreatePlayer(int backend) override
    {
        auto player = std::make_unique<TSyntheticPlayer>(backend, &log, &rules[backend]);
        made.push_back(player.get());
        return player;
    }
    int OpenCount() const
    {
        int n = 0;
        for (const auto* p : made)
            n += p->Opened() ? 1 : 0;
        return n;
    }
};

TEST(PlayerChoice, ExtensionsPickTheirBackEnd)
{
    EXPECT_EQ(BackendForFile("a/b/film.avi", 2), bkAvi);
    EXPECT_EQ(BackendForFile("film.AVI", 2), bkAvi);
    EXPECT_EQ(BackendForFile("film.mpg", 0), bkGStreamer);
    EXPECT_EQ(BackendForFile("film.Mpeg", 0), bkGStreamer);
    EXPECT_EQ(BackendForFile("film.wmv", 0), bkGStreamer);
    EXPECT_EQ(BackendForFile("film.mov", 0), bkFFmpeg);
    EXPECT_EQ(BackendForFile("film.MP4", 0), bkFFmpeg);
    // Outside the list, and a dot in a folder name only: the previous choice stays.
    EXPECT_EQ(BackendForFile("film.webm", 1), bkGStreamer);
    EXPECT_EQ(BackendForFile("film.webm", 2), bkFFmpeg);
    EXPECT_EQ(BackendForFile("dossier.avi/film", 2), bkFFmpeg);
    EXPECT_EQ(BackendForFile("film", 0), bkAvi);
}

TEST(PlayerChoice, OpenDialogFilterListsTheExtensionsTwice)
{
    EXPECT_EQ(OpenDialogFilter(),
        "Fichier vidéo (*.avi;*.mpg;*.mpeg;*.wmv;*.mov;*.mp4)|"
        "*.avi;*.mpg;*.mpeg;*.wmv;*.mov;*.mp4|Fichier Kinoval (*.kvl)|*.kvl");
}

TEST(PlayerChain, FallsThroughInOrderAndNeverBackwards)
{
    TSyntheticFactory factory;
    TPlayerChain chain(factory);
    factory.rules[bkAvi].accept = false;
    factory.rules[bkGStreamer].accept = false;
    ASSERT_TRUE(chain.Open("x.avi"));
    EXPECT_EQ(chain.Backend(), bkFFmpeg);
    EXPECT_EQ(factory.log, (std::vector<std::string> { "0:x.avi", "1:x.avi", "2:x.avi" }));
    ASSERT_NE(chain.Current(), nullptr);
    EXPECT_EQ(chain.Current()->Backend(), bkFFmpeg);

    // An ".MP4" goes straight to FFmpeg; a ".mpg" that GStreamer reads stops there.
    factory.log.clear();
    ASSERT_TRUE(chain.Open("y.MP4"));
    EXPECT_EQ(factory.log, (std::vector<std::string> { "2:y.MP4" }));
    factory.log.clear();
    factory.rules[bkGStreamer].accept = true;
    ASSERT_TRUE(chain.Open("z.mpg"));
    EXPECT_EQ(factory.log, (std::vector<std::string> { "1:z.mpg" }));
    EXPECT_EQ(chain.Backend(), bkGStreamer);
    // Only one player is open at a time.
    EXPECT_EQ(factory.OpenCount(), 1);

    // An unknown extension starts from the previous file's back-end.
    factory.log.clear();
    ASSERT_TRUE(chain.Open("w.webm"));
    EXPECT_EQ(factory.log, (std::vector<std::string> { "1:w.webm" }));
}

TEST(PlayerChain, FailureEverywhereLeavesNothingOpenAndKeepsTheFFmpegText)
{
    TSyntheticFactory factory;
    TPlayerChain chain(factory);
    for (auto& r : factory.rules)
        r.accept = false;
    EXPECT_FALSE(chain.Open("x.mov"));
    EXPECT_EQ(chain.Current(), nullptr);
    EXPECT_EQ(chain.Backend(), bkFFmpeg);

    factory.rules[bkFFmpeg].accept = true;
    factory.rules[bkFFmpeg].fps = 1.0 / 70; // 70 s a frame: the delay does not fit
    EXPECT_FALSE(chain.Open("x.mov"));
    EXPECT_EQ(chain.ErrorText(), "Erreur non répertoriée");
}

TEST(PlayerChain, AFileNoBackEndReadsLeavesTheOpenVideoAsItWas)
{
    TSyntheticFactory factory;
    TPlayerChain chain(factory);
    std::vector<std::string> errors;
    chain.SetErrorHandler([&](const std::string& text) { errors.push_back(text); });
    ASSERT_TRUE(chain.Open("film.mp4"));
    TPlayer* before = chain.Current();
    before->SetCurrentFrame(17);

    for (auto& r : factory.rules)
        r.accept = false;
    factory.log.clear();
    EXPECT_FALSE(chain.Open("texte.avi"));
    // Every back-end was tried, on players of their own.
    EXPECT_EQ(factory.log, (std::vector<std::string> { "0:texte.avi", "1:texte.avi", "2:texte.avi" }));
    ASSERT_EQ(chain.Current(), before);
    EXPECT_EQ(chain.Backend(), bkFFmpeg);
    EXPECT_EQ(before->CurrentFrame(), 17);
    EXPECT_EQ(factory.OpenCount(), 1);

    // A later success swaps the sets: the new video is the only one open, and errors still reach us.
    factory.rules[bkGStreamer].accept = true;
    ASSERT_TRUE(chain.Open("autre.mpg"));
    EXPECT_NE(chain.Current(), before);
    EXPECT_FALSE(before->Opened());
    EXPECT_EQ(chain.Backend(), bkGStreamer);
    EXPECT_EQ(factory.OpenCount(), 1);
    static_cast<TSyntheticPlayer*>(chain.Current())->damagedMessage = "abîmée";
    chain.Current()->SetCurrentFrame(3);
    EXPECT_EQ(errors, (std::vector<std::string> { "abîmée" }));

    chain.Close();
    EXPECT_EQ(factory.OpenCount(), 0);
}

TEST(Player, SeekClampsAndSkipsTheCurrentFrame)
{
    std::vector<std::string> log;
    TSyntheticPlayer player(bkFFmpeg, &log);
    int opened = 0, closed = 0;
    player.OnOpened = [&] { ++opened; };
    player.OnClosed = [&] { ++closed; };
    player.SetCurrentFrame(3); // closed: ignored
    ASSERT_TRUE(player.Open("a.mp4"));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(player.FrameCount(), 50);
    EXPECT_EQ(player.CurrentFrame(), 0);
    EXPECT_DOUBLE_EQ(player.FrameDuration(), 0.04);
    EXPECT_EQ(player.Delay(), 40);

    player.SetCurrentFrame(-5);
    EXPECT_EQ(player.CurrentFrame(), 0);
    EXPECT_EQ(player.seekCount, 0); // already there
    player.SetCurrentFrame(1000);
    EXPECT_EQ(player.CurrentFrame(), 49);
    player.SetCurrentFrame(49);
    EXPECT_EQ(player.seekCount, 1);
    TRgbImage image;
    ASSERT_TRUE(player.Draw(image));
    EXPECT_EQ(image.pixels[0], 49);

    // Opening again closes first; closing a closed player says nothing.
    ASSERT_TRUE(player.Open("b.mp4"));
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(player.CurrentFrame(), 0);
    player.Close();
    player.Close();
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(player.FrameCount(), 0);
    EXPECT_FALSE(player.Draw(image));
}

TEST(Player, DelayLimitAndUnusableRates)
{
    TSyntheticPlayer player(bkGStreamer, nullptr);
    player.fps = 1.0 / 65.535; // exactly the limit
    EXPECT_TRUE(player.Open("a.mpg"));
    EXPECT_EQ(player.Delay(), 65535);
    player.fps = 1.0 / 65.6;
    EXPECT_FALSE(player.Open("a.mpg"));
    EXPECT_FALSE(player.Opened());
    player.fps = 0;
    EXPECT_FALSE(player.Open("a.mpg"));
    player.fps = -25;
    EXPECT_FALSE(player.Open("a.mpg"));
}

TEST(Player, ErrorsReachTheListenerAfterTheDecoderIsFree)
{
    TSyntheticPlayer player(bkFFmpeg, nullptr);
    ASSERT_TRUE(player.Open("a.mp4"));
    player.damagedMessage = TextDamagedFrame();
    std::vector<std::string> heard;
    TRgbImage image;
    bool drewInside = false;
    player.OnError = [&](const std::string& text) {
        heard.push_back(text);
        drewInside = player.Draw(image); // the listener may draw at once
    };
    player.SetCurrentFrame(7);
    EXPECT_EQ(heard, (std::vector<std::string> { "Une image est abîmée" }));
    EXPECT_TRUE(drewInside);
    EXPECT_EQ(image.pixels[0], 7);
}

TEST(Player, DrawWhileBusyIsRefused)
{
    TSyntheticPlayer player(bkFFmpeg, nullptr);
    ASSERT_TRUE(player.Open("a.mp4"));
    bool busyInside = false;
    bool otherThreadDrew = true;
    player.duringDraw = [&] {
        busyInside = player.Busy();
        // The playback thread asking for a draw now must be turned away, not made to wait.
        std::thread other([&] {
            TRgbImage second;
            otherThreadDrew = player.Draw(second);
        });
        other.join();
    };
    TRgbImage image;
    ASSERT_TRUE(player.Draw(image));
    EXPECT_TRUE(busyInside);
    EXPECT_FALSE(otherThreadDrew);
    EXPECT_FALSE(player.Busy());
    EXPECT_TRUE(player.Draw(image));
}

TEST(PlayerTiming, TimeBasedNumbering)
{
    // 2.0 s at 25 fps has 50 frames, and frame 10 is asked for at 0.40004 s.
    EXPECT_EQ(FrameCountFromLength(2.0, 25), 50);
    EXPECT_NEAR(SeekTimeOfFrame(10, 1.0 / 25, 2.0), 0.40004, 1e-12);
    EXPECT_EQ(SeekTimeOfFrame(-5, 0.04, 2.0), 0);
    EXPECT_EQ(SeekTimeOfFrame(1000, 0.04, 2.0), 2.0);
    EXPECT_EQ(FrameCountFromLength(1.98, 25), 50); // rounded, not truncated
    EXPECT_EQ(FrameCountFromLength(1e12, 1e6), 2147483647);
    EXPECT_EQ(FrameCountFromLength(-1, 25), 0);
    EXPECT_EQ(FrameOfTime(0.4 + 0.0004, 0, 0.04), 10);
    EXPECT_EQ(FrameOfTime(0.5, 0.1, 0.04), 10);
    EXPECT_EQ(DelayFromDuration(1.0 / 30), 33);
    EXPECT_EQ(DelayFromDuration(65.5354), 65535);
    EXPECT_EQ(DelayFromDuration(65.5356), -1);
}

} // namespace
} // namespace kinoval::video
