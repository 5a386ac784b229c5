// What the montage asks of the document when it hides a frame.
#include "core/document/data.h"

namespace kinoval::document {

void TData::EraseHiddenFrameMarks(int rawFrame)
{
    ++m_batch;
    for (TPolyContainer* set :
        { static_cast<TPolyContainer*>(m_fixedSet.get()), static_cast<TPolyContainer*>(m_tspSet.get()) }) {
        // Found afresh each time: removing the last mark may drop the container.
        for (TContainer* c = set->FindContainer(rawFrame); c != nullptr && !c->Marks.empty();
             c = set->FindContainer(rawFrame))
            RemoveMark(c->Marks.back().get(), rkErased);
    }
    --m_batch;
    Renumber(*m_fixedSet);
    Renumber(*m_tspSet);
    // Undoing would bring back marks on a frame that no longer takes part in the measure.
    m_scaleHistory.Clear();
    m_axesHistory.Clear();
    m_tspHistory.Clear();
    m_marksHistory.Clear();
    Repaint();
}

int TData::MarksOnRawFrameInAllSets(int rawFrame) const
{
    int count = 0;
    for (const TPolyContainer* set :
        { static_cast<const TPolyContainer*>(m_fixedSet.get()), static_cast<const TPolyContainer*>(m_tspSet.get()) }) {
        const TContainer* c = set->FindContainer(rawFrame);
        if (c != nullptr)
            count += static_cast<int>(c->Marks.size());
    }
    return count;
}

} // namespace kinoval::document
