#include "gui/mainwindow/main_form.h"

#include "core/common/desktop_services.h"
#include "core/common/folders.h"
#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/mainwindow/help.h"
#include "core/mainwindow/mru_files.h"
#include "core/mainwindow/options.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/results/results_set.h"
#include "core/tracking/tracking.h"
#include "core/tracking/tracking_adapters.h"
#include "core/video/document_link.h"
#include "gui/mainwindow/help_window.h"
#include "gui/mainwindow/main_form_dialogs.h"
#include "gui/mainwindow/mru_menu.h"
#include "gui/mainwindow/recovery_hook.h"
#include "gui/montage/montage_panel.h"
#include "gui/results/res_form.h"
#include "gui/tracking/tracking_panel.h"
#include "gui/video/sample_videos.h"
#include "gui/video/video_widget.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <cmath>
#include <numbers>

static void InitMainWindowResources()
{
    Q_INIT_RESOURCE(mainwindow);
}

namespace kinoval::gui {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}
QString T(const char* french)
{
    return Q(Tr(french));
}
QString Icon(const char* name)
{
    return QStringLiteral(":/mainwindow/%1.svg").arg(QLatin1String(name));
}

// The settings of the window's place, in section MainForm beside the recent files' folder.
constexpr const char* kPlaceSection = "MainForm";

// Tool hints, shown in the status bar for the tool in use and as the buttons' tool tips.
const char* const kHintMarks = "Bouton gauche (ou Entrée) = poser une marque ; bouton droit (ou Echap) = annuler ; "
                               "Ctrl + touche de direction = déplacer le pointeur de la souris";
const char* const kHintErase
    = "Bouton gauche = supprimer la marque sous le pointeur de la souris ; bouton droit = supprimer les marques de "
      "l'image";
const char* const kHintMove = "Bouton gauche = glisser-déposer la marque sous le pointeur de la souris";
const char* const kHintOrigin = "Bouton gauche (ou Entrée) = poser l'origine ; bouton droit (ou Echap) = annuler ; "
                                "Ctrl + touche de direction = déplacer le pointeur de la souris";
const char* const kHintZoom = "Bouton gauche = agrandir ; bouton droit = réduire ; appuyer simultanément sur la "
                              "touche Ctrl pour ralentir la progression";
const char* const kHintSheet
    = "Bouton gauche = glisser-déposer ; bouton droit ou Echap = annuler ; touches + et - = taille du transparent";
const char* const kHintScale = "Bouton gauche = poser une extrémité du segment ; bouton droit (ou Echap) = annuler";
const char* const kHintPan = "Bouton gauche = glisser-déposer l'image dans son cadre";

const char* ToolButtonName(int tool, int scaleKind)
{
    switch (tool) {
    case document::toScale:
        return scaleKind == document::skHorizontal ? "ButtonOutilEchelleHoriz"
            : scaleKind == document::skVertical    ? "ButtonOutilEchelleVert"
                                                   : "ButtonOutilEchelle";
    case document::toPlaceMarks:
        return "ButtonOutilMarque";
    case document::toMoveMarks:
        return "ButtonOutilDeplacer";
    case document::toOriginAndAxes:
        return "ButtonOutilOrigine";
    case document::toErase:
        return "ButtonOutilEffacer";
    case document::toTransparent:
        return "ButtonOutilTsp";
    default:
        return "";
    }
}

} // namespace

// The central area: holds the view at the largest size of the frame's aspect ratio, centred.
class TViewFrame : public QWidget {
public:
    TViewFrame(video::TVideo& video, QWidget* parent)
        : QWidget(parent)
        , m_video(video)
    {
        setObjectName(QStringLiteral("PanelVideo"));
        setMinimumSize(160, 120);
    }
    void SetView(QWidget* view) { m_view = view; }
    void Fit()
    {
        if (m_view == nullptr)
            return;
        const QSize frame = m_video.IsOpened() ? QSize(m_video.FrameWidth(), m_video.FrameHeight()) : QSize(640, 480);
        const QSize fitted = TMainForm::FittedViewSize(size(), frame);
        m_view->setGeometry(
            (width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted.width(), fitted.height());
    }

protected:
    void resizeEvent(QResizeEvent*) override { Fit(); }

private:
    video::TVideo& m_video;
    QWidget* m_view = nullptr;
};

QSize TMainForm::FittedViewSize(QSize area, QSize frame)
{
    if (frame.width() <= 0 || frame.height() <= 0 || area.width() <= 0 || area.height() <= 1)
        return QSize(0, 0);
    const double factor = std::min(
        static_cast<double>(area.width()) / frame.width(), static_cast<double>(area.height() - 1) / frame.height());
    return QSize(static_cast<int>(frame.width() * factor), static_cast<int>(frame.height() * factor));
}

TMainForm::TMainForm(const TMainFormParts& parts, QWidget* parent)
    : QMainWindow(parent)
    , m_parts(parts)
{
    InitMainWindowResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kinoval"));

    m_input = std::make_unique<video::TDocumentInput>(m_parts.data, m_parts.video);
    video::LinkDocument(m_parts.video, m_parts.data, *m_input);
    montage::ConnectMontage(m_parts.montage, m_parts.data, m_parts.video,
        [this] { return m_parts.options.CheckBox40ShowDialogBoxForHideImage; });

    // Results and tables follow the view's marking mode.
    m_parts.results.Calc.SetTransparentModeHook([this] { return m_parts.video.IsTransparentMarking(); });
    m_parts.results.Grids.IsTransparentMode = [this] { return m_parts.video.IsTransparentMarking(); };

    mainwindow::TStudyParts study { m_parts.dialog, m_parts.desktop, m_parts.video, m_parts.data, m_parts.options,
        m_parts.mru, &m_parts.montage, &m_parts.formules };
    m_commands = std::make_unique<mainwindow::TStudyCommands>(study);
    m_checks = std::make_unique<mainwindow::TResultsChecks>(
        mainwindow::TResultsCheckParts { m_parts.data, m_parts.options, m_parts.dialog, ScalePictures(), false });

    m_resForm = std::make_unique<TResForm>(TResFormParts { m_parts.results, m_parts.serveur, m_parts.options,
                                               m_parts.dialog, m_parts.desktop, m_parts.data, m_parts.video },
        this);
    showResultsWindow = [this](int page) {
        m_resForm->ShowPage(page);
        if (!m_resultsPlaced)
            PlaceResultsWindow();
        // A window closed by its user comes back, and one hidden behind the main window comes to the front.
        m_resForm->show();
        m_resForm->setWindowState(m_resForm->windowState() & ~Qt::WindowMinimized);
        m_resForm->raise();
        m_resForm->activateWindow();
    };

    m_frame = new TViewFrame(m_parts.video, this);
    m_view = new video::TVideoWidget(m_parts.video, m_frame);
    m_view->setObjectName(QStringLiteral("Video"));
    m_view->setAccessibleName(T("Image de la vidéo"));
    m_view->buildOverlay = [this](video::TVideoMode mode, video::TOverlay& overlay) {
        if (mode == video::vmFixedPointing || mode == video::vmTransparentPointing)
            video::BuildDocumentOverlay(m_parts.data, m_parts.video, overlay);
    };
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->installEventFilter(this);
    m_frame->SetView(m_view);
    setCentralWidget(m_frame);

    BuildActions();
    BuildMenus();
    BuildModeBar();
    BuildToolBar();
    BuildResultsBar();
    BuildNavigationBar();
    BuildViewPopup();
    // The button a bar shows when its buttons do not fit is named like the others.
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
            more->setAccessibleName(T("Autres boutons de la barre") + QStringLiteral(" ") + bar->windowTitle());
            more->setToolTip(T("Autres boutons de la barre"));
        }
    }
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("StatusBarHint"));
    statusBar()->addWidget(m_hint, 1);
    Wire();
    WireModePanels();
    ApplySettings();
    RestorePlace();
    UpdateAll();
}

