// Studies on the disk: the save command with its questions, the load command, the confirmations before
// opening and closing, and files that are damaged or whose video has moved.
#include "core/mainwindow/study_commands.h"

#include "core/common/file_filter.h"
#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/common/texts.h"
#include "core/document/data.h"
#include "core/formulas/formules.h"
#include "core/graph/model_choices.h"
#include "core/mainwindow/results_checks.h"
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

#include <filesystem>
#include <fstream>

#include <numbers>
#include <random>
#include <sstream>
#include <sys/stat.h>

namespace kinoval::mainwindow {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The program's objects around one study, on synthetic videos that open from any existing file.
struct TStudyBench {
    explicit TStudyBench(bool separateScales = false)
        : video(factory, timer)
        , data(dlg, Settings(separateScales))
        , input(data, video)
        , montage(dlg)
        , parts { dlg, desktop, video, data, options, mru, &montage, &formules, &models }
        , commands(parts)
    {
        factory.video = test::TSyntheticVideo::Uniform(640, 480, 20, 10, 20, 30);
        links += video::LinkDocument(video, data, input);
        links += montage::ConnectMontage(montage, data, video, {});
        video.Resize(640, 480);
    }
    static document::TDocumentSettings Settings(bool separate)
    {
        document::TDocumentSettings s;
        s.separateScales = separate;
        return s;
    }
    void Click(double x, double y, video::TMouseButton b = video::TMouseButton::Left)
    {
        const TScreenPoint p { static_cast<int>(x * 640), static_cast<int>(y * 480) };
        video.MouseDown(b, {}, p);
        video.MouseUp(b, {}, p);
    }
    void Drag(double x0, double y0, double x1, double y1)
    {
        const TScreenPoint a { static_cast<int>(x0 * 640), static_cast<int>(y0 * 480) };
        const TScreenPoint b { static_cast<int>(x1 * 640), static_cast<int>(y1 * 480) };
        video.MouseDown(video::TMouseButton::Left, {}, a);
        video.MouseMove({}, b);
        video.MouseUp(video::TMouseButton::Left, {}, b);
    }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    video::TVideo video;
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    document::TData data;
    video::TDocumentInput input;
    montage::TMontage montage;
    TConnections links; // the document and the montage follow the view while these are kept
    formulas::TFormules formules;
    graph::TModelChoices models;
    TOptions options;
    TMRUFiles mru;
    TStudyParts parts;
    TStudyCommands commands;
};

class StudyCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        videoPath = tmp.File("clip.avi");
        WriteAll(videoPath, "synthetic");
    }
    void TearDown() override { SetDecimalSeparator(0); }

    // Two objects on four frames, turned and flipped axes, both separate scales, a transparent sheet left
    // in its drag stage with two dated origins and a transparent mark.
    void BuildStudy(TStudyBench& b)
    {
        ASSERT_TRUE(b.commands.OpenVideo(videoPath));
        b.data.SetObjectsPerFrame(2);
        b.data.SetObjectName(0, "d'une balle");
        b.data.SetMarkColor(1, 0x123456);
        for (int i = 0; i < 4; ++i) {
            b.Click(0.1 + 0.1 * i, 0.2 + 0.05 * i);
            b.Click(0.7 - 0.05 * i, 0.6);
        }
        b.data.SetTool(document::toOriginAndAxes);
        b.Click(0.5, 0.5);
        b.data.SetXAxisAngle(0.3);
        b.data.SetYAxisDirect(false);
        b.data.SetTool(document::toScale);
        b.data.Scale().Kind = document::skHorizontal;
        b.Click(0.1, 0.9);
        b.Click(0.6, 0.9);
        b.data.SetScaleLength(document::skHorizontal, 1.5);
        b.data.Scale().Kind = document::skVertical;
        b.Click(0.9, 0.1);
        b.Click(0.9, 0.7);
        b.data.SetScaleLength(document::skVertical, 0.75);

        ASSERT_TRUE(b.video.SetMode(video::vmTransparentPointing));
        b.video.GoToFrame(0);
        b.data.SetTool(document::toTransparent);
        b.Drag(0.45, 0.55, 0.4, 0.5); // stage 0 -> 2, first dated origin
        b.Click(0.42, 0.47); // mark, view advances, stage 0
        b.Drag(0.4, 0.5, 0.5, 0.5); // second dated origin
        b.Click(0.5, 0.45);
        const TScreenPoint p { 300, 200 };
        b.video.MouseDown(video::TMouseButton::Left, {}, p); // stage 1, left so
        ASSERT_EQ(b.data.Sheet().Stage, 1);
        b.video.MouseUp(video::TMouseButton::Left, {}, p);
        b.data.Sheet().Stage = 1;
        ASSERT_EQ(b.data.Sheet().Origines.size(), 3u);
    }

    int SaveTo(TStudyBench& b, const std::string& path)
    {
        b.desktop.saveAnswers.push_back(path);
        return b.commands.SaveAs();
    }

    test::TTempDir tmp;
    std::string videoPath;
};

void ExpectSameMarks(const document::TPolyContainer& a, const document::TPolyContainer& b)
{
    ASSERT_EQ(a.AllMarks.size(), b.AllMarks.size());
    EXPECT_TRUE(a.Equals(b));
    for (std::size_t i = 0; i < a.AllMarks.size(); ++i) {
        EXPECT_TRUE(a.AllMarks[i]->Equals(*b.AllMarks[i])) << "mark " << i;
        EXPECT_EQ(
            a.AllMarks[i]->Container->MarksContainerFrameNumber, b.AllMarks[i]->Container->MarksContainerFrameNumber);
    }
    EXPECT_EQ(a.SystemName, b.SystemName);
}

