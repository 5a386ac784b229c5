// `kinoval-cli record` writes a saved study's montage as the window's recording would: hidden frames left
// out, blank frames for missing ones when asked, resized or cropped, in our AVI or through FFmpeg.
#include "core/document/data.h"
#include "core/formulas/formules.h"
#include "core/mainwindow/study_commands.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/montage/record_options.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "media/avi_writer.h"
#include "media/ffmpeg_tool.h"
#include "media/frame_code.h"
#include "media/player_factory.h"
#include "support/fake_desktop_services.h"
#include "support/run_command.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h" // the hand-fired timer
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef KINOVAL_CLI_PATH
namespace kinoval {
namespace {

class CliRecord : public ::testing::Test {
protected:
    CliRecord()
        : view(factory, timer)
        , data(dlg, document::TDocumentSettings {})
        , input(data, view)
        , montage(dlg)
        , parts { dlg, desktop, view, data, options, mru, &montage, &formules }
        , commands(parts)
    {
        links += video::LinkDocument(view, data, input);
        links += montage::ConnectMontage(montage, data, view, [] { return false; });
        view.Resize(160, 120);
        options.askToSaveOnOpen = false;
    }

    // Raw frames 0 .. 9 carrying their numbers; frame 4 hidden, one frame missing before raw frame 6.
    std::string Study()
    {
        const std::string video = dir.File("numbers.avi");
        media::TAviWriter writer;
        EXPECT_EQ(writer.Open(video, 160, 120, 25, 1, media::TAviCodec::acDib24), 0);
        for (int i = 0; i < 10; ++i)
            writer.WriteFrame(test::MakeNumberedFrame(160, 120, i));
        EXPECT_EQ(writer.Close(), 0);
        EXPECT_TRUE(commands.OpenVideo(video));
        EXPECT_TRUE(montage.SetFrameVisible(4, false));
        view.GoToRawFrame(6);
        EXPECT_TRUE(montage.ShiftInstant(1));
        const std::string study = dir.File("numbers.kvl");
        desktop.saveAnswers.push_back(study);
        EXPECT_EQ(commands.SaveAs(), mainwindow::kStudySaved);
        return study;
    }

    static std::string Cli(const std::string& args)
    {
        return test::RunCommand(std::string("'") + KINOVAL_CLI_PATH + "' record " + args + " 2>&1; echo \"status=$?\"");
    }

    std::vector<int> Numbers(const std::string& path, int width, int height)
    {
        std::vector<int> numbers;
        for (const TRgbImage& frame : test::ToolFrames(path, width, height))
            numbers.push_back(frame.At(width / 2, 2)[0] == montage::kBlankGrey ? -1 : test::ReadFrameNumber(frame));
        return numbers;
    }

    test::TTempDir dir;
    media::TMediaPlayerFactory factory;
    test::TManualTimer timer;
    video::TVideo view;
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    document::TData data;
    video::TDocumentInput input;
    montage::TMontage montage;
    formulas::TFormules formules;
    TOptions options;
    TMRUFiles mru;
    mainwindow::TStudyParts parts;
    mainwindow::TStudyCommands commands;
    TConnections links;
};

TEST_F(CliRecord, TheSavedMontageIsWrittenAsTheWindowWouldWriteIt)
{
    const std::string study = Study();
    const std::string plain = dir.File("plain.avi");
    EXPECT_EQ(Cli("'" + study + "' '" + plain + "'"), "9\nstatus=0\n");
    EXPECT_EQ(Numbers(plain, 160, 120), (std::vector<int> { 0, 1, 2, 3, 5, 6, 7, 8, 9 }));

    const std::string blank = dir.File("blank.avi");
    EXPECT_EQ(Cli("'" + study + "' '" + blank + "' --blank-frames --codec mjpeg"), "10\nstatus=0\n");
    EXPECT_EQ(Numbers(blank, 160, 120), (std::vector<int> { 0, 1, 2, 3, 5, -1, 6, 7, 8, 9 }));

    // Cropped: 8 rows off the top and the bottom, 16 columns off each side.
    const std::string cropped = dir.File("cropped.mp4");
    EXPECT_EQ(Cli("'" + study + "' '" + cropped + "' --framework ffmpeg --crop 8,8,16 --rate 12.5"), "9\nstatus=0\n");
    const std::string probed = test::RunCommand("ffprobe -v error -select_streams v:0 -show_entries "
                                                "stream=codec_name,width,height,r_frame_rate -of csv=p=0 '"
        + cropped + "'");
    EXPECT_EQ(probed, "mpeg4,128,104,25/2\n");

    // An existing file is never replaced; a framework this build cannot write with is said so.
    const std::string again = Cli("'" + study + "' '" + plain + "'");
    EXPECT_NE(again.find("Un fichier portant ce nom existe déjà dans le répertoire choisi."), std::string::npos);
    EXPECT_NE(again.find("status=1"), std::string::npos);
    // The timeline of blocks: the missing frame is a gap, a frame of no source.
    const std::string ges = dir.File("ges.avi");
    EXPECT_EQ(Cli("'" + study + "' '" + ges + "' --framework ges --codec mjpeg"), "10\nstatus=0\n");
    const std::vector<int> rendered = Numbers(ges, 160, 120);
    ASSERT_EQ(rendered.size(), 10u);
    EXPECT_EQ(rendered[4], 5);
    EXPECT_EQ(rendered[6], 6);
    const std::string xvid = Cli("'" + study + "' '" + dir.File("x.avi") + "' --codec xvid");
    EXPECT_NE(xvid.find("Le codeur n'existe pas ou est indisponible"), std::string::npos);
    EXPECT_NE(Cli("'" + study + "'").find("status=2"), std::string::npos);
    EXPECT_NE(Cli("'" + study + "' x.avi --size 10x10 --crop 1,1,1").find("status=2"), std::string::npos);
}

} // namespace
} // namespace kinoval
#endif
