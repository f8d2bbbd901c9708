#include "base/appdirs.h"
#include "base/currentlog.h"
#include "fakeservices.h"
#include "platform/dirreader.h"
#include "rename/core/renspis.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;
using namespace vt::test;

namespace {

QStringList names(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

const QString kAskTest = QStringLiteral(
    "Текст в редакторе (справа) будет форматирован.\rПустые строчки в редакторе: соотв. имена в списке слева - "
    "пропускаются.\rВ поле результата и в таблице будет выведен результат ТЕСТА (без переименования).\rПродолжить?");

} // namespace

class TestRenSpis : public QObject {
    Q_OBJECT
    test::TestHome home;
    std::unique_ptr<FakeServices> fx;
    QTemporaryDir *data = nullptr;
    QString d;
    TableModel table;
    RenSpisState s;
    RenSpisEnv env;

    // files in a fresh folder, all of them rows of the table and of the window
    void setUpFiles(const QStringList &files, const QStringList &others = {})
    {
        delete data;
        data = new QTemporaryDir;
        d = data->path() + '/';
        table.clear();
        AppendState st;
        for (const QString &f : files + others)
            writeTestFile(d + f, f.toUtf8());
        for (const QString &f : files)
            QCOMPARE(appendPath(table, st, d + f), AppendResult::Added);
        QList<int> all;
        for (int i = 0; i < table.size(); ++i)
            all << i;
        s = RenSpisState();
        renSpisOpen(s, renRowsFromTable(table, all, false));
        env = RenSpisEnv();
        env.table = &table;
    }

    RenSpisOutcome click(RenSpisAction action, const QString &editor)
    {
        s.editor = editor;
        fx->ui.yesNo.enqueue(true);
        return runRenSpis(s, action, env);
    }

private slots:
    void init() { fx = std::make_unique<FakeServices>(); }
    void cleanup() { fx.reset(); }
    void cleanupTestCase() { delete data; }

    void formattingKeepsEveryLine()
    {
        const QString longName(100, QLatin1Char('n'));
        QCOMPARE(renSpisFormat({"x.txt", " a  b. ", longName, " . .. ", "", "q?*\"|:<>"}),
                 (QStringList{"x.txt", "a b", QString(80, QLatin1Char('n')), "", "", "q"}));
        // a final line break ends the last line; an empty last line survives the round trip
        QCOMPARE(memoLines("a\nb\n"), (QStringList{"a", "b"}));
        QCOMPARE(memoLines("a\r\n\r\n"), (QStringList{"a", ""}));
        QCOMPARE(memoLines(QString()), QStringList());
        QCOMPARE(memoLines(memoText({"a", ""})), (QStringList{"a", ""}));
        QCOMPARE(memoLines(memoText({"", ""})), (QStringList{"", ""}));

        setUpFiles({"a.txt"});
        QCOMPARE(click(RenSpisAction::Format, "  b?  c.\n"), RenSpisOutcome::Formatted);
        QVERIFY(fx->ui.calls.at(0).text.startsWith("В поле редактора (справа):\r-будут удалены"));
        QCOMPARE(s.editor, QStringLiteral("b c"));
        QCOMPARE(fx->sound.played, QList<int>{2});
        QCOMPARE(names(d), QStringList{"a.txt"});
    }

    void refusals()
    {
        setUpFiles({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
        s.editor = "1\n2\n3\n4";
        QCOMPARE(runRenSpis(s, RenSpisAction::Test, env), RenSpisOutcome::Refused);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Число новых имен в редакторе (строк справа: 4)\rдолжно совпадать "
                                                   "с числом заданных имен (слева: 5)"));
        QCOMPARE(s.editor, QStringLiteral("1\n2\n3\n4"));
        QVERIFY(s.results.isEmpty());
        s.editor.clear();
        QCOMPARE(runRenSpis(s, RenSpisAction::Rename, env), RenSpisOutcome::FocusEditor);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Введите список новых имен"));
        QStringList many;
        for (int i = 0; i < 1001; ++i)
            many << QString::number(i);
        s.editor = many.join('\n');
        QCOMPARE(runRenSpis(s, RenSpisAction::Format, env), RenSpisOutcome::Refused);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Число строк в редакторе превышает 1000."));
        // No to the question: nothing formatted
        s.editor = " x ";
        fx->ui.yesNo.enqueue(false);
        QCOMPARE(runRenSpis(s, RenSpisAction::Format, env), RenSpisOutcome::Refused);
        QCOMPARE(s.editor, QStringLiteral(" x "));
        QCOMPARE(names(d).size(), 5);
    }

