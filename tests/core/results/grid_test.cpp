#include "core/results/grid.h"

#include "core/common/numbers.h"
#include "core/export/serveur.h"
#include "core/results/number_format.h"
#include "support/fake_desktop_services.h"
#include "support/fake_table_source.h"
#include "support/run_command.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace kinoval::results {
namespace {

using test::TFakeTableSource;

struct SeparatorGuard {
    explicit SeparatorGuard(char c) { SetDecimalSeparator(c); }
    ~SeparatorGuard() { SetDecimalSeparator(0); }
};

std::vector<std::string> HeaderLine(TGrid& grid, int line)
{
    std::vector<std::string> cells;
    for (int c = 1; c < grid.ColCount(); ++c)
        cells.push_back(grid.CellText(c, line, false));
    return cells;
}

void ShowAll(TGrid& grid)
{
    grid.SetVisible(true, kPositionCodes | kVelocityCodes | kAccelerationCodes | kPolarCodes);
    grid.Layout();
}

class GridTest : public ::testing::Test {
protected:
    SeparatorGuard separator { '.' };
    test::TFakeDesktopServices desktop;
    test::TScriptedUserDlg dlg;
    TServeur serveur { desktop, dlg };
};

TEST_F(GridTest, ColumnIdentifiersWithOneObjectHaveBareSymbols)
{
    TFakeTableSource source(1, 3);
    TGrid grid(source);
    ASSERT_EQ(grid.Columns().size(), 12u);
    ShowAll(grid);
    EXPECT_EQ(HeaderLine(grid, 1),
        (std::vector<std::string> { "t", "x", "y", "vx", "vy", "v", "ax", "ay", "a", "O", "R", "w" }));
    EXPECT_EQ(HeaderLine(grid, 2),
        (std::vector<std::string> { "s", "m", "m", "m/s", "m/s", "m/s", "m/s²", "m/s²", "m/s²", "rad", "m", "rad/s" }));
    EXPECT_EQ(grid.CellText(1, 3, false), "temps");
    EXPECT_EQ(grid.CellText(2, 3, false), "Abscisse objet 1");
    EXPECT_EQ(grid.CellText(9, 3, false), "Valeur de l'accélération objet 1");
    EXPECT_EQ(grid.CellText(12, 3, false), "Valeur de la vitesse angulaire objet 1");
}

TEST_F(GridTest, ColumnIdentifiersWithTwoObjectsAreNumberedAndGrouped)
{
    TFakeTableSource source(2, 3);
    TGrid grid(source);
    ASSERT_EQ(grid.Columns().size(), 23u);
    ShowAll(grid);
    EXPECT_EQ(HeaderLine(grid, 1),
        (std::vector<std::string> { "t", "x1", "y1", "x2", "y2", "vx1", "vy1", "v1", "vx2", "vy2", "v2", "ax1", "ay1",
            "a1", "ax2", "ay2", "a2", "O1", "R1", "w1", "O2", "R2", "w2" }));
    // Identifier → code and object drive the values: v1 is code 5 of object 0, R2 code 12 of object 1.
    EXPECT_EQ(grid.QuantityOf(7).code, 5);
    EXPECT_EQ(grid.QuantityOf(7).object, 0);
    EXPECT_EQ(grid.QuantityOf(21).code, 12);
    EXPECT_EQ(grid.QuantityOf(21).object, 1);
    EXPECT_EQ(grid.CellText(8, 4 + 2, false), FormatExportNumber(TFakeTableSource::DefaultValue(0, 5, 2)));
    EXPECT_EQ(grid.CellText(22, 4 + 1, false), FormatExportNumber(TFakeTableSource::DefaultValue(1, 12, 1)));
    EXPECT_EQ(grid.CellText(4, 3, false), "Abscisse objet 2");
}

TEST_F(GridTest, VisibilitySetsDigitsAndTheAlwaysShownTime)
{
    TFakeTableSource source(2, 4);
    TGrid grid(source);
    grid.Layout();
    // New entries start hidden: still one data column, the time.
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.LineCount(), 8);
    EXPECT_EQ(grid.CellText(1, 1, false), "t");

