#include "core/graph/history.h"

#include "core/common/texts.h"
#include "core/graph/graph.h"

#include <algorithm>

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

const char* ActionWord(THistAction action)
{
    switch (action) {
    case THistAction::Colour:
        return TrNoop("Couleur");
    case THistAction::Bend:
        return TrNoop("Courber");
    case THistAction::Create:
        return TrNoop("Créer");
    case THistAction::Deform:
        return TrNoop("Déformer");
    case THistAction::Move:
        return TrNoop("Déplacer");
    case THistAction::Duplicate:
        return TrNoop("Dupliquer");
    case THistAction::Reverse:
        return TrNoop("Changer sens");
    case THistAction::Modify:
        return TrNoop("Modifier");
    case THistAction::Pivot:
        return TrNoop("Pivoter");
    case THistAction::Delete:
        return TrNoop("Supprimer");
    }
    return "";
}

const char* KindWord(TGObjectType kind)
{
    switch (kind) {
    case obAngle:
        return TrNoop("Angle");
    case obArc:
        return TrNoop("Arc");
    case obCercle:
        return TrNoop("Cercle");
    case obEllipse:
        return TrNoop("Ellipse");
    case obSegment:
        return TrNoop("Segment");
    case obSpline:
        return TrNoop("Courbe");
    case obVecteur:
        return TrNoop("Vecteur");
    default:
        return "";
    }
}

void THistorique::Prune(const TGraph& graph)
{
    while (!m_entries.empty()) {
        const THistObject& last = m_entries.back();
        if (last.action == THistAction::Create || last.action == THistAction::Duplicate
            || last.action == THistAction::Delete)
            return;
        const TGElem* e = graph.FindElement(last.elementId);
        if (e != nullptr && e->Kind() == last.kind)
            return;
        m_entries.pop_back();
    }
}

std::string THistorique::UndoCaption(const TGraph& graph)
{
    Prune(graph);
    if (m_entries.empty())
        return {};
    const int group = m_entries.back().group;
    const auto first = std::find_if(
        m_entries.begin(), m_entries.end(), [group](const THistObject& entry) { return entry.group == group; });
    bool oneAction = true, oneKind = true;
    for (auto it = first; it != m_entries.end(); ++it) {
        oneAction = oneAction && it->action == first->action;
        oneKind = oneKind && it->kind == first->kind;
    }
    std::string caption = Tr("Annuler");
    if (oneAction)
        caption += " " + Tr(ActionWord(first->action));
    if (oneKind && *KindWord(first->kind) != 0)
        caption += " " + Tr(KindWord(first->kind));
    return caption;
}

bool THistorique::Undo(TGraph& graph)
{
    Prune(graph);
    if (m_entries.empty())
        return false;
    const int group = m_entries.back().group;
    while (!m_entries.empty() && m_entries.back().group == group) {
        THistObject entry = std::move(m_entries.back());
        m_entries.pop_back();
        TGElem* e = graph.FindElement(entry.elementId);
        m_replaying = true;
        switch (entry.action) {
        case THistAction::Create:
        case THistAction::Duplicate:
            if (e != nullptr)
                graph.RemoveElement(e);
            break;
        case THistAction::Delete:
            if (entry.saved)
                graph.PutBack(std::move(entry.saved));
            break;
        default:
            if (e != nullptr && entry.saved && e->Kind() == entry.saved->Kind()) {
                const bool selected = e->selected;
                e->Assign(*entry.saved);
                e->selected = selected;
            }
            break;
        }
        m_replaying = false;
    }
    return true;
}

} // namespace kinoval::graph
