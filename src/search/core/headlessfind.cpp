#include "search/core/headlessfind.h"

#include "base/oledate.h"
#include "base/services.h"
#include "base/textutil.h"
#include "search/core/consoleui.h"
#include "search/core/extstore.h"
#include "search/core/folderwalk.h"
#include "search/core/matchrow.h"
#include "search/core/searchreport.h"
#include "search/core/searchsetup.h"
#include "search/core/searchvalidate.h"
#include "table/core/tablemodel.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

namespace vt {
namespace {

bool isControl(char16_t u) { return u < 0x20 || (u >= 0x7F && u <= 0x9F); }

// A message as one line block of the streams: its line breaks made plain.
QByteArray plainText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (QChar &c : t)
        if (c != QLatin1Char('\n') && isControl(c.unicode()))
            c = QLatin1Char('?');
    return t.toUtf8() + '\n';
}

void printTo(FILE *f, const QString &text)
{
    const QByteArray b = plainText(text);
    std::fwrite(b.constData(), 1, size_t(b.size()), f);
}

bool parseBound(const QString &text, double &date, double &time)
{
    const QDateTime dt = parseDateTimeText(text);
    if (!dt.isValid())
        return false;
    const double d = toDays(dt);
    date = wholeDays(d);
    time = 1.0 + dayFraction(d);
    return true;
}

} // namespace

void printOut(const QString &text) { printTo(stdout, text); }
void printErr(const QString &text) { printTo(stderr, text); }

QString plainCell(const QString &text)
{
    // Most cells hold no control character: shared, not copied.
    qsizetype i = 0;
    while (i < text.size() && !isControl(text[i].unicode()))
        ++i;
    if (i == text.size())
        return text;
    QString t = text;
    for (; i < t.size(); ++i)
        if (isControl(t[i].unicode()))
            t[i] = QLatin1Char('?');
    return t;
}

void printLines(const QStringList &lines, bool breaks)
{
    QByteArray out;
    for (const QString &l : lines)
        for (const QString &part : breaks ? l.split(QLatin1String("\r\n")) : QStringList{l})
            out += plainCell(part).toUtf8() + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
}

QByteArray headlessRowLine(const TableRow &row)
{
    return plainRow(QStringList(row.cells.begin(), row.cells.end()));
}

QByteArray plainRow(const QStringList &cells)
{
    QByteArray out;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i)
            out += '\t';
        // A name may hold a tab, a line break or an escape; keep one row per line.
        out += plainCell(cells[i]).toUtf8();
    }
    out += '\n';
    return out;
}

QStringList addFindOptions(QCommandLineParser &parser)
{
    struct Opt {
        const char *name, *value, *text;
    };
    static const Opt opts[] = {
        {"mask", "M", "шаблон имени"},
        {"min", "ДАТА", "от даты и времени \"dd.MM.yyyy H:mm:ss\""},
        {"max", "ДАТА", "до даты и времени"},
        {"size-min", "КБ", "размер от, КБ"},
        {"size-max", "КБ", "размер до, КБ"},
        {"exclude", "HSR", "без скрытых (H), системных (S), только для чтения (R)"},
        {"kind", "ВИД", "files, all, folders или empty"},
        {"ext", "СПИСОК", "расширения через запятую: JPG,TXT"},
        {"depth", "N", "глубина вложенности папок"},
        {"limit", "N", "лимит найденных файлов"},
        {"unreadable", nullptr, "только имена не в кодировке UTF-8"},
    };
    QStringList names;
    for (const Opt &o : opts) {
        names << QString::fromLatin1(o.name);
        parser.addOption(o.value ? QCommandLineOption(names.last(), QString::fromUtf8(o.text), QString::fromUtf8(o.value))
                                 : QCommandLineOption(names.last(), QString::fromUtf8(o.text)));
    }
    return names;
}

