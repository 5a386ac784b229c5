// The tables of the formulas window: what each cell shows, what the control line does to it, what typing
// in it makes of the formulas and constants, and the copies a spreadsheet or Python reads.
#include "core/formulas/formula_grid.h"

#include "core/common/numbers.h"
#include "core/export/serveur.h"
#include "support/fake_desktop_services.h"
#include "support/kinematic_table.h"
#include "support/run_command.h"
#include "support/scripted_user_dlg.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kinoval::formulas {
namespace {

// One object over six rows, 0.04 s apart: x = 0.1 * row, v = row + 1, a = 10 + row.
test::TKinematicTable Motion()
{
    test::TKinematicTable table;
    table.times = { 0, 0.04, 0.08, 0.12, 0.16, 0.2 };
    table.frames = { { 0, 1, 2, 3, 4, 5 } };
    table.values[1] = { { 0, 0.1, 0.2, 0.3, 0.4, 0.5 } };
    table.values[5] = { { 1, 2, 3, 4, 5, 6 } };
    table.values[8] = { { 10, 11, 12, 13, 14, 15 } };
    table.angle = 0.25;
    return table;
}

class FormulaGrid : public ::testing::Test {
protected:
    FormulaGrid()
        : grid(formules)
        , constants(formules)
    {
        SetDecimalSeparator('.');
        table = Motion();
        formules.SetSource(&table);
        grid.DateText = [] { return std::string("08/12/2026 18:39:25"); };
        EXPECT_TRUE(formules.TryAddConstant("m", "0.1", "kg").accepted);
        EXPECT_TRUE(formules.TryAddFormula("Ec = 0.5*m*v^2", "énergie cinétique", "J").accepted);
        EXPECT_TRUE(formules.TryAddFormula("F = m*a", "force", "N").accepted);
    }

    ~FormulaGrid() override { SetDecimalSeparator(0); }

    std::vector<std::string> Column(int column, bool formatted) const
    {
        std::vector<std::string> cells;
        for (int line = TFormulaGrid::kHeaderLines; line < grid.LineCount(); ++line)
            cells.push_back(grid.CellText(column, line, formatted));
        return cells;
    }

    test::TKinematicTable table;
    TFormules formules;
    TFormulaGrid grid;
    TConstantGrid constants;
    test::TFakeDesktopServices desktop;
    test::TScriptedUserDlg dlg;
};

TEST_F(FormulaGrid, LinesAndColumns)
{
    // Row numbers, time, Ec, F, and the empty column of a new formula.
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.LineCount(), 4 + 6);
    EXPECT_TRUE(grid.IsNewColumn(4));
    EXPECT_EQ(grid.CellText(1, 1, true), "t");
    EXPECT_EQ(grid.CellText(1, 2, true), "s");
    EXPECT_EQ(grid.CellText(1, 3, true), "temps");
    EXPECT_EQ(grid.CellText(2, 0, true), ""); // the control line carries no text
    EXPECT_EQ(grid.CellText(2, 1, true), "Ec=0.5*m*v^2");
    EXPECT_EQ(grid.CellText(2, 2, true), "J");
    EXPECT_EQ(grid.CellText(2, 3, true), "énergie cinétique");
    EXPECT_EQ(grid.CellText(0, 4, true), "1");
    EXPECT_EQ(Column(2, false), (std::vector<std::string> { "0.05", "0.2", "0.45", "0.8", "1.25", "1.8" }));
    grid.Options.numberFromZero = true;
    EXPECT_EQ(grid.CellText(0, 4, true), "0");
    EXPECT_EQ(grid.CellText(0, 9, true), "5");
    // Only the header cells of the formulas take typing; the time is the measurement's.
    EXPECT_TRUE(grid.IsEditable(2, 1));
    EXPECT_TRUE(grid.IsEditable(4, 3));
    EXPECT_FALSE(grid.IsEditable(1, 1));
    EXPECT_FALSE(grid.IsEditable(2, 0));
    EXPECT_FALSE(grid.IsEditable(2, 5));
}

