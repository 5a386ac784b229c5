#include "core/graph/history.h"

namespace kinoval::graph {

void THistorique::BeginGroup()
{
    if (m_open) {
        ++m_depth;
        return;
    }
    ++m_group;
    m_open = true;
}

void THistorique::EndGroup()
{
    if (m_depth < 1)
        m_open = false;
    else
        --m_depth;
}

void THistorique::Record(THistObject entry)
{
    if (m_replaying)
        return;
    if (!m_open)
        ++m_group;
    entry.group = m_group;
    m_entries.push_back(std::move(entry));
}

void THistorique::Clear()
{
    m_entries.clear();
    m_depth = 0;
    m_open = false;
}

} // namespace kinoval::graph