bool findArgsFrom(const QCommandLineParser &parser, FindArgs &out, QByteArray &error)
{
    SearchParams &p = out.params;
    p.folder = parser.value(QStringLiteral("find"));
    const double nowDays = toDays(now());
    // The panel's defaults at start: the last ten minutes.
    p.maxDate = wholeDays(nowDays);
    p.maxTime = 1.0 + dayFraction(nowDays);
    const double minDays = nowDays - 0.006944;
    p.minDate = wholeDays(minDays);
    p.minTime = 1.0 + dayFraction(minDays);
    out.unreadable = parser.isSet(QStringLiteral("unreadable"));
    QString bad;
    auto has = [&](const char *name, QString &v) {
        const QString n = QString::fromLatin1(name);
        if (!parser.isSet(n))
            return false;
        v = parser.value(n);
        return true;
    };
    auto check = [&](bool ok, const char *name) {
        if (!ok && bad.isEmpty())
            bad = QLatin1String("--") + QLatin1String(name);
    };
    QString v;
    bool ok = true;
    if (has("mask", v))
        p.mask = v;
    if (has("min", v))
        check(parseBound(v, p.minDate, p.minTime), "min");
    if (has("max", v))
        check(parseBound(v, p.maxDate, p.maxTime), "max");
    if (has("size-min", v)) {
        p.minKb = v.toLongLong(&ok);
        check(ok, "size-min");
    }
    if (has("size-max", v)) {
        p.maxKb = v.toLongLong(&ok);
        check(ok, "size-max");
    }
    if (has("exclude", v)) {
        const QString u = v.toUpper();
        p.hideH = u.contains(QLatin1Char('H'));
        p.hideS = u.contains(QLatin1Char('S'));
        p.hideR = u.contains(QLatin1Char('R'));
    }
    if (has("kind", v)) {
        if (v == QLatin1String("files"))
            p.filesState = 2;
        else if (v == QLatin1String("all"))
            p.filesState = 1;
        else if (v == QLatin1String("folders"))
            p.filesState = 0;
        else if (v == QLatin1String("empty")) {
            p.filesState = 0;
            out.emptyFolders = true;
        } else
            check(false, "kind");
    }
    QString refusal;
    // Each one as the picker takes a typed extension (".txt" is TXT); repeats count once.
    for (const QString &list : parser.values(QStringLiteral("ext"))) {
        p.extMode = true;
        for (const QString &e : list.split(QLatin1Char(','))) {
            const ext::AddOutcome added = ext::addTyped(p.exts, e);
            if (added.kind == ext::AddOutcome::BadChars && refusal.isEmpty())
                refusal = added.message;
        }
    }
    if (has("depth", v)) {
        p.depth = v.toInt(&ok);
        check(ok, "depth");
    }
    if (has("limit", v)) {
        p.limit = v.toInt(&ok);
        check(ok, "limit");
    }
    if (!bad.isEmpty()) {
        error = "bad option: " + bad.toLocal8Bit() + '\n';
        return false;
    }
    if (!refusal.isEmpty()) {
        error = plainText(refusal);
        return false;
    }
    if (p.extMode && (p.exts.isEmpty() || p.exts.size() > ext::kMaxExts)) {
        error = "bad option: --ext\n";
        return false;
    }
    // Out-of-range numbers are corrected as the panel's fields correct them.
    fitFieldRanges(p);
    return true;
}

bool parseFindArgs(const QStringList &args, FindArgs &out, QByteArray &error)
{
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringLiteral("find"), QString(), QStringLiteral("FOLDER")));
    addFindOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("vestrada"), QStringLiteral("--find")} + args)) {
        error = parser.errorText().toLocal8Bit() + '\n';
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = "bad option: " + parser.positionalArguments().first().toLocal8Bit() + '\n';
        return false;
    }
    return findArgsFrom(parser, out, error);
}

int findRowsHeadless(const FindArgs &args, TableModel &kept, bool keep)
{
    SearchParams p = args.params;
    p.folder = QDir(p.folder).absolutePath();

    ConsoleUi console;
    ConsoleScope scope(console);
    ValidSearch v;
    const QString typed = p.folder;
    if (!validateSearch(p, v)) {
        if (!console.failed)
            printErr(QStringLiteral("Не найдена папка:\r") + plainCell(typed));
        return 2;
    }
    SearchMode mode = modeFor(p);
    if (mode == ModeAllFolders && args.emptyFolders)
        mode = ModeEmptyFolders;
    const WalkSettings s = walkSettingsFor(p, v, mode, args.unreadable);

    QByteArray out;
    out.reserve(1 << 16);
    int id = 0;
    kept.setStartFolder(v.folder); // the "Папка" cells are relative to it
    FolderWalk walk(s, [&](const WalkItem &m) {
        TableRow row = matchRow(m, ++id);
        out += headlessRowLine(row);
        if (out.size() > (1 << 16) - 1024) {
            std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
            out.clear();
        }
        if (keep)
            kept.appendRow(std::move(row));
        return true;
    });
    const StopFlag stop = walk.run();
    out += plainText(reportText(stop, false, -1, walk.files(), walk.folders()));
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace vt
