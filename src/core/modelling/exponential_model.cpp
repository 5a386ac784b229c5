#include "core/modelling/exponential_model.h"

#include "core/common/tolerance.h"
#include "core/modelling/damped_fit.h"
#include "core/modelling/least_squares.h"

#include <algorithm>
#include <cmath>

namespace kinoval::modelling {
namespace {

constexpr double kLimitRate = 1; // per pixel

} // namespace

TMdlExponentiel::TMdlExponentiel()
    : TMdl(3)
{
}

double TMdlExponentiel::Evaluate(double t) const
{
    return m_world[0] + m_world[1] * std::exp(m_world[2] * t);
}

int TMdlExponentiel::DoFit()
{
    const TDampedFitResult fit = DampedFit(m_t, m_y, kDampedExponential);
    if (fit.parameters.empty())
        return m_t.size() < 2 ? kFitTooFewPoints : kFitEqualAbscissae;
    m_endCode = fit.endCode;
    m_world = fit.parameters;
    return kFitOk;
}

void TMdlExponentiel::DoWorldToPixel()
{
    const double sx = ScaleX(), sy = ScaleY();
    const double r = m_world[0], b = m_world[1], c = m_world[2];
    const double p0 = sy * (r - m_ymin);
    const double p1 = sy * b * std::exp(c * m_xmin);
    const double p2 = c / sx;
    m_p = { std::clamp(p0, -kLimitHeight, kLimitHeight), std::clamp(p1, -kLimitExpFactor, kLimitExpFactor),
        std::clamp(p2, -kLimitRate, kLimitRate), 0, 0 };
    if (m_p[0] != p0 || m_p[1] != p1 || m_p[2] != p2)
        DoPixelToWorld();
}

void TMdlExponentiel::DoPixelToWorld()
{
    const double sx = ScaleX(), sy = ScaleY();
    const double c = m_p[2] * sx;
    // Multiplying by exp(-c·xmin) rather than dividing by exp(c·xmin), which may underflow to 0.
    m_world = { m_p[0] / sy + m_ymin, m_p[1] / sy * std::exp(-c * m_xmin), c };
}

int TMdlExponentiel::HitTest(int x, int y)
{
    Sync();
    if (!WindowUsable())
        return -1;
    const TAreaPoint p = ToArea(x, y);
    const double e = m_p[1] * std::exp(m_p[2] * p.x);
    const double slope = m_p[2] * e;
    const double distance = std::fabs(p.y - (m_p[0] + e)) / std::sqrt(1 + slope * slope);
    return std::isfinite(distance) && distance <= kHitDistance ? 0 : -1;
}

bool TMdlExponentiel::DoTranslate(double dx, double dy)
{
    // Vertically the asymptote moves; horizontally the curve slides, which for an exponential is a change
    // of amplitude. Each is refused on its own when it would leave its bounds.
    bool moved = false;
    const double p0 = m_p[0] - dy;
    if (dy != 0 && Within(p0, kLimitHeight)) {
        m_p[0] = p0;
        moved = true;
    }
    const double p1 = m_p[1] * std::exp(-m_p[2] * dx);
    if (dx != 0 && Within(p1, kLimitExpFactor)) {
        m_p[1] = p1;
        moved = true;
    }
    return moved;
}

bool TMdlExponentiel::DoDrag(TAreaPoint point)
{
    // The grabbed height follows the mouse: the amplitude scales with the height above the asymptote, the
    // rate with the ratio of the abscissae. A grab below the asymptote (a negative amplitude, as in a
    // charging curve) is as good as one above it; only a grab on the asymptote itself is meaningless.
    if (!m_editing || !(point.x > 0))
        return false;
    const double above = m_grab.y - m_p[0];
    if (std::fabs(above) < kTiny)
        return false;
    const double p1 = (point.y - m_p[0]) * m_saved[1] / above;
    const double p2 = m_saved[2] * m_grab.x / point.x;
    if (!Within(p1, kLimitExpFactor) || !Within(p2, kLimitRate))
        return false;
    m_p[1] = p1;
    m_p[2] = p2;
    return true;
}

} // namespace kinoval::modelling
