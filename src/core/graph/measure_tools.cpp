#include "core/graph/measure_tools.h"

#include "core/common/texts.h"
#include "core/graph/graph.h"
#include "core/graph/vectors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kinoval::graph {

namespace {

constexpr double kPi = std::numbers::pi;
// Steps of the polyline that draws a circle, an ellipse or an arc.
constexpr int kRoundSteps = 96;
// How far a point may stray from another before a construction counts them different, in pixels.
constexpr double kSamePoint = 0.5;
// A band smaller than this acts on the element under the pointer, in pixels.
constexpr double kSmallBand = 4;
// A duplicate lands this far right of and below its original, in pixels.
constexpr double kDuplicateShift = 12;

double Distance(TWorldPoint a, TWorldPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double PixelDistance(TPointF a, TPointF b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double DistanceToSegment(TPointF p, TPointF a, TPointF b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 <= 0)
        return PixelDistance(p, a);
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return PixelDistance(p, { a.x + t * dx, a.y + t * dy });
}

std::string WithSeparator(std::string text, char separator)
{
    if (separator != '.')
        std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string Fixed(double value, int decimals, char separator)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return WithSeparator(buffer, separator);
}

// The pen of the tools: dotted and lighter when selected.
TPen ToolPen(const TGElem& e, double width)
{
    return ElementPen(e.colour, e.selected, width);
}

void AddPolyline(TDrawList& list, std::vector<TPointF> points, const TPen& pen)
{
    if (points.size() >= 2)
        list.Add(TPolyline { std::move(points), pen });
}

// The lines through a polyline within reach of a pixel position.
bool NearPolyline(const std::vector<TPointF>& line, TPointF p, double reach)
{
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (DistanceToSegment(p, line[i - 1], line[i]) <= reach)
            return true;
    }
    return false;
}

double NormaliseAngle(double a)
{
    while (a > kPi)
        a -= 2 * kPi;
    while (a <= -kPi)
        a += 2 * kPi;
    return a;
}

} // namespace

// ---- texts ----

std::string FormatGeneral(double value, int digits, char separator)
{
    if (!std::isfinite(value))
        return Tr("#Nombre!");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", std::max(1, digits), value);
    return WithSeparator(buffer, separator);
}

std::string FormatLength(double value, char separator)
{
    return FormatGeneral(value, 3, separator) + " " + "m";
}

std::string FormatAngle(double radians, char separator)
{
    return Fixed(radians * 180 / kPi, 1, separator) + "°" + " " + "(" + Fixed(radians, 3, separator) + " " + "rad"
        + ")";
}

void DrawValue(TDrawList& list, TPointF at, const std::string& text, TColor colour)
{
    TText t;
    t.at = { at.x + 6, at.y - 4 };
    t.runs = { { text, colour } };
    t.pointSize = 9;
    t.vAlign = TVAlign::Bottom;
    list.Add(std::move(t));
}

bool IsMeasureKind(TGObjectType kind)
{
    switch (kind) {
    case obAngle:
    case obArc:
    case obCercle:
    case obEllipse:
    case obSegment:
    case obSpline:
    case obVecteur:
        return true;
    default:
        return false;
    }
}

double EllipseCircumference(double a, double b)
{
    if (std::fabs(a - b) < 1e-100)
        return 2 * kPi * a;
    return kPi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
}

double SplineLength(const std::vector<TWorldPoint>& p)
{
    const std::size_t n = p.size();
    if (n < 4)
        return 0;
    static constexpr double kNodes[3] = { 0.2386191861, 0.6612093865, 0.9324695142 };
    static constexpr double kWeights[3] = { 0.4679139346, 0.360761573, 0.1713244924 };
    double total = 0;
    for (std::size_t k = 2; k + 2 <= n; ++k) {
        const TWorldPoint &a = p[k - 2], &b = p[k - 1], &c = p[k], &d = p[k + 1];
        const auto speed = [&](double s) {
            const double ka = 2 * s - 0.5 - 1.5 * s * s, kb = 4.5 * s * s - 5 * s;
            const double kc = 4 * s + 0.5 - 4.5 * s * s, kd = 1.5 * s * s - s;
            return std::hypot(a.x * ka + b.x * kb + c.x * kc + d.x * kd, a.y * ka + b.y * kb + c.y * kc + d.y * kd);
        };
        double sum = 0;
        for (int i = 0; i < 3; ++i)
            sum += kWeights[i] * (speed(0.5 + 0.5 * kNodes[i]) + speed(0.5 - 0.5 * kNodes[i]));
        total += 0.5 * sum;
    }
    return total;
}

