// The context the subsystems get: each registers its commands on a context
// without the main window and works through it; one reset starts a fresh run.
#include "base/currentlog.h"
#include "base/runstate.h"
#include "fakeservices.h"
#include "fakewindow.h"
#include "fileops/fileopscommands.h"
#include "lists/listcommands.h"
#include "rename/core/quickren.h"
#include "rename/core/renrule.h"
#include "rename/renamecommands.h"
#include "shell/core/openwith.h"
#include "testmain.h"
#include "shell/shellcommands.h"
#include "table/core/selection.h"
#include "table/tablerows.h"
#include "undo/core/undocommands.h"

#include <QSet>
#include <QTest>
#include <QWidget>

using namespace vt;

class TestAppContext : public QObject {
    Q_OBJECT
private slots:
    void subsystemsRegisterWithoutTheMainWindow()
    {
        test::FakeServices fx;
        QWidget parent;
        test::FakeContext fc;
        fc.window.parent = &parent;
        registerListCommands(fc.ctx);
        registerFileopsCommands(fc.ctx);
        registerRenameCommands(fc.ctx);
        registerShellCommands(fc.ctx);
        registerUndoCommands(fc.ctx);
        QSet<QString> ids;
        for (const Command &c : fc.ctx.commands().all()) {
            QVERIFY2(!ids.contains(c.id), qPrintable(c.id));
            ids.insert(c.id);
        }
        for (const char *id : {"lists.saveVtl", "lists.addPath", "lists.tempVtx", "lists.favouriteFolder",
                               "app.parametersView", "fileops.actions", "fileops.dirCreate", "rename.quick",
                               "rename.view", "shell.properties", "undo.last"})
            QVERIFY2(ids.contains(QString::fromLatin1(id)), id);

        // A command works on the context's table and tells its window.
        TableModel &t = fc.table();
        t.appendRow(test::fileRow(7, QStringLiteral("d/"), QStringLiteral("a.txt"), 1));
        t.appendRow(test::fileRow(9, QStringLiteral("d/"), QStringLiteral("b.txt"), 2));
        fx.ui.yesNo << true;
        QVERIFY(fc.ctx.commands().run(QStringLiteral("lists.renumberIds")));
        QCOMPARE(t.at(1).cells[ColID], QStringLiteral("2"));
        QCOMPARE(fc.window.counterShows, 1);
        // Refused while an operation runs, as every Refuse command.
        OperationContext::Scope busy(fc.ctx.ops());
        QVERIFY(!fc.ctx.commands().run(QStringLiteral("lists.renumberIds")));
    }

    void resetStartsAFreshRun()
    {
        test::FakeServices fx;
        CurrentLog &log = currentLog();
        QStringList seen;
        const QMetaObject::Connection follow =
            connect(&log, &CurrentLog::appended, this, [&seen](const QString &b) { seen << b; });
        currentRule().Descr = QStringLiteral("правило");
        setFolderRename(true);
        lastNewExt() = QStringLiteral("bak");
        findState().history << QStringLiteral("отчёт");
        recentParams().add(QStringLiteral("-v"));
        log.beginOperation(LogKind::Copy);
        log.opLog() << QStringLiteral("строка");
        log.setSearchSummary(QStringLiteral("Поиск завершен"));
        log.append(QStringLiteral("до"));

        resetAppContext();
        QCOMPARE(&currentLog(), &log);
        QCOMPARE(currentRule().Descr, QString());
        QVERIFY(!folderRename());
        QCOMPARE(lastNewExt(), QString());
        QVERIFY(findState().history.isEmpty());
        QVERIFY(recentParams().list().isEmpty());
        QCOMPARE(log.lastKind(), LogKind::None);
        QVERIFY(log.opLog().isEmpty());
        QCOMPARE(log.searchSummary(), QString());
        QVERIFY(log.text().startsWith(QStringLiteral("Vestrada v2.34 \r\nСтарт: ")));
        QVERIFY(!log.text().contains(QStringLiteral("до")));
        // Whoever follows the log keeps following it.
        log.append(QStringLiteral("после"));
        disconnect(follow);
        QCOMPARE(seen, QStringList({QStringLiteral("до"), QStringLiteral("после")}));
    }
};

VT_TEST_MAIN(TestAppContext)
#include "tst_gui_appcontext.moc"
