#pragma once
// The base of every document object the undo history can record.
//
// A history entry is a snapshot: a new object of the live object's class, with the live object's fields
// copied in (Assign) and its identity, so that undo can find the live object again and copy the snapshot
// back, or, for an erased object, put the snapshot itself back into the document.

#include "core/document/doc_types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kinoval::document {

class TProjectKeys;

// Identities come from one program-wide counter starting at 1.
std::int32_t NextIdentity();

class THistObject {
public:
    explicit THistObject(TDocContext* context)
        : Identity(NextIdentity())
        , m_context(context)
    {
    }
    virtual ~THistObject() = default;
    THistObject(const THistObject&) = delete;
    THistObject& operator=(const THistObject&) = delete;

    std::int32_t GroupNumber = 0; // meaningful in history snapshots only
    std::int32_t Identity;
    std::int32_t OwnerIndex = -1; // slot in the list that holds the object; -1 until first added
    std::uint8_t RecordKind = rkNone;

    virtual TObjectKind ObjectKind() const = 0;
    // Copies the fields of another object of the same class. Neither the entry data (group, kind,
    // identity) nor the owner index is copied: a live object keeps its slot when a snapshot is copied back
    // into it; the history gives a snapshot its object's slot itself.
    virtual void Assign(const THistObject& other) { (void)other; }
    virtual bool Equals(const THistObject& other) const
    {
        (void)other;
        return true;
    }
    // A new, empty object of the same class with the same links (frame, container, set), ready for Assign.
    virtual std::unique_ptr<THistObject> NewSnapshot() const = 0;
    // The object's keys in a study file, each named base + "_" + suffix. Objects that the study file
    // does not hold on their own (dated origins, containers are written by their owners) keep these empty.
    virtual void Save(TProjectKeys& keys, const std::string& suffix) const
    {
        (void)keys;
        (void)suffix;
    }
    virtual void Load(const TProjectKeys& keys, const std::string& suffix)
    {
        (void)keys;
        (void)suffix;
    }

protected:
    TDocContext* m_context;
};

} // namespace kinoval::document
