#include "core/graph/model_element.h"

#include "core/graph/graph.h"
#include "core/modelling/exponential_model.h"
#include "core/modelling/linear_models.h"
#include "core/modelling/parabola_model.h"
#include "core/modelling/sinus_models.h"

#include <cmath>

namespace kinoval::graph {

namespace {

using modelling::TMdl;

bool IsSinusoid(int code)
{
    return code == mcSinus || code == mcSinusAe || code == mcSinusAl;
}

bool IsHorizontalHandle(int handle)
{
    return handle == 0 || handle == 3 || handle == 4 || handle == 7;
}

} // namespace

bool IsModelCode(int code)
{
    for (int c : kModelCodes) {
        if (c == code)
            return true;
    }
    return false;
}

std::string ShortModelName(const std::string& name)
{
    // Counted in characters, not bytes: "(é..)" keeps its accent whole.
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t n = 1;
        const auto lead = static_cast<unsigned char>(name[i]);
        if (lead >= 0xF0)
            n = 4;
        else if (lead >= 0xE0)
            n = 3;
        else if (lead >= 0xC0)
            n = 2;
        chars.push_back(name.substr(i, n));
        i += n;
    }
    if (chars.size() <= 3)
        return name;
    if (chars[0] == "(")
        return chars[0] + chars[1] + chars[2] + "..)";
    return "(" + chars[0] + chars[1] + "..)";
}

TGModele::TGModele(TGraph* graph)
    : TGElem(obModele)
    , m_graph(graph)
{
    colour = kModelColour;
    m_models[mcAffine] = std::make_unique<modelling::TMdlAffine>();
    m_models[mcConstant] = std::make_unique<modelling::TMdlConstant>();
    m_models[mcExponentiel] = std::make_unique<modelling::TMdlExponentiel>();
    m_models[mcParabole] = std::make_unique<modelling::TMdlParaboleAv>();
    m_models[mcProportionnel] = std::make_unique<modelling::TMdlProportionnel>();
    m_models[mcSinus] = std::make_unique<modelling::TMdlSinus>();
    m_models[mcSinusAe] = std::make_unique<modelling::TMdlSinusAe>();
    m_models[mcSinusAl] = std::make_unique<modelling::TMdlSinusAl>();
    BindModels();
    if (m_graph != nullptr) {
        m_showEquation = m_graph->IsShowModeleurEqua;
        m_showStatistics = m_graph->IsShowModeleurStat;
    }
    m_modeleur.SetShowEquation(m_showEquation);
    m_modeleur.SetShowStatistics(m_showStatistics);
    m_modeleur.onParameterChanged = [this](int index, double value) { SetParameter(index, value); };
}

TGModele::~TGModele()
{
    // The models outlive nothing of the element: their callbacks go first.
    for (auto& model : m_models) {
        if (model)
            model->SetChangeCallback({});
    }
}

void TGModele::BindModels()
{
    for (auto& model : m_models) {
        if (model)
            model->SetChangeCallback([this] { ModelChanged(); });
    }
}

TMdl* TGModele::Active() const
{
    return Model(m_code);
}

TMdl* TGModele::Model(int code) const
{
    if (!IsModelCode(code))
        return nullptr;
    return m_models[std::size_t(code)].get();
}

void TGModele::SetData(const std::vector<double>& x, const std::vector<double>& y, int skip)
{
    m_x.clear();
    m_y.clear();
    const long long n = static_cast<long long>(std::min(x.size(), y.size()));
    const long long s = std::max(0, skip);
    for (long long i = s; i <= n - 1 - s; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (std::isfinite(x[k]) && std::isfinite(y[k])) {
            m_x.push_back(x[k]);
            m_y.push_back(y[k]);
        }
    }
}

void TGModele::Geometry() const
{
    const TElementFrame* frame = Frame();
    if (frame == nullptr)
        return;
    if (m_geometryKnown && frame->mapping.plot == m_given.plot && frame->mapping.world == m_given.world)
        return;
    m_given = frame->mapping;
    m_geometryKnown = true;
    const TPlotRect& plot = m_given.plot;
    const TWorld& w = m_given.world;
    for (const auto& model : m_models) {
        if (!model)
            continue;
        model->SetArea(plot.left, plot.top, plot.width, plot.height);
        model->SetWindow(w.xmin, w.xmax, w.ymin, w.ymax);
    }
}