TEST_F(StudyCommandsTest, StudySavedUnderACommaLocaleLoadsUnderAPointLocaleUnchanged)
{
    TStudyBench saved(true);
    BuildStudy(saved);
    saved.formules.AddFormula("E=0.5*vx^2", "énergie", "J");
    SetDecimalSeparator(',');
    const std::string path = tmp.File("étude.kvl");
    ASSERT_EQ(SaveTo(saved, path), kStudySaved);
    EXPECT_EQ(saved.dlg.LastRun().Texts().front(), "Le fichier a été enregistré avec succès :");
    EXPECT_EQ(saved.dlg.LastRun().lines.back().colour, clBlue);
    EXPECT_EQ(saved.mru.Files().front(), path);
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("OrigineCurrentXCoordinate_Grid=0,5"), std::string::npos) << text;

    SetDecimalSeparator('.');
    TStudyBench loaded(true);
    ASSERT_TRUE(loaded.commands.OpenStudy(path));
    EXPECT_EQ(loaded.dlg.RunCount(), 0u) << loaded.dlg.LastRun().JoinedText();
    EXPECT_TRUE(loaded.data.Axes().Equals(saved.data.Axes()));
    EXPECT_TRUE(loaded.data.Sheet().Equals(saved.data.Sheet()));
    EXPECT_EQ(loaded.data.Sheet().Stage, 1);
    ASSERT_EQ(loaded.data.Sheet().Origines.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_TRUE(loaded.data.Sheet().Origines[k]->Equals(*saved.data.Sheet().Origines[k]));
    EXPECT_TRUE(loaded.data.Scale().Equals(saved.data.Scale()));
    ExpectSameMarks(saved.data.FixedSet(), loaded.data.FixedSet());
    ExpectSameMarks(saved.data.TransparentSet(), loaded.data.TransparentSet());
    EXPECT_EQ(loaded.data.FixedSet().SystemName[0], "d'une balle");
    EXPECT_EQ(loaded.data.MarkColor(1), 0x123456u);
    EXPECT_DOUBLE_EQ(loaded.data.RequiredDuration(), saved.data.RequiredDuration());
    EXPECT_EQ(loaded.video.Mode(), video::vmTransparentPointing);
    EXPECT_EQ(loaded.video.CurrentRawFrame(), saved.video.CurrentRawFrame());
    ASSERT_EQ(loaded.formules.FormulaCount(), 1);
    EXPECT_EQ(loaded.formules.Formula(0).expression, "0.5*vx^2");
    EXPECT_FALSE(loaded.data.Undo()); // the study as read is where undo starts
}

TEST_F(StudyCommandsTest, SectionsAndKeysAreWrittenInTheirOrderAndSpelling)
{
    TStudyBench b;
    BuildStudy(b);
    const std::string path = tmp.File("keys.kvl");
    ASSERT_EQ(SaveTo(b, path), kStudySaved);
    const std::string text = ReadAll(path);
    std::size_t at = 0;
    for (const char* piece : { "[Main]", "Version=351000", "VideoFileName=", "[Data]", "RequiredDuration=",
             "MarkVisibiltiesNumber=", "DirectYAxisDirection_Grid=", "LayerStage=0", "ScalePointsNumber=",
             "MarksNumberPosition_Grid=", "MarkXCoordinate_Grid_0_1=", "MarksNumberPosition_Layer=", "[Video]",
             "ImageNumber=", "MarkingMode=1", "[Montage]", "VisibleImagesNumber=20", "[Formules]" }) {
        const std::size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece << " after " << at << "\n" << text;
        at = found;
    }
    EXPECT_NE(text.find("VideoFileName=" + videoPath), std::string::npos);
}

TEST_F(StudyCommandsTest, ModelsChosenOnTheCurvesComeBackWithTheStudy)
{
    TStudyBench saved;
    BuildStudy(saved);
    const std::string path = tmp.File("modèles.kvl");
    ASSERT_EQ(SaveTo(saved, path), kStudySaved);
    EXPECT_FALSE(saved.commands.Modified());
    // A model chosen after the save is a change of the study.
    saved.models.Set(graph::TimeCurveKey(0, "y", 0), { 4, {} });
    saved.models.Set(graph::TimeCurveKey(0, "x", 1), { 0, { 0.5, 1.6 } });
    EXPECT_TRUE(saved.commands.Modified());
    ASSERT_EQ(saved.commands.Save(), kStudySaved);
    EXPECT_FALSE(saved.commands.Modified());
    const std::string text = ReadAll(path);
    std::size_t at = 0;
    for (const char* piece :
        { "[Modeles]", "ModelesNumber=2", "ModeleCourbe_0=Temps 0 x 1", "ModeleType_0=0", "ModeleParametresNumber_0=2",
            "ModeleParametre_0_1=1.6", "ModeleCourbe_1=Temps 0 y 0", "ModeleType_1=4" }) {
        const std::size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece << "\n" << text;
        at = found;
    }
    TStudyBench loaded;
    loaded.models.Set("Temps 0 vx 0", { 6, {} }); // the study loaded before goes
    ASSERT_EQ(LoadStudyFile(path, loaded.parts), kStudyLoaded);
    EXPECT_EQ(loaded.models.All(), saved.models.All());

    // A study written before models were kept has no such section: it loads as it always did.
    const std::string older = tmp.File("ancien.kvl");
    WriteAll(older, text.substr(0, text.find("[Modeles]")));
    TStudyBench old;
    TStudyLoadReport report;
    ASSERT_EQ(LoadStudyFile(older, old.parts, &report), kStudyLoaded) << report.problems.size();
    EXPECT_TRUE(old.models.Empty());
    ExpectSameMarks(saved.data.FixedSet(), old.data.FixedSet());
    // Opening a video starts a study without models.
    loaded.commands.MarkUnmodified();
    ASSERT_TRUE(loaded.commands.OpenVideo(videoPath)) << loaded.dlg.LastRun().JoinedText();
    EXPECT_TRUE(loaded.models.Empty());
}

TEST_F(StudyCommandsTest, KeysOfALargerEarlierSaveStayInTheFileAndAreNeverRead)
{
    const std::string path = tmp.File("over.kvl");
    {
        TStudyBench big;
        BuildStudy(big);
        ASSERT_EQ(SaveTo(big, path), kStudySaved);
    }
    TStudyBench small;
    ASSERT_TRUE(small.commands.OpenVideo(videoPath));
    small.Click(0.3, 0.3);
    small.dlg.Script(1); // "Ok": replace the file
    ASSERT_EQ(SaveTo(small, path), kStudySaved);
    EXPECT_EQ(small.dlg.Runs()[0].Texts().back(), "Un fichier portant le même nom existe déjà. Le remplacer ?");
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("MarksContainerFrameNumber_Grid_3="), std::string::npos);
    EXPECT_NE(text.find("MarksContainersNumber_Grid=1"), std::string::npos);

    TStudyBench reader;
    ASSERT_TRUE(reader.commands.OpenStudy(path));
    EXPECT_EQ(reader.data.FixedSet().AllMarks.size(), 1u);
    EXPECT_EQ(reader.data.ObjectsPerFrame(), 1);
}

