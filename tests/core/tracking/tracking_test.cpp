// The tracking driver over a fake view that paints a moving square, a fake or real document, a scripted
// message dialog and fake desktop services.
#include "core/tracking/tracking.h"
#include "core/tracking/tracking_adapters.h"

#include "core/document/data.h"
#include "support/fake_desktop_services.h"
#include "support/fake_view.h"
#include "support/scripted_user_dlg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace kinoval::tracking {
namespace {

using video::TMouseButton;
using video::TShiftState;

constexpr const char* kDrawOutline = "Dessiner, au préalable, le contour de l'objet à suivre.";

// Frames of 160 x 120 with a red 12 x 12 square whose top-left corner is at (20 + 3f, 30 + f) on frame f.
// The view shows them at twice their size; frame f of the view is raw frame 2f (a montage that keeps
// every other frame), so raw and view numbers never coincide by chance.
class TFakeTrackingView : public TTrackingView {
public:
    bool opened = true;
    int frames = 30;
    int current = 0;
    TPoint mouse;
    int repaints = 0;
    int cursorChanges = 0;
    std::vector<int> visited;
    int hiddenFrom = -1, hiddenTo = -1; // frames on which the square is not drawn

    static int SquareLeft(int f) { return 20 + 3 * f; }
    static int SquareTop(int f) { return 30 + f; }

    bool IsOpened() const override { return opened; }
    int FrameCount() const override { return frames; }
    int CurrentFrame() const override { return current; }
    int CurrentRawFrame() const override { return 2 * current; }
    bool GoToFrame(int frame) override
    {
        if (frame < 0 || frame >= frames || frame == current)
            return false;
        current = frame;
        visited.push_back(frame);
        return true;
    }
    bool CopyCurrentFrame(TRgbImage& target) override
    {
        if (!opened)
            return false;
        target = TRgbImage(160, 120);
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                const bool hidden = current >= hiddenFrom && current <= hiddenTo;
                const bool in = !hidden && x >= SquareLeft(current) && x < SquareLeft(current) + 12
                    && y >= SquareTop(current) && y < SquareTop(current) + 12;
                auto* px = target.At(x, y);
                px[0] = in ? 210 : 90, px[1] = in ? 30 : 90, px[2] = in ? 30 : 90;
            }
        return true;
    }
    int FrameWidth() const override { return 160; }
    int FrameHeight() const override { return 120; }
    TPoint ImageToScreen(TPointD p) const override
    {
        return { static_cast<int>(std::lround(p.x * 320)), static_cast<int>(std::lround(p.y * 240)) };
    }
    TPointD ScreenToImage(TPoint p) const override
    {
        return { std::clamp(p.x / 320.0, 0.0, 1.0), std::clamp(p.y / 240.0, 0.0, 1.0) };
    }
    TPoint MouseCursorPos() const override { return mouse; }
    void SetMouseCursorPos(TPoint p) override { mouse = p; }
    void Repaint() override { ++repaints; }
    void CursorChanged() override { ++cursorChanges; }
};

class TFakeTrackingDocument : public TTrackingDocument {
public:
    int objects = 1;
    int step = 1;
    std::vector<std::vector<TPointD>> importedPositions;
    std::vector<std::vector<int>> importedFrames;
    int imports = 0;
    int ObjectsPerFrame() const override { return objects; }
    int FramesBetweenMarks() const override { return step; }
    TColor ObjectColor(int k) const override { return 0x10 + k; }
    TColor DrawingColor() const override { return 0xFFFF; }
    void ImportMarks(const std::vector<std::vector<TPointD>>& p, const std::vector<std::vector<int>>& f) override
    {
        importedPositions = p;
        importedFrames = f;
        ++imports;
    }
};

class TrackingDriver : public ::testing::Test {
protected:
    TrackingDriver()
        : tracking(view, doc, dlg, desktop, settings)
    {
        tracking.Reset();
    }

