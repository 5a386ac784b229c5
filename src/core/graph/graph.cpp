#include "core/graph/graph.h"

#include "core/common/tolerance.h"
#include "core/graph/decimate.h"
#include "core/graph/measure_tools.h"
#include "core/graph/model_element.h"
#include "core/graph/vectors.h"
#include "core/results/number_format.h"

#include <algorithm>
#include <cmath>

namespace kinoval::graph {

namespace {

constexpr double kMinZoomBox = 10;
// How close to a data point the mouse shows its values, in pixels.
constexpr double kHoverReach = 8;
// Points of a polyline that stray less than this from the one painted are left out, in pixels: a quarter
// of a pixel is below what a screen of twice the density shows.
constexpr double kPolylineTolerance = 0.25;
// Markers of one curve that would land within two pixels of the one before it are left out: a marker is
// nine pixels wide at the least, so a run of them that close draws one band either way.
constexpr double kGlyphSpacing = 2;
// How far off the control a polyline is kept before it is cut, in pixels.
constexpr double kClipRoom = 2000;

} // namespace

TGraph::TGraph()
{
    m_sourceImg.Attach(&m_frame);
    m_origin.Attach(&m_frame);
    m_origin.glyphKind = 3;
    m_origin.colour = clBlack;
    m_defaultCurve.style = TCurveStyle();
    LayOut();
    ApplyWindow(m_requested);
}

TGraph::~TGraph() = default;

const TTextMeasure& TGraph::Measure() const
{
    static const TEstimatedTextMeasure estimate;
    return m_measure != nullptr ? *m_measure : estimate;
}

// ---- size, margins, world ----

void TGraph::LayOut()
{
    TPlotRect& plot = m_frame.mapping.plot;
    plot.left = m_marginLeft;
    plot.top = m_marginTop;
    plot.width = std::max(0, m_width - m_marginLeft - m_marginRight);
    plot.height = std::max(0, m_height - m_marginTop - m_marginBottom);
    m_axeX.band = { 0, double(m_height - m_marginBottom), double(m_width), double(m_marginBottom) };
    m_axeY.band = { 0, 0, double(m_marginLeft), double(std::max(0, m_height - m_marginBottom)) };
    for (const auto& record : m_paramComs) {
        record->SetBarPixels(LEchelleEnPixels);
        record->SetPlotWidth(plot.width);
    }
}

void TGraph::SetMargins(int left, int right, int top, int bottom)
{
    const TMapping before = m_frame.mapping;
    m_marginLeft = std::max(0, left);
    m_marginRight = std::max(0, right);
    m_marginTop = std::max(0, top);
    m_marginBottom = std::max(0, bottom);
    LayOut();
    if (m_orthonormal)
        ApplyWindow(MakeOrthonormal(m_requested, Plot().width, Plot().height));
    else if (!(before.plot == m_frame.mapping.plot))
        MappingChanged();
}

void TGraph::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height)
        return;
    const TMapping before = m_frame.mapping;
    m_width = width;
    m_height = height;
    LayOut();
    const TPlotRect& plot = Plot();
    if (!m_orthonormal) {
        MappingChanged();
        return;
    }
    if (before.Usable() && plot.width > 0 && plot.height > 0) {
        // The same world units per pixel about the same centre: the picture keeps its scale.
        const double cx = (before.world.xmin + before.world.xmax) / 2;
        const double cy = (before.world.ymin + before.world.ymax) / 2;
        const double hx = plot.width * before.UnitsPerPixelX() / 2;
        const double hy = plot.height * before.UnitsPerPixelY() / 2;
        const TWorld window { cx - hx, cx + hx, cy - hy, cy + hy };
        m_zoom.Reset();
        m_requested = window;
        ApplyWindow(window);
    } else {
        // The first size the graph gets: the window asked for, to the plot's proportions.
        ApplyWindow(MakeOrthonormal(m_requested, plot.width, plot.height));
    }
}

void TGraph::SetWorld(const TWorld& window, bool orthonormal)
{
    m_zoom.Reset();
    m_requested = window;
    m_orthonormal = orthonormal;
    ApplyWindow(orthonormal ? MakeOrthonormal(window, Plot().width, Plot().height) : window);
}

void TGraph::Restore()
{
    SetWorld(m_requested, m_orthonormal);
}