void TGModele::MappingChanged()
{
    Geometry();
    UpdateModeleur();
}

int TGModele::SetType(int code)
{
    if (!IsModelCode(code))
        code = mcNone;
    Geometry();
    for (int c : kModelCodes)
        m_models[std::size_t(c)]->SetTextsWanted(c == code);
    m_code = code;
    m_mode = TModelEdit::None;
    m_handAdjusted = false;
    // The linearly damped sinus is adjusted by its handles only: its coefficients are not its fitted ones.
    m_modeleur.SetShowButtons(code != mcSinusAl && code != mcNone);
    int result = 0;
    if (TMdl* model = Active())
        result = model->Fit(m_x, m_y);
    ModelChanged();
    return result;
}

void TGModele::SetNames(const std::string& ordinate, const std::string& abscissa)
{
    m_ordinate = ShortModelName(ordinate);
    m_abscissa = ShortModelName(abscissa.empty() ? std::string("t") : abscissa);
    ModelChanged();
}

void TGModele::SetShowEquation(bool show)
{
    m_showEquation = show;
    m_modeleur.SetShowEquation(show);
    ModelChanged();
}

void TGModele::SetShowStatistics(bool show)
{
    m_showStatistics = show;
    m_modeleur.SetShowStatistics(show);
    ModelChanged();
}

void TGModele::SetParameter(int index, double value)
{
    TMdl* model = Active();
    if (model == nullptr)
        return;
    m_handAdjusted = true;
    model->SetParameter(index, value);
    Repaint();
}

void TGModele::ModelChanged()
{
    TMdl* model = Active();
    if (model == nullptr) {
        m_modeleur.SetTexts({}, {});
        m_modeleur.SetValues({});
        UpdateModeleur();
        return;
    }
    // Only what the panel shows is rebuilt.
    std::vector<std::string> texts
        = m_showEquation ? model->Texts(m_ordinate, m_abscissa) : std::vector<std::string> {};
    std::vector<std::string> statistics = m_showStatistics ? model->Statistics() : std::vector<std::string> {};
    m_modeleur.SetTexts(texts, statistics);
    std::vector<double> values;
    for (int i = 0; i < model->ParameterCount(); ++i)
        values.push_back(model->Parameter(i));
    m_modeleur.SetValues(values);
    UpdateModeleur();
}

void TGModele::UpdateModeleur()
{
    const bool tool = m_graph != nullptr && m_graph->Tool() == gtModifierModele;
    const bool shown = selected && tool && Active() != nullptr && (m_showEquation || m_showStatistics);
    m_modeleur.SetVisible(shown);
    if (shown && m_graph != nullptr)
        m_modeleur.LayOut(m_graph->Measure(), m_graph->Width(), m_graph->Height());
}

void TGModele::ToolChanged(int)
{
    m_mode = TModelEdit::None;
    UpdateModeleur();
}

std::string TGModele::ModelText() const
{
    TMdl* model = Active();
    if (model == nullptr)
        return {};
    std::string text;
    for (const std::string& line : model->Texts(m_ordinate, m_abscissa))
        text += line + "\n";
    text += "\n";
    const std::vector<std::string> statistics = model->Statistics();
    for (std::size_t i = 0; i < statistics.size(); ++i) {
        if (i > 0)
            text += "\n";
        text += statistics[i];
    }
    return text;
}

void TGModele::Repaint()
{
    if (m_graph != nullptr)
        m_graph->OnChanged.Emit();
}

// ---- mouse ----

