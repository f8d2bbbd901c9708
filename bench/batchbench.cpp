// In-process half of bench/rename and bench/batches: times each batch kind of
// the program on its own code (the windows' flows, questions answered Yes)
// over files made for the run.
//
//   batchbench rename DIR [FILES] [FOLDERS]   the preview's real rule rename
//   batchbench all DIR [FILES]                every batch kind, in one folder and in 200
#include "base/appdirs.h"
#include "base/operation.h"
#include "base/services.h"
#include "fileops/core/copymove.h"
#include "fileops/core/deletefiles.h"
#include "fileops/core/dircreate.h"
#include "lists/core/tablecheck.h"
#include "rename/core/quickname.h"
#include "rename/core/quickren.h"
#include "rename/core/renapply.h"
#include "rename/core/renspis.h"
#include "rename/renprevform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <functional>

using namespace vt;

namespace {

// Every question answered Yes, nothing shown.
class YesUi final : public Ui {
public:
    void inf(const QString &) override {}
    bool vopr(const QString &) override { return true; }
    YesOk vprYesOK(const QString &) override { return YesOk::Yes; }
    void infTitled(const QString &, const QString &) override {}
    bool stopYesNo(const QString &, const QString &) override { return true; }
    bool askTitled(const QString &, const QString &, BoxIcon, bool) override { return true; }
    YesNoCancel yesNoCancel(const QString &, const QString &, BoxIcon) override { return YesNoCancel::Yes; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QString chooseAnyFile(const QString &, const QString &, const QString &) override { return {}; }
    QStringList chooseFiles(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseExistingFile(const QString &, const QString &, const QString &) override { return {}; }
    void beep(Beep) override {}
};

// n files "a NNNN.txt" (or folders) spread over `folders` sub-folders of dir,
// as full-path rows of a fresh table, all selected.
void makeRows(TableModel &t, const QString &dir, int n, int folders, bool asFolders = false)
{
    QDir(dir).removeRecursively();
    t.clear();
    QStringList paths;
    for (int i = 0; i < n; ++i) {
        const QString sub = dir + QStringLiteral("f%1/").arg(i % folders, 3, 10, QLatin1Char('0'));
        const QString path = sub + QStringLiteral("a %1%2").arg(i, 4, 10, QLatin1Char('0')).arg(asFolders ? "" : ".txt");
        if (i < folders)
            QDir().mkpath(sub);
        if (asFolders) {
            QDir().mkdir(path);
        } else {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write("x");
        }
        paths << path;
    }
    // Read in as a list read does, once every file is there.
    AppendState st;
    for (const QString &p : paths)
        appendPath(t, st, p);
    t.setAllSelected(true);
}

double timed(const std::function<void()> &f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The preview's run: the rows of the table in the preview, all selected,
// "Переименовать" with a prefix rule.
double previewRename(TableModel &t, bool test)
{
    QList<int> all;
    for (int i = 0; i < t.size(); ++i)
        all << i;
    OperationContext ops;
    TRenPrevForm f(t, ops, nullptr, false);
    // Set once the preview (and its rule editor) exists.
    TRenRule &rule = currentRule();
    InitRulesDef(rule);
    rule.Pref1 = QStringLiteral("p_");
    f.fill(all);
    f.lvRen->selectAll();
    return timed([&] { f.Renamer(test); });
}

double listToList(TableModel &t)
{
    QList<int> all;
    for (int i = 0; i < t.size(); ++i)
        all << i;
    RenSpisState s;
    renSpisOpen(s, renRowsFromTable(t, all, false));
    QStringList names;
    for (int i = 0; i < t.size(); ++i)
        names << QStringLiteral("n %1").arg(i);
    s.editor = names.join(QLatin1Char('\n'));
    RenSpisEnv env;
    env.table = &t;
    return timed([&] { runRenSpis(s, RenSpisAction::Rename, env); });
}

struct Kind {
    const char *name;
    int rows; // capped where the window caps the batch
    bool folders;
    std::function<double(TableModel &, const QString &dir)> run;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 3) {
        std::fputs("usage: batchbench rename|all DIR [FILES] [FOLDERS]\n", stderr);
        return 2;
    }
    const QString dir = QDir(a[2]).absolutePath() + QLatin1Char('/');
    const int files = a.size() > 3 ? a[3].toInt() : 9999;
    qputenv("VESTRADA_HOME", (dir + "home").toUtf8());
    resetAppDirs();
    YesUi yes;
    setUi(&yes);
    OperationContext ops;
    ops.setEventPump([] {});
    TableModel t;

    if (a[1] == QLatin1String("rename")) {
        const int folders = a.size() > 4 ? a[4].toInt() : 1;
        makeRows(t, dir + "tree/", files, folders);
        std::printf("%.1f\n", previewRename(t, false));
        return 0;
    }

    const QList<Kind> kinds = {
        {"rule rename (preview)", files, false, [](TableModel &t, const QString &) { return previewRename(t, false); }},
        {"rule rename test", files, false, [](TableModel &t, const QString &) { return previewRename(t, true); }},
        {"list-to-list rename", files, false, [](TableModel &t, const QString &) { return listToList(t); }},
        {"quick rename (spaces)", 1000, false,
         [&](TableModel &t, const QString &) {
             return timed([&] { QuickRen(t, ops, nullptr, {}).DopRen(QuickMode::Spaces, false, QStringLiteral("x")); });
         }},
        {"extension removal", 1000, false,
         [&](TableModel &t, const QString &) { return timed([&] { QuickRen(t, ops, nullptr, {}).removeExtensions(); }); }},
        {"copy", 1000, false,
         [&](TableModel &t, const QString &d) {
             QString target = d + "to/";
             QDir().mkpath(target);
             return timed([&] { CopyMover(t, ops, target).CopyMove(Transfer::Copy, CopyMode::Prefix); });
         }},
        {"move", 1000, false,
         [&](TableModel &t, const QString &d) {
             QString target = d + "to/";
             QDir().mkpath(target);
             return timed([&] { CopyMover(t, ops, target).CopyMove(Transfer::Move); });
         }},
        {"delete", 1000, false,
         [&](TableModel &t, const QString &) { return timed([&] { FileDeleter(t, ops).deleteSelected(true); }); }},
        {"empty folders", 1000, true,
         [&](TableModel &t, const QString &) { return timed([&] { FileDeleter(t, ops).deleteEmptyFolders(); }); }},
        {"table check", files, false,
         [&](TableModel &t, const QString &) {
             QStringList report;
             return timed([&] { checkTable(t, report, &ops); });
         }},
        {"folder creation (window)", 100, false,
         [](TableModel &, const QString &d) {
             DirListState s;
             s.folder = d + "made/";
             QDir().mkpath(s.folder);
             QStringList names;
             for (int i = 0; i < kDirListMaxNames; ++i)
                 names << QStringLiteral("d%1").arg(i);
             s.editor = names.join(QLatin1Char('\n'));
             return timed([&] { runDirList(s, DirListAction::Create); });
         }},
    };
    std::printf("%-26s %6s %12s %12s\n", "batch", "rows", "1 folder", "200 folders");
    for (const Kind &k : kinds) {
        double ms[2];
        for (int layout = 0; layout < 2; ++layout) {
            const QString d = dir + "tree/";
            makeRows(t, d, k.rows, layout == 0 ? 1 : qMin(200, k.rows), k.folders);
            ms[layout] = k.run(t, d);
        }
        std::printf("%-26s %6d %9.1f ms %9.1f ms\n", k.name, k.rows, ms[0], ms[1]);
        std::fflush(stdout);
    }
    QDir(dir + "tree/").removeRecursively();
    return 0;
}
