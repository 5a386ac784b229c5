// A study pointed on the projectile sample through the real players, saved by the save command and read
// back by `kinoval-cli table`: the tool prints the table the program computes, hidden and missing frames
// included, and refuses incomplete studies with the program's own messages.
#include "core/document/data.h"
#include "core/export/serveur.h"
#include "core/export/workbook.h"
#include "core/formulas/formules.h"
#include "core/formulas/formules_calc.h"
#include "core/mainwindow/study_commands.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/results/number_format.h"
#include "core/results/results_set.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "media/ffmpeg_tool.h"
#include "media/player_factory.h"
#include "support/fake_desktop_services.h"
#include "support/run_command.h"
#include "support/sample_truth.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h" // the hand-fired timer
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <tuple>

#include <sys/stat.h>

#ifdef KINOVAL_SAMPLEGEN_PATH
namespace kinoval {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

class CliTable : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new test::TTempDir();
        test::RunCommand(std::string("'") + KINOVAL_SAMPLEGEN_PATH + "' '" + s_dir->Path().string() + "'");
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    CliTable()
        : view(factory, timer)
        , data(dlg, document::TDocumentSettings {})
        , input(data, view)
        , montage(dlg)
        , parts { dlg, desktop, view, data, options, mru, &montage, &formules }
        , commands(parts)
    {
        links += video::LinkDocument(view, data, input);
        links += montage::ConnectMontage(montage, data, view, {});
        view.Resize(640, 480);
        options.askToSaveOnOpen = false;
    }

    static std::string Sample(const std::string& name) { return (s_dir->Path() / name).string(); }

    static std::vector<test::TSampleTruth::TRow> Truth() { return test::ReadSampleTruth(Sample("parabole.txt")).rows; }

    void Click(double x, double y)
    {
        const TScreenPoint p { static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)) };
        view.MouseDown(video::TMouseButton::Left, {}, p);
        view.MouseUp(video::TMouseButton::Left, {}, p);
    }

    // The ruler, the origin on the ball's first position, the ball on `count` frames.
    void Point(int count, bool withScale = true)
    {
        ASSERT_TRUE(commands.OpenVideo(Sample("parabole.avi"))) << dlg.LastRun().JoinedText();
        if (withScale) {
            data.SetTool(document::toScale);
            Click(60, 462);
            Click(360, 462);
            data.SetScaleLength(document::skSingle, 1);
        }
        data.SetTool(document::toOriginAndAxes);
        Click(70, 360);
        data.SetTool(document::toPlaceMarks);
        view.GoToFrame(0);
        const auto truth = Truth();
        ASSERT_GE(truth.size(), 26u);
        for (int i = 0; i < count; ++i)
            Click(truth[static_cast<std::size_t>(i)].xPixel, truth[static_cast<std::size_t>(i)].yPixel);
    }

    // The table the program shows, as its tab-separated copy (without the program and date lines).
    std::vector<std::string> ProgramTable()
    {
        results::TResultsSet results(data);
        EXPECT_EQ(results.Calc.Recompute(results::kSelFixed), 0);
        EXPECT_TRUE(results.Calc.Derive(results::kSelFixed, 0));
        results::TGrid& grid = results.Grids.Camera();
        grid.Resize();
        grid.SetVisible(true,
            results::kPositionCodes | results::kVelocityCodes | results::kAccelerationCodes | results::kPolarCodes);
        TServeur out(desktop, dlg);
        grid.CopyText("", out);
        std::vector<std::string> lines = out.Lines();
        lines.erase(lines.begin(), lines.begin() + 2);
        return lines;
    }

    std::string Save(const std::string& name)
    {
        const std::string path = (s_dir->Path() / name).string();
        desktop.saveAnswers.push_back(path);
        EXPECT_EQ(commands.SaveAs(), mainwindow::kStudySaved);
        return path;
    }

    static std::string Cli(const std::string& args, const std::string& environment = {})
    {
        return test::RunCommand(environment + "'" + KINOVAL_CLI_PATH + "' table " + args);
    }

    static test::TTempDir* s_dir;
    media::TMediaPlayerFactory factory;
    test::TManualTimer timer;
    video::TVideo view;
    test::TScriptedUserDlg dlg;
    test::TFakeDesktopServices desktop;
    document::TData data;
    video::TDocumentInput input;
    montage::TMontage montage;
    TConnections links; // the document and the montage follow the view while these are kept
    formulas::TFormules formules;
    TOptions options;
    TMRUFiles mru;
    mainwindow::TStudyParts parts;
    mainwindow::TStudyCommands commands;
};