bool TGModele::MouseDown(const TGraphMouse& mouse)
{
    TMdl* model = Active();
    if (model == nullptr || mouse.button != TGraphButton::Left)
        return false;
    Geometry();
    const int x = static_cast<int>(std::lround(mouse.at.x));
    const int y = static_cast<int>(std::lround(mouse.at.y));
    const int hit = model->HitTest(x, y);
    m_handle = hit;
    m_mode = TModelEdit::None;
    switch (m_code) {
    case mcAffine:
        m_mode = hit >= 0 && hit < 2 ? TModelEdit::Deform : TModelEdit::Translate;
        break;
    case mcConstant:
        m_mode = TModelEdit::Translate;
        break;
    case mcExponentiel:
        m_mode = hit >= 0 ? TModelEdit::Translate : TModelEdit::Deform;
        break;
    case mcParabole:
        m_mode = hit < 1 ? TModelEdit::Translate : TModelEdit::Deform;
        break;
    case mcProportionnel:
        m_mode = hit >= 0 ? TModelEdit::Deform : TModelEdit::None;
        break;
    case mcSinus:
        if (IsHorizontalHandle(hit))
            m_mode = TModelEdit::Horizontal;
        else if (hit == 1 || hit == 2 || hit == 5 || hit == 6)
            m_mode = TModelEdit::Vertical;
        else
            m_mode = TModelEdit::Translate;
        break;
    case mcSinusAe:
    case mcSinusAl:
        if (hit == 1 || hit == 5)
            m_mode = TModelEdit::Damping;
        else if (hit == 2 || hit == 6)
            m_mode = TModelEdit::Vertical;
        else if (IsHorizontalHandle(hit))
            m_mode = TModelEdit::Horizontal;
        else
            m_mode = TModelEdit::Translate;
        break;
    default:
        break;
    }
    // The grab point and the pixel parameters are kept for the deformations that start from them.
    model->BeginEdit(x, y);
    m_last = mouse.at;
    return true;
}

bool TGModele::MouseMove(const TGraphMouse& mouse)
{
    TMdl* model = Active();
    if (model == nullptr || m_mode == TModelEdit::None)
        return false;
    if (!PlotRect().Contains(mouse.at))
        return false;
    const double dx = mouse.at.x - m_last.x;
    const double dy = mouse.at.y - m_last.y;
    const int x = static_cast<int>(std::lround(mouse.at.x));
    const int y = static_cast<int>(std::lround(mouse.at.y));
    const modelling::TEditSpeed speed = mouse.alt ? modelling::TEditSpeed::Alt
        : mouse.ctrl                              ? modelling::TEditSpeed::Ctrl
                                                  : modelling::TEditSpeed::Normal;
    bool changed = false;
    switch (m_mode) {
    case TModelEdit::Deform:
        changed = model->Drag(x, y);
        break;
    case TModelEdit::Translate:
        changed = model->Translate(dx, dy);
        break;
    case TModelEdit::Damping:
    case TModelEdit::Vertical:
    case TModelEdit::Horizontal:
        changed = model->MoveHandle(m_handle, dx, dy, speed);
        break;
    case TModelEdit::None:
        break;
    }
    if (changed)
        m_handAdjusted = true;
    m_last = mouse.at;
    Repaint();
    return true;
}

bool TGModele::MouseUp(const TGraphMouse&)
{
    TMdl* model = Active();
    if (model == nullptr || m_mode == TModelEdit::None) {
        m_mode = TModelEdit::None;
        return false;
    }
    model->EndEdit();
    m_mode = TModelEdit::None;
    m_handle = -1;
    ModelChanged();
    Repaint();
    return true;
}

bool TGModele::Touches(TPointF at) const
{
    TMdl* model = Active();
    if (model == nullptr || !visible)
        return false;
    Geometry();
    return model->HitTest(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y))) >= 0;
}

