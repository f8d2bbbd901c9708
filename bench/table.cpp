// Result-table benchmark: 9999 realistic rows in a visible ResultTable
// (QT_QPA_PLATFORM=offscreen), every sort code, shuffle, select all, invert
// and a few more table commands, run through TableCommands exactly as the
// main window runs them. One line per operation with the median of the runs;
// the last line is "table ops max ms: X" (the slowest median).
// For reference it also times GNU sort on the same rows (by name).
#include "base/services.h"
#include "base/textutil.h"
#include "platform/dirreader.h"
#include "table/core/selection.h"
#include "table/resulttable.h"
#include "base/operation.h"
#include "platform/fileentry.h"
#include "table/tablecommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

using namespace vt;

namespace {

const int Rows = 9999;
const int Runs = 7;

void fillRealistic(TableModel &m, quint32 seed)
{
    static const QStringList top = {"Документы", "Фото", "Music", "Projects", "Загрузки", "Видео", "src"};
    static const QStringList sub = {"2021", "2022", "2023", "2024", "Отчёты", "archive", "Черновики", "misc",
                                    "Отпуск на море", "build", "old"};
    static const QStringList stems = {"Отчёт", "report", "IMG_", "Договор", "notes", "Презентация", "track",
                                      "Счёт", "main", "Письмо", "data", "Смета", "README", "фото", "Budget"};
    static const QStringList exts = {"docx", "pdf", "JPG", "mp3", "txt", "xlsx", "cpp", "png", "zip", "",
                                     "tar.gz", "odt"};
    std::mt19937 g(seed);
    auto pick = [&g](const QStringList &l) { return l.at(int(g() % quint32(l.size()))); };
    m.clear();
    const QDateTime base(QDate(2015, 1, 1), QTime(0, 0));
    for (int id = 1; id <= Rows; ++id) {
        const bool dir = g() % 10 == 0;
        QString folder = pick(top) + QLatin1Char('/');
        if (g() % 3)
            folder += pick(sub) + QLatin1Char('/');
        QString name = pick(stems) + QString::number(g() % 5000);
        const QString ext = dir ? QString() : pick(exts);
        if (!ext.isEmpty())
            name += QLatin1Char('.') + ext;
        // Sizes from a few bytes to a few gigabytes, mostly small.
        const qint64 size = dir ? 0 : qint64(std::exp2(double(g() % 3200) / 100.0));
        RowEntry e;
        e.path = fs::nativePath(QStringLiteral("/home/user/") + folder + name);
        e.kind = dir ? EntryKind::Folder : EntryKind::File;
        e.size = size;
        const QDateTime t = base.addSecs(qint64(g() % 300000000) / 2 * 2);
        e.mtime = t.toSecsSinceEpoch();
        e.stamp = fs::fatStamp(t);
        e.attrs = (dir ? 16u : 0u) | (g() % 8 == 0 ? 2u : 0u) | (g() % 20 == 0 ? 1u : 0u);
        e.shortForm = upper(QStringLiteral("/home/user/") + folder + name) + QLatin1Char('~') + QString::number(id);
        e.ord = g() % 4 ? 0 : 1 + g() % 255;
        e.page = g() % 4 ? 0 : 1 + g() % 100000;
        TableRow r = makeRow(id, folder, std::move(e));
        m.appendRow(std::move(r));
    }
}

void scatter(TableModel &m, quint32 seed)
{
    std::mt19937 g(seed);
    SelectionBatch b(&m);
    for (int i = 0; i < m.size(); ++i)
        m.setSelected(i, g() % 2 == 0);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// prepare runs untimed before each timed op.
double measure(const std::function<void()> &prepare, const std::function<void()> &op)
{
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        if (prepare)
            prepare();
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        op();
        QApplication::processEvents(); // include the repaint
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(ms);
}

double gnuSortMs(const TableModel &m)
{
    const QString sortExe = QStandardPaths::findExecutable(QStringLiteral("sort"));
    QTemporaryDir dir;
    if (sortExe.isEmpty() || !dir.isValid())
        return -1;
    QFile f(dir.filePath(QStringLiteral("rows.tsv")));
    if (!f.open(QIODevice::WriteOnly))
        return -1;
    for (const TableRow &r : m.rows()) {
        QStringList cells(r.cells.begin(), r.cells.end());
        f.write(cells.join(QLatin1Char('\t')).toUtf8() + '\n');
    }
    f.close();
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        p.start(sortExe, {QStringLiteral("-f"), QStringLiteral("-t"), QStringLiteral("\t"),
                          QStringLiteral("-k3,3"), QStringLiteral("-k7,7"), f.fileName()});
        p.waitForFinished();
        p.readAllStandardOutput();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(ms);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setSoundOn(false);

    ResultTable table;
    table.resize(1100, 700);
    table.show();
    OperationContext ops;
    TableCommands cmds(&table, ops);
    TableModel &m = *table.tableModel();

    struct Line {
        QString name;
        double ms;
    };
    std::vector<Line> lines;
    auto add = [&lines](const QString &name, double ms) {
        lines.push_back({name, ms});
        std::printf("%s %8.2f ms\n", qPrintable(name.leftJustified(34)), ms);
        std::fflush(stdout);
    };

    QElapsedTimer fillTimer;
    fillTimer.start();
    fillRealistic(m, 1);
    QApplication::processEvents();
    add(QStringLiteral("append 9999 rows"), double(fillTimer.nsecsElapsed()) / 1e6);

    int flip = 0;
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13}) {
        const QString name = code == 12 ? QStringLiteral("sort 12 (random)")
            : code == 13                 ? QStringLiteral("sort 13 (marks)")
                                         : QStringLiteral("sort %1 (%2)").arg(code).arg(TableModel::caption(code));
        add(name, measure([&] { scatter(m, quint32(++flip)); cmds.sort(ColID, ++flip % 2 ? 1 : -1); },
                          [&] { cmds.sort(code, -1); }));
    }
    add(QStringLiteral("sort 2 descending"), measure([&] { cmds.sort(ColID, -1); }, [&] { cmds.sort(ColName, 1); }));
    add(QStringLiteral("shuffle (Ctrl+F5)"), measure({}, [&] { cmds.shuffle(); }));
    add(QStringLiteral("select all"), measure([&] { cmds.SelTab(SelectAll::ClearQuietly); }, [&] { cmds.selectByKind(true, false, false); }));
    add(QStringLiteral("clear all"), measure([&] { cmds.SelTab(SelectAll::Select); }, [&] { cmds.selectByKind(false, false, false); }));
    add(QStringLiteral("select files only"), measure([&] { cmds.SelTab(SelectAll::ClearQuietly); }, [&] { cmds.selectByKind(true, false, true); }));
    add(QStringLiteral("invert (all selected)"), measure([&] { cmds.SelTab(SelectAll::Select); }, [&] { cmds.invert(); }));
    add(QStringLiteral("invert (scattered half)"), measure([&] { scatter(m, quint32(++flip)); }, [&] { cmds.invert(); }));
    add(QStringLiteral("ctrl-click in scattered half"), measure([&] { scatter(m, quint32(++flip)); }, [&] {
            table.selectionModel()->select(m.index(Rows / 2, 0),
                                           QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        }));
    add(QStringLiteral("recount"), measure({}, [&] { recount(m, false); }));
    add(QStringLiteral("mark all matches"), measure([&] { cmds.SelTab(SelectAll::ClearQuietly); },
                                                    [&] { markAll(m, true, ColName, QStringLiteral("ОТЧЁТ"), false); }));
    add(QStringLiteral("find next, no match, wrap"), measure({}, [&] {
            findNext(m, -1, false, ColName, QStringLiteral("НЕТ ТАКОГО"));
        }));
    add(QStringLiteral("move row to the end (F7)"), measure([&] { cmds.SelTab(SelectAll::ClearQuietly); m.setSelected(0, true); },
                                                          [&] { cmds.moveRow(true, true); }));
    add(QStringLiteral("remove scattered half"), measure([&] { fillRealistic(m, 2); scatter(m, quint32(++flip)); },
                                                         [&] { cmds.removeSelectedRowsNow(); }));
    fillRealistic(m, 3);

    // The whole table is in the process's memory; GNU sort also has to start
    // and read a file, so this is a yardstick, not a like-for-like race.
    const double gnu = gnuSortMs(m);
    double ours = 0;
    for (const Line &l : lines)
        if (l.name == QStringLiteral("sort 2 (Имя)"))
            ours = l.ms;
    if (gnu > 0)
        std::printf("reference: GNU sort -f by name, same rows: %.2f ms; sort 2 is %.2fx of it\n", gnu, ours / gnu);

    double worst = 0;
    for (const Line &l : lines)
        if (!l.name.startsWith(QStringLiteral("append"))) // one run, not a median
            worst = std::max(worst, l.ms);
    std::printf("table ops max ms: %.2f\n", worst);
    return 0;
}
