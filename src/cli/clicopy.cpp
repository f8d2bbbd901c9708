// `--copy TARGET [--mode M] [--overwrite P] [--move]`: the actions window's
// copy and move; the review is answered by the policy.
#include "cli/cliactions.h"

#include "base/currentlog.h"
#include "cli/clioutput.h"
#include "fileops/core/copymove.h"
#include "lists/core/tableupkeep.h"
#include "platform/fileentry.h"
#include "search/core/headlessfind.h"
#include "table/core/tablemodel.h"

#include <QDir>

namespace vt {

int cliCopy(CliRun &r)
{
    static const QStringList modes{QStringLiteral("prefix"), QStringLiteral("overwrite"), QStringLiteral("backup"),
                                   QStringLiteral("folders")};
    static const QStringList policies{QStringLiteral("none"), QStringLiteral("all"), QStringLiteral("newer")};
    const int mode = r.isSet("mode") ? int(modes.indexOf(r.value("mode"))) : 0;
    const int policy = r.isSet("overwrite") ? int(policies.indexOf(r.value("overwrite"))) : 0;
    const bool move = r.isSet("move");
    if (mode < 0 || policy < 0 || (move && mode != 0)) {
        printErr(QStringLiteral("--mode: prefix, overwrite, backup или folders (с --move только prefix); "
                                "--overwrite: none, all или newer"));
        return 2;
    }
    const int files = r.rows.counters().selFiles;
    if (files < 1 || files > CopyMover::kMaxFiles) {
        printErr(QStringLiteral("Копирование: файлов %1, допустимо от 1 до %2").arg(files).arg(CopyMover::kMaxFiles));
        return 2;
    }
    if (mode >= 2 && r.rows.startFolder().isEmpty()) {
        printErr(QStringLiteral("Режимы backup и folders: только строки поиска --find"));
        return 2;
    }
    // A move needs full paths in "Папка"; the window converts them when its
    // question is answered yes, and a script cannot answer twice.
    if (move && !r.rows.startFolder().isEmpty())
        convertToFullPaths(r.rows);

    QString target = QDir(r.value("copy")).absolutePath();
    QStringList newDirs;
    CopyMoveHooks h;
    h.review = [policy](const RewriteScan &scan) {
        ReviewDecision d = initialDecision(scan);
        d.applied = true;
        const ReviewChoice c = policy == 1 ? ReviewChoice::All
                               : policy == 2 ? ReviewChoice::Newer
                                             : ReviewChoice::Nothing;
        d.ticks = ticksFor(scan, d, c);
        return std::optional<ReviewDecision>(d);
    };
    h.showNewDirs = [&newDirs](const QString &, const QStringList &dirs) { newDirs = dirs; };
    CopyMover mover(r.rows, r.ops, target, h);
    mover.setDryRun(r.test);
    r.confirm(move || (mode > 0 && policy > 0));
    const CopyMoveResult res = mover.CopyMove(move ? Transfer::Move : Transfer::Copy, CopyMode(mode));

    if (CopyMode(mode) == CopyMode::CheckFolders) {
        // The check of the backup's folders; creating them is the list window's button.
        QList<BatchRow> rows;
        const QString base = target.endsWith(QLatin1Char('/')) ? target : target + QLatin1Char('/');
        if (!r.test) {
            QStringList made = newDirs;
            MkResDirr(true, base, made);
        }
        bool failed = false;
        for (const QString &d : newDirs) {
            const bool there = fs::isDir(base + d);
            failed = failed || (!r.test && !there);
            rows.append({base + d, QString(),
                         r.test ? QStringLiteral("<нет папки>")
                                : there ? QStringLiteral("<создана>") : QStringLiteral("<ошибка>")});
        }
        printBatch(rows, {}, r.test);
        return failed ? 3 : 0;
    }
    if (!res.ran)
        return res.closeWindow ? 0 : 2; // every file kept by the policy, or refused
    printBatch(res.rows, currentLog().opLog(), r.test);
    return res.done == res.total ? 0 : 3;
}

} // namespace vt
