#include "gui/results/res_form.h"

#include "core/common/texts.h"
#include "core/document/data.h"
#include "core/export/serveur.h"
#include "core/export/table_hand_over.h"
#include "core/formulas/formules.h"
#include "core/formulas/formules_calc.h"
#include "core/results/calcul_table_source.h"
#include "core/results/results_set.h"
#include "core/settings/options.h"
#include "core/video/video.h"
#include "gui/common/qt_text.h"
#include "gui/formulas/boite_formules.h"
#include "gui/formulas/calculatrice_form.h"
#include "gui/formulas/clavier_form.h"
#include "gui/results/results_grid_model.h"
#include "gui/results/results_grid_view.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>

namespace kinoval {

TResForm::TResForm(const TResFormParts& parts, QWidget* parent)
    : QMainWindow(parent)
    , m_parts(parts)
{
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
    auto* nothing = new QLabel(T("Aucun résultat à montrer : il faut une vidéo et une échelle."), m_pages);
    nothing->setObjectName("LabelSansResultat");
    nothing->setAccessibleName(nothing->text());
    nothing->setAlignment(Qt::AlignCenter);
    m_pages->addWidget(nothing);
    setCentralWidget(m_pages);

    BuildMenus();
    BuildPageButtons();
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
        m_formulasWindow->refresh = [this] { Refresh(); };
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
    connect(AddAction(file, "MenuFichierExporter", "Exporter"), &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->ExportTextFile();
    });
    connect(AddAction(file, "MenuFichierExporterCsv", "Exporter au format CSV"), &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->ExportCsvFile();
    });
    file->addSeparator();
    QAction* close = AddAction(file, "MenuFichierFermer", "Fermer");
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(T("&Edition"));
    edit->setObjectName("MenuEdition");
    edit->setAccessibleName(T("Edition"));
    QAction* copy
        = AddAction(edit, "MenuEditionCopierTableauDansLePressePapier", "Copier le tableau dans le presse-papier");
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] {
        if (Refresh())
            m_handOver->CopyTable();
    });
    connect(AddAction(edit, "MenuEditionCopierTableauDansLePressePapierPourPython",
                "Copier le tableau dans le presse-papier pour Python"),
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
    connect(AddAction(edit, "MenuEditionRestaurerTableau", "Restaurer le tableau"), &QAction::triggered, this,
        [this] { ShowPage(TResultsPage::Table); });

    QMenu* display = menuBar()->addMenu(T("&Affichage"));
    display->setObjectName("MenuAffichage");
    display->setAccessibleName(T("Affichage"));
    m_showCoordinates = AddAction(display, "MenuAffichageCoordonnees", "Coordonnées", true);
    m_showVelocity = AddAction(display, "MenuAffichageVitesse", "Vitesse", true);
    m_showAcceleration = AddAction(display, "MenuAffichageAcceleration", "Accélération", true);
    m_showPolar = AddAction(display, "MenuAffichagePolaire", "Grandeurs polaires", true);
    for (QAction* group : { m_showCoordinates, m_showVelocity, m_showAcceleration, m_showPolar })
        connect(group, &QAction::triggered, this, [this] { ShowPage(m_page); });

    QMenu* calculations = menuBar()->addMenu(T("&Calculs"));
    calculations->setObjectName("MenuCalculs");
    calculations->setAccessibleName(T("Calculs"));
    m_smoothVelocity = AddAction(calculations, "MenuCalculsLisserVitesse", "Lisser les valeurs de la vitesse", true);
    m_smoothAcceleration
        = AddAction(calculations, "MenuCalculsLisserAcceleration", "Lisser les valeurs de l'accélération", true);
    connect(m_smoothVelocity, &QAction::triggered, this,
        [this](bool on) { SetSmoothing(on ? (m_smoothFlags | kSmoothVelocity) : (m_smoothFlags & ~kSmoothVelocity)); });
    connect(m_smoothAcceleration, &QAction::triggered, this, [this](bool on) {
        SetSmoothing(on ? (m_smoothFlags | kSmoothAcceleration) : (m_smoothFlags & ~kSmoothAcceleration));
    });
    calculations->addSeparator();
    connect(AddAction(calculations, "MenuCalculsSaisir", "Saisir des formules ou des constantes"), &QAction::triggered,
        this, [this] { OpenFormulasWindow(); });
    connect(AddAction(calculations, "MenuCalculsCalculatrice", "Calculatrice"), &QAction::triggered, this,
        [this] { OpenCalculator(); });
    // The unit of the angles the formulas read and write (B, O, the trigonometric functions).
    QMenu* angles = calculations->addMenu(T("Unité des angles dans les formules"));
    angles->setObjectName("MenuCalculsAngle");
    auto* unit = new QActionGroup(this);
    m_angleDegrees = AddAction(angles, "MenuCalculsAngleDegre", "degrés", true);
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
    struct TPageButton {
        const char* name;
        const char* caption;
        const char* tip;
        TResultsPage page;
    };
    static constexpr TPageButton kButtons[] = {
        { "ButtonMenuFormule", "Formules", "Formules personnelles", TResultsPage::Formula },
        { "ButtonMenuReferentiel", "Trajectoire", "Trajectoire dans un référentiel", TResultsPage::Trajectory },
        { "ButtonMenuTableau", "Tableau", "Tableau des valeurs", TResultsPage::Table },
        { "ButtonMenuTemps", "Temps", "Evolution en fonction du temps", TResultsPage::Time },
        { "ButtonMenuVecteur", "Vecteurs", "Représentation des vecteurs", TResultsPage::Vector },
    };
    for (const TPageButton& b : kButtons) {
        auto* button = new QToolButton(bar);
        button->setObjectName(b.name);
        button->setText(T(b.caption));
        button->setAccessibleName(T(b.caption));
        button->setToolTip(T(b.tip));
        button->setStatusTip(T(b.tip));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        // The graph pages come with the graphs.
        button->setEnabled(b.page == TResultsPage::Table);
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

void TResForm::ShowPage(TResultsPage)
{
    // Until the graphs exist every page is the table.
    m_page = TResultsPage::Table;
    setWindowTitle(T("Tableau des valeurs"));
    if (Refresh())
        ShowTable();
    else
        m_pages->setCurrentIndex(1);
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

} // namespace kinoval
