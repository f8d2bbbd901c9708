#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/textutil.h"
#include "app/helpform.h"
#include "app/mainform.h"
#include "fakeservices.h"
#include "platform/dirreader.h"
#include "table/tablerows.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <fstream>

using namespace vt;

// The search driven through the main window: keys, busy state, status bar,
// recent folders menu.
class MainSearchTest : public QObject, test::MainWindow {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    std::unique_ptr<test::FakeServices> fx;


private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        // Big enough that the walk takes several event-loop turns.
        for (int d = 0; d < 60; ++d) {
            const QString dir = root + QStringLiteral("папка%1/").arg(d, 2, 10, QLatin1Char('0'));
            QDir().mkpath(dir);
            for (int f = 0; f < 500; ++f)
                QFile(dir + QStringLiteral("f%1.txt").arg(f)).open(QIODevice::WriteOnly);
        }
        QFile big(root + "big.bin");
        big.open(QIODevice::WriteOnly);
        big.write(QByteArray(1536, 'x'));
    }

    void init()
    {
        fx = std::make_unique<test::FakeServices>();
        start();
        form->panTop->setFolderText(root);
        form->panTop->presetMaximum();
    }
    void cleanup() { close(); fx.reset(); }

    void searchFillsTableAndStatusBar()
    {
        SearchParams p = form->panTop->params();
        p.limit = 9999;
        p.filesState = 2;
        p.mask = "*.bin";
        form->panTop->setParams(p);
        fx->ui.yesNo.enqueue(true);
        QTest::keyClick(focused(), Qt::Key_F12);
        TableModel *m = form->ListView->tableModel();
        QCOMPARE(m->size(), 1);
        QCOMPARE(m->at(0).cells[ColName], QStringLiteral("big.bin"));
        QCOMPARE(m->at(0).cells[ColSize], QStringLiteral("KB: 1"));
        QCOMPARE(form->sbar->panel(6), QStringLiteral("1"));
        QCOMPARE(form->sbar->panel(9), QStringLiteral("0"));
        QCOMPARE(form->sbar->panel(7), QStringLiteral("1,50 КБ"));
        QCOMPARE(form->sbar->panel(1), QStringLiteral("0"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Поиск завершен."));
        QVERIFY(!form->busy());
        QCOMPARE(form->panTop->eDirPath->toolTip(), "Поиск с папки:\n" + root);
        // The folder is now the newest recent start folder, in the file too.
        QCOMPARE(form->recentFolders().list().value(0), root);
        QCOMPARE(readCp1251Lines(optPath() + "oldfd").value(0), root);
        QCOMPARE(form->panTop->miOldFdir[0]->text(), root);
        // The mask went into the recent masks.
        QCOMPARE(form->panTop->recentMasks().value(0), QStringLiteral("*.bin"));
    }

    void escapeStopsAWalkThatKeepsTheWindowAlive()
    {
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            // The window serves events while the walk runs; the first turn
            // presses Escape.
            if (form->busy() && ticks++ == 0)
                QTest::keyClick(focused(), Qt::Key_Escape);
        });
        ticker.start(1);
        fx->ui.yesNo.enqueue(true);
        QTest::keyClick(focused(), Qt::Key_F12);
        ticker.stop();
        TableModel *m = form->ListView->tableModel();
        QVERIFY(ticks > 0);
        QVERIFY(m->size() > 0);
        QVERIFY(m->size() < 30062);
        QCOMPARE(form->windowTitle(), QStringLiteral("Поиск остановлен."));
        QVERIFY(fx->ui.lastText().startsWith("Поиск остановлен\r\nНайдено файлов: "));
        QVERIFY(!form->busy());
        QVERIFY(form->panTop->isEnabled());
    }

    void recentFolderMenuPicks()
    {
        form->recentFolders().ProvAndAddFDir(root);
        form->onRecentFolderChosen(0);
        QCOMPARE(form->panTop->folderText(), root);
        QCOMPARE(fx->sound.played.last(), 3);
        form->recentFolders().ProvAndAddFDir(data.path() + "/gone/");
        form->onRecentFolderChosen(0);
        QCOMPARE(fx->ui.lastText(), "Не найдена папка:\r" + data.path() + "/gone/");
    }

    // With VESTRADA_SCREENSHOT_DIR set: the window after a real search over a
    // tree with Cyrillic names, and the about window with the log it wrote.
    void screenshotsAfterARealSearch()
    {
        if (test::screenshotDir().isEmpty())
            QSKIP("no screenshot folder");
        QTemporaryDir docs;
        const QString top = docs.path() + "/Документы/";
        const QStringList files = {"Отчёт за ноябрь.docx", "photo_001.jpg", "Письма/Ответ.txt",
                                   "Письма/draft.txt", "Архив 2026/backup.zip", "Архив 2026/Фото/море.jpg"};
        for (const QString &f : files) {
            QDir().mkpath(QFileInfo(top + f).path());
            QFile file(top + f);
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray(qsizetype(f.size()) * 3000, 'x'));
        }
        QDir().mkpath(top + "Пустая папка");
        THelpForm help;
        form->setHelpForm(&help);
        form->resize(900, 460);
        form->panTop->setFolderText(top);
        fx->ui.yesNo.enqueue(true);
        QTest::keyClick(focused(), Qt::Key_F12);
        form->ListView->selectRow(2);
        QApplication::processEvents();
        test::screenshot(form.get(), "main-window-after-search.png");
        help.resize(820, 420);
        help.show();
        QApplication::processEvents();
        test::screenshot(&help, "about-window.png");
    }

    void dateFromTheSelectedRow()
    {
        TableModel *m = form->ListView->tableModel();
        m->appendRow(test::fileRow(1, "a/", "dated.txt", 1, "05.03.2024 7:08:10"));
        m->appendRow(test::fileRow(2, "a/", "other.txt", 1, "06.03.2024 7:08:10"));
        form->panTop->dateFromTable(0);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Для установки даты выделите строчку в таблице"));
        fx->ui.clear();
        m->setSelected(0, true);
        form->panTop->dateFromTable(0);
        QCOMPARE(form->panTop->params().minDate, 45356.0); // 05.03.2024
        QCOMPARE(form->panTop->dtMinTime->time(), QTime(7, 8, 10));
        // Two selected rows give no date.
        fx->ui.clear();
        m->setSelected(1, true);
        form->panTop->dateFromTable(1);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Для установки даты выделите строчку в таблице"));
    }

    // A name that is not valid UTF-8 stays reachable: the row keeps the exact
    // bytes, and the current-row path opens the file itself.
    void unreadableRowKeepsItsNativePath()
    {
        VT_LINUX_ONLY("names that are not UTF-8");
        QTemporaryDir dir;
        const QByteArray native = fs::nativePath(dir.path()) + "/bad\xff\xfe.txt";
        {
            std::ofstream out(native.constData(), std::ios::binary);
            out << "payload";
        }
        form->panTop->setFolderText(dir.path());
        fx->ui.yesNo.enqueue(true);
        form->miFndUnicClick();
        TableModel *m = form->ListView->tableModel();
        QCOMPARE(m->size(), 1);
        QCOMPARE(m->fullPath(0), native);
        QVERIFY(m->at(0).cells[ColName].startsWith("bad"));
        m->setSelected(0, true);
        const TFileForm::RowPath p = form->provList(TFileForm::ProvMode::File);
        QCOMPARE(p.native, native);
        std::ifstream in(p.native.constData(), std::ios::binary);
        std::string text;
        in >> text;
        QCOMPARE(QByteArray::fromStdString(text), QByteArray("payload"));
        QVERIFY(std::remove(native.constData()) == 0);
    }

    void unreadableSearchAsksItsOwnQuestion()
    {
        fx->ui.yesNo.enqueue(false);
        form->miFndUnicClick();
        QCOMPARE(fx->ui.texts(), QStringList{"Начать поиск имен с \"нечитаемыми\" именами?"});
        // The mode ends with the command: the next search asks the plain question.
        fx->ui.clear();
        fx->ui.yesNo.enqueue(false);
        form->StartFind();
        QCOMPARE(fx->ui.texts(), QStringList{"Начать поиск?"});
    }
};

VT_TEST_MAIN(MainSearchTest)
#include "tst_gui_mainsearch.moc"
