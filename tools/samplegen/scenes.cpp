#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>

namespace kinoval::samplegen {

namespace {

struct TRgb {
    double r, g, b;
};

// Lattice value noise: the plaster-and-wood texture behind the objects, the same on every run.
double Lattice(int x, int y, unsigned seed)
{
    std::uint32_t h
        = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double Noise(double x, double y, double cell, unsigned seed)
{
    double fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
    double c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

TRgbImage Wall(int width, int height, TRgb base, unsigned seed)
{
    TRgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double n
                = 0.55 * Noise(x, y, 37, seed) + 0.3 * Noise(x, y, 9, seed + 1) + 0.15 * Noise(x, y, 2.5, seed + 2);
            double k = 0.82 + 0.3 * n;
            std::uint8_t* p = image.At(x, y);
            p[0] = static_cast<std::uint8_t>(std::clamp(base.r * k, 0.0, 255.0));
            p[1] = static_cast<std::uint8_t>(std::clamp(base.g * k, 0.0, 255.0));
            p[2] = static_cast<std::uint8_t>(std::clamp(base.b * k, 0.0, 255.0));
        }
    }
    return image;
}

using TShape = std::function<bool(double, double)>;

// Paints a shape over the box [x0, x1] x [y0, y1] with 4 x 4 samples a pixel: edges are anti-aliased.
// colour may vary over the shape (a texture); it is asked at the pixel's centre.
void Paint(TRgbImage& image, double x0, double y0, double x1, double y1, const TShape& inside,
    const std::function<TRgb(double, double)>& colour)
{
    int ix0 = std::max(0, static_cast<int>(std::floor(x0))), iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    int ix1 = std::min(image.width - 1, static_cast<int>(std::ceil(x1)));
    int iy1 = std::min(image.height - 1, static_cast<int>(std::ceil(y1)));
    for (int y = iy0; y <= iy1; ++y) {
        for (int x = ix0; x <= ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) ? 1 : 0;
            if (hits == 0)
                continue;
            double cover = hits / 16.0;
            TRgb c = colour(x + 0.5, y + 0.5);
            std::uint8_t* p = image.At(x, y);
            p[0] = static_cast<std::uint8_t>(std::lround(p[0] * (1 - cover) + std::clamp(c.r, 0.0, 255.0) * cover));
            p[1] = static_cast<std::uint8_t>(std::lround(p[1] * (1 - cover) + std::clamp(c.g, 0.0, 255.0) * cover));
            p[2] = static_cast<std::uint8_t>(std::lround(p[2] * (1 - cover) + std::clamp(c.b, 0.0, 255.0) * cover));
        }
    }
}

std::function<TRgb(double, double)> Flat(TRgb c)
{
    return [c](double, double) { return c; };
}

void Rectangle(TRgbImage& image, double x0, double y0, double x1, double y1, TRgb c)
{
    Paint(
        image, x0, y0, x1, y1, [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, Flat(c));
}

void Disc(TRgbImage& image, double cx, double cy, double r, const std::function<TRgb(double, double)>& colour)
{
    Paint(
        image, cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1,
        [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }, colour);
}

// A ruler along the horizontal from x1 to x2 (its scale's ends) at height y: yellow, ticks every tenth.
void Ruler(TRgbImage& image, double x1, double x2, double y)
{
    Rectangle(image, x1 - 10, y - 9, x2 + 10, y + 9, { 236, 200, 60 });
    for (int i = 0; i <= 10; ++i) {
        double x = x1 + (x2 - x1) * i / 10.0;
        double h = i % 5 == 0 ? 16 : 8;
        Rectangle(image, x - 1, y - 9, x + 1, y - 9 + h, { 25, 25, 25 });
    }
}

void Header(const TScene& s, std::string& out)
{
    char line[256];
    auto add = [&](const char* key, double v) {
        std::snprintf(line, sizeof line, "%s = %.10g\n", key, v);
        out += line;
    };
    out += "# Kinoval sample video: " + s.name + ".avi\n# " + s.description + "\n";
    out += "# Picture coordinates in pixels: (0, 0) is the top-left corner of the picture, x to the right,\n"
           "# y downward, pixel i covering [i, i+1). Physical coordinates in metres: origin on the object's\n"
           "# first position, x to the right, y upward.\n";
    out += "video = " + s.name + ".avi\n";
    add("width", s.width);
    add("height", s.height);
    add("fps", s.fps);
    add("frames", static_cast<double>(s.truth.size()));
    add("pixels_per_metre", s.pixelsPerMetre);
    add("ruler_length_m", s.rulerLength);
    add("ruler_x1_px", s.rulerX1);
    add("ruler_y1_px", s.rulerY1);
    add("ruler_x2_px", s.rulerX2);
    add("ruler_y2_px", s.rulerY2);
    add("g", s.g);
    out += "# x0_m, y0_m: the first position measured from the picture's bottom-left corner\n";
    add("x0_m", s.x0);
    add("y0_m", s.y0);
    add("vx0", s.vx0);
    add("vy0", s.vy0);
    add("ax", s.ax);
    add("ay", s.ay);
    for (const auto& e : s.extra)
        out += e + "\n";
    out += "# frame t(s) x_px y_px x(m) y(m)\n";
    for (std::size_t i = 0; i < s.truth.size(); ++i) {
        const auto& p = s.truth[i];
        std::snprintf(line, sizeof line, "%zu %.4f %.4f %.4f %.6f %.6f\n", i, p.t, p.xPixel, p.yPixel, p.x, p.y);
        out += line;
    }
}

} // namespace

TScene RenderCylinder()
{
    TScene s;
    s.name = "cylindre";
    s.description = "A solid cylinder rolls without slipping down an incline from rest: a = 2/3 g sin(angle).";
    s.pixelsPerMetre = 400;
    const double angle = 6.0 * std::numbers::pi / 180;
    const double radius = 0.06; // m
    const double a = 2.0 / 3.0 * s.g * std::sin(angle);
    const double startAlong = 0.04; // m along the slope from its top
    const double topX = 30, topY = 290; // pixels: top of the slope's surface
    const double slopeLength = 590 / std::cos(angle);
    const double bottomX = topX + slopeLength * std::cos(angle), bottomY = topY + slopeLength * std::sin(angle);
    const double ppm = s.pixelsPerMetre, rpx = radius * ppm;
    s.ax = a * std::cos(angle);
    s.ay = -a * std::sin(angle);
    char line[128];
    std::snprintf(line, sizeof line,
        "incline_angle_deg = 6\ncylinder_radius_m = %.10g\nacceleration_along_slope = %.10g", radius, a);
    s.extra.push_back(line);
    s.rulerX1 = 120;
    s.rulerX2 = 120 + ppm * s.rulerLength;
    s.rulerY1 = s.rulerY2 = 440;

    TRgbImage background = Wall(s.width, s.height, { 205, 198, 186 }, 3);
    // The table under the wedge, and the wooden wedge itself.
    Paint(
        background, 0, bottomY, s.width, s.height, [=](double, double y) { return y >= bottomY; },
        [](double x, double y) {
            double n = Noise(x, y, 23, 5);
            return TRgb { 112 + 25 * n, 90 + 20 * n, 68 + 15 * n };
        });
    Paint(
        background, topX, topY, bottomX, bottomY,
        [=](double x, double y) {
            return x >= topX && x <= bottomX && y <= bottomY && y >= topY + (x - topX) * std::tan(angle);
        },
        [](double x, double y) {
            double grain = Noise(x * 0.2, y * 3, 4, 9);
            return TRgb { 150 + 40 * grain, 110 + 30 * grain, 70 + 20 * grain };
        });
    Ruler(background, s.rulerX1, s.rulerX2, s.rulerY1);

    const int frames = 50;
    double firstX = 0, firstY = 0;
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / s.fps;
        double along = (startAlong + 0.5 * a * t * t) * ppm; // pixels along the slope
        double cx = topX + along * std::cos(angle) + rpx * std::sin(angle);
        double cy = topY + along * std::sin(angle) - rpx * std::cos(angle);
        double turn = along / rpx; // rolling without slipping: clockwise on the screen
        if (i == 0) {
            firstX = cx;
            firstY = cy;
            s.x0 = cx / ppm;
            s.y0 = (s.height - cy) / ppm;
        }
        TRgbImage frame = background;
        Disc(frame, cx, cy, rpx, [=](double x, double y) {
            // A blue cylinder with a darker spoke so that its rotation shows.
            double dx = x - cx, dy = y - cy;
            double ux = std::cos(turn), uy = std::sin(turn);
            double across = std::fabs(dx * uy - dy * ux);
            double alongSpoke = dx * ux + dy * uy;
            bool spoke = across < 3 && alongSpoke > 0;
            return spoke ? TRgb { 20, 40, 120 } : TRgb { 45, 95, 205 };
        });
        s.frames.push_back(std::move(frame));
        s.truth.push_back({ t, cx, cy, (cx - firstX) / ppm, -(cy - firstY) / ppm });
    }
    return s;
}

