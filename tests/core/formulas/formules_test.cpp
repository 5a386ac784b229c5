#include "core/formulas/formules.h"

#include "core/common/ini_file.h"
#include "core/common/numbers.h"
#include "core/formulas/kinematic_values.h"
#include "support/kinematic_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <vector>

namespace kinoval::formulas {
namespace {

constexpr double pi = std::numbers::pi;

using TTable = test::TKinematicTable;

// Two objects over five rows, 0.04 s apart. Object 1 is marked on every row with v = 1..5 and
// x = 0.1 * row; object 2 only on rows 1 to 3.
TTable TwoObjects()
{
    TTable table;
    table.times = { 0, 0.04, 0.08, 0.12, 0.16 };
    table.frames = { { 0, 1, 2, 3, 4 }, { -1, 1, 2, 3, -1 } };
    table.values[1] = { { 0, 0.1, 0.2, 0.3, 0.4 }, { 0, 1, 2, 3, 0 } };
    table.values[2] = { { 1, 1, 1, 1, 1 }, { 0, 5, 5, 5, 0 } };
    table.values[5] = { { 1, 2, 3, 4, 5 }, { 0, 10, 20, 30, 0 } };
    table.values[6] = { { 9, 9, 9, 9, 9 }, { 0, 9, 9, 9, 0 } };
    table.values[11] = { { pi / 2, pi / 2, pi / 2, pi / 2, pi / 2 }, { 0, 0, 0, 0, 0 } };
    table.angle = pi / 6;
    return table;
}

class Formules : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDecimalSeparator(',');
        table = TwoObjects();
        formules.SetSource(&table);
    }
    void TearDown() override { SetDecimalSeparator(0); }

    // Adds a formula, validates it, and returns the code.
    int Add(const std::string& text)
    {
        const int k = formules.AddFormula(text);
        return formules.Validate(formules.Formula(k));
    }
    int AddConstant(const std::string& name, const std::string& value)
    {
        const int k = formules.AddConstant(name, value);
        return formules.Validate(formules.Constant(k));
    }

    TTable table;
    TFormules formules;
};

TEST_F(Formules, KineticEnergyOnEveryMarkedRow)
{
    ASSERT_EQ(AddConstant("m", "0,5"), 0);
    ASSERT_EQ(Add("Ec = 0,5*m*v^2"), 0);
    const TRec& ec = formules.Formula(0);
    EXPECT_EQ(ec.name, "Ec");
    EXPECT_EQ(ec.expression, "0,5*m*v^2");
    ASSERT_EQ(ec.curve.values.size(), 5u);
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(ec.curve.HasValue(row)); // the first and last rows too
        EXPECT_DOUBLE_EQ(ec.curve.values[static_cast<std::size_t>(row)], 0.25 * (row + 1) * (row + 1));
    }
    EXPECT_EQ(ec.curve.firstRow, 0);
    EXPECT_EQ(ec.curve.lastRow, 4);
    EXPECT_TRUE(ec.curve.dependsOnVelocity);
    EXPECT_FALSE(ec.curve.dependsOnAcceleration);
    EXPECT_FALSE(ec.curve.unusableAsAbscissa);
    EXPECT_EQ(ec.comment, "pas de commentaire saisi");
    EXPECT_EQ(ec.unit, "pas d'unité saisie");

    // The second object has values only where it is marked.
    ASSERT_EQ(Add("Ec2=0,5*m*v2^2"), 0);
    const TCurve& second = formules.Formula(1).curve;
    EXPECT_EQ(second.mask, (std::vector<int> { -1, 0, 0, 0, -1 }));
    EXPECT_EQ(second.firstRow, 1);
    EXPECT_EQ(second.lastRow, 3);
    EXPECT_DOUBLE_EQ(second.values[2], 100);
    EXPECT_DOUBLE_EQ(formules.MaxAll(), 225);
    EXPECT_DOUBLE_EQ(formules.MinAll(), 0.25);
    formules.Formula(1).curve.visible = false;
    EXPECT_DOUBLE_EQ(formules.MaxAll(), 6.25);
}

