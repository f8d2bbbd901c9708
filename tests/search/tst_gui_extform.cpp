#include "base/appdirs.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "search/core/extstore.h"
#include "search/extform.h"
#include "testhome.h"
#include "testmain.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace vt;

namespace {

QStringList itemsOf(const QListWidget *l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

QStringList selectedOf(const QListWidget *l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->isSelected())
            out << l->item(i)->text();
    return out;
}

} // namespace

class TestExtForm : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> m_home;

    QString store(const char *name) const
    {
        return m_home->path() + QStringLiteral("/Options/") + QLatin1String(name);
    }

private slots:
    void init()
    {
        m_home.emplace();
        QVERIFY(GetOptPath());
        QVERIFY(writeCp1251Lines(store("strext"), {"TXT", "DOC", "JPG"}));
        QVERIFY(writeCp1251Lines(store("strexts"), {"DOC, TXT"}));
    }

    void opensWithStoresAndResult()
    {
        test::FakeServices fx;
        TExtForm f({QStringLiteral("JPG"), QStringLiteral("TXT")});
        QCOMPARE(f.windowTitle(), QStringLiteral("Выберите расширения для поиска из списка справа"));
        QCOMPARE(itemsOf(f.lbExt), (QStringList{"DOC", "JPG", "TXT"}));
        QCOMPARE(itemsOf(f.lbEXTS), QStringList{"DOC, TXT"});
        QCOMPARE(f.eRes->text(), QStringLiteral("JPG, TXT"));
        QCOMPARE(f.labNote->text(),
                 QStringLiteral("Поиск возможен при выборе от 1 до 10 расширений.\nЧем больше "
                                "расширений, тем больше времени\nпотребуется для поиска."));
        QVERIFY(!f.sbDelExt->isEnabled());
        QVERIFY(!f.sbDelFav->isEnabled());
        // closing without changes writes nothing
        const QByteArray before = readWholeFile(store("strext"));
        f.accept();
        QCOMPARE(readWholeFile(store("strext")), before);
        QCOMPARE(f.extensions(), (QStringList{"JPG", "TXT"}));
    }

    void addingToTheList()
    {
        test::FakeServices fx;
        TExtForm f({});
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        fx.ui.inputs.enqueue(QStringLiteral(".jpeg2000x"));
        QTest::keyClick(&f, Qt::Key_F5);
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls.last().title, QStringLiteral("Введите расширение"));
        QCOMPARE(fx.ui.calls.last().text, QStringLiteral("от 1 до 10 симв. без точки|"));
        QCOMPARE(itemsOf(f.lbExt), (QStringList{"DOC", "JPEG2000X", "JPG", "TXT"}));
        QCOMPARE(selectedOf(f.lbExt), QStringList{"JPEG2000X"});
        QCOMPARE(fx.sound.played, QList<int>{3});

        fx.ui.inputs.enqueue(QStringLiteral("a.b"));
        f.addToList();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Ошибочные символы, строка: A.B"));
        fx.ui.inputs.enqueue(QStringLiteral("txt"));
        f.addToList();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Расширение TXT имеется в списке под номером 4"));
        QCOMPARE(selectedOf(f.lbExt), QStringList{"TXT"});
        fx.ui.inputs.enqueue(std::nullopt); // Cancel
        f.addToList();
        QCOMPARE(itemsOf(f.lbExt).size(), 4);

        // the list is saved when the window closes
        f.reject();
        QCOMPARE(readWholeFile(store("strext")), QByteArray("DOC\r\nJPEG2000X\r\nJPG\r\nTXT\r\n"));
    }

    void deletingFromTheList()
    {
        test::FakeServices fx;
        TExtForm f({});
        f.lbExt->item(0)->setSelected(true);
        f.lbExt->item(2)->setSelected(true);
        QVERIFY(f.sbDelExt->isEnabled());
        fx.ui.yesNo.enqueue(false);
        f.deleteFromList();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Удалить выделенные расширения (2 шт.) из списка справа?"));
        QCOMPARE(itemsOf(f.lbExt).size(), 3);
        fx.ui.yesNo.enqueue(true);
        f.deleteFromList();
        QCOMPARE(itemsOf(f.lbExt), QStringList{"JPG"});
        f.accept();
        QCOMPARE(readWholeFile(store("strext")), QByteArray("JPG\r\n"));
    }

    void choosingKeepsTheFirstTen()
    {
        test::FakeServices fx;
        QStringList many;
        for (int i = 1; i <= 12; ++i)
            many << QStringLiteral("E%1").arg(i, 2, 10, QLatin1Char('0'));
        QVERIFY(writeCp1251Lines(store("strext"), many));
        TExtForm f({});
        f.lbExt->selectAll();
        f.takeChosen();
        QCOMPARE(f.eRes->text(), ext::joinExts(many.mid(0, 10)));
        QCOMPARE(fx.sound.played, QList<int>{2});

        // double click adds the rest only as far as there is room
        f.clearResult();
        QCOMPARE(f.eRes->text(), QString());
        f.lbExt->clearSelection();
        f.lbExt->item(11)->setSelected(true);
        f.takeChosen();
        QCOMPARE(f.eRes->text(), QStringLiteral("E12"));
        f.accept();
        QCOMPARE(f.extensions(), QStringList{"E12"});
    }

    void favourites()
    {
        test::FakeServices fx;
        TExtForm f({});
        f.addFavourite(); // empty result
        QCOMPARE(fx.ui.beeps, 1);

        f.eRes->setText(QStringLiteral("TXT,DOC"));
        f.addFavourite(); // same set, other spelling
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Такой набор расширений имеется в избранных под номером 1"));
        // A set the cp1251 store cannot hold is refused, not kept as "??".
        f.eRes->setText(QStringLiteral("文档"));
        f.addFavourite();
        QCOMPARE(fx.ui.beeps, 2);
        QCOMPARE(itemsOf(f.lbEXTS), QStringList{"DOC, TXT"});
        f.eRes->setText(QStringLiteral("JPG"));
        f.addFavourite();
        QCOMPARE(itemsOf(f.lbEXTS), (QStringList{"DOC, TXT", "JPG"}));
        QCOMPARE(fx.sound.played, QList<int>{2});

        f.lbEXTS->setCurrentRow(0);
        f.takeFavourite();
        QCOMPARE(f.eRes->text(), QStringLiteral("DOC, TXT"));

        fx.ui.yesNo.enqueue(true);
        f.deleteFavourite();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Удалить из избранных строку:\nDOC, TXT ?"));
        QCOMPARE(itemsOf(f.lbEXTS), QStringList{"JPG"});
        f.accept();
        QCOMPARE(readWholeFile(store("strexts")), QByteArray("JPG\r\n"));
        QCOMPARE(f.extensions(), (QStringList{"DOC", "TXT"}));
    }

    void unusableResultIsCleared()
    {
        test::FakeServices fx;
        for (const char *typed : {"A*B", "DOC, A.B", "1,2,3,4,5,6,7,8,9,10,11", "ABCDEFGHIJK"}) {
            TExtForm f({QStringLiteral("DOC")});
            f.eRes->setText(QString::fromLatin1(typed));
            f.accept();
            QVERIFY2(f.extensions().isEmpty(), typed);
            QCOMPARE(f.eRes->text(), QString());
        }
        TExtForm g({});
        g.eRes->setText(QStringLiteral("txt , doc,TXT"));
        g.reject();
        QCOMPARE(g.extensions(), (QStringList{"DOC", "TXT"}));

        TExtForm h({QStringLiteral("DOC"), QStringLiteral("JPG")});
        h.removeFromResult(QStringLiteral("DOC"));
        QCOMPARE(h.eRes->text(), QStringLiteral("JPG"));
    }
};

VT_TEST_MAIN(TestExtForm)
#include "tst_gui_extform.moc"