TMainForm::~TMainForm()
{
    // The mode panels listen to the tracker and the montage: they go before the objects they borrow.
    delete m_trackingPanel;
    delete m_montagePanel;
    // The view and the document outlive the window: leave them without listeners into it.
    m_parts.video.notify = {};
    m_parts.video.hooks.enterTransparentPointing = nullptr;
    m_parts.video.hooks.processPendingEvents = nullptr;
    m_parts.video.SetPointingReceiver(nullptr);
    m_parts.data.SetView(nullptr);
    document::TData& d = m_parts.data;
    d.OnMarksChanged = d.OnAxesChanged = d.OnScaleChanged = d.OnMarksPerFrameChanged = d.OnToolChanged
        = d.OnColorChanged = d.OnVisibilityChanged = nullptr;
    d.OnScaleKindChanged = nullptr;
    m_parts.options.OnChange = nullptr;
    m_parts.results.Calc.SetTransparentModeHook(nullptr);
    m_parts.results.Grids.IsTransparentMode = nullptr;
    m_parts.mru.OnClick = nullptr;
    m_parts.mru.OnListChange = nullptr;
}

// ---------------------------------------------------------------------------------------------------------
// Building

QToolButton* TMainForm::MakeButton(
    QToolBar* bar, const char* name, const QString& caption, const QString& tip, bool checkable)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(Icon(name)));
    button->setIconSize(QSize(24, 24));
    button->setText(caption);
    button->setAccessibleName(caption);
    // The tip names the button before it says how to use it.
    button->setToolTip(tip.isEmpty() || tip == caption ? caption : QStringLiteral("<b>%1</b><br>%2").arg(caption, tip));
    button->setStatusTip(tip.isEmpty() ? caption : tip);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    QAction* place = bar->addWidget(button);
    m_buttons[name] = button;
    m_toolActions[name] = place;
    return button;
}

void TMainForm::OnPress(QToolButton* button, std::function<void()> run)
{
    // A checkable button is pressed by a click and toggled by an assistive tool: both toggle it. The
    // window's own updates of the pressed state block the signal, so only a person's press runs the command.
    if (button->isCheckable())
        connect(button, &QToolButton::toggled, this, [run = std::move(run)](bool) { run(); });
    else
        connect(button, &QToolButton::clicked, this, [run = std::move(run)] { run(); });
}

QAction* TMainForm::MakeAction(QMenu* menu, const char* name, const QString& caption)
{
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    m_actions[name] = action;
    return action;
}

namespace {

// A menu's accessible name is its caption without the shortcut mark.
QMenu* AddMenu(QMenuBar* bar, const QString& caption, const char* name)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return menu;
}

QMenu* AddSubMenu(QMenu* parent, const QString& caption, const char* name)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return menu;
}

} // namespace

void TMainForm::BuildActions()
{
}

