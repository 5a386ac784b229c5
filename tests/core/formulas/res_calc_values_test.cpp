// The formulas over real kinematic results: marks -> calculators -> formulas.
#include "core/formulas/res_calc_values.h"

#include "core/common/numbers.h"
#include "core/formulas/formules.h"
#include "core/results/res_calc.h"
#include "support/fake_measurement_source.h"

#include <gtest/gtest.h>

#include <numbers>

namespace kinoval::formulas {
namespace {

TEST(FormulesOverResults, KineticEnergyFromComputedSpeeds)
{
    SetDecimalSeparator(',');
    test::TFakeMeasurementSource source;
    source.framePeriod = 0.04;
    // Uniform motion along x: 0.1 per frame, so v = 0.1 / 0.04 = 2.5 m/s on every row.
    for (int frame = 0; frame < 7; ++frame)
        source.AddMark(TMarkSet::Fixed, 0, frame, 0.1 * frame, 0.2);
    results::TResCalc calc(source);
    ASSERT_EQ(calc.Recompute(results::kSelCurrent), 0);
    ASSERT_TRUE(calc.Derive(results::kSelCurrent, 0));

    TResCalcValues values(calc, [] { return std::numbers::pi / 2; });
    TFormules formules;
    formules.SetSource(&values);
    formules.AddConstant("m", "0,5");
    const int ec = formules.AddFormula("Ec = 0,5*m*v^2");
    const int bx = formules.AddFormula("b = B + x*0 + t*0");
    ASSERT_EQ(formules.Validate(formules.Formula(ec)), 0);
    ASSERT_EQ(formules.Validate(formules.Formula(bx)), 0);
    const TCurve& curve = formules.Formula(ec).curve;
    ASSERT_EQ(curve.values.size(), 7u);
    for (int row = 0; row < 7; ++row) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(curve.HasValue(row)); // the first and last rows included
        EXPECT_NEAR(curve.values[static_cast<std::size_t>(row)], 0.25 * 2.5 * 2.5, 1e-9);
    }
    EXPECT_DOUBLE_EQ(formules.Formula(bx).curve.values[3], std::numbers::pi / 2);
    // Outside the results nothing is taken for a mark.
    EXPECT_EQ(values.FrameOf(1, 0), -1);
    EXPECT_EQ(values.FrameOf(0, 7), -1);
    SetDecimalSeparator(0);
}

} // namespace
} // namespace kinoval::formulas
