#include "base/appdirs.h"
#include "fakeservices.h"
#include "modalanswer.h"
#include "table/tablerows.h"
#include "search/extform.h"
#include "search/kbform.h"
#include "search/searchpanel.h"
#include "testhome.h"
#include "search/core/datepresets.h"
#include "base/oledate.h"
#include "testmain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

using namespace vt;

namespace {

// How the pickers show a bound the core computed.
QString shown(const DateTimePair &b)
{
    return dateOfDays(b.date).toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ')
           + timeOfFraction(b.time).toString(QStringLiteral("H:mm:ss"));
}

QString minText(const SearchPanel &p)
{
    return p.dtMinDat->text() + QLatin1Char(' ') + p.dtMinTime->text();
}

QString maxText(const SearchPanel &p)
{
    return p.dtMaxDate->text() + QLatin1Char(' ') + p.dtMaxTime->text();
}

QAction *actionNamed(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction *sub = actionNamed(a->menu(), text))
                return sub;
    }
    return nullptr;
}

// Runs f on the modal window once it is shown.
QColor baseOf(QWidget *w) { return w->palette().color(QPalette::Base); }

} // namespace

class TestSearchPanel : public QObject {
    Q_OBJECT
    test::TestHome m_home;

private slots:

    void startState()
    {
        test::FakeServices fx;
        fx.clock.t = QDateTime(QDate(2026, 12, 8), QTime(0, 5, 0));
        SearchPanel p;
        p.initAtStart();
        QCOMPARE(p.height(), 80);
        QCOMPARE(p.eDirPath->toolTip(), QStringLiteral("Поиск не производился"));
        QVERIFY(p.eDirPath->isReadOnly());
        QVERIFY(p.rbShab->isChecked());
        QCOMPARE(p.cbFiles->checkState(), Qt::PartiallyChecked);
        QCOMPARE(p.cbFiles->text(), QStringLiteral("Файлы/папки"));
        QCOMPARE(p.eShablon->text(), QStringLiteral("*"));
        QCOMPARE(p.seLimit->value(), 9999);
        QCOMPARE(p.seMaxSubDir->value(), 200);
        QCOMPARE(p.seRazmerOT->value(), 0);
        QCOMPARE(p.seRazmerDO->value(), 1073741824);
        QVERIFY(!p.sbPreobr->isEnabled());
        QCOMPARE(minText(p), QStringLiteral("07.12.2026 23:55:00"));
        QCOMPARE(maxText(p), QStringLiteral("08.12.2026 0:05:00"));
        QCOMPARE(p.rbMdVTX->text(), QStringLiteral("VTX"));
        QVERIFY(fx.sound.played.isEmpty());
        const SearchParams sp = p.params();
        QCOMPARE(sp.filesState, 1);
        QCOMPARE(sp.minDate, 46363.0); // 07.12.2026
        QVERIFY(!sp.extMode);
    }

