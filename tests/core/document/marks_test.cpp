#include "document_fixture.h"

#include "core/drawing/palette.h"

namespace kinoval::test {
namespace {

using document::rkErased;

class MarksTest : public DocumentTest { };

TEST_F(MarksTest, PlacementCyclesThroughObjectsAndStepsByFramesBetweenMarks)
{
    data->SetObjectsPerFrame(3);
    data->SetFramesNumberBetweenTwoMarks(2);
    view.rawFrame = 10;
    Click(0.1, 0.1);
    EXPECT_EQ(data->CurrentObject(), 1);
    EXPECT_EQ(view.rawFrame, 10);
    Click(0.2, 0.1);
    EXPECT_EQ(data->CurrentObject(), 2);
    Click(0.3, 0.1);
    EXPECT_EQ(view.rawFrame, 12);
    EXPECT_EQ(data->CurrentObject(), 0);
    EXPECT_EQ(data->MarksOnFrame(10), 3);
    EXPECT_EQ(data->MarkCount(), 3);
    // The stored position sits on the pixel the click gave.
    const auto* mark = data->FixedSet().AllMarks[1];
    EXPECT_EQ(mark->Screen, At(0.2, 0.1));
    EXPECT_EQ(mark->MarkOrderNumber, 1);
}

TEST_F(MarksTest, SimilarMarkIsRefusedWithAMessageAndNothingChanges)
{
    data->SetObjectsPerFrame(2);
    Click(0.1, 0.1);
    Click(0.2, 0.2); // object 1, view moves to frame 1
    view.rawFrame = 0;
    data->SetCurrentObject(1);
    const auto generation = data->Generation();
    Click(0.5, 0.5);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(dlg.LastRun().JoinedText(), "Une marque similaire existe déjà sur cette image.");
    ASSERT_EQ(dlg.LastRun().buttons.size(), 1u);
    EXPECT_EQ(dlg.LastRun().buttons[0].caption, "Ok");
    EXPECT_EQ(data->MarkCount(), 2);
    EXPECT_EQ(data->CurrentObject(), 1);
    EXPECT_EQ(data->Generation(), generation);
}

TEST_F(MarksTest, NothingIsPlacedWithoutAnOpenVideoAndCountsAreMinusOne)
{
    view.opened = false;
    Click(0.1, 0.1);
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_EQ(data->MarksOnFrame(0), -1);
    view.opened = true;
    EXPECT_EQ(data->MarksOnFrame(0), -1); // no container yet
    Click(0.1, 0.1);
    EXPECT_EQ(data->MarksOnFrame(0), 1);
}

TEST_F(MarksTest, UndoOfPlacedMarksGoesBackFrameByFrameNewestFirst)
{
    data->SetObjectsPerFrame(1);
    view.rawFrame = 3;
    Click(0.1, 0.1);
    Click(0.2, 0.1);
    Click(0.3, 0.1);
    EXPECT_EQ(view.rawFrame, 6);
    EXPECT_EQ(data->UndoCaption(), "Annuler Poser Marque");
    ASSERT_TRUE(data->Undo());
    EXPECT_EQ(view.rawFrame, 5);
    EXPECT_EQ(data->MarkCount(), 2);
    ASSERT_TRUE(data->Undo());
    EXPECT_EQ(view.rawFrame, 4);
    ASSERT_TRUE(data->Undo());
    EXPECT_EQ(view.rawFrame, 3);
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_FALSE(data->Undo());
    EXPECT_EQ(data->UndoCaption(), "");
}

TEST_F(MarksTest, UndoOfPlacedMarkRestoresTheCurrentObject)
{
    data->SetObjectsPerFrame(3);
    view.rawFrame = 10;
    Click(0.1, 0.1);
    Click(0.2, 0.1);
    Click(0.3, 0.1); // frame 11, object 0
    data->Undo();
    EXPECT_EQ(view.rawFrame, 10);
    EXPECT_EQ(data->CurrentObject(), 2);
    data->Undo();
    EXPECT_EQ(data->CurrentObject(), 1);
    data->Undo();
    EXPECT_EQ(data->CurrentObject(), 0); // the container is empty now
}

TEST_F(MarksTest, RightClickRemovesTheLastMarkAndUndoPutsItBackMovingOn)
{
    data->SetObjectsPerFrame(2);
    view.rawFrame = 4;
    Click(0.1, 0.1);
    Click(0.2, 0.2); // view to 5, object 0
    data->MouseDown(TMouseButton::Right, At(0.5, 0.5));
    EXPECT_EQ(data->MarkCount(), 1);
    EXPECT_EQ(view.rawFrame, 4);
    EXPECT_EQ(data->CurrentObject(), 1);
    EXPECT_EQ(data->UndoCaption(), "Annuler Supprimer Marque");
    data->Undo(); // put back as if placed again
    EXPECT_EQ(data->MarkCount(), 2);
    EXPECT_EQ(view.rawFrame, 5);
    EXPECT_EQ(data->CurrentObject(), 0);
    EXPECT_EQ(data->FixedSet().AllMarks[1]->Screen, At(0.2, 0.2));
}

TEST_F(MarksTest, MovedMarkUndoesAndDropWhereItWasLeavesNoStep)
{
    Click(0.25, 0.25);
    data->SetTool(document::toMoveMarks);
    const TPoint p = At(0.25, 0.25);
    // Dropped where it was: the entry changed nothing and is pruned, so only the placement remains.
    Drag(p, p);
    EXPECT_EQ(data->UndoCaption(), "Annuler Poser Marque");
    EXPECT_EQ(data->MarksHistory().Count(), 1u);

    view.rawFrame = 40; // undo of a move leaves the view alone
    const TPoint q { p.x + 30, p.y + 12 };
    Drag(p, q);
    const auto* mark = data->FixedSet().AllMarks[0];
    EXPECT_EQ(mark->Screen, q);
    EXPECT_EQ(data->UndoCaption(), "Annuler Déplacer Marque");
    data->Undo();
    EXPECT_EQ(mark->Screen, p);
    EXPECT_DOUBLE_EQ(mark->GetImage().x, view.ScreenToImage(p).x);
    EXPECT_EQ(view.rawFrame, 40);
    EXPECT_EQ(data->MarkCount(), 1);
}

TEST_F(MarksTest, UndoingAMoveKeepsTheMarksCurrentSlot)
{
    data->SetObjectsPerFrame(2);
    data->SetCurrentObject(1);
    Click(0.1, 0.1); // object 1, slot 0
    Click(0.2, 0.2); // object 0, slot 1
    data->SetTool(document::toMoveMarks);
    Drag(At(0.2, 0.2), At(0.3, 0.3)); // recorded while in slot 1
    // Reducing the objects with the axes tool erases object 1 in the axes history; the moved mark is now
    // in slot 0.
    data->SetTool(document::toOriginAndAxes);
    data->SetObjectsPerFrame(1);
    data->SetTool(document::toMoveMarks);
    ASSERT_TRUE(data->Undo());
    ASSERT_EQ(data->MarkCount(), 1);
    EXPECT_EQ(data->FixedSet().AllMarks[0]->OwnerIndex, 0);
    EXPECT_EQ(data->FixedSet().AllMarks[0]->Screen, At(0.2, 0.2));
    data->RemoveLastMark();
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_EQ(data->MarksOnFrame(0), 0);
}

TEST_F(MarksTest, ErasedMarkComesBackAtItsSlot)
{
    data->SetObjectsPerFrame(2);
    Click(0.1, 0.1);
    Click(0.2, 0.1); // frame 1
    Click(0.3, 0.1);
    Click(0.4, 0.1); // frame 2
    data->SetTool(document::toErase);
    const auto* second = data->FixedSet().AllMarks[1];
    const int identity = second->Identity;
    view.rawFrame = 7;
    data->MouseDown(TMouseButton::Left, At(0.2, 0.1));
    data->MouseUp(TMouseButton::Left, At(0.2, 0.1));
    EXPECT_EQ(data->MarkCount(), 3);
    EXPECT_EQ(data->UndoCaption(), "Annuler Supprimer Marque");
    data->Undo();
    ASSERT_EQ(data->MarkCount(), 4);
    EXPECT_EQ(data->FixedSet().AllMarks[1]->Identity, identity);
    EXPECT_EQ(data->FixedSet().AllMarks[1]->OwnerIndex, 1);
    EXPECT_EQ(data->MarksOnFrame(0), 2);
    EXPECT_EQ(view.rawFrame, 7);
    EXPECT_EQ(data->CurrentObject(), 0);
}

TEST_F(MarksTest, RectangleEraseIsOneUndoStep)
{
    data->SetObjectsPerFrame(5);
    for (int k = 0; k < 5; ++k)
        Click(0.1 + 0.1 * k, 0.5);
    Click(0.9, 0.9); // frame 1, outside the rectangle
    data->SetTool(document::toErase);
    // Corners given bottom-right first: any order works, bounds included.
    Drag(At(0.5, 0.6), At(0.1, 0.4));
    EXPECT_EQ(data->MarkCount(), 1);
    EXPECT_EQ(data->MarksOnFrame(0), 0);
    data->Undo();
    EXPECT_EQ(data->MarkCount(), 6);
    EXPECT_EQ(data->MarksOnFrame(0), 5);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(data->FixedSet().AllMarks[static_cast<std::size_t>(i)]->OwnerIndex, i);
}

TEST_F(MarksTest, ErasingAFrameOfFiveMarksUndoesInOneStep)
{
    data->SetObjectsPerFrame(5);
    for (int k = 0; k < 5; ++k)
        Click(0.1 + 0.1 * k, 0.5);
    view.rawFrame = 0;
    data->SetTool(document::toErase);
    data->MouseDown(TMouseButton::Right, At(0.9, 0.9));
    EXPECT_EQ(data->MarksOnFrame(0), 0);
    data->Undo();
    EXPECT_EQ(data->MarksOnFrame(0), 5);
}

TEST_F(MarksTest, EraseAllResetsCurrentObjectAndUndoesAtOnce)
{
    data->SetObjectsPerFrame(2);
    for (int i = 0; i < 7; ++i)
        Click(0.1 * (i + 1), 0.5);
    EXPECT_EQ(data->CurrentObject(), 1);
    data->EraseAllMarks();
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_EQ(data->CurrentObject(), 0);
    data->Undo();
    EXPECT_EQ(data->MarkCount(), 7);
}

TEST_F(MarksTest, ObjectsPerFrameThreeTwoThree)
{
    data->SetObjectsPerFrame(3);
    for (int i = 0; i < 6; ++i)
        Click(0.1 * (i + 1), 0.5);
    data->SetObjectName(2, "la balle");
    data->SetCurrentObject(2);
    data->SetObjectsPerFrame(2);
    EXPECT_EQ(data->MarkCount(), 4);
    for (const auto* m : data->FixedSet().AllMarks)
        EXPECT_LT(m->MarkOrderNumber, 2);
    EXPECT_EQ(data->CurrentObject(), 0);
    EXPECT_EQ(data->ObjectName(2), "");
    data->SetMarkColor(2, clBlack); // the arrays are never shrunk
    data->SetObjectsPerFrame(3);
    EXPECT_EQ(data->MarkCount(), 4);
    EXPECT_EQ(data->ObjectName(2), "du point n°3");
    EXPECT_EQ(data->MarkColor(2), clBlack);
    EXPECT_EQ(data->MarkColor(1), ObjectColour(1));
}

TEST_F(MarksTest, ReducingObjectsPerFrameUndoesCountAndMarksTogether)
{
    data->SetObjectsPerFrame(3);
    for (int i = 0; i < 6; ++i)
        Click(0.1 * (i + 1), 0.5);
    data->SetObjectsPerFrame(1);
    EXPECT_EQ(data->MarkCount(), 2);
    data->Undo();
    EXPECT_EQ(data->ObjectsPerFrame(), 3);
    EXPECT_EQ(data->MarkCount(), 6);
    EXPECT_EQ(data->ObjectName(2), "du point n°3");
}

TEST_F(MarksTest, NewObjectsTakePaletteColoursAndDefaultsOutsideArrays)
{
    data->SetObjectsPerFrame(4);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(data->MarkColor(k), ObjectColour(k));
    EXPECT_EQ(data->MarkColor(40), clRed);
    EXPECT_EQ(data->MarkColor(-1), clRed);
    EXPECT_TRUE(data->MarkVisible(40));
    int colourNotes = 0;
    TConnection listening = data->Changed.Connect(
        [&](const document::TDocChange& c) { colourNotes += c.kind == document::TDocChangeKind::Colour ? 1 : 0; });
    data->SetMarkColor(40, clBlack); // ignored
    EXPECT_EQ(colourNotes, 0);
    data->SetMarkVisible(1, false);
    EXPECT_FALSE(data->MarkVisible(1));
    view.mode = TMarkSet::Transparent;
    EXPECT_TRUE(data->MarkVisible(1));
    EXPECT_EQ(data->ObjectName(5), "");
}

TEST_F(MarksTest, RenumberingSortsByFrameWithEmptyContainersLast)
{
    view.rawFrame = 30;
    Click(0.1, 0.1);
    view.rawFrame = 10;
    Click(0.2, 0.1);
    view.rawFrame = 20;
    Click(0.3, 0.1);
    auto& set = data->FixedSet();
    EXPECT_EQ(set.FindContainer(10)->MarksContainerMarkNumber, 0);
    EXPECT_EQ(set.FindContainer(20)->MarksContainerMarkNumber, 1);
    EXPECT_EQ(set.FindContainer(30)->MarksContainerMarkNumber, 2);
    EXPECT_EQ(data->MarkLabel(*set.FindContainer(30)->Marks[0]), "3");
    data->RemoveMark(set.FindContainer(10)->Marks[0].get(), rkErased);
    EXPECT_EQ(set.Containers.size(), 3u); // the emptied container stays
    EXPECT_EQ(set.FindContainer(10)->MarksContainerMarkNumber, 2);
    EXPECT_EQ(set.FindContainer(20)->MarksContainerMarkNumber, 0);
    EXPECT_EQ(set.FindContainer(30)->MarksContainerMarkNumber, 1);
    EXPECT_EQ(data->MarkLabel(*set.FindContainer(30)->Marks[0]), "2");
    settings.numberMarksFromZero = true;
    data->ApplySettings(settings);
    EXPECT_EQ(data->MarkLabel(*set.FindContainer(30)->Marks[0]), "1");
    data->SetNumberPosition(2);
    EXPECT_EQ(data->MarkLabel(*set.FindContainer(30)->Marks[0]), "");
}

TEST(MarkLabels, OffsetsFollowTheElementSize)
{
    EXPECT_EQ(document::MarkLabelOrigin({ 100, 50 }, 0, 0), (TPoint { 98, 54 }));
    EXPECT_EQ(document::MarkLabelOrigin({ 100, 50 }, 2, 0), (TPoint { 95, 61 }));
    EXPECT_EQ(document::MarkLabelOrigin({ 100, 50 }, 1, 1), (TPoint { 112, 41 }));
    EXPECT_EQ(document::MarkLabelFontSize(0, 9), 9);
    EXPECT_EQ(document::MarkLabelFontSize(2, 9), 15);
}

TEST_F(MarksTest, MarksToDrawKeepsTheMostRecentVisibleOnes)
{
    data->SetObjectsPerFrame(2);
    for (int i = 0; i < 6; ++i)
        Click(0.1 * (i + 1), 0.5);
    EXPECT_EQ(data->MarksToDrawList().size(), 6u);
    data->SetAllDrawn(false);
    data->SetMarksToDraw(3);
    auto drawn = data->MarksToDrawList();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0], data->FixedSet().AllMarks[3]);
    data->SetMarkVisible(1, false);
    drawn = data->MarksToDrawList();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0]->MarkOrderNumber, 0);
}

