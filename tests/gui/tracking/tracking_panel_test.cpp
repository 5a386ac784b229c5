// The tracking mode through the window's pieces: the view widget receiving real mouse and key events, the
// tracking panel's buttons, the driver over the real view model on the projectile sample, and the
// document receiving the positions kept.
#include "gui/tracking/tracking_panel.h"

#include "core/document/data.h"
#include "core/settings/options.h"
#include "core/tracking/tracking.h"
#include "core/tracking/tracking_adapters.h"
#include "core/video/video.h"
#include "gui/drawing/glyph_painter.h"
#include "gui/video/sample_videos.h"
#include "gui/video/video_widget.h"
#include "media/player_factory.h"
#include "support/fake_desktop_services.h"
#include "support/sample_truth.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kinoval::tracking {
namespace {

using TTruthRow = test::TSampleTruth::TRow;

class TrackingPanelTest : public ::testing::Test {
protected:
    TrackingPanelTest()
        : video(factory, timer)
        , data(dlg, docSettings)
        , view(video)
        , doc(data)
    {
        data.SetView(&video);
        tracking = std::make_unique<TTracking>(view, doc, dlg, desktop, TrackingSettingsOf(options));
        widget = std::make_unique<video::TVideoWidget>(video);
        widget->resize(640, 480);
        panel = std::make_unique<TTrackingPanel>(*tracking, video, data, options, dlg, desktop);
        widget->buildOverlay = [this](video::TVideoMode mode, video::TOverlay& overlay) {
            if (mode == video::vmTracking)
                panel->BuildOverlay(overlay);
        };
        widget->show();
        QApplication::processEvents();
    }

    bool OpenProjectile()
    {
        const QStringList written = gui::WriteSampleVideos(QString::fromStdString(dir.Path().string()));
        truth = test::ReadSampleTruth(dir.File("parabole.txt")).rows;
        return written.size() == 2 && !truth.empty() && video.Open(dir.File("parabole.avi"));
    }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(p), QPointF(widget->mapToGlobal(p)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget.get(), &event);
    }
    void Click(QPoint p)
    {
        Mouse(QEvent::MouseButtonPress, p);
        Mouse(QEvent::MouseButtonRelease, p);
    }
    void DoubleClick(QPoint p)
    {
        Click(p);
        Mouse(QEvent::MouseButtonDblClick, p);
        Mouse(QEvent::MouseButtonRelease, p);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(widget.get(), &event);
    }

    // The polygon outline around the ball of frame 0, drawn with the mouse: 16 clicks on a circle of
    // 16 pixels, the last one doubled. The view shows the frame at 100 %, so client pixels are frame
    // pixels; the ground truth puts a pixel's centre at its index + 0.5.
    void DrawOutlineAroundTheBall()
    {
        ASSERT_TRUE(video.SetMode(video::vmTracking));
        panel->ShapeMenu()->actions().at(osPolygon)->trigger();
        panel->Button("ButtonTrackContour")->click();
        ASSERT_EQ(tracking->DrawingMode(), dmOutline);
        const double cx = truth[0].xPixel - 0.5, cy = truth[0].yPixel - 0.5;
        for (int k = 0; k < 16; ++k) {
            const double a = 2 * std::acos(-1.0) * k / 16;
            const QPoint p(int(std::lround(cx + 16 * std::cos(a))), int(std::lround(cy + 16 * std::sin(a))));
            Mouse(QEvent::MouseMove, p, Qt::NoButton);
            if (k < 15)
                Click(p);
            else
                DoubleClick(p);
        }
    }

    // A circle outline of 24 vertices around the ball of a frame, as the headless command stores it.
    TPointDDynArray OutlineAt(int frame, double radius) const
    {
        TPointDDynArray out;
        const double cx = truth[frame].xPixel - 0.5, cy = truth[frame].yPixel - 0.5;
        for (int k = 0; k < 24; ++k) {
            const double a = 2 * std::acos(-1.0) * k / 24;
            out.push_back({ (cx + radius * std::cos(a)) / 640, (cy + radius * std::sin(a)) / 480 });
        }
        return out;
    }

    // Root-mean-square distance of the current object's positions to the ground truth, in pixels.
    double RmsError(int& frames) const
    {
        const TTrackedObject& o = tracking->Object(0);
        double squares = 0;
        frames = 0;
        for (std::size_t f = 0; f < o.rawFrames.size() && f < truth.size(); ++f) {
            if (o.rawFrames[f] < 0)
                continue;
            const double dx = o.positions[f].x * 640 + 0.5 - truth[f].xPixel;
            const double dy = o.positions[f].y * 480 + 0.5 - truth[f].yPixel;
            squares += dx * dx + dy * dy;
            ++frames;
        }
        return frames ? std::sqrt(squares / frames) : 1e9;
    }

