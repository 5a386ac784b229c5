#pragma once
// A plotted curve (TCourbe), its style, and the scale record of a family of vectors (TParamCom).
//
// A curve borrows from the graph the elements that make it up, one list per kind, in the order they were
// added: a point per data point, a segment between consecutive points, one smooth curve through them all,
// the vectors of its points, and at most one model element. Its style says, per kind, whether the
// elements show and in which colour; a style setter changes the curve and at once every element of that
// kind in it. The curve also keeps its data (the plotted abscissae and ordinates, with their names and
// units) for the model laid over it and for the value bubble.

#include "core/common/colour.h"
#include "core/graph/elements.h"

#include <array>
#include <string>
#include <vector>

namespace kinoval::graph {

struct TCurveStyle {
    // Per element kind (TGObjectType).
    std::array<bool, kObjectTypeCount> visible;
    // Per kind, the colours of its two groups (segments, splines and vectors have two; the other kinds use
    // the first).
    std::array<std::array<TColor, 2>, kObjectTypeCount> colour;
    TColor numberColour = clBlack;
    TNumbering numbering = TNumbering::None;
    int glyphKind = 0;

    TCurveStyle();
    // One colour for the points, segments, spline and vectors of a curve.
    static TCurveStyle OfColour(TColor c, int glyphKind);
};

// Which of the two groups of a kind a style setter addresses: bit 0 the first, bit 1 the second.
inline constexpr int kGroupFirst = 1;
inline constexpr int kGroupSecond = 2;
inline constexpr int kGroupsBoth = 3;

class TCourbe {
public:
    // Elements of each kind that belong to the curve, in the order they were added; not owned.
    std::array<std::vector<TGElem*>, kObjectTypeCount> elements;
    TGElem* modele = nullptr;
    TCurveStyle style;

    // What the curve plots, as the value bubble and the model's equation name it.
    std::string name; // the object's name (legend)
    std::string ordinateName = "y", abscissaName = "t";
    std::string ordinateUnit, abscissaUnit;
    std::vector<double> x, y;
    std::vector<int> numbers;
    // Points at each end that the model leaves out.
    int modelSkip = 0;
    // The vector family shown (vectors of other families keep their own colours).
    int currentFamily = 0;

    const std::vector<TGElem*>& Of(TGObjectType kind) const { return elements[kind]; }

    // Stores the attribute and applies it to every element of the kind.
    void SetColour(TGObjectType kind, int groups, TColor colour);
    void SetVisible(TGObjectType kind, bool visible);
    void SetNumbering(TColor colour, TNumbering numbering);
    void SetNames(const std::string& ordinate, const std::string& abscissa);
    // Gives a newly added element the curve's style for its kind.
    void ApplyStyle(TGElem& element) const;

private:
    friend class TGraph;
    // Painting state of the graph: whether the curve's points and segments are drawn at once from its data.
    mutable bool m_paintWhole = false;
    mutable bool m_paintedWhole = false;
};

// The scale record of a family of vectors (velocity, acceleration): found by its name, one per family.
// A vector of magnitude v is v x scale x plot width pixels long. The automatic scale makes the family's
// longest vector a tenth of the plot's width; the user may then change the value the scale bar stands for,
// and a resize keeps that value, both within [0.2, 10] times the automatic scale. Requests on a zero, huge
// or negative basis are ignored and the scale stays. (Defined in vectors.cpp.)
class TParamCom {
public:
    TParamCom(std::string familyName, int familyIndex)
        : name(std::move(familyName))
        , index(familyIndex)
    {
    }
    std::string name;
    int index = 0;
    int barPixels = 100; // the scale bar's length, the graph's LEchelleEnPixels
    int plotWidth = 0;
    double barValue = 0; // the magnitude the bar stands for
    double scale = 0; // pixels per unit of magnitude, per pixel of plot width
    double maxScale = 0;
    double minScale = 0;

    bool ScaleValid() const;
    bool BarValueValid() const;
    void AutoScale(double largestNorm);
    void SetBarPixels(int pixels);
    void SetBarValue(double value);
    void SetPlotWidth(int width);

private:
    // The largest norm asked for while the plot had no width: its scale is made when the plot gets one.
    double m_pendingNorm = 0;
};

} // namespace kinoval::graph
