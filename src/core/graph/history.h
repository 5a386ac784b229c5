#pragma once
// The graph's own undo history (THistorique, with its entries THistObject), apart from the measurement
// document's namesakes (document::THistorique): it records the edits of the elements the user lays over a
// graph, grouped so that one action (deleting several selected elements) is undone at once.
//
// An entry keeps the action, the element's kind and identifier and a copy of the element as it was. A
// group opens with BeginGroup and closes with the matching EndGroup; groups nest, and every entry
// recorded while one is open carries its number. While the history replays an undo, the changes it makes
// are not recorded again.

#include "core/graph/elements.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kinoval::graph {

class TGraph;

enum class THistAction : std::uint8_t {
    Colour = 1,
    Bend = 2,
    Create = 3,
    Deform = 4,
    Move = 5,
    Duplicate = 6,
    Reverse = 7,
    Modify = 8,
    Pivot = 9,
    Delete = 10,
};

// The words of the undo caption: an action's, and an element kind's (empty for kinds without one).
const char* ActionWord(THistAction action);
const char* KindWord(TGObjectType kind);

struct THistObject {
    int group = 0;
    THistAction action = THistAction::Create;
    TGObjectType kind = obNone;
    int elementId = 0;
    // The element as it was before the edit; for a deletion, the element itself.
    std::unique_ptr<TGElem> saved;
};

class THistorique {
public:
    void BeginGroup();
    void EndGroup();
    bool GroupOpen() const { return m_open; }
    int Group() const { return m_group; }
    // Records an entry (ignored while replaying); it takes the open group's number, or a group of its own.
    void Record(THistObject entry);
    void Clear();

    // Before an undo or a caption: going back from the last entry, the entries whose element is gone or
    // has changed kind are dropped, up to the first creation, duplication or deletion, or the first entry
    // whose element is still there.
    void Prune(const TGraph& graph);
    // "Annuler", then the action's word when the last group holds one action, then the kind's word when
    // it concerns one kind; empty when there is nothing to undo.
    std::string UndoCaption(const TGraph& graph);
    // Undoes the last group: creations and duplications are deleted, deletions put back, the other edits
    // restored from their copies. False when there was nothing to undo.
    bool Undo(TGraph& graph);

    const std::vector<THistObject>& Entries() const { return m_entries; }
    std::vector<THistObject>& Entries() { return m_entries; }
    bool Replaying() const { return m_replaying; }
    void SetReplaying(bool replaying) { m_replaying = replaying; }

private:
    std::vector<THistObject> m_entries;
    int m_group = 0;
    int m_depth = 0;
    bool m_open = false;
    bool m_replaying = false;
};

} // namespace kinoval::graph
