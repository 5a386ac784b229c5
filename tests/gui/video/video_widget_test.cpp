// The view widget painting off-screen: frame, overlays in the model's geometry, wait text, hidden and
// inverted frames, title picture, scroll bars and magnifier.
#include "gui/video/video_widget.h"

#include "core/drawing/glyphs.h"
#include "core/video/overlay.h"
#include "gui/drawing/glyph_painter.h"
#include "support/synthetic_player.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cmath>

namespace kinoval::video {
namespace {

class VideoWidgetTest : public ::testing::Test {
protected:
    VideoWidgetTest()
        : video(factory, timer)
    {
    }

    void OpenBlack(int frames = 10)
    {
        factory.video = test::TSyntheticVideo::Uniform(640, 480, frames, 0, 0, 0);
        widget = std::make_unique<TVideoWidget>(video);
        widget->resize(640, 480);
        widget->show();
        QApplication::processEvents();
        ASSERT_TRUE(video.Open("black.mp4"));
    }

    // The glyph of the object alone on a black canvas of the view's size, at the given point.
    static QImage ReferenceGlyph(QPoint at, TColor colour, int size, int object)
    {
        QImage image(640, 480, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        drawing::DrawObjectGlyph(painter, at, colour, size, object);
        return image;
    }

    // Compares the 31 x 31 square around a point; returns the number of differing pixels.
    static int DiffAround(const QImage& a, const QImage& b, QPoint at)
    {
        int diff = 0;
        for (int y = at.y() - 15; y <= at.y() + 15; ++y)
            for (int x = at.x() - 15; x <= at.x() + 15; ++x)
                if (a.rect().contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                    ++diff;
        return diff;
    }

    static int CountColour(const QImage& image, QColor colour, QPoint at)
    {
        int n = 0;
        for (int y = at.y() - 15; y <= at.y() + 15; ++y)
            for (int x = at.x() - 15; x <= at.x() + 15; ++x)
                if (image.rect().contains(x, y) && image.pixelColor(x, y) == colour)
                    ++n;
        return n;
    }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    TVideo video;
    std::unique_ptr<TVideoWidget> widget;
};

TEST_F(VideoWidgetTest, MarksAppearAsTheirGlyphsAtZoomHundred)
{
    OpenBlack();
    const TImagePoint marks[2] = { { 0.25, 0.5 }, { 0.8, 0.1 } };
    const TColor colours[2] = { 0x0000FF, 0xE9D105 };
    widget->buildOverlay = [&](TVideoMode mode, TOverlay& overlay) {
        ASSERT_EQ(mode, vmFixedPointing);
        for (int k = 0; k < 2; ++k)
            AddMark(overlay, video.ImageToScreen(marks[k]), k, colours[k], 1, npNone, std::to_string(k + 1));
    };
    widget->Redraw();
    const QImage& picture = widget->Picture();
    const QPoint at0(160, 240), at1(512, 48);
    EXPECT_EQ(DiffAround(picture, ReferenceGlyph(at0, colours[0], 1, 0), at0), 0);
    EXPECT_EQ(DiffAround(picture, ReferenceGlyph(at1, colours[1], 1, 1), at1), 0);
    EXPECT_GT(CountColour(picture, QColor(255, 0, 0), at0), 30);
    EXPECT_EQ(picture.pixelColor(100, 100), QColor(Qt::black));
}

TEST_F(VideoWidgetTest, MarksFollowTheirImagePositionAtZoomThreeHundredAfterAPan)
{
    OpenBlack();
    const TImagePoint mark { 0.5, 0.5 };
    widget->buildOverlay = [&](TVideoMode, TOverlay& overlay) {
        AddMark(overlay, video.ImageToScreen(mark), 12, clLime, 2, npNone, "1"); // object 12: glyph of object 0
    };
    video.ZoomAt({ 320, 240 }, 300);
    video.SetNavigationTool(ntPan);
    video.MouseDown(TMouseButton::Left, {}, { 300, 200 });
    video.MouseMove({}, { 240, 230 }); // source moves right by 20 and up by 10 frame pixels
    video.MouseUp(TMouseButton::Left, {}, { 240, 230 });
    ASSERT_EQ(video.Source().left, 213 + 20);
    ASSERT_EQ(video.Source().top, 160 - 10);
    // The frame's centre (320, 240) is now 87 and 90 frame pixels from the corner, three times larger.
    const QPoint expected(int(std::lround((320 - 233) * 3.0)), int(std::lround((240 - 150) * 3.0)));
    widget->Redraw();
    const QImage& picture = widget->Picture();
    EXPECT_EQ(DiffAround(picture, ReferenceGlyph(expected, clLime, 2, 0), expected), 0);
    EXPECT_TRUE(widget->HorizontalScrollBar()->isVisible());
    EXPECT_EQ(widget->HorizontalScrollBar()->value(), int(std::lround(233.0 / 640 * 1920)));
}

TEST_F(VideoWidgetTest, FramePixelsLineUpWithTheConversionsWhenZoomed)
{
    // A frame with one white pixel at (100, 50): at zoom 200 from the corner, it covers client pixels
    // (200..201, 100..101), where ImageToScreen puts the pixel's corner.
    OpenBlack();
    factory.video.dotX = 100;
    factory.video.dotY = 50;
    ASSERT_TRUE(video.Open("dot.mp4"));
    video.ZoomAt({ 0, 0 }, 200);
    ASSERT_EQ(video.Source().left, 0);
    ASSERT_EQ(video.Source().top, 0);
    const TScreenPoint s = video.ImageToScreen({ 100.0 / 640, 50.0 / 480 });
    EXPECT_EQ(s.x, 200);
    EXPECT_EQ(s.y, 100);
    widget->Redraw();
    const QImage& p = widget->Picture();
    EXPECT_EQ(p.pixelColor(200, 100), QColor(Qt::white));
    EXPECT_EQ(p.pixelColor(201, 101), QColor(Qt::white));
    EXPECT_EQ(p.pixelColor(199, 100), QColor(Qt::black));
    EXPECT_EQ(p.pixelColor(202, 100), QColor(Qt::black));
    EXPECT_EQ(p.pixelColor(200, 102), QColor(Qt::black));
}

TEST_F(VideoWidgetTest, HiddenImageWaitTextAndTitle)
{
    OpenBlack();
    video.SetHideImage(true);
    EXPECT_EQ(widget->Picture().pixelColor(5, 5), QColor(Qt::white));
    video.SetHideImage(false);
    EXPECT_EQ(widget->Picture().pixelColor(5, 5), QColor(Qt::black));
    bool pending = false;
    video.hooks.processPendingEvents = [&] { pending = true; };
    video.ShowWaitText(true);
    EXPECT_TRUE(pending);
    int white = 0;
    for (int x = 0; x < 640; ++x)
        white += widget->Picture().pixelColor(x, 240) == QColor(Qt::white) ? 1 : 0;
    EXPECT_GT(white, 5); // the text crosses the middle line
    video.ShowWaitText(false);
    video.Close();
    // No video: the title picture, neither white nor the last frame.
    const QColor corner = widget->Picture().pixelColor(2, 2);
    EXPECT_NE(corner, QColor(Qt::white));
    EXPECT_NE(corner, QColor(Qt::black));
}

TEST_F(VideoWidgetTest, HiddenMontageFramesAreInvertedOnlyInMontageMode)
{
    OpenBlack();
    video.hooks.isHiddenFrame = [](int raw) { return raw == 0; };
    video.Repaint();
    EXPECT_EQ(widget->Picture().pixelColor(5, 5), QColor(Qt::black));
    ASSERT_TRUE(video.SetMode(vmMontage));
    EXPECT_EQ(widget->Picture().pixelColor(5, 5), QColor(Qt::white));
    video.Next();
    EXPECT_EQ(widget->Picture().pixelColor(5, 5), QColor(Qt::black));
}

TEST_F(VideoWidgetTest, ScaleAndAxesAreDrawnInTheElementColour)
{
    OpenBlack();
    widget->buildOverlay = [&](TVideoMode, TOverlay& overlay) {
        AddScale(overlay, { 100, 400 }, { 300, 400 }, clYellow, 1);
        AddAxes(overlay, { 0, 240 }, { 639, 240 }, { 320, 479 }, { 320, 0 }, clAqua, 0);
    };
    widget->Redraw();
    const QImage& p = widget->Picture();
    EXPECT_EQ(p.pixelColor(200, 400), QColor(255, 255, 0));
    EXPECT_EQ(p.pixelColor(200, 401), QColor(255, 255, 0)); // 3 pixels wide
    EXPECT_EQ(p.pixelColor(200, 403), QColor(Qt::black));
    // Heads of 20 px (10 % of 200) at each end, wings 10 px off the line.
    EXPECT_EQ(p.pixelColor(290, 395), QColor(255, 255, 0));
    EXPECT_EQ(p.pixelColor(110, 405), QColor(255, 255, 0));
    EXPECT_EQ(p.pixelColor(50, 240), QColor(0, 255, 255));
    EXPECT_EQ(p.pixelColor(320, 50), QColor(0, 255, 255));
}

TEST_F(VideoWidgetTest, MagnifierShowsTheAreaAroundThePointer)
{
    OpenBlack();
    widget->buildOverlay = [&](TVideoMode, TOverlay& overlay) {
        overlay.shapes.emplace_back(TOverlayGlyph { { 200, 300 }, clRed, 2, 13 }); // a 15 x 15 red square
    };
    video.ShowLoupe(true);
    video.MouseMove({}, { 200, 300 });
    widget->Redraw();
    TLoupeWidget* loupe = widget->LoupeWidget();
    ASSERT_TRUE(loupe->isVisible());
    EXPECT_EQ(loupe->geometry(), QRect(640 - 128 - 2, 2, 128, 96));
    const QImage shot = loupe->grab().toImage();
    // Three times larger: the square covers 45 pixels around the centre; the cross-hair leaves a gap.
    EXPECT_EQ(shot.pixelColor(64 + 10, 48 + 10), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(64 + 30, 48 + 30), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(64, 48 + 30), QColor(Qt::white)); // cross-hair line
    EXPECT_EQ(shot.pixelColor(64, 48 + 2), QColor(255, 0, 0)); // the gap around the centre
    video.SetMode(vmWorkshop);
    widget->Redraw();
    EXPECT_FALSE(loupe->isVisible());
}

TEST_F(VideoWidgetTest, OverlayRepaintsDoNotDecodeTheFrameAgain)
{
    OpenBlack();
    auto* player = dynamic_cast<test::TSyntheticPlayer*>(video.Player());
    ASSERT_NE(player, nullptr);
    widget->Redraw();
    const int draws = player->draws;
    widget->Redraw();
    video.Repaint();
    EXPECT_EQ(player->draws, draws);
    video.Next();
    EXPECT_EQ(player->draws, draws + 1);
    // A new video with the same frame number is decoded (by the players that opened it).
    ASSERT_TRUE(video.Open("again.mp4"));
    video.Repaint();
    auto* again = dynamic_cast<test::TSyntheticPlayer*>(video.Player());
    ASSERT_NE(again, nullptr);
    EXPECT_GE(again->draws, 1);
}

TEST_F(VideoWidgetTest, CaptureModePaintsTheCameraInPlaceOfTheVideoUntilItIsLeft)
{
    OpenBlack();
    // A white camera picture twice as wide as high: painted whole, centred, black above and below.
    TRgbImage camera(64, 32);
    std::fill(camera.pixels.begin(), camera.pixels.end(), 255);
    widget->capturePreview = [&](TRgbImage& frame) {
        frame = camera;
        return true;
    };
    video.hooks.prepareCapture = [] { return true; };
    ASSERT_TRUE(video.SetMode(vmCapture));
    widget->Redraw();
    const QImage& picture = widget->Picture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(widget->isVisible());
    const int w = picture.width(), h = picture.height();
    EXPECT_EQ(picture.pixel(w / 2, h / 2), qRgb(255, 255, 255));
    if (h > w / 2 + 4) {
        EXPECT_EQ(picture.pixel(w / 2, 1), qRgb(0, 0, 0));
    }
    ASSERT_TRUE(video.SetMode(vmFixedPointing));
    widget->Redraw();
    EXPECT_NE(widget->Picture().pixel(w / 2, h / 2), qRgb(255, 255, 255)); // the black video again
}

TEST_F(VideoWidgetTest, PlaybackRepaintsArriveOnTheWindowThread)
{
    OpenBlack(5);
    int painted = 0;
    TConnection listening = video.notify.framePainted.Connect([&] { ++painted; });
    video.Play(0, 4);
    while (timer.Fire())
        QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(video.CurrentRawFrame(), 4);
    EXPECT_GE(painted, 5);
    EXPECT_FALSE(video.Playing());
}

// The second press of a double click reaches the receiver as a press marked as such (it closes the
// tracker's polygons); ordinary presses are not marked.
TEST_F(VideoWidgetTest, DoubleClickArrivesAsAMarkedPress)
{
    struct TPresses : TViewInputReceiver {
        std::vector<bool> doubles;
        void MouseDown(TMouseButton, TShiftState s, TScreenPoint) override { doubles.push_back(s.doubleClick); }
        void MouseMove(TShiftState, TScreenPoint) override { }
        void MouseUp(TMouseButton, TShiftState, TScreenPoint) override { }
        bool KeyDown(int, TShiftState) override { return false; }
        TCursorChoice Cursor() const override { return {}; }
        void RefreshScreenPositions() override { }
    } presses;
    video.SetPointingReceiver(&presses);
    OpenBlack();
    const QPointF at(50, 60);
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
             QEvent::MouseButtonRelease }) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget.get(), &event);
    }
    EXPECT_EQ(presses.doubles, (std::vector<bool> { false, true }));
    video.SetPointingReceiver(nullptr);
}

} // namespace
} // namespace kinoval::video
