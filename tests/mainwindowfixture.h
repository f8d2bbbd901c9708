#pragma once
// The main window as a test drives it: started as at start-up, keys pressed
// where the user's keys go, rows selected, pictures taken for review.
#include "app/helpform.h"
#include "app/mainform.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QSize>
#include <QTest>
#include <QWidget>
#include <memory>

namespace vt::test {

// Pictures are wanted when VESTRADA_SCREENSHOT_DIR names a folder.
inline QString screenshotDir() { return qEnvironmentVariable("VESTRADA_SCREENSHOT_DIR"); }

// w as it is drawn now, saved as name in the screenshot folder when there is one.
inline void screenshot(QWidget *w, const QString &name)
{
    const QString dir = screenshotDir();
    if (!dir.isEmpty() && QDir().mkpath(dir))
        w->grab().save(dir + QLatin1Char('/') + name);
}

class MainWindow {
public:
    std::unique_ptr<TFileForm> form;
    THelpForm *help = nullptr; // the about window, when started with one

    enum Option { Plain = 0, WithHelp = 1, WaitForActivation = 2 };
    // Shown at size (when valid) and activated: directly, or by the window
    // system's activation as when the user starts the program.
    void start(const QSize &size = QSize(), int options = Plain)
    {
        form = std::make_unique<TFileForm>();
        if (options & WithHelp) {
            help = new THelpForm(form.get());
            form->setHelpForm(help);
        }
        if (size.isValid())
            form->resize(size);
        form->show();
        if (options & WaitForActivation)
            QTRY_VERIFY(form->activated());
        else
            form->FormActivate();
    }
    void close()
    {
        form.reset();
        help = nullptr;
    }

    TableModel *model() const { return form->ListView->tableModel(); }
    // The keyboard goes to the focused control of the window.
    QWidget *focused() const { return form->focusWidget() ? form->focusWidget() : form.get(); }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) const
    {
        if (key < 0x80 || key >= Qt::Key_Escape) {
            QTest::keyClick(focused(), Qt::Key(key), mods);
            return;
        }
        // QTest takes Latin keys only; a Cyrillic layout sends its own key codes.
        QKeyEvent e(QEvent::KeyPress, key, mods, QString(QChar(key)));
        QApplication::sendEvent(focused(), &e);
    }
    void selectOnly(const QList<int> &rows) const
    {
        model()->setAllSelected(false);
        for (int r : rows)
            model()->setSelected(r, true);
        form->ListView->syncSelectionFromModel();
    }
};

} // namespace vt::test
