// The graduation of the axes and the texts of their labels.
#include "core/graph/graduation.h"

#include <gtest/gtest.h>

namespace kinoval::graph {
namespace {

struct TCase {
    double min, max;
    double first, last, step;
    int count;
};

TEST(Graduation, StepsAndBoundsOfTypicalRanges)
{
    const TCase cases[] = {
        { 0, 100, 0, 100, 20, 6 }, // m = 1: 0.2 x 100
        { -0.35, 1.7, 0, 1.6, 0.4, 6 }, // the truncation of -0.875 goes towards zero
        { 0, 1, 0, 1, 0.2, 6 },
        { -3.7, 12.2, 0, 12, 4, 4 }, // -4 lies outside: the first graduation inside is 0
        { 1e-9, 3e-9, 1.2e-9, 2.8e-9, 0.4e-9, 6 },
        { -1e6, 1e6, -0.8e6, 0.8e6, 0.4e6, 6 },
        { 0.3, 0.9, 0.3, 0.9, 0.1, 7 }, // bounds that are graduations themselves stay graduations
        { -2, -1, -2, -1, 0.2, 6 },
    };
    for (const TCase& c : cases) {
        const TGraduation g = ComputeGraduation(c.min, c.max);
        SCOPED_TRACE(testing::Message() << "[" << c.min << ", " << c.max << "]");
        EXPECT_NEAR(g.step, c.step, 1e-12 * c.step);
        EXPECT_NEAR(g.first, c.first, 1e-9 * c.step);
        EXPECT_NEAR(g.last, c.last, 1e-9 * c.step);
        EXPECT_EQ(g.count, c.count);
        // Every graduation from first to last lies inside the range.
        EXPECT_GE(g.first, c.min - 1e-9 * c.step);
        EXPECT_LE(g.last, c.max + 1e-9 * c.step);
    }
}

TEST(Graduation, ZeroAndUnusableRangesGiveOneGraduation)
{
    const TGraduation zero = ComputeGraduation(2.5, 2.5);
    EXPECT_EQ(zero.count, 1);
    EXPECT_NEAR(zero.step, 0.2, 1e-15);
    const TGraduation none = ComputeGraduation(0, 1e308 * 10);
    EXPECT_EQ(none.count, 0);
}

TEST(LabelFormat, NotationFollowsTheLargerBound)
{
    EXPECT_TRUE(LabelFormatOf(0, 0.1).exponent); // 0.1 exactly
    EXPECT_TRUE(LabelFormatOf(-10000, 5).exponent); // 10000 exactly
    EXPECT_TRUE(LabelFormatOf(1e-9, 3e-9).exponent);
    EXPECT_FALSE(LabelFormatOf(0, 0.2).exponent);
    EXPECT_EQ(LabelFormatOf(0, 0.2).decimals, 3);
    EXPECT_EQ(LabelFormatOf(-12, 3).decimals, 2);
    EXPECT_EQ(LabelFormatOf(0, 100).decimals, 1);
    EXPECT_EQ(LabelFormatOf(0, 9999).decimals, 0);
}

TEST(LabelFormat, TextsInBothNotationsAndSeparators)
{
    const TLabelFormat fixed = LabelFormatOf(-0.35, 1.7);
    EXPECT_EQ(FormatGraduation(0.4, 1, 0.4, fixed, '.'), "0.400");
    EXPECT_EQ(FormatGraduation(1.6, 4, 0.4, fixed, ','), "1,600");
    EXPECT_EQ(FormatGraduation(-1.23456, 1, 0.4, fixed, ','), "-1,235"); // four significant digits
    const TLabelFormat hundreds = LabelFormatOf(0, 250);
    EXPECT_EQ(FormatGraduation(150, 3, 50, hundreds, '.'), "150.0");
    const TLabelFormat tiny = LabelFormatOf(1e-9, 3e-9);
    EXPECT_EQ(FormatGraduation(1.2e-9, 0, 0.4e-9, tiny, '.'), "1.20E-9");
    EXPECT_EQ(FormatGraduation(2.8e-9, 4, 0.4e-9, tiny, ','), "2,80E-9");
    const TLabelFormat large = LabelFormatOf(-1e6, 1e6);
    EXPECT_EQ(FormatGraduation(-800000, 0, 400000, large, '.'), "-8.00E+5");
}

TEST(LabelFormat, RoundingLeftOfAZeroPrintsZero)
{
    const TLabelFormat f = LabelFormatOf(-0.4, 0.4);
    // -0.4 + 0.2 + 0.2 in doubles is not quite 0.
    EXPECT_EQ(FormatGraduation(1e-17, 2, 0.2, f, '.'), "0");
    EXPECT_EQ(FormatGraduation(-1e-17, 2, 0.2, f, ','), "0");
    // Below 2^-20 of the step, not above.
    EXPECT_EQ(FormatGraduation(0.2 / 1048576 * 0.99, 1, 0.2, f, '.'), "0");
    EXPECT_NE(FormatGraduation(0.2 / 1048576 * 1.5, 1, 0.2, f, '.'), "0");
}

} // namespace
} // namespace kinoval::graph
