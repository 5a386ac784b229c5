#include "gui/results/res_form.h"

#include "core/common/desktop_services.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/export/serveur.h"
#include "core/export/table_hand_over.h"
#include "core/formulas/formules.h"
#include "core/formulas/formules_calc.h"
#include "core/graph/graph.h"
#include "core/results/calcul_table_source.h"
#include "core/results/results_set.h"
#include "core/settings/options.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"
#include "gui/formulas/boite_formules.h"
#include "gui/formulas/calculatrice_form.h"
#include "gui/formulas/clavier_form.h"
#include "gui/graph/graph_painter.h"
#include "gui/graph/graph_widget.h"
#include "gui/results/res_graph_pages.h"
#include "gui/results/res_measure_tools.h"
#include "gui/results/res_model_commands.h"
#include "gui/results/results_grid_model.h"
#include "gui/results/results_grid_view.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QShowEvent>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>

// The pictures of the results window live in the static gui library: they are registered by hand.
static void InitResultsResources()
{
    Q_INIT_RESOURCE(results);
    Q_INIT_RESOURCE(mainwindow);
}

namespace kinoval {

namespace {

bool EndsWith(const std::string& text, const char* end)
{
    const std::string e(end);
    if (text.size() < e.size())
        return false;
    std::string tail = text.substr(text.size() - e.size());
    for (char& c : tail)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == e;
}

bool WriteFile(const std::string& path, const QByteArray& bytes)
{
    // Written aside and put in place whole: a failed export never leaves half a picture.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace

TResForm::TResForm(const TResFormParts& parts, QWidget* parent)
    : QMainWindow(parent)
    , m_parts(parts)
{
    InitResultsResources();
    setObjectName("ResultsForm");
    // The table shown is the one of the mark set the view points in.
    video::TVideo& view = m_parts.video;
    const auto transparent = [&view] { return view.IsTransparentMarking(); };
    m_parts.results.Calc.SetTransparentModeHook(transparent);
    m_parts.results.Grids.IsTransparentMode = transparent;
    m_parts.results.Calc.Invalidate(results::kSelBoth);
    m_seenGeneration = m_parts.data.Generation();
    m_formulesCalc = std::make_unique<formulas::TFormulesCalc>(m_parts.formules, m_parts.results.Calc, m_parts.data);

    SetProgramPath(QCoreApplication::applicationFilePath().toStdString());

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName("PagesResultats");
    m_model = new TResultsGridModel(m_parts.results.Grids.Current(), this);
    m_gridView = new TResultsGridView(m_pages);
    m_gridView->setObjectName("Grid");
    m_gridView->setAccessibleName(T("Tableau des valeurs"));
    m_gridView->setModel(m_model);
    m_gridView->OnControlLineChanged = [this] { RefillTable(); };
    m_pages->addWidget(m_gridView);
    m_nothing = new QLabel(T("Aucun résultat à montrer : il faut une vidéo et une échelle."), m_pages);
    m_nothing->setObjectName("LabelSansResultat");
    m_nothing->setAccessibleName(m_nothing->text());
    m_nothing->setAlignment(Qt::AlignCenter);
    m_pages->addWidget(m_nothing);
    m_graphPages = new TResGraphPages(m_pages);
    m_graphPages->OnChoiceChanged = [this] { ShowPage(m_page); };
    m_graphPages->SetFormules(&m_parts.formules);
    m_pages->addWidget(m_graphPages);
    setCentralWidget(m_pages);
    m_measureTools
        = new TMeasureToolBar(this, [this] { return IsGraphPage() ? m_graphPages->CurrentGraph() : nullptr; });

    BuildMenus();
    BuildPageButtons();
    BuildGraphTools();
    m_graphPages->SetModelChoices(m_parts.models);
    m_graphPages->OnModelsChanged = [this] {
        if (modelsChanged)
            modelsChanged();
    };
    m_modelCommands = std::make_unique<TResModelCommands>(*this, *m_graphPages,
        *menuBar()->findChild<QMenu*>("MenuEdition"), *menuBar()->findChild<QMenu*>("MenuAffichage"), *m_graphTools);
    ApplyOptions();
    setWindowTitle(T("Tableau des valeurs"));
    resize(900, 600);
}

TResForm::~TResForm() = default;

void TResForm::SetProgramPath(const std::string& path)
{
    m_programPath = path;
    m_handOver = std::make_unique<TTableHandOver>(m_parts.results.Grids, m_parts.serveur, path);
    if (m_formulasWindow != nullptr)
        m_formulasWindow->SetProgramPath(path);
}

TBoiteFormules& TResForm::FormulasWindow()
{
    if (m_formulasWindow == nullptr) {
        m_formulasWindow = new TBoiteFormules(
            TBoiteFormulesParts { m_parts.formules, m_parts.serveur, m_parts.options, m_parts.dialog }, this);
        m_formulasWindow->setWindowFlag(Qt::Window);
        m_formulasWindow->SetProgramPath(m_programPath);
        m_formulasWindow->refresh = [this] {
            // The formula page in view follows the formulas as they are typed.
            if (m_page == TResultsPage::Formula && isVisible())
                ShowPage(m_page);
            else
                Refresh();
        };
        m_formulasWindow->openCalculator = [this] { OpenCalculator(); };
        m_formulasWindow->openKeyboard = [this] { OpenKeyboard(); };
        m_formulasWindow->changed = [this] {
            if (formulasChanged)
                formulasChanged();
        };
        m_links += m_formulesCalc->Computed.Connect([this] {
            if (m_formulasWindow->isVisible())
                m_formulasWindow->ShowValues();
        });
    }
    return *m_formulasWindow;
}

TCalculatriceForm& TResForm::Calculator()
{
    if (m_calculator == nullptr)
        m_calculator = new TCalculatriceForm(this);
    return *m_calculator;
}

TClavierForm& TResForm::Keyboard()
{
    if (m_keyboard == nullptr) {
        m_keyboard = new TClavierForm(m_parts.settingsPath, this);
        // A validated formula joins the others and shows its column in the formulas window.
        m_keyboard->OnValidate
            = [this](const std::string& formula, const std::string& comment, const std::string& unit) {
                  TBoiteFormules& window = FormulasWindow();
                  const bool kept = window.AddFormula(formula, comment, unit);
                  if (kept)
                      window.Open();
                  return kept;
              };
    }
    return *m_keyboard;
}

void TResForm::OpenFormulasWindow()
{
    FormulasWindow().Open();
    m_formulasWindow->Reload();
}

void TResForm::OpenCalculator()
{
    Calculator().Open();
}

void TResForm::OpenKeyboard()
{
    Keyboard().Open();
}

void TResForm::SetAnglesInRadians(bool radians)
{
    m_parts.options.anglesInRadians = radians;
    m_angleRadians->setChecked(radians);
    m_angleDegrees->setChecked(!radians);
    UpdateFormulas();
    if (m_formulasWindow != nullptr && m_formulasWindow->isVisible())
        m_formulasWindow->ShowValues();
}

QAction* TResForm::AddAction(QMenu* menu, const char* name, const char* caption, bool checkable)
{
    QAction* action = menu->addAction(T(caption));
    action->setObjectName(name);
    action->setCheckable(checkable);
    return action;
}

void TResForm::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(T("&Fichier"));
    file->setObjectName("MenuFichier");
    file->setAccessibleName(T("Fichier"));
    connect(AddAction(file, "MenuFichierExporter", TrNoop("Exporter")), &QAction::triggered, this, [this] {
        if (IsGraphPage())
            ExportGraphWithDialog();
        else if (Refresh())
            m_handOver->ExportTextFile();
    });
    m_exportCsv = AddAction(file, "MenuFichierExporterCsv", TrNoop("Exporter au format CSV"));
    connect(m_exportCsv, &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->ExportCsvFile();
    });
    m_exportPdf = AddAction(file, "MenuFichierExporterPdf", TrNoop("Exporter en PDF"));
    connect(m_exportPdf, &QAction::triggered, this, [this] { ExportPdfWithDialog(); });
    m_print = AddAction(file, "MenuFichierImprimer", TrNoop("Imprimer"));
    m_print->setShortcut(QKeySequence::Print);
    connect(m_print, &QAction::triggered, this, [this] { PrintGraphWithPreview(); });
    file->addSeparator();
    QAction* close = AddAction(file, "MenuFichierFermer", TrNoop("Fermer"));
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(T("&Edition"));
    edit->setObjectName("MenuEdition");
    edit->setAccessibleName(T("Edition"));
    m_measureTools->AddEditEntries(edit);
    m_copyImage
        = AddAction(edit, "MenuEditionCopierImageDansLePressePapier", TrNoop("Copier l'image dans le presse-papier"));
    connect(m_copyImage, &QAction::triggered, this, [this] { CopyGraph(); });
    QAction* copy = AddAction(
        edit, "MenuEditionCopierTableauDansLePressePapier", TrNoop("Copier le tableau dans le presse-papier"));
    copy->setShortcut(QKeySequence::Copy);
    m_copyTable = copy;
    connect(copy, &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->CopyTable();
    });
    connect(AddAction(edit, "MenuEditionCopierTableauDansLePressePapierPourPython",
                TrNoop("Copier le tableau dans le presse-papier pour Python")),
        &QAction::triggered, this, [this] {
            if (Refresh())
                m_handOver->CopyPython();
        });
    QMenu* launch = edit->addMenu(T("Copier et lancer"));
    launch->setObjectName("MenuEditionCopierEtLancer");
    launch->setAccessibleName(T("Copier et lancer"));
    connect(AddAction(launch, "MenuEditionCopierEtLancerExcel", "Excel"), &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->ToExcel();
    });
    connect(AddAction(launch, "MenuEditionCopierEtLancerOpenOffice", "LibreOffice"), &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->ToLibreOffice();
    });
    connect(AddAction(launch, "MenuEditionCopierEtLancerRegressi", "Regressi"), &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->ToRegressi();
    });
    edit->addSeparator();
    m_restoreGraph = AddAction(edit, "MenuEditionRestaurerGraphe", TrNoop("Restaurer le graphe"));
    connect(m_restoreGraph, &QAction::triggered, this, [this] { RestoreGraph(); });
    m_restoreTable = AddAction(edit, "MenuEditionRestaurerTableau", TrNoop("Restaurer le tableau"));
    connect(m_restoreTable, &QAction::triggered, this, [this] { ShowPage(TResultsPage::Table); });

    QMenu* display = menuBar()->addMenu(T("&Affichage"));
    display->setObjectName("MenuAffichage");
    display->setAccessibleName(T("Affichage"));
    m_showCoordinates = AddAction(display, "MenuAffichageCoordonnees", TrNoop("Coordonnées"), true);
    m_showVelocity = AddAction(display, "MenuAffichageVitesse", TrNoop("Vitesse"), true);
    m_showAcceleration = AddAction(display, "MenuAffichageAcceleration", TrNoop("Accélération"), true);
    m_showPolar = AddAction(display, "MenuAffichagePolaire", TrNoop("Grandeurs polaires"), true);
    for (QAction* group : { m_showCoordinates, m_showVelocity, m_showAcceleration, m_showPolar })
        connect(group, &QAction::triggered, this, [this] { ShowPage(m_page); });
    display->addSeparator();
    BuildDisplayMenus(display);

    QMenu* calculations = menuBar()->addMenu(T("&Calculs"));
    calculations->setObjectName("MenuCalculs");
    calculations->setAccessibleName(T("Calculs"));
    m_smoothVelocity
        = AddAction(calculations, "MenuCalculsLisserVitesse", TrNoop("Lisser les valeurs de la vitesse"), true);
    m_smoothAcceleration = AddAction(
        calculations, "MenuCalculsLisserAcceleration", TrNoop("Lisser les valeurs de l'accélération"), true);
    connect(m_smoothVelocity, &QAction::triggered, this,
        [this](bool on) { SetSmoothing(on ? (m_smoothFlags | kSmoothVelocity) : (m_smoothFlags & ~kSmoothVelocity)); });
    connect(m_smoothAcceleration, &QAction::triggered, this, [this](bool on) {
        SetSmoothing(on ? (m_smoothFlags | kSmoothAcceleration) : (m_smoothFlags & ~kSmoothAcceleration));
    });
    calculations->addSeparator();
    connect(AddAction(calculations, "MenuCalculsSaisir", TrNoop("Saisir des formules ou des constantes")),
        &QAction::triggered, this, [this] { OpenFormulasWindow(); });
    connect(AddAction(calculations, "MenuCalculsCalculatrice", TrNoop("Calculatrice")), &QAction::triggered, this,
        [this] { OpenCalculator(); });
    // The unit of the angles the formulas read and write (B, O, the trigonometric functions).
    QMenu* angles = calculations->addMenu(T("Unité des angles dans les formules"));
    angles->setObjectName("MenuCalculsAngle");
    auto* unit = new QActionGroup(this);
    m_angleDegrees = AddAction(angles, "MenuCalculsAngleDegre", TrNoop("degrés"), true);
    m_angleRadians = AddAction(angles, "MenuCalculsAngleRadian", "radians", true);
    unit->addAction(m_angleDegrees);
    unit->addAction(m_angleRadians);
    connect(m_angleDegrees, &QAction::triggered, this, [this] { SetAnglesInRadians(false); });
    connect(m_angleRadians, &QAction::triggered, this, [this] { SetAnglesInRadians(true); });
}

