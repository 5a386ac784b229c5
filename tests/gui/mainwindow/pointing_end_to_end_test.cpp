// A whole study through the window, as a user would make it on the thrown-ball sample: the scale on the
// ruler, the origin on the ball's first position, the ball pointed on every frame by clicks on the view,
// then the table. The positions agree with the ground truth within half a pixel, and a parabola through
// y(t) gives back g; the time graph of y passes where the true heights map to, and the trajectory drawn
// over the video's picture puts the ball under its mark.
#include "main_form_fixture.h"

#include "core/common/numbers.h"
#include "core/graph/graph.h"
#include "core/modelling/least_squares.h"
#include "core/results/quantity.h"
#include "gui/drawing/glyph_painter.h"
#include "gui/graph/graph_painter.h"
#include "gui/results/res_form.h"
#include "gui/results/res_graph_pages.h"
#include "gui/results/results_grid_model.h"
#include "support/sample_truth.h"

#include <QAction>
#include <QFile>
#include <QImage>

#include <cstdlib>
#include <map>
#include <sstream>

namespace kinoval::test {
namespace {

using TTruth = TSampleTruth;

// Whether the picture has a pixel near that colour within one pixel of a position.
bool ColourWithinAPixel(const QImage& image, TPoint at, QColor colour)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor c = image.pixelColor(at.x + dx, at.y + dy);
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
                && std::abs(c.blue() - colour.blue()) < 40)
                return true;
        }
    }
    return false;
}

// Screenshots for a reader of the window, when KINOVAL_SHOT_DIR names a folder.
void Shot(QWidget& window, const char* name)
{
    const char* folder = std::getenv("KINOVAL_SHOT_DIR");
    if (folder != nullptr && *folder != '\0')
        window.grab().save(QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(folder), QLatin1String(name)));
}

