#pragma once
// Videos for the trackers, drawn at test time with their exact truth: a small ball on a dark or grey
// background, with things that look like it, hide it or change its light. The ball's centre is known
// to the hundredth of a pixel (pixel i at i, as the program places positions); edges are anti-aliased
// and every frame carries a camera's noise of its own, so that nothing is still to the exact byte.

#include "core/common/rgb_image.h"
#include "core/document/doc_types.h"
#include "core/tracking/tracking_types.h"

#include <array>
#include <string>
#include <vector>

namespace kinoval::test {

using TRgb = std::array<unsigned char, 3>;

struct TSceneRect {
    double left = 0, top = 0, right = 0, bottom = 0; // pixels, right and bottom excluded
    TRgb colour {};
    bool inFront = false; // hides the ball
};

struct TTrackingScene {
    std::string name;
    int width = 640;
    int height = 480;
    int fps = 15;
    TRgb background { 24, 26, 30 };
    double noise = 3; // the camera's noise, in levels either way
    bool texture = false; // a plaster-like texture on the background
    std::vector<TSceneRect> rects;
    double ballRadius = 8;
    TRgb ballColour { 236, 236, 232 };
    std::vector<TPointD> truth; // the ball's centre on each frame
    std::vector<double> gain; // the light on each frame (1 when empty)

    int Frames() const { return static_cast<int>(truth.size()); }
    TRgbImage Frame(int frame) const;
    // The share of the ball's disc that nothing in front of it hides.
    double VisibleShare(int frame) const;
    // Whether the ball's disc overlaps a rectangle of its own colour (where it cannot be told apart).
    bool OverRect(int frame) const;
    // A circle outline of 24 vertices around the ball on a frame, normalised, radius in pixels.
    tracking::TPointDDynArray Outline(int frame, double radius) const;
};

// A white ball thrown past a white bar standing still: 65 pixels a frame, its path crossing the bar.
TTrackingScene BallPastBar();
// A ball moving 70 pixels a frame across an empty dark picture.
TTrackingScene FastBall();
// A ball passing behind a grey post for exactly two frames (8 and 9).
TTrackingScene HiddenBall();
// An orange ball on a textured grey wall while the light falls to half and comes partly back.
TTrackingScene ChangingLight();

} // namespace kinoval::test
