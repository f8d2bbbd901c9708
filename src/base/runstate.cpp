#include "base/runstate.h"

#include "base/currentlog.h"

namespace vt {

RunState::RunState() : m_log(std::make_unique<CurrentLog>()) {}

RunState::~RunState() = default;

void RunState::reset()
{
    m_slots.clear();
    m_log->reset();
}

RunState &runState()
{
    static RunState state;
    return state;
}

void resetAppContext() { runState().reset(); }

} // namespace vt
