#pragma once
// The graphic elements of a graph: the family of TGElem.
//
// Everything a graph draws over its axes is an element: the points, segments and smooth curve of every
// plotted curve, the picture under a trajectory, and the measuring tools, vectors and model curves that
// the user lays over them. An element keeps its defining points in world units; their pixel positions
// follow from the graph's current mapping, which every element of a graph shares (TElementFrame), so a
// zoom or a pan never touches the elements themselves. An element that keeps geometry of its own in
// pixels says so (FollowsMapping) and is told of every change of the mapping.
//
// The graph owns its elements in drawing order; a curve borrows the elements that make it up. Each kind
// draws itself into a TDrawList, answers hit tests for its handles, follows drags of them, and gives the
// text lines of the value bubble. Clone copies an element whole (the graph's undo keeps such copies).

#include "core/common/colour.h"
#include "core/graph/draw_list.h"
#include "core/graph/mapping.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kinoval::graph {

// The kinds of elements, as each element carries it.
enum TGObjectType : std::uint8_t {
    obNone = 0,
    obAngle = 1,
    obArc = 2,
    obCercle = 3,
    obEllipse = 4,
    obModele = 5,
    obPoint = 6,
    obSegment = 7,
    obSpline = 8,
    obVecteur = 9,
};
inline constexpr int kObjectTypeCount = 10;

// Where a point's number goes.
enum class TNumbering : std::uint8_t { Below = 0, Right = 1, None = 2 };

// The results window's display settings that elements draw and hit-test with.
struct TElementDisplay {
    int size = 0; // the marks' size: 0 small, 1 medium, 2 large
    double penWidth = 1; // pen of segments, splines and vectors, and the reach of their handles
    bool vectorValues = false; // "Dessiner > la valeur des vecteurs": each vector's norm beside it
    char separator = '.'; // the decimal separator of the measures
};

// What every element of one graph shares: the mapping and the display settings.
struct TElementFrame {
    TMapping mapping;
    TElementDisplay display;
};

class TCourbe;

// Hit test answers: a handle's index, the element's body, or nothing.
inline constexpr int kHitBody = -1;
inline constexpr int kHitNone = -2;

class TGElem {
public:
    explicit TGElem(TGObjectType kind)
        : m_kind(kind)
    {
    }
    virtual ~TGElem();

    TGObjectType Kind() const { return m_kind; }
    // The identifier the graph gives the element when it takes it (the graph history finds it by it).
    int Id() const { return m_id; }
    void SetId(int id) { m_id = id; }
    // The graph's shared frame; set when the graph takes the element.
    void Attach(const TElementFrame* frame) { m_frame = frame; }
    const TElementFrame* Frame() const { return m_frame; }

    bool selected = false;
    bool visible = true;
    TColor colour = clBlack;
    // The curve the element belongs to (null for the user's own elements), and the group of the curve's
    // style it takes (segments, splines and vectors have two).
    TCourbe* curve = nullptr;
    int group = 0;

    // The vector family the element belongs to (velocity 0, acceleration 1); 0 for the other kinds.
    virtual int Family() const { return 0; }
    // Whether a press of the selection tools may pick it: the curves' data points and models are not.
    virtual bool Pickable() const { return true; }
    // Elements that keep pixel geometry of their own are told when the mapping changed.
    virtual bool FollowsMapping() const { return false; }
    virtual void MappingChanged() { }
    // The graph's tool changed (a model shows its modeller only with the tool that edits it).
    virtual void ToolChanged(int /*tool*/) { }

    virtual void Draw(TDrawList& list) const = 0;
    // A handle's index, kHitBody or kHitNone for a pixel position of the control.
    virtual int HitTest(TPointF) const { return kHitNone; }
    virtual void BeginDrag(int /*handle*/, TPointF /*at*/) { }
    virtual void Drag(TPointF /*to*/) { }
    virtual void EndDrag() { }
    // The lines of the value bubble for the element (its measures).
    virtual std::vector<std::string> Lines() const { return {}; }
    virtual std::unique_ptr<TGElem> Clone() const = 0;
    // Takes the state of a copy of the same kind (the graph's undo puts an element back as it was).
    virtual void Assign(const TGElem& other);

protected:
    TGElem(const TGElem&) = default;
    TGElem& operator=(const TGElem&) = default;