// ---- TGAngle ----

TGAngle::TGAngle()
    : TGPolyPoint(obAngle)
{
    points.resize(3);
}

TGAngle::TGAngle(TWorldPoint a, TWorldPoint vertex, TWorldPoint b)
    : TGPolyPoint(obAngle)
{
    points = { a, vertex, b };
}

double TGAngle::Radians() const
{
    const TPointF p0 = Pixel(0), p1 = Pixel(1), p2 = Pixel(2);
    // On the screen y grows downwards: the sign of the cross product does not matter, its size does.
    const double ux = p1.x - p0.x, uy = p1.y - p0.y;
    const double vx = p2.x - p1.x, vy = p2.y - p1.y;
    const double cross = ux * vy - uy * vx;
    const double dot = ux * vx + uy * vy;
    const double angle = dot == 0 ? (cross < 0 ? -kPi / 2 : kPi / 2) : std::atan2(cross, -dot);
    return std::fabs(angle);
}

void TGAngle::Draw(TDrawList& list) const
{
    const TPen pen = ToolPen(*this, Display().penWidth);
    AddPolyline(list, { Pixel(0), Pixel(1), Pixel(2) }, pen);
    DrawValue(list, Pixel(1), Fixed(Radians() * 180 / kPi, 1, Display().separator) + "°", colour);
}

int TGAngle::HitTest(TPointF p) const
{
    const int handle = TGPolyPoint::HitTest(p);
    if (handle != kHitNone)
        return handle;
    return NearPolyline({ Pixel(0), Pixel(1), Pixel(2) }, p, HandleReach()) ? kHitBody : kHitNone;
}

std::vector<std::string> TGAngle::Lines() const
{
    return { Tr("Angle saillant entre les deux droites") + " : " + FormatAngle(Radians(), Display().separator) };
}

// ---- TGArc ----

TGArc::TGArc()
    : TGPolyPoint(obArc)
{
    points.resize(3);
    colour = kArcColour;
}

TGArc::TGArc(TWorldPoint a, TWorldPoint b)
    : TGPolyPoint(obArc)
{
    points = { a, b, { (a.x + b.x) / 2, (a.y + b.y) / 2 } };
    colour = kArcColour;
}

double TGArc::Radius() const
{
    if (straight)
        return HUGE_VAL;
    return Distance(points[2], points[0]);
}

double TGArc::Length() const
{
    if (straight)
        return Distance(points[0], points[1]);
    return Radius() * std::fabs(angle);
}

void TGArc::PlaceCentre()
{
    const TWorldPoint a = points[0], b = points[1];
    const TWorldPoint mid { (a.x + b.x) / 2, (a.y + b.y) / 2 };
    const double chord = Distance(a, b);
    if (straight || chord <= 0 || std::fabs(angle) < 1e-9) {
        points[2] = mid;
        return;
    }
    // The centre lies on the chord's bisector, on the side from which end 0 turns to end 1 by the angle.
    const double nx = -(b.y - a.y) / chord, ny = (b.x - a.x) / chord;
    const double h = (chord / 2) / std::tan(angle / 2);
    points[2] = { mid.x + nx * h, mid.y + ny * h };
}

void TGArc::BendThrough(TWorldPoint m)
{
    const TWorldPoint a = points[0], b = points[1];
    // The circle through a, m and b.
    const double d = 2 * (a.x * (m.y - b.y) + m.x * (b.y - a.y) + b.x * (a.y - m.y));
    const double scale = std::max({ Distance(a, b), Distance(a, m), Distance(m, b) });
    if (!(scale > 0) || std::fabs(d) < 1e-9 * scale * scale) {
        straight = true;
        angle = 0;
        PlaceCentre();
        return;
    }
    const double a2 = a.x * a.x + a.y * a.y, m2 = m.x * m.x + m.y * m.y, b2 = b.x * b.x + b.y * b.y;
    const TWorldPoint c { (a2 * (m.y - b.y) + m2 * (b.y - a.y) + b2 * (a.y - m.y)) / d,
        (a2 * (b.x - m.x) + m2 * (a.x - b.x) + b2 * (m.x - a.x)) / d };
    const double a0 = std::atan2(a.y - c.y, a.x - c.x);
    const double a1 = std::atan2(b.y - c.y, b.x - c.x);
    const double am = std::atan2(m.y - c.y, m.x - c.x);
    const auto ccw = [](double from, double to) {
        double s = to - from;
        while (s < 0)
            s += 2 * kPi;
        while (s >= 2 * kPi)
            s -= 2 * kPi;
        return s;
    };
    const double sweep = ccw(a0, a1);
    angle = ccw(a0, am) < sweep ? sweep : sweep - 2 * kPi;
    straight = false;
    points[2] = c;
}

