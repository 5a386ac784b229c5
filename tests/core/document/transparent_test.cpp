#include "document_fixture.h"

namespace kinoval::test {
namespace {

class SheetTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        view.mode = TMarkSet::Transparent;
        data->SetTool(document::toTransparent);
    }
    // Lays the sheet: grab at one point, drop at another.
    void MoveSheet(TPoint from, TPoint to) { Drag(from, to); }
    document::TTransparent& Sheet() { return data->Sheet(); }
};

TEST_F(SheetTest, DefaultOriginAndItsDependenceOnDirections)
{
    EXPECT_DOUBLE_EQ(Sheet().DefaultOrigin->Position.x, 0.45);
    EXPECT_DOUBLE_EQ(Sheet().DefaultOrigin->Position.y, 0.55);
    EXPECT_DOUBLE_EQ(Sheet().OrigineCurrent.x, 0.45);
    data->SetXAxisDirect(false);
    EXPECT_DOUBLE_EQ(Sheet().OrigineCurrent.x, 0.55);
    data->SetYAxisDirect(false);
    EXPECT_DOUBLE_EQ(Sheet().OrigineCurrent.y, 0.45);
    EXPECT_FALSE(data->Geometry(TMarkSet::Transparent).xAxisDirect);
}

TEST_F(SheetTest, PlusStopsOnceTheHalfWidthReachesOne)
{
    int grown = 0;
    for (int i = 0; i < 10; ++i) {
        const double before = Sheet().LayerWidth;
        data->KeyDown({TDocKey::Plus});
        grown += Sheet().LayerWidth > before ? 1 : 0;
    }
    // 0.5 x 1.1^7 = 0.974 < 1, one more reaches 1.07; then it stops.
    EXPECT_EQ(grown, 8);
    EXPECT_GE(Sheet().LayerWidth, 1.0);
    EXPECT_LT(Sheet().LayerWidth, 1.1);
    EXPECT_DOUBLE_EQ(Sheet().LayerHeight, Sheet().LayerWidth);
    EXPECT_EQ(data->UndoCaption(), "Annuler Déformer Transparent");
    data->Undo();
    EXPECT_LT(Sheet().LayerWidth, 1.0);
    for (int i = 0; i < 40; ++i)
        data->KeyDown({TDocKey::Minus});
    EXPECT_LE(Sheet().LayerWidth, 0.1);
    EXPECT_GT(Sheet().LayerWidth, 0.09);
}

TEST_F(SheetTest, StagesPlaceDragAndMark)
{
    view.rawFrame = 4;
    const TPoint grab = At(0.45, 0.55);
    data->MouseDown(TMouseButton::Left, grab);
    EXPECT_EQ(Sheet().Stage, 1);
    const TPoint drop = At(0.5, 0.5);
    data->MouseMove(drop);
    data->MouseUp(TMouseButton::Left, drop);
    EXPECT_EQ(Sheet().Stage, 2);
    EXPECT_EQ(view.cursor, TViewCursor::MarkCross);
    ASSERT_EQ(Sheet().Origines.size(), 1u);
    EXPECT_EQ(Sheet().Origines[0]->OrigineImageNumber, 4);
    EXPECT_NEAR(Sheet().OrigineCurrent.x, 0.5, 1e-9);
    Click(0.75, 0.25);
    EXPECT_EQ(Sheet().Stage, 0);
    EXPECT_EQ(view.rawFrame, 5);
    ASSERT_EQ(data->MarkCount(), 1);
    const auto* mark = data->TransparentSet().AllMarks[0];
    EXPECT_NEAR(mark->GetRelative().x, 0.25, 1e-9);
    EXPECT_NEAR(mark->GetRelative().y, -0.25, 1e-9);
    TMeasurement m;
    data->ExportMeasurement(TMarkSet::Transparent, m);
    ASSERT_EQ(m.frames.size(), 1u);
    EXPECT_NEAR(m.Y[0][0], 0.25, 1e-9);
}

