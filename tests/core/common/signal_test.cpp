// Notifications with several listeners whose connections end with them, in any order.
#include "core/common/signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kinoval {
namespace {

TEST(Signal, EveryListenerHearsInTheOrderItCameAndStopsWhenItsConnectionEnds)
{
    TSignal<int, const std::string&> changed;
    std::vector<std::string> heard;
    TConnection first
        = changed.Connect([&](int n, const std::string& s) { heard.push_back("a" + std::to_string(n) + s); });
    {
        TConnection second
            = changed.Connect([&](int n, const std::string&) { heard.push_back("b" + std::to_string(n)); });
        changed.Emit(1, "x");
        EXPECT_EQ(changed.ListenerCount(), 2u);
    }
    changed.Emit(2, "y");
    EXPECT_EQ(heard, (std::vector<std::string> { "a1x", "b1", "a2y" }));
    EXPECT_TRUE(first.Connected());

    // A moved connection still holds; the one moved over lets its own listener go.
    TConnection other = changed.Connect([&](int, const std::string&) { heard.push_back("c"); });
    other = std::move(first);
    EXPECT_FALSE(first.Connected()); // NOLINT: the moved-from state is what is tested
    heard.clear();
    changed.Emit(3, "");
    EXPECT_EQ(heard, (std::vector<std::string> { "a3" }));
    other.Disconnect();
    changed.Emit(4, "");
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_EQ(changed.ListenerCount(), 0u);
}

TEST(Signal, ListenersMayConnectAndDisconnectWhileItRuns)
{
    TSignal<> ping;
    std::vector<int> heard;
    std::optional<TConnection> second;
    TConnection late;
    TConnection first = ping.Connect([&] {
        heard.push_back(1);
        second.reset(); // the second listener goes before its turn
        if (!late.Connected())
            late = ping.Connect([&] { heard.push_back(3); }); // heard from the next run on
    });
    second = ping.Connect([&] { heard.push_back(2); });
    ping.Emit();
    EXPECT_EQ(heard, (std::vector<int> { 1 }));
    ping.Emit();
    EXPECT_EQ(heard, (std::vector<int> { 1, 1, 3 }));

    // A listener that disconnects itself finishes its own call.
    TConnection self;
    int calls = 0;
    self = ping.Connect([&] {
        ++calls;
        self.Disconnect();
    });
    ping.Emit();
    ping.Emit();
    EXPECT_EQ(calls, 1);
}

TEST(Signal, ASignalThatDiesFirstLeavesItsConnectionsHarmless)
{
    TConnection kept;
    TConnections many;
    {
        auto owner = std::make_unique<TSignal<double>>();
        double last = 0;
        kept = owner->Connect([&](double v) { last = v; });
        many += owner->Connect([](double) {});
        many += owner->Connect([](double) {});
        owner->Emit(2.5);
        EXPECT_DOUBLE_EQ(last, 2.5);
        EXPECT_EQ(many.Size(), 2u);
    }
    EXPECT_FALSE(kept.Connected());
    kept.Disconnect();
    many.Clear();

    // A listener may destroy the object that owns the signal during the run.
    auto owner = std::make_unique<TSignal<>>();
    int after = 0;
    TConnection a = owner->Connect([&] { owner.reset(); });
    TConnection b = owner->Connect([&] { ++after; });
    owner->Emit();
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(after, 1); // the run that was going on ends as it began
}

TEST(Signal, ACopyHasNoListenersOfItsOwn)
{
    TSignal<> original;
    int heard = 0;
    TConnection c = original.Connect([&] { ++heard; });
    TSignal<> copy = original;
    copy.Emit();
    EXPECT_EQ(heard, 0);
    original.Emit();
    EXPECT_EQ(heard, 1);
}

} // namespace
} // namespace kinoval
