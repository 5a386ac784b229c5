#pragma once
// What the results table reads from the calculators.
//
// The table only needs, for the calculator it shows, the row list with its times, which rows each object
// has a mark on, the values in the user's axes and the axis angle of the frame; plus the objects' names for
// the descriptions. The calculators' owner satisfies this with a thin adapter, and tests with a table of
// their own. Objects are 0-based here; the table numbers them from 1 in its symbols.

#include <string>

namespace kinoval::results {

class TTableSource {
public:
    virtual ~TTableSource() = default;

    virtual int ObjectCount() const = 0;
    virtual int Rows() const = 0;
    virtual double Time(int row) const = 0;
    // The frame of the object's mark on that row, -1 when the object has no mark there.
    virtual int FrameOf(int object, int row) const = 0;
    // The value of a quantity code in the user's axes (both mark sets' calculators alike).
    virtual double Value(int object, int code, int row) const = 0;
    // Axis angle of the frame, radians counter-clockwise.
    virtual double AxisAngle() const = 0;
    virtual std::string ObjectName(int object) const = 0;
};

} // namespace kinoval::results
