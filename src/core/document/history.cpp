#include "core/document/history.h"

#include "core/common/texts.h"

#include <typeinfo>

namespace kinoval::document {

std::int32_t NextIdentity()
{
    static std::int32_t counter = 0;
    return ++counter;
}

void THistorique::BeginGroup()
{
    if (m_groupOpen) {
        ++m_depth;
        return;
    }
    ++m_groupCounter;
    m_groupOpen = true;
}

void THistorique::EndGroup()
{
    if (m_depth < 1)
        m_groupOpen = false;
    else
        --m_depth;
}

void THistorique::Record(const THistObject& object, TRecordKind kind)
{
    if (m_replaying)
        return;
    // The cap drops whole groups, oldest first, and never the group being recorded: an undo step is
    // either undone completely or not offered at all, and an import larger than the cap stays undoable.
    const std::int32_t recording = m_groupOpen ? m_groupCounter : -1;
    while (m_entries.size() > kMaxEntries - 1 && m_entries.front()->GroupNumber != recording) {
        const std::int32_t oldest = m_entries.front()->GroupNumber;
        while (!m_entries.empty() && m_entries.front()->GroupNumber == oldest)
            m_entries.pop_front();
    }
    std::unique_ptr<THistObject> snapshot = object.NewSnapshot();
    snapshot->Assign(object);
    snapshot->Identity = object.Identity;
    snapshot->OwnerIndex = object.OwnerIndex; // an erased object goes back to its slot
    if (!m_groupOpen)
        ++m_groupCounter;
    snapshot->GroupNumber = m_groupCounter;
    snapshot->RecordKind = kind;
    m_entries.push_back(std::move(snapshot));
}

void THistorique::Prune(THistoryHost& host)
{
    while (!m_entries.empty()) {
        const THistObject& entry = *m_entries.back();
        if (IsCreationKind(entry.RecordKind) || IsErasureKind(entry.RecordKind))
            return;
        const THistObject* live = host.FindLive(entry.Identity);
        if (live != nullptr && typeid(*live) == typeid(entry) && !live->Equals(entry))
            return;
        m_entries.pop_back();
    }
}

bool THistorique::Undo(THistoryHost& host)
{
    Prune(host);
    if (m_entries.empty())
        return false;
    const std::int32_t group = m_entries.back()->GroupNumber;
    m_replaying = true;
    while (!m_entries.empty() && m_entries.back()->GroupNumber == group) {
        std::unique_ptr<THistObject> entry = std::move(m_entries.back());
        m_entries.pop_back();
        const std::uint8_t kind = entry->RecordKind;
        if (IsCreationKind(kind)) {
            if (THistObject* live = host.FindLive(entry->Identity))
                host.RemoveLive(*live, kind);
        } else if (IsErasureKind(kind)) {
            host.PutBack(std::move(entry), kind);
        } else if (THistObject* live = host.FindLive(entry->Identity)) {
            if (typeid(*live) == typeid(*entry)) {
                live->Assign(*entry);
                host.Refresh(*live);
            }
        }
    }
    m_replaying = false;
    return true;
}

std::string RecordVerb(std::uint8_t kind)
{
    switch (kind) {
    case rkOriginPlaced:
        return Tr("Choisir");
    case rkCreated:
    case rkPlaced:
        return Tr("Poser");
    case rkOriginAdded:
    case rkOriginAddedMoving:
    case rkModified:
    case rkOriginErased:
    case rkOriginErasedLast:
        return Tr("Déplacer");
    case rkScalePoint:
        return Tr("Définir");
    case rkResized:
        return Tr("Déformer");
    case rkRemoved:
        return Tr("Effacer");
    case rkAxisDirection:
        return Tr("Changer sens");
    case rkObjectsPerFrame:
        return Tr("Modifier");
    case rkAxisAngle:
        return Tr("Pivoter");
    case rkErased:
    case rkErasedLast:
        return Tr("Supprimer");
    default:
        return {};
    }
}

std::string ObjectNoun(std::uint8_t kind)
{
    switch (kind) {
    case okEchelle:
        return Tr("Echelle");
    case okMarqueRep:
    case okMarqueTsp:
        return Tr("Marque");
    case okOrigine:
    case okTransparent:
        return Tr("Transparent");
    case okRepereFixe:
        return Tr("Repère");
    default:
        return {};
    }
}

std::string THistorique::Description(THistoryHost& host)
{
    Prune(host);
    if (m_entries.empty())
        return {};
    const std::int32_t group = m_entries.back()->GroupNumber;
    const std::uint8_t recordKind = m_entries.back()->RecordKind;
    const std::uint8_t objectKind = m_entries.back()->ObjectKind();
    bool sameRecord = true;
    bool sameObject = true;
    for (auto it = m_entries.rbegin(); it != m_entries.rend() && (*it)->GroupNumber == group; ++it) {
        sameRecord = sameRecord && (*it)->RecordKind == recordKind;
        sameObject = sameObject && (*it)->ObjectKind() == objectKind;
    }
    std::string caption = Tr("Annuler", "undo");
    if (sameRecord) {
        const std::string verb = RecordVerb(recordKind);
        if (!verb.empty())
            caption += " " + verb;
        if (sameObject) {
            const std::string noun = ObjectNoun(objectKind);
            if (!noun.empty())
                caption += " " + noun;
        }
    }
    return caption;
}

void THistorique::Clear()
{
    m_entries.clear();
    m_groupCounter = 0;
    m_depth = 0;
    m_groupOpen = false;
}

} // namespace kinoval::document
