// The workshop over a synthetic video whose frame n is a uniform grey of level n: outlines drawn with the
// mouse, cut out, erased, and pasted into a chronophotograph.
#include "core/video/studio.h"

#include "core/common/bmp_file.h"
#include "core/video/video.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kinoval::video {
namespace {

class StudioTest : public ::testing::Test {
protected:
    StudioTest()
        : video(factory, timer)
        , studio(video, dlg, desktop)
    {
        factory.video.width = 64;
        factory.video.height = 48;
        factory.video.frames = 20;
        video.Resize(640, 480); // ten screen pixels a frame pixel
        EXPECT_TRUE(video.Open("clip.mp4"));
        video.SetWorkshopReceiver(&studio);
        studio.framesBetweenMarks = [this] { return step; };
        studio.SetTool(stDraw);
    }

    // A circle drawn on the current frame: button down on the centre, dragged to the rim, released.
    void Circle(int cx, int cy, int rim)
    {
        studio.SetShapeKind(msCircle);
        studio.MouseDown(TMouseButton::Left, {}, { cx, cy });
        studio.MouseMove({}, { cx + rim / 2, cy });
        studio.MouseMove({}, { cx + rim, cy });
        studio.MouseUp(TMouseButton::Left, {}, { cx + rim, cy });
    }

    static int Grey(const TRgbImage& picture, int x, int y) { return picture.At(x, y)[0]; }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    TVideo video;
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    TStudio studio;
    int step = 1;
};

TEST_F(StudioTest, AnOutlineCutsItsFrameOutAndMovesOn)
{
    video.GoToFrame(3);
    Circle(200, 200, 50); // frame pixels (20, 20), radius 5
    ASSERT_EQ(studio.FinishedCount(), 1);
    const TModele& m = *studio.Outlines().front();
    EXPECT_EQ(m.frame, 3);
    EXPECT_EQ(video.CurrentMontageFrame(), 4); // on by the frames-between-marks count
    EXPECT_NEAR(m.left, 15, 1);
    EXPECT_NEAR(m.width, 11, 1);
    // The centre is inside, the bounding box's corner is not; the cut-out holds the frame's grey.
    EXPECT_TRUE(m.mask[static_cast<std::size_t>(20 - m.top) * m.width + (20 - m.left)]);
    EXPECT_FALSE(m.mask[0]);
    EXPECT_EQ(m.cutout.At(5, 5)[0], 3);

    // A second outline on a frame replaces the first.
    video.GoToFrame(3);
    Circle(300, 300, 40);
    ASSERT_EQ(studio.FinishedCount(), 1);
    EXPECT_NEAR(studio.Outlines().front()->left, 26, 1);
    // A polygon: clicks, then a double click; the square's inside is cut out exactly.
    step = 2;
    video.GoToFrame(6);
    studio.SetShapeKind(msPolygon);
    for (TScreenPoint p : { TScreenPoint { 100, 100 }, TScreenPoint { 200, 100 }, TScreenPoint { 200, 200 } })
        studio.MouseDown(TMouseButton::Left, {}, p);
    TShiftState twice;
    twice.doubleClick = true;
    studio.MouseDown(TMouseButton::Left, twice, { 100, 200 });
    ASSERT_EQ(studio.FinishedCount(), 2);
    const TModele& square = *studio.OutlineOfFrame(6);
    EXPECT_EQ(square.left, 10);
    EXPECT_EQ(square.top, 10);
    EXPECT_EQ(std::count(square.mask.begin(), square.mask.end(), true), 100);
    EXPECT_EQ(video.CurrentMontageFrame(), 8);
}

TEST_F(StudioTest, AFreeLineTakesEveryPositionTheButtonHeld)
{
    video.GoToFrame(5);
    studio.SetShapeKind(msFreeLine);
    studio.MouseDown(TMouseButton::Left, {}, { 100, 100 });
    for (TScreenPoint p :
        { TScreenPoint { 200, 100 }, TScreenPoint { 200, 100 }, TScreenPoint { 200, 200 }, TScreenPoint { 100, 200 } })
        studio.MouseMove({}, p);
    studio.MouseUp(TMouseButton::Left, {}, { 100, 200 });
    const TModele* m = studio.OutlineOfFrame(5);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->points.size(), 4u); // the repeated position adds nothing
    EXPECT_EQ(std::count(m->mask.begin(), m->mask.end(), true), 100);
    // Two points are no outline: nothing is kept and the view stays.
    video.GoToFrame(9);
    studio.MouseDown(TMouseButton::Left, {}, { 100, 100 });
    studio.MouseMove({}, { 120, 100 });
    studio.MouseUp(TMouseButton::Left, {}, { 120, 100 });
    EXPECT_EQ(studio.OutlineOfFrame(9), nullptr);
    EXPECT_EQ(video.CurrentMontageFrame(), 9);
}

