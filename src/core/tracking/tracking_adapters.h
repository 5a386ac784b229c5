#pragma once
// The tracking driver's view and document over the program's own view model and measurement document,
// as the main window hands them over.

#include "core/tracking/tracking_host.h"

namespace kinoval::video {
class TVideo;
}
namespace kinoval::document {
class TData;
}

namespace kinoval::tracking {

class TVideoTrackingView : public TTrackingView {
public:
    explicit TVideoTrackingView(video::TVideo& video)
        : m_video(video)
    {
    }
    bool IsOpened() const override;
    int FrameCount() const override;
    int CurrentFrame() const override;
    int CurrentRawFrame() const override;
    bool GoToFrame(int frame) override;
    bool CopyCurrentFrame(TRgbImage& target) override;
    int FrameWidth() const override;
    int FrameHeight() const override;
    TPoint ImageToScreen(TPointD p) const override;
    TPointD ScreenToImage(TPoint p) const override;
    TPoint MouseCursorPos() const override;
    void SetMouseCursorPos(TPoint p) override;
    void Repaint() override;
    void CursorChanged() override;

private:
    video::TVideo& m_video;
};

class TDataTrackingDocument : public TTrackingDocument {
public:
    explicit TDataTrackingDocument(document::TData& data)
        : m_data(data)
    {
    }
    int ObjectsPerFrame() const override;
    int FramesBetweenMarks() const override;
    TColor ObjectColor(int object) const override;
    TColor DrawingColor() const override;
    void ImportMarks(
        const std::vector<std::vector<TPointD>>& positions, const std::vector<std::vector<int>>& frames) override;

private:
    document::TData& m_data;
};

} // namespace kinoval::tracking
