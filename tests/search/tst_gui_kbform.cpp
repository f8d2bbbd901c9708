#include "fakeservices.h"
#include "search/kbform.h"
#include "testmain.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using namespace vt;

class TestKbForm : public QObject {
    Q_OBJECT
private slots:
    void unitsAndRemainder()
    {
        test::FakeServices fx;
        TKbForm f(false, 1500, -1);
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Минимальный размер файла"));
        QCOMPARE(f.labRange->text(), QStringLiteral("КБ (от 0 до 1073741824)"));
        QCOMPARE(f.seVvod->value(), 1500);
        QVERIFY(!f.labOst->isVisible());
        QVERIFY(!f.sbTable->isVisible());

        QTest::mouseClick(f.rbMb, Qt::LeftButton);
        QCOMPARE(f.labRange->text(), QStringLiteral("МБ (от 0 до 1048576)"));
        QCOMPARE(f.seVvod->value(), 1);
        QVERIFY(f.labOst->isVisible());
        QCOMPARE(f.labOst->text(), QStringLiteral("Остаток (КБ):"));
        QCOMPARE(f.labOstVal->text(), QStringLiteral("476"));
        QCOMPARE(f.sizeKb(), 1500);
        f.seVvod->setValue(3);
        QCOMPARE(f.sizeKb(), 3 * 1024 + 476);
        QCOMPARE(f.labRes->text(), QStringLiteral("3548"));

        QTest::mouseClick(f.labOst, Qt::LeftButton);
        QCOMPARE(f.remainder(), 0);
        QCOMPARE(f.sizeKb(), 3072);

        // back to KB: everything in the input
        f.seVvod->setValue(1);
        QTest::mouseClick(f.rbGb, Qt::LeftButton);
        QCOMPARE(f.labRange->text(), QStringLiteral("ГБ (от 0 до 1024)"));
        QCOMPARE(f.seVvod->value(), 0);
        QCOMPARE(f.remainder(), 1024);
        QTest::mouseClick(f.rbKb, Qt::LeftButton);
        QCOMPARE(f.seVvod->value(), 1024);
        QCOMPARE(f.remainder(), 0);
        QCOMPARE(fx.ui.beeps, 0);
    }

    void rangeIsClamped()
    {
        test::FakeServices fx;
        TKbForm f(true, 0, -1);
        QCOMPARE(f.windowTitle(), QStringLiteral("Максимальный размер файла"));
        f.setUnit(TKbForm::Gb);
        f.seVvod->setValue(2000);
        QCOMPARE(f.seVvod->value(), 1024);
        QCOMPARE(fx.ui.beeps, 1);
        QCOMPARE(f.sizeKb(), 1073741824);

        // the remainder never lifts the result above the maximum
        TKbForm g(true, 1073741823, -1);
        g.setUnit(TKbForm::Mb);
        QCOMPARE(g.remainder(), 1023);
        QTest::mouseClick(g.sbMax, Qt::LeftButton);
        QCOMPARE(g.seVvod->value(), 1048576);
        QCOMPARE(g.sizeKb(), 1073741824);
        QTest::mouseClick(g.sbMin, Qt::LeftButton);
        QCOMPARE(g.sizeKb(), 0);

        g.setUnit(TKbForm::Kb);
        QTest::mouseClick(g.sbMax, Qt::LeftButton);
        QCOMPARE(g.sizeKb(), 1073741824);
        QCOMPARE(fx.ui.beeps, 1);
    }

    void sizeFromTheTable()
    {
        test::FakeServices fx;
        TKbForm f(false, 7, 5000);
        f.show();
        QVERIFY(f.sbTable->isVisible());
        QCOMPARE(f.sbTable->text(), QStringLiteral("Размер в таблице"));
        f.setUnit(TKbForm::Mb);
        QTest::mouseClick(f.sbTable, Qt::LeftButton);
        QCOMPARE(f.unit(), TKbForm::Kb);
        QVERIFY(f.rbKb->isChecked());
        QCOMPARE(f.sizeKb(), 4); // 5000 bytes are 4 whole KB
    }

    void okAndCancel()
    {
        test::FakeServices fx;
        TKbForm f(false, 10, -1);
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.seVvod->setValue(25);
        QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.sizeKb(), 25);
        QCOMPARE(f.butOk->text(), QStringLiteral("OK"));
        QCOMPARE(f.butCancel->text(), QStringLiteral("Отмена"));
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Accepted));

        TKbForm g(false, 10, -1);
        g.show();
        QTest::keyClick(&g, Qt::Key_Escape);
        QCOMPARE(g.result(), int(QDialog::Rejected));
    }
};

VT_TEST_MAIN(TestKbForm)
#include "tst_gui_kbform.moc"
