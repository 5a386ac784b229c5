// The picture under a trajectory: each pixel of the frame lands on the world position that a mark
// pointed there has in the study's axes, whatever the origin, the reversed axes and the angle.
#include "core/graph/graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kinoval::graph {
namespace {

constexpr int kWidth = 64, kHeight = 48;

// A frame whose pixels tell where they come from: red grows along x, green along y.
TRgbImage Frame()
{
    TRgbImage image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            image.At(x, y)[0] = static_cast<std::uint8_t>(x * 4);
            image.At(x, y)[1] = static_cast<std::uint8_t>(y * 5);
        }
    return image;
}

// Where the calculations put a mark pointed at picture position (u, v): relative to the origin, scaled,
// turned by the axes' angle and reversed along the axes that are.
TWorldPoint Expected(double u, double v, double ox, double oy, double w, double h, double angle, bool flipX, bool flipY)
{
    const double X = (u / kWidth - ox) * w;
    const double Y = -(v / kHeight - oy) * h;
    double x = X * std::cos(angle) + Y * std::sin(angle);
    double y = Y * std::cos(angle) - X * std::sin(angle);
    return { flipX ? -x : x, flipY ? -y : y };
}

class SourceImgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        graph.SetMargins(140, 30, 15, 100);
        graph.SetSize(770, 515);
        graph.SetWorld({ -2, 2, -1.5, 1.5 }, true);
        graph.IsSourceImgVisible = true;
    }

    const TImage* Painted()
    {
        list.Clear();
        graph.Paint(list);
        for (const TDrawCommand& c : list.commands) {
            if (const auto* image = std::get_if<TImage>(&c))
                return image;
        }
        return nullptr;
    }

    // Each pixel position lands where the mark would, through the world and through the drawing.
    void CheckPlacement(double ox, double oy, double angle, bool flipX, bool flipY)
    {
        TSourceImg& img = graph.SourceImg();
        img.SetImage(Frame(), 2.0, 1.5, ox, oy, flipX, flipY, angle);
        const TImage* image = Painted();
        ASSERT_NE(image, nullptr);
        for (const auto& [u, v] : { std::pair { 0.0, 0.0 }, { 10.5, 40.25 }, { 64.0, 48.0 }, { 33.0, 7.0 } }) {
            const TWorldPoint expected = Expected(u, v, ox, oy, 2.0, 1.5, angle, flipX, flipY);
            const TWorldPoint world = img.WorldOf(u, v);
            EXPECT_NEAR(world.x, expected.x, 1e-12);
            EXPECT_NEAR(world.y, expected.y, 1e-12);
            // The prepared picture is mirrored: the source's (u, v) lies mirrored in it.
            const double pu = flipX ? kWidth - u : u, pv = flipY ? kHeight - v : v;
            const TPointF drawn = image->toScreen.Map(pu, pv);
            const TPointF mark = graph.Mapping().ToScreen(expected);
            EXPECT_NEAR(drawn.x, mark.x, 1e-9);
            EXPECT_NEAR(drawn.y, mark.y, 1e-9);
        }
    }

    TGraph graph;
    TDrawList list;
};

TEST_F(SourceImgTest, AnOriginAtTheCentrePutsTheCentreOnTheWorldOrigin)
{
    graph.SourceImg().SetImage(Frame(), 2.0, 1.5, 0.5, 0.5, false, false, 0);
    const TWorldPoint centre = graph.SourceImg().WorldOf(kWidth / 2.0, kHeight / 2.0);
    EXPECT_NEAR(centre.x, 0, 1e-15);
    EXPECT_NEAR(centre.y, 0, 1e-15);
    EXPECT_EQ(graph.SourceImg().TopLeft(), (TWorldPoint { -1, 0.75 }));
    const TImage* image = Painted();
    ASSERT_NE(image, nullptr);
    const TPointF middle = image->toScreen.Map(kWidth / 2.0, kHeight / 2.0);
    EXPECT_EQ(graph.WorldToScreen({ 0, 0 }), (TPoint { int(std::lround(middle.x)), int(std::lround(middle.y)) }));
    // Not turned: drawn without a clip of its own, and as large as 2 x 1.5 world units are.
    EXPECT_TRUE(image->clip.empty());
    const TPointF corner = image->toScreen.Map(kWidth, kHeight);
    const TPointF origin = image->toScreen.Map(0, 0);
    EXPECT_NEAR(corner.x - origin.x, 2.0 * 600 / graph.World().Width(), 1e-9);
    EXPECT_NEAR(corner.y - origin.y, 1.5 * 400 / graph.World().Height(), 1e-9);
    CheckPlacement(0.5, 0.5, 0, false, false);
}

TEST_F(SourceImgTest, AReversedYAxisMirrorsThePictureTopToBottom)
{
    graph.SourceImg().SetImage(Frame(), 2.0, 1.5, 0.25, 0.8, false, true, 0);
    const TRgbImage& picture = graph.SourceImg().Picture();
    const TRgbImage source = Frame();
    EXPECT_EQ(picture.At(5, 0)[1], source.At(5, kHeight - 1)[1]);
    EXPECT_EQ(picture.At(5, 0)[0], source.At(5, 0)[0]);
    // The origin's fraction from the top becomes 1 - 0.8.
    EXPECT_NEAR(graph.SourceImg().TopLeft().y, (1 - 0.8) * 1.5, 1e-15);
    EXPECT_NEAR(graph.SourceImg().TopLeft().x, -0.25 * 2.0, 1e-15);
    CheckPlacement(0.25, 0.8, 0, false, true);
    CheckPlacement(0.7, 0.3, 0, true, false);
    CheckPlacement(0.7, 0.3, 0, true, true);
}

TEST_F(SourceImgTest, TurnedAxesTurnThePictureAndClipItToItsCorners)
{
    const double angle = 0.4;
    CheckPlacement(0.3, 0.6, angle, false, false);
    const TImage* image = Painted();
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->clip.size(), 4u);
    // The corners of the clip are those of the turned picture.
    const TPointF topLeft = graph.Mapping().ToScreen(Expected(0, 0, 0.3, 0.6, 2.0, 1.5, angle, false, false));
    EXPECT_NEAR(image->clip[0].x, topLeft.x, 1e-9);
    EXPECT_NEAR(image->clip[0].y, topLeft.y, 1e-9);
    CheckPlacement(0.3, 0.6, -2.5, true, false);
    CheckPlacement(0.3, 0.6, 1.0, false, true);
    CheckPlacement(0.3, 0.6, 3.0, true, true);
}

TEST_F(SourceImgTest, TheGraphDrawsThePictureOnlyWhenAskedAndUnderTheAxes)
{
    graph.SourceImg().SetImage(Frame(), 2.0, 1.5, 0.5, 0.5, false, false, 0);
    graph.IsSourceImgVisible = false;
    EXPECT_EQ(Painted(), nullptr);
    graph.IsSourceImgVisible = true;
    ASSERT_NE(Painted(), nullptr);
    std::size_t image = 0, firstLabel = 0;
    for (std::size_t i = 0; i < list.commands.size(); ++i) {
        if (std::holds_alternative<TImage>(list.commands[i]))
            image = i;
        if (std::holds_alternative<TText>(list.commands[i]) && firstLabel == 0)
            firstLabel = i;
    }
    EXPECT_LT(image, firstLabel);
    graph.SourceImg().Clear();
    EXPECT_EQ(Painted(), nullptr);
}

} // namespace
} // namespace kinoval::graph
