#pragma once
// Quantity codes: how every reader of the kinematic results (table, graphs, formulas, hand-over) names
// a measured series. Codes 9 and 10 carry no quantity; reading them yields 0.

#include <cstdint>

namespace kinoval::results {

using TQuantity = std::uint8_t;

inline constexpr TQuantity kQtyT = 0; // time, s
inline constexpr TQuantity kQtyX = 1; // abscissa, m
inline constexpr TQuantity kQtyY = 2; // ordinate, m
inline constexpr TQuantity kQtyVx = 3; // m/s
inline constexpr TQuantity kQtyVy = 4; // m/s
inline constexpr TQuantity kQtyV = 5; // speed, m/s
inline constexpr TQuantity kQtyAx = 6; // m/s²
inline constexpr TQuantity kQtyAy = 7; // m/s²
inline constexpr TQuantity kQtyA = 8; // norm of the acceleration, m/s²
inline constexpr TQuantity kQtyTheta = 11; // angular coordinate, rad
inline constexpr TQuantity kQtyR = 12; // radial coordinate, m
inline constexpr TQuantity kQtyOmega = 13; // angular velocity, rad/s

// Axis versions of the per-row series: the user's axes, or the picture's axes (scaled to metres but
// neither turned nor flipped, as the image under a trajectory needs them).
inline constexpr int kUserAxes = 0;
inline constexpr int kPictureAxes = 1;

// How the results name a quantity: its symbol, its unit and its description (empty for a code without a
// quantity).
struct TQuantityText {
    const char* symbol;
    const char* unit;
    const char* description;
};
TQuantityText TextOf(int code);

// Smoothing flags of the derivative pass.
inline constexpr int kSmoothVelocity = 1;
inline constexpr int kSmoothAcceleration = 2;

} // namespace kinoval::results