void TResForm::BuildPageButtons()
{
    QToolBar* bar = addToolBar(T("Pages"));
    bar->setObjectName("ToolBarPages");
    bar->setMovable(false);
    bar->setIconSize(QSize(20, 20));
    struct TPageButton {
        const char* name;
        const char* caption;
        const char* tip;
        TResultsPage page;
    };
    static constexpr TPageButton kButtons[] = {
        { "ButtonMenuFormule", TrNoop("Formules"), TrNoop("Formules personnelles"), TResultsPage::Formula },
        { "ButtonMenuReferentiel", TrNoop("Trajectoire"), TrNoop("Trajectoire dans un référentiel"),
            TResultsPage::Trajectory },
        { "ButtonMenuTableau", TrNoop("Tableau"), TrNoop("Tableau des valeurs"), TResultsPage::Table },
        { "ButtonMenuTemps", TrNoop("Temps"), TrNoop("Evolution en fonction du temps"), TResultsPage::Time },
        { "ButtonMenuVecteur", TrNoop("Vecteurs"), TrNoop("Représentation des vecteurs"), TResultsPage::Vector },
    };
    for (const TPageButton& b : kButtons) {
        auto* button = new QToolButton(bar);
        button->setObjectName(b.name);
        button->setText(T(b.caption));
        button->setAccessibleName(T(b.caption));
        button->setToolTip(T(b.tip));
        button->setStatusTip(T(b.tip));
        // The main window's results bar shows the same pictures.
        button->setIcon(QIcon(QStringLiteral(":/mainwindow/%1.svg").arg(QLatin1String(b.name))));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_pageButtons.push_back(button);
        const TResultsPage page = b.page;
        connect(button, &QToolButton::clicked, this, [this, page] { ShowPage(page); });
        bar->addWidget(button);
    }
    bar->addSeparator();
    auto* keyboard = new QToolButton(bar);
    keyboard->setObjectName("ButtonMenuClavier");
    keyboard->setText(T("Aide à la saisie"));
    keyboard->setAccessibleName(T("Aide à la saisie"));
    keyboard->setToolTip(T("Aide à la saisie des formules"));
    keyboard->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(keyboard, &QToolButton::clicked, this, [this] { OpenKeyboard(); });
    bar->addWidget(keyboard);
}