void TGraph::ApplyWindow(const TWorld& window)
{
    m_frame.mapping.world = window;
    m_axeX.min = window.xmin;
    m_axeX.max = window.xmax;
    m_axeY.min = window.ymin;
    m_axeY.max = window.ymax;
    m_axeX.graduations = ComputeGraduation(window.xmin, window.xmax).count;
    m_axeY.graduations = ComputeGraduation(window.ymin, window.ymax).count;
    MappingChanged();
}

void TGraph::MappingChanged()
{
    for (TGElem* e : m_followers)
        e->MappingChanged();
    OnChanged.Emit();
}

// ---- zoom and pan ----

void TGraph::ZoomStep(TPointF at, bool in, bool fine)
{
    const TWorldPoint p = ScreenToWorld(at);
    TWorld w = World();
    const bool onX = m_orthonormal || IsZoomX;
    const bool onY = m_orthonormal || IsZoomY;
    if (onX) {
        const double old = m_zoom.factorX;
        m_zoom.factorX = in ? TZoom::In(old, fine) : TZoom::Out(old, fine);
        const double k = old / m_zoom.factorX;
        w.xmin = p.x + (w.xmin - p.x) * k;
        w.xmax = p.x + (w.xmax - p.x) * k;
    }
    if (onY) {
        const double old = m_zoom.factorY;
        m_zoom.factorY = in ? TZoom::In(old, fine) : TZoom::Out(old, fine);
        const double k = old / m_zoom.factorY;
        w.ymin = p.y + (w.ymin - p.y) * k;
        w.ymax = p.y + (w.ymax - p.y) * k;
    }
    ApplyWindow(w);
}

bool TGraph::ZoomBox(const TRectF& box)
{
    if (box.width < kMinZoomBox || box.height < kMinZoomBox)
        return false;
    const TPlotRect& plot = Plot();
    if (plot.width <= 0 || plot.height <= 0)
        return false;
    const double oldX = m_zoom.factorX, oldY = m_zoom.factorY;
    if (m_orthonormal) {
        const double m = std::min(plot.height / box.height, plot.width / box.width);
        m_zoom.factorX = TZoom::Multiplied(oldX, m);
        m_zoom.factorY = TZoom::Multiplied(oldY, m);
    } else {
        if (IsZoomX)
            m_zoom.factorX = TZoom::Multiplied(oldX, plot.width / box.width);
        if (IsZoomY)
            m_zoom.factorY = TZoom::Multiplied(oldY, plot.height / box.height);
    }
    const TWorldPoint centre = ScreenToWorld({ box.left + box.width / 2, box.top + box.height / 2 });
    TWorld w = World();
    // An axis the zoom does not act on keeps its bounds.
    if (m_orthonormal || IsZoomX) {
        const double half = oldX / m_zoom.factorX * w.Width() / 2;
        w.xmin = centre.x - half;
        w.xmax = centre.x + half;
    }
    if (m_orthonormal || IsZoomY) {
        const double half = oldY / m_zoom.factorY * w.Height() / 2;
        w.ymin = centre.y - half;
        w.ymax = centre.y + half;
    }
    ApplyWindow(w);
    return true;
}

void TGraph::Pan(double dx, double dy)
{
    const TPlotRect& plot = Plot();
    if (plot.width <= 0 || plot.height <= 0 || (dx == 0 && dy == 0))
        return;
    TWorld w = World();
    const double shiftX = w.Width() * dx / plot.width;
    const double shiftY = w.Height() * dy / plot.height;
    w.xmin -= shiftX;
    w.xmax -= shiftX;
    w.ymin += shiftY;
    w.ymax += shiftY;
    ApplyWindow(w);
}

// ---- curves and elements ----

TGElem* TGraph::AddElement(std::unique_ptr<TGElem> element, TCourbe* curve)
{
    if (!element)
        return nullptr;
    TGElem* e = element.get();
    e->SetId(m_nextId++);
    e->Attach(&m_frame);
    if (curve != nullptr) {
        e->curve = curve;
        curve->ApplyStyle(*e);
        curve->elements[e->Kind()].push_back(e);
    }
    if (e->FollowsMapping())
        m_followers.push_back(e);
    m_elements.push_back(std::move(element));
    return e;
}

