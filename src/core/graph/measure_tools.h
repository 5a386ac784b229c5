#pragma once
// The measuring tools the user lays over a graph: angle, arc of circle, circle and ellipse (the segment and
// the smooth curve are in elements.h, since the curves are made of them too), their measures and the tools
// that build and edit them with the mouse.
//
// Each tool keeps its defining points in world units. Lengths are measured in world units and printed with
// the unit "m" in general notation with three significant digits; an angle is measured on the pixels as
// drawn (so a right angle on the screen reads 90.0° whatever the axes' scales) and printed in degrees with
// one decimal and in radians with three. Each tool writes its main value beside itself, and its full
// measurement lines go to the value bubble when it is selected.
//
// The construction tools (one per element kind, and the vector) and the rubber-band tools (colour,
// duplicate, delete) are TGraphTool objects that RegisterMeasureTools gives a graph. A new element takes
// the graph's drawing colour, becomes the only selected element and is recorded in the graph's history.

#include "core/graph/elements.h"

#include <string>
#include <vector>

namespace kinoval::graph {

class TGraph;

// The texts of the measures: "1.23 m"-style lengths and "90.0° (1.571 rad)"-style angles.
std::string FormatLength(double value, char separator);
std::string FormatAngle(double radians, char separator);
// General notation with `digits` significant digits and the given separator.
std::string FormatGeneral(double value, int digits, char separator);
// A tool's value written beside it, its top-left corner a little right of and above a pixel position.
void DrawValue(TDrawList& list, TPointF at, const std::string& text, TColor colour);

// The default colours of the tools.
inline constexpr TColor kArcColour = MakeColor(184, 134, 11);
inline constexpr TColor kCercleColour = MakeColor(220, 156, 93);
inline constexpr TColor kEllipseColour = MakeColor(255, 127, 80);
inline constexpr TColor kSplineColour = MakeColor(65, 105, 225);

// An angle: points 0 and 2 on its two lines, point 1 its vertex.
class TGAngle : public TGPolyPoint {
public:
    TGAngle();
    TGAngle(TWorldPoint a, TWorldPoint vertex, TWorldPoint b);

    // The salient angle in [0, pi], from the pixel positions.
    double Radians() const;
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    std::vector<std::string> Lines() const override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGAngle(*this)); }

protected:
    TGAngle(const TGAngle&) = default;
};

// An arc of circle: points 0 and 1 its ends, point 2 its centre; the signed angle between the radii
// (counterclockwise from end 0 to end 1) and whether it is a straight segment (an infinite radius). An arc
// starts straight; the bend tool curves it through the point the mouse drags.
class TGArc : public TGPolyPoint {
public:
    TGArc();
    TGArc(TWorldPoint a, TWorldPoint b);

    double angle = 0;
    bool straight = true;

    double Radius() const; // infinite when straight
    double Length() const;
    // Curves the arc so that it passes through a world point; straight again when the point lies on the
    // chord's line.
    void BendThrough(TWorldPoint through);
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    void Drag(TPointF to) override;
    std::vector<std::string> Lines() const override;
    void Assign(const TGElem& other) override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGArc(*this)); }
    // The drawn arc in world units.
    std::vector<TWorldPoint> WorldPolyline() const;

protected:
    TGArc(const TGArc&) = default;

private:
    // The centre that gives the chord the current angle.
    void PlaceCentre();
};

// A circle: point 0 its centre, point 1 a point of the circle.
class TGCercle : public TGPolyPoint {
public:
    TGCercle();
    TGCercle(TWorldPoint centre, TWorldPoint onCircle);

    double Radius() const;
    double Circumference() const;
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    void Drag(TPointF to) override;
    std::vector<std::string> Lines() const override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGCercle(*this)); }

protected:
    TGCercle(const TGCercle&) = default;
};

// An ellipse: points 0 and 1 the ends of its two semi-axes, 2 and 3 the opposite ends, 4 its centre; the
// angle of the first axis with the horizontal. Built from two points as the ellipse inscribed in the
// rectangle they span (axes along the graph's axes); dragging an end of the first axis turns and stretches
// it, an end of the second stretches that one, the centre or the body moves it.
class TGEllipse : public TGPolyPoint {
public:
    TGEllipse();
    TGEllipse(TWorldPoint corner, TWorldPoint opposite);
    // From its centre, the semi-axes and the angle of the first one.
    static TGEllipse Of(TWorldPoint centre, double a, double b, double angle);

    double angle = 0;

    double SemiAxis0() const; // |centre - point 0|
    double SemiAxis1() const; // |centre - point 1|
    double Circumference() const;
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    void Drag(TPointF to) override;
    std::vector<std::string> Lines() const override;
    void Assign(const TGElem& other) override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGEllipse(*this)); }

protected:
    TGEllipse(const TGEllipse&) = default;

private:
    void SetAxes(TWorldPoint centre, double a, double b, double angle);
};

// Ramanujan's first approximation of an ellipse's circumference; 2 pi a when the semi-axes are equal.
double EllipseCircumference(double a, double b);
// The length of a uniform Catmull-Rom curve through control points (none under 4 points).
double SplineLength(const std::vector<TWorldPoint>& points);

// Whether an element is one the band tools act on: a measuring tool or a vector.
bool IsMeasureKind(TGObjectType kind);

// What the vectors and the user's tools of a graph say, for the ones who cannot see them: " | "-separated
// parts, the count of vectors and the first measure line of each tool; empty when there are none.
std::string DescribeElements(const TGraph& graph);

// Turns every selected vector round, in one group of the history; false when none is selected.
bool ReverseSelectedVectors(TGraph& graph);

// Gives the graph its construction, band and bend tools.
void RegisterMeasureTools(TGraph& graph);

} // namespace kinoval::graph