void TResForm::ReadAvailability()
{
    const TOptions& o = m_parts.options;
    m_velocityOk = o.showVelocity;
    m_accelerationOk = o.showAcceleration;
    m_polarOk = o.polarQuantities;
}

void TResForm::ApplyOptions()
{
    const TOptions& o = m_parts.options;
    m_parts.results.Grids.SetOptions(results::GridOptionsOf(o));
    m_showCoordinates->setChecked(o.tablePositionColumns);
    m_showVelocity->setChecked(o.tableVelocityColumns);
    m_showAcceleration->setChecked(o.tableAccelerationColumns);
    m_showPolar->setChecked(o.tablePolarColumns);
    m_angleRadians->setChecked(o.anglesInRadians);
    m_angleDegrees->setChecked(!o.anglesInRadians);
    ReadAvailability();
    // The availability is judged again at the next refresh.
    m_derivedFor = nullptr;
    UpdateMenus();
    if (isVisible())
        ShowPage(m_page);
    if (m_formulasWindow != nullptr) {
        m_formulasWindow->ApplyOptions();
        if (m_formulasWindow->isVisible())
            m_formulasWindow->Reload();
    }
}

void TResForm::CheckGeneration()
{
    const std::uint64_t generation = m_parts.data.Generation();
    if (generation != m_seenGeneration) {
        m_parts.results.Calc.Invalidate(results::kSelBoth);
        m_seenGeneration = generation;
    }
}