    void Press(TPoint p, bool doubleClick = false, TMouseButton b = TMouseButton::Left)
    {
        TShiftState s;
        s.doubleClick = doubleClick;
        tracking.MouseMove({}, { p.x, p.y });
        tracking.MouseDown(b, s, { p.x, p.y });
    }
    // A polygon outline around the square of the current frame, in view pixels (twice the frame's).
    void DrawSquareOutline()
    {
        const int l = 2 * (TFakeTrackingView::SquareLeft(view.current) - 1);
        const int t = 2 * (TFakeTrackingView::SquareTop(view.current) - 1);
        const int r = l + 2 * 13, b = t + 2 * 13;
        tracking.SetShape(osPolygon);
        tracking.SetDrawingMode(dmOutline);
        Press({ l, t });
        Press({ r, t });
        Press({ r, b });
        Press({ l, b });
        Press({ l, b }, true); // the double click's second press
    }
    std::vector<int> TrackedFrames(int object = 0) const
    {
        std::vector<int> f;
        const auto& raw = tracking.Object(object).rawFrames;
        for (int k = 0; k < static_cast<int>(raw.size()); ++k)
            if (raw[k] >= 0)
                f.push_back(k);
        return f;
    }

    TFakeTrackingView view;
    TFakeTrackingDocument doc;
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    TTrackingSettings settings;
    TTracking tracking;
};

TEST(TrackingCircle, MidpointCircleGoesRoundOnceThroughNeighbours)
{
    for (int r : { 1, 5, 10, 37 }) {
        const TPointDynArray c = MidpointCircle({ 100, 50 }, r);
        ASSERT_GE(c.size(), 4u);
        EXPECT_EQ(c.front(), (TPoint { 100, 50 - r }));
        std::set<std::pair<int, int>> seen;
        double previousAngle = -10;
        for (std::size_t k = 0; k < c.size(); ++k) {
            const TPoint& p = c[k];
            EXPECT_TRUE(seen.insert({ p.x, p.y }).second) << "twice: " << p.x << "," << p.y;
            EXPECT_NEAR(std::hypot(p.x - 100, p.y - 50), r, 0.75);
            const TPoint& q = c[(k + 1) % c.size()];
            EXPECT_LE(std::max(std::abs(q.x - p.x), std::abs(q.y - p.y)), 1);
            // Clockwise on the screen from the top: the angle from the top grows all the way round.
            double angle = std::atan2(p.x - 100, -(p.y - 50));
            if (angle < 0)
                angle += 2 * std::acos(-1.0);
            EXPECT_GE(angle, previousAngle);
            previousAngle = angle;
        }
    }
    EXPECT_EQ(MidpointCircle({ 3, 3 }, 0).size(), 1u);
}

TEST_F(TrackingDriver, SettingsAndClamps)
{
    for (auto [stored, shape] : { std::pair { 1, osPolygon }, { 2, osFreeHand }, { 0, osCircle }, { 7, osCircle } }) {
        TTrackingSettings s;
        s.storedShape = stored;
        s.searchRadius = 500;
        TTracking t(view, doc, dlg, desktop, s);
        EXPECT_EQ(t.Shape(), shape);
        EXPECT_EQ(t.SearchRadius(), 100);
    }
    tracking.SetSearchRadius(3);
    EXPECT_EQ(tracking.SearchRadius(), 10);
    EXPECT_EQ(tracking.Tracker().SearchRadius(), 10);

    doc.objects = 3;
    tracking.Reset();
    EXPECT_EQ(tracking.ObjectCount(), 3);
    EXPECT_EQ(tracking.LastFrame(), 29);
    EXPECT_EQ(tracking.Object(2).rawFrames, std::vector<int>(30, -1));
    tracking.SetCurrentObject(99);
    EXPECT_EQ(tracking.CurrentObject(), 2);
    tracking.SetCurrentObject(-4);
    EXPECT_EQ(tracking.CurrentObject(), 0);

    // The last frame stays after the first frame of the sequence and inside the video.
    view.current = 10;
    DrawSquareOutline();
    ASSERT_EQ(tracking.Object(0).firstFrame, 10);
    tracking.SetLastFrame(4);
    EXPECT_EQ(tracking.LastFrame(), 11);
    tracking.SetLastFrame(500);
    EXPECT_EQ(tracking.LastFrame(), 29);

    // Fewer objects: entries kept, current object clamped.
    tracking.SetCurrentObject(2);
    doc.objects = 2;
    tracking.Resize();
    EXPECT_EQ(tracking.ObjectCount(), 2);
    EXPECT_EQ(tracking.CurrentObject(), 1);
    EXPECT_EQ(tracking.Object(0).vertexCount, 5 - 1); // the repeated double-click vertex is not added
}

