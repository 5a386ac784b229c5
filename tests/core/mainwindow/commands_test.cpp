// What each of the main window's commands looks like in each state of a study, without a window.
#include "core/mainwindow/commands.h"

#include "core/document/data.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kinoval::mainwindow {
namespace {

using C = TCommand;

TWindowState Pointing(int mode = video::vmFixedPointing)
{
    TWindowState s;
    s.videoOpen = true;
    s.mode = mode;
    s.tool = document::toPlaceMarks;
    s.trackingPanel = true;
    s.montagePanel = true;
    return s;
}

TEST(Commands, EveryCommandHasItsOwnName)
{
    std::set<std::string> names;
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const std::string name = CommandName(static_cast<C>(i));
        EXPECT_FALSE(name.empty()) << i;
        EXPECT_TRUE(names.insert(name).second) << name;
        // Buttons are named as buttons, entries as menu entries.
        EXPECT_EQ(name.rfind("Button", 0) == 0, IsButton(static_cast<C>(i))) << name;
    }
    EXPECT_STREQ(CommandName(C::OutilEchelle), "ButtonOutilEchelle");
    EXPECT_STREQ(CommandName(C::AffichageAnnuler), "MenuAffichageAnnuler");
    EXPECT_EQ(PressedButton(C::PopupOrigine), C::OutilOrigine);
    EXPECT_EQ(PressedButton(C::FichierOuvrir), C::FichierOuvrir);
}

TEST(Commands, WithoutAVideoOnlyWhatOpensOneIsOffered)
{
    const TCommandStates states = CommandStates(TWindowState {});
    // The calculator needs no study.
    for (C c : { C::FichierOuvrir, C::FichierExempleBalle, C::FichierExempleCylindre, C::FichierQuitter,
             C::AffichageOptions, C::AideKinoval, C::AideApropos, C::MesuresCalculatrice })
        EXPECT_TRUE(states[Index(c)].enabled) << CommandName(c);
    for (C c : { C::VideoLecture, C::OutilEchelle, C::OutilMarque, C::ModeRepereFixe, C::ModeTracking, C::MenuTableau,
             C::ResultatsTableau, C::MenuTemps, C::MenuReferentiel, C::MenuFormule, C::FichierEnregistrer,
             C::FichierEnregistrerSous, C::AffichageAnnuler, C::MesuresTemps, C::MesuresValeurEchelle, C::PopupMarque })
        EXPECT_FALSE(states[Index(c)].enabled) << CommandName(c);
}

TEST(Commands, PointingInTheCameraFrame)
{
    TWindowState s = Pointing();
    TCommandStates states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::OutilMarque)].checked);
    EXPECT_TRUE(states[Index(C::ModeRepereFixe)].checked);
    EXPECT_TRUE(states[Index(C::OutilOrigine)].visible);
    EXPECT_FALSE(states[Index(C::OutilTsp)].visible);
    EXPECT_TRUE(states[Index(C::OutilEchelle)].visible);
    EXPECT_FALSE(states[Index(C::OutilEchelleHoriz)].visible);
    // No origin yet: neither its angle nor its removal; no scale points: no length to type.
    EXPECT_FALSE(states[Index(C::MesuresAngleRotation)].enabled);
    EXPECT_FALSE(states[Index(C::AffichageEffacerRepere)].enabled);
    EXPECT_FALSE(states[Index(C::MesuresValeurEchelle)].enabled);
    EXPECT_FALSE(states[Index(C::AffichageEffacerEchelle)].enabled);
    // The graph pages open as the table does, the vectors' too.
    EXPECT_TRUE(states[Index(C::MenuTemps)].enabled);
    EXPECT_TRUE(states[Index(C::ResultatsReferentiel)].enabled);
    EXPECT_TRUE(states[Index(C::MenuFormule)].enabled);
    EXPECT_TRUE(states[Index(C::ResultatsFormule)].enabled);
    EXPECT_TRUE(states[Index(C::MenuVecteur)].enabled);
    EXPECT_TRUE(states[Index(C::ResultatsVecteur)].enabled);

    s.originPlaced = true;
    s.scalePoints[document::skSingle] = 1;
    states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::MesuresAngleRotation)].enabled);
    EXPECT_TRUE(states[Index(C::AffichageEffacerEchelle)].enabled);
    EXPECT_FALSE(states[Index(C::MesuresValeurEchelle)].enabled); // one point is no segment
    s.scalePoints[document::skSingle] = 2;
    EXPECT_TRUE(CommandStates(s)[Index(C::MesuresValeurEchelle)].enabled);

    // A navigation tool in use is the pressed one; the document's tool is not.
    s.navigationTool = video::ntZoom;
    states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::OutilZoom)].checked);
    EXPECT_FALSE(states[Index(C::OutilMarque)].checked);
    s.navigationTool = video::ntNone;
    s.tool = document::toScale;
    s.scaleKind = document::skSingle;
    EXPECT_TRUE(CommandStates(s)[Index(C::OutilEchelle)].checked);
}

