#include "core/montage/montage.h"

#include "support/scripted_user_dlg.h"

#include <gtest/gtest.h>

#include <map>

namespace kinoval::test {
namespace {

using montage::TMontage;

class TMemKeys : public document::TProjectKeys {
public:
    std::map<std::string, std::string> values;
    std::optional<std::string> Read(std::string_view key) const override
    {
        auto it = values.find(std::string(key));
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void Write(std::string_view key, const std::string& value) override { values[std::string(key)] = value; }
    std::size_t KeyCount() const override { return values.size(); }
};

class MontageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.hooks.videoOpen = [] { return true; };
        m.hooks.currentRawFrame = [this] { return current; };
        m.hooks.timeBetweenFrames = [] { return 0.04; };
        m.hooks.marksOnFrame = [this](int raw) { return raw == markedFrame ? 1 : 0; };
        m.hooks.eraseFrameMarks = [this](int raw) { erased.push_back(raw); };
        m.hooks.resultsOutOfDate = [this] { ++outOfDate; };
        listening = m.OnChanged.Connect([this](TMontage&) { ++changes; });
        m.InitMontage(10);
    }
    TScriptedUserDlg dlg;
    TMontage m { dlg };
    int current = 0;
    int markedFrame = -1;
    std::vector<int> erased;
    int outOfDate = 0;
    int changes = 0;
    TConnection listening;
};

TEST_F(MontageTest, HidingFiveOfTenRenumbersAndShiftsLaterFrames)
{
    ASSERT_TRUE(m.SetFrameVisible(5, false));
    EXPECT_EQ(m.VisibleCount(), 9);
    EXPECT_EQ(m.RawToMontage(5), -1);
    for (int raw = 6; raw <= 9; ++raw) {
        EXPECT_EQ(m.RawToMontage(raw), raw - 1);
        EXPECT_EQ(m.TimeShift(raw), -1);
    }
    EXPECT_EQ(m.TimeShift(4), 0);
    EXPECT_EQ(m.CorrectedFrame(6), 5);
    EXPECT_EQ(m.MontageToRaw(5), 6);
    EXPECT_EQ(m.MontageToRaw(9), -1);
    EXPECT_EQ(erased, std::vector<int> { 5 });
    EXPECT_EQ(outOfDate, 1);
    // Out-of-range answers are neutral.
    EXPECT_EQ(m.RawToMontage(10), -1);
    EXPECT_EQ(m.MontageToRaw(-1), -1);
    EXPECT_EQ(m.TimeShift(-3), 0);
    EXPECT_TRUE(m.IsVisible(42));
}

TEST_F(MontageTest, HidingThenShowingRestoresEveryShiftAndRefusesTheLastVisible)
{
    m.SetFrameVisible(2, false);
    m.SetFrameVisible(7, false);
    EXPECT_FALSE(m.SetFrameVisible(7, false)); // already hidden
    m.SetFrameVisible(2, true);
    m.SetFrameVisible(7, true);
    for (int raw = 0; raw < 10; ++raw)
        EXPECT_EQ(m.TimeShift(raw), 0) << raw;
    EXPECT_EQ(m.VisibleCount(), 10);

    TMontage one(dlg);
    one.hooks.videoOpen = [] { return true; };
    one.InitMontage(1);
    EXPECT_FALSE(one.SetFrameVisible(0, false));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().JoinedText(), "Au moins une image doit rester visible.");
    EXPECT_TRUE(one.IsVisible(0));
}

TEST(MontageSeries, ParsesNormalisedTextsAndRefusesIncorrectGroups)
{
    std::vector<int> frames;
    ASSERT_TRUE(montage::ParseFrameSeries(" 3--5;;8 ;", 10, frames));
    EXPECT_EQ(frames, (std::vector<int> { 2, 3, 4, 7 }));
    ASSERT_TRUE(montage::ParseFrameSeries("9-7;8", 10, frames)); // reversed range, repeats merged
    EXPECT_EQ(frames, (std::vector<int> { 6, 7, 8 }));
    EXPECT_FALSE(montage::ParseFrameSeries("0", 10, frames));
    EXPECT_FALSE(montage::ParseFrameSeries("11", 10, frames));
    EXPECT_FALSE(montage::ParseFrameSeries("2-11", 10, frames));
    EXPECT_FALSE(montage::ParseFrameSeries("1-2-3", 10, frames));
    EXPECT_FALSE(montage::ParseFrameSeries("4a", 10, frames));
    EXPECT_FALSE(montage::ParseFrameSeries("99999999999999999999", 10, frames));
}

TEST_F(MontageTest, SeriesHidesInOrderAndWarnsWithTheAction)
{
    EXPECT_FALSE(m.ShowHideSeries(true, "0"));
    EXPECT_EQ(dlg.LastRun().JoinedText(), "Le groupe d'images à masquer est incorrect");
    EXPECT_FALSE(m.ShowHideSeries(false, "12"));
    EXPECT_EQ(dlg.LastRun().JoinedText(), "Le groupe d'images à afficher est incorrect");
    EXPECT_EQ(changes, 0);
    ASSERT_TRUE(m.ShowHideSeries(true, " 3--5;;8 ;"));
    EXPECT_EQ(m.VisibleCount(), 6);
    EXPECT_EQ(erased, (std::vector<int> { 2, 3, 4, 7 }));
    EXPECT_EQ(m.TimeShift(9), -4);
    EXPECT_EQ(changes, 1);
    // Hiding everything stops at the last visible frame.
    ASSERT_TRUE(m.ShowHideSeries(true, "1-10"));
    EXPECT_EQ(m.VisibleCount(), 1);
    EXPECT_TRUE(m.IsVisible(9));
}