test::TTempDir* CliTable::s_dir = nullptr;

TEST_F(CliTable, PrintsTheTableTheProgramComputesForASavedStudy)
{
    Point(26);
    const std::vector<std::string> expected = ProgramTable();
    const std::string study = Save("ball.kvl");

    const std::vector<std::string> printed = Lines(Cli("'" + study + "'"));
    ASSERT_GE(printed.size(), 3u);
    EXPECT_EQ(printed[0], KINOVAL_CLI_PATH);
    EXPECT_EQ(std::vector<std::string>(printed.begin() + 2, printed.end()), expected);
    EXPECT_EQ(expected.size(), 1u + 3u + 26u); // the axis angle, three header lines, one line per frame
    // The Python copy runs in Python and holds the same last height.
    const std::string python = Cli("'" + study + "' --format python");
    const std::string script = (s_dir->Path() / "table.py").string();
    std::ofstream(script) << python << "\nprint(len(t))\nprint(repr(y[-1]))\n";
    const std::vector<std::string> answer = Lines(test::RunCommand("/usr/bin/python3 '" + script + "'"));
    ASSERT_EQ(answer.size(), 2u) << python;
    EXPECT_EQ(answer[0], "26");
    std::istringstream cells(expected.back());
    std::string t, x, y;
    std::getline(cells, t, '\t');
    std::getline(cells, x, '\t');
    std::getline(cells, y, '\t');
    EXPECT_NEAR(std::stod(answer[1]), std::stod(y), 1e-12 * std::fabs(std::stod(y)));
    // The CSV export starts with the same header cells.
    const std::string csv = Cli("'" + study + "' --format csv");
    EXPECT_NE(csv.find("\r\n"), std::string::npos);
    EXPECT_NE(csv.find("t"), std::string::npos);
}

TEST_F(CliTable, HiddenAndMissingFramesGiveTheSameTimesAfterReloading)
{
    Point(26);
    ASSERT_TRUE(montage.SetFrameVisible(5, false));
    view.GoToFrameOfRaw(12);
    ASSERT_TRUE(montage.ShiftInstant(1));
    const std::vector<std::string> expected = ProgramTable();
    const std::string study = Save("montage.kvl");
    const std::vector<std::string> printed = Lines(Cli("'" + study + "'"));
    ASSERT_GE(printed.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(printed.begin() + 2, printed.end()), expected);
    // Hiding frame 5 (a repeated frame) brings the later instants one frame earlier; the missing frame
    // declared before frame 12 takes them back: 0.44 s is the instant nobody holds, and 25 rows remain.
    bool sawGap = false, sawLast = false;
    for (const std::string& line : expected) {
        sawGap = sawGap || line.rfind("0.44\t", 0) == 0;
        sawLast = sawLast || line.rfind("1\t", 0) == 0;
    }
    EXPECT_FALSE(sawGap);
    EXPECT_TRUE(sawLast);
    EXPECT_EQ(expected.size(), 1u + 3u + 25u);
}

