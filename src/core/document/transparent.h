#pragma once
// The transparent sheet: a rectangle with its own axes that the user lays over the video, moves from frame
// to frame with a moving body, and marks the studied object on. Its dated origins record where it lay on
// each frame; the transparent marks are stored relative to its current origin.

#include "core/document/reference_frame.h"

namespace kinoval::document {

class TTransparent : public TRepere {
public:
    explicit TTransparent(TDocContext* context);

    double LayerWidth = 0.5;  // half-width, normalised
    double LayerHeight = 0.5; // half-height
    std::uint8_t Stage = 0;   // 0 place the sheet, 1 drag it, 2 mark the object
    TPoint Corners[2];        // on screen, cached
    TPointD GrabPoint;
    TPointD GrabOffset; // grab point minus origin
    std::unique_ptr<TOrigine> DefaultOrigin;

    TObjectKind ObjectKind() const override { return okTransparent; }
    void Assign(const THistObject& other) override;
    bool Equals(const THistObject& other) const override;
    std::unique_ptr<THistObject> NewSnapshot() const override { return std::make_unique<TTransparent>(m_context); }

    void SetXAxisDirect(bool direct) override;
    void SetYAxisDirect(bool direct) override;

    void RecomputeDefaultOrigin();
    // The current origin follows the last dated origin, or the default one when there is none.
    void FollowLastOrigin();
    void NextStage() { Stage = static_cast<std::uint8_t>((Stage + 1) % 3); }
    void PreviousStage() { Stage = static_cast<std::uint8_t>((Stage + 2) % 3); }
    void RecomputeCorners();
    // "+" grows both half-sizes by 10 % while the half-width is below 1; "-" shrinks them by 10 % while it
    // is above 0.1. Each change is recorded; false when the limit refused it.
    bool Grow();
    bool Shrink();
    void Reset();
};

} // namespace kinoval::document