// A fall in a fluid computed step by step, each row from the previous one.
class IterativeFormula : public Formules {
protected:
    void AddFluidConstants()
    {
        for (const auto& [name, value] :
            std::vector<std::pair<std::string, std::string>> { { "Dt", "0,04" }, { "m", "0,01" }, { "g", "9,81" },
                { "Rho", "1260" }, { "Vol", "1E-6" }, { "Nu", "1,5" }, { "Ray", "0,006" } }) {
            ASSERT_EQ(AddConstant(name, value), 0) << name;
        }
    }
    static constexpr const char* kFormula
        = "v_lam[i+1] = v_lam[i] + (Dt\xC3\xB7m)*(m*g-Rho*Vol*g-6*Pi*Nu*Ray*v_lam[i])";
    static double Step(double v)
    {
        return v + (0.04 / 0.01) * (0.01 * 9.81 - 1260 * 1e-6 * 9.81 - 6 * pi * 1.5 * 0.006 * v);
    }
};

TEST_F(IterativeFormula, StartsFromItsInitialConstant)
{
    AddFluidConstants();
    ASSERT_EQ(AddConstant("v_lam[1]", "0,2"), 0); // an initial value, not a clash with the formula's name
    ASSERT_EQ(Add(kFormula), 0);
    const TRec& rec = formules.Formula(0);
    EXPECT_EQ(rec.baseName, "v_lam");
    EXPECT_EQ(rec.offset, 1);
    double expected = 0.2;
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(rec.curve.HasValue(row));
        EXPECT_NEAR(rec.curve.values[static_cast<std::size_t>(row)], expected, 1e-12);
        expected = Step(expected);
    }

    // Numbered from zero, v_lam[1] is the second row's value and the first row has none.
    formules.SetStartAtZero(true);
    EXPECT_EQ(formules.ComputeFormulas(), 0);
    EXPECT_FALSE(formules.Formula(0).curve.HasValue(0));
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[1], 0.2);
    formules.RemoveConstant(formules.ConstantCount() - 1);
    formules.AddConstant("v_lam[0]", "0,2");
    EXPECT_EQ(formules.ComputeFormulas(), 0);
    EXPECT_NEAR(formules.Formula(0).curve.values[4], Step(Step(Step(Step(0.2)))), 1e-12);
}

TEST_F(IterativeFormula, WithoutInitialValueNamesBothNumberings)
{
    AddFluidConstants();
    const int k = formules.AddFormula(kFormula);
    EXPECT_EQ(formules.Validate(formules.Formula(k)), fcParser);
    EXPECT_EQ(formules.Message(fcParser, formules.Formula(k)),
        "Variable dont la valeur est inconnue : v_lam. Vérifier que la valeur initiale (v_lam[0] ou v_lam[1]) "
        "est déclarée dans le tableau des constantes.");
    EXPECT_TRUE(formules.Formula(k).curve.unusableAsAbscissa);
    EXPECT_EQ(formules.Formula(k).curve.mask, std::vector<int>(5, -1)); // stays in the list, without values
}

TEST_F(Formules, RefusedNames)
{
    const auto refused = [&](const std::string& text) {
        const int code = Add(text);
        const std::string message = formules.Message(code, formules.Formula(formules.FormulaCount() - 1));
        formules.RemoveFormula(formules.FormulaCount() - 1);
        return std::make_pair(code, message);
    };
    EXPECT_EQ(refused("x=t*2"),
        std::make_pair(int { fcPredefined },
            std::string("Nom identique à celui d'une variable prédéfinie (la "
                        "comparaison ne tient pas compte de la casse). Variable "
                        "concernée : x")));
    EXPECT_EQ(refused("X=t*2").first, fcPredefined);
    EXPECT_EQ(refused("vx2=t*2").first, fcPredefined);
    EXPECT_EQ(refused("vx7=t*2").first, fcPredefined); // numbers of objects not pointed yet too
    EXPECT_EQ(refused("w=t").first, fcPredefined);
    EXPECT_EQ(refused("2a=t*2"),
        std::make_pair(int { fcBadName },
            std::string("Un nom ne doit pas commencer par un chiffre et ne "
                        "contient que des lettres ou des chiffres. Variable ou "
                        "constante incorrecte : 2a")));
    EXPECT_EQ(refused("a[]=t*2").first, fcBadIndex);
    EXPECT_EQ(refused("h[3]=t*2").first, fcBadIndex); // a formula's index is relative
    EXPECT_EQ(refused("h[i+1]x=t*2").first, fcBadIndex);
    EXPECT_EQ(refused("h]=t*2").first, fcBadName);
    EXPECT_EQ(refused("h\xC3\xA9=t*2").first, fcBadName); // the parser could never read it back

    formules.SetVelocityAvailable(false);
    EXPECT_EQ(Add("vx2=t*2"), 0);
    EXPECT_EQ(Add("v=t*3"), 0);
    // Without velocities a formula of that name is what "v" means.
    EXPECT_EQ(Add("s=v*2"), 0);
    EXPECT_DOUBLE_EQ(formules.Formula(2).curve.values[4], 0.96);
}

