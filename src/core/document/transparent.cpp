#include "core/document/transparent.h"

#include "core/document/document_view.h"

namespace kinoval::document {

TTransparent::TTransparent(TDocContext* context)
    : TRepere(context), DefaultOrigin(std::make_unique<TOrigine>(context))
{
    RecomputeDefaultOrigin();
    OrigineCurrent = DefaultOrigin->Position;
}

void TTransparent::Assign(const THistObject& other)
{
    TRepere::Assign(other);
    const auto& t = static_cast<const TTransparent&>(other);
    LayerWidth = t.LayerWidth;
    LayerHeight = t.LayerHeight;
    DefaultOrigin->Assign(*t.DefaultOrigin);
}

bool TTransparent::Equals(const THistObject& other) const
{
    const auto& t = static_cast<const TTransparent&>(other);
    return TRepere::Equals(other) && SamePosition({LayerWidth, LayerHeight}, {t.LayerWidth, t.LayerHeight});
}

void TTransparent::SetXAxisDirect(bool direct)
{
    TRepere::SetXAxisDirect(direct);
    RecomputeDefaultOrigin();
    if (Origines.empty())
        FollowLastOrigin();
}

void TTransparent::SetYAxisDirect(bool direct)
{
    TRepere::SetYAxisDirect(direct);
    RecomputeDefaultOrigin();
    if (Origines.empty())
        FollowLastOrigin();
}

void TTransparent::RecomputeDefaultOrigin()
{
    // The sheet starts against the corner its positive axes point away from, so that they cross the image.
    DefaultOrigin->Position.x = DirectXAxisDirection ? 1 - 1.1 * LayerWidth : 1.1 * LayerHeight;
    DefaultOrigin->Position.y = DirectYAxisDirection ? 1.1 * LayerWidth : 1 - 1.1 * LayerHeight;
}

void TTransparent::FollowLastOrigin()
{
    const TOrigine* last = LastOrigine();
    SetOrigin(last != nullptr ? last->Position : DefaultOrigin->Position);
}

void TTransparent::RecomputeCorners()
{
    if (m_context->view == nullptr)
        return;
    Corners[0] = m_context->view->ImageToScreen({OrigineCurrent.x - LayerWidth, OrigineCurrent.y - LayerHeight});
    Corners[1] = m_context->view->ImageToScreen({OrigineCurrent.x + LayerWidth, OrigineCurrent.y + LayerHeight});
}

bool TTransparent::Grow()
{
    if (!(LayerWidth < 1))
        return false;
    m_context->Record(*this, rkResized);
    LayerWidth *= 1.1;
    LayerHeight *= 1.1;
    RecomputeCorners();
    return true;
}

bool TTransparent::Shrink()
{
    if (!(LayerWidth > 0.1))
        return false;
    m_context->Record(*this, rkResized);
    LayerWidth *= 0.9;
    LayerHeight *= 0.9;
    RecomputeCorners();
    return true;
}

void TTransparent::Reset()
{
    LayerWidth = 0.5;
    LayerHeight = 0.5;
    Corners[0] = Corners[1] = {0, 0};
    GrabOffset = {0, 0};
    GrabPoint = {0, 0};
    Stage = 0;
    DirectXAxisDirection = true;
    DirectYAxisDirection = true;
    Origines.clear();
    RecomputeDefaultOrigin();
    OrigineCurrent = DefaultOrigin->Position;
    m_context->MarkOutOfDate();
}

} // namespace kinoval::document
