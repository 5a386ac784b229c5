#include "gui/common/user_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <functional>

namespace kinoval {
namespace {

QDialog* FindWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("UserDlg") && widget->isVisible())
            return qobject_cast<QDialog*>(widget);
    }
    return nullptr;
}

// Runs the dialog modally; once its window is up, the action plays the user's part.
int RunWith(TUserDlg& dlg, std::function<void(QDialog&)> action)
{
    std::function<void()> poll;
    poll = [&] {
        if (QDialog* window = FindWindow())
            action(*window);
        else
            QTimer::singleShot(5, poll);
    };
    QTimer::singleShot(0, poll);
    return dlg.Run();
}

QPushButton* Button(QDialog& window, int index)
{
    return window.findChild<QPushButton*>(QStringLiteral("Btn%1").arg(index));
}

std::vector<QPushButton*> Buttons(QDialog& window)
{
    std::vector<QPushButton*> buttons;
    for (int i = 0; QPushButton* b = Button(window, i); ++i)
        buttons.push_back(b);
    return buttons;
}

QFontMetrics Metrics(const TUserDlg& dlg)
{
    QFont font(QString::fromStdString(dlg.Font.name));
    font.setPointSize(dlg.Font.size);
    return QFontMetrics(font);
}

TEST(UserDlgLayout, ClientWidthFollowsTheScreenWidth)
{
    EXPECT_EQ(UserDlgClientWidth(1920), 561); // ln(12.8) x 220 = 560.87
    EXPECT_EQ(UserDlgClientWidth(1366), 486);
    EXPECT_EQ(UserDlgClientWidth(1024), 423);
    EXPECT_EQ(UserDlgClientWidth(800), 368);
    EXPECT_GT(UserDlgClientWidth(100), 0); // never a negative window
}

