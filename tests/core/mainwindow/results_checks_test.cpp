// The checks before any results: each refusal names the step to take, the scale message shows the picture
// of the missing scale button, and the warnings let the user go on.
#include "core/mainwindow/results_checks.h"

#include "../document/document_fixture.h"
#include "core/results/results_set.h"
#include "core/settings/options.h"

#include <gtest/gtest.h>

namespace kinoval::test {
namespace {

using document::skHorizontal;
using document::skSingle;
using document::skVertical;
using mainwindow::kResultsGo;
using mainwindow::kResultsNameObjects;
using mainwindow::kResultsStop;

const mainwindow::TScalePictures kPictures { "single.svg", "horizontal.svg", "vertical.svg" };

class ResultsChecksTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        options.adviseNamingObjects = false; // the naming hint has its own tests
    }

    mainwindow::TResultsChecks Checks(bool transparent = false)
    {
        return mainwindow::TResultsChecks({ *data, options, dlg, kPictures, transparent });
    }

    void MakeScale(int kind, double x1, double y1, double x2, double y2, double length)
    {
        data->SetTool(document::toScale);
        data->Scale().Kind = static_cast<std::uint8_t>(kind);
        Click(x1, y1);
        Click(x2, y2);
        data->SetScaleLength(kind, length);
    }
    void PlaceOrigin()
    {
        data->SetTool(document::toOriginAndAxes);
        Click(0.1, 0.9);
    }
    // Marks of object k on frames 0 .. n-1 (the document advances itself after the last object).
    void PointFrames(int frames)
    {
        data->SetTool(document::toPlaceMarks);
        for (int f = 0; f < frames; ++f)
            for (int k = 0; k < data->ObjectsPerFrame(); ++k)
                Click(0.2 + 0.01 * f + 0.1 * k, 0.5);
    }

    TOptions options;
};

TEST_F(ResultsChecksTest, MissingSingleScaleShowsTheScaleButtonAndStops)
{
    EXPECT_EQ(Checks().Check(), kResultsStop);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icCustom);
    EXPECT_EQ(dlg.CustomIcon(), "single.svg");
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "Définir, au préalable, l'échelle à l'aide d'une longueur connue.",
            "Utiliser le bouton poussoir « Echelle »." }));
    // Two points without a length are not a scale either.
    dlg.ClearRuns();
    data->SetTool(document::toScale);
    Click(0.1, 0.1);
    Click(0.5, 0.1);
    auto checks = Checks();
    EXPECT_EQ(checks.Check(), kResultsStop);
    EXPECT_EQ(checks.LastMissingScale(), skSingle);
}

TEST_F(ResultsChecksTest, SeparateScalesWithOnlyTheVerticalDoneShowTheHorizontalButton)
{
    settings.separateScales = true;
    Make();
    MakeScale(skVertical, 0.5, 0.2, 0.5, 0.7, 1);
    auto checks = Checks();
    EXPECT_EQ(checks.Check(), kResultsStop);
    EXPECT_EQ(checks.LastMissingScale(), skHorizontal);
    EXPECT_EQ(dlg.CustomIcon(), "horizontal.svg");
    // The horizontal done and the vertical missing: the vertical button.
    Make();
    MakeScale(skHorizontal, 0.2, 0.5, 0.7, 0.5, 1);
    auto again = Checks();
    EXPECT_EQ(again.Check(), kResultsStop);
    EXPECT_EQ(again.LastMissingScale(), skVertical);
    EXPECT_EQ(dlg.CustomIcon(), "vertical.svg");
}

TEST_F(ResultsChecksTest, TwoObjectsWithTooFewMarksForOneNameTheObjectCount)
{
    MakeScale(skSingle, 0.1, 0.1, 0.6, 0.1, 1);
    PlaceOrigin();
    data->SetObjectsPerFrame(2);
    PointFrames(2);
    data->SetTool(document::toPlaceMarks);
    Click(0.5, 0.5); // a third mark of the first object only
    ASSERT_EQ(data->MarkCount(), 5);
    EXPECT_EQ(mainwindow::SmallestMarkCount(*data), 2);
    dlg.ClearRuns();
    EXPECT_EQ(Checks().Check(), kResultsStop);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "Vous avez choisi de pointer simultanément les positions de 2 objets.",
            "Poser, au préalable, au moins trois marques par objet.", "Utiliser le bouton poussoir « Marques »." }));
}

TEST_F(ResultsChecksTest, OneObjectWithTwoMarksHasNoObjectCountLine)
{
    MakeScale(skSingle, 0.1, 0.1, 0.6, 0.1, 1);
    PointFrames(2);
    dlg.ClearRuns();
    EXPECT_EQ(Checks().Check(), kResultsStop);
    EXPECT_EQ(dlg.LastRun().Texts().front(), "Poser, au préalable, au moins trois marques par objet.");
}

