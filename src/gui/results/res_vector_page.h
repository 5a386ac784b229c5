#pragma once
// The vector page of the results window: the scale panel beside its choice lists, and (as members of
// TResGraphPages, defined in res_vector_page.cpp) its lists and curves.
//
// The scale panel shows the arrow that stands for the bar of the graph's vector scale, the magnitude it
// stands for and the family's unit ("m/s" for the velocity, "m/s²" for the acceleration, nothing when
// neither applies). The user may type another magnitude: the vectors' scale follows, within the limits of
// the family's scale record.

#include <QWidget>

#include "core/common/signal.h"

class QLabel;
class QLineEdit;

namespace kinoval::graph {
class TGraph;
}

namespace kinoval {

class TVectorScalePanel : public QWidget {
    Q_OBJECT
public:
    explicit TVectorScalePanel(QWidget* parent = nullptr);

    // The arrow's length in pixels: the graph's scale bar is one pixel shorter.
    static constexpr int kArrowWidth = 81;

    // The graph whose current family's scale the panel shows and sets; null shows nothing.
    void Attach(graph::TGraph* graph);
    // Shows the scale as it stands.
    void Refresh();

private:
    void Apply();

    graph::TGraph* m_graph = nullptr;
    QLabel* m_arrow = nullptr;
    QLineEdit* m_value = nullptr;
    QLabel* m_unit = nullptr;
    TConnections m_links;
};

} // namespace kinoval