TEST_F(TrackingDriver, PolygonOutlineIsStoredAndValid)
{
    view.current = 4;
    int modeSet = 0;
    TConnection listening = tracking.OnDrawingModeSet.Connect([&] { ++modeSet; });
    DrawSquareOutline();
    EXPECT_EQ(modeSet, 1);
    const TTrackedObject& o = tracking.Object(0);
    EXPECT_EQ(o.lastOp, loSelect);
    EXPECT_EQ(o.vertexCount, 4);
    EXPECT_TRUE(o.outlineValid);
    EXPECT_EQ(o.firstFrame, 4);
    EXPECT_EQ(tracking.DrawingState(), dsIdle);
    // Normalised from the view's pixels; the centre is the middle of a diagonal.
    EXPECT_DOUBLE_EQ(o.outline[0].x, 2.0 * (TFakeTrackingView::SquareLeft(4) - 1) / 320);
    EXPECT_NEAR(o.outlineCentre.x * 160, TFakeTrackingView::SquareLeft(4) + 5.5, 1e-9);
    EXPECT_EQ(tracking.ValidOutlineCount(), 1);
}

TEST_F(TrackingDriver, TwoVertexOutlineIsNotStoredAndTheStartCheckSaysSo)
{
    tracking.SetShape(osPolygon);
    tracking.SetDrawingMode(dmOutline);
    Press({ 10, 10 });
    Press({ 60, 40 });
    Press({ 60, 40 }, true);
    EXPECT_EQ(tracking.Object(0).vertexCount, 0);
    EXPECT_FALSE(tracking.Object(0).outlineValid);
    EXPECT_FALSE(tracking.StartCheck());
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().JoinedText(), kDrawOutline);
    EXPECT_EQ(dlg.LastRun().Captions(), std::vector<std::string> { "Ok" });
    EXPECT_FALSE(tracking.SequenceCheck());
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
}

TEST_F(TrackingDriver, CircleAndFreeHandOutlines)
{
    tracking.SetShape(osCircle);
    tracking.SetDrawingMode(dmOutline);
    const TPoint centre { 2 * 26, 2 * 36 };
    Press(centre);
    tracking.MouseMove({}, { centre.x + 12, centre.y + 5 }); // radius 13
    EXPECT_EQ(tracking.CircleRadius(), 13);
    // Enter does nothing while a circle is being drawn.
    view.mouse = { centre.x + 12, centre.y + 5 };
    EXPECT_TRUE(tracking.KeyDown(video::kKeyEnter, {}));
    EXPECT_EQ(tracking.DrawingState(), dsOutline);
    Press({ centre.x + 12, centre.y + 5 });
    const TTrackedObject& o = tracking.Object(0);
    EXPECT_EQ(o.outlinePx, MidpointCircle(centre, 13));
    EXPECT_TRUE(o.outlineValid);

    tracking.SetShape(osFreeHand);
    Press({ 10, 10 });
    for (TPoint p : { TPoint { 30, 10 }, TPoint { 30, 10 }, TPoint { 30, 30 }, TPoint { 10, 30 } })
        tracking.MouseMove({}, { p.x, p.y });
    EXPECT_EQ(tracking.InProgressPx().size(), 4u); // the repeated position is not added again
    // An outline in progress fails the start check.
    EXPECT_FALSE(tracking.StartCheck());
    EXPECT_EQ(dlg.LastRun().JoinedText(), kDrawOutline);
    Press({ 10, 30 });
    EXPECT_EQ(tracking.Object(0).vertexCount, 4);
}