// A phone's video whose frames last 40, 30 and 50 ms in turn, pointed on six frames: once the study's
// time follows the frames' own timestamps, the table the tool prints (and its Python and CSV copies) has
// the frames' instants in its t column; without the choice, frame numbers times the average duration.
TEST_F(CliTable, TheTimeColumnFollowsTheFramesOwnTimesWhenTheStudyAsks)
{
    if (!test::HaveEncoder("libx264"))
        GTEST_SKIP() << "the ffmpeg tool has no libx264";
    test::TToolVideo phone;
    phone.name = "phone.mp4";
    phone.frames = 12;
    phone.options = "-vf \"settb=1/1000,setpts=(120*floor(N/3)+40*eq(mod(N\\,3)\\,1)+70*eq(mod(N\\,3)\\,2))/1000/TB\" "
                    "-fps_mode vfr -enc_time_base 1/1000 -video_track_timescale 90000 -c:v libx264 -preset ultrafast "
                    "-bf 2 -g 12 -pix_fmt yuv420p";
    ASSERT_TRUE(test::MakeWithFFmpegTool(s_dir->Path().string(), phone));
    ASSERT_TRUE(commands.OpenVideo(Sample("phone.mp4"))) << dlg.LastRun().JoinedText();
    ASSERT_TRUE(view.VariableFrameDuration());
    data.SetTool(document::toScale);
    Click(10, 100);
    Click(110, 100);
    data.SetScaleLength(document::skSingle, 1);
    data.SetTool(document::toOriginAndAxes);
    Click(20, 200);
    data.SetTool(document::toPlaceMarks);
    view.GoToFrame(0);
    for (int i = 0; i < 6; ++i)
        Click(40 + 30 * i, 150);
    const double instants[] = { 0, 0.04, 0.07, 0.12, 0.16, 0.19 };

    const auto times = [](const std::string& table) {
        std::vector<double> t;
        for (const std::string& line : Lines(table)) {
            char* end = nullptr;
            const double v = std::strtod(line.c_str(), &end);
            if (end != line.c_str() && *end == '\t')
                t.push_back(v);
        }
        return t;
    };
    std::vector<double> t = times(Cli("'" + Save("phone_frames.kvl") + "'"));
    ASSERT_EQ(t.size(), 6u);
    EXPECT_NEAR(t[5], 5 * view.FrameDuration(), 1e-9); // the average duration: 0.43 s over 11 gaps

    data.SetTimeFromTimestamps(true);
    const std::string study = Save("phone_times.kvl");
    t = times(Cli("'" + study + "'"));
    ASSERT_EQ(t.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(t[static_cast<std::size_t>(i)], instants[i], 1e-9) << i;
    const std::string python = Cli("'" + study + "' --format python");
    const std::string script = (s_dir->Path() / "phone.py").string();
    std::ofstream(script) << python << "\nprint(repr(t[2]), repr(t[5]))\n";
    EXPECT_EQ(test::RunCommand("/usr/bin/python3 '" + script + "'"), "0.07 0.19\n") << python;
    EXPECT_NE(Cli("'" + study + "' --format csv").find("0.19"), std::string::npos);
}

TEST_F(CliTable, TheSettingsFileChangesTheTableAsItChangesTheWindow)
{
    // Pointed with separate horizontal and vertical scales, as the settings of the window asked.
    document::TDocumentSettings separate;
    separate.separateScales = true;
    data.ApplySettings(separate);
    ASSERT_TRUE(commands.OpenVideo(Sample("parabole.avi")));
    data.SetTool(document::toScale);
    data.Scale().Kind = document::skHorizontal;
    Click(60, 462);
    Click(360, 462);
    data.SetScaleLength(document::skHorizontal, 1);
    data.Scale().Kind = document::skVertical;
    Click(500, 100);
    Click(500, 400);
    data.SetScaleLength(document::skVertical, 1);
    data.SetTool(document::toOriginAndAxes);
    Click(70, 360);
    data.SetTool(document::toPlaceMarks);
    view.GoToFrame(0);
    for (const auto& row : Truth())
        Click(row.xPixel, row.yPixel);
    const std::string study = Save("separate.kvl");

    const std::string withSeparate = (s_dir->Path() / "separate.ini").string();
    std::ofstream(withSeparate) << "[Options]\nCheckBox41HorizAndVertScale_Checked=1\nCheckBox30HideEdgeV_Checked=1\n";
    const std::string withOne = (s_dir->Path() / "one.ini").string();
    std::ofstream(withOne) << "[Options]\nCheckBox41HorizAndVertScale_Checked=0\n";

    const std::vector<std::string> printed = Lines(Cli("'" + study + "' --settings '" + withSeparate + "'"));
    ASSERT_EQ(printed.size(), 2u + 1u + 3u + 26u);
    // The velocity is hidden on the first and the last row, as the window hides it.
    std::vector<std::string> first;
    std::istringstream cells(printed[6]);
    for (std::string cell; std::getline(cells, cell, '\t');)
        first.push_back(cell);
    ASSERT_GE(first.size(), 4u);
    EXPECT_EQ(first[3], ""); // vx

    const std::string refused = Cli("'" + study + "' --settings '" + withOne + "' 2>&1; echo status=$?");
    EXPECT_NE(refused.find("Définir, au préalable, l'échelle à l'aide d'une longueur connue."), std::string::npos)
        << refused;
    const std::string missing = Cli("'" + study + "' --settings /nowhere/Kinoval.ini 2>&1; echo status=$?");
    EXPECT_NE(missing.find("Ce fichier de réglages ne peut pas être lu."), std::string::npos) << missing;
    EXPECT_NE(missing.find("status=1"), std::string::npos);

    // Without --settings the user's own settings file is read, where the program keeps it.
    const std::string config = (s_dir->Path() / "config").string();
    std::filesystem::create_directories(config);
    std::filesystem::copy_file(withSeparate, config + "/Kinoval.ini");
    const std::vector<std::string> own = Lines(Cli("'" + study + "'", "KINOVAL_CONFIG_DIR='" + config + "' "));
    EXPECT_EQ(own.size(), printed.size());
}

TEST_F(CliTable, IncompleteStudiesAreRefusedWithTheProgramsMessages)
{
    Point(26, false);
    const std::string noScale = Save("noscale.kvl");
    std::string out = Cli("'" + noScale + "' 2>&1; echo status=$?");
    EXPECT_NE(out.find("Définir, au préalable, l'échelle à l'aide d'une longueur connue."), std::string::npos) << out;
    EXPECT_NE(out.find("status=1"), std::string::npos);

    CliTable::Point(0);
    Click(100, 100);
    Click(120, 100);
    const std::string twoMarks = Save("two.kvl");
    out = Cli("'" + twoMarks + "' 2>&1; echo status=$?");
    EXPECT_NE(out.find("Poser, au préalable, au moins trois marques par objet."), std::string::npos) << out;
    EXPECT_NE(out.find("status=1"), std::string::npos);

    // The video has moved away.
    std::string text;
    {
        std::ifstream in(twoMarks);
        std::stringstream s;
        s << in.rdbuf();
        text = s.str();
    }
    const std::size_t at = text.find("VideoFileName=");
    text.insert(at + 14, "/nowhere");
    const std::string moved = (s_dir->Path() / "moved.kvl").string();
    std::ofstream(moved) << text;
    out = Cli("'" + moved + "' 2>&1; echo status=$?");
    EXPECT_NE(out.find("Le fichier vidéo de ce travail est introuvable."), std::string::npos) << out;
    EXPECT_NE(out.find("status=1"), std::string::npos);

    out = Cli("2>/dev/null; echo status=$?");
    EXPECT_NE(out.find("status=2"), std::string::npos);
}

std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');)
        cells.push_back(cell);
    return cells;
}

