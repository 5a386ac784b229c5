#include "core/graph/page_curves.h"

#include "core/common/texts.h"
#include "core/drawing/glyphs.h"
#include "core/graph/measure_tools.h"
#include "core/results/number_format.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

namespace {

using results::TCalcul;
using results::TQuantity;

const std::vector<double>* SeriesOf(const TCalcul::TMarkSeries& marks, TQuantity q)
{
    switch (q) {
    case results::kQtyX:
        return &marks.x;
    case results::kQtyY:
        return &marks.y;
    case results::kQtyVx:
        return &marks.vx;
    case results::kQtyVy:
        return &marks.vy;
    case results::kQtyV:
        return &marks.v;
    case results::kQtyAx:
        return &marks.ax;
    case results::kQtyAy:
        return &marks.ay;
    case results::kQtyA:
        return &marks.a;
    case results::kQtyTheta:
        return &marks.theta;
    case results::kQtyR:
        return &marks.r;
    case results::kQtyOmega:
        return &marks.omega;
    default:
        return nullptr;
    }
}

TPageObject ObjectAt(const std::vector<TPageObject>& objects, int k)
{
    if (k >= 0 && k < static_cast<int>(objects.size()))
        return objects[static_cast<std::size_t>(k)];
    return { FormatText(Tr("objet %d"), { std::to_string(k + 1) }), clRed };
}

// Lowest and highest of the finite values; false when there are none.
bool Extent(const std::vector<double>& values, double& low, double& high)
{
    bool any = false;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        if (!any) {
            low = high = v;
            any = true;
        } else {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    return any;
}

} // namespace

TQuantityFamily FamilyOf(TQuantity q)
{
    if (q >= results::kQtyVx && q <= results::kQtyV)
        return TQuantityFamily::Velocity;
    if (q >= results::kQtyAx && q <= results::kQtyA)
        return TQuantityFamily::Acceleration;
    if (q >= results::kQtyTheta)
        return TQuantityFamily::Polar;
    return TQuantityFamily::Position;
}

std::vector<TCurveInput> TimeCurves(
    const TCalcul& calcul, const std::vector<TPageObject>& objects, const TTimePageChoice& choice)
{
    std::vector<TCurveInput> curves;
    const results::TQuantityText text = results::TextOf(choice.quantity);
    const TQuantityFamily family = FamilyOf(choice.quantity);
    for (int k : choice.objects) {
        const TCalcul::TMarkSeries* marks = calcul.MarksOf(k);
        if (marks == nullptr)
            continue;
        const std::vector<double>* values = SeriesOf(*marks, choice.quantity);
        if (values == nullptr)
            continue;
        const TPageObject object = ObjectAt(objects, k);
        TCurveInput curve;
        curve.name = object.name;
        curve.ordinateName = text.symbol;
        curve.ordinateUnit = text.unit;
        curve.abscissaName = "t";
        curve.abscissaUnit = "s";
        curve.style = TCurveStyle::OfColour(object.colour, drawing::GlyphKindOfObject(k));
        const int first = marks->row.empty() ? -1 : marks->row.front();
        const int last = marks->row.empty() ? -1 : marks->row.back();
        for (std::size_t i = 0; i < marks->row.size() && i < values->size(); ++i) {
            const int row = marks->row[i];
            // The ends rest on one-sided differences: hidden when the settings say so, as in the table.
            if (family == TQuantityFamily::Velocity && choice.hideVelocityEdges && (row == first || row == last))
                continue;
            if (family == TQuantityFamily::Acceleration && choice.hideAccelerationEdges
                && (row == first || row == first + 1 || row == last - 1 || row == last))
                continue;
            curve.x.push_back(calcul.Time(row));
            curve.y.push_back((*values)[i]);
            curve.numbers.push_back(row + choice.firstNumber);
        }
        // A model leaves out the ends that one-sided differences give, when the curve still shows them.
        if (family == TQuantityFamily::Velocity && !choice.hideVelocityEdges)
            curve.modelSkip = 1;
        if (family == TQuantityFamily::Acceleration && !choice.hideAccelerationEdges)
            curve.modelSkip = 2;
        curves.push_back(std::move(curve));
    }
    return curves;
}

TWorld TimeWindow(const std::vector<TCurveInput>& curves, const TTimePageChoice& choice)
{
    bool anyX = false, anyY = false;
    double xlo = 0, xhi = 1, ylo = -1, yhi = 1;
    for (const TCurveInput& curve : curves) {
        double lo = 0, hi = 0;
        if (Extent(curve.x, lo, hi)) {
            xlo = anyX ? std::min(xlo, lo) : lo;
            xhi = anyX ? std::max(xhi, hi) : hi;
            anyX = true;
        }
        if (Extent(curve.y, lo, hi)) {
            ylo = anyY ? std::min(ylo, lo) : lo;
            yhi = anyY ? std::max(yhi, hi) : hi;
            anyY = true;
        }
    }
    if (anyX)
        WidenRange(xlo, xhi, 0.05);
    if (anyY)
        WidenRange(ylo, yhi, 0.05);
    if (choice.timeFromZero)
        xlo = 0;
    const TQuantity q = choice.quantity;
    if (q == results::kQtyV || q == results::kQtyA || q == results::kQtyR) {
        ylo = 0;
        yhi = std::max(yhi, 1e-50);
    }
    if (q == results::kQtyTheta || q == results::kQtyOmega || choice.ordinateWithZero) {
        ylo = std::min(ylo, 0.0);
        yhi = std::max(yhi, 0.0);
    }
    if (!(xhi > xlo))
        xhi = xlo + 1;
    return { xlo, xhi, ylo, yhi };
}

namespace {

// A unit the user never typed is no unit for an axis title.
std::string UnitOf(const formulas::TRec& formula)
{
    return formula.unit == formulas::DefaultUnit() ? std::string() : formula.unit;
}

} // namespace

std::string FormulaLabel(const formulas::TRec& formula)
{
    return formula.name.empty() ? formula.expression : formula.name;
}

std::vector<int> PlottableFormulas(const formulas::TFormules& formules)
{
    std::vector<int> plottable;
    for (int k = 0; k < formules.FormulaCount(); ++k) {
        if (formules.Formula(k).curve.firstRow >= 0)
            plottable.push_back(k);
    }
    return plottable;
}

TCurveInput FormulaCurve(const TCalcul& calcul, const formulas::TFormules& formules, const TFormulaPageChoice& choice)
{
    TCurveInput curve;
    if (choice.formula < 0 || choice.formula >= formules.FormulaCount())
        return curve;
    const formulas::TRec& ordinate = formules.Formula(choice.formula);
    const formulas::TRec* abscissa = choice.abscissa >= 0 && choice.abscissa < formules.FormulaCount()
        ? &formules.Formula(choice.abscissa)
        : nullptr;
    curve.name = FormulaLabel(ordinate);
    curve.ordinateName = curve.name;
    curve.ordinateUnit = UnitOf(ordinate);
    curve.abscissaName = abscissa != nullptr ? FormulaLabel(*abscissa) : "t";
    curve.abscissaUnit = abscissa != nullptr ? UnitOf(*abscissa) : "s";
    curve.style = TCurveStyle::OfColour(clRed, drawing::GlyphKindOfObject(0));
    const int rows = static_cast<int>(ordinate.curve.values.size());
    for (int row = 0; row < rows; ++row) {
        if (!ordinate.curve.HasValue(row))
            continue;
        double x = 0;
        if (abscissa != nullptr) {
            if (!abscissa->curve.HasValue(row))
                continue;
            x = abscissa->curve.values[static_cast<std::size_t>(row)];
        } else {
            if (row >= calcul.Rows())
                continue;
            x = calcul.Time(row);
        }
        const double y = ordinate.curve.values[static_cast<std::size_t>(row)];
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        curve.x.push_back(x);
        curve.y.push_back(y);
        curve.numbers.push_back(row + choice.firstNumber);
    }
    return curve;
}

TWorld FormulaWindow(const TCurveInput& curve, const TFormulaPageChoice& choice)
{
    double xlo = 0, xhi = 1, ylo = -1, yhi = 1;
    if (Extent(curve.x, xlo, xhi))
        WidenRange(xlo, xhi, 0.05);
    if (Extent(curve.y, ylo, yhi))
        WidenRange(ylo, yhi, 0.05);
    if (choice.originX) {
        if (choice.abscissa < 0)
            xlo = 0;
        else {
            xlo = std::min(xlo, 0.0);
            xhi = std::max(xhi, 0.0);
        }
    }
    if (choice.originY) {
        ylo = std::min(ylo, 0.0);
        yhi = std::max(yhi, 0.0);
    }
    if (!(xhi > xlo))
        xhi = xlo + 1;
    if (!(yhi > ylo))
        yhi = ylo + 1;
    return { xlo, xhi, ylo, yhi };
}

TCurveInput TrajectoryCurve(
    const TCalcul& calcul, const std::vector<TPageObject>& objects, const TTrajectoryChoice& choice)
{
    const TPageObject object = ObjectAt(objects, choice.object);
    TCurveInput curve;
    curve.name = object.name;
    curve.abscissaName = "x";
    curve.ordinateName = "y";
    curve.abscissaUnit = curve.ordinateUnit = "m";
    curve.style = TCurveStyle::OfColour(object.colour, drawing::GlyphKindOfObject(choice.object));
    if (choice.object < 0 || choice.object >= calcul.ObjectCount())
        return curve;
    const bool relative
        = choice.reference >= 0 && choice.reference < calcul.ObjectCount() && choice.reference != choice.object;
    const int axes = choice.studyAxes ? results::kUserAxes : results::kPictureAxes;
    for (int row = 0; row < calcul.Rows(); ++row) {
        if (calcul.FrameOf(choice.object, row) < 0)
            continue;
        double x = calcul.Value(axes, choice.object, results::kQtyX, row);
        double y = calcul.Value(axes, choice.object, results::kQtyY, row);
        if (relative) {
            // The other object's frame moves with it without turning: a row it has no mark on has no point.
            if (calcul.FrameOf(choice.reference, row) < 0)
                continue;
            x -= calcul.Value(axes, choice.reference, results::kQtyX, row);
            y -= calcul.Value(axes, choice.reference, results::kQtyY, row);
        }
        curve.x.push_back(x);
        curve.y.push_back(y);
        curve.numbers.push_back(row + choice.firstNumber);
    }
    return curve;
}

TWorld TrajectoryWindow(const TCurveInput& curve, const TTrajectoryChoice& choice)
{
    double xlo = -1, xhi = 1, ylo = -1, yhi = 1;
    if (Extent(curve.x, xlo, xhi))
        WidenRange(xlo, xhi, 0.1);
    if (Extent(curve.y, ylo, yhi))
        WidenRange(ylo, yhi, 0.1);
    if (choice.withOriginX) {
        xlo = std::min(xlo, 0.0);
        xhi = std::max(xhi, 0.0);
    }
    if (choice.withOriginY) {
        ylo = std::min(ylo, 0.0);
        yhi = std::max(yhi, 0.0);
    }
    return { xlo, xhi, ylo, yhi };
}

std::string DescribeGraph(const TGraph& graph, char separator)
{
    const auto& curves = graph.Curves();
    if (curves.empty())
        return Tr("Aucune courbe");
    const TCourbe& first = *curves.front();
    std::string names;
    std::size_t points = 0;
    for (const auto& curve : curves) {
        if (!names.empty())
            names += ", ";
        names += curve->name;
        points += curve->x.size();
    }
    const auto number = [separator](double v) { return results::FormatResultNumber(v, 1, separator); };
    const auto range = [&](const std::string& name, double low, double high, const std::string& unit) {
        return FormatText(Tr("%s de %s à %s %s"), { name, number(low), number(high), unit });
    };
    const TWorld& w = graph.World();
    const std::string count
        = curves.size() == 1 ? Tr("1 courbe") : FormatText(Tr("%d courbes"), { std::to_string(curves.size()) });
    std::string text = FormatText(Tr("%s : %s en fonction de %s (%s), %d points ; %s ; %s"),
        { count, first.ordinateName, first.abscissaName, names, std::to_string(points),
            range(first.abscissaName, w.xmin, w.xmax, first.abscissaUnit),
            range(first.ordinateName, w.ymin, w.ymax, first.ordinateUnit) });
    if (const std::string elements = DescribeElements(graph); !elements.empty())
        text += " | " + elements;
    return text;
}

} // namespace kinoval::graph