bool TResForm::Refresh()
{
    const bool ok = RefreshResults();
    UpdateFormulas();
    return ok;
}

void TResForm::UpdateFormulas()
{
    m_formulesCalc->ApplyOptions(m_parts.options);
    m_formulesCalc->SetAvailable(m_velocityOk, m_accelerationOk, m_polarOk);
    m_formulesCalc->Update();
}

bool TResForm::RefreshResults()
{
    CheckGeneration();
    results::TResCalc& calc = m_parts.results.Calc;
    const void* current = &calc.Current();
    if (calc.IsDirty(results::kSelCurrent)) {
        const int code = calc.Recompute(results::kSelCurrent);
        // The column array follows the object count the recomputation found.
        m_parts.results.Grids.Resize(results::kSelCurrent);
        if (code != 0) {
            m_derivedFor = nullptr;
            return false;
        }
    } else if (current == m_derivedFor) {
        return true;
    }
    // A new computation, or the other mark set's calculator: each judges the derived displays afresh,
    // so a failure of one mark set or of an earlier study does not hide them for good.
    ReadAvailability();
    if ((m_velocityOk || m_accelerationOk || m_polarOk) && !calc.Derive(results::kSelCurrent, m_smoothFlags)) {
        m_velocityOk = false;
        m_accelerationOk = false;
        m_polarOk = false;
    }
    m_derivedFor = current;
    return true;
}

void TResForm::ShowPage(TResultsPage page)
{
    m_page = page;
    switch (page) {
    case TResultsPage::Formula:
        setWindowTitle(T("Formules personnelles"));
        break;
    case TResultsPage::Time:
        setWindowTitle(T("Evolution en fonction du temps"));
        break;
    case TResultsPage::Trajectory:
        setWindowTitle(T("Trajectoire dans un référentiel"));
        break;
    case TResultsPage::Vector:
        setWindowTitle(T("Représentation des vecteurs"));
        break;
    default:
        setWindowTitle(T("Tableau des valeurs"));
        break;
    }
    if (!Refresh())
        m_pages->setCurrentWidget(m_nothing);
    else if (page == TResultsPage::Table)
        ShowTable();
    else
        ShowGraphPage();
    UpdateMenus();
}

void TResForm::ShowTable()
{
    results::TGrid& grid = m_parts.results.Grids.Current();
    if (&m_model->Grid() != &grid)
        m_model->SetGrid(grid);
    grid.SetVisible(m_showCoordinates->isChecked(), results::kPositionCodes);
    grid.SetVisible(m_showVelocity->isChecked() && m_velocityOk, results::kVelocityCodes);
    grid.SetVisible(m_showAcceleration->isChecked() && m_accelerationOk, results::kAccelerationCodes);
    grid.SetVisible(m_showPolar->isChecked() && m_polarOk, results::kPolarCodes);
    RefillTable();
    m_pages->setCurrentWidget(m_gridView);
}

void TResForm::RefillTable()
{
    m_model->Refresh();
    m_gridView->FitColumns();
}

