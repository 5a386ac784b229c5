#include "core/graph/courbe.h"

namespace kinoval::graph {

TCurveStyle::TCurveStyle()
{
    visible.fill(true);
    for (auto& groups : colour)
        groups.fill(clBlack);
    // The smooth curve through the data is asked for; the polyline and the points show by default.
    visible[obSpline] = false;
}

TCurveStyle TCurveStyle::OfColour(TColor c, int kind)
{
    TCurveStyle s;
    for (int k : { obPoint, obSegment, obSpline, obVecteur })
        s.colour[static_cast<std::size_t>(k)].fill(c);
    s.numberColour = c;
    s.glyphKind = kind;
    return s;
}

void TCourbe::ApplyStyle(TGElem& e) const
{
    const std::size_t kind = e.Kind();
    if (kind >= elements.size())
        return;
    e.visible = style.visible[kind];
    e.colour = style.colour[kind][e.group == 1 ? 1 : 0];
    if (auto* point = dynamic_cast<TGPoint*>(&e)) {
        point->numberColour = style.numberColour;
        point->numbering = style.numbering;
        point->glyphKind = style.glyphKind;
    }
}

void TCourbe::SetColour(TGObjectType kind, int groups, TColor c)
{
    if (kind >= kObjectTypeCount)
        return;
    if (groups & kGroupFirst)
        style.colour[kind][0] = c;
    if (groups & kGroupSecond)
        style.colour[kind][1] = c;
    for (TGElem* e : elements[kind]) {
        // Vectors of another family than the one shown keep their colours.
        if (kind == obVecteur && e->Family() != currentFamily)
            continue;
        const int bit = e->group == 1 ? kGroupSecond : kGroupFirst;
        if (groups & bit)
            e->colour = c;
    }
}

void TCourbe::SetVisible(TGObjectType kind, bool shown)
{
    if (kind >= kObjectTypeCount)
        return;
    style.visible[kind] = shown;
    for (TGElem* e : elements[kind])
        e->visible = shown;
}

void TCourbe::SetNumbering(TColor c, TNumbering numbering)
{
    style.numberColour = c;
    style.numbering = numbering;
    for (TGElem* e : elements[obPoint]) {
        if (auto* point = dynamic_cast<TGPoint*>(e)) {
            point->numberColour = c;
            point->numbering = numbering;
        }
    }
}

void TCourbe::SetNames(const std::string& ordinate, const std::string& abscissa)
{
    ordinateName = ordinate;
    abscissaName = abscissa;
}

} // namespace kinoval::graph
