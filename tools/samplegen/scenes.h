#pragma once
// The two sample scenes, rendered from known physics: what each frame shows and where the object is.

#include "core/common/rgb_image.h"

#include <string>
#include <vector>

namespace kinoval::samplegen {

struct TTruthPoint {
    double t; // s
    double xPixel; // centre of the object in the picture, pixels from the left
    double yPixel; // pixels from the top
    double x; // m, to the right of the first position
    double y; // m, upward from the first position
};

struct TScene {
    std::string name; // file name without extension
    std::string description;
    int width = 640;
    int height = 480;
    int fps = 25;
    double pixelsPerMetre = 0;
    double g = 9.81;
    double x0 = 0, y0 = 0; // m, first position in the picture's metric frame (origin bottom left, y up)
    double vx0 = 0, vy0 = 0; // m/s
    double ax = 0, ay = 0; // m/s^2, constant acceleration of the centre
    double rulerLength = 1; // m
    double rulerX1 = 0, rulerY1 = 0, rulerX2 = 0, rulerY2 = 0; // pixels, ends of the ruler's scale
    std::vector<std::string> extra; // scene-specific "key = value" lines
    std::vector<TTruthPoint> truth;
    std::vector<TRgbImage> frames;
};

TScene RenderCylinder();
TScene RenderParabola();

// The ground-truth text written beside the video.
std::string TruthText(const TScene& scene);

} // namespace kinoval::samplegen
