#include "core/graph/vector_page.h"

#include "core/common/texts.h"
#include "core/drawing/glyphs.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

std::vector<TCurveInput> VectorCurves(
    const results::TCalcul& calcul, const std::vector<TPageObject>& objects, const TVectorPageChoice& choice)
{
    std::vector<TCurveInput> curves;
    const bool acceleration = choice.family == kFamilyAcceleration;
    for (int k : choice.objects) {
        const results::TCalcul::TMarkSeries* marks = calcul.MarksOf(k);
        if (marks == nullptr)
            continue;
        const TPageObject object = k >= 0 && k < int(objects.size())
            ? objects[std::size_t(k)]
            : TPageObject { FormatText(Tr("objet %d"), { std::to_string(k + 1) }), clRed };
        TCurveInput curve;
        curve.name = object.name;
        curve.abscissaName = "x";
        curve.ordinateName = "y";
        curve.abscissaUnit = curve.ordinateUnit = "m";
        curve.style = TCurveStyle::OfColour(object.colour, drawing::GlyphKindOfObject(k));
        curve.style.visible[obSegment] = false;
        TVectorFamilyData family;
        family.name = FamilyUnit(choice.family);
        const std::vector<double>& cx = acceleration ? marks->ax : marks->vx;
        const std::vector<double>& cy = acceleration ? marks->ay : marks->vy;
        const std::size_t n = std::min({ marks->row.size(), marks->x.size(), marks->y.size() });
        for (std::size_t i = 0; i < n; ++i) {
            curve.x.push_back(marks->x[i]);
            curve.y.push_back(marks->y[i]);
            curve.numbers.push_back(marks->row[i] + choice.firstNumber);
            // The ends rest on one-sided differences: no vector there when the settings hide them.
            const bool edge = acceleration ? (i < 2 || i + 2 >= n) : (i == 0 || i + 1 == n);
            const bool hidden = edge && (acceleration ? choice.hideAccelerationEdges : choice.hideVelocityEdges);
            if (hidden || i >= cx.size() || i >= cy.size() || !std::isfinite(cx[i]) || !std::isfinite(cy[i]))
                family.components.push_back(std::nullopt);
            else
                family.components.push_back(TWorldPoint { cx[i], cy[i] });
        }
        curve.vectors.push_back(std::move(family));
        curves.push_back(std::move(curve));
    }
    return curves;
}

TWorld VectorWindow(const std::vector<TCurveInput>& curves)
{
    bool any = false;
    double xlo = -1, xhi = 1, ylo = -1, yhi = 1;
    for (const TCurveInput& curve : curves) {
        for (std::size_t i = 0; i < curve.x.size() && i < curve.y.size(); ++i) {
            const double x = curve.x[i], y = curve.y[i];
            if (!std::isfinite(x) || !std::isfinite(y))
                continue;
            if (!any) {
                xlo = xhi = x;
                ylo = yhi = y;
                any = true;
            } else {
                xlo = std::min(xlo, x);
                xhi = std::max(xhi, x);
                ylo = std::min(ylo, y);
                yhi = std::max(yhi, y);
            }
        }
    }
    if (any) {
        WidenRange(xlo, xhi, 0.15);
        WidenRange(ylo, yhi, 0.15);
    }
    return { xlo, xhi, ylo, yhi };
}

} // namespace kinoval::graph
