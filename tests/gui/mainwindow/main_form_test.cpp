// The main window's commands on a real sample video: tools, the checks before results, the start, the
// window's place in the settings.
#include "main_form_fixture.h"

#include "core/common/folders.h"
#include "core/video/studio.h"
#include "gui/dialogs/value_dialog.h"

#include <QTimer>

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStackedWidget>

namespace kinoval::test {
namespace {

TEST(MainFormGeometry, ViewKeepsTheFrameAspectRatioWithOneLineFree)
{
    // factor = min(800 / 640, (601 - 1) / 480) = 1.25
    EXPECT_EQ(gui::TMainForm::FittedViewSize(QSize(800, 601), QSize(640, 480)), QSize(800, 600));
    // A wide area: the height decides, and the last line stays free.
    EXPECT_EQ(gui::TMainForm::FittedViewSize(QSize(1000, 481), QSize(640, 480)), QSize(640, 480));
    // Sizes are truncated, not rounded: factor = 299 / 480.
    EXPECT_EQ(gui::TMainForm::FittedViewSize(QSize(1000, 300), QSize(640, 480)), QSize(398, 299));
    EXPECT_EQ(gui::TMainForm::FittedViewSize(QSize(100, 1), QSize(640, 480)), QSize(0, 0));
}

TEST_F(MainFormTest, ComponentsCarryTheirNamesAndWaitForAVideo)
{
    for (const char* name : { "ButtonVideoRetour", "ButtonVideoPred", "ButtonVideoPause", "ButtonVideoLecture",
             "ButtonVideoSucc", "ButtonVideoAvance", "ButtonOutilZoom", "ButtonOutilPan", "ButtonOutilEchelle",
             "ButtonOutilEchelleHoriz", "ButtonOutilEchelleVert", "ButtonOutilMarque", "ButtonOutilOrigine",
             "ButtonOutilTsp", "ButtonOutilDeplacer", "ButtonOutilEffacer", "ButtonOutilNom", "ButtonModeRepereFixe",
             "ButtonModeTransparent", "ButtonModeMontage", "ButtonModeTracking", "ButtonModeStudio",
             "ButtonModeCapture", "ButtonMenuTableau", "ButtonMenuTemps", "ButtonMenuReferentiel", "ButtonMenuVecteur",
             "ButtonMenuFormule" }) {
        ASSERT_NE(Button(name), nullptr) << name;
        EXPECT_FALSE(Button(name)->isEnabled()) << name;
    }
    ASSERT_NE(form->findChild<QSlider*>(QStringLiteral("TrackBar")), nullptr);
    for (const char* name : { "EditImage", "EditMarque", "EditZoom", "EditAngle" })
        EXPECT_NE(form->findChild<QLineEdit*>(QLatin1String(name)), nullptr) << name;
    ASSERT_TRUE(OpenParabola());
    EXPECT_TRUE(Button("ButtonOutilMarque")->isEnabled());
    EXPECT_TRUE(Button("ButtonOutilMarque")->isChecked());
    EXPECT_TRUE(Button("ButtonModeRepereFixe")->isChecked());
    EXPECT_TRUE(Button("ButtonMenuTableau")->isEnabled());
    EXPECT_TRUE(Button("ButtonMenuTemps")->isEnabled());
    EXPECT_TRUE(Button("ButtonMenuReferentiel")->isEnabled());
    EXPECT_TRUE(Button("ButtonMenuFormule")->isEnabled());
    EXPECT_TRUE(Button("ButtonModeMontage")->isEnabled());
    EXPECT_TRUE(Button("ButtonModeTracking")->isEnabled());
    EXPECT_TRUE(Button("ButtonModeStudio")->isEnabled());
    EXPECT_TRUE(Button("ButtonMenuVecteur")->isEnabled());
    // The other modes stay unavailable until their panels exist.
    for (const char* name : { "ButtonModeCapture" })
        EXPECT_FALSE(Button(name)->isEnabled()) << name;
    EXPECT_EQ(form->findChild<QLineEdit*>(QStringLiteral("EditImage"))->text(), QStringLiteral("1 / 26"));
}

TEST_F(MainFormTest, TrackingAndMontageModesBringTheirPanelsAndFollowTheSettings)
{
    ASSERT_TRUE(OpenParabola());
    Button("ButtonModeTracking")->click();
    ASSERT_EQ(video.Mode(), video::vmTracking);
    ASSERT_NE(Button("ButtonTrackContour"), nullptr);
    EXPECT_TRUE(Button("ButtonTrackContour")->isEnabled());
    EXPECT_TRUE(Action("PopupMenuTrackContour")->isVisible());
    EXPECT_TRUE(Action("MenuAffichageEffacerTout")->isEnabled());
    // The popup entry presses the panel's button; its hint reaches the status bar.
    Action("PopupMenuTrackContour")->trigger();
    EXPECT_TRUE(Button("ButtonTrackContour")->isChecked());
    auto* hint = form->findChild<QLabel*>(QStringLiteral("StatusBarHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->text().contains(QStringLiteral("bouton droit = effacer")));

    Button("ButtonModeMontage")->click();
    ASSERT_EQ(video.Mode(), video::vmMontage);
    EXPECT_TRUE(Button("ButtonMontageBasculer")->isEnabled());
    EXPECT_FALSE(Action("PopupMenuTrackContour")->isVisible());

    // The settings can withdraw both modes.
    Button("ButtonModeRepereFixe")->click();
    options.allowTracking = false;
    options.allowMontage = false;
    Button("ButtonOutilMarque")->click();
    EXPECT_FALSE(Button("ButtonModeTracking")->isEnabled());
    EXPECT_FALSE(Button("ButtonModeMontage")->isEnabled());
}

TEST_F(MainFormTest, TheWorkshopTakesTheMouseAndItsButtonLeadsBack)
{
    ASSERT_TRUE(OpenParabola());
    data.SetTool(document::toPlaceMarks);
    Button("ButtonModeStudio")->click();
    ASSERT_EQ(video.Mode(), video::vmWorkshop);
    EXPECT_EQ(data.Tool(), document::toNone);
    ASSERT_NE(Button("ButtonStudioContour"), nullptr);
    EXPECT_TRUE(Button("ButtonStudioContour")->isEnabled());
    EXPECT_FALSE(Action("MenuFichierEnregistrer")->isVisible());
    // A circle drawn with the mouse goes to the workshop, not to the document.
    Button("ButtonStudioCercle")->click();
    Button("ButtonStudioContour")->click();
    video.MouseDown(video::TMouseButton::Left, {}, { 100, 100 });
    video.MouseMove({}, { 130, 100 });
    video.MouseUp(video::TMouseButton::Left, {}, { 130, 100 });
    EXPECT_EQ(form->Studio().FinishedCount(), 1);
    EXPECT_EQ(data.MarkCount(), 0);
    Action("MenuAffichageEffacerTout")->trigger();
    EXPECT_EQ(form->Studio().FinishedCount(), 0);
    Button("ButtonModeStudio")->click();
    EXPECT_EQ(video.Mode(), video::vmFixedPointing);
}

TEST_F(MainFormTest, ViewFillsItsAreaAtTheFrameAspectRatio)
{
    ASSERT_TRUE(OpenParabola());
    const QSize area = form->ViewAreaSize();
    const QSize view = form->View().size();
    EXPECT_EQ(view, gui::TMainForm::FittedViewSize(area, QSize(640, 480)));
    form->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(form->View().size(), gui::TMainForm::FittedViewSize(form->ViewAreaSize(), QSize(640, 480)));
    EXPECT_LT(form->View().width(), view.width());
}

TEST_F(MainFormTest, PanToolAtZoomHundredExplainsItselfAndStaysSelected)
{
    ASSERT_TRUE(OpenParabola());
    dlg.ClearRuns();
    Button("ButtonOutilPan")->click();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "Le déplacement de l'image dans son cadre n'est possible que si le taux "
                                    "d'agrandissement est supérieur à 100%." }));
    EXPECT_EQ(video.NavigationTool(), video::ntPan);
    EXPECT_TRUE(Button("ButtonOutilPan")->isChecked());
    EXPECT_FALSE(Button("ButtonOutilMarque")->isChecked());
    // Zoomed in, the pan tool says nothing.
    video.ZoomAt({ 100, 100 }, 200);
    dlg.ClearRuns();
    Button("ButtonOutilPan")->click();
    EXPECT_EQ(dlg.RunCount(), 0u);
}

TEST_F(MainFormTest, ToolButtonsChooseTheDocumentToolAndTheStatusHint)
{
    ASSERT_TRUE(OpenParabola());
    Button("ButtonOutilOrigine")->click();
    EXPECT_EQ(data.Tool(), document::toOriginAndAxes);
    EXPECT_TRUE(Button("ButtonOutilOrigine")->isChecked());
    auto* hint = form->findChild<QLabel*>(QStringLiteral("StatusBarHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->text().toStdString(),
        "Bouton gauche (ou Entrée) = poser l'origine ; bouton droit (ou Echap) = annuler ; Ctrl + touche de "
        "direction = déplacer le pointeur de la souris");
    Button("ButtonOutilEffacer")->click();
    EXPECT_EQ(data.Tool(), document::toErase);
    EXPECT_EQ(hint->text().toStdString(),
        "Bouton gauche = supprimer la marque sous le pointeur de la souris ; bouton droit = supprimer les marques "
        "de l'image");
    // The popup's entries do what the buttons do.
    Action("PopupMenuMarque")->trigger();
    EXPECT_EQ(data.Tool(), document::toPlaceMarks);
    EXPECT_TRUE(Button("ButtonOutilMarque")->isChecked());
}

TEST_F(MainFormTest, UndoCaptionFollowsTheHistory)
{
    ASSERT_TRUE(OpenParabola());
    QAction* undo = Action("MenuAffichageAnnuler");
    ASSERT_NE(undo, nullptr);
    EXPECT_TRUE(undo->text().endsWith(QStringLiteral("  (Ctrl A)")));
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    ClickPicture(100, 100);
    ASSERT_EQ(data.MarkCount(), 1);
    EXPECT_EQ(undo->text().toStdString(), data.UndoCaption() + "  (Ctrl A)");
    EXPECT_NE(data.UndoCaption(), "");
    undo->trigger();
    EXPECT_EQ(data.MarkCount(), 0);
}

TEST_F(MainFormTest, NavigationButtonsAndTheFrameBox)
{
    ASSERT_TRUE(OpenParabola());
    auto* frame = form->findChild<QLineEdit*>(QStringLiteral("EditImage"));
    auto* track = form->findChild<QSlider*>(QStringLiteral("TrackBar"));
    Button("ButtonVideoAvance")->click();
    EXPECT_EQ(video.CurrentMontageFrame(), 25);
    EXPECT_EQ(frame->text(), QStringLiteral("26 / 26"));
    EXPECT_EQ(track->value(), 25);
    Button("ButtonVideoPred")->click();
    EXPECT_EQ(video.CurrentMontageFrame(), 24);
    track->setValue(3);
    EXPECT_EQ(video.CurrentMontageFrame(), 3);
    Button("ButtonVideoRetour")->click();
    EXPECT_EQ(video.CurrentMontageFrame(), 0);
    // The frame number typed is counted from 1.
    valueAnswers = { 10 };
    Action("MenuAffichageAllerImageNumero")->trigger();
    ASSERT_EQ(askedUses.size(), 1u);
    EXPECT_EQ(askedUses[0].rangeText, "1 <= numéro <= 26");
    EXPECT_EQ(video.CurrentMontageFrame(), 9);
}

TEST_F(MainFormTest, FrameNumberZeroIsRefusedByTheValueDialog)
{
    ASSERT_TRUE(OpenParabola());
    form->askValue = nullptr; // the real dialog
    dlg.ClearRuns();
    int refusals = -1;
    QTimer::singleShot(0, form.get(), [this, &refusals] {
        auto* dialog = qobject_cast<TValueDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->Edit()->setText(QStringLiteral("0"));
        dialog->accept();
        refusals = static_cast<int>(dlg.RunCount());
        EXPECT_TRUE(dialog->isVisible()); // still open, for another try
        dialog->Edit()->setText(QStringLiteral("5"));
        dialog->accept();
    });
    Action("MenuAffichageAllerImageNumero")->trigger();
    EXPECT_EQ(refusals, 1);
    ASSERT_EQ(dlg.RunCount(), 1u);
    const std::string text = dlg.LastRun().JoinedText();
    EXPECT_NE(text.find("Saisir une valeur comprise dans l'intervalle ci-dessous :"), std::string::npos) << text;
    EXPECT_NE(text.find("1 <= numéro <= 26"), std::string::npos) << text;
    EXPECT_EQ(video.CurrentMontageFrame(), 4);
}

class ResultsButtonTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        options.adviseNamingObjects = false;
        ASSERT_TRUE(OpenParabola());
        dlg.ClearRuns();
    }
    void Scale(const char* button, double x1, double y1, double x2, double y2, int kind)
    {
        Button(button)->click();
        ClickPicture(x1, y1);
        ClickPicture(x2, y2);
        data.SetScaleLength(kind, 1);
    }
};

