#include "core/modelling/model_texts.h"

#include "core/common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kinoval::modelling {
namespace {

TEST(FormatModelValue, ExponentNotationOutsideTheFixedRange)
{
    EXPECT_EQ(FormatModelValue(0, 12345.6), "1.23E+4");
    EXPECT_EQ(FormatModelValue(0, 0.005), "5.00E-3");
    EXPECT_EQ(FormatModelValue(0, -0.005), "-5.00E-3");
    EXPECT_EQ(FormatModelValue(0, 6.02e23), "6.02E+23");
    // a + 3 significant digits and at least a + 1 exponent digits.
    EXPECT_EQ(FormatModelValue(2, 12345.6), "1.2346E+004");
}

TEST(FormatModelValue, FixedNotationKeepsAboutFourSignificantDigits)
{
    EXPECT_EQ(FormatModelValue(0, 1234.56), "1235");
    EXPECT_EQ(FormatModelValue(0, 123.456), "123.5");
    EXPECT_EQ(FormatModelValue(0, 12.3456), "12.35");
    EXPECT_EQ(FormatModelValue(0, 1.23456), "1.235");
    EXPECT_EQ(FormatModelValue(0, 0.0123), "0.012");
    EXPECT_EQ(FormatModelValue(0, -2.5), "-2.500");
    EXPECT_EQ(FormatModelValue(0, 10000), "10000");
    EXPECT_EQ(FormatModelValue(0, 0.01), "0.010");
    // The correlation coefficient shows two more digits.
    EXPECT_EQ(FormatModelValue(2, 0.987654), "0.98765");
    EXPECT_EQ(FormatModelValue(2, 1), "1.00000");
    // Extra digits are capped at 8.
    EXPECT_EQ(FormatModelValue(20, 1.5), FormatModelValue(8, 1.5));
    EXPECT_EQ(FormatModelValue(8, 1.5), "1.50000000000");
}

TEST(FormatModelValue, ZeroAndNotANumber)
{
    EXPECT_EQ(FormatModelValue(0, 0), "0");
    EXPECT_EQ(FormatModelValue(2, -0.0), "0");
    EXPECT_EQ(FormatModelValue(0, std::nan("")), "#Nombre!");
    EXPECT_EQ(FormatModelValue(0, INFINITY), "#Nombre!");
}

TEST(FormatModelValue, UsesTheUserDecimalSeparator)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatModelValue(0, 1.23456), "1,235");
    EXPECT_EQ(FormatModelValue(0, 12345.6), "1,23E+4");
    EXPECT_EQ(FormatStatisticValue(0.0123), "0,0123");
    SetDecimalSeparator(0);
}

TEST(FormatStatisticValue, ThreeSignificantDigits)
{
    EXPECT_EQ(FormatStatisticValue(0), "0");
    EXPECT_EQ(FormatStatisticValue(0.0123456), "0.0123");
    EXPECT_EQ(FormatStatisticValue(1.5), "1.5");
    EXPECT_EQ(FormatStatisticValue(123.456), "123");
    EXPECT_EQ(FormatStatisticValue(1.234e-7), "1.23E-7");
    EXPECT_EQ(FormatStatisticValue(12345), "1.23E4");
    EXPECT_EQ(FormatStatisticValue(-1), "-1");
}

TEST(ParameterLetter, FollowsTheLetterString)
{
    const char* expected[] = { "r", "b", "c", "d", "k", "f", "g" };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(ParameterLetter(i), expected[i]);
    EXPECT_EQ(ParameterLetter(15), "q");
    EXPECT_EQ(ParameterLetter(16), "?");
    EXPECT_EQ(ParameterLetter(-1), "?");
}

} // namespace
} // namespace kinoval::modelling
