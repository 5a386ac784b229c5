// Models fitted on the time graphs of the sample videos, pointed through the real players at the positions
// their ground truth gives: the physics a teacher reads off the fitted parameters.
#include "core/document/data.h"
#include "core/formulas/formules.h"
#include "core/graph/graph.h"
#include "core/graph/model_tool.h"
#include "core/graph/page_curves.h"
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
#include <numbers>

#ifdef KINOVAL_SAMPLEGEN_PATH
namespace kinoval {
namespace {

class ModelSamples : public ::testing::Test {
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

    ModelSamples()
        : view(factory, timer)
        , data(dlg, document::TDocumentSettings {})
        , input(data, view)
        , montage(dlg)
        , parts { dlg, desktop, view, data, options, mru, &montage, &formules }
        , commands(parts)
    {
        links += video::LinkDocument(view, data, input);
        links += montage::ConnectMontage(montage, data, view, {});
        options.askToSaveOnOpen = false;
    }

    static std::string Sample(const std::string& name) { return (s_dir->Path() / name).string(); }

    double Value(const char* key) const
    {
        const auto it = truth.values.find(key);
        return it == truth.values.end() ? std::nan("") : it->second;
    }

    void Click(double x, double y)
    {
        const TScreenPoint p { static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)) };
        view.MouseDown(video::TMouseButton::Left, {}, p);
        view.MouseUp(video::TMouseButton::Left, {}, p);
    }

    // The sample's ruler as the scale, the origin on the object's first position, one mark per frame.
    void Point(const std::string& name)
    {
        truth = test::ReadSampleTruth(Sample(name + ".txt"));
        ASSERT_GE(truth.rows.size(), 20u);
        view.Resize(int(Value("width")), int(Value("height")));
        ASSERT_TRUE(commands.OpenVideo(Sample(name + ".avi"))) << dlg.LastRun().JoinedText();
        data.SetTool(document::toScale);
        Click(Value("ruler_x1_px"), Value("ruler_y1_px"));
        Click(Value("ruler_x2_px"), Value("ruler_y2_px"));
        data.SetScaleLength(document::skSingle, Value("ruler_length_m"));
        data.SetTool(document::toOriginAndAxes);
        Click(truth.rows[0].xPixel, truth.rows[0].yPixel);
        data.SetTool(document::toPlaceMarks);
        view.GoToFrame(0);
        for (const auto& row : truth.rows)
            Click(row.xPixel, row.yPixel);
    }

    // The time graph of one quantity of the first object, with the model chosen on its curve.
    modelling::TMdl& Fit(results::TQuantity quantity, int code)
    {
        results = std::make_unique<results::TResultsSet>(data);
        EXPECT_EQ(results->Calc.Recompute(results::kSelFixed), 0);
        EXPECT_TRUE(results->Calc.Derive(results::kSelFixed, 0));
        graph::TTimePageChoice choice;
        choice.quantity = quantity;
        choice.objects = { 0 };
        const std::vector<graph::TCurveInput> curves
            = graph::TimeCurves(results->Calc.Current(), { graph::TPageObject { "balle", clRed } }, choice);
        graphs.push_back(std::make_unique<graph::TGraph>());
        graph::TGraph& g = *graphs.back();
        graph::InstallModels(g);
        g.SetMargins(140, 30, 15, 100);
        g.SetSize(800, 560);
        EXPECT_EQ(curves.size(), 1u);
        for (const graph::TCurveInput& curve : curves)
            g.AddCurve(curve);
        g.SetWorld(graph::TimeWindow(curves, choice), false);
        graph::TGModele* model = graph::ModelOf(*g.Curves().front());
        EXPECT_EQ(model->SetType(code), 0);
        return *model->Active();
    }

    static test::TTempDir* s_dir;
    test::TSampleTruth truth;
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
    std::unique_ptr<results::TResultsSet> results;
    std::vector<std::unique_ptr<graph::TGraph>> graphs;
};

test::TTempDir* ModelSamples::s_dir = nullptr;

TEST_F(ModelSamples, ThrownBallGivesGFromAParabolaAndVxFromALine)
{
    Point("parabole");
    ASSERT_FALSE(HasFailure());
    const double g = Value("g");
    ASSERT_NEAR(g, 9.81, 1e-9);
    // y(t) = r + b.t + c.t² with c = -g/2.
    modelling::TMdl& parabola = Fit(results::kQtyY, graph::mcParabole);
    const double c = parabola.Parameter(2);
    EXPECT_NEAR(-2 * c, 9.81, 0.005 * 9.81) << "c = " << c;
    RecordProperty("g", std::to_string(-2 * c));
    // x(t) = r + b.t with b = vx.
    modelling::TMdl& line = Fit(results::kQtyX, graph::mcAffine);
    const double vx = line.Parameter(1);
    EXPECT_NEAR(vx, 1.6, 0.005 * 1.6);
    RecordProperty("vx", std::to_string(vx));
    EXPECT_NEAR(vx, Value("vx0"), 0.005 * Value("vx0"));
    // The velocity vy(t) is a line of slope -g too, its one-sided ends left out of the fit.
    modelling::TMdl& velocity = Fit(results::kQtyVy, graph::mcAffine);
    EXPECT_NEAR(-velocity.Parameter(1), 9.81, 0.02 * 9.81);
}

TEST_F(ModelSamples, RollingCylinderAcceleratesAtTwoThirdsOfGSinTheSlope)
{
    Point("cylindre");
    ASSERT_FALSE(HasFailure());
    const double expected = 2.0 / 3.0 * 9.81 * std::sin(6 * std::numbers::pi / 180);
    ASSERT_NEAR(Value("acceleration_along_slope"), expected, 1e-6);
    // Along the slope the motion is x = x0 + a t² / 2 turned by 6°: one parabola per axis.
    const double cx = Fit(results::kQtyX, graph::mcParabole).Parameter(2);
    const double cy = Fit(results::kQtyY, graph::mcParabole).Parameter(2);
    const double a = 2 * std::hypot(cx, cy);
    EXPECT_NEAR(a, expected, 0.01 * expected) << "cx = " << cx << ", cy = " << cy;
    RecordProperty("a", std::to_string(a));
    EXPECT_GT(cx, 0); // down the slope to the right
    EXPECT_LT(cy, 0);
    EXPECT_NEAR(std::atan2(-cy, cx) * 180 / std::numbers::pi, 6, 0.5);
}

} // namespace
} // namespace kinoval
#endif
