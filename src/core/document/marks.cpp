#include "core/document/marks.h"

#include "core/common/texts.h"
#include "core/common/tolerance.h"
#include "core/document/document_view.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace kinoval {

bool SamePosition(const TPointD& a, const TPointD& b)
{
    return IsEqual(a.x, b.x) && IsEqual(a.y, b.y);
}

namespace document {

// ---- TMarque ----

void TMarque::Assign(const THistObject& other)
{
    THistObject::Assign(other);
    const auto& m = static_cast<const TMarque&>(other);
    MarkOrderNumber = m.MarkOrderNumber;
    Screen = m.Screen;
    m_stored = m.m_stored;
}

bool TMarque::Equals(const THistObject& other) const
{
    if (!THistObject::Equals(other))
        return false;
    const auto& m = static_cast<const TMarque&>(other);
    return SamePosition(GetImage(), m.GetImage()) && SamePosition(GetRelative(), m.GetRelative());
}

void TMarque::Store(TPointD p)
{
    if (SamePosition(p, m_stored))
        return;
    m_stored = p;
    m_context->MarkOutOfDate();
}

void TMarque::RefreshScreen()
{
    if (m_context->view != nullptr)
        Screen = m_context->view->ImageToScreen(GetImage());
}

bool TMarque::IsHit(TPoint q) const
{
    return std::abs(q.x - Screen.x) <= 3 && std::abs(q.y - Screen.y) <= 3;
}

TPointD TMarqueRep::GetRelative() const
{
    return { m_stored.x - Repere->OrigineCurrent.x, m_stored.y - Repere->OrigineCurrent.y };
}

void TMarqueRep::SetRelative(TPointD p)
{
    Store({ p.x + Repere->OrigineCurrent.x, p.y + Repere->OrigineCurrent.y });
}

TPointD TMarqueTsp::GetImage() const
{
    return { m_stored.x + Repere->OrigineCurrent.x, m_stored.y + Repere->OrigineCurrent.y };
}

void TMarqueTsp::SetImage(TPointD p)
{
    Store({ p.x - Repere->OrigineCurrent.x, p.y - Repere->OrigineCurrent.y });
}

// ---- TContainer ----

bool TContainer::Equals(const THistObject& other) const
{
    const auto& c = static_cast<const TContainer&>(other);
    if (MarksContainerFrameNumber != c.MarksContainerFrameNumber
        || MarksContainerMarkNumber != c.MarksContainerMarkNumber || Marks.size() != c.Marks.size())
        return false;
    for (std::size_t i = 0; i < Marks.size(); ++i)
        if (!Marks[i]->Equals(*c.Marks[i]))
            return false;
    return true;
}

TMarque* TContainer::FindObject(int objectNumber) const
{
    for (const auto& m : Marks)
        if (m->MarkOrderNumber == objectNumber)
            return m.get();
    return nullptr;
}

// ---- TPolyContainer ----

namespace {

constexpr const char* kDefaultNameStart = TrNoop("du point n°");

} // namespace

std::string DefaultObjectName(int k)
{
    return kDefaultNameStart + std::to_string(k + 1);
}

std::string ShownObjectName(const std::string& name)
{
    const std::string_view start = kDefaultNameStart;
    if (!name.starts_with(start) || name.size() == start.size())
        return name;
    const std::string_view number = std::string_view(name).substr(start.size());
    for (char c : number) {
        if (c < '0' || c > '9')
            return name;
    }
    return Tr(kDefaultNameStart) + std::string(number);
}

std::string StoredObjectName(int k, const std::string& typed)
{
    return typed == ShownObjectName(DefaultObjectName(k)) ? DefaultObjectName(k) : typed;
}

TPolyContainer::TPolyContainer(TDocContext* context, TRepere* repere)
    : THistObject(context)
    , Repere(repere)
{
    AllMarks.reserve(1024);
    Containers.reserve(1024);
    SystemName.push_back(DefaultObjectName(0));
}

void TPolyContainer::Assign(const THistObject& other)
{
    THistObject::Assign(other);
    const auto& s = static_cast<const TPolyContainer&>(other);
    MarksIsAllDrawn = s.MarksIsAllDrawn;
    MarksNumberPerFrame = s.MarksNumberPerFrame;
    MarksNumberToDraw = s.MarksNumberToDraw;
    CurrentMarkOrderNumber = s.CurrentMarkOrderNumber;
    MarksNumberPosition = s.MarksNumberPosition;
    SystemName = s.SystemName;
}

bool TPolyContainer::Equals(const THistObject& other) const
{
    const auto& s = static_cast<const TPolyContainer&>(other);
    return MarksIsAllDrawn == s.MarksIsAllDrawn && MarksNumberPerFrame == s.MarksNumberPerFrame
        && MarksNumberToDraw == s.MarksNumberToDraw && CurrentMarkOrderNumber == s.CurrentMarkOrderNumber
        && MarksNumberPosition == s.MarksNumberPosition && SystemName == s.SystemName;
}

bool TPolyContainer::HasDefaultNames() const
{
    for (std::size_t k = 0; k < SystemName.size(); ++k)
        if (SystemName[k] == DefaultObjectName(static_cast<int>(k)))
            return true;
    return false;
}

void TPolyContainer::SetCurrentObject(int k)
{
    if (k >= MarksNumberPerFrame)
        k = 0;
    else if (k < 0)
        k = MarksNumberPerFrame - 1;
    CurrentMarkOrderNumber = k;
}

void TPolyContainer::RestoreDefaultNames()
{
    SystemName.clear();
    for (int k = 0; k < std::max(1, MarksNumberPerFrame); ++k)
        SystemName.push_back(DefaultObjectName(k));
}

TContainer* TPolyContainer::FindContainer(int frame) const
{
    auto it = m_byFrame.find(frame);
    return it == m_byFrame.end() ? nullptr : it->second;
}

TContainer& TPolyContainer::FindOrCreateContainer(int frame)
{
    if (TContainer* c = FindContainer(frame))
        return *c;
    auto c = NewContainer(frame);
    c->OwnerIndex = static_cast<int>(Containers.size());
    TContainer* raw = c.get();
    Containers.push_back(std::move(c));
    m_byFrame.emplace(frame, raw);
    return *raw;
}

TMarque* TPolyContainer::FindMark(std::int32_t identity) const
{
    auto it = m_byIdentity.find(identity);
    return it == m_byIdentity.end() ? nullptr : it->second;
}

void TPolyContainer::Reindex(std::size_t from)
{
    for (std::size_t i = from; i < AllMarks.size(); ++i)
        AllMarks[i]->OwnerIndex = static_cast<int>(i);
}

void TPolyContainer::Attach(std::unique_ptr<TMarque> mark)
{
    mark->OwnerIndex = static_cast<int>(AllMarks.size());
    AllMarks.push_back(mark.get());
    m_byIdentity[mark->Identity] = mark.get();
    TContainer* container = mark->Container;
    container->Marks.push_back(std::move(mark));
    m_context->MarkOutOfDate();
}

std::unique_ptr<TMarque> TPolyContainer::AttachBack(std::unique_ptr<TMarque> mark)
{
    TContainer* container = mark->Container;
    if (container == nullptr || container->FindObject(mark->MarkOrderNumber) != nullptr)
        return mark;
    for (const auto& m : container->Marks)
        if (m.get() == mark.get())
            return mark;
    mark->RefreshScreen();
    TMarque* raw = mark.get();
    container->Marks.push_back(std::move(mark));
    if (raw->OwnerIndex >= 0 && raw->OwnerIndex < static_cast<int>(AllMarks.size())) {
        const auto at = static_cast<std::size_t>(raw->OwnerIndex);
        AllMarks.insert(AllMarks.begin() + static_cast<std::ptrdiff_t>(at), raw);
        Reindex(at);
    } else {
        raw->OwnerIndex = static_cast<int>(AllMarks.size());
        AllMarks.push_back(raw);
    }
    m_byIdentity[raw->Identity] = raw;
    m_context->MarkOutOfDate();
    return nullptr;
}

std::unique_ptr<TMarque> TPolyContainer::Detach(TMarque* mark)
{
    // The owner index is the mark's slot; fall back on a search if a caller left it stale.
    std::size_t at = static_cast<std::size_t>(mark->OwnerIndex);
    if (mark->OwnerIndex < 0 || at >= AllMarks.size() || AllMarks[at] != mark) {
        auto it = std::find(AllMarks.begin(), AllMarks.end(), mark);
        if (it == AllMarks.end())
            at = AllMarks.size();
        else
            at = static_cast<std::size_t>(it - AllMarks.begin());
    }
    if (at < AllMarks.size()) {
        AllMarks.erase(AllMarks.begin() + static_cast<std::ptrdiff_t>(at));
        Reindex(at);
        // Keep the slot it held, so that undo puts it back where it was.
        mark->OwnerIndex = static_cast<int>(at);
    }
    m_byIdentity.erase(mark->Identity);
    std::unique_ptr<TMarque> owned;
    if (TContainer* container = mark->Container) {
        auto& marks = container->Marks;
        for (auto it = marks.begin(); it != marks.end(); ++it)
            if (it->get() == mark) {
                owned = std::move(*it);
                marks.erase(it);
                break;
            }
    }
    m_context->MarkOutOfDate();
    return owned;
}

void TPolyContainer::Renumber(int frameCount)
{
    // Keys and indices side by side, so that the sort walks one contiguous array.
    const std::size_t n = Containers.size();
    std::vector<std::pair<long long, std::size_t>> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TContainer& c = *Containers[i];
        const bool outside
            = frameCount > 0 && (c.MarksContainerFrameNumber < 0 || c.MarksContainerFrameNumber >= frameCount);
        order[i]
            = { c.Marks.empty() || outside ? static_cast<long long>(frameCount) + 1 : c.MarksContainerFrameNumber, i };
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < n; ++i)
        Containers[order[i].second]->MarksContainerMarkNumber = static_cast<int>(i);
}

