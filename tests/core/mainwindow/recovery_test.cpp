// Copies of unsaved studies: written while there are changes, gone after a save or a close, and offered
// again after the program was killed in the middle of pointing.
#include "core/mainwindow/recovery.h"

#include "core/common/ini_file.h"
#include "core/common/signal.h"
#include "core/document/data.h"
#include "core/formulas/formules.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "support/fake_desktop_services.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

namespace kinoval::mainwindow {
namespace {

namespace fs = std::filesystem;

// One instance of the program: its objects on synthetic videos, and its recovery in a shared folder.
struct TInstance {
    explicit TInstance(const std::string& folder)
        : video(factory, timer)
        , data(dlg, document::TDocumentSettings {})
        , input(data, video)
        , montage(dlg)
        , parts { dlg, desktop, video, data, options, mru, &montage, &formules }
        , commands(parts)
        , recovery(parts, commands, folder)
    {
        factory.video = test::TSyntheticVideo::Uniform(640, 480, 40, 10, 20, 30);
        links += video::LinkDocument(video, data, input);
        links += montage::ConnectMontage(montage, data, video, {});
        video.Resize(640, 480);
        options.askToSaveOnOpen = false;
        recovery.clock = [this] { return now; };
    }
    void Click(double x, double y)
    {
        const TScreenPoint p { static_cast<int>(x * 640), static_cast<int>(y * 480) };
        video.MouseDown(video::TMouseButton::Left, {}, p);
        video.MouseUp(video::TMouseButton::Left, {}, p);
    }

    std::time_t now = 1765289100; // 9 December 2025, 14:05 UTC
    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    video::TVideo video;
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    document::TData data;
    video::TDocumentInput input;
    montage::TMontage montage;
    formulas::TFormules formules;
    TOptions options;
    TMRUFiles mru;
    TStudyParts parts;
    TStudyCommands commands;
    TRecovery recovery;
    TConnections links; // the document and the montage follow the view while these are kept
};

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        videoPath = tmp.File("clip.avi");
        std::ofstream(videoPath) << "synthetic";
        folder = tmp.File("data/kinoval");
    }
    test::TTempDir tmp;
    std::string videoPath;
    std::string folder;
};

TEST_F(RecoveryTest, TheCopyFollowsTheUnsavedChangesAndGoesWithTheSave)
{
    TInstance a(folder);
    ASSERT_TRUE(a.commands.OpenVideo(videoPath));
    EXPECT_FALSE(a.recovery.Autosave()); // nothing to keep yet
    EXPECT_FALSE(fs::exists(folder + "/" + fs::path(a.recovery.CopyPath()).filename().string()));
    a.Click(0.2, 0.3);
    a.Click(0.3, 0.35);
    ASSERT_TRUE(a.recovery.Autosave());
    const std::string copy = a.recovery.CopyPath();
    EXPECT_EQ(fs::path(copy).parent_path(), fs::path(folder));
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_FALSE(a.recovery.Autosave()); // the copy already holds these marks
    a.Click(0.4, 0.4);
    EXPECT_TRUE(a.recovery.Autosave());
    // A formula typed after the last copy is copied too.
    ASSERT_TRUE(a.formules.TryAddConstant("m", "0.1").accepted);
    EXPECT_TRUE(a.recovery.Autosave());

    // The copy is a study: it reads back with every mark and its constant.
    TInstance reader(tmp.File("elsewhere"));
    ASSERT_EQ(LoadStudyFile(copy, reader.parts), kStudyLoaded);
    EXPECT_EQ(reader.data.MarkCount(), 3);
    EXPECT_EQ(reader.formules.ConstantCount(), 1);

    // A save holds the changes: the window discards the copy, and none is written until the next change.
    a.desktop.saveAnswers.push_back(tmp.File("etude.kvl"));
    ASSERT_EQ(a.commands.Save(), kStudySaved);
    a.recovery.Discard();
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(a.recovery.Autosave());
    EXPECT_FALSE(fs::exists(copy));
}

