// The main window's commands: the tables its menus, bars and view popup are made from, and what each
// command does (Run, and the commands that ask a value first).
#include "gui/mainwindow/main_form.h"

#include "core/common/numbers.h"
#include "core/common/user_dlg.h"
#include "core/document/data.h"
#include "core/montage/record_commands.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/studio.h"
#include "gui/common/qt_text.h"
#include "gui/dialogs/main_form_dialogs.h"
#include "gui/montage/montage_panel.h"
#include "gui/results/res_form.h"
#include "gui/tracking/tracking_panel.h"
#include "gui/video/studio_panel.h"
#include "gui/video/video_widget.h"

#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include <cmath>
#include <numbers>

namespace kinoval::gui {

namespace {

using C = mainwindow::TCommand;

QString Icon(const char* name)
{
    return QStringLiteral(":/mainwindow/%1.svg").arg(QLatin1String(name));
}

using mainwindow::kHintErase;
using mainwindow::kHintMarks;
using mainwindow::kHintMove;
using mainwindow::kHintOrigin;
using mainwindow::kHintPan;
using mainwindow::kHintScale;
using mainwindow::kHintSheet;
using mainwindow::kHintZoom;

// The bars' buttons, bar by bar, in the order they stand.
enum class TBar { Modes, Tools, Results, Navigation };
struct TButtonRow {
    C command;
    TBar bar;
    const char* caption; // also the accessible name: the messages name the buttons so
    const char* tip; // null: the caption
    QKeySequence::StandardKey standard = QKeySequence::UnknownKey;
    int key = 0;
    bool checkable = false;
};
const TButtonRow kButtons[] = {
    { C::ModeRepereFixe, TBar::Modes, TrNoop("Repère fixe"), TrNoop("Pointer dans le repère de la caméra"), {}, 0,
        true },
    { C::ModeTransparent, TBar::Modes, TrNoop("Transparent mobile"), TrNoop("Pointer sur un transparent mobile"), {}, 0,
        true },
    { C::ModeTracking, TBar::Modes, TrNoop("Suivi automatique"), TrNoop("Suivi automatique d'un objet"), {}, 0, true },
    { C::ModeMontage, TBar::Modes, TrNoop("Montage"), TrNoop("Montage de la vidéo"), {}, 0, true },
    { C::ModeStudio, TBar::Modes, TrNoop("Atelier vidéo"), nullptr, {}, 0, true },
    { C::ModeCapture, TBar::Modes, TrNoop("Capture vidéo"), nullptr, {}, 0, true },
    { C::OutilZoom, TBar::Tools, TrNoop("Zoom"), kHintZoom, {}, 0, true },
    { C::OutilPan, TBar::Tools, TrNoop("Déplacer l'image"), kHintPan, {}, 0, true },
    { C::OutilEchelle, TBar::Tools, TrNoop("Echelle"), kHintScale, {}, 0, true },
    { C::OutilEchelleHoriz, TBar::Tools, TrNoop("Echelle horizontale"), kHintScale, {}, 0, true },
    { C::OutilEchelleVert, TBar::Tools, TrNoop("Echelle verticale"), kHintScale, {}, 0, true },
    { C::OutilOrigine, TBar::Tools, TrNoop("Repère"), kHintOrigin, {}, 0, true },
    { C::OutilTsp, TBar::Tools, TrNoop("Transparent"), kHintSheet, {}, 0, true },
    { C::OutilMarque, TBar::Tools, TrNoop("Marques"), kHintMarks, {}, 0, true },
    { C::OutilDeplacer, TBar::Tools, TrNoop("Déplacer des marques"), kHintMove, {}, 0, true },
    { C::OutilEffacer, TBar::Tools, TrNoop("Effacer des marques"), kHintErase, {}, 0, true },
    { C::OutilNom, TBar::Tools, TrNoop("Noms et couleurs"), TrNoop("Modifier le nom et la couleur de chaque marque") },
    { C::MenuTableau, TBar::Results, TrNoop("Tableau des mesures"),
        TrNoop("Afficher le tableau des valeurs (Ctrl+T)") },
    { C::MenuTemps, TBar::Results, TrNoop("Graphes en fonction du temps"),
        TrNoop("Afficher les grandeurs en fonction du temps") },
    { C::MenuReferentiel, TBar::Results, TrNoop("Trajectoires"),
        TrNoop("Afficher la trajectoire dans un référentiel") },
    { C::MenuVecteur, TBar::Results, TrNoop("Vecteurs vitesse et accélération"),
        TrNoop("Afficher les vecteurs vitesse et accélération sur la trajectoire") },
    { C::MenuFormule, TBar::Results, TrNoop("Formules"), TrNoop("Tracer les formules personnelles") },
    { C::VideoRetour, TBar::Navigation, TrNoop("Première image"), TrNoop("Aller à la première image (Début)"), {},
        Qt::Key_Home },
    { C::VideoPred, TBar::Navigation, TrNoop("Image précédente"),
        TrNoop("Aller à l'image précédente (Page précédente)"), {}, Qt::Key_PageUp },
    { C::VideoPause, TBar::Navigation, TrNoop("Pause"), TrNoop("Arrêter la lecture") },
    { C::VideoLecture, TBar::Navigation, TrNoop("Lecture"), TrNoop("Lire la vidéo (Espace)"), {}, Qt::Key_Space },
    { C::VideoSucc, TBar::Navigation, TrNoop("Image suivante"), TrNoop("Aller à l'image suivante (Page suivante)"), {},
        Qt::Key_PageDown },
    { C::VideoAvance, TBar::Navigation, TrNoop("Dernière image"), TrNoop("Aller à la dernière image (Fin)"), {},
        Qt::Key_End },
};

// The menus, as a list read in order: a menu opens, entries and separators, submenus nested inside.
enum class TItem { Menu, SubMenu, End, Entry, Separator, RecentFiles };
struct TMenuRow {
    TItem item;
    C command = C::Count; // for an entry
    const char* caption = nullptr; // entries and menus
    const char* name = nullptr; // menus: their object name
    QKeySequence::StandardKey standard = QKeySequence::UnknownKey;
    int key = 0;
    bool checkable = false;
    int group = 0; // entries of the same non-zero group exclude one another
};
constexpr int kCtrl = static_cast<int>(Qt::CTRL);
const TMenuRow kMenus[] = {
    { TItem::Menu, C::Count, TrNoop("&Fichier"), "MenuFichier" },
    { TItem::Entry, C::FichierOuvrir, TrNoop("&Ouvrir une vidéo ou une étude..."), nullptr, QKeySequence::Open },
    { TItem::RecentFiles, C::Count, TrNoop("Fichiers &récents"), "MenuFichierRecents" },
    { TItem::SubMenu, C::Count, TrNoop("Vidéos d'e&xemple"), "MenuFichierExemples" },
    { TItem::Entry, C::FichierExempleBalle, TrNoop("Balle lancée (chute libre)") },
    { TItem::Entry, C::FichierExempleCylindre, TrNoop("Cylindre roulant sur un plan incliné") },
    { TItem::End },
    { TItem::Separator },
    { TItem::Entry, C::FichierEnregistrer, TrNoop("&Enregistrer l'étude"), nullptr, QKeySequence::Save },
    { TItem::Entry, C::FichierEnregistrerSous, TrNoop("Enregistrer l'étude &sous..."), nullptr, {},
        kCtrl | Qt::SHIFT | Qt::Key_S },
    { TItem::Entry, C::FichierProprietes, TrNoop("&Propriétés de la vidéo...") },
    { TItem::Separator },
    { TItem::Entry, C::FichierEnregistrerMontage, TrNoop("Enregistrer le &montage dans un fichier vidéo...") },
    { TItem::Entry, C::FichierDecomposer, TrNoop("&Décomposer une vidéo en fichiers images...") },
    { TItem::Entry, C::FichierAssembler, TrNoop("&Créer une vidéo à partir de fichiers images...") },
    { TItem::Separator },
    { TItem::Entry, C::FichierQuitter, TrNoop("&Quitter"), nullptr, {}, kCtrl | Qt::Key_Q },
    { TItem::End },

    { TItem::Menu, C::Count, TrNoop("&Affichage"), "MenuAffichage" },
    { TItem::Entry, C::AffichageAnnuler, TrNoop("Annuler") }, // its keys and caption are set apart
    { TItem::Separator },
    { TItem::Entry, C::AffichageLoupe, TrNoop("&Loupe"), nullptr, {}, 0, true },
    { TItem::Entry, C::AffichageCacherImage, TrNoop("&Cacher l'image"), nullptr, {}, 0, true },
    { TItem::Entry, C::AffichageAllerImageNumero, TrNoop("Aller à l'image &numéro..."), nullptr, {},
        kCtrl | Qt::Key_G },
    { TItem::Entry, C::AffichageAllerDerniereImagePointee, TrNoop("Aller à la &dernière image pointée") },
    { TItem::Entry, C::AffichageCouleur, TrNoop("Noms et c&ouleurs des objets...") },
    { TItem::Separator },
    { TItem::SubMenu, C::Count, TrNoop("&Taille des éléments"), "MenuAffichageTaille" },
    { TItem::Entry, C::AffichageTaillePetite, TrNoop("Petite"), nullptr, {}, 0, true, 1 },
    { TItem::Entry, C::AffichageTailleMoyenne, TrNoop("Moyenne"), nullptr, {}, 0, true, 1 },
    { TItem::Entry, C::AffichageTailleGrande, TrNoop("Grande"), nullptr, {}, 0, true, 1 },
    { TItem::End },
    { TItem::SubMenu, C::Count, TrNoop("&Numéros des marques"), "MenuAffichageNumeroter" },
    { TItem::Entry, C::AffichageNumeroterDown, TrNoop("En dessous"), nullptr, {}, 0, true, 2 },
    { TItem::Entry, C::AffichageNumeroterRight, TrNoop("A droite"), nullptr, {}, 0, true, 2 },
    { TItem::Entry, C::AffichageNumeroterNone, TrNoop("Aucun numéro"), nullptr, {}, 0, true, 2 },
    { TItem::End },
    { TItem::SubMenu, C::Count, TrNoop("&Marques dessinées"), "MenuAffichageDessiner" },
    { TItem::Entry, C::AffichageDessinerDerniereMarque, TrNoop("La dernière marque"), nullptr, {}, 0, true, 3 },
    { TItem::Entry, C::AffichageDessinerToutesLesMarques, TrNoop("Toutes les marques"), nullptr, {}, 0, true, 3 },
    { TItem::Entry, C::AffichageDessinerAutres, TrNoop("Les dernières marques..."), nullptr, {}, 0, true, 3 },
    { TItem::Entry, C::AffichageDessinerMarquesObjet, TrNoop("Marques de chaque objet...") },
    { TItem::End },
    { TItem::SubMenu, C::Count, TrNoop("&Effacer"), "MenuAffichageEffacer" },
    { TItem::Entry, C::AffichageEffacerMarques, TrNoop("Les marques") },
    { TItem::Entry, C::AffichageEffacerTransparent, TrNoop("Les marques du transparent") },
    { TItem::Entry, C::AffichageEffacerRepere, TrNoop("Le repère") },
    { TItem::Entry, C::AffichageEffacerEchelle, TrNoop("L'échelle") },
    { TItem::Separator },
    { TItem::Entry, C::AffichageEffacerTout, TrNoop("Tout") },
    { TItem::End },
    { TItem::Separator },
    { TItem::Entry, C::AffichageOptions, TrNoop("O&ptions...") },
    { TItem::End },

    { TItem::Menu, C::Count, TrNoop("&Mesures"), "MenuMesures" },
    { TItem::SubMenu, C::Count, TrNoop("Nombre de &marques par image"), "MenuMesuresNbMarqueParImage" },
    { TItem::Entry, C::MesuresNbMarqueParImageUne, TrNoop("Une"), nullptr, {}, 0, true, 4 },
    { TItem::Entry, C::MesuresNbMarqueParImageDeux, TrNoop("Deux"), nullptr, {}, 0, true, 4 },
    { TItem::Entry, C::MesuresNbMarqueParImageTrois, TrNoop("Trois"), nullptr, {}, 0, true, 4 },
    { TItem::Entry, C::MesuresNbMarqueParImageAutres, TrNoop("Autre nombre..."), nullptr, {}, 0, true, 4 },
    { TItem::End },
    { TItem::SubMenu, C::Count, TrNoop("Nombre d'&images entre deux marques"), "MenuMesuresNbImagesEntreMarques" },
    { TItem::Entry, C::MesuresNbImagesEntreMarquesUne, TrNoop("Une"), nullptr, {}, 0, true, 5 },
    { TItem::Entry, C::MesuresNbImagesEntreMarquesAutres, TrNoop("Autre nombre..."), nullptr, {}, 0, true, 5 },
    { TItem::End },
    { TItem::Entry, C::MesuresTemps, TrNoop("&Temps entre deux images...") },
    { TItem::Separator },
    { TItem::Entry, C::MesuresValeurEchelle, TrNoop("&Longueur de l'échelle...") },
    { TItem::Entry, C::MesuresValeurEchelleHoriz, TrNoop("Longueur de l'échelle &horizontale...") },
    { TItem::Entry, C::MesuresValeurEchelleVert, TrNoop("Longueur de l'échelle &verticale...") },
    { TItem::Entry, C::MesuresAngleRotation, TrNoop("&Angle de rotation du repère...") },
    { TItem::Entry, C::MesuresInverserAxeX, TrNoop("Inverser l'axe &X") },
    { TItem::Entry, C::MesuresInverserAxeY, TrNoop("Inverser l'axe &Y") },
    { TItem::Separator },
    { TItem::Entry, C::MesuresCalculatrice, TrNoop("&Calculatrice") },
    { TItem::End },

    // The results pages, also reached from the results bar.
    { TItem::Menu, C::Count, TrNoop("&Résultats"), "MenuResultats" },
    { TItem::Entry, C::ResultatsTableau, TrNoop("&Tableau des mesures"), nullptr, {}, kCtrl | Qt::Key_T },
    { TItem::Entry, C::ResultatsTemps, TrNoop("Graphes en fonction du t&emps") },
    { TItem::Entry, C::ResultatsReferentiel, TrNoop("T&rajectoires") },
    { TItem::Entry, C::ResultatsVecteur, TrNoop("&Vecteurs vitesse et accélération") },
    { TItem::Entry, C::ResultatsFormule, TrNoop("&Formules") },
    { TItem::End },

    { TItem::Menu, C::Count, TrNoop("A&ide"), "MenuAide" },
    { TItem::Entry, C::AideKinoval, TrNoop("&Aide de Kinoval"), nullptr, QKeySequence::HelpContents },
    { TItem::Entry, C::AideApropos, TrNoop("A &propos de Kinoval...") },
    { TItem::End },
};

// The view's menu of tools: each entry presses the button of the same name.
struct TPopupRow {
    C command;
    const char* caption;
};
const TPopupRow kPopup[] = {
    { C::PopupMarque, TrNoop("Poser des marques") },
    { C::PopupDeplacer, TrNoop("Déplacer des marques") },
    { C::PopupEffacer, TrNoop("Effacer des marques") },
    { C::PopupOrigine, TrNoop("Origine et axes") },
    { C::PopupEchelle, TrNoop("Echelle") },
    { C::PopupEchelleHoriz, TrNoop("Echelle horizontale") },
    { C::PopupEchelleVert, TrNoop("Echelle verticale") },
    { C::PopupTsp, TrNoop("Transparent") },
    { C::PopupZoom, TrNoop("Zoom") },
    { C::PopupPan, TrNoop("Déplacer l'image") },
    { C::PopupTrackContour, TrNoop("Contour de l'objet à suivre") },
    { C::PopupTrackBanZone, TrNoop("Zone interdite") },
};

QKeySequence KeyOf(QKeySequence::StandardKey standard, int key)
{
    if (standard != QKeySequence::UnknownKey)
        return QKeySequence(standard);
    return key != 0 ? QKeySequence(key) : QKeySequence();
}

QString WithoutMark(const QString& caption)
{
    return QString(caption).remove(QLatin1Char('&'));
}

} // namespace

// ---------------------------------------------------------------------------------------------- building

QToolButton* TMainForm::MakeButton(QToolBar* bar, TCommand command, const QString& caption, const QString& tip,
    const QKeySequence& key, bool checkable)
{
    const char* name = mainwindow::CommandName(command);
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
    if (!key.isEmpty())
        button->setShortcut(key);
    // A checkable button is pressed by a click and toggled by an assistive tool: both toggle it. The
    // window's own updates of the pressed state block the signal, so only a person's press runs the command.
    if (checkable)
        connect(button, &QToolButton::toggled, this, [this, command](bool) { Run(command); });
    else
        connect(button, &QToolButton::clicked, this, [this, command] { Run(command); });
    m_places[mainwindow::Index(command)] = bar->addWidget(button);
    m_buttons[mainwindow::Index(command)] = button;
    return button;
}

QAction* TMainForm::MakeAction(QMenu* menu, TCommand command, const QString& caption, bool checkable)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(mainwindow::CommandName(command)));
    action->setCheckable(checkable);
    // An entry runs when triggered (a click, its keys, an assistive tool); its pressed state follows the
    // study through UpdateCommands, which does not trigger it.
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    m_actions[mainwindow::Index(command)] = action;
    return action;
}