TEST_F(MarksTest, ExportGivesMinusOneForAMissingMarkAndStartsAtTimeZero)
{
    data->SetObjectsPerFrame(2);
    data->SetTimeBetweenFrames(0.04);
    view.rawFrame = 12;
    Click(0.5, 0.25);
    Click(0.75, 0.5); // frame 13
    Click(0.25, 0.75); // object 0 only on frame 13
    view.rawFrame = 20;
    data->SetCurrentObject(1);
    Click(1.0, 0.0);
    TMeasurement m;
    data->ExportMeasurement(TMarkSet::Fixed, m);
    ASSERT_EQ(m.times.size(), 3u);
    EXPECT_DOUBLE_EQ(m.times[0], 0.0);
    EXPECT_DOUBLE_EQ(m.times[1], 0.04);
    EXPECT_DOUBLE_EQ(m.times[2], 8 * 0.04);
    ASSERT_EQ(m.frames.size(), 2u);
    EXPECT_EQ(m.frames[0][0], 0);
    EXPECT_EQ(m.frames[1][1], -1);
    EXPECT_EQ(m.X[1][1], 0.0);
    EXPECT_EQ(m.Y[1][1], 0.0);
    EXPECT_EQ(m.frames[0][2], -1);
    EXPECT_EQ(m.frames[1][2], 8);
    // Y grows upward; no origin placed: measured from the top-left corner.
    EXPECT_DOUBLE_EQ(m.X[0][0], 0.5);
    EXPECT_DOUBLE_EQ(m.Y[0][0], -0.25);
    EXPECT_DOUBLE_EQ(m.X[1][2], 1.0);
}

