#include "gui/dialogs/value_dialog.h"

#include "core/mainwindow/value_input.h"
#include "modal_driver.h"
#include "support/scripted_user_dlg.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <numbers>

namespace kinoval {
namespace {

using mainwindow::MakeAxisAngleUse;
using mainwindow::MakeFrameNumberUse;
using mainwindow::MakeFramesBetweenMarksUse;
using mainwindow::MakeObjectsPerFrameUse;
using mainwindow::MakeScaleLengthUse;

// Types the text into an open dialog and presses OK, returning the refusal shown (empty when accepted).
std::vector<std::string> TypeAndPress(TValueDialog& dialog, test::TScriptedUserDlg& dlg, const QString& text)
{
    const std::size_t before = dlg.RunCount();
    dialog.Edit()->setText(text);
    test::Press(dialog, "ButtonOk");
    return dlg.RunCount() == before ? std::vector<std::string>() : dlg.LastRun().Texts();
}

TEST(ValueDialog, ShowsTheUsesTextsAndTheCurrentValueSelected)
{
    test::TScriptedUserDlg dlg;
    TValueDialog dialog(nullptr, MakeFramesBetweenMarksUse(50), QStringLiteral("1"), dlg);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Nombre d'images séparant deux marques semblables");
    EXPECT_EQ(test::TextOf(dialog, "LabelValue"), "Nombre d'image(s) à faire avancer");
    EXPECT_EQ(test::TextOf(dialog, "LabelRange"), "1 <= nombre <= 49");
    EXPECT_EQ(test::TextOf(dialog, "LabelNote"),
        "La vidéo avance automatiquement d'une ou plusieurs images après la pose de la dernière marque.");
    EXPECT_EQ(dialog.Edit()->selectedText(), "1");

    // A use without a note has no note line at all.
    TValueDialog plain(nullptr, MakeObjectsPerFrameUse(), QStringLiteral("2"), dlg);
    EXPECT_EQ(plain.findChild<QLabel*>(QStringLiteral("LabelNote")), nullptr);
}

TEST(ValueDialog, FrameNumberZeroIsRefusedWithTheRangeThenAValidOneCloses)
{
    test::TScriptedUserDlg dlg;
    TValueDialog dialog(nullptr, MakeFrameNumberUse(120), QStringLiteral("5"), dlg);
    dialog.show();
    const auto refusal = TypeAndPress(dialog, dlg, QStringLiteral("0"));
    ASSERT_EQ(refusal.size(), 3u);
    EXPECT_EQ(refusal[0], "Valeur saisie : 0");
    EXPECT_EQ(refusal[1], "Saisir une valeur comprise dans l'intervalle ci-dessous :");
    EXPECT_EQ(refusal[2], "1 <= numéro <= 120");
    EXPECT_EQ(dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_TRUE(dialog.isVisible()); // stays open for a second try
    EXPECT_EQ(dialog.Edit()->selectedText(), "0");
    EXPECT_FALSE(dialog.Value().has_value());

    EXPECT_TRUE(TypeAndPress(dialog, dlg, QStringLiteral("120")).empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Value(), 120.0);
}

TEST(ValueDialog, RefusalsOfIntegersAnglesAndLengths)
{
    test::TScriptedUserDlg dlg;
    TValueDialog count(nullptr, MakeObjectsPerFrameUse(), QStringLiteral("1"), dlg);
    count.show();
    auto refusal = TypeAndPress(count, dlg, QStringLiteral("abc"));
    ASSERT_EQ(refusal.size(), 2u);
    EXPECT_EQ(refusal[0], "Valeur saisie : abc");
    EXPECT_EQ(refusal[1], "Cette chaîne de caractères ne représente pas un entier acceptable.");
    refusal = TypeAndPress(count, dlg, QStringLiteral("33"));
    ASSERT_EQ(refusal.size(), 3u);
    EXPECT_EQ(refusal[2], "1 <= nombre <= 32");

    TValueDialog angle(nullptr, MakeAxisAngleUse(), QStringLiteral("0"), dlg);
    angle.show();
    refusal = TypeAndPress(angle, dlg, QStringLiteral("200"));
    ASSERT_EQ(refusal.size(), 3u);
    EXPECT_EQ(refusal[0], "Valeur saisie : 200 °");
    EXPECT_EQ(refusal[2], "-180° <= angle <= +180° dans le sens trigonométrique");
    refusal = TypeAndPress(angle, dlg, QStringLiteral("1,5x"));
    ASSERT_EQ(refusal.size(), 4u); // the three lines describing a real number
    EXPECT_EQ(refusal[1], "Cette chaîne de caractères ne représente pas un nombre réel acceptable.");
    EXPECT_TRUE(TypeAndPress(angle, dlg, QStringLiteral("-90")).empty());
    ASSERT_TRUE(angle.Value().has_value());
    EXPECT_NEAR(*angle.Value(), -std::numbers::pi / 2, 1e-12); // stored in radians

    TValueDialog length(nullptr, MakeScaleLengthUse(), QString(), dlg);
    length.show();
    refusal = TypeAndPress(length, dlg, QStringLiteral("0,001"));
    ASSERT_EQ(refusal.size(), 3u);
    EXPECT_EQ(refusal[0], "Valeur saisie : 0,001 m"); // the lower bound itself is refused
    EXPECT_TRUE(TypeAndPress(length, dlg, QStringLiteral("1,25")).empty());
    EXPECT_DOUBLE_EQ(*length.Value(), 1.25);
}

TEST(ValueDialog, AskRunsModallyAndGivesTheValueOrNothing)
{
    test::TScriptedUserDlg dlg;
    test::WhenModal([](QDialog& dialog) {
        test::Type(dialog, "EditValue", QStringLiteral("0"));
        test::Press(dialog, "ButtonOk"); // refused: the dialog stays
        test::Type(dialog, "EditValue", QStringLiteral(" 7 "));
        test::Press(dialog, "ButtonOk");
    });
    EXPECT_EQ(TValueDialog::Ask(nullptr, MakeFrameNumberUse(10), QStringLiteral("3"), dlg), 7.0);
    EXPECT_EQ(dlg.RunCount(), 1u);

    test::WhenModal([](QDialog& dialog) {
        test::Type(dialog, "EditValue", QStringLiteral("4"));
        test::Press(dialog, "ButtonAnnuler");
    });
    EXPECT_FALSE(TValueDialog::Ask(nullptr, MakeFrameNumberUse(10), QStringLiteral("3"), dlg).has_value());
    EXPECT_EQ(dlg.RunCount(), 1u);
}

} // namespace
} // namespace kinoval