TEST_F(StudyCommandsTest, SaveRefusalsAndFailuresLeaveTheFileAsItWas)
{
    TStudyBench b;
    EXPECT_EQ(b.commands.Save(), kStudyNoVideo);
    EXPECT_EQ(b.dlg.LastRun().Texts(), (std::vector<std::string> { "Ouvrir d'abord un fichier vidéo." }));
    EXPECT_EQ(b.dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_TRUE(b.desktop.saveRequests.empty());

    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    EXPECT_EQ(b.commands.Save(), kStudyCancelled); // the dialog was cancelled
    const TFileDialogRequest& request = b.desktop.saveRequests.back();
    EXPECT_EQ(request.title, "Enregistrer un travail dans un fichier KVL");
    EXPECT_EQ(request.filter, "Fichier Kinoval (*.kvl)");
    EXPECT_EQ(request.defaultExtension, "kvl");
    EXPECT_EQ(request.proposedName, "clip.kvl");
    EXPECT_FALSE(request.confirmOverwrite); // the command asks about replacing a file itself, once

    // Whatever extension is typed, the study gets ".kvl".
    ASSERT_EQ(SaveTo(b, tmp.File("notes.txt")), kStudySaved);
    EXPECT_TRUE(fs::exists(tmp.File("notes.kvl")));
    EXPECT_FALSE(fs::exists(tmp.File("notes.txt")));

    // "Annuler" on the overwrite question keeps the old file.
    WriteAll(tmp.File("keep.kvl"), "[Main]\nVersion=1\n");
    b.dlg.Script(0);
    EXPECT_EQ(SaveTo(b, tmp.File("keep.kvl")), kStudyCancelled);
    EXPECT_EQ(ReadAll(tmp.File("keep.kvl")), "[Main]\nVersion=1\n");

    // A folder that does not exist: the failure is reported, not the success.
    b.dlg.ClearRuns();
    EXPECT_EQ(SaveTo(b, tmp.File("missing/folder/x.kvl")), kStudyWriteFailed);
    ASSERT_EQ(b.dlg.RunCount(), 1u);
    EXPECT_EQ(b.dlg.LastRun().Texts().front(), "La sauvegarde du fichier a échoué.");
}

TEST_F(StudyCommandsTest, ConfirmationsNeverLoseTheStudyWhenItsSaveFails)
{
    TStudyBench b;
    EXPECT_TRUE(b.commands.ConfirmBeforeOpening()); // nothing open: no question
    EXPECT_EQ(b.dlg.RunCount(), 0u);
    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    b.Click(0.2, 0.2);

    b.dlg.Script(0); // "Enregistrer", then the save dialog is cancelled
    EXPECT_FALSE(b.commands.ConfirmBeforeOpening());
    EXPECT_EQ(b.dlg.Runs()[0].Captions(), (std::vector<std::string> { "Enregistrer", "Annuler", "Ignorer" }));
    EXPECT_EQ(b.dlg.Runs()[0].Texts()[2], "Annuler l'ouverture");
    b.dlg.Script(0); // "Enregistrer" again, the save fails this time
    EXPECT_FALSE(b.commands.OpenVideo(videoPath));
    EXPECT_EQ(b.data.MarkCount(), 1);
    b.desktop.saveAnswers.push_back(tmp.File("missing/x.kvl"));
    b.dlg.Script(0);
    EXPECT_FALSE(b.commands.ConfirmBeforeClosing());
    EXPECT_EQ(b.data.MarkCount(), 1);

    b.dlg.Script(1); // Annuler
    EXPECT_FALSE(b.commands.ConfirmBeforeClosing());
    b.dlg.Script(2); // Quitter
    EXPECT_TRUE(b.commands.ConfirmBeforeClosing());
    EXPECT_EQ(b.dlg.LastRun().Captions(), (std::vector<std::string> { "Enregistrer", "Annuler", "Quitter" }));
    // A successful save goes on.
    b.desktop.saveAnswers.push_back(tmp.File("ok.kvl"));
    b.dlg.Script(0);
    EXPECT_TRUE(b.commands.ConfirmBeforeOpening());
    EXPECT_TRUE(fs::exists(tmp.File("ok.kvl")));

    b.options.askToSaveOnOpen = false;
    b.dlg.ClearRuns();
    EXPECT_TRUE(b.commands.ConfirmBeforeOpening());
    EXPECT_EQ(b.dlg.RunCount(), 0u);
}

TEST_F(StudyCommandsTest, OpeningAVideoResetsTheStudyOrExplainsTheFailure)
{
    TStudyBench b;
    b.options.askToSaveOnOpen = false;
    EXPECT_FALSE(b.commands.OpenVideo(tmp.File("nowhere.avi")));
    EXPECT_EQ(b.dlg.LastRun().icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(b.dlg.LastRun().lines[0].colour, clBlue);
    EXPECT_EQ(b.dlg.LastRun().Texts()[2], "Impossible d'ouvrir ce fichier vidéo.");
    EXPECT_EQ(b.dlg.LastRun().Texts()[3], "Vérifier qu'il n'a pas été déplacé.");

    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    b.Click(0.2, 0.2);
    EXPECT_EQ(b.data.MarkCount(), 1);
    b.formules.AddConstant("m", "0.1");
    b.formules.AddFormula("p = m*v");
    EXPECT_DOUBLE_EQ(b.data.RequiredDuration(), b.video.FrameDuration());
    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    EXPECT_EQ(b.data.MarkCount(), 0);
    // The formulas belonged to the study given up.
    EXPECT_EQ(b.formules.FormulaCount(), 0);
    EXPECT_EQ(b.formules.ConstantCount(), 0);
    EXPECT_DOUBLE_EQ(b.data.RequiredDuration(), b.video.FrameDuration());
    EXPECT_EQ(b.mru.Directory, fs::path(videoPath).parent_path().string());

    bool failed = false;
    b.commands.videoOpenFailed = [&] { failed = true; };
    b.factory.video.width = 0; // a frame of no size: every reader refuses it
    EXPECT_FALSE(b.commands.OpenVideo(videoPath));
    EXPECT_TRUE(failed);
    EXPECT_EQ(b.dlg.LastRun().Texts()[2], "Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :");

    b.commands.isRecording = [] { return true; };
    b.dlg.ClearRuns();
    EXPECT_FALSE(b.commands.OpenVideo(videoPath));
    EXPECT_EQ(b.dlg.RunCount(), 1u);
}

// A phone's video of varying frame durations opens like any other and the user is told so once, as
// information; a study whose time follows the frames' own times keeps that choice through a save and a
// load, and its instants are the frames' times.
TEST_F(StudyCommandsTest, AVariableFrameRateIsToldOnceAndTheStudyMayFollowTheFramesTimes)
{
    SetDecimalSeparator(',');
    const auto phone = [](TStudyBench& bench) {
        bench.options.askToSaveOnOpen = false;
        bench.factory.video.frames = 6;
        bench.factory.video.fps = 1 / 0.034;
        bench.factory.video.frameTimes = { 0, 0.033, 0.070, 0.100, 0.141, 0.170 };
        bench.factory.video.variable = true;
    };
    TStudyBench b;
    phone(b);
    b.dlg.ClearRuns();
    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    ASSERT_EQ(b.dlg.RunCount(), 1u);
    EXPECT_EQ(b.dlg.LastRun().icon, TUserDlgIcon::icInformation);
    EXPECT_EQ(b.dlg.LastRun().Texts(),
        (std::vector<std::string> { "La durée d'affichage des images de cette vidéo est variable.",
            "Durée moyenne d'une image : 0,034 s.",
            "Le temps des mesures peut suivre l'instant de chaque image : cocher « Temps selon l'horodatage des "
            "images » dans « Mesures », « Temps entre deux images... »." }));
    EXPECT_FALSE(b.data.TimeFromTimestamps());

    b.data.SetTimeFromTimestamps(true);
    b.video.GoToFrame(1);
    b.Click(0.1, 0.1); // frame 1, the view moves on to frame 2
    b.Click(0.2, 0.1);
    b.video.GoToFrame(4);
    b.Click(0.4, 0.1);
    const std::string study = tmp.File("phone.kvl");
    ASSERT_EQ(SaveTo(b, study), 0);

    TStudyBench other;
    phone(other);
    ASSERT_EQ(LoadStudyFile(study, other.parts), kStudyLoaded);
    EXPECT_TRUE(other.data.TimeFromTimestamps());
    TMeasurement m;
    other.data.ExportMeasurement(TMarkSet::Fixed, m);
    ASSERT_EQ(m.times.size(), 3u);
    EXPECT_DOUBLE_EQ(m.times[1], 0.070 - 0.033);
    EXPECT_DOUBLE_EQ(m.times[2], 0.141 - 0.033);

    // A video whose frames all last the same time says nothing.
    b.factory.video.variable = false;
    b.factory.video.frameTimes.clear();
    b.dlg.ClearRuns();
    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    EXPECT_EQ(b.dlg.RunCount(), 0u);
}

TEST_F(StudyCommandsTest, AStudyIsSavedAgainToItsOwnFileWithoutADialog)
{
    const std::string path = tmp.File("chute.kvl");
    TStudyBench b;
    std::vector<std::string> saved;
    b.commands.studySaved = [&](const std::string& name) { saved.push_back(name); };
    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    EXPECT_EQ(b.commands.StudyPath(), "");
    b.Click(0.2, 0.2);
    ASSERT_EQ(SaveTo(b, path), kStudySaved);
    EXPECT_EQ(b.commands.StudyPath(), path);
    EXPECT_FALSE(b.commands.Modified());

    // The second save goes to the same file: no dialog, no question, no box.
    b.Click(0.3, 0.3);
    EXPECT_TRUE(b.commands.Modified());
    const std::size_t requests = b.desktop.saveRequests.size();
    b.dlg.ClearRuns();
    ASSERT_EQ(b.commands.Save(), kStudySaved);
    EXPECT_EQ(b.desktop.saveRequests.size(), requests);
    EXPECT_EQ(b.dlg.RunCount(), 0u);
    EXPECT_EQ(saved, (std::vector<std::string> { path, path }));
    EXPECT_FALSE(b.commands.Modified());

    // A study opened from its file has that file; "Enregistrer sous..." still asks.
    TStudyBench again;
    ASSERT_TRUE(again.commands.OpenStudy(path));
    EXPECT_EQ(again.commands.StudyPath(), path);
    EXPECT_FALSE(again.commands.Modified());
    EXPECT_EQ(again.data.FixedSet().AllMarks.size(), 2u);
    again.Click(0.4, 0.4);
    ASSERT_EQ(again.commands.Save(), kStudySaved);
    EXPECT_TRUE(again.desktop.saveRequests.empty());
    again.desktop.saveAnswers.push_back(tmp.File("copie.kvl"));
    ASSERT_EQ(again.commands.SaveAs(), kStudySaved);
    EXPECT_EQ(again.desktop.saveRequests.back().proposedName, "chute.kvl");
    EXPECT_EQ(again.commands.StudyPath(), tmp.File("copie.kvl"));
    TStudyBench third;
    ASSERT_TRUE(third.commands.OpenStudy(path));
    EXPECT_EQ(third.data.FixedSet().AllMarks.size(), 3u);

    // A new video is a new study, without a file of its own.
    ASSERT_TRUE(third.commands.OpenVideo(videoPath));
    EXPECT_EQ(third.commands.StudyPath(), "");
}

TEST_F(StudyCommandsTest, AnUnchangedStudyIsGivenUpWithoutAQuestion)
{
    TStudyBench b;
    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    EXPECT_FALSE(b.commands.Modified());
    EXPECT_TRUE(b.commands.ConfirmBeforeClosing());
    EXPECT_TRUE(b.commands.ConfirmBeforeOpening());
    EXPECT_EQ(b.dlg.RunCount(), 0u);

    // A name, a colour, a hidden frame: each is kept with the study, so each asks.
    b.data.SetObjectName(0, "d'une bille");
    EXPECT_TRUE(b.commands.Modified());
    b.dlg.Script(1); // Annuler
    EXPECT_FALSE(b.commands.ConfirmBeforeClosing());
    b.commands.MarkUnmodified();
    b.data.SetObjectName(0, "d'une bille"); // the same name again changes nothing
    b.data.SetMarkColor(0, b.data.MarkColor(0));
    EXPECT_FALSE(b.commands.Modified());
    b.data.SetMarkColor(0, 0x00FF00);
    EXPECT_TRUE(b.commands.Modified());
    b.commands.MarkUnmodified();
    ASSERT_TRUE(b.montage.SetFrameVisible(4, false));
    EXPECT_TRUE(b.commands.Modified());

    // A formula or a constant is part of the study; a refused one changes nothing.
    b.commands.MarkUnmodified();
    EXPECT_FALSE(b.formules.TryAddFormula("2a = 1").accepted);
    EXPECT_FALSE(b.commands.Modified());
    ASSERT_TRUE(b.formules.TryAddConstant("m", "0.1").accepted);
    EXPECT_TRUE(b.commands.Modified());
    b.commands.MarkUnmodified();
    ASSERT_TRUE(b.formules.TryChangeConstant(0, "m", "0.1", "kg", "").accepted);
    EXPECT_TRUE(b.commands.Modified());
}

TEST_F(StudyCommandsTest, AFileNoPlayerReadsLeavesTheStudyAndItsVideoAsTheyWere)
{
    TStudyBench b;
    b.options.askToSaveOnOpen = false;
    ASSERT_TRUE(b.commands.OpenVideo(videoPath));
    for (int i = 0; i < 3; ++i)
        b.Click(0.2 + 0.1 * i, 0.3);
    b.video.GoToFrame(5);
    b.data.SetTimeBetweenFrames(0.125);
    const std::string text = tmp.File("lettre.avi");
    WriteAll(text, "Ceci n'est pas une vidéo.");
    b.factory.video.width = 0; // no reader takes the new file

    EXPECT_FALSE(b.commands.OpenVideo(text));
    EXPECT_TRUE(b.video.IsOpened());
    EXPECT_EQ(b.video.FileName(), videoPath);
    EXPECT_EQ(b.video.CurrentRawFrame(), 5);
    EXPECT_EQ(b.data.MarkCount(), 3);
    EXPECT_DOUBLE_EQ(b.data.RequiredDuration(), 0.125);
    EXPECT_TRUE(b.commands.Modified());
    const auto lines = b.dlg.LastRun().Texts();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], text);
    EXPECT_EQ(lines[2], "Impossible d'ouvrir ce fichier vidéo. Problèmes possibles et suggestions :");
    EXPECT_EQ(lines[3], "Aucun des lecteurs vidéo (AVI, GStreamer, FFmpeg) ne reconnaît le contenu de ce fichier.");
}

