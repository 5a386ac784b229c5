#include "core/results/res_calc.h"

namespace kinoval::results {

TCalcul& TResCalc::Current()
{
    return TransparentIsCurrent() ? m_transparent : m_fixed;
}

const TCalcul& TResCalc::Current() const
{
    return TransparentIsCurrent() ? m_transparent : m_fixed;
}

std::vector<TCalcul*> TResCalc::Selected(TSel which)
{
    switch (which) {
    case kSelBoth:
        return { &m_transparent, &m_fixed };
    case kSelCurrent:
        return { &Current() };
    case kSelTransparent:
        return { &m_transparent };
    case kSelFixed:
        return { &m_fixed };
    default:
        return {};
    }
}

int TResCalc::Recompute(TSel which)
{
    int result = 0;
    for (TCalcul* c : Selected(which)) {
        const int code = c->Recompute(m_source);
        if (result == 0)
            result = code;
    }
    return result;
}

void TResCalc::Invalidate(TSel which)
{
    for (TCalcul* c : Selected(which))
        c->Invalidate();
}

bool TResCalc::IsDirty(TSel which) const
{
    switch (which) {
    case kSelBoth:
        return m_transparent.IsDirty() || m_fixed.IsDirty();
    case kSelCurrent:
        return Current().IsDirty();
    case kSelTransparent:
        return m_transparent.IsDirty();
    case kSelFixed:
        return m_fixed.IsDirty();
    default:
        return false;
    }
}

bool TResCalc::Derive(TSel which, int smoothFlags)
{
    const std::vector<TCalcul*> selected = Selected(which);
    if (selected.empty()) {
        m_lastDeriveCode = 3;
        return false;
    }
    m_lastDeriveCode = 0;
    for (TCalcul* c : selected) {
        const int code = c->Derive(smoothFlags);
        if (m_lastDeriveCode == 0)
            m_lastDeriveCode = code;
    }
    return m_lastDeriveCode == 0;
}

} // namespace kinoval::results
