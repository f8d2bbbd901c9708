// The renames of the command line: by rule, quick, and list to list.
#include "cli/cliactions.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "cli/clioutput.h"
#include "rename/core/headlessrename.h"
#include "rename/core/memolines.h"
#include "rename/core/quickname.h"
#include "rename/core/renapply.h"
#include "rename/core/quickren.h"
#include "rename/core/renspis.h"
#include "search/core/consoleui.h"
#include "search/core/headlessfind.h"
#include "table/core/tablemodel.h"


namespace vt {

int cliRename(CliRun &r) { return renameRowsHeadless(r.rows, r.value("rename"), r.isSet("folders"), r.test); }

int cliQuick(CliRun &r)
{
    const QString what = r.value("quick");
    const bool dirs = r.isSet("folders");
    QuickRen q(r.rows, r.ops, nullptr);
    q.setDryRun(r.test);
    r.confirm(false);
    if (what == QLatin1String("translit") || what == QLatin1String("spaces")) {
        const QuickMode mode = what == QLatin1String("spaces") ? QuickMode::Spaces : QuickMode::Translit;
        const QString title = mode == QuickMode::Spaces ? QStringLiteral("Заменить пробелы на подчеркивание")
                                                  : QStringLiteral("Перевести имена в транслит");
        if (dirs && !q.folderPreCheck())
            return 2;
        q.DopRen(mode, dirs, title);
    } else if (what.startsWith(QLatin1String("add-ext:")) && !dirs) {
        r.console.typed = what.mid(8);
        q.DopRen(QuickMode::AddExt, false, QStringLiteral("Добавить расширение"));
    } else if (what == QLatin1String("remove-ext") && !dirs) {
        // The question's second button: cut the extension off.
        r.console.yesButton = YesOk::Ok;
        q.removeExtensions();
    } else {
        printErr(QStringLiteral("--quick: translit, spaces, add-ext:РАСШ или remove-ext (с --folders: translit "
                                "или spaces)"));
        return 2;
    }
    if (r.console.failed)
        return 2;
    printBatch(q.rows(), currentLog().opLog(), r.test);
    for (const BatchRow &b : q.rows())
        if (b.result != QLatin1String("OK"))
            return 3;
    return 0;
}

int cliRenameList(CliRun &r)
{
    const std::optional<QStringList> lines = readLinesFile(r.value("rename-list"));
    if (!lines)
        return 2;
    const bool dirs = r.isSet("folders");
    QList<int> all;
    for (int i = 0; i < r.rows.size(); ++i)
        all << i;
    const QList<RenRow> rows = renRowsFromTable(r.rows, all, dirs);
    if (rows.isEmpty()) {
        printErr(dirs ? QStringLiteral("Не найдено папок для переименования")
                      : QStringLiteral("Не найдено файлов для переименования"));
        return 2;
    }
    RenSpisState s;
    s.dirs = dirs;
    renSpisOpen(s, rows);
    s.editor = memoText(*lines);
    RenSpisEnv env;
    env.table = &r.rows;
    r.confirm(false);
    QStringList before; // a real run renames the lists in place
    for (qsizetype i = 0; i < s.parts.names.size(); ++i)
        before << s.parts.folders[i] + s.parts.names[i] + s.parts.exts[i];
    if (runRenSpis(s, r.test ? RenSpisAction::Test : RenSpisAction::Rename, env) != RenSpisOutcome::Ran)
        return 2;
    const QStringList names = memoLines(s.editor);
    QList<BatchRow> out;
    int done = 0;
    for (qsizetype i = 0; i < s.rows.size(); ++i) {
        const RenRow &row = s.rows[i];
        const QString neu = names.value(i).isEmpty() ? QString() : names.value(i) + s.parts.exts.value(i);
        done += row.code == RenOk || row.code == RenCaseOnly || row.result.endsWith(QStringLiteral("Пропуск>"));
        out.append({before.value(i), neu, row.result});
    }
    printBatch(out, r.test ? QStringList{s.summary} : currentLog().opLog(), r.test);
    return done == s.rows.size() ? 0 : 3;
}

} // namespace vt
