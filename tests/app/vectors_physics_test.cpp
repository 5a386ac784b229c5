// The physics on the vector page: the thrown-ball sample pointed through the real players from the ground
// truth its generator writes, derived with smoothing as the results window does, and drawn as the vector
// page draws it. A ball in free fall has one acceleration, g straight down: every vector away from the ends
// of the marks must say so, and the velocity vectors must follow the trajectory.
#include "core/document/data.h"
#include "core/formulas/formules.h"
#include "core/graph/graph.h"
#include "core/graph/vector_page.h"
#include "core/graph/vectors.h"
#include "core/mainwindow/study_commands.h"
#include "core/montage/montage.h"
#include "core/montage/montage_wiring.h"
#include "core/results/results_set.h"
#include "core/settings/mru_files.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "media/player_factory.h"
#include "support/fake_desktop_services.h"
#include "support/run_command.h"
#include "support/sample_truth.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h" // the hand-fired timer
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>

#ifdef KINOVAL_SAMPLEGEN_PATH
namespace kinoval {
namespace {

class BallVectors : public ::testing::Test {
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

    BallVectors()
        : view(factory, timer)
        , data(dlg, document::TDocumentSettings {})
        , input(data, view)
        , montage(dlg)
        , parts { dlg, desktop, view, data, options, mru, &montage, &formules }
        , commands(parts)
    {
        links += video::LinkDocument(view, data, input);
        links += montage::ConnectMontage(montage, data, view, {});
        view.Resize(5120, 3840);
        options.askToSaveOnOpen = false;
    }

    static std::string Sample(const std::string& name) { return (s_dir->Path() / name).string(); }

    // A click on a point of the picture given in its pixels. The view is eight times the picture's size, as a
    // careful user zooms in to point: a screen pixel is an eighth of a picture's.
    void Click(double x, double y)
    {
        const TScreenPoint p = view.ImageToScreen({ x / 640, y / 480 });
        view.MouseDown(video::TMouseButton::Left, {}, p);
        view.MouseUp(video::TMouseButton::Left, {}, p);
    }

    // The metre ruler, the origin near the ball's start, the ball on every frame of the truth.
    void Point()
    {
        ASSERT_TRUE(commands.OpenVideo(Sample("parabole.avi"))) << dlg.LastRun().JoinedText();
        data.SetTool(document::toScale);
        Click(60, 462);
        Click(360, 462);
        data.SetScaleLength(document::skSingle, 1);
        data.SetTool(document::toOriginAndAxes);
        Click(70, 360);
        data.SetTool(document::toPlaceMarks);
        view.GoToFrame(0);
        const auto truth = test::ReadSampleTruth(Sample("parabole.txt")).rows;
        ASSERT_GE(truth.size(), 26u);
        for (std::size_t i = 0; i < 26; ++i)
            Click(truth[i].xPixel, truth[i].yPixel);
    }

    // The vector page's graph of one family, on a 700 x 500 control.
    void Draw(graph::TGraph& g, int family, int smoothFlags)
    {
        results::TResultsSet results(data);
        ASSERT_EQ(results.Calc.Recompute(results::kSelFixed), 0);
        ASSERT_TRUE(results.Calc.Derive(results::kSelFixed, smoothFlags));
        graph::TVectorPageChoice choice;
        choice.family = family;
        choice.objects = { 0 };
        graph::UseVectors(g);
        g.SetSize(700, 500);
        const std::vector<graph::TCurveInput> curves
            = graph::VectorCurves(results.Calc.Fixed(), { { "balle", clRed } }, choice);
        for (const graph::TCurveInput& curve : curves)
            g.AddCurve(curve);
        g.SetWorld(graph::VectorWindow(curves), true);
    }

    static std::vector<const graph::TGVecteur*> Vectors(const graph::TGraph& g)
    {
        std::vector<const graph::TGVecteur*> out;
        for (const auto& e : g.Elements()) {
            if (const auto* v = dynamic_cast<const graph::TGVecteur*>(e.get()))
                out.push_back(v);
        }
        return out;
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
    TConnections links;
    formulas::TFormules formules;
    TOptions options;
    TMRUFiles mru;
    mainwindow::TStudyParts parts;
    mainwindow::TStudyCommands commands;
};

test::TTempDir* BallVectors::s_dir = nullptr;

TEST_F(BallVectors, TheAccelerationPointsDownWithTheNormOfG)
{
    Point();
    graph::TGraph g;
    Draw(g, graph::kFamilyAcceleration, 3);
    const auto vectors = Vectors(g);
    ASSERT_EQ(vectors.size(), 26u);
    const double expectedG = test::ReadSampleTruth(Sample("parabole.txt")).values.count("g")
        ? test::ReadSampleTruth(Sample("parabole.txt")).values.at("g")
        : 9.81;
    EXPECT_NEAR(expectedG, 9.81, 0.01);
    // Away from the ends, where the differences are one-sided.
    for (std::size_t i = 3; i + 3 < vectors.size(); ++i) {
        const graph::TGVecteur& v = *vectors[i];
        EXPECT_NEAR(v.Direction(), 270, 2) << "vector " << i;
        EXPECT_NEAR(v.Norm(), 9.81, 0.02 * 9.81) << "vector " << i;
        // Drawn downwards on the screen.
        EXPECT_GT(v.TipPixel().y, v.AnchorPixel().y) << "vector " << i;
    }
    // The longest is a tenth of the plot.
    double longest = 0;
    for (const graph::TGVecteur* v : vectors)
        longest
            = std::max(longest, std::hypot(v->TipPixel().x - v->AnchorPixel().x, v->TipPixel().y - v->AnchorPixel().y));
    EXPECT_NEAR(longest, 70, 1e-6);
}

TEST_F(BallVectors, TheVelocityIsTangentToTheTrajectory)
{
    Point();
    graph::TGraph g;
    Draw(g, graph::kFamilyVelocity, 3);
    const auto vectors = Vectors(g);
    ASSERT_EQ(vectors.size(), 26u);
    const graph::TCourbe& curve = *g.Curves().front();
    for (std::size_t i = 2; i + 2 < vectors.size(); ++i) {
        // The chord through the neighbours has the direction of the velocity at the middle of a parabola.
        const double chord = graph::VectorDirection(curve.x[i + 1] - curve.x[i - 1], curve.y[i + 1] - curve.y[i - 1]);
        const double apart = std::remainder(vectors[i]->Direction() - chord, 360.0);
        EXPECT_LT(std::fabs(apart), 2) << "vector " << i << ": " << vectors[i]->Direction() << " against " << chord;
        // The thrown ball goes right at about 1.6 m/s all the way.
        EXPECT_NEAR(vectors[i]->vx, 1.6, 0.05) << "vector " << i;
    }
}

} // namespace
} // namespace kinoval
#endif
