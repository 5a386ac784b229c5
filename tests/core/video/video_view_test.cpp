// The view model over synthetic players: zoom and pan arithmetic, conversions, navigation, playback with a
// hand-fired timer, mode changes and the routing of input.
#include "core/video/loupe.h"
#include "core/video/video.h"
#include "core/video/zoom.h"
#include "support/synthetic_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kinoval::video {
namespace {

TEST(ZoomLevels, StepsInAndOut)
{
    const std::vector<std::pair<int, int>> in = { { 100, 200 }, { 199, 200 }, { 200, 300 }, { 299, 300 }, { 300, 400 },
        { 450, 500 }, { 599, 600 }, { 600, 800 }, { 700, 800 }, { 800, 800 } };
    for (auto [from, to] : in)
        EXPECT_EQ(ZoomInStep(from, false), to) << from;
    const std::vector<std::pair<int, int>> out = { { 100, 100 }, { 200, 100 }, { 201, 200 }, { 300, 200 }, { 301, 300 },
        { 500, 400 }, { 600, 500 }, { 601, 600 }, { 800, 600 } };
    for (auto [from, to] : out)
        EXPECT_EQ(ZoomOutStep(from, false), to) << from;
    EXPECT_EQ(ZoomInStep(100, true), 110);
    EXPECT_EQ(ZoomInStep(795, true), 800);
    EXPECT_EQ(ZoomOutStep(105, true), 100);
    EXPECT_EQ(ZoomOutStep(300, true), 290);
}

TEST(ZoomLevels, RectangleZoomIsAMultipleOfTenWithinRange)
{
    EXPECT_EQ(ZoomForRectangle(100, 640, 480, 320, 120), 200); // min(2, 4)
    EXPECT_EQ(ZoomForRectangle(100, 640, 480, 300, 300), 160); // 160.0
    EXPECT_EQ(ZoomForRectangle(100, 640, 480, 10, 10), 800);
    EXPECT_EQ(ZoomForRectangle(300, 640, 480, 639, 479), 300);
}

TEST(ZoomAtPoint, ClickedPointBecomesTheCentreAndTheRectangleStaysInside)
{
    const TSourceRect whole { 0, 0, 640, 480 };
    // At the centre of a 640 x 480 client showing the whole frame: the middle half of the frame.
    EXPECT_EQ(ZoomAtPoint(whole, 640, 480, 640, 480, 320, 240, 100, 200), (TSourceRect { 160, 120, 320, 240 }));
    // At the left edge the left stays 0 rather than going negative.
    const TSourceRect left = ZoomAtPoint(whole, 640, 480, 640, 480, 0, 240, 100, 200);
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(left.top, 120);
    // At the bottom-right corner the rectangle is pushed back inside.
    EXPECT_EQ(ZoomAtPoint(whole, 640, 480, 640, 480, 639, 479, 100, 400), (TSourceRect { 480, 360, 160, 120 }));
}

class VideoTest : public ::testing::Test {
protected:
    VideoTest()
        : video(factory, timer)
    {
    }

