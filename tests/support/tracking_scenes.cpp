#include "support/tracking_scenes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kinoval::test {

namespace {

double Hash(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u
        + static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

bool InRect(const TSceneRect& r, double x, double y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

} // namespace

TRgbImage TTrackingScene::Frame(int frame) const
{
    TRgbImage image(width, height);
    const TPointD c = truth.at(static_cast<std::size_t>(frame));
    const double light = gain.empty() ? 1.0 : gain.at(static_cast<std::size_t>(frame));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // 4 x 4 samples a pixel; pixel x covers [x - 0.5, x + 0.5).
            double sum[3] = { 0, 0, 0 };
            double wall = 1;
            if (texture)
                wall = 0.85 + 0.3 * (0.6 * Hash(x / 7, y / 7, 5) + 0.4 * Hash(x / 2, y / 2, 9));
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x - 0.5 + (sx + 0.5) / 4, py = y - 0.5 + (sy + 0.5) / 4;
                    double v[3] = { background[0] * wall, background[1] * wall, background[2] * wall };
                    for (const TSceneRect& r : rects)
                        if (!r.inFront && InRect(r, px, py))
                            for (int k = 0; k < 3; ++k)
                                v[k] = r.colour[k];
                    if (std::hypot(px - c.x, py - c.y) <= ballRadius)
                        for (int k = 0; k < 3; ++k)
                            v[k] = ballColour[k];
                    for (const TSceneRect& r : rects)
                        if (r.inFront && InRect(r, px, py))
                            for (int k = 0; k < 3; ++k)
                                v[k] = r.colour[k];
                    for (int k = 0; k < 3; ++k)
                        sum[k] += v[k];
                }
            std::uint8_t* p = image.At(x, y);
            const double n = noise * (2 * Hash(x, y, 1000 + frame) - 1);
            for (int k = 0; k < 3; ++k)
                p[k] = static_cast<std::uint8_t>(std::clamp(std::lround(sum[k] / 16 * light + n), 0L, 255L));
        }
    return image;
}

double TTrackingScene::VisibleShare(int frame) const
{
    const TPointD c = truth.at(static_cast<std::size_t>(frame));
    int inside = 0, seen = 0;
    for (int i = 0; i < 64; ++i)
        for (int j = 0; j < 64; ++j) {
            const double x = c.x - ballRadius + (j + 0.5) * 2 * ballRadius / 64;
            const double y = c.y - ballRadius + (i + 0.5) * 2 * ballRadius / 64;
            if (std::hypot(x - c.x, y - c.y) > ballRadius)
                continue;
            ++inside;
            bool hidden = false;
            for (const TSceneRect& r : rects)
                hidden = hidden || (r.inFront && InRect(r, x, y));
            seen += hidden ? 0 : 1;
        }
    return inside ? static_cast<double>(seen) / inside : 0;
}

bool TTrackingScene::OverRect(int frame) const
{
    const TPointD c = truth.at(static_cast<std::size_t>(frame));
    for (const TSceneRect& r : rects)
        if (!r.inFront && r.colour == ballColour && c.x + ballRadius > r.left && c.x - ballRadius < r.right
            && c.y + ballRadius > r.top && c.y - ballRadius < r.bottom)
            return true;
    return false;
}

tracking::TPointDDynArray TTrackingScene::Outline(int frame, double radius) const
{
    const TPointD c = truth.at(static_cast<std::size_t>(frame));
    tracking::TPointDDynArray out;
    for (int k = 0; k < 24; ++k) {
        const double a = 2 * std::acos(-1.0) * k / 24;
        out.push_back({ (c.x + radius * std::cos(a)) / width, (c.y + radius * std::sin(a)) / height });
    }
    return out;
}

TTrackingScene BallPastBar()
{
    TTrackingScene s;
    s.name = "ball past a bar";
    s.rects.push_back({ 318, 60, 330, 440, s.ballColour, false });
    for (int f = 0; f < 9; ++f)
        s.truth.push_back({ 60.3 + 65 * f, 380.6 - 40 * f + 2.5 * f * f });
    return s;
}

TTrackingScene FastBall()
{
    TTrackingScene s;
    s.name = "fast ball";
    for (int f = 0; f < 9; ++f)
        s.truth.push_back({ 40.25 + 70 * f, 260.4 - 6 * f + 0.5 * f * f });
    return s;
}

TTrackingScene HiddenBall()
{
    TTrackingScene s;
    s.name = "hidden ball";
    s.rects.push_back({ 290, 150, 340, 350, { 110, 108, 104 }, true });
    for (int f = 0; f < 19; ++f)
        s.truth.push_back({ 60.4 + 30 * f, 250.2 + 0.3 * f });
    return s;
}

TTrackingScene ChangingLight()
{
    TTrackingScene s;
    s.name = "changing light";
    s.background = { 150, 152, 156 };
    s.texture = true;
    s.ballRadius = 10;
    s.ballColour = { 230, 120, 40 };
    for (int f = 0; f < 24; ++f) {
        s.truth.push_back({ 70.3 + 22 * f, 400.7 - 30 * f + 1.2 * f * f });
        // Down to half the light by frame 16, then back up a little (a cloud passing a window).
        s.gain.push_back(f <= 16 ? 1 - 0.5 * f / 16 : 0.5 + 0.05 * (f - 16));
    }
    return s;
}

} // namespace kinoval::test