int TGraph::AddCurve(const TCurveInput& input)
{
    auto owned = std::make_unique<TCourbe>();
    TCourbe* curve = owned.get();
    curve->style = input.style;
    curve->name = input.name;
    curve->ordinateName = input.ordinateName;
    curve->abscissaName = input.abscissaName;
    curve->ordinateUnit = input.ordinateUnit;
    curve->abscissaUnit = input.abscissaUnit;
    curve->modelSkip = input.modelSkip;
    const std::size_t n = std::min(input.x.size(), input.y.size());
    curve->x.assign(input.x.begin(), input.x.begin() + static_cast<std::ptrdiff_t>(n));
    curve->y.assign(input.y.begin(), input.y.begin() + static_cast<std::ptrdiff_t>(n));
    curve->numbers.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        curve->numbers[i] = i < input.numbers.size() ? input.numbers[i] : static_cast<int>(i) + 1;
    m_curves.push_back(std::move(owned));
    m_elements.reserve(m_elements.size() + 2 * n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        auto point = std::make_unique<TGPoint>();
        point->at = { curve->x[i], curve->y[i] };
        point->number = curve->numbers[i];
        AddElement(std::move(point), curve);
    }
    for (std::size_t i = 1; i < n; ++i)
        AddElement(std::make_unique<TGSegment>(
                       TWorldPoint { curve->x[i - 1], curve->y[i - 1] }, TWorldPoint { curve->x[i], curve->y[i] }),
            curve);
    auto spline = std::make_unique<TGSpline>();
    spline->points.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        spline->points.push_back({ curve->x[i], curve->y[i] });
    AddElement(std::move(spline), curve);
    for (const TVectorFamilyData& family : input.vectors) {
        TParamCom& record = ParamCom(family.name);
        if (!vectorFactory)
            continue;
        for (std::size_t i = 0; i < n && i < family.components.size(); ++i) {
            if (!family.components[i])
                continue;
            AddElement(
                vectorFactory(*this, *curve, record, { curve->x[i], curve->y[i] }, *family.components[i]), curve);
        }
    }
    if (modelFactory)
        curve->modele = AddElement(modelFactory(*this, *curve), curve);
    if (!input.vectors.empty())
        AutoScaleVectors();
    OnChanged.Emit();
    return static_cast<int>(m_curves.size()) - 1;
}

TParamCom& TGraph::ParamCom(const std::string& family)
{
    for (const auto& record : m_paramComs) {
        if (record->name == family)
            return *record;
    }
    m_paramComs.push_back(std::make_unique<TParamCom>(family, static_cast<int>(m_paramComs.size())));
    return *m_paramComs.back();
}

void TGraph::Clear()
{
    for (auto& list : m_defaultCurve.elements)
        list.clear();
    m_defaultCurve.modele = nullptr;
    m_dragged = nullptr;
    m_hover.reset();
    m_bulle.lines.clear();
    m_followers.clear();
    m_elements.clear();
    m_curves.clear();
    m_paramComs.clear();
    m_history.Clear();
    OnChanged.Emit();
}

void TGraph::AutoScaleVectors()
{
    // The vectors of all the curves so far share their family's scale: the longest is a tenth of the plot.
    for (const auto& record : m_paramComs) {
        double largest = -1e100;
        for (const auto& e : m_elements) {
            if (const auto* v = dynamic_cast<const TGVecteur*>(e.get()); v != nullptr && v->Record() == record.get())
                largest = std::max(largest, v->Norm());
        }
        record->SetBarPixels(LEchelleEnPixels);
        record->SetPlotWidth(Plot().width);
        record->AutoScale(largest);
    }
}

TParamCom* TGraph::DrawingRecord()
{
    for (const auto& record : m_paramComs) {
        if (drawingFamily.empty() || record->name == drawingFamily)
            return record.get();
    }
    return m_paramComs.empty() ? nullptr : m_paramComs.front().get();
}

TGElem* TGraph::PutBack(std::unique_ptr<TGElem> element)
{
    if (!element)
        return nullptr;
    TGElem* e = element.get();
    e->Attach(&m_frame);
    if (TCourbe* curve = e->curve) {
        // The curve may have gone with a rebuilt graph: the element then stands alone.
        const bool known
            = std::any_of(m_curves.begin(), m_curves.end(), [curve](const auto& c) { return c.get() == curve; });
        if (known)
            curve->elements[e->Kind()].push_back(e);
        else
            e->curve = nullptr;
    }
    if (e->FollowsMapping())
        m_followers.push_back(e);
    m_elements.push_back(std::move(element));
    return e;
}