// The locale chooses the tool's language: the header lines and the messages read in English, the numbers
// are the French run's to the last digit.
TEST_F(CliTable, TheToolSpeaksTheLocalesLanguageAndPrintsTheSameNumbers)
{
    Point(26);
    const std::string study = Save("ball-en.kvl");
    const std::string english = "env -u LC_ALL -u LANGUAGE LANG=en_GB.UTF-8 ";
    const std::vector<std::string> inFrench = Lines(Cli("'" + study + "'"));
    const std::vector<std::string> inEnglish = Lines(Cli("'" + study + "'", english));
    ASSERT_EQ(inEnglish.size(), inFrench.size());
    ASSERT_EQ(inFrench.size(), 2u + 1u + 3u + 26u);
    for (std::size_t i = inFrench.size() - 26; i < inFrench.size(); ++i)
        EXPECT_EQ(inEnglish[i], inFrench[i]) << "line " << i;
    EXPECT_EQ(Cells(inEnglish[3]), Cells(inFrench[3])); // the symbols
    EXPECT_NE(inFrench[5].find("Abscisse du point n°1"), std::string::npos) << inFrench[5];
    EXPECT_NE(inEnglish[5].find("Abscissa of point no. 1"), std::string::npos) << inEnglish[5];
    EXPECT_NE(inEnglish[2].find("Rotation angle of the axes"), std::string::npos) << inEnglish[2];

    Point(26, false);
    const std::string noScale = Save("noscale-en.kvl");
    const std::string out = Cli("'" + noScale + "' 2>&1; echo status=$?", english);
    EXPECT_NE(out.find("First set the scale with a known length."), std::string::npos) << out;
    EXPECT_NE(out.find("status=1"), std::string::npos);
    // A French locale, and the C locale of scripts, speak French.
    EXPECT_NE(Cli("'" + noScale + "' 2>&1", "env -u LC_ALL LANG=fr_FR.UTF-8 ")
                  .find("Définir, au préalable, l'échelle à l'aide d'une longueur connue."),
        std::string::npos);
}

