#include "undo/core/headlessundo.h"

#include "base/appdirs.h"
#include "base/operation.h"
#include "search/core/headlessfind.h"
#include "undo/core/undo.h"

#include <QCoreApplication>
#include <cstdio>

namespace vt {

int runHeadlessUndo(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(2); // program, --undo
    // Scripts pass --yes to every action that changes files; undo takes it too.
    args.removeAll(QStringLiteral("--yes"));
    const bool test = args == QStringList{QStringLiteral("--test")};
    if (!args.isEmpty() && !test) {
        std::fputs("usage: ... --undo [--test] [--yes]\n", stderr);
        return 2;
    }
    const QList<JournalBatch> journal = loadJournal();
    const int pick = newestUndoable(journal);
    if (pick < 0) {
        printErr(journal.isEmpty() ? QStringLiteral("Отменять нечего.")
                                   : QStringLiteral("Последние действия отменить нельзя:\r")
                                         + batchTitle(journal.last()));
        return 2;
    }
    if (pick + 1 < journal.size())
        printErr(QStringLiteral("Последнее действие отменить нельзя: ") + batchTitle(journal.last()));
    OperationContext ops;
    Undoer undo(ops);
    QStringList lines{(test ? QStringLiteral("ТЕСТ. Отмена: ") : QStringLiteral("Отмена: "))
                      + batchTitle(journal[pick])};
    const UndoResult r = undo.run(test);
    lines << r.lines << QStringLiteral("Результат: %1 из %2").arg(r.done).arg(r.total);
    printLines(lines);
    std::fflush(stdout);
    return r.done == r.total ? 0 : 3;
}

int runHeadlessJournal(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fputs("usage: ... --journal\n", stderr);
        return 2;
    }
    const QList<JournalBatch> journal = loadJournal();
    const int pick = newestUndoable(journal);
    QStringList lines;
    for (qsizetype i = journal.size() - 1; i >= 0; --i) {
        const JournalBatch &b = journal[i];
        lines << QString::number(journal.size() - i) + QStringLiteral(". ") + batchTitle(b)
                     + (i == pick          ? QStringLiteral(" <будет отменено>")
                        : !b.undoable() ? QStringLiteral(" <отменить нельзя>")
                                        : QString());
    }
    if (lines.isEmpty())
        lines << QStringLiteral("Журнал пуст.");
    printLines(lines);
    std::fflush(stdout);
    return 0;
}

} // namespace vt
