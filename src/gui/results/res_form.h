#pragma once
// TResForm: the window in which the measurements are examined.
//
// It is created once by the main window and shown and hidden by it; it borrows everything it shows from
// the program-wide objects handed over in TResFormParts: the results machinery (the two calculators and
// their tables), the hand-over server, the settings, the message dialog, the desktop services, the
// document and the view. The table of the current mark set is shown: the transparent one while the view is
// in its transparent marking mode, the fixed-frame one otherwise.
//
// Before it shows anything the window refreshes the current calculator when the document changed since
// (Refresh): it recomputes the positions and, when any of the velocity, acceleration or polar displays is
// available, derives them with the window's smoothing flags. A derivative pass that fails (too few marks)
// turns those displays off without a message: the main window has already warned.
//
// Pages: 0 formulas, 1 trajectory, 2 table, 3 time graphs, 4 vectors. The table, the time graphs and the
// trajectory are built; asking for a page still to come shows the table. The graph pages (TResGraphPages)
// own their graphs, one per page and mark set; the display menus say how they are drawn, and the graph
// commands (copy, export, print, restore, pan and zoom) act on the graph in view.
//
// The user formulas are computed from the results of the current mark set each time they are refreshed
// (TFormulesCalc); the window owns the formulas window, the calculator and the formula keyboard that its
// "Calculs" menu and its "Aide à la saisie" button open, and that the main window's "Calculatrice" opens.

#include "core/common/signal.h"
#include "core/graph/bulle.h"
#include "core/results/results_page.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QStackedWidget;
class QToolButton;

namespace kinoval {

class TBoiteFormules;
class TCalculatriceForm;
class TClavierForm;
class TCustomUserDlg;
class TDesktopServices;
class TOptions;
class TResultsGridModel;
class TResultsGridView;
class TResGraphPages;
class TMeasureToolBar;
class TResModelCommands;
class TServeur;
class TTableHandOver;
struct TGraphDisplayChoice;

namespace document {
class TData;
}
namespace formulas {
class TFormules;
class TFormulesCalc;
} // namespace formulas
namespace graph {
class TModelChoices;
}
namespace results {
class TResultsSet;
}
namespace video {
class TVideo;
}

struct TResFormParts {
    results::TResultsSet& results;
    TServeur& serveur;
    TOptions& options;
    TCustomUserDlg& dialog;
    TDesktopServices& desktop;
    document::TData& data;
    video::TVideo& video;
    formulas::TFormules& formules;
    // The settings file that keeps the formula keyboard's favourites; empty: none.
    std::string settingsPath;
    // The models chosen on the curves, kept with the study; none: not kept.
    graph::TModelChoices* models = nullptr;
};

using results::TResultsPage;

// Bits of the smoothing flags.
inline constexpr int kSmoothVelocity = 1;
inline constexpr int kSmoothAcceleration = 2;

class TResForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TResForm(const TResFormParts& parts, QWidget* parent = nullptr);
    ~TResForm() override;

    // Sets the page and shows it, refreshed; also sets the caption.
    void ShowPage(TResultsPage page);
    TResultsPage Page() const { return m_page; }
    // Brings the current calculator up to date; false when it has no results to show (no video, no
    // valid scale).
    bool Refresh();
    // The document (or the view's marking mode) changed: the results are out of date, and a shown window
    // redisplays its page at once.
    void DocumentChanged();
    // The settings changed: the table's switches and the availability of the displays are read again.
    void ApplyOptions();

    int SmoothFlags() const { return m_smoothFlags; }
    void SetSmoothing(int flags);

    // Availability of the derived displays: from the settings, off after a failed derivative pass.
    bool VelocityAvailable() const { return m_velocityOk; }
    bool AccelerationAvailable() const { return m_accelerationOk; }
    bool PolarAvailable() const { return m_polarOk; }

    // The path written on the first line of the tab-separated copies; the program's own by default.
    void SetProgramPath(const std::string& path);

    // The formulas window, the calculator and the formula keyboard, made when first asked for.
    TBoiteFormules& FormulasWindow();
    TCalculatriceForm& Calculator();
    TClavierForm& Keyboard();
    void OpenFormulasWindow();
    void OpenCalculator();
    void OpenKeyboard();
    // After the formulas or constants were changed in the formulas window or the keyboard.
    std::function<void()> formulasChanged;
    // After a model was chosen, adjusted or taken away on a curve.
    std::function<void()> modelsChanged;
    TResModelCommands* ModelCommands() const { return m_modelCommands.get(); }
    // The angle unit of the formulas (the settings' "CheckBox32AngleRadian").
    void SetAnglesInRadians(bool radians);

