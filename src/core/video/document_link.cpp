#include "core/video/document_link.h"

namespace kinoval::video {
namespace {

kinoval::TMouseButton DocButton(TMouseButton b)
{
    switch (b) {
    case TMouseButton::Left:
        return kinoval::TMouseButton::Left;
    case TMouseButton::Right:
        return kinoval::TMouseButton::Right;
    case TMouseButton::Middle:
        break;
    }
    return kinoval::TMouseButton::Middle;
}

void AddMarks(document::TData& data, TOverlay& overlay)
{
    const int size = data.ElementSize();
    for (const document::TMarque* mark : data.MarksToDrawList()) {
        const int object = mark->MarkOrderNumber;
        AddMark(overlay, mark->Screen, object, data.MarkColor(object), size, mark->Set->MarksNumberPosition,
            data.MarkLabel(*mark));
    }
}

void AddScales(document::TData& data, TOverlay& overlay)
{
    const document::TEchelle& scale = data.Scale();
    const TColor colour = data.ElementColor();
    const int size = data.ElementSize();
    // The single scale alone, or the horizontal and vertical ones together.
    const bool separate = scale.Kind != document::skSingle;
    for (int kind = 0; kind < 3; ++kind) {
        if ((kind == document::skSingle) == separate)
            continue;
        if (scale.PointsNumber[kind] >= 2)
            AddScale(overlay, scale.Screen[kind * 2], scale.Screen[kind * 2 + 1], colour, size);
    }
    TPoint from, to;
    if (data.RubberLine(from, to))
        AddScaleRubber(overlay, from, to, colour, size);
}

} // namespace

void TDocumentInput::MouseDown(TMouseButton button, TShiftState, TScreenPoint p)
{
    m_data.MouseDown(DocButton(button), p);
}

void TDocumentInput::MouseMove(TShiftState, TScreenPoint p)
{
    m_data.MouseMove(p);
}

void TDocumentInput::MouseUp(TMouseButton button, TShiftState, TScreenPoint p)
{
    m_data.MouseUp(DocButton(button), p);
}

bool TDocumentInput::KeyDown(int key, TShiftState shift)
{
    TDocKeyEvent e;
    e.ctrl = shift.ctrl;
    if (key >= kKeyDigit0 && key < kKeyDigit0 + 10) {
        e.key = TDocKey::Digit;
        e.digit = key - kKeyDigit0;
    } else if (key == kKeyLetterA && shift.ctrl) {
        e.key = TDocKey::CtrlA;
    } else if (key == kKeyEnter) {
        e.key = TDocKey::Enter;
    } else if (key == kKeyEscape) {
        e.key = TDocKey::Escape;
    } else if (key == kKeyAlt) {
        e.key = TDocKey::Alt;
    } else if (key == kKeyPlus) {
        e.key = TDocKey::Plus;
    } else if (key == kKeyMinus) {
        e.key = TDocKey::Minus;
    } else {
        return false;
    }
    return m_data.KeyDown(e);
}

TCursorChoice TDocumentInput::Cursor() const
{
    using S = TViewCursorShape;
    switch (m_data.Tool()) {
    case document::toScale:
        return { S::Scale, -1 };
    case document::toPlaceMarks: {
        const int perFrame = m_data.ObjectsPerFrame();
        return { S::Cross, perFrame > 1 ? m_data.CurrentObject() % 10 : -1 };
    }
    default:
        break;
    }
    switch (m_video.DocumentCursorShape()) {
    case TViewCursor::OverMark:
        return { S::OverMark, -1 };
    case TViewCursor::MoveTool:
        return { S::MoveTool, -1 };
    case TViewCursor::EraseTool:
        return { S::EraseTool, -1 };
    case TViewCursor::OriginMove:
        return { S::OriginMove, -1 };
    case TViewCursor::AxisTurn:
        return { S::AxisTurn, -1 };
    case TViewCursor::Sheet:
        return { S::Sheet, -1 };
    case TViewCursor::MarkCross:
        return { S::Cross, -1 };
    case TViewCursor::Default:
        break;
    }
    // Before the pointer has moved over anything the tool's own shape shows.
    switch (m_data.Tool()) {
    case document::toMoveMarks:
        return { S::MoveTool, -1 };
    case document::toErase:
        return { S::EraseTool, -1 };
    case document::toTransparent:
        return { m_data.Sheet().Stage == 2 ? S::Cross : S::Sheet, -1 };
    default:
        return {};
    }
}

void BuildDocumentOverlay(document::TData& data, const TVideo& video, TOverlay& overlay)
{
    if (!video.IsPointingMode() || !video.IsOpened())
        return;
    const document::TPolyContainer& set = data.CurrentSet();
    if (set.DragState == 2)
        AddFocusRect(overlay, set.EraseRect[0], set.EraseRect[1]);
    if (data.Tool() == document::toScale) {
        AddScales(data, overlay);
        return;
    }
    const TColor colour = data.ElementColor();
    const int size = data.ElementSize();
    if (video.IsTransparentMarking()) {
        document::TTransparent& sheet = data.Sheet();
        AddSheet(overlay, sheet.Corners[0], sheet.Corners[1], video.ImageToScreen(sheet.OrigineCurrent),
            sheet.DirectXAxisDirection, sheet.DirectYAxisDirection, colour, size);
    } else {
        const document::TRepereFixe& axes = data.Axes();
        if (axes.OriginePointsNumber > 0)
            AddAxes(overlay, axes.XNegative, axes.XPositive, axes.YNegative, axes.YPositive, colour, size);
    }
    AddMarks(data, overlay);
}

TConnections LinkDocument(TVideo& video, document::TData& data, TDocumentInput& input)
{
    data.SetView(&video);
    video.SetPointingReceiver(&input);
    video.hooks.lastPointedRawFrame = [&data] { return data.LastContainerFrame(); };
    TConnections links;
    links += video.notify.videoOpened.Connect(
        [&data](const TPlayer& player) { data.SetTimeBetweenFrames(player.FrameDuration()); });
    links += video.notify.fixedPointingEntered.Connect(
        [&data](bool videoOpen) { data.SetTool(videoOpen ? document::toPlaceMarks : document::toNone); });
    return links;
}

} // namespace kinoval::video
