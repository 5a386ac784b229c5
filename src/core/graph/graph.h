#pragma once
// TGraph: the plotting component of the results window, said without a screen.
//
// Ownership. A graph owns its curves, its elements (in drawing order), the vector-scale records of its
// vector families, the picture under the plot, its two axes, its zoom, its value bubble and its own undo
// history. A curve borrows the elements that make it up. The results window owns the graphs and gives
// each to a widget that paints it and passes it the mouse and the keyboard.
//
// Flow. The results window calls AddCurve for every curve of a page, then SetWorld with the window it
// computed from the data. The control's size (SetSize) and its margins give the plot rectangle; the world
// window and the plot make the mapping that every element shares, so zooming, panning and resizing change
// that one mapping and never the data. Paint lists the drawing commands in painting order: the gradient of
// the plot, the margins, the picture, the X and Y axes, the origin, every element, the zoom box and the
// element being built, the frame of the plot, the value bubble. The widget paints them, and so do the copy,
// the export and the print. After any change that shows, OnChanged asks for a repaint.
//
// Extension. The tools that build or edit elements register themselves with RegisterTool; a curve's model
// element and its vectors come from the factories the owner sets (modelFactory, vectorFactory), so that
// the modelling and the vectors plug into AddCurve.

#include "core/common/signal.h"
#include "core/graph/axe.h"
#include "core/graph/bulle.h"
#include "core/graph/courbe.h"
#include "core/graph/draw_list.h"
#include "core/graph/elements.h"
#include "core/graph/history.h"
#include "core/graph/mapping.h"
#include "core/graph/source_img.h"
#include "core/graph/tools.h"
#include "core/graph/zoom.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kinoval::graph {

// One vector family of a curve: its name and, per data point, the vector's components (none where the
// point has no vector).
struct TVectorFamilyData {
    std::string name;
    std::vector<std::optional<TWorldPoint>> components;
};

// What AddCurve makes a curve of.
struct TCurveInput {
    std::vector<double> x, y; // one world point per row
    std::vector<int> numbers; // the label of each point; the row's rank from 1 when empty
    std::string name; // the object's name
    std::string ordinateName = "y", abscissaName = "t";
    std::string ordinateUnit, abscissaUnit;
    std::vector<TVectorFamilyData> vectors;
    TCurveStyle style;
    // Points at each end that a model leaves out (derived quantities rest on one-sided differences there).
    int modelSkip = 0;
};

// The data point of a curve under the mouse.
struct TDataHit {
    int curve = -1;
    int index = -1;
};

class TGraph {
public:
    TGraph();
    ~TGraph();
    TGraph(const TGraph&) = delete;
    TGraph& operator=(const TGraph&) = delete;

