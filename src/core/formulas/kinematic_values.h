#pragma once
// What the user formulas read from the kinematic results: the row list, the objects' marks and their
// quantities in the user's axes. The results calculators satisfy it through a thin adapter; tests give a
// table of their own.

#include <cstdint>

namespace kinoval::formulas {

class TKinematicValues {
public:
    virtual ~TKinematicValues() = default;
    // Rows of the row list (0 when nothing is computed).
    virtual int Rows() const = 0;
    virtual int ObjectCount() const = 0;
    // Seconds, for 0 <= row < Rows().
    virtual double Time(int row) const = 0;
    // The frame of object's mark on row, -1 when the object has no mark there. object counts from 0.
    virtual int FrameOf(int object, int row) const = 0;
    // A quantity (codes 1..8, 11..13 of the results) in the user's axes, SI units, angles in radians.
    virtual double Value(int object, std::uint8_t code, int row) const = 0;
    // The rotation angle of the axes, radians, counterclockwise.
    virtual double AxisAngle() const = 0;
};

} // namespace kinoval::formulas
