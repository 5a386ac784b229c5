// The montage mode's panel and its two dialogs over the real view model, document and montage: the series
// dialog staying open on an incorrect group, the missing-frame dialog's up-down moving the instants, and
// the buttons following the mode and the current frame.
#include "gui/montage/montage_panel.h"

#include "core/document/data.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/settings/options.h"
#include "core/video/video.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kinoval::montage {
namespace {

// The number in a time text ("image visible suivante     t = 0,160 s" or "0.160"), whatever the separator.
double TimeIn(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    const int eq = s.indexOf(QLatin1Char('='));
    if (eq >= 0)
        s = s.mid(eq + 1);
    s.remove(QStringLiteral(" s"));
    bool ok = false;
    const double value = s.trimmed().toDouble(&ok);
    return ok ? value : 1e9;
}

class MontagePanelTest : public ::testing::Test {
protected:
    MontagePanelTest()
        : video(factory, timer)
        , data(dlg, docSettings)
        , montage(dlg)
    {
        data.SetView(&video);
        links += ConnectMontage(montage, data, video);
        panel = std::make_unique<TMontagePanel>(montage, video, data, options, dlg);
    }

    void Open(int frames)
    {
        factory.video = test::TSyntheticVideo::Uniform(64, 48, frames, 10, 20, 30);
        ASSERT_TRUE(video.Open("montage.avi"));
        data.SetTimeBetweenFrames(0.04);
        panel->UpdateControls();
    }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    video::TVideo video;
    test::TScriptedUserDlg dlg;
    document::TDocumentSettings docSettings;
    document::TData data;
    TOptions options;
    TMontage montage;
    TConnections links; // the document and the montage follow the view while these are kept
    std::unique_ptr<TMontagePanel> panel;
};

TEST_F(MontagePanelTest, ModeIsRefusedForASingleFrameAndTheButtonsFollowIt)
{
    Open(1);
    EXPECT_FALSE(panel->EnterMontageMode());
    EXPECT_EQ(video.Mode(), video::vmFixedPointing);
    EXPECT_EQ(dlg.RunCount(), 0u); // refused without a word
    EXPECT_FALSE(panel->Button("ButtonMontageBasculer")->isEnabled());

    Open(10);
    ASSERT_TRUE(panel->EnterMontageMode());
    EXPECT_TRUE(panel->Button("ButtonMontageBasculer")->isEnabled());
    EXPECT_TRUE(panel->Button("ButtonMontageBasculerMult")->isEnabled());
    EXPECT_TRUE(panel->Button("ButtonMontageInstant")->isEnabled());

    // Hiding the current frame through the button: the explanation first, then the frame is negative and
    // the missing-frame button has nothing to act on.
    video.GoToFrame(4);
    dlg.Script(0);
    panel->Button("ButtonMontageBasculer")->click();
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(
        dlg.LastRun().Texts().front(), "Cette image ne sera plus visible dans le flux vidéo à la sortie du montage.");
    EXPECT_FALSE(montage.IsVisible(4));
    EXPECT_TRUE(video.CurrentFrameInverted());
    EXPECT_FALSE(panel->Button("ButtonMontageInstant")->isEnabled());
    int dialogs = 0;
    panel->execDialog = [&](QDialog&) { return ++dialogs; };
    panel->InstantClicked();
    EXPECT_EQ(dialogs, 0);

    // Outside the montage mode the hidden frame is skipped and the buttons rest.
    ASSERT_TRUE(video.SetMode(video::vmFixedPointing));
    panel->UpdateControls();
    EXPECT_FALSE(panel->Button("ButtonMontageBasculer")->isEnabled());
    EXPECT_EQ(video.FrameCount(), 9);
    EXPECT_EQ(video.CurrentRawFrame(), 5);
}

TEST_F(MontagePanelTest, SeriesDialogStaysOpenOnAnIncorrectGroupAndHidesTheFramesTyped)
{
    Open(10);
    ASSERT_TRUE(panel->EnterMontageMode());
    bool acceptedAfterZero = true;
    panel->execDialog = [&](QDialog& d) {
        auto& series = dynamic_cast<TSeriesDialog&>(d);
        EXPECT_EQ(series.windowTitle(), QStringLiteral("Afficher ou masquer une série d'images"));
        EXPECT_TRUE(series.HideChoice()->isChecked());
        series.Text()->setText(QStringLiteral("0"));
        series.OkButton()->click();
        acceptedAfterZero = series.result() == QDialog::Accepted;
        series.Text()->setText(QStringLiteral(" 3--5;;8 ;"));
        series.OkButton()->click();
        return series.result();
    };
    panel->Button("ButtonMontageBasculerMult")->click();
    EXPECT_FALSE(acceptedAfterZero);
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.Runs()[0].icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(dlg.Runs()[0].Texts(), (std::vector<std::string> { "Le groupe d'images à masquer est incorrect" }));
    std::vector<int> hidden;
    for (int raw = 0; raw < 10; ++raw)
        if (!montage.IsVisible(raw))
            hidden.push_back(raw);
    EXPECT_EQ(hidden, (std::vector<int> { 2, 3, 4, 7 }));
    EXPECT_EQ(montage.VisibleCount(), 6);

    // Showing again, with the odd-frame shortcut and a number past the end refused first.
    panel->execDialog = [&](QDialog& d) {
        auto& series = dynamic_cast<TSeriesDialog&>(d);
        series.ShowChoice()->setChecked(true);
        series.Text()->setText(QStringLiteral("11"));
        series.OkButton()->click();
        EXPECT_NE(series.result(), QDialog::Accepted);
        series.OddButton()->click();
        EXPECT_EQ(series.Text()->text(), QStringLiteral("1;3;5;7;9"));
        series.OkButton()->click();
        return series.result();
    };
    panel->SeriesClicked();
    EXPECT_EQ(dlg.LastRun().Texts(), (std::vector<std::string> { "Le groupe d'images à afficher est incorrect" }));
    // Odd numbers 3 and 5 are raw frames 2 and 4: raw 3 stays hidden, 7 (number 8) too.
    hidden.clear();
    for (int raw = 0; raw < 10; ++raw)
        if (!montage.IsVisible(raw))
            hidden.push_back(raw);
    EXPECT_EQ(hidden, (std::vector<int> { 3, 7 }));
    for (int raw = 0; raw < 10; ++raw)
        EXPECT_EQ(montage.CorrectedFrame(raw), raw - (raw > 3) - (raw > 7)) << raw;
}

TEST_F(MontagePanelTest, MissingFrameDialogMovesTheInstantsAndRefusesToReachThePreviousFrame)
{
    Open(10);
    ASSERT_TRUE(panel->EnterMontageMode());
    video.GoToFrame(3);
    int shown = 0;
    panel->execDialog = [&](QDialog& d) {
        ++shown;
        auto& missing = dynamic_cast<TMissingFrameDialog&>(d);
        EXPECT_EQ(missing.windowTitle(), QStringLiteral("Il manque une image dans le flux vidéo"));
        EXPECT_NEAR(TimeIn(missing.PreviousTime()->text()), 0.08, 1e-9);
        EXPECT_NEAR(TimeIn(missing.CurrentTime()->text()), 0.12, 1e-9);
        EXPECT_NEAR(TimeIn(missing.NextTime()->text()), 0.16, 1e-9);
        EXPECT_TRUE(missing.CurrentTime()->isReadOnly());

        // Up: one frame missing before the current one; every later frame moves a period later.
        missing.UpDown()->stepUp();
        EXPECT_NEAR(TimeIn(missing.CurrentTime()->text()), 0.16, 1e-9);
        EXPECT_NEAR(TimeIn(missing.NextTime()->text()), 0.20, 1e-9);
        EXPECT_NEAR(TimeIn(missing.PreviousTime()->text()), 0.08, 1e-9);
        EXPECT_EQ(montage.MissingFrameCount(), 1);

        // Down twice: back to the start, then refused (the instant would reach the previous frame's).
        missing.UpDown()->stepDown();
        EXPECT_NEAR(TimeIn(missing.CurrentTime()->text()), 0.12, 1e-9);
        const int before = missing.UpDown()->value();
        missing.UpDown()->stepDown();
        EXPECT_EQ(missing.UpDown()->value(), before);
        EXPECT_NEAR(TimeIn(missing.CurrentTime()->text()), 0.12, 1e-9);
        EXPECT_EQ(montage.MissingFrameCount(), 0);

        missing.UpDown()->stepUp();
        missing.UpDown()->stepUp();
        return int(QDialog::Accepted);
    };
    panel->Button("ButtonMontageInstant")->click();
    EXPECT_EQ(shown, 1);
    for (int raw = 0; raw < 10; ++raw)
        EXPECT_EQ(montage.TimeShift(raw), raw >= 3 ? 2 : 0) << raw;

    // On the last frame there is no next visible frame: its time shows as -1.
    video.GoToFrame(9);
    panel->execDialog = [&](QDialog& d) {
        auto& missing = dynamic_cast<TMissingFrameDialog&>(d);
        EXPECT_NEAR(TimeIn(missing.NextTime()->text()), -1, 1e-9);
        EXPECT_NEAR(TimeIn(missing.CurrentTime()->text()), 0.44, 1e-9);
        return int(QDialog::Accepted);
    };
    panel->InstantClicked();
}

} // namespace
} // namespace kinoval::montage