void TResForm::UpdateMenus()
{
    const bool graphPage = IsGraphPage() && m_pages->currentWidget() == m_graphPages;
    for (QAction* a : { m_copyImage, m_restoreGraph, m_print, m_exportPdf, m_toolPan, m_toolZoom })
        a->setEnabled(graphPage);
    m_restoreTable->setEnabled(m_page == TResultsPage::Table);
    m_graphTools->setVisible(IsGraphPage());
    m_measureTools->SetPage(graphPage, graphPage && m_page == TResultsPage::Vector);
    m_drawVectorValues->setEnabled(m_page == TResultsPage::Vector);
    // The formula page draws as the time page does: against an abscissa, with its origins and zoom axes.
    const bool time = m_page == TResultsPage::Time || m_page == TResultsPage::Formula;
    const bool trajectory = m_page == TResultsPage::Trajectory;
    const bool vectors = m_page == TResultsPage::Vector;
    m_drawPolyline->setChecked(trajectory ? m_trajectoryPolyline : m_timePolyline);
    m_drawVideoImage->setEnabled(m_page == TResultsPage::Trajectory && !m_parts.video.IsTransparentMarking());
    for (QMenu* menu : { m_displayGraphMenus[0] })
        menu->setEnabled(time || trajectory || vectors);
    m_drawPolyline->setEnabled(!vectors);
    m_displayGraphMenus[1]->setEnabled(trajectory || vectors); // numbering
    m_displayGraphMenus[2]->setEnabled(time); // axis origins
    m_displayGraphMenus[3]->setEnabled(time || trajectory || vectors); // size
    m_displayGraphMenus[4]->setEnabled(trajectory); // the trajectory's axes
    m_displayGraphMenus[5]->setEnabled(time); // zoom axes
    m_bubbleMenu->setEnabled(IsGraphPage());
    if (m_modelCommands)
        m_modelCommands->Update(graphPage, IsGraphPage());
    // The button of the page in view stands out; the buttons stay plain so that one press always shows.
    for (std::size_t i = 0; i < m_pageButtons.size(); ++i) {
        QFont font = m_pageButtons[i]->font();
        font.setBold(static_cast<int>(i) == static_cast<int>(m_page));
        m_pageButtons[i]->setFont(font);
    }
    m_showVelocity->setEnabled(m_velocityOk);
    m_showAcceleration->setEnabled(m_accelerationOk);
    m_showPolar->setEnabled(m_polarOk);
    m_smoothVelocity->setChecked((m_smoothFlags & kSmoothVelocity) != 0);
    m_smoothAcceleration->setChecked((m_smoothFlags & kSmoothAcceleration) != 0);
}

void TResForm::SetSmoothing(int flags)
{
    flags &= kSmoothVelocity | kSmoothAcceleration;
    if (flags == m_smoothFlags) {
        UpdateMenus();
        return;
    }
    m_smoothFlags = flags;
    m_parts.results.Calc.Invalidate(results::kSelBoth);
    Refresh();
    ShowPage(m_page);
}

void TResForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        ShowPage(m_page);
}

void TResForm::DocumentChanged()
{
    m_parts.results.Calc.Invalidate(results::kSelBoth);
    if (isVisible())
        ShowPage(m_page);
    if (m_formulasWindow != nullptr && m_formulasWindow->isVisible())
        m_formulasWindow->Reload();
}

// ---- the graph pages ----

