#include "core/mainwindow/commands.h"

#include "core/document/data.h"
#include "core/settings/options.h"
#include "core/video/video.h"

#include <algorithm>

namespace kinoval::mainwindow {

namespace {

struct TCommandInfo {
    TCommand command;
    const char* name;
};

// In the order of the enumeration; CommandName checks it.
constexpr TCommandInfo kCommands[] = {
    { TCommand::VideoRetour, "ButtonVideoRetour" },
    { TCommand::VideoPred, "ButtonVideoPred" },
    { TCommand::VideoPause, "ButtonVideoPause" },
    { TCommand::VideoLecture, "ButtonVideoLecture" },
    { TCommand::VideoSucc, "ButtonVideoSucc" },
    { TCommand::VideoAvance, "ButtonVideoAvance" },
    { TCommand::OutilZoom, "ButtonOutilZoom" },
    { TCommand::OutilPan, "ButtonOutilPan" },
    { TCommand::OutilEchelle, "ButtonOutilEchelle" },
    { TCommand::OutilEchelleHoriz, "ButtonOutilEchelleHoriz" },
    { TCommand::OutilEchelleVert, "ButtonOutilEchelleVert" },
    { TCommand::OutilOrigine, "ButtonOutilOrigine" },
    { TCommand::OutilTsp, "ButtonOutilTsp" },
    { TCommand::OutilMarque, "ButtonOutilMarque" },
    { TCommand::OutilDeplacer, "ButtonOutilDeplacer" },
    { TCommand::OutilEffacer, "ButtonOutilEffacer" },
    { TCommand::OutilNom, "ButtonOutilNom" },
    { TCommand::ModeRepereFixe, "ButtonModeRepereFixe" },
    { TCommand::ModeTransparent, "ButtonModeTransparent" },
    { TCommand::ModeTracking, "ButtonModeTracking" },
    { TCommand::ModeMontage, "ButtonModeMontage" },
    { TCommand::ModeStudio, "ButtonModeStudio" },
    { TCommand::ModeCapture, "ButtonModeCapture" },
    { TCommand::MenuTableau, "ButtonMenuTableau" },
    { TCommand::MenuTemps, "ButtonMenuTemps" },
    { TCommand::MenuReferentiel, "ButtonMenuReferentiel" },
    { TCommand::MenuVecteur, "ButtonMenuVecteur" },
    { TCommand::MenuFormule, "ButtonMenuFormule" },
    { TCommand::FichierOuvrir, "MenuFichierOuvrir" },
    { TCommand::FichierExempleBalle, "MenuFichierExempleBalle" },
    { TCommand::FichierExempleCylindre, "MenuFichierExempleCylindre" },
    { TCommand::FichierEnregistrer, "MenuFichierEnregistrer" },
    { TCommand::FichierEnregistrerSous, "MenuFichierEnregistrerSous" },
    { TCommand::FichierProprietes, "MenuFichierProprietes" },
    { TCommand::FichierDecomposer, "MenuFichierDecomposer" },
    { TCommand::FichierAssembler, "MenuFichierAssembler" },
    { TCommand::FichierEnregistrerMontage, "MenuFichierEnregistrerMontage" },
    { TCommand::FichierQuitter, "MenuFichierQuitter" },
    { TCommand::AffichageAnnuler, "MenuAffichageAnnuler" },
    { TCommand::AffichageLoupe, "MenuAffichageLoupe" },
    { TCommand::AffichageCacherImage, "MenuAffichageCacherImage" },
    { TCommand::AffichageAllerImageNumero, "MenuAffichageAllerImageNumero" },
    { TCommand::AffichageAllerDerniereImagePointee, "MenuAffichageAllerDerniereImagePointee" },
    { TCommand::AffichageCouleur, "MenuAffichageCouleur" },
    { TCommand::AffichageTaillePetite, "MenuAffichageTaillePetite" },
    { TCommand::AffichageTailleMoyenne, "MenuAffichageTailleMoyenne" },
    { TCommand::AffichageTailleGrande, "MenuAffichageTailleGrande" },
    { TCommand::AffichageNumeroterDown, "MenuAffichageNumeroterDown" },
    { TCommand::AffichageNumeroterRight, "MenuAffichageNumeroterRight" },
    { TCommand::AffichageNumeroterNone, "MenuAffichageNumeroterNone" },
    { TCommand::AffichageDessinerDerniereMarque, "MenuAffichageDessinerDerniereMarque" },
    { TCommand::AffichageDessinerToutesLesMarques, "MenuAffichageDessinerToutesLesMarques" },
    { TCommand::AffichageDessinerAutres, "MenuAffichageDessinerAutres" },
    { TCommand::AffichageDessinerMarquesObjet, "MenuAffichageDessinerMarquesObjet" },
    { TCommand::AffichageEffacerMarques, "MenuAffichageEffacerMarques" },
    { TCommand::AffichageEffacerTransparent, "MenuAffichageEffacerTransparent" },
    { TCommand::AffichageEffacerRepere, "MenuAffichageEffacerRepere" },
    { TCommand::AffichageEffacerEchelle, "MenuAffichageEffacerEchelle" },
    { TCommand::AffichageEffacerTout, "MenuAffichageEffacerTout" },
    { TCommand::AffichageOptions, "MenuAffichageOptions" },
    { TCommand::MesuresNbMarqueParImageUne, "MenuMesuresNbMarqueParImageUne" },
    { TCommand::MesuresNbMarqueParImageDeux, "MenuMesuresNbMarqueParImageDeux" },
    { TCommand::MesuresNbMarqueParImageTrois, "MenuMesuresNbMarqueParImageTrois" },
    { TCommand::MesuresNbMarqueParImageAutres, "MenuMesuresNbMarqueParImageAutres" },
    { TCommand::MesuresNbImagesEntreMarquesUne, "MenuMesuresNbImagesEntreMarquesUne" },
    { TCommand::MesuresNbImagesEntreMarquesAutres, "MenuMesuresNbImagesEntreMarquesAutres" },
    { TCommand::MesuresTemps, "MenuMesuresTemps" },
    { TCommand::MesuresValeurEchelle, "MenuMesuresValeurEchelle" },
    { TCommand::MesuresValeurEchelleHoriz, "MenuMesuresValeurEchelleHoriz" },
    { TCommand::MesuresValeurEchelleVert, "MenuMesuresValeurEchelleVert" },
    { TCommand::MesuresAngleRotation, "MenuMesuresAngleRotation" },
    { TCommand::MesuresInverserAxeX, "MenuMesuresInverserAxeX" },
    { TCommand::MesuresInverserAxeY, "MenuMesuresInverserAxeY" },
    { TCommand::MesuresCalculatrice, "MenuMesuresCalculatrice" },
    { TCommand::ResultatsTableau, "MenuResultatsTableau" },
    { TCommand::ResultatsTemps, "MenuResultatsTemps" },
    { TCommand::ResultatsReferentiel, "MenuResultatsReferentiel" },
    { TCommand::ResultatsVecteur, "MenuResultatsVecteur" },
    { TCommand::ResultatsFormule, "MenuResultatsFormule" },
    { TCommand::AideKinoval, "MenuAideKinoval" },
    { TCommand::AideApropos, "MenuAideApropos" },
    { TCommand::PopupMarque, "PopupMenuMarque" },
    { TCommand::PopupDeplacer, "PopupMenuDeplacer" },
    { TCommand::PopupEffacer, "PopupMenuEffacer" },
    { TCommand::PopupOrigine, "PopupMenuOrigine" },
    { TCommand::PopupEchelle, "PopupMenuEchelle" },
    { TCommand::PopupEchelleHoriz, "PopupMenuEchelleHoriz" },
    { TCommand::PopupEchelleVert, "PopupMenuEchelleVert" },
    { TCommand::PopupTsp, "PopupMenuTsp" },
    { TCommand::PopupZoom, "PopupMenuZoom" },
    { TCommand::PopupPan, "PopupMenuPan" },
    { TCommand::PopupTrackContour, "PopupMenuTrackContour" },
    { TCommand::PopupTrackBanZone, "PopupMenuTrackBanZone" },
};
static_assert(std::size(kCommands) == kCommandCount, "every command has its name");

constexpr bool InOrder()
{
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        if (Index(kCommands[i].command) != i)
            return false;
    }
    return true;
}
static_assert(InOrder(), "the names follow the order of the commands");

} // namespace