    void modeSwitching()
    {
        test::FakeServices fx;
        SearchPanel p;
        p.show();
        QSignalSpy modes(&p, &SearchPanel::modeChanged);

        // mask mode: kind and sizes shown, extension field hidden
        QVERIFY(p.cbFiles->isVisible() && p.seRazmerOT->isVisible());
        QVERIFY(!p.eExt->isVisible() && !p.sbExt->isVisible());
        QVERIFY(!p.gbModeSpis->isVisible() && !p.sbAddList->isVisible());

        // folders hide the sizes; extension mode brings them back and hides the kind
        p.cbFiles->setCheckState(Qt::Unchecked);
        QCOMPARE(p.cbFiles->text(), QStringLiteral("Папки/пустые"));
        QVERIFY(!p.seRazmerOT->isVisible() && !p.labRazmerDO->isVisible());
        p.cbExts->setChecked(true);
        QVERIFY(p.seRazmerOT->isVisible() && p.eExt->isVisible() && p.sbExt->isVisible());
        QVERIFY(!p.cbFiles->isVisible());
        p.cbExts->setChecked(false);
        p.cbFiles->setCheckState(Qt::Checked);
        QCOMPARE(p.cbFiles->text(), QStringLiteral("Файлы"));

        // list mode shows only the list controls
        QTest::mouseClick(p.rbSpis, Qt::LeftButton);
        QVERIFY(p.listMode());
        QCOMPARE(modes.size(), 1);
        for (QWidget *w : std::initializer_list<QWidget *>{
                 p.eDirPath, p.sbSelectDir, p.sbIzbDir, p.cbHideH, p.cbHideS, p.cbHideR,
                 p.eShablon, p.labShab, p.dtMinDat, p.dtMaxTime, p.labMinDate, p.seLimit,
                 p.seMaxSubDir, p.seRazmerOT, p.cbExts, p.eExt, p.cbFiles})
            QVERIFY(!w->isVisible());
        QVERIFY(p.gbModeSpis->isVisible() && p.sbAddList->isVisible() && p.sbProsm->isVisible());
        QVERIFY(p.sbFind->isVisible());
        QVERIFY(!p.gbAllSpis->isVisible());
        // "Шаблон" and "Список" stay side by side.
        p.resize(754, 80);
        p.layout()->activate();
        QVERIFY(p.rbSpis->x() - p.rbShab->x() < p.rbShab->sizeHint().width() + 12);
        p.setListOpen(true);
        QVERIFY(p.gbAllSpis->isVisible());

        p.setListMode(false);
        QVERIFY(!p.gbAllSpis->isVisible() && !p.gbModeSpis->isVisible());
        QVERIFY(p.eDirPath->isVisible());
        QCOMPARE(modes.size(), 2);
        QCOMPARE(modes.last().first().toBool(), false);
    }

    // The labels and menus put the core's bounds into the pickers (their
    // values are pinned in tst_core_datepresets) and sound as they should.
    void dateTogglesAndPresets()
    {
        test::FakeServices fx;
        fx.clock.t = QDateTime(QDate(2026, 12, 8), QTime(0, 5, 0));
        SearchPanel p;
        p.show();
        p.initAtStart();

        QTest::mouseClick(p.labMinDate, Qt::LeftButton);
        QCOMPARE(minText(p), shown(earliestBound()));
        QTest::mouseClick(p.labMinDate, Qt::LeftButton);
        QCOMPARE(minText(p), shown(toggleMinDate(kEarliestDate, toDays(fx.clock.t)).bound));
        QTest::mouseClick(p.labMaxDate, Qt::LeftButton);
        QCOMPARE(maxText(p), shown(latestBound()));
        fx.clock.t = fx.clock.t.addSecs(60);
        QTest::mouseClick(p.labMaxDate, Qt::LeftButton);
        QCOMPARE(maxText(p), shown(toggleMaxDate(kLatestDate, toDays(fx.clock.t)).bound));
        QCOMPARE(fx.sound.played, (QList<int>{1, 2, 1, 2}));

        // menu items by their Tag
        fx.sound.played.clear();
        actionNamed(p.popMinDate, QStringLiteral("Сутки назад"))->trigger();
        QCOMPARE(minText(p), shown(minDatePreset(5, toDays(fx.clock.t))));
        actionNamed(p.popMinDate, QStringLiteral("Время: 0 ч. 0 мин."))->trigger();
        QCOMPARE(minText(p), QStringLiteral("07.12.2026 0:00:00"));
        actionNamed(p.popMinDate, QStringLiteral("Миним. дата"))->trigger();
        QCOMPARE(minText(p), shown(earliestBound()));
        actionNamed(p.popMaxDate, QStringLiteral("Сутки вперед"))->trigger();
        QCOMPARE(maxText(p), shown(maxDatePreset(6, toDays(fx.clock.t))));
        actionNamed(p.popMaxDate, QStringLiteral("Время: 23 ч. 59 мин."))->trigger();
        QCOMPARE(maxText(p), QStringLiteral("09.12.2026 23:59:59"));
        actionNamed(p.popMaxDate, QStringLiteral("Макс. дата"))->trigger();
        QCOMPARE(maxText(p), shown(latestBound()));
        QCOMPARE(fx.sound.played, (QList<int>{2, 3, 1, 2, 3, 1}));
        QCOMPARE(p.popMinDate->actions().first()->data().toInt(), 6);
        QCOMPARE(p.popMaxDate->actions().at(7)->data().toInt(), 7);

        // the key presets switch back to mask mode
        fx.sound.played.clear();
        p.setListMode(true);
        p.presetLast10Minutes();
        QVERIFY(!p.listMode());
        QCOMPARE(minText(p), QStringLiteral("07.12.2026 23:56:00"));
        QCOMPARE(maxText(p), QStringLiteral("08.12.2026 0:06:00"));
        p.setListMode(true);
        QTest::mouseClick(p.sbSetDTmax, Qt::LeftButton);
        QVERIFY(!p.listMode());
        QCOMPARE(minText(p), QStringLiteral("31.12.1899 0:00:00"));
        QCOMPARE(maxText(p), QStringLiteral("31.12.9999 0:00:00"));
        QCOMPARE(fx.sound.played, (QList<int>{3, 1}));
    }