int TGModele::HitTest(TPointF at) const
{
    TMdl* model = Active();
    if (model == nullptr || !visible)
        return kHitNone;
    Geometry();
    const int hit = model->HitTest(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
    return hit >= 0 ? hit : kHitNone;
}

TGraphCursor TGModele::CursorAt(TPointF at) const
{
    TMdl* model = Active();
    if (model == nullptr)
        return TGraphCursor::Default;
    Geometry();
    const int hit = model->HitTest(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
    switch (m_code) {
    case mcAffine:
        return hit >= 0 && hit < 2 ? TGraphCursor::Rotate : TGraphCursor::Move;
    case mcConstant:
        return TGraphCursor::Move;
    case mcProportionnel:
        return hit >= 0 ? TGraphCursor::Rotate : TGraphCursor::Default;
    case mcExponentiel:
        return hit >= 0 ? TGraphCursor::Move : TGraphCursor::SizeVer;
    case mcParabole:
        return hit >= 1 ? TGraphCursor::SizeHor : TGraphCursor::Move;
    default:
        break;
    }
    if (IsSinusoid(m_code)) {
        const bool damped = m_code != mcSinus;
        switch (hit) {
        case 0:
            return TGraphCursor::DeformTopLeft;
        case 3:
            return TGraphCursor::DeformBottomLeft;
        case 4:
            return TGraphCursor::DeformTopRight;
        case 7:
            return TGraphCursor::DeformBottomRight;
        case 1:
            return damped ? TGraphCursor::DampUp : TGraphCursor::SizeVer;
        case 5:
            return damped ? TGraphCursor::DampDown : TGraphCursor::SizeVer;
        case 2:
        case 6:
            return TGraphCursor::SizeVer;
        default:
            return TGraphCursor::Move;
        }
    }
    return TGraphCursor::Default;
}

// ---- drawing and copies ----

void TGModele::Draw(TDrawList& list) const
{
    TMdl* model = Active();
    if (model == nullptr)
        return;
    Geometry();
    const TPen pen { kModelColour, std::max(2.0, Display().penWidth), TLineStyle::Solid };
    for (const modelling::TModelPolyline& line : model->Polylines()) {
        TPolyline out;
        out.pen = pen;
        out.points.reserve(line.size());
        for (const modelling::TModelPoint& p : line)
            out.points.push_back({ double(p.x), double(p.y) });
        if (out.points.size() == 1)
            out.points.push_back(out.points.front());
        list.Add(std::move(out));
    }
    // While the model is being adjusted its handles show where a press deforms it.
    if (!m_modeleur.Visible())
        return;
    const TPlotRect& plot = Frame() != nullptr ? Frame()->mapping.plot : TPlotRect {};
    const TRectF area = plot.Rect();
    for (const modelling::TAreaPoint& h : Handles()) {
        const TPointF at { plot.left + h.x, plot.top + plot.height - h.y };
        if (area.Contains(at))
            list.Add(TFrameRect { { at.x - 3, at.y - 3, 6, 6 }, { kModelColour, 1, TLineStyle::Solid } });
    }
}

std::vector<modelling::TAreaPoint> TGModele::Handles() const
{
    std::vector<modelling::TAreaPoint> out;
    TMdl* model = Active();
    if (model == nullptr || !model->WindowUsable())
        return out;
    if (auto* line = dynamic_cast<modelling::TMdlLineaire*>(model)) {
        modelling::TAreaPoint a, b;
        if (line->Kind() != modelling::TMdlLineaire::kConstant && line->VisibleEnds(a, b))
            out = { a, b };
    } else if (auto* parabola = dynamic_cast<modelling::TMdlParaboleAv*>(model)) {
        modelling::TAreaPoint a, b;
        const int n = parabola->BranchHandles(a, b);
        if (n >= 1)
            out.push_back(a);
        if (n >= 2)
            out.push_back(b);
    } else if (auto* sinus = dynamic_cast<modelling::TMdlSinusPure*>(model)) {
        for (int h = 0; h < 8; ++h)
            out.push_back(sinus->HandlePosition(h));
    }
    return out;
}

std::unique_ptr<TGElem> TGModele::Clone() const
{
    auto copy = std::make_unique<TGModele>(m_graph);
    copy->Attach(Frame());
    copy->selected = selected;
    copy->visible = visible;
    copy->curve = curve;
    copy->m_x = m_x;
    copy->m_y = m_y;
    copy->m_ordinate = m_ordinate;
    copy->m_abscissa = m_abscissa;
    copy->m_showEquation = m_showEquation;
    copy->m_showStatistics = m_showStatistics;
    copy->m_modeleur.SetShowEquation(m_showEquation);
    copy->m_modeleur.SetShowStatistics(m_showStatistics);
    copy->Geometry();
    // Each model that was used is fitted to the same data, then given the parameters it had.
    for (int code : kModelCodes) {
        TMdl* mine = Model(code);
        TMdl* theirs = copy->Model(code);
        if (mine->ParametersChanged() || code == m_code) {
            theirs->Fit(m_x, m_y);
            for (int i = 0; i < mine->ParameterCount(); ++i)
                theirs->SetParameter(i, mine->Parameter(i));
        }
    }
    copy->m_code = m_code;
    copy->m_handAdjusted = m_handAdjusted;
    for (int c : kModelCodes)
        copy->m_models[std::size_t(c)]->SetTextsWanted(c == m_code);
    copy->m_modeleur.SetShowButtons(m_code != mcSinusAl && m_code != mcNone);
    copy->ModelChanged();
    return copy;
}

} // namespace kinoval::graph
