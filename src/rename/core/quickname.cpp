#include "rename/core/quickname.h"

#include "base/services.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/systemfolders.h"
#include "rename/core/renapply.h"
#include "rename/core/renrule.h"

#include <QDir>

namespace vt {

namespace {

// А..Я in code order; Ъ and Ь have no Latin form.
const char *const kUpper[32] = {"A", "B",  "V", "G",  "D",  "E",  "Zh",   "Z",  "I", "J", "K",
                                "L", "M",  "N", "O",  "P",  "R",  "S",    "T",  "U", "F", "Kh",
                                "C", "Ch", "Sh", "Shch", nullptr, "Y", nullptr, "E", "Ju", "Ja"};

// Trailing spaces go and runs of spaces shrink to one; then leading spaces and dots go.
QString squeezeSpaces(QString s)
{
    for (qsizetype i = s.size() - 1; i >= 0; --i)
        if (s[i] == QLatin1Char(' ') && (i == s.size() - 1 || s[i + 1] == QLatin1Char(' ')))
            s.remove(i, 1);
    qsizetype k = 0;
    while (k < s.size() && (s[k] == QLatin1Char(' ') || s[k] == QLatin1Char('.')))
        ++k;
    return s.mid(k);
}

// The first n characters, never half of a surrogate pair.
QString cutTo(const QString &s, qsizetype n)
{
    if (s.size() <= n)
        return s;
    return s.left(s[n - 1].isHighSurrogate() ? n - 1 : n);
}

} // namespace

QString translit(const QString &s)
{
    QString latin;
    latin.reserve(s.size() * 2);
    for (QChar c : s) {
        const char16_t u = c.unicode();
        const char *t = nullptr;
        bool lower = false;
        if (u >= 0x410 && u <= 0x42F) {
            t = kUpper[u - 0x410];
        } else if (u >= 0x430 && u <= 0x44F) {
            t = kUpper[u - 0x430];
            lower = true;
        } else if (u == 0x401 || u == 0x451) {
            t = "Jo";
            lower = u == 0x451;
        }
        if (t)
            latin += lower ? QString::fromLatin1(t).toLower() : QString::fromLatin1(t);
        else
            latin += c;
    }
    QString out;
    out.reserve(latin.size());
    for (qsizetype i = 0; i < latin.size(); ++i) {
        const QChar c = latin[i];
        if (c.unicode() <= 126) {
            out += c;
            continue;
        }
        // one hyphen for a character outside the basic plane
        if (c.isHighSurrogate() && i + 1 < latin.size() && latin[i + 1].isLowSurrogate())
            ++i;
        out += QLatin1Char('-');
    }
    return out;
}

int QuickName(const QuickJob &job, QString &name)
{
    const QString ext = job.dirs ? QString() : job.ext;
    const bool whole = job.dirs || job.mode == QuickMode::AddExt;
    QString base = whole ? name : name.left(name.size() - ext.size());
    base = squeezeSpaces(base);
    if (base.isEmpty())
        return QuickError;
    if (job.mode == QuickMode::Translit)
        base = translit(base);
    else if (job.mode == QuickMode::Spaces)
        base.replace(QLatin1Char(' '), QLatin1Char('_'));
    base = cutTo(base, kMaxRenName);
    if (base + ext == name)
        return QuickSame;

    const QByteArray dir = job.oldNative.left(job.oldNative.lastIndexOf('/') + 1);
    for (int j = 0; j <= 999; ++j) {
        const QString leaf = base + (j == 0 ? QString() : QString::asprintf("-%03d", j)) + ext;
        if (job.folder.size() + leaf.size() > kMaxRenPath)
            return QuickLength;
        const QByteArray to = dir + fs::nativePath(leaf);
        if (fs::existsNative(to))
            continue;
        switch (job.test ? RenameEntryResult::Ok : renameEntry(job.oldNative, to)) {
        case RenameEntryResult::Ok:
            if (job.opLog)
                job.opLog->append(job.folder + name + QStringLiteral(" >> ") + job.folder + leaf);
            name = leaf;
            return QuickOk;
        case RenameEntryResult::Exists:
            continue; // the name was taken in between: the next suffix
        case RenameEntryResult::Failed:
            return QuickError;
        }
    }
    return QuickError;
}

QString cleanNewExt(const QString &typed)
{
    QString out;
    for (QChar c : typed) {
        const char16_t u = c.unicode();
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
            out += c;
    }
    return out;
}

bool ProvFileName(const QString &name)
{
    if (name.isEmpty())
        return false;
    if (name.startsWith(QLatin1Char('.'))) {
        ui().inf(QStringLiteral("Имя не должно начинаться с точки."));
        return false;
    }
    static const QString bad = QStringLiteral("\\/:\"<>|?*");
    for (QChar c : name) {
        // control characters cannot be typed on purpose and break log lines
        if (bad.contains(c) || c.unicode() < 0x20) {
            ui().inf(QStringLiteral("Недопустимые символы в имени файла  \\ / : \" < > | ? *"));
            return false;
        }
    }
    return true;
}

const QStringList &forbiddenFolders() { return fs::systemFolders(); }

QString forbiddenMessage()
{
    QString text = QStringLiteral("Запрещено переименование в папках:");
    for (const QString &f : forbiddenFolders())
        if (!f.isEmpty())
            text += QStringLiteral("\r\n") + f;
    return text;
}

bool inForbiddenFolder(const QString &folder, const QStringList &forbidden)
{
    const QString f = QDir::cleanPath(folder);
    const Qt::CaseSensitivity cs = fs::pathCase();
    for (const QString &p : forbidden) {
        if (p.isEmpty())
            continue;
        if (f.compare(p, cs) == 0)
            return true;
        // Only the root itself: everything lies inside it.
        if (!p.endsWith(QLatin1Char('/')) && f.startsWith(p + QLatin1Char('/'), cs))
            return true;
    }
    return false;
}

QString dopRenHelpText()
{
    return QStringLiteral(
        "1) Для переименования принимаются выделенные строчки в таблице, только файлы (не более 1000), можно без "
        "расширения.\r\n\r\n2) Перед началом переименования:\r\n- производится удаление пробелов по краям имени "
        "файла (без учета расширения)\r\n- производится удаление \"двойных\" пробелов, например, имя файла  \"А  Б\"  "
        "станет \"А Б\"\r\n- если новая длина имени (без учета расширения) больше 80 симв. - обрезается до 80 "
        "симв.\r\n\r\n3) После переименования:\r\n- если файл с новым именем уже существует - добавляется постфикс с "
        "номером -001..-999\r\n- если новая длина полного пути файла (папка + имя + расширение) больше 255 симв. - "
        "ошибка!\r\n\r\n4) Правило с ДОБАВЛЕНИЕМ расширения:\r\n- нужно в спец. случаях и ТОЛЬКО для опытных "
        "пользователей\r\n- учитывайте, что после смены расширения эти файлы могут не открываться при попытке их "
        "запуска!\r\n- требуется задать новое расширение от 1 до 10 симв, без точки в начале.");
}

QString dirRenHelpText()
{
    return QStringLiteral(
               "1) Для переименования принимаются выделенные строчки в таблице, только папки (не более "
               "1000).\r\n\r\n2) ВСЕ СТРОЧКИ в таблице должны иметь одинаковую колонку \"Папка\",\r\nт.е. все файлы "
               "или папки, имеющиеся в таблице, должны находиться в ОДНОЙ папке.\r\n\r\n3) Перед началом "
               "переименования:\r\n- производится удаление пробелов по краям имени папки\r\n- производится удаление "
               "\"двойных\" пробелов, например, имя файла  \"А  Б\"  станет \"А Б\"\r\n- если новая длина имени больше "
               "80 симв. - обрезается до 80 симв.\r\n\r\n4) После переименования в ТРАНСЛИТ или ЗАМЕНА "
               "ПРОБЕЛОВ:\r\n- если папка с новым именем уже существует - добавляется постфикс с номером "
               "-001..-999\r\n\r\n5) Если новая длина полного пути папки больше 255 симв. - ошибка.\r\n\r\n6) ")
         + forbiddenMessage();
}

} // namespace vt