TEST_F(ResultsButtonTest, FourMarksWarnThenContinuerShowsTheTable)
{
    Scale("ButtonOutilEchelle", 60, 462, 360, 462, document::skSingle);
    Button("ButtonOutilOrigine")->click();
    ClickPicture(70, 360);
    Button("ButtonOutilMarque")->click();
    for (int i = 0; i < 4; ++i)
        ClickPicture(100 + 20 * i, 300);
    ASSERT_EQ(data.MarkCount(), 4);
    dlg.Script(1); // Continuer
    EXPECT_TRUE(form->ShowResults(results::TResultsPage::Table));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Captions(), (std::vector<std::string> { "Annuler", "Continuer" }));
    EXPECT_EQ(shownPages, std::vector<results::TResultsPage> { results::TResultsPage::Table });
    // Annuler shows nothing.
    dlg.Script(0);
    Button("ButtonMenuTableau")->click();
    EXPECT_EQ(shownPages.size(), 1u);
}

TEST_F(ResultsButtonTest, SeparateScalesWithOnlyTheVerticalShowTheHorizontalButton)
{
    options.separateScales = true;
    options.NotifyChange();
    QApplication::processEvents();
    EXPECT_TRUE(Button("ButtonOutilEchelleHoriz")->isVisibleTo(form.get()));
    EXPECT_FALSE(Button("ButtonOutilEchelle")->isVisibleTo(form.get()));
    Scale("ButtonOutilEchelleVert", 500, 100, 500, 400, document::skVertical);
    ASSERT_EQ(data.ScalePointCount(document::skVertical), 2);
    Button("ButtonMenuTableau")->click();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icCustom);
    EXPECT_EQ(dlg.CustomIcon(), ":/mainwindow/ButtonOutilEchelleHoriz.svg");
    EXPECT_TRUE(shownPages.empty());
}

