#include "gui/results/res_graph_pages.h"

#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/formulas/formules.h"
#include "core/graph/graph.h"
#include "core/graph/measure_tools.h"
#include "core/graph/model_choices.h"
#include "core/graph/model_tool.h"
#include "core/graph/vectors.h"
#include "core/results/calcul.h"
#include "core/results/quantity.h"
#include "gui/common/qt_text.h"
#include "gui/graph/graph_widget.h"
#include "gui/results/res_modeller_panel.h"
#include "gui/results/res_vector_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kinoval {

namespace {

using results::TResultsPage;

// Margins of the plot on the graph pages: room for the labels and the titles.
constexpr int kMarginTop = 15;
constexpr int kMarginRight = 30;
constexpr int kMarginLeft = 140;
constexpr int kMarginBottom = 100;
// The plot's background: white at the top going to a pale blue.
constexpr TColor kGradientBegin = clWhite;
constexpr TColor kGradientEnd = MakeColor(222, 232, 246);

int PageIndex(TResultsPage page)
{
    return page == TResultsPage::Vector ? 2 : page == TResultsPage::Trajectory ? 1 : 0;
}

int SetIndex(TMarkSet set)
{
    return set == TMarkSet::Transparent ? 1 : 0;
}

std::string AxisTitle(const char* symbol, const char* unit)
{
    std::string title = symbol;
    if (unit != nullptr && *unit != 0)
        title += std::string(" (") + unit + ")";
    return title;
}

} // namespace

TResGraphPages::TResGraphPages(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("PanelGraphes");
    for (auto& page : m_graphs) {
        for (auto& graph : page)
            graph = std::make_unique<graph::TGraph>();
    }
    m_formulaGraph = std::make_unique<graph::TGraph>();
    // Every graph measures, and draws the vectors of its curves.
    for (auto& page : m_graphs) {
        for (auto& graph : page) {
            graph::RegisterMeasureTools(*graph);
            graph::UseVectors(*graph);
        }
    }
    graph::RegisterMeasureTools(*m_formulaGraph);
    // Models are laid over quantities against time and over formulas.
    for (auto& graph : m_graphs[0])
        graph::InstallModels(*graph);
    graph::InstallModels(*m_formulaGraph);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* panel = new QWidget(this);
    panel->setObjectName("PanelChoix");
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    m_firstLabel = new QLabel(panel);
    m_firstLabel->setObjectName("LabelChoix1");
    m_quantity = new QComboBox(panel);
    m_quantity->setObjectName("ComboChoix1");
    m_quantity->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_secondLabel = new QLabel(panel);
    m_secondLabel->setObjectName("LabelChoix2");
    m_objects = new QListWidget(panel);
    m_objects->setObjectName("ListeObjets");
    m_objects->setAccessibleName(T("Objets"));
    m_objects->setFlow(QListView::LeftToRight);
    m_objects->setWrapping(true);
    m_objects->setMaximumHeight(m_objects->fontMetrics().height() * 2 + 10);
    m_reference = new QComboBox(panel);
    m_reference->setObjectName("ComboReferentiel");
    m_reference->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_reference->setAccessibleName(T("Référentiel"));
    m_firstLabel->setBuddy(m_quantity);
    row->addWidget(m_firstLabel);
    row->addWidget(m_quantity);
    row->addWidget(m_secondLabel);
    row->addWidget(m_objects, 1);
    row->addWidget(m_reference);
    m_scalePanel = new TVectorScalePanel(panel);
    m_scalePanel->setVisible(false);
    row->addWidget(m_scalePanel);
    row->addStretch();
    layout->addWidget(panel);
    m_widget = new TGraphWidget(this);
    layout->addWidget(m_widget, 1);
    m_modeller = new TModeleurPanel(m_widget);

    connect(m_quantity, &QComboBox::currentIndexChanged, this, [this] { ReadChoices(); });
    connect(m_reference, &QComboBox::currentIndexChanged, this, [this] { ReadChoices(); });
    connect(m_objects, &QListWidget::itemChanged, this, [this] { ReadChoices(); });
}

TResGraphPages::~TResGraphPages()
{
    // The widget and the model panel let go of the graph before the graphs go.
    m_modelWatch.Disconnect();
    m_modeller->SetGraph(nullptr);
    m_widget->SetGraph(nullptr);
}

bool TResGraphPages::TakesModels() const
{
    return m_page == TResultsPage::Time || m_page == TResultsPage::Formula;
}

bool TResGraphPages::HasModel() const
{
    return m_keyedGraph != nullptr && TakesModels() && graph::AnyActiveModel(*m_keyedGraph);
}

