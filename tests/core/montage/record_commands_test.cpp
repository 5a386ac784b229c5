// The recording commands from the first question to the last message, over a synthetic video, scripted
// dialogs and a writer that keeps the frames it is given.
#include "core/montage/record_commands.h"

#include "core/common/bmp_file.h"
#include "core/common/ini_file.h"
#include "core/document/data.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/settings/mru_files.h"
#include "core/video/document_link.h"
#include "core/video/video.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kinoval::test {
namespace {

using namespace montage;

struct TKeptFrames {
    TMovieSpec movie;
    std::vector<TRgbImage> frames;
    bool complete = false;
};

class TKeepingWriter : public TMovieWriter {
public:
    explicit TKeepingWriter(TKeptFrames& kept)
        : m_kept(kept)
    {
    }
    std::vector<std::string> CodecNames() const override { return { kNoCodec, "MJPEG" }; }
    int Open(const TMovieSpec& movie) override
    {
        m_kept = {};
        m_kept.movie = movie;
        return reOk;
    }
    int AddFrame(const TRgbImage& frame) override
    {
        m_kept.frames.push_back(frame);
        return reOk;
    }
    int Close(bool complete) override
    {
        m_kept.complete = complete;
        if (complete)
            std::ofstream(m_kept.movie.fileName) << "video";
        return reOk;
    }
    std::string ErrorText() const override { return {}; }

private:
    TKeptFrames& m_kept;
};

class RecordCommandsTest : public ::testing::Test {
protected:
    RecordCommandsTest()
        : video(factory, timer)
        , data(dlg, settings)
        , input(data, video)
        , montage(dlg)
        , commands({ dlg, desktop, video, montage, mru, dir.File("Kinoval.ini") })
    {
        factory.video.width = 32;
        factory.video.height = 24;
        factory.video.frames = 10;
        links += video::LinkDocument(video, data, input);
        links += montage::ConnectMontage(montage, data, video, [] { return false; });
        video.Resize(320, 240);
        EXPECT_TRUE(video.Open("clip.mp4"));
        commands.makeWriter = [this](int framework) -> std::unique_ptr<TMovieWriter> {
            if (framework == fwGes)
                return nullptr;
            return std::make_unique<TKeepingWriter>(kept);
        };
        commands.askOptions = [this](TRecordOptions& o, const TRecordDialogFacts& f) {
            facts = f;
            if (edit)
                edit(o);
            return acceptOptions;
        };
        commands.progressStep = [this](int done, int total) {
            progress.emplace_back(done, total);
            if (cancelAt == done)
                commands.Cancel();
        };
        recordingLinks += commands.OnRecordingChanged.Connect([this](bool on) {
            recordingSeen.push_back(on);
            EXPECT_EQ(commands.IsRecording(), false); // told before the first frame and after the last
        });
    }

    TTempDir dir;
    TSyntheticFactory factory;
    TManualTimer timer;
    video::TVideo video;
    TScriptedUserDlg dlg;
    TFakeDesktopServices desktop;
    document::TDocumentSettings settings;
    document::TData data;
    video::TDocumentInput input;
    TMontage montage;
    TMRUFiles mru;
    TConnections links;
    TRecordCommands commands;
    TConnections recordingLinks;

