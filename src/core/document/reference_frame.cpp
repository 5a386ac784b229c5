#include "core/document/reference_frame.h"

#include "core/common/tolerance.h"
#include "core/document/document_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kinoval::document {

void TOrigine::Assign(const THistObject& other)
{
    THistObject::Assign(other);
    const auto& o = static_cast<const TOrigine&>(other);
    OrigineImageNumber = o.OrigineImageNumber;
    Position = o.Position;
}

bool TOrigine::Equals(const THistObject& other) const
{
    const auto& o = static_cast<const TOrigine&>(other);
    return SamePosition(Position, o.Position) && OrigineImageNumber == o.OrigineImageNumber;
}

void TRepere::Assign(const THistObject& other)
{
    THistObject::Assign(other);
    const auto& r = static_cast<const TRepere&>(other);
    DirectXAxisDirection = r.DirectXAxisDirection;
    DirectYAxisDirection = r.DirectYAxisDirection;
    OrigineCurrent = r.OrigineCurrent;
    // Dated origins are copied with their identities: later history entries still name them.
    Origines.resize(std::min(Origines.size(), r.Origines.size()));
    for (std::size_t i = 0; i < r.Origines.size(); ++i) {
        if (i == Origines.size())
            Origines.push_back(std::make_unique<TOrigine>(m_context));
        Origines[i]->Assign(*r.Origines[i]);
        Origines[i]->Identity = r.Origines[i]->Identity;
    }
}

bool TRepere::Equals(const THistObject& other) const
{
    const auto& r = static_cast<const TRepere&>(other);
    if (DirectXAxisDirection != r.DirectXAxisDirection || DirectYAxisDirection != r.DirectYAxisDirection ||
        !SamePosition(OrigineCurrent, r.OrigineCurrent) || Origines.size() != r.Origines.size())
        return false;
    for (std::size_t i = 0; i < Origines.size(); ++i)
        if (!Origines[i]->Equals(*r.Origines[i]))
            return false;
    return true;
}

void TRepere::Renumber()
{
    for (std::size_t i = 0; i < Origines.size(); ++i)
        Origines[i]->OwnerIndex = static_cast<int>(i);
}

bool TRepere::AddOrigine(std::unique_ptr<TOrigine> origin, TRecordKind kind)
{
    for (const auto& o : Origines)
        if (o.get() == origin.get())
            return false;
    m_context->Record(*origin, kind);
    const int at = origin->OwnerIndex;
    if (at >= 0 && at < static_cast<int>(Origines.size()))
        Origines.insert(Origines.begin() + at, std::move(origin));
    else
        Origines.push_back(std::move(origin));
    Renumber();
    m_context->MarkOutOfDate();
    return true;
}

std::unique_ptr<TOrigine> TRepere::RemoveOrigine(const TOrigine* origin, TRecordKind kind)
{
    for (auto it = Origines.begin(); it != Origines.end(); ++it)
        if (it->get() == origin) {
            m_context->Record(**it, kind);
            std::unique_ptr<TOrigine> owned = std::move(*it);
            Origines.erase(it);
            Renumber();
            m_context->MarkOutOfDate();
            return owned;
        }
    return nullptr;
}

TOrigine* TRepere::FindOrigineOfFrame(int frame) const
{
    for (const auto& o : Origines)
        if (o->OrigineImageNumber == frame)
            return o.get();
    return nullptr;
}

void TRepere::SetXAxisDirect(bool direct)
{
    if (direct == DirectXAxisDirection)
        return;
    m_context->Record(*this, rkAxisDirection);
    DirectXAxisDirection = direct;
    m_context->MarkOutOfDate();
}

void TRepere::SetYAxisDirect(bool direct)
{
    if (direct == DirectYAxisDirection)
        return;
    m_context->Record(*this, rkAxisDirection);
    DirectYAxisDirection = direct;
    m_context->MarkOutOfDate();
}

void TRepere::SetOrigin(TPointD origin)
{
    if (SamePosition(origin, OrigineCurrent))
        return;
    OrigineCurrent = origin;
    m_context->MarkOutOfDate();
}

// ---- TRepereFixe ----

void TRepereFixe::Assign(const THistObject& other)
{
    TRepere::Assign(other);
    const auto& r = static_cast<const TRepereFixe&>(other);
    OriginePointsNumber = r.OriginePointsNumber;
    XAxisAngle = r.XAxisAngle;
    YAxisAngle = r.YAxisAngle;
}