void TPolyContainer::Clear()
{
    AllMarks.clear();
    Containers.clear();
    m_byFrame.clear();
    m_byIdentity.clear();
    RestoreDefaultNames();
    SelectedMark = -1;
    m_context->MarkOutOfDate();
}

void TPolyContainer::ResetDefaults(int numberPosition)
{
    MarksIsAllDrawn = true;
    DragState = 0;
    MarksNumberToDraw = 1;
    MarksNumberPerFrame = 1;
    CurrentMarkOrderNumber = 0;
    SelectedMark = -1;
    if (numberPosition >= 0 && numberPosition <= 2)
        MarksNumberPosition = static_cast<std::uint8_t>(numberPosition);
}

void TPolyContainer::RefreshScreens()
{
    for (TMarque* m : AllMarks)
        m->RefreshScreen();
}

std::unique_ptr<TMarque> TPolyMarqueImgRep::NewMark(TContainer* container)
{
    return std::make_unique<TMarqueRep>(m_context, Repere, container, this);
}

std::unique_ptr<TContainer> TPolyMarqueImgRep::NewContainer(int frame)
{
    return std::make_unique<TMarqueImgRep>(m_context, Repere, this, frame);
}

TPolyMarqueImgTsp::TPolyMarqueImgTsp(TDocContext* context, TRepere* repere)
    : TPolyContainer(context, repere)
{
    SystemName = { DefaultObjectName(0), DefaultObjectName(1) };
}

std::unique_ptr<TMarque> TPolyMarqueImgTsp::NewMark(TContainer* container)
{
    return std::make_unique<TMarqueTsp>(m_context, Repere, container, this);
}

std::unique_ptr<TContainer> TPolyMarqueImgTsp::NewContainer(int frame)
{
    return std::make_unique<TMarqueImgTsp>(m_context, Repere, this, frame);
}

bool TPolyMarqueImgTsp::HasDefaultNames() const
{
    return SystemName.size() >= 2 && SystemName[0] == DefaultObjectName(0) && SystemName[1] == DefaultObjectName(1);
}

} // namespace document
} // namespace kinoval