void TResGraphPages::ChooseModel(int code)
{
    graph::TGraph* g = m_keyedGraph;
    if (g == nullptr || !TakesModels())
        return;
    graph::TGModele* first = nullptr;
    for (graph::TGModele* model : graph::ModelsOf(*g)) {
        if (model == nullptr)
            continue;
        model->SetType(code);
        if (first == nullptr && model->Active() != nullptr)
            first = model;
    }
    graph::SelectModel(*g, first);
    RememberModels();
    g->OnChanged.Emit();
}

void TResGraphPages::RememberModels()
{
    m_rememberPending = false;
    if (m_modelChoices == nullptr || m_keyedGraph == nullptr)
        return;
    // Choices that changed elsewhere belong to another study (opened, or new): the curves in view are
    // not its curves.
    if (m_modelChoices->Generation() != m_choicesSeen)
        return;
    const std::uint64_t before = m_modelChoices->Generation();
    const std::vector<graph::TGModele*> models = graph::ModelsOf(*m_keyedGraph);
    for (std::size_t i = 0; i < models.size() && i < m_curveKeys.size(); ++i) {
        graph::TGModele* model = models[i];
        if (model == nullptr || m_curveKeys[i].empty())
            continue;
        graph::TModelChoice choice;
        choice.code = model->Type();
        // A model adjusted by hand keeps its parameters; a fitted one is fitted again to the curve.
        if (model->HandAdjusted() && model->Active() != nullptr) {
            for (int k = 0; k < model->Active()->ParameterCount(); ++k)
                choice.parameters.push_back(model->Active()->Parameter(k));
        }
        m_modelChoices->Set(m_curveKeys[i], choice);
    }
    m_choicesSeen = m_modelChoices->Generation();
    if (m_modelChoices->Generation() != before && OnModelsChanged)
        OnModelsChanged();
}

void TResGraphPages::RestoreModels(graph::TGraph& g)
{
    graph::TGModele* first = nullptr;
    const std::vector<graph::TGModele*> models = graph::ModelsOf(g);
    for (std::size_t i = 0; i < models.size() && i < m_curveKeys.size(); ++i) {
        graph::TGModele* model = models[i];
        const graph::TModelChoice* choice = m_modelChoices != nullptr ? m_modelChoices->Find(m_curveKeys[i]) : nullptr;
        if (model == nullptr || choice == nullptr)
            continue;
        model->SetType(choice->code);
        if (model->Active() == nullptr)
            continue;
        for (std::size_t k = 0; k < choice->parameters.size() && int(k) < model->Active()->ParameterCount(); ++k)
            model->SetParameter(int(k), choice->parameters[k]);
        if (first == nullptr)
            first = model;
    }
    graph::SelectModel(g, first);
    if (m_modelChoices != nullptr)
        m_choicesSeen = m_modelChoices->Generation();
}

graph::TGraph& TResGraphPages::GraphOf(TResultsPage page, TMarkSet set)
{
    if (page == TResultsPage::Formula)
        return *m_formulaGraph;
    return *m_graphs[std::size_t(PageIndex(page))][std::size_t(SetIndex(set))];
}

graph::TGraph* TResGraphPages::CurrentGraph()
{
    return m_widget->Graph();
}

void TResGraphPages::Reset()
{
    m_memory.Reset();
    m_formulaOrdinate = 0;
    m_formulaAbscissa = -1;
}

void TResGraphPages::ReadChoices()
{
    if (m_filling)
        return;
    results::TMemory& memory = m_memory.Of(m_set);
    if (m_page == TResultsPage::Formula) {
        const int first = m_quantity->currentIndex();
        if (first >= 0 && first < int(m_plottable.size()))
            m_formulaOrdinate = m_plottable[std::size_t(first)];
        const int second = m_reference->currentIndex() - 1;
        m_formulaAbscissa = second >= 0 && second < int(m_plottable.size()) ? m_plottable[std::size_t(second)] : -1;
    } else if (m_page == TResultsPage::Vector) {
        const int index = m_quantity->currentIndex();
        if (index >= 0 && index < int(m_vectorFamilies.size()))
            m_vectorFamily[std::size_t(SetIndex(m_set))] = m_vectorFamilies[std::size_t(index)];
        std::vector<bool>& ticked = m_vectorTicked[std::size_t(SetIndex(m_set))];
        ticked.assign(std::size_t(m_objects->count()), false);
        for (int i = 0; i < m_objects->count(); ++i)
            ticked[std::size_t(i)] = m_objects->item(i)->checkState() == Qt::Checked;
    } else if (m_page == TResultsPage::Time) {
        const int index = m_quantity->currentIndex();
        if (index >= 0 && index < int(m_offered.size()))
            memory.quantity = results::TQuantity(m_offered[std::size_t(index)]);
        for (int i = 0; i < m_objects->count(); ++i)
            memory.SetTicked(i, m_objects->item(i)->checkState() == Qt::Checked);
    } else {
        memory.trajectoryObject = std::max(0, m_quantity->currentIndex());
        memory.reference = m_reference->currentIndex() - 1;
    }
    if (OnChoiceChanged)
        OnChoiceChanged();
}