TEST_F(FormulaGrid, HidingAndDigitsLeaveTheValuesAsTheyAre)
{
    const std::vector<std::string> before = Column(3, false);
    const std::vector<std::string> shownBefore = Column(3, true);
    grid.ToggleColumn(2);
    grid.MoreDigits(3);
    EXPECT_TRUE(grid.IsHidden(2));
    EXPECT_EQ(Column(2, true), std::vector<std::string>(6, ""));
    EXPECT_EQ(grid.CellText(2, 1, true), "Ec=0.5*m*v^2"); // the formula stays in sight, its unit not
    EXPECT_EQ(grid.CellText(2, 2, true), "");
    EXPECT_EQ(Column(3, false), before);
    EXPECT_EQ(grid.Digits(3), 1);
    EXPECT_NE(Column(3, true), shownBefore);
    EXPECT_DOUBLE_EQ(formules.Formula(1).curve.values[2], 1.2);
    // The digits stay within 0..8; the time column has its own.
    for (int i = 0; i < 12; ++i)
        grid.MoreDigits(3);
    EXPECT_EQ(grid.Digits(3), 8);
    grid.FewerDigits(1);
    EXPECT_EQ(grid.Digits(1), 0);
    grid.MoreDigits(1);
    EXPECT_EQ(grid.TimeDigits(), 1);
    // A second click shows the column again; the copies leave hidden columns out meanwhile.
    grid.ToggleColumn(2);
    EXPECT_EQ(grid.CopiedColumns(), (std::vector<int> { 1, 2, 3 }));
    grid.ToggleColumn(3);
    EXPECT_EQ(grid.CopiedColumns(), (std::vector<int> { 1, 2 }));
}

TEST_F(FormulaGrid, DoubtfulEdgesOfDerivedQuantitiesAreHiddenWithThem)
{
    grid.Options.hideVelocityEdges = true;
    EXPECT_EQ(Column(2, false), (std::vector<std::string> { "", "0.2", "0.45", "0.8", "1.25", "" }));
    EXPECT_EQ(Column(3, false)[0], "1"); // F uses no velocity
    grid.Options.hideAccelerationEdges = true;
    EXPECT_EQ(Column(3, false), (std::vector<std::string> { "", "", "1.2", "1.3", "", "" }));
    // A formula over those formulas inherits their edges.
    ASSERT_TRUE(formules.TryAddFormula("E = Ec*0").accepted);
    EXPECT_EQ(Column(4, false), (std::vector<std::string> { "", "0", "0", "0", "0", "" }));
    formules.DeleteFormula(2);
    // A formula without any value says so on every line.
    ASSERT_TRUE(formules.TryAddFormula("s = Sqrt(0-1-x)").accepted);
    EXPECT_EQ(Column(4, true), std::vector<std::string>(6, "#Nombre!"));
}

TEST_F(FormulaGrid, TypingInTheTable)
{
    // The unit and the comment of the new column wait for its formula.
    EXPECT_TRUE(grid.SetCell(4, 2, "kg.m/s").accepted);
    EXPECT_EQ(grid.CellText(4, 2, true), "kg.m/s");
    EXPECT_EQ(formules.FormulaCount(), 2);
    const TEditOutcome p = grid.SetCell(4, 1, "p = m*v");
    ASSERT_TRUE(p.accepted);
    EXPECT_EQ(formules.Formula(2).unit, "kg.m/s");
    EXPECT_EQ(grid.CellText(5, 2, true), ""); // a new empty column again
    EXPECT_EQ(grid.CellText(4, 4, false), "0.1");

    // A refused formula changes nothing and says why.
    const TEditOutcome bad = grid.SetCell(5, 1, "q = (v");
    EXPECT_FALSE(bad.accepted);
    EXPECT_EQ(bad.message, "Une parenthèse ouverte n'a pas été fermée.");
    EXPECT_EQ(formules.FormulaCount(), 3);

    // Editing a formula's lines, and the right button of the control line.
    ASSERT_TRUE(grid.SetCell(2, 3, "énergie de mouvement").accepted);
    EXPECT_EQ(formules.Formula(0).comment, "énergie de mouvement");
    ASSERT_TRUE(grid.SetCell(2, 1, "Ec = m*v^2/2").accepted);
    EXPECT_EQ(grid.CellText(2, 4, false), "0.05");
    grid.DeleteColumn(3);
    EXPECT_EQ(formules.FormulaCount(), 2);
    EXPECT_EQ(grid.CellText(3, 1, true), "p=m*v");
}