TEST(Commands, SeparateScalesShowTheirOwnButtonsAndLengths)
{
    TWindowState s = Pointing();
    s.separateScales = true;
    s.tool = document::toScale;
    s.scaleKind = document::skVertical;
    s.scalePoints[document::skVertical] = 2;
    const TCommandStates states = CommandStates(s);
    EXPECT_FALSE(states[Index(C::OutilEchelle)].visible);
    EXPECT_TRUE(states[Index(C::OutilEchelleHoriz)].visible);
    EXPECT_TRUE(states[Index(C::OutilEchelleVert)].checked);
    EXPECT_FALSE(states[Index(C::MesuresValeurEchelle)].visible);
    EXPECT_FALSE(states[Index(C::MesuresValeurEchelleHoriz)].enabled);
    EXPECT_TRUE(states[Index(C::MesuresValeurEchelleVert)].enabled);
    // The popup entries look like the buttons they press.
    EXPECT_FALSE(states[Index(C::PopupEchelle)].visible);
    EXPECT_TRUE(states[Index(C::PopupEchelleVert)].visible);
}

TEST(Commands, TheTransparentSheetHasItsOwnToolAndErasure)
{
    TWindowState s = Pointing(video::vmTransparentPointing);
    s.tool = document::toTransparent;
    s.originPlaced = true; // the camera frame's origin plays no part here
    const TCommandStates states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::OutilTsp)].visible);
    EXPECT_TRUE(states[Index(C::OutilTsp)].checked);
    EXPECT_FALSE(states[Index(C::OutilOrigine)].visible);
    EXPECT_FALSE(states[Index(C::AffichageEffacerMarques)].visible);
    EXPECT_TRUE(states[Index(C::AffichageEffacerTransparent)].visible);
    EXPECT_FALSE(states[Index(C::MesuresAngleRotation)].enabled);
    EXPECT_FALSE(states[Index(C::AffichageEffacerRepere)].enabled);
}

TEST(Commands, OtherModesAsTheirPanelsAndTheSettingsAllow)
{
    TWindowState s = Pointing(video::vmTracking);
    TCommandStates states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::ModeTracking)].checked);
    EXPECT_TRUE(states[Index(C::AffichageEffacerMarques)].enabled); // the tracker's marks
    EXPECT_TRUE(states[Index(C::AffichageEffacerTout)].enabled);
    EXPECT_TRUE(states[Index(C::PopupTrackContour)].visible);
    EXPECT_FALSE(states[Index(C::OutilMarque)].visible);
    EXPECT_FALSE(states[Index(C::AffichageAnnuler)].enabled);
    EXPECT_FALSE(states[Index(C::ModeStudio)].enabled); // no panel yet
    EXPECT_TRUE(states[Index(C::MesuresCalculatrice)].enabled); // in every mode
    s.allowTracking = false;
    s.allowMontage = false;
    states = CommandStates(s);
    EXPECT_FALSE(states[Index(C::ModeTracking)].enabled);
    EXPECT_FALSE(states[Index(C::ModeMontage)].enabled);

    // The capture needs no video, only its panel and the settings' leave.
    s = TWindowState {};
    states = CommandStates(s);
    EXPECT_FALSE(states[Index(C::ModeCapture)].enabled);
    s.capturePanel = true;
    states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::ModeCapture)].enabled);
    s.allowCapture = false;
    states = CommandStates(s);
    EXPECT_FALSE(states[Index(C::ModeCapture)].enabled);

    s = Pointing(video::vmCapture);
    states = CommandStates(s);
    // The video behind the camera's preview cannot be stepped through, and its navigation bar goes.
    for (C c : { C::VideoRetour, C::VideoPred, C::VideoPause, C::VideoLecture, C::VideoSucc, C::VideoAvance }) {
        EXPECT_FALSE(states[Index(c)].visible) << CommandName(c);
        EXPECT_FALSE(states[Index(c)].enabled) << CommandName(c);
        EXPECT_TRUE(CommandStates(Pointing(video::vmFixedPointing))[Index(c)].enabled) << CommandName(c);
    }
    EXPECT_FALSE(states[Index(C::FichierEnregistrer)].visible);
    EXPECT_FALSE(states[Index(C::FichierProprietes)].visible);
    s.mode = video::vmWorkshop;
    states = CommandStates(s);
    EXPECT_FALSE(states[Index(C::AffichageEffacerTout)].enabled); // no workshop panel
    s.workshopPanel = true;
    states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::ModeStudio)].enabled);
    EXPECT_TRUE(states[Index(C::ModeStudio)].checked);
    EXPECT_TRUE(states[Index(C::AffichageEffacerTout)].enabled); // the outlines
    s.allowWorkshop = false;
    EXPECT_FALSE(CommandStates(s)[Index(C::ModeStudio)].enabled);
    EXPECT_FALSE(states[Index(C::FichierEnregistrerSous)].visible);
    EXPECT_TRUE(states[Index(C::FichierProprietes)].visible);
}

