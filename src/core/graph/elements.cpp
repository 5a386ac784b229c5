#include "core/graph/elements.h"

#include "core/common/texts.h"
#include "core/drawing/arrow_head.h"
#include "core/graph/measure_tools.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kinoval::graph {

namespace {

const TElementFrame& NoFrame()
{
    static const TElementFrame frame;
    return frame;
}

double Distance(TPointF a, TPointF b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double DistanceToSegment(TPointF p, TPointF a, TPointF b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 <= 0)
        return Distance(p, a);
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return Distance(p, { a.x + t * dx, a.y + t * dy });
}

} // namespace

TGElem::~TGElem() = default;

TPointF TGElem::ToScreen(TWorldPoint p) const
{
    return (m_frame ? *m_frame : NoFrame()).mapping.ToScreen(p);
}

TWorldPoint TGElem::ToWorld(TPointF p) const
{
    return (m_frame ? *m_frame : NoFrame()).mapping.ToWorld(p);
}

const TElementDisplay& TGElem::Display() const
{
    return (m_frame ? *m_frame : NoFrame()).display;
}

TRectF TGElem::PlotRect() const
{
    return (m_frame ? *m_frame : NoFrame()).mapping.plot.Rect();
}

void TGElem::Assign(const TGElem& other)
{
    selected = other.selected;
    visible = other.visible;
    colour = other.colour;
    group = other.group;
}

TPen ElementPen(TColor colour, bool selected, double width)
{
    if (selected)
        return { drawing::ScaleColour(colour, 75), 1, TLineStyle::Dotted };
    return { colour, width > 0 ? width : 1, TLineStyle::Solid };
}

// ---- TGPolyPoint ----

double TGPolyPoint::HandleReach() const
{
    // The pen's width, and never less than what a hand can hit.
    return std::max(4.0, Display().penWidth);
}

void TGPolyPoint::Assign(const TGElem& other)
{
    TGElem::Assign(other);
    if (const auto* poly = dynamic_cast<const TGPolyPoint*>(&other)) {
        points = poly->points;
        PointsMoved();
    }
}

int TGPolyPoint::HitTest(TPointF p) const
{
    const double reach = HandleReach();
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (Distance(p, Pixel(i)) <= reach)
            return static_cast<int>(i);
    }
    return kHitNone;
}

void TGPolyPoint::BeginDrag(int handle, TPointF at)
{
    m_dragHandle = handle;
    m_dragFrom = ToWorld(at);
}

void TGPolyPoint::Drag(TPointF to)
{
    const TWorldPoint w = ToWorld(to);
    if (m_dragHandle >= 0 && static_cast<std::size_t>(m_dragHandle) < points.size()) {
        points[static_cast<std::size_t>(m_dragHandle)] = w;
    } else if (m_dragHandle == kHitBody) {
        for (TWorldPoint& p : points) {
            p.x += w.x - m_dragFrom.x;
            p.y += w.y - m_dragFrom.y;
        }
        m_dragFrom = w;
    } else {
        return;
    }
    PointsMoved();
}

// ---- TGPoint ----

double TGPoint::NumberPointSize(int size)
{
    return size == 1 ? 12 : size == 2 ? 15 : 0;
}

TPointF TGPoint::NumberOrigin(TPointF at, int size, TNumbering numbering)
{
    const double offset = size == 1 ? 4 : size == 2 ? 7 : 0;
    if (numbering == TNumbering::Right)
        return { at.x + offset + 8, at.y - offset / 2 - 7 };
    return { at.x - offset / 2 - 2, at.y + offset + 4 };
}

void TGPoint::Draw(TDrawList& list) const
{
    const TPointF p = Pixel();
    const int size = Display().size;
    list.Glyph(p, colour, size, glyphKind);
    if (numbering != TNumbering::None)
        list.Label(NumberOrigin(p, size, numbering), std::to_string(number), numberColour, NumberPointSize(size));
}