    void dateFromTheTable()
    {
        test::FakeServices fx;
        TableModel table;
        SearchPanel p(&table);
        QAction *minItem = actionNamed(p.popMinDate, QStringLiteral("Дата выдел. в таблице"));
        QAction *maxItem = actionNamed(p.popMaxDate, QStringLiteral("Дата выдел. в таблице"));
        minItem->trigger();
        QCOMPARE(fx.ui.texts(), QStringList{QStringLiteral("Для установки даты выделите строчку в таблице")});

        table.appendRow(test::fileRow(1, "a/", "x.txt", 1, "05.03.2024 10:20:30"));
        table.appendRow(test::fileRow(2, "a/", "y.txt", 1, "06.03.2024"));
        fx.ui.clear();
        table.setAllSelected(true); // not exactly one row selected
        maxItem->trigger();
        QCOMPARE(fx.ui.calls.size(), 1);

        table.setSelected(1, false);
        minItem->trigger();
        QCOMPARE(minText(p), QStringLiteral("05.03.2024 10:20:30"));
        table.setSelected(0, false);
        table.setSelected(1, true);
        maxItem->trigger();
        QCOMPARE(maxText(p), QStringLiteral("06.03.2024 0:00:00"));
        QCOMPARE(fx.sound.played, (QList<int>{3, 3}));
    }

    void limitDepthAndSizeLabels()
    {
        test::FakeServices fx;
        SearchPanel p;
        p.show();
        QTest::mouseClick(p.labLimil, Qt::LeftButton);
        QCOMPARE(p.seLimit->value(), 1000);
        QTest::mouseClick(p.labLimil, Qt::LeftButton);
        QCOMPARE(p.seLimit->value(), 9999);
        QTest::mouseClick(p.labSubDir, Qt::LeftButton);
        QCOMPARE(p.seMaxSubDir->value(), 0);
        QCOMPARE(baseOf(p.seMaxSubDir), p.palette().color(QPalette::Window));
        QTest::mouseClick(p.labSubDir, Qt::LeftButton);
        QCOMPARE(p.seMaxSubDir->value(), 200);
        QCOMPARE(baseOf(p.seMaxSubDir), QColor(Qt::white));

        p.seRazmerOT->setValue(5);
        p.seRazmerDO->setValue(10);
        QCOMPARE(baseOf(p.seRazmerOT), QColor(Qt::white));
        QCOMPARE(baseOf(p.seRazmerDO), QColor(Qt::white));
        QTest::mouseClick(p.labRazmerOT, Qt::LeftButton);
        QTest::mouseClick(p.labRazmerDO, Qt::LeftButton);
        QCOMPARE(p.seRazmerOT->value(), 0);
        QCOMPARE(p.seRazmerDO->value(), 1073741824);
        QCOMPARE(baseOf(p.seRazmerOT), p.palette().color(QPalette::Button));
        QCOMPARE(baseOf(p.seRazmerDO), p.palette().color(QPalette::Button));
        QCOMPARE(fx.sound.played, (QList<int>{2, 1, 2, 1, 1, 1}));
    }