TEST(UserDlgLayout, AKnownMessageStandsWhereItShould)
{
    TUserDlg dlg;
    dlg.ScreenWidth = 1920;
    dlg.SetIcon(TUserDlgIcon::icWarning);
    dlg.ClearButtons();
    dlg.AddButton("Oui", TUserDlgButtonKind::btOk);
    dlg.AddButton("Non", TUserDlgButtonKind::btAnnuler);
    dlg.AddText("Enregistrer l'étude ?");
    dlg.AddText("");
    const QFontMetrics fm = Metrics(dlg);
    const int h = fm.height();

    const TUserDlgGeometry g = dlg.ComputeGeometry();
    EXPECT_EQ(g.icon, QRect(12, 14, 32, 32));
    EXPECT_EQ(g.textArea, QRect(56, 14, 561 - 56 - 12, 4 + h + h / 3 + 4));
    ASSERT_EQ(g.texts.size(), 1u);
    EXPECT_EQ(g.texts[0].x, 4);
    EXPECT_EQ(g.texts[0].y, 4);
    const int textHeight = 4 + h + h / 3 + 4;
    const int height = std::max(textHeight, 32) + 28 + 25 + 28 + 2;
    EXPECT_EQ(g.clientWidth, 561);
    EXPECT_EQ(g.clientHeight, height);

    // Both captions are narrow: the minimum width, and the row centred.
    ASSERT_EQ(g.buttons.size(), 2u);
    const int own = fm.horizontalAdvance("Oui") + 20 + 20;
    const int width = std::max(75, own);
    EXPECT_EQ(g.buttons[0].width(), width);
    const int shift = (561 - (12 + width + 12 + width + 12)) / 2;
    EXPECT_EQ(g.buttons[0], QRect(12 + shift, height - 14 - 25, width, 25));
    EXPECT_EQ(g.buttons[1].x(), 12 + shift + width + 12);
    EXPECT_TRUE(g.separatorVisible);
    EXPECT_EQ(g.separator, QRect(12, height - 14 - 25 - 14 - 2, 561 - 24, 2));
    EXPECT_FALSE(g.checkBoxVisible);

    // The real window has exactly that layout.
    int result = RunWith(dlg, [&](QDialog& window) {
        EXPECT_EQ(window.size(), QSize(g.clientWidth, g.clientHeight));
        EXPECT_EQ(Button(window, 0)->geometry(), g.buttons[0]);
        EXPECT_EQ(Button(window, 1)->geometry(), g.buttons[1]);
        EXPECT_EQ(window.findChild<QFrame*>("Bevel")->geometry(), g.separator);
        EXPECT_EQ(window.findChild<QWidget*>("TextArea")->geometry(), g.textArea);
        EXPECT_FALSE(Button(window, 0)->isDefault());
        EXPECT_FALSE(Button(window, 0)->icon().isNull());
        Button(window, 1)->click();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dlg.LastGeometry().clientHeight, g.clientHeight);
}

TEST(UserDlgLayout, AWideRowWidensTheWindow)
{
    TUserDlg dlg;
    dlg.ScreenWidth = 800;
    dlg.SetIcon(TUserDlgIcon::icNone);
    for (const char* caption : { "Enregistrer l'étude", "Ne pas enregistrer", "Revenir à l'étude", "Aide en ligne" })
        dlg.AddButton(caption, TUserDlgButtonKind::btEnregistrer);
    dlg.AddText("Court.");
    dlg.CheckBoxCaption = "Ne plus poser la question";
    const TUserDlgGeometry g = dlg.ComputeGeometry();

    const QFontMetrics fm = Metrics(dlg);
    int row = 12;
    for (const char* caption : { "Enregistrer l'étude", "Ne pas enregistrer", "Revenir à l'étude", "Aide en ligne" })
        row += std::max(75, fm.horizontalAdvance(caption) + 40) + 12;
    ASSERT_GT(row, 368);
    EXPECT_EQ(g.clientWidth, row);
    EXPECT_EQ(g.buttons[0].x(), 12);
    EXPECT_EQ(g.buttons[3].right() + 1 + 12, g.clientWidth);
    // Without an icon the text starts at the margin; it keeps the width of the unwidened window.
    EXPECT_EQ(g.textArea, QRect(12, 14, 368 - 24, 4 + fm.height() + 4));
    EXPECT_EQ(g.separator.width(), g.clientWidth - 24);
    // The check box stands 14 pixels above the line, the full width of the window.
    ASSERT_TRUE(g.checkBoxVisible);
    EXPECT_EQ(g.checkBox.left(), 12);
    EXPECT_EQ(g.checkBox.width(), g.clientWidth - 24);
    EXPECT_EQ(g.checkBox.bottom() + 1 + 14, g.separator.top());
    EXPECT_EQ(g.checkBox.top(), g.textArea.bottom() + 1 + 14);
}

TEST(UserDlgLayout, SameWidthTakesTheWidestAndTheMinimumHolds)
{
    TUserDlg dlg;
    dlg.ScreenWidth = 1920;
    dlg.AddButton("Recommencer la mesure", TUserDlgButtonKind::btRecommencer);
    dlg.AddButton("Non", TUserDlgButtonKind::btCustom);
    dlg.ButtonsSameWidth = true;
    TUserDlgGeometry g = dlg.ComputeGeometry();
    EXPECT_EQ(g.buttons[0].width(), g.buttons[1].width());
    EXPECT_EQ(g.buttons[0].width(), Metrics(dlg).horizontalAdvance("Recommencer la mesure") + 40);

    dlg.ButtonsSameWidth = false;
    dlg.SetButtonsMinWidth(5); // raised to 20
    g = dlg.ComputeGeometry();
    EXPECT_EQ(g.buttons[1].width(), std::max(20, Metrics(dlg).horizontalAdvance("Non") + 20)); // no glyph
    dlg.ButtonsShowGlyph = false;
    g = dlg.ComputeGeometry();
    EXPECT_EQ(g.buttons[0].width(), Metrics(dlg).horizontalAdvance("Recommencer la mesure") + 20);
}

TEST(UserDlgLayout, TheFiveLineKinds)
{
    TUserDlg dlg;
    dlg.ScreenWidth = 1024;
    dlg.SetIcon(TUserDlgIcon::icInformation);
    const QFontMetrics fm = Metrics(dlg);
    const int area = 423 - 56 - 12;
    const std::string word(200, 'w');
    const std::string longWord = "/home/eleve/" + word + "/fin-du-chemin.avi";
    const std::string sentence = "La vitesse est la dérivée de la position par rapport au temps ; l'accélération est "
                                 "la dérivée de la vitesse, et toutes deux se calculent à partir des marques.";
    dlg.AddText(longWord, lkParagraph);
    dlg.AddText(sentence, lkIndented);
    dlg.AddText(longWord, lkCutStart);
    dlg.AddText(longWord, lkCutEnd);
    dlg.AddText("Un point par image\r\nDeux objets", lkBullet);
    const TUserDlgGeometry g = dlg.ComputeGeometry();

    std::size_t i = 0;
    // Kind 0, one word too wide: "... " and as much of its end as fits.
    const QString cut = g.texts[i].text;
    EXPECT_TRUE(cut.startsWith("... "));
    EXPECT_TRUE(QString::fromStdString(longWord).endsWith(cut.mid(4)));
    EXPECT_LE(fm.horizontalAdvance(cut), area - 8);
    EXPECT_GT(fm.horizontalAdvance(QString::fromStdString(longWord).right(cut.size() - 3) + "... "), area - 8 - 1);
    ++i;
    // Kind 1: wrapped at the indent of 12, every piece inside its room, no word lost.
    QString rebuilt;
    int y = g.texts[i].y;
    while (i < g.texts.size() && g.texts[i].x == 16) {
        EXPECT_LE(fm.horizontalAdvance(g.texts[i].text), area - 12 - 8);
        EXPECT_EQ(g.texts[i].y, y);
        y += fm.height();
        rebuilt += (rebuilt.isEmpty() ? "" : " ") + g.texts[i].text;
        ++i;
    }
    EXPECT_EQ(rebuilt, QString::fromStdString(sentence));
    // Kinds 2 and 3 cut one line at its start and at its end.
    EXPECT_TRUE(g.texts[i].text.startsWith("... "));
    EXPECT_TRUE(g.texts[i].text.endsWith("fin-du-chemin.avi"));
    EXPECT_EQ(g.texts[i].x, 4);
    ++i;
    EXPECT_TRUE(g.texts[i].text.endsWith("... "));
    EXPECT_TRUE(g.texts[i].text.startsWith("/home/eleve/www"));
    ++i;
    // Kind 4: two items (the CR LF split the text), each a "- " at 12 and its text after it.
    const int bullet = fm.horizontalAdvance("- ");
    ASSERT_EQ(g.texts.size(), i + 4);
    EXPECT_EQ(g.texts[i].text, "- ");
    EXPECT_EQ(g.texts[i].x, 16);
    EXPECT_EQ(g.texts[i + 1].text, "Un point par image");
    EXPECT_EQ(g.texts[i + 1].x, 16 + bullet);
    EXPECT_EQ(g.texts[i + 3].text, "Deux objets");
    EXPECT_EQ(g.texts[i + 3].y, g.texts[i + 1].y + fm.height());
    EXPECT_EQ(g.textArea.height(), g.texts.back().y + fm.height() + 4);
}

TEST(UserDlgLayout, WrappingKeepsBlanksBetweenWordsAndDropsThemAtLineStarts)
{
    TUserDlg dlg;
    const QFontMetrics fm = Metrics(dlg);
    const int room = fm.horizontalAdvance("aaaa bbbb");
    auto pieces = WrapUserDlgText("   aaaa bbbb  cccc", lkParagraph, room, fm);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], "aaaa bbbb");
    EXPECT_EQ(pieces[1], "cccc");
    pieces = WrapUserDlgText("aa  bb", lkParagraph, 1000, fm);
    EXPECT_EQ(pieces, std::vector<QString> { "aa  bb" });
    EXPECT_TRUE(WrapUserDlgText("    ", lkParagraph, 1000, fm).empty());
    // No room at all still ends, with the bare "... ".
    EXPECT_EQ(WrapUserDlgText("abc", lkParagraph, 0, fm), std::vector<QString> { "... " });
}

