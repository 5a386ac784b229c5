#pragma once
// What the tracking driver asks of the rest of the program: the view that shows and supplies the frames
// (in the numbering the view presents, montage numbering), and the document that gives the number of
// objects, their colours, the step between pointed frames, and takes the tracked positions as marks.
// The main window hands over adapters of the view model and of the measurement document; the headless
// tool gives a player without a screen and a document that prints; tests give fakes.

#include "core/common/colour.h"
#include "core/common/rgb_image.h"
#include "core/document/doc_types.h"

#include <vector>

namespace kinoval::tracking {

class TTrackingView {
public:
    virtual ~TTrackingView() = default;
    virtual bool IsOpened() const = 0;
    virtual int FrameCount() const = 0; // frames the view presents
    virtual int CurrentFrame() const = 0; // in that numbering
    virtual int CurrentRawFrame() const = 0; // the player's own index of the frame shown
    virtual bool GoToFrame(int frame) = 0; // true when the view moved (a target outside is ignored)
    virtual bool CopyCurrentFrame(TRgbImage& target) = 0; // the frame shown, full size
    virtual int FrameWidth() const = 0;
    virtual int FrameHeight() const = 0;
    // Normalised image position to the view's pixels, and back (clamped to [0, 1]).
    virtual TPoint ImageToScreen(TPointD p) const = 0;
    virtual TPointD ScreenToImage(TPoint p) const = 0;
    virtual TPoint MouseCursorPos() const = 0;
    virtual void SetMouseCursorPos(TPoint p) = 0;
    virtual void Repaint() = 0;
    virtual void CursorChanged() { }
    // A frame's number as the user reads it (the window counts from 1).
    virtual int FrameNumberShown(int frame) const { return frame + 1; }
};

class TTrackingDocument {
public:
    virtual ~TTrackingDocument() = default;
    virtual int ObjectsPerFrame() const = 0;
    virtual int FramesBetweenMarks() const = 0;
    virtual TColor ObjectColor(int object) const = 0;
    virtual TColor DrawingColor() const = 0; // the colour of the document's own elements
    // Per object, positions and raw frame numbers (negative: no position); one undo step.
    virtual void ImportMarks(
        const std::vector<std::vector<TPointD>>& positions, const std::vector<std::vector<int>>& frames)
        = 0;
};

} // namespace kinoval::tracking
