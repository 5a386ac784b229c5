#include "core/capture/picture_sizes.h"

#include <gtest/gtest.h>

namespace kinoval::capture {
namespace {

using TSizes = std::vector<TPictureSize>;

TEST(UsualSizes, AWideRangeGivesTheUsualSizesThatFitSmallestFirst)
{
    EXPECT_EQ(UsualSizesWithin({ 1, 1280, 1, 1, 720, 1 }),
        (TSizes { { 160, 120 }, { 176, 144 }, { 320, 240 }, { 352, 288 }, { 640, 360 }, { 640, 480 }, { 800, 600 },
            { 1280, 720 } }));
    // 1024x768 and 1280x960 are too tall for 720 lines; 1600x1200 too tall for 1080.
    const TSizes hd = UsualSizesWithin({ 320, 1920, 1, 240, 1080, 1 });
    EXPECT_EQ(hd.front(), (TPictureSize { 320, 240 }));
    EXPECT_EQ(hd.back(), (TPictureSize { 1920, 1080 }));
    EXPECT_EQ(hd.size(), 9u);
}

TEST(UsualSizes, StepsAreCountedFromTheRangesStart)
{
    // Widths 64, 128, ... 1280 take 320 and 640 but not 352 or 800; heights by 2 from 16 take all even ones.
    EXPECT_EQ(UsualSizesWithin({ 64, 1280, 64, 16, 720, 2 }),
        (TSizes { { 320, 240 }, { 640, 360 }, { 640, 480 }, { 1280, 720 } }));
    // Heights 150, 250, ... 1150: none of the usual ones, so the largest the range gives.
    EXPECT_EQ(UsualSizesWithin({ 100, 1600, 100, 150, 1200, 100 }), (TSizes { { 1600, 1150 } }));
    // A step of 0 is a step of 1.
    EXPECT_EQ(UsualSizesWithin({ 640, 640, 0, 480, 480, 0 }), (TSizes { { 640, 480 } }));
}

TEST(UsualSizes, ARangeWithoutAUsualSizeOffersItsLargestAndAnEmptyOneNothing)
{
    EXPECT_EQ(UsualSizesWithin({ 100, 150, 1, 100, 110, 1 }), (TSizes { { 150, 110 } }));
    EXPECT_EQ(UsualSizesWithin({ 100, 155, 10, 100, 117, 4 }), (TSizes { { 150, 116 } }));
    EXPECT_TRUE(UsualSizesWithin({ 0, 0, 1, 0, 0, 1 }).empty());
    EXPECT_TRUE(UsualSizesWithin({ 640, 320, 1, 480, 480, 1 }).empty());
}

} // namespace
} // namespace kinoval::capture