TEST_F(StudyCommandsTest, TheFailureBoxSaysWhatTheFileIs)
{
    fs::create_directories(tmp.File("dossier.avi"));
    EXPECT_EQ(OpenFailureReasons(tmp.File("dossier.avi"), "").front(),
        "Ce nom est celui d'un dossier, pas d'un fichier vidéo.");
    EXPECT_EQ(OpenFailureReasons("/dev/null", "").front(),
        "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre).");
    WriteAll(tmp.File("vide.mp4"), "");
    EXPECT_EQ(
        OpenFailureReasons(tmp.File("vide.mp4"), "").front(), "Le fichier est vide : il ne contient aucune image.");
    // A player that explains itself is heard; one that explains nothing is not repeated.
    EXPECT_EQ(
        OpenFailureReasons(videoPath, "Une image est abîmée"), (std::vector<std::string> { "Une image est abîmée" }));
    const auto unlisted = OpenFailureReasons(videoPath, "Erreur non répertoriée");
    ASSERT_EQ(unlisted.size(), 3u);
    EXPECT_EQ(unlisted[0], "Aucun des lecteurs vidéo (AVI, GStreamer, FFmpeg) ne reconnaît le contenu de ce fichier.");

    // A folder is not said to have moved.
    TStudyBench b;
    EXPECT_FALSE(b.commands.OpenVideo(tmp.File("dossier.avi")));
    EXPECT_EQ(b.dlg.LastRun().Texts()[3], "Ce nom est celui d'un dossier, pas d'un fichier vidéo.");
}

