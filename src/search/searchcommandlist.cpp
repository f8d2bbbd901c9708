// The search's entries in the main window's command table.
#include "search/searchpanel.h"

#include "base/commands.h"

#include <Qt>

namespace vt {

void SearchPanel::registerCommands(CommandTable &t, std::function<void()> startFind,
                                   std::function<void()> unreadableFind)
{
    // F12 itself waits for pending events before it looks at the busy state.
    t.add("search.start", u"Поиск (шаблон, список)", u"F12", {{Qt::Key_F12, false, false}}, BusyPolicy::Allow,
        std::move(startFind));
    t.add("search.last10", u"", u"", {{Qt::Key_F12, true, false}, {Qt::Key_F12, true, true}},
        BusyPolicy::Refuse, [this] { presetLast10Minutes(); });
    t.add("search.maximum", u"", u"", {{Qt::Key_F12, false, true}}, BusyPolicy::Refuse,
        [this] { presetMaximum(); });
    t.add("search.unreadable", u"Поиск файлов с \"нечитаемыми\" именами", u"", {}, BusyPolicy::Refuse,
        std::move(unreadableFind));
    t.add("search.allMax", u"Установка параметров на максимальный поиск", u"", {}, BusyPolicy::Refuse,
        [this] { setAllMax(); });
}

} // namespace vt
