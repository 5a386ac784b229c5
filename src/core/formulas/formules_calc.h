#pragma once
// The user formulas kept computed from the measurements.
//
// TFormulesCalc ties the program's TFormules to the current mark set's kinematic calculator (the fixed
// frame's, or the transparent sheet's while the view points on the sheet): the formulas read its rows, its
// quantities in the user's axes and the axis angle of that mark set's frame. Whoever has just brought the
// results up to date (the results window, the command-line tool) calls Update; the formulas are computed
// again, constants first, whenever the results were recomputed or derived, the current calculator
// changed, the lists or the settings changed, since the last time. While the current calculator has no
// results (no scale, no video) the formulas have no rows and only the constants are computed.
//
// The formulas, the calculators and the document are borrowed; all outlive this object, which takes the
// formulas' source back when it dies.

#include "core/common/signal.h"
#include "core/formulas/res_calc_values.h"

#include <cstdint>
#include <memory>

namespace kinoval {
class TMeasurementSource;
struct TOptionValues;
namespace results {
class TCalcul;
class TResCalc;
} // namespace results
} // namespace kinoval

namespace kinoval::formulas {

class TFormules;

class TFormulesCalc {
public:
    TFormulesCalc(TFormules& formules, const results::TResCalc& calc, const TMeasurementSource& document);
    ~TFormulesCalc();
    TFormulesCalc(const TFormulesCalc&) = delete;
    TFormulesCalc& operator=(const TFormulesCalc&) = delete;

    TFormules& Formules() { return m_formules; }
    const TFormules& Formules() const { return m_formules; }

    // The settings the formulas follow: the angle unit (B, O and the trigonometric functions) and the
    // numbering of the rows (absolute indexes, initial values).
    void ApplyOptions(const TOptionValues& options);
    // Which derived quantities exist as names: those the results show (the settings, less what a failed
    // derivative pass took away).
    void SetAvailable(bool velocity, bool acceleration, bool polar);

    // Computes the formulas again when anything they depend on changed; true when it did.
    bool Update();
    // Forces the next Update to compute.
    void Invalidate() { m_dirty = true; }

    // After every computation of the formulas.
    TSignal<> Computed;

private:
    TFormules& m_formules;
    const results::TResCalc& m_calc;
    TResCalcValues m_values;
    const results::TCalcul* m_calcul = nullptr;
    std::uint64_t m_calculGeneration = 0;
    std::uint64_t m_formulesGeneration = 0;
    bool m_hadRows = false;
    bool m_dirty = true;
};

} // namespace kinoval::formulas