TEST_F(Formules, DuplicatesAndRepeatedExpressions)
{
    ASSERT_EQ(AddConstant("m", "2"), 0);
    ASSERT_EQ(Add("E = m*v^2"), 0);
    const int second = formules.AddFormula("e = m*v^2");
    EXPECT_EQ(formules.Validate(formules.Formula(second)), fcDuplicate);
    EXPECT_EQ(formules.Message(fcDuplicate, formules.Formula(second)),
        "Nom déjà utilisé (la comparaison ne tient pas compte de la casse). Variable ou constante répétée : e");
    formules.RemoveFormula(second);
    formules.Formula(0).curve.visible = false;
    EXPECT_EQ(Add("e=m*v"), fcHiddenDuplicate);
    formules.RemoveFormula(1);
    EXPECT_EQ(Add("M=t"), fcDuplicate); // the constant m
    formules.RemoveFormula(1);
    const int same = formules.AddFormula("F=M*V^2");
    EXPECT_EQ(formules.Validate(formules.Formula(same)), fcSameExpression);
    EXPECT_EQ(formules.Message(fcSameExpression, formules.Formula(same)),
        "Formules identiques détectées (la comparaison ne tient pas compte de la casse) : M*V^2.");
    formules.RemoveFormula(same);

    EXPECT_EQ(AddConstant("E", "3"), fcDuplicate);
    formules.RemoveConstant(1);
    EXPECT_EQ(AddConstant("m1", "2"), 0); // two equal masses are not a repeated formula
    EXPECT_EQ(AddConstant("k", "=2*m"), 0);
    EXPECT_EQ(AddConstant("k2", "=2*M"), fcSameExpression);
    formules.RemoveConstant(formules.ConstantCount() - 1);
    EXPECT_EQ(AddConstant("v0[1]", "1"), 0);
    EXPECT_EQ(AddConstant("v0[2]", "1"), 0);
    EXPECT_EQ(AddConstant("V0[1]", "3"), fcDuplicate);
}

TEST_F(Formules, UnnamedFormulaIsComputedLikeANamedOne)
{
    ASSERT_EQ(AddConstant("m1", "2"), 0);
    ASSERT_EQ(AddConstant("m2", "3"), 0);
    ASSERT_EQ(Add("m1*v1 + m2*v2"), 0);
    const TRec& p = formules.Formula(0);
    EXPECT_TRUE(p.IsUnnamed());
    EXPECT_EQ(p.baseName, "$0");
    EXPECT_EQ(p.expression, "m1*v1+m2*v2");
    EXPECT_EQ(p.curve.mask, (std::vector<int> { -1, 0, 0, 0, -1 }));
    EXPECT_DOUBLE_EQ(p.curve.values[1], 2 * 2 + 3 * 10);
    // A second one gets its own internal name and is not taken for a duplicate.
    ASSERT_EQ(Add("m1*v1"), 0);
    EXPECT_EQ(formules.Formula(1).baseName, "$1");
}

TEST_F(Formules, DependencyOrderAndCircles)
{
    // Listed before what it uses: computed after it all the same.
    ASSERT_EQ(formules.AddFormula("E2 = E1*2"), 0);
    formules.AddFormula("E1 = v+1");
    formules.AddFormula("E3 = E2+E1");
    EXPECT_EQ(formules.ComputeFormulas(), 0);
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[4], 12);
    EXPECT_DOUBLE_EQ(formules.Formula(2).curve.values[4], 18);

    formules.Clear();
    formules.AddFormula("p = q+1");
    formules.AddFormula("q = p*2");
    formules.AddFormula("r = t");
    EXPECT_EQ(formules.ComputeFormulas(), fcParser); // ends, and neither of the circle gets a value
    EXPECT_EQ(formules.Formula(0).curve.firstRow, -1);
    EXPECT_EQ(formules.Formula(1).curve.firstRow, -1);
    EXPECT_EQ(formules.Formula(2).curve.lastRow, 4);
    // Recomputing gives the same, not values carried over from the previous pass.
    EXPECT_EQ(formules.ComputeFormulas(), fcParser);
    EXPECT_EQ(formules.Formula(0).curve.firstRow, -1);
}