void TResForm::BuildDisplayMenus(QMenu* display)
{
    const auto submenu = [this, display](const char* name, const char* caption) {
        QMenu* menu = display->addMenu(T(caption));
        menu->setObjectName(name);
        menu->setAccessibleName(T(caption));
        return menu;
    };
    const auto redraw = [this] {
        if (IsGraphPage())
            ShowPage(m_page);
    };
    QMenu* draw = submenu("MenuAffichageDessiner", TrNoop("Dessiner"));
    m_drawOrigin = AddAction(draw, "MenuAffichageDessinerOrigine", TrNoop("l'origine du repère"), true);
    m_drawPolyline = AddAction(draw, "MenuAffichageDessinerLigneBrisee", TrNoop("une ligne brisée"), true);
    m_drawVideoImage = AddAction(draw, "MenuAffichageDessinerImageVideo", TrNoop("l'image de la vidéo"), true);
    m_drawVectorValues = AddAction(draw, "MenuAffichageDessinerValeurVecteurs", TrNoop("la valeur des vecteurs"), true);
    connect(m_drawVectorValues, &QAction::triggered, this, redraw);
    connect(m_drawOrigin, &QAction::triggered, this, redraw);
    connect(m_drawVideoImage, &QAction::triggered, this, redraw);
    connect(m_drawPolyline, &QAction::triggered, this, [this, redraw](bool on) {
        (m_page == TResultsPage::Trajectory ? m_trajectoryPolyline : m_timePolyline) = on;
        redraw();
    });

    const auto exclusive = [this, redraw](QMenu* menu, std::initializer_list<std::pair<QAction**, const char*>> entries,
                               std::initializer_list<const char*> names) {
        auto* group = new QActionGroup(menu);
        auto name = names.begin();
        for (const auto& [slot, caption] : entries) {
            *slot = AddAction(menu, *name++, caption, true);
            group->addAction(*slot);
            connect(*slot, &QAction::triggered, this, redraw);
        }
    };
    QMenu* numbers = submenu("MenuAffichageNumeroterReferentiel", TrNoop("Numérotation"));
    exclusive(numbers,
        { { &m_numberBelow, TrNoop("sous la marque") }, { &m_numberRight, TrNoop("à droite de la marque") },
            { &m_numberNone, "aucune" } },
        { "MenuAffichageNumeroterReferentielSous", "MenuAffichageNumeroterReferentielDroite",
            "MenuAffichageNumeroterReferentielAucune" });
    QMenu* origin = submenu("MenuAffichageOrigine", TrNoop("Origine"));
    m_originX = AddAction(origin, "MenuAffichageOrigineAbscisses", TrNoop("des abscisses"), true);
    m_originY = AddAction(origin, "MenuAffichageOrigineOrdonnees", TrNoop("des ordonnées"), true);
    connect(m_originX, &QAction::triggered, this, redraw);
    connect(m_originY, &QAction::triggered, this, redraw);
    QMenu* size = submenu("MenuAffichageTaille", TrNoop("Taille"));
    exclusive(size,
        { { &m_sizeLarge, TrNoop("grande") }, { &m_sizeMedium, TrNoop("moyenne") },
            { &m_sizeSmall, TrNoop("petite") } },
        { "MenuAffichageTailleGrande", "MenuAffichageTailleMoyenne", "MenuAffichageTaillePetite" });
    QMenu* trajectory = submenu("MenuAffichageTrajectoire", TrNoop("Trajectoire"));
    exclusive(trajectory,
        { { &m_trajectoryAsVideo, TrNoop("présentée comme sur la vidéo") },
            { &m_trajectoryInAxes, TrNoop("dans le repère (O, x, y)") } },
        { "MenuAffichageTrajectoireVideo", "MenuAffichageTrajectoireRepere" });
    QMenu* zoom = submenu("MenuAffichageZoom", TrNoop("Zoom"));
    m_zoomX = AddAction(zoom, "MenuAffichageZoomAbscisses", TrNoop("des abscisses"), true);
    m_zoomY = AddAction(zoom, "MenuAffichageZoomOrdonnees", TrNoop("des ordonnées"), true);
    // The zoom's axes act on the graph in view at once; they do not change the window.
    for (QAction* axis : { m_zoomX, m_zoomY }) {
        connect(axis, &QAction::triggered, this, [this] {
            if (graph::TGraph* g = m_graphPages->CurrentGraph()) {
                g->IsZoomX = m_zoomX->isChecked();
                g->IsZoomY = m_zoomY->isChecked();
                m_graphPages->GraphWidget()->UpdateCursor();
            }
        });
    }
    m_bubbleMenu = submenu("MenuAffichageBulleObjet", TrNoop("Bulle des valeurs"));
    exclusive(m_bubbleMenu,
        { { &m_bubblePlaces[0], TrNoop("en haut à gauche") }, { &m_bubblePlaces[1], TrNoop("en haut à droite") },
            { &m_bubblePlaces[2], TrNoop("en bas à gauche") }, { &m_bubblePlaces[3], TrNoop("en bas à droite") } },
        { "MenuAffichageBulleObjetHautGauche", "MenuAffichageBulleObjetHautDroite", "MenuAffichageBulleObjetBasGauche",
            "MenuAffichageBulleObjetBasDroite" });
    m_bubblePlaces[1]->setChecked(true);
    m_displayGraphMenus[0] = draw;
    m_displayGraphMenus[1] = numbers;
    m_displayGraphMenus[2] = origin;
    m_displayGraphMenus[3] = size;
    m_displayGraphMenus[4] = trajectory;
    m_displayGraphMenus[5] = zoom;

    // What a new window shows, from the settings.
    const TOptions& o = m_parts.options;
    m_timePolyline = o.timeGraphPolyline;
    m_trajectoryPolyline = o.trajectoryPolyline;
    (o.trajectoryNumbers ? m_numberBelow : m_numberNone)->setChecked(true);
    // An axis fitted to the values does not reach out to its origin.
    m_originX->setChecked(!o.timeGraphFitX);
    m_originY->setChecked(!o.timeGraphFitY);
    m_sizeSmall->setChecked(true);
    m_trajectoryInAxes->setChecked(true);
    m_zoomX->setChecked(true);
    m_zoomY->setChecked(true);
}