TEST(UserDlgRun, PressingButtonKReturnsK)
{
    TUserDlg dlg;
    dlg.ClearButtons();
    dlg.AddButton("Oui", TUserDlgButtonKind::btOk);
    dlg.AddButton("Non", TUserDlgButtonKind::btAnnuler);
    dlg.AddButton("Aide", TUserDlgButtonKind::btAide);
    for (int k = 0; k < 3; ++k) {
        dlg.AddText("Question " + std::to_string(k));
        EXPECT_EQ(RunWith(dlg, [k](QDialog& window) { Button(window, k)->click(); }), k);
        EXPECT_EQ(dlg.Result(), k);
    }
}

TEST(UserDlgRun, EnterAndEscapeDoNotAnswerAQuestion)
{
    TUserDlg dlg;
    dlg.AddButton("Oui", TUserDlgButtonKind::btOk);
    dlg.AddButton("Non", TUserDlgButtonKind::btAnnuler);
    dlg.AddText("Quitter ?");
    int result = RunWith(dlg, [](QDialog& window) {
        for (int key : { Qt::Key_Escape, Qt::Key_Return }) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(&window, &press);
        }
        EXPECT_TRUE(window.isVisible());
        Button(window, 1)->click();
    });
    EXPECT_EQ(result, 1);

    // A message without buttons shows its close box, and closing it gives no button.
    dlg.ClearButtons();
    dlg.AddText("Calcul en cours");
    result = RunWith(dlg, [](QDialog& window) {
        EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(window.findChild<QFrame*>("Bevel")->isVisible());
        window.close();
    });
    EXPECT_EQ(result, -1);
}

