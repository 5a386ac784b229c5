#pragma once
// The magnifier: a square in the view's top-right corner showing, enlarged, the part of the view's picture
// around the pointer. A click inside it changes the magnification; a drag that starts within 20 pixels of
// its border moves it. It is placed anew whenever the view is resized.

#include "core/drawing/screen_point.h"

namespace kinoval::video {

inline constexpr int kLoupeMagnificationMin = 100;
inline constexpr int kLoupeMagnificationMax = 600;
inline constexpr int kLoupeMagnificationDefault = 300;
inline constexpr int kLoupeMagnificationStep = 100;
inline constexpr int kLoupeGrabBorder = 20;

enum class TLoupeButton { Left, Right };

class TLoupe {
public:
    // Top-right corner of a view of the given size, a fifth of it in each direction.
    void Place(int viewWidth, int viewHeight);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Magnification() const { return m_magnification; }
    void SetMagnification(int percent);
    // The size of the view's area shown: the loupe's size x 100 / magnification.
    int SourceWidth() const;
    int SourceHeight() const;

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }

    // Where the enlarged area is centred, in view pixels.
    TScreenPoint Centre() const { return m_centre; }
    void SetCentre(TScreenPoint p) { m_centre = p; }

    // Mouse on the loupe, in its own pixels for the button and in screen pixels for the drag (the loupe
    // moves under the pointer, so its own coordinates would follow it). True when something changed.
    bool MouseDown(TLoupeButton button, TScreenPoint local, TScreenPoint screen);
    bool MouseMove(TScreenPoint screen);
    void MouseUp() { m_moving = false; }
    bool Moving() const { return m_moving; }

private:
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    int m_magnification = kLoupeMagnificationDefault;
    bool m_visible = false;
    bool m_moving = false;
    TScreenPoint m_last;
    TScreenPoint m_centre;
};

} // namespace kinoval::video