TEST(Commands, NewMediaFromTheVideoOrFromPicturesOneRecordingAtATime)
{
    TCommandStates states = CommandStates(TWindowState {});
    EXPECT_FALSE(states[Index(C::FichierDecomposer)].enabled);
    EXPECT_FALSE(states[Index(C::FichierEnregistrerMontage)].enabled);
    EXPECT_TRUE(states[Index(C::FichierAssembler)].enabled); // pictures need no video
    TWindowState s = Pointing();
    states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::FichierDecomposer)].enabled);
    EXPECT_TRUE(states[Index(C::FichierEnregistrerMontage)].enabled);
    s.recording = true;
    states = CommandStates(s);
    for (C c : { C::FichierDecomposer, C::FichierAssembler, C::FichierEnregistrerMontage, C::FichierOuvrir })
        EXPECT_FALSE(states[Index(c)].enabled) << CommandName(c);
}

TEST(Commands, TheDisplayChoicesShowWhatIsChosen)
{
    TWindowState s = Pointing();
    s.elementSize = 2;
    s.numberPosition = 1;
    s.marksToDraw = 3;
    s.objectsPerFrame = 7;
    s.framesBetweenMarks = 2;
    s.loupeShown = true;
    const TCommandStates states = CommandStates(s);
    EXPECT_TRUE(states[Index(C::AffichageTailleGrande)].checked);
    EXPECT_FALSE(states[Index(C::AffichageTaillePetite)].checked);
    EXPECT_TRUE(states[Index(C::AffichageNumeroterRight)].checked);
    EXPECT_TRUE(states[Index(C::AffichageDessinerAutres)].checked);
    EXPECT_TRUE(states[Index(C::MesuresNbMarqueParImageAutres)].checked);
    EXPECT_TRUE(states[Index(C::MesuresNbImagesEntreMarquesAutres)].checked);
    EXPECT_TRUE(states[Index(C::AffichageLoupe)].checked);
    EXPECT_FALSE(states[Index(C::AffichageCacherImage)].checked);
}

TEST(Commands, TheWindowStateIsReadFromTheViewTheDocumentAndTheSettings)
{
    test::TSyntheticFactory factory;
    factory.video = test::TSyntheticVideo::Uniform(640, 480, 20, 10, 20, 30);
    test::TManualTimer timer;
    video::TVideo view(factory, timer);
    test::TScriptedUserDlg dlg;
    document::TDocumentSettings settings;
    settings.separateScales = true;
    document::TData data(dlg, settings);
    video::TDocumentInput input(data, view);
    TConnections links = video::LinkDocument(view, data, input);
    TOptions options;
    options.allowTracking = false;
    view.Resize(640, 480);
    ASSERT_TRUE(view.Open("clip.avi"));
    data.SetObjectsPerFrame(3);
    view.ShowLoupe(true);

    const TWindowState s = WindowStateOf(view, data, options);
    EXPECT_TRUE(s.videoOpen);
    EXPECT_EQ(s.mode, video::vmFixedPointing);
    EXPECT_EQ(s.tool, document::toPlaceMarks);
    EXPECT_TRUE(s.separateScales);
    EXPECT_EQ(s.objectsPerFrame, 3);
    EXPECT_TRUE(s.loupeShown);
    EXPECT_FALSE(s.allowTracking);
    EXPECT_TRUE(CommandStates(s)[Index(C::MesuresNbMarqueParImageTrois)].checked);
}

} // namespace
} // namespace kinoval::mainwindow
