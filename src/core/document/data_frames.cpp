// TData: reference frames, scale, sheet and the conversion to physical values.
#include "core/common/tolerance.h"
#include "core/document/data.h"
#include "core/document/document_view.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace kinoval::document {

TScaleFactors TData::ScaleFactors() const
{
    TScaleFactors f;
    const TEchelle& e = *m_scale;
    if (m_settings.separateScales) {
        // An unfinished segment keeps its factor at -1: the points of a missing end are meaningless.
        if (e.PointsNumber[skHorizontal] == 2) {
            const double d = std::fabs(e.Point(skHorizontal, 0).x - e.Point(skHorizontal, 1).x);
            if (!(d < kTiny))
                f.sx = e.Length[skHorizontal] / d;
        }
        if (e.PointsNumber[skVertical] == 2) {
            const double d = std::fabs(e.Point(skVertical, 0).y - e.Point(skVertical, 1).y);
            if (!(d < kTiny))
                f.sy = e.Length[skVertical] / d;
        }
        return f;
    }
    if (e.PointsNumber[skSingle] != 2 || m_context.view == nullptr)
        return f;
    const double W = m_context.view->FrameWidth();
    const double H = m_context.view->FrameHeight();
    const double dx = e.Point(skSingle, 0).x - e.Point(skSingle, 1).x;
    const double dy = e.Point(skSingle, 0).y - e.Point(skSingle, 1).y;
    const double d2 = W * W * dx * dx + H * H * dy * dy;
    if (d2 < kTiny)
        return f;
    const double d = std::sqrt(d2);
    f.sx = W * e.Length[skSingle] / d;
    f.sy = H * e.Length[skSingle] / d;
    return f;
}

bool TData::ScaleComplete() const
{
    const TEchelle& e = *m_scale;
    if (e.Kind == skSingle)
        return e.PointsNumber[skSingle] == 2 && e.Length[skSingle] > 0;
    return e.PointsNumber[skHorizontal] == 2 && e.Length[skHorizontal] > 0 && e.PointsNumber[skVertical] == 2
        && e.Length[skVertical] > 0;
}

void TData::SetScaleLength(int kind, double length)
{
    if (kind < 0 || kind > 2 || IsEqual(m_scale->Length[kind], length))
        return;
    m_scale->Length[kind] = length;
    m_context.MarkOutOfDate();
}

void TData::SetSeparateScales(bool separate)
{
    m_settings.separateScales = separate;
    const int old = m_scale->Kind;
    m_scale->Kind = old == skSingle ? skVertical : skSingle;
    m_context.MarkOutOfDate();
    if (m_scale->Kind != old)
        Changed.Emit(TDocChange { TDocChangeKind::ScaleKind, m_scale->Kind, old });
    Repaint();
}

TPointD TData::Origin() const
{
    return IsTransparentMode() ? TPointD { 0, 0 } : m_axes->OrigineCurrent;
}
double TData::XAxisAngle() const
{
    return IsTransparentMode() ? 0 : m_axes->XAxisAngle;
}

void TData::SetXAxisAngle(double angle)
{
    Record(*m_axes, rkAxisAngle);
    m_axes->SetXAxisAngle(angle);
    m_axes->RefreshLines();
    Notify(TDocChangeKind::Axes);
    Repaint();
}

bool TData::XAxisDirect() const
{
    return IsTransparentMode() ? m_sheet->DirectXAxisDirection : m_axes->DirectXAxisDirection;
}

bool TData::YAxisDirect() const
{
    return IsTransparentMode() ? m_sheet->DirectYAxisDirection : m_axes->DirectYAxisDirection;
}

void TData::SetXAxisDirect(bool direct)
{
    if (IsTransparentMode()) {
        m_sheet->SetXAxisDirect(direct);
        RefreshSheet();
    } else {
        m_axes->SetXAxisDirect(direct);
        m_axes->RefreshLines();
    }
    Notify(TDocChangeKind::Axes);
    Repaint();
}