void TMainForm::BuildMenus()
{
    std::vector<QMenu*> open;
    std::map<int, QActionGroup*> groups;
    for (const TMenuRow& row : kMenus) {
        switch (row.item) {
        case TItem::Menu:
        case TItem::SubMenu:
        case TItem::RecentFiles: {
            const QString caption = T(row.caption);
            QMenu* menu = open.empty() ? menuBar()->addMenu(caption) : open.back()->addMenu(caption);
            menu->setObjectName(QLatin1String(row.name));
            menu->setAccessibleName(WithoutMark(caption));
            if (row.item == TItem::RecentFiles)
                m_recentMenu = menu; // its entries are the recent files'
            else
                open.push_back(menu);
            break;
        }
        case TItem::End:
            open.pop_back();
            break;
        case TItem::Separator:
            open.back()->addSeparator();
            break;
        case TItem::Entry: {
            QAction* action = MakeAction(open.back(), row.command, T(row.caption), row.checkable);
            const QKeySequence key = KeyOf(row.standard, row.key);
            if (!key.isEmpty())
                action->setShortcut(key);
            if (row.group != 0) {
                QActionGroup*& group = groups[row.group];
                if (group == nullptr)
                    group = new QActionGroup(this);
                group->addAction(action);
            }
            break;
        }
        }
    }
    // The program's own Ctrl+A, and the Ctrl+Z every other program has.
    Action(C::AffichageAnnuler)->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence::Undo });
}