void TResGraphPages::FillTimeLists(const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display)
{
    const results::TMemory& memory = m_memory.Of(m_set);
    m_offered.clear();
    for (results::TQuantity q : graph::kTimeQuantities) {
        const graph::TQuantityFamily family = graph::FamilyOf(q);
        if (family == graph::TQuantityFamily::Velocity && !display.velocityAvailable)
            continue;
        if (family == graph::TQuantityFamily::Acceleration && !display.accelerationAvailable)
            continue;
        if (family == graph::TQuantityFamily::Polar && !display.polarAvailable)
            continue;
        m_offered.push_back(q);
    }
    m_quantity->clear();
    int current = 0;
    for (std::size_t i = 0; i < m_offered.size(); ++i) {
        const results::TQuantityText text = results::TextOf(m_offered[i]);
        m_quantity->addItem(QString::fromUtf8(text.symbol));
        m_quantity->setItemData(int(i), T(text.description), Qt::ToolTipRole);
        if (m_offered[i] == memory.quantity)
            current = int(i);
    }
    m_quantity->setCurrentIndex(current);
    m_quantity->setAccessibleName(T("Grandeur"));
    m_objects->clear();
    for (std::size_t k = 0; k < objects.size(); ++k) {
        auto* item = new QListWidgetItem(Q(objects[k].name), m_objects);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(memory.Ticked(int(k)) ? Qt::Checked : Qt::Unchecked);
        item->setForeground(
            QColor(int(RedOf(objects[k].colour)), int(GreenOf(objects[k].colour)), int(BlueOf(objects[k].colour))));
    }
    m_objects->setVisible(true);
    m_reference->setVisible(false);
}

void TResGraphPages::FillTrajectoryLists(const std::vector<graph::TPageObject>& objects)
{
    results::TMemory& memory = m_memory.Of(m_set);
    m_quantity->clear();
    for (const graph::TPageObject& object : objects)
        m_quantity->addItem(Q(object.name));
    if (memory.trajectoryObject >= int(objects.size()))
        memory.trajectoryObject = 0;
    m_quantity->setCurrentIndex(memory.trajectoryObject);
    m_quantity->setAccessibleName(T("Trajectoire"));
    m_reference->clear();
    m_reference->addItem(T("du laboratoire"));
    for (const graph::TPageObject& object : objects)
        m_reference->addItem(Q(FormatText(Tr("de %s"), { object.name })));
    if (memory.reference >= int(objects.size()))
        memory.reference = -1;
    m_reference->setCurrentIndex(memory.reference + 1);
    m_objects->setVisible(false);
    m_reference->setVisible(true);
}

void TResGraphPages::FillFormulaLists()
{
    m_plottable.clear();
    if (m_formules != nullptr)
        m_plottable = graph::PlottableFormulas(*m_formules);
    const auto offered = [this](int k) { return std::find(m_plottable.begin(), m_plottable.end(), k); };
    // A formula that lost its values (or its place) gives way to the first one that has some.
    if (offered(m_formulaOrdinate) == m_plottable.end())
        m_formulaOrdinate = m_plottable.empty() ? 0 : m_plottable.front();
    if (offered(m_formulaAbscissa) == m_plottable.end())
        m_formulaAbscissa = -1;
    m_quantity->clear();
    m_reference->clear();
    m_reference->addItem(T("t (temps)"));
    for (int k : m_plottable) {
        const QString label = Q(graph::FormulaLabel(m_formules->Formula(k)));
        m_quantity->addItem(label);
        m_reference->addItem(label);
    }
    m_quantity->setCurrentIndex(int(offered(m_formulaOrdinate) - m_plottable.begin()));
    m_reference->setCurrentIndex(m_formulaAbscissa < 0 ? 0 : 1 + int(offered(m_formulaAbscissa) - m_plottable.begin()));
    m_quantity->setAccessibleName(T("Formule"));
    m_reference->setAccessibleName(T("en fonction de"));
    m_objects->setVisible(false);
    m_reference->setVisible(true);
}

