#pragma once
// The main window's commands, said without a screen: every button and menu entry by one enumerator, its
// component name (the object name the window gives it, which the tests and the assistive tools find), and
// what it looks like in a given state of the study: enabled, shown, pressed.
//
// The window fills a TWindowState from the view, the document and the settings after every change and
// applies CommandStates to its buttons and actions, so that the rule for each command lives here, once,
// and is tested without a window.

#include "core/common/texts.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kinoval {
class TOptions;
namespace document {
class TData;
}
namespace video {
class TVideo;
}
} // namespace kinoval

namespace kinoval::mainwindow {

enum class TCommand : std::uint8_t {
    // The navigation bar.
    VideoRetour,
    VideoPred,
    VideoPause,
    VideoLecture,
    VideoSucc,
    VideoAvance,
    // The tool bar of the pointing modes.
    OutilZoom,
    OutilPan,
    OutilEchelle,
    OutilEchelleHoriz,
    OutilEchelleVert,
    OutilOrigine,
    OutilTsp,
    OutilMarque,
    OutilDeplacer,
    OutilEffacer,
    OutilNom,
    // The mode bar.
    ModeRepereFixe,
    ModeTransparent,
    ModeTracking,
    ModeMontage,
    ModeStudio,
    ModeCapture,
    // The results bar.
    MenuTableau,
    MenuTemps,
    MenuReferentiel,
    MenuVecteur,
    MenuFormule,
    // Fichier.
    FichierOuvrir,
    FichierExempleBalle,
    FichierExempleCylindre,
    FichierEnregistrer,
    FichierEnregistrerSous,
    FichierProprietes,
    FichierDecomposer,
    FichierAssembler,
    FichierEnregistrerMontage,
    FichierQuitter,
    // Affichage.
    AffichageAnnuler,
    AffichageLoupe,
    AffichageCacherImage,
    AffichageAllerImageNumero,
    AffichageAllerDerniereImagePointee,
    AffichageCouleur,
    AffichageTaillePetite,
    AffichageTailleMoyenne,
    AffichageTailleGrande,
    AffichageNumeroterDown,
    AffichageNumeroterRight,
    AffichageNumeroterNone,
    AffichageDessinerDerniereMarque,
    AffichageDessinerToutesLesMarques,
    AffichageDessinerAutres,
    AffichageDessinerMarquesObjet,
    AffichageEffacerMarques,
    AffichageEffacerTransparent,
    AffichageEffacerRepere,
    AffichageEffacerEchelle,
    AffichageEffacerTout,
    AffichageOptions,
    // Mesures.
    MesuresNbMarqueParImageUne,
    MesuresNbMarqueParImageDeux,
    MesuresNbMarqueParImageTrois,
    MesuresNbMarqueParImageAutres,
    MesuresNbImagesEntreMarquesUne,
    MesuresNbImagesEntreMarquesAutres,
    MesuresTemps,
    MesuresValeurEchelle,
    MesuresValeurEchelleHoriz,
    MesuresValeurEchelleVert,
    MesuresAngleRotation,
    MesuresInverserAxeX,
    MesuresInverserAxeY,
    MesuresCalculatrice,
    // Résultats.
    ResultatsTableau,
    ResultatsTemps,
    ResultatsReferentiel,
    ResultatsVecteur,
    ResultatsFormule,
    // Aide.
    AideKinoval,
    AideApropos,
    // The view's menu of tools.
    PopupMarque,
    PopupDeplacer,
    PopupEffacer,
    PopupOrigine,
    PopupEchelle,
    PopupEchelleHoriz,
    PopupEchelleVert,
    PopupTsp,
    PopupZoom,
    PopupPan,
    PopupTrackContour,
    PopupTrackBanZone,
    Count
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(TCommand::Count);

constexpr std::size_t Index(TCommand c)
{
    return static_cast<std::size_t>(c);
}

// The component name: "ButtonOutilEchelle", "MenuFichierEnregistrer", "PopupMenuMarque"...
const char* CommandName(TCommand command);
// Whether the command is a button of one of the window's bars (else an entry of a menu).
bool IsButton(TCommand command);
// The button a popup entry presses, or the command itself.
TCommand PressedButton(TCommand popupEntry);

struct TCommandState {
    bool enabled = true;
    bool visible = true;
    bool checked = false;
};
using TCommandStates = std::array<TCommandState, kCommandCount>;

// What the commands depend on, read from the view, the document and the settings.
struct TWindowState {
    bool videoOpen = false;
    int mode = 0; // video::TVideoMode
    int navigationTool = 0; // video::TNavigationTool
    int tool = 0; // document::TTool
    int scaleKind = 0; // document::TScaleKind
    bool separateScales = false;
    bool originPlaced = false;
    int scalePoints[3] = { 0, 0, 0 }; // points of each scale kind
    int elementSize = 0;
    int numberPosition = 0;
    bool allDrawn = false;
    int marksToDraw = 1;
    int objectsPerFrame = 1;
    int framesBetweenMarks = 1;
    bool loupeShown = false;
    bool imageHidden = false;
    bool allowTracking = true;
    bool allowMontage = true;
    bool allowCapture = true;
    bool allowWorkshop = true;
    // A recording of new media runs: nothing may open or record meanwhile.
    bool recording = false;
    // Which of the other modes have their panel in this window.
    bool trackingPanel = false;
    bool montagePanel = false;
    bool workshopPanel = false;
    bool capturePanel = false;
};

TWindowState WindowStateOf(const video::TVideo& video, const document::TData& data, const TOptions& options);

TCommandStates CommandStates(const TWindowState& state);

// The tools' hints, shown in the status bar for the tool in use and in the buttons' tool tips.
inline constexpr const char* kHintMarks
    = TrNoop("Bouton gauche (ou Entrée) = poser une marque ; bouton droit (ou Echap) = "
             "annuler ; Ctrl + touche de direction = déplacer le pointeur de la souris");
inline constexpr const char* kHintErase
    = TrNoop("Bouton gauche = supprimer la marque sous le pointeur de la souris ; bouton "
             "droit = supprimer les marques de l'image");
inline constexpr const char* kHintMove
    = TrNoop("Bouton gauche = glisser-déposer la marque sous le pointeur de la souris");
inline constexpr const char* kHintOrigin
    = TrNoop("Bouton gauche (ou Entrée) = poser l'origine ; bouton droit (ou Echap) = "
             "annuler ; Ctrl + touche de direction = déplacer le pointeur de la souris");
inline constexpr const char* kHintZoom
    = TrNoop("Bouton gauche = agrandir ; bouton droit = réduire ; appuyer simultanément "
             "sur la touche Ctrl pour ralentir la progression");
inline constexpr const char* kHintSheet
    = TrNoop("Bouton gauche = glisser-déposer ; bouton droit ou Echap = annuler ; touches + "
             "et - = taille du transparent");
inline constexpr const char* kHintScale
    = TrNoop("Bouton gauche = poser une extrémité du segment ; bouton droit (ou Echap) = annuler");
inline constexpr const char* kHintPan = TrNoop("Bouton gauche = glisser-déposer l'image dans son cadre");
inline constexpr const char* kHintNoVideo = TrNoop("Ouvrir un fichier vidéo (menu Fichier)");

// The French hint of the status bar in a state: how to use the tool in use (empty when the mode's own
// panel speaks instead).
const char* StatusHint(const TWindowState& state);

} // namespace kinoval::mainwindow
