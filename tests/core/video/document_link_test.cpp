// The view and the measurement document together: clicks through the view become marks at the clicked
// image positions, the cursor follows the document's tool, and the overlay follows zoom and pan.
#include "core/video/document_link.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kinoval::video {
namespace {

template <class S> std::vector<S> ShapesOf(const TOverlay& overlay)
{
    std::vector<S> out;
    for (const TOverlayShape& s : overlay.shapes)
        if (const S* p = std::get_if<S>(&s))
            out.push_back(*p);
    return out;
}

class DocumentLinkTest : public ::testing::Test {
protected:
    DocumentLinkTest()
        : video(factory, timer)
        , data(dlg, settings)
        , input(data, video)
    {
        factory.video = test::TSyntheticVideo::Uniform(640, 480, 20, 0, 0, 0);
        links += LinkDocument(video, data, input);
        video.Resize(640, 480);
        EXPECT_TRUE(video.Open("clip.mp4"));
        data.NewStudy();
        data.SetTimeBetweenFrames(video.FrameDuration());
    }
    void Click(TScreenPoint p, TMouseButton b = TMouseButton::Left)
    {
        video.MouseDown(b, {}, p);
        video.MouseUp(b, {}, p);
    }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    TVideo video;
    test::TScriptedUserDlg dlg;
    document::TDocumentSettings settings;
    document::TData data;
    TDocumentInput input;
    TConnections links; // the document and the montage follow the view while these are kept
};

TEST_F(DocumentLinkTest, ClicksBecomeMarksAndTheViewSteps)
{
    data.SetObjectsPerFrame(2);
    data.SetFramesNumberBetweenTwoMarks(3);
    EXPECT_EQ(video.Cursor(), (TCursorChoice { TViewCursorShape::Cross, 0 }));
    Click({ 160, 120 });
    EXPECT_EQ(video.Cursor(), (TCursorChoice { TViewCursorShape::Cross, 1 }));
    Click({ 480, 360 });
    EXPECT_EQ(video.CurrentRawFrame(), 3);
    EXPECT_EQ(data.MarkCount(), 2);
    const auto marks = data.MarksToDrawList();
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_DOUBLE_EQ(marks[0]->GetImage().x, 0.25);
    EXPECT_DOUBLE_EQ(marks[1]->GetImage().y, 0.75);
    EXPECT_EQ(marks[1]->Screen, (TScreenPoint { 480, 360 }));
    EXPECT_TRUE(video.Last());
    EXPECT_TRUE(video.LastPointed());
    EXPECT_EQ(video.CurrentRawFrame(), 0);
    // A right click takes the last mark back.
    Click({ 5, 5 }, TMouseButton::Right);
    EXPECT_EQ(data.MarkCount(), 1);
}

TEST_F(DocumentLinkTest, OverlayFollowsZoomAndPan)
{
    data.SetObjectsPerFrame(2);
    Click({ 320, 240 });
    Click({ 100, 50 });
    TOverlay overlay;
    BuildDocumentOverlay(data, video, overlay);
    auto glyphs = ShapesOf<TOverlayGlyph>(overlay);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].at, (TScreenPoint { 320, 240 }));
    EXPECT_EQ(glyphs[1].kind, 1);
    EXPECT_EQ(glyphs[1].colour, data.MarkColor(1));
    EXPECT_EQ(ShapesOf<TOverlayText>(overlay).size(), 2u);

    video.ZoomAt({ 320, 240 }, 300);
    overlay.Clear();
    BuildDocumentOverlay(data, video, overlay);
    glyphs = ShapesOf<TOverlayGlyph>(overlay);
    ASSERT_EQ(glyphs.size(), 2u);
    // The centre stays at the centre (to a pixel of rounding); the other mark is pushed off the screen.
    EXPECT_NEAR(glyphs[0].at.x, 320, 1);
    EXPECT_NEAR(glyphs[0].at.y, 240, 1);
    EXPECT_EQ(glyphs[1].at, video.ImageToScreen({ 100.0 / 640, 50.0 / 480 }));
    EXPECT_LT(glyphs[1].at.x, 0);
}

TEST_F(DocumentLinkTest, ToolsChooseWhatIsDrawnAndTheCursor)
{
    Click({ 320, 240 }); // one mark
    data.SetTool(document::toOriginAndAxes);
    Click({ 200, 200 }); // the origin
    ASSERT_EQ(data.OriginPlaced(), 1);
    TOverlay overlay;
    BuildDocumentOverlay(data, video, overlay);
    EXPECT_EQ(ShapesOf<TOverlayLine>(overlay).size(), 2u); // the two axes
    EXPECT_EQ(ShapesOf<TOverlayGlyph>(overlay).size(), 1u);
    EXPECT_EQ(video.Cursor().digit, -1);

    data.SetTool(document::toScale);
    EXPECT_EQ(video.Cursor().shape, TViewCursorShape::Scale);
    video.MouseDown(TMouseButton::Left, {}, { 100, 400 });
    video.MouseUp(TMouseButton::Left, {}, { 100, 400 });
    video.MouseMove({}, { 250, 400 });
    overlay.Clear();
    BuildDocumentOverlay(data, video, overlay);
    // Only the scale: its rubber line to the cursor with one head.
    EXPECT_EQ(ShapesOf<TOverlayGlyph>(overlay).size(), 0u);
    ASSERT_EQ(ShapesOf<TOverlayLine>(overlay).size(), 1u);
    EXPECT_EQ(ShapesOf<TOverlayLine>(overlay)[0].b, (TScreenPoint { 250, 400 }));
    EXPECT_EQ(ShapesOf<TOverlayPolygon>(overlay).size(), 1u);
    Click({ 300, 400 });
    overlay.Clear();
    BuildDocumentOverlay(data, video, overlay);
    EXPECT_EQ(ShapesOf<TOverlayPolygon>(overlay).size(), 2u);

    data.SetTool(document::toMoveMarks);
    EXPECT_EQ(video.Cursor().shape, TViewCursorShape::MoveTool);
}

TEST_F(DocumentLinkTest, TransparentPointingDrawsTheSheetThenItsMarks)
{
    ASSERT_TRUE(video.SetMode(vmTransparentPointing));
    EXPECT_EQ(video.MarkingMode(), TMarkSet::Transparent);
    data.SetTool(document::toTransparent);
    TOverlay overlay;
    BuildDocumentOverlay(data, video, overlay);
    const auto texts = ShapesOf<TOverlayText>(overlay);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "x");
    EXPECT_EQ(ShapesOf<TOverlayPolygon>(overlay).size(), 2u);
    EXPECT_TRUE(ShapesOf<TOverlayPolygon>(overlay)[0].filled);
}

TEST_F(DocumentLinkTest, OpeningSetsTheTimeBaseAndKeysReachTheDocument)
{
    ASSERT_TRUE(video.Open("again.mp4"));
    EXPECT_DOUBLE_EQ(data.RequiredDuration(), 0.04);
    const TColor before = data.MarkColor(0);
    EXPECT_TRUE(video.KeyDown(kKeyDigit0 + 1, {}));
    EXPECT_NE(data.MarkColor(0), before);
    // Entering fixed pointing gives the document the place-marks tool back.
    data.SetTool(document::toErase);
    video.SetMode(vmWorkshop);
    video.SetMode(vmFixedPointing);
    EXPECT_EQ(data.Tool(), document::toPlaceMarks);
}

} // namespace
} // namespace kinoval::video
