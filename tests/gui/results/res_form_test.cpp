// The results window's table page over a real study: a document pointed through a view on a synthetic
// video, the program's results machinery, and scripted dialogs and desktop.
#include "gui/results/res_form.h"

#include "core/common/numbers.h"
#include "core/document/data.h"
#include "core/document/scale.h"
#include "core/export/serveur.h"
#include "core/formulas/formules.h"
#include "core/formulas/kinematic_values.h"
#include "core/graph/graph.h"
#include "core/graph/measure_tools.h"
#include "core/graph/model_choices.h"
#include "core/graph/model_tool.h"
#include "core/graph/vectors.h"
#include "core/results/results_set.h"
#include "core/settings/options.h"
#include "core/video/document_link.h"
#include "core/video/video.h"
#include "gui/drawing/glyph_painter.h"
#include "gui/formulas/boite_formules.h"
#include "gui/formulas/calculatrice_form.h"
#include "gui/formulas/clavier_form.h"
#include "gui/formulas/formula_tables.h"
#include "gui/graph/graph_painter.h"
#include "gui/graph/graph_widget.h"
#include "gui/results/res_graph_pages.h"
#include "gui/results/res_modeller_panel.h"
#include "gui/results/results_grid_model.h"
#include "gui/results/results_grid_view.h"
#include "support/fake_desktop_services.h"
#include "support/run_command.h"
#include "support/scripted_user_dlg.h"
#include "support/synthetic_player.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <memory>
#include <numbers>
#include <sstream>

namespace kinoval {
namespace {

using results::TGrid;

constexpr int kFrames = 20;

// A 640 x 480 video at 25 frames a second; half the frame's width is one metre, so a normalised unit is
// 2 m across and 1.5 m down.
class ResFormTest : public ::testing::Test {
protected:
    ResFormTest()
        : video(factory, timer)
        , data(dlg, settings)
        , input(data, video)
        , results(data)
        , serveur(desktop, dlg)
    {
        SetDecimalSeparator('.');
        factory.video = test::TSyntheticVideo::Uniform(640, 480, 40, 0, 0, 0);
        links += video::LinkDocument(video, data, input);
        video.Resize(640, 480);
        EXPECT_TRUE(video.Open("clip.mp4"));
        data.NewStudy();
        data.SetTimeBetweenFrames(video.FrameDuration());
        data.SetTool(document::toScale);
        Click({ 0.25, 0.5 });
        Click({ 0.75, 0.5 });
        data.SetScaleLength(document::skSingle, 1);
        EXPECT_TRUE(data.ScaleComplete());
        data.SetTool(document::toPlaceMarks);
    }
    ~ResFormTest() override { SetDecimalSeparator(0); }

