#pragma once
// What the measurement document asks of the video view.
//
// The document never draws nor knows about widgets: it reads the view's frame position, marking mode and
// geometry through this interface, converts between normalised image coordinates and screen pixels with
// it, and asks it to move, repaint and change the mouse cursor. The view model implements it; the tests
// give the document a fake so that every tool runs headless, in screen pixels.

#include "core/document/doc_types.h"
#include "core/document/measurement.h"

#include <vector>

namespace kinoval {

// Cursor shapes the document's tools ask for; the view maps them onto its own pictures.
enum class TViewCursor {
    Default,
    OverMark, // a mark can be grabbed or erased
    MoveTool, // the move tool away from any mark
    EraseTool, // the erase tool away from any mark
    OriginMove, // over the origin of the axes
    AxisTurn, // over an axis half-line
    Sheet, // transparent sheet, placing or dragging
    MarkCross // transparent sheet, marking the object
};

class TDocumentView {
public:
    virtual ~TDocumentView() = default;

    virtual bool IsOpened() const = 0;
    virtual int FrameCount() const = 0; // in montage numbering
    virtual int RawFrameCount() const { return FrameCount(); } // every frame of the file, hidden ones too
    virtual int CurrentRawFrame() const = 0; // the player's own 0-based index
    virtual int CurrentMontageFrame() const = 0; // counting only the frames the montage keeps
    virtual void GoToMontageFrame(int frame) = 0; // a target outside the sequence is ignored
    virtual void GoToRawFrame(int frame) = 0; // the montage frame showing that raw frame

    virtual TMarkSet MarkingMode() const = 0;
    virtual bool IsPointingMode() const = 0; // fixed-frame or transparent pointing (not playing, capturing...)
    virtual bool IsCaptureMode() const = 0;
    virtual bool IsZoomOrPanToolActive() const = 0;

    virtual int FrameWidth() const = 0; // the video image, pixels
    virtual int FrameHeight() const = 0;
    virtual int ClientWidth() const = 0; // the view's client area, pixels
    virtual int ClientHeight() const = 0;
    virtual double Zoom() const = 0;

    // Screen pixel to normalised image position, clamped to [0, 1]; and back.
    virtual TPointD ScreenToImage(TPoint p) const = 0;
    virtual TPoint ImageToScreen(TPointD p) const = 0;
    virtual TPoint MouseCursorPos() const = 0; // in view pixels

    virtual void SetCursorShape(TViewCursor shape) = 0;
    virtual void Repaint() = 0;

    // The presentation time of each raw frame, seconds from the first frame, as the video file stamps
    // them; null when the player only knows the rate.
    virtual const std::vector<double>* FrameTimes() const { return nullptr; }
};

} // namespace kinoval