std::vector<TWorldPoint> TGArc::WorldPolyline() const
{
    if (straight)
        return { points[0], points[1] };
    const TWorldPoint c = points[2];
    const double r = Radius();
    const double a0 = std::atan2(points[0].y - c.y, points[0].x - c.x);
    const int steps = std::max(2, int(std::ceil(kRoundSteps * std::fabs(angle) / (2 * kPi))));
    std::vector<TWorldPoint> out;
    out.reserve(std::size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = a0 + angle * i / steps;
        out.push_back({ c.x + r * std::cos(t), c.y + r * std::sin(t) });
    }
    return out;
}

void TGArc::Draw(TDrawList& list) const
{
    std::vector<TPointF> line;
    for (const TWorldPoint& w : WorldPolyline())
        line.push_back(ToScreen(w));
    const TPointF middle = line[line.size() / 2];
    AddPolyline(list, std::move(line), ToolPen(*this, Display().penWidth));
    if (selected && !straight)
        list.Glyph(Pixel(2), colour, 0, 14);
    DrawValue(list, middle, FormatLength(Length(), Display().separator), colour);
}

int TGArc::HitTest(TPointF p) const
{
    const double reach = HandleReach();
    for (int i = 0; i < (straight ? 2 : 3); ++i) {
        if (PixelDistance(p, Pixel(std::size_t(i))) <= reach)
            return i;
    }
    std::vector<TPointF> line;
    for (const TWorldPoint& w : WorldPolyline())
        line.push_back(ToScreen(w));
    return NearPolyline(line, p, reach) ? kHitBody : kHitNone;
}

void TGArc::Drag(TPointF to)
{
    const int handle = DragHandle();
    if (handle == 2) {
        // The centre carries the whole arc.
        const TWorldPoint before = points[2];
        TGPolyPoint::Drag(to);
        const double dx = points[2].x - before.x, dy = points[2].y - before.y;
        for (int i = 0; i < 2; ++i) {
            points[std::size_t(i)].x += dx;
            points[std::size_t(i)].y += dy;
        }
        return;
    }
    TGPolyPoint::Drag(to);
    if (handle == 0 || handle == 1)
        PlaceCentre();
}

std::vector<std::string> TGArc::Lines() const
{
    const char sep = Display().separator;
    std::vector<std::string> lines;
    lines.push_back(Tr("Longueur de l'arc de cercle") + " : " + FormatLength(Length(), sep));
    lines.push_back(Tr("Angle entre les rayons") + " : " + FormatAngle(std::fabs(angle), sep));
    if (straight)
        lines.push_back(Tr("Longueur du rayon") + " : " + Tr("infinie"));
    else
        lines.push_back(Tr("Longueur du rayon") + " : " + FormatLength(Radius(), sep));
    return lines;
}

void TGArc::Assign(const TGElem& other)
{
    TGPolyPoint::Assign(other);
    if (const auto* arc = dynamic_cast<const TGArc*>(&other)) {
        angle = arc->angle;
        straight = arc->straight;
    }
}

// ---- TGCercle ----

TGCercle::TGCercle()
    : TGPolyPoint(obCercle)
{
    colour = kCercleColour;
}

TGCercle::TGCercle(TWorldPoint centre, TWorldPoint onCircle)
    : TGPolyPoint(obCercle)
{
    points = { centre, onCircle };
    colour = kCercleColour;
}

double TGCercle::Radius() const
{
    return points.size() < 2 ? 0 : Distance(points[0], points[1]);
}

double TGCercle::Circumference() const
{
    return 2 * kPi * Radius();
}

namespace {

// The closed curve c + cos t u + sin t v, t over a turn, in pixels.
template <class ToScreen> std::vector<TPointF> RoundLine(TWorldPoint c, TWorldPoint u, TWorldPoint v, ToScreen toScreen)
{
    std::vector<TPointF> line;
    line.reserve(kRoundSteps + 1);
    for (int i = 0; i <= kRoundSteps; ++i) {
        const double t = 2 * kPi * i / kRoundSteps;
        const double cs = std::cos(t), sn = std::sin(t);
        line.push_back(toScreen({ c.x + cs * u.x + sn * v.x, c.y + cs * u.y + sn * v.y }));
    }
    return line;
}

} // namespace

