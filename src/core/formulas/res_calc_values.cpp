#include "core/formulas/res_calc_values.h"

#include "core/results/quantity.h"
#include "core/results/res_calc.h"

namespace kinoval::formulas {

TResCalcValues::TResCalcValues(const results::TResCalc& calc, std::function<double()> angle)
    : m_calc(calc)
    , m_angle(std::move(angle))
{
}

int TResCalcValues::Rows() const
{
    return m_calc.Rows();
}
int TResCalcValues::ObjectCount() const
{
    return m_calc.ObjectCount();
}
double TResCalcValues::Time(int row) const
{
    return m_calc.Time(row);
}

int TResCalcValues::FrameOf(int object, int row) const
{
    // TResCalc answers 0 out of range; the formulas ask only inside it, but must never take that for a mark.
    if (object < 0 || object >= m_calc.ObjectCount() || row < 0 || row >= m_calc.Rows())
        return -1;
    return m_calc.FrameOf(object, row);
}

double TResCalcValues::Value(int object, std::uint8_t code, int row) const
{
    return m_calc.Value(results::kUserAxes, object, code, row);
}

double TResCalcValues::AxisAngle() const
{
    return m_angle ? m_angle() : 0;
}

} // namespace kinoval::formulas