TGElem* TGraph::AddUserElement(std::unique_ptr<TGElem> element, THistAction action)
{
    TGElem* e = AddElement(std::move(element));
    if (e == nullptr)
        return nullptr;
    ClearSelection();
    e->selected = true;
    m_bulle.lines = e->Lines();
    THistObject entry;
    entry.action = action;
    entry.kind = e->Kind();
    entry.elementId = e->Id();
    m_history.Record(std::move(entry));
    OnChanged.Emit();
    return e;
}

void TGraph::RecordEdit(const TGElem& element, THistAction action)
{
    THistObject entry;
    entry.action = action;
    entry.kind = element.Kind();
    entry.elementId = element.Id();
    entry.saved = element.Clone();
    m_history.Record(std::move(entry));
}

std::string TGraph::UndoCaption()
{
    return m_history.UndoCaption(*this);
}

bool TGraph::Undo()
{
    if (!m_history.Undo(*this))
        return false;
    m_dragged = nullptr;
    OnChanged.Emit();
    return true;
}

TCourbe& TGraph::CurveAt(int index)
{
    if (index >= 0 && index < static_cast<int>(m_curves.size()))
        return *m_curves[static_cast<std::size_t>(index)];
    return m_defaultCurve;
}

std::unique_ptr<TGElem> TGraph::RemoveElement(const TGElem* element)
{
    const auto it = std::find_if(
        m_elements.begin(), m_elements.end(), [element](const auto& owned) { return owned.get() == element; });
    if (it == m_elements.end())
        return nullptr;
    std::unique_ptr<TGElem> out = std::move(*it);
    m_elements.erase(it);
    if (TCourbe* curve = out->curve) {
        auto& list = curve->elements[out->Kind()];
        list.erase(std::remove(list.begin(), list.end(), out.get()), list.end());
        if (curve->modele == out.get())
            curve->modele = nullptr;
    }
    m_followers.erase(std::remove(m_followers.begin(), m_followers.end(), out.get()), m_followers.end());
    if (m_dragged == out.get())
        m_dragged = nullptr;
    out->selected = false;
    return out;
}

TGElem* TGraph::FindElement(int id) const
{
    for (const auto& e : m_elements) {
        if (e->Id() == id)
            return e.get();
    }
    return nullptr;
}

void TGraph::BringToTop(const TGElem* element)
{
    const auto it = std::find_if(
        m_elements.begin(), m_elements.end(), [element](const auto& owned) { return owned.get() == element; });
    if (it != m_elements.end())
        std::rotate(it, it + 1, m_elements.end());
}

std::vector<TGElem*> TGraph::Selection() const
{
    std::vector<TGElem*> out;
    for (const auto& e : m_elements) {
        if (e->selected)
            out.push_back(e.get());
    }
    return out;
}

void TGraph::ClearSelection()
{
    for (const auto& e : m_elements)
        e->selected = false;
}

bool TGraph::DeleteSelected()
{
    std::vector<TGElem*> doomed;
    for (TGElem* e : Selection()) {
        if (e->Pickable())
            doomed.push_back(e);
    }
    if (doomed.empty())
        return false;
    m_history.BeginGroup();
    for (TGElem* e : doomed) {
        THistObject entry;
        entry.action = THistAction::Delete;
        entry.kind = e->Kind();
        entry.elementId = e->Id();
        entry.saved = RemoveElement(e);
        m_history.Record(std::move(entry));
    }
    m_history.EndGroup();
    OnChanged.Emit();
    return true;
}

void TGraph::SetCurveColour(int curve, TGObjectType kind, int groups, TColor colour)
{
    CurveAt(curve).SetColour(kind, groups, colour);
    OnChanged.Emit();
}

void TGraph::SetCurveVisible(int curve, TGObjectType kind, bool visible)
{
    CurveAt(curve).SetVisible(kind, visible);
    OnChanged.Emit();
}

void TGraph::SetCurveNumbering(int curve, TColor colour, TNumbering numbering)
{
    CurveAt(curve).SetNumbering(colour, numbering);
    OnChanged.Emit();
}

