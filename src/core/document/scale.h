#pragma once
// The scale: a segment of known length drawn on the picture, either one segment for both directions or a
// horizontal and a vertical one (a settings option). Three point pairs are kept, one per kind, so that
// switching the option does not lose what was drawn.

#include "core/document/hist_object.h"

namespace kinoval::document {

enum TScaleKind : std::uint8_t { skSingle = 0, skHorizontal = 1, skVertical = 2 };

class TEchelle : public THistObject {
public:
    using THistObject::THistObject;

    std::int32_t PointsNumber[3] = {0, 0, 0}; // ScalePointsNumber, ScaleHorizPointsNumber, ScaleVertPointsNumber
    std::int32_t DraggedItem = -2;            // -2 none, -1 segment, 0 first point, 1 second point
    double Length[3] = {0, 0, 0};             // ScaleLength, ScaleHorizLength, ScaleVertLength (metres)
    TPoint Screen[6];                         // first and second point of each kind, cached
    TPoint Anchor;
    TPointD Points[6]; // normalised, same order as Screen
    std::uint8_t Kind = skSingle;

    TObjectKind ObjectKind() const override { return okEchelle; }
    void Assign(const THistObject& other) override;
    bool Equals(const THistObject& other) const override;
    std::unique_ptr<THistObject> NewSnapshot() const override { return std::make_unique<TEchelle>(m_context); }

    TPointD& Point(int kind, int i) { return Points[kind * 2 + i]; }
    const TPointD& Point(int kind, int i) const { return Points[kind * 2 + i]; }
    TPoint& ScreenPoint(int kind, int i) { return Screen[kind * 2 + i]; }

    void RefreshScreen();
    void Reset(bool separateScales);

private:
    static bool IsEqualLength(double a, double b);
};

} // namespace kinoval::document