TEST_F(TrackingDriver, ZonesKeysAndErasing)
{
    tracking.SetDrawingMode(dmZone);
    Press({ 10, 10 });
    Press({ 50, 10 });
    Press({ 50, 50 }, false);
    view.mouse = { 50, 50 };
    EXPECT_TRUE(tracking.KeyDown(video::kKeyEscape, {})); // Escape completes the zone
    ASSERT_EQ(tracking.ZoneCount(), 1);
    const auto& zone = tracking.Object(0).zonesPx[0];
    EXPECT_EQ(zone.size(), 4u);
    EXPECT_EQ(zone.front(), zone.back());
    // Two vertices make no zone.
    Press({ 100, 100 });
    Press({ 120, 100 }, true);
    EXPECT_EQ(tracking.ZoneCount(), 1);
    Press({ 100, 100 });
    Press({ 120, 100 });
    Press({ 120, 120 }, true);
    EXPECT_EQ(tracking.ZoneCount(), 2);
    doc.objects = 2;
    tracking.Resize();
    EXPECT_EQ(tracking.ZoneCount(true), 2);
    // The right button removes the last zone.
    Press({ 0, 0 }, false, TMouseButton::Right);
    EXPECT_EQ(tracking.ZoneCount(), 1);
    EXPECT_EQ(tracking.Object(0).zonesPx[0].front(), (TPoint { 10, 10 }));
    tracking.EraseZones();
    EXPECT_EQ(tracking.ZoneCount(), 0);

    // Arrows move the pointer by one pixel, or ten with Ctrl.
    view.mouse = { 40, 40 };
    tracking.KeyDown(video::kKeyRight, {});
    EXPECT_EQ(view.mouse, (TPoint { 41, 40 }));
    TShiftState ctrl;
    ctrl.ctrl = true;
    tracking.KeyDown(video::kKeyUp, ctrl);
    EXPECT_EQ(view.mouse, (TPoint { 41, 30 }));

    // In outline mode and idle, Escape is a right click: the outline goes.
    DrawSquareOutline();
    ASSERT_EQ(tracking.Object(0).vertexCount, 4);
    tracking.KeyDown(video::kKeyEscape, {});
    EXPECT_EQ(tracking.Object(0).vertexCount, 0);
    EXPECT_FALSE(tracking.Object(0).outlineValid);
}

TEST_F(TrackingDriver, StartCheckMessagesAndTheLastFrame)
{
    view.opened = false;
    EXPECT_FALSE(tracking.StartCheck());
    EXPECT_EQ(dlg.LastRun().JoinedText(), "Ouvrir, au prélable, un fichier vidéo");
    view.opened = true;
    view.current = 29;
    DrawSquareOutline();
    ASSERT_TRUE(tracking.Object(0).outlineValid);
    EXPECT_FALSE(tracking.StartCheck());
    EXPECT_EQ(dlg.LastRun().JoinedText(), "La séquence débute avec la dernière image de la vidéo (suivi inutile).");
    EXPECT_FALSE(tracking.SequenceCheck());
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    view.current = 5;
    DrawSquareOutline();
    const std::size_t runs = dlg.RunCount();
    EXPECT_TRUE(tracking.StartCheck());
    EXPECT_TRUE(tracking.SequenceCheck());
    EXPECT_EQ(dlg.RunCount(), runs);
    EXPECT_EQ(tracking.LastFrame(), 29);
}

TEST_F(TrackingDriver, RunFromTheSecondToLastFrameTracksOneFrame)
{
    view.current = 28;
    DrawSquareOutline();
    ASSERT_TRUE(tracking.StartCheck());
    int started = 0, ended = 0;
    TConnection starts = tracking.OnRunStarted.Connect([&] { ++started; });
    TConnection ends = tracking.OnRunEnded.Connect([&] { ++ended; });
    tracking.Run();
    EXPECT_EQ(TrackedFrames(), (std::vector<int> { 28, 29 }));
    EXPECT_EQ(started, 1);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(tracking.Running());
    EXPECT_EQ(tracking.Object(0).rawFrames[29], 58);
}

