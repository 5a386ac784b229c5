// The montage between the view and the document: numbering, hidden-frame marks, corrected frames.
#include "core/document/data.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/video/document_link.h"
#include "core/video/video.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"

#include <gtest/gtest.h>

namespace kinoval::test {
namespace {

class MontageWiringTest : public ::testing::Test {
protected:
    MontageWiringTest()
        : video(factory, timer)
        , data(dlg, settings)
        , input(data, video)
        , montage(dlg)
    {
        factory.video = TSyntheticVideo::Uniform(640, 480, 20, 0, 0, 0);
        links += video::LinkDocument(video, data, input);
        links += montage::ConnectMontage(montage, data, video);
        video.Resize(640, 480);
        EXPECT_TRUE(video.Open("clip.mp4"));
        data.NewStudy();
        data.SetTimeBetweenFrames(video.FrameDuration());
    }

    TSyntheticFactory factory;
    TManualTimer timer;
    video::TVideo video;
    TScriptedUserDlg dlg;
    document::TDocumentSettings settings;
    document::TData data;
    video::TDocumentInput input;
    montage::TMontage montage;
    TConnections links; // the document and the montage follow the view while these are kept
};

TEST_F(MontageWiringTest, HidingAFrameRenumbersTheViewErasesItsMarksAndCorrectsLaterFrames)
{
    ASSERT_EQ(montage.FrameCount(), 20); // opening the video sized the montage
    data.SetMarkPosition(data.FixedSet(), 0, 5, { 0.5, 0.5 });
    data.SetMarkPosition(data.FixedSet(), 0, 6, { 0.6, 0.5 });
    ASSERT_EQ(data.MarksOnRawFrameInAllSets(5), 1);
    ASSERT_TRUE(montage.SetFrameVisible(5, false));
    EXPECT_EQ(data.MarksOnRawFrameInAllSets(5), 0);
    EXPECT_EQ(data.MarksOnRawFrameInAllSets(6), 1);
    EXPECT_EQ(data.MarksHistory().Count(), 0u);
    EXPECT_EQ(data.CorrectedFrame(6), 5);
    EXPECT_TRUE(data.ResultsOutOfDate());

    EXPECT_EQ(video.FrameCount(), 19);
    video.GoToFrame(5);
    EXPECT_EQ(video.CurrentRawFrame(), 6);

    // The montage mode shows every raw frame, the hidden one inverted; leaving it moves off that frame.
    ASSERT_TRUE(video.SetMode(video::vmMontage));
    EXPECT_EQ(video.FrameCount(), 20);
    video.GoToFrame(5);
    EXPECT_TRUE(video.CurrentFrameInverted());
    ASSERT_TRUE(video.SetMode(video::vmFixedPointing));
    EXPECT_EQ(video.CurrentRawFrame(), 6);
}

TEST_F(MontageWiringTest, ExportedTimesFollowHiddenAndMissingFrames)
{
    data.SetMarkPosition(data.FixedSet(), 0, 2, { 0.2, 0.5 });
    data.SetMarkPosition(data.FixedSet(), 0, 6, { 0.6, 0.5 });
    montage.SetFrameVisible(4, false); // raw 6 now comes 3 periods after raw 2
    video.GoToRawFrame(6);
    ASSERT_TRUE(montage.ShiftInstant(1)); // one frame declared missing before raw 6
    EXPECT_EQ(montage.MissingFrameCount(), 1);
    TMeasurement out;
    data.ExportMeasurement(TMarkSet::Fixed, out);
    ASSERT_EQ(out.times.size(), 2u);
    const double t = video.FrameDuration();
    EXPECT_NEAR(out.times[0], 0.0, 1e-12);
    EXPECT_NEAR(out.times[1], 4 * t, 1e-12);
}

} // namespace
} // namespace kinoval::test
