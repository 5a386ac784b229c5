#include "core/modelling/linear_models.h"

#include "core/common/tolerance.h"
#include "core/modelling/least_squares.h"

#include <algorithm>
#include <cmath>

namespace kinoval::modelling {

// World parameters of every straight line: intercept r, slope b (one of them held at 0 by the kind).
TMdlLineaire::TMdlLineaire(int kind)
    : TMdl(2)
    , m_kind(kind)
{
}

int TMdlLineaire::ParameterCount() const
{
    return m_kind == kAffine ? 2 : 1;
}

double TMdlLineaire::PublicParameter(int index) const
{
    if (m_kind == kProportional)
        return m_world[1];
    return m_world[static_cast<std::size_t>(index)];
}

void TMdlLineaire::SetPublicParameter(int index, double value)
{
    if (m_kind == kProportional)
        m_world[1] = value;
    else
        m_world[static_cast<std::size_t>(index)] = value;
}

std::string TMdlLineaire::EquationTemplate() const
{
    switch (m_kind) {
    case kConstant:
        return "%s";
    case kProportional:
        return "%s.t";
    default:
        return "%s + %s.t";
    }
}

double TMdlLineaire::Evaluate(double t) const
{
    return m_world[0] + m_world[1] * t;
}

int TMdlLineaire::DoFit()
{
    if (m_t.size() < 2)
        return kFitTooFewPoints;
    if (m_kind == kProportional) {
        // The slope through the origin is the ratio of the means (not the least-squares slope).
        double mt = 0, my = 0;
        for (std::size_t i = 0; i < m_t.size(); ++i) {
            mt += m_t[i];
            my += m_y[i];
        }
        mt /= static_cast<double>(m_t.size());
        my /= static_cast<double>(m_t.size());
        if (std::fabs(mt) < kTiny || !(std::fabs(my) <= kHuge))
            return kFitSingular;
        m_world[0] = 0;
        m_world[1] = my / mt;
        return kFitOk;
    }
    TPolynomialFit fit;
    const int code = PolynomialFit(0, m_kind == kAffine ? 2 : 1, m_t, m_y, fit);
    if (code != kFitOk)
        return code;
    m_world[0] = fit.coefficients[0];
    m_world[1] = m_kind == kAffine && fit.coefficients.size() > 1 ? fit.coefficients[1] : 0;
    return kFitOk;
}

void TMdlLineaire::DoWorldToPixel()
{
    const double sx = ScaleX(), sy = ScaleY();
    const double r = m_world[0], b = m_world[1];
    bool clamped = false;
    double slope = b * sy / sx;
    if (!Within(slope, kLimitSlope)) {
        slope = std::clamp(slope, -kLimitSlope, kLimitSlope);
        clamped = true;
    }
    double height = sy * (r - m_ymin) + slope * sx * m_xmin;
    // The proportional line must keep passing through the origin, so only its slope is bounded.
    if (m_kind != kProportional && !Within(height, kLimitHeight)) {
        height = std::clamp(height, -kLimitHeight, kLimitHeight);
        clamped = true;
    }
    m_p = { height, slope, 0, 0, 0 };
    if (clamped)
        DoPixelToWorld();
}

void TMdlLineaire::DoPixelToWorld()
{
    const double sx = ScaleX(), sy = ScaleY();
    const double r = (m_p[0] - m_p[1] * m_xmin * sx) / sy + m_ymin;
    const double b = m_p[1] * sx / sy;
    if (m_kind == kConstant) {
        m_world = { r, 0 };
    } else if (m_kind == kProportional) {
        m_world = { 0, b };
    } else {
        m_world = { r, b };
    }
}

bool TMdlLineaire::VisibleEnds(TAreaPoint& first, TAreaPoint& second) const
{
    const double w = m_width, h = m_height, p0 = m_p[0], p1 = m_p[1];
    std::vector<TAreaPoint> points;
    auto consider = [&](double x, double y) {
        if (std::isfinite(x) && std::isfinite(y) && x >= 0 && x <= w && y >= 0 && y <= h)
            points.push_back({ x, y });
    };
    consider(0, p0);
    consider(w, p0 + p1 * w);
    if (p1 != 0) {
        consider(-p0 / p1, 0);
        consider((h - p0) / p1, h);
    }
    if (points.empty())
        return false;
    const auto [lo, hi] = std::minmax_element(
        points.begin(), points.end(), [](const TAreaPoint& a, const TAreaPoint& b) { return a.x < b.x; });
    first = *lo;
    second = *hi;
    return true;
}

int TMdlLineaire::HitTest(int x, int y)
{
    Sync();
    if (!WindowUsable())
        return -1;
    const TAreaPoint p = ToArea(x, y);
    TAreaPoint e0, e1;
    if (VisibleEnds(e0, e1)) {
        if (std::hypot(p.x - e0.x, p.y - e0.y) <= kHitDistance)
            return 0;
        if (std::hypot(p.x - e1.x, p.y - e1.y) <= kHitDistance)
            return 1;
    }
    const double distance = std::fabs(p.y - (m_p[0] + m_p[1] * p.x)) / std::sqrt(1 + m_p[1] * m_p[1]);
    if (p.x >= 0 && p.x <= m_width && distance <= kHitDistance)
        return 2;
    return -1;
}

void TMdlLineaire::OnBeginEdit()
{
    if (m_kind == kProportional) {
        m_pivot = { AreaX(0), AreaY(0) };
        return;
    }
    TAreaPoint e0 { 0, m_p[0] }, e1 { static_cast<double>(m_width), m_p[0] + m_p[1] * m_width };
    VisibleEnds(e0, e1);
    // A steep line is grabbed by height, a flat one by abscissa; the farther end is the pivot, the
    // second on a tie.
    const bool steep = std::fabs(m_p[1]) > 1;
    const double d0 = steep ? std::fabs(e0.y - m_grab.y) : std::fabs(e0.x - m_grab.x);
    const double d1 = steep ? std::fabs(e1.y - m_grab.y) : std::fabs(e1.x - m_grab.x);
    m_pivot = d0 > d1 ? e0 : e1;
}

bool TMdlLineaire::DoDrag(TAreaPoint point)
{
    if (!m_editing || m_kind == kConstant || point.x == m_pivot.x)
        return false;
    const double slope = (m_pivot.y - point.y) / (m_pivot.x - point.x);
    const double height = m_pivot.y - m_pivot.x * slope;
    if (!Within(height, kLimitHeight) || !Within(slope, kLimitSlope))
        return false;
    m_p[0] = height;
    m_p[1] = slope;
    return true;
}

bool TMdlLineaire::DoTranslate(double dx, double dy)
{
    if (m_kind == kProportional)
        return false;
    const double height = m_kind == kConstant ? m_p[0] - dy : m_p[0] - dy - dx * m_p[1];
    if (!Within(height, kLimitHeight))
        return false;
    m_p[0] = height;
    return true;
}

} // namespace kinoval::modelling
