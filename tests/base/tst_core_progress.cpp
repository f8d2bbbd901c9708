#include "base/progress.h"
#include "testmain.h"

#include <QTest>

using namespace vt;

class ProgressTest : public QObject {
    Q_OBJECT

    // A batch loop as the file operations run it: position first, then the
    // stop check, then the work.
    static QList<int> runBatch(ProgressState &p, int n, int stopDuring)
    {
        QList<int> done;
        p.show(true, n, QStringLiteral("Копирование файлов, подождите..."));
        for (int i = 1; i <= n; ++i) {
            p.update(i);
            if (!p.continueFlag())
                break;
            done << i;
            if (i == stopDuring)
                p.requestStop();
        }
        p.close();
        return done;
    }

private slots:
    void oneItemCannotBeStopped()
    {
        ProgressState p;
        p.show(true, 1);
        QCOMPARE(p.buttonText(), QStringLiteral("Остался 1 файл..."));
        QVERIFY(!p.buttonEnabled());
        p.requestStop();
        QVERIFY(p.continueFlag());
        QCOMPARE(runBatch(p, 1, 1), QList<int>{1});
    }

    void stopDuringItemEndsBeforeTheNext()
    {
        ProgressState p;
        QCOMPARE(runBatch(p, 5, 3), (QList<int>{1, 2, 3}));
        QCOMPARE(p.buttonText(), QStringLiteral("Подождите..."));
        QVERIFY(!p.buttonEnabled());
        QVERIFY(p.mayClose());
        // A new showing starts afresh.
        QCOMPARE(runBatch(p, 4, 0), (QList<int>{1, 2, 3, 4}));
    }

    void lastItemDisablesStop()
    {
        ProgressState p;
        p.show(true, 3);
        QVERIFY(!p.mayClose());
        p.update(2);
        QCOMPARE(p.buttonText(), QStringLiteral("Остановить"));
        QVERIFY(p.buttonEnabled());
        p.update(3);
        QCOMPARE(p.buttonText(), QStringLiteral("Остался 1 файл..."));
        QVERIFY(!p.buttonEnabled());
        p.requestStop();
        QVERIFY(p.continueFlag());
    }

    void plainWaitingPanel()
    {
        ProgressState p;
        p.show(false, 10, QStringLiteral("Добавление к списку, подождите..."));
        QVERIFY(!p.continueFlag());
        QVERIFY(!p.barVisible());
        QVERIFY(!p.buttonEnabled());
        QCOMPARE(p.label(), QStringLiteral("Добавление к списку, подождите..."));
        p.show(true, 10);
        QCOMPARE(p.label(), QStringLiteral("Подождите..."));
        QVERIFY(p.barVisible());
    }
};

VT_TEST_GUILESS_MAIN(ProgressTest)
#include "tst_core_progress.moc"