TEST_F(MarksTest, ExportSkipsEmptyContainersAndAppliesTheMontageCorrection)
{
    view.rawFrame = 5;
    Click(0.1, 0.1);
    Click(0.2, 0.1); // 6
    Click(0.3, 0.1); // 7
    data->RemoveMark(data->FixedSet().FindContainer(6)->Marks[0].get(), rkErased);
    data->SetTimeBetweenFrames(1);
    data->MontageCorrection = [](int raw) { return raw >= 7 ? 3 : 0; };
    TMeasurement m;
    data->ExportMeasurement(TMarkSet::Fixed, m);
    ASSERT_EQ(m.times.size(), 2u);
    EXPECT_DOUBLE_EQ(m.times[1], 5.0);
    EXPECT_EQ(m.frames[0][1], 5);
}

TEST_F(MarksTest, ExportIsMeasuredFromThePlacedOrigin)
{
    data->SetTool(document::toOriginAndAxes);
    Click(0.5, 0.5);
    data->SetTool(document::toPlaceMarks);
    Click(0.75, 0.25);
    TMeasurement m;
    data->ExportMeasurement(TMarkSet::Fixed, m);
    EXPECT_DOUBLE_EQ(m.X[0][0], 0.25);
    EXPECT_DOUBLE_EQ(m.Y[0][0], 0.25);
}