    media::TMediaPlayerFactory factory;
    test::TManualTimer timer;
    video::TVideo video;
    test::TScriptedUserDlg dlg;
    document::TDocumentSettings docSettings;
    document::TData data;
    test::TFakeDesktopServices desktop;
    TOptions options;
    TVideoTrackingView view;
    TDataTrackingDocument doc;
    std::unique_ptr<TTracking> tracking;
    std::unique_ptr<video::TVideoWidget> widget;
    std::unique_ptr<TTrackingPanel> panel;
    test::TTempDir dir;
    std::vector<TTruthRow> truth;
};

TEST_F(TrackingPanelTest, OutlineDrawnWithTheMouseTracksTheBallAndEnregistrerMakesMarks)
{
    ASSERT_TRUE(OpenProjectile());
    DrawOutlineAroundTheBall();
    // The double click closed the polygon: 16 vertices, valid on frame 0.
    ASSERT_EQ(tracking->DrawingState(), dsIdle);
    ASSERT_EQ(tracking->Object(0).vertexCount, 16);
    ASSERT_TRUE(tracking->Object(0).outlineValid);
    EXPECT_EQ(tracking->Object(0).firstFrame, 0);

    // The outline is painted over the frame in the object's colour.
    widget->Redraw();
    const TPoint v = tracking->Object(0).outlinePx.at(4);
    EXPECT_EQ(widget->Picture().pixelColor(v.x, v.y), drawing::ToQColor(data.MarkColor(0)));

    int runsStarted = 0, runsEnded = 0;
    QObject::connect(panel.get(), &TTrackingPanel::runStarted, [&] { ++runsStarted; });
    // The window refreshes every control when a run ends, the panel's among them.
    QObject::connect(panel.get(), &TTrackingPanel::runEnded, [&] {
        ++runsEnded;
        panel->UpdateControls();
    });
    std::vector<int> progress;
    desktop.onPendingEvents = [&] {
        // While the run goes, its progress is shown and only the start button stays usable.
        EXPECT_TRUE(panel->Progress()->isVisibleTo(panel.get()));
        EXPECT_FALSE(panel->Button("ButtonTrackContour")->isEnabled());
        EXPECT_TRUE(panel->Button("ButtonTrackSuivi")->isEnabled());
        progress.push_back(panel->Progress()->value());
    };
    panel->askNumber = [](const TTrackNumberRequest& r, int& value) {
        EXPECT_EQ(r.minimum, 10);
        EXPECT_EQ(r.maximum, 100);
        value = 100; // the ball moves by up to 58 pixels a frame
        return true;
    };
    panel->RadiusMenu()->actions().at(3)->trigger();
    ASSERT_EQ(tracking->SearchRadius(), 100);
    panel->Button("ButtonTrackSuivi")->click();
    EXPECT_EQ(runsStarted, 1);
    EXPECT_EQ(runsEnded, 1);
    EXPECT_FALSE(tracking->Running());
    EXPECT_FALSE(panel->Progress()->isVisibleTo(panel.get()));
    EXPECT_TRUE(panel->Button("ButtonTrackContour")->isEnabled());
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), static_cast<int>(truth.size()) - 1);
    EXPECT_EQ(dlg.RunCount(), 0u);

    int frames = 0;
    const double rms = RmsError(frames);
    EXPECT_EQ(frames, static_cast<int>(truth.size()));
    EXPECT_LE(rms, 1.5);
    std::printf("tracking through the panel: RMS error %.3f px over %d frames\n", rms, frames);

    // The tracked squares are painted: the top-left corner of the last one.
    widget->Redraw();
    const TPoint last = tracking->Object(0).positionsPx.at(truth.size() - 1);
    EXPECT_NE(
        widget->Picture().pixelColor(last.x - 4, last.y - 4), widget->Picture().pixelColor(last.x - 6, last.y - 6));

    // Leaving the mode offers the positions; "Enregistrer" turns them into marks, one per tracked frame.
    dlg.Script(1);
    ASSERT_TRUE(video.SetMode(video::vmFixedPointing));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Captions(), (std::vector<std::string> { "Ignorer", "Enregistrer" }));
    EXPECT_EQ(data.FixedSet().AllMarks.size(), truth.size());
    const document::TContainer* c = data.FixedSet().FindContainer(7);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(c->FindObject(0), nullptr);
    EXPECT_NEAR(c->FindObject(0)->GetImage().x * 640 + 0.5, truth[7].xPixel, 2.0);
    EXPECT_NEAR(c->FindObject(0)->GetImage().y * 480 + 0.5, truth[7].yPixel, 2.0);
    EXPECT_EQ(tracking->DrawingMode(), dmNone);
}

