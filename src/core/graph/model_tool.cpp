#include "core/graph/model_tool.h"

#include "core/graph/graph.h"

namespace kinoval::graph {

namespace {

// The info-tip colour the panel is painted on.
constexpr TColor kInfoColour = MakeColor(255, 255, 225);

} // namespace

TGModele* ModelOf(const TCourbe& curve)
{
    return dynamic_cast<TGModele*>(curve.modele);
}

std::vector<TGModele*> ModelsOf(const TGraph& graph)
{
    std::vector<TGModele*> out;
    for (const auto& curve : graph.Curves())
        out.push_back(ModelOf(*curve));
    return out;
}

void SelectModel(TGraph& graph, TGModele* model)
{
    for (TGModele* m : ModelsOf(graph)) {
        if (m == nullptr)
            continue;
        m->selected = m == model;
        m->UpdateModeleur();
    }
}

TGModele* SelectedModel(const TGraph& graph)
{
    for (TGModele* m : ModelsOf(graph)) {
        if (m != nullptr && m->selected)
            return m;
    }
    return nullptr;
}

bool AnyActiveModel(const TGraph& graph)
{
    for (TGModele* m : ModelsOf(graph)) {
        if (m != nullptr && m->Active() != nullptr)
            return true;
    }
    return false;
}

std::string ModelHintAt(const TGraph& graph, TPointF at)
{
    if (!graph.Plot().Rect().Contains(at))
        return {};
    for (TGModele* m : ModelsOf(graph)) {
        if (m != nullptr && m->Active() != nullptr && m->visible && m->Touches(at))
            return m->ModelText();
    }
    return {};
}

void PaintModellers(const TGraph& graph, TDrawList& list)
{
    for (TGModele* m : ModelsOf(graph)) {
        if (m == nullptr || !m->Modeleur().Visible())
            continue;
        const TModeleur& panel = m->Modeleur();
        const TRectF r = panel.Rect();
        list.Add(TFillRect { r, kInfoColour });
        list.Add(TFrameRect { r, { MakeColor(128, 128, 128), 1, TLineStyle::Solid } });
        for (const TModeleurLine& line : panel.Layout().lines) {
            TText text;
            text.at = { r.left + line.at.x, r.top + line.at.y };
            text.runs = { { line.text, clBlack } };
            text.pointSize = TModeleur::kPointSize;
            list.Add(std::move(text));
        }
    }
}

void SetModelTexts(TGraph& graph, bool equation, bool statistics)
{
    graph.IsShowModeleurEqua = equation;
    graph.IsShowModeleurStat = statistics;
    for (TGModele* m : ModelsOf(graph)) {
        if (m == nullptr)
            continue;
        m->SetShowEquation(equation);
        m->SetShowStatistics(statistics);
    }
    graph.OnChanged.Emit();
}

void InstallModels(TGraph& graph)
{
    graph.modelFactory = [](TGraph& g, TCourbe& curve) -> std::unique_ptr<TGElem> {
        auto model = std::make_unique<TGModele>(&g);
        model->SetData(curve.x, curve.y, curve.modelSkip);
        model->SetNames(curve.ordinateName, curve.abscissaName);
        return model;
    };
    graph.RegisterTool(gtModifierModele, std::make_unique<TModelTool>());
}

bool TModelTool::MouseDown(TGraph& graph, const TGraphMouse& mouse)
{
    if (mouse.button != TGraphButton::Left) {
        graph.OnObjectClick.Emit(mouse.button, obNone);
        return false;
    }
    // The model under the mouse is taken first, the selected one among them; elsewhere the press goes to
    // the model being adjusted, so that a sinusoid can be moved from anywhere in the plot.
    TGModele* selected = SelectedModel(graph);
    TGModele* target = nullptr;
    if (selected != nullptr && selected->Active() != nullptr && selected->Touches(mouse.at))
        target = selected;
    for (TGModele* m : ModelsOf(graph)) {
        if (target == nullptr && m != nullptr && m->Active() != nullptr && m->Touches(mouse.at))
            target = m;
    }
    if (target == nullptr && selected != nullptr && selected->Active() != nullptr)
        target = selected;
    if (target == nullptr) {
        for (TGModele* m : ModelsOf(graph)) {
            if (target == nullptr && m != nullptr && m->Active() != nullptr)
                target = m;
        }
    }
    if (target == nullptr)
        return false;
    if (target != selected)
        SelectModel(graph, target);
    m_pressed = target->MouseDown(mouse) ? target : nullptr;
    graph.OnChanged.Emit();
    return true;
}

bool TModelTool::MouseMove(TGraph& graph, const TGraphMouse& mouse)
{
    m_hover = mouse.at;
    m_hovering = true;
    if (m_pressed == nullptr)
        return false;
    // The element may have gone with its graph's curves.
    bool alive = false;
    for (TGModele* m : ModelsOf(graph))
        alive = alive || m == m_pressed;
    if (!alive) {
        m_pressed = nullptr;
        return false;
    }
    return m_pressed->MouseMove(mouse);
}

bool TModelTool::MouseUp(TGraph& graph, const TGraphMouse& mouse)
{
    TGModele* pressed = m_pressed;
    m_pressed = nullptr;
    for (TGModele* m : ModelsOf(graph)) {
        if (m == pressed && pressed != nullptr)
            return pressed->MouseUp(mouse);
    }
    return false;
}

TGraphCursor TModelTool::Cursor(const TGraph& graph) const
{
    if (m_pressed != nullptr) {
        switch (m_pressed->EditMode()) {
        case TModelEdit::Translate:
            return TGraphCursor::Move;
        case TModelEdit::None:
            break;
        default:
            return m_pressed->CursorAt(m_hover);
        }
    }
    if (!m_hovering || !graph.Plot().Rect().Contains(m_hover))
        return TGraphCursor::Default;
    TGModele* selected = SelectedModel(graph);
    for (TGModele* m : ModelsOf(graph)) {
        if (m != nullptr && m->Active() != nullptr && m->Touches(m_hover))
            return m->CursorAt(m_hover);
    }
    if (selected != nullptr && selected->Active() != nullptr)
        return selected->CursorAt(m_hover);
    return TGraphCursor::Default;
}

} // namespace kinoval::graph
