#include "core/modelling/parabola_model.h"

#include "core/common/tolerance.h"
#include "core/modelling/least_squares.h"

#include <algorithm>
#include <cmath>

namespace kinoval::modelling {
namespace {

constexpr double kLimitLinear = 1e4; // B, pixels per pixel

} // namespace

TMdlParaboleAv::TMdlParaboleAv()
    : TMdl(3)
{
}

double TMdlParaboleAv::Evaluate(double t) const
{
    return m_world[0] + (m_world[1] + m_world[2] * t) * t;
}

int TMdlParaboleAv::DoFit()
{
    TPolynomialFit fit;
    const int code = PolynomialFit(0, 3, m_t, m_y, fit);
    if (code != kFitOk)
        return code;
    // Two points leave a single coefficient (their mean): the other two are then 0.
    for (std::size_t k = 0; k < 3; ++k)
        m_world[k] = k < fit.coefficients.size() ? fit.coefficients[k] : 0;
    return kFitOk;
}

void TMdlParaboleAv::DoWorldToPixel()
{
    const double sx = ScaleX(), sy = ScaleY();
    const double r = m_world[0], b = m_world[1], c = m_world[2], x0 = m_xmin;
    const double a = sy * c / sx / sx; // sx² alone may underflow
    const double bb = sy * (b + 2 * c * x0) / sx;
    const double cc = sy * (r - m_ymin + b * x0 + c * x0 * x0);
    m_p = { a, std::clamp(bb, -kLimitLinear, kLimitLinear), std::clamp(cc, -kLimitParabolaC, kLimitParabolaC), 0, 0 };
    if (m_p[1] != bb || m_p[2] != cc)
        DoPixelToWorld();
}

void TMdlParaboleAv::DoPixelToWorld()
{
    const double sx = ScaleX(), sy = ScaleY(), x0 = m_xmin;
    const double c = m_p[0] * sx * sx / sy;
    const double b = m_p[1] * sx / sy - 2 * c * x0;
    const double r = m_p[2] / sy + m_ymin - b * x0 - c * x0 * x0;
    m_world = { r, b, c };
}

int TMdlParaboleAv::BranchHandles(TAreaPoint& left, TAreaPoint& right) const
{
    const double a = m_p[0], b = m_p[1], c = m_p[2];
    if (std::fabs(a) < kTiny)
        return 0;
    const double vertexY = std::clamp(c - b * b / (4 * a), 0.0, static_cast<double>(m_height));
    const double edge = a > 0 ? m_height : 0;
    const double height = (vertexY + edge) / 2;
    const double discriminant = b * b - 4 * a * (c - height);
    if (!(discriminant >= 0))
        return 0;
    const double root = std::sqrt(discriminant);
    double x1 = (-b - root) / (2 * a), x2 = (-b + root) / (2 * a);
    if (x1 > x2)
        std::swap(x1, x2);
    int count = 0;
    TAreaPoint* out[2] = { &left, &right };
    for (double x : { x1, x2 }) {
        if (x >= 0 && x <= m_width)
            *out[count++] = { x, height };
    }
    return count;
}

int TMdlParaboleAv::HitTest(int x, int y)
{
    Sync();
    if (!WindowUsable())
        return -1;
    const TAreaPoint p = ToArea(x, y);
    TAreaPoint h[2];
    const int count = BranchHandles(h[0], h[1]);
    for (int i = 0; i < count; ++i) {
        if (std::hypot(p.x - h[i].x, p.y - h[i].y) <= kHitDistance) {
            // Handles are numbered by branch: 1 left of the vertex, 2 right of it.
            const double vertexX = -m_p[1] / (2 * m_p[0]);
            return h[i].x < vertexX ? 1 : 2;
        }
    }
    const double slope = 2 * m_p[0] * p.x + m_p[1];
    const double distance = std::fabs(p.y - ((m_p[0] * p.x + m_p[1]) * p.x + m_p[2])) / std::sqrt(1 + slope * slope);
    return distance <= kHitDistance ? 0 : -1;
}

bool TMdlParaboleAv::DoTranslate(double dx, double dy)
{
    // Y(X - dx) - dy: both coefficients move together, or the translation would bend the parabola.
    const double a = m_p[0], b = m_p[1], c = m_p[2];
    const double newC = dx * (dx * a - b) + c - dy;
    const double newB = dx != 0 ? b - 2 * dx * a : b;
    if (!Within(newC, kLimitParabolaC) || !Within(newB, kLimitLinear))
        return false;
    m_p[1] = newB;
    m_p[2] = newC;
    return true;
}

bool TMdlParaboleAv::DoDrag(TAreaPoint point)
{
    // The vertex of the grab stays; the opening follows the mouse.
    if (!m_editing)
        return false;
    const double a0 = m_saved[0], b0 = m_saved[1], c0 = m_saved[2];
    if (std::fabs(a0) < kTiny)
        return false;
    const double vx = -b0 / (2 * a0), vy = c0 - b0 * b0 / (4 * a0);
    const double d = point.x - vx;
    if (d * d < kTiny)
        return false;
    const double a = (point.y - vy) / (d * d);
    const double b = -2 * a * vx, c = vy + a * vx * vx;
    if (!std::isfinite(a) || !Within(b, kLimitLinear) || !Within(c, kLimitParabolaC))
        return false;
    m_p[0] = a;
    m_p[1] = b;
    m_p[2] = c;
    return true;
}

} // namespace kinoval::modelling
