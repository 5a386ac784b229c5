#pragma once
// TModeleurPanel: the floating panel over a graph that shows the model being adjusted.
//
// It is a child of the graph's control and shows the modeller (graph::TModeleur) of the graph's model
// element whose modeller is to be seen: the grip by which it is dragged, the equation, a row of four
// repeat step buttons per parameter and the statistics, where the modeller's layout puts them. The texts
// are painted as the copies of the graph paint them; the panel's accessible description holds them too,
// so that a reader of the screen or an assistive tool reads the equation and the values.

#include "core/common/signal.h"

#include <QFrame>

#include <vector>

class QToolButton;

namespace kinoval::graph {
class TGraph;
class TGModele;
} // namespace kinoval::graph

namespace kinoval {

class TModeleurPanel : public QFrame {
    Q_OBJECT
public:
    explicit TModeleurPanel(QWidget* graphControl);
    ~TModeleurPanel() override;

    // The graph whose models the panel follows; null: none.
    void SetGraph(graph::TGraph* graph);
    // Brings the panel in line with the modeller it shows: shown or hidden, place, size, buttons, texts.
    void Sync();
    // The model element shown, or null.
    graph::TGModele* Model() const { return m_model; }

protected:
    // Over the graph's control: the hint of a model's curve, and the cursor of the modify-model tool.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Step(std::size_t button);
    void ApplyCursor();
    graph::TGModele* ShownModel() const;

    graph::TGraph* m_graph = nullptr;
    graph::TGModele* m_model = nullptr;
    TConnections m_graphLinks;
    TConnection m_modelLink;
    std::vector<QToolButton*> m_buttons; // 20: four per parameter, five parameters
    bool m_dragging = false;
    QPointF m_dragFrom;
    bool m_syncing = false;
    bool m_cursorPending = false;
    // Where the user last dragged the panel: a model shown afresh (the page built again) goes there.
    bool m_placed = false;
    QPointF m_place;
};

} // namespace kinoval
