#pragma once
// Scripted stand-ins for the services: every text is recorded, answers come
// from queues (an empty queue answers No / Cancel), and nothing is shown.
#include "base/services.h"

#include <QDateTime>
#include <QList>
#include <QQueue>
#include <QStringList>

namespace vt::test {

class FakeUi : public Ui {
public:
    struct Call {
        QString kind; // "inf", "vopr", "vprYesOK", "infTitled", "stopYesNo", "input", "folder", "file"
        QString title;
        QString text;
    };
    QList<Call> calls;
    QQueue<bool> yesNo;
    QQueue<int> yesOk;
    QQueue<std::optional<QString>> inputs;
    QQueue<QString> folders;
    QQueue<QString> files;
    int beeps = 0;
    QList<Beep> beepKinds;

    void inf(const QString &t) override { calls.append({"inf", {}, t}); }
    bool vopr(const QString &t) override
    {
        calls.append({"vopr", {}, t});
        return yesNo.isEmpty() ? false : yesNo.dequeue();
    }
    int vprYesOK(const QString &t) override
    {
        calls.append({"vprYesOK", {}, t});
        return yesOk.isEmpty() ? 2 : yesOk.dequeue();
    }
    void infTitled(const QString &title, const QString &t) override
    {
        calls.append({"infTitled", title, t});
    }
    bool stopYesNo(const QString &title, const QString &t) override
    {
        calls.append({"stopYesNo", title, t});
        return yesNo.isEmpty() ? false : yesNo.dequeue();
    }
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &value) override
    {
        calls.append({"input", title, prompt + QStringLiteral("|") + value});
        return inputs.isEmpty() ? std::nullopt : inputs.dequeue();
    }
    QString chooseFolder(const QString &title, const QString &start) override
    {
        calls.append({"folder", title, start});
        return folders.isEmpty() ? QString() : folders.dequeue();
    }
    QString chooseAnyFile(const QString &title, const QString &, const QString &preset) override
    {
        calls.append({"file", title, preset});
        return files.isEmpty() ? QString() : files.dequeue();
    }
    void beep(Beep kind) override
    {
        ++beeps;
        beepKinds.append(kind);
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Call &c : calls)
            out << c.text;
        return out;
    }
    QString lastText() const { return calls.isEmpty() ? QString() : calls.last().text; }
    void clear()
    {
        calls.clear();
        beeps = 0;
        beepKinds.clear();
    }
};

class FakeSound : public SoundPlayer {
public:
    QList<int> played;
    void play(int n) override { played.append(n); }
};

class FakeShell : public Shell {
public:
    QStringList opened, shown, propertiesOf;
    QList<QPair<QString, QStringList>> runs;
    bool answer = true;
    bool open(const QString &p) override { opened << p; return answer; }
    bool showItem(const QString &p) override { shown << p; return answer; }
    bool run(const QString &prog, const QStringList &a) override { runs.append({prog, a}); return answer; }
    bool properties(const QString &p) override { propertiesOf << p; return answer; }
};

class FakeClock : public Clock {
public:
    QDateTime t = QDateTime(QDate(2026, 12, 8), QTime(12, 0, 0));
    QDateTime now() const override { return t; }
};

// Installs all fakes for the lifetime of the object.
struct FakeServices {
    FakeUi ui;
    FakeSound sound;
    FakeShell shell;
    FakeClock clock;
    FakeServices()
    {
        setUi(&ui);
        setSoundPlayer(&sound);
        setShell(&shell);
        setClock(&clock);
        setSoundOn(true);
    }
    ~FakeServices()
    {
        setUi(nullptr);
        setSoundPlayer(nullptr);
        setShell(nullptr);
        setClock(nullptr);
    }
};

} // namespace vt::test