TEST_F(MarksTest, ImportIsOneUndoGroupAndUpdatesExistingMarks)
{
    data->SetObjectsPerFrame(2);
    Click(0.1, 0.1); // object 0 on frame 0
    data->ImportMarks({ { { 0.5, 0.5 }, { 0.6, 0.6 } }, { { 0.7, 0.7 }, { 0.8, 0.8 } } }, { { 0, 1 }, { -1, 1 } });
    EXPECT_EQ(data->MarkCount(), 3);
    EXPECT_DOUBLE_EQ(data->FixedSet().FindContainer(0)->FindObject(0)->GetImage().x, 0.5);
    EXPECT_EQ(data->FixedSet().FindContainer(1)->FindObject(1)->Screen, At(0.8, 0.8));
    EXPECT_EQ(data->FixedSet().FindContainer(1)->MarksContainerMarkNumber, 1);
    data->Undo();
    EXPECT_EQ(data->MarkCount(), 1);
    EXPECT_DOUBLE_EQ(
        data->FixedSet().FindContainer(0)->FindObject(0)->GetImage().x, view.ScreenToImage(At(0.1, 0.1)).x);
}

TEST_F(MarksTest, AnImportLargerThanTheHistoryCapUndoesCompletely)
{
    const int frames = 33000; // 66 000 marks, beyond the 65 536 entries of a history
    view.frameCount = frames;
    data->SetObjectsPerFrame(2);
    std::vector<std::vector<TPointD>> positions(2, std::vector<TPointD>(frames, TPointD { 0.5, 0.5 }));
    std::vector<std::vector<int>> numbers(2, std::vector<int>(frames));
    for (int f = 0; f < frames; ++f)
        numbers[0][static_cast<std::size_t>(f)] = numbers[1][static_cast<std::size_t>(f)] = f;
    data->ImportMarks(positions, numbers);
    EXPECT_EQ(data->MarkCount(), 2 * frames);
    EXPECT_EQ(data->FixedSet().FindContainer(frames - 1)->MarksContainerMarkNumber, frames - 1);
    EXPECT_TRUE(data->Undo());
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_FALSE(data->Undo());
}