void TGraph::SetCurveNames(int curve, const std::string& ordinate, const std::string& abscissa)
{
    TCourbe& c = CurveAt(curve);
    c.SetNames(ordinate, abscissa);
    // The model's equation is written with the curve's names.
    if (auto* model = dynamic_cast<TGModele*>(c.modele))
        model->SetNames(ordinate, abscissa);
}

// ---- tools and input ----

bool TGraph::SetTool(int code)
{
    if (code == gtModifierModele) {
        const bool anyModel
            = std::any_of(m_curves.begin(), m_curves.end(), [](const auto& curve) { return curve->modele != nullptr; });
        if (!anyModel)
            return false;
    }
    if (code == m_tool)
        return true;
    if (const auto it = m_tools.find(m_tool); it != m_tools.end())
        it->second->Leave(*this);
    m_tool = code;
    m_panning = false;
    m_boxing = false;
    m_zoom.boxShown = false;
    m_dragged = nullptr;
    if (const auto it = m_tools.find(m_tool); it != m_tools.end())
        it->second->Enter(*this);
    for (const auto& curve : m_curves) {
        if (curve->modele != nullptr)
            curve->modele->ToolChanged(code);
    }
    OnOptionChange.Emit();
    OnChanged.Emit();
    return true;
}

void TGraph::RegisterTool(int code, std::unique_ptr<TGraphTool> tool)
{
    m_tools[code] = std::move(tool);
}

bool TGraph::MouseDown(const TGraphMouse& mouse)
{
    if (const auto it = m_tools.find(m_tool); it != m_tools.end())
        return it->second->MouseDown(*this, mouse);
    switch (m_tool) {
    case gtPan:
        if (mouse.button != TGraphButton::Left) {
            OnObjectClick.Emit(mouse.button, obNone);
            return false;
        }
        m_panning = true;
        m_panFrom = mouse.at;
        return false;
    case gtZoom:
        m_boxing = true;
        m_boxButton = mouse.button;
        m_zoom.boxStart = m_zoom.boxEnd = mouse.at;
        m_zoom.boxShown = true;
        return true;
    default:
        SelectAt(mouse);
        return true;
    }
}

bool TGraph::MouseMove(const TGraphMouse& mouse)
{
    if (m_panning) {
        Pan(mouse.at.x - m_panFrom.x, mouse.at.y - m_panFrom.y);
        m_panFrom = mouse.at;
        return true;
    }
    if (m_boxing) {
        m_zoom.boxEnd = mouse.at;
        return true;
    }
    if (const auto it = m_tools.find(m_tool); it != m_tools.end())
        return it->second->MouseMove(*this, mouse);
    if (m_dragged != nullptr) {
        // The state before the first move of a drag is what undo comes back to; a click alone records nothing.
        if (!m_dragRecorded) {
            RecordEdit(*m_dragged, m_draggedHandle == kHitBody ? THistAction::Move : THistAction::Deform);
            m_dragRecorded = true;
        }
        m_dragged->Drag(mouse.at);
        m_bulle.lines = m_dragged->Lines();
        OnChanged.Emit();
        return true;
    }
    const std::optional<TDataHit> hit = DataPointAt(mouse.at, kHoverReach);
    const bool same = hit.has_value() == m_hover.has_value()
        && (!hit || (hit->curve == m_hover->curve && hit->index == m_hover->index));
    if (same)
        return false;
    m_hover = hit;
    m_bulle.lines = hit ? DataPointLines(*hit) : std::vector<std::string> {};
    return true;
}

bool TGraph::MouseUp(const TGraphMouse& mouse)
{
    if (m_panning) {
        m_panning = false;
        return false;
    }
    if (m_boxing) {
        m_boxing = false;
        m_zoom.boxShown = false;
        m_zoom.boxEnd = mouse.at;
        if (!ZoomBox(m_zoom.Box()))
            ZoomStep(mouse.at, m_boxButton == TGraphButton::Left, mouse.ctrl);
        return true;
    }
    if (const auto it = m_tools.find(m_tool); it != m_tools.end())
        return it->second->MouseUp(*this, mouse);
    if (m_dragged != nullptr) {
        m_dragged->EndDrag();
        m_dragged = nullptr;
        return true;
    }
    return false;
}