    void Click(TPointD image)
    {
        const TScreenPoint p = video.ImageToScreen(image);
        video.MouseDown(video::TMouseButton::Left, {}, p);
        video.MouseUp(video::TMouseButton::Left, {}, p);
    }
    // One object on frames 0 .. count-1: a swing across and a steady fall (vy = 0.375 m/s upward axes).
    void Point(int count)
    {
        std::vector<TPointD> positions;
        std::vector<int> frames;
        for (int f = 0; f < count; ++f) {
            positions.push_back({ 0.5 + 0.2 * std::sin(5.0 * f / 19), 0.2 + 0.01 * f });
            frames.push_back(f);
        }
        data.ImportMarks({ positions }, { frames });
    }
    TResForm& Form()
    {
        if (!form) {
            form = std::make_unique<TResForm>(
                TResFormParts { results, serveur, options, dlg, desktop, data, video, formules, {} });
            form->SetProgramPath("/usr/bin/kinoval");
            form->show();
        }
        return *form;
    }
    void Trigger(const char* name)
    {
        QAction* action = Form().findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    QString Shown(int line, int column)
    {
        TResultsGridModel* model = Form().GridModel();
        return model->data(model->index(line, column)).toString();
    }
    QStringList Symbols()
    {
        QStringList out;
        for (int c = 1; c < Form().GridModel()->columnCount(); ++c)
            out << Shown(1, c);
        return out;
    }
    int ColumnOf(const QString& symbol) { return static_cast<int>(Symbols().indexOf(symbol)) + 1; }
    QStringList Column(int column)
    {
        QStringList out;
        for (int line = TGrid::kHeaderLines; line < Form().GridModel()->rowCount(); ++line)
            out << Shown(line, column);
        return out;
    }
    // A left click in the control line, dx pixels from the column's left edge (negative: from the right),
    // where the user meets it: on the header lines that lie over the grid.
    void ControlClick(int column, int dx)
    {
        TResultsGridView* view = Form().GridView()->FrozenHeader();
        const int left = view->columnViewportPosition(column);
        const int x = dx >= 0 ? left + dx : left + view->columnWidth(column) + dx;
        const QPointF at(x, view->rowViewportPosition(0) + view->rowHeight(0) / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &press);
        QMouseEvent release(
            QEvent::MouseButtonRelease, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, {}, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &release);
    }

    test::TSyntheticFactory factory;
    test::TManualTimer timer;
    video::TVideo video;
    test::TScriptedUserDlg dlg;
    document::TDocumentSettings settings;
    document::TData data;
    video::TDocumentInput input;
    TConnections links; // the document and the montage follow the view while these are kept
    results::TResultsSet results;
    test::TFakeDesktopServices desktop;
    TServeur serveur;
    TOptions options;
    formulas::TFormules formules;
    std::unique_ptr<TResForm> form;
};

TEST_F(ResFormTest, TablePageShowsTheTableOfTheCurrentMarkSet)
{
    Point(kFrames);
    Form().ShowPage(TResultsPage::Table);
    EXPECT_EQ(Form().windowTitle(), "Tableau des valeurs");
    EXPECT_EQ(&Form().GridModel()->Grid(), &results.Grids.Camera());
    const TGrid& grid = results.Grids.Camera();
    ASSERT_EQ(Form().GridModel()->rowCount(), 4 + kFrames);
    ASSERT_EQ(Form().GridModel()->columnCount(), 1 + 12);
    for (int line = 0; line < grid.LineCount(); ++line)
        for (int column = 0; column < grid.ColCount(); ++column)
            ASSERT_EQ(Shown(line, column).toStdString(), grid.CellText(column, line, true)) << line << "," << column;
    EXPECT_EQ(Symbols(), QStringList({ "t", "x", "y", "vx", "vy", "v", "ax", "ay", "a", "O", "R", "w" }));
    EXPECT_EQ(Shown(2, 4), "m/s");
    EXPECT_EQ(Shown(3, 2), "Abscisse " + QString::fromStdString(data.ObjectName(0)));
    EXPECT_EQ(Column(1).mid(0, 3), QStringList({ "0", "0.040", "0.080" }));
    // A steady fall of 0.01 of the height per frame: 0.015 m in 0.04 s.
    EXPECT_EQ(Column(5).mid(2, 3), QStringList({ "-0.375", "-0.375", "-0.375" }));
    EXPECT_EQ(Shown(5, 0), "2");

    TResultsGridModel* model = Form().GridModel();
    EXPECT_EQ(model->data(model->index(0, 3), Qt::BackgroundRole).value<QColor>(), QColor(0xEB, 0xEB, 0xEB));
    EXPECT_EQ(model->data(model->index(1, 3), Qt::BackgroundRole).value<QColor>(), QColor(0xE2, 0xDB, 0xE2));
    EXPECT_EQ(model->data(model->index(3, 3), Qt::BackgroundRole).value<QColor>(), QColor(0xDB, 0xDF, 0xE2));
}

TEST(ControlLineAction, EdgesChangeDigitsAndTheMiddleHides)
{
    EXPECT_EQ(ControlLineAction(2, 0, 80), TControlClick::FewerDigits);
    EXPECT_EQ(ControlLineAction(2, 11, 80), TControlClick::FewerDigits);
    EXPECT_EQ(ControlLineAction(2, 12, 80), TControlClick::Hide);
    EXPECT_EQ(ControlLineAction(2, 67, 80), TControlClick::Hide);
    EXPECT_EQ(ControlLineAction(2, 68, 80), TControlClick::MoreDigits);
    EXPECT_EQ(ControlLineAction(2, 79, 80), TControlClick::MoreDigits);
    // The time column keeps its digit zones but is never hidden; the fixed column does nothing.
    EXPECT_EQ(ControlLineAction(1, 40, 80), TControlClick::None);
    EXPECT_EQ(ControlLineAction(1, 75, 80), TControlClick::MoreDigits);
    EXPECT_EQ(ControlLineAction(0, 5, 80), TControlClick::None);
    // A column of 12 pixels or less is all left zone: no digit is added.
    EXPECT_EQ(ControlLineAction(3, 11, 12), TControlClick::FewerDigits);
    EXPECT_EQ(ControlLineAction(3, 12, 12), TControlClick::None);
}

TEST_F(ResFormTest, ControlLineClicksChangeDigitsAndHideColumns)
{
    Point(kFrames);
    Form().ShowPage(TResultsPage::Table);
    const int y = ColumnOf("y");
    ASSERT_EQ(y, 3);
    const QString before = Shown(4, y);
    ControlClick(y, -3);
    EXPECT_EQ(results.Grids.Camera().Digits(y), 1);
    EXPECT_EQ(Shown(4, y).size(), before.size() + 1);
    EXPECT_TRUE(Shown(4, y).startsWith(before.left(before.size() - 1)));
    ControlClick(y, 3);
    EXPECT_EQ(results.Grids.Camera().Digits(y), 0);
    EXPECT_EQ(Shown(4, y), before);
    // The columns stay wide enough for their three zones after the refill.
    EXPECT_GE(Form().GridView()->columnWidth(y), 3 * kDigitZoneWidth);

    const int columns = Form().GridModel()->columnCount();
    ControlClick(y, Form().GridView()->columnWidth(y) / 2);
    EXPECT_EQ(Form().GridModel()->columnCount(), columns - 1);
    EXPECT_EQ(Shown(1, y), "vx");
    // The time column stays.
    ControlClick(1, Form().GridView()->columnWidth(1) / 2);
    EXPECT_EQ(Form().GridModel()->columnCount(), columns - 1);
    EXPECT_EQ(Shown(1, 1), "t");

    Trigger("MenuEditionRestaurerTableau");
    EXPECT_EQ(Form().GridModel()->columnCount(), columns);
    EXPECT_EQ(Shown(1, y), "y");
}

TEST_F(ResFormTest, HeaderLinesStayOverTheGridAndFollowItsColumns)
{
    Point(kFrames);
    Form().resize(400, 300);
    Form().ShowPage(TResultsPage::Table);
    TResultsGridView* grid = Form().GridView();
    TResultsGridView* header = grid->FrozenHeader();
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->isVisible());
    EXPECT_EQ(header->height(), grid->rowHeight(0) + grid->rowHeight(1) + grid->rowHeight(2) + grid->rowHeight(3));
    // Descriptions wrap on a taller line instead of widening their columns.
    EXPECT_GT(grid->rowHeight(3), grid->rowHeight(1));
    for (int column = 0; column < Form().GridModel()->columnCount(); ++column)
        EXPECT_EQ(header->columnWidth(column), grid->columnWidth(column)) << column;
    grid->setColumnWidth(2, 150);
    EXPECT_EQ(header->columnWidth(2), 150);
    ASSERT_GT(grid->horizontalScrollBar()->maximum(), 0);
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    EXPECT_EQ(header->horizontalScrollBar()->value(), grid->horizontalScrollBar()->value());
    EXPECT_EQ(header->columnViewportPosition(5), grid->columnViewportPosition(5));
}

TEST_F(ResFormTest, DisplayMenuChoosesTheColumnGroups)
{
    Point(kFrames);
    Form().ShowPage(TResultsPage::Table);
    Trigger("MenuAffichageVitesse");
    Trigger("MenuAffichagePolaire");
    EXPECT_EQ(Symbols(), QStringList({ "t", "x", "y", "ax", "ay", "a" }));
    Trigger("MenuAffichageCoordonnees");
    Trigger("MenuAffichageAcceleration");
    // With every group off the time column remains.
    EXPECT_EQ(Symbols(), QStringList({ "t" }));
    Trigger("MenuAffichageVitesse");
    EXPECT_EQ(Symbols(), QStringList({ "t", "vx", "vy", "v" }));
}

TEST_F(ResFormTest, SmoothingMenuChangesTheVelocities)
{
    Point(kFrames);
    Form().ShowPage(TResultsPage::Table);
    EXPECT_EQ(Form().SmoothFlags(), 0);
    const int vx = ColumnOf("vx");
    const int vy = ColumnOf("vy");
    const QStringList plain = Column(vx);
    const QStringList fall = Column(vy);
    Trigger("MenuCalculsLisserVitesse");
    EXPECT_EQ(Form().SmoothFlags(), kSmoothVelocity);
    EXPECT_TRUE(Form().findChild<QAction*>("MenuCalculsLisserVitesse")->isChecked());
    EXPECT_NE(Column(vx), plain);
    // A uniform motion has the same speed whichever way it is derived.
    EXPECT_EQ(Column(vy), fall);
    Form().SetSmoothing(0);
    EXPECT_FALSE(Form().findChild<QAction*>("MenuCalculsLisserVitesse")->isChecked());
    EXPECT_EQ(Column(vx), plain);
    Trigger("MenuCalculsLisserAcceleration");
    EXPECT_EQ(Form().SmoothFlags(), kSmoothAcceleration);
    EXPECT_EQ(Column(vx), plain);
}

TEST_F(ResFormTest, PythonCopyReadsBackAsTheTable)
{
    Point(kFrames);
    Form().ShowPage(TResultsPage::Table);
    Trigger("MenuEditionCopierTableauDansLePressePapierPourPython");
    ASSERT_FALSE(desktop.clipboard.empty());
    EXPECT_EQ(dlg.LastRun().Texts().front(), "Copie dans le presse-papier effectuée.");
    test::TTempDir dir;
    std::ofstream(dir.File("copy.txt")) << desktop.clipboard;
    std::ofstream(dir.File("read.py"))
        << "import ast, sys\n"
           "for line in open(sys.argv[1], encoding='utf-8'):\n"
           "    name, values = line.split(' = ', 1)\n"
           "    print(name, ' '.join(repr(float(v)) for v in ast.literal_eval(values)))\n";
    const std::string output = test::RunCommand("/usr/bin/python3 " + dir.File("read.py") + " " + dir.File("copy.txt"));
    std::istringstream lines(output);
    const TGrid& grid = results.Grids.Camera();
    std::string line;
    int column = 1;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        ASSERT_LT(column, grid.ColCount()) << output;
        EXPECT_EQ(name, grid.CellText(column, 1, false));
        double value = 0;
        int l = TGrid::kHeaderLines;
        while (words >> value) {
            EXPECT_DOUBLE_EQ(value, ParseFileDouble(grid.CellText(column, l, false)).value_or(-1e300))
                << name << " " << l;
            ++l;
        }
        EXPECT_EQ(l, grid.LineCount()) << name;
        ++column;
    }
    EXPECT_EQ(column, grid.ColCount()) << output;
}

TEST_F(ResFormTest, TooFewMarksTurnTheDerivedColumnsOffSilently)
{
    Point(2);
    Form().ShowPage(TResultsPage::Table);
    EXPECT_EQ(dlg.RunCount(), 0u);
    EXPECT_FALSE(Form().VelocityAvailable());
    EXPECT_FALSE(Form().AccelerationAvailable());
    EXPECT_FALSE(Form().PolarAvailable());
    EXPECT_FALSE(Form().findChild<QAction*>("MenuAffichageVitesse")->isEnabled());
    EXPECT_EQ(Symbols(), QStringList({ "t", "x", "y" }));
    EXPECT_EQ(Form().GridModel()->rowCount(), 4 + 2);

    // Once enough marks are there, the derived columns come back.
    data.EraseAllMarks();
    Point(6);
    Form().DocumentChanged();
    EXPECT_TRUE(Form().VelocityAvailable());
    EXPECT_EQ(Symbols().size(), 12);
    EXPECT_EQ(Form().GridModel()->rowCount(), 4 + 6);
}

TEST_F(ResFormTest, TransparentModeShowsTheOtherTable)
{
    Point(kFrames);
    for (int f = 0; f < 5; ++f)
        data.SetMarkPosition(data.TransparentSet(), 0, f, { 0.3 + 0.02 * f, 0.6 });
    Form().ShowPage(TResultsPage::Table);
    EXPECT_EQ(Form().GridModel()->rowCount(), 4 + kFrames);

    ASSERT_TRUE(video.SetMode(video::vmTransparentPointing));
    Form().DocumentChanged();
    EXPECT_EQ(&Form().GridModel()->Grid(), &results.Grids.Transparent());
    EXPECT_EQ(Form().GridModel()->rowCount(), 4 + 5);
    const TGrid& transparent = results.Grids.Transparent();
    EXPECT_EQ(Shown(4, 2).toStdString(), transparent.CellText(2, 4, true));

    ASSERT_TRUE(video.SetMode(video::vmFixedPointing));
    Form().ShowPage(TResultsPage::Table);
    EXPECT_EQ(&Form().GridModel()->Grid(), &results.Grids.Camera());
    EXPECT_EQ(Form().GridModel()->rowCount(), 4 + kFrames);
}

TEST_F(ResFormTest, ShowingTheWindowAgainBringsItUpToDate)
{
    Point(6);
    Form().ShowPage(TResultsPage::Table);
    Form().hide();
    data.EraseAllMarks();
    Point(kFrames);
    Form().show();
    EXPECT_EQ(Form().GridModel()->rowCount(), 4 + kFrames);
}

TEST_F(ResFormTest, NoScaleShowsNoStaleValues)
{
    Point(kFrames);
    Form().ShowPage(TResultsPage::Table);
    data.RemoveAxesAndScale();
    Form().DocumentChanged();
    EXPECT_FALSE(Form().Refresh());
    EXPECT_NE(Form().findChild<QWidget*>("LabelSansResultat"), nullptr);
    EXPECT_TRUE(Form().findChild<QWidget*>("LabelSansResultat")->isVisible());
    EXPECT_FALSE(Form().GridView()->isVisible());
}

TEST_F(ResFormTest, TextFileAndHandOvers)
{
    Point(kFrames);
    Form().ShowPage(TResultsPage::Table);
    test::TTempDir dir;
    desktop.saveAnswers.push_back(dir.File("mesures.txt"));
    Trigger("MenuFichierExporter");
    ASSERT_EQ(desktop.saveRequests.size(), 1u);
    EXPECT_EQ(desktop.saveRequests[0].title, "Exporter dans un fichier texte");
    std::ifstream file(dir.File("mesures.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u + kFrames);
    EXPECT_EQ(lines[0], "/usr/bin/kinoval");
    EXPECT_EQ(lines[3], "t\tx\ty\tvx\tvy\tv\tax\tay\ta\tO\tR\tw");

    desktop.saveAnswers.push_back(dir.File("mesures.csv"));
    Trigger("MenuFichierExporterCsv");
    EXPECT_TRUE(std::filesystem::exists(dir.File("mesures.csv")));

    Trigger("MenuEditionCopierTableauDansLePressePapier");
    EXPECT_EQ(desktop.clipboard.substr(0, 17), "/usr/bin/kinoval\n");
    EXPECT_EQ(dlg.LastRun().Texts().back(), "Les éléments des colonnes sont séparés par des tabulations");

    // Regressi unknown: the search procedure is offered; "Annuler" ends the hand-over.
    dlg.Script(1);
    Trigger("MenuEditionCopierEtLancerRegressi");
    EXPECT_EQ(dlg.LastRun().Texts().front(), "La copie a été annulée car Regressi est introuvable.");

    EXPECT_FALSE(Form().findChild<QAction*>("MenuEditionCopierEtLancerExcel") == nullptr);
    EXPECT_FALSE(Form().findChild<QAction*>("MenuEditionCopierEtLancerOpenOffice") == nullptr);
    Trigger("MenuFichierFermer");
    EXPECT_FALSE(Form().isVisible());
}

// ---- the graph pages ----

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent event(
        type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Whether the picture has a pixel of the colour within one pixel of a position.
bool ColourNear(const QImage& image, TPoint at, QColor colour)
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

TEST_F(ResFormTest, TheTimePageDrawsTheChosenQuantityOfEachTickedObject)
{
    Point(kFrames);
    Form().resize(1000, 700);
    Form().ShowPage(TResultsPage::Time);
    EXPECT_EQ(Form().Page(), TResultsPage::Time);
    EXPECT_EQ(Form().windowTitle(), "Evolution en fonction du temps");
    TResGraphPages* pages = Form().GraphPages();
    graph::TGraph* g = pages->CurrentGraph();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g, &pages->GraphOf(TResultsPage::Time, TMarkSet::Fixed));
    ASSERT_EQ(g->Curves().size(), 1u);
    EXPECT_EQ(g->Curves()[0]->x.size(), std::size_t(kFrames));
    EXPECT_EQ(g->AxeYFromLeft(), 140);
    EXPECT_EQ(g->AxeXFromBottom(), 100);
    EXPECT_EQ(g->World().xmin, 0);
    EXPECT_TRUE(pages->GraphWidget()->accessibleDescription().startsWith("1 courbe : x en fonction de t ("))
        << pages->GraphWidget()->accessibleDescription().toStdString();

    // y: the memory of the mark set keeps the choice.
    pages->Memory().Of(TMarkSet::Fixed).quantity = results::kQtyY;
    Form().ShowPage(TResultsPage::Time);
    const graph::TCourbe& curve = *g->Curves()[0];
    EXPECT_EQ(curve.ordinateName, "y");
    // Every measured height lies where the mapping puts it, in the curve's colour (the marks' red).
    QApplication::processEvents();
    const QImage shot = RenderGraphImage(*g);
    const QColor red = kinoval::drawing::ToQColor(data.MarkColor(0));
    for (std::size_t i = 0; i < curve.x.size(); ++i) {
        const TPoint p = g->WorldToScreen({ curve.x[i], curve.y[i] });
        EXPECT_TRUE(ColourNear(shot, p, red)) << "point " << i << " at " << p.x << ", " << p.y;
    }
}

TEST_F(ResFormTest, TransparentModeShowsTheSheetsOwnGraphsAndChoices)
{
    Point(kFrames);
    for (int f = 0; f < 5; ++f)
        data.SetMarkPosition(data.TransparentSet(), 0, f, { 0.3 + 0.02 * f, 0.6 });
    Form().resize(1000, 700);
    TResGraphPages* pages = Form().GraphPages();
    pages->Memory().Of(TMarkSet::Fixed).quantity = results::kQtyY;
    Form().ShowPage(TResultsPage::Time);
    EXPECT_EQ(pages->CurrentGraph(), &pages->GraphOf(TResultsPage::Time, TMarkSet::Fixed));
    EXPECT_EQ(pages->CurrentGraph()->Curves()[0]->x.size(), std::size_t(kFrames));

    ASSERT_TRUE(video.SetMode(video::vmTransparentPointing));
    Form().DocumentChanged();
    graph::TGraph* sheet = pages->CurrentGraph();
    EXPECT_EQ(sheet, &pages->GraphOf(TResultsPage::Time, TMarkSet::Transparent));
    ASSERT_EQ(sheet->Curves().size(), 1u);
    EXPECT_EQ(sheet->Curves()[0]->x.size(), 5u);
    // The sheet's set has its own choice: x, as a new window has it.
    EXPECT_EQ(sheet->Curves()[0]->ordinateName, "x");
    // No picture under the sheet's trajectory: its marks move with the sheet.
    Form().ShowPage(TResultsPage::Trajectory);
    EXPECT_FALSE(Form().findChild<QAction*>("MenuAffichageDessinerImageVideo")->isEnabled());

    ASSERT_TRUE(video.SetMode(video::vmFixedPointing));
    Form().ShowPage(TResultsPage::Time);
    EXPECT_EQ(pages->CurrentGraph()->Curves()[0]->ordinateName, "y");
}

TEST_F(ResFormTest, TheGraphFollowsTheMarks)
{
    Point(kFrames - 1);
    Form().ShowPage(TResultsPage::Time);
    EXPECT_EQ(Form().GraphPages()->CurrentGraph()->Curves()[0]->x.size(), std::size_t(kFrames - 1));
    // One more mark: the shown graph is built again at once.
    data.SetMarkPosition(data.FixedSet(), 0, kFrames - 1, { 0.5, 0.5 });
    Form().DocumentChanged();
    const graph::TGraph* g = Form().GraphPages()->CurrentGraph();
    ASSERT_EQ(g->Curves()[0]->x.size(), std::size_t(kFrames));
    EXPECT_NEAR(g->Curves()[0]->x.back(), 0.04 * (kFrames - 1), 1e-12);
}

TEST_F(ResFormTest, TheGraphFollowsTheSmoothing)
{
    Point(kFrames);
    Form().GraphPages()->Memory().Of(TMarkSet::Fixed).quantity = results::kQtyVx;
    Form().ShowPage(TResultsPage::Time);
    const std::vector<double> rough = Form().GraphPages()->CurrentGraph()->Curves()[0]->y;
    Trigger("MenuCalculsLisserVitesse");
    const std::vector<double> smooth = Form().GraphPages()->CurrentGraph()->Curves()[0]->y;
    ASSERT_EQ(rough.size(), smooth.size());
    EXPECT_NE(rough, smooth);
}

TEST_F(ResFormTest, AQuantityThatCannotBeDerivedShowsAsThePositions)
{
    Point(2); // too few marks for a velocity
    Form().GraphPages()->Memory().Of(TMarkSet::Fixed).quantity = results::kQtyVx;
    Form().ShowPage(TResultsPage::Time);
    EXPECT_FALSE(Form().VelocityAvailable());
    const graph::TGraph* g = Form().GraphPages()->CurrentGraph();
    ASSERT_EQ(g->Curves().size(), 1u);
    EXPECT_EQ(g->Curves()[0]->ordinateName, "x");
    // The choice waits for the velocities to come back.
    EXPECT_EQ(Form().GraphPages()->Memory().Of(TMarkSet::Fixed).quantity, results::kQtyVx);
}

TEST_F(ResFormTest, TheBubbleGivesThePointUnderTheMouseOverTheSameCurve)
{
    Point(kFrames);
    Form().resize(1000, 700);
    Form().ShowPage(TResultsPage::Time);
    graph::TGraph* g = Form().GraphPages()->CurrentGraph();
    TGraphWidget* widget = Form().GraphPages()->GraphWidget();
    const graph::TCourbe& curve = *g->Curves()[0];
    const QImage before = widget->grab().toImage();
    const TPoint p = g->WorldToScreen({ curve.x[3], curve.y[3] });
    SendMouse(widget, QEvent::MouseMove, QPointF(p.x + 2, p.y + 1));
    ASSERT_EQ(g->Bulle().lines.size(), 3u);
    EXPECT_EQ(g->Bulle().lines[1], "t = 0.120 s");
    // The bubble is drawn over the curve, which is painted as before outside the bubble.
    const QImage after = widget->grab().toImage();
    const QColor red = kinoval::drawing::ToQColor(data.MarkColor(0));
    for (std::size_t i = 0; i < curve.x.size(); ++i) {
        const TPoint q = g->WorldToScreen({ curve.x[i], curve.y[i] });
        EXPECT_EQ(ColourNear(after, q, red), ColourNear(before, q, red)) << "point " << i;
    }
    EXPECT_NE(before, after);

    // "Bulle des valeurs" moves it to the corner chosen, and it stays there on the other pages.
    EXPECT_EQ(g->Bulle().place, graph::TBullePlace::TopRight);
    Form().findChild<QAction*>("MenuAffichageBulleObjetBasGauche")->trigger();
    EXPECT_EQ(Form().GraphPages()->CurrentGraph()->Bulle().place, graph::TBullePlace::BottomLeft);
    Form().ShowPage(TResultsPage::Trajectory);
    EXPECT_EQ(Form().GraphPages()->CurrentGraph()->Bulle().place, graph::TBullePlace::BottomLeft);
    Form().ShowPage(TResultsPage::Table);
    EXPECT_FALSE(Form().findChild<QMenu*>("MenuAffichageBulleObjet")->isEnabled());
}

TEST_F(ResFormTest, TheZoomAndPanToolsMoveTheWindowAndRestoreComesBack)
{
    Point(kFrames);
    Form().resize(1000, 700);
    Form().ShowPage(TResultsPage::Time);
    graph::TGraph* g = Form().GraphPages()->CurrentGraph();
    TGraphWidget* widget = Form().GraphPages()->GraphWidget();
    ASSERT_GT(g->Plot().width, 100);
    const graph::TWorld shown = g->World();
    Trigger("ToolButtonGrapheZoom");
    EXPECT_EQ(g->Tool(), graph::gtZoom);
    const QPointF middle(g->Plot().left + g->Plot().width / 2.0, g->Plot().top + g->Plot().height / 2.0);
    SendMouse(widget, QEvent::MouseButtonPress, middle);
    SendMouse(widget, QEvent::MouseButtonRelease, middle);
    // One step in on both axes, about the point clicked.
    EXPECT_NEAR(g->World().Width(), shown.Width() / 1.5, 1e-9);
    EXPECT_NEAR(g->World().Height(), shown.Height() / 1.5, 1e-9);
    Trigger("MenuEditionRestaurerGraphe");
    EXPECT_EQ(g->World(), shown);
    // "Zoom > des abscisses" off: the ordinates only.
    Trigger("MenuAffichageZoomAbscisses");
    SendMouse(widget, QEvent::MouseButtonPress, middle);
    SendMouse(widget, QEvent::MouseButtonRelease, middle);
    EXPECT_EQ(g->World().xmin, shown.xmin);
    EXPECT_EQ(g->World().xmax, shown.xmax);
    EXPECT_NEAR(g->World().Height(), shown.Height() / 1.5, 1e-9);
    Trigger("MenuEditionRestaurerGraphe");
    EXPECT_EQ(g->World(), shown);

    Trigger("ToolButtonGrapheDeplacer");
    EXPECT_EQ(g->Tool(), graph::gtPan);
    EXPECT_FALSE(Form().findChild<QAction*>("ToolButtonGrapheZoom")->isChecked());
    SendMouse(widget, QEvent::MouseButtonPress, middle);
    SendMouse(widget, QEvent::MouseMove, middle + QPointF(20, 0));
    // While the mouse is held the shifted picture of the curve shows each point where it now maps.
    ASSERT_TRUE(g->Panning());
    widget->grab();
    SendMouse(widget, QEvent::MouseMove, middle + QPointF(50, -10));
    const QImage panned = widget->grab().toImage();
    const QColor red = kinoval::drawing::ToQColor(data.MarkColor(0));
    const graph::TCourbe& curve = *g->Curves()[0];
    int inside = 0;
    for (std::size_t i = 0; i < curve.x.size(); ++i) {
        const TPoint p = g->WorldToScreen({ curve.x[i], curve.y[i] });
        if (!g->Plot().Rect().Contains({ double(p.x), double(p.y) }))
            continue;
        ++inside;
        EXPECT_TRUE(ColourNear(panned, p, red)) << "point " << i << " at " << p.x << ", " << p.y;
    }
    EXPECT_GT(inside, 5);
    SendMouse(widget, QEvent::MouseButtonRelease, middle + QPointF(50, -10));
    EXPECT_FALSE(g->Panning());
    EXPECT_NEAR(g->World().xmin, shown.xmin - shown.Width() * 50 / g->Plot().width, 1e-9);
    Trigger("MenuEditionRestaurerGraphe");
    EXPECT_EQ(g->World(), shown);
}

TEST_F(ResFormTest, TheTrajectoryIsOrthonormalAndLiesOnTheVideo)
{
    Point(kFrames);
    Form().resize(1000, 700);
    Form().ShowPage(TResultsPage::Trajectory);
    EXPECT_EQ(Form().windowTitle(), "Trajectoire dans un référentiel");
    graph::TGraph* g = Form().GraphPages()->CurrentGraph();
    EXPECT_EQ(g, &Form().GraphPages()->GraphOf(TResultsPage::Trajectory, TMarkSet::Fixed));
    EXPECT_TRUE(g->IsOrthonormal());
    EXPECT_NEAR(g->Mapping().UnitsPerPixelX(), g->Mapping().UnitsPerPixelY(), 1e-12);
    EXPECT_FALSE(g->IsSourceImgVisible);
    Trigger("MenuAffichageDessinerImageVideo");
    g = Form().GraphPages()->CurrentGraph();
    ASSERT_TRUE(g->IsSourceImgVisible);
    // The picture is the frame at its size in metres: 2 m across (half its width is a metre).
    EXPECT_NEAR(g->SourceImg().WorldWidth(), 2, 1e-9);
    // Each mark's picture position lies on its world position.
    const auto& marks = *results.Calc.Current().MarksOf(0);
    for (std::size_t i = 0; i < marks.x.size(); ++i) {
        // Where Point() put the mark on the frame.
        const double f = double(i);
        const graph::TWorldPoint w
            = g->SourceImg().WorldOf(640 * (0.5 + 0.2 * std::sin(5.0 * f / 19)), 480 * (0.2 + 0.01 * f));
        EXPECT_NEAR(w.x, marks.x[i], 1e-9);
        EXPECT_NEAR(w.y, marks.y[i], 1e-9);
    }
}

TEST_F(ResFormTest, TheGraphGoesToTheClipboardAndToFiles)
{
    Point(kFrames);
    Form().resize(1000, 700);
    Form().ShowPage(TResultsPage::Time);
    test::TTempDir dir;
    const std::string png = dir.File("graphe.png"), svg = dir.File("graphe.svg"), pdf = dir.File("graphe.pdf");
    ASSERT_TRUE(Form().ExportGraph(png));
    QImage written(QString::fromStdString(png));
    EXPECT_EQ(written.width(), 2 * Form().GraphPages()->CurrentGraph()->Width());
    ASSERT_TRUE(Form().ExportGraph(svg));
    QFile drawing(QString::fromStdString(svg));
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    EXPECT_TRUE(drawing.readAll().contains("<svg"));
    ASSERT_TRUE(Form().ExportGraphPdf(pdf));
    QFile document(QString::fromStdString(pdf));
    ASSERT_TRUE(document.open(QIODevice::ReadOnly));
    EXPECT_TRUE(document.read(5) == "%PDF-");
    // A folder that does not exist: the export says so and writes nothing.
    EXPECT_FALSE(Form().ExportGraph(dir.File("nowhere/graphe.png")));
    // The table page has no graph to give.
    Form().ShowPage(TResultsPage::Table);
    EXPECT_FALSE(Form().ExportGraph(png));
    EXPECT_FALSE(Form().CopyGraph());
}

// ------------------------------------------------------------------------------ formulas, calculator

QString FormulaCell(TBoiteFormules& window, int line, int column)
{
    QAbstractItemModel* model = window.FormulaView()->model();
    return model->data(model->index(line, column)).toString();
}

void Type(QWidget& window, const char* field, const QString& text)
{
    auto* edit = window.findChild<QLineEdit*>(field);
    ASSERT_NE(edit, nullptr) << field;
    edit->setText(text);
}

void Press(QWidget& window, const char* button)
{
    auto* b = window.findChild<QAbstractButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    b->click();
}

void MouseOn(QTableView* view, int line, int column, Qt::MouseButton button)
{
    const QRect cell = view->visualRect(view->model()->index(line, column));
    const QPointF at = cell.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->viewport()->mapToGlobal(at), button, {}, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &release);
}

TEST_F(ResFormTest, FormulasTypedInTheirWindowAreComputedFromTheCurrentResults)
{
    Point(kFrames);
    Trigger("MenuCalculsSaisir");
    TBoiteFormules& window = Form().FormulasWindow();
    ASSERT_TRUE(window.isVisible());
    Type(window, "EditNomConstante", "m");
    Type(window, "EditValeurConstante", "2");
    Press(window, "ButtonAjouterConstante");
    Type(window, "EditNouvelleFormule", "p = m*vy");
    Type(window, "EditNouvelleUnite", "kg.m/s");
    Press(window, "ButtonAjouterFormule");
    EXPECT_EQ(dlg.RunCount(), 0u) << dlg.LastRun().Texts().front();
    EXPECT_EQ(FormulaCell(window, 1, 2), "p=m*vy");
    EXPECT_EQ(FormulaCell(window, 2, 2), "kg.m/s");
    // p is twice the velocity of the results table, on every line.
    const QStringList vy = Column(ColumnOf("vy"));
    ASSERT_EQ(window.FormulaView()->model()->rowCount(), 4 + kFrames);
    for (int row = 1; row + 1 < kFrames; ++row)
        EXPECT_NEAR(FormulaCell(window, 4 + row, 2).toDouble(), 2 * vy[row].toDouble(), 2e-3) << row;

    // A refused formula: its message, and the table as it was.
    Type(window, "EditNouvelleFormule", "x = 2*t");
    Press(window, "ButtonAjouterFormule");
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_NE(dlg.LastRun().Texts().front().find("Variable concernée : x"), std::string::npos);
    EXPECT_EQ(window.FormulaView()->model()->columnCount(), 4);

    // The formulas follow the document: more marks, more rows; no scale, no rows.
    Point(kFrames + 4);
    Form().DocumentChanged();
    EXPECT_EQ(window.FormulaView()->model()->rowCount(), 4 + kFrames + 4);
    EXPECT_FALSE(FormulaCell(window, 4 + kFrames + 2, 2).isEmpty());

    // Left in the middle of the control line hides the column, the right button deletes the formula.
    window.FormulaView()->resize(600, 300);
    MouseOn(window.FormulaView(), 0, 2, Qt::LeftButton);
    EXPECT_EQ(FormulaCell(window, 5, 2), "");
    EXPECT_FALSE(formules.Formula(0).curve.visible);
    EXPECT_TRUE(formules.Formula(0).curve.HasValue(1)); // hidden, still computed
    MouseOn(window.FormulaView(), 0, 2, Qt::RightButton);
    EXPECT_EQ(formules.FormulaCount(), 0);
    EXPECT_EQ(window.FormulaView()->model()->columnCount(), 3);
}

TEST_F(ResFormTest, TheAngleUnitOfTheFormulasAndTheSettingThatLocksThem)
{
    Point(kFrames);
    Form();
    Trigger("MenuCalculsAngleDegre");
    EXPECT_FALSE(options.anglesInRadians);
    TBoiteFormules& window = Form().FormulasWindow();
    ASSERT_TRUE(window.AddFormula("s = Sin(90)", "", ""));
    Form().Refresh();
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[0], 1);
    Trigger("MenuCalculsAngleRadian");
    EXPECT_TRUE(options.anglesInRadians);
    EXPECT_NEAR(formules.Formula(0).curve.values[0], std::sin(90.0), 1e-12);

    options.formulasEditable = false;
    Form().ApplyOptions();
    EXPECT_FALSE(window.findChild<QLineEdit*>("EditNouvelleFormule")->isEnabled());
    QAbstractItemModel* model = window.FormulaView()->model();
    EXPECT_FALSE(model->flags(model->index(1, 2)) & Qt::ItemIsEditable);
    window.FormulaView()->resize(600, 300);
    window.Open();
    MouseOn(window.FormulaView(), 0, 2, Qt::RightButton);
    EXPECT_EQ(formules.FormulaCount(), 1);
}

TEST_F(ResFormTest, CalculatorKeysAndPad)
{
    TCalculatriceForm& calc = Form().Calculator();
    calc.Open();
    QLineEdit* memo = calc.Memo();
    for (const char* key : { "2", "/", "3" }) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
        QApplication::sendEvent(memo, &press);
    }
    EXPECT_EQ(memo->text(), QString::fromUtf8("2÷3"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(memo, &enter);
    EXPECT_NEAR(memo->text().toDouble(), 2.0 / 3.0, 1e-14);
    // The inverse toggle and a function at the end of the text: the caret between the parentheses.
    Press(calc, "SpeedButtonAC");
    Press(calc, "SpeedButtonArc");
    Press(calc, "SpeedButtonSin");
    EXPECT_EQ(memo->text(), "ArcSin()");
    EXPECT_EQ(memo->cursorPosition(), 7);
    Press(calc, "SpeedButton1");
    Press(calc, "SpeedButtonEgal");
    EXPECT_NEAR(memo->text().toDouble(), std::numbers::pi / 2, 1e-13);
}

TEST_F(ResFormTest, KeyboardFavouritesComeBackAndItsFormulasJoinTheOthers)
{
    test::TTempDir dir;
    const std::string settings = dir.File("Kinoval.ini");
    {
        TClavierForm keyboard(settings);
        Type(keyboard, "MemoU", "J");
        Press(keyboard, "ButtonAddU");
        Press(keyboard, "ButtonAddU");
        EXPECT_EQ(keyboard.findChild<QComboBox*>("ComboBoxU")->count(), 1);
        Type(keyboard, "MemoF", "Ec = 0,5*m*v^2");
        Press(keyboard, "ButtonAddF");
    }
    TClavierForm again(settings);
    ASSERT_EQ(again.findChild<QComboBox*>("ComboBoxU")->count(), 1);
    EXPECT_EQ(again.findChild<QComboBox*>("ComboBoxU")->itemText(0), "J");
    EXPECT_EQ(again.findChild<QComboBox*>("ComboBoxF")->itemText(0), "Ec = 0,5*m*v^2");

    // v, then the i-1 key, from the results window's keyboard; validated, it is a formula of the study.
    Point(kFrames);
    TClavierForm& keyboard = Form().Keyboard();
    Type(keyboard, "MemoF", "dv = v - v");
    Press(keyboard, "SpeedButtonIMoins1");
    EXPECT_EQ(keyboard.FormulaText(), "dv = v - v[i-1]");
    Type(keyboard, "MemoU", "m/s");
    Press(keyboard, "SpeedButtonExe");
    ASSERT_EQ(formules.FormulaCount(), 1);
    EXPECT_EQ(formules.Formula(0).unit, "m/s");
    EXPECT_TRUE(Form().FormulasWindow().isVisible());
    EXPECT_EQ(keyboard.FormulaText(), ""); // ready for the next one
    EXPECT_EQ(keyboard.Clavier().History().Entries().back(), "dv = v - v[i-1]");
}

TEST_F(ResFormTest, TheFormulaTableLeavesTheProgramLikeTheResultsTable)
{
    Point(kFrames);
    TBoiteFormules& window = Form().FormulasWindow();
    ASSERT_TRUE(window.AddFormula("d = 2*x", "double de x", "m"));
    ASSERT_TRUE(window.AddFormula("q = x*x", "", ""));
    window.FormulaGrid().ToggleColumn(window.FormulaGrid().ColumnOf(1)); // hidden: not exported
    test::TTempDir dir;
    desktop.saveAnswers.push_back(dir.File("formules.txt"));
    window.findChild<QAction*>("MenuFichierExporter")->trigger();
    std::ifstream file(dir.File("formules.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u + kFrames);
    EXPECT_EQ(lines[0], "/usr/bin/kinoval");
    EXPECT_EQ(lines[3], "t\td");
    EXPECT_EQ(lines[4], "s\tm");
    EXPECT_EQ(lines[5], "temps\tdouble de x");
    window.findChild<QAction*>("MenuEditionCopierTableauDansLePressePapierPourPython")->trigger();
    EXPECT_NE(desktop.clipboard.find("d = ["), std::string::npos) << desktop.clipboard;
    EXPECT_EQ(desktop.clipboard.find("q = ["), std::string::npos);
}

TEST_F(ResFormTest, FormulasAndConstantsChangedInTheirTables)
{
    Point(kFrames);
    TBoiteFormules& window = Form().FormulasWindow();
    QAbstractItemModel* constants = window.ConstantView()->model();
    // The new constant's line takes its name, then its value.
    ASSERT_TRUE(constants->setData(constants->index(1, 0), "m"));
    EXPECT_EQ(formules.ConstantCount(), 0);
    ASSERT_TRUE(constants->setData(constants->index(1, 1), "2"));
    ASSERT_EQ(formules.ConstantCount(), 1);
    ASSERT_TRUE(window.AddFormula("p = m*x", "", ""));
    EXPECT_EQ(dlg.RunCount(), 0u);
    QAbstractItemModel* table = window.FormulaView()->model();
    const double x5 = formules.Source()->Value(0, 1, 5);
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[5], 2 * x5);
    // A changed value changes the formula's values; a changed expression too.
    ASSERT_TRUE(constants->setData(constants->index(1, 1), "3"));
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[5], 3 * x5);
    ASSERT_TRUE(table->setData(table->index(1, 2), "p = m*x + 1"));
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[5], 3 * x5 + 1);
    ASSERT_TRUE(table->setData(table->index(2, 2), "kg.m"));
    EXPECT_EQ(formules.Formula(0).unit, "kg.m");
    // A faulty expression is refused with the parser's message; the formula stays as it was.
    EXPECT_FALSE(table->setData(table->index(1, 2), "p = (m*x"));
    ASSERT_EQ(dlg.RunCount(), 1u);
    EXPECT_EQ(dlg.LastRun().Texts().front(), "Une parenthèse ouverte n'a pas été fermée.");
    EXPECT_EQ(formules.Formula(0).FormulaText(), "p=m*x+1");
    // The last column takes a new formula.
    ASSERT_TRUE(table->setData(table->index(1, 3), "q = p*2"));
    EXPECT_EQ(formules.FormulaCount(), 2);
}

TEST_F(ResFormTest, TheVectorPageDrawsTheVelocityOrTheAccelerationOnTheTrajectory)
{
    Point(kFrames);
    Form().resize(1000, 700);
    QApplication::processEvents();
    Form().ShowPage(TResultsPage::Vector);
    EXPECT_EQ(Form().Page(), TResultsPage::Vector);
    EXPECT_EQ(Form().windowTitle(), "Représentation des vecteurs");
    QApplication::processEvents();
    TResGraphPages* pages = Form().GraphPages();
    graph::TGraph* g = pages->CurrentGraph();
    ASSERT_EQ(g, &pages->GraphOf(TResultsPage::Vector, TMarkSet::Fixed));
    EXPECT_NE(g, &pages->GraphOf(TResultsPage::Trajectory, TMarkSet::Fixed));
    EXPECT_TRUE(g->IsOrthonormal());
    EXPECT_EQ(g->AxeYFromLeft(), 0);
    EXPECT_EQ(g->LEchelleEnPixels, 80);
    ASSERT_EQ(g->Curves().size(), 1u);
    const auto vectors = g->Curves()[0]->Of(graph::obVecteur);
    EXPECT_EQ(vectors.size(), std::size_t(kFrames));
    // The longest is a tenth of the plot's width.
    double longest = 0;
    for (const graph::TGElem* e : vectors) {
        const auto* v = static_cast<const graph::TGVecteur*>(e);
        longest
            = std::max(longest, std::hypot(v->TipPixel().x - v->AnchorPixel().x, v->TipPixel().y - v->AnchorPixel().y));
        EXPECT_EQ(v->Family(), graph::kFamilyVelocity);
    }
    EXPECT_NEAR(longest, 0.1 * g->Plot().width, 1e-6);
    const QString said = pages->GraphWidget()->accessibleDescription();
    EXPECT_TRUE(said.contains(QString::fromUtf8("20 vecteurs en m/s"))) << said.toStdString();
    auto* unit = Form().findChild<QLabel*>("LabelUniteVecteurs");
    auto* value = Form().findChild<QLineEdit*>("EditEchelleVecteurs");
    ASSERT_TRUE(unit && value);
    EXPECT_EQ(unit->text(), "m/s");
    const graph::TParamCom& record = *g->ParamComs().front();
    EXPECT_EQ(value->text().toStdString(), graph::FormatGeneral(record.barValue, 4, '.'));

    // The user's value for the arrow sets the scale.
    const double wanted = record.barValue / 2;
    value->setText(QString::number(wanted));
    emit value->editingFinished();
    EXPECT_NEAR(g->ParamComs().front()->barValue, wanted, 1e-3 * wanted);

    // The acceleration: another family, its unit, and the values beside the vectors on request.
    auto* family = Form().findChild<QComboBox*>("ComboChoix1");
    ASSERT_EQ(family->count(), 2);
    family->setCurrentIndex(1);
    g = pages->CurrentGraph();
    EXPECT_EQ(g->Curves()[0]->Of(graph::obVecteur).front()->Family(), graph::kFamilyAcceleration);
    EXPECT_EQ(unit->text(), QString::fromUtf8("m/s²"));
    EXPECT_FALSE(g->Display().vectorValues);
    Trigger("MenuAffichageDessinerValeurVecteurs");
    EXPECT_TRUE(pages->CurrentGraph()->Display().vectorValues);
    // The vector tool is offered here, and only here.
    EXPECT_TRUE(Form().findChild<QAction*>("ButtonOutilVecteur")->isEnabled());
    Form().ShowPage(TResultsPage::Trajectory);
    EXPECT_FALSE(Form().findChild<QAction*>("ButtonOutilVecteur")->isEnabled());
}

TEST_F(ResFormTest, ASegmentDrawnWithTheMouseShowsItsLengthAndUndoRemovesIt)
{
    Point(kFrames);
    Form().resize(1000, 700);
    Form().ShowPage(TResultsPage::Trajectory);
    QApplication::processEvents();
    TGraphWidget* widget = Form().GraphPages()->GraphWidget();
    graph::TGraph* g = Form().GraphPages()->CurrentGraph();
    QAction* segment = Form().findChild<QAction*>("ButtonOutilSegment");
    ASSERT_NE(segment, nullptr);
    EXPECT_FALSE(segment->toolTip().isEmpty());
    segment->setChecked(true);
    EXPECT_EQ(g->Tool(), graph::gtSegment);
    EXPECT_EQ(widget->cursor().shape(), Qt::CrossCursor);
    const QPointF from(300, 200), to(500, 200);
    QMouseEvent press(QEvent::MouseButtonPress, from, widget->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &press);
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, widget->mapToGlobal(to), Qt::LeftButton, {}, {});
    QApplication::sendEvent(widget, &release);
    QApplication::processEvents();
    const double length = std::fabs(g->ScreenToWorld({ 500, 200 }).x - g->ScreenToWorld({ 300, 200 }).x);
    const std::string expected = "Longueur du segment : " + graph::FormatLength(length, '.');
    EXPECT_TRUE(widget->accessibleDescription().toStdString().find(expected) != std::string::npos)
        << widget->accessibleDescription().toStdString();
    QAction* undo = Form().findChild<QAction*>("MenuEditionAnnuler");
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->text().toStdString(), "Annuler Créer Segment     (Ctrl A)");
    EXPECT_TRUE(undo->isEnabled());
    // Ctrl+A in the graph undoes it.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
    QApplication::sendEvent(widget, &key);
    QApplication::processEvents();
    EXPECT_EQ(widget->accessibleDescription().toStdString().find("Longueur du segment"), std::string::npos);
    EXPECT_EQ(undo->text().toStdString(), "Annuler     (Ctrl A)");
    EXPECT_FALSE(undo->isEnabled());

    // Three segments deleted from the menu come back with one undo.
    for (int k = 0; k < 3; ++k)
        g->AddElement(std::make_unique<graph::TGSegment>(
                          g->ScreenToWorld({ 300.0, 100.0 + 50 * k }), g->ScreenToWorld({ 400.0, 100.0 + 50 * k })))
            ->selected
            = true;
    Trigger("MenuEditionSupprimer");
    EXPECT_EQ(undo->text().toStdString(), "Annuler Supprimer Segment     (Ctrl A)");
    Trigger("MenuEditionAnnuler");
    int segments = 0;
    for (const auto& e : g->Elements())
        segments += e->Kind() == graph::obSegment && e->curve == nullptr ? 1 : 0;
    EXPECT_EQ(segments, 3);
    // The zoom and a measuring tool take turns.
    Trigger("ToolButtonGrapheZoom");
    EXPECT_FALSE(segment->isChecked());
    EXPECT_EQ(g->Tool(), graph::gtZoom);
}