TEST_F(ResultsButtonTest, TwoObjectsWithTooFewMarksNameTheObjectCount)
{
    Scale("ButtonOutilEchelle", 60, 462, 360, 462, document::skSingle);
    Action("MenuMesuresNbMarqueParImageDeux")->trigger();
    EXPECT_EQ(data.ObjectsPerFrame(), 2);
    for (int i = 0; i < 5; ++i)
        ClickPicture(100 + 20 * i, 300);
    dlg.ClearRuns();
    Button("ButtonMenuTableau")->click();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Texts().front(), "Vous avez choisi de pointer simultanément les positions de 2 objets.");
}

TEST_F(ResultsButtonTest, ObjectsPerFrameAreRefusedOnTheSheet)
{
    Button("ButtonModeTransparent")->click();
    EXPECT_EQ(video.Mode(), video::vmTransparentPointing);
    EXPECT_TRUE(Button("ButtonModeTransparent")->isChecked());
    QApplication::processEvents();
    EXPECT_TRUE(Button("ButtonOutilTsp")->isVisibleTo(form.get()));
    EXPECT_FALSE(Button("ButtonOutilOrigine")->isVisibleTo(form.get()));
    Action("MenuMesuresNbMarqueParImageDeux")->trigger();
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> {
            "Par souci de clarté, on ne peut poser qu'une marque par image sur le transparent." }));
    EXPECT_EQ(data.ObjectsPerFrame(), 1);
    Button("ButtonModeRepereFixe")->click();
    EXPECT_EQ(video.Mode(), video::vmFixedPointing);
}

