#pragma once
// A view for document tests: a frame sequence without montage (montage numbers are raw numbers), a frame
// of a chosen size shown at a zoom with a pan offset, a mouse cursor position the test moves, and
// counters of what the document asked for.

#include "core/document/document_view.h"

#include <vector>

namespace kinoval::test {

class TFakeView : public TDocumentView {
public:
    bool opened = true;
    int frameCount = 100;
    int rawFrame = 0;
    TMarkSet mode = TMarkSet::Fixed;
    bool pointing = true;
    bool capture = false;
    bool zoomOrPanTool = false;
    int frameWidth = 640;
    int frameHeight = 480;
    int clientWidth = 800;
    int clientHeight = 600;
    double zoom = 1;
    int panX = 0;
    int panY = 0;
    TPoint mouse;
    TViewCursor cursor = TViewCursor::Default;
    int repaints = 0;
    std::vector<int> visited; // every frame the document moved the view to
    std::vector<double> frameTimes; // the frames' own times, empty for a player that only knows the rate

    bool IsOpened() const override { return opened; }
    int FrameCount() const override { return frameCount; }
    int CurrentRawFrame() const override { return rawFrame; }
    int CurrentMontageFrame() const override { return rawFrame; }
    void GoToMontageFrame(int frame) override;
    void GoToRawFrame(int frame) override { GoToMontageFrame(frame); }
    TMarkSet MarkingMode() const override { return mode; }
    bool IsPointingMode() const override { return pointing; }
    bool IsCaptureMode() const override { return capture; }
    bool IsZoomOrPanToolActive() const override { return zoomOrPanTool; }
    int FrameWidth() const override { return frameWidth; }
    int FrameHeight() const override { return frameHeight; }
    int ClientWidth() const override { return clientWidth; }
    int ClientHeight() const override { return clientHeight; }
    double Zoom() const override { return zoom; }
    TPointD ScreenToImage(TPoint p) const override;
    TPoint ImageToScreen(TPointD p) const override;
    TPoint MouseCursorPos() const override { return mouse; }
    void SetCursorShape(TViewCursor shape) override { cursor = shape; }
    void Repaint() override { ++repaints; }
    const std::vector<double>* FrameTimes() const override { return frameTimes.empty() ? nullptr : &frameTimes; }
};

} // namespace kinoval::test