TEST_F(MontageTest, ShiftInstantKeepsInstantsIncreasingAndCountsMissingFrames)
{
    current = 0; // the first visible frame: accepted while its number stays at 0 or more
    EXPECT_FALSE(m.ShiftInstant(-1));
    EXPECT_TRUE(m.ShiftInstant(1));
    EXPECT_TRUE(m.ShiftInstant(-1));
    current = 4; // one more than the previous visible frame
    EXPECT_FALSE(m.ShiftInstant(-1));
    EXPECT_EQ(m.MissingFrameCount(), 0);
    ASSERT_TRUE(m.ShiftInstant(1));
    EXPECT_EQ(m.MissingFrameCount(), 1);
    EXPECT_EQ(m.TimeShift(3), 0);
    EXPECT_EQ(m.TimeShift(9), 1);
    EXPECT_DOUBLE_EQ(m.FrameTime(montage::ftCurrent), 5 * 0.04);
    EXPECT_DOUBLE_EQ(m.FrameTime(montage::ftPreviousVisible), 3 * 0.04);
    EXPECT_DOUBLE_EQ(m.FrameTime(montage::ftNextVisible), 6 * 0.04);
    EXPECT_TRUE(m.ShiftInstant(-1));
    EXPECT_EQ(m.MissingFrameCount(), 0);
    current = 9;
    EXPECT_DOUBLE_EQ(m.FrameTime(montage::ftNextVisible), -1);
}

TEST_F(MontageTest, ToggleExplainsAndCanBeCancelledOnAMarkedFrame)
{
    current = 3;
    markedFrame = 3;
    dlg.Script(1); // "Annuler"
    m.ToggleCurrentFrame();
    EXPECT_TRUE(m.IsVisible(3));
    EXPECT_EQ(dlg.LastRun().Captions(), (std::vector<std::string> { "Ok", "Annuler" }));
    EXPECT_EQ(dlg.LastRun().checkBoxCaption, "Ne plus afficher cette boîte de dialogue");
    dlg.Script(0, true); // "Ok", never again
    m.ToggleCurrentFrame();
    EXPECT_FALSE(m.IsVisible(3));
    EXPECT_FALSE(m.ShowExplanation());
    m.ToggleCurrentFrame(); // no dialog any more
    EXPECT_EQ(dlg.RunCount(), 2u);
    EXPECT_TRUE(m.IsVisible(3));
}

TEST_F(MontageTest, LeavingOnAHiddenFrameMovesToTheNextVisibleOrElseThePrevious)
{
    std::vector<int> visited;
    m.hooks.goToRawFrame = [&visited](int raw) { visited.push_back(raw); };
    m.ShowHideSeries(true, "5-6;9-10");
    current = 4;
    m.LeaveMontage();
    current = 9;
    m.LeaveMontage();
    EXPECT_EQ(visited, (std::vector<int> { 6, 7 }));
}

TEST(MontageShiftRuns, StretchesKeepTheirEndsOnlyWhileTheStepHolds)
{
    // Positions 1, 3, 4, 5, 8: stretch 3..5 with steps -1 -> written 1, -3, 5, 8.
    EXPECT_EQ(
        montage::CompressedShiftPositions({ 0, 0, -1, -2, -3, -3, -3, 1, 1 }), (std::vector<int> { 1, -3, 5, 8 }));
    // A stretch whose step changes is cut so that it reads back exactly.
    EXPECT_EQ(montage::CompressedShiftPositions({ 0, -1, -2, 1 }), (std::vector<int> { -1, 3, 4 }));
    EXPECT_EQ(montage::CompressedShiftPositions({ 0, 0 }), (std::vector<int> { 1 }));
}

TEST_F(MontageTest, SavedSectionReadsBackToTheSameMontage)
{
    m.ShowHideSeries(true, "3-5;8");
    current = 8; // hidden; shift a later frame too
    current = 9;
    m.ShiftInstant(2);
    TMemKeys keys;
    m.SaveMontage(keys);
    EXPECT_EQ(keys.values["VisibleImagesNumber"], "10");
    EXPECT_EQ(keys.values["VisibleScalesNumber"], "5");
    EXPECT_EQ(keys.values["VisibleScale_1"], "2");
    EXPECT_EQ(keys.values["VisibleImage_1"], "0");
    EXPECT_EQ(keys.values["TimeShiftScale_1"], "-4");

    TScriptedUserDlg other;
    TMontage reread(other);
    reread.InitMontage(10);
    ASSERT_EQ(reread.LoadMontage(keys), montage::kMontageLoaded);
    for (int raw = 0; raw < 10; ++raw) {
        EXPECT_EQ(reread.IsVisible(raw), m.IsVisible(raw)) << raw;
        EXPECT_EQ(reread.TimeShift(raw), m.TimeShift(raw)) << raw;
        EXPECT_EQ(reread.RawToMontage(raw), m.RawToMontage(raw)) << raw;
    }
    EXPECT_EQ(reread.VisibleCount(), m.VisibleCount());

    TMontage shorter(other);
    shorter.InitMontage(8);
    EXPECT_EQ(shorter.LoadMontage(keys), montage::kMontageOtherVideo);
    keys.values["VisibleImage_0"] = "0";
    keys.values["VisibleImage_2"] = "0";
    keys.values["VisibleImage_4"] = "0";
    TMontage blind(other);
    blind.InitMontage(10);
    EXPECT_EQ(blind.LoadMontage(keys), montage::kMontageDamaged);
    EXPECT_EQ(blind.VisibleCount(), 10);
    EXPECT_EQ(blind.LoadMontage(TMemKeys {}), montage::kMontageAbsent);
}

} // namespace
} // namespace kinoval::test