    grid.SetVisible(true, kVelocityCodes);
    grid.Layout();
    EXPECT_EQ(HeaderLine(grid, 1), (std::vector<std::string> { "t", "vx1", "vy1", "v1", "vx2", "vy2", "v2" }));
    grid.HideColumn(3); // vy1
    grid.HideColumn(1); // the time stays
    grid.Layout();
    EXPECT_EQ(HeaderLine(grid, 1), (std::vector<std::string> { "t", "vx1", "v1", "vx2", "vy2", "v2" }));
    grid.SetVisible(false, CodeSet({ 0, 3, 4, 5 }));
    grid.Layout();
    EXPECT_EQ(HeaderLine(grid, 1), (std::vector<std::string> { "t" }));

    grid.SetVisible(true, kPositionCodes);
    grid.Layout();
    for (int i = 0; i < 12; ++i)
        grid.MoreDigits(2);
    EXPECT_EQ(grid.Digits(2), 8);
    grid.FewerDigits(3);
    EXPECT_EQ(grid.Digits(3), 0);
    source.Set(0, 1, 0, 1.0 / 3);
    EXPECT_EQ(grid.CellText(2, 4, true), "0.33333333333");
    EXPECT_EQ(grid.CellText(2, 4, false), "0.333333333333333");

    // A new object keeps the entries of the existing identifiers, the new ones start hidden.
    source.frames.push_back(source.frames[0]);
    source.names.push_back("objet 3");
    grid.Resize();
    ASSERT_EQ(grid.Columns().size(), 34u);
    EXPECT_TRUE(grid.Columns()[1].visible);
    EXPECT_EQ(grid.Columns()[1].digits, 8);
    EXPECT_FALSE(grid.Columns()[33].visible);
    grid.ResetDigits();
    EXPECT_EQ(grid.Columns()[1].digits, 0);
}

TEST_F(GridTest, RowNumbersAndOutOfRangeCells)
{
    TFakeTableSource source(1, 3);
    TGrid grid(source);
    grid.Layout();
    EXPECT_EQ(grid.CellText(0, 4, false), "1");
    EXPECT_EQ(grid.CellText(0, 6, false), "3");
    EXPECT_EQ(grid.CellText(0, 2, false), "");
    grid.Options.numberFromZero = true;
    EXPECT_EQ(grid.CellText(0, 4, false), "0");
    EXPECT_EQ(grid.CellText(1, 0, false), "");
    EXPECT_EQ(grid.CellText(1, 7, false), "");
    EXPECT_EQ(grid.CellText(2, 4, false), "");
    EXPECT_EQ(grid.CellText(-1, 4, false), "");
}

TEST_F(GridTest, EdgeHidingOfVelocityAndAcceleration)
{
    TFakeTableSource source(1, 8);
    source.Unmark(0, 0); // the object's marks run from row 1 to row 6
    source.Unmark(0, 7);
    TGrid grid(source);
    grid.SetVisible(true, CodeSet({ 3, 6 }));
    grid.Layout();
    auto shown = [&](int column) {
        std::string pattern;
        for (int row = 0; row < 8; ++row)
            pattern += grid.CellText(column, 4 + row, false).empty() ? '.' : '#';
        return pattern;
    };
    EXPECT_EQ(shown(2), ".######.");
    EXPECT_EQ(shown(3), ".######.");
    grid.Options.hideVelocityEdges = true;
    grid.Options.hideAccelerationEdges = true;
    grid.Layout();
    EXPECT_EQ(shown(2), "..####..");
    EXPECT_EQ(shown(3), "...##...");
    EXPECT_EQ(shown(1), "########"); // the time is never hidden
}