int TGPoint::HitTest(TPointF p) const
{
    // The larger marks are easier to hit.
    const double reach = Display().size == 1 ? 10 : 6;
    return Distance(p, Pixel()) <= reach ? 0 : kHitNone;
}

// ---- TGSegment ----

double TGSegment::Length() const
{
    return std::hypot(points[1].x - points[0].x, points[1].y - points[0].y);
}

void TGSegment::Draw(TDrawList& list) const
{
    list.Line(Pixel(0), Pixel(1), ElementPen(colour, selected, Display().penWidth));
    // A segment of the user's says its length; the curves' own segments say nothing.
    if (curve == nullptr) {
        const TPointF a = Pixel(0), b = Pixel(1);
        DrawValue(list, { (a.x + b.x) / 2, (a.y + b.y) / 2 }, FormatLength(Length(), Display().separator), colour);
    }
}

std::vector<std::string> TGSegment::Lines() const
{
    return { Tr("Longueur du segment") + " : " + FormatLength(Length(), Display().separator) };
}

int TGSegment::HitTest(TPointF p) const
{
    const int handle = TGPolyPoint::HitTest(p);
    if (handle != kHitNone)
        return handle;
    return DistanceToSegment(p, Pixel(0), Pixel(1)) <= HandleReach() ? kHitBody : kHitNone;
}

// ---- TGSpline ----

const std::vector<TWorldPoint>& TGSpline::WorldPolyline() const
{
    if (!m_polyline.empty() || points.size() < 4)
        return m_polyline;
    const int n = static_cast<int>(points.size());
    const int perSegment = std::max(1, steps);
    m_polyline.reserve(static_cast<std::size_t>((n - 3) * perSegment + 1));
    for (int k = 2; k <= n - 2; ++k) {
        const TWorldPoint& p0 = points[static_cast<std::size_t>(k - 2)];
        const TWorldPoint& p1 = points[static_cast<std::size_t>(k - 1)];
        const TWorldPoint& p2 = points[static_cast<std::size_t>(k)];
        const TWorldPoint& p3 = points[static_cast<std::size_t>(k + 1)];
        for (int i = k == 2 ? 0 : 1; i <= perSegment; ++i) {
            const double s = double(i) / perSegment, s2 = s * s, s3 = s2 * s;
            const auto blend = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (c - a) * s + (2 * a - 5 * b + 4 * c - d) * s2 + (3 * b - a - 3 * c + d) * s3);
            };
            m_polyline.push_back({ blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y) });
        }
    }
    return m_polyline;
}

double TGSpline::Length() const
{
    return SplineLength(points);
}

std::vector<std::string> TGSpline::Lines() const
{
    return { Tr("Longueur de la courbe") + " : " + FormatLength(Length(), Display().separator) };
}

int TGSpline::HitTest(TPointF p) const
{
    const int handle = TGPolyPoint::HitTest(p);
    if (handle != kHitNone)
        return handle;
    const std::vector<TWorldPoint>& line = WorldPolyline();
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (DistanceToSegment(p, ToScreen(line[i - 1]), ToScreen(line[i])) <= HandleReach())
            return kHitBody;
    }
    return kHitNone;
}

void TGSpline::Draw(TDrawList& list) const
{
    const std::vector<TWorldPoint>& line = WorldPolyline();
    if (line.size() < 2)
        return;
    const TPen pen = ElementPen(colour, selected, Display().penWidth);
    TPolyline out;
    out.pen = pen;
    out.points.reserve(line.size());
    for (const TWorldPoint& w : line)
        out.points.push_back(ToScreen(w));
    list.Add(std::move(out));
    if (selected) {
        for (std::size_t i = 1; i + 1 < points.size(); ++i)
            list.Glyph(Pixel(i), colour, 0, 14);
    }
    if (curve == nullptr)
        DrawValue(list, ToScreen(line[line.size() / 2]), FormatLength(Length(), Display().separator), colour);
}

} // namespace kinoval::graph
