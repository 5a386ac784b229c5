#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/common/user_dlg.h"
#include "support/scripted_user_dlg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace kinoval {
namespace {

constexpr double pi = std::numbers::pi;

TEST(Tolerance, EqualityZeroAndUnusable)
{
    EXPECT_TRUE(IsZero(0.0));
    EXPECT_TRUE(IsZero(9e-101));
    EXPECT_FALSE(IsZero(1e-99));
    EXPECT_TRUE(IsEqual(1.0, 1.0));
    EXPECT_FALSE(IsEqual(1.0, 1.0 + 1e-15));
    EXPECT_FALSE(IsUnusable(1e100));
    EXPECT_TRUE(IsUnusable(-1.1e100));
    EXPECT_TRUE(IsUnusable(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(IsUnusable(std::numeric_limits<double>::infinity()));
    EXPECT_LT(kEmptyMax, -1e99);
    EXPECT_GT(kEmptyMin, 1e99);
}

TEST(Tolerance, AngleNormalisationIntoHalfOpenInterval)
{
    EXPECT_DOUBLE_EQ(NormalizeAngle(pi), pi);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-pi), pi);
    EXPECT_NEAR(NormalizeAngle(3 * pi / 2), -pi / 2, 1e-15);
    EXPECT_NEAR(NormalizeAngle(-3 * pi / 2), pi / 2, 1e-15);
    EXPECT_NEAR(NormalizeAngle(7 * pi + 0.25), -pi + 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(NormalizeAngle(0.5), 0.5);
    for (double a = -20; a < 20; a += 0.37) {
        double n = NormalizeAngle(a);
        EXPECT_GT(n, -pi);
        EXPECT_LE(n, pi);
        EXPECT_NEAR(std::remainder(n - a, 2 * pi), 0.0, 1e-12);
    }
}

TEST(Numbers, TypedNumbersAcceptCommaAndPoint)
{
    EXPECT_EQ(ParseTypedNumber("2,5"), 2.5);
    EXPECT_EQ(ParseTypedNumber("2.5"), 2.5);
    EXPECT_EQ(ParseTypedNumber("  -0,125 "), -0.125);
    EXPECT_EQ(ParseTypedNumber("+3"), 3.0);
    EXPECT_EQ(ParseTypedNumber("1,5E-3"), 1.5e-3);
    EXPECT_EQ(ParseTypedNumber(",5"), 0.5);
    EXPECT_FALSE(ParseTypedNumber(""));
    EXPECT_FALSE(ParseTypedNumber("   "));
    EXPECT_FALSE(ParseTypedNumber("1,5,2"));
    EXPECT_FALSE(ParseTypedNumber("1.5,2"));
    EXPECT_FALSE(ParseTypedNumber("12cm"));
    EXPECT_FALSE(ParseTypedNumber("1e400"));
    EXPECT_FALSE(ParseTypedNumber("nan"));
}

TEST(Numbers, FileDoublesRoundTripUnderEitherSeparator)
{
    EXPECT_EQ(FormatFileDouble(0.04, ','), "0,04");
    EXPECT_EQ(FormatFileDouble(0.04, '.'), "0.04");
    EXPECT_EQ(FormatFileDouble(1.0, ','), "1");
    EXPECT_EQ(FormatFileDouble(-2.5e-7, '.'), "-2.5E-7");
    EXPECT_EQ(FormatFileDouble(1e20, '.'), "1E20");
    // A mark exactly on an axis gives -0 in the computation; the table shows 0.
    EXPECT_EQ(FormatFileDouble(-0.0, '.'), "0");
    EXPECT_EQ(FormatFileDouble(1.0 / 3.0, '.'), "0.333333333333333");
    // What a study keeps reads back as the same double, not one 15 digits away (positions such as 1/480
    // of a frame); ordinary values keep their short text.
    EXPECT_EQ(FormatStoredDouble(0.1, '.'), "0.1");
    EXPECT_EQ(FormatStoredDouble(-2.5e-7, ','), "-2,5E-7");
    EXPECT_EQ(FormatStoredDouble(1.0 / 3.0, '.'), "0.3333333333333333");
    EXPECT_EQ(ParseFileDouble(FormatStoredDouble(1.0 / 480.0, ',')), 1.0 / 480.0);
    EXPECT_EQ(ParseFileDouble(FormatStoredDouble(0.3 + std::numbers::pi / 2, ',')), 0.3 + std::numbers::pi / 2);
    for (double v : { 0.0, 1.0, -1.5, 0.1234567890123456, 6.02214076e23, 1e-300, 123456789012345.0 }) {
        auto back = ParseFileDouble(FormatFileDouble(v, ','));
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14);
    }
}

TEST(Numbers, DecimalSeparatorOverride)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_EQ(FormatFileDouble(2.5), "2,5");
    SetDecimalSeparator('.');
    EXPECT_EQ(DecimalSeparator(), '.');
    SetDecimalSeparator(0);
}