void TMainForm::BuildBars()
{
    const std::pair<TBar, QToolBar**> bars[] = { { TBar::Modes, &m_modeBar }, { TBar::Tools, &m_toolBar },
        { TBar::Results, &m_resultsBar }, { TBar::Navigation, &m_navBar } };
    const struct {
        const char* title;
        const char* name;
        Qt::ToolBarArea area;
    } places[] = { { TrNoop("Modes"), "ToolBarModes", Qt::LeftToolBarArea },
        { TrNoop("Outils"), "ToolBarOutils", Qt::TopToolBarArea },
        { TrNoop("Résultats"), "ToolBarResultats", Qt::RightToolBarArea },
        { TrNoop("Navigation"), "ToolBarNavigation", Qt::BottomToolBarArea } };
    for (std::size_t i = 0; i < std::size(bars); ++i) {
        auto* bar = new QToolBar(T(places[i].title), this);
        bar->setObjectName(QLatin1String(places[i].name));
        bar->setMovable(false);
        addToolBar(places[i].area, bar);
        *bars[i].second = bar;
    }
    for (const TButtonRow& row : kButtons) {
        QToolBar* bar = row.bar == TBar::Modes ? m_modeBar
            : row.bar == TBar::Tools           ? m_toolBar
            : row.bar == TBar::Results         ? m_resultsBar
                                               : m_navBar;
        MakeButton(bar, row.command, T(row.caption), row.tip != nullptr ? T(row.tip) : QString(),
            KeyOf(row.standard, row.key), row.checkable);
        // The zoom and pan tools, the calibration and pointing tools, and the names stand in three groups.
        if (row.command == C::OutilPan)
            m_toolSeparators[0] = m_toolBar->addSeparator();
        else if (row.command == C::OutilEffacer)
            m_toolSeparators[1] = m_toolBar->addSeparator();
    }
    BuildNavigationBar();
    // The button a bar shows when its buttons do not fit is named like the others.
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
            more->setAccessibleName(T("Autres boutons de la barre") + QStringLiteral(" ") + bar->windowTitle());
            more->setToolTip(T("Autres boutons de la barre"));
        }
    }
}