TEST_F(FormulaGrid, CopiesForSpreadsheetsAndPython)
{
    ASSERT_TRUE(formules.TryAddFormula("m*v").accepted); // no name
    ASSERT_TRUE(formules.TryAddFormula("E\xC2\xB2 = v^4").accepted);
    TServeur out(desktop, dlg);
    EXPECT_EQ(grid.CopyText("kinoval", out), 5);
    const std::vector<std::string>& lines = out.Lines();
    ASSERT_EQ(lines.size(), 3u + 3u + 6u);
    EXPECT_EQ(lines[0], "kinoval");
    EXPECT_EQ(lines[1], "08/12/2026 18:39:25");
    EXPECT_EQ(lines[2], "Angle de rotation du repère dans le sens trigonométrique : 0.25 rad");
    // The names head the columns, as the programs that take the table name them.
    EXPECT_EQ(lines[3], "t\tEc\tF\tm*v\tE\xC2\xB2");
    EXPECT_EQ(lines[4], "s\tJ\tN\tpas d'unité saisie\tpas d'unité saisie");
    EXPECT_EQ(lines[5], "temps\ténergie cinétique\tforce\tpas de commentaire saisi\tpas de commentaire saisi");
    EXPECT_EQ(lines[7], "0.04\t0.2\t1.1\t0.2\t16");
    EXPECT_EQ(grid.FormulaCells(1), (std::vector<std::string> { "Ec", "F", "m*v", "E\xC2\xB2" }));
    EXPECT_EQ(grid.FormulaCells(5), (std::vector<std::string> { "0.2", "1.1", "0.2", "16" }));

    const TStringMatrix matrix = grid.Matrix();
    ASSERT_EQ(matrix.size(), 4u + 6u);
    EXPECT_EQ(matrix[0][1], "0.25");
    EXPECT_EQ(matrix[1][1], "Ec");
    EXPECT_EQ(matrix[9][3], "0.6");

    // Python reads the lists under their own names.
    grid.Options.hideVelocityEdges = true;
    grid.CopyPython(out);
    test::TTempDir dir;
    const std::string script = dir.File("formules.py");
    std::ofstream(script) << out.Text() << "\nprint(len(t), Ec[1], F[5], formule3[2], E2[2], Ec[0] != Ec[0])\n";
    EXPECT_EQ(test::RunCommand("/usr/bin/python3 '" + script + "'"), "6 0.2 1.5 0.3 81.0 True\n") << out.Text();
}

TEST_F(FormulaGrid, ConstantsTable)
{
    EXPECT_EQ(constants.LineCount(), 1 + 1 + 1);
    EXPECT_EQ(constants.CellText(0, TConstantGrid::cValue), "Valeur");
    EXPECT_EQ(constants.CellText(1, TConstantGrid::cName), "m");
    EXPECT_EQ(constants.CellText(1, TConstantGrid::cUnit), "kg");
    // The new line waits for both a name and a value.
    EXPECT_TRUE(constants.SetCell(2, TConstantGrid::cName, "P").accepted);
    EXPECT_EQ(formules.ConstantCount(), 1);
    EXPECT_EQ(constants.CellText(2, TConstantGrid::cName), "P");
    ASSERT_TRUE(constants.SetCell(2, TConstantGrid::cValue, "=m*9.81").accepted);
    ASSERT_EQ(formules.ConstantCount(), 2);
    EXPECT_EQ(constants.EditText(2, TConstantGrid::cValue), "=m*9.81");
    EXPECT_EQ(constants.CellText(2, TConstantGrid::cValue), "=m*9.81 = 0.981");
    EXPECT_EQ(constants.CellText(3, TConstantGrid::cName), "");
    // A refused value goes, the name waits for a better one.
    EXPECT_TRUE(constants.SetCell(3, TConstantGrid::cName, "g").accepted);
    EXPECT_FALSE(constants.SetCell(3, TConstantGrid::cValue, "9,8,1").accepted);
    EXPECT_EQ(constants.CellText(3, TConstantGrid::cName), "g");
    EXPECT_EQ(constants.CellText(3, TConstantGrid::cValue), "");
    // A change of m reaches the constant computed from it and the formulas.
    ASSERT_TRUE(constants.SetCell(1, TConstantGrid::cValue, "0.2").accepted);
    EXPECT_EQ(constants.CellText(2, TConstantGrid::cValue), "=m*9.81 = 1.962");
    EXPECT_EQ(grid.CellText(3, 4, false), "2");
    constants.DeleteLine(2);
    EXPECT_EQ(formules.ConstantCount(), 1);
}

} // namespace
} // namespace kinoval::formulas
