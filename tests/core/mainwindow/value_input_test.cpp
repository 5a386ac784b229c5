#include "core/mainwindow/value_input.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace kinoval::mainwindow;

TEST(ValueInput, FrameNumberZeroRefusedWithRangeNamingOneAndFrameCount)
{
    double v = -1;
    const auto lines = CheckValue(MakeFrameNumberUse(57), "0", v);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Valeur saisie : 0");
    EXPECT_EQ(lines[2], "1 <= numéro <= 57");
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(CheckValue(MakeFrameNumberUse(57), "57", v).empty());
    EXPECT_EQ(v, 57);
}

TEST(ValueInput, EachUseRange)
{
    double v = 0;
    EXPECT_FALSE(CheckValue(MakeObjectsPerFrameUse(), "33", v).empty());
    EXPECT_TRUE(CheckValue(MakeObjectsPerFrameUse(), "32", v).empty());
    EXPECT_EQ(MakeObjectsPerFrameUse().rangeText, "1 <= nombre <= 32");
    EXPECT_FALSE(CheckValue(MakeFramesBetweenMarksUse(10), "10", v).empty());
    EXPECT_TRUE(CheckValue(MakeFramesBetweenMarksUse(10), "9", v).empty());
    EXPECT_FALSE(CheckValue(MakeMarksToDrawUse(), "0", v).empty());
    EXPECT_FALSE(CheckValue(MakeScaleLengthUse(), "0.001", v).empty());
    EXPECT_TRUE(CheckValue(MakeScaleLengthUse(), "0,5", v).empty());
    EXPECT_EQ(CheckValue(MakeScaleLengthUse(), "2e13", v)[0], "Valeur saisie : 2e13 m");
    EXPECT_TRUE(CheckValue(MakeAxisAngleUse(), "90", v).empty());
    EXPECT_NEAR(v, std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(CheckValue(MakeAxisAngleUse(), "181", v)[0], "Valeur saisie : 181 °");
}

TEST(ValueInput, TextNotANumberRefusedByKind)
{
    double v = 0;
    const auto whole = CheckValue(MakeFrameNumberUse(5), "2.5", v);
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_EQ(whole[1], "Cette chaîne de caractères ne représente pas un entier acceptable.");
    EXPECT_EQ(CheckValue(MakeAxisAngleUse(), "abc", v).size(), 4u);
}