bool TRepereFixe::Equals(const THistObject& other) const
{
    const auto& r = static_cast<const TRepereFixe&>(other);
    return TRepere::Equals(other) && OriginePointsNumber == r.OriginePointsNumber &&
           IsEqual(XAxisAngle, r.XAxisAngle) && IsEqual(YAxisAngle, r.YAxisAngle);
}

void TRepereFixe::SetXAxisAngle(double angle)
{
    XAxisAngle = NormalizeAngle(angle);
    YAxisAngle = NormalizeAngle(XAxisAngle + std::numbers::pi / 2);
    m_context->MarkOutOfDate();
}

void TRepereFixe::SetYAxisAngle(double angle)
{
    YAxisAngle = NormalizeAngle(angle);
    XAxisAngle = NormalizeAngle(YAxisAngle - std::numbers::pi / 2);
    m_context->MarkOutOfDate();
}

namespace {

// The two ends of the line through o with direction d, clipped to the rectangle [x0, x1] x [y0, y1]: the
// end reached going along +d, then the one along -d.
void ClipLine(double ox, double oy, double dx, double dy, double x0, double y0, double x1, double y1, TPoint& plus,
              TPoint& minus)
{
    double tPlus = kHuge;
    double tMinus = -kHuge;
    if (dx != 0) {
        const double ta = (x0 - ox) / dx;
        const double tb = (x1 - ox) / dx;
        tPlus = std::min(tPlus, std::max(ta, tb));
        tMinus = std::max(tMinus, std::min(ta, tb));
    }
    if (dy != 0) {
        const double ta = (y0 - oy) / dy;
        const double tb = (y1 - oy) / dy;
        tPlus = std::min(tPlus, std::max(ta, tb));
        tMinus = std::max(tMinus, std::min(ta, tb));
    }
    plus = {static_cast<int>(std::lround(ox + tPlus * dx)), static_cast<int>(std::lround(oy + tPlus * dy))};
    minus = {static_cast<int>(std::lround(ox + tMinus * dx)), static_cast<int>(std::lround(oy + tMinus * dy))};
}

// Screen direction of an angle (counterclockwise, y upward); angles within 0.001 of a multiple of pi/2 are
// taken as exactly horizontal or vertical so the line does not drift by a pixel across the image.
void Direction(double angle, double& dx, double& dy)
{
    constexpr double pi = std::numbers::pi;
    const double snaps[] = {0, pi / 2, -pi / 2, pi, -pi};
    for (double s : snaps)
        if (std::fabs(angle - s) < 0.001)
            angle = s;
    dx = std::cos(angle);
    dy = -std::sin(angle);
    if (std::fabs(dx) < 1e-12)
        dx = 0;
    if (std::fabs(dy) < 1e-12)
        dy = 0;
}

} // namespace

void TRepereFixe::RefreshLines()
{
    const TDocumentView* view = m_context->view;
    if (view == nullptr)
        return;
    OriginScreen = view->ImageToScreen(OrigineCurrent);
    const TPoint topLeft = view->ImageToScreen({0, 0});
    const TPoint bottomRight = view->ImageToScreen({1, 1});
    const double ox = OriginScreen.x;
    const double oy = OriginScreen.y;
    double dx = 0;
    double dy = 0;
    TPoint plus;
    TPoint minus;
    Direction(XAxisAngle, dx, dy);
    ClipLine(ox, oy, dx, dy, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, plus, minus);
    XPositive = DirectXAxisDirection ? plus : minus;
    XNegative = DirectXAxisDirection ? minus : plus;
    Direction(YAxisAngle, dx, dy);
    ClipLine(ox, oy, dx, dy, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, plus, minus);
    YPositive = DirectYAxisDirection ? plus : minus;
    YNegative = DirectYAxisDirection ? minus : plus;
}

void TRepereFixe::Reset()
{
    OriginePointsNumber = 0;
    XAxisAngle = 0;
    YAxisAngle = std::numbers::pi / 2;
    DirectXAxisDirection = true;
    DirectYAxisDirection = true;
    OrigineCurrent = {0, 0};
    DragState = 0;
    Origines.clear();
    m_context->MarkOutOfDate();
}

} // namespace kinoval::document
