#include "core/graph/vectors.h"

#include "core/common/texts.h"
#include "core/drawing/arrow_head.h"
#include "core/graph/graph.h"
#include "core/graph/measure_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kinoval::graph {

namespace {

constexpr double kTiny = 1e-100;
constexpr double kHuge = 1e100;

bool Usable(double v)
{
    return std::isfinite(v) && v >= kTiny && v <= kHuge;
}

double Sign(double v)
{
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

// The norm beside a vector: fixed notation, about three significant digits.
std::string NormText(double value, char separator)
{
    if (!std::isfinite(value))
        return Tr("#Nombre!");
    const double magnitude = std::fabs(value);
    char buffer[64];
    if (magnitude >= 0.01 && magnitude <= 10000) {
        const int decimals = magnitude > 1000 ? 0 : magnitude > 100 ? 0 : magnitude > 10 ? 1 : 2;
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    } else if (value == 0) {
        return "0";
    } else {
        std::snprintf(buffer, sizeof buffer, "%.*E", 1, value);
    }
    std::string text = buffer;
    if (separator != '.')
        std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

TScreenPoint Rounded(TPointF p)
{
    return { int(std::lround(std::clamp(p.x, -1e6, 1e6))), int(std::lround(std::clamp(p.y, -1e6, 1e6))) };
}

} // namespace

// ---- TParamCom ----

bool TParamCom::ScaleValid() const
{
    return Usable(scale);
}

bool TParamCom::BarValueValid() const
{
    return Usable(barValue);
}

void TParamCom::AutoScale(double largestNorm)
{
    if (!Usable(largestNorm))
        return;
    if (plotWidth <= 0) {
        // Kept for when the plot gets its width: the vectors are made before the window is laid out.
        m_pendingNorm = largestNorm;
        return;
    }
    m_pendingNorm = 0;
    scale = 0.1 / largestNorm;
    maxScale = 10 * scale;
    minScale = 0.2 * scale;
    barValue = barPixels / (scale * plotWidth);
}

void TParamCom::SetBarPixels(int pixels)
{
    barPixels = pixels;
    if (ScaleValid() && plotWidth > 0)
        barValue = barPixels / (plotWidth * scale);
}

void TParamCom::SetBarValue(double value)
{
    if (plotWidth <= 0 || !Usable(value))
        return;
    double wanted = barPixels / (value * plotWidth);
    // The user's scale stays within the limits of the automatic one.
    if (Usable(maxScale) && Usable(minScale)) {
        wanted = std::clamp(wanted, minScale, maxScale);
        scale = wanted;
        barValue = barPixels / (scale * plotWidth);
        return;
    }
    scale = wanted;
    barValue = value;
}

void TParamCom::SetPlotWidth(int width)
{
    if (width < 1)
        return;
    const int before = plotWidth;
    plotWidth = width;
    if (m_pendingNorm > 0) {
        AutoScale(m_pendingNorm);
        return;
    }
    if (!BarValueValid() || before == width)
        return;
    const double keeping = barPixels / (width * barValue);
    if (keeping > maxScale) {
        scale = maxScale;
        barValue = barPixels / (width * scale);
    } else if (keeping < minScale) {
        scale = minScale;
        barValue = barPixels / (width * scale);
    } else {
        scale = keeping;
    }
}

// ---- TGVecteur ----

const char* FamilyUnit(int family)
{
    return family == kFamilyAcceleration ? "m/s²" : "m/s";
}

double VectorDirection(double vx, double vy)
{
    double degrees = 0;
    if (std::fabs(vx) < kTiny)
        degrees = 90 * Sign(vy);
    else if (std::fabs(vy / vx) > 1.8e19)
        degrees = -90 * Sign(vx) * Sign(vy / vx);
    else
        degrees = std::atan2(vy, vx) * 180 / 3.14159265358979323846;
    // Every way of getting there ends in [0, 360): straight down is 270.
    while (degrees < 0)
        degrees += 360;
    while (degrees >= 360)
        degrees -= 360;
    return degrees;
}

TGVecteur::TGVecteur(TWorldPoint anchor, TWorldPoint components, int family, TParamCom* record)
    : TGPolyPoint(obVecteur)
    , vx(components.x)
    , vy(components.y)
    , m_family(family)
    , m_record(record)
{
    points = { anchor };
    colour = kVecteurColour;
}

std::unique_ptr<TGVecteur> TGVecteur::FromPixels(
    const TElementFrame& frame, TPointF anchor, TPointF tip, int family, TParamCom* record)
{
    auto v = std::unique_ptr<TGVecteur>(new TGVecteur(frame.mapping.ToWorld(anchor), {}, family, record));
    v->ComponentsFrom(anchor, tip);
    return v;
}

void TGVecteur::ComponentsFrom(TPointF anchor, TPointF tip)
{
    if (m_record == nullptr || m_record->barPixels == 0 || !m_record->BarValueValid())
        return;
    const double perPixel = m_record->barValue / m_record->barPixels;
    vx = (tip.x - anchor.x) * perPixel;
    vy = (anchor.y - tip.y) * perPixel;
}

double TGVecteur::Norm() const
{
    return std::hypot(vx, vy);
}

double TGVecteur::ScaledX() const
{
    return m_record != nullptr && m_record->ScaleValid() ? vx * m_record->scale : 0;
}

double TGVecteur::ScaledY() const
{
    return m_record != nullptr && m_record->ScaleValid() ? vy * m_record->scale : 0;
}

TPointF TGVecteur::TipPixel() const
{
    const TPointF a = AnchorPixel();
    const double width = m_record != nullptr ? m_record->plotWidth : 0;
    return { a.x + ScaledX() * width, a.y - ScaledY() * width };
}

void TGVecteur::Reverse()
{
    const TWorldPoint tip = ToWorld(TipPixel());
    points[0] = tip;
    vx = -vx;
    vy = -vy;
}

void TGVecteur::BeginDrag(int handle, TPointF at)
{
    m_tipHeld = TipPixel();
    TGPolyPoint::BeginDrag(handle, at);
}

void TGVecteur::Drag(TPointF to)
{
    switch (DragHandle()) {
    case 0:
        // The anchor moves, the tip stays.
        points[0] = ToWorld(to);
        ComponentsFrom(to, m_tipHeld);
        break;
    case 1:
        ComponentsFrom(AnchorPixel(), to);
        break;
    default:
        TGPolyPoint::Drag(to);
        break;
    }
}

int TGVecteur::HitTest(TPointF p) const
{
    const double reach = HandleReach();
    const TPointF a = AnchorPixel(), t = TipPixel();
    if (std::hypot(p.x - t.x, p.y - t.y) <= reach)
        return 1;
    if (std::hypot(p.x - a.x, p.y - a.y) <= reach)
        return 0;
    const double dx = t.x - a.x, dy = t.y - a.y, length2 = dx * dx + dy * dy;
    if (length2 <= 0)
        return kHitNone;
    const double k = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return std::hypot(p.x - a.x - k * dx, p.y - a.y - k * dy) <= reach ? kHitBody : kHitNone;
}

void TGVecteur::Draw(TDrawList& list) const
{
    const TPointF a = AnchorPixel(), t = TipPixel();
    const TPen pen = ElementPen(colour, selected, Display().penWidth);
    list.Line(a, t, pen);
    const drawing::TArrowHead head = drawing::ArrowHead(Rounded(a), Rounded(t), drawing::kVectorArrowWidth,
        drawing::kVectorArrowMax, drawing::kVectorArrowMin, drawing::kVectorArrowPerMille);
    // The head from the tip: the first wing, the tip, the second wing.
    TPolyline wings;
    wings.pen = { pen.colour, pen.width, TLineStyle::Solid };
    const TPointF tip { double(head[1].x), double(head[1].y) };
    wings.points = { { double(head[0].x), double(head[0].y) }, tip, { double(head[2].x), double(head[2].y) } };
    list.Add(std::move(wings));
    if (Display().vectorValues) {
        TText text;
        text.at = { a.x + (t.x - a.x) / 4, a.y + (t.y - a.y) / 4 };
        text.runs = { { NormText(Norm(), Display().separator) + " " + FamilyUnit(m_family), colour } };
        text.pointSize = 10;
        const double d = Direction();
        const bool below = (d >= 0 && d < 90) || (d >= 180 && d < 270);
        text.vAlign = below ? TVAlign::Top : TVAlign::Bottom;
        list.Add(std::move(text));
    }
}

std::vector<std::string> TGVecteur::Lines() const
{
    const char sep = Display().separator;
    const std::string unit = FamilyUnit(m_family);
    return { (m_family == kFamilyAcceleration ? Tr("Accélération") : Tr("Vitesse")) + " : "
            + FormatGeneral(Norm(), 3, sep) + " " + unit,
        Tr("Direction") + " : " + FormatGeneral(Direction(), 4, sep) + "°",
        "x : " + FormatGeneral(vx, 3, sep) + " " + unit, "y : " + FormatGeneral(vy, 3, sep) + " " + unit };
}

void TGVecteur::Assign(const TGElem& other)
{
    TGPolyPoint::Assign(other);
    if (const auto* v = dynamic_cast<const TGVecteur*>(&other)) {
        vx = v->vx;
        vy = v->vy;
        related = v->related;
    }
}

double LargestNorm(const TGraph& graph, int family)
{
    double largest = -1e100;
    for (const auto& e : graph.Elements()) {
        if (const auto* v = dynamic_cast<const TGVecteur*>(e.get()); v != nullptr && v->Family() == family)
            largest = std::max(largest, v->Norm());
    }
    return largest;
}

void UseVectors(TGraph& graph)
{
    graph.vectorFactory = [](TGraph&, TCourbe& curve, TParamCom& record, TWorldPoint anchor, TWorldPoint components) {
        const int family = record.name == FamilyUnit(kFamilyAcceleration) ? kFamilyAcceleration : kFamilyVelocity;
        curve.currentFamily = family;
        return std::unique_ptr<TGElem>(new TGVecteur(anchor, components, family, &record));
    };
}

} // namespace kinoval::graph