void TGraph::SelectAt(const TGraphMouse& mouse)
{
    const bool bendable = m_tool == gtCourber;
    const auto pickable = [bendable](const TGElem& e) {
        if (!e.visible || !e.Pickable())
            return false;
        return !bendable || e.Kind() == obArc || e.Kind() == obCercle || e.Kind() == obEllipse;
    };
    TGElem* hit = nullptr;
    int handle = kHitNone;
    // The selected elements first, then the others, each from the top of the drawing order down.
    for (int pass = 0; pass < 2 && hit == nullptr; ++pass) {
        for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it) {
            TGElem& e = **it;
            if (e.selected != (pass == 0) || !pickable(e))
                continue;
            handle = e.HitTest(mouse.at);
            if (handle != kHitNone) {
                hit = &e;
                break;
            }
        }
    }
    if (hit == nullptr) {
        ClearSelection();
        m_bulle.lines.clear();
        OnChanged.Emit();
        OnObjectClick.Emit(mouse.button, obNone);
        return;
    }
    BringToTop(hit);
    if (mouse.shift) {
        hit->selected = !hit->selected;
    } else if (!hit->selected) {
        ClearSelection();
        hit->selected = true;
    }
    // The value bubble gives the measures of the element pressed.
    m_bulle.lines = hit->Lines();
    if (m_tool == gtSelection && hit->selected && mouse.button == TGraphButton::Left) {
        m_dragged = hit;
        m_draggedHandle = handle;
        m_dragRecorded = false;
        hit->BeginDrag(handle, mouse.at);
    }
    OnChanged.Emit();
    OnObjectClick.Emit(mouse.button, hit->Kind());
}

TKeyAnswer TGraph::KeyDown(const TGraphKeyPress& key)
{
    TKeyAnswer answer;
    const int step = key.ctrl ? 10 : 1;
    switch (key.key) {
    case TGraphKey::Space:
        OnObjectClick.Emit(TGraphButton::Right, obNone);
        answer.handled = true;
        break;
    case TGraphKey::Left:
        answer = { true, -step, 0 };
        break;
    case TGraphKey::Right:
        answer = { true, step, 0 };
        break;
    case TGraphKey::Up:
        answer = { true, 0, -step };
        break;
    case TGraphKey::Down:
        answer = { true, 0, step };
        break;
    case TGraphKey::Insert:
    case TGraphKey::Delete:
        answer.handled = DeleteSelected();
        break;
    case TGraphKey::Letter:
        // Ctrl+A, and Ctrl+Z as everywhere else, undo the last group of the graph's edits.
        if (key.ctrl && (key.letter == 'a' || key.letter == 'A' || key.letter == 'z' || key.letter == 'Z')) {
            Undo();
            answer.handled = true;
        }
        break;
    default:
        break;
    }
    return answer;
}

TGraphCursor TGraph::Cursor() const
{
    if (const auto it = m_tools.find(m_tool); it != m_tools.end())
        return it->second->Cursor(*this);
    if (m_tool == gtPan)
        return m_panning ? TGraphCursor::Panning : TGraphCursor::Pan;
    if (m_tool == gtZoom) {
        if (m_orthonormal || (IsZoomX && IsZoomY))
            return TGraphCursor::ZoomBoth;
        if (IsZoomX)
            return TGraphCursor::ZoomX;
        if (IsZoomY)
            return TGraphCursor::ZoomY;
        return TGraphCursor::Default;
    }
    if (IsConstructionTool(m_tool))
        return TGraphCursor::Construction;
    return m_dragged != nullptr ? TGraphCursor::Move : TGraphCursor::Default;
}

std::optional<TDataHit> TGraph::DataPointAt(TPointF at, double reach) const
{
    std::optional<TDataHit> best;
    double bestDistance = reach * reach;
    const TMapping& map = Mapping();
    if (!map.Usable() || !Plot().Rect().Contains(at))
        return best;
    for (std::size_t c = 0; c < m_curves.size(); ++c) {
        const TCourbe& curve = *m_curves[c];
        if (!curve.style.visible[obPoint] && !curve.style.visible[obSegment])
            continue;
        for (std::size_t i = 0; i < curve.x.size(); ++i) {
            const TPointF p = map.ToScreen(curve.x[i], curve.y[i]);
            const double d = (p.x - at.x) * (p.x - at.x) + (p.y - at.y) * (p.y - at.y);
            if (d <= bestDistance) {
                bestDistance = d;
                best = TDataHit { static_cast<int>(c), static_cast<int>(i) };
            }
        }
    }
    return best;
}

