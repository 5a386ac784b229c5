#include "core/modelling/sinus_models.h"

#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/modelling/damped_fit.h"
#include "core/modelling/least_squares.h"
#include "core/modelling/model_texts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kinoval::modelling {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;

// Phase brought into [0, 2pi).
double WrapPhase(double phase)
{
    if (!std::isfinite(phase))
        return phase;
    double p = std::fmod(phase, kTwoPi);
    if (p < 0)
        p += kTwoPi;
    if (p >= kTwoPi)
        p = 0;
    return p;
}

bool OnCrestLine(int handle)
{
    return handle == 0 || handle == 1 || handle == 2 || handle == 4;
}

} // namespace

// ---- common part ----------------------------------------------------------------------------------------

// World parameters: r, b, c, d and, for the damped sinuses, k.
TMdlSinusPure::TMdlSinusPure(int worldCount, int fitCode)
    : TMdl(worldCount)
    , m_fitCode(fitCode)
{
}

int TMdlSinusPure::DoFit()
{
    const TDampedFitResult fit = DampedFit(m_t, m_y, m_fitCode);
    if (fit.parameters.empty())
        return m_t.size() < 2 ? kFitTooFewPoints : kFitEqualAbscissae;
    m_endCode = fit.endCode;
    m_world = fit.parameters;
    return kFitOk;
}

void TMdlSinusPure::DoWorldToPixel()
{
    const double sx = ScaleX(), sy = ScaleY();
    double amplitude = m_world[1], pulsation = m_world[2], phase = m_world[3];
    // The pixel form keeps a positive amplitude and pulsation; the curve is the same.
    if (amplitude < 0) {
        amplitude = -amplitude;
        phase += kPi;
    }
    if (pulsation < 0) {
        pulsation = -pulsation;
        phase = kPi - phase;
    }
    const double damping = Damped() ? m_world[4] : 0;
    double p1 = amplitude * sy;
    if (m_fitCode == kDampedSinusExp)
        p1 *= std::exp(damping * m_xmin);
    m_p = { sy * (m_world[0] - m_ymin), p1, pulsation / sx, WrapPhase(pulsation * m_xmin + phase), damping / sx };
}

void TMdlSinusPure::DoPixelToWorld()
{
    const double sx = ScaleX(), sy = ScaleY();
    const double pulsation = m_p[2] * sx;
    const double damping = m_p[4] * sx;
    double amplitude = m_p[1] / sy;
    if (m_fitCode == kDampedSinusExp)
        amplitude *= std::exp(-damping * m_xmin);
    m_world[0] = m_p[0] / sy + m_ymin;
    m_world[1] = amplitude;
    m_world[2] = pulsation;
    m_world[3] = NormalizeAngle(m_p[3] - pulsation * m_xmin);
    if (Damped())
        m_world[4] = damping;
}

double TMdlSinusPure::ReferenceX() const
{
    if (m_editing)
        return m_editReference;
    if (!(m_p[2] > 0))
        return 0;
    const double turns = std::round((m_p[2] * m_width / 2 + m_p[3]) / kTwoPi);
    return (kTwoPi * turns - m_p[3]) / m_p[2];
}

TAreaPoint TMdlSinusPure::HandlePosition(int handle) const
{
    const double half = m_p[2] > 0 ? kPi / m_p[2] : 0;
    const double ref = ReferenceX();
    static constexpr double kOffsets[8] = { -1, -1.5, 0.5, -1, 1, 1.5, -0.5, 1 }; // in half periods
    if (handle < 0 || handle > 7)
        return {};
    const double x = ref + kOffsets[handle] * half;
    const double extent = m_p[1] * Envelope(x);
    return { x, OnCrestLine(handle) ? m_p[0] + extent : m_p[0] - extent };
}

int TMdlSinusPure::HitTest(int x, int y)
{
    Sync();
    if (!WindowUsable() || !(m_p[2] > 0))
        return -1;
    const TAreaPoint p = ToArea(x, y);
    for (int handle = 0; handle < 8; ++handle) {
        const TAreaPoint h = HandlePosition(handle);
        if (std::fabs(p.x - h.x) <= kHitDistance && std::fabs(p.y - h.y) <= kHitDistance)
            return handle;
    }
    return -1;
}

void TMdlSinusPure::OnBeginEdit()
{
    // The reference point is chosen once per edit, so that it stays put while the period changes.
    m_editing = false;
    m_editReference = ReferenceX();
    m_editing = true;
}

bool TMdlSinusPure::DoTranslate(double dx, double dy)
{
    const double centre = m_p[0] - dy;
    if (Within(centre, kLimitHeight))
        m_p[0] = centre;
    m_p[3] = WrapPhase(m_p[3] - dx * m_p[2]);
    return true;
}

