#include "gui/results/res_measure_tools.h"

#include "core/common/texts.h"
#include "core/graph/graph.h"
#include "core/graph/measure_tools.h"
#include "gui/common/qt_text.h"
#include "gui/drawing/glyph_painter.h"

#include <QAction>
#include <QColorDialog>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QWidget>

static void InitMeasureResources()
{
    Q_INIT_RESOURCE(measure_tools);
}

namespace kinoval {

namespace {

// The caption of the undo entry: what it undoes, then its shortcut five spaces further.
QString UndoText(const std::string& caption)
{
    return Q(caption.empty() ? Tr("Annuler") : caption) + QStringLiteral("     (Ctrl A)");
}

QIcon ColourIcon(TColor colour)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(drawing::ToQColor(colour));
    p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 3, 3);
    return QIcon(pixmap);
}

} // namespace

TMeasureToolBar::TMeasureToolBar(QWidget* window, std::function<graph::TGraph*()> currentGraph)
    : QObject(window)
    , m_window(window)
    , m_current(std::move(currentGraph))
{
    InitMeasureResources();
    m_bar = new QToolBar(T("Outils de mesure"), window);
    m_bar->setObjectName("ToolBarMesures");
    m_bar->setMovable(false);
    m_bar->setIconSize(QSize(20, 20));
    m_bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    struct TToolButton {
        const char* name;
        const char* icon;
        const char* caption;
        const char* tip;
        int tool;
    };
    static constexpr TToolButton kTools[] = {
        { "ButtonOutilSelection", "OutilSelection", TrNoop("Sélectionner"),
            TrNoop("Sélectionner, déplacer et déformer les outils et les vecteurs (Maj : ajouter à la sélection)"),
            graph::gtSelection },
        { "ButtonOutilSegment", "OutilSegment", TrNoop("Segment"),
            TrNoop("Tracer un segment : appuyer, glisser, relâcher"), graph::gtSegment },
        { "ButtonOutilAngle", "OutilAngle", TrNoop("Angle"),
            TrNoop("Mesurer un angle : cliquer un point de la première droite, le sommet, puis un point de la seconde"),
            graph::gtAngle },
        { "ButtonOutilArc", "OutilArc", TrNoop("Arc de cercle"),
            TrNoop("Tracer un arc de cercle entre deux points (l'outil Courber le courbe)"), graph::gtArc },
        { "ButtonOutilCercle", "OutilCercle", TrNoop("Cercle"),
            TrNoop("Tracer un cercle : appuyer au centre, relâcher sur le cercle"), graph::gtCercle },
        { "ButtonOutilEllipse", "OutilEllipse", TrNoop("Ellipse"),
            TrNoop("Tracer une ellipse dans le rectangle de deux points"), graph::gtEllipse },
        { "ButtonOutilCourbe", "OutilCourbe", TrNoop("Courbe"),
            TrNoop("Tracer une courbe lisse : un clic par point, double-clic pour finir"), graph::gtSpline },
        { "ButtonOutilVecteur", "OutilVecteur", TrNoop("Vecteur"),
            TrNoop("Tracer un vecteur : appuyer à l'origine, relâcher à la pointe"), graph::gtVecteur },
        { "ButtonOutilCourber", "OutilCourber", TrNoop("Courber"),
            TrNoop("Courber un arc, ou changer un cercle ou une ellipse"), graph::gtCourber },
        { "ButtonOutilCouleur", "OutilCouleur", TrNoop("Colorier"),
            TrNoop("Donner la couleur du tracé aux outils désignés (cliquer ou encadrer)"), graph::gtCouleur },
        { "ButtonOutilDupliquer", "OutilDupliquer", TrNoop("Dupliquer"),
            TrNoop("Dupliquer les outils désignés (cliquer ou encadrer)"), graph::gtDupliquer },
        { "ButtonOutilSupprimer", "OutilSupprimer", TrNoop("Supprimer"),
            TrNoop("Supprimer les outils désignés (cliquer ou encadrer)"), graph::gtSupprimer },
    };
    for (const TToolButton& b : kTools) {
        QAction* a
            = m_bar->addAction(QIcon(QStringLiteral(":/measure/%1.svg").arg(QLatin1String(b.icon))), T(b.caption));
        a->setObjectName(b.name);
        a->setToolTip(T(b.tip));
        a->setStatusTip(T(b.tip));
        a->setCheckable(true);
        const int tool = b.tool;
        // Toggled rather than triggered: an assistive tool toggles a check button without clicking it.
        connect(a, &QAction::toggled, this, [this, a, tool](bool on) { Choose(a, tool, on); });
        m_tools.push_back({ a, tool });
        if (tool == graph::gtVecteur)
            m_vectorTool = a;
    }
    m_bar->addSeparator();
    m_reverse = m_bar->addAction(QIcon(QStringLiteral(":/measure/ChangerSens.svg")), T("Changer le sens"));
    m_reverse->setObjectName("ButtonChangerSens");
    m_reverse->setToolTip(T("Changer le sens des vecteurs sélectionnés"));
    connect(m_reverse, &QAction::triggered, this, [this] {
        if (graph::TGraph* g = m_current())
            graph::ReverseSelectedVectors(*g);
    });
    m_colourButton = m_bar->addAction(ColourIcon(m_colour), T("Couleur du tracé"));
    m_colourButton->setObjectName("ButtonCouleurTrace");
    m_colourButton->setToolTip(T("Choisir la couleur des prochains outils et vecteurs"));
    connect(m_colourButton, &QAction::triggered, this, [this] {
        const QColor chosen = QColorDialog::getColor(drawing::ToQColor(m_colour), m_window, T("Couleur du tracé"));
        if (chosen.isValid())
            SetDrawingColour(MakeColor(unsigned(chosen.red()), unsigned(chosen.green()), unsigned(chosen.blue())));
    });
    m_bar->setVisible(false);
}

