#include "gui/dialogs/time_dialog.h"

#include "core/common/numbers.h"
#include "core/document/data.h"
#include "core/video/video.h"
#include "modal_driver.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"

#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kinoval {
namespace {

const TTimeSource kVideo25 { 25, 0.04 };

struct TimeDialogTest : ::testing::Test {
    test::TScriptedUserDlg dlg;
    document::TData data { dlg, document::TDocumentSettings() };

    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator(0); }
};

TEST_F(TimeDialogTest, ShowsTheVideosTimingAndStartsOnTheDefault)
{
    TTimeDialog dialog(nullptr, 0.04, kVideo25, dlg);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Durée entre deux images");
    EXPECT_EQ(test::TextOf(dialog, "LabelRate"), "25 images par seconde");
    EXPECT_EQ(test::TextOf(dialog, "LabelFrameDuration"), "0,04 s");
    EXPECT_EQ(test::TextOf(dialog, "LabelRange"), "1 µs < intervalle de temps < 1 Gs");
    EXPECT_TRUE(test::Child<QRadioButton>(dialog, "RadioDefault")->isChecked());

    // A value of the user's own is shown as typed, and the other choice is selected.
    TTimeDialog own(nullptr, 0.002, kVideo25, dlg);
    EXPECT_TRUE(test::Child<QRadioButton>(own, "RadioOther")->isChecked());
    EXPECT_EQ(test::TextOf<QLineEdit>(own, "EditDuration"), "0,002");

    // Without a usable duration from the video there is no default to keep.
    TTimeDialog unknown(nullptr, 0, TTimeSource(), dlg);
    EXPECT_FALSE(test::Child<QRadioButton>(unknown, "RadioDefault")->isEnabled());
    EXPECT_TRUE(test::Child<QRadioButton>(unknown, "RadioOther")->isChecked());
}

TEST_F(TimeDialogTest, RefusalsKeepTheDialogOpenWithTheTextSelected)
{
    TTimeDialog dialog(nullptr, 0.04, kVideo25, dlg);
    dialog.show();
    test::Child<QRadioButton>(dialog, "RadioOther")->setChecked(true);

    test::Type(dialog, "EditDuration", QStringLiteral("abc"));
    test::Press(dialog, "ButtonOk");
    ASSERT_EQ(dlg.RunCount(), 1u);
    const std::vector<std::string> notANumber = dlg.LastRun().Texts();
    ASSERT_EQ(notANumber.size(), 4u);
    EXPECT_EQ(notANumber[0], "Valeur saisie : abc");
    EXPECT_EQ(notANumber[1], "Cette chaîne de caractères ne représente pas un nombre réel acceptable.");
    EXPECT_EQ(
        notANumber[3], "La mantisse comprend « E » ou « e » suivi d'un signe (facultatif) et d'un nombre entier.");
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "EditDuration")->selectedText(), "abc");

    // The bounds themselves are refused.
    for (const char* bound : { "1e-6", "1E9" }) {
        test::Type(dialog, "EditDuration", QString::fromLatin1(bound));
        test::Press(dialog, "ButtonOk");
        const std::vector<std::string> outside = dlg.LastRun().Texts();
        ASSERT_EQ(outside.size(), 3u);
        EXPECT_EQ(outside[0], std::string("Valeur saisie : ") + bound + " s");
        EXPECT_EQ(outside[1], "Saisir une valeur comprise dans l'intervalle ci-dessous :");
        EXPECT_EQ(outside[2], "1 µs < intervalle de temps < 1 Gs");
    }
    EXPECT_EQ(dlg.RunCount(), 3u);
    EXPECT_TRUE(dialog.isVisible());

    test::Type(dialog, "EditDuration", QStringLiteral("0.001"));
    test::Press(dialog, "ButtonOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Value(), 0.001);
}