void TData::SetYAxisDirect(bool direct)
{
    if (IsTransparentMode()) {
        m_sheet->SetYAxisDirect(direct);
        RefreshSheet();
    } else {
        m_axes->SetYAxisDirect(direct);
        m_axes->RefreshLines();
    }
    Notify(TDocChangeKind::Axes);
    Repaint();
}

int TData::OriginPlaced() const
{
    return IsTransparentMode() ? 1 : m_axes->OriginePointsNumber;
}

void TData::RemoveAxes()
{
    if (IsTransparentMode() || m_axes->OriginePointsNumber <= 0)
        return;
    Record(*m_axes, rkRemoved);
    m_axes->OriginePointsNumber = 0;
    m_axes->XAxisAngle = 0;
    m_axes->YAxisAngle = std::numbers::pi / 2;
    m_axes->RefreshLines();
    m_context.MarkOutOfDate();
    Notify(TDocChangeKind::Axes);
    Repaint();
}

void TData::RemoveAxesAndScale()
{
    THistoryGroup group(CurrentHistory());
    RemoveAxes();
    Record(*m_scale, rkRemoved);
    m_scale->Reset(m_settings.separateScales);
    Notify(TDocChangeKind::Scale);
    Repaint();
}

void TData::RemoveScale(int kind)
{
    if (kind < 0 || kind > 2 || m_scale->PointsNumber[kind] == 0)
        return;
    Record(*m_scale, rkRemoved);
    m_scale->PointsNumber[kind] = 0;
    m_scale->RefreshScreen();
    m_context.MarkOutOfDate();
    Notify(TDocChangeKind::Scale);
    Repaint();
}

bool TData::RubberLine(TPoint& from, TPoint& to) const
{
    if (m_tool != toScale || m_context.view == nullptr)
        return false;
    const int kind = m_scale->Kind;
    if (m_scale->PointsNumber[kind] != 1)
        return false;
    from = m_scale->Screen[kind * 2];
    to = m_context.view->MouseCursorPos();
    if (kind == skHorizontal)
        to.y = from.y;
    else if (kind == skVertical)
        to.x = from.x;
    return true;
}

void TData::RemoveDatedOrigin(TOrigine* origin, TRecordKind kind)
{
    m_sheet->RemoveOrigine(origin, kind); // the history keeps its own copy
    m_sheet->FollowLastOrigin();
    RefreshSheet();
}

void TData::RefreshSheet()
{
    m_sheet->RecomputeCorners();
    m_tspSet->RefreshScreens();
    if (m_tool == toTransparent && IsTransparentMode())
        SetCursor(m_sheet->Stage == 2 ? TViewCursor::MarkCross : TViewCursor::Sheet);
}

TFrameGeometry TData::Geometry(TMarkSet set) const
{
    TFrameGeometry g;
    const TScaleFactors f = ScaleFactors();
    g.sx = f.sx;
    g.sy = f.sy;
    if (set == TMarkSet::Transparent) {
        g.xAxisAngle = 0;
        g.xAxisDirect = m_sheet->DirectXAxisDirection;
        g.yAxisDirect = m_sheet->DirectYAxisDirection;
    } else {
        g.xAxisAngle = m_axes->XAxisAngle;
        g.xAxisDirect = m_axes->DirectXAxisDirection;
        g.yAxisDirect = m_axes->DirectYAxisDirection;
    }
    return g;
}

TPointD ToPhysical(double X, double Y, const TFrameGeometry& g)
{
    const double c = std::cos(g.xAxisAngle);
    const double s = std::sin(g.xAxisAngle);
    double x = X * g.sx * c + Y * g.sy * s;
    double y = Y * g.sy * c - X * g.sx * s;
    if (!g.xAxisDirect)
        x = -x;
    if (!g.yAxisDirect)
        y = -y;
    return { x, y };
}

} // namespace kinoval::document