TEST_F(Formules, LookupOrderAndPredefinedVariables)
{
    bool known = false;
    bool available = false;
    double value = 0;
    const auto ask = [&](const std::string& name, bool brackets = false, bool absolute = false, int index = 0) {
        formules.Lookup(name, brackets, absolute, index, known, available, value);
    };
    formules.SetCurrentRow(2);
    ask("t");
    EXPECT_TRUE(known && available);
    EXPECT_DOUBLE_EQ(value, 0.08);
    ask("x", true, false, -1); // x[i-1]
    EXPECT_DOUBLE_EQ(value, 0.1);
    ask("x", true, true, 1); // x[1]: the first row, numbered from 1
    EXPECT_DOUBLE_EQ(value, 0);
    formules.SetStartAtZero(true);
    ask("x", true, true, 1);
    EXPECT_DOUBLE_EQ(value, 0.1);
    formules.SetStartAtZero(false);
    ask("x2");
    EXPECT_DOUBLE_EQ(value, 2);
    ask("x1");
    EXPECT_DOUBLE_EQ(value, 0.2);
    ask("x3"); // no third object
    EXPECT_FALSE(known);
    ask("v2", true, false, 2); // object 2 has no mark on row 4
    EXPECT_TRUE(known);
    EXPECT_FALSE(available);
    ask("t", true, false, 3); // beyond the last row
    EXPECT_TRUE(known);
    EXPECT_FALSE(available);
    ask("t", true, false, std::numeric_limits<int>::max()); // t[i+2147483647]: no row, and no overflow
    EXPECT_TRUE(known);
    EXPECT_FALSE(available);
    ask("t", true, true, std::numeric_limits<int>::min());
    EXPECT_FALSE(available);
    ask("B");
    EXPECT_DOUBLE_EQ(value, pi / 6);
    ask("O");
    EXPECT_DOUBLE_EQ(value, pi / 2);
    formules.SetRadians(false);
    ask("B");
    EXPECT_NEAR(value, 30, 1e-12);
    ask("o");
    EXPECT_NEAR(value, 90, 1e-12);
    formules.SetPolarAvailable(false);
    ask("O");
    EXPECT_FALSE(known);

    // A constant comes first, even before a predefined name.
    formules.AddConstant("t", "7");
    ask("t");
    EXPECT_DOUBLE_EQ(value, 7);
}

