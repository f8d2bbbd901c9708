#include "app/mainform.h"
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "fakeservices.h"
#include "modalanswer.h"
#include "lists/core/vtlfile.h"
#include "search/searchpanel.h"
#include "table/core/rowappend.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

using namespace vt;

// Paths from outside through the real main window: start parameters, a drop
// from the file manager, Ctrl+W.
class IntakeWindowTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;

    std::unique_ptr<TFileForm> started(const QStringList &params)
    {
        auto form = std::make_unique<TFileForm>();
        form->setParameters(params);
        form->show();
        form->FormActivate();
        return form;
    }
    static bool drop(QWidget *target, const QStringList &paths)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent ev(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &ev);
        return ev.isAccepted();
    }

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        test::writeTestFile(root + "d/one.txt", "1");
        test::writeTestFile(root + "d/two.txt", "2");
        TableModel t;
        AppendState st;
        appendPath(t, st, root + "d/one.txt");
        QVERIFY(writeVtl(root + "a.vtl", t, false).ok);
        QVERIFY(writeVtl(root + "b.vtl", t, false).ok);
    }

    void startParameters()
    {
        test::FakeServices fx;
        {
            auto form = started({root + "d"});
            QCOMPARE(form->panTop->eDirPath->text(), root + "d/");
            QCOMPARE(form->ListView->tableModel()->size(), 0);
        }
        {
            auto form = started({root + "a.vtl"});
            QVERIFY(form->panTop->rbSpis->isChecked());
            QVERIFY(form->panTop->rbMdVTL->isChecked());
            QVERIFY(form->lists().isOpen());
            QCOMPARE(form->ListView->tableModel()->size(), 1);

            // The command line that opens this list again, and the parameters as lines.
            fx.ui.yesNo.enqueue(true);
            form->commands().run("app.listCommandLine");
            QCOMPARE(QGuiApplication::clipboard()->text(), QCoreApplication::applicationFilePath() + " " + root + "a.vtl");
            fx.ui.yesOk.enqueue(YesOk::Ok);
            {
                test::ModalAnswer close([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
                QVERIFY(form->commands().run("app.parametersView"));
            }
            QCOMPARE(currentLog().lastKind(), LogKind::CommandLineView);
            QCOMPARE(currentLog().opLog(), QStringList{"\"" + root + "a.vtl\""});
        }
        {
            // Pasted into a shell, the line of a list with a hostile name runs nothing.
            const QString hostile = root + "$(touch PWNED) `touch PWNED2` 'q'.vtl";
            QVERIFY(QFile::copy(root + "a.vtl", hostile));
            auto form = started({hostile});
            QVERIFY(form->lists().isOpen());
            fx.ui.yesNo.enqueue(true);
            form->commands().run("app.listCommandLine");
#ifdef _WIN32
            // there the line is split as every program splits its command line
            int n = 0;
            const std::wstring line = QGuiApplication::clipboard()->text().toStdWString();
            LPWSTR *argv = ::CommandLineToArgvW(line.c_str(), &n);
            QStringList args;
            for (int i = 0; i < n; ++i)
                args << QString::fromWCharArray(argv[i]);
            ::LocalFree(argv);
            QCOMPARE(args, QStringList({QCoreApplication::applicationFilePath(), hostile}));
#else
            QProcess sh;
            sh.setWorkingDirectory(root);
            sh.start("/bin/sh", {"-c", "printf '%s\\n' " + QGuiApplication::clipboard()->text()});
            QVERIFY(sh.waitForFinished());
            QCOMPARE(QString::fromUtf8(sh.readAllStandardOutput()),
                     QCoreApplication::applicationFilePath() + "\n" + hostile + "\n");
            QVERIFY(!QFile::exists(root + "PWNED") && !QFile::exists(root + "PWNED2"));
#endif
        }
        {
            auto form = started({root + "a.vtl", root + "b.vtl"});
            QVERIFY(!form->lists().isOpen());
            QCOMPARE(form->ListView->tableModel()->size(), 2);
            QCOMPARE(form->windowTitle(), QStringLiteral("Прочитаны параметры командной строки в таблицу."));
        }
    }

    void dropAndTypedPath()
    {
        test::FakeServices fx;
        auto form = started({});
        QVERIFY(!form->commands().run("app.parametersView")); // only with parameters
        // Dropped on the table itself, the paths still reach the window.
        fx.ui.yesOk.enqueue(YesOk::Yes);
        QVERIFY(drop(form->ListView->viewport(), {root + "d/two.txt", root + "d"}));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Добавлено файлов: 1, папок: 1"));
        TableModel *m = form->ListView->tableModel();
        QCOMPARE(m->size(), 2);
        QCOMPARE(QString::fromUtf8(m->fullPath(0)), root + "d"); // sorted before adding

        // Ctrl+W types a path; a row already there is named by its ID.
        fx.ui.inputs.enqueue(root + "D/TWO.TXT");
        QTest::keyClick(form->focusWidget() ? form->focusWidget() : form.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(fx.ui.lastText(), "Путь файла:\r" + root + "d/two.txt\rесть в таблице, ID = 2");
        fx.ui.inputs.enqueue(root + "d/one.txt");
        fx.ui.yesNo.enqueue(true);
        QTest::keyClick(form->focusWidget() ? form->focusWidget() : form.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(m->size(), 3);
    }
};

VT_TEST_MAIN(IntakeWindowTest)
#include "tst_gui_intake.moc"