TEST(OpenFileFilter, OffersEveryKindReadThenAllFiles)
{
    const std::string filter = DialogFilterOf(OpenFileFilter());
    EXPECT_EQ(filter.rfind("Tous les fichiers pris en charge (*.avi *.mpg ", 0), 0u) << filter;
    for (const char* ext :
        { "*.mkv", "*.webm", "*.m4v", "*.3gp", "*.mts", "*.m2ts", "*.ts", "*.ogv", "*.flv", "*.kvl" })
        EXPECT_NE(filter.find(ext), std::string::npos) << ext;
    EXPECT_NE(filter.find(";;Fichier vidéo (*.avi "), std::string::npos);
    EXPECT_NE(filter.find(";;Fichier Kinoval (*.kvl);;"), std::string::npos);
    EXPECT_TRUE(filter.ends_with(";;Tous les fichiers (*)")) << filter;
}

TEST_F(StudyCommandsTest, AStudyWhoseVideoMovedStillLoadsAndNamesTheMissingFile)
{
    const std::string path = tmp.File("moved.kvl");
    {
        TStudyBench b;
        BuildStudy(b);
        ASSERT_EQ(SaveTo(b, path), kStudySaved);
    }
    fs::remove(videoPath);
    TStudyBench b;
    ASSERT_TRUE(b.commands.OpenStudy(path));
    ASSERT_EQ(b.dlg.RunCount(), 1u);
    EXPECT_EQ(b.dlg.LastRun().lines[0].text, videoPath);
    EXPECT_EQ(b.dlg.LastRun().Texts()[2], "Le fichier vidéo de ce travail est introuvable.");
    EXPECT_EQ(b.data.FixedSet().AllMarks.size(), 8u);
    EXPECT_FALSE(b.video.IsOpened());
}

TEST_F(StudyCommandsTest, TruncatedAndGarbledFilesNeverBreakTheDocument)
{
    const std::string path = tmp.File("good.kvl");
    {
        TStudyBench b;
        BuildStudy(b);
        ASSERT_EQ(SaveTo(b, path), kStudySaved);
    }
    const std::string good = ReadAll(path);
    const std::string damaged = tmp.File("damaged.kvl");
    std::mt19937 random(7);
    TStudyBench b;
    for (int round = 0; round < 120; ++round) {
        std::string text = good.substr(0, random() % good.size());
        if (round % 2 == 1) {
            text = good;
            for (int k = 0; k < 12; ++k)
                text[random() % text.size()] = "=[]\n-9x,.\0"[random() % 10];
        }
        WriteAll(damaged, text);
        const int code = LoadStudyFile(damaged, b.parts);
        EXPECT_GE(code, kStudyLoaded);
        EXPECT_LE(code, kStudyVideoUnreadable);
        // Whatever was read, the document stays usable.
        for (const auto& mark : b.data.FixedSet().AllMarks)
            EXPECT_NE(mark->Container, nullptr);
        b.data.RefreshScreenPositions();
        TMeasurement m;
        b.data.ExportMeasurement(TMarkSet::Fixed, m);
    }
    WriteAll(damaged, "not a study at all");
    EXPECT_EQ(LoadStudyFile(damaged, b.parts), kStudyNotAStudy);
    EXPECT_EQ(LoadStudyFile(tmp.File("absent.kvl"), b.parts), kStudyUnreadable);
    b.dlg.ClearRuns();
    b.options.askToSaveOnOpen = false;
    EXPECT_FALSE(b.commands.OpenStudy(damaged));
    EXPECT_EQ(b.dlg.LastRun().Texts()[2], "Ce fichier n'est pas un travail Kinoval lisible.");
}

