#pragma once
// What receives the view's mouse and keys in each mode: the measurement document in the pointing modes,
// the workshop and the tracker in theirs. The view only routes; each receiver converts points with the
// view's geometry and asks the view to repaint. Points are client pixels of the view.

#include "core/drawing/screen_point.h"

namespace kinoval::video {

enum class TMouseButton { Left, Right, Middle };

struct TShiftState {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool doubleClick = false; // the press is the second of a double click
};

// Keys the view itself reacts to or passes on; anything else arrives as kKeyOther with its character.
enum TViewKey : int {
    kKeyOther = 0,
    kKeyEnter,
    kKeyEscape,
    kKeyLeft,
    kKeyRight,
    kKeyUp,
    kKeyDown,
    kKeyPlus,
    kKeyMinus,
    kKeyAlt,
    kKeyDigit0, // kKeyDigit0 + d for the digit d, main row or numeric pad
    kKeyLetterA = kKeyDigit0 + 10, // kKeyLetterA + i for the i-th letter, whatever the case
};

// The mouse cursor the view shows.
enum class TViewCursorShape {
    Default,
    Zoom,
    Pan,
    Cross, // placing marks; with several objects per frame it bears the next object's digit
    Scale,
    OverMark,
    MoveTool,
    EraseTool,
    OriginMove,
    AxisTurn,
    Sheet,
    Busy,
    Outline // drawing a tracker's outline or zone; bears the tracked object's digit with several objects
};

struct TCursorChoice {
    TViewCursorShape shape = TViewCursorShape::Default;
    int digit = -1; // 0 .. 9 on the cross, -1 for none
    friend bool operator==(const TCursorChoice&, const TCursorChoice&) = default;
};

class TViewInputReceiver {
public:
    virtual ~TViewInputReceiver() = default;
    virtual void MouseDown(TMouseButton button, TShiftState shift, TScreenPoint p) = 0;
    virtual void MouseMove(TShiftState shift, TScreenPoint p) = 0;
    virtual void MouseUp(TMouseButton button, TShiftState shift, TScreenPoint p) = 0;
    // True when the key was used.
    virtual bool KeyDown(int key, TShiftState shift) = 0;
    // The cursor over the view while this receiver has the mouse.
    virtual TCursorChoice Cursor() const = 0;
    // The view's geometry changed (open, resize, zoom, pan): recompute the cached screen positions.
    virtual void RefreshScreenPositions() = 0;
};

} // namespace kinoval::video