TEST_F(ResultsChecksTest, MarksWithoutOriginAskForTheOrigin)
{
    MakeScale(skSingle, 0.1, 0.1, 0.6, 0.1, 1);
    PointFrames(6);
    dlg.ClearRuns();
    EXPECT_EQ(Checks().Check(), kResultsStop);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> {
            "Poser, au préalable, l'origine d'un repère.", "Utiliser le bouton poussoir « Repère »." }));
}

TEST_F(ResultsChecksTest, FourMarksWarnAndContinuerGoesOn)
{
    MakeScale(skSingle, 0.1, 0.1, 0.6, 0.1, 1);
    PlaceOrigin();
    PointFrames(4);
    dlg.ClearRuns();
    dlg.Script(1); // Continuer
    EXPECT_EQ(Checks().Check(), kResultsGo);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Captions(), (std::vector<std::string> { "Annuler", "Continuer" }));
    EXPECT_EQ(dlg.LastRun().Texts().front(),
        "Le calcul de la vitesse ou de l'accélération nécessite au moins cinq marques sur la trajectoire pour "
        "être fiable.");
    dlg.Script(0); // Annuler
    EXPECT_EQ(Checks().Check(), kResultsStop);
    // Five marks need no warning.
    PointFrames(1);
    dlg.ClearRuns();
    EXPECT_EQ(Checks().Check(), kResultsGo);
    EXPECT_EQ(dlg.RunCount(), 0u);
}

TEST_F(ResultsChecksTest, TransparentPointingCountsAllItsMarks)
{
    MakeScale(skSingle, 0.1, 0.1, 0.6, 0.1, 1);
    dlg.ClearRuns();
    EXPECT_EQ(Checks(true).Check(), kResultsStop);
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "Poser, au préalable, au moins trois marques sur la trajectoire.",
            "A l'aide de la souris, glisser-déposer le transparent puis pointer la position de l'objet." }));
    // No origin is needed on the sheet: its own frame is the reference.
    view.mode = TMarkSet::Transparent;
    data->SetTool(document::toPlaceMarks);
    for (int f = 0; f < 4; ++f)
        Click(0.3 + 0.05 * f, 0.5);
    ASSERT_EQ(data->Set(TMarkSet::Transparent).MarkCount(), 4);
    dlg.ClearRuns();
    dlg.Script(1);
    EXPECT_EQ(Checks(true).Check(), kResultsGo);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
}

class NamingHintTest : public ResultsChecksTest {
protected:
    void SetUp() override
    {
        ResultsChecksTest::SetUp();
        options.adviseNamingObjects = true;
        MakeScale(skSingle, 0.1, 0.1, 0.6, 0.1, 1);
        PlaceOrigin();
        PointFrames(5);
        dlg.ClearRuns();
    }
};

TEST_F(NamingHintTest, DefaultNamesOfferToNameThem)
{
    dlg.Script(0); // Donner un nom
    EXPECT_EQ(Checks().Check(), kResultsNameObjects);
    const auto& run = dlg.LastRun();
    EXPECT_EQ(run.Captions(), (std::vector<std::string> { "Donner un nom", "Ignorer" }));
    EXPECT_EQ(run.checkBoxCaption, "Ne plus afficher cette boîte de dialogue");
    EXPECT_EQ(run.Texts().front(), "Le nom d'un objet est attribué par défaut (« Point n°1 » par exemple).");
    dlg.Script(1); // Ignorer
    EXPECT_EQ(Checks().Check(), kResultsGo);
}

TEST_F(NamingHintTest, TickingTheBoxSwitchesTheHintOff)
{
    auto checks = Checks();
    dlg.Script(1, true);
    EXPECT_EQ(checks.Check(), kResultsGo);
    EXPECT_FALSE(options.adviseNamingObjects);
    EXPECT_TRUE(checks.NamingHintDismissed());
    options.adviseNamingObjects = true; // even if the setting comes back in this run
    dlg.ClearRuns();
    EXPECT_EQ(checks.Check(), kResultsGo);
    EXPECT_EQ(dlg.RunCount(), 0u);
}

TEST_F(NamingHintTest, NamedObjectsNeedNoHint)
{
    data->SetObjectName(0, "d'une balle");
    EXPECT_EQ(Checks().Check(), kResultsGo);
    EXPECT_EQ(dlg.RunCount(), 0u);
}

TEST_F(ResultsChecksTest, ComputedResultsOrTheCalculationMessage)
{
    results::TResultsSet results(*data);
    // No scale: the calculator refuses and the user is told.
    EXPECT_FALSE(mainwindow::ComputeResults(results, options, dlg));
    EXPECT_EQ(dlg.LastRun().Texts(),
        (std::vector<std::string> { "L'unité de calcul a détecté une erreur. L'opération en cours est annulée." }));
    MakeScale(skSingle, 0.1, 0.1, 0.6, 0.1, 1);
    PlaceOrigin();
    PointFrames(5);
    dlg.ClearRuns();
    EXPECT_TRUE(mainwindow::ComputeResults(results, options, dlg));
    EXPECT_EQ(dlg.RunCount(), 0u);
    EXPECT_EQ(results.Calc.Rows(), 5);
}

} // namespace
} // namespace kinoval::test