TEST_F(StudyCommandsTest, HiddenAndMissingFramesComeBackWithTheStudy)
{
    const std::string path = tmp.File("montage.kvl");
    TMeasurement before;
    {
        TStudyBench b;
        ASSERT_TRUE(b.commands.OpenVideo(videoPath));
        for (int i = 0; i < 6; ++i)
            b.Click(0.1 + 0.1 * i, 0.5);
        ASSERT_TRUE(b.montage.SetFrameVisible(8, false));
        b.video.GoToFrameOfRaw(3);
        ASSERT_TRUE(b.montage.ShiftInstant(1));
        b.data.ExportMeasurement(TMarkSet::Fixed, before);
        ASSERT_EQ(SaveTo(b, path), kStudySaved);
    }
    TStudyBench b;
    ASSERT_TRUE(b.commands.OpenStudy(path));
    EXPECT_FALSE(b.montage.IsVisible(8));
    EXPECT_EQ(b.montage.MissingFrameCount(), 1);
    TMeasurement after;
    b.data.ExportMeasurement(TMarkSet::Fixed, after);
    EXPECT_EQ(after.times, before.times);
    EXPECT_EQ(after.frames, before.frames);
}

// The text of a study with one line changed: the first line starting with key gets value.
std::string WithValue(std::string text, const std::string& key, const std::string& value)
{
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return text;
    const std::size_t end = text.find('\n', at + 1);
    return text.replace(at + 1, end - at - 1, key + "=" + value);
}

std::string WithoutLine(std::string text, const std::string& key)
{
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return text;
    const std::size_t end = text.find('\n', at + 1);
    return text.erase(at + 1, end - at);
}

class DamagedStudyTest : public StudyCommandsTest {
protected:
    // Two objects on thirteen frames: twenty-six marks, as a pointed throw has.
    std::string SaveThirteenFrames(const std::string& name)
    {
        TStudyBench b;
        EXPECT_TRUE(b.commands.OpenVideo(videoPath));
        b.data.SetObjectsPerFrame(2);
        for (int i = 0; i < 13; ++i) {
            b.Click(0.05 + 0.05 * i, 0.3);
            b.Click(0.05 + 0.05 * i, 0.6);
        }
        EXPECT_EQ(b.data.MarkCount(), 26);
        const std::string path = tmp.File(name);
        EXPECT_EQ(SaveTo(b, path), kStudySaved);
        return path;
    }
};

TEST_F(DamagedStudyTest, ALostLineCostsItsOwnEntryOnlyAndTheLossIsCounted)
{
    const std::string path = SaveThirteenFrames("lost.kvl");
    const std::string damaged = tmp.File("lost-line.kvl");
    WriteAll(damaged, WithoutLine(ReadAll(path), "MarksContainerFrameNumber_Grid_5"));
    TStudyBench b;
    TStudyLoadReport report;
    EXPECT_EQ(LoadStudyFile(damaged, b.parts, &report), kStudyDamaged);
    EXPECT_EQ(b.data.MarkCount(), 24); // the two marks of that frame, not the twenty-one after it
    EXPECT_EQ(b.data.MarksOnFrame(12), 2);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0],
        "La liste des marques est incomplète : 24 marque(s) lue(s) sur 26 annoncée(s). 1 image(s) pointée(s) sans "
        "numéro d'image lisible.");

    // The window says it, with the file's name, before the user trusts the table.
    b.options.askToSaveOnOpen = false;
    b.dlg.ClearRuns();
    ASSERT_TRUE(b.commands.OpenStudy(damaged));
    ASSERT_EQ(b.dlg.RunCount(), 1u);
    const auto& run = b.dlg.LastRun();
    EXPECT_EQ(run.icon, TUserDlgIcon::icWarning);
    EXPECT_EQ(run.lines[0].text, damaged);
    EXPECT_EQ(run.Texts()[2], "Ce travail a été chargé, mais pas tel qu'il a été enregistré :");
    EXPECT_EQ(run.lines[3].kind, lkBullet);
    EXPECT_EQ(run.Texts()[3], report.problems[0]);
}

TEST_F(DamagedStudyTest, AnUnreadableCoordinateDropsItsMarkAndNamesTheFrame)
{
    const std::string path = SaveThirteenFrames("nan.kvl");
    std::string text = WithValue(ReadAll(path), "MarkXCoordinate_Grid_3_1", "nan");
    text = WithValue(text, "MarkYCoordinate_Grid_7_0", "0,2,5");
    const std::string damaged = tmp.File("nan-damaged.kvl");
    WriteAll(damaged, text);
    TStudyBench b;
    TStudyLoadReport report;
    EXPECT_EQ(LoadStudyFile(damaged, b.parts, &report), kStudyDamaged);
    EXPECT_EQ(b.data.MarkCount(), 24);
    EXPECT_EQ(b.data.MarksOnFrame(3), 1);
    for (const document::TMarque* mark : b.data.FixedSet().AllMarks) {
        EXPECT_NE(mark->GetImage().x, 0); // nothing placed at (0, 0)
        EXPECT_NE(mark->GetImage().y, 0);
    }
    const std::vector<std::string> expected {
        "Une marque de l'image n° 4 a des coordonnées illisibles : elle a été écartée.",
        "Une marque de l'image n° 8 a des coordonnées illisibles : elle a été écartée.",
    };
    EXPECT_EQ(report.problems, expected);
}

TEST_F(DamagedStudyTest, MarksOnFramesTheVideoDoesNotHaveStayButTakeNoPartInTheResults)
{
    const std::string path = SaveThirteenFrames("outside.kvl");
    std::string text = WithValue(ReadAll(path), "MarksContainerFrameNumber_Grid_0", "-3");
    text = WithValue(text, "MarksContainerFrameNumber_Grid_12", "40"); // the video has 20 frames
    const std::string damaged = tmp.File("outside-damaged.kvl");
    WriteAll(damaged, text);
    TStudyBench b;
    TStudyLoadReport report;
    EXPECT_EQ(LoadStudyFile(damaged, b.parts, &report), kStudyDamaged);
    EXPECT_EQ(b.data.MarkCount(), 26); // kept: a save gives them back
    EXPECT_EQ(b.data.MarksInVideo(TMarkSet::Fixed), 22);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0],
        "4 marque(s) sur des images que la vidéo n'a pas (n° -2 à 41, la vidéo en a 20) : elles restent dans le "
        "travail mais sont écartées des résultats.");
    TMeasurement m;
    b.data.ExportMeasurement(TMarkSet::Fixed, m);
    ASSERT_EQ(m.times.size(), 11u);
    EXPECT_DOUBLE_EQ(m.times[0], 0); // the first frame the video has starts the time, not frame -3
    EXPECT_EQ(m.frames[0][0], 0);
    // The numbers beside the marks count the frames the video has first.
    EXPECT_EQ(b.data.FixedSet().FindContainer(1)->MarksContainerMarkNumber, 0);
    EXPECT_EQ(SmallestMarkCount(b.data), 11);
}