TEST(UserDlgRun, ADelayOf500DisablesTheButtonsWhile499DoesNothing)
{
    TUserDlg dlg;
    dlg.AddButton("Ok", TUserDlgButtonKind::btOk);
    dlg.AddButton("Annuler", TUserDlgButtonKind::btAnnuler);
    dlg.AddText("Attention");
    dlg.SetDelay(499);
    int result = RunWith(dlg, [](QDialog& window) {
        for (QPushButton* b : Buttons(window))
            EXPECT_TRUE(b->isEnabled());
        Button(window, 0)->click();
    });
    EXPECT_EQ(result, 0);

    dlg.SetDelay(500);
    bool disabledAtFirst = false, closedEarly = false, enabledLater = false;
    result = RunWith(dlg, [&](QDialog& window) {
        disabledAtFirst = !Button(window, 0)->isEnabled() && !Button(window, 1)->isEnabled()
            && !(window.windowHandle()->flags() & Qt::WindowCloseButtonHint);
        window.close(); // refused while the delay runs
        closedEarly = !window.isVisible();
        enabledLater = QTest::qWaitFor([&] { return Button(window, 1)->isEnabled(); }, 10000);
        EXPECT_TRUE(window.windowHandle()->flags() & Qt::WindowCloseButtonHint);
        Button(window, 1)->click();
    });
    EXPECT_TRUE(disabledAtFirst);
    EXPECT_FALSE(closedEarly);
    EXPECT_TRUE(enabledLater);
    EXPECT_EQ(result, 1);

    // The delay was for that run only.
    dlg.AddText("Encore");
    result = RunWith(dlg, [](QDialog& window) {
        EXPECT_TRUE(Button(window, 0)->isEnabled());
        Button(window, 0)->click();
    });
    EXPECT_EQ(result, 0);
}

