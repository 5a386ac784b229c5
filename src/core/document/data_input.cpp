// TData: the tools' mouse and key behaviour on the view.
#include "core/common/tolerance.h"
#include "core/document/data.h"
#include "core/document/document_view.h"
#include "core/drawing/palette.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace kinoval::document {

namespace {

bool Near(TPoint a, TPoint b)
{
    return std::abs(a.x - b.x) <= 3 && std::abs(a.y - b.y) <= 3;
}

// Distance from p to the segment a-b, in pixels.
double SegmentDistance(TPoint p, TPoint a, TPoint b)
{
    const double vx = b.x - a.x;
    const double vy = b.y - a.y;
    const double wx = p.x - a.x;
    const double wy = p.y - a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? (wx * vx + wy * vy) / len2 : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const double dx = wx - t * vx;
    const double dy = wy - t * vy;
    return std::sqrt(dx * dx + dy * dy);
}

TColor NextColour(TColor colour, bool previous)
{
    const int index = ColourIndex(colour);
    if (index < 0)
        return previous ? ObjectColour(-1) : ObjectColour(0);
    return ObjectColour(previous ? index - 1 : index + 1);
}

} // namespace

bool TData::HitsAxisHalf(TPoint p, TPoint end) const
{
    return SegmentDistance(p, m_axes->OriginScreen, end) <= 3;
}

void TData::MouseDown(TMouseButton button, TPoint p)
{
    if (m_context.view == nullptr || !m_context.view->IsOpened())
        return;
    switch (m_tool) {
    case toPlaceMarks:
        PlaceMarksDown(button, p);
        break;
    case toMoveMarks:
        MoveMarksDown(button, p);
        break;
    case toErase:
        EraseDown(button, p);
        break;
    case toOriginAndAxes:
        if (!IsTransparentMode())
            OriginDown(button, p);
        break;
    case toScale:
        ScaleDown(button, p);
        break;
    case toTransparent:
        if (IsTransparentMode())
            SheetDown(button, p);
        break;
    default:
        break;
    }
}

void TData::MouseMove(TPoint p)
{
    if (m_context.view == nullptr || !m_context.view->IsOpened())
        return;
    TPolyContainer& set = CurrentSet();
    switch (m_tool) {
    case toMoveMarks:
        if (set.DragState == 1 && set.SelectedMark >= 0 && set.SelectedMark < set.MarkCount()) {
            TMarque* mark = set.AllMarks[static_cast<std::size_t>(set.SelectedMark)];
            mark->SetImage(m_context.view->ScreenToImage(p));
            mark->RefreshScreen();
            Repaint();
        } else {
            bool over = false;
            for (const TMarque* m : set.AllMarks)
                over = over || m->IsHit(p);
            SetCursor(over ? TViewCursor::OverMark : TViewCursor::MoveTool);
        }
        break;
    case toErase:
        if (set.DragState == 2) {
            set.EraseRect[1] = p;
            Repaint();
        } else {
            bool over = false;
            for (const TMarque* m : set.AllMarks)
                over = over || m->IsHit(p);
            SetCursor(over ? TViewCursor::OverMark : TViewCursor::EraseTool);
        }
        break;
    case toOriginAndAxes:
        if (!IsTransparentMode())
            OriginMove(p);
        break;
    case toScale:
        ScaleMove(p);
        break;
    case toTransparent:
        if (!IsTransparentMode())
            break;
        if (m_sheet->Stage == 1) {
            const TPointD at = m_context.view->ScreenToImage(p);
            m_sheet->SetOrigin({ at.x - m_sheet->GrabOffset.x, at.y - m_sheet->GrabOffset.y });
            RefreshSheet();
            Repaint();
        }
        SetCursor(m_sheet->Stage == 2 ? TViewCursor::MarkCross : TViewCursor::Sheet);
        break;
    default:
        break;
    }
}

