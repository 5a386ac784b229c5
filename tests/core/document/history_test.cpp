#include "core/document/history.h"

#include <gtest/gtest.h>

#include <map>

namespace kinoval::test {
namespace {

using namespace kinoval::document;

// A history object with one value, and a host that keeps live objects by identity.
class TValue : public THistObject {
public:
    using THistObject::THistObject;
    int value = 0;
    TObjectKind ObjectKind() const override { return okEchelle; }
    void Assign(const THistObject& other) override
    {
        THistObject::Assign(other);
        value = static_cast<const TValue&>(other).value;
    }
    bool Equals(const THistObject& other) const override { return value == static_cast<const TValue&>(other).value; }
    std::unique_ptr<THistObject> NewSnapshot() const override { return std::make_unique<TValue>(m_context); }
};

class THost : public THistoryHost {
public:
    std::map<std::int32_t, std::unique_ptr<THistObject>> live;
    int removed = 0, putBack = 0, refreshed = 0;
    TValue& Make(int value)
    {
        auto o = std::make_unique<TValue>(nullptr);
        o->value = value;
        TValue& ref = *o;
        live[o->Identity] = std::move(o);
        return ref;
    }
    THistObject* FindLive(std::int32_t identity) override
    {
        auto it = live.find(identity);
        return it == live.end() ? nullptr : it->second.get();
    }
    void RemoveLive(THistObject& o, std::uint8_t) override
    {
        ++removed;
        live.erase(o.Identity);
    }
    void PutBack(std::unique_ptr<THistObject> o, std::uint8_t) override
    {
        ++putBack;
        const auto id = o->Identity;
        live[id] = std::move(o);
    }
    void Refresh(THistObject&) override { ++refreshed; }
};

TEST(History, ModificationsUndoNewestGroupFirst)
{
    THost host;
    THistorique h;
    TValue& v = host.Make(1);
    h.Record(v, rkModified);
    v.value = 2;
    h.BeginGroup();
    h.Record(v, rkModified);
    v.value = 3;
    h.BeginGroup(); // nested: same group
    h.Record(v, rkModified);
    v.value = 4;
    h.EndGroup();
    h.EndGroup();
    EXPECT_FALSE(h.IsGroupOpen());
    EXPECT_EQ(h.Description(host), "Annuler Déplacer Echelle");
    EXPECT_TRUE(h.Undo(host));
    EXPECT_EQ(v.value, 2);
    EXPECT_EQ(host.refreshed, 2);
    EXPECT_TRUE(h.Undo(host));
    EXPECT_EQ(v.value, 1);
    EXPECT_FALSE(h.Undo(host));
}

TEST(History, PruningDropsNoOpsAndEntriesOfVanishedObjects)
{
    THost host;
    THistorique h;
    TValue& a = host.Make(1);
    h.Record(a, rkModified);
    a.value = 5;
    TValue& b = host.Make(7);
    h.Record(b, rkModified); // b left unchanged: a no-op
    TValue& c = host.Make(9);
    h.Record(c, rkModified);
    c.value = 10;
    host.live.erase(c.Identity); // gone
    h.Prune(host);
    EXPECT_EQ(h.Count(), 1u);
    h.Undo(host);
    EXPECT_EQ(a.value, 1);
}

TEST(History, CreationsAndErasuresStopPruningAndReplay)
{
    THost host;
    THistorique h;
    TValue& a = host.Make(1);
    h.Record(a, rkCreated);
    const auto id = a.Identity;
    h.Record(a, rkErased);
    auto snapshotless = std::move(host.live[id]);
    host.live.erase(id);
    EXPECT_EQ(h.Description(host), "Annuler Supprimer Echelle");
    h.Undo(host); // erased: the recorded object comes back
    EXPECT_EQ(host.putBack, 1);
    ASSERT_NE(host.FindLive(id), nullptr);
    h.Undo(host); // created: the live object is removed
    EXPECT_EQ(host.removed, 1);
    EXPECT_EQ(host.FindLive(id), nullptr);
}

TEST(History, CaptionNamesVerbAndNounOnlyWhenTheGroupAgrees)
{
    THost host;
    THistorique h;
    TValue& a = host.Make(1);
    h.BeginGroup();
    h.Record(a, rkCreated);
    h.Record(a, rkErased);
    h.EndGroup();
    EXPECT_EQ(h.Description(host), "Annuler");
    h.Clear();
    EXPECT_EQ(h.Description(host), "");
    EXPECT_EQ(RecordVerb(rkAxisDirection), "Changer sens");
    EXPECT_EQ(ObjectNoun(okPolyMarqueImgRep), "");
}

TEST(History, NeverHoldsMoreThan65536Entries)
{
    THost host;
    THistorique h;
    TValue& a = host.Make(0);
    for (int i = 0; i < 65536; ++i)
        h.Record(a, rkCreated);
    EXPECT_EQ(h.Count(), 65536u);
    const int oldest = h.Entry(0).GroupNumber;
    h.Record(a, rkCreated);
    EXPECT_EQ(h.Count(), 65536u);
    EXPECT_EQ(h.Entry(0).GroupNumber, oldest + 1);
    EXPECT_EQ(h.Entry(h.Count() - 1).GroupNumber, 65537);
}

} // namespace
} // namespace kinoval::test
