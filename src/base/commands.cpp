#include "base/commands.h"

namespace vt {

void CommandTable::add(Command c)
{
    for (Command &old : m_commands) {
        if (old.id == c.id) {
            old = std::move(c);
            return;
        }
    }
    m_commands.push_back(std::move(c));
}

void CommandTable::add(const char *id, QStringView caption, QStringView shortcut,
                       QList<KeyBinding> keys, BusyPolicy busy, std::function<void()> run)
{
    Command c;
    c.id = QString::fromLatin1(id);
    c.caption = caption.toString();
    c.shortcut = shortcut.toString();
    c.keys = std::move(keys);
    c.busy = busy;
    c.run = std::move(run);
    add(std::move(c));
}

const Command *CommandTable::find(const QString &id) const
{
    for (const Command &c : m_commands)
        if (c.id == id)
            return &c;
    return nullptr;
}

const Command *CommandTable::forKey(int key, bool shift, bool ctrl) const
{
    const KeyBinding want{key, shift, ctrl};
    for (const Command &c : m_commands)
        if (c.keys.contains(want))
            return &c;
    if (shift && ctrl)
        return forKey(key, false, true);
    return nullptr;
}

bool CommandTable::ownsCtrlKey(int key) const
{
    for (const Command &c : m_commands)
        for (const KeyBinding &k : c.keys)
            if (k.key == key && k.ctrl)
                return true;
    return false;
}

bool CommandTable::run(const Command &c) const
{
    if ((c.busy == BusyPolicy::Refuse && busy()) || (c.enabled && !c.enabled()))
        return false;
    if (c.run)
        c.run();
    return true;
}

bool CommandTable::run(const QString &id) const
{
    const Command *c = find(id);
    return c && run(*c);
}

bool CommandTable::runKey(int key, bool shift, bool ctrl) const
{
    const Command *c = forKey(key, shift, ctrl);
    return c && run(*c);
}

QString CommandTable::hint(const QStringList &ids) const
{
    QStringList lines;
    for (const QString &id : ids)
        if (const Command *c = find(id))
            lines << c->menuText();
    return lines.join(QLatin1Char('\n'));
}

} // namespace vt
