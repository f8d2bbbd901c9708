#include "app/firstpaint.h"
#include "testmain.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

// `--quit-after-show`: the loop ends after the first paint of the window and
// of its children, not before the window is painted and not never.
class Painted : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

class FirstPaintTest : public QObject {
    Q_OBJECT

private slots:
    void quitsRightAfterTheFirstPaint()
    {
        Painted window;
        window.resize(200, 100);
        auto *child = new Painted(&window);
        child->setGeometry(10, 10, 50, 50);
        vt::quitAfterFirstPaint(&window);
        // A loop that never ends would fail here instead of hanging.
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(7); });
        window.show();
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(window.paints, 1);
        QCOMPARE(child->paints, 1);
    }

    void hiddenWindowDoesNotQuit()
    {
        Painted window;
        vt::quitAfterFirstPaint(&window);
        QTimer::singleShot(300, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(QCoreApplication::exec(), 7);
        QCOMPARE(window.paints, 0);
    }
};

VT_TEST_MAIN(FirstPaintTest)
#include "tst_gui_firstpaint.moc"
