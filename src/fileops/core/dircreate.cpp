#include "fileops/core/dircreate.h"

#include "base/cleanname.h"
#include "base/currentlog.h"
#include "base/savelog.h"
#include "base/services.h"
#include "platform/dirhandle.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/paths.h"
#include "shell/core/shellrun.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <algorithm>

namespace vt {

namespace {

QString numText(qint64 n) { return QString::number(n); }

QByteArray native(const QString &p) { return fs::nativePath(p); }

QString withSlash(QString p)
{
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

QString shownComps(const QStringList &comps) { return comps.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

} // namespace

QStringList formatNames(const QStringList &lines)
{
    QStringList names;
    for (const QString &l : lines) {
        const QString n = CleanName(l);
        if (!n.isEmpty())
            names << n;
    }
    QCollator coll;
    coll.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString &a, const QString &b) { return coll.compare(a, b) < 0; });
    QStringList out;
    for (const QString &n : names)
        if (out.isEmpty() || out.last().compare(n, Qt::CaseInsensitive) != 0)
            out << n;
    return out;
}

DirListOutcome runDirList(DirListState &s, DirListAction action)
{
    const int mode = int(action);
    if (mode > 0 && (s.folder.isEmpty() || !fs::isDir(s.folder))) {
        ui().inf(QStringLiteral("Выберите папку"));
        return DirListOutcome::Refused;
    }
    if (s.editor.isEmpty()) {
        ui().inf(QStringLiteral("Введите текст в поле редактора"));
        return DirListOutcome::FocusEditor;
    }
    const QStringList lines = s.editor.split(QLatin1Char('\n'));
    if (lines.size() > kDirListMaxLines) {
        ui().inf(QStringLiteral("Число строк в редакторе превышает 1000."));
        return DirListOutcome::Refused;
    }
    static const char16_t *const asks[] = {
        u"В поле редактора (слева):\r-будут удалены запрещенные символы,\r-обрезаны длинные имена до 80 симв.,"
        u"\r-удалены точки и пробелы по краям, удалены двойные пробелы,\r-строчки сортированы по алфавиту,"
        u"\r-удалены повторы (независимо от регистра)",
        u"Текст в редакторе (слева) будет форматирован.\rВ поле результата будет выведен результат проверки "
        u"(без создания папок)",
        u"Текст в редакторе (слева) будет форматирован.\rБудут созданы папки.\rВ поле результата будет "
        u"выведен результат."};
    if (!ui().vopr(QString::fromUtf16(asks[mode]) + QStringLiteral("\rПродолжить?")))
        return DirListOutcome::Refused;

    const QStringList names = formatNames(lines);
    QString message;
    if (mode > 0 && names.isEmpty()) {
        message = QStringLiteral("Введите текст в поле редактора");
    } else if (mode > 0 && names.size() > kDirListMaxNames) {
        message = QStringLiteral("Число папок в редакторе превышает 100");
    } else if (mode > 0) {
        s.result.clear();
        const QString folder = withSlash(s.folder);
        // Every folder is made in the one the user chose, by its name alone.
        const std::unique_ptr<fs::DirHandle> dir = fs::DirHandle::open(native(folder));
        int counted = 0;
        for (const QString &name : names) {
            const QString full = folder + name;
            fs::Entry e;
            const bool taken = dir && dir->lookup(native(name), &e);
            bool made = false;
            QString tag;
            if (taken && e.isDir())
                tag = QStringLiteral("Ошибка: папка существует>");
            else if (taken) // a file (or a link) of that name: no folder can be made there
                tag = QStringLiteral("Ошибка: файл существует>");
            else if (mode == 1)
                tag = QStringLiteral("Тест OK>"), ++counted;
            else if (dir && dir->child(native(name), true, nullptr, &made) && made)
                tag = QStringLiteral("Папка создана>"), ++counted;
            else
                tag = QStringLiteral("Ошибка создания папки>");
            s.result << full + QStringLiteral(" <") + tag;
        }
        message = (mode == 1 ? QStringLiteral("Проверка") : QStringLiteral("Создать папки"))
                  + QStringLiteral(": результат ") + numText(counted) + QStringLiteral(" из ") + numText(names.size());
        s.labDirRes = message;
        if (mode == 2 && counted > 0) {
            s.lastCreated = folder;
            const QString entry = logStamp() + message;
            CurrentLog &log = currentLog();
            log.append(entry + QStringLiteral("\r\n-"));
            log.beginOperation(LogKind::CreateFolders);
            log.opLog() << entry << s.result;
            if (SaveLog(LogKind::CreateFolders))
                log.opLog() << QStringLiteral("---\r\nЛог сохранен");
        }
        s.result << QStringLiteral("___") << message;
    }
    s.editor = names.join(QLatin1Char('\n'));
    s.labFormatInf = QStringLiteral("Результат\rформата:\rстрок в\rредакторе: ") + numText(names.size());
    if (mode == 0)
        zv(2);
    else
        ui().inf(message);
    return DirListOutcome::Done;
}

void reportFolderContents(DirListState &s)
{
    const auto dir = s.folder.isEmpty() ? nullptr : fs::Dir::open(native(s.folder));
    if (!dir || !fs::isDir(s.folder)) {
        ui().inf(QStringLiteral("Не найдена папка:\r") + s.folder);
        return;
    }
    if (!ui().vopr(QStringLiteral("Будет подсчитано число папок в выбранной папке,\rв поле результата будут "
                                  "выведены имена этих папок.\rПосле папок будут выведены имена и число "
                                  "файлов.\rПродолжить?")))
        return;
    fs::Listing l;
    dir->read(l);
    QStringList dirs, files;
    for (const fs::DirItem &it : l.items) {
        const std::string_view n = l.name(it);
        fs::Entry e;
        const bool isDir = it.hint == fs::Hint::Dir || (it.hint != fs::Hint::File && dir->stat(n, e) && e.isDir());
        (isDir ? dirs : files) << fs::displayName(n);
    }
    const QString r = QStringLiteral("Результат: [вложено папок: ") + numText(dirs.size()) + QStringLiteral("]");
    s.result = QStringList{QStringLiteral("Информация о папке:"), s.folder, QStringLiteral("___"),
                           QStringLiteral("Имена вложенных папок:")};
    s.result << dirs << QStringLiteral("___") << r << QStringLiteral("______")
             << QStringLiteral("Число файлов: ") + numText(files.size()) << QString() << files;
    s.labDirRes = r;
    zv(2);
}

QString dirCreateHelpText()
{
    return QStringLiteral(
        "1) Выберите папку, в которой будут созданы папки.\r\n\r\n2) Введите список имен папок (1 строчка = 1 "
        "папка).\r\n\r\n3) Для корректировки имен - нажмите \"Формат\".\r\nИз текста РЕДАКТОРА (слева) будут "
        "удалены \"запрещенные\" символы, обрезка имен до 80 симв., удалены повторы, строчки будут сортированы "
        "по алфавиту.\r\n\r\n4) При нажатии \"Создать\" или \"Проверка\":\r\n - строчки редактора будут "
        "форматированы (то же, что кнопка Формат)\r\n - число строк в редакторе должно быть не более 100\r\n"
        " - если нажата \"Проверка\" - папки не создаются\r\n - результат записывается в поле РЕЗУЛЬТАТА "
        "(справа).");
}

PathPlan planPath(const QString &typed)
{
    PathPlan p;
    // A typed backslash separates on Windows (and is a name character here).
    QString t = QDir::fromNativeSeparators(typed.trimmed());
    if (t.isEmpty() || t == fs::pathRoot(t))
        return p;
    // A file URL keeps its path: "file:///tmp/a" is "/tmp/a", "file:///C:/a" is "C:/a".
    if (t.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        int i = 5;
        while (i < t.size() && (t[i] == QLatin1Char(' ') || t[i] == QLatin1Char('/')))
            ++i;
        t = t.mid(i);
        if (t.isEmpty())
            return p;
        if (fs::pathRoot(t).isEmpty())
            t.prepend(QLatin1Char('/'));
    }
    // Doubled separators collapse after the root (a Windows share's root has two).
    QString root = fs::pathRoot(t);
    QString rest = t.mid(root.size());
    while (rest.contains(QLatin1String("//")))
        rest.replace(QLatin1String("//"), QLatin1String("/"));
    t = root + rest;
    if (t.size() > root.size() && t.endsWith(QLatin1Char('/')))
        t.chop(1);
    t = t.trimmed();
    if (t.isEmpty() || t == root)
        return p;

    fs::Entry e;
    const int state = fs::lookup(t, &e) ? (e.isDir() ? 2 : 1) : 0;
    if (state == 0) {
        static const QString drop = QStringLiteral("\"*<>?|");
        QString c;
        for (const QChar ch : t)
            if (!drop.contains(ch))
                c += ch;
        t = c.trimmed();
        if (t.isEmpty())
            return p;
    }
    p.path = t;
    QStringList comps;
    root = fs::pathRoot(t);
    const bool absolute = !root.isEmpty();
    if (absolute)
        comps << root;
    const QStringList parts = t.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (QString c : parts) {
        if (state == 0) {
            c = c.trimmed();
            if (c == QLatin1String(".") || c == QLatin1String(".."))
                continue;
            if (!comps.isEmpty())
                c.remove(QLatin1Char(':'));
            if (c.isEmpty())
                continue;
        }
        comps << c;
    }
    if (comps.isEmpty()) {
        p.error = QStringLiteral("Нет результата");
        return p;
    }
    p.state = state;
    p.comps = comps;
    if (state != 0)
        return p;
    if (!absolute || comps.size() < 2 || !fs::isDir(root)) {
        p.state = -1;
        p.error = shownComps(comps) + QStringLiteral("\rНеверный ввод пути.");
        return p;
    }
    QString at = root;
    for (int i = 1; i < comps.size(); ++i) {
        if (p.count == 0 && fs::isDir(at + comps[i])) {
            at += comps[i] + QLatin1Char('/');
            continue;
        }
        p.comps[i] = QStringLiteral("->") + comps[i];
        ++p.count;
    }
    p.existing = at;
    if (p.count == 0) {
        p.state = -1;
        p.error = shownComps(p.comps) + QStringLiteral("\rНе определены имена папок.");
    }
    return p;
}

PathCreated createPath(const PathPlan &plan)
{
    PathCreated r;
    r.comps = plan.comps;
    QString at = plan.existing;
    // Each new level is made in the one made before it, never through a link
    // put in its place meanwhile.
    std::unique_ptr<fs::DirHandle> dir = fs::DirHandle::open(native(at));
    bool failed = !dir;
    for (QString &c : r.comps) {
        if (!c.startsWith(QLatin1String("->")))
            continue;
        const QString name = c.mid(2);
        bool made = false;
        std::unique_ptr<fs::DirHandle> next = failed ? nullptr : dir->child(native(name), true, nullptr, &made);
        if (next && made) {
            dir = std::move(next);
            c = name + QStringLiteral(" [Создана]");
            at += name + QLatin1Char('/');
            ++r.created;
        } else {
            failed = true;
            c = name + QStringLiteral(" [Ошибка]");
        }
    }
    r.deepest = at.size() > fs::pathRoot(at).size() ? at.chopped(1) : at;
    return r;
}

void checkOrCreateTypedPath()
{
    const std::optional<QString> typed =
        ui().input(QStringLiteral("Проверить/создать путь"), QStringLiteral("Введите путь папки:"), QString());
    if (!typed || typed->trimmed().isEmpty())
        return;
    const PathPlan plan = planPath(*typed);
    if (!plan.error.isEmpty()) {
        ui().inf(plan.error);
        return;
    }
    if (plan.state == 1) {
        if (ui().vopr(QStringLiteral("ФАЙЛ существует:\r") + plan.path + QStringLiteral("\rНайти в проводнике?")))
            ExtFnd(plan.path);
        return;
    }
    if (plan.state == 2) {
        if (ui().vopr(QStringLiteral("Папка существует:\r") + plan.path + QStringLiteral("\rОткрыть в проводнике?")))
            pusk(true, plan.path);
        return;
    }
    if (plan.state != 0)
        return;
    if (!ui().vopr(shownComps(plan.comps) + QStringLiteral("\rБудут созданы папки (") + numText(plan.count)
                   + QStringLiteral(" шт.), помеченные знаком \"->\".\rПродолжить?")))
        return;
    const PathCreated made = createPath(plan);
    const QString result = QStringLiteral("Создать путь папки, результат: ") + numText(made.created)
                           + QStringLiteral(" из ") + numText(plan.count) + QStringLiteral("\r\n") + made.deepest;
    if (made.created > 0) {
        const QString entry = result + QLatin1Char(' ') + logStamp().trimmed();
        currentLog().append(entry + QStringLiteral("\r\n-"));
        SaveLog(LogKind::CreateFolders, entry);
    }
    if (ui().vopr(shownComps(made.comps) + QStringLiteral("\r\n") + result + QStringLiteral("\r\nОткрыть в проводнике?")))
        pusk(true, made.deepest);
}

} // namespace vt