TEST_F(StudioTest, ErasingNeedsAVertexOrARectangleAroundTheWholeOutline)
{
    video.GoToFrame(2);
    Circle(200, 200, 60);
    Circle(450, 300, 60);
    ASSERT_EQ(studio.FinishedCount(), 2);
    studio.SetTool(stErase);
    // Inside the first circle, far from its vertices: nothing goes.
    studio.MouseDown(TMouseButton::Left, {}, { 200, 200 });
    studio.MouseUp(TMouseButton::Left, {}, { 200, 200 });
    EXPECT_EQ(studio.FinishedCount(), 2);
    // Within 3 pixels of a vertex of the first: it goes.
    const TScreenPoint vertex = studio.OutlineOfFrame(2)->screen.front();
    EXPECT_EQ(studio.Cursor().shape, TViewCursorShape::EraseTool);
    studio.MouseMove({}, { vertex.x + 3, vertex.y - 2 });
    EXPECT_EQ(studio.Cursor().shape, TViewCursorShape::OverMark);
    studio.MouseDown(TMouseButton::Left, {}, { vertex.x + 3, vertex.y - 2 });
    EXPECT_EQ(studio.OutlineOfFrame(2), nullptr);
    // A rectangle that cuts the second circle leaves it; one around it removes it.
    studio.MouseDown(TMouseButton::Left, {}, { 380, 230 });
    studio.MouseMove({}, { 470, 370 });
    studio.MouseUp(TMouseButton::Left, {}, { 470, 370 });
    EXPECT_EQ(studio.FinishedCount(), 1);
    studio.MouseDown(TMouseButton::Left, {}, { 380, 230 });
    studio.MouseUp(TMouseButton::Left, {}, { 520, 370 });
    EXPECT_EQ(studio.FinishedCount(), 0);
}

TEST_F(StudioTest, TheRightButtonRemovesTheOutlineOfTheFrameOrTheLastOne)
{
    video.GoToFrame(1);
    Circle(200, 200, 60);
    Circle(300, 200, 60); // on frame 2; the view is now on frame 3
    studio.MouseDown(TMouseButton::Right, {}, { 10, 10 });
    EXPECT_EQ(video.CurrentMontageFrame(), 2);
    EXPECT_EQ(studio.OutlineOfFrame(2), nullptr);
    ASSERT_NE(studio.OutlineOfFrame(1), nullptr);
}

