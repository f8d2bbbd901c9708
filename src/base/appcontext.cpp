#include "base/appcontext.h"

#include "base/currentlog.h"
#include "base/runstate.h"

namespace vt {

AppContext::AppContext(std::shared_ptr<TableModel> table) : m_table(std::move(table))
{
    m_commands.setBusyTest([this] { return m_ops.busy(); });
}

AppContext::~AppContext() = default;

CurrentLog &AppContext::log() const { return currentLog(); }

RunState &AppContext::run() const { return runState(); }

} // namespace vt
