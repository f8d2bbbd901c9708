#pragma once
// The services' questions and messages on the terminal, for the headless
// modes: messages go to the error stream (a message means the run was
// refused or something failed); a question is answered by `answer`.
#include "base/services.h"

#include <functional>

namespace vt {

class ConsoleUi : public Ui {
public:
    // How a yes/no question is answered; the default says yes (the search's
    // only question is about a mask the user typed on purpose).
    std::function<bool(const QString &text)> answer = [](const QString &) { return true; };
    // The button a yes of a three-way question (Yes, OK, Cancel) stands for.
    YesOk yesButton = YesOk::Yes;
    // What an input box gets (none: it is cancelled).
    std::optional<QString> typed;
    bool failed = false; // a message was shown

    void inf(const QString &t) override;
    bool vopr(const QString &t) override;
    YesOk vprYesOK(const QString &t) override;
    void infTitled(const QString &, const QString &t) override;
    bool stopYesNo(const QString &, const QString &t) override;
    bool askTitled(const QString &, const QString &t, BoxIcon, bool) override;
    YesNoCancel yesNoCancel(const QString &, const QString &t, BoxIcon) override;
    std::optional<QString> input(const QString &, const QString &, const QString &) override;
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QString chooseAnyFile(const QString &, const QString &, const QString &) override { return {}; }
    QStringList chooseFiles(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseExistingFile(const QString &, const QString &, const QString &) override { return {}; }
    void beep(Beep) override {}
};

// Installs a console for the scope and restores the previous service after.
class ConsoleScope {
public:
    explicit ConsoleScope(ConsoleUi &console);
    ~ConsoleScope();
    ConsoleScope(const ConsoleScope &) = delete;
    ConsoleScope &operator=(const ConsoleScope &) = delete;

private:
    Ui *m_previous;
};

} // namespace vt