    void sizePickerFromTheLabel()
    {
        test::FakeServices fx;
        TableModel table;
        table.appendRow(test::dirRow(1, "a/", "folder"));
        table.appendRow(test::fileRow(2, "a/", "x.bin", 10240));
        table.setSelected(0, true); // a folder row gives no size
        SearchPanel p(&table);
        p.show();
        p.seRazmerOT->setValue(1500);
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = qobject_cast<TKbForm *>(w);
                QVERIFY(f);
                QCOMPARE(f->windowTitle(), QStringLiteral("Минимальный размер файла"));
                QVERIFY(f->sbTable->isHidden());
                f->setUnit(TKbForm::Mb);
                f->seVvod->setValue(2);
                f->accept();
            });
            QTest::mouseClick(p.labRazmerOT, Qt::RightButton);
        }
        QCOMPARE(p.seRazmerOT->value(), 2 * 1024 + 476);
        QCOMPARE(fx.sound.played, QList<int>{2});

        // "Отмена" changes nothing
        table.setSelected(0, false);
        table.setSelected(1, true);
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = qobject_cast<TKbForm *>(w);
                QCOMPARE(f->windowTitle(), QStringLiteral("Максимальный размер файла"));
                QVERIFY(!f->sbTable->isHidden());
                f->setFromTable();
                f->reject();
            });
            QTest::mouseClick(p.labRazmerDO, Qt::RightButton);
        }
        QCOMPARE(p.seRazmerDO->value(), 1073741824);
        QCOMPARE(fx.sound.played, QList<int>{2});
    }

    void maskField()
    {
        test::FakeServices fx;
        SearchPanel p;
        p.show();
        p.eShablon->setFocus();
        p.eShablon->setText(QStringLiteral("abc"));
        QCOMPARE(p.labShab->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(baseOf(p.eShablon), QColor(Qt::white));
        QTest::keyClick(p.eShablon, Qt::Key_Return);
        QCOMPARE(p.eShablon->text(), QStringLiteral("*abc*"));
        QCOMPARE(p.labShab->palette().color(QPalette::WindowText), QColor(Qt::black));
        p.eShablon->setText(QStringLiteral("*abc"));
        QTest::keyClick(p.eShablon, Qt::Key_Enter);
        QCOMPARE(p.eShablon->text(), QStringLiteral("*abc*"));
        QTest::keyClick(p.eShablon, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(p.eShablon->text(), QStringLiteral("*"));
        QCOMPARE(baseOf(p.eShablon), p.palette().color(QPalette::Window));
        QCOMPARE(fx.sound.played, (QList<int>{1, 1, 1}));

        // refused characters beep and do not arrive
        p.eShablon->setText(QStringLiteral("a"));
        p.eShablon->end(false);
        QTest::keyClicks(p.eShablon, QStringLiteral("b:c|d\"e<"));
        QCOMPARE(p.eShablon->text(), QStringLiteral("abcde"));
        QCOMPARE(fx.ui.beeps, 4);
        QTest::keyClicks(p.eShablon, QString(50, QLatin1Char('x')));
        QCOMPARE(p.eShablon->text().size(), 40);

        // the label and the menu do the same as Enter
        p.eShablon->setText(QStringLiteral("q"));
        QTest::mouseClick(p.labShab, Qt::LeftButton);
        QCOMPARE(p.eShablon->text(), QStringLiteral("*q*"));
        actionNamed(p.popShablon, QStringLiteral("Стандартный шаблон (*)"))->trigger();
        QCOMPARE(p.eShablon->text(), QStringLiteral("*"));
        p.eShablon->setText(QStringLiteral("q"));
        actionNamed(p.popShablon, QStringLiteral("Установить знак * по краям"))->trigger();
        QCOMPARE(p.eShablon->text(), QStringLiteral("*q*"));
        // The favourite templates are the main window's to open.
        QSignalSpy fav(&p, &SearchPanel::favouriteTemplatesRequested);
        actionNamed(p.popShablon, QStringLiteral("Избранные шаблоны / запомнить"))->trigger();
        QCOMPARE(fav.size(), 1);
    }

    void recentMasksMenu()
    {
        test::FakeServices fx;
        SearchPanel p;
        QCOMPARE(p.miShabOld[0]->text(), QStringLiteral("<нет>"));
        QVERIFY(!p.miShabOld[0]->isEnabled());
        QVERIFY(!p.miShabOldClr->isEnabled());

        for (const char *m : {"*a*", "*b*", "*A*", "*c&d*"})
            p.addRecentMask(QString::fromLatin1(m));
        QCOMPARE(p.recentMasks(), (QStringList{"*c&d*", "*A*", "*b*"}));
        QCOMPARE(p.miShabOld[0]->text(), QStringLiteral("*c&&d*"));
        QCOMPARE(p.miShabOld[2]->text(), QStringLiteral("*b*"));
        QCOMPARE(p.miShabOld[3]->text(), QStringLiteral("<нет>"));
        QVERIFY(p.miShabOldClr->isEnabled());

        p.miShabOld[1]->trigger();
        QCOMPARE(p.eShablon->text(), QStringLiteral("*A*"));
        p.miShabOld[1]->trigger(); // same mask: nothing to do
        QCOMPARE(fx.sound.played, QList<int>{3});

        fx.ui.yesNo.enqueue(false);
        p.miShabOldClr->trigger();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Очистить недавние шаблоны?"));
        QCOMPARE(p.recentMasks().size(), 3);
        fx.ui.yesNo.enqueue(true);
        p.miShabOldClr->trigger();
        QVERIFY(p.recentMasks().isEmpty());
        QCOMPARE(p.miShabOld[0]->text(), QStringLiteral("<нет>"));
        QCOMPARE(fx.sound.played, (QList<int>{3, 1}));
    }

    void recentFoldersMenu()
    {
        test::FakeServices fx;
        SearchPanel p;
        QSignalSpy chosen(&p, &SearchPanel::recentFolderChosen);
        QCOMPARE(p.miOldFdir[0]->text(), QStringLiteral("<нет папок>"));
        QVERIFY(!p.miOldFdir[0]->isEnabled());
        QVERIFY(!p.miOldFdir[1]->isVisible());

        QStringList folders;
        for (int i = 0; i < 25; ++i)
            folders << QStringLiteral("/data/f%1/").arg(i);
        p.setRecentFolders(folders.mid(0, 3));
        QCOMPARE(p.miOldFdir[2]->text(), QStringLiteral("/data/f2/"));
        QVERIFY(p.miOldFdir[0]->isEnabled() && p.miOldFdir[2]->isVisible());
        QVERIFY(!p.miOldFdir[3]->isVisible());
        p.setRecentFolders(folders);
        QCOMPARE(p.miOldFdir[19]->text(), QStringLiteral("/data/f19/"));
        QVERIFY(p.miOldFdir[19]->isVisible());

        p.miOldFdir[7]->trigger();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 7);
        bool busy = true;
        p.setIsBusy([&busy] { return busy; });
        p.miOldFdir[3]->trigger();
        QCOMPARE(chosen.size(), 1);
    }

    void choosingTheFolder()
    {
        test::FakeServices fx;
        QTemporaryDir tmp;
        QDir(tmp.path()).mkpath(QStringLiteral("sub"));
        const QString sub = tmp.path() + QStringLiteral("/sub");
        SearchPanel p;
        p.setFolderText(QStringLiteral("/start/"));

        // way 1: the folder browser preset to the field
        fx.ui.folders.enqueue(sub);
        p.sbSelectDirClick(false);
        QCOMPARE(p.folderText(), sub + QLatin1Char('/'));
        QCOMPARE(fx.ui.calls.last().title, QStringLiteral("Выберите папку"));
        QCOMPARE(fx.ui.calls.last().text, QStringLiteral("/start/"));

        // cancelled or not a folder: the field stays
        fx.ui.folders.enqueue(QString());
        p.sbSelectDirClick(false);
        fx.ui.folders.enqueue(tmp.path() + QStringLiteral("/gone"));
        p.sbSelectDirClick(false);
        QCOMPARE(p.folderText(), sub + QLatin1Char('/'));

        // way 2: any name inside the folder
        fx.ui.clear();
        fx.ui.files.enqueue(tmp.path() + QStringLiteral("/AnyFiles"));
        p.sbSelectDirClick(true);
        QCOMPARE(p.folderText(), tmp.path() + QLatin1Char('/'));
        QCOMPARE(fx.ui.calls.last().kind, QStringLiteral("file"));
        QCOMPARE(fx.ui.calls.last().title,
                 QStringLiteral("Выберите любой файл/введите любое имя внутри папки начала поиска"));
        QCOMPARE(fx.ui.calls.last().text, sub + QStringLiteral("/AnyFiles"));

        // the menu's browse without the current folder
        fx.ui.clear();
        fx.ui.folders.enqueue(QString());
        actionNamed(p.PopDir, QStringLiteral("Обзор папок (без выделения)"))->trigger();
        QCOMPARE(fx.ui.calls.last().text, QString());

        // nothing in list mode, nothing while busy
        fx.ui.clear();
        p.setListMode(true);
        p.sbSelectDirClick(false);
        p.setListMode(false);
        p.setIsBusy([] { return true; });
        p.sbSelectDirClick(false);
        QVERIFY(fx.ui.calls.isEmpty());
    }

    void folderMenuSignals()
    {
        test::FakeServices fx;
        QTemporaryDir tmp;
        SearchPanel p;
        QSignalSpy fav(&p, &SearchPanel::favouriteFolderRequested);
        QSignalSpy start(&p, &SearchPanel::makeStartDirRequested);
        QSignalSpy open(&p, &SearchPanel::openInFileManagerRequested);

        actionNamed(p.PopDir, QStringLiteral("из избранных"))->trigger();
        actionNamed(p.PopDir, QStringLiteral("из выделенной в таблице"))->trigger();
        QCOMPARE(fav.size(), 2);
        QCOMPARE(fav[0][0].toBool(), false);
        QCOMPARE(fav[1][0].toBool(), true);
        actionNamed(p.PopDir, QStringLiteral("Сделать стартовой"))->trigger();
        QCOMPARE(start.size(), 1);

        p.setFolderText(QStringLiteral("/no/such/"));
        actionNamed(p.PopDir, QStringLiteral("Открыть в проводнике"))->trigger();
        QCOMPARE(open.size(), 0);
        QCOMPARE(fx.ui.beeps, 1);
        p.setFolderText(tmp.path());
        actionNamed(p.PopDir, QStringLiteral("Открыть в проводнике"))->trigger();
        QCOMPARE(open.size(), 1);

        p.setListMode(true);
        p.sbIzbDirClick(false);
        QCOMPARE(fav.size(), 2);
    }

    void startFolderHint()
    {
        test::FakeServices fx;
        SearchPanel p;
        p.SetDirPath(QStringLiteral("/data/photos/"));
        QCOMPARE(p.eDirPath->toolTip(), QStringLiteral("Поиск с папки:\n/data/photos/"));
        QVERIFY(p.sbPreobr->isEnabled());
        p.SetDirPath(QString());
        QVERIFY(p.eDirPath->toolTip().isEmpty());
        QVERIFY(!p.sbPreobr->isEnabled());
    }

    void allMaxAndParams()
    {
        test::FakeServices fx;
        SearchPanel p;
        SearchParams in;
        in.folder = QStringLiteral("/x/");
        in.mask = QStringLiteral("*.txt");
        in.minDate = 46000;
        in.minTime = 1.5;
        in.maxDate = 46001;
        in.maxTime = 0.25;
        in.minKb = 3;
        in.maxKb = 4;
        in.limit = 12;
        in.depth = 2;
        in.hideH = in.hideR = true;
        in.filesState = 2;
        in.extMode = true;
        in.exts = {QStringLiteral("DOC"), QStringLiteral("JPG")};
        p.setParams(in);
        const SearchParams out = p.params();
        QCOMPARE(out.folder, in.folder);
        QCOMPARE(out.mask, in.mask);
        QCOMPARE(out.minDate, 46000.0);
        QCOMPARE(out.minTime, 0.5);
        QCOMPARE(out.maxTime, 0.25);
        QCOMPARE(out.minKb, 3);
        QCOMPARE(out.maxKb, 4);
        QCOMPARE(out.limit, 12);
        QCOMPARE(out.depth, 2);
        QVERIFY(out.hideH && !out.hideS && out.hideR);
        QCOMPARE(out.filesState, 2);
        QVERIFY(out.extMode);
        QCOMPARE(p.eExt->text(), QStringLiteral("DOC, JPG"));

        p.setAllMax();
        const SearchParams m = p.params();
        QCOMPARE(minText(p), QStringLiteral("31.12.1899 0:00:00"));
        QCOMPARE(maxText(p), QStringLiteral("31.12.9999 0:00:00"));
        QVERIFY(!m.hideH && !m.hideS && !m.hideR && !m.extMode);
        QCOMPARE(m.limit, 9999);
        QCOMPARE(m.depth, 200);
        QCOMPARE(m.minKb, 0);
        QCOMPARE(m.maxKb, 1073741824);
        QCOMPARE(m.mask, QStringLiteral("*"));
        QCOMPARE(m.filesState, 1);
        QCOMPARE(fx.sound.played, QList<int>{1});
    }

    void validateWritesBack()
    {
        test::FakeServices fx;
        QTemporaryDir tmp;
        SearchPanel p;
        p.setAllMax();
        p.setFolderText(QStringLiteral("/no/such/folder"));
        fx.ui.folders.enqueue(tmp.path());
        ValidSearch v;
        QVERIFY(p.validate(v));
        QCOMPARE(p.folderText(), tmp.path() + QLatin1Char('/'));
        QCOMPARE(v.folder, tmp.path() + QLatin1Char('/'));
        QCOMPARE(v.maxStamp, 0xFFFFFFFFu);

        // typed but not yet committed spin text counts
        p.seRazmerOT->findChild<QLineEdit *>()->setText(QStringLiteral("20"));
        p.seRazmerDO->findChild<QLineEdit *>()->setText(QStringLiteral("10"));
        fx.ui.clear();
        QVERIFY(!p.validate(v));
        QCOMPARE(fx.ui.texts(),
                 QStringList{QStringLiteral("Минимальный размер файла должен быть меньше максимального")});
    }

    void extensionPickerFromThePanel()
    {
        test::FakeServices fx;
        SearchPanel p;
        p.setExtensions({QStringLiteral("TXT")});
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = qobject_cast<TExtForm *>(w);
                QVERIFY(f);
                QCOMPARE(f->eRes->text(), QStringLiteral("TXT"));
                f->eRes->setText(QStringLiteral("txt, doc"));
                f->reject(); // Escape hands the result back too
            });
            p.chooseExtensions();
        }
        QCOMPARE(p.extensions(), (QStringList{"DOC", "TXT"}));
        QCOMPARE(p.eExt->text(), QStringLiteral("DOC, TXT"));
    }

    void panelSurface()
    {
        test::FakeServices fx;
        SearchPanel p;
        p.resize(754, 80);
        p.show();
        QSignalSpy menu(&p, &SearchPanel::mainMenuRequested);
        QSignalSpy restore(&p, &SearchPanel::restoreBoundsRequested);
        QSignalSpy find(&p, &SearchPanel::findClicked);
        const QPoint bare(p.width() - 70, p.height() - 4);
        QCOMPARE(p.childAt(bare), nullptr);
        QTest::mousePress(&p, Qt::RightButton, {}, bare);
        QCOMPARE(menu.size(), 1);
        QTest::mouseDClick(&p, Qt::LeftButton, {}, bare);
        QCOMPARE(restore.size(), 1);
        // Controls with a menu of their own show only that one.
        for (QWidget *w : {static_cast<QWidget *>(p.sbSelectDir), static_cast<QWidget *>(p.sbIzbDir),
                           static_cast<QWidget *>(p.labMinDate), static_cast<QWidget *>(p.labShab)})
            QTest::mouseClick(w, Qt::RightButton);
        QCOMPARE(menu.size(), 1);
        QTest::mouseClick(p.labSubDir, Qt::RightButton); // a plain label is part of the surface
        QCOMPARE(menu.size(), 2);
        QTest::mouseClick(p.sbFind, Qt::LeftButton);
        QCOMPARE(find.size(), 1);

        p.setBusy(true);
        QVERIFY(!p.isEnabled());
        p.setBusy(false);
        QVERIFY(p.isEnabled());
    }
};

VT_TEST_MAIN(TestSearchPanel)
#include "tst_gui_searchpanel.moc"