TEST_F(TrackingPanelTest, PauseOrTheStartButtonStopsARunAndKeepsItsPositions)
{
    ASSERT_TRUE(OpenProjectile());
    DrawOutlineAroundTheBall();
    tracking->SetSearchRadius(100);
    // The run lets events run once before its first frame and once per frame after it: the pause
    // pressed at the fourth yield leaves frames 0, 1 and 2.
    int yields = 0;
    desktop.onPendingEvents = [&] {
        if (++yields == 4)
            video.Pause();
    };
    panel->Button("ButtonTrackSuivi")->click();
    EXPECT_FALSE(tracking->Running());
    EXPECT_EQ(tracking->TrackedFrameCount(), 3);
    EXPECT_FALSE(panel->Progress()->isVisibleTo(panel.get()));
    int frames = 0;
    EXPECT_LE(RmsError(frames), 1.5);
    EXPECT_EQ(frames, 3);

    // A second run stopped by its own button at the third yield: frames 0 and 1 this time.
    yields = 0;
    desktop.onPendingEvents = [&] {
        if (++yields == 3)
            panel->Button("ButtonTrackSuivi")->click();
    };
    panel->Button("ButtonTrackEffacerTrack")->click();
    EXPECT_EQ(tracking->TrackedFrameCount(), 0);
    panel->Button("ButtonTrackSuivi")->click();
    EXPECT_EQ(tracking->TrackedFrameCount(), 2);

    // "Ignorer" keeps the document as it was.
    dlg.Script(0);
    video.SetMode(video::vmFixedPointing);
    EXPECT_EQ(dlg.RunCount(), 1u);
    EXPECT_TRUE(data.FixedSet().AllMarks.empty());
}

TEST_F(TrackingPanelTest, KeysDrawAZoneAndLeavingWithoutPositionsAsksNothing)
{
    ASSERT_TRUE(OpenProjectile());
    ASSERT_TRUE(video.SetMode(video::vmTracking));
    panel->Button("ButtonTrackBanZone")->click();
    ASSERT_EQ(tracking->DrawingMode(), dmZone);
    EXPECT_TRUE(panel->PopupBanZoneAction()->isChecked());
    EXPECT_FALSE(panel->Button("ButtonTrackContour")->isChecked());
    Mouse(QEvent::MouseMove, QPoint(100, 100), Qt::NoButton);
    Key(Qt::Key_Return); // a vertex at (100, 100)
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Return); // (120, 100)
    Key(Qt::Key_Down);
    Key(Qt::Key_Return); // (120, 101)
    Key(Qt::Key_Escape); // completes the zone
    ASSERT_EQ(tracking->ZoneCount(), 1);
    const TTrackedObject& o = tracking->Object(0);
    ASSERT_EQ(o.zonesPx.at(0).size(), 4u); // closed on its first vertex
    EXPECT_EQ(o.zonesPx[0][1], (TPoint { 120, 100 }));
    EXPECT_EQ(o.zonesPx[0][2], (TPoint { 120, 101 }));
    // Escape with nothing in progress erases the last zone, as the right button does.
    Key(Qt::Key_Escape);
    EXPECT_EQ(tracking->ZoneCount(), 0);

    ASSERT_TRUE(video.SetMode(video::vmFixedPointing));
    EXPECT_EQ(dlg.RunCount(), 0u);
    EXPECT_FALSE(panel->Button("ButtonTrackBanZone")->isChecked());
}

