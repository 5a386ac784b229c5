// The formulas kept computed from the current mark set's results: when they compute again, and what.
#include "core/formulas/formules_calc.h"

#include "core/common/numbers.h"
#include "core/formulas/formules.h"
#include "core/results/res_calc.h"
#include "core/settings/options.h"
#include "support/fake_measurement_source.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kinoval::formulas {
namespace {

class FormulesCalc : public ::testing::Test {
protected:
    FormulesCalc()
        : calc(source)
        , link(formules, calc, source)
    {
        SetDecimalSeparator('.');
        // The camera marks move 0.1 per frame along x, the sheet's 0.2.
        for (int frame = 0; frame < 6; ++frame) {
            source.AddMark(TMarkSet::Fixed, 0, frame, 0.1 * frame, 0.2);
            source.AddMark(TMarkSet::Transparent, 0, frame, 0.2 * frame, 0.2);
        }
        source.fixed.geometry.xAxisAngle = 0.5;
        calc.SetTransparentModeHook([this] { return transparent; });
        connection = link.Computed.Connect([this] { ++computed; });
    }
    ~FormulesCalc() override { SetDecimalSeparator(0); }

    void Results()
    {
        ASSERT_EQ(calc.Recompute(results::kSelCurrent), 0);
        ASSERT_TRUE(calc.Derive(results::kSelCurrent, 0));
    }
    double Last(int k) const { return formules.Formula(k).curve.values.back(); }

    test::TFakeMeasurementSource source;
    results::TResCalc calc;
    TFormules formules;
    TFormulesCalc link;
    bool transparent = false;
    int computed = 0;
    TConnection connection;
};

TEST_F(FormulesCalc, ComputedAgainWhenTheResultsOrTheListsChange)
{
    formules.AddFormula("d = x*2");
    formules.AddFormula("b = B");
    // Without results: no rows.
    EXPECT_TRUE(link.Update());
    EXPECT_TRUE(formules.Formula(0).curve.values.empty());
    Results();
    EXPECT_TRUE(link.Update());
    EXPECT_EQ(computed, 2);
    // The user's axes of the camera frame are turned by 0.5 rad, and B is that angle.
    EXPECT_NEAR(Last(0), 2 * (0.5 * std::cos(0.5) + 0.2 * std::sin(0.5)), 1e-12);
    EXPECT_DOUBLE_EQ(Last(1), 0.5);
    EXPECT_FALSE(link.Update()); // nothing changed since
    EXPECT_EQ(computed, 2);

    // A new pass over the document, a new formula: computed again.
    Results();
    EXPECT_TRUE(link.Update());
    formules.AddFormula("e = d + 1");
    EXPECT_TRUE(link.Update());
    EXPECT_NEAR(Last(2), Last(0) + 1, 1e-12);

    // The view points on the sheet: its calculator, its frame (never turned).
    transparent = true;
    Results();
    EXPECT_TRUE(link.Update());
    EXPECT_DOUBLE_EQ(Last(0), 2.0);
    EXPECT_DOUBLE_EQ(Last(1), 0.0);

    // Results out of date (the document changed, nothing recomputed yet): no rows rather than stale ones.
    calc.Invalidate(results::kSelBoth);
    EXPECT_TRUE(link.Update());
    EXPECT_TRUE(formules.Formula(0).curve.values.empty());
}

TEST_F(FormulesCalc, SettingsAndAvailability)
{
    Results();
    formules.AddConstant("y_e[1]", "5");
    formules.AddFormula("y_e[i+1] = y_e[i] + 1");
    formules.AddFormula("ang = O");
    formules.AddFormula("p = v*2");
    link.Update();
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[0], 5);
    // Numbered from zero, y_e[1] is the second row's value.
    TOptions options;
    options.numberMarksFromZero = true;
    options.anglesInRadians = false;
    link.ApplyOptions(options);
    EXPECT_TRUE(link.Update());
    EXPECT_FALSE(formules.Formula(0).curve.HasValue(0));
    EXPECT_DOUBLE_EQ(formules.Formula(0).curve.values[1], 5);
    options.anglesInRadians = true;
    const double degrees = formules.Formula(1).curve.values[2];
    link.ApplyOptions(options); // the unit recomputes at once
    EXPECT_NEAR(formules.Formula(1).curve.values[2] * 180 / 3.141592653589793, degrees, 1e-9);
    // A velocity that the results do not show is no name.
    link.SetAvailable(false, true, true);
    EXPECT_TRUE(link.Update());
    EXPECT_EQ(formules.Formula(2).curve.firstRow, -1);
    link.SetAvailable(true, true, true);
    EXPECT_TRUE(link.Update());
    EXPECT_NEAR(Last(2), 2 * 0.1 / 0.04, 1e-9);
}

} // namespace
} // namespace kinoval::formulas
