#pragma once
// Scripted stand-ins for the services: every text is recorded, answers come
// from queues, and nothing is shown.
#include "base/services.h"

#include <QDateTime>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTest>
#include <functional>

namespace vt::test {

// Strict: a question the test did not script fails the test (and gets No or
// Cancel), each kind of question has its own queue, and answers the test
// scripted but the program never asked for fail it when the fakes go away.
class FakeUi : public Ui {
public:
    struct Call {
        QString kind; // "inf", "vopr", "vprYesOK", "infTitled", "errorTitled", "stopYesNo", "input", "folder", "file"
        QString title;
        QString text;
    };
    QList<Call> calls;
    QQueue<bool> yesNo;        // vopr
    QQueue<bool> stopAnswers;  // stopYesNo
    QQueue<YesOk> yesOk;       // vprYesOK
    QQueue<bool> titledAnswers;      // askTitled
    QQueue<YesNoCancel> yncAnswers;  // yesNoCancel
    QQueue<std::optional<QString>> inputs;
    QQueue<QString> folders;
    QQueue<QString> files;
    QQueue<QStringList> fileSets; // chooseFiles
    int beeps = 0;
    QList<Beep> beepKinds;
    // For seeded soaks that cannot know their questions in advance: every
    // question without a scripted answer gets No or Cancel.
    bool answerNoToAll = false;

    ~FakeUi() override { checkAllUsed(); }

    // Runs as each information box comes up, to look at what is shown then.
    std::function<void(const QString &)> onInf;

    void inf(const QString &t) override
    {
        calls.append({"inf", {}, t});
        if (onInf)
            onInf(t);
    }
    bool vopr(const QString &t) override
    {
        calls.append({"vopr", {}, t});
        return next(yesNo, false, t);
    }
    YesOk vprYesOK(const QString &t) override
    {
        calls.append({"vprYesOK", {}, t});
        return next(yesOk, YesOk::Cancel, t);
    }
    void infTitled(const QString &title, const QString &t) override
    {
        calls.append({"infTitled", title, t});
    }
    void errorTitled(const QString &title, const QString &t) override
    {
        calls.append({"errorTitled", title, t});
    }
    bool stopYesNo(const QString &title, const QString &t) override
    {
        calls.append({"stopYesNo", title, t});
        return next(stopAnswers, false, t);
    }
    bool askTitled(const QString &title, const QString &t, BoxIcon, bool) override
    {
        calls.append({"askTitled", title, t});
        return next(titledAnswers, false, t);
    }
    YesNoCancel yesNoCancel(const QString &title, const QString &t, BoxIcon) override
    {
        calls.append({"yesNoCancel", title, t});
        return next(yncAnswers, YesNoCancel::Cancel, t);
    }
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &value) override
    {
        calls.append({"input", title, prompt + QStringLiteral("|") + value});
        return next(inputs, std::optional<QString>(), title);
    }
    QString chooseFolder(const QString &title, const QString &start) override
    {
        calls.append({"folder", title, start});
        return next(folders, QString(), title);
    }
    QString chooseAnyFile(const QString &title, const QString &, const QString &preset) override
    {
        calls.append({"file", title, preset});
        return next(files, QString(), title);
    }
    QStringList chooseFiles(const QString &title, const QString &filter, const QString &start) override
    {
        calls.append({"files", title, filter + QLatin1Char('|') + start});
        return next(fileSets, QStringList(), title);
    }
    QString chooseExistingFile(const QString &title, const QString &, const QString &preset) override
    {
        calls.append({"existingFile", title, preset});
        return next(files, QString(), title);
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
    // Fails the test for every scripted answer that was never asked for.
    void checkAllUsed()
    {
        const qsizetype left = yesNo.size() + stopAnswers.size() + yesOk.size() + titledAnswers.size()
                             + yncAnswers.size() + inputs.size()
                             + folders.size() + files.size() + fileSets.size();
        if (left > 0)
            QTest::qFail(qUtf8Printable(QStringLiteral("%1 scripted answer(s) never asked for").arg(left)),
                         __FILE__, __LINE__);
        yesNo.clear();
        stopAnswers.clear();
        yesOk.clear();
        titledAnswers.clear();
        yncAnswers.clear();
        inputs.clear();
        folders.clear();
        files.clear();
        fileSets.clear();
    }

private:
    template <class T> T next(QQueue<T> &q, T fallback, const QString &what)
    {
        if (!q.isEmpty())
            return q.dequeue();
        if (answerNoToAll)
            return fallback;
        QTest::qFail(qUtf8Printable(QStringLiteral("unscripted question: ") + what), __FILE__, __LINE__);
        return fallback;
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
    // Deferred: the desktop answers only when the test says so (answerPending),
    // as a real opener does some time after the request.
    bool deferred = false;
    QList<Done> pending;
    void open(const QString &p, Done done) override { opened << p; reply(std::move(done)); }
    void showItem(const QString &p, Done done) override { shown << p; reply(std::move(done)); }
    void reply(Done done)
    {
        if (deferred)
            pending << std::move(done);
        else
            done(answer);
    }
    void answerPending(bool ok)
    {
        const QList<Done> now = std::exchange(pending, {});
        for (const Done &d : now)
            d(ok);
    }
    bool run(const QString &prog, const QStringList &a) override { runs.append({prog, a}); return answer; }
    bool properties(const QString &p) override { propertiesOf << p; return answer; }
};

class FakeClock : public Clock {
public:
    QDateTime t = QDateTime(QDate(2026, 12, 8), QTime(12, 0, 0));
    QDateTime now() const override { return t; }
};

// Records what operations show; the log viewer answers from a queue (Cancel,
// its close, when none is scripted; an unused answer fails the test).
class FakeFeedback : public Feedback {
public:
    QStringList captions;
    QList<QPair<int, QString>> panels;
    int counters = 0;
    QList<int> rows;
    QList<LogOffer> logs;
    QQueue<YesOk> logAnswers;
    QStringList listSources;

    ~FakeFeedback() override
    {
        if (!logAnswers.isEmpty())
            QTest::qFail(qPrintable(QStringLiteral("%1 log viewer answer(s) never asked for").arg(logAnswers.size())),
                         __FILE__, __LINE__);
    }
    void caption(const QString &t) override { captions << t; }
    void panel(int i, const QString &t) override { panels.append({i, t}); }
    void countersChanged() override { ++counters; }
    void showRow(int row) override { rows << row; }
    YesOk showLog(const LogOffer &offer) override
    {
        logs << offer;
        return logAnswers.isEmpty() ? YesOk::Cancel : logAnswers.dequeue();
    }
    void showListSource(const QString &path) override { listSources << path; }
    // The last text shown in panel i.
    QString panel(int i) const
    {
        for (qsizetype k = panels.size() - 1; k >= 0; --k)
            if (panels[k].first == i)
                return panels[k].second;
        return QString();
    }
};

// Installs all fakes for the lifetime of the object.
struct FakeServices {
    FakeUi ui;
    FakeSound sound;
    FakeShell shell;
    FakeClock clock;
    FakeFeedback feedback;
    FakeServices()
    {
        setUi(&ui);
        setSoundPlayer(&sound);
        setShell(&shell);
        setClock(&clock);
        setFeedback(&feedback);
        setSoundOn(true);
    }
    ~FakeServices()
    {
        setUi(nullptr);
        setSoundPlayer(nullptr);
        setShell(nullptr);
        setClock(nullptr);
        setFeedback(nullptr);
    }
};

} // namespace vt::test