void TMainForm::BuildMenus()
{
    QMenu* file = AddMenu(menuBar(), T("&Fichier"), "MenuFichier");
    QAction* open = MakeAction(file, "MenuFichierOuvrir", T("&Ouvrir une vidéo ou une étude..."));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, [this] { OpenWithDialog(); });
    m_recentMenu = AddSubMenu(file, T("Fichiers &récents"), "MenuFichierRecents");
    QMenu* samples = AddSubMenu(file, T("Vidéos d'e&xemple"), "MenuFichierExemples");
    QAction* ball = MakeAction(samples, "MenuFichierExempleBalle", T("Balle lancée (chute libre)"));
    connect(ball, &QAction::triggered, this, [this] { OpenSampleVideo(TSample::ThrownBall); });
    QAction* cylinder = MakeAction(samples, "MenuFichierExempleCylindre", T("Cylindre roulant sur un plan incliné"));
    connect(cylinder, &QAction::triggered, this, [this] { OpenSampleVideo(TSample::RollingCylinder); });
    file->addSeparator();
    QAction* save = MakeAction(file, "MenuFichierEnregistrer", T("&Enregistrer l'étude"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { SaveStudy(); });
    QAction* saveAs = MakeAction(file, "MenuFichierEnregistrerSous", T("Enregistrer l'étude &sous..."));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, this, [this] { SaveStudyAs(); });
    QAction* properties = MakeAction(file, "MenuFichierProprietes", T("&Propriétés de la vidéo..."));
    connect(properties, &QAction::triggered, this, [this] { ShowVideoPropertiesBox(this, m_parts.video); });
    file->addSeparator();
    QAction* quit = MakeAction(file, "MenuFichierQuitter", T("&Quitter"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* view = AddMenu(menuBar(), T("&Affichage"), "MenuAffichage");
    QAction* undo = MakeAction(view, "MenuAffichageAnnuler", T("Annuler"));
    // The program's own Ctrl+A, and the Ctrl+Z every other program has.
    undo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence::Undo });
    connect(undo, &QAction::triggered, this, [this] { Undo(); });
    view->addSeparator();
    QAction* loupe = MakeAction(view, "MenuAffichageLoupe", T("&Loupe"));
    loupe->setCheckable(true);
    connect(loupe, &QAction::toggled, this, [this](bool on) {
        m_parts.video.ShowLoupe(on);
        RedrawView();
    });
    QAction* hide = MakeAction(view, "MenuAffichageCacherImage", T("&Cacher l'image"));
    hide->setCheckable(true);
    connect(hide, &QAction::toggled, this, [this](bool on) {
        m_parts.video.SetHideImage(on);
        RedrawView();
    });
    QAction* go = MakeAction(view, "MenuAffichageAllerImageNumero", T("Aller à l'image &numéro..."));
    go->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(go, &QAction::triggered, this, [this] { AskFrameNumber(); });
    QAction* last = MakeAction(view, "MenuAffichageAllerDerniereImagePointee", T("Aller à la &dernière image pointée"));
    connect(last, &QAction::triggered, this, [this] { m_parts.video.LastPointed(); });
    QAction* colours = MakeAction(view, "MenuAffichageCouleur", T("Noms et c&ouleurs des objets..."));
    connect(colours, &QAction::triggered, this, [this] { OpenNamesDialog(); });
    view->addSeparator();

    QMenu* size = AddSubMenu(view, T("&Taille des éléments"), "MenuAffichageTaille");
    auto* sizes = new QActionGroup(this);
    const char* sizeNames[3]
        = { "MenuAffichageTaillePetite", "MenuAffichageTailleMoyenne", "MenuAffichageTailleGrande" };
    const char* sizeCaptions[3] = { "Petite", "Moyenne", "Grande" };
    for (int i = 0; i < 3; ++i) {
        QAction* a = MakeAction(size, sizeNames[i], T(sizeCaptions[i]));
        a->setCheckable(true);
        sizes->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] {
            m_parts.data.SetElementSize(i);
            RedrawView();
        });
    }
    QMenu* numbers = AddSubMenu(view, T("&Numéros des marques"), "MenuAffichageNumeroter");
    auto* positions = new QActionGroup(this);
    const char* numberNames[3]
        = { "MenuAffichageNumeroterDown", "MenuAffichageNumeroterRight", "MenuAffichageNumeroterNone" };
    const char* numberCaptions[3] = { "En dessous", "A droite", "Aucun numéro" };
    for (int i = 0; i < 3; ++i) {
        QAction* a = MakeAction(numbers, numberNames[i], T(numberCaptions[i]));
        a->setCheckable(true);
        positions->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] {
            m_parts.data.SetNumberPosition(i);
            RedrawView();
            UpdateAll();
        });
    }
    QMenu* draw = AddSubMenu(view, T("&Marques dessinées"), "MenuAffichageDessiner");
    auto* drawn = new QActionGroup(this);
    QAction* lastMark = MakeAction(draw, "MenuAffichageDessinerDerniereMarque", T("La dernière marque"));
    QAction* allMarks = MakeAction(draw, "MenuAffichageDessinerToutesLesMarques", T("Toutes les marques"));
    QAction* someMarks = MakeAction(draw, "MenuAffichageDessinerAutres", T("Les dernières marques..."));
    for (QAction* a : { lastMark, allMarks, someMarks }) {
        a->setCheckable(true);
        drawn->addAction(a);
    }
    connect(lastMark, &QAction::triggered, this, [this] {
        m_parts.data.SetAllDrawn(false);
        m_parts.data.SetMarksToDraw(1);
        RedrawView();
        UpdateAll();
    });
    connect(allMarks, &QAction::triggered, this, [this] {
        m_parts.data.SetAllDrawn(true);
        RedrawView();
        UpdateAll();
    });
    connect(someMarks, &QAction::triggered, this, [this] { AskMarksToDraw(); });
    QAction* perObject = MakeAction(draw, "MenuAffichageDessinerMarquesObjet", T("Marques de chaque objet..."));
    connect(perObject, &QAction::triggered, this, [this] { OpenNamesDialog(); });

    QMenu* erase = AddSubMenu(view, T("&Effacer"), "MenuAffichageEffacer");
    QAction* eraseMarks = MakeAction(erase, "MenuAffichageEffacerMarques", T("Les marques"));
    connect(eraseMarks, &QAction::triggered, this, [this] { EraseMarks(); });
    QAction* eraseSheet = MakeAction(erase, "MenuAffichageEffacerTransparent", T("Les marques du transparent"));
    connect(eraseSheet, &QAction::triggered, this, [this] { EraseMarks(); });
    QAction* eraseAxes = MakeAction(erase, "MenuAffichageEffacerRepere", T("Le repère"));
    connect(eraseAxes, &QAction::triggered, this, [this] { m_parts.data.RemoveAxes(); });
    QAction* eraseScale = MakeAction(erase, "MenuAffichageEffacerEchelle", T("L'échelle"));
    connect(eraseScale, &QAction::triggered, this, [this] { m_parts.data.RemoveScale(m_parts.data.ScaleKind()); });
    erase->addSeparator();
    QAction* eraseAll = MakeAction(erase, "MenuAffichageEffacerTout", T("Tout"));
    connect(eraseAll, &QAction::triggered, this, [this] { EraseAll(); });
    view->addSeparator();
    QAction* settings = MakeAction(view, "MenuAffichageOptions", T("O&ptions..."));
    connect(settings, &QAction::triggered, this, [this] {
        if (RunSettingsDialog(this, m_parts.options, m_parts.dialog, m_parts.desktop))
            ApplySettings();
    });

    QMenu* measures = AddMenu(menuBar(), T("&Mesures"), "MenuMesures");
    QMenu* perFrame = AddSubMenu(measures, T("Nombre de &marques par image"), "MenuMesuresNbMarqueParImage");
    auto* perFrameGroup = new QActionGroup(this);
    const char* perFrameNames[3]
        = { "MenuMesuresNbMarqueParImageUne", "MenuMesuresNbMarqueParImageDeux", "MenuMesuresNbMarqueParImageTrois" };
    const char* perFrameCaptions[3] = { "Une", "Deux", "Trois" };
    for (int i = 0; i < 3; ++i) {
        QAction* a = MakeAction(perFrame, perFrameNames[i], T(perFrameCaptions[i]));
        a->setCheckable(true);
        perFrameGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { AskObjectsPerFrame(i + 1); });
    }
    QAction* perFrameOther = MakeAction(perFrame, "MenuMesuresNbMarqueParImageAutres", T("Autre nombre..."));
    perFrameOther->setCheckable(true);
    perFrameGroup->addAction(perFrameOther);
    connect(perFrameOther, &QAction::triggered, this, [this] { AskObjectsPerFrame(0); });
    QMenu* between = AddSubMenu(measures, T("Nombre d'&images entre deux marques"), "MenuMesuresNbImagesEntreMarques");
    auto* betweenGroup = new QActionGroup(this);
    QAction* one = MakeAction(between, "MenuMesuresNbImagesEntreMarquesUne", T("Une"));
    QAction* other = MakeAction(between, "MenuMesuresNbImagesEntreMarquesAutres", T("Autre nombre..."));
    for (QAction* a : { one, other }) {
        a->setCheckable(true);
        betweenGroup->addAction(a);
    }
    connect(one, &QAction::triggered, this, [this] { AskFramesBetweenMarks(false); });
    connect(other, &QAction::triggered, this, [this] { AskFramesBetweenMarks(true); });
    QAction* time = MakeAction(measures, "MenuMesuresTemps", T("&Temps entre deux images..."));
    connect(time, &QAction::triggered, this, [this] {
        if (AskTimeDialog(this, m_parts.data, m_parts.dialog))
            UpdateAll();
    });
    measures->addSeparator();
    QAction* length = MakeAction(measures, "MenuMesuresValeurEchelle", T("&Longueur de l'échelle..."));
    connect(length, &QAction::triggered, this, [this] { AskScaleLength(document::skSingle); });
    QAction* lengthH
        = MakeAction(measures, "MenuMesuresValeurEchelleHoriz", T("Longueur de l'échelle &horizontale..."));
    connect(lengthH, &QAction::triggered, this, [this] { AskScaleLength(document::skHorizontal); });
    QAction* lengthV = MakeAction(measures, "MenuMesuresValeurEchelleVert", T("Longueur de l'échelle &verticale..."));
    connect(lengthV, &QAction::triggered, this, [this] { AskScaleLength(document::skVertical); });
    QAction* angle = MakeAction(measures, "MenuMesuresAngleRotation", T("&Angle de rotation du repère..."));
    connect(angle, &QAction::triggered, this, [this] { AskAngle(); });
    QAction* flipX = MakeAction(measures, "MenuMesuresInverserAxeX", T("Inverser l'axe &X"));
    connect(flipX, &QAction::triggered, this, [this] { m_parts.data.SetXAxisDirect(!m_parts.data.XAxisDirect()); });
    QAction* flipY = MakeAction(measures, "MenuMesuresInverserAxeY", T("Inverser l'axe &Y"));
    connect(flipY, &QAction::triggered, this, [this] { m_parts.data.SetYAxisDirect(!m_parts.data.YAxisDirect()); });
    measures->addSeparator();
    QAction* calculator = MakeAction(measures, "MenuMesuresCalculatrice", T("&Calculatrice"));
    calculator->setEnabled(false);

    // The results pages, also reached from the results bar.
    QMenu* results = AddMenu(menuBar(), T("&Résultats"), "MenuResultats");
    QAction* table = MakeAction(results, "MenuResultatsTableau", T("&Tableau des mesures"));
    table->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(table, &QAction::triggered, this, [this] { ShowResults(rpTable); });
    // The graph pages come with the graphs.
    MakeAction(results, "MenuResultatsTemps", T("Graphes en fonction du t&emps"))->setEnabled(false);
    MakeAction(results, "MenuResultatsReferentiel", T("T&rajectoires"))->setEnabled(false);
    MakeAction(results, "MenuResultatsVecteur", T("&Vecteurs vitesse et accélération"))->setEnabled(false);
    MakeAction(results, "MenuResultatsFormule", T("&Formules"))->setEnabled(false);

    QMenu* help = AddMenu(menuBar(), T("A&ide"), "MenuAide");
    QAction* helpPages = MakeAction(help, "MenuAideKinoval", T("&Aide de Kinoval"));
    helpPages->setShortcut(QKeySequence::HelpContents);
    connect(helpPages, &QAction::triggered, this, [this] { ShowHelpPages(); });
    QAction* about = MakeAction(help, "MenuAideApropos", T("A &propos de Kinoval..."));
    connect(about, &QAction::triggered, this, [this] { ShowAboutKinoval(this); });
}

void TMainForm::BuildModeBar()
{
    m_modeBar = new QToolBar(T("Modes"), this);
    m_modeBar->setObjectName(QStringLiteral("ToolBarModes"));
    m_modeBar->setMovable(false);
    addToolBar(Qt::LeftToolBarArea, m_modeBar);
    QToolButton* fixed = MakeButton(
        m_modeBar, "ButtonModeRepereFixe", T("Repère fixe"), T("Pointer dans le repère de la caméra"), true);
    OnPress(fixed, [this] { ChooseMode(video::vmFixedPointing); });
    QToolButton* sheet = MakeButton(
        m_modeBar, "ButtonModeTransparent", T("Transparent mobile"), T("Pointer sur un transparent mobile"), true);
    OnPress(sheet, [this] { ChooseMode(video::vmTransparentPointing); });
    QToolButton* tracking
        = MakeButton(m_modeBar, "ButtonModeTracking", T("Suivi automatique"), T("Suivi automatique d'un objet"), true);
    OnPress(tracking, [this] { ChooseMode(video::vmTracking); });
    QToolButton* montage = MakeButton(m_modeBar, "ButtonModeMontage", T("Montage"), T("Montage de la vidéo"), true);
    OnPress(montage, [this] { ChooseMode(video::vmMontage); });
    MakeButton(m_modeBar, "ButtonModeStudio", T("Atelier vidéo"), T("Atelier vidéo"), true);
    MakeButton(m_modeBar, "ButtonModeCapture", T("Capture vidéo"), T("Capture vidéo"), true);
}

