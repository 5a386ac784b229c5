#include "core/results/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kinoval::results {
namespace {

TEST(ResultNumberFormat, DecimalsShrinkAsTheMagnitudeGrows)
{
    // p + 4 significant digits at most, p + 3 .. p decimals by decade.
    EXPECT_EQ(FormatResultNumber(1.23456, 0, '.'), "1.235");
    EXPECT_EQ(FormatResultNumber(12.3456, 0, '.'), "12.35");
    EXPECT_EQ(FormatResultNumber(123.456, 0, '.'), "123.5");
    EXPECT_EQ(FormatResultNumber(1234.56, 0, '.'), "1235");
    EXPECT_EQ(FormatResultNumber(-1234.56, 2, '.'), "-1234.56");
    EXPECT_EQ(FormatResultNumber(3.14159265, 2, '.'), "3.14159");
    EXPECT_EQ(FormatResultNumber(10, 0, '.'), "10.000");
    EXPECT_EQ(FormatResultNumber(100, 0, '.'), "100.00");
    EXPECT_EQ(FormatResultNumber(10000, 0, '.'), "10000");
}

TEST(ResultNumberFormat, SignificantDigitsLimitSmallValues)
{
    // 0.0123456 with p = 0: 3 decimals allowed, so "0.012"; with p = 3, 6 decimals but only 7 significant.
    EXPECT_EQ(FormatResultNumber(0.0123456, 0, '.'), "0.012");
    EXPECT_EQ(FormatResultNumber(0.0123456, 3, '.'), "0.012346");
    // Inside a decade both limits agree; at its top edge the significant digits win and the remaining
    // places are zeros.
    EXPECT_EQ(FormatResultNumber(9.87654321, 0, '.'), "9.877");
    EXPECT_EQ(FormatResultNumber(99.87654321, 0, '.'), "99.88");
    EXPECT_EQ(FormatResultNumber(9.99999, 0, '.'), "10.000");
}

TEST(ResultNumberFormat, BoundsOfTheFixedRange)
{
    EXPECT_EQ(FormatResultNumber(0.01, 0, '.'), "0.010");
    EXPECT_EQ(FormatResultNumber(0.0001, 0, '.'), "1.00E-4");
    EXPECT_EQ(FormatResultNumber(0.0001, 2, '.'), "1.0000E-004");
    EXPECT_EQ(FormatResultNumber(-0.00987654, 0, '.'), "-9.88E-3");
    EXPECT_EQ(FormatResultNumber(10000.5, 0, '.'), "1.00E+4");
    EXPECT_EQ(FormatResultNumber(123456789.0, 1, '.'), "1.235E+08");
    EXPECT_EQ(FormatResultNumber(0.0, 3, '.'), "0");
}

TEST(ResultNumberFormat, DigitsAreCappedAndSeparatorApplied)
{
    EXPECT_EQ(FormatResultNumber(1.0 / 3, 12, '.'), FormatResultNumber(1.0 / 3, 8, '.'));
    EXPECT_EQ(FormatResultNumber(1.0 / 3, 8, '.'), "0.33333333333");
    EXPECT_EQ(FormatResultNumber(1.0 / 3, -2, '.'), "0.333");
    EXPECT_EQ(FormatResultNumber(2.5, 0, ','), "2,500");
    EXPECT_EQ(FormatResultNumber(2.5e-7, 0, ','), "2,50E-7");
}

TEST(ResultNumberFormat, NotANumber)
{
    EXPECT_EQ(FormatResultNumber(std::nan(""), 2, '.'), "#Nombre!");
    EXPECT_EQ(FormatResultNumber(std::numeric_limits<double>::infinity(), 2, '.'), "#Nombre!");
    EXPECT_EQ(FormatExportNumber(std::nan(""), '.'), "#Nombre!");
}

TEST(ResultNumberFormat, ExportKeepsFifteenDigits)
{
    EXPECT_EQ(FormatExportNumber(1.0 / 3, '.'), "0.333333333333333");
    EXPECT_EQ(FormatExportNumber(3, ','), "3");
    EXPECT_EQ(FormatExportNumber(2.5, ','), "2,5");
    EXPECT_EQ(FormatExportNumber(1e-5, '.'), "1E-5");
}

} // namespace
} // namespace kinoval::results