TEST_F(MainFormTest, PointingTheThrownBallGivesItsPositionsAndG)
{
    ASSERT_TRUE(OpenParabola());
    const TTruth truth = ReadSampleTruth(dir.File("parabole.txt"));
    ASSERT_EQ(truth.rows.size(), 26u);
    ASSERT_GE(form->View().width(), 640); // every click lands within half a frame pixel
    Shot(*form, "mainform_start");
    const double ppm = truth.values.at("pixels_per_metre");

    // The scale on the ruler, its length typed through the menu.
    Button("ButtonOutilEchelle")->click();
    ClickPicture(truth.values.at("ruler_x1_px"), truth.values.at("ruler_y1_px"));
    ClickPicture(truth.values.at("ruler_x2_px"), truth.values.at("ruler_y2_px"));
    ASSERT_EQ(data.ScalePointCount(), 2);
    valueAnswers = { truth.values.at("ruler_length_m") };
    Action("MenuMesuresValeurEchelle")->trigger();
    ASSERT_TRUE(data.ScaleComplete());

    // The origin on the ball's first position.
    Button("ButtonOutilOrigine")->click();
    ClickPicture(truth.rows[0].xPixel, truth.rows[0].yPixel);
    ASSERT_NE(data.OriginPlaced(), 0);

    // The ball on every frame: the view moves on by itself after each mark.
    Button("ButtonOutilMarque")->click();
    for (std::size_t i = 0; i < truth.rows.size(); ++i) {
        ASSERT_EQ(video.CurrentMontageFrame(), static_cast<int>(i));
        ClickPicture(truth.rows[i].xPixel, truth.rows[i].yPixel);
    }
    ASSERT_EQ(data.MarkCount(), 26);
    video.GoToFrame(25);
    form->View().Redraw();
    Shot(*form, "mainform_pointed");

    dlg.ClearRuns();
    dlg.Script(1); // the naming hint: Ignorer
    ASSERT_TRUE(form->ShowResults(results::TResultsPage::Table));
    EXPECT_EQ(shownPages, std::vector<results::TResultsPage> { results::TResultsPage::Table });
    ASSERT_EQ(results.Calc.Rows(), 26);

    // The table of the results window, read as the user sees it.
    TResForm& window = form->ResultsWindow();
    window.ShowPage(TResultsPage::Table);
    window.resize(900, 700);
    QApplication::processEvents();
    Shot(window, "results_table");
    results::TGrid& grid = window.GridModel()->Grid();
    int colT = -1, colX = -1, colY = -1;
    for (int c = 1; c < grid.ColCount(); ++c) {
        const std::string symbol = grid.Symbol(grid.IdentifierOf(c));
        if (symbol == "t")
            colT = c;
        else if (symbol == "x" && colX < 0)
            colX = c;
        else if (symbol == "y" && colY < 0)
            colY = c;
    }
    ASSERT_GT(colX, 0);
    ASSERT_GT(colY, 0);
    auto cell = [&grid](int column, int row) {
        return ParseTypedNumber(grid.CellText(column, results::TGrid::kHeaderLines + row, false)).value_or(1e300);
    };
    const double halfPixel = 0.5 / ppm;
    std::vector<double> t, y;
    for (int row = 0; row < 26; ++row) {
        const auto& r = truth.rows[static_cast<std::size_t>(row)];
        const double time = colT > 0 ? cell(colT, row) : results.Calc.Time(row);
        EXPECT_NEAR(time, r.t, 1e-6) << row;
        EXPECT_NEAR(cell(colX, row), r.x, halfPixel) << row;
        EXPECT_NEAR(cell(colY, row), r.y, halfPixel) << row;
        t.push_back(time);
        y.push_back(cell(colY, row));
    }
    modelling::TPolynomialFit fit;
    ASSERT_EQ(modelling::PolynomialFit(0, 3, t, y, fit), modelling::kFitOk);
    const double g = -2 * fit.coefficients[2];
    EXPECT_NEAR(g, truth.values.at("g"), 0.01 * truth.values.at("g"));

    // The time graph of y: the curve crosses the plot where the mapping puts the true heights.
    TResGraphPages& pages = *window.GraphPages();
    pages.Memory().Of(TMarkSet::Fixed).quantity = results::kQtyY;
    window.resize(1000, 700);
    window.show();
    window.ShowPage(TResultsPage::Time);
    QApplication::processEvents();
    graph::TGraph& timeGraph = *pages.CurrentGraph();
    const QImage timeShot = RenderGraphImage(timeGraph);
    Shot(window, "results_time_graph");
    const QColor red = drawing::ToQColor(data.MarkColor(0));
    for (const auto& r : truth.rows) {
        const TPoint p = timeGraph.WorldToScreen({ r.t, r.y });
        EXPECT_TRUE(ColourWithinAPixel(timeShot, p, red)) << "t = " << r.t << " at " << p.x << ", " << p.y;
    }

    // The trajectory over the video's picture: every mark's picture position lies on its world position,
    // and the ball of the frame shown lies under its mark.
    window.ShowPage(TResultsPage::Trajectory);
    window.findChild<QAction*>("MenuAffichageDessinerImageVideo")->trigger();
    QApplication::processEvents();
    graph::TGraph& trajectory = *pages.CurrentGraph();
    ASSERT_TRUE(trajectory.IsSourceImgVisible);
    for (const auto& r : truth.rows) {
        const graph::TWorldPoint w = trajectory.SourceImg().WorldOf(r.xPixel, r.yPixel);
        EXPECT_NEAR(w.x, r.x, halfPixel) << r.frame;
        EXPECT_NEAR(w.y, r.y, halfPixel) << r.frame;
    }
    Shot(window, "results_trajectory_video");
    trajectory.SetCurveVisible(0, graph::obPoint, false);
    trajectory.SetCurveVisible(0, graph::obSegment, false);
    const QImage over = RenderGraphImage(trajectory);
    TRgbImage frame;
    ASSERT_TRUE(video.DrawCurrentFrame(frame));
    const auto& last = truth.rows[static_cast<std::size_t>(video.CurrentRawFrame())];
    const std::uint8_t* ball = frame.At(int(last.xPixel), int(last.yPixel));
    const TPoint under = trajectory.WorldToScreen({ last.x, last.y });
    EXPECT_TRUE(ColourWithinAPixel(over, under, QColor(ball[0], ball[1], ball[2])))
        << "the ball is not under its mark at " << under.x << ", " << under.y;
}

} // namespace
} // namespace kinoval::test
