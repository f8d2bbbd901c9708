#include "rename/core/quickren.h"

#include "base/runstate.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/savelog.h"
#include "base/services.h"
#include "journal/core/journalrecorder.h"
#include "lists/core/listcontroller.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "rename/core/quickname.h"
#include "rename/core/renapply.h"
#include "rename/core/renbatch.h"
#include "rename/core/renlog.h"
#include "table/core/tablemodel.h"


namespace vt {

namespace {

QString folderText(const RowEntry &e)
{
    const QByteArray f = e.folderBytes();
    return fs::displayName(std::string_view(f.constData(), size_t(f.size())));
}

// The row's path is there (as a folder or a file when asked). A name that is
// not valid UTF-8 counts: renaming it is how the user repairs it.
bool onDisk(const RowEntry &e, int kind /* 0 any, 1 file, 2 folder */)
{
    fs::Entry d;
    if (e.path.isEmpty() || !fs::lookupNative(e.path, &d))
        return false;
    return kind == 0 || d.isDir() == (kind == 2);
}

QString summaryText(int ok, int found)
{
    return QStringLiteral("Результат: ") + QString::number(ok) + QStringLiteral(" из ") + QString::number(found);
}

const QString kFilesRange = QStringLiteral("Для переименования выделите в таблице от 1 до 1000 файлов");

} // namespace

QString dirPreCheckText(const TableModel &table, int selectedFolders)
{
    if (selectedFolders < 1 || selectedFolders > 1000)
        return QStringLiteral("Для переименования папок\r\nвыделите от 1 до 1000 папок");
    if (table.size() == 0)
        return QStringLiteral("Для переименования папок\r\nвыделите от 1 до 1000 папок");
    const QString &first = table.at(0).cells[ColFolder];
    for (const TableRow &r : table.rows())
        if (r.cells[ColFolder] != first)
            return QStringLiteral("Для переименования папок\r\nколонка \"Папка\" для ВСЕЙ ТАБЛИЦЫ должна быть одинаковой");
    const QString folder = table.startFolder() + first;
    // by its bytes: a folder whose name is not UTF-8 is there all the same
    const QByteArray native = table.at(0).entry.folderBytes();
    if (!fs::isDirNative(native))
        return QStringLiteral("Не найдена папка:\r\n") + folder;
    // a link into a system folder is refused like the folder itself
    const QByteArray realNative = fs::canonicalNative(native);
    const QString real = fs::displayName(std::string_view(realNative.constData(), size_t(realNative.size())));
    if (inForbiddenFolder(folder, forbiddenFolders()) || (!real.isEmpty() && inForbiddenFolder(real, forbiddenFolders())))
        return forbiddenMessage();
    return QString();
}

namespace {
struct NewExt {
    QString last;
};
} // namespace

QString &lastNewExt() { return runState().get<NewExt>().last; }

QuickRen::QuickRen(TableModel &table, OperationContext &ops, ListController *lists, std::function<void()> pause)
    : m_table(table), m_ops(ops), m_lists(lists), m_pause(std::move(pause))
{
}

void QuickRen::showQuickRenameHelp()
{
    ui().infTitled(QStringLiteral("Дополнительное переименование"), dopRenHelpText());
}

void QuickRen::showFolderRenameHelp() { ui().infTitled(QStringLiteral("Переименование папок"), dirRenHelpText()); }

bool QuickRen::folderPreCheck()
{
    const QString refusal = dirPreCheckText(m_table, m_table.counters().selFolders);
    if (refusal.isEmpty())
        return true;
    ui().inf(refusal);
    return false;
}

bool QuickRen::confirmFiles(QuickMode mode, int count)
{
    static const char16_t *const actions[] = {u"Заменить пробелы на подчеркивание", u"Перевод в транслит",
                                              u"Добавить расширение (см. справку!)"};
    const QString text = QStringLiteral("Переименование файлов (") + QString::number(count)
                       + QStringLiteral(" шт.)\r[YES]: ") + QString::fromUtf16(actions[int(mode)])
                       + QStringLiteral("\r[OK]: Справка");
    for (;;) {
        switch (ui().vprYesOK(text)) {
        case YesOk::Yes: return true;
        case YesOk::Ok: showQuickRenameHelp(); break;
        case YesOk::Cancel: return false;
        }
    }
}

void QuickRen::DopRen(QuickMode mode, bool dirs, const QString &title)
{
    if (m_ops.busy() || (dirs && mode == QuickMode::AddExt))
        return;
    const TableCounters &c = m_table.counters();
    const int count = dirs ? c.selFolders : c.selFiles;
    if (!dirs) {
        if (m_table.selectedCount() == 0 || count < 1 || count > 1000)
            return ui().inf(kFilesRange);
        if (!confirmFiles(mode, count))
            return;
    }
    QString newExt;
    if (mode == QuickMode::AddExt) {
        const std::optional<QString> typed = ui().input(QStringLiteral("Введите новое расширение"),
                                                        QStringLiteral("От 1 до 10 симв, только Eng буквы, и цифры"),
                                                        lastNewExt());
        if (!typed)
            return;
        const QString ext = cleanNewExt(*typed);
        if (ext.isEmpty())
            return ui().beep();
        if (ext.size() > kMaxRenExt)
            return ui().inf(QStringLiteral("Длина больше 10 символов"));
        lastNewExt() = ext;
        newExt = QLatin1Char('.') + ext;
    }

    const QString kind = mode == QuickMode::AddExt ? QLatin1Char(' ') + newExt.mid(1) + QStringLiteral(" (файлов")
                         : dirs            ? QStringLiteral(" (папок")
                                           : QStringLiteral(" (файлов");
    CurrentLog &log =
        renLogBegin(logStamp() + title + kind + QStringLiteral(": ") + QString::number(count) + QLatin1Char(')'));

    int ok = 0, found = 0;
    m_rows.clear();
    {
        OperationContext::Scope busy(m_ops);
        JournalRecorder journal(dirs ? BatchKind::RenameFolders : BatchKind::RenameQuick);
        const Selection sel = m_table.selection();
        QList<RenamedRow> renamed; // the rows follow after the batch: one listing per folder
        for (const SelectedRow &s : sel) {
            const RowEntry &e = s.entry;
            if (e.isDir() != dirs)
                continue;
            const QString folder = folderText(e);
            QString name = e.name();
            if (!onDisk(e, 0)) {
                log.opLog() << folder + name + QStringLiteral(" <ФАЙЛ/ПАПКА НЕ НАЙДЕН>");
                m_rows.append({folder + name, QString(), QStringLiteral("<ФАЙЛ/ПАПКА НЕ НАЙДЕН>")});
                continue;
            }
            ++found;
            QuickJob job;
            job.test = m_dryRun;
            job.folder = folder;
            job.oldNative = e.path;
            job.mode = mode;
            job.dirs = dirs;
            job.opLog = &log.opLog();
            if (mode == QuickMode::AddExt) {
                job.ext = newExt;
            } else if (!dirs) {
                const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
                job.ext = dot < 0 ? QString() : name.mid(dot);
            }
            const QString oldName = name;
            const int code = QuickName(job, name);
            if (code == QuickOk) {
                ++ok;
                renamed.append({s.row, e.folderBytes() + fs::nativePath(name)});
                m_rows.append({folder + oldName, name, QStringLiteral("OK")});
            } else {
                const QString tag = code == QuickLength ? QStringLiteral("<ошибка длины>")
                                    : code == QuickSame ? QStringLiteral("<ошибка: имя не изменено>")
                                                        : QStringLiteral("<ошибка>");
                log.opLog() << folder + oldName + QLatin1Char(' ') + tag;
                m_rows.append({folder + oldName, QString(), tag});
            }
        }
        if (!m_dryRun)
            renUpdateRows(m_table, renamed);
    }
    finish(ok, found);
}

void QuickRen::finish(int ok, int found)
{
    renLogEnd(summaryText(ok, found), m_dryRun ? 0 : ok, m_lists);
    feedback().showLog();
}

void QuickRen::removeExtensions()
{
    if (m_ops.busy())
        return;
    const int selFiles = m_table.counters().selFiles;
    if (m_table.selectedCount() == 0 || selFiles < 1 || selFiles > 1000)
        return ui().inf(kFilesRange);
    int n = 0;
    for (const SelectedRow &s : m_table.selection())
        if (!s.entry.isDir() && !m_table.at(s.row).cells[ColType].isEmpty())
            ++n;
    if (n == 0)
        return ui().inf(QStringLiteral("Выделенные файлы должны иметь расширение."));
    if (!ui().askTitled(QStringLiteral("Удаление расширений"),
                        QStringLiteral("После удаления расширений файлы не будут открываться в проводнике!\r"
                                       "Все равно продолжить?"),
                        BoxIcon::Warning, true))
        return;
    if (m_pause)
        m_pause();
    const YesOk a = ui().vprYesOK(QStringLiteral("Удалить расширения файлов (") + QString::number(n)
                                  + QStringLiteral(" шт.)\r[YES]: Заменить точки на подчеркивание"
                                                   "\r[OK]: Обрезать расширение, заменить точки на подчеркивание"));
    if (a == YesOk::Cancel)
        return;
    const bool cut = a == YesOk::Ok;

    CurrentLog &log = renLogBegin(logStamp() + QStringLiteral("Удалить расширения ")
                                  + (cut ? QStringLiteral("[обрезка] ") : QString()) + QStringLiteral("(файлов: ")
                                  + QString::number(n) + QLatin1Char(')'));

    int ok = 0, found = 0;
    m_rows.clear();
    {
        OperationContext::Scope busy(m_ops);
        JournalRecorder journal(BatchKind::RenameQuick);
        const Selection sel = m_table.selection();
        QList<RenamedRow> renamed;
        for (const SelectedRow &s : sel) {
            const RowEntry &e = s.entry;
            if (e.isDir() || m_table.at(s.row).cells[ColType].isEmpty())
                continue;
            const QString folder = folderText(e);
            const QString name = e.name();
            if (!onDisk(e, 1)) {
                log.opLog() << folder + name + QStringLiteral(" <ФАЙЛ НЕ НАЙДЕН>");
                m_rows.append({folder + name, QString(), QStringLiteral("<ФАЙЛ НЕ НАЙДЕН>")});
                continue;
            }
            ++found;
            // the extension as the name has it, whatever the type cell says
            const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
            QString newName = cut && dot >= 0 ? name.left(dot) : name;
            newName.replace(QLatin1Char('.'), QLatin1Char('_'));
            const QByteArray to = e.folderBytes() + fs::nativePath(newName);
            // A dry run checks only that the new name is free; the rename itself never replaces.
            const bool moved = !newName.isEmpty() && newName != name
                               && (m_dryRun ? !fs::existsNative(to) : renameEntry(e.path, to) == RenameEntryResult::Ok);
            if (moved) {
                ++ok;
                log.opLog() << folder + name + QStringLiteral(" >> ") + folder + newName;
                renamed.append({s.row, to});
                m_rows.append({folder + name, newName, QStringLiteral("OK")});
            } else {
                log.opLog() << folder + name + QStringLiteral(" <ошибка>");
                m_rows.append({folder + name, QString(), QStringLiteral("<ошибка>")});
            }
        }
        if (!m_dryRun)
            renUpdateRows(m_table, renamed);
    }
    finish(ok, found);
}

void QuickRen::renameFolderNames()
{
    if (m_ops.busy() || !folderPreCheck())
        return;
    const YesOk a = ui().vprYesOK(QStringLiteral("Переименовать ПАПКИ (") + QString::number(m_table.counters().selFolders)
                                  + QStringLiteral(" шт.), выберите действие:\r[YES]: Заменить пробелы на подчеркивание"
                                                   "\r[OK]: Перевести имена в транслит"));
    if (a == YesOk::Yes)
        DopRen(QuickMode::Spaces, true, QStringLiteral("Заменить пробелы на подчеркивание"));
    else if (a == YesOk::Ok)
        DopRen(QuickMode::Translit, true, QStringLiteral("Перевести имена в транслит"));
}

bool QuickRen::QRename(RenameTarget target, QString &path, QByteArray *native)
{
    QByteArray oldNative;
    int row = -1;
    const bool selectedRow = target == RenameTarget::SelectedRow;
    if (selectedRow) {
        if (m_ops.busy())
            return false;
        const Selection sel = m_table.selection();
        if (sel.size() != 1 || !onDisk(sel.first().entry, 1))
            return false;
        oldNative = sel.first().entry.path;
        row = sel.first().row;
    } else {
        oldNative = native && !native->isEmpty() ? *native : fs::nativePath(path);
    }
    const qsizetype slash = oldNative.lastIndexOf('/');
    if (slash < 0 || slash == oldNative.size() - 1)
        return false;
    const QByteArray folderNative = oldNative.left(slash + 1);
    const QString folder = fs::displayName(std::string_view(folderNative.constData(), size_t(folderNative.size())));
    const QByteArray nameBytes = oldNative.mid(slash + 1);
    const QString name = fs::displayName(std::string_view(nameBytes.constData(), size_t(nameBytes.size())));

    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    const std::optional<QString> typed = ui().input(QStringLiteral("Переименовать"),
                                                    QStringLiteral("Введите новое имя без расширения"),
                                                    name.left(name.size() - ext.size()));
    if (!typed)
        return false;
    const QString base = typed->trimmed();
    if (!ProvFileName(base))
        return false;
    QString newName = base + ext;
    if (newName == name)
        return false;
    if (selectedRow && ext.isEmpty()) {
        const qsizetype typedDot = base.lastIndexOf(QLatin1Char('.'));
        if (typedDot >= 0) {
            QString newExt = base.mid(typedDot);
            newExt.remove(QLatin1Char(' '));
            if (newExt.size() == 1) {
                ui().beep();
                return false;
            }
            const QString part = base.left(typedDot).trimmed();
            if (part.isEmpty()) {
                ui().beep();
                return false;
            }
            newName = part + newExt;
            if (!ui().vopr(QStringLiteral("Файл будет переименован с расширением ") + newExt.mid(1).toUpper()
                           + QStringLiteral("\rПродолжить?")))
                return false;
        }
    }
    const QByteArray to = folderNative + fs::nativePath(newName);
    if (JournalRecorder journal(BatchKind::RenameOne); renameEntry(oldNative, to) != RenameEntryResult::Ok) {
        ui().beep();
        return false;
    }

    const QString line = logStamp() + QStringLiteral("Переименован файл: ") + folder + name + QStringLiteral(" >> ")
                       + folder + newName;
    // Every row of the file follows it, so the table never names a file that is gone.
    QList<RenamedRow> renamed;
    for (int i = 0; i < m_table.size(); ++i)
        if (i == row || (!selectedRow && m_table.at(i).entry.path == oldNative))
            renamed.append({i, to});
    renUpdateRows(m_table, renamed);
    const bool rowsChanged = !renamed.isEmpty();
    if (rowsChanged && m_lists && m_lists->isOpen())
        m_lists->SetlabChanSpis(ChangedState::Changed);
    if (selectedRow)
        SaveLog(LogKind::Rename, line);
    zv(2);
    currentLog().append(line + QStringLiteral("\r\n-"));
    path = folder + newName;
    if (native)
        *native = to;
    return true;
}

} // namespace vt