void TGCercle::Draw(TDrawList& list) const
{
    if (points.size() < 2)
        return;
    const double r = Radius();
    AddPolyline(list, RoundLine(points[0], { r, 0 }, { 0, r }, [this](TWorldPoint w) { return ToScreen(w); }),
        ToolPen(*this, Display().penWidth));
    if (selected)
        list.Glyph(Pixel(0), colour, 0, 14);
    DrawValue(list, Pixel(1), "r = " + FormatLength(r, Display().separator), colour);
}

int TGCercle::HitTest(TPointF p) const
{
    if (points.size() < 2)
        return kHitNone;
    const int handle = TGPolyPoint::HitTest(p);
    if (handle != kHitNone)
        return handle;
    const double r = Radius();
    const auto line = RoundLine(points[0], { r, 0 }, { 0, r }, [this](TWorldPoint w) { return ToScreen(w); });
    return NearPolyline(line, p, HandleReach()) ? kHitBody : kHitNone;
}

void TGCercle::Drag(TPointF to)
{
    if (DragHandle() == 0 && points.size() >= 2) {
        // The centre carries the circle.
        const TWorldPoint before = points[0];
        TGPolyPoint::Drag(to);
        points[1].x += points[0].x - before.x;
        points[1].y += points[0].y - before.y;
        return;
    }
    TGPolyPoint::Drag(to);
}

std::vector<std::string> TGCercle::Lines() const
{
    const char sep = Display().separator;
    return { Tr("Circonférence du cercle") + " : " + FormatLength(Circumference(), sep),
        Tr("Longueur du rayon") + " : " + FormatLength(Radius(), sep) };
}

// ---- TGEllipse ----

TGEllipse::TGEllipse()
    : TGPolyPoint(obEllipse)
{
    points.resize(5);
    colour = kEllipseColour;
}

TGEllipse::TGEllipse(TWorldPoint corner, TWorldPoint opposite)
    : TGEllipse()
{
    const TWorldPoint c { (corner.x + opposite.x) / 2, (corner.y + opposite.y) / 2 };
    SetAxes(c, std::fabs(opposite.x - corner.x) / 2, std::fabs(opposite.y - corner.y) / 2, 0);
}

TGEllipse TGEllipse::Of(TWorldPoint centre, double a, double b, double angle)
{
    TGEllipse e;
    e.SetAxes(centre, a, b, angle);
    return e;
}

void TGEllipse::SetAxes(TWorldPoint c, double a, double b, double turn)
{
    angle = turn;
    const double cs = std::cos(turn), sn = std::sin(turn);
    points.resize(5);
    points[0] = { c.x + a * cs, c.y + a * sn };
    points[1] = { c.x - b * sn, c.y + b * cs };
    points[2] = { c.x - a * cs, c.y - a * sn };
    points[3] = { c.x + b * sn, c.y - b * cs };
    points[4] = c;
}

double TGEllipse::SemiAxis0() const
{
    return Distance(points[4], points[0]);
}

double TGEllipse::SemiAxis1() const
{
    return Distance(points[4], points[1]);
}

double TGEllipse::Circumference() const
{
    return EllipseCircumference(SemiAxis0(), SemiAxis1());
}

void TGEllipse::Draw(TDrawList& list) const
{
    const TWorldPoint c = points[4];
    const TWorldPoint u { points[0].x - c.x, points[0].y - c.y };
    const TWorldPoint v { points[1].x - c.x, points[1].y - c.y };
    AddPolyline(
        list, RoundLine(c, u, v, [this](TWorldPoint w) { return ToScreen(w); }), ToolPen(*this, Display().penWidth));
    if (selected) {
        // The axes as construction lines.
        const TPen dotted { colour, 1, TLineStyle::Dotted };
        AddPolyline(list, { Pixel(0), Pixel(2) }, dotted);
        AddPolyline(list, { Pixel(1), Pixel(3) }, dotted);
    }
    DrawValue(list, Pixel(0), FormatLength(Circumference(), Display().separator), colour);
}

int TGEllipse::HitTest(TPointF p) const
{
    const int handle = TGPolyPoint::HitTest(p);
    if (handle != kHitNone)
        return handle;
    const TWorldPoint c = points[4];
    const auto line = RoundLine(c, { points[0].x - c.x, points[0].y - c.y }, { points[1].x - c.x, points[1].y - c.y },
        [this](TWorldPoint w) { return ToScreen(w); });
    return NearPolyline(line, p, HandleReach()) ? kHitBody : kHitNone;
}