    TKeptFrames kept;
    TRecordDialogFacts facts;
    std::function<void(TRecordOptions&)> edit;
    bool acceptOptions = true;
    int cancelAt = -1;
    std::vector<std::pair<int, int>> progress;
    std::vector<bool> recordingSeen;
};

TEST_F(RecordCommandsTest, TheMontageIsRecordedWithItsBlankFramesAndTheViewComesBack)
{
    ASSERT_TRUE(montage.SetFrameVisible(4, false));
    video.GoToRawFrame(6);
    ASSERT_TRUE(montage.ShiftInstant(1));
    video.GoToRawFrame(2);
    edit = [](TRecordOptions& o) {
        o.blankFrames = true;
        o.framework = fwAvi;
        o.codec = "MJPEG";
    };
    // An existing name is refused and the dialog opens again; the name gets its extension.
    std::ofstream(dir.File("taken.avi")) << "x";
    desktop.saveAnswers = { dir.File("taken.avi"), dir.File("Montage") };
    ASSERT_EQ(commands.RecordMontage(), roDone);

    EXPECT_EQ(facts.visibleFrames, 9);
    EXPECT_EQ(facts.missingFrames, 1);
    EXPECT_EQ(facts.sourceWidth, 32);
    EXPECT_TRUE(facts.codecs[fwGes].empty());
    ASSERT_EQ(desktop.saveRequests.size(), 2u);
    EXPECT_EQ(desktop.saveRequests[0].title, "Enregistrer un fichier vidéo");
    EXPECT_EQ(desktop.saveRequests[0].proposedName, "Montage.avi");
    EXPECT_EQ(desktop.saveRequests[0].filter, "Fichier vidéo (*.avi)");
    EXPECT_EQ(dlg.Runs()[0].Texts()[0], "Un fichier portant ce nom existe déjà dans le répertoire choisi.");

    ASSERT_EQ(kept.frames.size(), 10u); // 9 visible and one silver frame before raw 6
    EXPECT_EQ(kept.movie.fileName, dir.File("Montage.avi"));
    EXPECT_EQ(kept.movie.codec, "MJPEG");
    EXPECT_DOUBLE_EQ(kept.movie.framesPerSecond, 25);
    EXPECT_EQ(kept.frames[3].At(0, 0)[0], 3); // the synthetic frames are grey levels of their numbers
    EXPECT_EQ(kept.frames[4].At(0, 0)[0], 5);
    EXPECT_EQ(kept.frames[5].At(0, 0)[0], kBlankGrey);
    EXPECT_EQ(kept.frames[6].At(0, 0)[0], 6);
    EXPECT_TRUE(kept.complete);
    EXPECT_EQ(progress.back(), std::make_pair(10, 10));
    EXPECT_EQ(recordingSeen, (std::vector<bool> { true, false }));
    EXPECT_EQ(video.CurrentRawFrame(), 2);
    const TRecordedRun& done = dlg.LastRun();
    EXPECT_EQ(done.icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(done.Texts()[0], "Le fichier a été enregistré avec succès :");
    EXPECT_EQ(done.Texts().back(), dir.File("Montage.avi"));
    EXPECT_EQ(mru.Directory, dir.Path().string());
    // The writer and its compressor are kept in the settings' section "Montage".
    TIniFile ini;
    ini.Load(dir.File("Kinoval.ini"));
    EXPECT_EQ(ini.ReadString("Montage", "Codec", ""), "MJPEG");
    EXPECT_EQ(ini.ReadInt("Montage", "Framework", -1), 0);
}

TEST_F(RecordCommandsTest, TheTimelineGetsTheMontagesBlocksAndItsStop)
{
    ASSERT_TRUE(montage.SetFrameVisible(4, false));
    std::vector<TRecordCommands::TTimelineJob> jobs;
    commands.timelineCodecs = { kNoCodec };
    commands.renderTimeline = [this, &jobs](const TRecordCommands::TTimelineJob& job,
                                  const std::function<bool(double)>& step, std::string&) {
        jobs.push_back(job);
        EXPECT_TRUE(commands.IsRecording());
        for (double done : { 0.25, 0.5, 0.75 })
            if (!step(done))
                return static_cast<int>(reAborted);
        return static_cast<int>(reOk);
    };
    edit = [](TRecordOptions& o) { o.framework = fwGes; };
    desktop.saveAnswers = { dir.File("timeline.avi") };
    ASSERT_EQ(commands.RecordMontage(), roDone);
    EXPECT_FALSE(facts.codecs[fwGes].empty());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].source, "clip.mp4");
    EXPECT_EQ(jobs[0].blocks, (std::vector<TBlocSource> { { 0, 4, 0 }, { 5, 10, -1 } }));
    EXPECT_TRUE(kept.frames.empty()); // no frame-by-frame writer
    EXPECT_EQ(progress.back(), std::make_pair(7, 9));
    // "Annuler" during the render: it stops and says so.
    cancelAt = 5;
    desktop.saveAnswers = { dir.File("stopped.avi") };
    EXPECT_EQ(commands.RecordMontage(), roCancelled);
    EXPECT_EQ(dlg.LastRun().Texts().back(), "Processus abandonné");
    EXPECT_FALSE(commands.IsRecording());
}