// ---- models on the graphs ----

class ResFormModelTest : public ResFormTest {
protected:
    TResForm& ModelForm()
    {
        if (!form) {
            form = std::make_unique<TResForm>(
                TResFormParts { results, serveur, options, dlg, desktop, data, video, formules, {}, &choices });
            form->modelsChanged = [this] { ++modelChanges; };
        }
        return *form;
    }
    TModeleurPanel* Panel() { return ModelForm().GraphPages()->ModellerPanel(); }
    QStringList PanelLines() { return Panel()->accessibleDescription().split('\n'); }

    graph::TModelChoices choices;
    int modelChanges = 0;
};

TEST_F(ResFormModelTest, AModelButtonFitsDrawsAndShowsThePanelWithItsSteps)
{
    Point(kFrames);
    ModelForm().resize(1000, 700);
    ModelForm().show();
    ModelForm().ShowPage(TResultsPage::Time);
    TResGraphPages* pages = ModelForm().GraphPages();
    pages->Memory().Of(TMarkSet::Fixed).quantity = results::kQtyY;
    ModelForm().ShowPage(TResultsPage::Time);
    graph::TGraph* g = pages->CurrentGraph();
    QAction* parabola = ModelForm().findChild<QAction*>("ButtonModeleParabole");
    ASSERT_NE(parabola, nullptr);
    EXPECT_TRUE(parabola->isEnabled());
    EXPECT_EQ(parabola->toolTip(), "Modéliser par une parabole d'axe vertical");
    EXPECT_FALSE(ModelForm().findChild<QAction*>("MenuEditionCopierModele")->isEnabled());
    EXPECT_FALSE(Panel()->isVisible());

    parabola->trigger();
    QApplication::processEvents();
    graph::TGModele* model = graph::ModelOf(*g->Curves()[0]);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Type(), graph::mcParabole);
    // y = 0.2 - 0.01 f (normalised, downwards) over 1.5 m: a line, so the square coefficient is about 0.
    EXPECT_NEAR(model->Active()->Parameter(1), -0.375, 1e-6);
    EXPECT_EQ(g->Tool(), graph::gtModifierModele);
    EXPECT_TRUE(ModelForm().findChild<QAction*>("ToolButtonGrapheModifierModele")->isChecked());
    ASSERT_TRUE(Panel()->isVisible());
    EXPECT_EQ(PanelLines().front(), "Modèle: y = r + b.t + c.t²");
    // Inside the graph's control, against its right edge.
    const QRect inside = pages->GraphWidget()->rect().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(inside.contains(Panel()->geometry())) << Panel()->geometry().x() << "," << Panel()->geometry().y();
    // The model's teal over the plot, where the fit passes at the middle instant.
    const QImage shot = RenderGraphImage(*g);
    const double t = 0.2;
    const TPoint at = g->WorldToScreen({ t, model->Active()->Value(t) });
    EXPECT_TRUE(ColourNear(shot, at, QColor(0, 150, 150))) << at.x << ", " << at.y;
    EXPECT_EQ(choices.Find(graph::TimeCurveKey(0, "y", 0))->code, graph::mcParabole);
    EXPECT_GE(modelChanges, 1);
    // Resting over the model's curve, the hint is the model's text.
    TGraphWidget* widget = pages->GraphWidget();
    const QPoint over(at.x, at.y);
    QHelpEvent help(QEvent::ToolTip, over, widget->mapToGlobal(over));
    QApplication::sendEvent(widget, &help);
    EXPECT_EQ(QToolTip::text(), QString::fromStdString(model->ModelText()));

    // Three rows of four step buttons; "Diminuer b" makes the negative slope steeper.
    QList<QToolButton*> steps;
    for (QToolButton* b : Panel()->findChildren<QToolButton*>()) {
        if (b->isVisible())
            steps << b;
    }
    EXPECT_EQ(steps.size(), 12);
    QToolButton* decrease = nullptr;
    for (QToolButton* b : steps) {
        if (b->accessibleName() == "Diminuer b")
            decrease = b;
    }
    ASSERT_NE(decrease, nullptr);
    EXPECT_TRUE(decrease->autoRepeat());
    EXPECT_EQ(decrease->toolTip(),
        "Diminuer la valeur ; appuyer simultanément sur la touche Ctrl pour ralentir la progression");
    const double b = model->Active()->Parameter(1);
    decrease->click();
    EXPECT_DOUBLE_EQ(model->Active()->Parameter(1), b * 1.02);
    QApplication::processEvents();
    EXPECT_TRUE(model->HandAdjusted());
    ASSERT_FALSE(choices.Find(graph::TimeCurveKey(0, "y", 0))->parameters.empty());
    EXPECT_DOUBLE_EQ(choices.Find(graph::TimeCurveKey(0, "y", 0))->parameters[1], b * 1.02);

    // The adjusted model comes back when the page is built again.
    ModelForm().ShowPage(TResultsPage::Time);
    model = graph::ModelOf(*g->Curves()[0]);
    EXPECT_EQ(model->Type(), graph::mcParabole);
    EXPECT_DOUBLE_EQ(model->Active()->Parameter(1), b * 1.02);
    EXPECT_TRUE(Panel()->isVisible());

    // The menu: statistics too, then nothing, and the panel goes.
    Trigger("MenuAffichageBulleModeleStatistiques");
    EXPECT_TRUE(PanelLines().contains("Incertitudes sur les ordonnées: "));
    Trigger("MenuAffichageBulleModeleEquation");
    Trigger("MenuAffichageBulleModeleStatistiques");
    EXPECT_FALSE(Panel()->isVisible());
    Trigger("MenuAffichageBulleModeleEquation");
    EXPECT_TRUE(Panel()->isVisible());

    // The copy, and no model at all.
    Trigger("MenuEditionCopierModele");
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Modèle: y = r + b.t + c.t²\nr = "));
    Trigger("ButtonModeleAucun");
    EXPECT_EQ(model->Active(), nullptr);
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ(g->Tool(), graph::gtNone);
    EXPECT_EQ(choices.Find(graph::TimeCurveKey(0, "y", 0)), nullptr);
}

