#include "gui/results/res_vector_page.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/graph/graph.h"
#include "core/graph/measure_tools.h"
#include "core/graph/vector_page.h"
#include "core/results/calcul.h"
#include "gui/common/qt_text.h"
#include "gui/graph/graph_widget.h"
#include "gui/results/res_graph_pages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>

namespace kinoval {

TVectorScalePanel::TVectorScalePanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("PanelEchelle");
    setAccessibleName(T("Echelle des vecteurs"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 0, 0, 0);
    m_arrow = new QLabel(this);
    m_arrow->setObjectName("Fleche");
    m_arrow->setPixmap(QIcon(QStringLiteral(":/measure/Fleche.svg")).pixmap(QSize(kArrowWidth, 16)));
    m_arrow->setFixedSize(kArrowWidth, 16);
    m_arrow->setScaledContents(true);
    m_value = new QLineEdit(this);
    m_value->setObjectName("EditEchelleVecteurs");
    m_value->setAccessibleName(T("Valeur de la flèche"));
    m_value->setToolTip(
        T("La grandeur que représente la flèche ; taper une autre valeur change l'échelle des vecteurs"));
    m_value->setMaximumWidth(90);
    m_unit = new QLabel(this);
    m_unit->setObjectName("LabelUniteVecteurs");
    row->addWidget(m_arrow);
    row->addWidget(m_value);
    row->addWidget(m_unit);
    connect(m_value, &QLineEdit::editingFinished, this, [this] { Apply(); });
}

void TVectorScalePanel::Attach(graph::TGraph* graph)
{
    m_links.Clear();
    m_graph = graph;
    // A resize can change the value the arrow stands for.
    if (m_graph != nullptr)
        m_links += m_graph->OnChanged.Connect([this] { Refresh(); });
    Refresh();
}

void TVectorScalePanel::Refresh()
{
    const graph::TParamCom* record = m_graph != nullptr ? m_graph->DrawingRecord() : nullptr;
    if (record == nullptr || !record->BarValueValid()) {
        m_value->clear();
        m_unit->clear();
        m_value->setEnabled(false);
        return;
    }
    m_value->setEnabled(true);
    if (!m_value->hasFocus())
        m_value->setText(Q(graph::FormatGeneral(record->barValue, 4, DecimalSeparator())));
    m_unit->setText(Q(record->name));
    m_unit->setAccessibleName(Q(record->name));
}

void TVectorScalePanel::Apply()
{
    graph::TParamCom* record = m_graph != nullptr ? m_graph->DrawingRecord() : nullptr;
    if (record == nullptr)
        return;
    // A value that is no number, or none the scale can take, leaves the scale as it was.
    if (const std::optional<double> typed = ParseTypedNumber(m_value->text().toStdString()))
        record->SetBarValue(*typed);
    m_value->clearFocus();
    m_graph->OnChanged.Emit();
    Refresh();
}

void TResGraphPages::FillVectorLists(const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display)
{
    const std::size_t set = m_set == TMarkSet::Transparent ? 1 : 0;
    m_vectorFamilies.clear();
    if (display.velocityAvailable)
        m_vectorFamilies.push_back(graph::kFamilyVelocity);
    if (display.accelerationAvailable)
        m_vectorFamilies.push_back(graph::kFamilyAcceleration);
    m_quantity->clear();
    int current = 0;
    for (std::size_t i = 0; i < m_vectorFamilies.size(); ++i) {
        const bool acceleration = m_vectorFamilies[i] == graph::kFamilyAcceleration;
        m_quantity->addItem(acceleration ? T("accélération") : T("vitesse"));
        if (m_vectorFamilies[i] == m_vectorFamily[set])
            current = int(i);
    }
    m_quantity->setCurrentIndex(current);
    m_quantity->setAccessibleName(T("Vecteur"));
    const std::vector<bool>& ticked = m_vectorTicked[set];
    m_objects->clear();
    for (std::size_t k = 0; k < objects.size(); ++k) {
        auto* item = new QListWidgetItem(Q(objects[k].name), m_objects);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        // The first object is ticked until the user says otherwise.
        const bool on = k < ticked.size() ? bool(ticked[k]) : (k == 0 && ticked.empty());
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        item->setForeground(
            QColor(int(RedOf(objects[k].colour)), int(GreenOf(objects[k].colour)), int(BlueOf(objects[k].colour))));
    }
    m_objects->setVisible(true);
    m_reference->setVisible(false);
}

void TResGraphPages::ShowVectorPage(graph::TGraph& g, const results::TCalcul& calcul,
    const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display)
{
    const std::size_t set = m_set == TMarkSet::Transparent ? 1 : 0;
    // The trajectory fills the control; the scale bars stand for the axes. The automatic scale is made for
    // the plot as the control shows it now, not as this graph was last shown.
    // A page of a stack that was hidden has not been laid out yet: it is brought forward and laid out first.
    if (auto* stack = qobject_cast<QStackedWidget*>(parentWidget())) {
        stack->setCurrentWidget(this);
        if (stack->layout() != nullptr)
            stack->layout()->activate();
    }
    if (layout() != nullptr)
        layout()->activate();
    g.SetSize(m_widget->width(), m_widget->height());
    g.SetMargins(0, 0, 0, 0);
    g.LEchelleEnPixels = TVectorScalePanel::kArrowWidth - 1;
    g.IsDessinerEchelleVecteurs = true;
    g.IsDessinerEchelleDistances = true;
    graph::TElementDisplay shown { display.size, display.penWidth, display.vectorValues };
    g.SetDisplay(shown);
    graph::TVectorPageChoice choice;
    // A family the last derivative pass could not give shows as the first one offered.
    choice.family = m_vectorFamily[set];
    if (std::find(m_vectorFamilies.begin(), m_vectorFamilies.end(), choice.family) == m_vectorFamilies.end())
        choice.family = m_vectorFamilies.empty() ? -1 : m_vectorFamilies.front();
    for (int k = 0; k < m_objects->count(); ++k) {
        if (m_objects->item(k)->checkState() == Qt::Checked)
            choice.objects.push_back(k);
    }
    choice.hideVelocityEdges = display.hideVelocityEdges;
    choice.hideAccelerationEdges = display.hideAccelerationEdges;
    choice.firstNumber = display.firstNumber;
    std::vector<graph::TCurveInput> curves;
    if (choice.family >= 0)
        curves = graph::VectorCurves(calcul, objects, choice);
    for (graph::TCurveInput& curve : curves) {
        if (choice.family < 0)
            curve.vectors.clear();
        curve.style.numbering = graph::TNumbering(std::clamp(display.numbering, 0, 2));
        g.AddCurve(curve);
    }
    g.drawingFamily = choice.family >= 0 ? graph::FamilyUnit(choice.family) : "";
    g.IsZoomX = g.IsZoomY = true;
    g.SetWorld(graph::VectorWindow(curves), true);
    m_scalePanel->Attach(&g);
}

} // namespace kinoval