TEST(Numbers, Integers)
{
    EXPECT_EQ(ParseInteger(" 42 "), 42);
    EXPECT_EQ(ParseInteger("-7"), -7);
    EXPECT_FALSE(ParseInteger("4.2"));
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));
}

TEST(Texts, FormatTextFillsPlaceholdersInOrder)
{
    EXPECT_EQ(FormatText("%u objets", { "2" }), "2 objets");
    EXPECT_EQ(FormatText("de %d à %d, 100%%", { "1", "25" }), "de 1 à 25, 100%");
    EXPECT_EQ(
        Tr("Une marque similaire existe déjà sur cette image."), "Une marque similaire existe déjà sur cette image.");
}

TEST(UserDlg, RunClearsTextAndCheckBoxButKeepsButtons)
{
    test::TScriptedUserDlg dlg;
    dlg.SetIcon(TUserDlgIcon::icWarning);
    dlg.ClearButtons();
    dlg.AddButton("Ignorer", TUserDlgButtonKind::btIgnorer);
    dlg.AddButton("Enregistrer", TUserDlgButtonKind::btEnregistrer);
    dlg.AddText("Première ligne\r\nSeconde ligne", lkBullet, clRed);
    dlg.CheckBoxCaption = "Ne plus afficher cette boîte de dialogue";
    dlg.Script(1, true);
    EXPECT_EQ(dlg.Run(), 1);
    EXPECT_TRUE(dlg.CheckBoxCheck);
    ASSERT_EQ(dlg.RunCount(), 1u);
    const auto& first = dlg.LastRun();
    ASSERT_EQ(first.lines.size(), 2u);
    EXPECT_EQ(first.lines[1].text, "Seconde ligne");
    EXPECT_EQ(first.lines[1].kind, lkBullet);
    EXPECT_EQ(first.lines[1].colour, clRed);
    EXPECT_EQ(first.checkBoxCaption, "Ne plus afficher cette boîte de dialogue");

    EXPECT_TRUE(dlg.Lines().empty());
    EXPECT_TRUE(dlg.CheckBoxCaption.empty());
    dlg.Script(0);
    EXPECT_EQ(dlg.Run(), 0);
    EXPECT_TRUE(dlg.LastRun().lines.empty());
    EXPECT_TRUE(dlg.LastRun().checkBoxCaption.empty());
    EXPECT_EQ(dlg.LastRun().Captions(), (std::vector<std::string> { "Ignorer", "Enregistrer" }));
}

TEST(UserDlg, PropertiesFollowTheirRules)
{
    test::TScriptedUserDlg dlg;
    EXPECT_EQ(dlg.Icon(), TUserDlgIcon::icNone);
    dlg.SetCustomIcon("camera.svg");
    EXPECT_EQ(dlg.Icon(), TUserDlgIcon::icCustom);
    dlg.SetButtonsMinWidth(5);
    EXPECT_EQ(dlg.ButtonsMinWidth(), 20);
    dlg.SetButtonsMinWidth(90);
    EXPECT_EQ(dlg.ButtonsMinWidth(), 90);
    dlg.SetDelay(499);
    EXPECT_EQ(dlg.EffectiveDelay(), 0);
    dlg.SetDelay(500);
    EXPECT_EQ(dlg.EffectiveDelay(), 500);
    dlg.Run();
    EXPECT_EQ(dlg.LastRun().delay, 500);
    dlg.Run();
    EXPECT_EQ(dlg.LastRun().delay, 0) << "a delay applies to the next run only";
}

TEST(UserDlg, ShowMessageHasOneOkButton)
{
    test::TScriptedUserDlg dlg;
    dlg.ShowMessage(TUserDlgIcon::icInformation, { "Une marque similaire existe déjà sur cette image." });
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icInformation);
    ASSERT_EQ(dlg.LastRun().buttons.size(), 1u);
    EXPECT_EQ(dlg.LastRun().buttons[0].caption, "Ok");
    EXPECT_EQ(dlg.LastRun().buttons[0].kind, TUserDlgButtonKind::btOk);
}

} // namespace
} // namespace kinoval