void TMainForm::BuildNavigationBar()
{
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
    for (const TPopupRow& row : kPopup) {
        QAction* action = MakeAction(m_popup, row.command, T(row.caption), false);
        const TCommand button = mainwindow::PressedButton(row.command);
        if (button != row.command)
            action->setIcon(QIcon(Icon(mainwindow::CommandName(button))));
    }
}

// ---------------------------------------------------------------------------------------------- running

void TMainForm::Run(TCommand command)
{
    video::TVideo& v = m_parts.video;
    document::TData& d = m_parts.data;
    const TCommand button = mainwindow::PressedButton(command);
    if (button != command) {
        // A popup entry does what its button does.
        if (QToolButton* b = Button(button))
            b->click();
        return;
    }
    switch (command) {
    case C::VideoRetour:
        v.First();
        UpdateFrameBox();
        break;
    case C::VideoPred:
        v.Previous();
        UpdateFrameBox();
        break;
    case C::VideoPause:
        // Stopping the player ends a recording that reads its frames.
        if (m_record->IsRecording())
            m_record->Cancel(montage::rePlayerStopped);
        v.Pause();
        UpdateFrameBox();
        break;
    case C::VideoLecture:
        v.PlayButton();
        UpdateFrameBox();
        break;
    case C::VideoSucc:
        v.Next();
        UpdateFrameBox();
        break;
    case C::VideoAvance:
        v.Last();
        UpdateFrameBox();
        break;
    case C::OutilZoom:
        ChooseZoomTool();
        break;
    case C::OutilPan:
        ChoosePanTool();
        break;
    case C::OutilEchelle:
        ChooseDocumentTool(document::toScale, document::skSingle);
        break;
    case C::OutilEchelleHoriz:
        ChooseDocumentTool(document::toScale, document::skHorizontal);
        break;
    case C::OutilEchelleVert:
        ChooseDocumentTool(document::toScale, document::skVertical);
        break;
    case C::OutilOrigine:
        ChooseDocumentTool(document::toOriginAndAxes);
        break;
    case C::OutilTsp:
        ChooseDocumentTool(document::toTransparent);
        break;
    case C::OutilMarque:
        ChooseDocumentTool(document::toPlaceMarks);
        break;
    case C::OutilDeplacer:
        ChooseDocumentTool(document::toMoveMarks);
        break;
    case C::OutilEffacer:
        ChooseDocumentTool(document::toErase);
        break;
    case C::OutilNom:
    case C::AffichageCouleur:
    case C::AffichageDessinerMarquesObjet:
        OpenNamesDialog();
        break;
    case C::ModeRepereFixe:
        ChooseMode(video::vmFixedPointing);
        break;
    case C::ModeTransparent:
        ChooseMode(video::vmTransparentPointing);
        break;
    case C::ModeTracking:
        ChooseMode(video::vmTracking);
        break;
    case C::ModeMontage:
        ChooseMode(video::vmMontage);
        break;
    case C::ModeStudio:
        // Pressed again, the workshop's button returns to pointing.
        ChooseMode(v.Mode() == video::vmWorkshop ? video::vmFixedPointing : video::vmWorkshop);
        break;
    case C::ModeCapture:
        ChooseMode(video::vmCapture);
        break;
    case C::MesuresCalculatrice:
        m_resForm->OpenCalculator();
        break;
    case C::MenuTableau:
    case C::ResultatsTableau:
        ShowResults(results::TResultsPage::Table);
        break;
    case C::MenuTemps:
    case C::ResultatsTemps:
        ShowResults(results::TResultsPage::Time);
        break;
    case C::MenuReferentiel:
    case C::ResultatsReferentiel:
        ShowResults(results::TResultsPage::Trajectory);
        break;
    case C::MenuFormule:
    case C::ResultatsFormule:
        ShowResults(results::TResultsPage::Formula);
        break;
    case C::MenuVecteur:
    case C::ResultatsVecteur:
        ShowResults(results::TResultsPage::Vector);
        break;
    case C::FichierOuvrir:
        m_commands->OpenWithDialog();
        break;
    case C::FichierExempleBalle:
        OpenSampleVideo(TSample::ThrownBall);
        break;
    case C::FichierExempleCylindre:
        OpenSampleVideo(TSample::RollingCylinder);
        break;
    case C::FichierEnregistrer:
        m_commands->Save();
        UpdateAll();
        break;
    case C::FichierEnregistrerSous:
        m_commands->SaveAs();
        UpdateAll();
        break;
    case C::FichierProprietes:
        ShowVideoPropertiesBox(this, v);
        break;
    case C::FichierEnregistrerMontage:
        m_record->RecordMontage();
        UpdateAll();
        break;
    case C::FichierDecomposer:
        m_record->DecomposeVideo();
        UpdateAll();
        break;
    case C::FichierAssembler:
        m_record->AssembleVideo();
        UpdateAll();
        break;
    case C::FichierQuitter:
        close();
        break;
    case C::AffichageAnnuler:
        d.Undo();
        DocumentChanged();
        break;
    case C::AffichageLoupe:
        v.ShowLoupe(Action(command)->isChecked());
        RedrawView();
        break;
    case C::AffichageCacherImage:
        v.SetHideImage(Action(command)->isChecked());
        RedrawView();
        break;
    case C::AffichageAllerImageNumero:
        AskFrameNumber();
        break;
    case C::AffichageAllerDerniereImagePointee:
        v.LastPointed();
        break;
    case C::AffichageTaillePetite:
    case C::AffichageTailleMoyenne:
    case C::AffichageTailleGrande:
        d.SetElementSize(static_cast<int>(mainwindow::Index(command) - mainwindow::Index(C::AffichageTaillePetite)));
        RedrawView();
        UpdateAll();
        break;
    case C::AffichageNumeroterDown:
    case C::AffichageNumeroterRight:
    case C::AffichageNumeroterNone:
        d.SetNumberPosition(
            static_cast<int>(mainwindow::Index(command) - mainwindow::Index(C::AffichageNumeroterDown)));
        RedrawView();
        UpdateAll();
        break;
    case C::AffichageDessinerDerniereMarque:
        d.SetAllDrawn(false);
        d.SetMarksToDraw(1);
        RedrawView();
        UpdateAll();
        break;
    case C::AffichageDessinerToutesLesMarques:
        d.SetAllDrawn(true);
        RedrawView();
        UpdateAll();
        break;
    case C::AffichageDessinerAutres:
        AskMarksToDraw();
        break;
    case C::AffichageEffacerMarques:
    case C::AffichageEffacerTransparent:
        EraseMarks();
        break;
    case C::AffichageEffacerRepere:
        d.RemoveAxes();
        break;
    case C::AffichageEffacerEchelle:
        d.RemoveScale(d.ScaleKind());
        break;
    case C::AffichageEffacerTout:
        EraseAll();
        break;
    case C::AffichageOptions:
        if (RunSettingsDialog(this, m_parts.options, m_parts.dialog, m_parts.desktop))
            ApplySettings();
        break;
    case C::MesuresNbMarqueParImageUne:
    case C::MesuresNbMarqueParImageDeux:
    case C::MesuresNbMarqueParImageTrois:
        AskObjectsPerFrame(
            static_cast<int>(mainwindow::Index(command) - mainwindow::Index(C::MesuresNbMarqueParImageUne)) + 1);
        break;
    case C::MesuresNbMarqueParImageAutres:
        AskObjectsPerFrame(0);
        break;
    case C::MesuresNbImagesEntreMarquesUne:
        AskFramesBetweenMarks(false);
        break;
    case C::MesuresNbImagesEntreMarquesAutres:
        AskFramesBetweenMarks(true);
        break;
    case C::MesuresTemps:
        if (AskTimeDialog(this, d, m_parts.dialog))
            UpdateAll();
        break;
    case C::MesuresValeurEchelle:
        AskScaleLength(document::skSingle);
        break;
    case C::MesuresValeurEchelleHoriz:
        AskScaleLength(document::skHorizontal);
        break;
    case C::MesuresValeurEchelleVert:
        AskScaleLength(document::skVertical);
        break;
    case C::MesuresAngleRotation:
        AskAngle();
        break;
    case C::MesuresInverserAxeX:
        d.SetXAxisDirect(!d.XAxisDirect());
        break;
    case C::MesuresInverserAxeY:
        d.SetYAxisDirect(!d.YAxisDirect());
        break;
    case C::AideKinoval:
        ShowHelpPages();
        break;
    case C::AideApropos:
        ShowAboutKinoval(this);
        break;
    default:
        // The graph pages, the calculator and the tracking entries come with their windows and panels.
        break;
    }
}

