#pragma once
// The measuring tools of the results window: the tool bar that chooses the graph's tool (select and edit,
// segment, angle, arc, circle, ellipse, smooth curve, vector, bend, colour, duplicate, delete), the
// drawing colour, the reversal of the selected vectors, and the Edition menu's entries that undo the
// graph's last edits ("Annuler", with what it would undo) and delete its selection.
//
// The bar acts on the graph in view, which the results window names through a function; a tool stays
// chosen across the pages and is given to each graph the window shows.

#include "core/common/colour.h"
#include "core/common/signal.h"

#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace kinoval::graph {
class TGraph;
}

namespace kinoval {

class TMeasureToolBar : public QObject {
    Q_OBJECT
public:
    TMeasureToolBar(QWidget* window, std::function<graph::TGraph*()> currentGraph);

    QToolBar* Bar() const { return m_bar; }
    // The graph tool of the pressed button, gtNone when none is.
    int Tool() const;
    // Another tool of the window (pan, zoom) was chosen: no measuring tool stays pressed.
    void Release();
    // The page in view: whether it is a graph page, and whether it shows vectors.
    void SetPage(bool graphPage, bool vectorPage);
    // A graph comes into view: it takes the drawing colour and the window follows its edits.
    void Attach(graph::TGraph* graph);
    // Adds "Annuler" and "Supprimer la sélection" to the Edition menu.
    void AddEditEntries(QMenu* edit);
    // Refreshes the caption of "Annuler" from the graph in view.
    void UpdateUndo();

    QAction* UndoAction() const { return m_undo; }
    TColor DrawingColour() const { return m_colour; }
    void SetDrawingColour(TColor colour);

    // A measuring tool was pressed: the window lets go of its own tools.
    std::function<void()> toolChosen;

private:
    void Choose(QAction* pressed, int tool, bool on);

    QWidget* m_window;
    std::function<graph::TGraph*()> m_current;
    QToolBar* m_bar = nullptr;
    std::vector<std::pair<QAction*, int>> m_tools;
    QAction* m_vectorTool = nullptr;
    QAction* m_reverse = nullptr;
    QAction* m_colourButton = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_delete = nullptr;
    TColor m_colour = MakeColor(0, 0, 255);
    bool m_vectorPage = false;
    graph::TGraph* m_attached = nullptr;
    TConnections m_links;
};

} // namespace kinoval
