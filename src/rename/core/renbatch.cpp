#include "rename/core/renbatch.h"

#include "base/currentlog.h"
#include "journal/core/journalrecorder.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/shortpath.h"
#include "rename/core/renapply.h"
#include "table/core/tablemodel.h"

#include <optional>

namespace vt {

QString renLengthText(qsizetype nameLen, qsizetype extLen, qsizetype total)
{
    return QString::number(nameLen) + QStringLiteral(" / ") + QString::number(extLen) + QStringLiteral(" • ")
         + QString::number(total);
}

QList<RenRow> renRowsFromTable(const TableModel &table, const QList<int> &rows, bool dirs)
{
    QList<RenRow> out;
    for (int i : rows) {
        if (i < 0 || i >= table.size())
            continue;
        const RowEntry &e = table.at(i).entry;
        // A name that is not UTF-8 has no short form but is renamed all the
        // same (by its bytes): that is how the user repairs it.
        const bool noShortForm = e.shortForm.isEmpty() && fs::validUtf8(std::string_view(e.path.constData(), size_t(e.path.size())));
        fs::Entry disk;
        if (e.isDir() != dirs || noShortForm || !fs::lookupNative(e.path, &disk) || disk.isDir() != dirs)
            continue;
        RenRow r;
        r.pos = i + 1;
        const QByteArray fb = e.folderBytes();
        r.folder = fs::displayName(std::string_view(fb.constData(), size_t(fb.size())));
        r.oldNative = e.path;
        const QString leaf = e.name();
        if (dirs) {
            r.name = leaf;
            r.lenText = renLengthText(leaf.size(), 0, r.folder.size() + leaf.size());
        } else {
            const qsizetype dot = leaf.lastIndexOf(QLatin1Char('.'));
            if (dot < 0 || dot == leaf.size() - 1)
                continue; // the rule never applies to a file without extension
            r.name = leaf.left(dot);
            r.ext = leaf.mid(dot + 1);
            r.lenText = renLengthText(r.name.size(), r.ext.size(), r.folder.size() + leaf.size());
        }
        out.append(r);
    }
    return out;
}

bool renPrepareExt(TRenRule &rule, bool dirs, QString *ext1Upper, QString *newExt)
{
    ext1Upper->clear();
    newExt->clear();
    if (dirs || rule.ExtMode != 3)
        return true;
    rule.Ext1 = provv(CleanPart::OldExt, rule.Ext1).left(kMaxRenExt);
    rule.Ext2 = provv(CleanPart::NewExt, rule.Ext2).left(kMaxRenExt);
    if (rule.Ext1.isEmpty() || rule.Ext2.isEmpty())
        return false;
    *ext1Upper = rule.Ext1.toUpper();
    *newExt = rule.Ext2;
    return true;
}

QString renCheckRule(TRenRule &rule, bool dirs)
{
    QString e1, e2;
    if (!renPrepareExt(rule, dirs, &e1, &e2))
        return QStringLiteral("Не определены расширения для замены");
    const int mode = qAbs(rule.NameMode);
    if (mode == 2)
        return rule.ObrFlags == 0 ? QStringLiteral("Установите флажки обрезки") : QString();
    if (mode == 3 && rule.ZamFnd.isEmpty())
        return QStringLiteral("Строка \"найти\" для замены в имени не должна быть пустой");
    rule.ObrFlags = 1;
    return QString();
}

QString renConfirmText(const TRenRule &rule, bool dirs, int n, bool test)
{
    const QString none = QStringLiteral("<НЕТ>");
    const QString num = rule.NumPos != 0 ? NumStr(rule, rule.NumStart) : QString();
    const QString numWord = rule.NumPos == 1   ? QStringLiteral("<в начале>")
                          : rule.NumPos == 2 ? QStringLiteral("<в конце>")
                                             : none;
    QString pref = rule.Pref1 + (rule.NumPos == 1 ? num : QString()) + rule.Pref2;
    while (pref.startsWith(QLatin1Char(' ')))
        pref.remove(0, 1);
    QString postf = rule.Postf1 + (rule.NumPos == 2 ? num : QString()) + rule.Postf2;
    while (postf.endsWith(QLatin1Char(' ')))
        postf.chop(1);
    QString nameWord;
    switch (qAbs(rule.NameMode)) {
    case 0: nameWord = QStringLiteral("<убрать>"); break;
    case 2: nameWord = QStringLiteral("<обрезка>"); break;
    case 3: nameWord = QStringLiteral("<замена символов>"); break;
    default: nameWord = QStringLiteral("<не менять>"); break;
    }
    const QString op = test ? QStringLiteral("Тест") : QStringLiteral("Переименование");
    QString text = QStringLiteral("Задано правило:\rНумерация: ") + numWord + QStringLiteral("\rПрефикс: ")
                 + (pref.isEmpty() ? none : pref) + QStringLiteral("\rИмя файла/папки: ") + nameWord
                 + QStringLiteral("\rПостфикс: ") + (postf.isEmpty() ? none : postf)
                 + QStringLiteral("\r\rВыделено ") + (dirs ? QStringLiteral("папок") : QStringLiteral("файлов"))
                 + QStringLiteral(": ") + QString::number(n) + QStringLiteral("\rНачать ") + op.toUpper()
                 + QLatin1Char('?');
    if (!dirs && rule.ExtMode == 3)
        text += QStringLiteral("\rЗадано правило с ЗАМЕНОЙ расширения ") + rule.Ext1 + QStringLiteral(" на ")
              + rule.Ext2;
    return text;
}

QString renLogHeader(bool dirs, int n)
{
    return logStamp() + QStringLiteral("Переименование, правило (")
         + (dirs ? QStringLiteral("папок") : QStringLiteral("файлов")) + QStringLiteral(": ")
         + QString::number(n) + QLatin1Char(')');
}

int renBatch(const TRenRule &rule, bool dirs, bool test, const QString &ext1Upper, const QString &newExt,
             QList<RenRow> &rows, QStringList *opLog)
{
    int counter = 0;
    if (rule.NumPos != 0)
        counter = rule.NumStart < -10000 || rule.NumStart > 10000 ? 1 : rule.NumStart;
    int ok = 0;
    std::optional<JournalRecorder> journal;
    if (!test)
        journal.emplace(dirs ? BatchKind::RenameFolders : BatchKind::RenameRule);
    for (RenRow &r : rows) {
        QString name = r.name, ext = dirs ? QString() : r.ext;
        RenJob job;
        job.number = counter;
        job.ext1Upper = ext1Upper;
        job.newExt = newExt;
        if (!test) {
            job.folder = r.folder;
            job.oldNative = r.oldNative;
            job.opLog = opLog;
        }
        r.code = ren(rule, dirs, job, name, ext);
        r.newName = name;
        r.newExt = ext;
        r.newLen = renLengthText(name.size(), ext.size(), name.size() + r.folder.size() + ext.size() + 1);
        r.result = renResultText(r.code, test);
        if (r.code <= 0) {
            ++ok;
            counter += rule.NumStep;
            if (!test) {
                r.name = name;
                r.ext = ext;
                r.lenText = r.newLen;
                // the folder keeps its exact bytes; the new leaf is text
                const QByteArray base = r.oldNative.isEmpty() ? fs::nativePath(r.folder)
                                                              : r.oldNative.left(r.oldNative.lastIndexOf('/') + 1);
                r.oldNative = base + fs::nativePath(dirs ? name : name + QLatin1Char('.') + ext);
            }
        } else if (!test && opLog) {
            opLog->append(r.folder + r.name + (dirs ? QString() : QLatin1Char('.') + r.ext) + QLatin1Char(' ')
                          + r.result);
        }
    }
    return ok;
}

void renUpdateTable(TableModel &table, const QList<RenRow> &rows)
{
    QList<RenamedRow> renamed;
    for (const RenRow &r : rows)
        if (r.code <= 0 && !r.oldNative.isEmpty())
            renamed.append({r.pos - 1, r.oldNative});
    renUpdateRows(table, renamed);
}

void renUpdateRows(TableModel &table, const QList<RenamedRow> &rows)
{
    // Read after the renames, so each folder's listing already holds the new names.
    fs::ShortPathCache shortForms;
    for (const RenamedRow &r : rows) {
        if (r.row < 0 || r.row >= table.size())
            continue;
        const TableRow &old = table.at(r.row);
        RowEntry e = old.entry;
        e.path = r.newPath;
        e.shortForm = shortForms.shortPath(e.displayPath());
        // read back, so that what the new name changes (a leading dot hides) shows
        fs::Entry disk;
        if (fs::lookupNative(r.newPath, &disk))
            e = rowEntry(r.newPath, disk, e.shortForm, old.entry.ord, old.entry.page);
        table.updateEntry(r.row, std::move(e), old.cells[ColFolder]);
    }
}

void renUpdateRow(TableModel &table, int row, const QByteArray &newPath) { renUpdateRows(table, {{row, newPath}}); }

} // namespace vt
