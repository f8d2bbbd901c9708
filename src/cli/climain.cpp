#include "cli/cli.h"

#include "base/operation.h"
#include "cli/cliactions.h"
#include "lists/core/headlesslists.h"
#include "search/core/consoleui.h"
#include "search/core/headlessfind.h"
#include "table/core/tablemodel.h"

#include <QCommandLineParser>
#include <cstdio>

namespace vt {

namespace {

const char kUsage[] =
    "usage: vestrada --find FOLDER [options] | --read LIST  [--save LIST] [ACTION] [--test] [--yes]\n"
    "       vestrada --mkdirs NAMES.txt --in FOLDER [--test]\n"
    "       vestrada --undo [--test] [--yes] | --journal\n"
    "       vestrada --help | --version\n";

// The options every run may have, beside the search's, the actions and their modifiers.
const char *const kFindName = "find";
const char *const kReadName = "read";

// Returns the names of the search's own options.
QStringList addOptions(QCommandLineParser &p)
{
    p.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("эта справка")));
    p.addOption(QCommandLineOption(QStringLiteral("version"), QStringLiteral("версия программы")));
    p.addOption(QCommandLineOption(QString::fromLatin1(kFindName), QStringLiteral("строки таблицы: поиск в папке"),
                                   QStringLiteral("ПАПКА")));
    const QStringList findNames = addFindOptions(p);
    p.addOption(QCommandLineOption(QString::fromLatin1(kReadName), QStringLiteral("строки таблицы: из списка"),
                                   QStringLiteral("СПИСОК")));
    p.addOption(QCommandLineOption(QStringLiteral("save"),
                                   QStringLiteral("сохранить строки: .vtl, .vts, .vtx, .m3u, .txt, .csv, .tsv"),
                                   QStringLiteral("СПИСОК")));
    for (const CliAction &a : cliActions())
        p.addOption(a.value ? QCommandLineOption(QString::fromLatin1(a.name), QString::fromUtf8(a.text),
                                                 QString::fromUtf8(a.value))
                            : QCommandLineOption(QString::fromLatin1(a.name), QString::fromUtf8(a.text)));
    for (const CliModifier &m : cliModifiers()) {
        // A name may be an action and a modifier at once (--trash with --empty-folders).
        bool isAction = false;
        for (const CliAction &a : cliActions())
            isAction = isAction || QLatin1String(a.name) == QLatin1String(m.name);
        if (isAction)
            continue;
        p.addOption(m.value ? QCommandLineOption(QString::fromLatin1(m.name), QString::fromUtf8(m.text),
                                                 QString::fromUtf8(m.value))
                            : QCommandLineOption(QString::fromLatin1(m.name), QString::fromUtf8(m.text)));
    }
    p.addOption(QCommandLineOption(QStringLiteral("test"), QStringLiteral("ничего не менять, показать, что будет")));
    p.addOption(QCommandLineOption(QStringLiteral("yes"), QStringLiteral("не спрашивать подтверждения")));
    return findNames;
}

int usageError(const QString &why)
{
    if (!why.isEmpty())
        printErr(why);
    std::fputs(kUsage, stderr);
    return 2;
}

void writeOut(const QString &text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

} // namespace

bool wantsHeadless(const QStringList &args)
{
    static const QStringList entries = [] {
        QStringList e{QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("--version"),
                      QStringLiteral("--find"), QStringLiteral("--read")};
        for (const CliAction &a : cliActions())
            e << QStringLiteral("--") + QString::fromLatin1(a.name);
        return e;
    }();
    for (const QString &a : args)
        if (entries.contains(a.section(QLatin1Char('='), 0, 0)))
            return true;
    return false;
}

int runCli(const QStringList &args)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Vestrada: поиск файлов, списки и пакетные операции без окна."));
    const QStringList findNames = addOptions(p);
    if (!p.parse(args))
        return usageError(p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        // Qt's first line names the program by its full path; ours says how the options go together.
        const QString help = p.helpText();
        writeOut(QString::fromLatin1(kUsage) + help.mid(help.indexOf(QLatin1Char('\n'))));
        return 0;
    }
    if (p.isSet(QStringLiteral("version"))) {
        writeOut(QStringLiteral("Vestrada " VESTRADA_VERSION "\n"));
        return 0;
    }
    if (!p.positionalArguments().isEmpty())
        return usageError(QStringLiteral("Лишний параметр: ") + plainCell(p.positionalArguments().first()));

    const CliAction *action = nullptr;
    for (const CliAction &a : cliActions()) {
        if (!p.isSet(QString::fromLatin1(a.name)))
            continue;
        // A modifier of the chosen action is not a second action.
        bool modifier = false;
        for (const CliModifier &m : cliModifiers())
            if (QLatin1String(m.name) == QLatin1String(a.name))
                for (const CliAction &b : cliActions())
                    if (&b != &a && p.isSet(QString::fromLatin1(b.name))
                        && m.actions.contains(QString::fromLatin1(b.name)))
                        modifier = true;
        if (modifier)
            continue;
        if (action)
            return usageError(QStringLiteral("Допустимо одно действие"));
        action = &a;
    }
    for (const CliModifier &m : cliModifiers()) {
        const QString name = QString::fromLatin1(m.name);
        if (p.isSet(name) && (!action || !m.actions.contains(QString::fromLatin1(action->name)))
            && !(action && name == QLatin1String(action->name)))
            return usageError(QStringLiteral("Ключ --") + name + QStringLiteral(" не для этого действия"));
    }
    const bool find = p.isSet(QString::fromLatin1(kFindName)), read = p.isSet(QString::fromLatin1(kReadName));
    if (find && read)
        return usageError(QStringLiteral("Строки берутся из --find или из --read"));
    if (!find)
        for (const QString &name : p.optionNames())
            if (findNames.contains(name))
                return usageError(QStringLiteral("Ключ --") + name + QStringLiteral(" только с --find"));
    const bool save = p.isSet(QStringLiteral("save"));
    if (!find && !read && (save || !action || action->needsRows))
        return usageError(QString());
    if ((p.isSet(QStringLiteral("test")) || p.isSet(QStringLiteral("yes"))) && !action)
        return usageError(QStringLiteral("Ключи --test и --yes только с действием"));

    TableModel rows;
    if (find) {
        FindArgs fa;
        QByteArray error;
        if (!findArgsFrom(p, fa, error)) {
            if (error.startsWith("bad option"))
                return usageError(QString::fromLocal8Bit(error).trimmed());
            std::fwrite(error.constData(), 1, size_t(error.size()), stderr);
            return 2;
        }
        if (const int code = findRowsHeadless(fa, rows, save || action))
            return code;
    } else if (read) {
        if (const int code = readRowsHeadless(p.value(QString::fromLatin1(kReadName)), rows))
            return code;
    }
    int saved = 0;
    if (save)
        saved = saveRowsHeadless(rows, p.value(QStringLiteral("save")));
    if (!action)
        return saved;
    {
        SelectionBatch batch(&rows);
        for (int i = 0; i < rows.size(); ++i)
            rows.setSelected(i, true);
    }
    OperationContext ops;
    ops.setEventPump([] {});
    ConsoleUi console;
    ConsoleScope scope(console);
    CliRun run{p, rows, ops, console};
    run.test = p.isSet(QStringLiteral("test"));
    run.yes = p.isSet(QStringLiteral("yes"));
    run.confirm(false);
    const int code = action->run(run);
    std::fflush(stdout);
    return code != 0 ? code : saved;
}

} // namespace vt