const char* CommandName(TCommand command)
{
    const std::size_t i = Index(command);
    return i < kCommandCount ? kCommands[i].name : "";
}

bool IsButton(TCommand command)
{
    return command <= TCommand::MenuFormule;
}

TCommand PressedButton(TCommand entry)
{
    switch (entry) {
    case TCommand::PopupMarque:
        return TCommand::OutilMarque;
    case TCommand::PopupDeplacer:
        return TCommand::OutilDeplacer;
    case TCommand::PopupEffacer:
        return TCommand::OutilEffacer;
    case TCommand::PopupOrigine:
        return TCommand::OutilOrigine;
    case TCommand::PopupEchelle:
        return TCommand::OutilEchelle;
    case TCommand::PopupEchelleHoriz:
        return TCommand::OutilEchelleHoriz;
    case TCommand::PopupEchelleVert:
        return TCommand::OutilEchelleVert;
    case TCommand::PopupTsp:
        return TCommand::OutilTsp;
    case TCommand::PopupZoom:
        return TCommand::OutilZoom;
    case TCommand::PopupPan:
        return TCommand::OutilPan;
    default:
        return entry;
    }
}

TWindowState WindowStateOf(const video::TVideo& video, const document::TData& data, const TOptions& options)
{
    TWindowState s;
    s.videoOpen = video.IsOpened();
    s.mode = video.Mode();
    s.navigationTool = video.NavigationTool();
    s.tool = data.Tool();
    s.scaleKind = data.ScaleKind();
    s.separateScales = data.Settings().separateScales;
    s.originPlaced = data.OriginPlaced() != 0;
    for (int kind = 0; kind < 3; ++kind)
        s.scalePoints[kind] = data.ScalePointCount(kind);
    s.elementSize = data.ElementSize();
    s.numberPosition = data.NumberPosition();
    s.allDrawn = data.AllDrawn();
    s.marksToDraw = data.MarksToDraw();
    s.objectsPerFrame = data.ObjectsPerFrame();
    s.framesBetweenMarks = data.FramesNumberBetweenTwoMarks();
    s.loupeShown = video.Loupe().Visible();
    s.imageHidden = video.HideImage();
    s.allowTracking = options.allowTracking;
    s.allowMontage = options.allowMontage;
    s.allowCapture = options.allowCapture;
    s.allowWorkshop = options.allowWorkshop;
    return s;
}