    // One set of rows through a test and then for real: skip, unchanged,
    // case only, an existing name, a typed extension.
    void testThenRename()
    {
        setUpFiles({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}, {"taken.txt"});
        currentLog().opLog().clear();
        const QString editor = "\nb\nC\ntaken\nreport.txt";
        QCOMPARE(click(RenSpisAction::Test, editor), RenSpisOutcome::Ran);
        QCOMPARE(fx->ui.calls.at(0).text, kAskTest);
        QCOMPARE(s.results, (QStringList{"a.txt <Пропуск>", "b.txt >> b.txt <ТЕСТ: Ошибка: имя не изменено>",
                                         "c.txt >> C.txt <ТЕСТ: OK: только регистр>",
                                         "d.txt >> taken.txt <ТЕСТ: Ошибка: файл/папка существует>",
                                         "e.txt >> report.txt.txt <ТЕСТ: OK>"}));
        QCOMPARE(s.summary, QStringLiteral("ТЕСТ, результат: 1 из 5")); // the case-only row is not counted
        QCOMPARE(s.display, int(RenSpisResults));
        QCOMPARE(names(d).size(), 6);
        QVERIFY(currentLog().opLog().isEmpty());
        QCOMPARE(s.rows[0].result, QStringLiteral("<Пропуск>"));
        QVERIFY(s.rows[0].newName.isEmpty());
        QCOMPARE(s.rows[4].newLen, QStringLiteral("10 / 3 • %1").arg(d.size() + 14));

        s.fullPath = true;
        QStringList left;
        QVERIFY(renSpisLeftLines(s, &left));
        QCOMPARE(left.at(0), d + "a.txt <Пропуск>");

        fx->ui.clear();
        QCOMPARE(click(RenSpisAction::Rename, editor), RenSpisOutcome::Ran);
        QCOMPARE(s.summary, QStringLiteral("Переименование: 2 из 5"));
        QCOMPARE(names(d), (QStringList{"C.txt", "a.txt", "b.txt", "d.txt", "report.txt.txt", "taken.txt"}));
        QCOMPARE(s.results.at(2), QStringLiteral("c.txt >> C.txt <OK>"));
        const QStringList log = currentLog().opLog();
        QVERIFY(log.at(0).endsWith(" Переименование, список (файлов: 5)"));
        QCOMPARE(log.mid(1), (QStringList{"-", d + "a.txt <Пропуск>", d + "b.txt <Ошибка: имя не изменено>",
                                          d + "c.txt >> " + d + "C.txt <OK>",
                                          d + "d.txt <Ошибка: файл/папка существует>",
                                          d + "e.txt >> " + d + "report.txt.txt <OK>", "___\r\n",
                                          "Переименование: 2 из 5, лог сохранен"}));
        QVERIFY(currentLog().text().endsWith("Переименование: 2 из 5\r\n-"));
        QVERIFY(QFile::exists(home.path() + "/Options/r1"));

        // the table and the rows follow the disk; the skipped row keeps its old cells
        QCOMPARE(table.at(2).cells[ColName], QStringLiteral("C.txt"));
        QCOMPARE(table.at(2).entry.shortForm, test::shortForm(d + "C.txt"));
        QCOMPARE(table.at(4).cells[ColName], QStringLiteral("report.txt.txt"));
        QCOMPARE(table.at(4).cells[ColType], QStringLiteral("TXT"));
        QCOMPARE(table.at(3).cells[ColName], QStringLiteral("d.txt"));
        QCOMPARE(s.rows[4].name, QStringLiteral("report.txt"));
        QCOMPARE(s.rows[4].oldNative, fs::nativePath(d + "report.txt.txt"));
        QCOMPARE(s.rows[4].lenText, s.rows[4].newLen);
        QCOMPARE(s.rows[3].name, QStringLiteral("d"));

        // a second run starts from the new names
        fx->ui.clear();
        QCOMPARE(click(RenSpisAction::Rename, editor), RenSpisOutcome::Ran);
        QCOMPARE(s.results.at(4), QStringLiteral("report.txt.txt >> report.txt.txt <Ошибка: имя не изменено>"));
        QCOMPARE(s.summary, QStringLiteral("Переименование: 0 из 5"));
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("Переименование: 0 из 5"));
    }

    void caseOnlyBesideAnotherSpelling()
    {
        VT_LINUX_ONLY("case twins");
        // a case-sensitive file system can hold both spellings: the other file is never replaced
        setUpFiles({"x.txt"}, {"X.txt"});
        QCOMPARE(click(RenSpisAction::Rename, "X"), RenSpisOutcome::Ran);
        QCOMPARE(s.results, QStringList{"x.txt >> X.txt <Ошибка: файл/папка существует>"});
        QFile other(d + "X.txt");
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("X.txt"));
    }

    void tooLongPath()
    {
        setUpFiles({QString(100, QLatin1Char('f')) + "/" + QString(80, QLatin1Char('g')) + "/a.txt"});
        const int folder = d.size() + 182;
        const int room = 255 - folder - 4; // the longest name that still fits, with ".txt"
        QVERIFY(room > 0 && room < 79);
        QCOMPARE(click(RenSpisAction::Test, QString(room + 1, QLatin1Char('z'))), RenSpisOutcome::Ran);
        QCOMPARE(s.results.at(0).section('<', -1), QStringLiteral("ТЕСТ: Ошибка длины>"));
        QCOMPARE(click(RenSpisAction::Test, QString(room, QLatin1Char('z'))), RenSpisOutcome::Ran);
        QCOMPARE(s.results.at(0).section('<', -1), QStringLiteral("ТЕСТ: OK>"));
    }

    void syncInfo()
    {
        setUpFiles({"a.txt", "b.txt"});
        s.editor = "one\ntwo\nthree";
        QCOMPARE(renSpisSyncInfo(s, true, 1, 2, 3),
                 QStringLiteral("Номер строки (СЛЕВА): 2 из 2\r-\rСтрок справа: 3\r-\rСинхронные строки:\rb >> two"));
        QCOMPARE(renSpisSyncInfo(s, false, 2, 3, 2), QStringLiteral("Номер строки (СПРАВА): 3 из 3\r-\rСтрок слева: 2"));
        QCOMPARE(renSpisLineInfo(3, 0, 13),
                 QStringLiteral("Число строк: 3\r-\rДлина выделенного текста: 0\r-\rДлина всего текста: 13"));
    }
};

VT_TEST_MAIN(TestRenSpis)
#include "tst_core_renspis.moc"