std::vector<std::string> TGraph::DataPointLines(const TDataHit& hit) const
{
    std::vector<std::string> lines;
    if (hit.curve < 0 || hit.curve >= static_cast<int>(m_curves.size()))
        return lines;
    const TCourbe& curve = *m_curves[static_cast<std::size_t>(hit.curve)];
    const auto i = static_cast<std::size_t>(hit.index);
    if (hit.index < 0 || i >= curve.x.size())
        return lines;
    const auto value = [this](const std::string& name, double v, const std::string& unit) {
        std::string text = name + " = " + results::FormatResultNumber(v, 0, m_separator);
        if (!unit.empty())
            text += " " + unit;
        return text;
    };
    lines.push_back(curve.name.empty() ? std::to_string(curve.numbers[i])
                                       : curve.name + " (" + std::to_string(curve.numbers[i]) + ")");
    lines.push_back(value(curve.abscissaName, curve.x[i], curve.abscissaUnit));
    lines.push_back(value(curve.ordinateName, curve.y[i], curve.ordinateUnit));
    return lines;
}

// ---- painting ----

void TGraph::PaintCurveData(const TCourbe& curve, TDrawList& list) const
{
    const std::size_t n = curve.x.size();
    const TMapping& map = Mapping();
    std::vector<TPointF> pixels;
    pixels.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        pixels.push_back(map.ToScreen(curve.x[i], curve.y[i]));
    const int size = m_frame.display.size;
    if (curve.style.visible[obPoint]) {
        list.Add(TGlyphs { pixels, curve.style.colour[obPoint][0], size, curve.style.glyphKind });
        if (curve.style.numbering != TNumbering::None) {
            for (std::size_t i = 0; i < n; ++i)
                list.Label(TGPoint::NumberOrigin(pixels[i], size, curve.style.numbering),
                    std::to_string(curve.numbers[i]), curve.style.numberColour, TGPoint::NumberPointSize(size));
        }
    }
    if (curve.style.visible[obSegment] && n >= 2)
        list.Add(TPolyline {
            std::move(pixels), ElementPen(curve.style.colour[obSegment][0], false, m_frame.display.penWidth) });
}

void TGraph::PaintElements(TDrawList& list) const
{
    const std::size_t first = list.commands.size();
    // The data points and segments of a curve follow its style (only the style setters change them) and
    // lie on its data: a curve with all of them is drawn at once from its data, as each would draw itself,
    // so that thousands of rows are not thousands of calls.
    for (const auto& curve : m_curves) {
        const std::size_t n = curve->x.size();
        curve->m_paintedWhole = false;
        curve->m_paintWhole = curve->Of(obPoint).size() == n && curve->Of(obSegment).size() == (n > 0 ? n - 1 : 0);
    }
    for (const auto& e : m_elements) {
        const TCourbe* curve = e->curve;
        if (curve != nullptr && curve->m_paintWhole && (e->Kind() == obPoint || e->Kind() == obSegment)) {
            if (!curve->m_paintedWhole) {
                PaintCurveData(*curve, list);
                curve->m_paintedWhole = true;
            }
            continue;
        }
        if (e->visible)
            e->Draw(list);
    }
    // Curves of thousands of points: what a screen cannot show is left out, and what lies far off the
    // control is cut away.
    const TRectF room { -kClipRoom, -kClipRoom, m_width + 2 * kClipRoom, m_height + 2 * kClipRoom };
    std::vector<TDrawCommand> thinned;
    thinned.reserve(list.commands.size() - first);
    for (std::size_t i = first; i < list.commands.size(); ++i) {
        TDrawCommand& command = list.commands[i];
        if (auto* line = std::get_if<TPolyline>(&command)) {
            const bool far = std::any_of(
                line->points.begin(), line->points.end(), [&room](const TPointF& p) { return !room.Contains(p); });
            if (!far) {
                line->points = SimplifyPolyline(line->points, kPolylineTolerance);
                thinned.push_back(std::move(command));
                continue;
            }
            for (auto& piece : ClipPolyline(line->points, room))
                thinned.push_back(TPolyline { SimplifyPolyline(piece, kPolylineTolerance), line->pen });
            continue;
        }
        if (auto* glyphs = std::get_if<TGlyphs>(&command)) {
            std::vector<TPointF> kept;
            for (const TPointF& p : ThinGlyphs(glyphs->at, kGlyphSpacing)) {
                if (room.Contains(p))
                    kept.push_back(p);
            }
            glyphs->at = std::move(kept);
        }
        thinned.push_back(std::move(command));
    }
    list.commands.resize(first);
    for (auto& command : thinned)
        list.commands.push_back(std::move(command));
}

