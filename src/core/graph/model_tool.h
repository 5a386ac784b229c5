#pragma once
// The modelling of a graph: the model element every curve gets, and the "Modifier la courbe du modèle"
// tool that deforms the models with the mouse.
//
// InstallModels plugs both into a graph: AddCurve then gives each curve a TGModele bound to its data and
// names, and the modify-model tool passes the left presses to the model under the mouse (or to the one
// being adjusted), which becomes the selected one and shows its modeller.

#include "core/graph/model_element.h"
#include "core/graph/tools.h"

#include <string>
#include <vector>

namespace kinoval::graph {

class TCourbe;
class TGraph;

class TModelTool : public TGraphTool {
public:
    bool MouseDown(TGraph& graph, const TGraphMouse& mouse) override;
    bool MouseMove(TGraph& graph, const TGraphMouse& mouse) override;
    bool MouseUp(TGraph& graph, const TGraphMouse& mouse) override;
    TGraphCursor Cursor(const TGraph& graph) const override;

private:
    TGModele* m_pressed = nullptr;
    TPointF m_hover;
    bool m_hovering = false;
};

// Every curve added from now on gets its model element; the modify-model tool is registered.
void InstallModels(TGraph& graph);

// The model element of a curve, or null.
TGModele* ModelOf(const TCourbe& curve);
// The model elements of the graph's curves, in the curves' order (null where a curve has none).
std::vector<TGModele*> ModelsOf(const TGraph& graph);
// Makes one model element the selected one (the others are deselected) and shows its modeller.
void SelectModel(TGraph& graph, TGModele* model);
// The model element whose modeller shows, or the selected one; null when none.
TGModele* SelectedModel(const TGraph& graph);
// Whether any curve has an active model.
bool AnyActiveModel(const TGraph& graph);
// The text of the model whose curve is under the point (for the hint window); empty when none.
std::string ModelHintAt(const TGraph& graph, TPointF at);
// The modeller panel that shows over the graph, as a copy, an export or a print of the graph draws it: its
// background, its frame and its texts (its buttons are controls of the screen, not of the picture).
void PaintModellers(const TGraph& graph, TDrawList& list);
// The equation and statistics switches, passed to every model element.
void SetModelTexts(TGraph& graph, bool equation, bool statistics);

} // namespace kinoval::graph