    // ---- size, margins, world ----
    // The control's size changed. An orthonormal graph keeps its world units per pixel about the same
    // centre; any other keeps its window.
    void SetSize(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetMargins(int axeYFromLeft, int axeYFromRight, int axeXFromTop, int axeXFromBottom);
    int AxeYFromLeft() const { return m_marginLeft; }
    int AxeYFromRight() const { return m_marginRight; }
    int AxeXFromTop() const { return m_marginTop; }
    int AxeXFromBottom() const { return m_marginBottom; }
    const TPlotRect& Plot() const { return m_frame.mapping.plot; }

    // The window, with whether one world unit must have the same length on both axes. Both zoom factors
    // return to 1; the window is kept as the one "Restaurer le graphe" comes back to. An orthonormal window
    // is widened to the plot's proportions.
    void SetWorld(const TWorld& window, bool orthonormal);
    const TWorld& World() const { return m_frame.mapping.world; }
    bool IsOrthonormal() const { return m_orthonormal; }
    const TMapping& Mapping() const { return m_frame.mapping; }
    TWorldPoint ScreenToWorld(TPointF p) const { return m_frame.mapping.ToWorld(p); }
    TPoint WorldToScreen(TWorldPoint p) const { return m_frame.mapping.ToScreenRounded(p); }
    // Back to the window last given to SetWorld, unzoomed.
    void Restore();

    // ---- zoom and pan ----
    const TZoom& Zoom() const { return m_zoom; }
    bool IsZoomX = true;
    bool IsZoomY = true;
    // One zoom step about a point of the control: that point stays where it is.
    void ZoomStep(TPointF at, bool in, bool fine);
    // The zoom box; false (and nothing done) when it is under 10 pixels wide or high.
    bool ZoomBox(const TRectF& box);
    // Shifts the window by a movement of the mouse, in pixels: what was under the pointer stays under it.
    void Pan(double dx, double dy);

    // ---- curves and elements ----
    // Builds a curve: a point per row, a segment between consecutive points, a smooth curve through them
    // all, the vectors of each family, and the curve's model element. Answers the curve's index.
    int AddCurve(const TCurveInput& input);
    // Empties the curves, the elements, the vector-scale records, the selection and the history.
    void Clear();
    const std::vector<std::unique_ptr<TCourbe>>& Curves() const { return m_curves; }
    // The curve a style setter addresses: the default curve when the index is not a curve's.
    TCourbe& CurveAt(int index);
    TCourbe& DefaultCurve() { return m_defaultCurve; }
    const std::vector<std::unique_ptr<TGElem>>& Elements() const { return m_elements; }
    const std::vector<std::unique_ptr<TParamCom>>& ParamComs() const { return m_paramComs; }
    // The record of a vector family, made when its name is new.
    TParamCom& ParamCom(const std::string& family);

    // Takes an element at the top of the drawing order (and into a curve's lists when given one).
    TGElem* AddElement(std::unique_ptr<TGElem> element, TCourbe* curve = nullptr);
    // Takes back an element given out by RemoveElement, with its identifier, its looks and its curve.
    TGElem* PutBack(std::unique_ptr<TGElem> element);
    // Takes an element the user made: the only one selected, recorded in the history with that action.
    TGElem* AddUserElement(std::unique_ptr<TGElem> element, THistAction action = THistAction::Create);
    // Records the state of an element before an edit.
    void RecordEdit(const TGElem& element, THistAction action);
    // Gives an element back (out of its curve's lists and the selection); null when it is not the graph's.
    std::unique_ptr<TGElem> RemoveElement(const TGElem* element);
    TGElem* FindElement(int id) const;
    void BringToTop(const TGElem* element);
    std::vector<TGElem*> Selection() const;
    void ClearSelection();
    // Deletes every selected element that can be picked, as one group of the history.
    bool DeleteSelected();

    // Style of one curve (the default curve when the index is not a curve's), applied at once.
    void SetCurveColour(int curve, TGObjectType kind, int groups, TColor colour);
    void SetCurveVisible(int curve, TGObjectType kind, bool visible);
    void SetCurveNumbering(int curve, TColor colour, TNumbering numbering);
    void SetCurveNames(int curve, const std::string& ordinate, const std::string& abscissa);

    // Where a model element and the vectors of a curve come from.
    std::function<std::unique_ptr<TGElem>(TGraph&, TCourbe&)> modelFactory;
    std::function<std::unique_ptr<TGElem>(TGraph&, TCourbe&, TParamCom&, TWorldPoint anchor, TWorldPoint vector)>
        vectorFactory;

    THistorique& History() { return m_history; }
    // The caption of the undo command ("Annuler Déplacer Segment"), empty when there is nothing to undo;
    // and the undo of the last group of edits.
    std::string UndoCaption();
    bool Undo();
    // The colour of the elements the user draws next.
    TColor drawingColour = MakeColor(0, 0, 255);
    // The vector family the vector tool draws in (its record's name); the first record when empty.
    std::string drawingFamily;
    // The scale record the vector tool draws in; null when the graph has none.
    TParamCom* DrawingRecord();

    // ---- looks ----
    TAxe& AxeX() { return m_axeX; }
    TAxe& AxeY() { return m_axeY; }
    TSourceImg& SourceImg() { return m_sourceImg; }
    TBulle& Bulle() { return m_bulle; }
    TColor ColorAxe = kButtonFace;
    TColor ColorBegin = clWhite;
    TColor ColorEnd = clWhite;
    bool IsOrigineVisible = false;
    bool IsSourceImgVisible = false;
    bool IsShowModeleurEqua = true;
    bool IsShowModeleurStat = false;
    bool IsDessinerEchelleVecteurs = false;
    bool IsDessinerEchelleDistances = false;
    int LEchelleEnPixels = 100;
    const TElementDisplay& Display() const { return m_frame.display; }
    void SetDisplay(const TElementDisplay& display)
    {
        m_frame.display = display;
        m_frame.display.separator = m_separator;
    }
    void SetTextMeasure(const TTextMeasure* measure) { m_measure = measure; }
    const TTextMeasure& Measure() const;
    void SetDecimalSeparator(char separator) { m_separator = m_frame.display.separator = separator; }

    // ---- tools and input ----
    int Tool() const { return m_tool; }
    // False when refused: the modify-model tool while no curve has a model.
    bool SetTool(int code);
    void RegisterTool(int code, std::unique_ptr<TGraphTool> tool);
    // Each answers whether the graph must be repainted.
    bool MouseDown(const TGraphMouse& mouse);
    bool MouseMove(const TGraphMouse& mouse);
    bool MouseUp(const TGraphMouse& mouse);
    TKeyAnswer KeyDown(const TGraphKeyPress& key);
    TGraphCursor Cursor() const;
    bool Panning() const { return m_panning; }

    // The nearest data point of a shown curve within reach (pixels) of a pixel position.
    std::optional<TDataHit> DataPointAt(TPointF at, double reach) const;
    // The value bubble's lines for a data point.
    std::vector<std::string> DataPointLines(const TDataHit& hit) const;

    // A button pressed on an element of a kind (obNone: on empty plot).
    TSignal<TGraphButton, TGObjectType> OnObjectClick;
    // The current tool changed.
    TSignal<> OnOptionChange;
    // Something that shows changed: the window, the elements, the looks.
    TSignal<> OnChanged;

    // ---- painting ----
    // Everything, or some of its three layers in this order: under (the background, the picture, the axes
    // and their grid), the content (the origin and the elements) and over (the zoom box, the tool's
    // drawing, the plot's border, the bubble). A painter may keep a picture of the content, which only the
    // elements and the window change, and draw the other layers afresh around it.
    static constexpr int kLayerUnder = 1;
    static constexpr int kLayerContent = 2;
    static constexpr int kLayerOver = 4;
    static constexpr int kLayersAll = kLayerUnder | kLayerContent | kLayerOver;
    void Paint(TDrawList& list, int layers = kLayersAll) const;

private:
    void ApplyWindow(const TWorld& window);
    void LayOut();
    void MappingChanged();
    void SelectAt(const TGraphMouse& mouse);
    void UpdateBubble(TPointF at);
    void PaintElements(TDrawList& list) const;
    void PaintCurveData(const TCourbe& curve, TDrawList& list) const;
    void PaintScaleBars(TDrawList& list) const;
    void AutoScaleVectors();

    int m_width = 0;
    int m_height = 0;
    int m_marginLeft = 0;
    int m_marginRight = 0;
    int m_marginTop = 0;
    int m_marginBottom = 0;
    TElementFrame m_frame;
    TWorld m_requested;
    bool m_orthonormal = false;
    TZoom m_zoom;
    TAxe m_axeX { false };
    TAxe m_axeY { true };
    TSourceImg m_sourceImg;
    TGPoint m_origin;
    TBulle m_bulle;
    THistorique m_history;
    TCourbe m_defaultCurve;
    std::vector<std::unique_ptr<TCourbe>> m_curves;
    std::vector<std::unique_ptr<TGElem>> m_elements;
    std::vector<TGElem*> m_followers; // elements told of every change of the mapping
    std::vector<std::unique_ptr<TParamCom>> m_paramComs;
    int m_nextId = 1;
    const TTextMeasure* m_measure = nullptr;
    char m_separator = '.';

    int m_tool = gtNone;
    std::map<int, std::unique_ptr<TGraphTool>> m_tools;
    bool m_panning = false;
    TPointF m_panFrom;
    bool m_boxing = false;
    TGraphButton m_boxButton = TGraphButton::Left;
    TGElem* m_dragged = nullptr;
    int m_draggedHandle = kHitNone;
    bool m_dragRecorded = false;
    std::optional<TDataHit> m_hover;
};

} // namespace kinoval::graph
