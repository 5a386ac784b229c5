#include "core/results/calcul_table_source.h"

#include "core/common/numbers.h"
#include "core/export/serveur.h"
#include "core/results/number_format.h"
#include "core/results/res_calc.h"
#include "support/fake_desktop_services.h"
#include "support/fake_measurement_source.h"
#include "support/scripted_user_dlg.h"

#include <gtest/gtest.h>

namespace kinoval::results {
namespace {

// Two objects in uniform motion on the fixed frame, the second one pointed from frame 1 only; one object
// on the transparent sheet.
class CalculTableTest : public ::testing::Test {
protected:
    CalculTableTest()
    {
        SetDecimalSeparator('.');
        for (int f = 0; f < 6; ++f) {
            document.AddMark(TMarkSet::Fixed, 0, f, 0.1 * f, 0.05 * f);
            if (f > 0)
                document.AddMark(TMarkSet::Fixed, 1, f, 0.5, 0.02 * f);
            document.AddMark(TMarkSet::Transparent, 0, f, -0.2 * f, 0);
        }
        document.fixed.geometry.xAxisAngle = 0.5;
        calc.SetTransparentModeHook([this] { return transparentMode; });
        EXPECT_EQ(calc.Recompute(kSelBoth), 0);
        EXPECT_TRUE(calc.Derive(kSelBoth, 0));
        grids.IsTransparentMode = [this] { return transparentMode; };
        grids.Resize(kSelBoth);
    }
    ~CalculTableTest() override { SetDecimalSeparator(0); }

    test::TFakeMeasurementSource document;
    TResCalc calc { document };
    bool transparentMode = false;
    TCalculTableSource fixedSource { calc.Fixed(), document, [](int k) { return k == 0 ? "A" : "B"; } };
    TCalculTableSource transparentSource { calc.Transparent(), document };
    TResGrid grids { fixedSource, transparentSource };
};

TEST_F(CalculTableTest, CellsComeFromTheCalculatorOfEachTable)
{
    TGrid& grid = grids.Current();
    grid.SetVisible(true, kPositionCodes | kVelocityCodes);
    grid.Layout();
    EXPECT_EQ(grid.ColCount(), 1 + 11);
    EXPECT_EQ(grid.LineCount(), 4 + 6);
    EXPECT_EQ(grid.CellText(2, 3, false), "Abscisse A");
    EXPECT_EQ(grid.CellText(4, 3, false), "Abscisse B");
    // Object B has no mark on the first row.
    EXPECT_EQ(grid.CellText(4, 4, false), "");
    EXPECT_EQ(grid.CellText(4, 5, false), FormatExportNumber(calc.Fixed().Value(kUserAxes, 1, kQtyX, 1)));
    // vx1 in the user's axes, a non-zero speed of the uniform motion.
    EXPECT_EQ(grid.CellText(6, 7, false), FormatExportNumber(calc.Fixed().Value(kUserAxes, 0, kQtyVx, 3)));
    EXPECT_GT(std::stod(grid.CellText(6, 7, false)), 1.0);

    transparentMode = true;
    TGrid& other = grids.Current();
    EXPECT_EQ(&other, &grids.Transparent());
    other.SetVisible(true, kPositionCodes);
    other.Layout();
    EXPECT_EQ(other.ColCount(), 1 + 3);
    EXPECT_EQ(other.CellText(2, 1, false), "x");
    EXPECT_EQ(other.CellText(2, 3, false), "Abscisse 1");
}

TEST_F(CalculTableTest, SettingsHideTheEdgesAndTheAngleComesFromTheDocument)
{
    TOptionValues options;
    options.hideVelocityEdges = true;
    options.numberMarksFromZero = true;
    grids.SetOptions(GridOptionsOf(options));
    TGrid& grid = grids.Camera();
    grid.SetVisible(true, CodeSet({ 3 }));
    grid.Layout();
    // vx1 hidden on rows 0 and 5, vx2 (marks on rows 1..5) on rows 1 and 5.
    EXPECT_EQ(grid.CellText(2, 4, false), "");
    EXPECT_NE(grid.CellText(2, 5, false), "");
    EXPECT_EQ(grid.CellText(2, 9, false), "");
    EXPECT_EQ(grid.CellText(3, 5, false), "");
    EXPECT_NE(grid.CellText(3, 6, false), "");
    EXPECT_EQ(grid.CellText(0, 4, false), "0");

    test::TFakeDesktopServices desktop;
    test::TScriptedUserDlg dlg;
    TServeur serveur(desktop, dlg);
    EXPECT_EQ(grid.CopyText("kinoval", serveur), 3);
    EXPECT_EQ(serveur.Lines()[2], "Angle de rotation du repère dans le sens trigonométrique : 0.5 rad");
    EXPECT_EQ(grid.Matrix()[0][1], "0.5");
}

} // namespace
} // namespace kinoval::results