void TMainForm::BuildToolBar()
{
    m_toolBar = new QToolBar(T("Outils"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBarOutils"));
    m_toolBar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    QToolButton* zoom = MakeButton(m_toolBar, "ButtonOutilZoom", T("Zoom"), T(kHintZoom), true);
    OnPress(zoom, [this] { ChooseZoomTool(); });
    QToolButton* pan = MakeButton(m_toolBar, "ButtonOutilPan", T("Déplacer l'image"), T(kHintPan), true);
    OnPress(pan, [this] { ChoosePanTool(); });
    m_toolActions["sep1"] = m_toolBar->addSeparator();
    QToolButton* scale = MakeButton(m_toolBar, "ButtonOutilEchelle", T("Echelle"), T(kHintScale), true);
    OnPress(scale, [this] { ChooseDocumentTool(document::toScale, document::skSingle); });
    QToolButton* scaleH
        = MakeButton(m_toolBar, "ButtonOutilEchelleHoriz", T("Echelle horizontale"), T(kHintScale), true);
    OnPress(scaleH, [this] { ChooseDocumentTool(document::toScale, document::skHorizontal); });
    QToolButton* scaleV = MakeButton(m_toolBar, "ButtonOutilEchelleVert", T("Echelle verticale"), T(kHintScale), true);
    OnPress(scaleV, [this] { ChooseDocumentTool(document::toScale, document::skVertical); });
    QToolButton* origin = MakeButton(m_toolBar, "ButtonOutilOrigine", T("Repère"), T(kHintOrigin), true);
    OnPress(origin, [this] { ChooseDocumentTool(document::toOriginAndAxes); });
    QToolButton* sheet = MakeButton(m_toolBar, "ButtonOutilTsp", T("Transparent"), T(kHintSheet), true);
    OnPress(sheet, [this] { ChooseDocumentTool(document::toTransparent); });
    QToolButton* marks = MakeButton(m_toolBar, "ButtonOutilMarque", T("Marques"), T(kHintMarks), true);
    OnPress(marks, [this] { ChooseDocumentTool(document::toPlaceMarks); });
    QToolButton* move = MakeButton(m_toolBar, "ButtonOutilDeplacer", T("Déplacer des marques"), T(kHintMove), true);
    OnPress(move, [this] { ChooseDocumentTool(document::toMoveMarks); });
    QToolButton* erase = MakeButton(m_toolBar, "ButtonOutilEffacer", T("Effacer des marques"), T(kHintErase), true);
    OnPress(erase, [this] { ChooseDocumentTool(document::toErase); });
    m_toolActions["sep2"] = m_toolBar->addSeparator();
    QToolButton* names = MakeButton(
        m_toolBar, "ButtonOutilNom", T("Noms et couleurs"), T("Modifier le nom et la couleur de chaque marque"));
    connect(names, &QToolButton::clicked, this, [this] { OpenNamesDialog(); });
}

void TMainForm::BuildResultsBar()
{
    m_resultsBar = new QToolBar(T("Résultats"), this);
    m_resultsBar->setObjectName(QStringLiteral("ToolBarResultats"));
    m_resultsBar->setMovable(false);
    addToolBar(Qt::RightToolBarArea, m_resultsBar);
    QToolButton* table = MakeButton(
        m_resultsBar, "ButtonMenuTableau", T("Tableau des mesures"), T("Afficher le tableau des valeurs (Ctrl+T)"));
    connect(table, &QToolButton::clicked, this, [this] { ShowResults(rpTable); });
    // The graph pages come with the graphs.
    MakeButton(m_resultsBar, "ButtonMenuTemps", T("Graphes en fonction du temps"), QString())->setEnabled(false);
    MakeButton(m_resultsBar, "ButtonMenuReferentiel", T("Trajectoires"), QString())->setEnabled(false);
    MakeButton(m_resultsBar, "ButtonMenuVecteur", T("Vecteurs vitesse et accélération"), QString())->setEnabled(false);
    MakeButton(m_resultsBar, "ButtonMenuFormule", T("Formules"), QString())->setEnabled(false);
}

void TMainForm::BuildNavigationBar()
{
    m_navBar = new QToolBar(T("Navigation"), this);
    m_navBar->setObjectName(QStringLiteral("ToolBarNavigation"));
    m_navBar->setMovable(false);
    addToolBar(Qt::BottomToolBarArea, m_navBar);
    struct TNav {
        const char* name;
        const char* caption;
        const char* tip;
        QKeySequence key;
        std::function<void()> run;
    };
    video::TVideo& v = m_parts.video;
    const TNav navs[] = {
        { "ButtonVideoRetour", "Première image", "Aller à la première image (Début)", QKeySequence(Qt::Key_Home),
            [&v] { v.First(); } },
        { "ButtonVideoPred", "Image précédente", "Aller à l'image précédente (Page précédente)",
            QKeySequence(Qt::Key_PageUp), [&v] { v.Previous(); } },
        { "ButtonVideoPause", "Pause", "Arrêter la lecture", QKeySequence(), [&v] { v.Pause(); } },
        { "ButtonVideoLecture", "Lecture", "Lire la vidéo (Espace)", QKeySequence(Qt::Key_Space),
            [&v] { v.PlayButton(); } },
        { "ButtonVideoSucc", "Image suivante", "Aller à l'image suivante (Page suivante)",
            QKeySequence(Qt::Key_PageDown), [&v] { v.Next(); } },
        { "ButtonVideoAvance", "Dernière image", "Aller à la dernière image (Fin)", QKeySequence(Qt::Key_End),
            [&v] { v.Last(); } },
    };
    for (const TNav& nav : navs) {
        QToolButton* b = MakeButton(m_navBar, nav.name, T(nav.caption), T(nav.tip));
        if (!nav.key.isEmpty())
            b->setShortcut(nav.key);
        auto run = nav.run;
        connect(b, &QToolButton::clicked, this, [this, run] {
            run();
            UpdateFrameBox();
        });
    }
    m_trackBar = new QSlider(Qt::Horizontal, m_navBar);
    m_trackBar->setObjectName(QStringLiteral("TrackBar"));
    m_trackBar->setMinimumWidth(200);
    m_trackBar->setToolTip(T("Glisser pour aller à une image"));
    m_trackBar->setAccessibleName(T("Position dans la vidéo"));
    m_trackBar->setFocusPolicy(Qt::NoFocus);
    m_navBar->addWidget(m_trackBar);
    connect(m_trackBar, &QSlider::valueChanged, this, [this](int value) {
        if (m_settingTrackBar)
            return;
        m_parts.video.GoToFrame(value);
        UpdateFrameBox();
    });

    auto box = [this](const char* name, const QString& caption, const QString& tip, int width) {
        auto* label = new QLineEdit(m_navBar);
        label->setObjectName(QLatin1String(name));
        label->setAccessibleName(caption);
        label->setReadOnly(true);
        label->setFocusPolicy(Qt::NoFocus);
        label->setAlignment(Qt::AlignCenter);
        label->setToolTip(tip);
        label->setFixedWidth(width);
        label->installEventFilter(this);
        m_navBar->addWidget(label);
        return label;
    };
    m_navBar->addSeparator();
    m_editImage
        = box("EditImage", T("Numéro de l'image"), T("Numéro de l'image (cliquer pour aller à une image)"), 110);
    m_editMarque = box("EditMarque", T("Objet à pointer"), T("Objet à pointer"), 150);
    m_editZoom
        = box("EditZoom", T("Taux d'agrandissement"), T("Taux d'agrandissement (cliquer pour revenir à 100 %)"), 70);
    m_editAngle = box(
        "EditAngle", T("Angle de rotation du repère"), T("Angle de rotation du repère (cliquer pour le saisir)"), 80);
}

void TMainForm::BuildViewPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu"));
    struct TEntry {
        const char* name;
        const char* caption;
        const char* button;
    };
    const TEntry entries[] = {
        { "PopupMenuMarque", "Poser des marques", "ButtonOutilMarque" },
        { "PopupMenuDeplacer", "Déplacer des marques", "ButtonOutilDeplacer" },
        { "PopupMenuEffacer", "Effacer des marques", "ButtonOutilEffacer" },
        { "PopupMenuOrigine", "Origine et axes", "ButtonOutilOrigine" },
        { "PopupMenuEchelle", "Echelle", "ButtonOutilEchelle" },
        { "PopupMenuEchelleHoriz", "Echelle horizontale", "ButtonOutilEchelleHoriz" },
        { "PopupMenuEchelleVert", "Echelle verticale", "ButtonOutilEchelleVert" },
        { "PopupMenuTsp", "Transparent", "ButtonOutilTsp" },
        { "PopupMenuZoom", "Zoom", "ButtonOutilZoom" },
        { "PopupMenuPan", "Déplacer l'image", "ButtonOutilPan" },
    };
    for (const TEntry& e : entries) {
        QAction* a = MakeAction(m_popup, e.name, T(e.caption));
        a->setIcon(QIcon(Icon(e.button)));
        QToolButton* button = m_buttons[e.button];
        connect(a, &QAction::triggered, button, &QToolButton::click);
    }
    // The tracking entries belong to the tracking mode's panel.
    MakeAction(m_popup, "PopupMenuTrackContour", T("Contour de l'objet à suivre"))->setVisible(false);
    MakeAction(m_popup, "PopupMenuTrackBanZone", T("Zone interdite"))->setVisible(false);
}

void TMainForm::Wire()
{
    video::TVideo& v = m_parts.video;
    document::TData& d = m_parts.data;
    v.notify.framePainted = [this] { UpdateFrameBox(); };
    v.notify.zoomChanged = [this] { UpdateZoomBox(); };
    v.notify.navigationToolChosen = [this] { UpdateToolButtons(); };
    v.notify.modeChanged = [this] {
        DocumentChanged();
        if (m_recovery != nullptr)
            m_recovery->ModeChanged();
    };
    v.notify.playersOpened = [this] {
        FitView();
        UpdateAll();
    };
    v.notify.playersClosed = [this] { UpdateAll(); };
    v.notify.waitAbort = [this] { UpdateModeButtons(); };
    v.notify.message
        = [this](const std::string& text) { m_parts.dialog.ShowMessage(TUserDlgIcon::icWarning, { text }); };
    v.hooks.enterTransparentPointing = [this] { m_parts.data.SetTool(document::toTransparent); };
    v.hooks.processPendingEvents = [this] { m_parts.desktop.ProcessPendingEvents(); };

    auto changed = [this](document::TData&) { DocumentChanged(); };
    d.OnMarksChanged = changed;
    d.OnAxesChanged = changed;
    d.OnScaleChanged = changed;
    d.OnMarksPerFrameChanged = changed;
    d.OnToolChanged = changed;
    d.OnColorChanged = changed;
    d.OnVisibilityChanged = changed;
    d.OnScaleKindChanged = [this](document::TData&, int, int) { DocumentChanged(); };

    m_parts.options.OnChange = [this] { ApplySettings(); };

    m_commands->videoOpened = [this] {
        FitView();
        DocumentChanged(); // a results window on the screen shows the new study
        m_view->setFocus();
        if (m_recovery != nullptr)
            m_recovery->StudyReplaced();
    };
    m_commands->videoOpenFailed = [this] { UpdateAll(); };
    m_commands->studyLoaded = [this] { DocumentChanged(); };
    m_commands->studySaved = [this](const std::string& path) {
        statusBar()->showMessage(T("Etude enregistrée dans") + QStringLiteral(" ") + Q(path), 8000);
        UpdateTitle();
        if (m_recovery != nullptr)
            m_recovery->StudySaved();
    };
    m_commands->isRecording = [] { return false; };

    m_parts.mru.OnClick = [this](const std::string& path) {
        // Later: the menu is rebuilt while one of its entries is being triggered.
        QMetaObject::invokeMethod(
            this, [this, path] { m_commands->Open(path); }, Qt::QueuedConnection);
    };
    m_parts.mru.OnListChange = [this] { RebuildRecentFilesMenu(*m_recentMenu, m_parts.mru); };
    RebuildRecentFilesMenu(*m_recentMenu, m_parts.mru);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_editImage) {
            AskFrameNumber();
            return true;
        }
        if (watched == m_editZoom) {
            m_parts.video.ResetZoom();
            UpdateZoomBox();
            return true;
        }
        if (watched == m_editAngle) {
            AskAngle();
            return true;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Shift and the right button open the tools' menu; the right button alone belongs to the tools.
        if (watched == m_view && mouse->button() == Qt::RightButton && (mouse->modifiers() & Qt::ShiftModifier)) {
            m_popup->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    if (watched == m_view && event->type() == QEvent::ContextMenu) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard) {
            m_popup->popup(menu->globalPos());
            return true;
        }
        return true; // the mouse's context menu is the tools' right button
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------------------
// Start and close

bool TMainForm::OpenSampleVideo(TSample sample)
{
    InitSampleVideos();
    const QStringList written = WriteSampleVideos(Q(TemporaryFolder()));
    if (written.size() < 2) {
        m_parts.dialog.ShowMessage(
            TUserDlgIcon::icWarning, { Tr("Impossible d'écrire le fichier vidéo sur le disque") });
        return false;
    }
    const QString& chosen = written[sample == TSample::RollingCylinder ? 0 : 1];
    return m_commands->Open(chosen.toStdString());
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FitView();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!m_commands->ConfirmBeforeClosing()) {
        event->ignore();
        return;
    }
    m_parts.video.Stop();
    m_resForm->close();
    StorePlace();
    if (m_recovery != nullptr)
        m_recovery->Closed();
    event->accept();
}

void TMainForm::RestorePlace()
{
    if (m_parts.settingsPath.empty()) {
        resize(1024, 720);
        return;
    }
    TIniFile ini;
    ini.Load(m_parts.settingsPath);
    m_parts.mru.SetMaximum(m_parts.options.EditMRU);
    m_parts.mru.ReadList(ini);
    m_parts.mru.ReadFolder(ini);
    const int w = ini.ReadInt(kPlaceSection, "Width", 1024);
    const int h = ini.ReadInt(kPlaceSection, "Height", 720);
    resize(std::max(w, 480), std::max(h, 360));
    if (ini.ValueExists(kPlaceSection, "Left") && ini.ValueExists(kPlaceSection, "Top"))
        move(ini.ReadInt(kPlaceSection, "Left", 0), ini.ReadInt(kPlaceSection, "Top", 0));
    if (ini.ReadBool(kPlaceSection, "Maximized", false))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::StorePlace()
{
    if (m_parts.settingsPath.empty())
        return;
    std::string reason;
    if (m_parts.options.Save(m_parts.settingsPath, &reason) != 0) {
        m_parts.dialog.ShowMessage(TUserDlgIcon::icWarning, SettingsSaveFailureLines(m_parts.settingsPath, reason));
        return;
    }
    TIniFile ini;
    ini.Load(m_parts.settingsPath);
    m_parts.mru.WriteList(ini);
    m_parts.mru.WriteFolder(ini);
    const bool maximized = isMaximized();
    const QRect place = maximized ? normalGeometry() : geometry();
    ini.WriteInteger(kPlaceSection, "Left", place.x());
    ini.WriteInteger(kPlaceSection, "Top", place.y());
    ini.WriteInteger(kPlaceSection, "Width", place.width());
    ini.WriteInteger(kPlaceSection, "Height", place.height());
    ini.WriteBool(kPlaceSection, "Maximized", maximized);
    if (ini.SaveAs(m_parts.settingsPath) != 0)
        m_parts.dialog.ShowMessage(
            TUserDlgIcon::icWarning, SettingsSaveFailureLines(m_parts.settingsPath, ini.LastErrorText()));
}

void TMainForm::ApplySettings()
{
    const TOptions& o = m_parts.options;
    m_parts.data.ApplySettings(mainwindow::DocumentSettingsOf(o));
    m_parts.mru.SetMaximum(o.EditMRU);
    if (m_resForm)
        m_resForm->ApplyOptions();
    if (m_view != nullptr)
        RedrawView();
    UpdateAll();
}

// ---------------------------------------------------------------------------------------------------------
// Commands

void TMainForm::OpenWithDialog()
{
    m_commands->OpenWithDialog();
}

void TMainForm::SaveStudy()
{
    m_commands->Save();
    UpdateAll();
}

void TMainForm::SaveStudyAs()
{
    m_commands->SaveAs();
    UpdateAll();
}

void TMainForm::RedrawView()
{
    m_parts.data.RefreshScreenPositions();
    m_parts.video.Repaint();
    m_view->update();
}

void TMainForm::ShowHelpPages()
{
    // The desktop's browser when it has one; else the pages in a window of the program's own, so that the
    // help never depends on what the machine has registered for HTML.
    ShowHelp(HelpFolders(ProgramFolder()), m_parts.desktop, m_parts.dialog, [this](const std::string& file) {
        if (m_helpWindow == nullptr)
            m_helpWindow = new THelpWindow(this);
        if (!m_helpWindow->ShowFile(Q(file)))
            return false;
        m_helpWindow->show();
        m_helpWindow->raise();
        m_helpWindow->activateWindow();
        return true;
    });
}

void TMainForm::ChooseDocumentTool(int tool, int scaleKind)
{
    if (!m_parts.video.IsOpened()) {
        UpdateToolButtons();
        return;
    }
    m_parts.video.SetNavigationTool(video::ntNone);
    if (tool == document::toScale && scaleKind >= 0) {
        m_parts.data.Scale().Kind = static_cast<std::uint8_t>(scaleKind);
        m_parts.data.RefreshScreenPositions();
    }
    m_parts.data.SetTool(static_cast<std::uint8_t>(tool));
    UpdateAll();
    m_view->setFocus();
}

void TMainForm::ChooseZoomTool()
{
    m_parts.video.SetNavigationTool(video::ntZoom);
    UpdateToolButtons();
    m_view->setFocus();
}

void TMainForm::ChoosePanTool()
{
    if (m_parts.video.ZoomPercent() <= 100)
        m_parts.dialog.ShowMessage(TUserDlgIcon::icInformation,
            { Tr("Le déplacement de l'image dans son cadre n'est possible que si le taux d'agrandissement est "
                 "supérieur à 100%.") });
    // The tool stays chosen: zooming in then lets the user drag at once.
    m_parts.video.SetNavigationTool(video::ntPan);
    UpdateToolButtons();
    m_view->setFocus();
}

void TMainForm::ChooseMode(video::TVideoMode mode)
{
    if (m_parts.video.Mode() != mode)
        m_parts.video.SetMode(mode);
    UpdateAll();
}

std::optional<double> TMainForm::AskValue(const mainwindow::TValueUse& use, const QString& current)
{
    if (askValue)
        return askValue(use, current);
    return AskValueDialog(this, use, current, m_parts.dialog);
}

void TMainForm::AskFrameNumber()
{
    video::TVideo& v = m_parts.video;
    if (!v.IsOpened())
        return;
    const auto value
        = AskValue(mainwindow::MakeFrameNumberUse(v.FrameCount()), QString::number(v.CurrentMontageFrame() + 1));
    if (value) {
        v.GoToFrame(static_cast<int>(std::lround(*value)) - 1);
        UpdateFrameBox();
    }
}

void TMainForm::AskAngle()
{
    document::TData& d = m_parts.data;
    if (!m_parts.video.IsOpened() || m_parts.video.Mode() != video::vmFixedPointing || d.OriginPlaced() == 0)
        return;
    const double degrees = d.XAxisAngle() * 180 / std::numbers::pi;
    const auto value = AskValue(mainwindow::MakeAxisAngleUse(), Q(FormatFileDouble(std::round(degrees * 100) / 100)));
    if (value)
        d.SetXAxisAngle(*value);
    UpdateAll();
}

void TMainForm::AskScaleLength(int kind)
{
    document::TData& d = m_parts.data;
    if (d.ScalePointCount(kind) < 2)
        return;
    const double current = d.ScaleLength(kind);
    const auto value
        = AskValue(mainwindow::MakeScaleLengthUse(), current > 0 ? Q(FormatFileDouble(current)) : QString());
    if (value) {
        d.SetScaleLength(kind, *value);
        DocumentChanged();
    }
}

void TMainForm::AskObjectsPerFrame(int n)
{
    document::TData& d = m_parts.data;
    if (m_parts.video.IsTransparentMarking()) {
        m_parts.dialog.ShowMessage(TUserDlgIcon::icInformation,
            { Tr("Par souci de clarté, on ne peut poser qu'une marque par image sur le transparent.") });
        UpdateAll();
        return;
    }
    if (n <= 0) {
        const auto value = AskValue(mainwindow::MakeObjectsPerFrameUse(), QString::number(d.ObjectsPerFrame()));
        if (!value) {
            UpdateAll();
            return;
        }
        n = static_cast<int>(std::lround(*value));
    }
    d.SetObjectsPerFrame(n);
    UpdateAll();
}

void TMainForm::AskFramesBetweenMarks(bool ask)
{
    document::TData& d = m_parts.data;
    int n = 1;
    if (ask) {
        const int frames = m_parts.video.FrameCount();
        if (frames < 2) {
            UpdateAll();
            return;
        }
        const auto value
            = AskValue(mainwindow::MakeFramesBetweenMarksUse(frames), QString::number(d.FramesNumberBetweenTwoMarks()));
        if (!value) {
            UpdateAll();
            return;
        }
        n = static_cast<int>(std::lround(*value));
    }
    d.SetFramesNumberBetweenTwoMarks(n);
    UpdateAll();
}

void TMainForm::AskMarksToDraw()
{
    document::TData& d = m_parts.data;
    const auto value = AskValue(mainwindow::MakeMarksToDrawUse(), QString::number(d.MarksToDraw()));
    if (value) {
        d.SetAllDrawn(false);
        d.SetMarksToDraw(static_cast<int>(std::lround(*value)));
    }
    UpdateAll();
}

void TMainForm::EraseMarks()
{
    if (m_parts.video.Mode() == video::vmTracking && m_trackingPanel != nullptr) {
        m_trackingPanel->EraseMarks(); // the tracker's positions
        return;
    }
    m_parts.data.EraseAllMarks();
    DocumentChanged();
}

void TMainForm::EraseAll()
{
    if (m_parts.video.Mode() == video::vmTracking && m_trackingPanel != nullptr) {
        m_trackingPanel->EraseAll(); // outlines, zones and positions of every object
        return;
    }
    document::TData& d = m_parts.data;
    // Scale, marks and (in the camera's frame) the axes go in one undo step.
    document::THistoryGroup group(d.CurrentHistory());
    d.EraseAllMarks();
    if (d.IsTransparentMode())
        d.RemoveScale(d.ScaleKind());
    else
        d.RemoveAxesAndScale();
    DocumentChanged();
}

void TMainForm::OpenNamesDialog()
{
    if (showNamesDialog) {
        showNamesDialog();
        return;
    }
    RunNamesDialog(this, m_parts.data, m_parts.video.IsTransparentMarking());
    DocumentChanged();
}

void TMainForm::Undo()
{
    m_parts.data.Undo();
    DocumentChanged();
}

bool TMainForm::ShowResults(int page)
{
    if (!m_parts.video.IsOpened() || !m_parts.video.IsPointingMode())
        return false;
    m_checks->SetTransparentPointing(m_parts.video.IsTransparentMarking());
    const int outcome = m_checks->Check();
    if (outcome == mainwindow::kResultsNameObjects) {
        OpenNamesDialog();
        return false;
    }
    if (outcome != mainwindow::kResultsGo)
        return false;
    if (!mainwindow::ComputeResults(m_parts.results, m_parts.options, m_parts.dialog))
        return false;
    if (showResultsWindow)
        showResultsWindow(page);
    return true;
}

mainwindow::TScalePictures TMainForm::ScalePictures() const
{
    return { Icon("ButtonOutilEchelle").toStdString(), Icon("ButtonOutilEchelleHoriz").toStdString(),
        Icon("ButtonOutilEchelleVert").toStdString() };
}

void TMainForm::SetModeToolPanel(video::TVideoMode mode, QWidget* panel)
{
    auto it = m_modePanels.find(mode);
    if (it != m_modePanels.end()) {
        m_toolBar->removeAction(it->second.second);
        m_modePanels.erase(it);
    }
    if (panel != nullptr) {
        QAction* place = m_toolBar->addWidget(panel);
        m_modePanels[mode] = { panel, place };
        const char* button = mode == video::vmTracking ? "ButtonModeTracking"
            : mode == video::vmMontage                 ? "ButtonModeMontage"
            : mode == video::vmWorkshop                ? "ButtonModeStudio"
            : mode == video::vmCapture                 ? "ButtonModeCapture"
                                                       : nullptr;
        if (button != nullptr)
            m_buttons[button]->setEnabled(true);
    }
    UpdateAll();
}

void TMainForm::PlaceResultsWindow()
{
    // Beside the main window when the screen has room, so that the table grows under the eyes while the
    // marks are placed; narrowed to the room left when that is wide enough; else over the main window's
    // right part.
    m_resultsPlaced = true;
    const QScreen* place = screen();
    if (place == nullptr)
        return;
    const QRect free = place->availableGeometry();
    const QRect main = frameGeometry();
    const int gap = 8;
    QSize size = m_resForm->size();
    size.setHeight(std::min(size.height(), free.height()));
    int x = main.right() + gap;
    const int room = free.right() - x;
    if (room < size.width()) {
        if (room >= 480)
            size.setWidth(room);
        else
            x = std::max(free.left(), free.right() - size.width());
    }
    const int y = std::clamp(main.top(), free.top(), std::max(free.top(), free.bottom() - size.height()));
    m_resForm->resize(size);
    m_resForm->move(x, y);
}

QSize TMainForm::ViewAreaSize() const
{
    return m_frame->size();
}

void TMainForm::FitView()
{
    m_frame->Fit();
}

// ---------------------------------------------------------------------------------------------------------
// Refreshes

void TMainForm::DocumentChanged()
{
    if (m_resForm)
        m_resForm->DocumentChanged();
    UpdateAll();
}

void TMainForm::UpdateAll()
{
    UpdateModeButtons();
    UpdateToolButtons();
    UpdateEnabled();
    UpdateFrameBox();
    UpdateZoomBox();
    UpdateObjectBox();
    UpdateAngleBox();
    UpdateUndoCaption();
    UpdateStatusHint();
    UpdateTitle();
    if (m_trackingPanel != nullptr)
        m_trackingPanel->UpdateControls();
}

void TMainForm::UpdateTitle()
{
    // The study's file, or the video of a study that has none yet; a mark while it has unsaved changes.
    const std::string& study = m_commands->StudyPath();
    const std::string shown = !study.empty() ? study : m_parts.video.IsOpened() ? m_parts.video.FileName() : "";
    if (shown.empty()) {
        setWindowTitle(QStringLiteral("Kinoval"));
        setWindowModified(false);
        return;
    }
    setWindowTitle(QFileInfo(Q(shown)).fileName() + QStringLiteral("[*] — Kinoval"));
    setWindowModified(m_commands->Modified());
}

void TMainForm::UpdateFrameBox()
{
    if (m_montagePanel != nullptr)
        m_montagePanel->UpdateControls(); // the missing-frame button follows the current frame
    const video::TVideo& v = m_parts.video;
    const bool open = v.IsOpened();
    const int count = open ? v.FrameCount() : 0;
    const int current = open ? v.CurrentMontageFrame() : 0;
    m_editImage->setText(open ? QStringLiteral("%1 / %2").arg(current + 1).arg(count) : QString());
    m_settingTrackBar = true;
    m_trackBar->setRange(0, std::max(0, count - 1));
    m_trackBar->setValue(current);
    m_settingTrackBar = false;
}

void TMainForm::UpdateZoomBox()
{
    m_editZoom->setText(QStringLiteral("%1 %").arg(m_parts.video.ZoomPercent()));
}

void TMainForm::UpdateObjectBox()
{
    const document::TData& d = m_parts.data;
    const int k = d.CurrentObject();
    QString text = QString::number(k + 1);
    if (d.ObjectsPerFrame() > 1)
        text += QStringLiteral(" / %1").arg(d.ObjectsPerFrame());
    m_editMarque->setText(T("Objet") + QLatin1Char(' ') + text);
    m_editMarque->setToolTip(T("Objet à pointer") + QStringLiteral(" : ") + Q(d.ObjectName(k)));
}

void TMainForm::UpdateAngleBox()
{
    const document::TData& d = m_parts.data;
    const bool shown = m_parts.video.Mode() == video::vmFixedPointing && d.OriginPlaced() != 0;
    m_editAngle->setEnabled(shown);
    m_editAngle->setText(shown
            ? QStringLiteral("%1°").arg(QString::number(d.XAxisAngle() * 180 / std::numbers::pi, 'f', 1))
            : QString());
}

void TMainForm::UpdateUndoCaption()
{
    std::string caption = m_parts.data.UndoCaption();
    if (caption.empty())
        caption = Tr("Annuler");
    QAction* undo = m_actions["MenuAffichageAnnuler"];
    undo->setText(Q(caption) + QStringLiteral("  (Ctrl A)"));
}

void TMainForm::UpdateModeButtons()
{
    const video::TVideoMode mode = m_parts.video.Mode();
    const std::pair<const char*, video::TVideoMode> modes[] = {
        { "ButtonModeRepereFixe", video::vmFixedPointing },
        { "ButtonModeTransparent", video::vmTransparentPointing },
        { "ButtonModeTracking", video::vmTracking },
        { "ButtonModeMontage", video::vmMontage },
        { "ButtonModeStudio", video::vmWorkshop },
        { "ButtonModeCapture", video::vmCapture },
    };
    for (const auto& [name, m] : modes) {
        const QSignalBlocker quiet(m_buttons[name]);
        m_buttons[name]->setChecked(mode == m);
    }
}

void TMainForm::UpdateToolButtons()
{
    const video::TVideo& v = m_parts.video;
    const document::TData& d = m_parts.data;
    const bool pointing = v.IsPointingMode();
    const bool transparent = v.IsTransparentMarking();
    const bool separate = d.Settings().CheckBox41HorizAndVertScale_Checked;
    // The tool bar shows the tools of the current mode only.
    auto show = [this](const char* name, bool visible) { m_toolActions[name]->setVisible(visible); };
    show("ButtonOutilZoom", pointing);
    show("ButtonOutilPan", pointing);
    show("sep1", pointing);
    show("ButtonOutilEchelle", pointing && !separate);
    show("ButtonOutilEchelleHoriz", pointing && separate);
    show("ButtonOutilEchelleVert", pointing && separate);
    show("ButtonOutilOrigine", pointing && !transparent);
    show("ButtonOutilTsp", transparent);
    show("ButtonOutilMarque", pointing);
    show("ButtonOutilDeplacer", pointing);
    show("ButtonOutilEffacer", pointing);
    show("sep2", pointing);
    show("ButtonOutilNom", pointing);
    for (auto& [mode, panel] : m_modePanels)
        panel.second->setVisible(v.Mode() == mode);

    std::string chosen;
    if (v.NavigationTool() == video::ntZoom)
        chosen = "ButtonOutilZoom";
    else if (v.NavigationTool() == video::ntPan)
        chosen = "ButtonOutilPan";
    else
        chosen = ToolButtonName(d.Tool(), d.ScaleKind());
    for (const char* name : { "ButtonOutilZoom", "ButtonOutilPan", "ButtonOutilEchelle", "ButtonOutilEchelleHoriz",
             "ButtonOutilEchelleVert", "ButtonOutilOrigine", "ButtonOutilTsp", "ButtonOutilMarque",
             "ButtonOutilDeplacer", "ButtonOutilEffacer" }) {
        const QSignalBlocker quiet(m_buttons[name]);
        m_buttons[name]->setChecked(chosen == name);
    }
    UpdateStatusHint();
}

void TMainForm::UpdateEnabled()
{
    const video::TVideo& v = m_parts.video;
    const document::TData& d = m_parts.data;
    const bool open = v.IsOpened();
    const bool pointing = open && v.IsPointingMode();
    const bool transparent = v.IsTransparentMarking();
    const bool fixed = v.Mode() == video::vmFixedPointing;
    const bool separate = d.Settings().CheckBox41HorizAndVertScale_Checked;
    for (const char* name : { "ButtonVideoRetour", "ButtonVideoPred", "ButtonVideoPause", "ButtonVideoLecture",
             "ButtonVideoSucc", "ButtonVideoAvance", "ButtonOutilZoom", "ButtonOutilPan", "ButtonOutilEchelle",
             "ButtonOutilEchelleHoriz", "ButtonOutilEchelleVert", "ButtonOutilOrigine", "ButtonOutilTsp",
             "ButtonOutilMarque", "ButtonOutilDeplacer", "ButtonOutilEffacer", "ButtonOutilNom", "ButtonModeRepereFixe",
             "ButtonModeTransparent", "ButtonMenuTableau" })
        m_buttons[name]->setEnabled(open);
    m_trackBar->setEnabled(open);
    // Modes without their panel yet stay unavailable.
    const std::pair<const char*, video::TVideoMode> others[]
        = { { "ButtonModeTracking", video::vmTracking }, { "ButtonModeMontage", video::vmMontage },
              { "ButtonModeStudio", video::vmWorkshop }, { "ButtonModeCapture", video::vmCapture } };
    const TOptions& o = m_parts.options;
    for (const auto& [name, mode] : others)
        m_buttons[name]->setEnabled(open && m_modePanels.count(mode) != 0
            && (mode != video::vmTracking || o.CheckBox47AllowTracking)
            && (mode != video::vmMontage || o.CheckBox48AllowMontage));

    auto enable = [this](const char* name, bool on) { m_actions[name]->setEnabled(on); };
    auto visible = [this](const char* name, bool on) { m_actions[name]->setVisible(on); };
    visible("MenuFichierEnregistrer", v.Mode() != video::vmCapture && v.Mode() != video::vmWorkshop);
    enable("MenuFichierEnregistrer", open);
    visible("MenuFichierEnregistrerSous", v.Mode() != video::vmCapture && v.Mode() != video::vmWorkshop);
    enable("MenuFichierEnregistrerSous", open);
    enable("MenuResultatsTableau", open);
    visible("MenuFichierProprietes", v.Mode() != video::vmCapture);
    enable("MenuFichierProprietes", open);
    for (const char* name :
        { "MenuAffichageAnnuler", "MenuAffichageLoupe", "MenuAffichageCacherImage", "MenuAffichageAllerImageNumero",
            "MenuAffichageAllerDerniereImagePointee", "MenuAffichageCouleur", "MenuAffichageDessinerDerniereMarque",
            "MenuAffichageDessinerToutesLesMarques", "MenuAffichageDessinerAutres", "MenuAffichageDessinerMarquesObjet",
            "MenuAffichageEffacerTout", "MenuMesuresNbMarqueParImageUne", "MenuMesuresNbMarqueParImageDeux",
            "MenuMesuresNbMarqueParImageTrois", "MenuMesuresNbMarqueParImageAutres",
            "MenuMesuresNbImagesEntreMarquesUne", "MenuMesuresNbImagesEntreMarquesAutres", "MenuMesuresTemps",
            "MenuMesuresInverserAxeX", "MenuMesuresInverserAxeY" })
        enable(name, pointing);
    const bool tracking = open && v.Mode() == video::vmTracking && m_trackingPanel != nullptr;
    visible("MenuAffichageEffacerMarques", !transparent);
    enable("MenuAffichageEffacerMarques", pointing || tracking);
    visible("PopupMenuTrackContour", tracking);
    visible("PopupMenuTrackBanZone", tracking);
    if (tracking)
        enable("MenuAffichageEffacerTout", true);
    visible("MenuAffichageEffacerTransparent", transparent);
    enable("MenuAffichageEffacerTransparent", pointing);
    enable("MenuAffichageEffacerRepere", pointing && fixed && d.OriginPlaced() != 0);
    enable("MenuAffichageEffacerEchelle", pointing && d.ScalePointCount() > 0);
    visible("MenuMesuresValeurEchelle", !separate);
    visible("MenuMesuresValeurEchelleHoriz", separate);
    visible("MenuMesuresValeurEchelleVert", separate);
    enable("MenuMesuresValeurEchelle", pointing && d.ScalePointCount(document::skSingle) >= 2);
    enable("MenuMesuresValeurEchelleHoriz", pointing && d.ScalePointCount(document::skHorizontal) >= 2);
    enable("MenuMesuresValeurEchelleVert", pointing && d.ScalePointCount(document::skVertical) >= 2);
    enable("MenuMesuresAngleRotation", pointing && fixed && d.OriginPlaced() != 0);
    m_actions["MenuAffichageLoupe"]->setChecked(v.Loupe().Visible());
    m_actions["MenuAffichageCacherImage"]->setChecked(v.HideImage());

    const int size = std::clamp(static_cast<int>(d.ElementSize()), 0, 2);
    const char* sizes[3] = { "MenuAffichageTaillePetite", "MenuAffichageTailleMoyenne", "MenuAffichageTailleGrande" };
    m_actions[sizes[size]]->setChecked(true);
    const int position = std::clamp(d.NumberPosition(), 0, 2);
    const char* positions[3]
        = { "MenuAffichageNumeroterDown", "MenuAffichageNumeroterRight", "MenuAffichageNumeroterNone" };
    m_actions[positions[position]]->setChecked(true);
    if (d.AllDrawn())
        m_actions["MenuAffichageDessinerToutesLesMarques"]->setChecked(true);
    else if (d.MarksToDraw() == 1)
        m_actions["MenuAffichageDessinerDerniereMarque"]->setChecked(true);
    else
        m_actions["MenuAffichageDessinerAutres"]->setChecked(true);
    const int perFrame = d.ObjectsPerFrame();
    const char* perFrameNames[4] = { "MenuMesuresNbMarqueParImageUne", "MenuMesuresNbMarqueParImageDeux",
        "MenuMesuresNbMarqueParImageTrois", "MenuMesuresNbMarqueParImageAutres" };
    m_actions[perFrameNames[std::clamp(perFrame, 1, 4) - 1]]->setChecked(true);
    m_actions[d.FramesNumberBetweenTwoMarks() == 1 ? "MenuMesuresNbImagesEntreMarquesUne"
                                                   : "MenuMesuresNbImagesEntreMarquesAutres"]
        ->setChecked(true);
}

void TMainForm::UpdateStatusHint()
{
    const video::TVideo& v = m_parts.video;
    const char* hint = "";
    if (!v.IsOpened())
        hint = "Ouvrir un fichier vidéo (menu Fichier)";
    else if (v.NavigationTool() == video::ntZoom)
        hint = kHintZoom;
    else if (v.NavigationTool() == video::ntPan)
        hint = kHintPan;
    else if (v.IsPointingMode()) {
        switch (m_parts.data.Tool()) {
        case document::toScale:
            hint = kHintScale;
            break;
        case document::toPlaceMarks:
            hint = kHintMarks;
            break;
        case document::toMoveMarks:
            hint = kHintMove;
            break;
        case document::toOriginAndAxes:
            hint = kHintOrigin;
            break;
        case document::toErase:
            hint = kHintErase;
            break;
        case document::toTransparent:
            hint = kHintSheet;
            break;
        default:
            break;
        }
    }
    if (v.IsOpened() && v.Mode() == video::vmTracking && m_trackingPanel != nullptr
        && v.NavigationTool() == video::ntNone) {
        m_hint->setText(m_trackingPanel->ViewHint()); // the outline's shape tells how to draw it
        return;
    }
    m_hint->setText(*hint != '\0' ? T(hint) : QString());
}

} // namespace kinoval::gui
