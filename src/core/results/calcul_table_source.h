#pragma once
// The results table's view of one kinematic calculator.
//
// Each table of the pair reads its own calculator (the fixed-frame table the fixed-frame calculator, the
// transparent table the transparent one); the axis angle comes from the document's geometry of the same
// mark set, and the objects' names from whoever holds them (the document's names and colours).

#include "core/document/measurement.h"
#include "core/results/calcul.h"
#include "core/results/grid.h"
#include "core/results/table_source.h"
#include "core/settings/options.h"

#include <functional>
#include <string>

namespace kinoval::results {

class TCalculTableSource : public TTableSource {
public:
    // objectName(k) for k 0-based; without it the objects are named by their number.
    TCalculTableSource(
        const TCalcul& calcul, const TMeasurementSource& document, std::function<std::string(int)> objectName = {});

    int ObjectCount() const override { return m_calcul.ObjectCount(); }
    int Rows() const override { return m_calcul.Rows(); }
    double Time(int row) const override { return m_calcul.Time(row); }
    int FrameOf(int object, int row) const override;
    double Value(int object, int code, int row) const override;
    double AxisAngle() const override;
    std::string ObjectName(int object) const override;

private:
    const TCalcul& m_calcul;
    const TMeasurementSource& m_document;
    std::function<std::string(int)> m_objectName;
};

// The table's switches from the program's settings.
TGridOptions GridOptionsOf(const TOptionValues& options);

} // namespace kinoval::results
