// Marks placed through the document by clicks on the widget appear on the painted picture as their
// object's glyph, in the object's colour, where the image positions say, at zoom 100 and zoomed in.
#include "gui/video/video_widget.h"

#include "core/video/document_link.h"
#include "gui/drawing/glyph_painter.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace kinoval::video {
namespace {

class DocumentPixelsTest : public ::testing::Test {
protected:
    DocumentPixelsTest()
        : video(factory, timer)
        , data(dlg, settings)
        , input(data, video)
    {
        factory.video = test::TSyntheticVideo::Uniform(640, 480, 20, 30, 30, 30);
        links += LinkDocument(video, data, input);
        widget = std::make_unique<TVideoWidget>(video);
        widget->buildOverlay = [this](TVideoMode, TOverlay& overlay) { BuildDocumentOverlay(data, video, overlay); };
        widget->resize(640, 480);
        widget->show();
        QApplication::processEvents();
        EXPECT_TRUE(video.Open("grey.mp4"));
        data.NewStudy();
    }

    void ClickWidget(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), widget->mapToGlobal(QPointF(p)), b, b, Qt::NoModifier);
        QApplication::sendEvent(widget.get(), &press);
        QMouseEvent release(
            QEvent::MouseButtonRelease, QPointF(p), widget->mapToGlobal(QPointF(p)), b, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget.get(), &release);
    }

    // Every pixel of the glyph alone (drawn on the frame's grey) matches the view's picture around `at`.
    int GlyphMismatches(QPoint at, int object) const
    {
        QImage reference(640, 480, QImage::Format_RGB32);
        reference.fill(QColor(30, 30, 30));
        {
            QPainter p(&reference);
            drawing::DrawObjectGlyph(p, at, data.MarkColor(object), data.ElementSize(), object);
        }
        const QImage& picture = widget->Picture();
        int diff = 0;
        for (int y = at.y() - 11; y <= at.y() + 11; ++y)
            for (int x = at.x() - 11; x <= at.x() + 11; ++x)
                if (picture.rect().contains(x, y) && picture.pixel(x, y) != reference.pixel(x, y))
                    ++diff;
        return diff;
    }

    int CountColour(QPoint at, TColor colour) const
    {
        int n = 0;
        for (int y = at.y() - 11; y <= at.y() + 11; ++y)
            for (int x = at.x() - 11; x <= at.x() + 11; ++x)
                n += widget->Picture().pixelColor(x, y) == drawing::ToQColor(colour) ? 1 : 0;
        return n;
    }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    TVideo video;
    test::TScriptedUserDlg dlg;
    document::TDocumentSettings settings;
    document::TData data;
    TDocumentInput input;
    TConnections links; // the document and the montage follow the view while these are kept
    std::unique_ptr<TVideoWidget> widget;
};

TEST_F(DocumentPixelsTest, MarksShowAsTheirGlyphsAtZoomHundred)
{
    data.SetNumberPosition(2); // no numbers, so that only the glyphs are compared
    data.SetObjectsPerFrame(3);
    const QPoint clicks[3] = { QPoint(100, 100), QPoint(320, 240), QPoint(600, 400) };
    for (const QPoint& c : clicks)
        ClickWidget(c);
    ASSERT_EQ(data.MarkCount(), 3);
    widget->Redraw();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(GlyphMismatches(clicks[k], k), 0) << k;
        EXPECT_GT(CountColour(clicks[k], data.MarkColor(k)), 10) << k;
    }
    // Hidden objects are not drawn.
    data.SetMarkVisible(1, false);
    widget->Redraw();
    EXPECT_EQ(CountColour(clicks[1], data.MarkColor(1)), 0);
}

TEST_F(DocumentPixelsTest, MarksStayOnTheirImagePositionAtZoomThreeHundredAfterAPan)
{
    data.SetNumberPosition(2);
    data.SetElementSize(2);
    ClickWidget(QPoint(320, 240)); // image (0.5, 0.5)
    ClickWidget(QPoint(340, 250)); // second frame: (0.53125, 0.5208...)
    ASSERT_EQ(data.MarkCount(), 2);
    video.ZoomAt({ 320, 240 }, 300);
    video.SetNavigationTool(ntPan);
    video.MouseDown(TMouseButton::Left, {}, { 300, 200 });
    video.MouseMove({}, { 270, 215 });
    video.MouseUp(TMouseButton::Left, {}, { 270, 215 });
    video.SetNavigationTool(ntNone);
    const TSourceRect src = video.Source();
    ASSERT_EQ(src.left, 213 + 10);
    ASSERT_EQ(src.top, 160 - 5);
    widget->Redraw();
    // Each mark is three times as far from the source corner as its frame pixel.
    const QPoint at0(int(std::lround((320 - src.left) * 3.0)), int(std::lround((240 - src.top) * 3.0)));
    const QPoint at1(int(std::lround((340 - src.left) * 3.0)), int(std::lround((250 - src.top) * 3.0)));
    EXPECT_EQ(GlyphMismatches(at0, 0), 0);
    EXPECT_EQ(GlyphMismatches(at1, 0), 0);
    EXPECT_GT(CountColour(at0, data.MarkColor(0)), 20);
}

TEST_F(DocumentPixelsTest, NumbersAreWrittenInTheObjectColour)
{
    data.SetNumberPosition(0);
    ClickWidget(QPoint(200, 200));
    widget->Redraw();
    // The label "1" sits below the glyph (origin at x - 2, y + 4 for the small size).
    int coloured = 0;
    for (int y = 204; y < 224; ++y)
        for (int x = 198; x < 210; ++x)
            coloured += widget->Picture().pixelColor(x, y) == drawing::ToQColor(data.MarkColor(0)) ? 1 : 0;
    EXPECT_GT(coloured, 3);
}

} // namespace
} // namespace kinoval::video
