#include "core/tracking/tracking_adapters.h"

#include "core/document/data.h"
#include "core/video/video.h"

namespace kinoval::tracking {

bool TVideoTrackingView::IsOpened() const
{
    return m_video.IsOpened();
}
int TVideoTrackingView::FrameCount() const
{
    return m_video.FrameCount();
}
int TVideoTrackingView::CurrentFrame() const
{
    return m_video.CurrentMontageFrame();
}
int TVideoTrackingView::CurrentRawFrame() const
{
    return m_video.CurrentRawFrame();
}
bool TVideoTrackingView::GoToFrame(int frame)
{
    return m_video.GoToFrame(frame);
}
bool TVideoTrackingView::CopyCurrentFrame(TRgbImage& target)
{
    return m_video.DrawCurrentFrame(target);
}
int TVideoTrackingView::FrameWidth() const
{
    return m_video.FrameWidth();
}
int TVideoTrackingView::FrameHeight() const
{
    return m_video.FrameHeight();
}

TPoint TVideoTrackingView::ImageToScreen(TPointD p) const
{
    const TScreenPoint s = m_video.ImageToScreen({ p.x, p.y });
    return { s.x, s.y };
}

TPointD TVideoTrackingView::ScreenToImage(TPoint p) const
{
    const video::TImagePoint i = m_video.ScreenToImage({ p.x, p.y });
    return { i.x, i.y };
}

TPoint TVideoTrackingView::MouseCursorPos() const
{
    const TScreenPoint s = m_video.MouseCursorPos();
    return { s.x, s.y };
}

void TVideoTrackingView::SetMouseCursorPos(TPoint p)
{
    m_video.SetMouseCursorPos({ p.x, p.y });
    if (m_video.hooks.setMouseCursorPos)
        m_video.hooks.setMouseCursorPos({ p.x, p.y });
}

void TVideoTrackingView::Repaint()
{
    m_video.Repaint();
}

// The pen bears the tracked object's digit: choosing another object or a drawing mode changes it at once.
void TVideoTrackingView::CursorChanged()
{
    m_video.CursorMayHaveChanged();
}

int TDataTrackingDocument::ObjectsPerFrame() const
{
    return m_data.FixedSet().MarksNumberPerFrame;
}
int TDataTrackingDocument::FramesBetweenMarks() const
{
    return m_data.FramesNumberBetweenTwoMarks();
}
TColor TDataTrackingDocument::ObjectColor(int object) const
{
    return m_data.MarkColor(object);
}
TColor TDataTrackingDocument::DrawingColor() const
{
    return m_data.ElementColor();
}

void TDataTrackingDocument::ImportMarks(
    const std::vector<std::vector<TPointD>>& positions, const std::vector<std::vector<int>>& frames)
{
    m_data.ImportMarks(positions, frames);
}

} // namespace kinoval::tracking
