#include "gui/results/res_model_commands.h"

#include "core/graph/graph.h"
#include "core/graph/model_element.h"
#include "core/graph/model_tool.h"
#include "gui/common/qt_text.h"
#include "gui/graph/graph_widget.h"
#include "gui/results/res_graph_pages.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>

#include <cmath>
#include <functional>
#include <numbers>

namespace kinoval {

namespace {

using namespace graph;

struct TModelButton {
    int code;
    const char* name;
    const char* caption;
    const char* hint;
};

constexpr TModelButton kButtons[] = {
    { mcAffine, "ButtonModeleAffine", TrNoop("Droite"), TrNoop("Modéliser par une droite") },
    { mcConstant, "ButtonModeleConstant", TrNoop("Constante"), TrNoop("Modéliser par une valeur constante") },
    { mcExponentiel, "ButtonModeleExponentiel", TrNoop("Exponentielle"), TrNoop("Modéliser par une exponentielle") },
    { mcParabole, "ButtonModeleParabole", TrNoop("Parabole"), TrNoop("Modéliser par une parabole d'axe vertical") },
    { mcProportionnel, "ButtonModeleProportionnel", TrNoop("Droite par l'origine"),
        TrNoop("Modéliser par une droite passant par l'origine") },
    { mcSinus, "ButtonModeleSinus", TrNoop("Sinusoïde"), TrNoop("Modéliser par une sinusoïde") },
    { mcSinusAe, "ButtonModeleSinusAe", TrNoop("Sinusoïde amortie (exp.)"),
        TrNoop("Modéliser par une sinusoïde amortie (amortissement exponentiel)") },
    { mcSinusAl, "ButtonModeleSinusAl", TrNoop("Sinusoïde amortie (lin.)"),
        TrNoop("Modéliser par une sinusoïde amortie (amortissement linéaire)") },
};

// The function each button's picture draws, on [0, 1] in both directions (y upwards).
double Shape(int code, double u)
{
    switch (code) {
    case mcAffine:
        return 0.25 + 0.55 * u;
    case mcConstant:
        return 0.5;
    case mcExponentiel:
        return 0.1 + 0.8 * (std::exp(3 * u) - 1) / (std::exp(3.0) - 1);
    case mcParabole:
        return 0.15 + 3.0 * (u - 0.5) * (u - 0.5) * 0.9 + 0.0 * u;
    case mcProportionnel:
        return 0.85 * u;
    case mcSinus:
        return 0.5 + 0.35 * std::sin(4 * std::numbers::pi * u);
    case mcSinusAe:
        return 0.5 + 0.4 * std::sin(5 * std::numbers::pi * u) * std::exp(-2.2 * u);
    case mcSinusAl:
        return 0.5 + 0.4 * std::sin(5 * std::numbers::pi * u) * std::max(0.0, 1 - 1.1 * u);
    default:
        return 0.5;
    }
}

// The model bar's pictures are drawn at 20 pixels and at twice that, so that they stay sharp on HiDPI
// screens; `paint` draws one picture at the scale given.
QIcon DrawnIcon(const std::function<void(QPainter&, double, double)>& paint)
{
    QIcon icon;
    for (int scale : { 1, 2 }) {
        const double size = 20 * scale;
        QPixmap pixmap { int(size), int(size) };
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p, scale, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A picture of our own for each model: the curve over two axes.
QIcon ModelIcon(int code)
{
    return DrawnIcon([code](QPainter& p, double scale, double size) {
        const double m = 2.5 * scale, w = size - 2 * m;
        p.setPen(QPen(QColor(110, 110, 110), 1.0 * scale));
        p.drawLine(QPointF(m, m), QPointF(m, size - m));
        p.drawLine(QPointF(m, size - m), QPointF(size - m, size - m));
        QPainterPath path;
        for (int i = 0; i <= 40; ++i) {
            const double u = i / 40.0;
            const QPointF at(m + u * w, size - m - std::clamp(Shape(code, u), 0.0, 1.0) * w);
            if (i == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        p.setPen(QPen(QColor(0, 150, 150), 1.8 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    });
}

QIcon NoModelIcon()
{
    return DrawnIcon([](QPainter& p, double scale, double) {
        p.setPen(QPen(QColor(0, 150, 150), 1.6 * scale, Qt::DashLine));
        p.drawLine(QPointF(3 * scale, 14 * scale), QPointF(17 * scale, 6 * scale));
        p.setPen(QPen(QColor(180, 40, 40), 2 * scale, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5 * scale, 5 * scale), QPointF(15 * scale, 15 * scale));
        p.drawLine(QPointF(15 * scale, 5 * scale), QPointF(5 * scale, 15 * scale));
    });
}

QIcon ModifyModelIcon()
{
    return DrawnIcon([](QPainter& p, double scale, double) {
        QPainterPath path;
        for (int i = 0; i <= 40; ++i) {
            const double u = i / 40.0;
            const QPointF at((2 + 16 * u) * scale, (14 - 9 * std::sin(std::numbers::pi * u)) * scale);
            if (i == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        p.setPen(QPen(QColor(0, 150, 150), 1.8 * scale, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        // A hand-held handle on the crest, with its arrows.
        p.setPen(QPen(QColor(30, 60, 110), 1.2 * scale));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8 * scale, 3 * scale, 4 * scale, 4 * scale));
        p.drawLine(QPointF(10 * scale, 9 * scale), QPointF(10 * scale, 18 * scale));
        p.drawLine(QPointF(8 * scale, 16 * scale), QPointF(10 * scale, 18 * scale));
        p.drawLine(QPointF(12 * scale, 16 * scale), QPointF(10 * scale, 18 * scale));
    });
}

} // namespace

TResModelCommands::TResModelCommands(
    QMainWindow& window, TResGraphPages& pages, QMenu& edit, QMenu& display, QToolBar& graphTools)
    : QObject(&window)
    , m_window(window)
    , m_pages(pages)
{
    m_bar = new QToolBar(T("Modèles"), &window);
    m_bar->setObjectName("ToolBarModeles");
    m_bar->setMovable(false);
    m_bar->setIconSize(QSize(20, 20));
    m_bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // A row of its own, under the graph tools: the page buttons and the tools keep their room.
    window.addToolBarBreak();
    window.addToolBar(Qt::TopToolBarArea, m_bar);
    for (const TModelButton& b : kButtons) {
        QAction* action = m_bar->addAction(ModelIcon(b.code), T(b.caption));
        action->setObjectName(b.name);
        action->setToolTip(T(b.hint));
        action->setStatusTip(T(b.hint));
        if (QWidget* button = m_bar->widgetForAction(action)) {
            button->setObjectName(b.name);
            button->setAccessibleName(T(b.hint));
        }
        const int code = b.code;
        connect(action, &QAction::triggered, this, [this, code] { ChooseModel(code); });
        m_models.push_back(action);
    }
    m_none = m_bar->addAction(NoModelIcon(), T("Sans modèle"));
    m_none->setObjectName("ButtonModeleAucun");
    m_none->setToolTip(T("Ne plus montrer de modèle sur les courbes"));
    if (QWidget* button = m_bar->widgetForAction(m_none)) {
        button->setObjectName("ButtonModeleAucun");
        button->setAccessibleName(T("Sans modèle"));
    }
    connect(m_none, &QAction::triggered, this, [this] { ChooseModel(mcNone); });

    // The tool that deforms the models stands with them, where the bar has room for it.
    m_bar->addSeparator();
    m_tool = m_bar->addAction(ModifyModelIcon(), T("Modifier la courbe du modèle"));
    m_tool->setObjectName("ToolButtonGrapheModifierModele");
    m_tool->setToolTip(T("Modifier la courbe du modèle avec la souris"));
    m_tool->setCheckable(true);
    if (QWidget* button = m_bar->widgetForAction(m_tool))
        button->setAccessibleName(T("Modifier la courbe du modèle"));
    // Toggled rather than triggered: an assistive tool toggles a check button without clicking it.
    connect(m_tool, &QAction::toggled, this, [this](bool on) { ToolToggled(on); });
    for (const char* name : { "ToolButtonGrapheDeplacer", "ToolButtonGrapheZoom" }) {
        if (auto* other = graphTools.findChild<QAction*>(name)) {
            m_otherTools.push_back(other);
            connect(other, &QAction::toggled, this, [this](bool on) {
                if (on)
                    m_tool->setChecked(false);
            });
        }
    }

    edit.addSeparator();
    m_copy = edit.addAction(T("Copier le modèle"));
    m_copy->setObjectName("MenuEditionCopierModele");
    m_copy->setToolTip(T("Copier l'équation du modèle, ses paramètres et ses statistiques"));
    connect(m_copy, &QAction::triggered, this, [this] { CopyModel(); });

    m_menu = display.addMenu(T("Modificateur du modèle"));
    m_menu->setObjectName("MenuAffichageBulleModele");
    m_menu->setAccessibleName(T("Modificateur du modèle"));
    m_equation = m_menu->addAction(T("Afficher l'équation"));
    m_equation->setObjectName("MenuAffichageBulleModeleEquation");
    m_equation->setCheckable(true);
    m_equation->setChecked(true);
    m_statistics = m_menu->addAction(T("les statistiques"));
    m_statistics->setObjectName("MenuAffichageBulleModeleStatistiques");
    m_statistics->setCheckable(true);
    const auto texts = [this] {
        if (graph::TGraph* g = m_pages.CurrentGraph(); g != nullptr && m_pages.TakesModels())
            SetModelTexts(*g, ShowEquation(), ShowStatistics());
    };
    connect(m_equation, &QAction::toggled, this, texts);
    connect(m_statistics, &QAction::toggled, this, texts);
    Update(false, false);
}

TResModelCommands::~TResModelCommands() = default;

bool TResModelCommands::ShowEquation() const
{
    return m_equation->isChecked();
}

bool TResModelCommands::ShowStatistics() const
{
    return m_statistics->isChecked();
}

bool TResModelCommands::ToolChosen() const
{
    return m_tool->isChecked() && m_tool->isEnabled();
}

void TResModelCommands::ToolToggled(bool on)
{
    graph::TGraph* g = m_pages.CurrentGraph();
    if (on) {
        for (QAction* other : m_otherTools)
            other->setChecked(false);
        if (g != nullptr && m_pages.TakesModels())
            g->SetTool(gtModifierModele);
    } else if (g != nullptr && g->Tool() == gtModifierModele) {
        g->SetTool(gtNone);
    }
}

void TResModelCommands::ChooseModel(int code)
{
    if (!m_pages.TakesModels() || m_pages.CurrentGraph() == nullptr)
        return;
    m_pages.ChooseModel(code);
    // A model just laid over the curve is adjusted at once: its panel shows.
    m_tool->setEnabled(m_pages.HasModel());
    if (m_pages.HasModel()) {
        if (m_tool->isChecked())
            ToolToggled(true);
        else
            m_tool->setChecked(true);
    } else {
        m_tool->setChecked(false);
    }
    Update(m_graphPageShown, m_graphPage);
}

bool TResModelCommands::CopyModel()
{
    graph::TGraph* g = m_pages.CurrentGraph();
    if (g == nullptr || !m_pages.TakesModels())
        return false;
    TGModele* model = SelectedModel(*g);
    if (model == nullptr || model->Active() == nullptr) {
        model = nullptr;
        for (TGModele* m : ModelsOf(*g)) {
            if (model == nullptr && m != nullptr && m->Active() != nullptr)
                model = m;
        }
    }
    if (model == nullptr)
        return false;
    QGuiApplication::clipboard()->setText(Q(model->ModelText()));
    return true;
}

void TResModelCommands::Update(bool graphPageShown, bool graphPage)
{
    m_graphPageShown = graphPageShown;
    m_graphPage = graphPage;
    const bool takes = graphPageShown && m_pages.TakesModels();
    const graph::TGraph* g = m_pages.CurrentGraph();
    const bool curves = takes && g != nullptr && !g->Curves().empty();
    const bool model = takes && m_pages.HasModel();
    m_bar->setVisible(graphPage);
    for (QAction* a : m_models)
        a->setEnabled(curves);
    m_none->setEnabled(model);
    m_tool->setEnabled(model);
    if (!model && m_tool->isChecked())
        m_tool->setChecked(false);
    m_copy->setEnabled(model);
    m_menu->setEnabled(takes);
}

} // namespace kinoval
