#pragma once
// TGraphWidget: the control that shows a graph and passes it the mouse and the keyboard.
//
// The widget borrows the graph it shows (the results window owns its graphs, one per page and mark set,
// and hands the widget the one of the page in view). The graph says what to paint and how input changes
// it; the widget paints the graph's drawing list, gives it its size, and keeps its accessible description
// saying what the graph shows (the curves, what is plotted against what, the ranges), so that a reader of
// the screen or an assistive tool learns it without seeing it.

#include "core/common/signal.h"
#include "core/graph/mapping.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

namespace kinoval::graph {
class TGraph;
}

namespace kinoval {

class TGraphWidget : public QWidget {
    Q_OBJECT
public:
    explicit TGraphWidget(QWidget* parent = nullptr);
    ~TGraphWidget() override;

    void SetGraph(graph::TGraph* graph);
    graph::TGraph* Graph() const { return m_graph; }
    // The text of the accessible description; the graph's own description unless told otherwise.
    std::function<std::string(const graph::TGraph&)> describe;
    void UpdateDescription();
    // The zoom tool's cursor says which axes it acts on.
    void UpdateCursor();

    QSize sizeHint() const override { return { 800, 560 }; }
    QSize minimumSizeHint() const override { return { 240, 180 }; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The content of the plot (the elements, thousands of points) is painted into a picture that serves
    // until it changes: a moving bubble or zoom box redraws only what lies under and over it, and each
    // step of a pan shifts the picture while the axes and their labels are drawn afresh. When a pan
    // rests or ends the content is painted again.
    bool PaintWithContent(QPainter& painter);

    graph::TGraph* m_graph = nullptr;
    TConnections m_connections;
    bool m_repaintPending = false;
    QImage m_content;
    graph::TWorld m_contentWorld;
    graph::TPlotRect m_contentPlot;
    bool m_contentValid = false;
    bool m_frameOnly = false; // the next repaint is asked by a change of the frame alone
    QTimer m_settle;
};

} // namespace kinoval