TEST_F(TimeDialogTest, AskStoresTheTypedOrTheDefaultValueAndSaysWhetherItChanged)
{
    data.SetTimeBetweenFrames(0.04);
    test::WhenModal([](QDialog& dialog) {
        test::Child<QRadioButton>(dialog, "RadioOther")->setChecked(true);
        test::Type(dialog, "EditDuration", QStringLiteral("0,005"));
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TTimeDialog::Ask(nullptr, data, dlg, kVideo25));
    EXPECT_DOUBLE_EQ(data.RequiredDuration(), 0.005);

    // Back to what the video says.
    test::WhenModal([](QDialog& dialog) {
        test::Child<QRadioButton>(dialog, "RadioDefault")->setChecked(true);
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TTimeDialog::Ask(nullptr, data, dlg, kVideo25));
    EXPECT_DOUBLE_EQ(data.RequiredDuration(), 0.04);

    // OK without a change, and Cancel after typing, leave the document alone.
    test::WhenModal([](QDialog& dialog) { test::Press(dialog, "ButtonOk"); });
    EXPECT_FALSE(TTimeDialog::Ask(nullptr, data, dlg, kVideo25));
    test::WhenModal([](QDialog& dialog) {
        test::Child<QRadioButton>(dialog, "RadioOther")->setChecked(true);
        test::Type(dialog, "EditDuration", QStringLiteral("2"));
        test::Press(dialog, "ButtonAnnuler");
    });
    EXPECT_FALSE(TTimeDialog::Ask(nullptr, data, dlg, kVideo25));
    EXPECT_DOUBLE_EQ(data.RequiredDuration(), 0.04);
    EXPECT_EQ(dlg.RunCount(), 0u);
}

TEST_F(TimeDialogTest, TheVideoViewTellsTheDefault)
{
    test::TSyntheticFactory factory;
    factory.video.fps = 50;
    test::TManualTimer timer;
    video::TVideo view(factory, timer);
    ASSERT_TRUE(view.Open("/tmp/rapide.avi"));
    data.SetView(&view);
    data.SetTimeBetweenFrames(0.001); // filmed at high speed, typed by the user earlier
    std::string rate;
    test::WhenModal([&rate](QDialog& dialog) {
        rate = test::TextOf(dialog, "LabelRate");
        test::Child<QRadioButton>(dialog, "RadioDefault")->setChecked(true);
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TTimeDialog::Ask(nullptr, data, dlg));
    EXPECT_EQ(rate, "50 images par seconde");
    EXPECT_DOUBLE_EQ(data.RequiredDuration(), 0.02);
    data.SetView(nullptr);
}

// A phone's video whose frames do not all last the same time: the dialog shows the average duration and
// offers the frames' own times, a choice the document keeps; a video that does not know its frames' times
// cannot offer it, and leaves the study's choice as it was.
TEST_F(TimeDialogTest, AVariableFrameRateShowsTheAverageAndOffersTheFramesOwnTimes)
{
    test::TSyntheticFactory factory;
    factory.video.frames = 4;
    factory.video.fps = 3 / 0.1;
    factory.video.frameTimes = { 0, 0.03, 0.07, 0.1 };
    factory.video.variable = true;
    test::TManualTimer timer;
    video::TVideo view(factory, timer);
    ASSERT_TRUE(view.Open("/tmp/telephone.mp4"));
    data.SetView(&view);
    data.SetTimeBetweenFrames(view.FrameDuration());
    std::string durationCaption, duration;
    bool offered = false, checked = true;
    test::WhenModal([&](QDialog& dialog) {
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (label->text().startsWith(QStringLiteral("Durée")))
                durationCaption = label->text().toStdString();
        duration = test::TextOf(dialog, "LabelFrameDuration");
        auto* box = test::Child<QCheckBox>(dialog, "CheckBoxTimeFromTimestamps");
        offered = box->isEnabled();
        checked = box->isChecked();
        EXPECT_EQ(box->text().toStdString(), "Temps selon l'horodatage des images");
        box->setChecked(true);
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TTimeDialog::Ask(nullptr, data, dlg));
    EXPECT_EQ(durationCaption, "Durée moyenne d'une image :");
    EXPECT_EQ(duration, "0,0333333 s");
    EXPECT_TRUE(offered);
    EXPECT_FALSE(checked);
    EXPECT_TRUE(data.TimeFromTimestamps());

    // The choice shows again; unticking it is a change.
    test::WhenModal([&](QDialog& dialog) {
        auto* box = test::Child<QCheckBox>(dialog, "CheckBoxTimeFromTimestamps");
        checked = box->isChecked();
        box->setChecked(false);
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_TRUE(TTimeDialog::Ask(nullptr, data, dlg));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(data.TimeFromTimestamps());
    data.SetView(nullptr);

    // Without the frames' times there is nothing to offer, and the study's choice stays.
    data.SetTimeFromTimestamps(true);
    data.SetTimeBetweenFrames(0.04);
    TTimeDialog plain(nullptr, 0.04, kVideo25, dlg, true);
    EXPECT_FALSE(test::Child<QCheckBox>(plain, "CheckBoxTimeFromTimestamps")->isEnabled());
    test::WhenModal([](QDialog& dialog) { test::Press(dialog, "ButtonOk"); });
    EXPECT_FALSE(TTimeDialog::Ask(nullptr, data, dlg, kVideo25));
    EXPECT_TRUE(data.TimeFromTimestamps());
}

} // namespace
} // namespace kinoval