TEST_F(MainFormTest, TheResultsWindowAppearsComesBackAndFollowsTheStudy)
{
    ASSERT_TRUE(OpenParabola());
    form->showResultsWindow = programShowsResults;
    TResForm& window = form->ResultsWindow();
    EXPECT_FALSE(window.isVisible());
    form->showResultsWindow(results::TResultsPage::Table);
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isWindow());
    window.close();
    EXPECT_FALSE(window.isVisible());
    form->showResultsWindow(results::TResultsPage::Table);
    EXPECT_TRUE(window.isVisible());
    // A new video redisplays the shown window: it has nothing to show yet.
    dlg.Script(2); // Ignorer, if asked
    Action("MenuFichierExempleCylindre")->trigger();
    auto* pages = window.findChild<QStackedWidget*>(QStringLiteral("PagesResultats"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("LabelSansResultat"));
}

TEST_F(MainFormTest, TheTitleNamesTheStudyAndMarksItsChanges)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kinoval"));
    ASSERT_TRUE(OpenParabola());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("parabole.avi[*] — Kinoval"));
    EXPECT_FALSE(form->isWindowModified());
    Button("ButtonOutilMarque")->click();
    ClickPicture(100, 300);
    EXPECT_TRUE(form->isWindowModified());
    const std::string study = dir.File("chute.kvl");
    desktop.saveAnswers.push_back(study);
    dlg.Script(0); // the success box
    Action("MenuFichierEnregistrer")->trigger();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("chute.kvl[*] — Kinoval"));
    EXPECT_FALSE(form->isWindowModified());
    // Ctrl+Z undoes as Ctrl+A does; the change shows again.
    const QList<QKeySequence> keys = Action("MenuAffichageAnnuler")->shortcuts();
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_A)));
    Action("MenuAffichageAnnuler")->trigger();
    EXPECT_EQ(data.MarkCount(), 0);
    EXPECT_TRUE(form->isWindowModified());
    // The second save goes to the study's file at once.
    const std::size_t asked = desktop.saveRequests.size();
    Action("MenuFichierEnregistrer")->trigger();
    EXPECT_EQ(desktop.saveRequests.size(), asked);
    EXPECT_FALSE(form->isWindowModified());
}

