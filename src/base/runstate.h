#pragma once
// What lives for the whole run outside any window: the current log and the
// state each subsystem keeps from one use to the next (the rule being
// edited, the last typed extension, the find history, ...). It is one
// object, so a test starts a fresh run with resetAppContext().
#include <memory>
#include <typeindex>
#include <unordered_map>

namespace vt {

class CurrentLog;

class RunState {
public:
    RunState();
    ~RunState();
    RunState(const RunState &) = delete;
    RunState &operator=(const RunState &) = delete;

    CurrentLog &log() { return *m_log; }
    // The state of type T for this run, made on first use. Each subsystem
    // keeps its own type next to the code that uses it.
    template <class T> T &get()
    {
        std::shared_ptr<void> &slot = m_slots[std::type_index(typeid(T))];
        if (!slot)
            slot = std::make_shared<T>();
        return *static_cast<T *>(slot.get());
    }
    // The log started anew and every subsystem's state dropped.
    void reset();

private:
    std::unique_ptr<CurrentLog> m_log;
    std::unordered_map<std::type_index, std::shared_ptr<void>> m_slots;
};

RunState &runState();
// A fresh run for the next test: the current log restarted (its object and
// connections stay), the rule, the find history, the recent parameters and
// every other run-long state back to their start values.
void resetAppContext();

} // namespace vt
