#include "gui/dialogs/settings_dialog.h"

#include "core/common/texts.h"
#include "modal_driver.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace kinoval {
namespace {

struct SettingsDialogTest : ::testing::Test {
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    TOptions options;
    int notices = 0;

    TConnection listening = options.OnChange.Connect([this]() { ++notices; });
};

// Every setting the program acts upon is on a page, as a control named after its key; the others have
// none, and no page is left without a control.
TEST_F(SettingsDialogTest, EverySettingInUseHasItsControlAndNoOtherDoes)
{
    TSettingsDialog dialog(nullptr, options, dlg, desktop);
    for (const TBoolOption& option : TOptions::BoolOptions()) {
        std::string name = option.key;
        name = name.substr(0, name.rfind('_'));
        auto* check = dialog.findChild<QCheckBox*>(QString::fromStdString(name));
        if (!SettingShownInDialog(name)) {
            EXPECT_EQ(check, nullptr) << name;
            continue;
        }
        ASSERT_NE(check, nullptr) << name;
        EXPECT_EQ(check->isChecked(), option.fallback) << name;
        EXPECT_FALSE(check->text().startsWith(QLatin1String("CheckBox"))) << name << " has no caption";
    }
    for (const TIntOption& option : TOptions::IntOptions()) {
        std::string name = option.key;
        name = name.substr(0, name.rfind('_'));
        const bool present = dialog.findChild<QSpinBox*>(QString::fromStdString(name)) != nullptr
            || dialog.findChild<QComboBox*>(QString::fromStdString(name)) != nullptr;
        EXPECT_EQ(present, SettingShownInDialog(name)) << name;
    }
    // The graphs' page offers the time graphs and the trajectories; the vectors, the formulas and the
    // switches of the modes still to come are not offered.
    auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    ASSERT_NE(pages, nullptr);
    bool graphs = false;
    for (int i = 0; i < pages->count(); ++i) {
        graphs = graphs || pages->tabText(i) == QStringLiteral("Graphes");
        EXPECT_NE(pages->tabText(i), QStringLiteral("Outils"));
        EXPECT_FALSE(pages->widget(i)->findChildren<QWidget*>().isEmpty()) << pages->tabText(i).toStdString();
    }
    EXPECT_TRUE(graphs);
    EXPECT_NE(dialog.findChild<QCheckBox*>(QStringLiteral("CheckBox14TimePolyline")), nullptr);
    EXPECT_EQ(dialog.findChild<QCheckBox*>(QStringLiteral("CheckBox19VectorNumber")), nullptr);
    EXPECT_TRUE(SettingShownInDialog("CheckBox58AllowStudio"));
    EXPECT_TRUE(SettingShownInDialog("StudioShapeNumber"));
    for (const char* later : { "ToolButtonVecteurSens" })
        EXPECT_FALSE(SettingShownInDialog(later)) << later;
    // The formulas honour theirs (the permission to edit them and the angle unit), the capture its leave.
    for (const char* now :
        { "CheckBox47AllowTracking", "CheckBox5ChangeFormulae", "CheckBox32AngleRadian", "CheckBox49AllowCapture" })
        EXPECT_TRUE(SettingShownInDialog(now)) << now;
    for (const TTextOption& option : TOptions::TextOptions())
        EXPECT_NE(dialog.findChild<QLineEdit*>(QString::fromLatin1(option.key)), nullptr) << option.key;
}

TEST_F(SettingsDialogTest, ChangesReachTheSettingsOnlyOnOk)
{
    test::WhenModal([](QDialog& dialog) {
        test::Child<QCheckBox>(dialog, "CheckBox41HorizAndVertScale")->setChecked(true);
        test::Child<QSpinBox>(dialog, "EditMRU")->setValue(4);
        test::Press(dialog, "ButtonAnnuler");
    });
    EXPECT_FALSE(TSettingsDialog::Run(nullptr, options, dlg, desktop));
    EXPECT_FALSE(options.separateScales);
    EXPECT_EQ(options.recentFilesMax, 8);
    EXPECT_EQ(notices, 0);

    test::WhenModal([](QDialog& dialog) {
        test::Child<QCheckBox>(dialog, "CheckBox41HorizAndVertScale")->setChecked(true);
        test::Child<QCheckBox>(dialog, "CheckBox30HideEdgeV")->setChecked(true);
        test::Child<QSpinBox>(dialog, "EditMRU")->setValue(4);
        test::Child<QComboBox>(dialog, "PenSize")->setCurrentIndex(2);
        test::Type(dialog, "DefaultDirectory", QStringLiteral(" /home/prof/videos "));
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TSettingsDialog::Run(nullptr, options, dlg, desktop));
    EXPECT_TRUE(options.separateScales);
    EXPECT_TRUE(options.hideVelocityEdges);
    EXPECT_EQ(options.recentFilesMax, 4);
    EXPECT_EQ(options.elementSize, 2);
    EXPECT_EQ(options.defaultFolder, "/home/prof/videos");
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(dlg.RunCount(), 0u);
}

TEST_F(SettingsDialogTest, ALanguageChoiceIsKeptAndWaitsForTheNextStart)
{
    // The suite runs in the "C" locale: the system's language is French, the one speaking now.
    ASSERT_EQ(CurrentLanguage(), TLanguage::French);
    test::WhenModal([](QDialog& dialog) {
        auto* languages = test::Child<QComboBox>(dialog, "ComboBoxLanguage");
        ASSERT_EQ(languages->count(), 3);
        EXPECT_EQ(languages->currentIndex(), 0);
        EXPECT_EQ(languages->itemText(0), QStringLiteral("Système"));
        EXPECT_EQ(languages->itemText(2), QStringLiteral("English")); // each language in its own words
        languages->setCurrentIndex(2);
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TSettingsDialog::Run(nullptr, options, dlg, desktop));
    EXPECT_EQ(options.language, 2);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(dlg.LastRun().Texts().front(), "La langue choisie sera celle de Kinoval à son prochain démarrage.");

    // Back to French, the language already speaking: nothing to wait for.
    test::WhenModal([](QDialog& dialog) {
        test::Child<QComboBox>(dialog, "ComboBoxLanguage")->setCurrentIndex(1);
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TSettingsDialog::Run(nullptr, options, dlg, desktop));
    EXPECT_EQ(options.language, 1);
    EXPECT_EQ(dlg.RunCount(), 1u);
}

TEST_F(SettingsDialogTest, AValueNoChoiceShowsIsKeptUnlessAnotherIsPicked)
{
    options.trackingShape = 7;
    TSettingsDialog dialog(nullptr, options, dlg, desktop);
    dialog.accept();
    EXPECT_EQ(dialog.Edited().trackingShape, 7);
    EXPECT_EQ(dialog.Edited(), static_cast<const TOptionValues&>(options)); // an untouched dialog changes nothing
}

TEST_F(SettingsDialogTest, SettingsTheDialogDoesNotOfferKeepTheirValues)
{
    options.allowCapture = false;
    options.ToolButtonVecteurSens = true;
    options.workshopShape = 2;
    TSettingsDialog dialog(nullptr, options, dlg, desktop);
    test::Child<QCheckBox>(dialog, "CheckBox41HorizAndVertScale")->setChecked(true);
    dialog.accept();
    EXPECT_FALSE(dialog.Edited().allowCapture);
    EXPECT_TRUE(dialog.Edited().ToolButtonVecteurSens);
    EXPECT_EQ(dialog.Edited().workshopShape, 2);
    EXPECT_TRUE(dialog.Edited().separateScales);
}

TEST_F(SettingsDialogTest, ThePasswordLocksTheDialogAndRefusesAWrongEntry)
{
    options.password = "Galilée";
    test::WhenModal([](QDialog& box) {
        ASSERT_EQ(box.objectName(), "PasswordDialog");
        test::Type(box, "EditPassword", QStringLiteral("galilée"));
        test::Press(box, "ButtonOk"); // refused, the box stays
        test::Type(box, "EditPassword", QStringLiteral("Galilée"));
        test::WhenModal(
            [](QDialog& dialog) {
                test::Child<QCheckBox>(dialog, "CheckBox6FreezeMRU")->setChecked(true);
                test::Press(dialog, "ButtonOk");
            },
            QStringLiteral("SettingsDialog"));
        test::Press(box, "ButtonOk");
    });
    EXPECT_TRUE(TSettingsDialog::Run(nullptr, options, dlg, desktop));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Texts(), std::vector<std::string>({ "Mot de passe incorrect." }));
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_TRUE(options.keepSavedStudiesOutOfRecent);

    // Cancelling the password box leaves everything as it was, without showing the settings.
    test::WhenModal([](QDialog& box) { test::Press(box, "ButtonAnnuler"); });
    EXPECT_FALSE(TSettingsDialog::Run(nullptr, options, dlg, desktop));
    EXPECT_EQ(notices, 1);
}

TEST_F(SettingsDialogTest, ThePasswordIsSetByTypingItTwice)
{
    TSettingsDialog dialog(nullptr, options, dlg, desktop);
    dialog.show();
    test::Type(dialog, "Password", QStringLiteral("prof"));
    test::Type(dialog, "PasswordConfirmation", QStringLiteral("porf"));
    dialog.Pages().setCurrentIndex(3);
    test::Press(dialog, "ButtonOk");
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Les deux saisies du mot de passe sont différentes.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Pages().currentIndex(), 0); // back on the page of the password
    test::Type(dialog, "PasswordConfirmation", QStringLiteral("prof"));
    test::Press(dialog, "ButtonOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Edited().password, "prof");
}

TEST_F(SettingsDialogTest, TheAssociationButtonRegistersStudiesAndSaysSo)
{
    test::TTempDir dir;
    TSettingsDialog dialog(nullptr, options, dlg, desktop);
    dialog.AssociationFolder = dir.Path().string();
    dialog.AssociationProgram = "/usr/bin/kinoval";
    test::Press(dialog, "ButtonAssociation");
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "applications" / "kinoval.desktop"));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);

    dialog.AssociationProgram = "/opt/a\nb";
    test::Press(dialog, "ButtonAssociation");
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Impossible d'associer les études « .kvl » à Kinoval.");
}

} // namespace
} // namespace kinoval