TEST_F(MainFormTest, EveryToolButtonHasANameATipAndAHint)
{
    for (QToolButton* b : form->findChildren<QToolButton*>()) {
        if (b->objectName().startsWith(QLatin1String("qt_")) || !b->objectName().startsWith(QLatin1String("Button")))
            continue;
        // What a screen reader says: the accessible name, else the caption.
        EXPECT_FALSE(b->accessibleName().isEmpty() && b->text().isEmpty()) << b->objectName().toStdString();
        EXPECT_FALSE(b->toolTip().isEmpty()) << b->objectName().toStdString();
    }
    for (const char* name : { "ButtonOutilEchelle", "ButtonOutilMarque", "ButtonOutilOrigine" })
        EXPECT_FALSE(Button(name)->statusTip().isEmpty()) << name;
    // The messages name the buttons as the buttons name themselves.
    EXPECT_EQ(Button("ButtonOutilEchelle")->accessibleName(), QStringLiteral("Echelle"));
    EXPECT_EQ(Button("ButtonOutilMarque")->accessibleName(), QStringLiteral("Marques"));
    EXPECT_EQ(Button("ButtonOutilOrigine")->accessibleName(), QStringLiteral("Repère"));
}

TEST_F(MainFormTest, CheckableButtonsAnswerAToggleAsAClick)
{
    // An assistive tool toggles a checkable button instead of clicking it: the tool is chosen all the same,
    // and the window's own updates of the pressed state run no command.
    ASSERT_TRUE(OpenParabola());
    Button("ButtonOutilEchelle")->toggle();
    EXPECT_EQ(data.Tool(), document::toScale);
    EXPECT_TRUE(Button("ButtonOutilEchelle")->isChecked());
    EXPECT_FALSE(Button("ButtonOutilMarque")->isChecked());
    Button("ButtonModeTransparent")->toggle();
    EXPECT_EQ(video.Mode(), video::vmTransparentPointing);
    Button("ButtonOutilMarque")->click();
    EXPECT_EQ(data.Tool(), document::toPlaceMarks);
    Button("ButtonModeRepereFixe")->click();
    EXPECT_EQ(video.Mode(), video::vmFixedPointing);
}