TEST_F(TrackingPanelTest, ObjectAndLastFrameDialogsCountFromOneAndThePenBearsTheDigit)
{
    ASSERT_TRUE(OpenProjectile());
    data.SetObjectsPerFrame(3);
    ASSERT_TRUE(video.SetMode(video::vmTracking));
    std::vector<TTrackNumberRequest> asked;
    int answer = 0;
    panel->askNumber = [&](const TTrackNumberRequest& r, int& value) {
        asked.push_back(r);
        value = answer;
        return true;
    };
    answer = 3;
    panel->Button("ButtonTrackNumMarque")->click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].minimum, 1);
    EXPECT_EQ(asked[0].maximum, 3);
    EXPECT_EQ(asked[0].value, 1);
    EXPECT_EQ(tracking->CurrentObject(), 2);
    panel->Button("ButtonTrackContour")->click();
    EXPECT_EQ(video.Cursor(), (video::TCursorChoice { video::TViewCursorShape::Outline, 2 }));
    EXPECT_FALSE(panel->ViewHint().isEmpty());

    // Without an outline the sequence button explains and asks nothing.
    panel->Button("ButtonTrackSequence")->click();
    EXPECT_EQ(asked.size(), 1u);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "Dessiner, au préalable, le contour de l'objet à suivre." }));

    // With one: the last frame is typed from 1, after the first frame.
    video.GoToFrame(4);
    ASSERT_TRUE(tracking->SetOutline({ { 0.05, 0.7 }, { 0.12, 0.7 }, { 0.12, 0.8 }, { 0.05, 0.8 } }));
    answer = 11;
    panel->Button("ButtonTrackSequence")->click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].minimum, 6);
    EXPECT_EQ(asked[1].maximum, video.FrameCount());
    EXPECT_EQ(tracking->LastFrame(), 10);

    // The shape menu changes the hint and what the settings keep.
    panel->ShapeMenu()->actions().at(osFreeHand)->trigger();
    EXPECT_EQ(options.trackingShape, 2);
    EXPECT_TRUE(panel->ViewHint().startsWith(QStringLiteral("Bouton gauche 1er clic = débuter le tracé")));
    panel->ShapeMenu()->actions().at(osCircle)->trigger();
    EXPECT_EQ(options.trackingShape, 0);
    EXPECT_TRUE(panel->ViewHint().startsWith(QStringLiteral("Bouton gauche 1er clic = centre du cercle")));
    panel->RadiusMenu()->actions().at(0)->trigger();
    EXPECT_EQ(tracking->SearchRadius(), 20);
    EXPECT_EQ(options.trackingRadius, 20);
}

TEST_F(TrackingPanelTest, TheMethodChoiceTracksByTemplateAndIsKeptInTheSettings)
{
    ASSERT_TRUE(OpenProjectile());
    QComboBox* method = panel->MethodChoice();
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(method->count(), 2);
    EXPECT_EQ(method->currentIndex(), tmMeanShift);
    EXPECT_FALSE(method->accessibleName().isEmpty());
    method->setCurrentIndex(tmTemplate);
    emit method->activated(tmTemplate);
    EXPECT_EQ(tracking->Method(), tmTemplate);
    EXPECT_EQ(options.trackingMethod, tmTemplate);
    EXPECT_EQ(TrackingSettingsOf(options).method, tmTemplate);

    DrawOutlineAroundTheBall();
    // The default radius of 40 pixels, though the ball moves by up to 58: the search follows its course.
    ASSERT_EQ(tracking->SearchRadius(), 40);
    bool choiceLocked = true;
    desktop.onPendingEvents = [&] { choiceLocked = choiceLocked && !method->isEnabled(); };
    panel->Button("ButtonTrackSuivi")->click();
    EXPECT_TRUE(choiceLocked);
    EXPECT_TRUE(method->isEnabled());
    EXPECT_EQ(dlg.RunCount(), 0u);
    int frames = 0;
    const double rms = RmsError(frames);
    EXPECT_EQ(frames, static_cast<int>(truth.size()));
    EXPECT_LE(rms, 1.5);
    std::printf("template tracking through the panel: RMS error %.3f px over %d frames\n", rms, frames);

    // The prediction of the coming frame is drawn over the view while a run goes: a cross in the object's
    // colour; a finished run has none left.
    EXPECT_FALSE(tracking->Object(0).hasPrediction);
}