TEST_F(SheetTest, MarkingAFrameTwiceKeepsStageTwo)
{
    MoveSheet(At(0.45, 0.55), At(0.5, 0.5));
    Click(0.6, 0.6); // marks frame 0, moves to 1
    view.rawFrame = 0;
    MoveSheet(At(0.5, 0.5), At(0.5, 0.5));
    ASSERT_EQ(Sheet().Stage, 2);
    Click(0.7, 0.7);
    EXPECT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().JoinedText(), "Une marque similaire existe déjà sur cette image.");
    EXPECT_EQ(Sheet().Stage, 2);
    EXPECT_EQ(data->MarkCount(), 1);
}

TEST_F(SheetTest, RightClickInStageTwoTakesBackTheSheetMove)
{
    MoveSheet(At(0.45, 0.55), At(0.5, 0.5)); // frame 0
    Click(0.6, 0.6);                         // frame 1
    MoveSheet(At(0.5, 0.5), At(0.3, 0.3));
    ASSERT_EQ(Sheet().Stage, 2);
    ASSERT_EQ(Sheet().Origines.size(), 2u);
    data->MouseDown(TMouseButton::Right, At(0.1, 0.1));
    EXPECT_EQ(Sheet().Stage, 0);
    EXPECT_EQ(Sheet().Origines.size(), 1u);
    EXPECT_NEAR(Sheet().OrigineCurrent.x, 0.5, 1e-9);
    EXPECT_EQ(view.rawFrame, 1);
    // Stage 0: the right button takes back the last mark and goes to stage 2 on its frame.
    data->MouseDown(TMouseButton::Right, At(0.1, 0.1));
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_EQ(Sheet().Stage, 2);
    EXPECT_EQ(view.rawFrame, 0);
    // Escape acts as the right button: back to stage 0, the first sheet position undone.
    data->KeyDown({TDocKey::Escape});
    EXPECT_EQ(Sheet().Stage, 0);
    EXPECT_TRUE(Sheet().Origines.empty());
    EXPECT_DOUBLE_EQ(Sheet().OrigineCurrent.x, 0.45);
}

TEST_F(SheetTest, UndoInTheTransparentHistory)
{
    MoveSheet(At(0.45, 0.55), At(0.5, 0.5));
    Click(0.6, 0.6);
    EXPECT_EQ(data->TransparentHistory().Count(), 2u);
    EXPECT_EQ(data->MarksHistory().Count(), 0u);
    data->Undo(); // the mark
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_EQ(view.rawFrame, 0);
    data->Undo(); // the sheet's dated origin
    EXPECT_TRUE(Sheet().Origines.empty());
    EXPECT_DOUBLE_EQ(Sheet().OrigineCurrent.x, 0.45);
}

TEST_F(SheetTest, EraseAllRemovesDatedOriginsInOneStep)
{
    MoveSheet(At(0.45, 0.55), At(0.5, 0.5));
    Click(0.6, 0.6);
    MoveSheet(At(0.5, 0.5), At(0.4, 0.5));
    Click(0.7, 0.6);
    ASSERT_EQ(Sheet().Origines.size(), 2u);
    data->EraseAllMarks();
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_TRUE(Sheet().Origines.empty());
    EXPECT_DOUBLE_EQ(Sheet().OrigineCurrent.x, 0.45);
    data->Undo();
    EXPECT_EQ(data->MarkCount(), 2);
    EXPECT_EQ(Sheet().Origines.size(), 2u);
    EXPECT_NEAR(Sheet().OrigineCurrent.x, 0.4, 1e-9);
}

TEST_F(SheetTest, TransparentSetHasOneObjectAndTwoNames)
{
    data->SetObjectsPerFrame(4);
    EXPECT_EQ(data->ObjectsPerFrame(), 1);
    data->SetCurrentObject(3);
    EXPECT_EQ(data->CurrentObject(), 0);
    EXPECT_EQ(data->ObjectName(1), "du point n°2");
    EXPECT_TRUE(data->TransparentSet().HasDefaultNames());
    data->SetObjectName(0, "le train");
    EXPECT_FALSE(data->TransparentSet().HasDefaultNames());
    EXPECT_TRUE(data->FixedSet().HasDefaultNames());
}

} // namespace
} // namespace kinoval::test