TEST_F(MainFormTest, StartOpensTheThrownBallAndTheMenuOffersBothSamples)
{
    ASSERT_TRUE(form->OpenSampleVideo());
    EXPECT_NE(video.FileName().find("parabole"), std::string::npos) << video.FileName();
    EXPECT_EQ(std::string(video.FileName()).rfind(TemporaryFolder(), 0), 0u);
    Action("MenuFichierExempleCylindre")->trigger();
    EXPECT_NE(video.FileName().find("cylindre"), std::string::npos) << video.FileName();
    EXPECT_EQ(dlg.RunCount(), 0u); // nothing was changed: no question
    Action("MenuFichierExempleBalle")->trigger();
    EXPECT_NE(video.FileName().find("parabole"), std::string::npos) << video.FileName();
}

TEST_F(MainFormTest, PlaceAndRecentFilesGoToTheSettingsAtClose)
{
    const std::string ini = dir.File("Kinoval.ini");
    options.askToSaveOnQuit = false;
    MakeForm(ini);
    ASSERT_TRUE(OpenParabola());
    form->resize(1111, 777);
    form->close();
    TIniFile file;
    ASSERT_EQ(file.Load(ini), 0);
    EXPECT_EQ(file.ReadInt("MainForm", "Width", 0), 1111);
    EXPECT_EQ(file.ReadInt("MainForm", "Height", 0), 777);
    EXPECT_EQ(file.ReadString("RecentFiles", "File1", ""), samples[1].toStdString());
    EXPECT_EQ(file.ReadString("MainForm", "Directory", ""), dir.Path().string());
    EXPECT_TRUE(file.ValueExists("Options", "CheckBox3ConfirmationQuit_Checked"));
    // A new window comes back at that size, with the list.
    mru.Clear();
    MakeForm(ini);
    EXPECT_EQ(form->size(), QSize(1111, 777));
    ASSERT_EQ(mru.Files().size(), 1u);
    EXPECT_EQ(mru.Files()[0], samples[1].toStdString());
}

} // namespace
} // namespace kinoval::test
