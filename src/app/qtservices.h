#pragma once
// The real services: Qt message boxes and dialogs; the sounds and the
// desktop's file manager through the platform layer (platform/desktop/shell.h).
#include "base/services.h"

#include <Qt>

class QWidget;

namespace vt {

class QtUi final : public Ui {
public:
    void inf(const QString &text) override;
    bool vopr(const QString &text) override;
    YesOk vprYesOK(const QString &text) override;
    YesOk vprYesOKNoBeep(const QString &text) override;
    void infTitled(const QString &title, const QString &text) override;
    void errorTitled(const QString &title, const QString &text) override;
    bool stopYesNo(const QString &title, const QString &text) override;
    bool askTitled(const QString &title, const QString &text, BoxIcon icon, bool defaultNo) override;
    YesNoCancel yesNoCancel(const QString &title, const QString &text, BoxIcon icon) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &value) override;
    QString chooseFolder(const QString &title, const QString &start) override;
    QString chooseAnyFile(const QString &title, const QString &filter,
                          const QString &preset) override;
    QStringList chooseFiles(const QString &title, const QString &filter, const QString &start) override;
    QString chooseExistingFile(const QString &title, const QString &filter, const QString &preset) override;
    void beep(Beep kind) override;
};

class QtSoundPlayer final : public SoundPlayer {
public:
    ~QtSoundPlayer() override;
    void play(int n) override;
};

class QtShell final : public Shell {
public:
    // Where the opener can only be watched (xdg-open, whose exit code says
    // whether a program took the file), one still running after verdictMs
    // counts as success: without a desktop it runs that program to its end.
    void open(const QString &path, Done done) override;
    void showItem(const QString &path, Done done) override;
    bool run(const QString &program, const QStringList &args) override;
    bool properties(const QString &path) override;
    void setVerdictMs(int ms) { m_verdictMs = ms; }

private:
    int m_verdictMs = 2000;
};

// Installs the three for the rest of the run.
void installQtServices();

// Converts a filter written as "Все файлы (*)|*" into Qt's name filters.
QStringList nameFilters(const QString &filter);

} // namespace vt