TEST_F(TrackingDriver, StepThreeFromTenToTwentyAndAccuracy)
{
    doc.step = 3;
    view.current = 10;
    DrawSquareOutline();
    tracking.SetLastFrame(20);
    ASSERT_TRUE(tracking.StartCheck());
    // The progress hears of every frame tracked after the first, once recorded.
    std::vector<int> reported;
    TConnection frames = tracking.OnFrameTracked.Connect([&](int f) {
        EXPECT_GE(tracking.Object(0).rawFrames[f], 0);
        reported.push_back(f);
    });
    tracking.Run();
    EXPECT_EQ(TrackedFrames(), (std::vector<int> { 10, 13, 16, 19 }));
    EXPECT_EQ(reported, (std::vector<int> { 13, 16, 19 }));
    EXPECT_EQ(desktop.pendingEventCalls, 4); // once on the first frame, then once per tracked frame
    for (int f : TrackedFrames()) {
        const TTrackedObject& o = tracking.Object(0);
        EXPECT_EQ(o.rawFrames[f], 2 * f);
        EXPECT_NEAR(o.positions[f].x * 160, TFakeTrackingView::SquareLeft(f) + 5.5, 1.0) << f;
        EXPECT_NEAR(o.positions[f].y * 120, TFakeTrackingView::SquareTop(f) + 5.5, 1.0) << f;
        EXPECT_EQ(o.positionsPx[f], view.ImageToScreen(o.positions[f]));
    }
    EXPECT_EQ(tracking.TrackedFrameCount(), 4);
    EXPECT_EQ(tracking.Object(0).lastOp, loTrack);
}

TEST_F(TrackingDriver, PressingStartDuringARunStopsItAndKeepsThePositions)
{
    view.current = 0;
    DrawSquareOutline();
    ASSERT_TRUE(tracking.StartCheck());
    desktop.onPendingEvents = [&] {
        if (desktop.pendingEventCalls == 4)
            tracking.Run(); // the start button, pressed again
    };
    tracking.Run();
    EXPECT_FALSE(tracking.Running());
    EXPECT_EQ(TrackedFrames(), (std::vector<int> { 0, 1, 2 }));
    // While running, input and erasing are ignored.
    tracking.EraseTracking();
    desktop.onPendingEvents = [&] {
        tracking.EraseTracking();
        tracking.EraseOutline();
        tracking.MouseDown(TMouseButton::Right, {}, { 5, 5 });
        if (desktop.pendingEventCalls == 6)
            view.opened = false; // closing the video ends the run as well
    };
    tracking.Run();
    EXPECT_EQ(TrackedFrames(), (std::vector<int> { 0 }));
    EXPECT_TRUE(tracking.Object(0).outlineValid);
}

TEST_F(TrackingDriver, ErasingTrackingAndOutline)
{
    view.current = 3;
    DrawSquareOutline();
    tracking.SetLastFrame(6);
    tracking.Run();
    ASSERT_EQ(TrackedFrames().size(), 4u);
    // Erasing the outline keeps the positions; erasing the positions keeps the outline.
    tracking.EraseOutline();
    EXPECT_EQ(tracking.Object(0).vertexCount, 0);
    EXPECT_EQ(tracking.Object(0).firstFrame, 0);
    EXPECT_EQ(TrackedFrames().size(), 4u);
    DrawSquareOutline(); // on frame 6, where the view was left
    tracking.EraseTracking();
    EXPECT_TRUE(TrackedFrames().empty());
    EXPECT_EQ(view.current, 6);
    EXPECT_EQ(tracking.Object(0).vertexCount, 4);
    tracking.EraseAll();
    EXPECT_EQ(tracking.ValidOutlineCount(true), 0);
}