TScene RenderParabola()
{
    TScene s;
    s.name = "parabole";
    s.description = "A ball thrown upward and to the right falls freely: x = vx0 t, y = vy0 t - g t^2 / 2.";
    s.pixelsPerMetre = 300;
    s.vx0 = 1.6;
    s.vy0 = 4.6;
    s.ax = 0;
    s.ay = -s.g;
    const double radius = 0.04;
    const double ppm = s.pixelsPerMetre, rpx = radius * ppm;
    const double startX = 70, startY = 360;
    s.x0 = startX / ppm;
    s.y0 = (s.height - startY) / ppm;
    char line[64];
    std::snprintf(line, sizeof line, "ball_radius_m = %.10g", radius);
    s.extra.push_back(line);
    s.rulerX1 = 60;
    s.rulerX2 = 60 + ppm * s.rulerLength;
    s.rulerY1 = s.rulerY2 = 462;

    TRgbImage background = Wall(s.width, s.height, { 188, 196, 204 }, 17);
    Ruler(background, s.rulerX1, s.rulerX2, s.rulerY1);
    const int frames = 26;
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / s.fps;
        double x = s.vx0 * t, y = s.vy0 * t - 0.5 * s.g * t * t;
        double cx = startX + x * ppm, cy = startY - y * ppm;
        TRgbImage frame = background;
        Disc(frame, cx, cy, rpx, [=](double px, double py) {
            double shade = 1 - 0.25 * std::hypot(px - cx + rpx / 3, py - cy + rpx / 3) / rpx; // lit from the top left
            return TRgb { 235 * shade, 85 * shade, 30 * shade };
        });
        s.frames.push_back(std::move(frame));
        s.truth.push_back({ t, cx, cy, x, y });
    }
    return s;
}

std::string TruthText(const TScene& scene)
{
    std::string out;
    Header(scene, out);
    return out;
}

} // namespace kinoval::samplegen