// The energies of the thrown ball and a step-by-step model of its fall, typed as a teacher would, saved
// with the study and printed by the tool after the kinematic columns.
TEST_F(CliTable, FormulasOfTheThrownBallKeepItsEnergyAndFollowItsFall)
{
    Point(26);
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>> { { "m", "0.1" }, { "g", "9.81" },
             { "Dt", "0.04" }, { "vy_e[1]", "4.6" }, { "y_e[1]", "0" }, { "y_h[1]", "0" } })
        ASSERT_TRUE(formules.TryAddConstant(name, value).accepted) << name;
    for (const auto& [text, unit, comment] :
        std::vector<std::tuple<std::string, std::string, std::string>> { { "Ec = 0.5*m*v^2", "J", "énergie cinétique" },
            { "Ep = m*g*y", "J", "énergie potentielle" }, { "Em = Ec + Ep", "J", "énergie mécanique" },
            { "vy_e[i+1] = vy_e[i] - g*Dt", "m/s", "Euler" }, { "y_e[i+1] = y_e[i] + vy_e[i]*Dt", "m", "Euler" },
            { "y_h[i+1] = y_h[i] + (vy_e[i]+vy_e[i+1])*Dt/2", "m", "pas moyen" } }) {
        const formulas::TEditOutcome out = formules.TryAddFormula(text, comment, unit);
        ASSERT_TRUE(out.accepted) << text << ": " << out.message;
    }
    const std::string study = Save("energy.kvl");

    // The one-sided velocities of the first and last marks are hidden, as the option does in the window.
    const std::string hideEdges = (s_dir->Path() / "edges.ini").string();
    std::ofstream(hideEdges) << "[Options]\nCheckBox30HideEdgeV_Checked=1\n";
    const std::vector<std::string> printed
        = Lines(Cli("'" + study + "' --formulas --smooth-speed --settings '" + hideEdges + "'"));
    ASSERT_EQ(printed.size(), 2u + 1u + 3u + 26u);
    const std::vector<std::string> names = Cells(printed[3]);
    ASSERT_GE(names.size(), 6u);
    const std::size_t first = names.size() - 6; // the formulas come after the kinematic columns
    EXPECT_EQ(std::vector<std::string>(names.begin() + static_cast<long>(first), names.end()),
        (std::vector<std::string> { "Ec", "Ep", "Em", "vy_e", "y_e", "y_h" }));
    EXPECT_EQ(names[0], "t");
    EXPECT_EQ(names[2], "y");
    EXPECT_EQ(Cells(printed[4])[first + 2], "J");
    EXPECT_EQ(Cells(printed[5])[first + 2], "énergie mécanique");

    // Em = Ec + Ep keeps its value along the flight within 1 % of its mean; the thrown energy is
    // m (vx0² + vy0²) / 2.
    std::vector<double> em;
    double worstEuler = 0, worstHalfStep = 0;
    for (std::size_t line = 6; line < printed.size(); ++line) {
        const std::vector<std::string> row = Cells(printed[line]);
        ASSERT_EQ(row.size(), names.size()) << printed[line];
        const double t = std::stod(row[0]);
        const double y = std::stod(row[2]);
        const bool edge = line == 6 || line + 1 == printed.size();
        EXPECT_EQ(row[first + 2].empty(), edge) << "t = " << t;
        if (!edge)
            em.push_back(std::stod(row[first + 2]));
        // Euler's step lags behind the fall by g Dt t / 2 at most; the mean step follows it exactly,
        // within what the pixels give.
        const double euler = std::stod(row[first + 4]);
        EXPECT_LE(std::fabs(euler - y), 9.81 * 0.04 * t / 2 + 0.005) << "t = " << t;
        worstEuler = std::max(worstEuler, std::fabs(euler - y));
        worstHalfStep = std::max(worstHalfStep, std::fabs(std::stod(row[first + 5]) - y));
    }
    ASSERT_EQ(em.size(), 24u);
    const auto [low, high] = std::minmax_element(em.begin(), em.end());
    const double mean = std::accumulate(em.begin(), em.end(), 0.0) / static_cast<double>(em.size());
    const double thrown = 0.5 * 0.1 * (1.6 * 1.6 + 4.6 * 4.6);
    EXPECT_LT(std::max(*high - mean, mean - *low), 0.01 * mean) << "from " << *low << " to " << *high;
    EXPECT_NEAR(mean, thrown, 0.01 * thrown);
    EXPECT_GT(worstEuler, 0.15); // the method's own error, which the test would miss if y_e were y
    EXPECT_LT(worstHalfStep, 0.005);
    std::printf("Em from %.5f to %.5f J, mean %.5f (thrown %.5f); Euler off by %.4f m, mean step by %.4f m\n", *low,
        *high, mean, thrown, worstEuler, worstHalfStep);

    // The tool prints what the program computes; the Python copy and the CSV carry the formulas too.
    results::TResultsSet results(data);
    ASSERT_EQ(results.Calc.Recompute(results::kSelFixed), 0);
    ASSERT_TRUE(results.Calc.Derive(results::kSelFixed, results::kSmoothVelocity));
    formulas::TFormulesCalc calc(formules, results.Calc, data);
    calc.ApplyOptions(options);
    calc.Update();
    ASSERT_EQ(formules.Formula(2).curve.values.size(), 26u);
    EXPECT_EQ(Cells(printed[6 + 7])[first + 2], results::FormatExportNumber(formules.Formula(2).curve.values[7]));
    const std::string python = Cli("'" + study + "' --formulas --smooth-speed --format python");
    EXPECT_NE(python.find("\nEm = ["), std::string::npos) << python;
    EXPECT_NE(python.find("\ny_h = ["), std::string::npos);
    const std::string csv = Cli("'" + study + "' --formulas --format csv");
    EXPECT_NE(csv.find("énergie mécanique"), std::string::npos);
    // Without --formulas the table is the kinematic one alone.
    EXPECT_EQ(Cells(Lines(Cli("'" + study + "'"))[3]).size(), first);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Without(std::string text, const std::string& key)
{
    const std::size_t at = text.find("\n" + key + "=");
    if (at != std::string::npos)
        text.erase(at + 1, text.find('\n', at + 1) - at);
    return text;
}