void TResGraphPages::SetTitles(graph::TGraph& g, const std::string& yTitle, const std::string& xTitle,
    const std::vector<graph::TPageObject>& objects, const std::vector<int>& shown, bool legend)
{
    using graph::TTitleLine;
    g.AxeY().title = { TTitleLine::Of(yTitle) };
    g.AxeX().title = { TTitleLine::Of(xTitle) };
    if (!legend)
        return;
    // The legend: each object's name in its curve's colour, below the abscissa's title.
    TTitleLine names;
    for (int k : shown) {
        if (k < 0 || k >= int(objects.size()))
            continue;
        if (!names.runs.empty())
            names.runs.push_back({ "   ", clBlack });
        names.runs.push_back({ objects[std::size_t(k)].name, objects[std::size_t(k)].colour });
    }
    if (!names.runs.empty())
        g.AxeX().title.push_back(names);
}

void TResGraphPages::Show(TResultsPage page, TMarkSet set, const results::TCalcul& calcul,
    const std::vector<graph::TPageObject>& objects, const TGraphDisplayChoice& display,
    const std::function<bool(TGraphPicture&)>& picture)
{
    m_page = page == TResultsPage::Trajectory || page == TResultsPage::Formula || page == TResultsPage::Vector
        ? page
        : TResultsPage::Time;
    m_set = set;
    results::TMemory& memory = m_memory.Of(set);
    graph::TGraph& g = GraphOf(m_page, set);

    m_filling = true;
    if (m_page == TResultsPage::Formula) {
        m_firstLabel->setText(T("Formule"));
        m_secondLabel->setText(T("en fonction de"));
        FillFormulaLists();
    } else if (m_page == TResultsPage::Vector) {
        m_firstLabel->setText(T("Représentation du vecteur"));
        m_secondLabel->setText(T("pour"));
        FillVectorLists(objects, display);
    } else if (m_page == TResultsPage::Time) {
        m_firstLabel->setText(T("Grandeur"));
        m_secondLabel->setText(T("en fonction du temps"));
        FillTimeLists(objects, display);
    } else {
        m_firstLabel->setText(T("Trajectoire"));
        m_secondLabel->setText(T("dans le référentiel"));
        FillTrajectoryLists(objects);
    }
    m_filling = false;

    // The models of the graph in view are kept before its curves are built again.
    RememberModels();
    m_modelWatch.Disconnect();
    m_keyedGraph = nullptr;
    m_curveKeys.clear();
    g.Clear();
    g.IsShowModeleurEqua = display.modelEquation;
    g.IsShowModeleurStat = display.modelStatistics;
    g.SetMargins(kMarginLeft, kMarginRight, kMarginTop, kMarginBottom);
    g.SetDecimalSeparator(DecimalSeparator());
    g.SetDisplay({ display.size, display.penWidth });
    g.ColorBegin = kGradientBegin;
    g.ColorEnd = kGradientEnd;
    g.IsOrigineVisible = display.originVisible;
    g.IsSourceImgVisible = false;
    m_scalePanel->setVisible(m_page == TResultsPage::Vector);
    if (m_page != TResultsPage::Vector)
        m_scalePanel->Attach(nullptr);

    if (m_page == TResultsPage::Vector) {
        ShowVectorPage(g, calcul, objects, display);
    } else if (m_page == TResultsPage::Formula) {
        graph::TFormulaPageChoice choice;
        choice.formula = m_plottable.empty() ? -1 : m_formulaOrdinate;
        choice.abscissa = m_formulaAbscissa;
        choice.originX = display.originX;
        choice.originY = display.originY;
        choice.firstNumber = display.firstNumber;
        graph::TCurveInput curve;
        if (m_formules != nullptr)
            curve = graph::FormulaCurve(calcul, *m_formules, choice);
        curve.style.visible[graph::obSegment] = display.timePolyline;
        curve.style.numbering = graph::TNumbering::None;
        if (!curve.x.empty()) {
            g.AddCurve(curve);
            m_curveKeys.push_back(
                graph::FormulaCurveKey(curve.ordinateName, m_formulaAbscissa < 0 ? std::string() : curve.abscissaName));
        }
        g.IsZoomX = display.zoomX;
        g.IsZoomY = display.zoomY;
        const std::string yTitle = curve.name.empty()
            ? Tr("aucune formule calculée")
            : AxisTitle(curve.ordinateName.c_str(), curve.ordinateUnit.c_str());
        g.AxeY().title = { graph::TTitleLine::Of(yTitle) };
        g.AxeX().title = { graph::TTitleLine::Of(AxisTitle(curve.abscissaName.c_str(), curve.abscissaUnit.c_str())) };
        g.SetWorld(graph::FormulaWindow(curve, choice), false);
    } else if (m_page == TResultsPage::Time) {
        graph::TTimePageChoice choice;
        // A quantity that the last derivative pass could not give shows as the first one offered; the
        // choice is kept for when it comes back.
        choice.quantity = memory.quantity;
        if (std::find(m_offered.begin(), m_offered.end(), int(choice.quantity)) == m_offered.end()
            && !m_offered.empty())
            choice.quantity = results::TQuantity(m_offered.front());
        for (int k = 0; k < int(objects.size()); ++k) {
            if (memory.Ticked(k))
                choice.objects.push_back(k);
        }
        choice.timeFromZero = display.originX;
        choice.ordinateWithZero = display.originY;
        choice.hideVelocityEdges = display.hideVelocityEdges;
        choice.hideAccelerationEdges = display.hideAccelerationEdges;
        choice.firstNumber = display.firstNumber;
        // One object at a time, so that each curve knows whose it is (an object without values has none).
        const results::TQuantityText symbol = results::TextOf(choice.quantity);
        std::vector<graph::TCurveInput> curves;
        for (int k : choice.objects) {
            graph::TTimePageChoice one = choice;
            one.objects = { k };
            for (graph::TCurveInput& curve : graph::TimeCurves(calcul, objects, one)) {
                curve.style.visible[graph::obSegment] = display.timePolyline;
                curve.style.numbering = graph::TNumbering::None;
                g.AddCurve(curve);
                m_curveKeys.push_back(graph::TimeCurveKey(SetIndex(set), symbol.symbol, k));
                curves.push_back(std::move(curve));
            }
        }
        g.IsZoomX = display.zoomX;
        g.IsZoomY = display.zoomY;
        const results::TQuantityText text = results::TextOf(choice.quantity);
        SetTitles(g, AxisTitle(text.symbol, text.unit), AxisTitle("t", "s"), objects, choice.objects, display.legend);
        g.SetWorld(graph::TimeWindow(curves, choice), false);
    } else {
        graph::TTrajectoryChoice choice;
        choice.object = memory.trajectoryObject;
        choice.reference = memory.reference;
        choice.studyAxes = display.studyAxes;
        choice.firstNumber = display.firstNumber;
        graph::TCurveInput curve = graph::TrajectoryCurve(calcul, objects, choice);
        curve.style.visible[graph::obSegment] = display.trajectoryPolyline;
        curve.style.numbering = graph::TNumbering(std::clamp(display.numbering, 0, 2));
        g.AddCurve(curve);
        g.IsZoomX = g.IsZoomY = true;
        std::string legend = curve.name;
        if (choice.reference >= 0 && choice.reference < int(objects.size()) && choice.reference != choice.object)
            legend = FormatText(
                Tr("%s dans le référentiel de %s"), { curve.name, objects[std::size_t(choice.reference)].name });
        g.AxeY().title = { graph::TTitleLine::Of(AxisTitle("y", "m")) };
        g.AxeX().title = { graph::TTitleLine::Of(AxisTitle("x", "m")) };
        if (display.legend && !curve.name.empty())
            g.AxeX().title.push_back({ { { legend, curve.style.colour[graph::obPoint][0] } } });
        TGraphPicture shot;
        // The picture lies under the camera's marks only: the sheet's marks move with the sheet.
        if (display.videoImage && set == TMarkSet::Fixed && choice.reference < 0 && picture && picture(shot)) {
            if (!display.studyAxes) {
                shot.flipX = shot.flipY = false;
                shot.angle = 0;
            }
            g.SourceImg().SetImage(
                shot.frame, shot.width, shot.height, shot.originX, shot.originY, shot.flipX, shot.flipY, shot.angle);
            g.IsSourceImgVisible = true;
        } else {
            g.SourceImg().Clear();
        }
        g.SetWorld(graph::TrajectoryWindow(curve, choice), true);
    }
    m_widget->SetGraph(&g);
    if (TakesModels()) {
        m_keyedGraph = &g;
        RestoreModels(g);
        // A model adjusted with the mouse or the step buttons is remembered once the changes rest.
        m_modelWatch = g.OnChanged.Connect([this] {
            if (m_rememberPending)
                return;
            m_rememberPending = true;
            QTimer::singleShot(0, this, [this] { RememberModels(); });
        });
    }
    m_modeller->SetGraph(&g);
    m_widget->UpdateDescription();
    m_widget->update();
}

} // namespace kinoval