void TGEllipse::Drag(TPointF to)
{
    const int handle = DragHandle();
    if (handle < 0 || handle == 4) {
        // The body and the centre carry the whole ellipse.
        if (handle == 4) {
            const TWorldPoint before = points[4];
            TGPolyPoint::Drag(to);
            const double dx = points[4].x - before.x, dy = points[4].y - before.y;
            for (int i = 0; i < 4; ++i) {
                points[std::size_t(i)].x += dx;
                points[std::size_t(i)].y += dy;
            }
        } else {
            TGPolyPoint::Drag(to);
        }
        return;
    }
    const TWorldPoint c = points[4];
    const TWorldPoint w = ToWorld(to);
    double a = SemiAxis0(), b = SemiAxis1(), turn = angle;
    if (handle == 0 || handle == 2) {
        // An end of the first axis turns and stretches it; the second stays square to it.
        a = Distance(c, w);
        turn = std::atan2(w.y - c.y, w.x - c.x) + (handle == 2 ? kPi : 0);
    } else {
        b = std::fabs(-(w.x - c.x) * std::sin(turn) + (w.y - c.y) * std::cos(turn));
    }
    SetAxes(c, a, b, NormaliseAngle(turn));
}

std::vector<std::string> TGEllipse::Lines() const
{
    const char sep = Display().separator;
    // An axis has no way: its angle with the horizontal lies in [0, pi).
    double turn = std::fmod(angle, kPi);
    if (turn < 0)
        turn += kPi;
    const double a = std::max(SemiAxis0(), SemiAxis1()), b = std::min(SemiAxis0(), SemiAxis1());
    return { Tr("Angle avec l'horizontale") + " : " + FormatAngle(turn, sep),
        Tr("Circonférence de l'ellipse") + ": " + FormatLength(Circumference(), sep),
        Tr("Longueur du demi grand axe") + ": " + FormatLength(a, sep),
        Tr("Longueur du demi petit axe") + ": " + FormatLength(b, sep) };
}

void TGEllipse::Assign(const TGElem& other)
{
    TGPolyPoint::Assign(other);
    if (const auto* e = dynamic_cast<const TGEllipse*>(&other))
        angle = e->angle;
}

// ---- the tools ----

namespace {

// What a tool draws its element under construction with: the graph's mapping and display.
class TToolFrame {
public:
    const TElementFrame* Of(const TGraph& graph) const
    {
        m_frame.mapping = graph.Mapping();
        m_frame.display = graph.Display();
        return &m_frame;
    }

private:
    mutable TElementFrame m_frame;
};

const TPen kConstructionPen { MakeColor(96, 96, 96), 1, TLineStyle::Dotted };

// Segment, arc, circle, ellipse and vector: press at the first point, drag, release at the second.
class TTwoPointTool : public TGraphTool {
public:
    explicit TTwoPointTool(int code)
        : m_code(code)
    {
    }

    void Leave(TGraph&) override { m_down = false; }

    bool MouseDown(TGraph& graph, const TGraphMouse& mouse) override
    {
        if (mouse.button != TGraphButton::Left)
            return false;
        m_down = true;
        m_from = m_to = mouse.at;
        // The circle's centre snaps to the origin when the origin shows under the pointer.
        if (m_code == gtCercle && graph.IsOrigineVisible && graph.Mapping().Usable()) {
            const TPointF origin = graph.Mapping().ToScreen(TWorldPoint { 0, 0 });
            if (PixelDistance(origin, mouse.at) <= 6)
                m_from = origin;
        }
        return true;
    }

    bool MouseMove(TGraph&, const TGraphMouse& mouse) override
    {
        if (!m_down)
            return false;
        m_to = mouse.at;
        return true;
    }

    bool MouseUp(TGraph& graph, const TGraphMouse& mouse) override
    {
        if (!m_down)
            return false;
        m_down = false;
        m_to = mouse.at;
        std::unique_ptr<TGElem> made = Make(graph, nullptr);
        if (made)
            graph.AddUserElement(std::move(made));
        return true;
    }