TEST_F(MarksTest, NewStudyResetsEverything)
{
    data->SetObjectsPerFrame(3);
    Click(0.1, 0.1);
    data->SetTool(document::toErase);
    data->SetTimeBetweenFrames(0.02);
    data->NewStudy();
    EXPECT_EQ(data->MarkCount(), 0);
    EXPECT_EQ(data->ObjectsPerFrame(), 1);
    EXPECT_EQ(data->Tool(), document::toPlaceMarks);
    EXPECT_EQ(data->RequiredDuration(), 0.0);
    EXPECT_EQ(data->ColourCount(), 1);
    EXPECT_FALSE(data->Undo());
    EXPECT_EQ(data->ObjectName(0), "du point n°1");
    EXPECT_EQ(data->ObjectName(1), "");
}

TEST_F(MarksTest, KeysCycleColoursAdvanceObjectAndUndo)
{
    data->SetObjectsPerFrame(3);
    EXPECT_TRUE(data->KeyDown({ TDocKey::Digit, 2, false }));
    EXPECT_EQ(data->MarkColor(1), ObjectColour(2));
    data->KeyDown({ TDocKey::Digit, 1, true });
    EXPECT_EQ(data->MarkColor(0), ObjectColour(-1)); // previous of the first is the last
    data->KeyDown({ TDocKey::Digit, 0, false });
    EXPECT_EQ(data->ElementColor(), ObjectColour(ColourIndex(0xFFFF) + 1));
    data->KeyDown({ TDocKey::Alt });
    EXPECT_EQ(data->CurrentObject(), 1);
    view.mouse = At(0.3, 0.3);
    data->KeyDown({ TDocKey::Enter });
    EXPECT_EQ(data->MarkCount(), 1);
    EXPECT_EQ(data->FixedSet().AllMarks[0]->MarkOrderNumber, 1);
    data->KeyDown({ TDocKey::CtrlA });
    EXPECT_EQ(data->MarkCount(), 0);
    view.capture = true;
    EXPECT_FALSE(data->KeyDown({ TDocKey::Digit, 2, false }));
    view.capture = false;
    view.zoomOrPanTool = true;
    EXPECT_FALSE(data->KeyDown({ TDocKey::Enter }));
}