void TMainForm::ChooseDocumentTool(int tool, int scaleKind)
{
    if (!m_parts.video.IsOpened()) {
        UpdateCommands();
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
    UpdateCommands();
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
    UpdateCommands();
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
    RedrawView();
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
    if (m_parts.video.Mode() == video::vmWorkshop && m_studio != nullptr) {
        m_studio->Clear(); // the workshop's outlines
        return;
    }
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

// ---------------------------------------------------------------------------------------------- states

void TMainForm::UpdateCommands()
{
    const mainwindow::TCommandStates states = mainwindow::CommandStates(WindowState());
    for (std::size_t i = 0; i < mainwindow::kCommandCount; ++i) {
        const mainwindow::TCommandState& s = states[i];
        if (QToolButton* button = m_buttons[i]) {
            const QSignalBlocker quiet(button);
            button->setEnabled(s.enabled);
            button->setChecked(s.checked);
            m_places[i]->setVisible(s.visible);
        }
        if (i >= mainwindow::Index(C::PopupTrackContour)) {
            // The tracking panel's own entries: it keeps them enabled and pressed as its tools are.
            if (m_actions[i] != nullptr)
                m_actions[i]->setVisible(s.visible);
            continue;
        }
        if (QAction* action = m_actions[i]) {
            action->setEnabled(s.enabled);
            action->setVisible(s.visible);
            if (action->isCheckable())
                action->setChecked(s.checked);
        }
    }
    // The separators of the tool bar go with the tools around them.
    for (QAction* separator : m_toolSeparators) {
        if (separator != nullptr)
            separator->setVisible(states[mainwindow::Index(C::OutilZoom)].visible);
    }
    for (auto& [mode, panel] : m_modePanels)
        panel.second->setVisible(m_parts.video.Mode() == mode);
    if (m_studioPanel != nullptr)
        m_studioPanel->UpdateControls();
    m_trackBar->setEnabled(m_parts.video.IsOpened());
    // The bar goes with its buttons (the camera's preview has no frames to go through); its slider and
    // boxes speak of the video only.
    m_navBar->setVisible(states[mainwindow::Index(C::VideoLecture)].visible);
}

mainwindow::TWindowState TMainForm::WindowState() const
{
    mainwindow::TWindowState state = mainwindow::WindowStateOf(m_parts.video, m_parts.data, m_parts.options);
    state.trackingPanel = m_modePanels.count(video::vmTracking) != 0;
    state.montagePanel = m_modePanels.count(video::vmMontage) != 0;
    state.workshopPanel = m_modePanels.count(video::vmWorkshop) != 0;
    state.capturePanel = m_modePanels.count(video::vmCapture) != 0;
    state.recording = m_record != nullptr && m_record->IsRecording();
    return state;
}

} // namespace kinoval::gui