    void Draw(const TGraph& graph, TDrawList& list) const override
    {
        if (!m_down)
            return;
        list.Line(m_from, m_to, kConstructionPen);
        std::unique_ptr<TGElem> shown = Make(const_cast<TGraph&>(graph), m_frame.Of(graph));
        if (shown)
            shown->Draw(list);
    }

private:
    // The element between the two points, null when they coincide.
    std::unique_ptr<TGElem> Make(TGraph& graph, const TElementFrame* frame) const
    {
        if (PixelDistance(m_from, m_to) < kSamePoint || !graph.Mapping().Usable())
            return nullptr;
        const TWorldPoint a = graph.ScreenToWorld(m_from), b = graph.ScreenToWorld(m_to);
        std::unique_ptr<TGElem> e;
        switch (m_code) {
        case gtSegment:
            e = std::make_unique<TGSegment>(a, b);
            break;
        case gtArc:
            e = std::make_unique<TGArc>(a, b);
            break;
        case gtCercle:
            e = std::make_unique<TGCercle>(a, b);
            break;
        case gtEllipse:
            e = std::make_unique<TGEllipse>(a, b);
            break;
        case gtVecteur: {
            TParamCom* record = graph.DrawingRecord();
            if (record == nullptr || !record->BarValueValid())
                return nullptr;
            const int family = record->name == FamilyUnit(kFamilyAcceleration) ? kFamilyAcceleration : kFamilyVelocity;
            TElementFrame mapped;
            mapped.mapping = graph.Mapping();
            e = TGVecteur::FromPixels(mapped, m_from, m_to, family, record);
            break;
        }
        default:
            return nullptr;
        }
        e->colour = graph.drawingColour;
        if (frame != nullptr)
            e->Attach(frame);
        return e;
    }

    int m_code;
    bool m_down = false;
    TPointF m_from, m_to;
    TToolFrame m_frame;
};

// The angle: three successive points, the vertex second.
class TAngleTool : public TGraphTool {
public:
    void Leave(TGraph&) override { m_points.clear(); }

    bool MouseDown(TGraph&, const TGraphMouse& mouse) override
    {
        if (mouse.button != TGraphButton::Left)
            return false;
        if (m_points.empty())
            m_points.push_back(mouse.at);
        m_points.push_back(mouse.at);
        return true;
    }

    bool MouseMove(TGraph&, const TGraphMouse& mouse) override
    {
        if (m_points.empty())
            return false;
        m_points.back() = mouse.at;
        return true;
    }

    bool MouseUp(TGraph& graph, const TGraphMouse& mouse) override
    {
        if (m_points.empty())
            return false;
        m_points.back() = mouse.at;
        // A release where the press was (a click) waits for the next point.
        if (m_points.size() == 2 && PixelDistance(m_points[0], m_points[1]) < kSamePoint)
            m_points.pop_back();
        if (m_points.size() < 3)
            return true;
        const TPointF p0 = m_points[0], p1 = m_points[1], p2 = m_points[2];
        m_points.clear();
        if (PixelDistance(p0, p1) < kSamePoint || PixelDistance(p1, p2) < kSamePoint
            || PixelDistance(p0, p2) < kSamePoint || !graph.Mapping().Usable())
            return true;
        auto angle
            = std::make_unique<TGAngle>(graph.ScreenToWorld(p0), graph.ScreenToWorld(p1), graph.ScreenToWorld(p2));
        angle->colour = graph.drawingColour;
        graph.AddUserElement(std::move(angle));
        return true;
    }

    void Draw(const TGraph&, TDrawList& list) const override
    {
        if (m_points.size() < 2)
            return;
        TPolyline line { m_points, kConstructionPen };
        list.Add(std::move(line));
    }

private:
    std::vector<TPointF> m_points;
};

// The smooth curve: a point per press, a double-click ends it.
class TSplineTool : public TGraphTool {
public:
    void Leave(TGraph&) override { m_points.clear(); }

    bool MouseDown(TGraph& graph, const TGraphMouse& mouse) override
    {
        if (mouse.button != TGraphButton::Left || !graph.Mapping().Usable())
            return false;
        if (!mouse.doubleClick) {
            m_points.push_back(graph.ScreenToWorld(mouse.at));
            return true;
        }
        // The double-click's first press has given the last point already.
        std::vector<TWorldPoint> points;
        points.swap(m_points);
        if (points.size() < 4)
            return true;
        auto spline = std::make_unique<TGSpline>();
        spline->points = std::move(points);
        spline->colour = graph.drawingColour;
        graph.AddUserElement(std::move(spline));
        return true;
    }