TEST_F(TrackingDriver, OverlayShowsSquaresSearchZoneAndZones)
{
    view.current = 3;
    DrawSquareOutline();
    tracking.SetLastFrame(5);
    tracking.Run();
    video::TOverlay overlay;
    tracking.Paint(overlay);
    int squares = 0, circles = 0;
    for (const auto& shape : overlay.shapes) {
        const auto* poly = std::get_if<video::TOverlayPolygon>(&shape);
        ASSERT_NE(poly, nullptr);
        if (poly->points.size() == 5 && poly->colour == 0x10) {
            ++squares;
            EXPECT_EQ(poly->points[2].x - poly->points[0].x, 8);
        } else if (poly->points.size() > 20) {
            ++circles;
        }
    }
    EXPECT_EQ(squares, 3);
    EXPECT_EQ(circles, 1);
}

TEST_F(TrackingDriver, OfferToKeepAsksOnlyWithPositions)
{
    tracking.OfferToKeep();
    EXPECT_EQ(dlg.RunCount(), 0u);

    view.current = 2;
    DrawSquareOutline();
    tracking.SetLastFrame(4);
    tracking.Run();
    dlg.Script(0); // Ignorer
    tracking.OfferToKeep();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icConfirmation);
    EXPECT_EQ(dlg.LastRun().Captions(), (std::vector<std::string> { "Ignorer", "Enregistrer" }));
    EXPECT_EQ(dlg.LastRun().JoinedText(),
        "Un pointage automatique a été effectué.\n\nSouhaitez-vous conserver ces données ?\n\n"
        "Les nouvelles marques remplaceront celles éventuellement déjà posées.");
    EXPECT_EQ(doc.imports, 0);
    dlg.Script(1); // Enregistrer
    tracking.OfferToKeep();
    ASSERT_EQ(doc.imports, 1);
    ASSERT_EQ(doc.importedFrames.size(), 1u);
    EXPECT_EQ(doc.importedFrames[0][3], 6);
    EXPECT_EQ(doc.importedFrames[0][5], -1);
}

// "Enregistrer" through the real document: tracked frames replace the object's marks, other frames keep
// theirs, and one undo takes the whole import back.
TEST(TrackingKeep, RealDocumentReplacesOnlyTrackedFrames)
{
    test::TScriptedUserDlg dlg;
    document::TDocumentSettings docSettings;
    test::TFakeView docView;
    document::TData data(dlg, docSettings);
    data.SetView(&docView);
    for (int raw : { 2, 6, 10 }) {
        data.SetMarkPosition(data.FixedSet(), 0, raw, { 0.9, 0.9 });
    }
    ASSERT_EQ(data.FixedSet().AllMarks.size(), 3u);

    TFakeTrackingView view;
    TDataTrackingDocument doc(data);
    test::TFakeDesktopServices desktop;
    TTracking tracking(view, doc, dlg, desktop, TTrackingSettings {});
    tracking.Reset();
    view.current = 3; // raw 6
    tracking.SetShape(osPolygon);
    tracking.SetDrawingMode(dmOutline);
    const int l = 2 * (TFakeTrackingView::SquareLeft(3) - 1), t = 2 * (TFakeTrackingView::SquareTop(3) - 1);
    for (TPoint p : { TPoint { l, t }, TPoint { l + 26, t }, TPoint { l + 26, t + 26 }, TPoint { l, t + 26 } })
        tracking.MouseDown(TMouseButton::Left, {}, { p.x, p.y });
    TShiftState dbl;
    dbl.doubleClick = true;
    tracking.MouseDown(TMouseButton::Left, dbl, { l, t + 26 });
    tracking.SetLastFrame(5); // raw 6, 8, 10
    tracking.Run();
    dlg.Script(1);
    tracking.OfferToKeep();

    auto markOn = [&](int raw) -> const document::TMarque* {
        const document::TContainer* c = data.FixedSet().FindContainer(raw);
        return c ? c->FindObject(0) : nullptr;
    };
    ASSERT_NE(markOn(2), nullptr);
    EXPECT_DOUBLE_EQ(markOn(2)->GetImage().x, 0.9); // not tracked: kept
    for (int raw : { 6, 8, 10 }) {
        ASSERT_NE(markOn(raw), nullptr) << raw;
        EXPECT_NEAR(markOn(raw)->GetImage().x * 160, TFakeTrackingView::SquareLeft(raw / 2) + 5.5, 1.0);
    }
    EXPECT_EQ(data.FixedSet().AllMarks.size(), 4u);
    EXPECT_TRUE(data.Undo());
    EXPECT_EQ(data.FixedSet().AllMarks.size(), 3u);
    EXPECT_DOUBLE_EQ(markOn(6)->GetImage().x, 0.9);
}

