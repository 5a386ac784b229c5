// The trackers on the classroom video that defeated the colour tracker alone: a small white ball tossed
// past a white ruler on a dark background, 640 x 480 at 15 frames a second, 65 pixels a frame, written as
// an MJPEG AVI and tracked by kinoval-cli with each method at the search radii a teacher would try; and a
// ball hidden behind a post, where the tool stops with the program's message.
#include "media/avi_writer.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/tracking_scenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kinoval::test::TTrackingScene;

// The tool with its arguments quoted for the shell; its status and everything it printed.
using TRun = kinoval::test::TCommandRun;

TRun RunCli(const std::vector<std::string>& args)
{
    std::string command = std::string("'") + KINOVAL_CLI_PATH + "'";
    for (const std::string& a : args)
        command += " '" + a + "'";
    return kinoval::test::RunShell(command + " 2>&1");
}

class ClassroomVideo : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new kinoval::test::TTempDir();
        s_scene = new TTrackingScene(kinoval::test::BallPastBar());
        s_hidden = new TTrackingScene(kinoval::test::HiddenBall());
        s_written = Write(*s_scene, Video()) && Write(*s_hidden, s_dir->File("cache.avi"));
    }
    static bool Write(const TTrackingScene& scene, const std::string& path)
    {
        kinoval::media::TAviWriter writer;
        bool ok = writer.Open(path, scene.width, scene.height, static_cast<unsigned>(scene.fps), 1,
                      kinoval::media::TAviCodec::acMjpeg, 85)
            == 0;
        for (int f = 0; ok && f < scene.Frames(); ++f)
            ok = writer.WriteFrame(scene.Frame(f)) == 0;
        return writer.Close() == 0 && ok;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        delete s_scene;
        delete s_hidden;
        s_dir = nullptr;
        s_scene = nullptr;
        s_hidden = nullptr;
    }
    static std::string Video() { return s_dir->File("lancer.avi"); }

    struct TTracked {
        int status = -1;
        std::string output;
        std::vector<int> frames;
        std::vector<double> errors;
    };
    static TTracked Track(const std::string& method, int radius, int first)
    {
        std::ostringstream outline;
        outline.precision(10);
        for (const auto& p : s_scene->Outline(first, s_scene->ballRadius + 6))
            outline << p.x << "," << p.y << " ";
        TTracked t;
        const TRun run = RunCli({ "track", Video(), "--outline", outline.str(), "--first", std::to_string(first),
            "--radius", std::to_string(radius), "--method", method });
        t.status = run.status;
        t.output = run.output;
        std::istringstream lines(run.output);
        int frame = 0;
        double x = 0, y = 0;
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream in(line);
            if (!(in >> frame >> x >> y))
                continue;
            t.frames.push_back(frame);
            const auto& truth = s_scene->truth.at(static_cast<std::size_t>(frame));
            t.errors.push_back(std::hypot(x * s_scene->width - truth.x, y * s_scene->height - truth.y));
        }
        return t;
    }

    static kinoval::test::TTempDir* s_dir;
    static TTrackingScene* s_scene;
    static TTrackingScene* s_hidden;
    static bool s_written;
};

kinoval::test::TTempDir* ClassroomVideo::s_dir = nullptr;
TTrackingScene* ClassroomVideo::s_scene = nullptr;
TTrackingScene* ClassroomVideo::s_hidden = nullptr;
bool ClassroomVideo::s_written = false;

TEST_F(ClassroomVideo, BothMethodsFollowTheBallPastTheRulerAtEveryRadius)
{
    ASSERT_TRUE(s_written);
    for (const std::string method : { "meanshift", "template" })
        for (int radius : { 40, 60, 100 }) {
            SCOPED_TRACE(method + ", radius " + std::to_string(radius));
            TTracked t = Track(method, radius, 0);
            // A stop is allowed where the ball lies over the ruler, and the rest is tracked from the next
            // frame on, as a user drawing the outline again would.
            if (t.status == 3) {
                const int next = t.frames.empty() ? 1 : t.frames.back() + 2;
                EXPECT_TRUE(s_scene->OverRect(next - 1)) << t.output;
                const TTracked rest = Track(method, radius, next);
                EXPECT_EQ(rest.status, 0) << rest.output;
                t.frames.insert(t.frames.end(), rest.frames.begin(), rest.frames.end());
                t.errors.insert(t.errors.end(), rest.errors.begin(), rest.errors.end());
            } else {
                EXPECT_EQ(t.status, 0) << t.output;
            }
            EXPECT_GE(t.frames.size(), static_cast<std::size_t>(s_scene->Frames() - 1));
            double squares = 0, worst = 0;
            for (double e : t.errors) {
                squares += e * e;
                worst = std::max(worst, e);
            }
            const double rms = t.errors.empty() ? 1e9 : std::sqrt(squares / t.errors.size());
            std::printf("classroom video, %s, radius %d: %zu frames, RMS %.3f px, worst %.2f px\n", method.c_str(),
                radius, t.frames.size(), rms, worst);
            EXPECT_LE(rms, 1.5);
            // On the ruler a position would lie tens of pixels from the ball.
            EXPECT_LT(worst, s_scene->ballRadius);
        }
}

TEST_F(ClassroomVideo, ALostBallStopsTheToolWithTheProgramsMessageAndItsPositions)
{
    ASSERT_TRUE(s_written);
    for (const std::string method : { "meanshift", "template" }) {
        std::ostringstream outline;
        outline.precision(10);
        for (const auto& p : s_hidden->Outline(0, s_hidden->ballRadius + 6))
            outline << p.x << "," << p.y << " ";
        const TRun run = RunCli(
            { "track", s_dir->File("cache.avi"), "--outline", outline.str(), "--first", "0", "--method", method });
        EXPECT_EQ(run.status, 3) << run.output;
        // The tool numbers frames from 0, as its lines do: the ball is behind the post from frame 8.
        EXPECT_NE(run.output.find("Le suivi s'est arrêté à l'image 8 : "), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("Les positions obtenues jusque-là sont conservées."), std::string::npos);
        std::istringstream lines(run.output);
        std::string line;
        int last = -1, count = 0, frame = 0;
        double x = 0, y = 0;
        while (std::getline(lines, line)) {
            std::istringstream in(line);
            if (in >> frame >> x >> y) {
                last = frame;
                ++count;
            }
        }
        EXPECT_EQ(last, 7) << method;
        EXPECT_EQ(count, 8) << method;
    }
}

TEST_F(ClassroomVideo, TheToolRefusesAnUnknownMethod)
{
    ASSERT_TRUE(s_written);
    const TRun run
        = RunCli({ "track", Video(), "--outline", "0.1,0.1 0.2,0.1 0.2,0.2", "--first", "0", "--method", "camshift" });
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("--method meanshift|template"), std::string::npos);
}

} // namespace
