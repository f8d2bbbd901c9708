#include "app/mainform.h"
#include "base/appdirs.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "lists/core/ordstore.h"
#include "lists/core/vtlfile.h"
#include "lists/core/vtlformat.h"
#include "lists/core/vtsfile.h"
#include "lists/listgroup.h"
#include "lists/ordform.h"
#include "lists/vtsform.h"
#include "modalanswer.h"
#include "search/searchpanel.h"
#include "table/core/rowappend.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "wholetexts.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

using namespace vt;

// Snapshots and ordinals through the real main window.
class VtsWindowTest : public QObject, test::MainWindow {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    // The older of the two snapshots, with a name as the program makes it.
    const QString dated = QStringLiteral("2025-03-01_09-30-00.vts");
    std::unique_ptr<test::FakeServices> fx;

    QString lists() const { return home.path() + "/VtlVts/"; }
    // A snapshot of rows under /media/disc/ with this mark and description.
    void snapshot(const QString &name, int mark, const QString &desc, int rows)
    {
        TableModel t;
        t.setStartFolder("/media/disc/");
        for (int i = 0; i < rows; ++i) {
            RowEntry e;
            e.path = QStringLiteral("/media/disc/d/файл%1.mp3").arg(i).toUtf8();
            e.size = 1000 * (i + 1);
            t.appendRow(makeRow(i + 1, "d/", e));
        }
        VtsHeader h;
        h.mark = quint16(mark);
        h.description = desc;
        h.created = vtsDay(QDate(2025, 3, i_day++));
        QVERIFY(writeVts(lists() + name, t, h).ok);
    }
    int i_day = 1;

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        QDir().mkpath(lists());
        for (int i = 0; i < 3; ++i)
            test::writeTestFile(root + QStringLiteral("d/f%1.txt").arg(i), "x");
        snapshot(dated, 1, "Музыка", 3);
        snapshot("a.vts", 3, QString(50, QLatin1Char('a')) + QString(20, QLatin1Char('b')), 2);
        QFile older(lists() + dated);
        QVERIFY(older.open(QIODevice::ReadWrite));
        QVERIFY(older.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
        older.close();
        test::writeTestFile(lists() + "header-only.vts", readWholeFile(lists() + "a.vts").left(344));
    }
    void init()
    {
        fx = std::make_unique<test::FakeServices>();
        start(QSize(754, 460));
    }
    void cleanup()
    {
        close();
        fx.reset();
    }