TEST(UserDlgRun, TheCheckBoxComesBackAndTheNextRunStartsClean)
{
    TUserDlg dlg;
    dlg.SetIcon(TUserDlgIcon::icConfirmation);
    dlg.AddButton("Oui", TUserDlgButtonKind::btOk);
    dlg.AddButton("Non", TUserDlgButtonKind::btAnnuler);
    dlg.AddText("Supprimer les marques ?");
    dlg.CheckBoxCaption = "Ne plus demander";
    dlg.CheckBoxCheck = false;
    int result = RunWith(dlg, [](QDialog& window) {
        auto* box = window.findChild<QCheckBox*>("CheckBox");
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isChecked());
        EXPECT_EQ(box->text(), "Ne plus demander");
        box->click();
        Button(window, 0)->click();
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(dlg.CheckBoxCheck);
    EXPECT_TRUE(dlg.CheckBoxCaption.empty());
    EXPECT_TRUE(dlg.Lines().empty());

    // The second run: no text and no check box, but the same buttons.
    result = RunWith(dlg, [](QDialog& window) {
        EXPECT_EQ(window.findChild<QCheckBox*>("CheckBox"), nullptr);
        EXPECT_EQ(Buttons(window).size(), 2u);
        EXPECT_EQ(Button(window, 1)->text(), "Non");
        Button(window, 1)->click();
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dlg.LastGeometry().texts.empty());
    EXPECT_FALSE(dlg.LastGeometry().checkBoxVisible);
    EXPECT_TRUE(dlg.CheckBoxCheck); // untouched by a run without a check box
}

TEST(UserDlgPictures, SharpAtEveryPixelRatio)
{
    for (TUserDlgIcon icon :
        { TUserDlgIcon::icWarning, TUserDlgIcon::icError, TUserDlgIcon::icInformation, TUserDlgIcon::icConfirmation }) {
        QPixmap pixmap = TUserDlg::StockIcon(icon, 2.0);
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.size(), QSize(64, 64));
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(32, 32));
        QImage image = pixmap.toImage();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // transparent around the picture
        EXPECT_GT(qAlpha(image.pixel(32, 40)), 0);
    }
    EXPECT_TRUE(TUserDlg::StockIcon(TUserDlgIcon::icNone, 1.0).isNull());
    TUserDlg dlg;
    dlg.SetCustomIcon("GlyphHelp"); // a picture of the program's own, 16 x 16
    EXPECT_EQ(dlg.ComputeGeometry().icon, QRect(12, 14, 16, 16));
    dlg.SetCustomIcon("/no/such/picture.png");
    EXPECT_TRUE(dlg.ComputeGeometry().icon.isNull());
    for (int kind = 0; kind <= static_cast<int>(TUserDlgButtonKind::btCustom); ++kind) {
        auto k = static_cast<TUserDlgButtonKind>(kind);
        EXPECT_EQ(TUserDlg::Glyph(k).isNull(), k == TUserDlgButtonKind::btCustom) << kind;
    }
    QIcon glyph = TUserDlg::Glyph(TUserDlgButtonKind::btOk);
    EXPECT_EQ(glyph.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
}

// With KINOVAL_SCREENSHOT_DIR set, saves a picture of a warning with three buttons and a check box.
TEST(UserDlgPictures, Screenshot)
{
    const QByteArray folder = qgetenv("KINOVAL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "KINOVAL_SCREENSHOT_DIR not set";
    TUserDlg dlg;
    dlg.SetIcon(TUserDlgIcon::icWarning);
    dlg.AddButton("Enregistrer", TUserDlgButtonKind::btEnregistrer);
    dlg.AddButton("Ne pas enregistrer", TUserDlgButtonKind::btQuitter);
    dlg.AddButton("Annuler", TUserDlgButtonKind::btAnnuler);
    dlg.AddText("L'étude « chute libre » a été modifiée.");
    dlg.AddText("Voulez-vous l'enregistrer avant de fermer le programme ?", lkIndented);
    dlg.AddText("", lkParagraph);
    dlg.AddText(
        "/home/eleve/Documents/Physique/TP mécanique/2026-12-08 chute d'une bille en acier.kvl", lkCutStart, clNavy);
    dlg.AddText("Les marques et les formules seront perdues.", lkBullet, clMaroon);
    dlg.CheckBoxCaption = "Toujours enregistrer sans demander";
    bool saved = false;
    RunWith(dlg, [&](QDialog& window) {
        QTest::qWait(300);
        saved = window.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath("user_dlg_warning.png"));
        Button(window, 2)->click();
    });
    EXPECT_TRUE(saved);
}

} // namespace
} // namespace kinoval