void TMeasureToolBar::SetDrawingColour(TColor colour)
{
    m_colour = colour;
    m_colourButton->setIcon(ColourIcon(colour));
    if (graph::TGraph* g = m_current())
        g->drawingColour = colour;
}

int TMeasureToolBar::Tool() const
{
    for (const auto& [action, tool] : m_tools) {
        if (action->isChecked() && action->isEnabled())
            return tool;
    }
    return graph::gtNone;
}

void TMeasureToolBar::Release()
{
    for (const auto& [action, tool] : m_tools) {
        const QSignalBlocker quiet(action);
        action->setChecked(false);
    }
}

void TMeasureToolBar::Choose(QAction* pressed, int tool, bool on)
{
    graph::TGraph* g = m_current();
    if (on) {
        for (const auto& [action, code] : m_tools) {
            if (action != pressed) {
                const QSignalBlocker quiet(action);
                action->setChecked(false);
            }
        }
        if (toolChosen)
            toolChosen();
        if (g != nullptr)
            g->SetTool(tool);
    } else if (g != nullptr && g->Tool() == tool) {
        g->SetTool(graph::gtNone);
    }
}

void TMeasureToolBar::SetPage(bool graphPage, bool vectorPage)
{
    m_vectorPage = vectorPage;
    m_bar->setVisible(graphPage);
    m_vectorTool->setEnabled(vectorPage);
    m_reverse->setEnabled(vectorPage);
    if (!vectorPage && m_vectorTool->isChecked()) {
        const QSignalBlocker quiet(m_vectorTool);
        m_vectorTool->setChecked(false);
    }
    m_delete->setEnabled(graphPage);
    UpdateUndo();
}

void TMeasureToolBar::Attach(graph::TGraph* g)
{
    if (g != nullptr)
        g->drawingColour = m_colour;
    if (g != m_attached) {
        m_links.Clear();
        m_attached = g;
        if (g != nullptr)
            m_links += g->OnChanged.Connect([this] { UpdateUndo(); });
    }
    UpdateUndo();
}

void TMeasureToolBar::AddEditEntries(QMenu* edit)
{
    m_undo = new QAction(UndoText({}), edit);
    m_undo->setObjectName("MenuEditionAnnuler");
    m_undo->setIcon(QIcon(QStringLiteral(":/measure/Annuler.svg")));
    m_undo->setToolTip(T("Annuler la dernière modification du graphe (Ctrl+A ou Ctrl+Z dans le graphe)"));
    connect(m_undo, &QAction::triggered, this, [this] {
        if (graph::TGraph* g = m_current())
            g->Undo();
        UpdateUndo();
    });
    m_delete = new QAction(T("Supprimer la sélection"), edit);
    m_delete->setObjectName("MenuEditionSupprimer");
    m_delete->setToolTip(T("Supprimer les outils et les vecteurs sélectionnés (Suppr dans le graphe)"));
    connect(m_delete, &QAction::triggered, this, [this] {
        if (graph::TGraph* g = m_current())
            g->DeleteSelected();
    });
    QAction* first = edit->actions().isEmpty() ? nullptr : edit->actions().front();
    edit->insertAction(first, m_undo);
    edit->insertAction(first, m_delete);
    edit->insertSeparator(first);
    connect(edit, &QMenu::aboutToShow, this, [this] { UpdateUndo(); });
}

void TMeasureToolBar::UpdateUndo()
{
    if (m_undo == nullptr)
        return;
    graph::TGraph* g = m_current();
    const std::string caption = g != nullptr ? g->UndoCaption() : std::string();
    m_undo->setText(UndoText(caption));
    m_undo->setEnabled(!caption.empty());
}

} // namespace kinoval
