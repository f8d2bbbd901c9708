#include "fileops/core/copymove.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "base/savelog.h"
#include "base/services.h"
#include "fileops/core/recenttargets.h"
#include "fileops/core/targetfolders.h"
#include "journal/core/journalrecorder.h"
#include "lists/core/listcontroller.h"
#include "platform/fileentry.h"
#include "platform/renamefile.h"
#include "platform/shortpath.h"
#include "table/core/tablemodel.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <optional>

namespace vt {

namespace {

// The engine of a dry run: every copy and move would succeed.
class PlanOnly final : public FileEngine {
public:
    fs::CopyOutcome copy(const QByteArray &, const fs::DirHandle &, const QByteArray &,
                         const fs::CopyOptions &) override
    {
        return {fs::CopyResult::Ok, 0};
    }
    fs::CopyOutcome move(const QByteArray &, const fs::DirHandle &, const QByteArray &,
                         const fs::CopyOptions &) override
    {
        return {fs::CopyResult::Ok, 0};
    }
};
constexpr int kPrefixLimit = 1000;

bool sameFolder(const QByteArray &a, const QByteArray &b)
{
    return a == b || fs::sameFile(a, b);
}

// Ends what the loop started even when something throws inside it.
struct LoopGuard {
    TableModel &table;
    OperationContext &ops;
    bool oldSuppress;
    bool ended = false;
    void end()
    {
        if (ended)
            return;
        ended = true;
        table.setSuppress(oldSuppress);
        ops.closeProgress();
    }
    ~LoopGuard() { end(); }
};

} // namespace

QString copyPrefix(int n) { return QString::asprintf("%3.3d-", n); }

CopyMover::CopyMover(TableModel &table, OperationContext &ops, QString &lastTarget, CopyMoveHooks hooks)
    : m_table(table), m_ops(ops), m_lastTarget(lastTarget), m_hooks(std::move(hooks))
{
}

RewriteCheck CopyMover::CheckRewrite(CopyMode mode, const QString &target)
{
    RewriteCheck none;
    const RewriteScan scan = scanRewrite(m_table, mode, target);
    if (mode == CopyMode::Overwrite && scan.duplicateNames) {
        ui().errorTitled(QStringLiteral("Копирование с перезаписью"),
                         QStringLiteral("В списке выделенных имен (см. кол. \"Имя\") есть одинаковые.\r"
                                        "Копирование невозможно."));
        return none;
    }
    if (mode == CopyMode::CheckFolders) {
        if (scan.newDirs.isEmpty())
            ui().inf(QStringLiteral("Не найдено несуществующих папок"));
        else if (m_hooks.showNewDirs)
            m_hooks.showNewDirs(target, scan.newDirs);
        return none;
    }
    RewriteCheck r;
    if (scan.collisions.isEmpty()) {
        QString q = QStringLiteral("Информация:\rНе найдены совпадающие имена файлов для перезаписи.");
        if (mode == CopyMode::Backup)
            q += QStringLiteral("\rБудет создано новых папок: ") + QString::number(scan.newDirs.size());
        q += QStringLiteral("\rКопировать файлы?");
        r.go = ui().vopr(q);
    } else {
        std::optional<ReviewDecision> d;
        if (m_hooks.review)
            d = m_hooks.review(scan);
        r = applyDecision(m_table, scan, d.value_or(ReviewDecision{}));
    }
    if (r.go && !r.cancelAll && mode == CopyMode::Backup && !m_dryRun) {
        QStringList dirs = scan.newDirs;
        MkResDirr(true, target, dirs);
    }
    return r;
}

CopyMoveResult CopyMover::CopyMove(Transfer transfer, CopyMode mode)
{
    CopyMoveResult res;
    const int selFiles = m_table.counters().selFiles;
    if (selFiles < 1 || selFiles > kMaxFiles || m_ops.busy())
        return res;
    const bool copy = transfer == Transfer::Copy;
    if (!copy)
        mode = CopyMode::Prefix;
    const bool overwrite = copy && mode != CopyMode::Prefix;
    const QString start = m_table.startFolder();

    if (!copy && !start.isEmpty()) {
        if (ui().vopr(QStringLiteral("Для перемещения файлов нужно преобразовать пути\rколонки \"Папка\" "
                                     "из относительного в полный формат. Продолжить?"))
            && m_hooks.preobr)
            m_hooks.preobr();
        return res;
    }

    QString target = m_lastTarget;
    if (target.isEmpty()) {
        ui().beep();
        return res;
    }
    if (!fs::isDir(target)) {
        ui().inf(QStringLiteral("Не найдена папка:\r") + target);
        return res;
    }
    if (!target.endsWith(QLatin1Char('/')))
        target += QLatin1Char('/');
    const QByteArray targetNative = fs::nativePath(target);

    if (mode == CopyMode::Backup || mode == CopyMode::CheckFolders) {
        if (start.isEmpty()) {
            ui().beep();
            return res;
        }
        if (sameFolder(targetNative, fs::nativePath(start))) {
            ui().inf(QStringLiteral("Папка назначения совпадает с папкой начала поиска."));
            return res;
        }
    }

    QString header = copy ? QStringLiteral("Копировать") : QStringLiteral("Переместить");
    if (copy && mode == CopyMode::Overwrite)
        header += QStringLiteral(" [ПЕРЕЗАПИСЬ]");
    else if (copy && mode == CopyMode::Backup)
        header += QStringLiteral(" [ПЕРЕЗАПИСЬ, РЕЗЕРВНОЕ]");
    if (mode != CopyMode::CheckFolders) {
        header += QStringLiteral(" выделенные файлы (") + QString::number(selFiles)
                  + QStringLiteral(" шт.) в папку:\r\n") + target;
        if (!ui().vopr(header + QStringLiteral("\r\nПродолжить?")))
            return res;
    }

    QSet<int> mayReplace;
    if (overwrite) {
        const RewriteCheck chk = CheckRewrite(mode, target);
        if (!chk.go)
            return res;
        if (chk.cancelAll) {
            res.closeWindow = true;
            return res;
        }
        header += chk.note;
        mayReplace = chk.overwrite;
    }

    // The copy loop.
    CurrentLog &log = currentLog();
    const LogKind kind = copy ? LogKind::Copy : LogKind::Move;
    log.beginOperation(kind);
    const QString headLine = logStamp() + header;
    log.opLog() << headLine << QStringLiteral("-");
    log.append(headLine);
    if (m_hooks.hideWindow)
        m_hooks.hideWindow();
    m_lastTarget = target;
    res.ran = true;

    const int total = m_table.counters().selFiles;
    res.total = total;
    const QString progressText = (copy ? QStringLiteral("Копирование") : QStringLiteral("Перемещение"))
                                 + QStringLiteral(" файлов, подождите...");
    std::optional<OperationContext::Scope> busy;
    busy.emplace(m_ops);
    m_ops.showProgress(true, total, progressText);
    LoopGuard guard{m_table, m_ops, m_table.suppress()};
    m_table.setSuppress(true);

    QElapsedTimer sincePump;
    sincePump.start();
    // A big file keeps the window alive; a stop ends the loop before the
    // next file, never in the middle of one.
    fs::CopyOptions big;
    big.stop = [&] {
        if (sincePump.elapsed() >= 20) {
            m_ops.processEvents();
            sincePump.restart();
        }
        return false;
    };

    TargetFolders folders(targetNative);
    // A dry run changes nothing, so it leaves nothing to undo.
    std::optional<JournalRecorder> journal;
    if (!m_dryRun)
        journal.emplace(copy ? BatchKind::Copy : BatchKind::Move);
    PlanOnly planOnly;
    FileEngine &engine = m_dryRun ? planOnly : *m_engine;
    QSet<QByteArray> swept; // folders already cleared of temporaries left by a killed copy
    // The rows of a move take their new place after the loop: the short forms
    // then cost one listing of the target, not one per row.
    struct MovedRow {
        int row;
        RowEntry entry;
        QString destText;
    };
    QList<MovedRow> movedRows;

    int reached = 0, done = 0, overwritten = 0, attempted = 0;
    const QByteArray startNative = fs::nativePath(start);
    for (int i = 0; i < m_table.size(); ++i) {
        if (!m_table.isSelected(i))
            continue;
        ++reached;
        m_ops.updateProgress(reached);
        // Events are served every 15 ms or so, not per file: small files go fast.
        if (sincePump.elapsed() >= 15) {
            m_ops.processEvents();
            sincePump.restart();
        }
        if (m_ops.stopRequested())
            break;
        const TableRow &row = m_table.at(i);
        if (row.isDir())
            continue;
        const RowEntry &e = row.entry;
        const QString folderCell = row.cells[ColFolder];
        const QString nameText = row.cells[ColName];
        const QString sourceText = start + folderCell + nameText;

        fs::Entry se;
        if (!fs::lookupNative(e.path, &se) || se.isDir()) {
            log.opLog() << QStringLiteral("<Не найден файл> ") + sourceText;
            res.rows.append({sourceText, QString(), QStringLiteral("<Не найден файл>")});
            continue;
        }
        const bool same = sameFolder(targetNative, e.folderBytes());

        QByteArray relFolder;
        QString relText = nameText;
        if (mode == CopyMode::Backup) {
            const QByteArray folder = e.folderBytes();
            relFolder = folder.startsWith(startNative) ? folder.mid(startNative.size()) : QByteArray();
            relText = folderCell + nameText;
        }
        const QByteArray name = e.nameBytes();
        QByteArray destName = name;
        QString destText = target + relText;

        fs::CopyOutcome out{fs::CopyResult::Failed, 0};
        fs::CopyOptions opt = big;
        opt.followLink = e.link; // a row found as a link keeps that meaning
        QString failText;
        int folderError = 0;
        const fs::DirHandle *dir =
            same ? nullptr : folders.folder(relFolder, mode == CopyMode::Backup && !m_dryRun, &folderError);
        // A dry run makes no folder: a missing one stands in as the target,
        // where nothing can be in the way.
        const bool planned = m_dryRun && !dir && !same && mode == CopyMode::Backup && folderError == ENOENT;
        if (planned)
            dir = folders.folder(QByteArray(), false);
        if (dir && !m_dryRun && !swept.contains(relFolder)) {
            swept.insert(relFolder);
            QList<QByteArray> stale;
            fs::removeStaleTemps(*dir, &stale);
            for (const QByteArray &n : stale)
                log.opLog() << QStringLiteral("<Удален временный файл> ") + fs::pathText(dir->path() + n);
        }
        bool existed = false;
        if (overwrite && !same) {
            existed = dir && !planned && dir->lookup(destName);
            ++attempted;
        }

        QString failTag; // what the log adds to a failed row's name
        if (same) {
            failTag = QStringLiteral(" [папка не изменена]");
            failText = destText + failTag;
        } else if (!dir) {
            if (folderError == ELOOP)
                failTag = QStringLiteral(" [ошибка! ссылка вместо папки]");
            failText = destText + failTag;
        } else if (!overwrite) {
            // Free names are looked for, and a name taken in between moves on
            // to the next number: the publish itself never replaces.
            QString prefix;
            for (int n = 0;; ++n) {
                if (n >= kPrefixLimit) {
                    failTag = QStringLiteral(" [ошибка! превышен лимит префиксов]");
                    failText = target + nameText + failTag;
                    break;
                }
                prefix = n == 0 ? QString() : copyPrefix(n);
                destName = prefix.toLatin1() + name;
                destText = target + prefix + relText;
                if (!planned && dir->lookup(destName))
                    continue;
                out = copy ? engine.copy(e.path, *dir, destName, opt) : engine.move(e.path, *dir, destName, opt);
                if (out.result != fs::CopyResult::Exists)
                    break;
            }
        } else {
            // Only a collision the user ticked may replace; a name that
            // appeared after the review is kept and the copy fails.
            opt.overwrite = mayReplace.contains(i);
            out = engine.copy(e.path, *dir, destName, opt);
        }

        if (failText.isEmpty() && out.ok()) {
            ++done;
            const bool replaced = overwrite && existed && mayReplace.contains(i);
            if (replaced)
                ++overwritten;
            log.opLog() << (replaced ? QStringLiteral("Перезапись: ") : QString()) + sourceText
                               + QStringLiteral(" >> ") + destText;
            res.rows.append({sourceText, destText, replaced ? QStringLiteral("Перезапись") : QStringLiteral("OK")});
            if (!copy && !m_dryRun) {
                RowEntry ne = e;
                ne.path = dir->path() + destName;
                if (journal)
                    journal->moved(e.path, ne.path);
                movedRows.append({i, std::move(ne), destText});
            } else if (journal) {
                journal->counted();
            }
        } else {
            log.opLog() << QStringLiteral("<Error> ") + (failText.isEmpty() ? destText : failText);
            res.rows.append({sourceText, destText,
                             QStringLiteral("<Error>") + failTag});
        }
    }
    fs::ShortPathCache shortForms;
    for (MovedRow &m : movedRows) {
        m.entry.shortForm = shortForms.shortPath(m.destText);
        m_table.updateEntry(m.row, std::move(m.entry), target);
    }
    const int moved = int(movedRows.size());
    res.done = done;

    QString summary = QStringLiteral("Результат: ") + QString::number(done) + QStringLiteral(" из ")
                      + QString::number(total);
    if (overwrite)
        summary += QStringLiteral("\r\nПерезаписано при копировании: ") + QString::number(overwritten)
                   + QStringLiteral(" из ") + QString::number(attempted);
    log.opLog() << QStringLiteral("___\r\n") << summary;
    log.append(summary + QStringLiteral("\r\n-"));
    if (!copy && moved > 0 && m_lists && m_lists->isOpen())
        m_lists->SetlabChanSpis(ChangedState::Changed);
    if (!m_dryRun) {
        if (done > 0 && SaveLog(kind))
            log.opLog().last() = summary + QStringLiteral(", лог сохранен");
        RecentTargets::SaveOldCM(target);
    }
    guard.end();
    busy.reset();
    zv(3);
    feedback().showLog();
    res.closeWindow = true;
    return res;
}

} // namespace vt