    void OpenVideo(int frames = 20, int width = 640, int height = 480)
    {
        factory.video.frames = frames;
        factory.video.width = width;
        factory.video.height = height;
        video.Resize(640, 480);
        ASSERT_TRUE(video.Open("clip.mp4"));
    }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    TVideo video;
};

TEST_F(VideoTest, ConversionsAtZoomHundredAndClamping)
{
    OpenVideo();
    const TImagePoint br = video.ScreenToImage({ 639, 479 });
    EXPECT_NEAR(br.x, 1.0, 0.002);
    EXPECT_NEAR(br.y, 1.0, 0.003);
    const TImagePoint outside = video.ScreenToImage({ -50, 900 });
    EXPECT_EQ(outside.x, 0.0);
    EXPECT_EQ(outside.y, 1.0);
    const TScreenPoint s = video.ImageToScreen({ 0.5, 0.25 });
    EXPECT_EQ(s.x, 320);
    EXPECT_EQ(s.y, 120);
    EXPECT_FALSE(video.HorizontalScrollBar().visible);
}

TEST_F(VideoTest, ConversionsRoundTripAfterZoomAndPan)
{
    OpenVideo();
    video.ZoomAt({ 320, 240 }, 300);
    EXPECT_EQ(video.Zoom(), 300);
    video.SetNavigationTool(ntPan);
    video.MouseDown(TMouseButton::Left, {}, { 100, 100 });
    video.MouseMove({}, { 160, 130 }); // the picture follows: the source moves up and left
    video.MouseUp(TMouseButton::Left, {}, { 160, 130 });
    EXPECT_EQ(video.Source().left, 213 - 20);
    EXPECT_EQ(video.Source().top, 160 - 10);
    for (TScreenPoint p : { TScreenPoint { 0, 0 }, TScreenPoint { 123, 456 }, TScreenPoint { 639, 479 } }) {
        const TScreenPoint back = video.ImageToScreen(video.ScreenToImage(p));
        EXPECT_EQ(back, p);
    }
    // The frame's point (left, top) sits at the client's corner.
    const TImagePoint corner = video.ScreenToImage({ 0, 0 });
    EXPECT_DOUBLE_EQ(corner.x, 193.0 / 640);
    EXPECT_DOUBLE_EQ(corner.y, 150.0 / 480);
}

TEST_F(VideoTest, ZoomToolClicksRectanglesAndReset)
{
    OpenVideo();
    std::vector<int> zooms;
    TConnection listening = video.notify.zoomChanged.Connect([&] { zooms.push_back(video.Zoom()); });
    video.SetNavigationTool(ntZoom);
    // Ctrl+click at 100 gives 110.
    video.MouseDown(TMouseButton::Left, { true, false, false }, { 320, 240 });
    video.MouseUp(TMouseButton::Left, { true, false, false }, { 320, 240 });
    EXPECT_EQ(video.Zoom(), 110);
    // A 9 x 40 rectangle is a click: one step in, at the release point.
    video.MouseDown(TMouseButton::Left, {}, { 100, 100 });
    video.MouseMove({}, { 109, 140 });
    EXPECT_TRUE(video.ZoomState().dragging);
    video.MouseUp(TMouseButton::Left, {}, { 109, 140 });
    EXPECT_EQ(video.Zoom(), 200);
    // A right click steps out.
    video.MouseDown(TMouseButton::Right, {}, { 300, 200 });
    video.MouseUp(TMouseButton::Right, {}, { 300, 200 });
    EXPECT_EQ(video.Zoom(), 100);
    EXPECT_EQ(video.Source(), (TSourceRect { 0, 0, 640, 480 }));
    // A 160 x 160 rectangle fills the client: trunc(100 x min(4, 3) / 10) x 10.
    video.MouseDown(TMouseButton::Left, {}, { 100, 100 });
    video.MouseMove({}, { 260, 260 });
    video.MouseUp(TMouseButton::Left, {}, { 260, 260 });
    EXPECT_EQ(video.Zoom(), 300);
    EXPECT_EQ(video.Source().width, 213);
    EXPECT_TRUE(video.HorizontalScrollBar().visible);
    EXPECT_TRUE(video.VerticalScrollBar().visible);
    video.ResetZoom();
    EXPECT_EQ(video.Zoom(), 100);
    EXPECT_EQ(video.Source(), (TSourceRect { 0, 0, 640, 480 }));
    EXPECT_FALSE(video.HorizontalScrollBar().visible);
    EXPECT_EQ(zooms, (std::vector<int> { 110, 200, 100, 300, 100 }));
}

TEST_F(VideoTest, ScrollBarsFollowAndSetTheSource)
{
    OpenVideo();
    video.ZoomAt({ 320, 240 }, 200); // source 160,120 320x240
    const TScrollBarState& h = video.HorizontalScrollBar();
    EXPECT_EQ(h.maximum, 640);
    EXPECT_EQ(h.page, 640);
    EXPECT_EQ(h.position, 320);
    EXPECT_EQ(h.largeChange, 10);
    EXPECT_EQ(video.VerticalScrollBar().position, 240);
    video.SetHorizontalScroll(640);
    EXPECT_EQ(video.Source().left, 320);
    video.SetVerticalScroll(5000); // clamped
    EXPECT_EQ(video.Source().top, 240);
    video.SetHorizontalScroll(-3);
    EXPECT_EQ(video.Source().left, 0);
}

TEST_F(VideoTest, NavigationRepaintsOnlyWhenTheFrameChanges)
{
    OpenVideo(10);
    int repaints = 0;
    video.hooks.repaint = [&] { ++repaints; };
    EXPECT_FALSE(video.First());
    EXPECT_FALSE(video.Previous());
    EXPECT_TRUE(video.Next());
    EXPECT_EQ(video.CurrentMontageFrame(), 1);
    EXPECT_TRUE(video.Last());
    EXPECT_EQ(video.CurrentRawFrame(), 9);
    EXPECT_FALSE(video.Next()); // past the end is ignored
    EXPECT_FALSE(video.GoToFrame(-1));
    EXPECT_EQ(repaints, 2);
    video.hooks.lastPointedRawFrame = [] { return 4; };
    EXPECT_TRUE(video.LastPointed());
    EXPECT_EQ(video.CurrentRawFrame(), 4);
    video.hooks.lastPointedRawFrame = [] { return -1; };
    EXPECT_FALSE(video.LastPointed());
}

TEST_F(VideoTest, NavigationCountsMontageFrames)
{
    OpenVideo(10);
    // A montage that hides the odd frames: montage frame m is raw frame 2m.
    video.hooks.montageToRaw = [](int m) { return 2 * m; };
    video.hooks.rawToMontage = [](int r) { return r / 2; };
    video.hooks.montageFrameCount = [] { return 5; };
    EXPECT_EQ(video.FrameCount(), 5);
    EXPECT_TRUE(video.Next());
    EXPECT_EQ(video.CurrentRawFrame(), 2);
    EXPECT_TRUE(video.Last());
    EXPECT_EQ(video.CurrentRawFrame(), 8);
    EXPECT_EQ(video.CurrentMontageFrame(), 4);
    EXPECT_TRUE(video.GoToFrameOfRaw(6));
    EXPECT_EQ(video.CurrentMontageFrame(), 3);
}

TEST_F(VideoTest, PlaybackStopsByItselfAtTheEndOfItsRange)
{
    OpenVideo(10);
    int posted = 0;
    video.hooks.postRepaint = [&] { ++posted; };
    video.Play(2, 5);
    EXPECT_TRUE(video.Playing());
    EXPECT_EQ(timer.period, 40); // 25 frames per second
    EXPECT_EQ(video.CurrentRawFrame(), 2);
    std::vector<int> shown;
    while (timer.Fire()) {
        shown.push_back(video.CurrentRawFrame());
        video.PostedRepaintDone();
    }
    EXPECT_EQ(shown, (std::vector<int> { 3, 4, 5, 5 }));
    EXPECT_FALSE(video.Playing());
    EXPECT_EQ(posted, 4);
}

TEST_F(VideoTest, PlaybackPostsOneRepaintAtATimeAndGoToStopsIt)
{
    OpenVideo(10);
    int posted = 0;
    video.hooks.postRepaint = [&] { ++posted; };
    video.PlayButton(); // from frame 1 to 9
    EXPECT_EQ(video.PlayFirst(), 1);
    EXPECT_EQ(video.PlayLast(), 9);
    timer.Fire();
    timer.Fire(); // the first repaint has not run yet
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(video.CurrentRawFrame(), 3);
    video.PostedRepaintDone();
    timer.Fire();
    EXPECT_EQ(posted, 2);
    EXPECT_TRUE(video.GoToFrame(0));
    EXPECT_FALSE(video.Playing());
}

TEST_F(VideoTest, APlayerErrorStopsPlaybackAndIsReportedOnTheWindowThread)
{
    OpenVideo(10);
    std::vector<std::string> messages;
    std::vector<std::function<void()>> windowQueue;
    TConnection listening = video.notify.message.Connect([&](const std::string& m) { messages.push_back(m); });
    video.hooks.runOnWindowThread = [&](std::function<void()> call) { windowQueue.push_back(std::move(call)); };
    video.Play(0, 9);
    factory.video.seekError = "Une image est abîmée";
    timer.Fire();
    EXPECT_FALSE(video.Playing());
    EXPECT_TRUE(messages.empty()); // not on the timer's thread
    ASSERT_EQ(windowQueue.size(), 1u);
    windowQueue[0]();
    EXPECT_EQ(messages, (std::vector<std::string> { "Lecture stoppée. Une image est abîmée" }));
}

TEST_F(VideoTest, PlayingFromTheLastFrameDoesNotStart)
{
    OpenVideo(10);
    video.Last();
    video.PlayButton();
    EXPECT_FALSE(video.Playing());
    EXPECT_EQ(video.CurrentRawFrame(), 9);
}

TEST_F(VideoTest, ModeChangesAndAborts)
{
    OpenVideo(10);
    std::vector<std::string> log;
    TConnections listening;
    listening += video.notify.modeChanged.Connect([&] { log.push_back("changed"); });
    listening += video.notify.waitAbort.Connect([&] { log.push_back("abort"); });
    listening += video.notify.montageLeft.Connect([&] { log.push_back("close montage"); });
    listening += video.notify.fixedPointingEntered.Connect(
        [&](bool open) { log.push_back(open ? "fixed open" : "fixed closed"); });
    listening += video.notify.trackingEntered.Connect([&] { log.push_back("tracker on"); });
    listening += video.notify.trackingLeft.Connect([&] { log.push_back("tracker off"); });
    video.ShowLoupe(true);
    EXPECT_TRUE(video.Loupe().Visible());
    video.SetNavigationTool(ntZoom);

    EXPECT_TRUE(video.SetMode(vmMontage));
    EXPECT_EQ(video.NavigationTool(), ntNone);
    EXPECT_FALSE(video.Loupe().Visible());
    EXPECT_TRUE(video.SetMode(vmTracking));
    EXPECT_TRUE(video.SetMode(vmFixedPointing));
    EXPECT_TRUE(video.Loupe().Visible());
    // No capture device: the change is aborted and the mode kept.
    EXPECT_FALSE(video.SetMode(vmCapture));
    EXPECT_EQ(video.Mode(), vmFixedPointing);
    EXPECT_EQ(log,
        (std::vector<std::string> {
            "changed", "close montage", "tracker on", "changed", "tracker off", "fixed open", "changed", "abort" }));

    video.hooks.prepareCapture = [] { return true; };
    EXPECT_TRUE(video.SetMode(vmCapture));
    EXPECT_FALSE(video.Shown());
}

TEST_F(VideoTest, MontageModeIsRefusedForASingleFrame)
{
    OpenVideo(1);
    bool aborted = false;
    TConnection abort = video.notify.waitAbort.Connect([&] { aborted = true; });
    EXPECT_FALSE(video.SetMode(vmMontage));
    EXPECT_TRUE(aborted);
    EXPECT_EQ(video.Mode(), vmFixedPointing);
}

// Records what reaches it.
class TRecordingReceiver : public TViewInputReceiver {
public:
    std::vector<std::string> log;
    int refreshes = 0;
    TCursorChoice cursor { TViewCursorShape::Cross, 2 };
    void MouseDown(TMouseButton b, TShiftState, TScreenPoint p) override
    {
        log.push_back(std::string(b == TMouseButton::Left ? "L" : "R") + "down " + Pt(p));
    }
    void MouseMove(TShiftState, TScreenPoint p) override { log.push_back("move " + Pt(p)); }
    void MouseUp(TMouseButton, TShiftState, TScreenPoint p) override { log.push_back("up " + Pt(p)); }
    bool KeyDown(int key, TShiftState) override
    {
        log.push_back("key " + std::to_string(key));
        return acceptsKeys;
    }
    bool acceptsKeys = true;
    TCursorChoice Cursor() const override { return cursor; }
    void RefreshScreenPositions() override { ++refreshes; }
    static std::string Pt(TScreenPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
};

TEST_F(VideoTest, InputGoesToTheReceiverOfTheModeOrToTheNavigationTool)
{
    TRecordingReceiver document, workshop;
    video.SetPointingReceiver(&document);
    video.SetWorkshopReceiver(&workshop);
    OpenVideo();
    EXPECT_GT(document.refreshes, 0);
    video.MouseDown(TMouseButton::Left, {}, { 10, 20 });
    video.MouseMove({}, { 11, 21 });
    video.MouseUp(TMouseButton::Left, {}, { 11, 21 });
    EXPECT_EQ(document.log, (std::vector<std::string> { "Ldown 10,20", "move 11,21", "up 11,21" }));
    EXPECT_EQ(video.Loupe().Centre(), (TScreenPoint { 11, 21 }));
    EXPECT_EQ(video.Cursor(), (TCursorChoice { TViewCursorShape::Cross, 2 }));

    video.SetNavigationTool(ntPan);
    EXPECT_EQ(video.Cursor().shape, TViewCursorShape::Pan);
    document.log.clear();
    video.MouseDown(TMouseButton::Left, {}, { 10, 20 });
    EXPECT_TRUE(document.log.empty());

    video.SetMode(vmWorkshop);
    video.MouseDown(TMouseButton::Right, {}, { 5, 6 });
    EXPECT_EQ(workshop.log, (std::vector<std::string> { "Rdown 5,6" }));
    EXPECT_TRUE(document.log.empty());
}

TEST_F(VideoTest, KeysOfThePointingModes)
{
    TRecordingReceiver document;
    video.SetPointingReceiver(&document);
    OpenVideo();
    std::vector<TScreenPoint> moves;
    video.hooks.setMouseCursorPos = [&](TScreenPoint p) { moves.push_back(p); };
    video.MouseMove({}, { 100, 100 });
    document.log.clear();
    EXPECT_TRUE(video.KeyDown(kKeyRight, {}));
    EXPECT_TRUE(video.KeyDown(kKeyUp, { true, false, false }));
    EXPECT_EQ(moves, (std::vector<TScreenPoint> { { 101, 100 }, { 101, 90 } }));
    // Escape is a right press at the cursor; Enter and the digits are the document's.
    video.KeyDown(kKeyEscape, {});
    video.KeyDown(kKeyEnter, {});
    video.KeyDown(kKeyDigit0 + 3, {});
    EXPECT_EQ(document.log,
        (std::vector<std::string> {
            "Rdown 101,90", "key " + std::to_string(kKeyEnter), "key " + std::to_string(kKeyDigit0 + 3) }));
    // With the zoom tool Enter clicks at the cursor.
    video.SetNavigationTool(ntZoom);
    video.KeyDown(kKeyEnter, {});
    EXPECT_EQ(video.Zoom(), 200);
    video.KeyDown(kKeyEscape, {});
    EXPECT_EQ(video.Zoom(), 100);
    // Capture mode ignores the keyboard.
    video.hooks.prepareCapture = [] { return true; };
    video.SetMode(vmCapture);
    document.log.clear();
    EXPECT_FALSE(video.KeyDown(kKeyDigit0 + 1, {}));
    EXPECT_TRUE(document.log.empty());
}

TEST_F(VideoTest, TrackingModeKeysReachTheTrackerFirst)
{
    TRecordingReceiver document, tracker;
    video.SetPointingReceiver(&document);
    video.SetTrackerReceiver(&tracker);
    OpenVideo();
    ASSERT_TRUE(video.SetMode(vmTracking));
    video.MouseMove({}, { 50, 60 });
    document.log.clear();
    tracker.log.clear();
    // Enter, Escape and the arrows draw the outline; none of them may be eaten by the view or the document.
    for (int key : { int(kKeyEnter), int(kKeyEscape), int(kKeyLeft), int(kKeyDown) })
        EXPECT_TRUE(video.KeyDown(key, {}));
    EXPECT_EQ(tracker.log,
        (std::vector<std::string> { "key " + std::to_string(kKeyEnter), "key " + std::to_string(kKeyEscape),
            "key " + std::to_string(kKeyLeft), "key " + std::to_string(kKeyDown) }));
    EXPECT_TRUE(document.log.empty());
    // A key the tracker leaves goes on to the document.
    tracker.acceptsKeys = false;
    tracker.log.clear();
    EXPECT_TRUE(video.KeyDown(kKeyDigit0 + 2, {}));
    EXPECT_EQ(tracker.log, (std::vector<std::string> { "key " + std::to_string(kKeyDigit0 + 2) }));
    EXPECT_EQ(document.log, (std::vector<std::string> { "key " + std::to_string(kKeyDigit0 + 2) }));
    // In another mode the tracker hears nothing.
    tracker.log.clear();
    video.SetMode(vmWorkshop);
    video.KeyDown(kKeyEnter, {});
    EXPECT_TRUE(tracker.log.empty());
}

TEST_F(VideoTest, OpeningResetsTheView)
{
    OpenVideo();
    video.ZoomAt({ 10, 10 }, 400);
    video.SetHideImage(true);
    video.SetNavigationTool(ntPan);
    bool opened = false;
    TConnection listening = video.notify.playersOpened.Connect([&] { opened = true; });
    ASSERT_TRUE(video.Open("other.mp4"));
    EXPECT_TRUE(opened);
    EXPECT_EQ(video.Zoom(), 100);
    EXPECT_FALSE(video.HideImage());
    EXPECT_EQ(video.NavigationTool(), ntNone);
    EXPECT_EQ(video.Mode(), vmFixedPointing);
    EXPECT_FALSE(video.HorizontalScrollBar().visible);
    EXPECT_EQ(video.Source(), (TSourceRect { 0, 0, 640, 480 }));
    // Without a player that accepts it, nothing is open.
    EXPECT_FALSE(video.Open(""));
}

TEST(Loupe, PlacementMagnificationAndDrag)
{
    TLoupe loupe;
    loupe.Place(640, 480);
    EXPECT_EQ(loupe.Left(), 640 - 128 - 2);
    EXPECT_EQ(loupe.Top(), 2);
    EXPECT_EQ(loupe.Width(), 128);
    EXPECT_EQ(loupe.Height(), 96);
    EXPECT_EQ(loupe.Magnification(), 300);
    EXPECT_EQ(loupe.SourceWidth(), 42);
    EXPECT_EQ(loupe.SourceHeight(), 32);
    // Clicks in the middle change the magnification within [100, 600].
    for (int i = 0; i < 5; ++i)
        loupe.MouseDown(TLoupeButton::Left, { 64, 48 }, { 0, 0 });
    EXPECT_EQ(loupe.Magnification(), 600);
    for (int i = 0; i < 7; ++i)
        loupe.MouseDown(TLoupeButton::Right, { 64, 48 }, { 0, 0 });
    EXPECT_EQ(loupe.Magnification(), 100);
    // A press within 20 pixels of the border drags it.
    EXPECT_FALSE(loupe.MouseDown(TLoupeButton::Left, { 5, 48 }, { 515, 50 }));
    EXPECT_TRUE(loupe.Moving());
    EXPECT_TRUE(loupe.MouseMove({ 500, 80 }));
    loupe.MouseUp();
    EXPECT_EQ(loupe.Left(), 510 - 15);
    EXPECT_EQ(loupe.Top(), 32);
    EXPECT_EQ(loupe.Magnification(), 100);
}

} // namespace
} // namespace kinoval::video
