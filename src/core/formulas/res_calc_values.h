#pragma once
// The kinematic results as the user formulas read them: the current calculator of TResCalc, in the
// user's axes. The axis angle comes from the owner (the document's frame of the current mark set), which
// TResCalc does not keep.

#include "core/formulas/kinematic_values.h"

#include <functional>

namespace kinoval::results {
class TResCalc;
}

namespace kinoval::formulas {

class TResCalcValues : public TKinematicValues {
public:
    // Both are borrowed; angle may be empty (axes not turned).
    TResCalcValues(const results::TResCalc& calc, std::function<double()> angle);

    int Rows() const override;
    int ObjectCount() const override;
    double Time(int row) const override;
    int FrameOf(int object, int row) const override;
    double Value(int object, std::uint8_t code, int row) const override;
    double AxisAngle() const override;

private:
    const results::TResCalc& m_calc;
    std::function<double()> m_angle;
};

} // namespace kinoval::formulas