TEST_F(TrackingDriver, ARunReplacesWhatAnEarlierOneLeftOnItsSequence)
{
    view.current = 0;
    DrawSquareOutline();
    tracking.Run();
    ASSERT_EQ(TrackedFrames().size(), 30u);
    // Again from frame 10, stopped after frame 12: nothing of the first run remains after it, where the
    // two runs' positions would otherwise mix.
    view.current = 10;
    DrawSquareOutline();
    desktop.onPendingEvents = [&] {
        if (view.current == 13)
            tracking.Run();
    };
    tracking.Run();
    std::vector<int> expected;
    for (int f = 0; f <= 12; ++f)
        expected.push_back(f);
    EXPECT_EQ(TrackedFrames(), expected);
}

TEST_F(TrackingDriver, ALostObjectEndsTheRunOnItsFrameAndANewOutlineTakesUpItsCourse)
{
    view.hiddenFrom = 12;
    view.hiddenTo = 13;
    view.current = 0;
    DrawSquareOutline();
    int modes = 0;
    TConnection modeSet = tracking.OnDrawingModeSet.Connect([&] { ++modes; });
    tracking.SetDrawingMode(dmNone);
    ASSERT_TRUE(tracking.StartCheck());
    tracking.Run();
    const TTrackedObject& o = tracking.Object(0);
    EXPECT_EQ(o.lostFrame, 12);
    EXPECT_EQ(o.lostReason, lrUnlike);
    std::vector<int> before;
    for (int f = 0; f < 12; ++f)
        before.push_back(f);
    EXPECT_EQ(TrackedFrames(), before);
    EXPECT_FALSE(tracking.Running());
    // The message names the frame as the window counts it, says why and what to do.
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> {
            "Le suivi s'est arrêté à l'image 13 : l'objet n'y ressemble plus assez à son modèle.", "",
            "Les positions obtenues jusque-là sont conservées.",
            "Pour poursuivre, redessiner le contour de l'objet sur cette image (ou sur une image où il est visible), "
            "puis relancer le suivi." }));
    // The view stays on the frame, the outline tool is ready, and the overlay shows where the search
    // started: the course's prediction, on the square's centre.
    EXPECT_EQ(view.current, 12);
    EXPECT_EQ(tracking.DrawingMode(), dmOutline);
    EXPECT_EQ(modes, 1);
    ASSERT_TRUE(o.hasPrediction);
    EXPECT_NEAR(o.prediction.x * 160, TFakeTrackingView::SquareLeft(12) + 5.5, 1.0);
    EXPECT_NEAR(o.prediction.y * 120, TFakeTrackingView::SquareTop(12) + 5.5, 1.0);

    // Drawn again two frames on; the run takes up the course tracked before the loss.
    view.current = 14;
    DrawSquareOutline();
    bool tookUpTheCourse = false;
    TConnection frames = tracking.OnFrameTracked.Connect([&](int f) {
        if (f == 15)
            tookUpTheCourse = tracking.Follower().Course().Samples().front().frame < 12;
    });
    tracking.Run();
    EXPECT_TRUE(tookUpTheCourse);
    EXPECT_EQ(o.lostFrame, -1);
    EXPECT_EQ(dlg.RunCount(), 1u);
    std::vector<int> all = before;
    for (int f = 14; f < 30; ++f)
        all.push_back(f);
    EXPECT_EQ(TrackedFrames(), all);
    for (int f : all) {
        EXPECT_NEAR(o.positions[f].x * 160, TFakeTrackingView::SquareLeft(f) + 5.5, 1.0) << f;
        EXPECT_NEAR(o.positions[f].y * 120, TFakeTrackingView::SquareTop(f) + 5.5, 1.0) << f;
        EXPECT_GT(o.similarity[f], 0.5) << f;
    }
    EXPECT_FALSE(o.hasPrediction);
}