TEST_F(RecoveryTest, AKilledInstanceLeavesACopyTheNextStartRestoresWithEveryMark)
{
    const std::string study = tmp.File("chute.kvl");
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The first instance: a saved study, four more marks, a copy, then killed while pointing.
        TInstance first(folder);
        if (!first.commands.OpenVideo(videoPath))
            ::_exit(10);
        first.Click(0.1, 0.1);
        first.desktop.saveAnswers.push_back(study);
        if (first.commands.Save() != kStudySaved)
            ::_exit(11);
        for (int i = 0; i < 4; ++i)
            first.Click(0.2 + 0.1 * i, 0.5 - 0.05 * i);
        if (!first.recovery.Autosave())
            ::_exit(12);
        ::raise(SIGKILL);
        ::_exit(13);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

    TInstance next(folder);
    // As the window does: a new study in the window is told to the recovery, which copies it at once.
    next.commands.videoOpened = [&next] { next.recovery.Autosave(); };
    const std::vector<TRecoveryCopy> orphans = next.recovery.Orphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].studyPath, study);
    EXPECT_EQ(orphans[0].videoName, videoPath);
    next.dlg.Script(0); // "Restaurer"
    ASSERT_TRUE(next.recovery.OfferRestore());
    const auto& question = next.dlg.Runs().front();
    EXPECT_EQ(question.Captions(), (std::vector<std::string> { "Restaurer", "Ne pas restaurer" }));
    EXPECT_EQ(question.Texts()[0], "Restaurer le travail non enregistré du 09/12/2025 à 14:05 ?");
    EXPECT_EQ(question.Texts()[3], "Travail : " + study);
    EXPECT_EQ(question.Texts()[4], "Vidéo : " + videoPath);
    // Every mark is back, including the four that no save held, and the study is still unsaved.
    ASSERT_EQ(next.data.MarkCount(), 5);
    EXPECT_EQ(next.data.FixedSet().AllMarks.back()->Container->MarksContainerFrameNumber, 4);
    EXPECT_TRUE(next.commands.Modified());
    EXPECT_EQ(next.commands.StudyPath(), study);
    // The old copy went once this instance held its own.
    EXPECT_FALSE(fs::exists(orphans[0].path));
    EXPECT_TRUE(fs::exists(next.recovery.CopyPath()));
    EXPECT_TRUE(next.recovery.Orphans().empty());
    // "Enregistrer" writes to the study's own file, without a dialog.
    ASSERT_EQ(next.commands.Save(), kStudySaved);
    TInstance reader(tmp.File("elsewhere"));
    ASSERT_EQ(LoadStudyFile(study, reader.parts), kStudyLoaded);
    EXPECT_EQ(reader.data.MarkCount(), 5);
}

TEST_F(RecoveryTest, ALivingInstancesCopyIsNotOfferedAndADeclinedCopyGoes)
{
    TInstance living(folder);
    ASSERT_TRUE(living.commands.OpenVideo(videoPath));
    living.Click(0.5, 0.5);
    ASSERT_TRUE(living.recovery.Autosave());
    TInstance second(folder);
    EXPECT_TRUE(second.recovery.Orphans().empty()); // its lock is held
    EXPECT_FALSE(second.recovery.OfferRestore());
    EXPECT_EQ(second.dlg.RunCount(), 0u);

    // The same copy, its owner gone without closing: offered, declined, removed.
    const std::string copy = living.recovery.CopyPath();
    {
        TInstance gone(folder);
        ASSERT_TRUE(gone.commands.OpenVideo(videoPath));
        gone.Click(0.6, 0.6);
        ASSERT_TRUE(gone.recovery.Autosave());
    } // the destructor lets go of the lock and leaves the copy, as a kill would
    ASSERT_EQ(second.recovery.Orphans().size(), 1u);
    second.dlg.Script(1); // "Ne pas restaurer"
    EXPECT_FALSE(second.recovery.OfferRestore());
    EXPECT_TRUE(second.recovery.Orphans().empty());
    EXPECT_EQ(second.data.MarkCount(), 0);
    EXPECT_TRUE(fs::exists(copy)); // the living instance's copy was never touched
}

TEST_F(RecoveryTest, ACopyWhoseVideoIsGoneWaitsForIt)
{
    {
        TInstance gone(folder);
        ASSERT_TRUE(gone.commands.OpenVideo(videoPath));
        gone.Click(0.6, 0.6);
        ASSERT_TRUE(gone.recovery.Autosave());
    }
    fs::rename(videoPath, videoPath + ".moved");
    TInstance next(folder);
    next.dlg.Script(0); // "Restaurer"
    EXPECT_TRUE(next.recovery.OfferRestore());
    EXPECT_EQ(next.data.MarkCount(), 1); // shown, but without the video the study cannot be saved
    EXPECT_EQ(next.dlg.LastRun().Texts()[2], "Le fichier vidéo de ce travail est introuvable.");
    EXPECT_EQ(next.recovery.Orphans().size(), 1u); // kept for a start with the video back
}

} // namespace
} // namespace kinoval::mainwindow
