#pragma once
// The view's zoom and pan: which part of the frame is shown.
//
// The view always shows a source rectangle of the frame stretched over its whole client area. At zoom 100
// that rectangle is the whole frame; at zoom z it is frame size x 100 / z, and its left and top corner is
// kept inside the frame. TZoom holds the percentage and the rectangle the zoom tool is drawing; TPan the
// state of a drag with the pan tool. The arithmetic that moves the rectangle is free functions over
// TSourceRect so that it can be checked without a view.

#include "core/drawing/screen_point.h"

namespace kinoval::video {

inline constexpr int kZoomMin = 100;
inline constexpr int kZoomMax = 800;
inline constexpr int kZoomDefault = 100;
inline constexpr int kZoomCtrlStep = 10;
// A zoom rectangle smaller than this in either direction is taken for a click.
inline constexpr int kZoomRectMin = 10;

// The part of the frame shown, in frame pixels.
struct TSourceRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TSourceRect&, const TSourceRect&) = default;
};

int ClampZoom(int zoom);
// One step in or out: the next level of 200, 300, ... 600, 800 (or +-10 with Ctrl), within [100, 800].
int ZoomInStep(int zoom, bool ctrl);
int ZoomOutStep(int zoom, bool ctrl);
// The zoom that makes a rectangle of the given size fill the client area, to a multiple of 10.
int ZoomForRectangle(int zoom, int clientWidth, int clientHeight, int rectWidth, int rectHeight);

// Moves and resizes the source rectangle so that the client point (x, y), seen at zoom z0, becomes the
// centre of the view at zoom z1; the rectangle stays inside the frame.
TSourceRect ZoomAtPoint(const TSourceRect& source, int frameWidth, int frameHeight, int clientWidth,
                        int clientHeight, int x, int y, int z0, int z1);
// Keeps the rectangle's corner within [0, frame size - rectangle size].
TSourceRect ClampSource(TSourceRect source, int frameWidth, int frameHeight);

class TZoom {
public:
    int Value() const { return m_zoom; }
    void SetValue(int zoom) { m_zoom = ClampZoom(zoom); }

    // The rectangle the zoom tool is drawing (client pixels), while dragging.
    bool dragging = false;
    TScreenPoint rectStart;
    TScreenPoint rectEnd;

private:
    int m_zoom = kZoomDefault;
};

class TPan {
public:
    bool dragging = false;
    TScreenPoint last;
};

} // namespace kinoval::video