TEST_F(RecordCommandsTest, CancellingStopsTheRecordingAndSaysSo)
{
    cancelAt = 3;
    desktop.saveAnswers = { dir.File("cut.avi") };
    EXPECT_EQ(commands.RecordMontage(), roCancelled);
    EXPECT_EQ(kept.frames.size(), 3u);
    EXPECT_FALSE(kept.complete);
    EXPECT_FALSE(std::filesystem::exists(dir.File("cut.avi")));
    const TRecordedRun& said = dlg.LastRun();
    EXPECT_EQ(said.icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(said.Texts()[0], "Erreur détectée durant la création du fichier vidéo :");
    EXPECT_EQ(said.Texts().back(), "Processus abandonné");
    // The options dialog or the file dialog cancelled: nothing is written, nothing is said.
    const std::size_t runs = dlg.RunCount();
    acceptOptions = false;
    EXPECT_EQ(commands.RecordMontage(), roCancelled);
    acceptOptions = true;
    EXPECT_EQ(commands.RecordMontage(), roCancelled); // no save answer left
    EXPECT_EQ(dlg.RunCount(), runs);
}

TEST_F(RecordCommandsTest, VisibleFramesBecomeNumberedPicturesOfTheChosenFormat)
{
    ASSERT_TRUE(montage.SetFrameVisible(4, false));
    desktop.saveAnswers = { dir.File("Images.bmp") };
    ASSERT_EQ(commands.DecomposeVideo(), roDone);
    EXPECT_EQ(desktop.saveRequests[0].title, "Enregistrer la vidéo sous forme de fichiers images");
    EXPECT_EQ(facts.format, TPictureFormat::Bmp);
    EXPECT_EQ(facts.job, TRecordJob::Pictures);
    // 9 visible frames: numbers 0 to 8, one digit; the hidden frame is not written.
    for (int k = 0; k < 9; ++k) {
        TRgbImage picture;
        ASSERT_TRUE(ReadBmp(dir.File("Images_" + std::to_string(k) + ".bmp"), picture)) << k;
        EXPECT_EQ(picture.At(0, 0)[0], k < 4 ? k : k + 1);
        EXPECT_EQ(picture.width, 32);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("Images_9.bmp")));
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Les fichiers images ont été enregistrés avec succès.");

    // PNG by default; pictures already there are replaced only when the user agrees.
    desktop.saveAnswers = { dir.File("Images") };
    ASSERT_EQ(commands.DecomposeVideo(), roDone);
    EXPECT_TRUE(std::filesystem::exists(dir.File("Images_0.png")));
    const std::size_t runs = dlg.RunCount();
    desktop.saveAnswers = { dir.File("Images.png") };
    ASSERT_EQ(commands.DecomposeVideo(), roCancelled); // the dialog's first button, "Annuler"
    EXPECT_EQ(dlg.RunCount(), runs + 1);
    EXPECT_EQ(dlg.LastRun().Texts().back(), "Un fichier portant le même nom existe déjà. Le remplacer ?");
}

TEST_F(RecordCommandsTest, PicturesAreAssembledInTheOrderOfTheirNumbers)
{
    std::vector<std::string> names;
    for (int k : { 10, 2, 1 }) {
        TRgbImage picture(16, 12);
        std::fill(picture.pixels.begin(), picture.pixels.end(), static_cast<std::uint8_t>(k * 10));
        names.push_back(dir.File("P_" + std::to_string(k) + ".bmp"));
        ASSERT_EQ(WriteBmp(names.back(), picture), 0);
    }
    commands.readPicture = [](const std::string& name, TRgbImage& picture) { return ReadBmp(name, picture); };
    // The notice first: "Annuler" there ends the command.
    dlg.Script(1);
    EXPECT_EQ(commands.AssembleVideo(), roCancelled);
    EXPECT_EQ(dlg.LastRun().Texts()[0], "Vous allez sélectionner plusieurs fichiers images.");
    EXPECT_EQ(dlg.LastRun().checkBoxCaption, "Ne plus afficher cette boîte de dialogue");

    dlg.Script(0, true); // "Ok", and not again
    desktop.openFilesAnswers = { names };
    desktop.saveAnswers = { dir.File("Assemblage") };
    edit = [](TRecordOptions& o) { o.framesPerSecond = 5; };
    ASSERT_EQ(commands.AssembleVideo(), roDone);
    EXPECT_EQ(facts.job, TRecordJob::Assembly);
    EXPECT_EQ(facts.sourceWidth, 16);
    EXPECT_EQ(facts.visibleFrames, 3);
    EXPECT_EQ(desktop.saveRequests.back().proposedName, "Assemblage.avi");
    ASSERT_EQ(kept.frames.size(), 3u);
    EXPECT_EQ(kept.frames[0].At(0, 0)[0], 10);
    EXPECT_EQ(kept.frames[1].At(0, 0)[0], 20);
    EXPECT_EQ(kept.frames[2].At(0, 0)[0], 100);
    EXPECT_DOUBLE_EQ(kept.movie.framesPerSecond, 5);

    // The notice is not shown again; a picture that cannot be read is named.
    const std::size_t runs = dlg.RunCount();
    std::ofstream(dir.File("bad.bmp")) << "not a picture";
    desktop.openFilesAnswers = { std::vector<std::string> { dir.File("bad.bmp") } };
    EXPECT_EQ(commands.AssembleVideo(), roFailed);
    EXPECT_EQ(dlg.RunCount(), runs + 1);
    EXPECT_NE(dlg.LastRun().JoinedText().find("bad.bmp"), std::string::npos);
}

} // namespace
} // namespace kinoval::test
