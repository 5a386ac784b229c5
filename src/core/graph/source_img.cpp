#include "core/graph/source_img.h"

#include "core/common/tolerance.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace kinoval::graph {

namespace {

TRgbImage Mirrored(const TRgbImage& source, bool leftRight, bool topBottom)
{
    if (!leftRight && !topBottom)
        return source;
    TRgbImage out(source.width, source.height);
    for (int y = 0; y < source.height; ++y) {
        const int sy = topBottom ? source.height - 1 - y : y;
        if (!leftRight) {
            std::memcpy(out.Row(y), source.Row(sy), static_cast<std::size_t>(source.width) * 3);
            continue;
        }
        const std::uint8_t* from = source.Row(sy);
        std::uint8_t* to = out.Row(y);
        for (int x = 0; x < source.width; ++x)
            std::memcpy(to + 3 * x, from + 3 * (source.width - 1 - x), 3);
    }
    return out;
}

} // namespace

void TSourceImg::SetImage(const TRgbImage& source, double width, double height, double originX, double originY,
    bool flipX, bool flipY, double angle)
{
    m_width = width;
    m_height = height;
    m_flipX = flipX;
    m_flipY = flipY;
    // Turned once and mirrored along each reversed axis, the picture lies as the axes do.
    constexpr double turn = 2 * std::numbers::pi;
    m_angle = std::fmod(-angle, turn);
    if (m_angle < 0)
        m_angle += turn;
    if (flipX)
        m_angle = -m_angle;
    if (flipY)
        m_angle = -m_angle;
    m_picture = Mirrored(source, flipX, flipY);

    const double fx = flipX ? 1 - originX : originX;
    const double fy = flipY ? 1 - originY : originY;
    points[0] = { -fx * width, fy * height };
    const double x0 = points[0].x, y0 = points[0].y;
    const std::array<TWorldPoint, 4> flat
        = { TWorldPoint { x0, y0 }, { x0, y0 - height }, { x0 + width, y0 - height }, { x0 + width, y0 } };
    const double c = std::cos(m_angle), s = std::sin(m_angle);
    for (std::size_t i = 0; i < flat.size(); ++i)
        m_corners[i] = { c * flat[i].x - s * flat[i].y, s * flat[i].x + c * flat[i].y };
}

void TSourceImg::Clear()
{
    m_picture = TRgbImage();
    m_width = m_height = m_angle = 0;
}

bool TSourceImg::Turned() const
{
    return std::fabs(m_angle) >= kTiny;
}

TWorldPoint TSourceImg::WorldOf(double u, double v) const
{
    if (m_picture.IsEmpty())
        return {};
    // The prepared picture is mirrored: a position of the source frame lies mirrored in it.
    const double pu = m_flipX ? m_picture.width - u : u;
    const double pv = m_flipY ? m_picture.height - v : v;
    const double x = points[0].x + pu * m_width / m_picture.width;
    const double y = points[0].y - pv * m_height / m_picture.height;
    const double c = std::cos(m_angle), s = std::sin(m_angle);
    return { c * x - s * y, s * x + c * y };
}

TAffine TSourceImg::PictureToScreen() const
{
    TAffine m;
    if (m_picture.IsEmpty() || Frame() == nullptr)
        return m;
    const TMapping& map = Frame()->mapping;
    if (!map.Usable())
        return m;
    const double kx = map.plot.width / map.world.Width();
    const double ky = map.plot.height / map.world.Height();
    const double left = map.plot.left;
    const double bottom = double(map.plot.top) + map.plot.height;
    const double a = m_width / m_picture.width, b = m_height / m_picture.height;
    const double c = std::cos(m_angle), s = std::sin(m_angle);
    const double x0 = points[0].x, y0 = points[0].y;
    // picture (u, v) -> world R(angle) (x0 + a u, y0 - b v) -> control.
    m.m11 = c * a * kx;
    m.m21 = s * b * kx;
    m.dx = left + (c * x0 - s * y0 - map.world.xmin) * kx;
    m.m12 = -s * a * ky;
    m.m22 = c * b * ky;
    m.dy = bottom - (s * x0 + c * y0 - map.world.ymin) * ky;
    return m;
}

void TSourceImg::Draw(TDrawList& list) const
{
    if (m_picture.IsEmpty() || !visible || Frame() == nullptr || !Frame()->mapping.Usable())
        return;
    TImage image;
    image.image = &m_picture;
    image.toScreen = PictureToScreen();
    if (Turned()) {
        for (const TWorldPoint& corner : m_corners)
            image.clip.push_back(ToScreen(corner));
    }
    list.Add(std::move(image));
}

} // namespace kinoval::graph