void TGraph::PaintScaleBars(TDrawList& list) const
{
    constexpr double kBarY = 20, kTextY = 5, kTextSize = 8, kEndMark = 4;
    const double bar = LEchelleEnPixels;
    const TPen pen { clBlack, 1 };
    const auto text = [&list](double x, const std::string& words) {
        TText t;
        t.at = { x, kTextY };
        t.runs = { { words, clBlack } };
        t.pointSize = kTextSize;
        t.hAlign = THAlign::Centre;
        list.Add(std::move(t));
    };
    if (IsDessinerEchelleVecteurs) {
        const TParamCom* record = nullptr;
        for (const auto& r : m_paramComs) {
            if (drawingFamily.empty() || r->name == drawingFamily) {
                record = r.get();
                break;
            }
        }
        if (record != nullptr && record->BarValueValid()) {
            const double x0 = 20, x1 = 20 + bar;
            list.Strokes({ { x0, kBarY }, { x1, kBarY }, { x0, kBarY - kEndMark }, { x0, kBarY + kEndMark },
                             { x1, kBarY - kEndMark }, { x1, kBarY + kEndMark } },
                pen);
            text((x0 + x1) / 2, FormatGeneral(record->barValue, 4, m_separator) + " " + record->name);
        }
    }
    if (IsDessinerEchelleDistances && Mapping().Usable()) {
        const double x1 = m_width - 20, x0 = x1 - bar;
        const double length = std::fabs(ScreenToWorld({ x1, kBarY }).x - ScreenToWorld({ x0, kBarY }).x);
        list.Strokes({ { x0, kBarY }, { x1, kBarY }, { x0, kBarY - kEndMark }, { x0, kBarY + kEndMark },
                         { x1, kBarY - kEndMark }, { x1, kBarY + kEndMark } },
            pen);
        text((x0 + x1) / 2, FormatLength(length, m_separator));
    }
}

void TGraph::Paint(TDrawList& list, int layers) const
{
    if (m_width <= 0 || m_height <= 0)
        return;
    const bool under = (layers & kLayerUnder) != 0;
    const bool content = (layers & kLayerContent) != 0;
    const bool over = (layers & kLayerOver) != 0;
    const TRectF plot = Plot().Rect();
    const double w = m_width, h = m_height;
    const bool mapped = Mapping().Usable();
    if (under) {
        list.Add(TGradientRect { plot, ColorBegin, ColorEnd });
        list.Add(TFillRect { { 0, 0, w, plot.top }, ColorAxe });
        list.Add(TFillRect { { 0, plot.Bottom(), w, h - plot.Bottom() }, ColorAxe });
        list.Add(TFillRect { { 0, plot.top, plot.left, plot.height }, ColorAxe });
        list.Add(TFillRect { { plot.Right(), plot.top, w - plot.Right(), plot.height }, ColorAxe });
        if (mapped && IsSourceImgVisible && !m_sourceImg.Empty()) {
            list.Clip(plot);
            m_sourceImg.Draw(list);
            list.Unclip();
        }
        m_axeX.Draw(list, Mapping(), Measure(), m_separator);
        m_axeY.Draw(list, Mapping(), Measure(), m_separator);
    }
    if (mapped && content) {
        list.Clip(plot);
        if (IsOrigineVisible)
            m_origin.Draw(list);
        PaintElements(list);
        list.Unclip();
    }
    if (over) {
        if (mapped) {
            list.Clip(plot);
            if (m_zoom.boxShown)
                list.Add(TFocusRect { m_zoom.Box() });
            if (const auto it = m_tools.find(m_tool); it != m_tools.end())
                it->second->Draw(*this, list);
            list.Unclip();
        }
        PaintScaleBars(list);
        list.Add(TFrameRect { plot, { clBlack, 1 } });
        if (m_bulle.Shown())
            list.Add(TPanel { m_bulle.Rect(Measure(), m_width, m_height), m_bulle.lines, TBulle::kPointSize });
    }
}

} // namespace kinoval::graph