TEST_F(Formules, ConstantsAndTheirExpressions)
{
    ASSERT_EQ(AddConstant("g", "9,81"), 0);
    EXPECT_EQ(formules.Constant(0).valueText, "9,810");
    const int doubled = formules.AddConstant("g2", "= 2*g");
    EXPECT_TRUE(formules.Constant(doubled).isExpression);
    EXPECT_EQ(formules.Validate(formules.Constant(doubled)), 0);
    EXPECT_DOUBLE_EQ(formules.Constant(doubled).value, 19.62);
    EXPECT_EQ(formules.Constant(doubled).valueText, "19,62");

    // Listed before the constant it uses: computed after it.
    const int first = formules.AddConstant("h", "=g3+1");
    formules.AddConstant("g3", "=g2*10");
    EXPECT_EQ(formules.ComputeConstants(), 0);
    EXPECT_DOUBLE_EQ(formules.Constant(first).value, 197.2);

    // A constant sees only constants.
    const int timed = formules.AddConstant("k", "=t*2");
    EXPECT_EQ(formules.Validate(formules.Constant(timed)), fcParser);
    EXPECT_EQ(formules.Message(fcParser, formules.Constant(timed)),
        "La formule contient une variable ou une constante inconnue : t");
    EXPECT_EQ(formules.Constant(timed).valueText, "#Nombre!");
    EXPECT_EQ(formules.Constant(timed).expression, "t*2"); // the typed expression is kept

    const int bad = formules.AddConstant("q", "1,2,3");
    EXPECT_EQ(formules.Validate(formules.Constant(bad)), fcBadNumber);
    EXPECT_EQ(formules.Message(fcBadNumber, formules.Constant(bad)),
        "La chaîne de caractères doit être constituée d'un signe (facultatif), de chiffres, d'un séparateur "
        "décimal (facultatif), puis d'une mantisse (facultative).\nLa mantisse comprend « E » ou « e » suivi "
        "d'un signe (facultatif) et d'un nombre entier.");
    const int huge = formules.AddConstant("big", "1E200");
    EXPECT_EQ(formules.Validate(formules.Constant(huge)), fcOutOfRange);
    EXPECT_EQ(formules.Message(fcOutOfRange, formules.Constant(huge)), "Le nombre est trop grand ou trop petit");
    const int nan = formules.AddConstant("rr", "=sqrt(0-1)");
    EXPECT_EQ(formules.Validate(formules.Constant(nan)), fcCalculation);

    EXPECT_EQ(FormatConstantValue(0), "0");
    EXPECT_EQ(FormatConstantValue(1234.6), "1235");
    EXPECT_EQ(FormatConstantValue(0.001), "1,00E-3");
    EXPECT_EQ(FormatConstantValue(std::nan("")), "#Nombre!");
}

TEST_F(Formules, OffsetsBeyondTheRowsAndSelection)
{
    const int far = formules.AddFormula("h[i+5]=t");
    EXPECT_EQ(formules.Validate(formules.Formula(far)), fcNoValue);
    EXPECT_EQ(formules.Message(fcNoValue, formules.Formula(far)),
        "Aucune valeur calculable (l'indice est probablement trop grand). Variable non calculable : h[i+5]");
    const int back = formules.AddFormula("d[i-1]=x[i]-x[i-1]");
    EXPECT_EQ(formules.Validate(formules.Formula(back)), 0);
    EXPECT_EQ(formules.Formula(back).curve.mask, (std::vector<int> { 0, 0, 0, 0, -1 })); // row j from j+1 and j
    EXPECT_DOUBLE_EQ(formules.Formula(back).curve.values[0], 0.1);

    formules.SetSelected(far);
    EXPECT_EQ(formules.Selected(), -1); // no value: not an abscissa
    formules.SetSelected(back);
    EXPECT_EQ(formules.Selected(), back);
    formules.RemoveFormula(far);
    EXPECT_EQ(formules.Selected(), 0);
    table.times.resize(1);
    for (auto& frames : table.frames)
        frames.resize(1);
    formules.ComputeFormulas();
    EXPECT_EQ(formules.Selected(), -1);
}