bool TMdlSinusPure::MoveHandle(int handle, double dx, double dy, TEditSpeed speed)
{
    if (!WindowUsable() || handle < 0 || handle > 7)
        return false;
    const bool crest = OnCrestLine(handle);
    const bool horizontal = handle == 0 || handle == 3 || handle == 4 || handle == 7;
    const bool damping = Damped() && (handle == 1 || handle == 5);
    if (horizontal) {
        if (!(m_p[2] > 0))
            return false;
        const double factor = speed == TEditSpeed::Ctrl ? 0.2 : speed == TEditSpeed::Alt ? 0.02 : 2;
        const double sign = (handle == 0 || handle == 3) ? -1 : 1;
        const double distance = kPi / m_p[2] + sign * factor * dx;
        if (distance < kTiny)
            return false;
        const double ref = ReferenceX();
        const double pulsation = std::clamp(kPi / distance, kMinPulsation, kMaxPulsation);
        m_p[2] = pulsation;
        m_p[3] = WrapPhase(-pulsation * ref); // the reference point stays an upward crossing
    } else if (damping) {
        const double factor = speed == TEditSpeed::Ctrl ? 0.1 : speed == TEditSpeed::Alt ? 0.01 : 1;
        const TAreaPoint h = HandlePosition(handle);
        const double envelope = m_p[1] * Envelope(h.x) + (crest ? -dy : dy) * factor;
        double value = 0;
        if (m_p[1] < kTiny || !DampingFromEnvelope(h.x, envelope, value))
            return false;
        m_p[4] = std::clamp(value, kMinDamping, 0.0);
    } else {
        // Vertical handle: the grabbed extreme follows the mouse, the opposite one stays.
        const double amplitude = m_p[1] + (crest ? -dy : dy) / 2;
        const double centre = m_p[0] - dy / 2;
        if (!(amplitude >= 0 && amplitude <= kLimitHeight) || !Within(centre, kLimitHeight))
            return false;
        m_p[1] = amplitude;
        m_p[0] = centre;
    }
    PixelsEdited();
    return true;
}

// ---- pure sinus -----------------------------------------------------------------------------------------

TMdlSinus::TMdlSinus()
    : TMdlSinusPure(4, kDampedSinus)
{
}

double TMdlSinus::Evaluate(double t) const
{
    return m_world[0] + m_world[1] * std::sin(m_world[2] * t + m_world[3]);
}

// ---- exponentially damped sinus -------------------------------------------------------------------------

TMdlSinusAe::TMdlSinusAe()
    : TMdlSinusPure(5, kDampedSinusExp)
{
}

double TMdlSinusAe::Evaluate(double t) const
{
    return m_world[0] + m_world[1] * std::sin(m_world[2] * t + m_world[3]) * std::exp(m_world[4] * t);
}

double TMdlSinusAe::Envelope(double x) const
{
    return std::exp(m_p[4] * x);
}

bool TMdlSinusAe::DampingFromEnvelope(double x, double envelope, double& damping) const
{
    if (x < kTiny || !(envelope > 0))
        return false;
    damping = std::log(envelope / m_p[1]) / x;
    return std::isfinite(damping);
}

// ---- linearly damped sinus ------------------------------------------------------------------------------

TMdlSinusAl::TMdlSinusAl()
    : TMdlSinusPure(5, kDampedSinusLin)
{
}

double TMdlSinusAl::StopTime() const
{
    return SinusLinStopTime(m_world[1], m_world[2], m_world[3], m_world[4]);
}

double TMdlSinusAl::Evaluate(double t) const
{
    return m_world[0] + DampedModelValue(kDampedSinusLin, { m_world[1], m_world[2], m_world[3], m_world[4] }, t);
}

// In pixels the envelope is 1 + P4·(X - X0), X0 the abscissa of the world origin.
double TMdlSinusAl::Envelope(double x) const
{
    return std::max(0.0, 1 + m_p[4] * (x - AreaX(0)));
}

bool TMdlSinusAl::DampingFromEnvelope(double x, double envelope, double& damping) const
{
    const double distance = x - AreaX(0);
    if (distance < kTiny || !(envelope >= 0))
        return false;
    damping = (envelope / m_p[1] - 1) / distance;
    return std::isfinite(damping);
}

// An oscillator of pulsation w with solid friction f, about the rest position x0, obeys
// x" + w².x + f.Sign(x') = w².x0 and loses 2f/w² of amplitude every half period: the linear envelope
// A·(1 + k·t) loses -A·k·pi/w in that time, so f = -A·k·pi·w/2.
double TMdlSinusAl::PublicParameter(int index) const
{
    const double offset = m_world[0], amplitude = m_world[1], pulsation = m_world[2], damping = m_world[4];
    switch (index) {
    case 0:
        return pulsation * pulsation;
    case 1:
        return -amplitude * damping * kPi * pulsation / 2;
    default:
        return pulsation * pulsation * offset;
    }
}

void TMdlSinusAl::SetPublicParameter(int index, double value)
{
    double r = PublicParameter(0), b = PublicParameter(1), c = PublicParameter(2);
    (index == 0 ? r : index == 1 ? b : c) = value;
    // A negative or zero stiffness has no oscillation to show: the value is not taken.
    if (!(r > 0) || !std::isfinite(b) || !std::isfinite(c))
        return;
    const double pulsation = std::sqrt(r);
    m_world[0] = c / r;
    m_world[2] = pulsation;
    if (m_world[1] > kTiny)
        m_world[4] = -2 * b / (m_world[1] * kPi * pulsation);
}

std::vector<std::string> TMdlSinusAl::EquationLines(const std::string& ordinate, const std::string&) const
{
    std::vector<std::string> lines;
    lines.push_back(Tr("Modèle") + ": " + ordinate + "\"" + " + " + ParameterLetter(0) + "." + ordinate + " + "
        + ParameterLetter(1) + ".Sign(" + ordinate + "') = " + ParameterLetter(2));
    for (int i = 0; i < 3; ++i)
        lines.push_back(ParameterLetter(i) + " = " + FormatModelValue(0, PublicParameter(i)));
    const double amplitude = m_world[1], pulsation = m_world[2], phase = m_world[3], damping = m_world[4];
    const double speed = StopTime() > 0 ? amplitude * (pulsation * std::cos(phase) + damping * std::sin(phase)) : 0;
    lines.push_back(ordinate + "(0) = " + FormatModelValue(0, Evaluate(0)));
    lines.push_back(ordinate + "'(0) = " + FormatModelValue(0, speed));
    return lines;
}

} // namespace kinoval::modelling
