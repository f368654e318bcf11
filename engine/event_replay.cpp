#include "engine/event_replay.hpp"

#include "engine/kill_recorder.hpp"
#include "engine/readers/server_log_source.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {

struct EventReplayer::Impl {
    explicit Impl(StatsStore& s) : store(s), crediter(s, KillCrediter::NameForm::Exact) {}
    StatsStore& store;
    // Names are kept as the people table holds them: exact, as a server log's are.
    KillCrediter crediter;
};

EventReplayer::EventReplayer(StatsStore& store) : m_impl(std::make_unique<Impl>(store)) {}

EventReplayer::~EventReplayer() = default;

int EventReplayer::slotOf(std::string_view key, std::string_view name, int fixedSlot) {
    return key.empty() ? fixedSlot : weaponSlotForKey(m_impl->store, key, name);
}

void EventReplayer::frag(int slot, std::string_view killer, std::string_view victim) {
    m_impl->crediter.credit(slot, killer, victim);
}

void EventReplayer::teamKill(std::string_view killer, std::string_view victim) {
    m_impl->crediter.creditTeamKill(killer, victim);
}

void EventReplayer::suicide(std::string_view person) { m_impl->crediter.creditSuicide(person); }

}  // namespace fragtide::engine