    void Draw(const TGraph& graph, TDrawList& list) const override
    {
        if (m_points.empty())
            return;
        TPolyline line;
        line.pen = kConstructionPen;
        for (const TWorldPoint& w : m_points)
            line.points.push_back(graph.Mapping().ToScreen(w));
        if (line.points.size() == 1)
            list.Glyph(line.points.front(), graph.drawingColour, 0, 14);
        else
            list.Add(std::move(line));
        if (m_points.size() >= 4) {
            TGSpline shown;
            shown.points = m_points;
            shown.colour = graph.drawingColour;
            shown.Attach(m_frame.Of(graph));
            shown.Draw(list);
        }
    }

private:
    std::vector<TWorldPoint> m_points;
    TToolFrame m_frame;
};

// The pixel positions that say where an element lies, for the band tools.
std::vector<TPointF> Footprint(const TGraph& graph, const TGElem& e)
{
    std::vector<TPointF> out;
    if (const auto* v = dynamic_cast<const TGVecteur*>(&e)) {
        out = { v->AnchorPixel(), v->TipPixel() };
    } else if (const auto* poly = dynamic_cast<const TGPolyPoint*>(&e)) {
        for (const TWorldPoint& w : poly->points)
            out.push_back(graph.Mapping().ToScreen(w));
    }
    return out;
}

// Colour, duplicate and delete: the user drags a band, and every measuring tool or vector inside it is
// recoloured, duplicated or deleted, in one group of the history. A click acts on the element under it.
class TBandTool : public TGraphTool {
public:
    explicit TBandTool(int code)
        : m_code(code)
    {
    }

    void Leave(TGraph&) override { m_down = false; }

    bool MouseDown(TGraph&, const TGraphMouse& mouse) override
    {
        if (mouse.button != TGraphButton::Left)
            return false;
        m_down = true;
        m_from = m_to = mouse.at;
        return true;
    }

    bool MouseMove(TGraph&, const TGraphMouse& mouse) override
    {
        if (!m_down)
            return false;
        m_to = mouse.at;
        return true;
    }

    bool MouseUp(TGraph& graph, const TGraphMouse& mouse) override
    {
        if (!m_down)
            return false;
        m_down = false;
        m_to = mouse.at;
        const TRectF band = Band();
        std::vector<TGElem*> chosen;
        const bool click = band.width < kSmallBand && band.height < kSmallBand;
        const auto& elements = graph.Elements();
        for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
            TGElem* e = it->get();
            if (!e->visible || !IsMeasureKind(e->Kind()) || !e->Pickable())
                continue;
            if (click) {
                if (e->HitTest(m_to) != kHitNone) {
                    chosen.push_back(e);
                    break;
                }
                continue;
            }
            const std::vector<TPointF> at = Footprint(graph, *e);
            if (!at.empty() && std::all_of(at.begin(), at.end(), [&band](TPointF p) { return band.Contains(p); }))
                chosen.push_back(e);
        }
        if (chosen.empty())
            return true;
        THistorique& history = graph.History();
        history.BeginGroup();
        for (TGElem* e : chosen) {
            switch (m_code) {
            case gtCouleur:
                graph.RecordEdit(*e, THistAction::Colour);
                e->colour = graph.drawingColour;
                break;
            case gtDupliquer:
                Duplicate(graph, *e);
                break;
            case gtSupprimer: {
                THistObject entry;
                entry.action = THistAction::Delete;
                entry.kind = e->Kind();
                entry.elementId = e->Id();
                entry.saved = graph.RemoveElement(e);
                history.Record(std::move(entry));
                break;
            }
            default:
                break;
            }
        }
        history.EndGroup();
        graph.OnChanged.Emit();
        return true;
    }

    void Draw(const TGraph&, TDrawList& list) const override
    {
        if (m_down)
            list.Add(TFocusRect { Band() });
    }

private:
    TRectF Band() const
    {
        return { std::min(m_from.x, m_to.x), std::min(m_from.y, m_to.y), std::fabs(m_to.x - m_from.x),
            std::fabs(m_to.y - m_from.y) };
    }

    static void Duplicate(TGraph& graph, const TGElem& e)
    {
        std::unique_ptr<TGElem> copy = e.Clone();
        copy->curve = nullptr;
        copy->selected = false;
        const TMapping& map = graph.Mapping();
        const TWorldPoint shift { kDuplicateShift * map.UnitsPerPixelX(), -kDuplicateShift * map.UnitsPerPixelY() };
        if (auto* poly = dynamic_cast<TGPolyPoint*>(copy.get())) {
            for (TWorldPoint& p : poly->points) {
                p.x += shift.x;
                p.y += shift.y;
            }
        }
        if (auto* v = dynamic_cast<TGVecteur*>(copy.get()))
            v->related = e.Id();
        TGElem* added = graph.AddElement(std::move(copy));
        THistObject entry;
        entry.action = THistAction::Duplicate;
        entry.kind = added->Kind();
        entry.elementId = added->Id();
        graph.History().Record(std::move(entry));
    }