void TData::MouseUp(TMouseButton button, TPoint p)
{
    if (m_context.view == nullptr)
        return;
    TPolyContainer& set = CurrentSet();
    switch (m_tool) {
    case toMoveMarks:
        set.DragState = 0;
        set.SelectedMark = -1;
        break;
    case toErase:
        if (set.DragState == 2) {
            set.DragState = 0;
            set.EraseRect[1] = p;
            EraseMarksInRect(set.EraseRect[0], set.EraseRect[1]);
        }
        break;
    case toOriginAndAxes:
        m_axes->DragState = 0;
        break;
    case toScale:
        m_scale->DraggedItem = -2;
        break;
    case toTransparent:
        if (button == TMouseButton::Left && IsTransparentMode() && m_sheet->Stage == 1)
            SheetUp(p);
        break;
    default:
        break;
    }
}

// ---- place marks ----

void TData::PlaceMarksDown(TMouseButton button, TPoint p)
{
    if (button == TMouseButton::Left)
        PlaceMark(p);
    else if (button == TMouseButton::Right)
        RemoveLastMark();
}

// ---- move marks ----

void TData::MoveMarksDown(TMouseButton button, TPoint p)
{
    if (button != TMouseButton::Left)
        return;
    TPolyContainer& set = CurrentSet();
    for (std::size_t i = 0; i < set.AllMarks.size(); ++i)
        if (set.AllMarks[i]->IsHit(p)) {
            set.SelectedMark = static_cast<int>(i);
            Record(*set.AllMarks[i], rkModified);
            set.DragState = 1;
            return;
        }
}

// ---- erase ----

void TData::EraseDown(TMouseButton button, TPoint p)
{
    TPolyContainer& set = CurrentSet();
    if (button == TMouseButton::Right) {
        EraseCurrentFrameMarks();
        return;
    }
    if (button != TMouseButton::Left)
        return;
    for (TMarque* m : set.AllMarks)
        if (m->IsHit(p)) {
            RemoveMark(m, rkErased);
            Repaint();
            return;
        }
    set.EraseRect[0] = set.EraseRect[1] = p;
    set.DragState = 2;
}

// ---- origin and axes ----

void TData::OriginDown(TMouseButton button, TPoint p)
{
    TRepereFixe& axes = *m_axes;
    if (button == TMouseButton::Right) {
        RemoveAxes();
        return;
    }
    if (button != TMouseButton::Left)
        return;
    if (axes.OriginePointsNumber == 0) {
        Record(axes, rkOriginPlaced);
        axes.OriginePointsNumber = 1;
        axes.SetOrigin(m_context.view->ScreenToImage(p));
        m_context.MarkOutOfDate();
        axes.RefreshLines();
        m_fixedSet->RefreshScreens();
        Notify(TDocChangeKind::Axes);
        Repaint();
        return;
    }
    if (Near(p, axes.OriginScreen)) {
        Record(axes, rkModified);
        axes.Anchor = p;
        axes.DragState = 1;
    } else if (HitsAxisHalf(p, axes.XPositive)) {
        Record(axes, rkAxisAngle);
        axes.DragState = 2;
    } else if (HitsAxisHalf(p, axes.YPositive)) {
        Record(axes, rkAxisAngle);
        axes.DragState = 3;
    }
}

void TData::OriginMove(TPoint p)
{
    TRepereFixe& axes = *m_axes;
    const double ox = axes.OriginScreen.x;
    const double oy = axes.OriginScreen.y;
    switch (axes.DragState) {
    case 1: {
        const TPoint moved { axes.OriginScreen.x + p.x - axes.Anchor.x, axes.OriginScreen.y + p.y - axes.Anchor.y };
        axes.SetOrigin(m_context.view->ScreenToImage(moved));
        axes.RefreshLines();
        axes.Anchor = p;
        Notify(TDocChangeKind::Axes);
        Repaint();
        break;
    }
    case 2:
        axes.SetXAxisAngle(axes.DirectXAxisDirection ? std::atan2(oy - p.y, p.x - ox) : std::atan2(p.y - oy, ox - p.x));
        axes.RefreshLines();
        Notify(TDocChangeKind::Axes);
        Repaint();
        break;
    case 3:
        axes.SetYAxisAngle(axes.DirectYAxisDirection ? std::atan2(oy - p.y, p.x - ox) : std::atan2(p.y - oy, ox - p.x));
        axes.RefreshLines();
        Notify(TDocChangeKind::Axes);
        Repaint();
        break;
    default:
        if (axes.OriginePointsNumber > 0 && Near(p, axes.OriginScreen))
            SetCursor(TViewCursor::OriginMove);
        else if (axes.OriginePointsNumber > 0 && (HitsAxisHalf(p, axes.XPositive) || HitsAxisHalf(p, axes.YPositive)))
            SetCursor(TViewCursor::AxisTurn);
        else
            SetCursor(TViewCursor::Default);
        break;
    }
}

