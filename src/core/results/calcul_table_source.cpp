#include "core/results/calcul_table_source.h"

namespace kinoval::results {

TCalculTableSource::TCalculTableSource(
    const TCalcul& calcul, const TMeasurementSource& document, std::function<std::string(int)> objectName)
    : m_calcul(calcul)
    , m_document(document)
    , m_objectName(std::move(objectName))
{
}

int TCalculTableSource::FrameOf(int object, int row) const
{
    // The calculator answers 0 outside its arrays; the table must see "no mark" there.
    if (object < 0 || object >= m_calcul.ObjectCount() || row < 0 || row >= m_calcul.Rows())
        return -1;
    return m_calcul.FrameOf(object, row);
}

double TCalculTableSource::Value(int object, int code, int row) const
{
    return m_calcul.Value(kUserAxes, object, static_cast<TQuantity>(code), row);
}

double TCalculTableSource::AxisAngle() const
{
    return m_document.Geometry(m_calcul.MarkSet()).xAxisAngle;
}

std::string TCalculTableSource::ObjectName(int object) const
{
    if (m_objectName)
        return m_objectName(object);
    return std::to_string(object + 1);
}

TGridOptions GridOptionsOf(const TOptionValues& options)
{
    TGridOptions grid;
    grid.numberFromZero = options.numberMarksFromZero;
    grid.hideVelocityEdges = options.hideVelocityEdges;
    grid.hideAccelerationEdges = options.hideAccelerationEdges;
    return grid;
}

} // namespace kinoval::results
