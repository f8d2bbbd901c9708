#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "platform/dirreader.h"
#include "rename/core/quickname.h"
#include "rename/core/quickren.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "platform/fileentry.h"
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

// Every path as a selected row.
void addRows(TableModel &t, const QStringList &paths)
{
    AppendState st;
    for (const QString &p : paths)
        QCOMPARE(appendPath(t, st, p), AppendResult::Added);
    t.setAllSelected(true);
}

} // namespace

class TestQuickRen : public QObject {
    Q_OBJECT
    test::TestHome home;
    std::unique_ptr<FakeServices> fx;
    OperationContext ops;

    QuickRen quick(TableModel &t) { return QuickRen(t, ops, nullptr); }

private slots:
    void init()
    {
        fx = std::make_unique<FakeServices>();
    }
    void cleanup() { fx.reset(); }

    void transliterationAndSpaces()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        const QStringList before{"Ёжик в тумане.txt", "Объём.doc", "Щука"};
        for (const QString &n : before)
            writeTestFile(d + n, n.toUtf8());
        TableModel t;
        addRows(t, {d + before[0], d + before[1], d + before[2]});
        fx->ui.yesOk << YesOk::Yes;
        quick(t).DopRen(QuickMode::Translit, false, QStringLiteral("Перевести имена в транслит"));
        QCOMPARE(fx->ui.calls.first().text,
                 QStringLiteral("Переименование файлов (3 шт.)\r[YES]: Перевод в транслит\r[OK]: Справка"));
        QCOMPARE(names(d), (QStringList{"Jozhik v tumane.txt", "Ob-jom.doc", "Shchuka"}));
        QCOMPARE(t.at(2).cells[ColName], QStringLiteral("Shchuka"));
        QCOMPARE(t.at(2).entry.shortForm, test::shortForm(d + "Shchuka"));
        QVERIFY(!t.has83(test::shortForm(d + "Щука")));
        const QStringList log = currentLog().opLog();
        QVERIFY(log[0].endsWith(" Перевести имена в транслит (файлов: 3)"));
        QCOMPARE(log[2], d + "Ёжик в тумане.txt >> " + d + "Jozhik v tumane.txt");
        QCOMPARE(log.last(), QStringLiteral("Результат: 3 из 3, лог сохранен"));
        QCOMPARE(fx->feedback.logs.size(), 1);
        // other alphabets and signs become one hyphen each
        QCOMPARE(translit(QStringLiteral("№1 é😀Ъь")), QStringLiteral("-1 ----"));

        // Spaces: trimmed, runs shrunk, leading dots gone; a taken name gets -001, -002.
        QTemporaryDir sp;
        const QString s = sp.path() + '/';
        const QStringList spaced{"a  b .txt", " .a b.txt", "a b.txt"};
        for (const QString &n : spaced)
            writeTestFile(s + n, "x");
        writeTestFile(s + "gone b.txt", "x");
        TableModel u;
        addRows(u, {s + spaced[0], s + spaced[1], s + spaced[2], s + "gone b.txt"});
        QVERIFY(QFile::remove(s + "gone b.txt"));
        // the help in between asks again
        fx->ui.clear();
        fx->ui.yesOk << YesOk::Ok << YesOk::Yes;
        quick(u).DopRen(QuickMode::Spaces, false, QStringLiteral("Заменить пробелы на подчеркивание"));
        QCOMPARE(fx->ui.calls.at(1).title, QStringLiteral("Дополнительное переименование"));
        QCOMPARE(fx->ui.calls.at(1).text, dopRenHelpText());
        QCOMPARE(column(u, ColName), (QStringList{"a_b.txt", "a_b-001.txt", "a_b-002.txt", "gone b.txt"}));
        QCOMPARE(names(s), (QStringList{"a_b-001.txt", "a_b-002.txt", "a_b.txt"}));
        QCOMPARE(currentLog().opLog().mid(5, 3),
                 (QStringList{s + "gone b.txt <ФАЙЛ/ПАПКА НЕ НАЙДЕН>", "___\r\n", "Результат: 3 из 3, лог сохранен"}));