TEST_F(DamagedStudyTest, AStudyReopenedOnAnotherVideoSaysSo)
{
    const std::string path = SaveThirteenFrames("other.kvl");
    EXPECT_NE(ReadAll(path).find("VideoImagesNumber=20\nVideoWidth=640\nVideoHeight=480\n"), std::string::npos);
    TStudyBench b;
    b.factory.video = test::TSyntheticVideo::Uniform(320, 240, 12, 10, 20, 30);
    b.video.Resize(320, 240);
    TStudyLoadReport report;
    EXPECT_EQ(LoadStudyFile(path, b.parts, &report), kStudyDamaged);
    const std::vector<std::string> expected {
        "2 marque(s) sur des images que la vidéo n'a pas (n° 13 à 13, la vidéo en a 12) : elles restent dans le "
        "travail mais sont écartées des résultats.",
        "Le montage enregistré a été fait sur une vidéo d'un autre nombre d'images : il a été ignoré.",
        "La vidéo n'a pas le même nombre d'images que celle sur laquelle le travail a été pointé (12 au lieu de 20) : "
        "des marques peuvent ne plus tomber sur les bonnes images.",
        "La vidéo n'a pas la même taille d'image que celle sur laquelle le travail a été pointé (320 × 240 pixels au "
        "lieu de 640 × 480).",
    };
    EXPECT_EQ(report.problems, expected);
}

TEST_F(DamagedStudyTest, AVideoThatIsThereButCannotBeOpenedIsNotCalledMissing)
{
    const std::string path = SaveThirteenFrames("undecodable.kvl");
    TStudyBench b;
    b.factory.video.width = 0; // every reader refuses it
    b.options.askToSaveOnOpen = false;
    TStudyLoadReport report;
    EXPECT_EQ(LoadStudyFile(path, b.parts, &report), kStudyVideoUnreadable);
    EXPECT_EQ(b.data.MarkCount(), 26);
    b.dlg.ClearRuns();
    ASSERT_TRUE(b.commands.OpenStudy(path));
    ASSERT_EQ(b.dlg.RunCount(), 1u);
    EXPECT_EQ(b.dlg.LastRun().lines[0].text, videoPath);
    EXPECT_EQ(b.dlg.LastRun().Texts()[2], "Le fichier vidéo de ce travail existe, mais il n'a pas pu être ouvert :");
    EXPECT_FALSE(b.dlg.LastRun().Texts()[3].empty());

    // A folder where the video was is not a missing file either.
    fs::remove(videoPath);
    fs::create_directory(videoPath);
    EXPECT_EQ(LoadStudyFile(path, b.parts, &report), kStudyVideoUnreadable);
    EXPECT_EQ(report.videoReason, "C'est un dossier, pas un fichier.");
}

TEST_F(DamagedStudyTest, PathsThatAreNoStudyAreRefusedAtOnceAndSayWhy)
{
    TStudyBench b;
    b.options.askToSaveOnOpen = false;
    const std::string fifo = tmp.File("pipe.kvl");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = tmp.File("huge.kvl");
    WriteAll(huge, "[Main]\nVersion=351000\n");
    fs::resize_file(huge, 65 * 1024 * 1024); // sparse: no disk is used
    WriteAll(tmp.File("empty.kvl"), "");
    const std::pair<std::string, std::string> cases[] = {
        { "/dev/zero", "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre)." },
        { fifo, "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre)." },
        { tmp.Path().string(), "C'est un dossier, pas un fichier." },
        { huge, "Le fichier dépasse la taille admise (64 Mo)." },
        { tmp.File("empty.kvl"), "Le fichier est vide." },
    };
    for (const auto& [path, reason] : cases) {
        TStudyLoadReport report;
        EXPECT_GE(LoadStudyFile(path, b.parts, &report), kStudyUnreadable) << path;
        EXPECT_EQ(report.fileReason, reason) << path;
    }
    // The open command names the reason too, not "moved".
    b.dlg.ClearRuns();
    EXPECT_FALSE(b.commands.OpenStudy(fifo));
    EXPECT_EQ(b.dlg.LastRun().Texts()[2], "Impossible d'ouvrir ce fichier.");
    EXPECT_EQ(
        b.dlg.LastRun().Texts()[3], "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre).");
    EXPECT_FALSE(b.commands.OpenStudy(huge));
    EXPECT_EQ(b.dlg.LastRun().Texts()[3], "Le fichier dépasse la taille admise (64 Mo).");
}