void TResForm::BuildGraphTools()
{
    // A row of its own: the page buttons keep their room beside it.
    addToolBarBreak();
    m_graphTools = addToolBar(T("Outils du graphe"));
    m_graphTools->setObjectName("ToolBarGraphe");
    m_graphTools->setMovable(false);
    m_graphTools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_graphTools->setIconSize(QSize(20, 20));
    m_toolPan
        = m_graphTools->addAction(QIcon(QStringLiteral(":/mainwindow/ButtonOutilPan.svg")), T("Déplacer le graphe"));
    m_toolPan->setObjectName("ToolButtonGrapheDeplacer");
    m_toolPan->setToolTip(T("Déplacer le graphe avec la souris"));
    m_toolPan->setCheckable(true);
    m_toolZoom = m_graphTools->addAction(QIcon(QStringLiteral(":/mainwindow/ButtonOutilZoom.svg")), T("Zoomer"));
    m_toolZoom->setObjectName("ToolButtonGrapheZoom");
    m_toolZoom->setToolTip(
        T("Zoomer : cliquer pour agrandir (bouton droit : réduire, Ctrl : finement) ou tracer un cadre"));
    m_toolZoom->setCheckable(true);
    // Toggled rather than triggered: an assistive tool toggles a check button without clicking it.
    const auto choose = [this](QAction* pressed, int tool, bool on) {
        graph::TGraph* g = m_graphPages->CurrentGraph();
        if (on) {
            for (QAction* other : { m_toolPan, m_toolZoom }) {
                if (other != pressed)
                    other->setChecked(false);
            }
            if (g != nullptr)
                g->SetTool(tool);
        } else if (g != nullptr && g->Tool() == tool) {
            g->SetTool(graph::gtNone);
        }
    };
    // A measuring tool and the window's own tools take turns.
    m_measureTools->toolChosen = [this] {
        for (QAction* own : { m_toolPan, m_toolZoom }) {
            const QSignalBlocker quiet(own);
            own->setChecked(false);
        }
    };
    connect(m_toolPan, &QAction::toggled, this, [this](bool on) {
        if (on)
            m_measureTools->Release();
    });
    connect(m_toolZoom, &QAction::toggled, this, [this](bool on) {
        if (on)
            m_measureTools->Release();
    });
    connect(m_toolPan, &QAction::toggled, this, [this, choose](bool on) { choose(m_toolPan, graph::gtPan, on); });
    connect(m_toolZoom, &QAction::toggled, this, [this, choose](bool on) { choose(m_toolZoom, graph::gtZoom, on); });
    m_restoreGraph->setIcon(QIcon(QStringLiteral(":/results/GrapheRestaurer.svg")));
    m_restoreGraph->setToolTip(T("Revenir à la vue de départ du graphe"));
    m_graphTools->addAction(m_restoreGraph);
    m_graphTools->setVisible(false);
    addToolBar(m_measureTools->Bar());
}

graph::TBullePlace TResForm::BubblePlace() const
{
    using graph::TBullePlace;
    constexpr TBullePlace kPlaces[4]
        = { TBullePlace::TopLeft, TBullePlace::TopRight, TBullePlace::BottomLeft, TBullePlace::BottomRight };
    for (int k = 0; k < 4; ++k) {
        if (m_bubblePlaces[k] != nullptr && m_bubblePlaces[k]->isChecked())
            return kPlaces[k];
    }
    return TBullePlace::TopRight;
}

bool TResForm::IsGraphPage() const
{
    return m_page == TResultsPage::Time || m_page == TResultsPage::Trajectory || m_page == TResultsPage::Formula
        || m_page == TResultsPage::Vector;
}

TGraphDisplayChoice TResForm::DisplayChoice() const
{
    const TOptions& o = m_parts.options;
    TGraphDisplayChoice d;
    d.originVisible = m_drawOrigin->isChecked();
    d.timePolyline = m_timePolyline;
    d.trajectoryPolyline = m_trajectoryPolyline;
    d.videoImage = m_drawVideoImage->isChecked();
    d.numbering = m_numberBelow->isChecked() ? 0 : m_numberRight->isChecked() ? 1 : 2;
    d.originX = m_originX->isChecked();
    d.originY = m_originY->isChecked();
    d.size = m_sizeLarge->isChecked() ? 2 : m_sizeMedium->isChecked() ? 1 : 0;
    d.studyAxes = m_trajectoryInAxes->isChecked();
    d.zoomX = m_zoomX->isChecked();
    d.zoomY = m_zoomY->isChecked();
    d.legend = m_page == TResultsPage::Trajectory ? o.trajectoryLegend : o.timeGraphLegend;
    d.penWidth = std::max(1, o.graphPenWidth);
    d.hideVelocityEdges = o.hideVelocityEdges;
    d.hideAccelerationEdges = o.hideAccelerationEdges;
    d.firstNumber = o.numberMarksFromZero ? 0 : 1;
    d.velocityAvailable = m_velocityOk;
    d.accelerationAvailable = m_accelerationOk;
    d.polarAvailable = m_polarOk;
    d.vectorValues = m_drawVectorValues->isChecked();
    if (m_modelCommands) {
        d.modelEquation = m_modelCommands->ShowEquation();
        d.modelStatistics = m_modelCommands->ShowStatistics();
    }
    return d;
}