TEST_F(Formules, ProjectFileKeysRoundTrip)
{
    formules.AddFormula("Ec = 0,5*m*v^2", "énergie", "J");
    formules.AddFormula("m*v", "ligne un\nligne deux", "");
    formules.AddConstant("m", "0,5", "kg", "masse");
    formules.AddConstant("v_lam[1]", "0,2", "m/s");
    formules.AddConstant("g2", "=2*9,81");
    TIniFile file;
    file.SetText("[Formules]\nFormulesNumber=9\n[Record]\nRecordFormulePhrase_8=old\n[Video]\nImageNumber=3\n");
    formules.Save(file);
    EXPECT_EQ(file.ReadString("Formules", "FormulesNumber", ""), "2");
    EXPECT_EQ(file.ReadString("Formules", "ConstantesNumber", ""), "3");
    EXPECT_EQ(file.ReadString("Record", "RecordFormuleIdentifier_0", ""), "Ec");
    EXPECT_EQ(file.ReadString("Record", "RecordFormulePhrase_0", ""), "0,5*m*v^2");
    EXPECT_EQ(file.ReadString("Record", "RecordFormuleComment_0", ""), "énergie");
    EXPECT_EQ(file.ReadString("Record", "RecordFormuleUnit_0", ""), "J");
    EXPECT_EQ(file.ReadString("Record", "RecordFormuleIdentifier_1", "?"), "");
    EXPECT_EQ(file.ReadString("Record", "RecordFormuleComment_1", ""), "ligne un ligne deux");
    EXPECT_EQ(file.ReadString("Record", "RecordConstIdentifier_1", ""), "v_lam[1]");
    EXPECT_EQ(file.ReadString("Record", "RecordConstIndex_1", ""), "1");
    EXPECT_EQ(file.ReadString("Record", "RecordConstIndex_0", ""), "0");
    EXPECT_EQ(file.ReadString("Record", "RecordConstValue_2", ""), "=2*9,81");
    EXPECT_EQ(file.ReadString("Record", "RecordConstUnit_0", ""), "kg");
    EXPECT_FALSE(file.ValueExists("Record", "RecordFormulePhrase_8"));
    EXPECT_EQ(file.ReadString("Video", "ImageNumber", ""), "3");

    TFormules loaded;
    loaded.SetSource(&table);
    loaded.Load(file);
    ASSERT_EQ(loaded.FormulaCount(), 2);
    ASSERT_EQ(loaded.ConstantCount(), 3);
    EXPECT_EQ(loaded.Formula(0).FormulaText(), "Ec=0,5*m*v^2");
    EXPECT_EQ(loaded.Formula(0).comment, "énergie");
    EXPECT_TRUE(loaded.Formula(1).IsUnnamed());
    EXPECT_EQ(loaded.Constant(0).comment, "masse");
    EXPECT_TRUE(loaded.Constant(1).hasIndex);
    EXPECT_EQ(loaded.Constant(1).indexValue, 1);
    EXPECT_DOUBLE_EQ(loaded.Constant(1).value, 0.2);
    EXPECT_TRUE(loaded.Constant(2).isExpression);
    EXPECT_EQ(loaded.ComputeAll(), 0);
    EXPECT_DOUBLE_EQ(loaded.Constant(2).value, 19.62);
    EXPECT_DOUBLE_EQ(loaded.Formula(0).curve.values[4], 6.25);

    // A file keeping the index only beside a bare name, and counts that no file could hold.
    TIniFile bare;
    bare.SetText("[Formules]\nFormulesNumber=-4\nConstantesNumber=1\n[Record]\nRecordConstIdentifier_0=v0\n"
                 "RecordConstIndex_0=2\nRecordConstValue_0=1.5\n");
    loaded.Load(bare);
    EXPECT_EQ(loaded.FormulaCount(), 0);
    ASSERT_EQ(loaded.ConstantCount(), 1);
    EXPECT_EQ(loaded.Constant(0).name, "v0[2]");
    EXPECT_DOUBLE_EQ(loaded.Constant(0).value, 1.5);
}

TEST_F(Formules, SettingsInvalidateAndRecompute)
{
    int invalidated = 0;
    formules.SetOnInvalidate([&] { ++invalidated; });
    formules.SetAccelerationAvailable(false);
    formules.SetAccelerationAvailable(false);
    EXPECT_EQ(invalidated, 1);
    EXPECT_EQ(Add("u=ax*2"), fcParser); // "ax" is unknown without accelerations
    formules.SetAccelerationAvailable(true);
    EXPECT_EQ(formules.ComputeFormulas(), 0);
    EXPECT_TRUE(formules.Formula(0).curve.dependsOnAcceleration);
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[0], 18);

    ASSERT_EQ(Add("ang=O*2"), 0);
    EXPECT_DOUBLE_EQ(formules.Formula(1).curve.values[0], pi);
    formules.SetRadians(false); // recomputes everything in degrees
    EXPECT_NEAR(formules.Formula(1).curve.values[0], 180, 1e-12);
    EXPECT_EQ(formules.PredefinedNames(),
        (std::vector<std::string> { "B", "t", "x", "y", "vx", "vy", "v", "ax", "ay", "a", "O", "R", "w" }));

    // Without results there are no rows, and nothing to compute.
    formules.SetSource(nullptr);
    EXPECT_EQ(formules.ComputeFormulas(), fcNoValue);
}

