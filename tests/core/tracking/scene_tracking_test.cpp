// Both trackers through the driver on videos drawn at test time with their exact truth: a ball crossing
// a bar of its own colour, a ball faster than the search radius, a ball hidden for two frames, a ball
// whose light falls to half. Each is followed within 1.5 pixels, or stopped with the loss message on a
// frame where it cannot be seen and taken up again from an outline drawn there; never left on the bar.
#include "core/tracking/tracking.h"

#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/tracking_scenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>

namespace kinoval::tracking {
namespace {

using test::TTrackingScene;

// The scene's frames, drawn once per scene, shown at 100 %.
class TSceneView : public TTrackingView {
public:
    explicit TSceneView(const TTrackingScene& scene)
        : m_scene(scene)
    {
        static std::map<std::string, std::vector<TRgbImage>> drawn;
        std::vector<TRgbImage>& frames = drawn[scene.name];
        if (frames.empty())
            for (int f = 0; f < scene.Frames(); ++f)
                frames.push_back(scene.Frame(f));
        m_frames = &frames;
    }
    int current = 0;
    bool IsOpened() const override { return true; }
    int FrameCount() const override { return m_scene.Frames(); }
    int CurrentFrame() const override { return current; }
    int CurrentRawFrame() const override { return current; }
    bool GoToFrame(int frame) override
    {
        if (frame < 0 || frame >= FrameCount() || frame == current)
            return false;
        current = frame;
        return true;
    }
    bool CopyCurrentFrame(TRgbImage& target) override
    {
        target = (*m_frames)[static_cast<std::size_t>(current)];
        return true;
    }
    int FrameWidth() const override { return m_scene.width; }
    int FrameHeight() const override { return m_scene.height; }
    TPoint ImageToScreen(TPointD p) const override
    {
        return { static_cast<int>(std::lround(p.x * m_scene.width)),
            static_cast<int>(std::lround(p.y * m_scene.height)) };
    }
    TPointD ScreenToImage(TPoint p) const override
    {
        return { static_cast<double>(p.x) / m_scene.width, static_cast<double>(p.y) / m_scene.height };
    }
    TPoint MouseCursorPos() const override { return {}; }
    void SetMouseCursorPos(TPoint) override { }
    void Repaint() override { }

private:
    const TTrackingScene& m_scene;
    const std::vector<TRgbImage>* m_frames = nullptr;
};

class TOneObject : public TTrackingDocument {
public:
    int ObjectsPerFrame() const override { return 1; }
    int FramesBetweenMarks() const override { return 1; }
    TColor ObjectColor(int) const override { return clRed; }
    TColor DrawingColor() const override { return 0xFFFF; }
    void ImportMarks(const std::vector<std::vector<TPointD>>&, const std::vector<std::vector<int>>&) override { }
};

struct TSceneRun {
    std::vector<int> stops; // frames where a run stopped on a loss
    std::vector<std::string> messages;
    double rms = 0;
    double worst = 0;
    int tracked = 0;
    std::vector<int> untracked; // frames without a position at the end
};

// Tracks the whole scene from an outline around the ball on frame 0; after each loss the outline is drawn
// again, as a user would, on the first frame from there where the ball shows whole, and the run goes on.
TSceneRun TrackScene(const TTrackingScene& scene, int method, int radius)
{
    TSceneView view(scene);
    TOneObject document;
    test::TScriptedUserDlg dialog;
    test::TFakeDesktopServices desktop;
    TTrackingSettings settings;
    settings.searchRadius = radius;
    settings.method = method;
    TTracking tracking(view, document, dialog, desktop, settings);
    tracking.Reset();
    const double outlineRadius = scene.ballRadius + 6;
    EXPECT_TRUE(tracking.SetOutline(scene.Outline(0, outlineRadius)));
    TSceneRun result;
    tracking.Run();
    while (tracking.Object(0).lostFrame >= 0 && result.stops.size() < 6) {
        const int lost = tracking.Object(0).lostFrame;
        result.stops.push_back(lost);
        result.messages.push_back(dialog.LastRun().JoinedText());
        // The outline tool is ready on the frame where the object was lost.
        EXPECT_EQ(view.current, lost);
        EXPECT_EQ(tracking.DrawingMode(), dmOutline);
        int again = lost;
        while (again < scene.Frames() - 1 && (scene.VisibleShare(again) < 1 || scene.OverRect(again)))
            ++again;
        if (again >= scene.Frames() - 1)
            break;
        view.GoToFrame(again);
        EXPECT_TRUE(tracking.SetOutline(scene.Outline(again, outlineRadius)));
        tracking.Run();
    }
    const TTrackedObject& o = tracking.Object(0);
    double squares = 0;
    for (int f = 0; f < scene.Frames(); ++f) {
        if (o.rawFrames[f] < 0) {
            result.untracked.push_back(f);
            continue;
        }
        const double dx = o.positions[f].x * scene.width - scene.truth[f].x;
        const double dy = o.positions[f].y * scene.height - scene.truth[f].y;
        squares += dx * dx + dy * dy;
        result.worst = std::max(result.worst, std::hypot(dx, dy));
        ++result.tracked;
    }
    result.rms = result.tracked ? std::sqrt(squares / result.tracked) : 1e9;
    std::printf("%s, %s, radius %d: %d frames tracked, RMS %.3f px, worst %.2f px, %zu stop(s)\n", scene.name.c_str(),
        method == tmTemplate ? "template" : "mean shift", radius, result.tracked, result.rms, result.worst,
        result.stops.size());
    return result;
}

// A stop is allowed only where the ball cannot be seen as itself: behind something, or over a thing of
// its own colour.
void ExpectStopsOnlyWhereUnseen(const TTrackingScene& scene, const TSceneRun& run)
{
    for (int f : run.stops)
        EXPECT_TRUE(scene.VisibleShare(f) < 1 || scene.OverRect(f)) << scene.name << ": stopped on frame " << f;
    for (int f : run.untracked)
        EXPECT_TRUE(scene.VisibleShare(f) < 1 || scene.OverRect(f)) << scene.name << ": no position on frame " << f;
}

class SceneTracking : public ::testing::TestWithParam<int> { };

TEST_P(SceneTracking, BallCrossingABarOfItsColourIsNeverLeftOnTheBar)
{
    const TTrackingScene scene = test::BallPastBar();
    for (int radius : { 40, 100 }) {
        const TSceneRun run = TrackScene(scene, GetParam(), radius);
        ExpectStopsOnlyWhereUnseen(scene, run);
        EXPECT_LE(run.rms, 1.5) << "radius " << radius;
        // On the bar the position would be tens of pixels from the ball.
        EXPECT_LT(run.worst, scene.ballRadius) << "radius " << radius;
        EXPECT_GE(run.tracked, scene.Frames() - 1);
    }
}

TEST_P(SceneTracking, BallFasterThanTheSearchRadiusIsFollowed)
{
    const TTrackingScene scene = test::FastBall();
    const TSceneRun run = TrackScene(scene, GetParam(), 40);
    EXPECT_TRUE(run.stops.empty());
    EXPECT_EQ(run.tracked, scene.Frames());
    EXPECT_LE(run.rms, 1.5);
}

TEST_P(SceneTracking, BallHiddenForTwoFramesStopsThereAndIsTakenUpAfter)
{
    const TTrackingScene scene = test::HiddenBall();
    ASSERT_EQ(scene.VisibleShare(8), 0);
    ASSERT_EQ(scene.VisibleShare(9), 0);
    const TSceneRun run = TrackScene(scene, GetParam(), 40);
    ASSERT_FALSE(run.stops.empty());
    ExpectStopsOnlyWhereUnseen(scene, run);
    // The message names the frame as the window counts it, from 1.
    EXPECT_NE(run.messages.front().find("Le suivi s'est arrêté à l'image " + std::to_string(run.stops.front() + 1)),
        std::string::npos)
        << run.messages.front();
    EXPECT_NE(run.messages.front().find("Les positions obtenues jusque-là sont conservées."), std::string::npos);
    EXPECT_LE(run.rms, 1.5);
    // Everything the ball shows itself on is tracked: the frames before the post and after it.
    EXPECT_GE(run.tracked, scene.Frames() - 4);
}

TEST_P(SceneTracking, BallWhoseLightFallsToHalfIsFollowed)
{
    const TTrackingScene scene = test::ChangingLight();
    const TSceneRun run = TrackScene(scene, GetParam(), 40);
    EXPECT_TRUE(run.stops.empty()) << (run.messages.empty() ? "" : run.messages.front());
    EXPECT_EQ(run.tracked, scene.Frames());
    EXPECT_LE(run.rms, 1.5);
}

INSTANTIATE_TEST_SUITE_P(BothMethods, SceneTracking, ::testing::Values(tmMeanShift, tmTemplate),
    [](const ::testing::TestParamInfo<int>& param) { return param.param == tmTemplate ? "Template" : "MeanShift"; });

} // namespace
} // namespace kinoval::tracking
