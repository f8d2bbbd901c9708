#include "search/core/consoleui.h"

#include "search/core/headlessfind.h"

namespace vt {

void ConsoleUi::inf(const QString &t)
{
    failed = true;
    printErr(t);
}

bool ConsoleUi::vopr(const QString &t) { return answer(t); }

YesOk ConsoleUi::vprYesOK(const QString &t) { return answer(t) ? yesButton : YesOk::Cancel; }

void ConsoleUi::infTitled(const QString &, const QString &t) { inf(t); }

bool ConsoleUi::stopYesNo(const QString &, const QString &t) { return answer(t); }

bool ConsoleUi::askTitled(const QString &, const QString &t, BoxIcon, bool) { return answer(t); }

YesNoCancel ConsoleUi::yesNoCancel(const QString &, const QString &t, BoxIcon)
{
    return answer(t) ? YesNoCancel::Yes : YesNoCancel::Cancel;
}

std::optional<QString> ConsoleUi::input(const QString &, const QString &t, const QString &)
{
    if (!typed)
        printErr(t);
    return typed;
}

ConsoleScope::ConsoleScope(ConsoleUi &console) : m_previous(&ui()) { setUi(&console); }

ConsoleScope::~ConsoleScope() { setUi(m_previous); }

} // namespace vt