    int m_code;
    bool m_down = false;
    TPointF m_from, m_to;
};

// The bend tool: an arc follows the pointer through which it passes; a circle's radius or an ellipse's
// nearest axis end follows it too.
class TBendTool : public TGraphTool {
public:
    void Leave(TGraph&) override { m_bent = nullptr; }

    bool MouseDown(TGraph& graph, const TGraphMouse& mouse) override
    {
        m_bent = nullptr;
        if (mouse.button != TGraphButton::Left)
            return false;
        const auto& elements = graph.Elements();
        for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
            TGElem* e = it->get();
            const TGObjectType k = e->Kind();
            if (!e->visible || (k != obArc && k != obCercle && k != obEllipse))
                continue;
            const int hit = e->HitTest(mouse.at);
            if (hit == kHitNone)
                continue;
            m_bent = e;
            m_recorded = false;
            if (k == obEllipse) {
                // The nearest end of an axis.
                const auto* ellipse = static_cast<TGEllipse*>(e);
                int best = 0;
                for (int i = 1; i < 4; ++i) {
                    if (PixelDistance(graph.Mapping().ToScreen(ellipse->points[std::size_t(i)]), mouse.at)
                        < PixelDistance(graph.Mapping().ToScreen(ellipse->points[std::size_t(best)]), mouse.at))
                        best = i;
                }
                e->BeginDrag(best, mouse.at);
            } else if (k == obCercle) {
                e->BeginDrag(1, mouse.at);
            }
            graph.ClearSelection();
            e->selected = true;
            return true;
        }
        return false;
    }

    bool MouseMove(TGraph& graph, const TGraphMouse& mouse) override
    {
        if (m_bent == nullptr || graph.FindElement(m_bent->Id()) != m_bent)
            return false;
        if (!m_recorded) {
            graph.RecordEdit(*m_bent, THistAction::Bend);
            m_recorded = true;
        }
        if (auto* arc = dynamic_cast<TGArc*>(m_bent))
            arc->BendThrough(graph.ScreenToWorld(mouse.at));
        else
            m_bent->Drag(mouse.at);
        graph.OnChanged.Emit();
        return true;
    }

    bool MouseUp(TGraph&, const TGraphMouse&) override
    {
        if (m_bent == nullptr)
            return false;
        m_bent->EndDrag();
        m_bent = nullptr;
        return true;
    }

private:
    TGElem* m_bent = nullptr;
    bool m_recorded = false;
};

} // namespace

std::string DescribeElements(const TGraph& graph)
{
    std::string out;
    int vectors = 0;
    std::string family;
    for (const auto& e : graph.Elements()) {
        if (e->Kind() == obVecteur && e->visible) {
            ++vectors;
            family = FamilyUnit(e->Family());
        }
    }
    if (vectors > 0)
        out += FormatText(Tr("%d vecteurs en %s"), { std::to_string(vectors), family });
    for (const auto& e : graph.Elements()) {
        if (e->curve != nullptr || e->Kind() == obVecteur || !IsMeasureKind(e->Kind()))
            continue;
        const std::vector<std::string> lines = e->Lines();
        if (lines.empty())
            continue;
        if (!out.empty())
            out += " | ";
        out += lines.front();
    }
    return out;
}

bool ReverseSelectedVectors(TGraph& graph)
{
    std::vector<TGVecteur*> chosen;
    for (TGElem* e : graph.Selection()) {
        if (auto* v = dynamic_cast<TGVecteur*>(e))
            chosen.push_back(v);
    }
    if (chosen.empty())
        return false;
    graph.History().BeginGroup();
    for (TGVecteur* v : chosen) {
        graph.RecordEdit(*v, THistAction::Reverse);
        v->Reverse();
    }
    graph.History().EndGroup();
    graph.OnChanged.Emit();
    return true;
}

void RegisterMeasureTools(TGraph& graph)
{
    for (int code : { gtSegment, gtArc, gtCercle, gtEllipse, gtVecteur })
        graph.RegisterTool(code, std::make_unique<TTwoPointTool>(code));
    graph.RegisterTool(gtAngle, std::make_unique<TAngleTool>());
    graph.RegisterTool(gtSpline, std::make_unique<TSplineTool>());
    for (int code : { gtCouleur, gtDupliquer, gtSupprimer })
        graph.RegisterTool(code, std::make_unique<TBandTool>(code));
    graph.RegisterTool(gtCourber, std::make_unique<TBendTool>());
}

} // namespace kinoval::graph
