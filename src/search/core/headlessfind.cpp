#include "search/core/headlessfind.h"

#include "base/oledate.h"
#include "base/services.h"
#include "base/textutil.h"
#include "search/core/extstore.h"
#include "search/core/folderwalk.h"
#include "search/core/matchrow.h"
#include "search/core/searchreport.h"
#include "search/core/searchsetup.h"
#include "search/core/searchvalidate.h"
#include "table/core/tablemodel.h"

#include <QCoreApplication>
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

// Messages go to the error stream; the only question (a mask without
// wildcards) is answered Yes, since the user typed it on purpose.
class ConsoleUi final : public Ui {
public:
    bool failed = false;
    void inf(const QString &t) override
    {
        failed = true;
        printErr(t);
    }
    bool vopr(const QString &) override { return true; }
    YesOk vprYesOK(const QString &) override { return YesOk::Yes; }
    void infTitled(const QString &, const QString &t) override { printErr(t); }
    bool stopYesNo(const QString &, const QString &t) override
    {
        printErr(t);
        return false;
    }
    bool askTitled(const QString &, const QString &t, BoxIcon, bool) override
    {
        printErr(t);
        return false;
    }
    YesNoCancel yesNoCancel(const QString &, const QString &t, BoxIcon) override
    {
        printErr(t);
        return YesNoCancel::Cancel;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QString chooseAnyFile(const QString &, const QString &, const QString &) override { return {}; }
    QStringList chooseFiles(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseExistingFile(const QString &, const QString &, const QString &) override { return {}; }
    void beep(Beep) override {}
};

const char kUsage[] =
    "usage: vestrada --find FOLDER [--mask M] [--min \"dd.MM.yyyy H:mm:ss\"] [--max ...]\n"
    "       [--size-min KB] [--size-max KB] [--exclude HSR] [--kind files|all|folders|empty]\n"
    "       [--ext JPG,TXT] [--depth N] [--limit N] [--unreadable] [--save LIST.vtl]\n"
    "       [--rename RULES[:N] [--folders] [--test]]\n";

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
    QString t = text;
    for (QChar &c : t)
        if (isControl(c.unicode()))
            c = QLatin1Char('?');
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

bool parseFindArgs(QStringList args, bool canSave, bool canRename, FindArgs &out, QByteArray &error)
{
    const QByteArray usage(kUsage);
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--"))) {
        error = usage;
        return false;
    }
    SearchParams &p = out.params;
    p.folder = args.takeFirst();
    const double nowDays = toDays(now());
    // The panel's defaults at start: the last ten minutes.
    p.maxDate = wholeDays(nowDays);
    p.maxTime = 1.0 + dayFraction(nowDays);
    const double minDays = nowDays - 0.006944;
    p.minDate = wholeDays(minDays);
    p.minTime = 1.0 + dayFraction(minDays);
    QString refusal;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--rename") && canRename) {
            out.renameOpts = args.mid(i);
            break;
        }
        auto value = [&](QString &v) {
            if (i + 1 >= args.size())
                return false;
            v = args[++i];
            return true;
        };
        QString v;
        bool ok = true;
        if (a == QLatin1String("--unreadable")) {
            out.unreadable = true;
        } else if (!value(v)) {
            ok = false;
        } else if (a == QLatin1String("--mask")) {
            p.mask = v;
        } else if (a == QLatin1String("--save")) {
            out.saveTo = v;
            ok = canSave;
        } else if (a == QLatin1String("--min")) {
            ok = parseBound(v, p.minDate, p.minTime);
        } else if (a == QLatin1String("--max")) {
            ok = parseBound(v, p.maxDate, p.maxTime);
        } else if (a == QLatin1String("--size-min")) {
            p.minKb = v.toLongLong(&ok);
        } else if (a == QLatin1String("--size-max")) {
            p.maxKb = v.toLongLong(&ok);
        } else if (a == QLatin1String("--exclude")) {
            const QString u = v.toUpper();
            p.hideH = u.contains(QLatin1Char('H'));
            p.hideS = u.contains(QLatin1Char('S'));
            p.hideR = u.contains(QLatin1Char('R'));
        } else if (a == QLatin1String("--kind")) {
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
                ok = false;
        } else if (a == QLatin1String("--ext")) {
            // Each one as the picker takes a typed extension (".txt" is TXT);
            // repeats count once.
            p.extMode = true;
            for (const QString &e : v.split(QLatin1Char(','))) {
                const ext::AddOutcome added = ext::addTyped(p.exts, e);
                if (added.kind == ext::AddOutcome::BadChars && refusal.isEmpty())
                    refusal = added.message;
            }
        } else if (a == QLatin1String("--depth")) {
            p.depth = v.toInt(&ok);
        } else if (a == QLatin1String("--limit")) {
            p.limit = v.toInt(&ok);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "bad option: " + a.toUtf8() + '\n' + usage;
            return false;
        }
    }
    if (!refusal.isEmpty()) {
        error = plainText(refusal);
        return false;
    }
    if (p.extMode && (p.exts.isEmpty() || p.exts.size() > ext::kMaxExts)) {
        error = usage;
        return false;
    }
    // Out-of-range numbers are corrected as the panel's fields correct them.
    fitFieldRanges(p);
    return true;
}

int runHeadlessFind(int argc, char **argv, const HeadlessSave &save, const HeadlessRename &rename)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst(); // program
    args.removeFirst(); // --find
    FindArgs parsed;
    QByteArray error;
    if (!parseFindArgs(args, bool(save), bool(rename), parsed, error)) {
        std::fwrite(error.constData(), 1, size_t(error.size()), stderr);
        return 2;
    }
    SearchParams &p = parsed.params;
    const bool emptyFolders = parsed.emptyFolders, unreadable = parsed.unreadable;
    const QString saveTo = parsed.saveTo;
    const QStringList renameOpts = parsed.renameOpts;
    p.folder = QDir(p.folder).absolutePath();

    ConsoleUi console;
    setUi(&console);
    ValidSearch v;
    const QString typed = p.folder;
    if (!validateSearch(p, v)) {
        if (!console.failed)
            printErr(QStringLiteral("Не найдена папка:\r") + plainCell(typed));
        return 2;
    }
    SearchMode mode = modeFor(p);
    if (mode == ModeAllFolders && emptyFolders)
        mode = ModeEmptyFolders;
    const WalkSettings s = walkSettingsFor(p, v, mode, unreadable);

    QByteArray out;
    out.reserve(1 << 16);
    int id = 0;
    TableModel kept; // the rows for --save
    kept.setStartFolder(v.folder); // the "Папка" cells are relative to it
    FolderWalk walk(s, [&](const WalkItem &m) {
        TableRow row = matchRow(m, ++id);
        out += headlessRowLine(row);
        if (out.size() > (1 << 16) - 1024) {
            std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
            out.clear();
        }
        if (!saveTo.isEmpty() || !renameOpts.isEmpty())
            kept.appendRow(std::move(row));
        return true;
    });
    const StopFlag stop = walk.run();
    out += plainText(reportText(stop, false, -1, walk.files(), walk.folders()));
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
    setUi(nullptr);
    const int saved = saveTo.isEmpty() ? 0 : save(kept, saveTo);
    if (renameOpts.isEmpty())
        return saved;
    const int renamed = rename(kept, renameOpts);
    return renamed != 0 ? renamed : saved;
}

} // namespace vt