// ---- scale ----

void TData::ScaleDown(TMouseButton button, TPoint p)
{
    TEchelle& e = *m_scale;
    const int kind = e.Kind;
    int& count = e.PointsNumber[kind];
    if (button == TMouseButton::Right) {
        if (count <= 0)
            return;
        if (count == 2)
            Record(e, rkRemoved);
        --count;
        e.Point(kind, count) = { 0, 0 };
        e.RefreshScreen();
        m_context.MarkOutOfDate();
        Notify(TDocChangeKind::Scale);
        Repaint();
        return;
    }
    if (button != TMouseButton::Left)
        return;
    if (count < 2) {
        if (count == 0) {
            Record(e, rkScalePoint);
            e.Point(kind, 0) = m_context.view->ScreenToImage(p);
        } else {
            const TPoint first = e.ScreenPoint(kind, 0);
            const bool same = kind == skSingle ? p == first : (kind == skHorizontal ? p.x == first.x : p.y == first.y);
            if (same)
                return;
            Record(e, rkScalePoint);
            TPointD second = m_context.view->ScreenToImage(p);
            if (kind == skHorizontal)
                second.y = e.Point(kind, 0).y;
            else if (kind == skVertical)
                second.x = e.Point(kind, 0).x;
            e.Point(kind, 1) = second;
        }
        ++count;
        m_context.MarkOutOfDate();
        e.RefreshScreen();
        Repaint();
        Notify(TDocChangeKind::Scale);
        return;
    }
    const TPoint a = e.ScreenPoint(kind, 0);
    const TPoint b = e.ScreenPoint(kind, 1);
    const bool onSegment = SegmentDistance(p, a, b) < 3;
    const bool close = std::abs(a.x - b.x) < 3 && std::abs(a.y - b.y) < 3;
    if (close && onSegment) {
        Record(e, rkModified);
        e.DraggedItem = -1;
    } else if (Near(p, a)) {
        Record(e, rkObjectsPerFrame);
        e.DraggedItem = 0;
    } else if (Near(p, b)) {
        Record(e, rkObjectsPerFrame);
        e.DraggedItem = 1;
    } else if (onSegment) {
        Record(e, rkModified);
        e.DraggedItem = -1;
    } else {
        e.DraggedItem = -2;
    }
    e.Anchor = p;
}

void TData::ScaleMove(TPoint p)
{
    TEchelle& e = *m_scale;
    const int kind = e.Kind;
    if (e.DraggedItem == -2 || e.PointsNumber[kind] < 2) {
        if (e.PointsNumber[kind] == 1)
            Repaint(); // the rubber line follows the cursor
        return;
    }
    if (e.DraggedItem == -1) {
        const int dx = p.x - e.Anchor.x;
        const int dy = p.y - e.Anchor.y;
        for (int i = 0; i < 2; ++i) {
            const TPoint s = e.ScreenPoint(kind, i);
            e.Point(kind, i) = m_context.view->ScreenToImage({ s.x + dx, s.y + dy });
        }
    } else {
        const int i = e.DraggedItem;
        const int other = 1 - i;
        TPointD moved = m_context.view->ScreenToImage(p);
        if (kind == skHorizontal)
            moved.y = e.Point(kind, other).y;
        else if (kind == skVertical)
            moved.x = e.Point(kind, other).x;
        e.Point(kind, i) = moved;
    }
    e.Anchor = p;
    e.RefreshScreen();
    m_context.MarkOutOfDate();
    Repaint();
}

// ---- transparent sheet ----

