#pragma once
// One undo history of the measurement document.
//
// Callers record an object before changing it; the entry is a snapshot of the state to go back to. Entries
// made between BeginGroup and EndGroup share one group number and are undone together. Undo first prunes
// the newest entries that changed nothing (or whose object is gone), then walks the newest group: a
// creation is undone by removing the live object, an erasure by putting the recorded object back, a
// modification by copying the snapshot into the live object. At most 65536 entries are kept: older groups
// are dropped whole, and the group being recorded is never cut, so no undo step is ever half undone. The document owns
// four histories and tells each undo how to find, remove, put back and refresh its objects through THistoryHost.

#include "core/document/hist_object.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace kinoval::document {

class THistoryHost {
public:
    virtual ~THistoryHost() = default;
    virtual THistObject* FindLive(std::int32_t identity) = 0;
    // Undo of a creation: remove the live object (recording nothing).
    virtual void RemoveLive(THistObject& live, std::uint8_t createdKind) = 0;
    // Undo of an erasure: the recorded object becomes live again.
    virtual void PutBack(std::unique_ptr<THistObject> object, std::uint8_t erasedKind) = 0;
    // After a snapshot was copied into the live object.
    virtual void Refresh(THistObject& live) = 0;
};

class THistorique {
public:
    static constexpr std::size_t kMaxEntries = 65536;

    void BeginGroup();
    void EndGroup();
    void Record(const THistObject& object, TRecordKind kind);
    // Undoes the newest group; false when there was nothing to undo.
    bool Undo(THistoryHost& host);
    // The undo caption: empty when nothing can be undone, else "Annuler" with the verb and noun of the
    // newest group when all its entries agree on them.
    std::string Description(THistoryHost& host);
    void Clear();
    void Prune(THistoryHost& host);

    std::size_t Count() const { return m_entries.size(); }
    const THistObject& Entry(std::size_t i) const { return *m_entries[i]; }
    bool IsGroupOpen() const { return m_groupOpen; }

private:
    std::int32_t m_groupCounter = 0;
    std::int32_t m_depth = 0;
    bool m_groupOpen = false;
    bool m_replaying = false;
    // A deque: dropping the oldest entry once the cap is reached must not move the other 65535.
    std::deque<std::unique_ptr<THistObject>> m_entries;
};

// RAII group: one undo step for everything done while it lives.
class THistoryGroup {
public:
    explicit THistoryGroup(THistorique& history)
        : m_history(history)
    {
        m_history.BeginGroup();
    }
    ~THistoryGroup() { m_history.EndGroup(); }
    THistoryGroup(const THistoryGroup&) = delete;
    THistoryGroup& operator=(const THistoryGroup&) = delete;

private:
    THistorique& m_history;
};

std::string RecordVerb(std::uint8_t kind);
std::string ObjectNoun(std::uint8_t kind);

} // namespace kinoval::document
