#pragma once
// The graph pages of the results window: quantities against time, the trajectory in a frame of reference,
// and the user's formulas against time or against one another.
//
// The widget holds the choice panel (the two lists of a page, with their labels) above the graph control.
// It owns one graph per page and per mark set (the camera-bound marks and the transparent-bound ones), so
// that going over to the transparent sheet and back finds each set's graphs, and it remembers the time
// page's choices per mark set (TResMem). The results window gives it the calculator of the current mark
// set, the objects' names and colours and the display menus' state each time it shows a page; the curves
// are built again from the calculator then, and the window is computed from them.

#include "core/common/rgb_image.h"
#include "core/document/measurement.h"
#include "core/graph/page_curves.h"
#include "core/results/res_mem.h"
#include "core/results/results_page.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;

namespace kinoval::graph {
class TGraph;
class TModelChoices;
} // namespace kinoval::graph
namespace kinoval::results {
class TCalcul;
}
namespace kinoval::formulas {
class TFormules;
}

namespace kinoval {

class TGraphWidget;
class TVectorScalePanel;
class TModeleurPanel;

// The display menus' state that the graph pages draw with.
struct TGraphDisplayChoice {
    bool originVisible = false; // "Dessiner > l'origine du repère"
    bool timePolyline = true; // "Dessiner > une ligne brisée", time page
    bool trajectoryPolyline = true; // the same, trajectory page
    bool videoImage = false; // "Dessiner > l'image de la vidéo", trajectory page
    int numbering = 0; // "Numérotation": 0 under the mark, 1 right of it, 2 none
    bool originX = true; // "Origine > des abscisses"
    bool originY = false; // "Origine > des ordonnées"
    int size = 0; // "Taille": 0 small, 1 medium, 2 large
    bool studyAxes = true; // "Trajectoire > dans le repère (O, x, y)"
    bool zoomX = true; // "Zoom > des abscisses"
    bool zoomY = true; // "Zoom > des ordonnées"
    bool legend = true;
    double penWidth = 1;
    bool hideVelocityEdges = false;
    bool hideAccelerationEdges = false;
    int firstNumber = 1;
    bool velocityAvailable = true;
    bool accelerationAvailable = true;
    bool polarAvailable = true;
    bool vectorValues = false; // "Dessiner > la valeur des vecteurs"
    bool modelEquation = true; // "Modificateur du modèle > Afficher l'équation"
    bool modelStatistics = false; // "Modificateur du modèle > les statistiques"
};

// The picture under the trajectory: the current frame and how the study's axes lie on it.
struct TGraphPicture {
    TRgbImage frame;
    double width = 0, height = 0; // the frame's size in metres
    double originX = 0, originY = 0; // the origin, as fractions of the frame from its top-left corner
    bool flipX = false, flipY = false;
    double angle = 0;
};

class TResGraphPages : public QWidget {
    Q_OBJECT
public:
    explicit TResGraphPages(QWidget* parent = nullptr);
    ~TResGraphPages() override;

    // Builds the page's curves for a mark set and shows them. The picture is asked for only when the
    // display wants it on the trajectory page.
    void Show(results::TResultsPage page, TMarkSet set, const results::TCalcul& calcul,
        const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display,
        const std::function<bool(TGraphPicture&)>& picture);
    results::TResultsPage Page() const { return m_page; }
    // The formulas the formula page plots; none until given.
    void SetFormules(const formulas::TFormules* formules) { m_formules = formules; }

    graph::TGraph& GraphOf(results::TResultsPage page, TMarkSet set);
    graph::TGraph* CurrentGraph();
    TGraphWidget* GraphWidget() const { return m_widget; }
    results::TResMem& Memory() { return m_memory; }
    // A new study: every choice as a new window has it.
    void Reset();

    // A choice of the panel changed: the results window shows the page again.
    std::function<void()> OnChoiceChanged;

    // The models chosen on the curves, kept with the study; none until given.
    void SetModelChoices(graph::TModelChoices* choices) { m_modelChoices = choices; }
    // Whether the page in view takes models (the time and formula pages), and whether one is chosen.
    bool TakesModels() const;
    bool HasModel() const;
    // Lays a model (a code of TGModele, 9 for none) over every curve of the page in view and fits it.
    void ChooseModel(int code);
    // The model panel over the graph.
    TModeleurPanel* ModellerPanel() const { return m_modeller; }
    // A model was chosen, adjusted or taken away.
    std::function<void()> OnModelsChanged;

private:
    void FillTimeLists(const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display);
    void FillTrajectoryLists(const std::vector<graph::TPageObject>& objects);
    void FillFormulaLists();
    // The vector page (res_vector_page.cpp): its lists, and its curves with their vectors.
    void FillVectorLists(const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display);
    void ShowVectorPage(graph::TGraph& graph, const results::TCalcul& calcul,
        const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display);
    void ReadChoices();
    // The models of the graph in view, and what the choices say of its curves.
    void RememberModels();
    void RestoreModels(graph::TGraph& graph);
    void SetTitles(graph::TGraph& graph, const std::string& yTitle, const std::string& xTitle,
        const std::vector<graph::TPageObject>& objects, const std::vector<int>& shown, bool legend);

    QLabel* m_firstLabel = nullptr;
    QLabel* m_secondLabel = nullptr;
    QComboBox* m_quantity = nullptr; // time page: the quantity; trajectory page: the object
    QListWidget* m_objects = nullptr; // time page: the ticked objects
    QComboBox* m_reference = nullptr; // trajectory page: the frame of reference
    TGraphWidget* m_widget = nullptr;
    TVectorScalePanel* m_scalePanel = nullptr;
    TModeleurPanel* m_modeller = nullptr;
    graph::TModelChoices* m_modelChoices = nullptr;
    // The key of each curve of the graph in view, in the choices.
    std::vector<std::string> m_curveKeys;
    graph::TGraph* m_keyedGraph = nullptr;
    TConnection m_modelWatch;
    bool m_rememberPending = false;
    std::uint64_t m_choicesSeen = 0; // the choices' generation the curves in view were last matched with

    // [page: 0 time, 1 trajectory, 2 vectors][mark set]
    std::array<std::array<std::unique_ptr<graph::TGraph>, 2>, 3> m_graphs;
    // The vector page's choices per mark set: the family, and the ticked objects.
    std::array<int, 2> m_vectorFamily = { 0, 0 };
    std::array<std::vector<bool>, 2> m_vectorTicked;
    std::vector<int> m_vectorFamilies; // the families its list offers now
    // The formulas are the study's, not a mark set's: one graph.
    std::unique_ptr<graph::TGraph> m_formulaGraph;
    const formulas::TFormules* m_formules = nullptr;
    int m_formulaOrdinate = 0; // the formula plotted, in the formula list
    int m_formulaAbscissa = -1; // the formula of the abscissa, -1 for the time
    std::vector<int> m_plottable; // the formulas the page's lists offer now
    results::TResMem m_memory;
    results::TResultsPage m_page = results::TResultsPage::Time;
    TMarkSet m_set = TMarkSet::Fixed;
    bool m_filling = false;
    // The quantities the time page's list offers now (the derived ones only when available).
    std::vector<int> m_offered;
};

} // namespace kinoval
