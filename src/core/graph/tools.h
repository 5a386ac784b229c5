#pragma once
// The tools of a graph and what the mouse and the keyboard say to it.
//
// A graph has one current tool, chosen by the results window's buttons. The pan and zoom tools and the
// selection that every other tool falls back on belong to the graph itself; the tools that build
// elements (segments, angles, circles, vectors ...) or edit them are TGraphTool objects registered with
// the graph under their code, so a new tool comes without a change to the graph.

#include "core/graph/draw_list.h"
#include "core/graph/mapping.h"

#include <cstdint>

namespace kinoval::graph {

class TGraph;

// The tool codes.
enum TGraphToolCode : int {
    gtNone = 0,
    gtAngle = 1,
    gtArc = 2,
    gtCercle = 3,
    gtEllipse = 4,
    gtSegment = 5,
    gtSpline = 6,
    gtVecteur = 7,
    gtCourber = 8, // bends arcs, circles and ellipses
    gtCouleur = 9,
    gtDupliquer = 10,
    gtModifierModele = 11,
    gtPan = 12,
    gtSelection = 14, // select and edit: move, deform, pivot
    gtSupprimer = 17,
    gtZoom = 18,
};

// A construction tool (1 to 7).
inline bool IsConstructionTool(int code)
{
    return code >= gtAngle && code <= gtVecteur;
}

enum class TGraphButton : std::uint8_t { Left, Right, Middle };

struct TGraphMouse {
    TGraphButton button = TGraphButton::Left;
    TPointF at;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool doubleClick = false;
};

enum class TGraphKey : std::uint8_t { Space, Left, Right, Up, Down, Insert, Delete, Letter, Other };

struct TGraphKeyPress {
    TGraphKey key = TGraphKey::Other;
    char letter = 0; // for TGraphKey::Letter
    bool ctrl = false;
    bool shift = false;
};

// What a key asks of the window: whether the graph used it, and a movement of the mouse pointer.
struct TKeyAnswer {
    bool handled = false;
    int moveX = 0;
    int moveY = 0;
};

enum class TGraphCursor : std::uint8_t {
    Default,
    Construction,
    ZoomBoth,
    ZoomX,
    ZoomY,
    Pan,
    Panning,
    Move,
    // What a press on a model's curve would do.
    Rotate,
    SizeHor,
    SizeVer,
    DeformTopLeft,
    DeformTopRight,
    DeformBottomLeft,
    DeformBottomRight,
    DampUp,
    DampDown,
};

class TGraphTool {
public:
    virtual ~TGraphTool() = default;
    // The tool was chosen, or left (a construction abandons the points collected so far).
    virtual void Enter(TGraph&) { }
    virtual void Leave(TGraph&) { }
    // Each answers whether the graph must be repainted.
    virtual bool MouseDown(TGraph& graph, const TGraphMouse& mouse) = 0;
    virtual bool MouseMove(TGraph&, const TGraphMouse&) { return false; }
    virtual bool MouseUp(TGraph&, const TGraphMouse&) { return false; }
    // The element being built, drawn over the others.
    virtual void Draw(const TGraph&, TDrawList&) const { }
    virtual TGraphCursor Cursor(const TGraph&) const { return TGraphCursor::Construction; }
};

} // namespace kinoval::graph
