#include "core/drawing/palette.h"

#include <gtest/gtest.h>

#include <climits>

namespace kinoval::test {
namespace {

TEST(Palette, ObjectColoursCycleAndWrap)
{
    EXPECT_EQ(ObjectColour(0), 0x0000FFu);
    EXPECT_EQ(ObjectColour(64), 0x00FFFFu);
    EXPECT_EQ(ObjectColour(65), ObjectColour(0));
    EXPECT_EQ(ObjectColour(-1), ObjectColour(64));
    EXPECT_EQ(ObjectColour(-3), ObjectColour(3));
    EXPECT_EQ(ObjectColour(INT_MIN), ObjectColour(static_cast<int>(2147483648LL % 65)));
    EXPECT_EQ(ObjectColour(2), ObjectColour(35)); // the table repeats its green
    EXPECT_EQ(SecondColour(6), 0xFF0000u);
    EXPECT_EQ(SecondColour(-1), 0xD6C900u);
}

TEST(Palette, ColourIndexAnswersTheFirstEntryOrMinusOne)
{
    EXPECT_EQ(ColourIndex(0x32CD32), 2);
    EXPECT_EQ(ColourIndex(0x0000FF), 0);
    EXPECT_EQ(ColourIndex(0x123456), -1);
    for (int i = 0; i < 65; ++i)
        if (i != 35) {
            EXPECT_EQ(ColourIndex(ObjectColour(i)), i);
        }
}

} // namespace
} // namespace kinoval::test