TEST_F(TrackingDriver, TheMethodIsChosenBetweenRunsAndTheOverlayShowsThePrediction)
{
    EXPECT_EQ(tracking.Method(), tmMeanShift);
    tracking.SetMethod(7);
    EXPECT_EQ(tracking.Method(), tmMeanShift);
    tracking.SetMethod(tmTemplate);
    EXPECT_EQ(tracking.Method(), tmTemplate);
    TTrackingSettings s;
    s.method = tmTemplate;
    EXPECT_EQ(TTracking(view, doc, dlg, desktop, s).Method(), tmTemplate);

    view.current = 0;
    DrawSquareOutline();
    int crosses = 0;
    desktop.onPendingEvents = [&] {
        tracking.SetMethod(tmMeanShift); // ignored while running
        const TTrackedObject& o = tracking.Object(0);
        if (!o.hasPrediction)
            return;
        // A cross on the prediction and the search circle around it.
        video::TOverlay overlay;
        tracking.Paint(overlay);
        const TPoint c = view.ImageToScreen(o.prediction);
        int lines = 0;
        bool circleAround = false;
        for (const auto& shape : overlay.shapes) {
            if (const auto* line = std::get_if<video::TOverlayLine>(&shape)) {
                ++lines;
                EXPECT_TRUE(line->a.x == c.x || line->a.y == c.y);
            } else if (const auto* poly = std::get_if<video::TOverlayPolygon>(&shape);
                       poly && poly->points.size() > 20) {
                int sx = 0;
                for (const auto& p : poly->points)
                    sx += p.x;
                circleAround = std::abs(sx / static_cast<int>(poly->points.size()) - c.x) <= 1;
            }
        }
        EXPECT_EQ(lines, 2);
        EXPECT_TRUE(circleAround);
        ++crosses;
    };
    tracking.Run();
    EXPECT_EQ(tracking.Method(), tmTemplate);
    EXPECT_EQ(crosses, 29);
    const TTrackedObject& o = tracking.Object(0);
    ASSERT_EQ(TrackedFrames().size(), 30u);
    for (int f = 0; f < 30; ++f) {
        EXPECT_NEAR(o.positions[f].x * 160, TFakeTrackingView::SquareLeft(f) + 5.5, 0.5) << f;
        EXPECT_NEAR(o.positions[f].y * 120, TFakeTrackingView::SquareTop(f) + 5.5, 0.5) << f;
    }
}

TEST_F(TrackingDriver, AZoneToIgnoreHidesTheObjectFromTheTemplateToo)
{
    tracking.SetMethod(tmTemplate);
    // A zone over the square of frame 12 (frame pixels 56..67 by 42..53), which it touches from frame 9
    // on: the template sees a flat place there and loses the square, never earlier.
    tracking.AddZone({ { 56 / 160.0, 42 / 120.0 }, { 67 / 160.0, 42 / 120.0 }, { 67 / 160.0, 53 / 120.0 },
        { 56 / 160.0, 53 / 120.0 } });
    view.current = 0;
    DrawSquareOutline();
    tracking.Run();
    const TTrackedObject& o = tracking.Object(0);
    EXPECT_GE(o.lostFrame, 9);
    EXPECT_LE(o.lostFrame, 12);
    for (int f : TrackedFrames()) {
        if (f >= 9)
            continue; // partly under the zone
        EXPECT_NEAR(o.positions[f].x * 160, TFakeTrackingView::SquareLeft(f) + 5.5, 0.5) << f;
        EXPECT_NEAR(o.positions[f].y * 120, TFakeTrackingView::SquareTop(f) + 5.5, 0.5) << f;
    }
    EXPECT_EQ(static_cast<int>(TrackedFrames().size()), o.lostFrame);
}

} // namespace
} // namespace kinoval::tracking
