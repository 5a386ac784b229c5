#pragma once
// TSignal: how the core's objects tell whoever listens that something changed, without knowing them.
//
// Any number of listeners connect; each Connect answers a TConnection that disconnects when it dies, so a
// window or a panel that goes away can never be called again, and nobody clears a callback by hand.
// Listeners are called in the order they connected. A listener may connect or disconnect others, or
// itself, while the signal runs: one connected during a run is first called by the next run, one
// disconnected during a run is not called after that. A signal that dies first leaves its connections
// harmless. Everything runs on the thread that emits; nothing here locks.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kinoval {

namespace signal_detail {

// What a connection needs of its signal's state, whatever the signal's arguments.
class TSlots {
public:
    virtual ~TSlots() = default;
    virtual void Remove(std::uint64_t id) = 0;
};

} // namespace signal_detail

// A listener's hold on one signal: disconnects when destroyed, reset or moved over.
class [[nodiscard]] TConnection {
public:
    TConnection() = default;
    TConnection(std::weak_ptr<signal_detail::TSlots> owner, std::uint64_t id)
        : m_slots(std::move(owner))
        , m_id(id)
    {
    }
    TConnection(TConnection&& other) noexcept
        : m_slots(std::move(other.m_slots))
        , m_id(std::exchange(other.m_id, 0))
    {
    }
    TConnection& operator=(TConnection&& other) noexcept
    {
        if (this != &other) {
            Disconnect();
            m_slots = std::move(other.m_slots);
            m_id = std::exchange(other.m_id, 0);
        }
        return *this;
    }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;
    ~TConnection() { Disconnect(); }

    void Disconnect()
    {
        if (auto owner = m_slots.lock())
            owner->Remove(m_id);
        m_slots.reset();
        m_id = 0;
    }
    bool Connected() const { return m_id != 0 && !m_slots.expired(); }

private:
    std::weak_ptr<signal_detail::TSlots> m_slots;
    std::uint64_t m_id = 0;
};

// Several connections held together, for an object that listens to many signals.
class TConnections {
public:
    TConnections& operator+=(TConnection&& c)
    {
        m_all.push_back(std::move(c));
        return *this;
    }
    TConnections& operator+=(TConnections&& others)
    {
        for (auto& c : others.m_all)
            m_all.push_back(std::move(c));
        others.m_all.clear();
        return *this;
    }
    void Clear() { m_all.clear(); }
    std::size_t Size() const { return m_all.size(); }

private:
    std::vector<TConnection> m_all;
};

template <class... Args> class TSignal {
public:
    using TSlot = std::function<void(Args...)>;

    TSignal()
        : m_state(std::make_shared<TState>())
    {
    }
    // A copied object does not take its listeners along.
    TSignal(const TSignal&)
        : TSignal()
    {
    }
    TSignal& operator=(const TSignal&) { return *this; }

    TConnection Connect(TSlot slot)
    {
        const std::uint64_t id = ++m_state->nextId;
        m_state->entries.push_back({ id, std::move(slot) });
        return TConnection(m_state, id);
    }

    void Emit(Args... args) const
    {
        // The state lives through the run even if a listener destroys the signal's owner.
        std::shared_ptr<TState> state = m_state;
        const std::size_t count = state->entries.size();
        ++state->running;
        for (std::size_t i = 0; i < count && i < state->entries.size(); ++i) {
            if (state->entries[i].id == 0)
                continue; // disconnected during this run
            // A copy: the listener may disconnect itself, which empties its entry.
            TSlot slot = state->entries[i].slot;
            if (slot)
                slot(args...);
        }
        if (--state->running == 0)
            state->Compact();
    }
    void operator()(Args... args) const { Emit(std::forward<Args>(args)...); }

    std::size_t ListenerCount() const
    {
        std::size_t n = 0;
        for (const auto& e : m_state->entries)
            n += e.id != 0 ? 1 : 0;
        return n;
    }

private:
    struct TEntry {
        std::uint64_t id;
        TSlot slot;
    };
    struct TState : signal_detail::TSlots {
        std::vector<TEntry> entries;
        std::uint64_t nextId = 0;
        int running = 0;

        void Remove(std::uint64_t id) override
        {
            for (auto& e : entries) {
                if (e.id == id) {
                    e.id = 0;
                    e.slot = nullptr;
                }
            }
            if (running == 0)
                Compact();
        }
        void Compact()
        {
            std::erase_if(entries, [](const TEntry& e) { return e.id == 0; });
        }
    };
    std::shared_ptr<TState> m_state;
};

} // namespace kinoval