TEST_F(GridTest, Colours)
{
    TFakeTableSource source(1, 2);
    TGrid grid(source);
    ShowAll(grid);
    EXPECT_EQ(grid.ColumnColour(1), clWhite);
    EXPECT_EQ(grid.ColumnColour(2), MakeColor(0xF8, 0xF8, 0xFF));
    EXPECT_EQ(grid.ColumnColour(4), MakeColor(0xFF, 0xFA, 0xFA));
    EXPECT_EQ(grid.ColumnColour(7), MakeColor(0xFF, 0xFA, 0xF0));
    EXPECT_EQ(grid.ColumnColour(12), MakeColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(TGrid::HeaderLineColour(0), MakeColor(0xEB, 0xEB, 0xEB));
    EXPECT_EQ(TGrid::HeaderLineColour(1), MakeColor(0xE2, 0xDB, 0xE2));
    EXPECT_EQ(TGrid::HeaderLineColour(3), MakeColor(0xDB, 0xDF, 0xE2));
}

TEST_F(GridTest, TabSeparatedCopyWithAnEmptyCell)
{
    TFakeTableSource source(2, 3, 0.5);
    source.angle = 0.25;
    source.Unmark(0, 1);
    source.Set(1, 1, 2, 2.5);
    TGrid grid(source);
    grid.DateText = [] { return std::string("08/12/2026 10:00:00"); };
    grid.SetVisible(true, kPositionCodes);
    EXPECT_EQ(grid.CopyText("/usr/bin/kinoval", serveur), 5);
    const auto& lines = serveur.Lines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "/usr/bin/kinoval");
    EXPECT_EQ(lines[1], "08/12/2026 10:00:00");
    EXPECT_EQ(lines[2], "Angle de rotation du repère dans le sens trigonométrique : 0.25 rad");
    EXPECT_EQ(lines[3], "t\tx1\ty1\tx2\ty2");
    EXPECT_EQ(lines[4], "s\tm\tm\tm\tm");
    EXPECT_EQ(lines[5], "temps\tAbscisse objet 1\tOrdonnée objet 1\tAbscisse objet 2\tOrdonnée objet 2");
    EXPECT_EQ(lines[6], "0\t1\t2\t101\t102");
    EXPECT_EQ(lines[7], "0.5\t\t\t101.125\t102.125");
    EXPECT_EQ(lines[8], "1\t1.25\t2.25\t2.5\t102.25");
}

TEST_F(GridTest, PythonCopyOfIntegersAndCommaDecimals)
{
    SeparatorGuard comma(',');
    TFakeTableSource source(1, 3);
    source.Set(0, 1, 0, 3);
    source.Set(0, 1, 1, 2.5);
    source.Set(0, 1, 2, 1.5e-7);
    TGrid grid(source);
    grid.SetVisible(true, CodeSet({ 1 }));
    grid.CopyPython(serveur);
    ASSERT_EQ(serveur.Lines().size(), 2u);
    EXPECT_EQ(serveur.Lines()[0], "t = [0.0, 0.04, 0.08]");
    EXPECT_EQ(serveur.Lines()[1], "x = [3.0, 2.5, 1.5E-7]");
}