        // Nothing left to change: no log file written, the viewer still opens.
        QFile::remove(home.path() + "/Options/r1");
        fx->ui.yesOk << YesOk::Yes;
        quick(u).DopRen(QuickMode::Spaces, false, QStringLiteral("x"));
        QCOMPARE(currentLog().opLog().mid(2, 1), QStringList{s + "a_b.txt <ошибка: имя не изменено>"});
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("Результат: 0 из 3"));
        QVERIFY(!QFile::exists(home.path() + "/Options/r1"));
        QCOMPARE(fx->feedback.logs.size(), 3);
    }

    void addAndRemoveExtensions()
    {
        // a short folder: the temporary folder of Wine lies deep
        QTemporaryDir data(test::kWindows ? QStringLiteral("C:/vt-XXXXXX") : QString());
        const QString d = data.path() + '/';
        // 80 characters and a folder that leaves no room for ".txt"
        QVERIFY(d.size() < 50);
        const QString deep = d + QString(120, 'd') + '/' + QString(51 - d.size(), 'e') + '/';
        const QString longName = QString(80, 'n');
        for (const QString &p : {d + "readme", d + "a.doc", deep + longName})
            writeTestFile(p, "x");
        TableModel t;
        addRows(t, {d + "readme", d + "a.doc", deep + longName});
        fx->ui.yesOk << YesOk::Yes;
        fx->ui.inputs << QString(".t x,t!");
        quick(t).DopRen(QuickMode::AddExt, false, QStringLiteral("Добавить расширение"));
        QCOMPARE(names(d), (QStringList{"a.doc.txt", QString(120, 'd'), "readme.txt"}));
        QCOMPARE(t.at(0).cells[ColType], QStringLiteral("TXT"));
        QCOMPARE(t.at(1).cells[ColName], QStringLiteral("a.doc.txt"));
        QCOMPARE(names(deep), QStringList{longName});
        const QStringList log = currentLog().opLog();
        QVERIFY(log[0].endsWith(" Добавить расширение txt (файлов: 3)"));
        QCOMPARE(log[4], deep + longName + " <ошибка длины>");

        // The typed extension is offered again; 11 letters and nothing usable are refused.
        fx->ui.clear();
        fx->ui.yesOk << YesOk::Yes << YesOk::Yes;
        fx->ui.inputs << QString("abcdefghijk") << QString(" .!");
        quick(t).DopRen(QuickMode::AddExt, false, QStringLiteral("Добавить расширение"));
        QCOMPARE(fx->ui.calls.at(1).text, QStringLiteral("От 1 до 10 симв, только Eng буквы, и цифры|txt"));
        QCOMPARE(fx->ui.calls.at(2).text, QStringLiteral("Длина больше 10 символов"));
        quick(t).DopRen(QuickMode::AddExt, false, QStringLiteral("Добавить расширение"));
        QCOMPARE(fx->ui.beeps, 1);
        QCOMPARE(names(d).size(), 3);

        // Removing: YES turns the dots into underscores, OK cuts the extension first.
        QTemporaryDir rm;
        const QString r = rm.path() + '/';
        writeTestFile(r + "a.b.txt", "1");
        writeTestFile(r + "c.d.txt", "2");
        writeTestFile(r + "noext", "3");
        TableModel u;
        addRows(u, {r + "a.b.txt", r + "noext"});
        fx->ui.clear();
        fx->ui.titledAnswers << true;
        fx->ui.yesOk << YesOk::Yes;
        quick(u).removeExtensions();
        QCOMPARE(fx->ui.calls.at(0).title, QStringLiteral("Удаление расширений"));
        QCOMPARE(fx->ui.calls.at(1).text,
                 QStringLiteral("Удалить расширения файлов (1 шт.)\r[YES]: Заменить точки на подчеркивание\r[OK]: "
                                "Обрезать расширение, заменить точки на подчеркивание"));
        QCOMPARE(column(u, ColName), (QStringList{"a_b_txt", "noext"}));
        QCOMPARE(u.at(0).cells[ColType], QString());
        QVERIFY(currentLog().opLog()[0].endsWith(" Удалить расширения (файлов: 1)"));

        TableModel v;
        addRows(v, {r + "c.d.txt"});
        fx->ui.titledAnswers << true;
        fx->ui.yesOk << YesOk::Ok;
        quick(v).removeExtensions();
        QCOMPARE(names(r), (QStringList{"a_b_txt", "c_d", "noext"}));
        QVERIFY(currentLog().opLog()[0].endsWith(" Удалить расширения [обрезка] (файлов: 1)"));

        // A file without extension is not a candidate.
        fx->ui.clear();
        quick(u).removeExtensions();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Выделенные файлы должны иметь расширение."));
        u.setSelected(1, false);
        u.setSelected(0, false);
        quick(u).removeExtensions();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Для переименования выделите в таблице от 1 до 1000 файлов"));
    }

    void folderPreCheck()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        for (const char *f : {"Папка один", "two/Три"})
            QVERIFY(QDir().mkpath(d + f));
        TableModel t;
        addRows(t, {d + "Папка один", d + "two/Три"});
        QCOMPARE(dirPreCheckText(t, t.counters().selFolders),
                 QStringLiteral("Для переименования папок\r\nколонка \"Папка\" для ВСЕЙ ТАБЛИЦЫ должна быть одинаковой"));
        QCOMPARE(dirPreCheckText(t, 0), QStringLiteral("Для переименования папок\r\nвыделите от 1 до 1000 папок"));

        // One folder for the whole table: the folders are transliterated, the file row stays.
        TableModel one;
        writeTestFile(d + "two/файл.txt", "x");
        QVERIFY(QDir().mkpath(d + "two/Четыре"));
        addRows(one, {d + "two/Три", d + "two/файл.txt", d + "two/Четыре"});
        fx->ui.yesOk << YesOk::Ok;
        quick(one).renameFolderNames();
        QCOMPARE(fx->ui.calls.at(0).text,
                 QStringLiteral("Переименовать ПАПКИ (2 шт.), выберите действие:\r[YES]: Заменить пробелы на "
                                "подчеркивание\r[OK]: Перевести имена в транслит"));
        QCOMPARE(names(d + "two"), (QStringList{"Chetyre", "Tri", "файл.txt"}));
        QCOMPARE(column(one, ColName), (QStringList{"Tri", "файл.txt", "Chetyre"}));
        QCOMPARE(column(one, ColType), (QStringList{"<Dir>", "TXT", "<Dir>"}));
        QVERIFY(currentLog().opLog()[0].endsWith(" Перевести имена в транслит (папок: 2)"));

        // System folders: the folder itself, inside it, or a link into it.
        const QStringList forbidden = forbiddenFolders();
        const bool win = test::kWindows;
        QVERIFY(inForbiddenFolder(win ? "C:/Windows/System32/x/" : "/usr/lib/x/", forbidden));
        QVERIFY(inForbiddenFolder(win ? "c:/program files" : "/etc", forbidden));
        QVERIFY(inForbiddenFolder(win ? "C:/Windows" : "/", forbidden));
        QVERIFY(!inForbiddenFolder(win ? "C:/Windowsold/x" : "/usrlocal/x", forbidden));
        QVERIFY(!inForbiddenFolder(d, forbidden));
        TableModel sys;
        addRows(sys, {win ? "C:/Windows/Fonts" : "/usr/share"});
        fx->ui.clear();
        quick(sys).renameFolderNames();
        QCOMPARE(fx->ui.texts(), QStringList{forbiddenMessage()});
        QVERIFY(forbiddenMessage().startsWith(win ? "Запрещено переименование в папках:\r\n" + forbidden[0]
                                                  : "Запрещено переименование в папках:\r\n/\r\n/bin\r\n/boot"));
        if (win)
            return; // a link to a system folder is a Linux case here (QFile::link makes a shortcut there)
        QVERIFY(QFile::link("/etc", d + "sys"));
        TableModel linked;
        addRows(linked, {d + "sys/passwd"});
        QCOMPARE(dirPreCheckText(linked, 1), forbiddenMessage());
        QVERIFY(QFile::remove(d + "sys"));
    }

    void renameOneFile()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        writeTestFile(d + "readme", "x");
        writeTestFile(d + "Отчёт.doc", "y");
        TableModel t;
        addRows(t, {d + "readme"});
        QString unused;
        fx->ui.inputs << QString("  readme . md ");
        fx->ui.yesNo << true;
        QVERIFY(quick(t).QRename(RenameTarget::SelectedRow, unused));
        QCOMPARE(fx->ui.calls.at(0).text, QStringLiteral("Введите новое имя без расширения|readme"));
        QCOMPARE(fx->ui.calls.at(1).text, QStringLiteral("Файл будет переименован с расширением MD\rПродолжить?"));
        QCOMPARE(names(d), (QStringList{"readme.md", "Отчёт.doc"}));
        QCOMPARE(t.at(0).cells[ColName], QStringLiteral("readme.md"));
        QCOMPARE(t.at(0).cells[ColType], QStringLiteral("MD"));
        QCOMPARE(t.at(0).entry.shortForm, test::shortForm(d + "readme.md"));
        QCOMPARE(fx->sound.played, QList<int>{2});
        QVERIFY(currentLog().text().endsWith("Переименован файл: " + d + "readme >> " + d + "readme.md\r\n-"));

        // Refused names; the file keeps its name.
        fx->ui.clear();
        fx->ui.inputs << QString(".hidden") << QString("a?b") << QString("   ");
        QVERIFY(!quick(t).QRename(RenameTarget::SelectedRow, unused));
        QVERIFY(!quick(t).QRename(RenameTarget::SelectedRow, unused));
        QVERIFY(!quick(t).QRename(RenameTarget::SelectedRow, unused));
        QCOMPARE(fx->ui.calls.at(1).text, QStringLiteral("Имя не должно начинаться с точки."));
        QCOMPARE(fx->ui.calls.at(3).text, QStringLiteral("Недопустимые символы в имени файла  \\ / : \" < > | ? *"));
        QCOMPARE(fx->ui.calls.size(), 5);

        // A path given: the extension stays, a row of that file follows, the path comes back new.
        TableModel u;
        addRows(u, {d + "Отчёт.doc"});
        u.setAllSelected(false);
        QString path = d + "Отчёт.doc";
        fx->ui.inputs << QString("Report");
        QVERIFY(quick(u).QRename(RenameTarget::GivenFile, path));
        QCOMPARE(path, d + "Report.doc");
        QCOMPARE(u.at(0).cells[ColName], QStringLiteral("Report.doc"));
        // an existing name is never replaced
        writeTestFile(d + "taken.doc", "z");
        fx->ui.inputs << QString("taken");
        QVERIFY(!quick(u).QRename(RenameTarget::GivenFile, path));
        QCOMPARE(fx->ui.beeps, 1);
        QCOMPARE(path, d + "Report.doc");
        QCOMPARE(names(d), (QStringList{"Report.doc", "readme.md", "taken.doc"}));
    }

    void namesThatAreNotUtf8()
    {
        VT_LINUX_ONLY("names that are not UTF-8");
        // Found, renamed by their bytes to the shown name in UTF-8, never reported missing.
        QTemporaryDir data;
        const QByteArray d = fs::nativePath(data.path()) + "/x\xfe/";
        QVERIFY(fs::makeDirNative(d.chopped(1)) && fs::makeDirNative(d + "sub dir"));
        const QList<QByteArray> files{"a b.txt", "n\xe9 m.txt", "q\xe9.txt", "r\xe9.txt"};
        for (const QByteArray &n : files)
            QVERIFY(fs::createFileNative(d + n));
        TableModel t;
        for (const QByteArray &n : {files[0], files[1], QByteArray("sub dir"), files[2]})
            appendNativeRow(t, d + n);
        t.setAllSelected(true);
        t.setSelected(3, false);
        fx->ui.yesOk << YesOk::Yes;
        quick(t).DopRen(QuickMode::Spaces, false, QStringLiteral("Заменить пробелы на подчеркивание"));
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("Результат: 2 из 2, лог сохранен"));
        QVERIFY(fs::existsNative(d + "n\xef\xbf\xbd_m.txt"));
        // folders inside a folder whose name is not UTF-8
        QCOMPARE(dirPreCheckText(t, 1), QString());
        quick(t).DopRen(QuickMode::Spaces, true, QStringLiteral("Заменить пробелы на подчеркивание"));
        QVERIFY(fs::isDirNative(d + "sub_dir"));

        // One file by a typed name: the selected row, and a path given with its bytes.
        t.setAllSelected(false);
        t.setSelected(3, true);
        QString path = QString::fromUtf8(d + files[3]);
        QByteArray native = d + files[3];
        fx->ui.inputs << QString("first") << QString("fixed");
        QVERIFY(quick(t).QRename(RenameTarget::SelectedRow, path) && fs::existsNative(d + "first.txt"));
        QVERIFY(quick(t).QRename(RenameTarget::GivenFile, path, &native));
        QCOMPARE(native, d + "fixed.txt");
        QVERIFY(fs::existsNative(native));
    }
};

VT_TEST_GUILESS_MAIN(TestQuickRen)
#include "tst_core_quickren.moc"