TEST_F(DamagedStudyTest, AValueTheFileCannotHoldFailsTheSaveAndKeepsTheOldFile)
{
    const std::string path = SaveThirteenFrames("kept.kvl");
    const std::string before = ReadAll(path);
    // A video whose name holds a line break: the study file cannot keep it on one line.
    const std::string odd = tmp.File("clip\nsuite.avi");
    WriteAll(odd, "synthetic");
    TStudyBench b;
    ASSERT_TRUE(b.commands.OpenVideo(odd));
    b.Click(0.5, 0.5);
    b.dlg.Script(1); // "Ok": replace the file
    EXPECT_EQ(SaveTo(b, path), kStudyWriteFailed);
    EXPECT_EQ(ReadAll(path), before); // byte for byte: no new marks beside the old video's name
    const auto& run = b.dlg.LastRun();
    EXPECT_EQ(run.icon, TUserDlgIcon::icError);
    EXPECT_EQ(run.Texts()[0], "La sauvegarde du fichier a échoué.");
    EXPECT_EQ(run.Texts()[1],
        "Le nom de la vidéo contient un retour à la ligne, qu'un fichier de travail ne peut pas garder : "
            + tmp.File("clip\\x0Asuite.avi"));
    EXPECT_TRUE(b.commands.LastSaved().empty());
    // An object's name with a line break fails it the same way.
    TStudyBench named;
    ASSERT_TRUE(named.commands.OpenVideo(videoPath));
    named.data.SetObjectName(0, "la balle\nrouge");
    named.dlg.Script(1);
    EXPECT_EQ(SaveTo(named, path), kStudyWriteFailed);
    EXPECT_EQ(named.dlg.LastRun().Texts()[1],
        "Une valeur contient un retour à la ligne, qu'un fichier de travail ne peut pas garder (clé "
        "SystemName_Grid_0).");
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(DamagedStudyTest, FormulaCountsAreCappedAndMissingEntriesCounted)
{
    const std::string path = SaveThirteenFrames("formulas.kvl");
    std::string text = WithValue(ReadAll(path), "FormulesNumber", "100000");
    text = WithValue(text, "ConstantesNumber", "2");
    text += "[Record]\nRecordFormuleIdentifier_0=E\nRecordFormulePhrase_0=x*2\nRecordFormulePhrase_3=y+1\n"
            "RecordConstIdentifier_0=m\nRecordConstValue_0=2\n";
    const std::string damaged = tmp.File("formulas-damaged.kvl");
    WriteAll(damaged, text);
    TStudyBench b;
    TStudyLoadReport report;
    EXPECT_EQ(LoadStudyFile(damaged, b.parts, &report), kStudyDamaged);
    ASSERT_EQ(b.formules.FormulaCount(), 2);
    EXPECT_EQ(b.formules.Formula(1).expression, "y+1");
    EXPECT_EQ(b.formules.ConstantCount(), 1);
    const std::vector<std::string> expected {
        "Le travail annonce 100000 formules, plus que les 1000 que le logiciel accepte : seules les premières sont "
        "lues.",
        "La liste des formules est incomplète : 2 formule(s) lue(s) sur 1000 annoncée(s).",
        "La liste des constantes est incomplète : 1 constante(s) lue(s) sur 2 annoncée(s).",
    };
    EXPECT_EQ(report.problems, expected);
}

// An interface in another language: every text through Tr comes back changed, so that any of them that
// reached the file would show.
std::string OtherLanguage(std::string_view french, std::string_view)
{
    return "[en] " + std::string(french);
}

struct TOtherLanguageInstalled {
    TOtherLanguageInstalled()
    {
        SetTranslator(&OtherLanguage);
        SetCurrentLanguage(TLanguage::English);
    }
    ~TOtherLanguageInstalled()
    {
        SetTranslator(nullptr);
        SetCurrentLanguage(TLanguage::French);
    }
};

TEST_F(StudyCommandsTest, AStudySavedInEitherLanguageIsTheSameFileAndReadsTheSameInTheOther)
{
    // The same study, built and saved once per language: default names (the second object keeps its own),
    // a formula and a constant with neither comment nor unit typed.
    auto build = [this](TStudyBench& b) {
        BuildStudy(b);
        b.formules.AddFormula("E=0.5*vx^2");
        b.formules.AddConstant("m", "0.1", "", "");
    };
    const std::string english = tmp.File("english.kvl");
    const std::string french = tmp.File("french.kvl");
    {
        TOtherLanguageInstalled other;
        TStudyBench b(true);
        build(b);
        EXPECT_EQ(document::ShownObjectName(b.data.FixedSet().SystemName[1]), "[en] du point n°2");
        ASSERT_EQ(SaveTo(b, english), kStudySaved);
        EXPECT_EQ(b.dlg.LastRun().Texts().front(), "[en] Le fichier a été enregistré avec succès :");
    }
    {
        TStudyBench b(true);
        build(b);
        ASSERT_EQ(SaveTo(b, french), kStudySaved);
    }
    const std::string text = ReadAll(english);
    EXPECT_EQ(text.find("[en]"), std::string::npos) << text;
    EXPECT_EQ(text, ReadAll(french));

    // Read in French, the English save has the French defaults: the naming hint still sees them.
    TStudyBench inFrench(true);
    ASSERT_TRUE(inFrench.commands.OpenStudy(english));
    EXPECT_EQ(inFrench.dlg.RunCount(), 0u) << inFrench.dlg.LastRun().JoinedText();
    EXPECT_EQ(inFrench.data.FixedSet().SystemName,
        (std::vector<std::string> { "d'une balle", document::DefaultObjectName(1) }));
    EXPECT_EQ(inFrench.data.TransparentSet().SystemName,
        (std::vector<std::string> { document::DefaultObjectName(0), document::DefaultObjectName(1) }));
    EXPECT_TRUE(inFrench.data.TransparentSet().HasDefaultNames());
    ASSERT_EQ(inFrench.formules.FormulaCount(), 1);
    EXPECT_EQ(inFrench.formules.Formula(0).comment, "pas de commentaire saisi");
    EXPECT_EQ(inFrench.formules.Formula(0).unit, "pas d'unité saisie");
    ASSERT_EQ(inFrench.formules.ConstantCount(), 1);
    EXPECT_EQ(inFrench.formules.Constant(0).unit, "pas d'unité saisie");

    // And back: read in English, the French save shows the defaults in English and keeps them when a
    // shown default is typed back.
    TOtherLanguageInstalled other;
    TStudyBench inEnglish(true);
    ASSERT_TRUE(inEnglish.commands.OpenStudy(french));
    ExpectSameMarks(inFrench.data.FixedSet(), inEnglish.data.FixedSet());
    EXPECT_TRUE(inEnglish.data.Axes().Equals(inFrench.data.Axes()));
    EXPECT_TRUE(inEnglish.data.Scale().Equals(inFrench.data.Scale()));
    EXPECT_EQ(formulas::ShownText(inEnglish.formules.Formula(0).comment), "[en] pas de commentaire saisi");
    EXPECT_EQ(formulas::StoredText("[en] pas d'unité saisie"), "pas d'unité saisie");
    EXPECT_EQ(formulas::StoredText("J"), "J");
    EXPECT_EQ(document::StoredObjectName(1, "[en] du point n°2"), "du point n°2");
    EXPECT_EQ(document::StoredObjectName(1, "[en] du point n°3"), "[en] du point n°3");
    EXPECT_EQ(document::ShownObjectName("du point n°12"), "[en] du point n°12");
    EXPECT_EQ(document::ShownObjectName("du point n°1b"), "du point n°1b"); // typed, not a default
    const std::string again = tmp.File("again.kvl");
    ASSERT_EQ(SaveTo(inEnglish, again), kStudySaved);
    EXPECT_EQ(ReadAll(again).find("[en]"), std::string::npos);
}

} // namespace
} // namespace kinoval::mainwindow