    TResultsGridView* GridView() const { return m_gridView; }
    TResultsGridModel* GridModel() const { return m_model; }
    TResGraphPages* GraphPages() const { return m_graphPages; }
    // The display menus' state, as the graph pages draw with it.
    TGraphDisplayChoice DisplayChoice() const;

    // The graph commands, on the graph in view (false when no graph page is shown or the file failed).
    bool CopyGraph();
    bool ExportGraph(const std::string& path);
    bool ExportGraphPdf(const std::string& path);
    void RestoreGraph();

protected:
    // Shown by the main window: the page is brought up to date, as each time it is shown.
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus();
    void BuildDisplayMenus(QMenu* display);
    void BuildPageButtons();
    void BuildGraphTools();
    bool IsGraphPage() const;
    graph::TBullePlace BubblePlace() const;
    void ShowGraphPage();
    void ExportGraphWithDialog();
    void ExportPdfWithDialog();
    void PrintGraphWithPreview();
    QAction* AddAction(QMenu* menu, const char* name, const char* caption, bool checkable = false);
    // Sets the column groups from the display menu and fills every cell.
    void ShowTable();
    // Refills the grid after a change of its columns, keeping the columns narrow.
    void RefillTable();
    void UpdateMenus();
    void ReadAvailability();
    void CheckGeneration();
    // Brings the current calculator up to date (Refresh without the formulas).
    bool RefreshResults();
    // Computes the formulas again from the current results when anything they depend on changed.
    void UpdateFormulas();

    TResFormParts m_parts;
    std::unique_ptr<TTableHandOver> m_handOver;
    QStackedWidget* m_pages = nullptr;
    TResultsGridView* m_gridView = nullptr;
    TResultsGridModel* m_model = nullptr;

    QAction* m_showCoordinates = nullptr;
    QAction* m_showVelocity = nullptr;
    QAction* m_showAcceleration = nullptr;
    QAction* m_showPolar = nullptr;
    QAction* m_smoothVelocity = nullptr;
    QAction* m_smoothAcceleration = nullptr;
    TResGraphPages* m_graphPages = nullptr;
    std::unique_ptr<TResModelCommands> m_modelCommands;
    QLabel* m_nothing = nullptr;
    // The display menus of the graph pages.
    QAction* m_drawOrigin = nullptr;
    QAction* m_drawPolyline = nullptr;
    QAction* m_drawVideoImage = nullptr;
    QAction* m_drawVectorValues = nullptr;
    QAction* m_numberBelow = nullptr;
    QAction* m_numberRight = nullptr;
    QAction* m_numberNone = nullptr;
    QAction* m_originX = nullptr;
    QAction* m_originY = nullptr;
    QAction* m_sizeLarge = nullptr;
    QAction* m_sizeMedium = nullptr;
    QAction* m_sizeSmall = nullptr;
    QAction* m_trajectoryAsVideo = nullptr;
    QAction* m_trajectoryInAxes = nullptr;
    QAction* m_zoomX = nullptr;
    QAction* m_zoomY = nullptr;
    // The polyline of each graph page has its own switch.
    bool m_timePolyline = true;
    bool m_trajectoryPolyline = true;
    QMenu* m_displayGraphMenus[6] = {};
    // "Bulle des valeurs": top left, top right, bottom left, bottom right.
    QMenu* m_bubbleMenu = nullptr;
    QAction* m_bubblePlaces[4] = {};
    // The commands that act on a graph.
    QAction* m_copyImage = nullptr;
    QAction* m_restoreGraph = nullptr;
    QAction* m_restoreTable = nullptr;
    QAction* m_print = nullptr;
    QAction* m_exportPdf = nullptr;
    QAction* m_exportCsv = nullptr;
    QAction* m_copyTable = nullptr;
    QAction* m_copyPython = nullptr;
    QToolBar* m_graphTools = nullptr;
    QAction* m_toolPan = nullptr;
    QAction* m_toolZoom = nullptr;
    TMeasureToolBar* m_measureTools = nullptr;
    std::vector<QToolButton*> m_pageButtons;
    QAction* m_angleDegrees = nullptr;
    QAction* m_angleRadians = nullptr;

    std::unique_ptr<formulas::TFormulesCalc> m_formulesCalc;
    TBoiteFormules* m_formulasWindow = nullptr;
    TCalculatriceForm* m_calculator = nullptr;
    TClavierForm* m_keyboard = nullptr;
    std::string m_programPath;
    // The formulas window shows every computation of the formulas.
    TConnections m_links;

    TResultsPage m_page = TResultsPage::Table;
    int m_smoothFlags = 0;
    bool m_velocityOk = true;
    bool m_accelerationOk = true;
    bool m_polarOk = true;
    // The document generation the calculators were last invalidated for.
    std::uint64_t m_seenGeneration = 0;
    // The calculator the availability flags were last judged on.
    const void* m_derivedFor = nullptr;
};

} // namespace kinoval