TEST_F(TrackingPanelTest, ALostObjectStopsTheRunWhereItIsAndIsTakenUpFromANewOutline)
{
    ASSERT_TRUE(OpenProjectile());
    ASSERT_TRUE(video.SetMode(video::vmTracking));
    // A zone to ignore over the top of the ball's course hides it there, as a pillar would.
    const double zx = truth[12].xPixel - 0.5, zy = truth[12].yPixel - 0.5;
    tracking->AddZone({ { (zx - 30) / 640, (zy - 30) / 480 }, { (zx + 30) / 640, (zy - 30) / 480 },
        { (zx + 30) / 640, (zy + 30) / 480 }, { (zx - 30) / 640, (zy + 30) / 480 } });
    ASSERT_EQ(tracking->ZoneCount(), 1);
    ASSERT_TRUE(tracking->SetOutline(OutlineAt(0, 16)));
    panel->Button("ButtonTrackSuivi")->click();

    const TTrackedObject& o = tracking->Object(0);
    ASSERT_GE(o.lostFrame, 9);
    ASSERT_LE(o.lostFrame, 13);
    const int lost = o.lostFrame;
    // The run stopped on that frame, said so once, and kept every position before it.
    EXPECT_EQ(video.CurrentMontageFrame(), lost);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_NE(dlg.LastRun().JoinedText().find("Le suivi s'est arrêté à l'image " + std::to_string(lost + 1) + " : "),
        std::string::npos)
        << dlg.LastRun().JoinedText();
    EXPECT_EQ(tracking->TrackedFrameCount(), lost);
    for (int f = 0; f < lost; ++f)
        EXPECT_GE(o.rawFrames[f], 0) << f;
    EXPECT_TRUE(panel->ProgressText()->isVisibleTo(panel.get()));
    EXPECT_EQ(panel->ProgressText()->text(), QStringLiteral("Objet perdu à l'image %1").arg(lost + 1));
    // The outline tool is down, its hint shown: the user draws the ball again where it shows.
    EXPECT_TRUE(panel->Button("ButtonTrackContour")->isChecked());
    EXPECT_EQ(tracking->DrawingMode(), dmOutline);
    EXPECT_FALSE(panel->ViewHint().isEmpty());
    // The search circle and the cross of the prediction show where the tracker looked.
    ASSERT_TRUE(o.hasPrediction);
    video::TOverlay overlay;
    panel->BuildOverlay(overlay);
    int lines = 0;
    for (const auto& shape : overlay.shapes)
        lines += std::holds_alternative<video::TOverlayLine>(shape) ? 1 : 0;
    EXPECT_EQ(lines, 2);

    // A few frames on, past the zone, a new outline and the run goes on to the end.
    const int again = 16;
    video.GoToFrame(again);
    ASSERT_TRUE(tracking->SetOutline(OutlineAt(again, 16)));
    panel->Button("ButtonTrackSuivi")->click();
    EXPECT_EQ(o.lostFrame, -1);
    EXPECT_EQ(dlg.RunCount(), 1u);
    EXPECT_FALSE(panel->ProgressText()->isVisibleTo(panel.get()));
    for (int f = again; f < static_cast<int>(truth.size()); ++f)
        EXPECT_GE(o.rawFrames[f], 0) << f;
    for (int f = lost; f < again; ++f)
        EXPECT_LT(o.rawFrames[f], 0) << f;
    int frames = 0;
    EXPECT_LE(RmsError(frames), 1.5);
    EXPECT_EQ(frames, lost + static_cast<int>(truth.size()) - again);
}

TEST_F(TrackingPanelTest, EveryToolAnswersAnAssistiveToolsToggleAndTheMenusHaveButtonsOfTheirOwn)
{
    ASSERT_TRUE(OpenProjectile());
    ASSERT_TRUE(video.SetMode(video::vmTracking));
    // An assistive tool toggles a checkable button without clicking it.
    panel->Button("ButtonTrackContour")->toggle();
    EXPECT_EQ(tracking->DrawingMode(), dmOutline);
    EXPECT_FALSE(panel->ViewHint().isEmpty());
    panel->Button("ButtonTrackBanZone")->toggle();
    EXPECT_EQ(tracking->DrawingMode(), dmZone);
    EXPECT_FALSE(panel->Button("ButtonTrackContour")->isChecked());
    panel->Button("ButtonTrackBanZone")->toggle();
    EXPECT_EQ(tracking->DrawingMode(), dmNone);
    // The start button and the outline button are plain buttons; the shape and the radius have theirs.
    for (const char* plain : { "ButtonTrackContour", "ButtonTrackSuivi" })
        EXPECT_EQ(panel->Button(plain)->menu(), nullptr) << plain;
    EXPECT_EQ(panel->Button("ButtonTrackForme")->menu(), panel->ShapeMenu());
    EXPECT_EQ(panel->Button("ButtonTrackRayon")->menu(), panel->RadiusMenu());
    EXPECT_EQ(panel->Button("ButtonTrackForme")->popupMode(), QToolButton::MenuButtonPopup);
}

} // namespace
} // namespace kinoval::tracking