TEST_F(MarksTest, MarksFollowZoomAndPan)
{
    Click(0.5, 0.5);
    view.zoom = 2;
    view.panX = -100;
    data->RefreshScreenPositions();
    EXPECT_EQ(data->FixedSet().AllMarks[0]->Screen, (TPoint { 540, 480 }));
}

TEST_F(MarksTest, NotificationsFire)
{
    int marks = 0, perFrame = 0, tool = 0, others = 0;
    auto count = [&](const document::TDocChange& c) {
        switch (c.kind) {
        case document::TDocChangeKind::Marks:
            ++marks;
            break;
        case document::TDocChangeKind::MarksPerFrame:
            ++perFrame;
            break;
        case document::TDocChangeKind::Tool:
            ++tool;
            break;
        default:
            ++others;
        }
    };
    // Two listeners hear the same changes, in any order of connection.
    int second = 0;
    TConnection a = data->Changed.Connect(count);
    TConnection b = data->Changed.Connect([&](const document::TDocChange&) { ++second; });
    Click(0.1, 0.1);
    data->SetObjectsPerFrame(2);
    data->SetTool(document::toMoveMarks);
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(perFrame, 1);
    EXPECT_EQ(tool, 1);
    EXPECT_EQ(others, 0);
    EXPECT_EQ(second, 3);
}

} // namespace
} // namespace kinoval::test