    void chooserOpensASnapshotAndTheTableRefusesDrops()
    {
        {
            test::ModalAnswer answer([this](QWidget *w) {
                auto *f = static_cast<TVtsForm *>(w);
                QCOMPARE(f->lvVts->topLevelItemCount(), 2); // the header-only file is left out
                QCOMPARE(f->lvVts->topLevelItem(0)->text(VtsColName), dated); // oldest first
                // A date-made name and the write time are shown whole.
                for (int c : {int(VtsColName), int(VtsColModified)})
                    QVERIFY(f->lvVts->columnWidth(c)
                            > f->lvVts->fontMetrics().horizontalAdvance(f->lvVts->topLevelItem(0)->text(c)));
                f->sortVTS(false, VtsColDesc, false);
                QTreeWidgetItem *first = f->lvVts->topLevelItem(0);
                QCOMPARE(first->text(VtsColDesc), QString(50, QLatin1Char('a')) + QString(20, QLatin1Char('b')));
                QCOMPARE(first->text(VtsColType), QStringLiteral("Флешка"));
                QCOMPARE(first->text(VtsColRecords), QStringLiteral("2"));
                QCOMPARE(first->text(VtsColCreated), QStringLiteral("02.03.2025"));
                QCOMPARE(first->text(VtsColFolder), QStringLiteral("/media/disc/"));
                f->sbOK->click(); // nothing selected yet
                f->lvVts->setCurrentItem(f->lvVts->topLevelItem(1));
                test::screenshot(w, "vts-chooser.png");
                f->sbOK->click();
            });
            press(Qt::Key_3, Qt::ControlModifier);
            QCOMPARE(answer.title(), QStringLiteral("Открыть список VTS (снимок таблицы)"));
        }
        QCOMPARE(fx->ui.beeps, 1);
        QCOMPARE(model()->size(), 3);
        QCOMPARE(model()->at(2).cells[ColFolder], QStringLiteral("d/"));
        QCOMPARE(model()->startFolder(), QStringLiteral("/media/disc/"));
        QCOMPARE(form->lists().kind(), ListKind::Vts);
        QCOMPARE(form->windowTitle(), QStringLiteral("Прочитан список VTS (снимок таблицы)"));
        QCOMPARE(form->ListView->palette().color(QPalette::Base), QColor(255, 250, 240));
        QVERIFY(!form->panTop->sbAddList->isEnabled());
        QVERIFY(form->labOrd->isVisible());
        QCOMPARE(form->panTop->labAllSpis->text(), "Открыт список VTS: " + dated);
        QCOMPARE(test::cutTexts(form.get()), QStringList());

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(root + "d/f0.txt")});
        QWidget *target = form->ListView->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Открыт список VTS. Добавление запрещено"));
        QCOMPARE(model()->size(), 3);

        // Leaving the snapshot (the list forgotten, as a search does) gives the look back.
        form->lists().forget();
        QCOMPARE(form->ListView->palette().color(QPalette::Base), QColor(Qt::white));
        QVERIFY(form->panTop->sbAddList->isEnabled());
        QVERIFY(form->labOrd->isHidden());
    }

    void markEditorGuardsItsFieldsAndSavesANewSnapshot()
    {
        AppendState st;
        for (int i = 0; i < 3; ++i)
            appendPath(*model(), st, root + QStringLiteral("d/f%1.txt").arg(i));
        {
            test::ModalAnswer answer([this](QWidget *w) {
                auto *f = static_cast<TVtsChanForm *>(w);
                QCOMPARE(f->cmbVtsMet->currentIndex(), -1);
                f->butOK->click();
                QCOMPARE(fx->ui.lastText(), QStringLiteral("Выберите метку"));
                f->cmbVtsMet->setCurrentIndex(3);
                f->eVtsMet->setText("   ");
                f->butOK->click();
                QCOMPARE(fx->ui.lastText(), QStringLiteral("Введите описание"));
                f->eVtsMet->setText("  Флешка с фото ");
                test::screenshot(w, "vts-mark-editor.png");
                f->butOK->click();
            });
            press(Qt::Key_S, Qt::ControlModifier);
        }
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Информация из таблицы сохранена в список VTS"));
        VtsHeader h;
        int records = 0;
        QVERIFY(readVtsHeader(lists() + "2026-12-08_12-00-00.vts", &h, &records));
        QCOMPARE(h.mark, quint16(3));
        QCOMPARE(h.description, QStringLiteral("Флешка с фото"));
        QCOMPARE(records, 4);
        QVERIFY(!form->lists().isOpen()); // a new snapshot does not become the open list

        // Editing an existing list needs a change.
        TVtsChanForm edit(3, "x", true);
        edit.butOKClick();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Метка и описание не изменены"));
        QCOMPARE(edit.result(), int(QDialog::Rejected));
        QFile::remove(lists() + "2026-12-08_12-00-00.vts");
    }

    void ordinalsAndPagesOfAnOpenList()
    {
        TableModel t;
        AppendState st;
        for (int i = 0; i < 3; ++i)
            appendPath(t, st, root + QStringLiteral("d/f%1.txt").arg(i));
        t.setOrdPage(0, 5, 0);
        QVERIFY(writeVtl(lists() + "o.vtl", t, false).ok);
        QVERIFY(form->lists().openList(lists() + "o.vtl"));
        QVERIFY(!form->ListView->isColumnHidden(ColOrd)); // mode 0 shows them for a list
        fx->sound.played.clear();

        // The Ord a single row has already: nothing changes.
        selectOnly({0});
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = static_cast<TOrdForm *>(w);
                QCOMPARE(f->lbOrd->currentRow(), 4);
                QCOMPARE(f->lbOrd->item(4)->text(), QStringLiteral("  5) "));
                f->sbOrdOk->click();
            });
            press(Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(answer.title(), QStringLiteral("Выбрать ординал"));
        }
        QVERIFY(!form->lists().changed());
        QCOMPARE(fx->sound.played, QList<int>());

        // Names edited, then "Отмена": the names are kept, the rows are not touched.
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = static_cast<TOrdForm *>(w);
                f->lbOrd->setCurrentRow(6);
                {
                    test::ModalAnswer edit([](QWidget *e) {
                        auto *ed = static_cast<TOrdEditForm *>(e);
                        QCOMPARE(ed->windowTitle(), QStringLiteral("Редактор описания ординала: 7"));
                        ed->edEd->setText("  Книги ");
                        ed->butOKEd->click();
                    });
                    f->sbOrdEdit->click();
                }
                QCOMPARE(f->lbOrd->item(6)->text(), QStringLiteral("  7) Книги"));
                test::screenshot(w, "ord-chooser.png");
                f->sbOrdCanc->click();
            });
            press(Qt::Key_O, Qt::ControlModifier);
        }
        QStringList names;
        QCOMPARE(loadOrdNames(ordStorePath(), &names), OrdLoad::Ok);
        QCOMPARE(names[6], QStringLiteral("Книги"));
        QCOMPARE(model()->at(0).cells[ColOrd], QStringLiteral("5"));
        QVERIFY(!form->lists().changed());

        // Several rows: "Удалить" writes "-" into all of them.
        fx->sound.played.clear();
        selectOnly({0, 1});
        {
            test::ModalAnswer answer([](QWidget *w) { static_cast<TOrdForm *>(w)->sbOrdDel->click(); });
            press(Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(answer.title(), QStringLiteral("Установить ординал. Выделено строк: 2"));
        }
        QCOMPARE(model()->at(0).cells[ColOrd], QStringLiteral("-"));
        QVERIFY(form->lists().changed());
        QCOMPARE(fx->sound.played, QList<int>{3});

        // Page: 0 gives "-", out-of-range and text write nothing.
        selectOnly({2});
        fx->ui.inputs.enqueue(QStringLiteral("12"));
        press(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(fx->ui.calls.last().title, QStringLiteral("Введите число"));
        QCOMPARE(fx->ui.calls.last().text, QStringLiteral("От 1 до 2147483647 (0 - удалить)|"));
        QCOMPARE(model()->at(2).cells[ColPage], QStringLiteral("12"));
        for (const char *typed : {"2147483648", "-5", "двенадцать"}) {
            fx->ui.inputs.enqueue(QString::fromUtf8(typed));
            press(Qt::Key_P, Qt::ControlModifier);
            QCOMPARE(fx->ui.calls.last().text, QStringLiteral("От 1 до 2147483647 (0 - удалить)|12"));
            QCOMPARE(model()->at(2).cells[ColPage], QStringLiteral("12"));
        }
        fx->ui.inputs.enqueue(QStringLiteral("0"));
        press(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(model()->at(2).cells[ColPage], QStringLiteral("-"));

        // The ordinals reach the list file.
        QVERIFY(form->lists().SaveChanSpis(false));
        const QList<VtlRecord> recs = vtlRecords(readWholeFile(lists() + "o.vtl"));
        QCOMPARE(recs[0].ord, quint8(0));
        QCOMPARE(recs[2].page, 0);

        // Column modes, and remembering the mode.
        QVERIFY(form->commands().run("lists.ordPageHide"));
        QVERIFY(form->ListView->isColumnHidden(ColPage));
        QVERIFY(form->commands().run("lists.ordPageRemember"));
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Настройки для Ord/Page сохранены"));
        QVERIFY(readWholeFile(test::iniPath(home.path())).contains("OPHS=1"));
        QVERIFY(form->commands().run("lists.ordPageAuto"));
        QVERIFY(!form->ListView->isColumnHidden(ColPage));
        form->lists().forget();
        QVERIFY(form->ListView->isColumnHidden(ColPage));
        QVERIFY(form->commands().run("lists.ordPageRemember"));
        fx->ui.clear();
        QFile::remove(lists() + "o.vtl");
    }

    void headerRewriteFromTheChooser()
    {
        const QByteArray before = readWholeFile(lists() + dated);
        TVtsForm f(lists());
        f.lvVts->setCurrentItem(f.lvVts->findItems(dated, Qt::MatchExactly, VtsColName).first());
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *e = static_cast<TVtsChanForm *>(w);
                QCOMPARE(e->cmbVtsMet->currentIndex(), 1);
                QCOMPARE(e->eVtsMet->text(), QStringLiteral("Музыка"));
                e->eVtsMet->setText("Концерт");
                e->butOK->click();
            });
            f.sbChanVTS->click();
        }
        const QByteArray after = readWholeFile(lists() + dated);
        QCOMPARE(after.mid(344), before.mid(344));
        QCOMPARE(vtsHeader(after.constData()).description, QStringLiteral("Концерт"));
        QCOMPARE(f.lvVts->currentItem()->text(VtsColDesc), QStringLiteral("Концерт"));
        QCOMPARE(fx->sound.played.last(), 2);
    }

};

VT_TEST_MAIN(VtsWindowTest)
#include "tst_gui_vts.moc"
