#include "core/formulas/formules_calc.h"

#include "core/document/measurement.h"
#include "core/formulas/formules.h"
#include "core/results/res_calc.h"
#include "core/settings/options.h"

namespace kinoval::formulas {

TFormulesCalc::TFormulesCalc(TFormules& formules, const results::TResCalc& calc, const TMeasurementSource& document)
    : m_formules(formules)
    , m_calc(calc)
    , m_values(calc, [&calc, &document] { return document.Geometry(calc.Current().MarkSet()).xAxisAngle; })
{
}

TFormulesCalc::~TFormulesCalc()
{
    if (m_formules.Source() == &m_values)
        m_formules.SetSource(nullptr);
}

void TFormulesCalc::ApplyOptions(const TOptionValues& options)
{
    if (m_formules.StartsAtZero() != options.numberMarksFromZero) {
        m_formules.SetStartAtZero(options.numberMarksFromZero);
        m_dirty = true;
    }
    // Recomputes at once when the unit changes.
    m_formules.SetRadians(options.anglesInRadians);
}

void TFormulesCalc::SetAvailable(bool velocity, bool acceleration, bool polar)
{
    if (m_formules.VelocityAvailable() == velocity && m_formules.AccelerationAvailable() == acceleration
        && m_formules.PolarAvailable() == polar)
        return;
    m_formules.SetVelocityAvailable(velocity);
    m_formules.SetAccelerationAvailable(acceleration);
    m_formules.SetPolarAvailable(polar);
    m_dirty = true;
}

bool TFormulesCalc::Update()
{
    const results::TCalcul& current = m_calc.Current();
    // A calculator whose last pass failed holds arrays that describe no study: no rows then.
    const bool rows = !current.IsDirty();
    if (!m_dirty && &current == m_calcul && current.Generation() == m_calculGeneration
        && m_formules.Generation() == m_formulesGeneration && rows == m_hadRows)
        return false;
    m_formules.SetSource(rows ? &m_values : nullptr);
    m_formules.ComputeAll();
    m_calcul = &current;
    m_calculGeneration = current.Generation();
    m_formulesGeneration = m_formules.Generation();
    m_hadRows = rows;
    m_dirty = false;
    Computed.Emit();
    return true;
}

} // namespace kinoval::formulas
