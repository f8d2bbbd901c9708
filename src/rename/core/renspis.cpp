#include "rename/core/renspis.h"

#include "base/cleanname.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "journal/core/journalrecorder.h"
#include "lists/core/listcontroller.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/renamefile.h"
#include "rename/core/renapply.h"
#include "rename/core/renamerun.h"
#include "rename/core/renrule.h"
#include "table/core/tablemodel.h"

#include <optional>

namespace vt {

namespace {

QString num(qsizetype n) { return QString::number(n); }

// A row the editor left empty: not renamed, and the table keeps it.
constexpr int kSkipped = 5;

} // namespace

QStringList renSpisFormat(const QStringList &lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (const QString &l : lines)
        out << CleanName(l);
    return out;
}

void renSpisOpen(RenSpisState &s, const QList<RenRow> &selected)
{
    s.rows = selected;
    s.parts = {};
    for (const RenRow &r : selected) {
        s.parts.folders << r.folder;
        s.parts.names << r.name;
        s.parts.exts << (s.dirs || r.ext.isEmpty() ? QString() : QLatin1Char('.') + r.ext);
    }
    s.results.clear();
    s.summary.clear();
    s.summaryShown = false;
    s.fullPath = false;
    s.withExt = false;
    s.display = RenSpisOldNames;
}

QString renSpisLogHeader(bool dirs, int n)
{
    return logStamp() + QStringLiteral("Переименование, список (")
         + (dirs ? QStringLiteral("папок") : QStringLiteral("файлов")) + QStringLiteral(": ") + num(n)
         + QLatin1Char(')');
}

int renSpisApply(RenSpisState &s, const QStringList &names, bool test, QStringList *opLog)
{
    s.results.clear();
    int ok = 0;
    const QString testTag = test ? QStringLiteral("ТЕСТ: ") : QString();
    std::optional<JournalRecorder> journal;
    if (!test)
        journal.emplace(BatchKind::RenameList);
    for (qsizetype i = 0; i < s.rows.size() && i < names.size(); ++i) {
        RenRow &r = s.rows[i];
        const QString &folder = s.parts.folders.at(i);
        const QString &ext = s.parts.exts.at(i);
        const QString old = s.parts.names.at(i) + ext;
        const QString &newName = names.at(i);
        if (newName.isEmpty()) {
            const QString text = QStringLiteral("Пропуск>");
            s.results << old + QStringLiteral(" <") + text;
            r.code = kSkipped;
            r.result = QStringLiteral("<") + text;
            if (!test && opLog)
                *opLog << folder + old + QStringLiteral(" <") + text;
            continue;
        }
        const QString neu = newName + ext;
        const QByteArray from = r.oldNative.isEmpty() ? fs::nativePath(folder + old) : r.oldNative;
        const QByteArray to = from.left(from.lastIndexOf('/') + 1) + fs::nativePath(neu);
        QString text;
        int code = RenError;
        bool renamed = false;
        // a rename that never replaces; the case-only one goes through renameEntry's temporary name
        const auto rename = [&] {
            switch (renameEntry(from, to)) {
            case RenameEntryResult::Ok:
                renamed = true;
                code = RenOk;
                text = QStringLiteral("OK>");
                break;
            case RenameEntryResult::Exists:
                code = RenExists;
                text = QStringLiteral("Ошибка: файл/папка существует>");
                break;
            case RenameEntryResult::Failed:
                code = RenError;
                text = QStringLiteral("Ошибка>");
                break;
            }
        };
        if ((folder + neu).size() > kMaxRenPath) {
            code = RenLength;
            text = QStringLiteral("Ошибка длины>");
        } else if (old.toUpper() != neu.toUpper()) {
            if (fs::existsNative(to)) {
                code = RenExists;
                text = QStringLiteral("Ошибка: файл/папка существует>");
            } else if (test) {
                code = RenOk;
                text = QStringLiteral("OK>");
            } else {
                rename();
            }
        } else if (old == neu) {
            code = RenSame;
            text = QStringLiteral("Ошибка: имя не изменено>");
        } else if (fs::existsNative(to) && !fs::sameFile(from, to)) {
            // only the case differs, but a case-sensitive file system holds both names
            code = RenExists;
            text = QStringLiteral("Ошибка: файл/папка существует>");
        } else if (test) {
            code = RenCaseOnly;
            text = QStringLiteral("OK: только регистр>");
        } else {
            rename();
        }
        if (code == RenOk)
            ++ok;
        text = testTag + text;
        s.results << old + QStringLiteral(" >> ") + neu + QStringLiteral(" <") + text;

        r.code = code;
        r.newName = newName;
        r.newExt = r.ext;
        r.newLen = renLengthText(newName.size(), s.dirs ? 0 : r.ext.size(), folder.size() + neu.size());
        r.result = QStringLiteral("<") + text;
        if (renamed) {
            r.name = newName;
            r.lenText = r.newLen;
            r.oldNative = to;
            s.parts.names[i] = newName;
            if (opLog)
                *opLog << folder + old + QStringLiteral(" >> ") + folder + neu + QStringLiteral(" <") + text;
        } else if (!test && opLog) {
            *opLog << folder + old + QStringLiteral(" <") + text;
        }
    }
    return ok;
}

RenSpisOutcome runRenSpis(RenSpisState &s, RenSpisAction action, const RenSpisEnv &env)
{
    const int tag = int(action);
    const QStringList lines = memoLines(s.editor);
    const qsizetype n = lines.size();
    const qsizetype count = s.parts.names.size();
    if (tag == 0 && n > kRenSpisMaxLines) {
        ui().inf(QStringLiteral("Число строк в редакторе превышает 1000."));
        return RenSpisOutcome::Refused;
    }
    if (n == 0) {
        ui().inf(QStringLiteral("Введите список новых имен"));
        return RenSpisOutcome::FocusEditor;
    }
    if (tag > 0 && n != count) {
        ui().inf(QStringLiteral("Число новых имен в редакторе (строк справа: ") + num(n)
                 + QStringLiteral(")\rдолжно совпадать с числом заданных имен (слева: ") + num(count)
                 + QLatin1Char(')'));
        return RenSpisOutcome::Refused;
    }
    const QString ask =
        tag == 0 ? QStringLiteral("В поле редактора (справа):\r-будут удалены запрещенные символы,\r-обрезаны "
                                  "длинные имена до 80 симв.,\r-удалены точки и пробелы по краям, удалены двойные "
                                  "пробелы,")
                 : QStringLiteral("Текст в редакторе (справа) будет форматирован.\rПустые строчки в редакторе: "
                                  "соотв. имена в списке слева - пропускаются.\rВ поле результата и в таблице "
                                  "будет выведен результат ")
                       + (tag == 1 ? QStringLiteral("ТЕСТА (без переименования).")
                                   : QStringLiteral("ПЕРЕИМЕНОВАНИЯ."));
    if (!ui().vopr(ask + QStringLiteral("\rПродолжить?")))
        return RenSpisOutcome::Refused;

    const QStringList names = renSpisFormat(lines);
    RenSpisOutcome outcome = RenSpisOutcome::Formatted;
    if (tag > 0) {
        if (names.size() != count || s.rows.size() != count) {
            ui().beep(Beep::Error);
            outcome = RenSpisOutcome::Mismatch;
        } else {
            RenameRun run;
            run.test = tag == 1;
            run.header = renSpisLogHeader(s.dirs, int(s.rows.size()));
            run.ops = env.ops;
            run.table = env.table;
            run.lists = env.lists;
            run.summary = [&run, count](int ok) {
                return (run.test ? QStringLiteral("ТЕСТ, результат: ") : QStringLiteral("Переименование: "))
                     + num(ok) + QStringLiteral(" из ") + num(count);
            };
            run.report = [&s](const QString &summary) {
                s.display = RenSpisResults;
                s.summary = summary;
                s.summaryShown = true;
            };
            s.display = RenSpisRebuilding;
            run.run(s.rows, [&](QStringList *log) { return renSpisApply(s, names, run.test, log); });
            outcome = RenSpisOutcome::Ran;
        }
    }
    s.editor = memoText(names);
    if (tag == 0)
        zv(2);
    return outcome;
}

bool renSpisLeftLines(const RenSpisState &s, QStringList *out)
{
    out->clear();
    if (s.display == RenSpisOldNames) {
        *out = SetFMem(s.parts, s.fullPath, s.withExt && !s.dirs);
        return true;
    }
    if (s.display != RenSpisResults)
        return true;
    if (s.results.size() != s.parts.names.size() || s.results.size() != s.parts.folders.size())
        return false;
    for (qsizetype i = 0; i < s.results.size(); ++i)
        *out << (s.fullPath ? s.parts.folders.at(i) : QString()) + s.results.at(i);
    return true;
}

QString renSpisLineInfo(qsizetype lines, qsizetype selected, qsizetype total)
{
    return QStringLiteral("Число строк: ") + num(lines) + QStringLiteral("\r-\rДлина выделенного текста: ")
         + num(selected) + QStringLiteral("\r-\rДлина всего текста: ") + num(total);
}

QString renSpisSyncInfo(const RenSpisState &s, bool fromLeft, int caret, qsizetype sourceLines,
                        qsizetype targetLines)
{
    QString t = QStringLiteral("Номер строки (") + (fromLeft ? QStringLiteral("СЛЕВА") : QStringLiteral("СПРАВА"))
              + QStringLiteral("): ") + num(caret + 1) + QStringLiteral(" из ") + num(sourceLines)
              + QStringLiteral("\r-\rСтрок ") + (fromLeft ? QStringLiteral("справа") : QStringLiteral("слева"))
              + QStringLiteral(": ") + num(targetLines);
    const QStringList editor = memoLines(s.editor);
    if (caret >= 0 && caret < sourceLines && caret < targetLines && caret < s.parts.names.size()
        && caret < editor.size())
        t += QStringLiteral("\r-\rСинхронные строки:\r") + s.parts.names.at(caret) + QStringLiteral(" >> ")
           + editor.at(caret);
    return t;
}

} // namespace vt