std::string With(std::string text, const std::string& key, const std::string& value)
{
    const std::size_t at = text.find("\n" + key + "=");
    if (at != std::string::npos)
        text.replace(at + 1, text.find('\n', at + 1) - at - 1, key + "=" + value);
    return text;
}

TEST_F(CliTable, ADamagedStudySaysWhatWasLeftOutAndExitsWithThree)
{
    Point(26);
    const std::string text = ReadText(Save("whole.kvl"));

    // One line gone: the tool counts what it read, prints the table of it, and tells the script.
    const std::string cut = (s_dir->Path() / "cut.kvl").string();
    std::ofstream(cut) << Without(text, "MarksContainerFrameNumber_Grid_5");
    std::string out = Cli("'" + cut + "' 2>&1 >/dev/null; echo status=$?");
    EXPECT_NE(out.find("Ce travail a été chargé, mais pas tel qu'il a été enregistré :\n"
                       "La liste des marques est incomplète : 25 marque(s) lue(s) sur 26 annoncée(s)."),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("status=3"), std::string::npos) << out;
    EXPECT_EQ(Lines(Cli("'" + cut + "' 2>/dev/null; true")).size(), 2u + 1u + 3u + 25u);

    // An unreadable coordinate and a mark past the video's end: both said, neither in the table.
    std::string damaged = With(text, "MarkYCoordinate_Grid_3_0", "NaN");
    damaged = With(damaged, "MarksContainerFrameNumber_Grid_25", "400");
    const std::string odd = (s_dir->Path() / "odd.kvl").string();
    std::ofstream(odd) << damaged;
    out = Cli("'" + odd + "' 2>&1 >/dev/null; echo status=$?");
    EXPECT_NE(
        out.find("Une marque de l'image n° 4 a des coordonnées illisibles : elle a été écartée."), std::string::npos)
        << out;
    EXPECT_NE(out.find("1 marque(s) sur des images que la vidéo n'a pas (n° 401 à 401"), std::string::npos) << out;
    EXPECT_NE(out.find("status=3"), std::string::npos) << out;
    EXPECT_EQ(Lines(Cli("'" + odd + "' 2>/dev/null; true")).size(), 2u + 1u + 3u + 24u);

    // The whole study exits with 0 and says nothing.
    EXPECT_EQ(Cli("'" + Save("again.kvl") + "' 2>&1 >/dev/null; echo status=$?"), "status=0\n");
}

TEST_F(CliTable, PathsThatAreNoStudyFailAtOnce)
{
    // A pipe with no writer would block a reader forever, /dev/zero would fill the memory: both are
    // refused before anything is read.
    const std::string fifo = (s_dir->Path() / "pipe.kvl").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : { fifo, std::string("/dev/zero") }) {
        const std::string out = Cli("'" + path + "' 2>&1; echo status=$?");
        EXPECT_NE(out.find("Ce fichier n'est pas un travail Kinoval lisible.\n"
                           "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre).\n"),
            std::string::npos)
            << out;
        EXPECT_NE(out.find("status=1"), std::string::npos) << out;
    }
    // A study naming a video in a pipe does not block either.
    Point(3);
    const std::string study = Save("pipe-video.kvl");
    const std::string piped = (s_dir->Path() / "piped.kvl").string();
    std::ofstream(piped) << With(ReadText(study), "VideoFileName", fifo);
    const std::string out = Cli("'" + piped + "' 2>&1; echo status=$?");
    EXPECT_NE(out.find("Le fichier vidéo de ce travail existe, mais il n'a pas pu être ouvert :\n"
                       "Ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou autre).\n"),
        std::string::npos)
        << out;
}

} // namespace
} // namespace kinoval
#endif
