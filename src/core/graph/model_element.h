#pragma once
// TGModele: the model element that every curve of a graph carries.
//
// It holds one instance of each of the eight models and shows the active one over its curve, in its own
// colour. Its data are the curve's points, less the ends where a derived quantity rests on one-sided
// differences and any point without a value. Choosing a model makes it active and fits it at once;
// choosing another keeps the previous model's state in its own instance, so coming back to it finds it as
// it was left. The element passes the graph's plot and window to all eight models whenever they change,
// so that each keeps its pixel parameters in step.
//
// With the "Modifier la courbe du modèle" tool the user deforms the active model with the mouse: the
// press chooses what the drag does from the handle under it (turn a line, move a curve, change a period,
// an amplitude or a damping), the moves inside the plot drive the model, and the release recomputes the
// world parameters and the statistics. The element owns the modeller panel (TModeleur) that shows the
// equation, a row of step buttons per parameter and the statistics while it is selected with that tool.

#include "core/graph/elements.h"
#include "core/graph/modeleur.h"
#include "core/graph/tools.h"
#include "core/modelling/model.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kinoval::graph {

class TGraph;

// The model codes (3 is not used).
enum TModelCode : int {
    mcAffine = 0,
    mcConstant = 1,
    mcExponentiel = 2,
    mcParabole = 4,
    mcProportionnel = 5,
    mcSinus = 6,
    mcSinusAe = 7,
    mcSinusAl = 8,
    mcNone = 9,
};
inline constexpr int kModelCodes[8]
    = { mcAffine, mcConstant, mcExponentiel, mcParabole, mcProportionnel, mcSinus, mcSinusAe, mcSinusAl };
bool IsModelCode(int code);

// A name as the model's texts write it: up to 3 characters as it is; a longer one beginning with "(" as
// its first 3 characters and "..)"; any other longer one as "(" + its first 2 characters + "..)".
std::string ShortModelName(const std::string& name);

// The edit modes of a press.
enum class TModelEdit : int { None = 0, Deform = 1, Damping = 2, Vertical = 3, Horizontal = 4, Translate = 5 };

// The colour of the model curves.
inline constexpr TColor kModelColour = MakeColor(0, 150, 150);

class TGModele : public TGElem {
public:
    explicit TGModele(TGraph* graph);
    ~TGModele() override;

    // The data: the points of the curve from index skip to index (count - 1 - skip); a point without a
    // value (not finite) is left out as well.
    void SetData(const std::vector<double>& x, const std::vector<double>& y, int skip);
    const std::vector<double>& DataX() const { return m_x; }
    const std::vector<double>& DataY() const { return m_y; }
    // Makes a model active and fits it (code 9: no model). Answers the fit's code (0 fitted).
    int SetType(int code);
    int Type() const { return m_code; }
    // The active model, or null.
    modelling::TMdl* Active() const;
    modelling::TMdl* Model(int code) const;
    // Names for the texts, shortened.
    void SetNames(const std::string& ordinate, const std::string& abscissa);
    const std::string& OrdinateName() const { return m_ordinate; }
    const std::string& AbscissaName() const { return m_abscissa; }
    void SetShowEquation(bool show);
    void SetShowStatistics(bool show);
    // A parameter of the active model, as the modeller's step buttons change it.
    void SetParameter(int index, double value);
    // The model's text for the hint and the clipboard: the equation and parameter lines, an empty line,
    // the statistics.
    std::string ModelText() const;
    // Whether the model was adjusted by hand (by the mouse or a step button) since it was last fitted.
    bool HandAdjusted() const { return m_handAdjusted; }

    TModeleur& Modeleur() { return m_modeleur; }
    const TModeleur& Modeleur() const { return m_modeleur; }
    // Shows or hides the modeller: it shows while the element is selected, the graph's tool is the one
    // that edits models, a model is active and the equation or the statistics are to be shown.
    void UpdateModeleur();

    // Mouse editing with the modify-model tool, in pixels of the control.
    bool MouseDown(const TGraphMouse& mouse);
    bool MouseMove(const TGraphMouse& mouse);
    bool MouseUp(const TGraphMouse& mouse);
    TModelEdit EditMode() const { return m_mode; }
    // What a press at that point would do, as a cursor.
    TGraphCursor CursorAt(TPointF at) const;
    // Whether the active model's curve (or one of its handles) is under the point.
    bool Touches(TPointF at) const;
    // The handles of the active model in area pixels (X from the plot's left edge, Y up from its bottom).
    std::vector<modelling::TAreaPoint> Handles() const;

    // TGElem
    bool Pickable() const override { return false; }
    bool FollowsMapping() const override { return true; }
    void MappingChanged() override;
    void ToolChanged(int tool) override;
    void Draw(TDrawList& list) const override;
    int HitTest(TPointF at) const override;
    std::unique_ptr<TGElem> Clone() const override;

private:
    void BindModels();
    void Geometry() const;
    void ModelChanged();
    void Repaint();

    TGraph* m_graph = nullptr;
    std::array<std::unique_ptr<modelling::TMdl>, 9> m_models;
    int m_code = mcNone;
    std::vector<double> m_x, m_y;
    std::string m_ordinate = "y", m_abscissa = "t";
    bool m_showEquation = true;
    bool m_showStatistics = false;
    TModelEdit m_mode = TModelEdit::None;
    int m_handle = -1;
    TPointF m_last;
    bool m_handAdjusted = false;
    TModeleur m_modeleur;
    // The plot and window the models were last given.
    mutable TMapping m_given;
    mutable bool m_geometryKnown = false;
};

} // namespace kinoval::graph