    TPointF ToScreen(TWorldPoint p) const;
    TWorldPoint ToWorld(TPointF p) const;
    const TElementDisplay& Display() const;
    TRectF PlotRect() const;

private:
    TGObjectType m_kind;
    int m_id = 0;
    const TElementFrame* m_frame = nullptr;
};

// Elements with several defining points (handles), in world units.
class TGPolyPoint : public TGElem {
public:
    using TGElem::TGElem;

    std::vector<TWorldPoint> points;

    TPointF Pixel(std::size_t i) const { return ToScreen(points[i]); }
    int HitTest(TPointF p) const override;
    // Handle i follows the mouse; the body moves every point by the mouse's movement.
    void BeginDrag(int handle, TPointF at) override;
    void Drag(TPointF to) override;
    void EndDrag() override { m_dragHandle = kHitNone; }
    int DragHandle() const { return m_dragHandle; }
    void Assign(const TGElem& other) override;

protected:
    // How far from a handle a press still takes it, in pixels.
    double HandleReach() const;
    virtual void PointsMoved() { }

private:
    int m_dragHandle = kHitNone;
    TWorldPoint m_dragFrom;
};

// A data point of a curve: its marker glyph and its number.
class TGPoint : public TGElem {
public:
    TGPoint()
        : TGElem(obPoint)
    {
    }

    TWorldPoint at;
    int number = 0;
    int glyphKind = 0;
    TNumbering numbering = TNumbering::None;
    TColor numberColour = clBlack;

    TPointF Pixel() const { return ToScreen(at); }
    bool Pickable() const override { return curve == nullptr; }
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGPoint(*this)); }

    // The top-left corner of the number and its font size (0: the painter's own) for a mark size.
    static TPointF NumberOrigin(TPointF at, int size, TNumbering numbering);
    static double NumberPointSize(int size);

protected:
    TGPoint(const TGPoint&) = default;
};

class TGSegment : public TGPolyPoint {
public:
    TGSegment()
        : TGPolyPoint(obSegment)
    {
        points.resize(2);
    }
    TGSegment(TWorldPoint a, TWorldPoint b)
        : TGPolyPoint(obSegment)
    {
        points = { a, b };
    }

    double Length() const;
    bool Pickable() const override { return curve == nullptr; }
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    std::vector<std::string> Lines() const override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGSegment(*this)); }

protected:
    TGSegment(const TGSegment&) = default;
};

// A smooth curve through control points: a uniform Catmull-Rom spline, which runs from the second to the
// last but one control point (the first and last only shape its ends); drawn with at least 4 points.
class TGSpline : public TGPolyPoint {
public:
    TGSpline()
        : TGPolyPoint(obSpline)
    {
    }

    int steps = 10; // drawing steps per segment

    // The drawn polyline in world units, kept until a control point moves.
    const std::vector<TWorldPoint>& WorldPolyline() const;
    // The length of the drawn curve: the sum of its segments', none under 4 control points.
    double Length() const;
    bool Pickable() const override { return curve == nullptr; }
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF p) const override;
    std::vector<std::string> Lines() const override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TGSpline(*this)); }
    // Control points changed from outside: the polyline is computed again.
    void PointsMoved() override { m_polyline.clear(); }

protected:
    TGSpline(const TGSpline&) = default;

private:
    mutable std::vector<TWorldPoint> m_polyline;
};

// The pen of a segment, spline or vector: dotted, one pixel, 75 % of its colour when selected.
TPen ElementPen(TColor colour, bool selected, double width);

} // namespace kinoval::graph
