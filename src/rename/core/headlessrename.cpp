#include "rename/core/headlessrename.h"

#include "base/currentlog.h"
#include "base/textutil.h"
#include "rename/core/quickren.h"
#include "rename/core/renbatch.h"
#include "rename/core/renamerun.h"
#include "rename/core/renpresets.h"
#include "search/core/headlessfind.h"
#include "table/core/tablemodel.h"

#include <QDir>
#include <QRegularExpression>

namespace vt {

namespace {

// The rule of a rule file: nine records (preset n) or exactly one.
bool loadRule(const QString &spec, TRenRule &rule)
{
    QString path = spec;
    int n = 1;
    static const QRegularExpression numbered(QStringLiteral("^(.+):([1-9])$"));
    const QRegularExpressionMatch m = numbered.match(spec);
    if (m.hasMatch()) {
        path = m.captured(1);
        n = m.captured(2).toInt();
    }
    path = QDir(path).absolutePath();
    bool ok = false;
    const QByteArray data = readWholeFile(path, &ok);
    if (ok && data.size() == RenPresets::kFileSize)
        rule = TRenRule::fromBytes(data.mid((n - 1) * TRenRule::kSize, TRenRule::kSize));
    else if (ok && data.size() == TRenRule::kSize && n == 1)
        rule = TRenRule::fromBytes(data);
    else {
        printErr(QStringLiteral("Ошибка чтения файла пресет:\r") + plainCell(path));
        return false;
    }
    if (rule.ObrFlags > 3)
        rule.ObrFlags = 0;
    if (rule.isEmpty()) {
        printErr(QStringLiteral("Нет пресеты ") + QString::number(n) + QStringLiteral(": ") + plainCell(path));
        return false;
    }
    renNormalize(rule);
    return true;
}

QString leaf(const QString &name, const QString &ext, bool dirs)
{
    return dirs ? name : name + QLatin1Char('.') + ext;
}

} // namespace

int renameRowsHeadless(TableModel &table, const QString &spec, bool dirs, bool test)
{
    TRenRule rule;
    if (!loadRule(spec, rule))
        return 2;
    const QString refusal = renCheckRule(rule, dirs);
    if (!refusal.isEmpty()) {
        printErr(refusal);
        return 2;
    }
    if (dirs) {
        const QString folderRefusal = dirPreCheckText(table, table.counters().folders);
        if (!folderRefusal.isEmpty()) {
            printErr(folderRefusal);
            return 2;
        }
    }
    QList<int> all;
    for (int i = 0; i < table.size(); ++i)
        all << i;
    QList<RenRow> rows = renRowsFromTable(table, all, dirs);
    if (rows.isEmpty()) {
        printErr(dirs ? QStringLiteral("Не найдено папок для переименования")
                      : QStringLiteral("Не найдено файлов для переименования"));
        return 2;
    }
    QString ext1Upper, newExt;
    renPrepareExt(rule, dirs, &ext1Upper, &newExt);
    QStringList before;
    for (const RenRow &r : rows)
        before << leaf(r.name, r.ext, dirs);

    const int n = int(rows.size());
    const QString summary = QStringLiteral("Результат: %1 из %2");
    QStringList lines;
    RenameRun run;
    run.test = test;
    run.header = renLogHeader(dirs, n);
    run.table = &table;
    run.summary = [&summary, n](int ok) { return summary.arg(ok).arg(n); };
    const int ok = run.run(rows, [&](QStringList *log) {
        return renBatch(rule, dirs, test, ext1Upper, newExt, rows, log);
    });
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += plainRow({before[i], leaf(rows[i].newName, rows[i].newExt, dirs), rows[i].result});
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    lines << summary.arg(ok).arg(n);
    if (!test)
        lines << currentLog().opLog();
    printLines(lines, true);
    std::fflush(stdout);
    return ok == n ? 0 : 3;
}

} // namespace vt