void TResForm::ShowGraphPage()
{
    results::TResCalc& calc = m_parts.results.Calc;
    const results::TCalcul& calcul = calc.Current();
    const TMarkSet set = calcul.MarkSet();
    std::vector<graph::TPageObject> objects;
    const auto& names = m_parts.data.Set(set).SystemName;
    for (int k = 0; k < calcul.ObjectCount(); ++k) {
        graph::TPageObject object;
        object.name = document::ShownObjectName(
            k < static_cast<int>(names.size()) ? names[std::size_t(k)] : document::DefaultObjectName(k));
        object.colour = m_parts.data.MarkColor(k);
        objects.push_back(object);
    }
    const auto picture = [this](TGraphPicture& shot) {
        if (!m_parts.video.DrawCurrentFrame(shot.frame) || shot.frame.IsEmpty())
            return false;
        const TFrameGeometry geometry = m_parts.data.Geometry(TMarkSet::Fixed);
        const TPointD origin = m_parts.data.Origin();
        shot.width = geometry.sx;
        shot.height = geometry.sy;
        shot.originX = origin.x;
        shot.originY = origin.y;
        shot.flipX = !geometry.xAxisDirect;
        shot.flipY = !geometry.yAxisDirect;
        shot.angle = geometry.xAxisAngle;
        return true;
    };
    m_graphPages->Show(m_page, set, calcul, objects, DisplayChoice(), picture);
    // The hint says in which frame the derived quantities are.
    QString hint;
    if (m_page == TResultsPage::Formula)
        hint = T("Les formules se saisissent par Calculs > Saisir des formules ou des constantes");
    else if (m_page == TResultsPage::Trajectory)
        hint = T("Les référentiels sont en translation les uns par rapport aux autres");
    else if (set == TMarkSet::Transparent)
        hint = T("La vitesse et l'accélération sont calculées dans un référentiel lié au transparent");
    else
        hint = T("La vitesse et l'accélération sont calculées dans un référentiel lié à la caméra");
    m_graphPages->setToolTip(hint);
    m_graphPages->setStatusTip(hint);
    // A new graph keeps the tool pressed in the bar, and the bubble where the menu puts it.
    if (graph::TGraph* g = m_graphPages->CurrentGraph()) {
        g->Bulle().place = BubblePlace();
        const bool model = m_modelCommands && m_modelCommands->ToolChosen() && m_graphPages->HasModel();
        g->SetTool(model                  ? graph::gtModifierModele
                : m_toolPan->isChecked()  ? graph::gtPan
                : m_toolZoom->isChecked() ? graph::gtZoom
                                          : m_measureTools->Tool());
        m_measureTools->Attach(g);
    }
    m_pages->setCurrentWidget(m_graphPages);
}

void TResForm::RestoreGraph()
{
    if (graph::TGraph* g = m_graphPages->CurrentGraph(); g != nullptr && IsGraphPage())
        g->Restore();
}

bool TResForm::CopyGraph()
{
    const graph::TGraph* g = IsGraphPage() ? m_graphPages->CurrentGraph() : nullptr;
    if (g == nullptr)
        return false;
    auto* mime = new QMimeData;
    // A picture at twice the pixels for office programs, and the drawing itself for the editors.
    mime->setImageData(RenderGraphImage(*g, 2));
    mime->setData("image/svg+xml", RenderGraphSvg(*g, windowTitle()));
    QGuiApplication::clipboard()->setMimeData(mime);
    return true;
}

bool TResForm::ExportGraph(const std::string& path)
{
    const graph::TGraph* g = IsGraphPage() ? m_graphPages->CurrentGraph() : nullptr;
    if (g == nullptr)
        return false;
    if (EndsWith(path, ".svg"))
        return WriteFile(path, RenderGraphSvg(*g, windowTitle()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!RenderGraphImage(*g, 2).save(&buffer, "PNG"))
        return false;
    return WriteFile(path, bytes);
}

bool TResForm::ExportGraphPdf(const std::string& path)
{
    const graph::TGraph* g = IsGraphPage() ? m_graphPages->CurrentGraph() : nullptr;
    if (g == nullptr)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setPageOrientation(g->Width() >= g->Height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(windowTitle());
    PrintGraph(*g, printer);
    return QFile::exists(QString::fromStdString(path));
}

void TResForm::ExportGraphWithDialog()
{
    TFileDialogRequest request;
    request.title = Tr("Exporter dans un fichier image");
    request.filter = Tr("Image PNG (*.png);;Dessin SVG (*.svg)");
    request.defaultExtension = "png";
    request.proposedName = Tr("graphe.png");
    const std::optional<std::string> path = m_parts.desktop.SaveFileDialog(request);
    if (path && !ExportGraph(*path))
        m_parts.dialog.ShowMessage(
            TUserDlgIcon::icError, { FormatText(Tr("Impossible d'écrire le fichier %s"), { *path }) });
}

void TResForm::ExportPdfWithDialog()
{
    TFileDialogRequest request;
    request.title = Tr("Exporter en PDF");
    request.filter = Tr("Document PDF (*.pdf)");
    request.defaultExtension = "pdf";
    request.proposedName = Tr("graphe.pdf");
    const std::optional<std::string> path = m_parts.desktop.SaveFileDialog(request);
    if (path && !ExportGraphPdf(*path))
        m_parts.dialog.ShowMessage(
            TUserDlgIcon::icError, { FormatText(Tr("Impossible d'écrire le fichier %s"), { *path }) });
}

void TResForm::PrintGraphWithPreview()
{
    const graph::TGraph* g = IsGraphPage() ? m_graphPages->CurrentGraph() : nullptr;
    if (g == nullptr)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(g->Width() >= g->Height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(windowTitle());
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(T("Aperçu avant impression"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [g](QPrinter* p) { PrintGraph(*g, *p); });
    preview.exec();
}

} // namespace kinoval
