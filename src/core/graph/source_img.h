#pragma once
// The video frame under a trajectory (TSourceImg): placed so that its pixels fall on the world positions
// of the marks pointed on them.
//
// The frame is scaled to its size in physical units (W by H metres), shifted so that the origin of the
// axes falls on its place in the picture, mirrored along each reversed axis and turned by the angle of
// the axes about the world origin. The mirrored copy is made once, when the picture is given; drawing
// maps the picture's pixels through one affine map to the control, so it follows every zoom and pan
// without another copy, and a turned picture is clipped to its four turned corners.
//
// Points (world units): 0 is the top-left corner of the mirrored, unturned picture; the polygon holds the
// four corners after the turn.

#include "core/common/rgb_image.h"
#include "core/graph/elements.h"

#include <array>

namespace kinoval::graph {

class TSourceImg : public TGPolyPoint {
public:
    TSourceImg()
        : TGPolyPoint(obNone)
    {
        points.resize(1);
    }

    // source: the frame; (width, height): its size in world units; (originX, originY): the origin of the
    // axes as fractions of the frame's width and height from its top-left corner; flipX, flipY: the axes
    // that are reversed; angle: the angle of the axes, radians counterclockwise.
    void SetImage(const TRgbImage& source, double width, double height, double originX, double originY, bool flipX,
        bool flipY, double angle);
    void Clear();
    bool Empty() const { return m_picture.IsEmpty(); }

    const TRgbImage& Picture() const { return m_picture; }
    double WorldWidth() const { return m_width; }
    double WorldHeight() const { return m_height; }
    // The turn applied to the mirrored picture, radians.
    double Angle() const { return m_angle; }
    bool Turned() const;
    TWorldPoint TopLeft() const { return points[0]; }
    const std::array<TWorldPoint, 4>& Corners() const { return m_corners; }
    // The world position of a picture position (u right, v down, in the source frame's pixels).
    TWorldPoint WorldOf(double u, double v) const;
    // The map from the prepared picture's pixels to the control's.
    TAffine PictureToScreen() const;

    bool Pickable() const override { return false; }
    void Draw(TDrawList& list) const override;
    std::unique_ptr<TGElem> Clone() const override { return std::unique_ptr<TGElem>(new TSourceImg(*this)); }

protected:
    TSourceImg(const TSourceImg&) = default;

private:
    TRgbImage m_picture;
    double m_width = 0;
    double m_height = 0;
    double m_angle = 0;
    bool m_flipX = false;
    bool m_flipY = false;
    std::array<TWorldPoint, 4> m_corners {};
};

} // namespace kinoval::graph