void TData::SheetDown(TMouseButton button, TPoint p)
{
    TTransparent& sheet = *m_sheet;
    TDocumentView& view = *m_context.view;
    if (button == TMouseButton::Right) {
        if (sheet.Stage == 2) {
            // Take back the last move of the sheet.
            if (TOrigine* last = sheet.LastOrigine()) {
                view.GoToRawFrame(last->OrigineImageNumber);
                RemoveDatedOrigin(last, rkOriginErasedLast);
            }
            sheet.PreviousStage();
            sheet.PreviousStage();
        } else if (sheet.Stage == 0 && !m_tspSet->AllMarks.empty()) {
            RemoveMark(m_tspSet->AllMarks.back(), rkErasedLast);
            sheet.PreviousStage();
        }
        SetCursor(sheet.Stage == 2 ? TViewCursor::MarkCross : TViewCursor::Sheet);
        Repaint();
        return;
    }
    if (button != TMouseButton::Left)
        return;
    if (sheet.Stage == 0) {
        sheet.GrabPoint = view.ScreenToImage(p);
        sheet.GrabOffset = { sheet.GrabPoint.x - sheet.OrigineCurrent.x, sheet.GrabPoint.y - sheet.OrigineCurrent.y };
        sheet.NextStage();
    } else if (sheet.Stage == 2) {
        if (!PlaceMarkAt(p, false))
            return;
        if (TOrigine* last = sheet.LastOrigine())
            last->OrigineImageNumber = view.CurrentRawFrame();
        AdvanceView();
        sheet.NextStage();
        SetCursor(TViewCursor::Sheet);
    }
}

void TData::SheetUp(TPoint p)
{
    TTransparent& sheet = *m_sheet;
    TDocumentView& view = *m_context.view;
    const TPointD at = view.ScreenToImage(p);
    sheet.SetOrigin({ at.x - sheet.GrabOffset.x, at.y - sheet.GrabOffset.y });
    const int frame = view.CurrentRawFrame();
    if (TOrigine* dated = sheet.FindOrigineOfFrame(frame)) {
        dated->Position = sheet.OrigineCurrent;
    } else {
        auto origin = std::make_unique<TOrigine>(&m_context);
        origin->OrigineImageNumber = frame;
        origin->Position = sheet.OrigineCurrent;
        sheet.AddOrigine(std::move(origin), rkOriginAddedMoving);
    }
    m_context.MarkOutOfDate();
    RefreshSheet();
    sheet.NextStage();
    SetCursor(TViewCursor::MarkCross);
    Repaint();
}

// ---- keys ----

bool TData::KeyDown(const TDocKeyEvent& key)
{
    TDocumentView* view = m_context.view;
    if (view == nullptr || view->IsCaptureMode())
        return false;
    if (key.key == TDocKey::Digit) {
        if (key.digit == 0) {
            SetElementColor(NextColour(m_elementColor, key.ctrl));
        } else if (key.digit >= 1 && key.digit <= 9) {
            SetMarkColor(key.digit - 1, NextColour(MarkColor(key.digit - 1), key.ctrl));
        } else {
            return false;
        }
        return true;
    }
    if (!InPointing())
        return false;
    switch (key.key) {
    case TDocKey::Enter: {
        if (view->IsZoomOrPanToolActive())
            return false;
        const TPoint at = view->MouseCursorPos();
        const bool dragging = (m_tool == toMoveMarks && CurrentSet().DragState == 1)
            || (m_tool == toTransparent && m_sheet->Stage == 1)
            || (m_tool == toOriginAndAxes && m_axes->DragState != 0);
        if (dragging)
            MouseUp(TMouseButton::Left, at);
        else
            MouseDown(TMouseButton::Left, at);
        return true;
    }
    case TDocKey::Escape:
        if (m_tool != toTransparent)
            return false;
        MouseDown(TMouseButton::Right, view->MouseCursorPos());
        return true;
    case TDocKey::Alt:
        if (m_tool != toPlaceMarks)
            return false;
        SetCurrentObject(CurrentObject() + 1);
        return true;
    case TDocKey::CtrlA:
        Undo();
        return true;
    case TDocKey::Plus:
    case TDocKey::Minus: {
        if (m_tool != toTransparent || !IsTransparentMode())
            return false;
        if (key.key == TDocKey::Plus ? m_sheet->Grow() : m_sheet->Shrink()) {
            m_context.MarkOutOfDate();
            Repaint();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace kinoval::document