TEST_F(ResFormModelTest, TheLinearlyDampedSinusHasNoStepsAndThePanTakesTheToolBack)
{
    Point(kFrames);
    ModelForm().resize(1000, 700);
    ModelForm().show();
    ModelForm().ShowPage(TResultsPage::Time);
    Trigger("ButtonModeleSinusAl");
    QApplication::processEvents();
    ASSERT_TRUE(Panel()->isVisible());
    for (QToolButton* b : Panel()->findChildren<QToolButton*>())
        EXPECT_FALSE(b->isVisible());
    // Dragged by its grip far past the graph's corner, the panel stops 1 pixel inside; the page built
    // again keeps it where it was left.
    TGraphWidget* widget = ModelForm().GraphPages()->GraphWidget();
    const QPointF grip(Panel()->width() / 2.0, 16);
    SendMouse(Panel(), QEvent::MouseButtonPress, grip);
    QMouseEvent move(QEvent::MouseMove, grip + QPointF(5000, 5000), Panel()->mapToGlobal(grip) + QPointF(5000, 5000),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Panel(), &move);
    SendMouse(Panel(), QEvent::MouseButtonRelease, grip);
    EXPECT_EQ(Panel()->geometry().right() + 1, widget->width() - 1);
    EXPECT_EQ(Panel()->geometry().bottom() + 1, widget->height() - 1);
    const QPoint left = Panel()->pos();
    ModelForm().ShowPage(TResultsPage::Time);
    EXPECT_EQ(Panel()->pos(), left);
    EXPECT_TRUE(PanelLines().front().startsWith("Modèle: x\" + r.x + b.Sign(x') = c"))
        << PanelLines().front().toStdString();
    Trigger("ToolButtonGrapheDeplacer");
    EXPECT_FALSE(ModelForm().findChild<QAction*>("ToolButtonGrapheModifierModele")->isChecked());
    EXPECT_FALSE(Panel()->isVisible());
    // The trajectory takes no model.
    ModelForm().ShowPage(TResultsPage::Trajectory);
    EXPECT_FALSE(ModelForm().findChild<QAction*>("ButtonModeleParabole")->isEnabled());
    // Its bar stays, so the graph keeps its room from one page to the other.
    EXPECT_TRUE(ModelForm().findChild<QToolBar*>("ToolBarModeles")->isVisible());
    ModelForm().ShowPage(TResultsPage::Table);
    EXPECT_FALSE(ModelForm().findChild<QToolBar*>("ToolBarModeles")->isVisible());
}

TEST_F(ResFormModelTest, AFormulaAgainstTimeTakesAModelToo)
{
    Point(kFrames);
    ASSERT_TRUE(formules.TryAddFormula("h = 2*y").accepted);
    ModelForm().resize(1000, 700);
    ModelForm().show();
    ModelForm().ShowPage(TResultsPage::Formula);
    graph::TGraph* g = ModelForm().GraphPages()->CurrentGraph();
    ASSERT_EQ(g->Curves().size(), 1u);
    Trigger("ButtonModeleAffine");
    graph::TGModele* model = graph::ModelOf(*g->Curves()[0]);
    ASSERT_NE(model, nullptr);
    ASSERT_NE(model->Active(), nullptr);
    // h = 2 y falls at twice the speed of y.
    EXPECT_NEAR(model->Active()->Parameter(1), -0.75, 1e-6);
    EXPECT_EQ(PanelLines().front(), "Modèle: h = r + b.t");
    ASSERT_EQ(choices.All().size(), 1u);
    EXPECT_EQ(choices.All().begin()->first.rfind("Formule h", 0), 0u) << choices.All().begin()->first;
}

} // namespace
} // namespace kinoval
