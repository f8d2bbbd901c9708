// `--mkdirs NAMES.txt --in FOLDER`: the folder-creation window's "Создать"
// (with --test its "Проверка") over the lines of a file.
#include "cli/cliactions.h"

#include "base/currentlog.h"
#include "cli/clioutput.h"
#include "fileops/core/dircreate.h"
#include "search/core/headlessfind.h"

#include <QDir>

namespace vt {

int cliMkdirs(CliRun &r)
{
    const std::optional<QStringList> lines = readLinesFile(r.value("mkdirs"));
    if (!lines)
        return 2;
    if (!r.isSet("in")) {
        printErr(QStringLiteral("--mkdirs: нужен ключ --in ПАПКА"));
        return 2;
    }
    DirListState s;
    s.folder = QDir(r.value("in")).absolutePath();
    s.editor = lines->join(QLatin1Char('\n'));
    r.confirm(false);
    if (runDirList(s, r.test ? DirListAction::Check : DirListAction::Create) != DirListOutcome::Done || s.result.size() < 2)
        return 2;
    // The result lines are "<folder><name> <tag>" in the order of the formatted names.
    const QStringList names = s.editor.split(QLatin1Char('\n'));
    const QString folder = s.folder.endsWith(QLatin1Char('/')) ? s.folder : s.folder + QLatin1Char('/');
    QList<BatchRow> rows;
    int done = 0;
    for (qsizetype i = 0; i < names.size() && i < s.result.size() - 2; ++i) {
        const QString full = folder + names[i];
        const QString result = s.result[i].mid(full.size() + 1);
        done += result == QStringLiteral("<Папка создана>") || result == QStringLiteral("<Тест OK>");
        rows.append({names[i], full, result});
    }
    QStringList tail = s.result.mid(s.result.size() - 2); // "___" and the window's result line
    const QStringList &opLog = currentLog().opLog();
    if (!r.test && currentLog().lastKind() == LogKind::CreateFolders && !opLog.isEmpty()
        && opLog.last().endsWith(QStringLiteral("Лог сохранен")))
        tail << opLog.last();
    printBatch(rows, tail, r.test);
    return done == rows.size() ? 0 : 3;
}

} // namespace vt
