#pragma once
// Marks, the marks of one frame (a container) and a mark set.
//
// A mark set owns its frame containers, each container owns its marks, and the set also keeps a borrowed
// list of all its marks in owner-index order (the order they were placed in). The set keeps two look-up
// tables beside the lists, frame -> container and identity -> mark, so that placing, importing and undoing
// stay cheap in long studies. Every insertion and removal of a mark goes through Attach and Detach, which
// keep the lists and tables in step.

#include "core/document/reference_frame.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace kinoval::document {

// The most objects one study follows on a frame: what the user may choose, and what a study may hold.
inline constexpr int kMaxObjectsPerFrame = 32;

class TContainer;
class TPolyContainer;

class TMarque : public THistObject {
public:
    TMarque(TDocContext* context, TRepere* repere, TContainer* container, TPolyContainer* set)
        : THistObject(context)
        , Repere(repere)
        , Container(container)
        , Set(set)
    {
    }

    std::int32_t MarkOrderNumber = 0;
    TPoint Screen; // cached from the image position
    TRepere* Repere;
    TContainer* Container;
    TPolyContainer* Set;

    void Assign(const THistObject& other) override;
    bool Equals(const THistObject& other) const override;
    // Fixed-frame marks store their image position, transparent marks their position on the sheet.
    void Save(TProjectKeys& keys, const std::string& suffix) const override;
    void Load(const TProjectKeys& keys, const std::string& suffix) override;
    // What Load does with values already read: the object number and the stored position.
    void Restore(std::int32_t objectNumber, TPointD stored);
    virtual TPointD GetRelative() const = 0;
    virtual TPointD GetImage() const = 0;
    // Both setters mark the results out of date when the position changes.
    virtual void SetRelative(TPointD p) = 0;
    virtual void SetImage(TPointD p) = 0;
    void RefreshScreen();
    bool IsHit(TPoint q) const;

protected:
    void Store(TPointD p);
    TPointD m_stored; // the image position for fixed-frame marks, the relative one for transparent marks
};

class TMarqueRep : public TMarque {
public:
    using TMarque::TMarque;
    TObjectKind ObjectKind() const override { return okMarqueRep; }
    std::unique_ptr<THistObject> NewSnapshot() const override
    {
        return std::make_unique<TMarqueRep>(m_context, Repere, Container, Set);
    }
    TPointD GetRelative() const override;
    TPointD GetImage() const override { return m_stored; }
    void SetRelative(TPointD p) override;
    void SetImage(TPointD p) override { Store(p); }
};

class TMarqueTsp : public TMarque {
public:
    using TMarque::TMarque;
    TObjectKind ObjectKind() const override { return okMarqueTsp; }
    std::unique_ptr<THistObject> NewSnapshot() const override
    {
        return std::make_unique<TMarqueTsp>(m_context, Repere, Container, Set);
    }
    TPointD GetRelative() const override { return m_stored; }
    TPointD GetImage() const override;
    void SetRelative(TPointD p) override { Store(p); }
    void SetImage(TPointD p) override;
};

class TContainer : public THistObject {
public:
    TContainer(TDocContext* context, TRepere* repere, TPolyContainer* set, int frame)
        : THistObject(context)
        , MarksContainerFrameNumber(frame)
        , Repere(repere)
        , Set(set)
    {
        Marks.reserve(32);
    }

    std::int32_t MarksContainerFrameNumber;
    std::int32_t MarksContainerMarkNumber = 0;
    std::vector<std::unique_ptr<TMarque>> Marks;
    TRepere* Repere;
    TPolyContainer* Set;

    TObjectKind ObjectKind() const override { return okNone; }
    bool Equals(const THistObject& other) const override;
    void Save(TProjectKeys& keys, const std::string& suffix) const override;
    TMarque* FindObject(int objectNumber) const;
};

class TMarqueImgRep : public TContainer {
public:
    using TContainer::TContainer;
    std::unique_ptr<THistObject> NewSnapshot() const override
    {
        return std::make_unique<TMarqueImgRep>(m_context, Repere, Set, MarksContainerFrameNumber);
    }
};

class TMarqueImgTsp : public TContainer {
public:
    using TContainer::TContainer;
    std::unique_ptr<THistObject> NewSnapshot() const override
    {
        return std::make_unique<TMarqueImgTsp>(m_context, Repere, Set, MarksContainerFrameNumber);
    }
};

// The default name of object k as the study keeps it, "du point n°" and k + 1: the same in every language.
std::string DefaultObjectName(int k);
// A name as the windows and the table show it: a default name in the interface's language, another as typed.
std::string ShownObjectName(const std::string& name);
// The name kept for the text of object k's name cell: its default when the shown default was left.
std::string StoredObjectName(int k, const std::string& typed);