TCommandStates CommandStates(const TWindowState& s)
{
    using C = TCommand;
    TCommandStates out {};
    auto at = [&out](C c) -> TCommandState& { return out[Index(c)]; };
    const bool open = s.videoOpen;
    const bool pointing = open && (s.mode == video::vmFixedPointing || s.mode == video::vmTransparentPointing);
    const bool inPointingMode = s.mode == video::vmFixedPointing || s.mode == video::vmTransparentPointing;
    const bool transparent = s.mode == video::vmTransparentPointing;
    const bool fixed = s.mode == video::vmFixedPointing;
    const bool tracking = open && s.mode == video::vmTracking && s.trackingPanel;

    // Buttons that need a video.
    for (C c : { C::VideoRetour, C::VideoPred, C::VideoPause, C::VideoLecture, C::VideoSucc, C::VideoAvance,
             C::OutilZoom, C::OutilPan, C::OutilEchelle, C::OutilEchelleHoriz, C::OutilEchelleVert, C::OutilOrigine,
             C::OutilTsp, C::OutilMarque, C::OutilDeplacer, C::OutilEffacer, C::OutilNom, C::ModeRepereFixe,
             C::ModeTransparent, C::MenuTableau, C::ResultatsTableau, C::FichierEnregistrer, C::FichierEnregistrerSous,
             C::FichierProprietes })
        at(c).enabled = open;
    // The camera's preview takes the view's place: the navigation bar (its buttons, the frame slider and
    // boxes) would speak of the video behind it, and goes until the mode is left.
    for (C c : { C::VideoRetour, C::VideoPred, C::VideoPause, C::VideoLecture, C::VideoSucc, C::VideoAvance }) {
        at(c).visible = s.mode != video::vmCapture;
        at(c).enabled = at(c).enabled && at(c).visible;
    }
    // The other modes, once they have their panel, as the settings allow.
    at(C::ModeTracking).enabled = open && s.trackingPanel && s.allowTracking;
    at(C::ModeMontage).enabled = open && s.montagePanel && s.allowMontage;
    at(C::ModeStudio).enabled = open && s.workshopPanel && s.allowWorkshop;
    // A camera needs no video open: the capture makes one.
    at(C::ModeCapture).enabled = s.capturePanel && s.allowCapture && !s.recording;
    const std::pair<C, int> modes[]
        = { { C::ModeRepereFixe, video::vmFixedPointing }, { C::ModeTransparent, video::vmTransparentPointing },
              { C::ModeTracking, video::vmTracking }, { C::ModeMontage, video::vmMontage },
              { C::ModeStudio, video::vmWorkshop }, { C::ModeCapture, video::vmCapture } };
    for (const auto& [c, mode] : modes)
        at(c).checked = s.mode == mode;
    // The graph pages open as the table does.
    for (C c : { C::MenuTemps, C::MenuReferentiel, C::MenuFormule, C::MenuVecteur, C::ResultatsTemps,
             C::ResultatsReferentiel, C::ResultatsFormule, C::ResultatsVecteur })
        at(c).enabled = open;
    // The calculator knows no measurement: it serves with or without a video, in every mode.
    at(C::MesuresCalculatrice).enabled = true;

    // The tool bar shows the tools of the pointing modes only.
    for (C c : { C::OutilZoom, C::OutilPan, C::OutilMarque, C::OutilDeplacer, C::OutilEffacer, C::OutilNom })
        at(c).visible = inPointingMode;
    at(C::OutilEchelle).visible = inPointingMode && !s.separateScales;
    at(C::OutilEchelleHoriz).visible = inPointingMode && s.separateScales;
    at(C::OutilEchelleVert).visible = inPointingMode && s.separateScales;
    at(C::OutilOrigine).visible = inPointingMode && !transparent;
    at(C::OutilTsp).visible = transparent;
    // The pressed tool: a navigation tool in use, else the document's.
    C chosen = C::Count;
    if (s.navigationTool == video::ntZoom) {
        chosen = C::OutilZoom;
    } else if (s.navigationTool == video::ntPan) {
        chosen = C::OutilPan;
    } else {
        switch (s.tool) {
        case document::toScale:
            chosen = s.scaleKind == document::skHorizontal ? C::OutilEchelleHoriz
                : s.scaleKind == document::skVertical      ? C::OutilEchelleVert
                                                           : C::OutilEchelle;
            break;
        case document::toPlaceMarks:
            chosen = C::OutilMarque;
            break;
        case document::toMoveMarks:
            chosen = C::OutilDeplacer;
            break;
        case document::toOriginAndAxes:
            chosen = C::OutilOrigine;
            break;
        case document::toErase:
            chosen = C::OutilEffacer;
            break;
        case document::toTransparent:
            chosen = C::OutilTsp;
            break;
        default:
            break;
        }
    }
    if (chosen != C::Count)
        at(chosen).checked = true;

    // Saving is for the modes that measure.
    const bool saving = s.mode != video::vmCapture && s.mode != video::vmWorkshop;
    at(C::FichierEnregistrer).visible = saving;
    at(C::FichierEnregistrerSous).visible = saving;
    at(C::FichierProprietes).visible = s.mode != video::vmCapture;
    // New media: from the open video, or from pictures at any time; one recording at a time.
    at(C::FichierDecomposer).enabled = open && !s.recording && s.mode != video::vmCapture;
    at(C::FichierEnregistrerMontage).enabled = open && !s.recording && s.mode != video::vmCapture;
    at(C::FichierAssembler).enabled = !s.recording;
    at(C::FichierOuvrir).enabled = !s.recording;

    for (C c : { C::AffichageAnnuler, C::AffichageLoupe, C::AffichageCacherImage, C::AffichageAllerImageNumero,
             C::AffichageAllerDerniereImagePointee, C::AffichageCouleur, C::AffichageDessinerDerniereMarque,
             C::AffichageDessinerToutesLesMarques, C::AffichageDessinerAutres, C::AffichageDessinerMarquesObjet,
             C::AffichageEffacerTout, C::MesuresNbMarqueParImageUne, C::MesuresNbMarqueParImageDeux,
             C::MesuresNbMarqueParImageTrois, C::MesuresNbMarqueParImageAutres, C::MesuresNbImagesEntreMarquesUne,
             C::MesuresNbImagesEntreMarquesAutres, C::MesuresTemps, C::MesuresInverserAxeX, C::MesuresInverserAxeY })
        at(c).enabled = pointing;
    // Erasing: the tracker's own marks in its mode, the sheet's in transparent pointing.
    at(C::AffichageEffacerMarques).visible = !transparent;
    at(C::AffichageEffacerMarques).enabled = pointing || tracking;
    at(C::AffichageEffacerTout).enabled
        = pointing || tracking || (open && s.mode == video::vmWorkshop && s.workshopPanel);
    at(C::AffichageEffacerTransparent).visible = transparent;
    at(C::AffichageEffacerTransparent).enabled = pointing;
    at(C::AffichageEffacerRepere).enabled = pointing && fixed && s.originPlaced;
    const int kind = std::clamp(s.scaleKind, 0, 2);
    at(C::AffichageEffacerEchelle).enabled = pointing && s.scalePoints[kind] > 0;
    at(C::MesuresValeurEchelle).visible = !s.separateScales;
    at(C::MesuresValeurEchelleHoriz).visible = s.separateScales;
    at(C::MesuresValeurEchelleVert).visible = s.separateScales;
    at(C::MesuresValeurEchelle).enabled = pointing && s.scalePoints[document::skSingle] >= 2;
    at(C::MesuresValeurEchelleHoriz).enabled = pointing && s.scalePoints[document::skHorizontal] >= 2;
    at(C::MesuresValeurEchelleVert).enabled = pointing && s.scalePoints[document::skVertical] >= 2;
    at(C::MesuresAngleRotation).enabled = pointing && fixed && s.originPlaced;
    at(C::PopupTrackContour).visible = tracking;
    at(C::PopupTrackBanZone).visible = tracking;

    // The pressed entries of the display choices.
    at(C::AffichageLoupe).checked = s.loupeShown;
    at(C::AffichageCacherImage).checked = s.imageHidden;
    const C sizes[] = { C::AffichageTaillePetite, C::AffichageTailleMoyenne, C::AffichageTailleGrande };
    at(sizes[std::clamp(s.elementSize, 0, 2)]).checked = true;
    const C positions[] = { C::AffichageNumeroterDown, C::AffichageNumeroterRight, C::AffichageNumeroterNone };
    at(positions[std::clamp(s.numberPosition, 0, 2)]).checked = true;
    if (s.allDrawn)
        at(C::AffichageDessinerToutesLesMarques).checked = true;
    else if (s.marksToDraw == 1)
        at(C::AffichageDessinerDerniereMarque).checked = true;
    else
        at(C::AffichageDessinerAutres).checked = true;
    const C perFrame[] = { C::MesuresNbMarqueParImageUne, C::MesuresNbMarqueParImageDeux,
        C::MesuresNbMarqueParImageTrois, C::MesuresNbMarqueParImageAutres };
    at(perFrame[std::clamp(s.objectsPerFrame, 1, 4) - 1]).checked = true;
    at(s.framesBetweenMarks == 1 ? C::MesuresNbImagesEntreMarquesUne : C::MesuresNbImagesEntreMarquesAutres).checked
        = true;

    // A popup entry looks like the button it presses.
    for (std::size_t i = Index(C::PopupMarque); i <= Index(C::PopupPan); ++i) {
        const TCommandState& button = out[Index(PressedButton(static_cast<C>(i)))];
        out[i].enabled = button.enabled;
        out[i].visible = button.visible;
    }
    return out;
}

const char* StatusHint(const TWindowState& s)
{
    if (!s.videoOpen)
        return kHintNoVideo;
    if (s.navigationTool == video::ntZoom)
        return kHintZoom;
    if (s.navigationTool == video::ntPan)
        return kHintPan;
    if (s.mode != video::vmFixedPointing && s.mode != video::vmTransparentPointing)
        return "";
    switch (s.tool) {
    case document::toScale:
        return kHintScale;
    case document::toPlaceMarks:
        return kHintMarks;
    case document::toMoveMarks:
        return kHintMove;
    case document::toOriginAndAxes:
        return kHintOrigin;
    case document::toErase:
        return kHintErase;
    case document::toTransparent:
        return kHintSheet;
    default:
        return "";
    }
}

} // namespace kinoval::mainwindow
