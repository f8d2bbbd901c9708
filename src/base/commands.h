#pragma once
// Every command of the main window, registered once: what its menu item says,
// the keys that run it, the hint of its button, whether it may run while the
// program is busy, and what it does. Keys, buttons and menus only look a
// command up here; a subsystem registers its own commands from its own folder.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

namespace vt {

enum class BusyPolicy {
    Refuse, // does nothing while a long operation runs (most commands)
    Allow,  // runs anyway and makes its own checks (Stop, F12, F11, Ctrl+F5, Shift+F4)
};

// A key with its modifiers; key is a Qt::Key value.
struct KeyBinding {
    int key = 0;
    bool shift = false;
    bool ctrl = false;
    bool operator==(const KeyBinding &o) const = default;
};

struct Command {
    QString id;         // "table.invert"
    QString caption;    // menu text without the key: "Инвертировать выделение"
    QString shortcut;   // key text of the menu item: "Shift + F5"; empty for none
    QList<KeyBinding> keys;
    BusyPolicy busy = BusyPolicy::Refuse;
    std::function<void()> run;
    // Set for a checkable menu item: its check mark.
    std::function<bool()> checked;
    // Set for an item that is not always available: greyed in menus, refused by run().
    std::function<bool()> enabled;

    // "Инвертировать выделение: Shift + F5".
    QString menuText() const { return shortcut.isEmpty() ? caption : caption + QStringLiteral(": ") + shortcut; }
};

class CommandTable {
public:
    // The busy test that Refuse commands obey.
    void setBusyTest(std::function<bool()> busy) { m_busy = std::move(busy); }
    bool busy() const { return m_busy && m_busy(); }

    // Registers a command; a later one with the same id replaces it.
    void add(Command c);
    void add(const char *id, QStringView caption, QStringView shortcut, QList<KeyBinding> keys,
             BusyPolicy busy, std::function<void()> run);
    const Command *find(const QString &id) const;
    const std::vector<Command> &all() const { return m_commands; }

    // The command bound to a key. Without an exact binding Shift+Ctrl falls
    // back to Ctrl alone ("as Ctrl"), and a Ctrl+Shift letter to its Ctrl form.
    const Command *forKey(int key, bool shift, bool ctrl) const;
    // True when some command is bound to Ctrl with this key (with or without
    // Shift): the main window keeps such keys from the focused editor.
    bool ownsCtrlKey(int key) const;

    // Run under the busy policy; false when refused or unknown.
    bool run(const QString &id) const;
    bool run(const Command &c) const;
    bool runKey(int key, bool shift, bool ctrl) const;

    // Hint of a tool button: the menu texts of these commands, one a line.
    QString hint(const QStringList &ids) const;

private:
    std::vector<Command> m_commands;
    std::function<bool()> m_busy;
};

} // namespace vt
