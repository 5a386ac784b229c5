#include "core/document/scale.h"

#include "core/document/document_view.h"

namespace kinoval::document {

void TEchelle::Assign(const THistObject& other)
{
    THistObject::Assign(other);
    const auto& e = static_cast<const TEchelle&>(other);
    for (int k = 0; k < 3; ++k) {
        PointsNumber[k] = e.PointsNumber[k];
        Length[k] = e.Length[k];
    }
    for (int i = 0; i < 6; ++i)
        Points[i] = e.Points[i];
    Kind = e.Kind;
}

bool TEchelle::Equals(const THistObject& other) const
{
    const auto& e = static_cast<const TEchelle&>(other);
    for (int k = 0; k < 3; ++k)
        if (PointsNumber[k] != e.PointsNumber[k] || !IsEqualLength(Length[k], e.Length[k]))
            return false;
    for (int i = 0; i < 6; ++i)
        if (!SamePosition(Points[i], e.Points[i]))
            return false;
    return Kind == e.Kind;
}

bool TEchelle::IsEqualLength(double a, double b) { return SamePosition({a, 0}, {b, 0}); }

void TEchelle::RefreshScreen()
{
    if (m_context->view == nullptr)
        return;
    for (int i = 0; i < 6; ++i)
        Screen[i] = m_context->view->ImageToScreen(Points[i]);
}

void TEchelle::Reset(bool separateScales)
{
    for (int k = 0; k < 3; ++k) {
        PointsNumber[k] = 0;
        Length[k] = 0;
    }
    for (int i = 0; i < 6; ++i) {
        Points[i] = {0, 0};
        Screen[i] = {0, 0};
    }
    DraggedItem = -2;
    Kind = separateScales ? skVertical : skSingle;
    m_context->MarkOutOfDate();
}

} // namespace kinoval::document
