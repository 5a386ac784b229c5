#pragma once
// What the results window remembers of the choices of its graph pages, one record per mark set: going
// over to the transparent sheet and back finds each set's quantity and ticked objects as they were left.

#include "core/document/measurement.h"
#include "core/results/quantity.h"

#include <vector>

namespace kinoval::results {

struct TMemory {
    // The time page: the quantity and the ticked objects (an object beyond the list is not ticked, except
    // the first, which a new record ticks).
    TQuantity quantity = kQtyX;
    std::vector<bool> objects;
    // The trajectory page: the object and the frame of reference (-1: the laboratory).
    int trajectoryObject = 0;
    int reference = -1;

    bool Ticked(int object) const
    {
        if (object >= 0 && object < static_cast<int>(objects.size()))
            return objects[static_cast<std::size_t>(object)];
        return object == 0 && objects.empty();
    }
    void SetTicked(int object, bool ticked)
    {
        if (object < 0)
            return;
        if (objects.empty())
            objects.push_back(true);
        if (object >= static_cast<int>(objects.size()))
            objects.resize(static_cast<std::size_t>(object) + 1, false);
        objects[static_cast<std::size_t>(object)] = ticked;
    }
};

class TResMem {
public:
    TMemory& Of(TMarkSet set) { return set == TMarkSet::Transparent ? m_transparent : m_camera; }
    const TMemory& Of(TMarkSet set) const { return set == TMarkSet::Transparent ? m_transparent : m_camera; }
    // A new study: both records as a new window has them.
    void Reset()
    {
        m_camera = TMemory();
        m_transparent = TMemory();
    }

private:
    TMemory m_camera;
    TMemory m_transparent;
};

} // namespace kinoval::results