TEST_F(StudioTest, ChronophotographsOnAWhitePageOrTheEarliestOutlinesFrame)
{
    video.GoToFrame(9);
    Circle(100, 100, 40);
    video.GoToFrame(4);
    Circle(300, 200, 40);
    video.GoToFrame(13);
    Circle(500, 300, 40);
    ASSERT_EQ(studio.FinishedCount(), 3);
    TRgbImage white;
    ASSERT_TRUE(studio.Compose(false, white));
    // Three cut-outs, each of its own frame, and white elsewhere.
    EXPECT_EQ(Grey(white, 10, 10), 9);
    EXPECT_EQ(Grey(white, 30, 20), 4);
    EXPECT_EQ(Grey(white, 50, 30), 13);
    EXPECT_EQ(Grey(white, 40, 40), 255);
    EXPECT_EQ(Grey(white, 0, 0), 255);
    EXPECT_EQ(std::count(white.pixels.begin(), white.pixels.end(), 255),
        static_cast<long>(white.pixels.size())
            - 3 * 3 * std::count(studio.OutlineOfFrame(4)->mask.begin(), studio.OutlineOfFrame(4)->mask.end(), true));
    // The background is the frame of the earliest outline (4), not of the first drawn (9).
    TRgbImage background;
    ASSERT_TRUE(studio.Compose(true, background));
    EXPECT_EQ(Grey(background, 40, 40), 4);
    EXPECT_EQ(Grey(background, 10, 10), 9);
}

TEST_F(StudioTest, TheCommandsAskSaveAndSayIt)
{
    test::TTempDir dir;
    // Nothing drawn: the warning names the button to use.
    EXPECT_EQ(studio.ComposeChronophotograph(), 1);
    EXPECT_EQ(dlg.LastRun().Texts()[1], "Utiliser le bouton « Dessiner le contour de l'objet ».");
    video.GoToFrame(2);
    Circle(200, 200, 60);
    desktop.saveAnswers = { dir.File("chrono.bmp") };
    dlg.Script(0, false); // "Ok", without the background
    EXPECT_EQ(studio.ComposeChronophotograph(), 0);
    EXPECT_EQ(desktop.saveRequests.back().title, "Enregistrer la chronophotographie dans un fichier");
    EXPECT_EQ(desktop.saveRequests.back().proposedName, "ChronoPhoto.png");
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Le fichier a été enregistré avec succès :");
    TRgbImage read;
    ASSERT_TRUE(ReadBmp(dir.File("chrono.bmp"), read));
    EXPECT_EQ(Grey(read, 20, 20), 2);
    EXPECT_EQ(Grey(read, 60, 5), 255);

    video.GoToFrame(6);
    desktop.saveAnswers = { dir.File("frame.bmp") };
    EXPECT_EQ(studio.SaveCurrentFrame(), 0);
    EXPECT_EQ(desktop.saveRequests.back().proposedName, "Image7.png");
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> {
            "Enregistrement dans un fichier image effectué.", "Le fichier porte l'extension BMP." }));
    ASSERT_TRUE(ReadBmp(dir.File("frame.bmp"), read));
    EXPECT_EQ(Grey(read, 33, 33), 6);
}

TEST_F(StudioTest, OutlinesFollowZoomAndPan)
{
    video.GoToFrame(2);
    Circle(200, 200, 60);
    const TScreenPoint before = studio.OutlineOfFrame(2)->screen.front();
    video.ZoomAt({ 0, 0 }, 200);
    const TScreenPoint after = studio.OutlineOfFrame(2)->screen.front();
    EXPECT_NEAR(after.x, 2 * before.x, 2);
    EXPECT_NEAR(after.y, 2 * before.y, 2);
    TOverlay overlay;
    studio.BuildOverlay(overlay);
    ASSERT_EQ(overlay.shapes.size(), 1u);
    EXPECT_EQ(std::get<TOverlayPolygon>(overlay.shapes[0]).points.front(), after);
}

TEST(StudioShapes, SettingValuesAndCircles)
{
    EXPECT_EQ(ShapeOfSetting(1), msPolygon);
    EXPECT_EQ(ShapeOfSetting(2), msFreeLine);
    EXPECT_EQ(ShapeOfSetting(0), msCircle);
    EXPECT_EQ(ShapeOfSetting(7), msCircle);
    // Round in pixels on a frame twice as wide as high.
    const auto points = CirclePolygon({ 0.5, 0.5 }, { 0.6, 0.5 }, 200, 100, 4);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_NEAR(points[1].x, 0.5, 1e-12);
    EXPECT_NEAR(points[1].y, 0.7, 1e-12); // 20 pixels down: 0.2 of the height
}

} // namespace
} // namespace kinoval::video