// The edits of the formulas window: refused entries leave the lists exactly as they were.
TEST_F(Formules, RefusedEditsLeaveTheListsAsTheyWere)
{
    ASSERT_TRUE(formules.TryAddConstant("m", "0,5", "kg").accepted);
    const TEditOutcome ec = formules.TryAddFormula("Ec = 0,5*m*v^2", "énergie cinétique", "J");
    ASSERT_TRUE(ec.accepted);
    EXPECT_EQ(ec.code, 0);
    EXPECT_EQ(ec.position, 0);
    const std::uint64_t generation = formules.Generation();

    // A faulty name, a repeated one, an expression that is no expression, an unknown name.
    for (const char* text : { "2a = v", "ec = v*2", "E = (v", "E = zz+1", "E = 3+" }) {
        SCOPED_TRACE(text);
        const TEditOutcome out = formules.TryAddFormula(text);
        EXPECT_FALSE(out.accepted);
        EXPECT_FALSE(out.message.empty());
        EXPECT_EQ(formules.FormulaCount(), 1);
    }
    EXPECT_EQ(
        formules.TryAddFormula("E = zz+1").message, "La formule contient une variable ou une constante inconnue : zz");
    EXPECT_EQ(formules.TryAddFormula("2a = v").code, fcBadName);
    EXPECT_EQ(formules.Generation(), generation); // a refusal is no change of the study

    // A refused change keeps the formula, its values and its place.
    formules.Formula(0).curve.digits = 3;
    EXPECT_FALSE(formules.TryChangeFormula(0, "Ec = 0,5*m*v^", "", "").accepted);
    EXPECT_EQ(formules.Formula(0).FormulaText(), "Ec=0,5*m*v^2");
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[1], 1);
    // An accepted one keeps the column's digits, and the comment and unit it was given.
    ASSERT_TRUE(formules.TryChangeFormula(0, "Ec = m*v^2/2", "énergie cinétique", "J").accepted);
    EXPECT_EQ(formules.Formula(0).curve.digits, 3);
    EXPECT_EQ(formules.Formula(0).unit, "J");
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[1], 1);
    EXPECT_GT(formules.Generation(), generation);

    // A constant without a usable value is refused; a changed one changes the formulas that use it.
    EXPECT_FALSE(formules.TryAddConstant("g", "9,8,1").accepted);
    EXPECT_FALSE(formules.TryAddConstant("m2", "=zz*2").accepted);
    EXPECT_EQ(formules.ConstantCount(), 1);
    ASSERT_TRUE(formules.TryChangeConstant(0, "m", "2", "kg", "").accepted);
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[1], 4);
    EXPECT_FALSE(formules.TryChangeConstant(0, "x", "2", "kg", "").accepted); // a predefined name
    EXPECT_EQ(formules.Constant(0).name, "m");

    // Deleting what a formula uses leaves it without values, in the list.
    formules.DeleteConstant(0);
    EXPECT_EQ(formules.Formula(0).curve.firstRow, -1);
}

TEST_F(Formules, SoundFormulasWithoutValuesAreKeptWithTheirMessage)
{
    // An iterative formula still waiting for its initial value: kept, with the message that says so.
    const TEditOutcome waiting = formules.TryAddFormula("h[i+1] = h[i] + 1");
    EXPECT_TRUE(waiting.accepted);
    EXPECT_EQ(waiting.code, fcParser);
    EXPECT_NE(waiting.message.find("h[0] ou h[1]"), std::string::npos) << waiting.message;
    ASSERT_TRUE(formules.TryAddConstant("h[1]", "10").accepted);
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[4], 14);

    // Without results there are no rows to fail on: a sound formula goes in silently, a faulty one not.
    formules.SetSource(nullptr);
    const TEditOutcome later = formules.TryAddFormula("p = v*2");
    EXPECT_TRUE(later.accepted);
    EXPECT_TRUE(later.message.empty());
    EXPECT_FALSE(formules.TryAddFormula("q = (v").accepted);
}

TEST_F(Formules, EitherDecimalSeparatorReadsAsTheUsersOwn)
{
    // A formula typed with a point, or saved under another locale, computes under a comma locale.
    ASSERT_TRUE(formules.TryAddFormula("d = 0.5*x").accepted);
    EXPECT_EQ(formules.Formula(0).expression, "0,5*x");
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[4], 0.2);
    ASSERT_TRUE(formules.TryAddConstant("k", "=1.5*2").accepted);
    EXPECT_DOUBLE_EQ(formules.Constant(0).value, 3);
}

} // namespace
} // namespace kinoval::formulas