TEST_F(GridTest, PythonReadsEveryListOfATwoObjectTable)
{
    TFakeTableSource source(2, 5);
    source.Unmark(1, 0);
    source.Unmark(1, 4);
    source.Set(0, 5, 2, std::nan(""));
    source.Set(0, 3, 3, -7);
    TGrid grid(source);
    grid.SetVisible(true, kPositionCodes | kVelocityCodes);
    grid.CopyPython(serveur);

    test::TTempDir dir;
    {
        std::ofstream(dir.File("copy.py")) << serveur.Text() << "\n";
        // Prints every list as name:value;value (nan for missing values), in the copy's order.
        std::ofstream(dir.File("check.py"))
            << "import math, sys\n"
               "names = {}\n"
               "exec(open(sys.argv[1]).read(), {}, names)\n"
               "for line in open(sys.argv[1]):\n"
               "    name = line.split(' = ')[0]\n"
               "    vals = names[name]\n"
               "    assert all(isinstance(v, float) for v in vals), name\n"
               "    print(name + ':' + ';'.join('nan' if math.isnan(v) else repr(v) for v in vals))\n";
    }
    std::string expected;
    grid.Layout();
    for (int c = 1; c < grid.ColCount(); ++c) {
        expected += grid.CellText(c, 1, false) + ":";
        for (int row = 0; row < 5; ++row) {
            if (row > 0)
                expected += ";";
            const TColumnQuantity q = grid.QuantityOf(grid.IdentifierOf(c));
            const bool missing = q.object >= 0 && source.FrameOf(q.object, row) < 0;
            const double value = q.code == 0 ? source.Time(row) : source.Value(q.object, q.code, row);
            char text[64];
            std::snprintf(text, sizeof text, "%.15g", value);
            const double rounded = std::strtod(text, nullptr);
            std::snprintf(text, sizeof text, "%.17g", rounded);
            expected += missing || std::isnan(value) ? std::string("nan") : std::string(text);
        }
        expected += "\n";
    }
    // Python's repr is the shortest round-trip text; compare numbers, not texts.
    const std::string output = test::RunCommand("/usr/bin/python3 " + dir.File("check.py") + " " + dir.File("copy.py"));
    std::istringstream got(output), want(expected);
    std::string gotLine, wantLine;
    int lines = 0;
    while (std::getline(want, wantLine)) {
        ASSERT_TRUE(std::getline(got, gotLine)) << output;
        const auto colon = wantLine.find(':');
        ASSERT_EQ(gotLine.substr(0, colon + 1), wantLine.substr(0, colon + 1)) << output;
        std::istringstream g(gotLine.substr(colon + 1)), w(wantLine.substr(colon + 1));
        std::string gv, wv;
        while (std::getline(w, wv, ';')) {
            ASSERT_TRUE(std::getline(g, gv, ';')) << gotLine;
            if (wv == "nan")
                EXPECT_EQ(gv, "nan") << gotLine;
            else
                EXPECT_EQ(std::strtod(gv.c_str(), nullptr), std::strtod(wv.c_str(), nullptr)) << gotLine;
        }
        EXPECT_FALSE(std::getline(g, gv, ';')) << gotLine;
        ++lines;
    }
    EXPECT_EQ(lines, 11);
}

TEST_F(GridTest, SpreadsheetMatrixCarriesTheAngle)
{
    SeparatorGuard comma(',');
    TFakeTableSource source(1, 2);
    source.angle = 0.5;
    source.Set(0, 1, 1, std::nan(""));
    TGrid grid(source);
    grid.SetVisible(true, kPositionCodes);
    const TStringMatrix matrix = grid.Matrix();
    ASSERT_EQ(matrix.size(), 6u);
    ASSERT_EQ(matrix[0].size(), 3u);
    EXPECT_EQ(matrix[0][0], "Angle de rotation du repère dans le sens trigonométrique (rad) : ");
    EXPECT_EQ(matrix[0][1], "0,5");
    EXPECT_EQ(matrix[0][2], "");
    EXPECT_EQ(matrix[1], (std::vector<std::string> { "t", "x", "y" }));
    EXPECT_EQ(matrix[4], (std::vector<std::string> { "0", "1", "2" }));
    EXPECT_EQ(matrix[5], (std::vector<std::string> { "0,04", "#Nombre!", "2,125" }));

    // A single column has no room for the angle.
    grid.SetVisible(false, kPositionCodes);
    const TStringMatrix alone = grid.Matrix();
    ASSERT_EQ(alone[0].size(), 1u);
    EXPECT_EQ(alone[0][0], "");
}

TEST_F(GridTest, ResGridFollowsTheViewMode)
{
    TFakeTableSource camera(1, 2), transparent(2, 2);
    TResGrid grids(camera, transparent);
    bool transparentMode = false;
    grids.IsTransparentMode = [&] { return transparentMode; };
    EXPECT_EQ(&grids.Current(), &grids.Camera());
    transparentMode = true;
    EXPECT_EQ(&grids.Current(), &grids.Transparent());

    grids.Camera().SetVisible(true, kPositionCodes);
    grids.Camera().Layout();
    grids.Camera().MoreDigits(2);
    grids.Transparent().SetVisible(true, kPositionCodes);
    grids.Transparent().Layout();
    grids.Transparent().MoreDigits(2);
    grids.ResetDigits(kSelCurrent);
    EXPECT_EQ(grids.Transparent().Digits(2), 0);
    EXPECT_EQ(grids.Camera().Digits(2), 1);
    grids.ResetDigits(kSelBoth);
    EXPECT_EQ(grids.Camera().Digits(2), 0);
}

} // namespace
} // namespace kinoval::results