class TPolyContainer : public THistObject {
public:
    TPolyContainer(TDocContext* context, TRepere* repere);

    bool MarksIsAllDrawn = true;
    std::int32_t MarksNumberPerFrame = 1;
    std::int32_t MarksNumberToDraw = 1;
    std::int32_t CurrentMarkOrderNumber = 0;
    std::int32_t SelectedMark = -1; // index into AllMarks of the mark being dragged
    std::uint8_t DragState = 0; // 0 idle, 1 dragging a mark, 2 drawing an erase rectangle
    TPoint EraseRect[2];
    std::uint8_t MarksNumberPosition = 0; // 0 below, 1 right, 2 none
    std::vector<std::string> SystemName;
    std::vector<TMarque*> AllMarks; // borrowed, owner-index order
    std::vector<std::unique_ptr<TContainer>> Containers; // owning
    TRepere* Repere;

    // Copies the set's own settings (flags, counts, current object, number position, names); the marks are
    // history objects of their own and are not part of a set's snapshot.
    void Assign(const THistObject& other) override;
    bool Equals(const THistObject& other) const override;
    // Loading goes through TData::LoadMarkSet, which applies the objects per frame like the user would.
    void Save(TProjectKeys& keys, const std::string& suffix) const override;

    virtual bool IsTransparent() const = 0;
    virtual std::unique_ptr<TMarque> NewMark(TContainer* container) = 0;
    virtual std::unique_ptr<TContainer> NewContainer(int frame) = 0;
    virtual bool HasDefaultNames() const;
    virtual void SetObjectsPerFrame(int n) { MarksNumberPerFrame = n; }
    virtual void SetCurrentObject(int k);
    virtual void RestoreDefaultNames();

    TContainer* FindContainer(int frame) const;
    TContainer& FindOrCreateContainer(int frame);
    TMarque* FindMark(std::int32_t identity) const;

    // Appends a new mark to its container and to the end of the list of all marks.
    void Attach(std::unique_ptr<TMarque> mark);
    // Puts a mark that was taken out back into its container and at its owner index in the list of all
    // marks. Refused when it has no container, when the container already has a mark of its object, or
    // when it is already there; the mark is then handed back.
    std::unique_ptr<TMarque> AttachBack(std::unique_ptr<TMarque> mark);
    // Takes a mark out of both lists and hands it over.
    std::unique_ptr<TMarque> Detach(TMarque* mark);

    // Containers sorted by frame (empty ones last, keyed frameCount + 1), one stable sort; the i-th gets
    // mark number i. With a frame count, containers on frames the video does not have sort last too.
    void Renumber(int frameCount);
    void Clear();
    void ResetDefaults(int numberPosition);
    int MarkCount() const { return static_cast<int>(AllMarks.size()); }
    void RefreshScreens();

private:
    void Reindex(std::size_t from);
    std::unordered_map<int, TContainer*> m_byFrame;
    std::unordered_map<std::int32_t, TMarque*> m_byIdentity;
};

class TPolyMarqueImgRep : public TPolyContainer {
public:
    using TPolyContainer::TPolyContainer;
    TObjectKind ObjectKind() const override { return okPolyMarqueImgRep; }
    std::unique_ptr<THistObject> NewSnapshot() const override
    {
        return std::make_unique<TPolyMarqueImgRep>(m_context, Repere);
    }
    bool IsTransparent() const override { return false; }
    std::unique_ptr<TMarque> NewMark(TContainer* container) override;
    std::unique_ptr<TContainer> NewContainer(int frame) override;
};

// One object per frame, always object 0; two names, both must still be the defaults for the
// default-names test.
class TPolyMarqueImgTsp : public TPolyContainer {
public:
    TPolyMarqueImgTsp(TDocContext* context, TRepere* repere);
    TObjectKind ObjectKind() const override { return okPolyMarqueImgTsp; }
    std::unique_ptr<THistObject> NewSnapshot() const override
    {
        return std::make_unique<TPolyMarqueImgTsp>(m_context, Repere);
    }
    bool IsTransparent() const override { return true; }
    std::unique_ptr<TMarque> NewMark(TContainer* container) override;
    std::unique_ptr<TContainer> NewContainer(int frame) override;
    bool HasDefaultNames() const override;
    void SetObjectsPerFrame(int) override { }
    void SetCurrentObject(int) override { }
    void RestoreDefaultNames() override { SystemName = { DefaultObjectName(0), DefaultObjectName(1) }; }
};

} // namespace kinoval::document
